// The real search dialogs, driven as a person would: single choice with key search while
// typing, the multi-choice list, the product tree and the record find.

#include "QtUiFixture.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QTableView>
#include <QTest>
#include <QTreeView>

using namespace host;
using testsupport::click;
using testsupport::findWidget;
using testsupport::whenModalShown;

namespace {

QString currentCell(QAbstractItemView& view, int column)
{
    const QModelIndex current = view.currentIndex();
    return current.sibling(current.row(), column).data().toString();
}

QStringList markedRows(QTableView& grid, int keyColumn)
{
    QStringList keys;
    for (int row = 0; row < grid.model()->rowCount(); ++row)
        if (grid.model()->index(row, 0).data(Qt::CheckStateRole).toInt() == Qt::Checked)
            keys.append(grid.model()->index(row, keyColumn).data().toString());
    return keys;
}

// A double click arrives as a click followed by the double click, as from a mouse.
void clickCell(QAbstractItemView& view, int row, int column, bool twice = false)
{
    const QRect cell = view.visualRect(view.model()->index(row, column));
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, cell.center());
    if (twice)
        QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, cell.center());
}

} // namespace

// ---- Pesquisar ------------------------------------------------------------------------------

TEST_F(QtUiTest, SearchFindsTheKeyWhileTypingAndLeavesTheSourceOnTheChoice)
{
    DataSet buyers;
    loadBuyers(buyers);
    QString title, rowWhileTyping;
    whenModalShown([&](QWidget& dialog) {
        title = dialog.windowTitle();
        auto* lookup = findWidget<QLineEdit>(dialog, QStringLiteral("edtPesquisa"));
        auto* grid = findWidget<QTableView>(dialog, QStringLiteral("grdPesquisa"));
        ASSERT_TRUE(lookup && grid);
        QTest::keyClicks(lookup, QStringLiteral("c"));
        rowWhileTyping = currentCell(*grid, 0);
        QTest::keyClicks(lookup, QStringLiteral("arlos"));
        QTest::keyClick(lookup, Qt::Key_Down); // the arrows still move the list
        QTest::keyClick(lookup, Qt::Key_Up);
        QTest::keyClick(lookup, Qt::Key_Return);
    });

    EXPECT_TRUE(ui.Pesquisar({&buyers, QStringLiteral("CDOPERADOR"),
                              QStringLiteral("Comprador|Não há comprador cadastrado.")}));
    EXPECT_EQ(title, QStringLiteral("Comprador"));
    EXPECT_EQ(rowWhileTyping, QStringLiteral("CARLOS.NUNES"));
    EXPECT_EQ(fieldText(buyers, "CDOPERADOR"), QStringLiteral("CARLOS.NUNES"));
}

TEST_F(QtUiTest, SearchShowsOnlyTheListedColumnsAndChoosesByDoubleClick)
{
    DataSet regions;
    loadRegions(regions);
    int columns = 0;
    whenModalShown([&](QWidget& dialog) {
        auto* grid = findWidget<QTableView>(dialog, QStringLiteral("grdPesquisa"));
        ASSERT_TRUE(grid);
        columns = grid->model()->columnCount();
        clickCell(*grid, 3, 0, true);
    });
    SearchRequest request{&regions, QStringLiteral("CDREGIAO"), QStringLiteral("Região")};
    request.columns = {QStringLiteral("NMREGIAO")};
    EXPECT_TRUE(ui.Pesquisar(request));
    EXPECT_EQ(columns, 1);
    EXPECT_EQ(fieldText(regions, "CDREGIAO"), QStringLiteral("004"));
}

TEST_F(QtUiTest, CancelledSearchPutsTheSourceBack)
{
    DataSet regions;
    loadRegions(regions);
    regions.SetRecNo(2);
    whenModalShown([](QWidget& dialog) {
        QTest::keyClicks(findWidget<QLineEdit>(dialog, QStringLiteral("edtPesquisa")),
                         QStringLiteral("006"));
        click(dialog, QStringLiteral("btnCancelar"));
    });
    EXPECT_FALSE(ui.Pesquisar({&regions, QStringLiteral("CDREGIAO"), QStringLiteral("Região")}));
    EXPECT_EQ(fieldText(regions, "CDREGIAO"), QStringLiteral("002"));
}

TEST_F(QtUiTest, SearchOverNothingShowsTheEmptyText)
{
    DataSet suppliers;
    suppliers.SetFieldDefs({FieldDef::text(QStringLiteral("CDFORNECED"), 21)});
    suppliers.CreateDataSet();
    QString text;
    answerNextBox(QStringLiteral("OK"), nullptr, &text);
    EXPECT_FALSE(ui.Pesquisar({&suppliers, QStringLiteral("CDFORNECED"),
                               QStringLiteral("Fornecedor|Não há fornecedor cotado.")}));
    EXPECT_EQ(text, QStringLiteral("Não há fornecedor cotado."));
}

// ---- PesquisaLista --------------------------------------------------------------------------

TEST_F(QtUiTest, ListComesWithEarlierChoicesMarkedAndAnswersInTheSourcesOrder)
{
    DataSet regions;
    loadRegions(regions);
    regions.SetRecNo(6);
    QStringList premarked;
    QString title;
    whenModalShown([&](QWidget& dialog) {
        title = dialog.windowTitle();
        auto* grid = findWidget<QTableView>(dialog, QStringLiteral("grdPesquisa"));
        ASSERT_TRUE(grid);
        premarked = markedRows(*grid, 1);
        // Space marks the selected row, a click on a mark takes it off.
        clickCell(*grid, 2, 1);
        QTest::keyClick(grid, Qt::Key_Space);
        clickCell(*grid, 4, 0);
        click(dialog, QStringLiteral("btnOk"));
    });

    MultiSearchRequest request{&regions, QStringLiteral("CDREGIAO"), QStringLiteral("Região")};
    request.chosen = QStringLiteral("_005_002_");
    EXPECT_EQ(ui.PesquisaLista(request), std::optional<QString>(QStringLiteral("_002_003_")));
    EXPECT_EQ(title, QStringLiteral("Região"));
    EXPECT_EQ(premarked, QStringList({QStringLiteral("002"), QStringLiteral("005")}));
    EXPECT_EQ(fieldText(regions, "CDREGIAO"), QStringLiteral("006"));
}

TEST_F(QtUiTest, ListMarksOrClearsEverythingAndCancelAnswersNothing)
{
    DataSet buyers;
    loadBuyers(buyers);
    MultiSearchRequest request{&buyers, QStringLiteral("CDOPERADOR"), QStringLiteral("Comprador")};
    request.chosen = QStringLiteral("_CARLOS.NUNES_");

    whenModalShown([](QWidget& dialog) {
        click(dialog, QStringLiteral("btnMarcarTodos"));
        click(dialog, QStringLiteral("btnOk"));
    });
    EXPECT_EQ(ui.PesquisaLista(request),
              std::optional<QString>(QStringLiteral("_ANA.CARVALHO_CARLOS.NUNES_DANIELA.LIMA_")));

    whenModalShown([](QWidget& dialog) {
        click(dialog, QStringLiteral("btnDesmarcarTodos"));
        click(dialog, QStringLiteral("btnOk"));
    });
    EXPECT_EQ(ui.PesquisaLista(request), std::optional<QString>(QString()));

    whenModalShown([](QWidget& dialog) {
        click(dialog, QStringLiteral("btnMarcarTodos"));
        click(dialog, QStringLiteral("btnCancelar"));
    });
    EXPECT_EQ(ui.PesquisaLista(request), std::nullopt);
}

TEST_F(QtUiTest, ListHidesTheSourcesOwnMarkingField)
{
    DataSet checks;
    Packet packet({FieldDef::text(QStringLiteral("IDMARCADO"), 1),
                   FieldDef::text(QStringLiteral("CDVERIF"), 1, QStringLiteral("Código")),
                   FieldDef::text(QStringLiteral("NMVERIF"), 60, QStringLiteral("Verificação"))});
    packet.appendRow({QStringLiteral("N"), QStringLiteral("0"),
                      QStringLiteral("Verificar Produto por Comprador")});
    packet.appendRow({QStringLiteral("N"), QStringLiteral("1"),
                      QStringLiteral("Verificar Qualificação de Fornecedor")});
    checks.SetData(packet);
    QStringList headers;
    whenModalShown([&](QWidget& dialog) {
        auto* grid = findWidget<QTableView>(dialog, QStringLiteral("grdPesquisa"));
        ASSERT_TRUE(grid);
        for (int c = 1; c < grid->model()->columnCount(); ++c)
            headers.append(grid->model()->headerData(c, Qt::Horizontal).toString());
        clickCell(*grid, 1, 2, true); // a double click on the row marks it
        QTest::keyClick(grid, Qt::Key_Return);
    });
    EXPECT_EQ(
        ui.PesquisaLista({&checks, QStringLiteral("CDVERIF"), QStringLiteral("Verificações")}),
        std::optional<QString>(QStringLiteral("_1_")));
    EXPECT_EQ(headers, QStringList({QStringLiteral("Código"), QStringLiteral("Verificação")}));
}

// ---- PesquisaArvore -------------------------------------------------------------------------

TEST_F(QtUiTest, TreeArrangesGroupsAndProductsByTreeCodeWithThePicture)
{
    DataSet products;
    loadProducts(products);
    QStringList roots, underRice;
    QString typedToCode, typedToName;
    bool openAfterGroupConfirm = false;
    whenModalShown([&](QWidget& dialog) {
        auto* tree = findWidget<QTreeView>(dialog, QStringLiteral("trvPesquisa"));
        auto* lookup = findWidget<QLineEdit>(dialog, QStringLiteral("edtPesquisa"));
        ASSERT_TRUE(tree && lookup);
        QAbstractItemModel& model = *tree->model();
        for (int r = 0; r < model.rowCount(); ++r)
            roots.append(model.index(r, 0).data().toString());
        const QModelIndex rice = model.index(0, 0, model.index(0, 0));
        for (int r = 0; r < model.rowCount(rice); ++r)
            underRice.append(model.index(r, 0, rice).data().toString());

        // Confirming on a group opens it; the dialog stays.
        tree->setCurrentIndex(model.index(1, 0));
        click(dialog, QStringLiteral("btnOk"));
        openAfterGroupConfirm = dialog.isVisible() && tree->isExpanded(model.index(1, 0));

        QTest::keyClicks(lookup, QStringLiteral("01.02"));
        typedToCode = currentCell(*tree, 1);
        lookup->clear();
        QTest::keyClicks(lookup, QStringLiteral("sab"));
        typedToName = currentCell(*tree, 0);
        lookup->clear();
        QTest::keyClicks(lookup, QStringLiteral("0101002"));
        click(dialog, QStringLiteral("btnOk"));
    });

    TreeSearchRequest request;
    request.source = &products;
    request.title = QStringLiteral("Produto");
    request.emptyText = QStringLiteral("Não há produto cadastrado.");
    EXPECT_TRUE(ui.PesquisaArvore(request));
    EXPECT_EQ(roots, QStringList({QStringLiteral("01"), QStringLiteral("02")}));
    EXPECT_EQ(underRice, QStringList({QStringLiteral("01.01.001"), QStringLiteral("01.01.002")}));
    EXPECT_TRUE(openAfterGroupConfirm);
    EXPECT_EQ(typedToCode, QStringLiteral("ÓLEOS E AÇÚCARES"));
    EXPECT_EQ(typedToName, QStringLiteral("02.01.001"));
    EXPECT_EQ(fieldText(products, "CDPRODUTO"), QStringLiteral("0000000004"));
}

TEST_F(QtUiTest, TreeWithoutLevelsOffersEveryRowAsAProduct)
{
    DataSet products;
    loadProducts(products);
    products.SetFilter(QStringLiteral("[CDNVPRODUTO] = 3"));
    products.SetFiltered(true);
    TreeSearchRequest request;
    request.source = &products;
    request.levelField = QStringLiteral("NIVEL_AUSENTE");
    request.title = QStringLiteral("Produto");
    int roots = 0;
    whenModalShown([&](QWidget& dialog) {
        auto* tree = findWidget<QTreeView>(dialog, QStringLiteral("trvPesquisa"));
        ASSERT_TRUE(tree);
        roots = tree->model()->rowCount();
        tree->setCurrentIndex(tree->model()->index(3, 0));
        click(dialog, QStringLiteral("btnOk"));
    });
    EXPECT_TRUE(ui.PesquisaArvore(request));
    EXPECT_EQ(roots, 4);
    EXPECT_EQ(fieldText(products, "CDARVPROD"), QStringLiteral("0201001"));
}

// ---- Procura --------------------------------------------------------------------------------

TEST_F(QtUiTest, FindLocatesByTheChosenColumnAndSaysWhenNothingMatches)
{
    DataSet regions;
    loadRegions(regions);
    QString notFound;
    whenModalShown([&](QWidget& dialog) {
        auto* column = findWidget<QComboBox>(dialog, QStringLiteral("cbxCampo"));
        ASSERT_TRUE(column);
        column->setCurrentIndex(column->findText(QStringLiteral("Nome")));
        testsupport::typeInto(dialog, QStringLiteral("edtValor"), QStringLiteral("Norte"));
        answerNextBox(QStringLiteral("OK"), nullptr, &notFound);
        click(dialog, QStringLiteral("btnOk"));
        testsupport::typeInto(dialog, QStringLiteral("edtValor"), QStringLiteral("minas"));
        click(dialog, QStringLiteral("btnOk"));
    });
    EXPECT_TRUE(ui.Procura(regions, {}));
    EXPECT_EQ(notFound, QStringLiteral("Registro não encontrado."));
    EXPECT_EQ(fieldText(regions, "CDREGIAO"), QStringLiteral("004"));
}

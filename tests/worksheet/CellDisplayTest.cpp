// What the worksheet's cells show, the selected cell with its detail panel and errors, and
// moving with the keyboard.

#include "WorksheetTestSupport.h"

#include "host/core/consiste/Consiste.h"
#include "host/widgets/NumberEdit.h"
#include "host/widgets/SystemColors.h"
#include "worksheet/HistoryPanel.h"

#include <QAction>
#include <QApplication>

#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace listtest;
using namespace worksheettest;

TEST_F(WorksheetFixture, CellsShowPricesOnTheColourOfTheirState)
{
    openWorksheet(kAna, kAnaQuotation);
    ASSERT_TRUE(items().Locate(QStringLiteral("CONTA"), 0.0));
    const QPoint zero = cellOf(currentKey());
    items().First();
    while (!items().Eof() && items().FieldByName(QStringLiteral("CONTA")).AsFloat() == 0.0)
        items().Next();
    const QPoint priced = cellOf(currentKey());
    const QPoint missing = cellWithoutLine();
    ASSERT_GE(zero.x(), 0);
    ASSERT_GE(priced.x(), 0);
    ASSERT_GE(missing.x(), 0);

    auto painted = paint();
    EXPECT_EQ(painted.value(zero).text, "0,00000");
    EXPECT_EQ(painted.value(zero).background, host::clInactiveCaption());
    EXPECT_EQ(painted.value(priced).background, host::clInfoBk());
    EXPECT_EQ(painted.value(missing).text, "    -     ");
    EXPECT_EQ(painted.value(missing).background, grid().DataColor);
    // Many suppliers: the grid's own caption stays.
    EXPECT_EQ(painted.value(QPoint(-1, -2)).text, "Região / Fornecedor");

    // Changed since the load: yellow, unless the price is zero.
    for (const QPoint& cell : {priced, zero}) {
        select(cell);
        const double price = cell == priced ? 55.5 : 0.0;
        ASSERT_TRUE(items().Locate(QStringLiteral("COCREGIAO;COCFORNECED;COCPRODUTO"),
                                   QVariantList{sheet().RetornaVlr("R"), sheet().RetornaVlr("F"),
                                                sheet().RetornaVlr("P")}));
        items().Edit();
        items().FieldByName(QStringLiteral("CONTA")).SetAsFloat(price);
        items().Post();
    }
    painted = paint();
    EXPECT_EQ(painted.value(priced).text, "55,50000");
    EXPECT_EQ(painted.value(priced).background, QColor(255, 255, 0));
    EXPECT_EQ(painted.value(zero).background, host::clInactiveCaption());
}

TEST_F(WorksheetFixture, ProductNamesShowOncePerProductAndAgainAfterScrolling)
{
    // A third brand of the rice, quoted by the same supplier in the same region.
    db().exec(
        QStringLiteral(
            "CREATE TEMP TABLE EXTRA AS SELECT * FROM ITEMCOLE I WHERE NRCOLEPRECO = '%1' AND "
            "CDPRODUTO = (SELECT CDPRODUTO FROM PRODUTO WHERE CDARVPROD = '0101001') AND NOT "
            "EXISTS "
            "(SELECT 1 FROM ITEMCOLE J WHERE J.NRCOLEPRECO = I.NRCOLEPRECO AND J.CDREGIAO = "
            "I.CDREGIAO AND J.CDFORNECED = I.CDFORNECED AND J.CDPRODUTO = I.CDPRODUTO AND "
            "J.CDMARCA = '00003') LIMIT 1")
            .arg(kAnaQuotation));
    db().exec(QStringLiteral("UPDATE EXTRA SET CDMARCA = '00003'"));
    db().exec(QStringLiteral("INSERT INTO ITEMCOLE SELECT * FROM EXTRA"));
    openWorksheet(kAna, kAnaQuotation, QSize(1000, 420));

    int first = 0;
    while (first < grid().DataRowCount() &&
           !grid().Cells(-1, first).startsWith(QStringLiteral("ARROZ BRANCO TIPO 1 5KG")))
        ++first;
    ASSERT_LT(first + 2, grid().DataRowCount());
    // Two brands of one product: the same product value up to the brand.
    const QString a = grid().Cells(-1, first), b = grid().Cells(-1, first + 1);
    EXPECT_EQ(module::productCodeOf(a), module::productCodeOf(b));
    EXPECT_NE(module::brandCodeOf(a), module::brandCodeOf(b));

    const QString name = QStringLiteral("ARROZ BRANCO TIPO 1 5KG").leftJustified(33);
    const QString blank(33, QLatin1Char(' '));
    grid().SetTopRow(first);
    auto painted = paint();
    EXPECT_EQ(painted.value(QPoint(-1, first)).text, name + module::brandNameOf(a));
    EXPECT_EQ(painted.value(QPoint(-1, first + 1)).text, blank + module::brandNameOf(b));
    EXPECT_TRUE(painted.value(QPoint(-1, first + 2)).text.startsWith(blank));

    grid().SetTopRow(first + 1);
    painted = paint();
    EXPECT_EQ(painted.value(QPoint(-1, first + 1)).text, name + module::brandNameOf(b));
    EXPECT_TRUE(painted.value(QPoint(-1, first + 2)).text.startsWith(blank));
}

TEST_F(WorksheetFixture, SelectingACellFillsTheSelectionAndTheDetailPanel)
{
    // A discounted item priced below the others of its region, product and brand.
    QSqlQuery item(db().sql());
    ASSERT_TRUE(item.exec(
        QStringLiteral("SELECT I.CDREGIAO, R.NMREGIAO, I.CDFORNECED, F.NMFANTFORN, I.CDPRODUTO, "
                       "P.NMPRODUTO, P.CDARVPROD, P.CDUNIDMED, I.CDMARCA, M.NMMARCA, "
                       "I.VRPRECUNIITM, I.VRPRECECOITM, I.VRPRECECOPIITM, I.QTACMPITMCOL, "
                       "I.VRPERDESITM FROM ITEMCOLE I JOIN REGIAO R ON R.CDREGIAO = I.CDREGIAO "
                       "JOIN FORNECEDOR F ON F.CDFORNECED = I.CDFORNECED JOIN PRODUTO P ON "
                       "P.CDPRODUTO = I.CDPRODUTO JOIN MARCA M ON M.CDMARCA = I.CDMARCA WHERE "
                       "I.NRCOLEPRECO = '%1' AND I.VRPERDESITM > 0 AND I.VRPRECECOPIITM < 0 AND "
                       "I.QTACMPITMCOL > 0 ORDER BY I.CDREGIAO, I.CDFORNECED LIMIT 1")
            .arg(kAnaQuotation)));
    ASSERT_TRUE(item.next());
    auto text = [&item](int column) { return item.value(column).toString().trimmed(); };
    // Its discount is 12.5 %, shown with two decimals, a blank and the percent sign.
    QSqlQuery discounted(db().sql());
    discounted.prepare(QStringLiteral("UPDATE ITEMCOLE SET VRPERDESITM = 12.5 WHERE NRCOLEPRECO = ? "
                                      "AND CDREGIAO = ? AND CDFORNECED = ? AND CDPRODUTO = ? AND "
                                      "CDMARCA = ?"));
    for (const QVariant& value : {QVariant(kAnaQuotation), item.value(0), item.value(2),
                                  item.value(4), item.value(8)})
        discounted.addBindValue(value);
    ASSERT_TRUE(discounted.exec());
    ASSERT_EQ(discounted.numRowsAffected(), 1);
    openWorksheet(kAna, kAnaQuotation);
    const QString key = module::regionValue(text(0), text(1)) +
                        module::supplierValue(text(2), text(3)) +
                        module::productValue(text(5), text(4), text(8), text(9));
    const QPoint cell = cellOf(key);
    ASSERT_GE(cell.x(), 0);
    select(cell);

    using namespace Cli_Sup01700;
    EXPECT_EQ(ActiveCol, cell.x());
    EXPECT_EQ(ActiveRow, cell.y());
    EXPECT_EQ(QStringList({stCdRegiao, stNmRegiao, stCdForneced, stNmForneced, stCdProduto,
                           stNmProduto, stCdMarca, stNmMarca, stCdArvProd}),
              QStringList({text(0), text(1), text(2), text(3), text(4), text(5).toUpper(), text(8),
                           text(9), text(6)}));
    EXPECT_EQ(sheet().RetornaVlr(QStringLiteral("R")) + sheet().RetornaVlr(QStringLiteral("F")) +
                  sheet().RetornaVlr(QStringLiteral("P")),
              key);

    const double price = item.value(10).toDouble();
    EXPECT_EQ(sheet().edtProduto->text(),
              text(5).toUpper() + "  " +
                  host::FormatMaskText(QStringLiteral("99.99.999"), text(6)));
    EXPECT_EQ(sheet().edtUN->text(), text(7));
    EXPECT_NEAR(sheet().nedQtde->Value(), item.value(13).toDouble(), 1e-9);
    EXPECT_EQ(sheet().edtNMMarca->text(), text(9));
    EXPECT_NEAR(sheet().nedPrecoEcon->Value(), item.value(11).toDouble(), 1e-9);
    EXPECT_NEAR(sheet().nedPrecoEconPI->Value(), item.value(12).toDouble(), 1e-9);
    EXPECT_EQ(sheet().nedPrecoEconPI->palette().color(QPalette::Text), QColor(Qt::red));
    EXPECT_EQ(sheet().edtDesconto->text(), QStringLiteral("12,50 %"));
    EXPECT_NEAR(sheet().nedDiferenca->Value(), price * 0.875, 1e-5);

    // The validation errors of the selected item, in the order of their flags.
    EXPECT_TRUE(sheet().lsbErrosCota->isHidden());
    host::DataSet& errors = sheet().cdsErrosCota;
    errors.CreateDataSet();
    errors.Append();
    const QStringList values{text(0), text(2), text(4), text(8), QStringLiteral("SNSNNNS")};
    for (int f = 0; f < values.size(); ++f)
        errors.Fields(f).SetAsString(values.at(f));
    errors.Post();
    paint();
    ASSERT_FALSE(sheet().lsbErrosCota->isHidden());
    QStringList shown;
    for (int i = 0; i < sheet().lsbErrosCota->count(); ++i)
        shown << sheet().lsbErrosCota->item(i)->text();
    EXPECT_EQ(shown, QStringList({"Marca não qualificada ou com validade vencida.",
                                  "Fornecedor não atende a região.",
                                  "Marca não cadastrada para o produto."}));
}

TEST_F(WorksheetFixture, KeysStepOverSubtotalsAndStopBeforeTheGrandTotal)
{
    openWorksheet(kAna, kAnaQuotation);
    for (int dimension = 0; dimension < 3; ++dimension)
        grid().SetSubtotals(dimension, true);
    int subtotal = 0;
    while (subtotal < grid().DataColCount() && !grid().IsSumCol(subtotal))
        ++subtotal;
    const int lastRow = grid().DataRowCount() - 1;
    ASSERT_TRUE(grid().IsSumRow(lastRow));
    ASSERT_LT(subtotal + 1, grid().DataColCount() - 1);

    // Right from a region's last supplier lands on the next region's first supplier.
    select(QPoint(subtotal - 1, 0));
    QTest::keyClick(&grid(), Qt::Key_Right);
    EXPECT_EQ(QPoint(grid().Col(), grid().Row()), QPoint(subtotal + 1, 0));
    paint();
    QTest::keyClick(&grid(), Qt::Key_Left);
    EXPECT_EQ(QPoint(grid().Col(), grid().Row()), QPoint(subtotal - 1, 0));

    // Down from the last product stays there: below is the grand total.
    select(QPoint(0, lastRow - 1));
    QTest::keyClick(&grid(), Qt::Key_Down);
    EXPECT_EQ(grid().Row(), lastRow - 1);
    QTest::keyClick(&grid(), Qt::Key_Up);
    EXPECT_EQ(grid().Row(), lastRow - 2);
    QTest::keyClick(&grid(), Qt::Key_End);
    EXPECT_EQ(grid().Col(), 0);
}

TEST_F(WorksheetFixture, TheHistoryShowsTheItemsEarlierPricesAndIsLoadedOncePerRow)
{
    openWorksheet(kAna, kAnaQuotation);
    // Soybean oil of Sol Nascente in Grande São Paulo from Atacadão Paulista, quoted before.
    auto name = [this](const char* sql) { return dbValue(QString::fromLatin1(sql)).toString(); };
    const QString supplier = QStringLiteral("000000000000000000001");
    const QString key =
        module::regionValue(QStringLiteral("001"),
                            name("SELECT NMREGIAO FROM REGIAO WHERE CDREGIAO = '001'")) +
        module::supplierValue(supplier, name("SELECT NMFANTFORN FROM FORNECEDOR WHERE CDFORNECED = "
                                             "'000000000000000000001'")) +
        module::productValue(name("SELECT NMPRODUTO FROM PRODUTO WHERE CDPRODUTO = '0000000009'")
                                 .toUpper(),
                             QStringLiteral("0000000009"), QStringLiteral("00012"),
                             name("SELECT NMMARCA FROM MARCA WHERE CDMARCA = '00012'"));
    const QPoint cell = cellOf(key);
    ASSERT_GE(cell.x(), 0);
    select(cell);

    form().mnuHistorico->trigger();
    ASSERT_TRUE(form().mnuHistorico->isChecked());
    EXPECT_FALSE(sheet().panHistorico->isHidden());
    EXPECT_EQ(callsOf(QStringLiteral("GetHistorico")), 1);
    const module::HistoryPanel& panel = *sheet().panHistorico;
    EXPECT_DOUBLE_EQ(panel.nedPrUn_UltCot->Value(), 8.07);
    EXPECT_DOUBLE_EQ(panel.nedPrUn_FornN->Value(), 6.37);
    EXPECT_EQ(panel.edtFornMarc_Normal->text(), QStringLiteral("Central Mineiro / TERRA BOA"));
    EXPECT_DOUBLE_EQ(panel.nedPrUn_FornA->Value(), 7.09);
    EXPECT_DOUBLE_EQ(panel.nedVariacao->Value(), -7.56);
    EXPECT_FALSE(panel.ultCot.start->text().isEmpty());
    EXPECT_EQ(form().mnuHistorico->text(), QStringLiteral("De&sabilitar Histórico"));

    // Along the row nothing is asked; another row is asked once, after its paint.
    select(QPoint(cell.x() + 1, cell.y()));
    QApplication::processEvents();
    EXPECT_EQ(callsOf(QStringLiteral("GetHistorico")), 1);
    select(QPoint(cell.x(), cell.y() - 1));
    select(QPoint(cell.x() + 1, cell.y() - 1));
    QApplication::processEvents();
    EXPECT_EQ(callsOf(QStringLiteral("GetHistorico")), 2);

    form().mnuHistorico->trigger();
    EXPECT_TRUE(sheet().panHistorico->isHidden());
    EXPECT_EQ(form().mnuHistorico->text(), QStringLiteral("&Habilitar Histórico"));
}

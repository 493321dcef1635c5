// Pricing cells as a buyer does: typing on the grid, Enter, who may price, the detail line
// that follows, the copy to the other regions the supplier serves.

#include "WorksheetTestSupport.h"

#include "support/Widgets.h"

#include "host/widgets/NumberEdit.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTest>

using namespace listtest;
using namespace worksheettest;
using testsupport::click;
using testsupport::findWidget;

namespace {

// The price dialog's script: checks what the field starts with, types `typed` after it,
// and confirms.
testsupport::ScriptedUi::ModalScript typePrice(QString startsWith, QString typed)
{
    return [startsWith, typed](QDialog& dialog) {
        auto* price = findWidget<host::TNumberEdit>(dialog, QStringLiteral("nedPrecoUnit"));
        ASSERT_NE(price, nullptr);
        EXPECT_EQ(price->text(), startsWith);
        QTest::keyClicks(price, typed);
        click(dialog, QStringLiteral("sbtConfirma"));
    };
}

const QString kItemKeyFields = QStringLiteral("COCREGIAO;COCFORNECED;COCPRODUTO");

} // namespace

TEST_F(WorksheetFixture, APriceTypedOnTheGridIsStoredInItsCellAndTheSelectionMovesDown)
{
    openWorksheet(kAna, kAnaQuotation);
    // A priced cell with its quantity, unit and discount, and a data row below it.
    QPoint cell(-1, -1);
    module::DetailLine before;
    for (int row = 0; row + 1 < grid().DataRowCount() - 1 && cell.x() < 0; ++row)
        for (int col = 0; col < grid().DataColCount() - 1; ++col)
            if (module::LocateCotacao(lines(), sheet().CalcIndex(col, row), before) >= 0 &&
                !before.unit.isEmpty() && before.quantity != QLatin1String("0,000")) {
                cell = QPoint(col, row);
                break;
            }
    ASSERT_GE(cell.x(), 0);
    const QString key = sheet().CalcIndex(cell.x(), cell.y());
    select(cell);

    ui().onModal(QStringLiteral("SUP01711"), typePrice(QStringLiteral("1"), QStringLiteral("2,5")));
    ui().answerNo(); // only this region
    QTest::keyClick(&grid(), Qt::Key_1);
    EXPECT_EQ(ui().modals().size(), 1);
    // The line takes the price and the changed mark and keeps what the server said.
    module::DetailLine after;
    ASSERT_GE(module::LocateCotacao(lines(), key, after), 0);
    EXPECT_EQ(after.unitPrice, QStringLiteral("12,50000"));
    EXPECT_EQ(after.changed, QStringLiteral("S"));
    EXPECT_EQ(QStringList({after.quantity, after.unit, after.discount, after.economicPrice,
                           after.treeCode}),
              QStringList({before.quantity, before.unit, before.discount, before.economicPrice,
                           before.treeCode}));
    const auto painted = paint();
    EXPECT_EQ(painted.value(cell).text, QStringLiteral("12,50000"));
    EXPECT_EQ(painted.value(cell).background, QColor(255, 255, 0));
    EXPECT_EQ(QPoint(grid().Col(), grid().Row()), QPoint(cell.x(), cell.y() + 1));

    // The change is pending: confirm and cancel on, the list page closed until it is saved.
    EXPECT_TRUE(sheet().pending());
    EXPECT_TRUE(form().Confirmar->isEnabled());
    EXPECT_TRUE(form().Cancelar->isEnabled());
    EXPECT_FALSE(form().tshCotacao->Enabled());
    EXPECT_EQ(form().cdsColetapr.FieldByName(QStringLiteral("IDTIPCOLREG")).AsString(), "G");

    // Enter on it again: the price stands selected; confirming it unchanged moves nothing.
    select(cell);
    const int changes = items().ChangeCount();
    ui().onModal(QStringLiteral("SUP01711"), [](QDialog& dialog) {
        auto* price = findWidget<host::TNumberEdit>(dialog, QStringLiteral("nedPrecoUnit"));
        EXPECT_EQ(price->selectedText(), QStringLiteral("12,50000"));
        click(dialog, QStringLiteral("sbtConfirma"));
    });
    QTest::keyClick(&grid(), Qt::Key_Return);
    EXPECT_EQ(QPoint(grid().Col(), grid().Row()), cell);
    EXPECT_GE(items().ChangeCount(), changes);
}

TEST_F(WorksheetFixture, OnlyTheQuotationsBuyerPricesAndOnlyQualifiedActiveSuppliers)
{
    struct Case
    {
        const char* what;
        QString operatorCode, number, change, undo, message;
    };
    // The first cell's supplier is qualified (class 01) up to the end of 2026.
    const QString supplier = QStringLiteral("000000000000000000001");
    const Case cases[] = {
        {"another buyer's quotation", kAna, kCarlosQuotation, {}, {},
         QStringLiteral("Cotação pertence a outro comprador.")},
        {"an operator who is no buyer", kManager, kAnaQuotation, {}, {},
         QStringLiteral("Operador do sistema não é um comprador.")},
        {"a product the buyer does not negotiate", kAna, kAnaQuotation,
         QStringLiteral("UPDATE PRODCOMP SET CDOPERADOR = 'NINGUEM' WHERE CDOPERADOR = 'ANA.CARVALHO'"),
         QStringLiteral("UPDATE PRODCOMP SET CDOPERADOR = 'ANA.CARVALHO' WHERE CDOPERADOR = 'NINGUEM'"),
         QStringLiteral("Produto não cadastrado para o comprador da cotação.")},
        {"an expired qualification", kAna, kAnaQuotation,
         QStringLiteral("UPDATE FORNECEDOR SET DTVALQUALIF = '2000-01-31' WHERE CDFORNECED = '%1'"),
         QStringLiteral("UPDATE FORNECEDOR SET DTVALQUALIF = '2026-12-31' WHERE CDFORNECED = '%1'"),
         QStringLiteral("Fornecedor não qualificado ou com qualificação vencida.")},
        {"an inactive supplier", kAna, kAnaQuotation,
         QStringLiteral("UPDATE FORNECEDOR SET IDSITUCADA = 'I' WHERE CDFORNECED = '%1'"),
         QStringLiteral("UPDATE FORNECEDOR SET IDSITUCADA = 'A' WHERE CDFORNECED = '%1'"),
         QStringLiteral("Fornecedor inativo.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (!c.change.isEmpty())
            db().exec(c.change.arg(supplier));
        openWorksheet(c.operatorCode, c.number);
        select(QPoint(0, 0));
        if (c.number == kAnaQuotation)
            ASSERT_EQ(Cli_Sup01700::stCdForneced, supplier);
        QTest::keyClick(&grid(), Qt::Key_5);
        EXPECT_EQ(ui().lastMessage(), c.message);
        EXPECT_TRUE(ui().modals().isEmpty()) << "no price dialog";
        EXPECT_FALSE(sheet().pending());
        form().close();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (!c.undo.isEmpty())
            db().exec(c.undo.arg(supplier));
    }
}

TEST_F(WorksheetFixture, APriceGoesToTheSameBrandInTheOtherRegionsTheSupplierServes)
{
    // Product 0000000015 gets a third brand, 00015, whose code its own code contains; the
    // supplier does not serve region 004.
    const QString supplier = QStringLiteral("000000000000000000001");
    for (const QString& sql :
         {QStringLiteral("CREATE TEMP TABLE NOVA AS SELECT * FROM ITEMCOLE WHERE NRCOLEPRECO = '%1' "
                         "AND CDPRODUTO = '0000000015' AND CDMARCA = '00005' AND CDFORNECED = '%2'"),
          QStringLiteral("UPDATE NOVA SET CDMARCA = '00015'"),
          QStringLiteral("INSERT INTO ITEMCOLE SELECT * FROM NOVA"), QStringLiteral("DROP TABLE NOVA")})
        db().exec(sql.arg(kAnaQuotation, supplier));
    db().exec(QStringLiteral("INSERT INTO REFOREG (CDFORNECED, CDREGIAO, CDPERIENTR) VALUES ('%1', "
                             "'004', NULL)")
                  .arg(supplier));
    openWorksheet(kAna, kAnaQuotation);
    ASSERT_EQ(form().cdsServRegiao.FieldByName(QStringLiteral("CDREGIAO")).AsString(), "XXX");
    const QString product = module::productValue(
        dbValue(QStringLiteral("SELECT NMPRODUTO FROM PRODUTO WHERE CDPRODUTO = '0000000015'"))
            .toString()
            .toUpper(),
        QStringLiteral("0000000015"), QStringLiteral("00015"),
        dbValue(QStringLiteral("SELECT NMMARCA FROM MARCA WHERE CDMARCA = '00015'")).toString());
    auto keyIn = [&](const QString& region, const QString& brandProduct) {
        const QString regionName =
            dbValue(QStringLiteral("SELECT NMREGIAO FROM REGIAO WHERE CDREGIAO = ?"), {region}).toString();
        const QString supplierName =
            dbValue(QStringLiteral("SELECT NMFANTFORN FROM FORNECEDOR WHERE CDFORNECED = ?"), {supplier})
                .toString();
        return module::regionValue(region, regionName) + module::supplierValue(supplier, supplierName) +
               brandProduct;
    };
    auto priceOf = [&](const QString& key) {
        module::DetailLine line;
        return module::LocateCotacao(lines(), key, line) >= 0 ? line.unitPrice : QString();
    };
    const QPoint cell = cellOf(keyIn(QStringLiteral("001"), product));
    ASSERT_GE(cell.x(), 0);
    select(cell);
    // The other brands of the product, as they are.
    QStringList otherBrands;
    for (int i = 0; i < lines().size(); ++i)
        if (lines().at(i).contains(module::kCodeSeparator + QStringLiteral("0000000015") +
                                   module::kBrandSeparator) &&
            !lines().at(i).contains(module::kBrandSeparator + QStringLiteral("00015")))
            otherBrands << lines().at(i);
    ASSERT_FALSE(otherBrands.isEmpty());

    ui().answerYes(); // "Atu_Reg"
    ui().onModal(QStringLiteral("SUP01711"), typePrice(QStringLiteral("7"), QStringLiteral(",25")));
    QTest::keyClick(&grid(), Qt::Key_7);
    EXPECT_EQ(ui().questions().value(0).text,
              QStringLiteral("Deseja atualizar os preços para as outras regiões?"));

    for (const char* region : {"001", "002", "003", "006"})
        EXPECT_EQ(priceOf(keyIn(QString::fromLatin1(region), product)), QStringLiteral("7,25000"))
            << region;
    EXPECT_NE(priceOf(keyIn(QStringLiteral("004"), product)), QStringLiteral("7,25000"))
        << "a region the supplier does not serve keeps its price";
    for (const QString& line : otherBrands)
        EXPECT_TRUE(lines().contains(line)) << "another brand changed: " << line.toStdString();
}

// Opening the worksheet: what is loaded for a quotation and region, when the server is
// asked again, the single-item quotation, and a load that finds nothing.

#include "WorksheetTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QTest>
#include <QToolBar>
#include <algorithm>

using namespace listtest;
using namespace worksheettest;

namespace {

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

} // namespace

TEST_F(WorksheetFixture, ASingleItemShowsOneCellAndNothingExtraIsPending)
{
    openWorksheet(kDaniela, kSingleItem);
    ASSERT_EQ(form().pgcPadrao->ActivePage(), form().tshPadrao);
    // One cell, and the grand totals beside and below it.
    EXPECT_EQ(grid().DataRowCount(), 2);
    EXPECT_EQ(grid().DataColCount(), 2);
    EXPECT_FALSE(grid().IsSumCell(0, 0));
    EXPECT_TRUE(grid().IsSumRow(1));
    EXPECT_TRUE(grid().IsSumCol(1));
    // The item is there twice for the pivot, but no change waits to be saved.
    EXPECT_EQ(items().RecordCount(), 2);
    EXPECT_EQ(items().ChangeCount(), 0);
    EXPECT_FALSE(sheet().pending());
    EXPECT_EQ(lines().size(), 1);

    const auto painted = paint();
    const double price = dbValue(QStringLiteral("SELECT VRPRECUNIITM FROM ITEMCOLE WHERE "
                                                "NRCOLEPRECO = ?"),
                                 {kSingleItem})
                             .toDouble();
    EXPECT_EQ(painted.value(QPoint(0, 0)).text, host::FormatFloat("#,##0.00000", price));
    // One supplier: the column caption names both column dimensions together.
    EXPECT_EQ(painted.value(QPoint(-1, -2)).text, "Região/Fornecedor");
    EXPECT_EQ(form().cdsCount.FieldByName(QStringLiteral("NRFORN")).AsFloat(), 1.0);
}

TEST_F(WorksheetFixture, AllRegionsLoadOnceAndAChosenRegionLoadsItsItems)
{
    openWorksheet(kAna, kAnaQuotation);
    EXPECT_EQ(form().cdsServRegiao.FieldByName(QStringLiteral("CDREGIAO")).AsString(), "XXX");
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 1);
    const int all = itemCount(kAnaQuotation);
    EXPECT_EQ(items().RecordCount(), all);
    EXPECT_EQ(lines().size(), all);
    EXPECT_EQ(items().IndexName(), "IndCube");

    // The distinct regions and suppliers, and the counters over the items' order.
    QStringList regions, suppliers;
    QSqlQuery query(db().sql());
    query.exec(QStringLiteral("SELECT DISTINCT CDREGIAO FROM ITEMCOLE WHERE NRCOLEPRECO = '") +
               kAnaQuotation + QStringLiteral("'"));
    while (query.next())
        regions << query.value(0).toString();
    query.exec(QStringLiteral("SELECT DISTINCT CDFORNECED FROM ITEMCOLE WHERE NRCOLEPRECO = '") +
               kAnaQuotation + QStringLiteral("'"));
    while (query.next())
        suppliers << query.value(0).toString().trimmed();
    EXPECT_EQ(sorted(sheet().DegRegistros(QStringLiteral("R"), false)), sorted(regions));
    EXPECT_EQ(sorted(sheet().DegRegistros(QStringLiteral("F"), false)), sorted(suppliers));
    const host::DataSet& counters = form().cdsCount;
    EXPECT_EQ(counters.FieldByName(QStringLiteral("NRFORN")).AsFloat(), suppliers.size());
    // Each supplier starts its regions again: more region changes than regions.
    EXPECT_GT(counters.FieldByName(QStringLiteral("NRREGIAO")).AsFloat(), regions.size());

    // Back to the list and again to the worksheet: nothing is asked again.
    form().pgcPadrao->SelectPage(form().tshCotacao);
    selectWorksheet();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 1);

    // One region, chosen on the region page.
    form().pgcPadrao->SelectPage(form().tshRegiao);
    ASSERT_TRUE(form().cdsServRegiao.Locate(QStringLiteral("CDREGIAO"), QStringLiteral("002")));
    selectWorksheet();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 2);
    EXPECT_EQ(items().RecordCount(),
              itemCount(kAnaQuotation, QStringLiteral("AND CDREGIAO = '002'")));
    EXPECT_EQ(sheet().DegRegistros(QStringLiteral("R"), false), QStringList{"002"});
    form().pgcPadrao->SelectPage(form().tshRegiao);
    selectWorksheet();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 2);
}

TEST_F(WorksheetFixture, AProductNameWithAQuoteFiltersTheItemsWhenQuoted)
{
    db().exec(QStringLiteral("UPDATE PRODUTO SET NMPRODUTO = 'FEIJÃO D''ÁGUA 1KG' WHERE "
                             "CDARVPROD = '0101003'"));
    openWorksheet(kAna, kAnaQuotation);
    int row = 0;
    while (row < grid().DataRowCount() &&
           !module::productNameOf(grid().Cells(-1, row)).contains(QStringLiteral("D'ÁGUA")))
        ++row;
    ASSERT_LT(row, grid().DataRowCount());
    select(QPoint(0, row));
    EXPECT_EQ(Cli_Sup01700::stNmProduto, QStringLiteral("FEIJÃO D'ÁGUA 1KG"));

    items().SetFilter(QStringLiteral("[COCPRODUTO] = '") +
                      sheet().RetornaVlr(QStringLiteral("P"), true) + QStringLiteral("'"));
    items().SetFiltered(true);
    const int expected =
        itemCount(kAnaQuotation, QStringLiteral("AND CDPRODUTO = '%1' AND CDMARCA = '%2'")
                                     .arg(Cli_Sup01700::stCdProduto, Cli_Sup01700::stCdMarca));
    EXPECT_GT(expected, 0);
    EXPECT_EQ(items().RecordCount(), expected);
    items().SetFiltered(false);
}

TEST_F(WorksheetFixture, ARegionWithoutItemsFailsBackToTheListAndIsAskedForAgain)
{
    openAs(kAna);
    goTo(kAnaQuotation);
    form().pgcPadrao->SelectPage(form().tshRegiao);
    ASSERT_TRUE(form().cdsServRegiao.Locate(QStringLiteral("CDREGIAO"), QStringLiteral("002")));
    // Another operator removed the region's items meanwhile.
    db().exec(QStringLiteral("DELETE FROM ITEMCOLE WHERE NRCOLEPRECO = '%1' AND CDREGIAO = '002'")
                  .arg(kAnaQuotation));

    selectWorksheet();
    EXPECT_EQ(ui().lastMessage(), "Não há produtos cotados para região posicionada ou a cotaçao "
                                  "foi excluída por outro operador.");
    EXPECT_EQ(form().pgcPadrao->ActivePage(), form().tshCotacao);
    // The list page is back with its own commands: she is the quotation's buyer.
    EXPECT_TRUE(form().mnuCotacao->isChecked());
    for (QAction* command : {form().mnuFiltro, form().Excluir, form().Procurar, form().Verificar})
        EXPECT_TRUE(command->isEnabled()) << command->objectName().toStdString();
    EXPECT_TRUE(form().navPadrao->isEnabled());
    ui().expectNoBusyShown();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 1);

    // The failed load does not count as loaded: the next attempt asks the server.
    ui().clearRecords();
    selectWorksheet();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 2);
    EXPECT_EQ(form().pgcPadrao->ActivePage(), form().tshCotacao);
    EXPECT_EQ(ui().messages().size(), 1);
}

TEST_F(WorksheetFixture, TheMenuShowsTheQuotationChosenInTheListAndAReloadedListIsAskedForAgain)
{
    openWorksheet(kAna, kAnaQuotation);
    ASSERT_EQ(callsOf(QStringLiteral("GetStringList")), 1);

    // Another quotation chosen in the list, then the worksheet through its menu item.
    form().pgcPadrao->SelectPage(form().tshCotacao);
    goTo(kSingleItem);
    form().mnuPadrao->trigger();
    EXPECT_EQ(form().pgcPadrao->ActivePage(), form().tshPadrao);
    EXPECT_TRUE(form().mnuPadrao->isChecked());
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 2);
    EXPECT_EQ(form().statusPanel(0)->text(), kSingleItem);
    EXPECT_EQ(lines().size(), 1);
    EXPECT_EQ(sheet().DegRegistros(QStringLiteral("R"), false), QStringList{"002"});
    EXPECT_EQ(items().RecordCount(), 2);

    // The same quotation again through the menu: nothing is asked.
    form().pgcPadrao->SelectPage(form().tshCotacao);
    form().mnuPadrao->trigger();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 2);

    // The list loaded anew (its items may have changed meanwhile): the worksheet asks.
    form().pgcPadrao->SelectPage(form().tshCotacao);
    db().exec(QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = 7.25 WHERE NRCOLEPRECO = '%1'")
                  .arg(kSingleItem));
    form().AtualizaCotacao(QString(), QStringLiteral("T"), QStringLiteral("T"), QStringLiteral("T"),
                           QStringLiteral("T"), QDate(), QDate());
    goTo(kSingleItem);
    selectWorksheet();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 3);
    EXPECT_EQ(paint().value(QPoint(0, 0)).text, QStringLiteral("7,25000"));
}

TEST_F(WorksheetFixture, WithoutSubtotalsTheKeysStopBeforeTheGrandTotals)
{
    openWorksheet(kAna, kAnaQuotation);
    // As the page opens: no subtotals, the grand totals last on both sides.
    const int lastRow = grid().DataRowCount() - 1;
    const int lastCol = grid().DataColCount() - 1;
    ASSERT_TRUE(grid().IsSumRow(lastRow));
    ASSERT_TRUE(grid().IsSumCol(lastCol));
    for (int row = 0; row < lastRow; ++row)
        ASSERT_FALSE(grid().IsSumRow(row));
    for (int col = 0; col < lastCol; ++col)
        ASSERT_FALSE(grid().IsSumCol(col));

    select(QPoint(lastCol - 1, lastRow - 1));
    for (const int key : {Qt::Key_Down, Qt::Key_PageDown, Qt::Key_Right, Qt::Key_Tab}) {
        QTest::keyClick(&grid(), Qt::Key(key));
        EXPECT_EQ(QPoint(grid().Col(), grid().Row()), QPoint(lastCol - 1, lastRow - 1)) << key;
    }
    QTest::keyClick(&grid(), Qt::Key_Left);
    EXPECT_EQ(grid().Col(), lastCol - 2);
}

TEST_F(WorksheetFixture, AQuotationUnchangedOnTheServerIsNotReadAgain)
{
    openWorksheet(kAna, kAnaQuotation);
    ASSERT_EQ(callsOf(QStringLiteral("GetStringList")), 1);
    const int all = items().RecordCount();
    auto reloadList = [this] {
        form().pgcPadrao->SelectPage(form().tshCotacao);
        form().AtualizaCotacao(QString(), QStringLiteral("T"), QStringLiteral("T"),
                               QStringLiteral("T"), QStringLiteral("T"), QDate(), QDate());
        goTo(kAnaQuotation);
        selectWorksheet();
    };

    // The list read again, nothing changed on the server: the copy here is shown.
    reloadList();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 1);
    EXPECT_EQ(items().RecordCount(), all);
    EXPECT_EQ(lines().size(), all);

    // A change of another quotation's items, or of an item's observation, changes nothing here.
    db().exec(QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = 3 WHERE NRCOLEPRECO = '%1'")
                  .arg(kSingleItem));
    db().exec(QStringLiteral("UPDATE ITEMCOLE SET DSOBSITMCOL = 'ok' WHERE NRCOLEPRECO = '%1'")
                  .arg(kAnaQuotation));
    reloadList();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 1);

    // A price of this quotation changed by someone else: read again.
    db().exec(QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = 9.5 WHERE NRCOLEPRECO = '%1' AND "
                             "CDREGIAO = '002'")
                  .arg(kAnaQuotation));
    reloadList();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 2);
    EXPECT_TRUE(lines().join(QLatin1Char('\n')).contains(QStringLiteral("øø9,50000øø")));

    // A supplier's name shown in the lines changed: read again.
    db().exec(QStringLiteral("UPDATE FORNECEDOR SET NMFANTFORN = NMFANTFORN || ' LTDA'"));
    reloadList();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 3);
    EXPECT_TRUE(lines().value(0).contains(QStringLiteral(" LTDA")));

    // Prices typed here and not saved: a reload is a real one, whatever the server says.
    items().First();
    items().Edit();
    items().FieldByName(QStringLiteral("CONTA")).SetAsFloat(4.75);
    items().Post();
    ASSERT_GT(items().ChangeCount(), 0);
    sheet().PreencheAltCotacao(true);
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 4);
    EXPECT_EQ(items().ChangeCount(), 0);
}

// Negotiating an item, its worksheet information and its observation, from the worksheet.

#include "worksheet/WorksheetTestSupport.h"

#include "support/Widgets.h"

#include "host/widgets/grid/DBGrid.h"

#include <QAction>
#include <QDialog>
#include <QPlainTextEdit>
#include <QSqlQuery>

using namespace listtest;
using namespace worksheettest;
using testsupport::click;
using testsupport::findWidget;

namespace {

class ItemCommandsFixture : public WorksheetFixture
{
protected:
    // A priced cell of the worksheet, selected.
    void selectPricedCell()
    {
        for (int row = 0; row < grid().DataRowCount() - 1; ++row)
            for (int col = 0; col < grid().DataColCount() - 1; ++col) {
                module::DetailLine line;
                if (module::LocateCotacao(lines(), sheet().CalcIndex(col, row), line) >= 0 &&
                    line.unitPrice != QLatin1String("0,00000")) {
                    select(QPoint(col, row));
                    return;
                }
            }
        FAIL() << "no priced cell";
    }
    int termsOfSelectedItem()
    {
        using namespace Cli_Sup01700;
        return count(QStringLiteral("SELECT COUNT(*) FROM PZOPGTITMCOL WHERE CDFILIAL = '0001' "
                                    "AND NRCOLEPRECO = ? AND CDREGIAO = ? AND CDFORNECED = ? AND "
                                    "CDPRODUTO = ? AND CDMARCA = ?"),
                     {form().currentNumber(), stCdRegiao, stCdForneced, stCdProduto, stCdMarca});
    }
};

} // namespace

TEST_F(ItemCommandsFixture, NegotiationChecksTheItemRecordsItsTermsOnceAndOpensItsScreen)
{
    // Another buyer's quotation: refused before the server is asked.
    openWorksheet(kAna, kCarlosQuotation);
    select(QPoint(0, 0));
    ASSERT_TRUE(form().mnuSimulacao->isEnabled());
    form().mnuSimulacao->trigger();
    EXPECT_EQ(ui().lastMessage(), QStringLiteral("Cotação pertence a outro comprador."));
    EXPECT_TRUE(ui().screens().isEmpty());
    EXPECT_EQ(callsOf(QStringLiteral("Vd_Marca")), 0);
    form().close();

    // Her own quotation: the item's terms, the screen with the item, terms recorded once.
    openWorksheet(kAna, kAnaQuotation);
    selectPricedCell();
    db().exec(QStringLiteral("DELETE FROM PZOPGTITMCOL"));
    int shownTerms = -1;
    ui().onEveryModal(QStringLiteral("SUP01802"), [&shownTerms](QDialog& screen) {
        shownTerms = findWidget<host::DBGrid>(screen, QStringLiteral("dbgFormaPgto"))->model()->rowCount();
        click(screen, QStringLiteral("sbtCancel"));
    });
    form().mnuSimulacao->trigger();
    ASSERT_EQ(ui().screens().size(), 1) << ui().lastMessage().toStdString();
    EXPECT_EQ(ui().screens().first().screen, QStringLiteral("SUP01802"));
    EXPECT_EQ(ui().screens().first().values.size(), 8);
    const int terms = termsOfSelectedItem();
    EXPECT_GT(terms, 0);
    EXPECT_EQ(shownTerms, terms);
    EXPECT_EQ(quotationColumn(QStringLiteral("IDTIPCOLREG"), kAnaQuotation), "G");
    EXPECT_EQ(form().cdsColetapr.ChangeCount(), 0) << "the marking is stored at once";

    // Negotiated terms are kept: the command does not write them again.
    db().exec(QStringLiteral("UPDATE PZOPGTITMCOL SET NRDIAPGTO = 77"));
    form().mnuSimulacao->trigger();
    EXPECT_EQ(termsOfSelectedItem(), terms);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM PZOPGTITMCOL WHERE NRDIAPGTO <> 77")), 0);
}

TEST_F(ItemCommandsFixture, TheObservationShowsTheItemsWholeText)
{
    openWorksheet(kAna, kAnaQuotation);
    selectPricedCell();
    const QString text = QString(400, QLatin1Char('x')) + QStringLiteral(" fim");
    using namespace Cli_Sup01700;
    QSqlQuery update(db().sql());
    update.prepare(QStringLiteral("UPDATE ITEMCOLE SET DSOBSITMCOL = ? WHERE NRCOLEPRECO = ? AND "
                                  "CDREGIAO = ? AND CDFORNECED = ? AND CDPRODUTO = ? AND CDMARCA = ?"));
    for (const QVariant& v : {QVariant(text), QVariant(kAnaQuotation), QVariant(stCdRegiao),
                              QVariant(stCdForneced), QVariant(stCdProduto), QVariant(stCdMarca)})
        update.addBindValue(v);
    ASSERT_TRUE(update.exec());
    QString shown;
    ui().onModal(QStringLiteral("SUP01719"), [&shown](QDialog& dialog) {
        shown = findWidget<QPlainTextEdit>(dialog, QStringLiteral("dbmObsItm"))->toPlainText();
        dialog.reject();
    });
    ASSERT_TRUE(form().mnuObs->isEnabled());
    form().mnuObs->trigger();
    EXPECT_EQ(shown, text);
}

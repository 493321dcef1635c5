// Saving and cancelling the worksheet: the server's validation, the stored prices, a lost
// connection retried and declined, and a cancel that puts everything back.

#include "WorksheetTestSupport.h"

#include "support/Widgets.h"

#include "appserver/modules/Modules.h"
#include "host/core/Exceptions.h"
#include "host/widgets/NumberEdit.h"
#include "host/widgets/SystemColors.h"

#include <QAction>
#include <QDialog>
#include <QListWidget>
#include <QTest>

using namespace listtest;
using namespace worksheettest;
using testsupport::click;
using testsupport::findWidget;

namespace {

// Prices the selected cell with `typed` through the price dialog, as a buyer types it, for
// its region only.
void typePriceOn(testsupport::ScriptedUi& ui, host::TNewDecisionGrid& grid, const QString& typed)
{
    ui.answerNo();
    ui.onModal(QStringLiteral("SUP01711"), [typed](QDialog& dialog) {
        auto* price = findWidget<host::TNumberEdit>(dialog, QStringLiteral("nedPrecoUnit"));
        price->selectAll();
        QTest::keyClicks(price, typed);
        click(dialog, QStringLiteral("sbtConfirma"));
    });
    QTest::keyClick(&grid, Qt::Key_Return);
}

} // namespace

class SaveFixture : public WorksheetFixture
{
protected:
    // The first priced cell of Ana's quotation and its stored price.
    QPoint pricedCell()
    {
        for (int row = 0; row < grid().DataRowCount() - 1; ++row)
            for (int col = 0; col < grid().DataColCount() - 1; ++col) {
                module::DetailLine line;
                if (module::LocateCotacao(lines(), sheet().CalcIndex(col, row), line) >= 0 &&
                    host::FloatMaskOut(line.unitPrice) > 0)
                    return QPoint(col, row);
            }
        return QPoint(-1, -1);
    }
    double storedPrice()
    {
        using namespace Cli_Sup01700;
        return dbValue(QStringLiteral("SELECT VRPRECUNIITM FROM ITEMCOLE WHERE NRCOLEPRECO = ? AND "
                                      "CDREGIAO = ? AND CDFORNECED = ? AND CDPRODUTO = ? AND "
                                      "CDMARCA = ?"),
                       {kAnaQuotation, stCdRegiao, stCdForneced, stCdProduto, stCdMarca})
            .toDouble();
    }
    void confirm() { form().Confirmar->trigger(); }
};

TEST_F(SaveFixture, ConfirmStoresThePricesAndTheWorksheetShowsThemAsStored)
{
    openWorksheet(kAna, kAnaQuotation);
    const QPoint cell = pricedCell();
    ASSERT_GE(cell.x(), 0);
    select(cell);
    typePriceOn(ui(), grid(), QStringLiteral("321,5"));
    select(cell);
    ASSERT_TRUE(form().Confirmar->isEnabled());

    confirm();
    EXPECT_DOUBLE_EQ(storedPrice(), 321.5);
    EXPECT_EQ(quotationColumn(QStringLiteral("IDTIPCOLREG"), kAnaQuotation), "G");
    // Nothing is pending; the line is the server's, without the changed mark.
    EXPECT_FALSE(sheet().pending());
    EXPECT_EQ(form().cdsColetapr.ChangeCount(), 0);
    EXPECT_FALSE(form().Confirmar->isEnabled());
    EXPECT_TRUE(form().tshCotacao->Enabled());
    module::DetailLine line;
    ASSERT_GE(module::LocateCotacao(lines(), sheet().CalcIndex(cell.x(), cell.y()), line), 0);
    EXPECT_EQ(line.unitPrice, QStringLiteral("321,50000"));
    EXPECT_NE(line.changed, QStringLiteral("S"));
    EXPECT_EQ(lines(), *Cli_Sup01700::stlOldCotacao);
    EXPECT_EQ(paint().value(cell).background, host::clInfoBk());
    ui().expectNoBusyShown();
}

TEST_F(SaveFixture, ItemsWithErrorsAreListedAndNothingIsStored)
{
    openWorksheet(kAna, kAnaQuotation);
    const QPoint cell = pricedCell();
    select(cell);
    // The cell's supplier stops serving its region.
    db().exec(QStringLiteral("INSERT INTO REFOREG (CDFORNECED, CDREGIAO, CDPERIENTR) VALUES ('%1', '%2', NULL)")
                  .arg(Cli_Sup01700::stCdForneced, Cli_Sup01700::stCdRegiao));
    const double before = storedPrice();
    typePriceOn(ui(), grid(), QStringLiteral("99"));
    select(cell);

    confirm();
    EXPECT_EQ(ui().lastMessage(),
              QStringLiteral("Existem inconsistências nos dados da cotação. Verifique os itens."));
    EXPECT_DOUBLE_EQ(storedPrice(), before);
    EXPECT_TRUE(sheet().pending());
    ASSERT_FALSE(sheet().lsbErrosCota->isHidden());
    QStringList shown;
    for (int i = 0; i < sheet().lsbErrosCota->count(); ++i)
        shown << sheet().lsbErrosCota->item(i)->text();
    EXPECT_TRUE(shown.contains(QStringLiteral("Fornecedor não atende a região.")));

    // Cancel puts back the price, the lines, the error list and the collection type.
    const QString type = quotationColumn(QStringLiteral("IDTIPCOLREG"), kAnaQuotation);
    ui().answerYes();
    form().Cancelar->trigger();
    EXPECT_FALSE(sheet().pending());
    EXPECT_EQ(items().ChangeCount(), 0);
    EXPECT_EQ(form().cdsColetapr.ChangeCount(), 0);
    EXPECT_EQ(form().cdsColetapr.FieldByName(QStringLiteral("IDTIPCOLREG")).AsString(), type);
    EXPECT_EQ(lines(), *Cli_Sup01700::stlOldCotacao);
    EXPECT_TRUE(sheet().lsbErrosCota->isHidden());
    EXPECT_TRUE(form().tshCotacao->Enabled());
}

TEST_F(SaveFixture, AFailingSaveIsRetriedSilentlyThenLeftToTheBuyer)
{
    // The server fails the first five saves (nothing of them is stored).
    auto failures = std::make_shared<int>(5);
    appserver::rpc::MethodRegistry real = appserver::modules::allMethods();
    appserver::rpc::Method save =
        *real.find(appserver::modules::kPlanCotaPrec, QStringLiteral("GravaPlanCota"));
    const appserver::rpc::Handler store = save.handler;
    save.handler = [store, failures](appserver::rpc::CallContext& call) -> QVariant {
        const QVariant answer = store(call);
        if (*failures > 0) {
            --*failures;
            throw host::Exception(QStringLiteral("conexão interrompida"));
        }
        return answer;
    };
    overrideMethod(save);
    openWorksheet(kAna, kAnaQuotation);
    const QPoint cell = pricedCell();
    select(cell);
    typePriceOn(ui(), grid(), QStringLiteral("44"));
    select(cell);

    // Three silent attempts, then the buyer declines to reconnect: still pending.
    ui().clearRecords();
    ui().answer(host::mrNo);
    confirm();
    ASSERT_EQ(ui().questions().size(), 1);
    EXPECT_TRUE(ui().questions().first().text.startsWith(
        QStringLiteral("Não foi possível comunicar com o servidor de aplicação.")));
    EXPECT_TRUE(ui().questions().first().text.contains(QStringLiteral("conexão interrompida")));
    EXPECT_EQ(callsOf(QStringLiteral("GravaPlanCota")), 4);
    EXPECT_TRUE(sheet().pending());

    // Saved again: one more failure, then stored.
    ui().clearRecords();
    confirm();
    EXPECT_TRUE(ui().questions().isEmpty());
    EXPECT_FALSE(sheet().pending());
    EXPECT_DOUBLE_EQ(storedPrice(), 44.0);
}

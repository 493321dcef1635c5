// The tools over the quotation: zero-priced items removed, best prices loaded, and the page
// shown refreshed.

#include "worksheet/WorksheetTestSupport.h"

#include "support/Widgets.h"

#include "module/controls/ValidityGroup.h"
#include "host/widgets/DateEditPlus.h"

#include <QAction>
#include <QDialog>

using namespace listtest;
using namespace worksheettest;
using testsupport::click;
using testsupport::findWidget;

class ToolsFixture : public WorksheetFixture
{
protected:
    int zeroItems(const QString& number)
    {
        return itemCount(number, QStringLiteral("AND COALESCE(VRPRECUNIITM, 0) = 0"));
    }
};

TEST_F(ToolsFixture, ZeroPricedItemsGoAfterTheQuestionAndOnlyTheWorksheetShownIsReadAgain)
{
    openWorksheet(kAna, kAnaQuotation);
    ASSERT_GT(zeroItems(kAnaQuotation), 0);
    ASSERT_EQ(callsOf(QStringLiteral("GetStringList")), 1);

    // From the list page: the worksheet is not touched now, and is read when opened.
    form().pgcPadrao->SelectPage(form().tshCotacao);
    ui().answerNo();
    form().mnuExclPrZero->trigger();
    EXPECT_GT(zeroItems(kAnaQuotation), 0) << "declined";
    ui().answerYes();
    form().mnuExclPrZero->trigger();
    EXPECT_EQ(zeroItems(kAnaQuotation), 0);
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 1);
    selectWorksheet();
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), 2);
    for (items().First(); !items().Eof(); items().Next())
        EXPECT_NE(items().FieldByName(QStringLiteral("CONTA")).AsFloat(), 0.0);

    // From the worksheet: read again at once.
    const int loads = callsOf(QStringLiteral("GetStringList"));
    db().exec(QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = 0 WHERE NRCOLEPRECO = '%1' AND "
                             "CDREGIAO = '001'")
                  .arg(kAnaQuotation));
    ui().answerYes();
    form().mnuExclPrZero->trigger();
    EXPECT_EQ(zeroItems(kAnaQuotation), 0);
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), loads + 1);
    EXPECT_EQ(items().RecordCount(), itemCount(kAnaQuotation));
}

TEST_F(ToolsFixture, BestPricesFillTheItemsWithoutAPriceAndTheWorksheetShowsThem)
{
    openWorksheet(kAna, kAnaQuotation);
    const int before = zeroItems(kAnaQuotation);
    ASSERT_GT(before, 0);
    const int pricedBefore = itemCount(kAnaQuotation, QStringLiteral("AND VRPRECUNIITM > 0"));
    ui().onModal(QStringLiteral("SUP01718"), [](QDialog& dialog) {
        auto* period = findWidget<module::ValidityGroup>(dialog, QStringLiteral("grbValidade"));
        period->depDtInicial->SetDate(QDate(2025, 1, 1));
        period->depDtFinal->SetDate(QDate(2025, 12, 31));
        click(dialog, QStringLiteral("sbtConfirma"));
    });
    const int loads = callsOf(QStringLiteral("GetStringList"));
    ASSERT_TRUE(form().mnuAutoMelhor->isEnabled());
    form().mnuAutoMelhor->trigger();
    EXPECT_EQ(ui().modals().size(), 1);
    EXPECT_LT(zeroItems(kAnaQuotation), before) << ui().lastMessage().toStdString();
    EXPECT_GE(itemCount(kAnaQuotation, QStringLiteral("AND VRPRECUNIITM > 0")), pricedBefore);
    EXPECT_EQ(callsOf(QStringLiteral("GetStringList")), loads + 1);
}

// Duplicating quotations from the list: the proposed new validity, the checks in the order
// of the focused group, a whole copy reloading the list, a partial one opening the report
// of what was not copied.

#include "register/ListTestSupport.h"

#include "module/controls/ChoiceGroup.h"
#include "module/controls/ValidityGroup.h"
#include "module/records/WeekRule.h"
#include "views/TfrmExportCota.h"
#include "views/TfrmRelDupCotacao.h"

#include "host/widgets/Buttons.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/NumberEdit.h"
#include "host/widgets/SpinEdit.h"

#include <QAction>
#include <QRadioButton>
#include <QTextDocument>
#include <QToolButton>

using namespace listtest;

namespace {

using Dialog = module::TfrmExportCota;

class DuplicationFixture : public ListFixture
{
protected:
    // Opens the dialog from the list's command and runs `script` in it.
    void duplicate(const std::function<void(Dialog&)>& script)
    {
        ui().onModal(QStringLiteral("SUP01713"),
                     [script](QDialog& dialog) { script(static_cast<Dialog&>(dialog)); });
        ASSERT_TRUE(form().mnuCopiarCota->isEnabled());
        form().mnuCopiarCota->trigger();
    }
    // Quotations of the centre whose validity starts on `date`.
    int quotationsFrom(const QDate& date)
    {
        return count(QStringLiteral("SELECT COUNT(*) FROM COLETAPR WHERE CDFILIAL = '0001' AND "
                                    "DTINIVALCOL = ?"),
                     {date.toString(Qt::ISODate)});
    }
};

} // namespace

TEST_F(DuplicationFixture, TheNewValidityFollowsTheLatestQuotationAndAWholeCopyReloadsTheList)
{
    openAs(kAna);
    goTo(kAnaQuotation);
    const QVariant latestWeek = dbValue(QStringLiteral(
        "SELECT NRSEMAFINAL FROM COLETAPR WHERE CDFILIAL = '0001' ORDER BY DTFINVALCOL DESC, "
        "NRCOLEPRECO DESC LIMIT 1"));
    const QVariant latestDate = dbValue(QStringLiteral(
        "SELECT DTFINVALCOL FROM COLETAPR WHERE CDFILIAL = '0001' ORDER BY DTFINVALCOL DESC, "
        "NRCOLEPRECO DESC LIMIT 1"));
    const module::ProposedPeriod expected =
        module::nextTwoWeeks(latestWeek.toInt(), latestDate.toDate());
    ASSERT_TRUE(expected.initialDate.isValid());

    duplicate([&](Dialog& dialog) {
        EXPECT_EQ(dialog.grbValidade->speInicial->value(), expected.initialWeek);
        EXPECT_EQ(dialog.grbValidade->depDtInicial->GetDate(), expected.initialDate);
        EXPECT_EQ(dialog.grbValidade->speFinal->value(), expected.finalWeek);
        EXPECT_EQ(dialog.grbValidade->depDtFinal->GetDate(), expected.finalDate);
        EXPECT_FALSE(dialog.grbCotacao->isEnabled());
        EXPECT_FALSE(dialog.sbtRelCotNDup->isEnabled());
        dialog.depColeta->SetDate(QDate::currentDate());
        dialog.nedReajuste->SetValue(10);
        dialog.sbtImportExport->click();
    });
    EXPECT_TRUE(ui().messages().isEmpty()) << ui().lastMessage().toStdString();
    EXPECT_EQ(quotationsFrom(expected.initialDate), 1);
    // The list shows the new validity's quotations, the copy among them.
    ASSERT_FALSE(list().IsEmpty());
    EXPECT_EQ(list().FieldByName(QStringLiteral("DTINIVALCOL")).AsDate(), expected.initialDate);
    EXPECT_EQ(form().pgcPadrao->ActivePage(), form().tshCotacao);
}

TEST_F(DuplicationFixture, ChecksStartWithTheFocusedGroupAndTheSourceCountsOnlyByValidity)
{
    openAs(kAna);
    goTo(kAnaQuotation);
    db().exec(QStringLiteral("UPDATE PARAMGERAL SET IDSISDOS = '3'"));
    duplicate([&](Dialog& dialog) {
        host::TDateEditPlus* newStart = dialog.grbValidade->depDtInicial;
        newStart->clear();
        // The new validity first when it has the focus, the collection date otherwise.
        newStart->setFocus();
        dialog.sbtImportExport->click();
        EXPECT_EQ(ui().lastMessage(), QStringLiteral("Nova validade inicial deve ser informada."));
        EXPECT_EQ(dialog.depColeta->GetDate(), QDate::currentDate());
        dialog.depColeta->clear();
        dialog.depColeta->setFocus();
        dialog.sbtImportExport->click();
        EXPECT_EQ(ui().lastMessage(), QStringLiteral("Data da coleta deve ser informada."));
        dialog.depColeta->SetDate(QDate::currentDate());
        newStart->SetDate(dialog.grbValidade->depDtFinal->GetDate().addDays(-6));

        // By validity the buyers must be listed here; an inverted source period and an
        // empty list are refused, each from its own group.
        dialog.rbtCotInfo->click();
        EXPECT_TRUE(dialog.grbCotacao->isEnabled());
        EXPECT_FALSE(dialog.grbComprador->todos->isEnabled());
        EXPECT_TRUE(dialog.grbComprador->lista->isChecked());
        dialog.grbCotacao->depDtInicial->SetDate(QDate(2025, 3, 16));
        dialog.grbCotacao->depDtFinal->SetDate(QDate(2025, 3, 10));
        dialog.grbCotacao->depDtFinal->setFocus();
        dialog.sbtImportExport->click();
        EXPECT_EQ(ui().lastMessage(),
                  QStringLiteral("Data de validade inicial deve ser menor ou igual a data de "
                                 "validade final."));
        EXPECT_EQ(QApplication::focusWidget(), dialog.grbCotacao->depDtInicial);
        dialog.grbComprador->lista->setFocus();
        dialog.sbtImportExport->click();
        EXPECT_EQ(ui().lastMessage(), QStringLiteral("Comprador deve ser informado."));

        // The current quotation needs neither a source period nor buyers.
        const int before = ui().messages().size();
        dialog.rbtCotCurr->click();
        dialog.sbtImportExport->click();
        EXPECT_EQ(ui().messages().size(), before) << ui().lastMessage().toStdString();
        EXPECT_EQ(callsOf(QStringLiteral("DuplicaCotacao")), 1);
    });
}

TEST_F(DuplicationFixture, APartialCopyOpensTheReportOfWhatWasNotCopied)
{
    openAs(kAna);
    goTo(kAnaQuotation);
    // The first copy takes the proposed validity; the second asks for the same one (the
    // proposal has moved on past the first copy).
    QDate from, to;
    auto sameCopy = [&](Dialog& dialog) {
        if (!from.isValid()) {
            from = dialog.grbValidade->depDtInicial->GetDate();
            to = dialog.grbValidade->depDtFinal->GetDate();
        }
        dialog.grbValidade->depDtInicial->SetDate(from);
        dialog.grbValidade->depDtFinal->SetDate(to);
        dialog.depColeta->SetDate(QDate::currentDate());
        dialog.sbtImportExport->click();
    };
    duplicate(sameCopy);
    // Back to every quotation of the centre.
    form().AtualizaCotacao(QString(), QStringLiteral("T"), QStringLiteral("T"),
                           QStringLiteral("T"), QStringLiteral("T"), QDate(), QDate());
    goTo(kAnaQuotation);
    const int reloads = callsOf(QStringLiteral("GetColetaPr"));

    // The same copy again: Ana already has a quotation in the new validity.
    QString report;
    ui().onModal(QStringLiteral("SUP01721"), [&](QDialog& dialog) {
        report = static_cast<module::TfrmRelDupCotacao&>(dialog).document().toPlainText();
        dialog.reject();
    });
    ui().answer(host::mrOk);
    duplicate([&](Dialog& dialog) {
        sameCopy(dialog);
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(dialog.sbtRelCotNDup->isEnabled());
        EXPECT_EQ(dialog.stNrCotIni.size(), 10);
        EXPECT_EQ(dialog.stNrCotFin, dialog.stNrCotIni);
        dialog.sbtCancel->click();
    });
    EXPECT_TRUE(ui().messages().isEmpty()) << ui().messageTexts().join(" / ").toStdString();
    ASSERT_EQ(ui().questions().size(), 1);
    EXPECT_EQ(ui().questions().first().text,
              QStringLiteral("Atenção! Existem cotações não duplicadas."));
    EXPECT_TRUE(report.contains(kAnaQuotation)) << report.toStdString();
    EXPECT_TRUE(report.contains(QStringLiteral("Comprador já possui cotação na nova validade.")))
        << report.toStdString();
    // Leaving after copies were asked for reloads the list.
    EXPECT_EQ(callsOf(QStringLiteral("GetColetaPr")), reloads + 1);
}

// Sending a duplication: the checks in the order of the focused group, the server's copy
// and its three kinds of answer, and leaving the dialog.

#include "TfrmExportCota.h"
#include "TfrmRelDupCotacao.h"

#include "module/controls/ChoiceGroup.h"
#include "module/controls/FieldChecks.h"
#include "module/controls/ValidityGroup.h"
#include "module/entry/Cli_Sup01700.h"
#include "module/records/Codes.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/consiste/Consiste.h"
#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/NumberEdit.h"
#include "host/widgets/SpinEdit.h"

#include <QApplication>
#include <QRadioButton>
#include <QToolButton>
#include <array>
#include <functional>

namespace module {

namespace {

// The execute button's marker of a duplication sent and answered.
constexpr int kExecuted = 99;
// The answers of DuplicaCotacao: "X" then "S" (all copied) or another character, the
// first log number of what was not copied (10 characters) and how many more follow.
constexpr QChar kAnswered = QLatin1Char('X');
const QString kAllCopied = QStringLiteral("XS");
constexpr int kLogNumberWidth = 10;

QVariant dateArgument(const QDate& date)
{
    return date.isValid() ? QVariant(date) : QVariant();
}

} // namespace

// ---- checks ----------------------------------------------------------------------------

void TfrmExportCota::Vd_DataColeta(bool mandatory)
{
    m_checks->checkNotAfterToday(depColeta, mandatory, QStringLiteral("dtCol_Vazia"),
                                 QStringLiteral("Dt_Invalida"));
}

void TfrmExportCota::Vd_Validade()
{
    m_checks->checkPeriod(grbValidade->depDtInicial, grbValidade->depDtFinal,
                          {QStringLiteral("DtIni_N_Inf"), QStringLiteral("DtFin_N_Inf"),
                           QStringLiteral("DtIniFin_Inv")});
}

void TfrmExportCota::Vd_Periodo()
{
    // The source period counts only in the copy by validity.
    if (!rbtCotInfo->isChecked())
        return;
    m_checks->checkPeriod(grbCotacao->depDtInicial, grbCotacao->depDtFinal,
                          {QStringLiteral("PerIni_N_Inf"), QStringLiteral("PerFin_N_Inf"),
                           QStringLiteral("PerIniFin_Inv")});
}

void TfrmExportCota::Vd_Comprador()
{
    // The current quotation names its buyer: the list counts only in the copy by validity.
    if (buyerListChosen() && stComprador.isEmpty())
        m_checks->fail(grbComprador->lista, QStringLiteral("Comp_N_Inf"));
}

void TfrmExportCota::checkAll()
{
    enum Check { Collection, Validity, Period, Buyer };
    const std::array<std::function<void()>, 4> run = {
        [this] { Vd_DataColeta(true); },
        [this] { Vd_Validade(); },
        [this] { Vd_Periodo(); },
        [this] { Vd_Comprador(); },
    };
    const QWidget* focused = QApplication::focusWidget();
    auto within = [focused](const QWidget* group) {
        return focused && group->isAncestorOf(focused);
    };
    std::array<Check, 4> order = {Period, Collection, Validity, Buyer};
    if (within(grbValidade))
        order = {Validity, Buyer, Period, Collection};
    else if (within(grbComprador))
        order = {Buyer, Validity, Period, Collection};
    else if (focused == depColeta)
        order = {Collection, Period, Validity, Buyer};
    else if (within(grbCotacao))
        order = {Period, Collection, Validity, Buyer};
    else if (focused == rbtCotInfo)
        order = {Buyer, Period, Collection, Validity};
    for (Check check : order)
        run[check]();
}

// ---- execution -------------------------------------------------------------------------

void TfrmExportCota::sbtImportExportClick()
{
    checkAll();
    sbtRelCotNDup->setEnabled(false);
    const host::Halvore& halvore = host::Halvore::instance();
    QString answer;
    {
        host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Dupl_Cota")));
        answer = host::CheckResultServ(
                     m_main.netPlanCotaPrec.AppServer().call(
                         QStringLiteral("DuplicaCotacao"),
                         {Cli_Sup01700::stCdCentCmp,
                          normaliseWeek(grbValidade->speInicial->value()),
                          normaliseWeek(grbValidade->speFinal->value()),
                          dateArgument(grbValidade->depDtInicial->GetDate()),
                          dateArgument(grbValidade->depDtFinal->GetDate()),
                          m_main.currentNumber(),
                          dateArgument(grbCotacao->depDtInicial->GetDate()),
                          dateArgument(grbCotacao->depDtFinal->GetDate()),
                          dateArgument(depColeta->GetDate()), nedReajuste->Value(), stComprador,
                          rbtCotInfo->isChecked(), buyerListChosen(), halvore.FiliProc(),
                          halvore.Operador()}),
                     false)
                     .toString();
    }
    if (!answer.startsWith(kAnswered))
        host::MensErro(answer);
    // Marked before anything else can fail: closing reloads the list, and the dialog
    // knows the copies were made.
    executeTag = kExecuted;
    if (answer == kAllCopied) {
        reloadMainList();
        accept();
        return;
    }
    showNotCopied(answer);
}

void TfrmExportCota::showNotCopied(const QString& answer)
{
    sbtRelCotNDup->setEnabled(true);
    host::Ui::current().alert(host::MessageKind::Warning, msgPadrao.Msg(QStringLiteral("CotNDup")),
                              {{msgPadrao.Msg(QStringLiteral("VerRel")), host::mrOk}}, this);
    const QString first = answer.mid(2, kLogNumberWidth).trimmed();
    const qint64 further = answer.mid(2 + kLogNumberWidth).trimmed().toLongLong();
    stNrCotIni = host::Ajusta(first, kLogNumberWidth);
    stNrCotFin = host::Ajusta(QString::number(first.toLongLong() + further), kLogNumberWidth);
    CriaRelDupCotacao(*this);
}

void TfrmExportCota::reloadMainList()
{
    const bool listed = buyerListChosen();
    m_main.AtualizaCotacao(listed ? stComprador : QString(),
                           QString::fromLatin1(listed ? " " : AllMarker),
                           QString::fromLatin1(AllMarker), QString::fromLatin1(AllMarker),
                           QStringLiteral(" "), grbValidade->depDtInicial->GetDate(),
                           grbValidade->depDtFinal->GetDate());
}

void TfrmExportCota::reject()
{
    // Leaving after copies were made (cancel, Escape or the close box) shows them in the
    // main list.
    if (executeTag == kExecuted)
        host::guarded([this] { reloadMainList(); });
    host::TfrmPadrImportExport::reject();
}

void CriaCopyCota(TfrmPlanCotaPrec& mainForm)
{
    {
        TfrmExportCota dialog(mainForm);
        host::Ui::current().execModal(dialog, dialog.screenCode());
    }
    mainForm.repaint();
    mainForm.showListPage();
}

} // namespace module

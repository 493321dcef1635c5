#include "TfrmValUltCot.h"

#include "module/controls/ValidityGroup.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Ui.h"
#include "host/widgets/DateEditPlus.h"

#include <QVBoxLayout>
#include <memory>

namespace module {

TfrmValUltCot::TfrmValUltCot(TfrmPlanCotaPrec& form)
    : host::TfrmRotiGeral(QStringLiteral("SUP01718"), QStringLiteral("Última Cotação"), &form),
      m_form(form)
{
    grbValidade = new ValidityGroup(
        msgPadrao.Msg(QStringLiteral("Grb_Validade")), msgPadrao.Msg(QStringLiteral("Lbl_Inicial")),
        msgPadrao.Msg(QStringLiteral("Lbl_Final")), msgPadrao.Msg(QStringLiteral("Data_Inv")),
        clientArea());
    clientLayout()->addWidget(grbValidade);
    grbValidade->datesChanged();
}

void TfrmValUltCot::sbtConfirmaClick()
{
    host::TDateEditPlus* start = grbValidade->depDtInicial;
    host::TDateEditPlus* end = grbValidade->depDtFinal;
    start->CheckValidDate();
    end->CheckValidDate();
    auto require = [this](host::TDateEditPlus* date, const char* key) {
        if (date->GetDate().isValid())
            return;
        date->setFocus();
        host::MensErro(msgPadrao.Msg(QString::fromLatin1(key)));
    };
    require(start, "ValIni_Empty");
    require(end, "ValFin_Empty");
    {
        host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_CarMelhPr")));
        const QString refusal =
            host::CheckResultServ(m_form.netPlanCotaPrec.AppServer().call(
                                      QStringLiteral("CargMelhorsPrs"),
                                      {m_form.currentBranch(), m_form.currentNumber(),
                                       start->GetDate(), end->GetDate()}),
                                  false)
                .toString();
        busy.hide();
        if (!refusal.isEmpty())
            host::MensErro(refusal);
    }
    accept();
}

bool CriaValUltCot(TfrmPlanCotaPrec& form)
{
    // The hourglass while the dialog is made; the person then works with the usual cursor.
    auto hourglass = std::make_unique<host::WaitCursor>();
    TfrmValUltCot dialog(form);
    hourglass.reset();
    return host::Ui::current().execModal(dialog, dialog.screenCode()) == QDialog::Accepted;
}

} // namespace module

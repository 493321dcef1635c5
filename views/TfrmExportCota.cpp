// The duplication dialog's controls, what it shows when it opens (the proposal of the new
// validity) and the rule of its two modes.

#include "TfrmExportCota.h"
#include "TfrmRelDupCotacao.h"

#include "module/controls/ChoiceGroup.h"
#include "module/controls/FieldChecks.h"
#include "module/controls/ValidityGroup.h"
#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "module/records/WeekRule.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/NumberEdit.h"
#include "host/widgets/SpinEdit.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP01713");

// The installation's rule that a copy by validity always names its buyers.
const QString kBuyersListed = QStringLiteral("3");

// Gives a validity group's controls their names on this screen.
void nameControls(ValidityGroup* group, const QString& initialWeek, const QString& initialDate,
                  const QString& finalWeek, const QString& finalDate)
{
    group->speInicial->setObjectName(initialWeek);
    group->depDtInicial->setObjectName(initialDate);
    group->speFinal->setObjectName(finalWeek);
    group->depDtFinal->setObjectName(finalDate);
}

} // namespace

TfrmExportCota::TfrmExportCota(TfrmPlanCotaPrec& mainForm)
    : host::TfrmPadrImportExport(kScreen, QString(), &mainForm), m_main(mainForm),
      m_checks(new FieldChecks(msgPadrao, this))
{
    setWindowTitle(msgPadrao.Msg(QStringLiteral("Caption")));
    sbtImportExport->setToolTip(msgPadrao.Msg(QStringLiteral("Hint_Duplicar")));
    sbtImportExport->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    createControls();
    cdsDadosTela.SetFieldDefs({host::FieldDef::text(QStringLiteral("NRSEMAFINAL"), 2),
                               host::FieldDef::of(QStringLiteral("DTFINVALCOL"),
                                                  host::FieldType::Date)});
}

TfrmExportCota::~TfrmExportCota() = default;

void TfrmExportCota::createControls()
{
    auto msg = [this](const char* key) { return msgPadrao.Msg(QString::fromLatin1(key)); };
    QVBoxLayout* page = clientLayout();
    page->addWidget(createModeRow());

    auto* source = new QHBoxLayout;
    grbCotacao = new ValidityGroup(msg("Grb_Cotacao"), msg("Lbl_Inicial"), msg("Lbl_Final"),
                                   msg("Data_Inv"), clientArea());
    grbCotacao->setObjectName(QStringLiteral("grbCotacao"));
    nameControls(grbCotacao, QStringLiteral("speValIni"), QStringLiteral("depDtIniCot"),
                 QStringLiteral("speValFin"), QStringLiteral("depDtFinCot"));
    grbComprador = new ChoiceGroup(msg("Grb_Comprador"), msg("Todos"),
                                   {QStringLiteral("rbtLista"), QStringLiteral("rbtTodos"),
                                    QStringLiteral("sbtComprador")},
                                   false, &stComprador, nullptr, clientArea());
    grbComprador->search = [this] { searchBuyers(); };
    source->addWidget(grbCotacao, 2);
    source->addWidget(grbComprador, 1, Qt::AlignTop);
    page->addLayout(source);

    // Collection date (with its weekday) and readjustment.
    auto* group = new QGridLayout;
    depColeta = new host::TDateEditPlus(clientArea());
    depColeta->setObjectName(QStringLiteral("depColeta"));
    depColeta->SetInvalidDateText(msg("Data_Inv"));
    edtDiaColeta = new QLineEdit(clientArea());
    edtDiaColeta->setObjectName(QStringLiteral("edtDiaColeta"));
    edtDiaColeta->setReadOnly(true);
    edtDiaColeta->setFocusPolicy(Qt::NoFocus);
    nedReajuste = new host::TNumberEdit(clientArea());
    nedReajuste->setObjectName(QStringLiteral("nedReajuste"));
    nedReajuste->SetDecimals(2);
    nedReajuste->SetThousandSeparator(false);
    nedReajuste->SetAllowNegative(true);
    nedReajuste->SetAutoSelect(true);
    group->addWidget(new QLabel(msg("Lbl_DtColeta"), clientArea()), 0, 0);
    group->addWidget(depColeta, 0, 1);
    group->addWidget(edtDiaColeta, 0, 2);
    group->addWidget(new QLabel(msg("Lbl_Reajuste"), clientArea()), 1, 0);
    group->addWidget(nedReajuste, 1, 1);
    group->setColumnStretch(2, 1);
    page->addLayout(group);

    grbValidade = new ValidityGroup(msg("Grb_Validade"), msg("Lbl_Inicial"), msg("Lbl_Final"),
                                    msg("Data_Inv"), clientArea(), QStringLiteral("_Inc"));
    grbValidade->setObjectName(QStringLiteral("grbValidade"));
    page->addWidget(grbValidade);

    sbtRelCotNDup = new QToolButton(buttonBar());
    sbtRelCotNDup->setObjectName(QStringLiteral("sbtRelCotNDup"));
    sbtRelCotNDup->setToolTip(msg("Hint_RelCotNDup"));
    sbtRelCotNDup->setIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    sbtRelCotNDup->setAutoRaise(true);
    sbtRelCotNDup->setEnabled(false);
    host::connectGuarded(sbtRelCotNDup, &QToolButton::clicked, this,
                         [this](bool) { CriaRelDupCotacao(*this); });
    auto* bar = static_cast<QHBoxLayout*>(buttonBar()->layout());
    bar->insertWidget(bar->indexOf(sbtImportExport) + 1, sbtRelCotNDup);

    // The weekday beside the collection date follows the date entered; leaving the date
    // checks it against today.
    connect(depColeta, &host::TDateEditPlus::dateChanged, this,
            [this](const QDate& date) { edtDiaColeta->setText(host::NomeSemana(date)); });
    m_checks->onExit(depColeta, [this] { Vd_DataColeta(false); });

    // A new dialog asks for every period; the copies are collected today unless told.
    for (host::TDateEditPlus* date : {grbCotacao->depDtInicial, grbCotacao->depDtFinal,
                                      grbValidade->depDtInicial, grbValidade->depDtFinal})
        date->clear();
    depColeta->SetDate(QDate::currentDate());
    grbComprador->select(false);
    applyMode();
}

QWidget* TfrmExportCota::createModeRow()
{
    auto* row = new QWidget(clientArea());
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    rbtCotCurr = new QRadioButton(msgPadrao.Msg(QStringLiteral("Opt_CotCurr")), row);
    rbtCotCurr->setObjectName(QStringLiteral("rbtCotCurr"));
    rbtCotInfo = new QRadioButton(msgPadrao.Msg(QStringLiteral("Opt_CotInfo")), row);
    rbtCotInfo->setObjectName(QStringLiteral("rbtCotInfo"));
    rbtCotCurr->setChecked(true);
    layout->addWidget(rbtCotCurr);
    layout->addWidget(rbtCotInfo);
    layout->addStretch(1);
    host::connectGuarded(rbtCotInfo, &QRadioButton::toggled, this, [this](bool) { applyMode(); });
    return row;
}

// ---- showing ---------------------------------------------------------------------------

void TfrmExportCota::showEvent(QShowEvent* event)
{
    host::TfrmPadrImportExport::showEvent(event);
    // Once the dialog stands at its size: what it shows first may ask the server.
    if (!event->spontaneous())
        QTimer::singleShot(0, this, [this] { host::guarded([this] { FormActivate(); }); });
}

void TfrmExportCota::FormActivate()
{
    // The mode decides what may be edited (the source period stays editable in the copy by
    // validity, whatever message or search was shown before).
    applyMode();
    edtDiaColeta->setText(host::NomeSemana(depColeta->GetDate()));
    if (!boPrimeiraVez)
        return;
    proposeValidity();
    boPrimeiraVez = false;
}

void TfrmExportCota::proposeValidity()
{
    {
        host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_DadTela")));
        const QVariant answer = m_main.netPlanCotaPrec.AppServer().call(
            QStringLiteral("GetDadDuplica"), {Cli_Sup01700::stCdCentCmp});
        cdsDadosTela.SetData(host::CheckResultServ(answer, true).value<host::Packet>());
    }
    host::TWeekSpinEdit* initialWeek = grbValidade->speInicial;
    host::TWeekSpinEdit* finalWeek = grbValidade->speFinal;
    if (cdsDadosTela.IsEmpty()) {
        initialWeek->clear();
        finalWeek->clear();
        grbValidade->depDtInicial->clear();
        grbValidade->depDtFinal->clear();
        return;
    }
    const ProposedPeriod next =
        nextTwoWeeks(cdsDadosTela.FieldByName(QStringLiteral("NRSEMAFINAL")).AsString().toInt(),
                     cdsDadosTela.FieldByName(QStringLiteral("DTFINVALCOL")).AsDate());
    grbValidade->depDtInicial->SetDate(next.initialDate);
    grbValidade->depDtFinal->SetDate(next.finalDate);
    grbValidade->datesChanged();
}

QString TfrmExportCota::generalParameter()
{
    host::Database* db = host::Halvore::instance().database();
    if (!db)
        return QString();
    host::Query parameters(*db, QStringLiteral("qryParamGeral"));
    parameters.LoadSQL(kScreen);
    parameters.Open();
    return parameters.IsEmpty() ? QString()
                                : parameters.FieldByName(QStringLiteral("IDSISDOS")).AsString();
}

// ---- modes and buyers ------------------------------------------------------------------

void TfrmExportCota::applyMode()
{
    const bool byValidity = rbtCotInfo->isChecked();
    grbCotacao->setEnabled(byValidity);
    grbComprador->setEnabled(byValidity);
    if (!byValidity)
        return;
    const bool listForced = generalParameter() == kBuyersListed;
    grbComprador->todos->setEnabled(!listForced);
    if (listForced && !grbComprador->lista->isChecked())
        grbComprador->select(true);
    grbComprador->button->setEnabled(grbComprador->lista->isChecked());
}

bool TfrmExportCota::buyerListChosen() const
{
    return rbtCotInfo->isChecked() && grbComprador->lista->isChecked();
}

void TfrmExportCota::searchBuyers()
{
    host::Database* db = host::Halvore::instance().database();
    if (!db)
        host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
    if (!m_buyers) {
        m_buyers = std::make_unique<host::Query>(*db, QStringLiteral("qryComprador"));
        m_buyers->SetFieldDefs({operatorCodeField(QStringLiteral("Código")),
                                operatorNameField(QStringLiteral("Nome"))});
        m_buyers->LoadSQL(kScreen);
    }
    m_buyers->Open();
    grbComprador->chooseFrom(*m_buyers, QStringLiteral("CDOPERADOR"),
                             msgPadrao.Msg(QStringLiteral("Comprador")) + QLatin1Char('|') +
                                 msgPadrao.Msg(QStringLiteral("Comp_N_Cad")));
}

} // namespace module

#include "TfrmFiltroCotacao.h"

#include "Cli_Sup01701.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "module/controls/ChoiceGroup.h"
#include "module/controls/ValidityGroup.h"
#include "module/records/Codes.h"
#include "module/records/QuotationRecords.h"
#include "module/records/SupplierDisplay.h"

#include "host/core/Query.h"
#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/SpinEdit.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP01701");

// Heights of the dialog: the short one when the centre hides the worksheet choice.
constexpr int kShortHeight = 177;
constexpr int kFullHeight = 200;


} // namespace

TfrmFiltroCotacao::TfrmFiltroCotacao(TfrmPlanCotaPrec& mainForm)
    : host::TfrmFiltroPadrao(kScreen, QStringLiteral("Filtro de Cotação de Preços"), &mainForm),
      m_main(mainForm)
{
    setKeptOnClose(true);
    createTables();
    createControls();
    // A new dialog filters by every buyer, region and supplier, with no period, whatever
    // its options show until its first showing puts back the remembered filter.
    Cli_Sup01701::ResetCriteria();
}

TfrmFiltroCotacao::~TfrmFiltroCotacao() = default;

// ---- controls -------------------------------------------------------------------------

void TfrmFiltroCotacao::createControls()
{
    // The dialog has two fixed heights: 177 pixels, and 23 more for the "Em Planilha" row.
    // Margins and spacing are kept small so that every row fits either height.
    if (QLayout* outer = layout()) {
        outer->setContentsMargins(6, 4, 6, 4);
        outer->setSpacing(2);
    }
    auto* filter = new QVBoxLayout(grbFiltro);
    filter->setContentsMargins(6, 2, 6, 2);
    filter->setSpacing(2);
    auto* choices = new QHBoxLayout;
    auto choice = [this](const QString& title, const QString& all, const ChoiceGroup::Names& names,
                         QString* list, QString* marker, std::function<void()> search) {
        auto* group = new ChoiceGroup(title, all, names, true, list, marker, grbFiltro);
        group->search = std::move(search);
        return group;
    };
    m_buyers = choice(QStringLiteral("Comprador"), QStringLiteral("Todos"),
                      {QStringLiteral("rbtListaComprador"), QStringLiteral("rbtTodosComprador"),
                       QStringLiteral("sbtComprador")},
                      &Cli_Sup01701::stComprador, &Cli_Sup01701::stTComprador,
                      [this] { searchBuyers(); });
    m_regions = choice(QStringLiteral("Região"), QStringLiteral("Todas"),
                       {QStringLiteral("rbtListaRegiao"), QStringLiteral("rbtTodosRegiao"),
                        QStringLiteral("sbtRegiao")},
                       &Cli_Sup01701::stPesqRegiao, &Cli_Sup01701::stTRegiao,
                       [this] { searchRegions(); });
    m_suppliers = choice(QStringLiteral("Fornecedor"), QStringLiteral("Todos"),
                         {QStringLiteral("rbtLForn"), QStringLiteral("rbtTForn"),
                          QStringLiteral("sbtForn")},
                         &Cli_Sup01701::stPesqForn, &Cli_Sup01701::stTForn,
                         [this] { searchSuppliers(); });
    for (ChoiceGroup* group : {m_buyers, m_regions, m_suppliers})
        choices->addWidget(group);
    filter->addLayout(choices);
    filter->addWidget(createValidityGroup());

    chkPlanilha = new QCheckBox(QStringLiteral("Em Planilha"), grbFiltro);
    chkPlanilha->setObjectName(QStringLiteral("chkPlanilha"));
    chkPlanilha->setChecked(true);
    chkPlanilha->setVisible(false);
    filter->addWidget(chkPlanilha);

    rbtListaComprador = m_buyers->lista;
    rbtTodosComprador = m_buyers->todos;
    sbtComprador = m_buyers->button;
    rbtListaRegiao = m_regions->lista;
    rbtTodosRegiao = m_regions->todos;
    sbtRegiao = m_regions->button;
    rbtLForn = m_suppliers->lista;
    rbtTForn = m_suppliers->todos;
    sbtForn = m_suppliers->button;

    // Initial state: a list of buyers, every region and every supplier.
    m_buyers->select(true);
    m_regions->select(false);
    m_suppliers->select(false);
}

QGroupBox* TfrmFiltroCotacao::createValidityGroup()
{
    auto* group = new ValidityGroup(QStringLiteral("Validade"), QStringLiteral("Inicial"),
                                    QStringLiteral("Final"),
                                    msgPadrao.Msg(QStringLiteral("Data_Inv")), grbFiltro);
    speInicial = group->speInicial;
    depDtInicial = group->depDtInicial;
    edtNmSemInicial = group->edtNmSemInicial;
    speFinal = group->speFinal;
    depDtFinal = group->depDtFinal;
    edtNmSemFinal = group->edtNmSemFinal;
    m_validity = group;
    return group;
}

void TfrmFiltroCotacao::createTables()
{
    host::Database* database = host::Halvore::instance().database();
    if (!database)
        host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));

    qryComprador = std::make_unique<host::Query>(*database, QStringLiteral("qryComprador"));
    qryComprador->SetFieldDefs(
        {operatorCodeField(QStringLiteral("Código")), operatorNameField(QStringLiteral("Nome"))});
    qryComprador->LoadSQL(kScreen);
    qryRegiao = std::make_unique<host::Query>(*database, QStringLiteral("qryRegiao"));
    qryRegiao->SetFieldDefs(
        {regionCodeField(QStringLiteral("Código")), regionNameField(QStringLiteral("Nome"))});
    qryRegiao->LoadSQL(kScreen);

    cdsPesqForn.SetFieldDefs(supplierChoiceFields());
    // Person type as its name, document with the mask of the row's person type.
    bindSupplierDisplay(cdsPesqForn, msgPadrao);

    cdsDadosFiltro.SetFieldDefs(
        {host::FieldDef::of(QStringLiteral("DTINIVALCOL"), host::FieldType::Date),
         host::FieldDef::of(QStringLiteral("DTFINVALCOL"), host::FieldType::Date)});
}

// ---- options --------------------------------------------------------------------------

// ---- searches -------------------------------------------------------------------------

void TfrmFiltroCotacao::searchBuyers()
{
    qryComprador->SetParam(QStringLiteral("P_CDOPERADOR"), QString());
    qryComprador->SetParam(QStringLiteral("P_TOPERADOR"), QString::fromLatin1(AllMarker));
    qryComprador->Open();
    if (qryComprador->IsEmpty())
        host::MensErro(msgPadrao.Msg(QStringLiteral("Comp_N_Found")));
    m_buyers->chooseFrom(*qryComprador, QStringLiteral("CDOPERADOR"),
                         msgPadrao.Msg(QStringLiteral("Comprador")));
}

void TfrmFiltroCotacao::searchRegions()
{
    qryRegiao->Open();
    if (qryRegiao->IsEmpty())
        host::MensErro(msgPadrao.Msg(QStringLiteral("Reg_N_Found")));
    m_regions->chooseFrom(*qryRegiao, QStringLiteral("CDREGIAO"),
                          msgPadrao.Msg(QStringLiteral("Regiao")));
}

void TfrmFiltroCotacao::searchSuppliers()
{
    // The quoted suppliers are read from the server once per dialog.
    if (!cdsPesqForn.Active()) {
        host::BusyScope busy(this, msgPadrao.Msg(QStringLiteral("Get_DadosFiltro")));
        const QVariant answer =
            m_main.netPlanCotaPrec.AppServer().call(QStringLiteral("GetPesqForn"));
        cdsPesqForn.SetData(host::CheckResultServ(answer, true).value<host::Packet>());
    }
    m_suppliers->chooseFrom(cdsPesqForn, QStringLiteral("CDFORNECED"),
                            msgPadrao.Msg(QStringLiteral("Forn")) + QLatin1Char('|') +
                                msgPadrao.Msg(QStringLiteral("Forn_N_Found")));
}

// ---- showing --------------------------------------------------------------------------

void TfrmFiltroCotacao::showEvent(QShowEvent* event)
{
    host::TfrmFiltroPadrao::showEvent(event);
    if (!event->spontaneous())
        host::guarded([this] { FormActivate(); });
}

int TfrmFiltroCotacao::formHeight() const
{
    const host::DataSet& parameters = m_main.cdsParaSupri;
    const host::Field* visible = parameters.Active() && !parameters.IsEmpty()
                                     ? parameters.FindField(QStringLiteral("IDVISCOTPLA"))
                                     : nullptr;
    return visible && visible->AsString() == QLatin1String("N") ? kShortHeight : kFullHeight;
}

void TfrmFiltroCotacao::FormActivate()
{
    // The taller form has room for "Em Planilha"; the short one keeps the worksheet on.
    const int height = formHeight();
    chkPlanilha->setVisible(height == kFullHeight);
    if (height != kFullHeight)
        chkPlanilha->setChecked(true);
    if (QLayout* rows = layout())
        rows->activate();
    setFixedHeight(height);
    restoreRemembered();
}

void TfrmFiltroCotacao::restoreRemembered()
{
    const Remembered& r = m_remembered;
    m_buyers->select(r.buyerList);
    Cli_Sup01701::stComprador = r.buyers;
    m_regions->select(r.regionList);
    Cli_Sup01701::stPesqRegiao = r.regions;
    m_suppliers->select(r.supplierList);
    Cli_Sup01701::stPesqForn = r.suppliers;

    depDtInicial->clear();
    depDtFinal->clear();
    depDtInicial->SetDate(r.from);
    depDtFinal->SetDate(r.to);
    m_validity->datesChanged();
}

void TfrmFiltroCotacao::remember()
{
    m_remembered.buyerList = rbtListaComprador->isChecked();
    m_remembered.buyers = Cli_Sup01701::stComprador;
    m_remembered.regionList = rbtListaRegiao->isChecked();
    m_remembered.regions = Cli_Sup01701::stPesqRegiao;
    m_remembered.supplierList = rbtLForn->isChecked();
    m_remembered.suppliers = Cli_Sup01701::stPesqForn;
    m_remembered.from = depDtInicial->GetDate();
    m_remembered.to = depDtFinal->GetDate();
}

// ---- saved options --------------------------------------------------------------------

void TfrmFiltroCotacao::putOptions(host::OptionList& options)
{
    options.setValue(QStringLiteral("stComprador"), Cli_Sup01701::stComprador);
    options.setValue(QStringLiteral("stPesqRegiao"), Cli_Sup01701::stPesqRegiao);
    options.setValue(QStringLiteral("stPesqForn"), Cli_Sup01701::stPesqForn);
}

void TfrmFiltroCotacao::takeOptions(const host::OptionList& options)
{
    // The options stay as selected: a loaded list counts where "Lista" is chosen.
    Cli_Sup01701::stComprador = options.value(QStringLiteral("stComprador"));
    Cli_Sup01701::stPesqRegiao = options.value(QStringLiteral("stPesqRegiao"));
    Cli_Sup01701::stPesqForn = options.value(QStringLiteral("stPesqForn"));
}

} // namespace module

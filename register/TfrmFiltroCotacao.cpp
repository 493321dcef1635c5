#include "TfrmFiltroCotacao.h"

#include "Cli_Sup01701.h"
#include "shell/TfrmPlanCotaPrec.h"

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

QRadioButton* radio(QWidget* parent, const QString& name, const QString& caption)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

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
    m_buyers.list = &Cli_Sup01701::stComprador;
    m_buyers.marker = &Cli_Sup01701::stTComprador;
    m_buyers.emptyListKey = "Comp_N_Inf";
    m_buyers.search = [this] { searchBuyers(); };
    m_regions.list = &Cli_Sup01701::stPesqRegiao;
    m_regions.marker = &Cli_Sup01701::stTRegiao;
    m_regions.emptyListKey = "Reg_N_Inf";
    m_regions.search = [this] { searchRegions(); };
    m_suppliers.list = &Cli_Sup01701::stPesqForn;
    m_suppliers.marker = &Cli_Sup01701::stTForn;
    m_suppliers.emptyListKey = "Forn_N_Inf";
    m_suppliers.search = [this] { searchSuppliers(); };

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
    choices->addWidget(createChoiceGroup(m_buyers, QStringLiteral("Comprador"),
                                         QStringLiteral("rbtListaComprador"),
                                         QStringLiteral("rbtTodosComprador"),
                                         QStringLiteral("Todos"), QStringLiteral("sbtComprador")));
    choices->addWidget(createChoiceGroup(
        m_regions, QStringLiteral("Região"), QStringLiteral("rbtListaRegiao"),
        QStringLiteral("rbtTodosRegiao"), QStringLiteral("Todas"), QStringLiteral("sbtRegiao")));
    choices->addWidget(createChoiceGroup(m_suppliers, QStringLiteral("Fornecedor"),
                                         QStringLiteral("rbtLForn"), QStringLiteral("rbtTForn"),
                                         QStringLiteral("Todos"), QStringLiteral("sbtForn")));
    filter->addLayout(choices);
    filter->addWidget(createValidityGroup());

    chkPlanilha = new QCheckBox(QStringLiteral("Em Planilha"), grbFiltro);
    chkPlanilha->setObjectName(QStringLiteral("chkPlanilha"));
    chkPlanilha->setChecked(true);
    chkPlanilha->setVisible(false);
    filter->addWidget(chkPlanilha);

    rbtListaComprador = m_buyers.lista;
    rbtTodosComprador = m_buyers.todos;
    sbtComprador = m_buyers.button;
    rbtListaRegiao = m_regions.lista;
    rbtTodosRegiao = m_regions.todos;
    sbtRegiao = m_regions.button;
    rbtLForn = m_suppliers.lista;
    rbtTForn = m_suppliers.todos;
    sbtForn = m_suppliers.button;

    // Initial state: a list of buyers, every region and every supplier.
    select(m_buyers, true);
    select(m_regions, false);
    select(m_suppliers, false);
}

QGroupBox* TfrmFiltroCotacao::createChoiceGroup(Choice& choice, const QString& title,
                                                const QString& listName, const QString& allName,
                                                const QString& allCaption,
                                                const QString& searchName)
{
    auto* group = new QGroupBox(title, grbFiltro);
    group->setObjectName(QStringLiteral("grb") + searchName.mid(3));
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(6, 2, 6, 2);
    choice.lista = radio(group, listName, QStringLiteral("Lista"));
    choice.todos = radio(group, allName, allCaption);
    choice.button = new host::TBtnPesquisa(group);
    choice.button->setObjectName(searchName);
    choice.button->setToolTip(QStringLiteral("Pesquisar"));
    row->addWidget(choice.lista);
    row->addWidget(choice.todos);
    row->addWidget(choice.button);
    row->addStretch(1);

    Choice* c = &choice;
    host::connectGuarded(choice.lista, &QRadioButton::toggled, this, [this, c](bool checked) {
        if (checked)
            optionSelected(*c, true);
    });
    host::connectGuarded(choice.todos, &QRadioButton::toggled, this, [this, c](bool checked) {
        if (checked)
            optionSelected(*c, false);
    });
    choice.button->OnClick = [c] { c->search(); };
    choice.lista->installEventFilter(this);
    return group;
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

    cdsPesqForn.SetFieldDefs({
        host::FieldDef::text(QStringLiteral("IDMARCADO"), Width::Flag),
        hidden(supplierCodeField()),
        hidden(supplierPersonTypeField(QStringLiteral("Tipo"))),
        supplierDocumentField(QStringLiteral("Inscrição")),
        supplierTradeNameField(QStringLiteral("Nome Fantasia")),
        supplierLegalNameField(QStringLiteral("Razão Social")),
    });
    // Person type as its name, document with the mask of the row's person type.
    cdsPesqForn.FieldByName(QStringLiteral("IDTPIJURFORN")).OnGetText =
        [this](const host::Field& field, QString& text, bool) {
            const QString key = personTypeMessageKey(field.AsString());
            text = key.isEmpty() ? QString() : msgPadrao.Msg(key);
        };
    cdsPesqForn.FieldByName(QStringLiteral("NRINSJURFORN")).OnGetText = [](const host::Field& field,
                                                                           QString& text, bool) {
        const QString type = field.dataSet().FieldByName(QStringLiteral("IDTPIJURFORN")).AsString();
        text = supplierDocumentText(type, field.AsString());
    };

    cdsDadosFiltro.SetFieldDefs(
        {host::FieldDef::of(QStringLiteral("DTINIVALCOL"), host::FieldType::Date),
         host::FieldDef::of(QStringLiteral("DTFINVALCOL"), host::FieldType::Date)});
}

// ---- options --------------------------------------------------------------------------

void TfrmFiltroCotacao::select(Choice& choice, bool lista)
{
    {
        const QSignalBlocker blockList(choice.lista);
        const QSignalBlocker blockAll(choice.todos);
        (lista ? choice.lista : choice.todos)->setChecked(true);
    }
    optionSelected(choice, lista);
}

void TfrmFiltroCotacao::optionSelected(Choice& choice, bool lista)
{
    choice.button->setEnabled(lista);
    if (lista) {
        choice.marker->clear();
    } else {
        *choice.marker = QString::fromLatin1(AllMarker);
        choice.list->clear();
    }
}

bool TfrmFiltroCotacao::eventFilter(QObject* watched, QEvent* event)
{
    // F9 on a "Lista" option searches its list.
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F9) {
        for (Choice* choice : {&m_buyers, &m_regions, &m_suppliers}) {
            if (watched == choice->lista && choice->lista->isChecked()) {
                host::guarded([choice] { choice->search(); });
                return true;
            }
        }
    }
    return host::TfrmFiltroPadrao::eventFilter(watched, event);
}

// ---- searches -------------------------------------------------------------------------

void TfrmFiltroCotacao::chooseInto(host::DataSet& source, const QString& keyField,
                                   const QString& title, QString& list)
{
    host::MultiSearchRequest request;
    request.source = &source;
    request.keyField = keyField;
    request.title = title;
    request.chosen = list;
    request.parent = this;
    if (const std::optional<QString> chosen = host::Ui::current().PesquisaLista(request))
        list = *chosen;
}

void TfrmFiltroCotacao::searchBuyers()
{
    qryComprador->SetParam(QStringLiteral("P_CDOPERADOR"), QString());
    qryComprador->SetParam(QStringLiteral("P_TOPERADOR"), QString::fromLatin1(AllMarker));
    qryComprador->Open();
    if (qryComprador->IsEmpty())
        host::MensErro(msgPadrao.Msg(QStringLiteral("Comp_N_Found")));
    chooseInto(*qryComprador, QStringLiteral("CDOPERADOR"),
               msgPadrao.Msg(QStringLiteral("Comprador")), Cli_Sup01701::stComprador);
}

void TfrmFiltroCotacao::searchRegions()
{
    qryRegiao->Open();
    if (qryRegiao->IsEmpty())
        host::MensErro(msgPadrao.Msg(QStringLiteral("Reg_N_Found")));
    chooseInto(*qryRegiao, QStringLiteral("CDREGIAO"), msgPadrao.Msg(QStringLiteral("Regiao")),
               Cli_Sup01701::stPesqRegiao);
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
    chooseInto(cdsPesqForn, QStringLiteral("CDFORNECED"),
               msgPadrao.Msg(QStringLiteral("Forn")) + QLatin1Char('|') +
                   msgPadrao.Msg(QStringLiteral("Forn_N_Found")),
               Cli_Sup01701::stPesqForn);
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
    setFixedHeight(formHeight());
    restoreRemembered();
}

void TfrmFiltroCotacao::restoreRemembered()
{
    const Remembered& r = m_remembered;
    select(m_buyers, r.buyerList);
    Cli_Sup01701::stComprador = r.buyers;
    select(m_regions, r.regionList);
    Cli_Sup01701::stPesqRegiao = r.regions;
    select(m_suppliers, r.supplierList);
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

// The new-quotation entry as a page of the main window: its controls, opening and leaving
// it, and the commands it leaves on while it is open.

#include "NewQuotationPage.h"

#include "module/controls/ChoiceGroup.h"
#include "module/controls/FieldChecks.h"
#include "module/controls/ValidityGroup.h"
#include "module/records/SupplierDisplay.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/DataSet.h"
#include "host/core/Query.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/Buttons.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/MaskEdit.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/SpinEdit.h"
#include "host/widgets/SystemColors.h"

#include <QAction>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QVBoxLayout>

namespace module {

namespace {

QLineEdit* nameField(QWidget* parent, const QString& name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    return edit;
}

// Required fields have the info colour.
void markRequired(QWidget* field)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, host::clInfoBk());
    field->setPalette(palette);
}

} // namespace

NewQuotationPage::NewQuotationPage(TfrmPlanCotaPrec& form)
    : m_form(form), m_fieldChecks(new FieldChecks(form.msgPadrao, this))
{
    createControls();
    bindReactions();
}

NewQuotationPage::~NewQuotationPage() = default;

void NewQuotationPage::createControls()
{
    const host::Messages& texts = m_form.msgPadrao;
    auto msg = [&texts](const char* key) { return texts.Msg(QString::fromLatin1(key)); };
    auto* panel = new QWidget(m_form.tshIncCotacao);
    panel->setObjectName(QStringLiteral("panInclusao"));
    auto* page = new QVBoxLayout(m_form.tshIncCotacao);
    page->addWidget(panel);
    page->addStretch(1);
    auto* grid = new QGridLayout(panel);

    // Buyer and collection date.
    auto* buyerRow = new QHBoxLayout;
    medCdComprador = new host::TMaskEdit(panel);
    medCdComprador->setObjectName(QStringLiteral("medCdComprador"));
    medCdComprador->setMaxLength(12);
    medCdComprador->setMaximumWidth(130);
    markRequired(medCdComprador);
    btnComprador = new host::TBtnPesquisa(panel);
    btnComprador->setObjectName(QStringLiteral("btnComprador"));
    edtNmComprador = nameField(panel, QStringLiteral("edtNmComprador"));
    buyerRow->addWidget(new QLabel(msg("Lbl_Comprador"), panel));
    buyerRow->addWidget(medCdComprador);
    buyerRow->addWidget(btnComprador);
    buyerRow->addWidget(edtNmComprador, 1);
    buyerRow->addSpacing(12);
    depColeta = new host::TDateEditPlus(panel);
    depColeta->setObjectName(QStringLiteral("depColeta"));
    depColeta->SetInvalidDateText(msg("Data_Inv"));
    markRequired(depColeta);
    buyerRow->addWidget(new QLabel(msg("Lbl_DtColeta"), panel));
    buyerRow->addWidget(depColeta);
    grid->addLayout(buyerRow, 0, 0, 1, 2);

    grbRegiao = new ChoiceGroup(msg("Grb_Regiao"), msg("Todas"),
                                {QStringLiteral("rbtListaDestino"), QStringLiteral("rbtTodosDestino"),
                                 QStringLiteral("sbtRegiao_Inc")},
                                false, &stRegioes, &stTRegiao, panel);
    grbValidade = new ValidityGroup(msg("Grb_Validade"), msg("Lbl_Inicial"), msg("Lbl_Final"),
                                    msg("Data_Inv"), panel, QStringLiteral("_Inc"));
    for (QWidget* required : {static_cast<QWidget*>(grbValidade->depDtInicial),
                              static_cast<QWidget*>(grbValidade->depDtFinal)})
        markRequired(required);
    grid->addWidget(grbRegiao, 1, 0);
    grid->addWidget(grbValidade, 1, 1, 2, 1);

    auto* type = new QGroupBox(msg("Grb_TipoCotacao"), panel);
    type->setObjectName(QStringLiteral("grbTipoCotacao"));
    auto* typeRow = new QHBoxLayout(type);
    rbtProdTodos = new QRadioButton(msg("Opt_ProdTodos"), type);
    rbtProdTodos->setObjectName(QStringLiteral("rbtProdTodos"));
    rbtProdComprar = new QRadioButton(msg("Opt_ProdComprar"), type);
    rbtProdComprar->setObjectName(QStringLiteral("rbtProdComprar"));
    rbtProdTodos->setChecked(true);
    typeRow->addWidget(rbtProdTodos);
    typeRow->addWidget(rbtProdComprar);
    typeRow->addStretch(1);
    grid->addWidget(type, 2, 0);

    grbForn = new ChoiceGroup(msg("Grb_Fornecedor"), msg("Todos"),
                              {QStringLiteral("rbtListForn"), QStringLiteral("rbtTForn"),
                               QStringLiteral("sbtPesqForn")},
                              false, &stFornecedores, &stTForn, panel);
    grid->addWidget(grbForn, 3, 0);

    auto* products = new QGroupBox(msg("Grb_Produto"), panel);
    products->setObjectName(QStringLiteral("grbProduto"));
    auto* productRows = new QVBoxLayout(products);
    productRows->addWidget(createProductRow(msg("Lbl_Inicial"), QStringLiteral("Ini"),
                                            medCdProdIni, btnProdIni, edtNmProdIni));
    productRows->addWidget(createProductRow(msg("Lbl_Final"), QStringLiteral("Fin"), medCdProdFin,
                                            btnProdFin, edtNmProdFin));
    grid->addWidget(products, 3, 1, 2, 1);

    grbMarca = new ChoiceGroup(msg("Grb_Marca"), msg("Todas"),
                               {QStringLiteral("rbtListMarca"), QStringLiteral("rbtTMarca"),
                                QStringLiteral("sbtMarca")},
                               false, &stMarcas, nullptr, panel);
    grbVerificacoes = new ChoiceGroup(msg("Grb_Verificacoes"), msg("Todas"),
                                      {QStringLiteral("rbtListVerif"), QStringLiteral("rbtTVerif"),
                                       QStringLiteral("sbtVerif")},
                                      false, &stVerificacoes, nullptr, panel);
    grid->addWidget(grbMarca, 4, 0);
    grid->addWidget(grbVerificacoes, 5, 0);

    auto* options = new QVBoxLayout;
    auto check = [panel, &options](const QString& name, const QString& caption) {
        auto* box = new QCheckBox(caption, panel);
        box->setObjectName(name);
        options->addWidget(box);
        return box;
    };
    chkCargObs = check(QStringLiteral("chkCargObs"), msg("Chk_CargObs"));
    chkCarrega = check(QStringLiteral("chkCarrega"), msg("Chk_Carrega"));
    chkDisMontLis = check(QStringLiteral("chkDisMontLis"), msg("Chk_DisMontLis"));
    chkDisMontLis->setChecked(true);
    grid->addLayout(options, 5, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    // The product code picture of the installation.
    const QString picture = host::Halvore::instance().DBPict(host::Halvore::ProductPicture);
    medCdProdIni->SetEditMask(picture);
    medCdProdFin->SetEditMask(picture);
}

QWidget* NewQuotationPage::createProductRow(const QString& caption, const QString& suffix,
                                            host::TMaskEdit*& code, host::TBtnPesquisa*& button,
                                            QLineEdit*& name)
{
    auto* row = new QWidget;
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    code = new host::TMaskEdit(row);
    code->setObjectName(QStringLiteral("medCdProd") + suffix);
    code->setMaximumWidth(110);
    button = new host::TBtnPesquisa(row);
    button->setObjectName(QStringLiteral("btnProd") + suffix);
    name = nameField(row, QStringLiteral("edtNmProd") + suffix);
    auto* label = new QLabel(caption, row);
    label->setMinimumWidth(40);
    layout->addWidget(label);
    layout->addWidget(code);
    layout->addWidget(button);
    layout->addWidget(name, 1);
    return row;
}

// ---- opening and leaving -------------------------------------------------------------------

void NewQuotationPage::CriaInclusaoCotacao()
{
    TfrmPlanCotaPrec& form = m_form;
    stFornecedores.clear();
    stMarcas.clear();
    stVerificacoes.clear();
    grbRegiao->select(false);
    grbForn->select(false);
    grbMarca->select(false);
    grbVerificacoes->select(false);
    chkCarrega->setChecked(false);
    {
        form.pgcPadrao->setUpdatesEnabled(false);
        const auto unlock = qScopeGuard([&form] { form.pgcPadrao->setUpdatesEnabled(true); });
        form.tshIncCotacao->SetTabVisible(true);
        form.pgcPadrao->SetActivePage(form.tshIncCotacao);
        form.mnuIncCotacao->setVisible(true);
        form.mnuIncCotacao->setChecked(true);
        form.BarraFerramenta();
    }
    const QDate today = QDate::currentDate();
    depColeta->SetDate(today);
    grbValidade->depDtInicial->SetDate(today);
    grbValidade->depDtFinal->SetDate(today);
    grbValidade->datesChanged();
    const host::Halvore& halvore = host::Halvore::instance();
    medCdComprador->SetText(halvore.Operador());
    edtNmComprador->setText(halvore.NomeOperador());
    boSenhaConfirmada = false;
    chkDisMontLis->setChecked(true);
    medCdComprador->setFocus();
}

void NewQuotationPage::Cancelar_InclusaoCotacao()
{
    TfrmPlanCotaPrec& form = m_form;
    form.setUpdatesEnabled(false);
    const auto unlock = qScopeGuard([&form] { form.setUpdatesEnabled(true); });
    for (host::TDateEditPlus* date :
         {depColeta, grbValidade->depDtInicial, grbValidade->depDtFinal})
        date->clear();
    for (host::TMaskEdit* code : {medCdComprador, medCdProdIni, medCdProdFin})
        code->clear();
    for (QLineEdit* name : {edtNmComprador, edtNmProdIni, edtNmProdFin})
        name->clear();
    grbValidade->speInicial->SetValue(1);
    grbValidade->speFinal->SetValue(1);
    grbRegiao->select(false);
    form.tshIncCotacao->SetTabVisible(false);
    form.mnuIncCotacao->setVisible(false);
    // The list page with its own page-change handling (the other pages come back with it).
    form.showListPage();
}

// ---- the page --------------------------------------------------------------------------------

void NewQuotationPage::commandStates()
{
    TfrmPlanCotaPrec& form = m_form;
    for (QAction* command : {form.Incluir, form.Alterar, form.Excluir, form.Procurar, form.Verificar})
        command->setEnabled(false);
    form.Confirmar->setEnabled(true);
    form.Cancelar->setEnabled(true);
    form.showNavigator(false, false);
}

void NewQuotationPage::extraCommandStates()
{
    // While the entry is open the other pages and the tools wait.
    TfrmPlanCotaPrec& form = m_form;
    for (host::TTabSheet* page :
         {form.tshCotacao, form.tshRegiao, form.tshPadrao, form.tshProdForn, form.tshFornProd})
        form.setPageEnabled(page, false);
    for (QAction* command :
         {form.mnuCotacao, form.mnuPadrao, form.mnuProdForn, form.mnuFornProd, form.mnuFiltro,
          form.mnuCopiarCota, form.mnuAutoMelhor, form.mnuExclPrZero, form.mnuPlanilha,
          form.mnuSimulacao, form.mnuObs, form.mnuQtComprar, form.mnuReajustPr, form.mnuCadAut,
          form.mnuHistorico})
        command->setEnabled(false);
}

void NewQuotationPage::focus()
{
    medCdComprador->setFocus();
}

void NewQuotationPage::confirm()
{
    Confirmar_InclusaoCotacao();
}

void NewQuotationPage::cancel()
{
    if (host::Ui::current().ask(host::MessageKind::Confirmation,
                                m_form.msgPadrao.Msg(QStringLiteral("Canc")),
                                host::MessageButtons::YesNo, &m_form) != host::mrYes)
        return;
    Cancelar_InclusaoCotacao();
    if (PageHandler* list = m_form.pageHandler(m_form.tshCotacao);
        list && m_form.tshCotacao->Enabled())
        list->focus();
}

} // namespace module

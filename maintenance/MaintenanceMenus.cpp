#include "MaintenanceMenus.h"

#include "MaintenanceEntries.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/entry/PlanCotaPrecPages.h"
#include "shell/ItemChecks.h"
#include "shell/TfrmPlanCotaPrec.h"
#include "worksheet/Worksheet.h"

#include "host/pivot/NewDecisionGrid.h"
#include "host/ui/Guard.h"
#include "host/widgets/PageControl.h"

#include <QMenu>
#include <QToolButton>

namespace module {

namespace {

QAction* addItem(QMenu* menu, const char* name, const QString& caption)
{
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

} // namespace

MaintenanceMenus::MaintenanceMenus(TfrmPlanCotaPrec& form) : QObject(&form), m_form(form)
{
    createMenus();
    Worksheet& worksheet = worksheetOf(form);
    worksheet.OnInclude = [this] {
        prepareFerramenta(Mode::Insert);
        showBelow(pmnFerramenta, m_form.sbtIncluir);
    };
    worksheet.OnRemove = [this] {
        prepareFerramenta(Mode::Delete);
        showBelow(pmnFerramenta, m_form.sbtExcluir);
    };
    worksheet.OnChange = [this] { showBelow(pmnAlteracao, m_form.sbtAlterar); };
    form.setCommandHandler(form.mnuCadAut, [this] { cadAutClick(); });
}

void MaintenanceMenus::createMenus()
{
    pmnFerramenta = new QMenu(&m_form);
    pmnFerramenta->setObjectName(QStringLiteral("pmnFerramenta"));
    mnuForn = addItem(pmnFerramenta, "mnuForn", QStringLiteral("&Fornecedor"));
    mnuRegiao = addItem(pmnFerramenta, "mnuRegiao", QStringLiteral("&Região"));
    pmnFerramenta->addSeparator();
    mnuProduto = addItem(pmnFerramenta, "mnuProduto", QStringLiteral("&Produto"));
    mnuMarca = addItem(pmnFerramenta, "mnuMarca", QStringLiteral("&Marca"));
    m_items = {{mnuForn, &CriaForneInsert, &CriaForneDelete, "NRFORN"},
               {mnuRegiao, &CriaRegiaoInsert, &CriaRegiaoDelete, "NRREGIAO"},
               {mnuProduto, &CriaProdutoInsert, &CriaProdutoDelete, "NRPROD"},
               {mnuMarca, &CriaMarcaInsert, &CriaMarcaDelete, "NRMARCA"}};
    for (const Item& item : m_items)
        host::connectGuarded(item.action, &QAction::triggered, this,
                             [this, item] { ferramentaClick(item); });

    pmnAuto = new QMenu(&m_form);
    pmnAuto->setObjectName(QStringLiteral("pmnAuto"));
    mnuAutoInsert = addItem(pmnAuto, "mnuAutoInsert", QStringLiteral("&Cadastro Automático de Produtos"));
    mnuAutoDelete = addItem(pmnAuto, "mnuAutoDelete", QStringLiteral("&Exclusão Automática de Produtos"));
    // Automatic registration and deletion of products are not offered yet.
    mnuAutoInsert->setEnabled(false);
    mnuAutoDelete->setEnabled(false);
    mnuInsProd = addItem(pmnAuto, "mnuInsProd", QStringLiteral("&Inclusão de Produto"));
    mnuDelProd = addItem(pmnAuto, "mnuDelProd", QStringLiteral("&Exclusão de Produto"));
    mnuInsForn = addItem(pmnAuto, "mnuInsForn", QStringLiteral("I&nclusão de Fornecedor"));
    mnuDelForn = addItem(pmnAuto, "mnuDelForn", QStringLiteral("Exc&lusão de Fornecedor"));
    mnuInsReg = addItem(pmnAuto, "mnuInsReg", QStringLiteral("Incl&usão de Região"));
    mnuDelReg = addItem(pmnAuto, "mnuDelReg", QStringLiteral("Exclu&são de Região"));
    mnuAlteracaodeMarca =
        addItem(pmnAuto, "mnuAlteracaodeMarca", QStringLiteral("&Alteração de Marca"));
    const std::pair<QAction*, void (*)(TfrmPlanCotaPrec&)> autoItems[] = {
        {mnuInsProd, &CriaProdutoInsert}, {mnuDelProd, &CriaProdutoDelete},
        {mnuInsForn, &CriaForneInsert},   {mnuDelForn, &CriaForneDelete},
        {mnuInsReg, &CriaRegiaoInsert},   {mnuDelReg, &CriaRegiaoDelete},
        {mnuAlteracaodeMarca, &CriaMarcaAlter}};
    for (const auto& [action, open] : autoItems)
        host::connectGuarded(action, &QAction::triggered, this,
                             [this, open = open] { open(m_form); });

    pmnAlteracao = new QMenu(&m_form);
    pmnAlteracao->setObjectName(QStringLiteral("pmnAlteracao"));
    Produto1 = addItem(pmnAlteracao, "Produto1", QStringLiteral("&Produto"));
    Produto1->setVisible(false);
    mnuUpMarca = addItem(pmnAlteracao, "mnuUpMarca", QStringLiteral("&Marca"));
    host::connectGuarded(mnuUpMarca, &QAction::triggered, this, [this] {
        CriaMarcaAlter(m_form);
        m_form.repaint();
        worksheetOf(m_form).stCdProdAnterior.clear();
    });
}

double MaintenanceMenus::counter(const char* field) const
{
    const host::DataSet& counts = m_form.cdsCount;
    if (!counts.Active() || counts.IsEmpty())
        return 0;
    return counts.FieldByName(QString::fromLatin1(field)).AsFloat();
}

void MaintenanceMenus::prepareFerramenta(Mode mode)
{
    m_mode = mode;
    worksheetOf(m_form).ContaRegs(QStringLiteral("T"));
    const bool inserting = mode == Mode::Insert;
    for (const Item& item : m_items)
        item.action->setEnabled(inserting || counter(item.counter) > 1);
    // A region is added only while all regions are shown.
    if (inserting) {
        const host::DataSet& regions = m_form.cdsServRegiao;
        mnuRegiao->setEnabled(regions.Active() && !regions.IsEmpty() &&
                              regions.FieldByName(QStringLiteral("CDREGIAO"))
                                      .AsString()
                                      .compare(QLatin1String("XXX"), Qt::CaseInsensitive) == 0);
    }
}

void MaintenanceMenus::ferramentaClick(const Item& item)
{
    Worksheet& worksheet = worksheetOf(m_form);
    host::TNewDecisionGrid& grid = *worksheet.degCotacao;
    if (m_mode == Mode::Insert) {
        item.insert(m_form);
        m_form.repaint();
    } else {
        const int before = Cli_Sup01700::ActiveRow;
        item.remove(m_form);
        m_form.repaint();
        // The row above the one selected before, kept inside the grid.
        if (Cli_Sup01700::ActiveRow != before && before - 1 >= 0 && grid.DataRowCount() > 0)
            grid.GotoCell(grid.FixedCols(),
                          qBound(grid.FixedRows(), before - 1, grid.RowCount() - 1));
    }
    m_form.BarraFerramenta();
    worksheet.stCdProdAnterior.clear();
}

bool MaintenanceMenus::itemsAtHand() const
{
    return worksheetOf(m_form).holdsCurrentQuotation();
}

bool MaintenanceMenus::prepareAuto()
{
    host::TTabSheet* page = m_form.pgcPadrao->ActivePage();
    if (page == m_form.tshCotacao)
        return false;
    const bool otherPage = page != m_form.tshPadrao;
    // The dialogs work on the worksheet's items: only with those of this quotation at hand.
    const bool atHand = itemsAtHand();
    for (QAction* item : {mnuInsProd, mnuInsForn, mnuInsReg, mnuDelProd, mnuDelForn, mnuDelReg,
                          mnuAlteracaodeMarca}) {
        item->setVisible(otherPage);
        item->setEnabled(atHand);
    }
    return true;
}

void MaintenanceMenus::cadAutClick()
{
    vd_OperSistema(m_form);
    if (prepareAuto())
        showBelow(pmnAuto, m_form.sbtCadAut);
}

void MaintenanceMenus::showBelow(QMenu* menu, QToolButton* button)
{
    const QPoint at = button && button->isVisible()
                          ? button->mapToGlobal(QPoint(0, button->height()))
                          : m_form.mapToGlobal(QPoint(0, 0));
    menu->popup(at);
}

} // namespace module

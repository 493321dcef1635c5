#include "QuotationListPage.h"

#include "FiltroCotacao.h"
#include "QuotationListImages.h"

#include "shell/TfrmPlanCotaPrec.h"

#include "module/records/Codes.h"
#include "module/records/QuotationRecords.h"
#include "module/records/SupplierDisplay.h"

#include "host/core/Query.h"
#include "host/net/CheckResultServ.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/CellImage.h"
#include "host/widgets/KeyClaim.h"
#include "host/widgets/PageControl.h"
#include "host/widgets/SystemColors.h"
#include "host/widgets/grid/DBGrid.h"

#include <QKeyEvent>
#include <QPainter>
#include <QSplitter>
#include <QVBoxLayout>
#include <functional>
#include <memory>
#include <utility>

namespace module {

namespace {

const QString kScreen = QStringLiteral("SUP01700");
const QString kBuyer = QStringLiteral("CDOPERADOR");
const QString kBuyerName = QStringLiteral("NMOPERADOR");
const QString kCollectionType = QStringLiteral("IDTIPCOLREG");
const QString kListFlag = QStringLiteral("IDDISMONTLIS");

bool is(const QKeyEvent& key, int code, Qt::KeyboardModifiers modifiers)
{
    return key.key() == code && (key.modifiers() & ~Qt::KeypadModifier) == modifiers;
}

// The buyers the logged-in operator manages (qryPesqGereComp): all of them, or one buyer.
std::unique_ptr<host::Query> managedBuyers(const QString& buyer, bool all)
{
    host::Halvore& halvore = host::Halvore::instance();
    if (!halvore.database())
        host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
    auto query =
        std::make_unique<host::Query>(*halvore.database(), QStringLiteral("qryPesqGereComp"));
    query->LoadSQL(kScreen);
    query->SetFieldDefs(
        {operatorCodeField(QStringLiteral("Código")), operatorNameField(QStringLiteral("Nome"))});
    query->SetParam(QStringLiteral("P_CDOPERGERE"), halvore.Operador());
    query->SetParam(QStringLiteral("P_CDOPERCOMP"), buyer);
    query->SetParam(QStringLiteral("P_TCDOPERCOMP"), all ? QStringLiteral("T") : QString());
    query->Open();
    return query;
}

} // namespace

QuotationListPage::QuotationListPage(TfrmPlanCotaPrec& form)
    : m_form(form), m_list(form.cdsColetapr)
{
    createGrids();
    bindTables();
    m_form.setCommandHandler(m_form.mnuFiltro, [this] { FiltraCotacao(); });
    // The kept filter dialog goes with the window.
    m_form.addCloseStep([] { DestroiFiltroCotacao(); });
}

// ---- the grids -------------------------------------------------------------------------------

void QuotationListPage::createGrids()
{
    using Column = host::DBGrid::Column;
    auto* listLayout = new QVBoxLayout(m_form.tshCotacao);
    listLayout->setContentsMargins(0, 0, 0, 0);
    splitter = new QSplitter(Qt::Vertical, m_form.tshCotacao);
    splitter->setObjectName(QStringLiteral("splCotacao"));
    listLayout->addWidget(splitter);

    // Only the buyer column is ever typed in (by a manager of the buyer).
    dbgCotacao = new host::DBGrid(splitter);
    dbgCotacao->setObjectName(QStringLiteral("dbgCotacao"));
    dbgCotacao->SetColor(host::clInfoBk());
    dbgCotacao->SetColumns({
        Column{kCollectionType, {}, 26, {}, {}, true, false},
        Column{QStringLiteral("NRCOLEPRECO"), {}, 92, {}, {}, true, false},
        Column{QStringLiteral("DTCOLEPREC"), {}, 84, {}, {}, true, false},
        Column{kBuyer, {}, 188, {}, {}, true, false},
        Column{QStringLiteral("Semana"), {}, 70, {}, {}, true, false},
        Column{QStringLiteral("Data"), QStringLiteral("Validade (Data)"), 170, {}, {}, true, false},
        Column{kListFlag, {}, 0, {}, Qt::AlignHCenter, true, false},
    });
    dbgCotacao->SetDataSet(&m_list);

    dbgForns = new host::DBGrid(splitter);
    dbgForns->setObjectName(QStringLiteral("dbgForns"));
    dbgForns->SetReadOnly(true);
    dbgForns->SetColumns({
        Column{QStringLiteral("IDTPIJURFORN"), {}, 96},
        Column{QStringLiteral("NRINSJURFORN"), {}, 140},
        Column{QStringLiteral("NMRAZSOCFORN")},
        Column{QStringLiteral("NMFANTFORN")},
    });
    dbgForns->SetDataSet(&m_form.cdsFornCotados);
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);

    dbgCotacao->OnDrawColumnCell = [this](QPainter& painter, const QRect& rect, int,
                                          host::Field& field, int state) {
        drawCell(painter, rect, field, state);
    };
    dbgCotacao->OnKeyDown = [this](QKeyEvent& key) { return listKey(key); };
    dbgForns->OnKeyDown = [this](QKeyEvent& key) { return supplierKey(key); };
    // Ctrl+PageDown is also the window's "next record", Ctrl+Delete its "delete".
    host::ClaimKeys(dbgCotacao, {Qt::ControlModifier | Qt::Key_PageDown, QKeyCombination(Qt::Key_Space)});
    host::ClaimKeys(dbgForns, {Qt::ControlModifier | Qt::Key_PageUp, Qt::AltModifier | Qt::Key_PageUp,
                               Qt::ControlModifier | Qt::Key_Delete});

    dbgCotacao->OnColExit = [this](host::Field& field) {
        if (field.FieldName() == kBuyer && listEditing())
            Vd_GereComp(false);
    };
    dbgCotacao->OnEditButtonClick = [this](host::Field& field) {
        if (field.FieldName() == kBuyer)
            PesquisaComprador();
    };
    dbgCotacao->OnCellClick = [this](host::Field& field) {
        if (field.FieldName() == kListFlag)
            AlternaLista();
    };
}

void QuotationListPage::bindTables()
{
    const QString connector = m_form.msgPadrao.Msg(QStringLiteral("msgA"));
    m_list.FieldByName(QStringLiteral("Semana")).OnCalculate = [connector](
                                                                   const host::DataSet& list) {
        return QVariant(weekRangeText(list.FieldByName(QStringLiteral("NRSEMAINIC")).AsString(),
                                      list.FieldByName(QStringLiteral("NRSEMAFINAL")).AsString(),
                                      connector));
    };
    m_list.FieldByName(QStringLiteral("Data")).OnCalculate = [connector](
                                                                 const host::DataSet& list) {
        return QVariant(validityRangeText(list.FieldByName(QStringLiteral("DTINIVALCOL")).AsDate(),
                                          list.FieldByName(QStringLiteral("DTFINVALCOL")).AsDate(),
                                          connector));
    };

    // New quotations come only from the new-quotation page.
    m_list.BeforeInsert = [](host::DataSet&) { throw host::EAbort(); };
    // Taken before the state changes, so the command states already judge the stored buyer.
    m_list.BeforeEdit = [this](host::DataSet& list) {
        m_storedBuyer = list.FieldByName(kBuyer).AsString();
        m_storedBuyerName = list.FieldByName(kBuyerName).AsString();
    };
    m_list.BeforePost = [this](host::DataSet&) { Vd_GereComp(true); };
    // A quotation posted on the list is saved at once, so the list never holds changes of
    // two quotations and every save concerns the quotation just changed. What the
    // worksheet posts (its collection type) goes with the worksheet's save.
    m_list.AfterPost = [this](host::DataSet&) {
        if (m_form.pgcPadrao->ActivePage() == m_form.tshCotacao)
            m_form.GravaCotacao();
    };
    m_list.FieldByName(kBuyer).OnChange = [this](host::Field&) {
        if (listEditing())
            m_list.FieldByName(kBuyerName).Clear();
    };

    // The server deletes the quotation before the row goes; its refusal keeps the row.
    m_list.BeforeDelete = [this](host::DataSet& list) {
        host::BusyScope busy(&m_form, m_form.msgPadrao.Msg(QStringLiteral("Excl_Cotacao")));
        const QString refusal =
            host::CheckResultServ(m_form.netPlanCotaPrec.AppServer().call(
                                      QStringLiteral("DelColetaPr"),
                                      {list.FieldByName(QStringLiteral("CDFILIAL")).AsString(),
                                       list.FieldByName(QStringLiteral("NRCOLEPRECO")).AsString(),
                                       host::Halvore::instance().Operador()}),
                                  false)
                .toString();
        busy.hide();
        if (!refusal.isEmpty())
            host::MensErro(refusal);
    };
    m_list.AfterDelete = [this](host::DataSet& list) {
        m_form.BarraFerramenta();
        // The deletion is done on the server: a later save must not send it again.
        list.MergeChangeLog();
    };

    // Quoted suppliers: their person type and document as every supplier list shows them.
    host::DataSet& suppliers = m_form.cdsFornCotados;
    bindSupplierDisplay(suppliers, m_form.msgPadrao);
}

// ---- the operator and the buyer --------------------------------------------------------------

bool QuotationListPage::listEditing() const
{
    return m_list.State() == host::DataSetState::Edit ||
           m_list.State() == host::DataSetState::Insert;
}

bool QuotationListPage::managesCurrentBuyer() const
{
    // While a reassignment is typed, the rights are those over the quotation's buyer.
    const QString buyer = m_form.quotationBuyer();
    if (buyer.isEmpty())
        return false;
    return !managedBuyers(buyer, false)->IsEmpty();
}

void QuotationListPage::allowBuyerEditing(bool managed)
{
    dbgCotacao->SetColumnReadOnly(kBuyer, !managed);
    dbgCotacao->SetColumnButton(kBuyer, managed && listEditing());
}

void QuotationListPage::FiltraFornecedores()
{
    QString number = m_form.currentNumber();
    number.replace(QLatin1Char('\''), QStringLiteral("''"));
    host::DataSet& suppliers = m_form.cdsFornCotados;
    suppliers.SetFilter(QStringLiteral("[NRCOLEPRECO]= '") + number + QLatin1Char('\''));
    suppliers.SetFiltered(true);
}

// ---- deleting a quotation --------------------------------------------------------------------

void QuotationListPage::ExcluiCotacao()
{
    if (m_list.State() != host::DataSetState::Browse || m_list.IsEmpty())
        return;
    if (host::Ui::current().ask(host::MessageKind::Confirmation,
                                m_form.msgPadrao.Msg(QStringLiteral("Excl")),
                                host::MessageButtons::YesNo, &m_form) != host::mrYes)
        return;
    m_form.update();
    host::WaitCursor sqlWait;
    // What the list does before moving is not for a deletion.
    struct RestoreBeforeScroll
    {
        host::DataSet& list;
        host::DataSet::Event saved;
        ~RestoreBeforeScroll() { list.BeforeScroll = saved; }
    } restore{m_list, std::exchange(m_list.BeforeScroll, {})};
    m_list.Delete();
}

// ---- reassigning a quotation and the "Lista" flag -------------------------------------------

void QuotationListPage::AlteraComprador()
{
    if (m_list.State() != host::DataSetState::Browse || m_list.IsEmpty())
        return;
    m_list.Edit();
    dbgCotacao->FocusField(kBuyer);
}

void QuotationListPage::PesquisaComprador()
{
    const auto buyers = managedBuyers(QString(), true);
    host::SearchRequest request;
    request.source = buyers.get();
    request.keyField = kBuyer;
    request.title = m_form.msgPadrao.Msg(QStringLiteral("Comprador"));
    request.emptyText = m_form.msgPadrao.Msg(QStringLiteral("GereComp_N_Existe"));
    request.parent = &m_form;
    if (!host::Ui::current().Pesquisar(request))
        return;
    if (!listEditing())
        m_list.Edit();
    m_list.FieldByName(kBuyer).SetAsString(buyers->FieldByName(kBuyer).AsString());
    m_list.FieldByName(kBuyerName).SetAsString(buyers->FieldByName(kBuyerName).AsString());
}

void QuotationListPage::Vd_GereComp(bool mandatory)
{
    if (!listEditing())
        return;
    host::Field& code = m_list.FieldByName(kBuyer);
    host::Field& name = m_list.FieldByName(kBuyerName);
    const QString typed = code.AsString();
    const QString buyer = normaliseBuyer(typed);
    if (buyer == normaliseBuyer(m_storedBuyer)) {
        // The quotation's own buyer typed again: his code and name come back as stored.
        if (typed != m_storedBuyer)
            code.SetAsString(m_storedBuyer);
        if (name.AsString().isEmpty())
            name.SetAsString(m_storedBuyerName);
        return;
    }
    try {
        if (buyer != typed)
            code.SetAsString(buyer);
        if (buyer.isEmpty()) {
            if (mandatory)
                host::MensErro(m_form.msgPadrao.Msg(QStringLiteral("Comp_N_Inf")));
            return;
        }
        const auto found = managedBuyers(buyer, false);
        if (found->IsEmpty())
            host::MensErro(m_form.msgPadrao.Msg(QStringLiteral("GereComp_N_Cad")));
        code.SetAsString(found->FieldByName(kBuyer).AsString());
        name.SetAsString(found->FieldByName(kBuyerName).AsString());
    } catch (...) {
        host::FocusControl(code);
        throw;
    }
}

void QuotationListPage::AlternaLista()
{
    if (!m_list.Active() || m_list.IsEmpty())
        return;
    if (!listEditing())
        m_list.Edit();
    host::Field& flag = m_list.FieldByName(kListFlag);
    flag.SetAsString(flag.AsString() == QLatin1String("S") ? QStringLiteral("N")
                                                           : QStringLiteral("S"));
    m_list.Post();
    m_form.BarraFerramenta();
}

void QuotationListPage::GravaCotacao()
{
    if (!dbgCotacao->RefreshGrid())
        return;
    if (listEditing())
        m_list.Post(); // saved as it is posted
    else if (m_list.Active() && m_list.ChangeCount() > 0)
        m_form.GravaCotacao(); // a save that failed before is tried again
}

void QuotationListPage::CancelaAlteracao()
{
    if (!listEditing() && !(m_list.Active() && m_list.ChangeCount() > 0))
        return;
    if (host::Ui::current().ask(host::MessageKind::Confirmation,
                                m_form.msgPadrao.Msg(QStringLiteral("Canc")),
                                host::MessageButtons::YesNo, &m_form) != host::mrYes)
        return;
    m_list.Cancel();
    if (m_list.ChangeCount() > 0)
        m_list.CancelUpdates();
    m_form.BarraFerramenta();
}

// ---- drawing ---------------------------------------------------------------------------------

void QuotationListPage::drawCell(QPainter& painter, const QRect& rect, host::Field& field,
                                 int state)
{
    const QString& name = field.FieldName();
    if (&field.dataSet() != &m_list)
        return;
    if (name == kCollectionType) {
        // The type itself is never shown, only its picture.
        painter.fillRect(rect, painter.brush());
        if (const QImage* image = ListImages::collectionTypeImage(field.AsString()))
            host::InsereImagem(painter, rect, *image, ListImages::transparentColor());
    } else if (name == kBuyer) {
        // The buyer's name; his code only in the cell being typed in.
        painter.fillRect(rect, painter.brush());
        const bool typing =
            listEditing() && dbgCotacao->EditorMode() && state == host::DBGrid::gdSelected;
        const QString text = typing ? field.AsString() : m_list.FieldByName(kBuyerName).AsString();
        painter.drawText(rect.adjusted(2, 2, 0, 0), Qt::AlignLeft | Qt::AlignTop, text);
    } else if (name == kListFlag) {
        painter.fillRect(rect, painter.brush());
        const QImage& image = field.AsString() == QLatin1String("S") ? ListImages::imgChecked()
                                                                     : ListImages::imgUnChecked();
        const QRect target(rect.left() + 2, rect.top(), image.width(), rect.height());
        painter.drawImage(target,
                          host::withTransparentColor(image, ListImages::transparentColor()));
    }
}

// ---- keys ------------------------------------------------------------------------------------

bool QuotationListPage::listKey(QKeyEvent& key)
{
    if (is(key, Qt::Key_PageDown, Qt::ControlModifier)) {
        dbgForns->setFocus();
        return true;
    }
    // Space on the "Lista" column is a click on its cell.
    if (is(key, Qt::Key_Space, Qt::NoModifier) && !dbgCotacao->EditorMode()) {
        host::Field* field = dbgCotacao->SelectedField();
        if (field && field->FieldName() == kListFlag && m_list.Active() && !m_list.IsEmpty()) {
            AlternaLista();
            return true;
        }
    }
    return false;
}

bool QuotationListPage::supplierKey(QKeyEvent& key)
{
    if (is(key, Qt::Key_PageUp, Qt::ControlModifier) || is(key, Qt::Key_PageUp, Qt::AltModifier)) {
        dbgCotacao->setFocus();
        return true;
    }
    // Nothing is deleted from the quoted suppliers.
    return is(key, Qt::Key_Delete, Qt::ControlModifier);
}

} // namespace module

#include "SupplierProductPage.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "module/records/SupplierDisplay.h"
#include "shell/ItemChecks.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"

#include <QAction>

namespace module {

namespace {

const QString kRegion = QStringLiteral("CDREGIAO");
const QString kDocument = QStringLiteral("NRINSJURFORN");
const QString kPersonType = QStringLiteral("IDTPIJURFORN");

AssignmentLayout supplierProductLayout(TfrmPlanCotaPrec& form)
{
    using Column = host::DBGrid::Column;
    AssignmentLayout layout;
    layout.sheet = form.tshFornProd;
    layout.pairs = &form.cdsProdMarca;
    layout.items = &form.cdsFornProd;
    layout.pairGridName = QStringLiteral("dbgProdMarca");
    layout.itemGridName = QStringLiteral("dbgFornProd");
    layout.pairColumns = {Column{QStringLiteral("CDARVPROD"), {}, 100},
                          Column{QStringLiteral("NMPRODUTO")}, Column{QStringLiteral("CDMARCA")},
                          Column{QStringLiteral("NMMARCA")}};
    layout.itemColumns = {
        Column{QStringLiteral("IDITMCOTPREC"), QStringLiteral(" "), 22, {}, {}, true},
        Column{kRegion, {}, 60, {}, {}, false, true},
        Column{QStringLiteral("NMREGIAO"), {}, 0, {}, {}, true},
        Column{kDocument, {}, 150, {}, {}, false, true},
        Column{QStringLiteral("NMFANTFORN"), {}, 0, {}, {}, true},
        Column{QStringLiteral("VRPRECUNIITM"), {}, 0, {}, Qt::AlignRight},
        Column{QStringLiteral("VRPRECECOITM"), {}, 0, {}, Qt::AlignRight, true},
        Column{QStringLiteral("QTACMPITMCOL"), {}, 0, {}, Qt::AlignRight, true},
        Column{QStringLiteral("VRPERDESITM"), {}, 0, {}, Qt::AlignRight},
    };
    layout.loadMethod = QStringLiteral("GetFornProd");
    layout.itemKeyFields = QStringLiteral("CDREGIAO;CDFORNECED");
    layout.readOnlyColumns = {QStringLiteral("IDITMCOTPREC"), QStringLiteral("NMREGIAO"),
                              QStringLiteral("NMFANTFORN"), QStringLiteral("VRPRECECOITM"),
                              QStringLiteral("QTACMPITMCOL")};
    // The key of an existing item is entered only on a new row.
    layout.insertOnlyColumns = {kRegion, kDocument};
    layout.otherPage = form.tshProdForn;
    layout.otherPageMenu = form.mnuProdForn;
    layout.toolsNeedItems = false;
    return layout;
}

} // namespace

SupplierProductPage::SupplierProductPage(TfrmPlanCotaPrec& form)
    : AssignmentPage(form, supplierProductLayout(form))
{
    blocks.page = PairBlocks::Page::SupplierProduct;
}

SupplierProductPage::~SupplierProductPage() = default;

void SupplierProductPage::prepareItemFields()
{
    AssignmentPage::prepareItemFields();
    // Person type by its name, document with the mask of its person type.
    bindSupplierDisplay(m_items, m_form.msgPadrao);
    m_items.FieldByName(kRegion).OnChange = [this](host::Field&) {
        if (itemsEditing())
            m_items.FieldByName(QStringLiteral("NMREGIAO")).Clear();
    };
    m_items.FieldByName(kDocument).OnChange = [this](host::Field&) {
        if (itemsEditing())
            m_items.FieldByName(QStringLiteral("NMFANTFORN")).Clear();
    };
    // The pairs show the product's tree code with the product picture.
    const QString picture = host::Halvore::instance().DBPict(host::Halvore::ProductPicture);
    m_pairs.FieldByName(QStringLiteral("CDARVPROD")).OnGetText =
        [picture](const host::Field& field, QString& text, bool) {
            text = host::FormatMaskText(picture, field.AsString().trimmed());
        };
}

void SupplierProductPage::itemStateChanged()
{
    // The searches of the key columns are there only for a new row.
    const bool inserting = itemsInserting();
    itemGrid->SetColumnButton(kRegion, inserting);
    itemGrid->SetColumnButton(kDocument, inserting);
}

QString SupplierProductPage::pairFilter() const
{
    return QStringLiteral("[CDPRODUTO] = ") +
           quoted(m_pairs.FieldByName(QStringLiteral("CDPRODUTO")).AsString()) +
           QStringLiteral(" and [CDMARCA]   = ") +
           quoted(m_pairs.FieldByName(QStringLiteral("CDMARCA")).AsString());
}

void SupplierProductPage::pairGlobals()
{
    using namespace Cli_Sup01700;
    stCdProduto = m_pairs.FieldByName(QStringLiteral("CDPRODUTO")).AsString();
    stCdArvProd = m_pairs.FieldByName(QStringLiteral("CDARVPROD")).AsString();
    stCdMarca = m_pairs.FieldByName(QStringLiteral("CDMARCA")).AsString();
}

PairBlocks SupplierProductPage::pairBlocks()
{
    using namespace Cli_Sup01700;
    return productBrandBlocks(m_form, stCdProduto, stCdArvProd, stCdMarca);
}

void SupplierProductPage::itemGlobals(bool none)
{
    using namespace Cli_Sup01700;
    stCdRegiao = none ? QString() : m_items.FieldByName(kRegion).AsString();
    stCdForneced = none ? QString() : m_items.FieldByName(QStringLiteral("CDFORNECED")).AsString();
}

void SupplierProductPage::newItemDefaults()
{
    m_items.FieldByName(QStringLiteral("VRPRECUNIITM")).SetAsFloat(0);
    itemGrid->SetSelectedField(kRegion);
}

void SupplierProductPage::newItemKey()
{
    m_items.FieldByName(QStringLiteral("CDPRODUTO"))
        .SetAsString(m_pairs.FieldByName(QStringLiteral("CDPRODUTO")).AsString());
    m_items.FieldByName(QStringLiteral("CDMARCA"))
        .SetAsString(m_pairs.FieldByName(QStringLiteral("CDMARCA")).AsString());
}

void SupplierProductPage::checkItem()
{
    pairGlobals();
    Vd_Regiao(m_form, m_items, true);
    Vd_FornProd(m_form, m_items, true);
    Vd_PrecUnit(m_form, m_items);
    itemGlobals(false);
}

void SupplierProductPage::columnLeft(host::Field& field)
{
    if (field.FieldName() == kRegion)
        Vd_Regiao(m_form, m_items, false);
    else if (field.FieldName() == kDocument)
        Vd_FornProd(m_form, m_items, false);
}

void SupplierProductPage::columnEntered(host::Field& field)
{
    // A new supplier's document is typed without a mask: its person type comes from it.
    if (field.FieldName() == kDocument && itemsInserting()) {
        field.SetEditMask(QString());
        m_items.FieldByName(kPersonType).Clear();
    }
}

void SupplierProductPage::searchColumn(host::Field& field)
{
    if (!itemsInserting())
        return;
    if (field.FieldName() == kRegion)
        searchRegion();
    else if (field.FieldName() == kDocument)
        searchSupplier();
}

void SupplierProductPage::searchRegion()
{
    m_regions = openFormQuery(QStringLiteral("qryRegiao"),
                              {{QStringLiteral("P_CDREGIAO"), QString()},
                               {QStringLiteral("P_TCDREGIAO"), QStringLiteral("T")}});
    host::SearchRequest request;
    request.source = m_regions.get();
    request.keyField = kRegion;
    request.title = m_form.msgPadrao.Msg(QStringLiteral("Regiao")) + QLatin1Char('|') +
                    m_form.msgPadrao.Msg(QStringLiteral("N_Reg_Cad"));
    request.parent = &m_form;
    if (!host::Ui::current().Pesquisar(request))
        return;
    editForChoice();
    m_items.FieldByName(kRegion).SetAsString(m_regions->FieldByName(kRegion).AsString());
    m_items.FieldByName(QStringLiteral("NMREGIAO"))
        .SetAsString(m_regions->FieldByName(QStringLiteral("NMREGIAO")).AsString());
}

void SupplierProductPage::searchSupplier()
{
    if (!m_suppliers) {
        host::Database* db = host::Halvore::instance().database();
        if (!db)
            host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
        m_suppliers = std::make_unique<host::Query>(*db, QStringLiteral("qryFornecedor"));
        m_suppliers->SetFieldDefs({
            hidden(supplierCodeField()),
            supplierPersonTypeField(QStringLiteral("Tipo")),
            supplierDocumentField(QStringLiteral("Inscrição")),
            supplierTradeNameField(QStringLiteral("Nome Fantasia")),
            supplierLegalNameField(QStringLiteral("Razão Social")),
        });
        m_suppliers->LoadSQL(QStringLiteral("SUP01700"));
        bindSupplierDisplay(*m_suppliers, m_form.msgPadrao);
    }
    m_suppliers->SetParam(QStringLiteral("P_NRINSJURFORN"), QString());
    m_suppliers->SetParam(QStringLiteral("P_TNRINSJURFORN"), QStringLiteral("T"));
    m_suppliers->Open();
    host::SearchRequest request;
    request.source = m_suppliers.get();
    request.keyField = kDocument;
    request.title = m_form.msgPadrao.Msg(QStringLiteral("Titl_PesqForn")) + QLatin1Char('|') +
                    m_form.msgPadrao.Msg(QStringLiteral("N_Forn_Cad"));
    request.columns = {kDocument, kPersonType, QStringLiteral("NMFANTFORN"),
                       QStringLiteral("NMRAZSOCFORN")};
    request.parent = &m_form;
    if (!host::Ui::current().Pesquisar(request))
        return;
    editForChoice();
    for (const char* name : {"IDTPIJURFORN", "CDFORNECED", "NRINSJURFORN", "NMFANTFORN"})
        m_items.FieldByName(QString::fromLatin1(name))
            .SetAsString(m_suppliers->FieldByName(QString::fromLatin1(name)).AsString());
    copySupplierTerms(*m_suppliers, m_items);
}

} // namespace module

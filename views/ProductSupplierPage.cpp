#include "ProductSupplierPage.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/QuotationRecords.h"
#include "shell/ItemChecks.h"
#include "shell/TfrmPlanCotaPrec.h"

#include "host/core/Query.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"

#include <QAction>

namespace module {

namespace {

const QString kTreeCode = QStringLiteral("CDARVPROD");
const QString kBrand = QStringLiteral("CDMARCA");

AssignmentLayout productSupplierLayout(TfrmPlanCotaPrec& form)
{
    using Column = host::DBGrid::Column;
    AssignmentLayout layout;
    layout.sheet = form.tshProdForn;
    layout.pairs = &form.cdsRegForn;
    layout.items = &form.cdsProdForn;
    layout.pairGridName = QStringLiteral("dbgRegForn");
    layout.itemGridName = QStringLiteral("dbgProdForn");
    layout.pairColumns = {Column{QStringLiteral("NMREGIAO")}, Column{QStringLiteral("NMFANTFORN")}};
    // The product is typed by its tree code, with the product picture.
    layout.itemColumns = {
        Column{QStringLiteral("IDITMCOTPREC"), QStringLiteral(" "), 22, {}, {}, true},
        Column{kTreeCode, QStringLiteral("Produto"), 100, {}, {}, false, true},
        Column{QStringLiteral("NMPRODUTO"), {}, 0, {}, {}, true},
        Column{kBrand, {}, 60, {}, {}, false, true},
        Column{QStringLiteral("NMMARCA"), {}, 0, {}, {}, true},
        Column{QStringLiteral("VRPRECUNIITM"), {}, 0, {}, Qt::AlignRight},
        Column{QStringLiteral("VRPRECECOITM"), {}, 0, {}, Qt::AlignRight, true},
        Column{QStringLiteral("QTACMPITMCOL"), {}, 0, {}, Qt::AlignRight, true},
        Column{QStringLiteral("VRPERDESITM"), {}, 0, {}, Qt::AlignRight},
    };
    layout.loadMethod = QStringLiteral("GetProdForn");
    layout.itemKeyFields = QStringLiteral("CDPRODUTO;CDMARCA");
    layout.readOnlyColumns = {QStringLiteral("IDITMCOTPREC"), QStringLiteral("NMPRODUTO"),
                              QStringLiteral("NMMARCA"), QStringLiteral("VRPRECECOITM"),
                              QStringLiteral("QTACMPITMCOL")};
    layout.otherPage = form.tshFornProd;
    layout.otherPageMenu = form.mnuFornProd;
    layout.toolsNeedItems = true;
    return layout;
}

} // namespace

ProductSupplierPage::ProductSupplierPage(TfrmPlanCotaPrec& form)
    : AssignmentPage(form, productSupplierLayout(form))
{
    blocks.page = PairBlocks::Page::ProductSupplier;
}

ProductSupplierPage::~ProductSupplierPage() = default;

void ProductSupplierPage::prepareItemFields()
{
    AssignmentPage::prepareItemFields();
    host::Field& treeCode = m_items.FieldByName(kTreeCode);
    treeCode.SetEditMask(host::Halvore::instance().DBPict(host::Halvore::ProductPicture));
    treeCode.OnChange = [this](host::Field&) {
        if (itemsEditing())
            m_items.FieldByName(QStringLiteral("NMPRODUTO")).Clear();
    };
    m_items.FieldByName(kBrand).OnChange = [this](host::Field&) {
        if (itemsEditing())
            m_items.FieldByName(QStringLiteral("NMMARCA")).Clear();
    };
}

QString ProductSupplierPage::pairFilter() const
{
    return QStringLiteral("[CDREGIAO]   = ") + quoted(m_pairs.FieldByName(QStringLiteral("CDREGIAO")).AsString()) +
           QStringLiteral(" and [CDFORNECED] = ") +
           quoted(m_pairs.FieldByName(QStringLiteral("CDFORNECED")).AsString());
}

void ProductSupplierPage::pairGlobals()
{
    Cli_Sup01700::stCdForneced = m_pairs.FieldByName(QStringLiteral("CDFORNECED")).AsString();
    Cli_Sup01700::stCdRegiao = m_pairs.FieldByName(QStringLiteral("CDREGIAO")).AsString();
}

PairBlocks ProductSupplierPage::pairBlocks()
{
    return regionSupplierBlocks(m_form, Cli_Sup01700::stCdRegiao, Cli_Sup01700::stCdForneced);
}

void ProductSupplierPage::itemGlobals(bool none)
{
    using namespace Cli_Sup01700;
    stCdProduto = none ? QString() : m_items.FieldByName(QStringLiteral("CDPRODUTO")).AsString();
    stCdArvProd = none ? QString() : m_items.FieldByName(kTreeCode).AsString();
    stCdMarca = none ? QString() : m_items.FieldByName(kBrand).AsString();
}

void ProductSupplierPage::newItemDefaults()
{
    m_items.FieldByName(kBrand).SetAsString(m_form.purchasingParameter(QStringLiteral("CDMARCA")));
    m_items.FieldByName(QStringLiteral("VRPRECUNIITM")).SetAsFloat(0);
    const auto supplier = openFormQuery(QStringLiteral("qryPgtoForn"),
                                        {{QStringLiteral("P_CDFORNECED"), Cli_Sup01700::stCdForneced}});
    if (!supplier->IsEmpty())
        copySupplierTerms(*supplier, m_items);
    itemGrid->SetSelectedField(kTreeCode);
}

void ProductSupplierPage::newItemKey()
{
    m_items.FieldByName(QStringLiteral("CDREGIAO"))
        .SetAsString(m_pairs.FieldByName(QStringLiteral("CDREGIAO")).AsString());
    m_items.FieldByName(QStringLiteral("CDFORNECED"))
        .SetAsString(m_pairs.FieldByName(QStringLiteral("CDFORNECED")).AsString());
}

void ProductSupplierPage::checkItem()
{
    using namespace Cli_Sup01700;
    stCdRegiao = m_items.FieldByName(QStringLiteral("CDREGIAO")).AsString();
    stCdForneced = m_items.FieldByName(QStringLiteral("CDFORNECED")).AsString();
    vd_ProdutoCot(m_form, m_items, true);
    vd_Marca(m_form, m_items, true);
    Vd_PrecUnit(m_form, m_items);
    itemGlobals(false);
}

void ProductSupplierPage::columnLeft(host::Field& field)
{
    if (field.FieldName() == kTreeCode)
        vd_ProdutoCot(m_form, m_items, false);
    else if (field.FieldName() == kBrand)
        vd_Marca(m_form, m_items, false);
}

void ProductSupplierPage::searchColumn(host::Field& field)
{
    if (field.FieldName() == kTreeCode)
        searchProduct();
    else if (field.FieldName() == kBrand)
        searchBrand();
}

void ProductSupplierPage::searchProduct()
{
    if (!m_products) {
        host::Database* db = host::Halvore::instance().database();
        if (!db)
            host::MensErro(host::Messages::shared().Msg(QStringLiteral("Sem_BancoDados")));
        m_products = std::make_unique<host::Query>(*db, QStringLiteral("qryVd_Produto"));
        m_products->SetFieldDefs(
            {productTreeCodeField(host::Halvore::instance().DBPict(host::Halvore::ProductPicture),
                                  QStringLiteral("Código")),
             productNameField(QStringLiteral("Nome")), hidden(productCodeField())});
        m_products->LoadSQL(QStringLiteral("SUP01700"));
    }
    m_products->SetParam(QStringLiteral("P_CDPRODUTO"), QString());
    m_products->SetParam(QStringLiteral("P_TCDPRODUTO"), QStringLiteral("T"));
    m_products->SetParam(QStringLiteral("P_IDUTLPROCMP"),
                         m_form.purchasingParameter(QStringLiteral("IDUTLPROCMP")));
    m_products->Open();
    if (m_products->IsEmpty())
        host::MensErro(m_form.msgPadrao.Msg(QStringLiteral("N_ProdCad")));
    host::SearchRequest request;
    request.source = m_products.get();
    request.keyField = kTreeCode;
    request.title = m_form.msgPadrao.Msg(QStringLiteral("Tit_Prod"));
    request.columns = {kTreeCode, QStringLiteral("NMPRODUTO")};
    request.parent = &m_form;
    if (!host::Ui::current().Pesquisar(request))
        return;
    editForChoice();
    for (const char* name : {"CDPRODUTO", "CDARVPROD", "NMPRODUTO"})
        m_items.FieldByName(QString::fromLatin1(name))
            .SetAsString(m_products->FieldByName(QString::fromLatin1(name)).AsString());
}

void ProductSupplierPage::searchBrand()
{
    m_brands = openFormQuery(QStringLiteral("qryPesqMarcPr"),
                             {{QStringLiteral("P_CDMARCA"), QString()},
                              {QStringLiteral("P_TCDMARCA"), QStringLiteral("T")},
                              {QStringLiteral("P_CDPRODUTO"), m_items.FieldByName(kTreeCode).AsString()}});
    if (m_brands->IsEmpty())
        host::MensErro(m_form.msgPadrao.Msg(QStringLiteral("N_Marc_CadPr")));
    host::SearchRequest request;
    request.source = m_brands.get();
    request.keyField = kBrand;
    request.title = m_form.msgPadrao.Msg(QStringLiteral("Tit_PesqMarPr"));
    request.parent = &m_form;
    if (!host::Ui::current().Pesquisar(request))
        return;
    editForChoice();
    m_items.FieldByName(kBrand).SetAsString(m_brands->FieldByName(kBrand).AsString());
    m_items.FieldByName(QStringLiteral("NMMARCA"))
        .SetAsString(m_brands->FieldByName(QStringLiteral("NMMARCA")).AsString());
}

} // namespace module

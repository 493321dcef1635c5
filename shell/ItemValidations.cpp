#include "ItemValidations.h"

#include "ItemChecks.h"
#include "TfrmPlanCotaPrec.h"

#include "module/entry/Cli_Sup01700.h"
#include "module/records/Codes.h"

#include "host/core/DataSet.h"
#include "host/core/ProductLookup.h"
#include "host/core/Query.h"
#include "host/core/consiste/Consiste.h"
#include "host/ui/Guard.h"
#include "host/ui/Halvore.h"
#include "host/widgets/grid/DBGrid.h"

namespace module {

namespace {

const QString kTreeCode = QStringLiteral("CDARVPROD");
const QString kProduct = QStringLiteral("CDPRODUTO");
const QString kBrand = QStringLiteral("CDMARCA");
const QString kRegion = QStringLiteral("CDREGIAO");
const QString kSupplier = QStringLiteral("CDFORNECED");
const QString kDocument = QStringLiteral("NRINSJURFORN");

// Focuses the row's field and stops with the message.
[[noreturn]] void fail(TfrmPlanCotaPrec& form, host::DataSet& row, const QString& field,
                       const char* key)
{
    host::FocusControl(row.FieldByName(field));
    host::MensErro(form.msgPadrao.Msg(QString::fromLatin1(key)));
    throw host::EAbort();
}

bool editing(const host::DataSet& row)
{
    return row.State() == host::DataSetState::Edit || row.State() == host::DataSetState::Insert;
}

bool inserting(const host::DataSet& row)
{
    return row.State() == host::DataSetState::Insert;
}

QString text(const host::DataSet& row, const QString& field)
{
    return row.FieldByName(field).AsString();
}

QString collectionDate(const TfrmPlanCotaPrec& form)
{
    return form.currentDate().toString(Qt::ISODate);
}

QString rule(const TfrmPlanCotaPrec& form)
{
    return form.purchasingParameter(QStringLiteral("IDULTIDTVALQ"));
}

// An item of the quotation with this key is stored already.
bool alreadyQuoted(const TfrmPlanCotaPrec& form, const QString& region, const QString& supplier,
                   const QString& product, const QString& brand)
{
    const auto items = openFormQuery(QStringLiteral("qryVd_ItemCole"),
                                     {{QStringLiteral("P_CDFILIAL"), Cli_Sup01700::stCdCentCmp},
                                      {QStringLiteral("P_NRCOLEPRECO"), form.currentNumber()},
                                      {QStringLiteral("P_CDPRODUTO"), product},
                                      {QStringLiteral("P_CDFORNECED"), supplier},
                                      {QStringLiteral("P_CDREGIAO"), region},
                                      {QStringLiteral("P_CDMARCA"), brand}});
    return items->FieldByName(QStringLiteral("CTCOLETA")).AsInteger() > 0;
}

// A row being edited whose product and brand are still the stored ones is its own item.
bool keepsItsKey(const host::DataSet& row)
{
    return row.State() == host::DataSetState::Edit &&
           row.FieldByName(kProduct).StoredValue().toString() == text(row, kProduct) &&
           row.FieldByName(kBrand).StoredValue().toString() == text(row, kBrand);
}

bool suppliesProduct(const QString& supplier, const QString& treeCode)
{
    return !openFormQuery(QStringLiteral("qryVd_ProdForn"),
                          {{QStringLiteral("P_CDFORNECED"), supplier},
                           {QStringLiteral("P_CDPRODUTO"), treeCode}})
                ->IsEmpty();
}

bool qualifiedForProduct(const TfrmPlanCotaPrec& form, const QString& product,
                         const QString& supplier)
{
    return !openFormQuery(QStringLiteral("qryVd_QfoProdForn"),
                          {{QStringLiteral("P_CDPRODUTO"), product},
                           {QStringLiteral("P_CDFORNECED"), supplier},
                           {QStringLiteral("P_IDULTIDTVALQ"), rule(form)},
                           {QStringLiteral("P_DTCOL"), collectionDate(form)}})
                ->IsEmpty();
}

// Buyer registrations of the tree code: the quotation's buyer's, or anybody's.
qint64 negotiations(const TfrmPlanCotaPrec& form, const QString& treeCode, bool anyBuyer)
{
    return openFormQuery(QStringLiteral("qryProdNegComp"),
                         {{QStringLiteral("P_CDPRODUTO"), treeCode},
                          {QStringLiteral("P_CDOPERADOR"), form.quotationBuyer()},
                          {QStringLiteral("P_TOPERADOR"), anyBuyer ? QStringLiteral("T") : QString()}})
        ->FieldByName(QStringLiteral("CTPRODOPER"))
        .AsInteger();
}

// Why the quotation's buyer may not quote the product: "" when he may.
const char* buyerProblem(const TfrmPlanCotaPrec& form, const QString& treeCode)
{
    if (negotiations(form, treeCode, false) > 0)
        return "";
    if (form.purchasingParameter(QStringLiteral("IDUMPRODCMP")) != QLatin1String("S"))
        return "ProdNComp";
    return negotiations(form, treeCode, true) > 0 ? "Oper_N_Autoriz" : "";
}

bool brandNotQualified(const TfrmPlanCotaPrec& form, const QString& product, const QString& brand)
{
    QString branch = form.purchasingParameter(QStringLiteral("CDFILIAL"));
    if (branch.isEmpty())
        branch = Cli_Sup01700::stCdCentCmp;
    return !openFormQuery(QStringLiteral("qryQualifMarca"),
                          {{QStringLiteral("P_CDPRODUTO"), product},
                           {QStringLiteral("P_CDMARCA"), brand},
                           {QStringLiteral("P_CDFILIAL"), branch},
                           {QStringLiteral("P_DTCOL"), collectionDate(form)}})
                ->IsEmpty();
}

bool barredFromRegion(const QString& supplier, const QString& region)
{
    return openFormQuery(QStringLiteral("qryVd_RegForn"),
                         {{QStringLiteral("P_CDFORNECED"), supplier},
                          {QStringLiteral("P_CDREGIAO"), region}})
               ->FieldByName(QStringLiteral("CTREFOREG"))
               .AsInteger() > 0;
}

} // namespace

void vd_ProdutoCot(TfrmPlanCotaPrec& form, host::DataSet& row, bool mandatory)
{
    if (!editing(row))
        return;
    const QString typed = host::bareTreeCode(text(row, kTreeCode));
    if (typed.trimmed().isEmpty()) {
        if (mandatory)
            fail(form, row, kTreeCode, "N_ProdInf");
        return;
    }
    host::Database* db = host::Halvore::instance().database();
    const QVariantList record = db ? host::Dados_Produto(*db, typed) : QVariantList();
    if (record.size() < 3)
        fail(form, row, kTreeCode, "ProdNCad");
    row.FieldByName(kProduct).SetAsString(record.at(2).toString());
    const auto product = openFormQuery(
        QStringLiteral("qryVd_Produto"),
        {{QStringLiteral("P_CDPRODUTO"), record.at(2).toString()},
         {QStringLiteral("P_TCDPRODUTO"), QString()},
         {QStringLiteral("P_IDUTLPROCMP"), form.purchasingParameter(QStringLiteral("IDUTLPROCMP"))}});
    if (product->IsEmpty())
        fail(form, row, kTreeCode, "ProdNCad");
    const QString treeCode = product->FieldByName(kTreeCode).AsString();
    row.FieldByName(kTreeCode).SetAsString(treeCode);
    row.FieldByName(QStringLiteral("NMPRODUTO"))
        .SetAsString(product->FieldByName(QStringLiteral("NMPRODUTO")).AsString());
    if (form.purchasingParameter(QStringLiteral("IDUTLPROCMP")) == QLatin1String("S") &&
        product->FieldByName(kProduct).AsString() ==
            product->FieldByName(QStringLiteral("CDPRODESTO")).AsString())
        fail(form, row, kTreeCode, "Prod_N_CMP");

    const QString code = text(row, kProduct);
    const QString& supplier = Cli_Sup01700::stCdForneced;
    if (!keepsItsKey(row) &&
        alreadyQuoted(form, Cli_Sup01700::stCdRegiao, supplier, code, text(row, kBrand)))
        fail(form, row, kTreeCode, "CotJCad");
    if (!suppliesProduct(supplier, treeCode))
        fail(form, row, kTreeCode, "ProdNForn");
    if (!qualifiedForProduct(form, code, supplier))
        fail(form, row, kTreeCode, "N_PrdQfoProdForn");
    if (const char* problem = buyerProblem(form, treeCode); *problem)
        fail(form, row, kTreeCode, problem);
}

void vd_Marca(TfrmPlanCotaPrec& form, host::DataSet& row, bool mandatory)
{
    if (!editing(row))
        return;
    host::Field& brandField = row.FieldByName(kBrand);
    if (brandField.AsString().trimmed().isEmpty()) {
        if (mandatory)
            fail(form, row, kBrand, "MarcNInf");
        return;
    }
    const QString brand = normaliseBrand(brandField.AsString());
    if (brandField.AsString() != brand)
        brandField.SetAsString(brand);
    const auto registered = openFormQuery(QStringLiteral("qryPesqMarca"),
                                          {{QStringLiteral("P_CDMARCA"), brand},
                                           {QStringLiteral("P_TCDMARCA"), QString()}});
    if (registered->IsEmpty())
        fail(form, row, kBrand, "MarcNCad");
    row.FieldByName(QStringLiteral("NMMARCA"))
        .SetAsString(registered->FieldByName(QStringLiteral("NMMARCA")).AsString());
    if (form.purchasingParameter(QStringLiteral("CDMARCA")).trimmed().isEmpty() &&
        openFormQuery(QStringLiteral("qryPesqMarcPr"),
                      {{QStringLiteral("P_CDMARCA"), brand},
                       {QStringLiteral("P_TCDMARCA"), QString()},
                       {QStringLiteral("P_CDPRODUTO"), text(row, kTreeCode)}})
            ->IsEmpty())
        fail(form, row, kBrand, "Marc_NProd");
    if (!keepsItsKey(row) && alreadyQuoted(form, Cli_Sup01700::stCdRegiao,
                                           Cli_Sup01700::stCdForneced, text(row, kProduct), brand))
        fail(form, row, kBrand, "CotJCad");
    if (brandNotQualified(form, text(row, kProduct), brand))
        fail(form, row, kBrand, "Marc_NQualif");
}

void Vd_PrecUnit(TfrmPlanCotaPrec& form, host::DataSet& row)
{
    if (editing(row) && row.FieldByName(QStringLiteral("VRPRECUNIITM")).IsNull())
        fail(form, row, QStringLiteral("VRPRECUNIITM"), "Prec_NInf");
}

void Vd_Regiao(TfrmPlanCotaPrec& form, host::DataSet& row, bool mandatory)
{
    if (!inserting(row))
        return;
    host::Field& regionField = row.FieldByName(kRegion);
    if (regionField.AsString().trimmed().isEmpty()) {
        if (mandatory)
            fail(form, row, kRegion, "Reg_NInf");
        return;
    }
    const QString region = normaliseRegion(regionField.AsString());
    const auto found = openFormQuery(QStringLiteral("qryRegiao"),
                                     {{QStringLiteral("P_CDREGIAO"), region},
                                      {QStringLiteral("P_TCDREGIAO"), QString()}});
    if (found->IsEmpty())
        fail(form, row, kRegion, "Reg_NCad");
    regionField.SetAsString(found->FieldByName(kRegion).AsString());
    row.FieldByName(QStringLiteral("NMREGIAO"))
        .SetAsString(found->FieldByName(QStringLiteral("NMREGIAO")).AsString());
    if (alreadyQuoted(form, region, text(row, kSupplier), Cli_Sup01700::stCdProduto,
                      Cli_Sup01700::stCdMarca))
        fail(form, row, kRegion, "CotJCad");
}

void Vd_FornProd(TfrmPlanCotaPrec& form, host::DataSet& row, bool mandatory)
{
    if (!inserting(row))
        return;
    QString document = text(row, kDocument);
    if (document.trimmed().isEmpty()) {
        if (mandatory)
            fail(form, row, kDocument, "Forn_NInf");
        return;
    }
    const host::Inscricao kind = host::Ajusta_Inscricao(document);
    const auto found = openFormQuery(QStringLiteral("qryFornecedor"),
                                     {{QStringLiteral("P_NRINSJURFORN"), document},
                                      {QStringLiteral("P_TNRINSJURFORN"), QString()}});
    if (found->IsEmpty())
        fail(form, row, kDocument, "Forn_NCad");
    const QString supplier = found->FieldByName(kSupplier).AsString();
    row.FieldByName(kSupplier).SetAsString(supplier);
    row.FieldByName(QStringLiteral("IDTPIJURFORN")).SetAsString(kind.type);
    row.FieldByName(kDocument).SetAsString(found->FieldByName(kDocument).AsString());
    row.FieldByName(QStringLiteral("NMFANTFORN"))
        .SetAsString(found->FieldByName(QStringLiteral("NMFANTFORN")).AsString());
    copySupplierTerms(*found, row);

    const QString region = text(row, kRegion);
    if (alreadyQuoted(form, region, supplier, Cli_Sup01700::stCdProduto, Cli_Sup01700::stCdMarca))
        fail(form, row, kDocument, "CotJCad");
    if (barredFromRegion(supplier, region))
        fail(form, row, kDocument, "Forn_N_Reg");
    if (const char* problem = supplierQualificationProblem(form, supplier); *problem)
        fail(form, row, kDocument, problem);
    if (!qualifiedForProduct(form, Cli_Sup01700::stCdProduto, supplier))
        fail(form, row, kDocument, "N_FornQfoProdForn");
    if (!suppliesProduct(supplier, Cli_Sup01700::stCdArvProd))
        fail(form, row, kDocument, "ProdNForn");
}

void copySupplierTerms(const host::DataSet& supplier, host::DataSet& row)
{
    row.FieldByName(QStringLiteral("IDTIPFREITM"))
        .SetAsString(supplier.FieldByName(QStringLiteral("IDTPFRETFORN")).AsString());
    const bool onEveryItem =
        supplier.FieldByName(QStringLiteral("IDTPDESCFORN")).AsString() == QLatin1String("C");
    row.FieldByName(QStringLiteral("VRPERDESITM"))
        .SetAsFloat(onEveryItem ? supplier.FieldByName(QStringLiteral("VRPEDESCFORN")).AsFloat()
                                : 0.0);
}

// ---- the selected pair ---------------------------------------------------------------------

PairBlocks regionSupplierBlocks(TfrmPlanCotaPrec& form, const QString& region,
                                const QString& supplier)
{
    PairBlocks blocks{PairBlocks::Page::ProductSupplier, QStringLiteral("NNN")};
    if (barredFromRegion(supplier, region))
        blocks.flags[0] = QLatin1Char('S');
    const QString problem = QString::fromLatin1(supplierQualificationProblem(form, supplier));
    if (problem == QLatin1String("Qualif_Forn"))
        blocks.flags[1] = QLatin1Char('S');
    else if (problem == QLatin1String("Forn_Inativ"))
        blocks.flags[2] = QLatin1Char('S');
    return blocks;
}

PairBlocks productBrandBlocks(TfrmPlanCotaPrec& form, const QString& product,
                              const QString& treeCode, const QString& brand)
{
    PairBlocks blocks{PairBlocks::Page::SupplierProduct, QStringLiteral("NNN")};
    if (brandNotQualified(form, product, brand))
        blocks.flags[0] = QLatin1Char('S');
    const QString problem = QString::fromLatin1(buyerProblem(form, treeCode));
    if (problem == QLatin1String("Oper_N_Autoriz"))
        blocks.flags[1] = QLatin1Char('S');
    else if (problem == QLatin1String("ProdNComp"))
        blocks.flags[2] = QLatin1Char('S');
    return blocks;
}

void vd_BloqAlter(TfrmPlanCotaPrec& form, const PairBlocks& blocks)
{
    vd_OperSistema(form);
    static const char* const productSupplier[] = {"Forn_N_Reg", "Qualif_Forn", "Forn_Inativ"};
    static const char* const supplierProduct[] = {"Marc_NQualif", "Oper_N_Autoriz", "ProdNComp"};
    const char* const* keys =
        blocks.page == PairBlocks::Page::ProductSupplier ? productSupplier : supplierProduct;
    for (int i = 0; i < 3; ++i)
        if (blocks.flags.at(i) == QLatin1Char('S'))
            host::MensErro(form.msgPadrao.Msg(QString::fromLatin1(keys[i])));
}

} // namespace module

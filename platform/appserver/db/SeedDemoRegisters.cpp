// Writes the registers of the demo: organisation, suppliers and catalogue.

#include "DemoModel.h"
#include "SeedInternal.h"
#include "TableWriter.h"
#include "host/core/Password.h"

namespace appserver::db::Internal {

using namespace demo;

namespace {

QString utf8(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

void writeOrganisation(host::Database& db, const DemoModel&)
{
    TableWriter branchWriter(db, QStringLiteral("FILIAL"),
                             {"CDFILIAL", "NMFILIAL", "CDFILCENTCMP"});
    for (const BranchRow& row : branches())
        branchWriter.insert({utf8(row.code), utf8(row.name), textOrNull(row.centre)});

    TableWriter operatorWriter(
        db, QStringLiteral("OPERADOR"),
        {"CDOPERADOR", "NMOPERADOR", "CDFILIAL", "DSSENHAHASH", "DSSENHASALT", "NRSENHAITER"});
    TableWriter buyerWriter(db, QStringLiteral("COMPRADOR"), {"CDOPERADOR"});
    for (const OperatorRow& row : operators()) {
        const QString code = utf8(row.code);
        const host::PasswordHash hash = host::hashPasswordWithSalt(
            QString::fromLatin1(kDemoPassword), demoSalt(code), kDemoPasswordIterations);
        operatorWriter.insert({code, utf8(row.name), utf8(row.branch),
                               QString::fromLatin1(hash.key.toHex()),
                               QString::fromLatin1(hash.salt.toHex()), hash.iterations});
        if (row.buyer)
            buyerWriter.insert({code});
    }

    TableWriter managementWriter(db, QStringLiteral("GERECOMP"), {"CDOPERGERE", "CDOPERCOMP"});
    for (const ManagementRow& row : managements())
        managementWriter.insert({utf8(row.manager), utf8(row.buyer)});

    TableWriter regionWriter(db, QStringLiteral("REGIAO"), {"CDREGIAO", "NMREGIAO", "CDFILIAL"});
    for (const RegionRow& row : regions())
        regionWriter.insert({utf8(row.code), utf8(row.name), utf8(row.branch)});

    TableWriter parametersWriter(db, QStringLiteral("PARASUPRI"),
                                 {"CDFILIAL", "IDUTLPROCMP", "IDULTIDTVALQ", "IDMARSEMQUA",
                                  "IDVISCOTPLA", "IDUMPRODCMP", "CDMARCA", "IDPROSEMMAR"});
    for (const ParametersRow& row : parameters())
        parametersWriter.insert({utf8(row.branch), utf8(row.purchaseProductsOnly),
                                 utf8(row.qualificationRule), utf8(row.brandRule),
                                 utf8(row.filterSize), utf8(row.oneBuyerPerProduct),
                                 textOrNull(row.defaultBrand), utf8(row.productsWithoutBrand)});

    TableWriter generalWriter(db, QStringLiteral("PARAMGERAL"), {"CDFILIAL", "IDSISDOS"});
    generalWriter.insert({utf8(generalParametersBranch()), utf8(generalParametersDosFlag())});
}

void writeSuppliers(host::Database& db, const DemoModel& model)
{
    TableWriter classWriter(db, QStringLiteral("QUALIFICACAO"),
                            {"CDQUALIF", "NMQUALIF", "IDPERCOTCMP"});
    for (const QualificationRow& row : qualifications())
        classWriter.insert({utf8(row.code), utf8(row.name), utf8(row.quoteRule)});

    TableWriter supplierWriter(db, QStringLiteral("FORNECEDOR"),
                               {"CDFORNECED", "IDTPIJURFORN", "NRINSJURFORN", "NMRAZSOCFORN",
                                "NMFANTFORN", "IDTIPOFORN", "IDSITUCADA", "CDQUALIF", "DTVALQUALIF",
                                "IDFORNAUTO", "CDFORMPGTO", "IDTPFORPGTFO", "NRPARCPGTOFO",
                                "NRDIAPGFIXFO", "IDUTDIAPGTFO", "IDTPDESCFORN", "VRPEDESCFORN",
                                "IDTPFRETFORN"});
    TableWriter suppliesWriter(db, QStringLiteral("PRODFORN"), {"CDFORNECED", "CDPRODUTO"});
    for (const SupplierRow& row : suppliers()) {
        const QString code = supplierCode(row.number);
        supplierWriter.insert(
            {code, utf8(row.personType), DemoModel::document(row), utf8(row.legalName),
             utf8(row.tradeName), utf8(row.kind), utf8(row.status), textOrNull(row.qualification),
             textOrNull(model.date(row.qualificationValidity)), utf8(row.automatic),
             utf8(row.paymentForm), utf8(row.paymentType), row.instalments, row.fixedDay,
             utf8(row.usesFixedDay), utf8(row.discountType), row.discount, utf8(row.freight)});
        for (const QString& tree : words(row.supplies))
            suppliesWriter.insert({code, model.productCode(tree)});
    }

    TableWriter restrictionWriter(db, QStringLiteral("REFOREG"),
                                  {"CDFORNECED", "CDREGIAO", "CDPERIENTR"});
    for (const RestrictionRow& row : restrictions())
        restrictionWriter.insert(
            {supplierCode(row.supplier), utf8(row.region), textOrNull(row.deliveryPeriod)});

    TableWriter qualificationWriter(
        db, QStringLiteral("QFOPRODFORN"),
        {"CDPRODUTO", "CDFORNECED", "IDFORNAPROV", "IDFORNAUTOR", "DTVALPRFORN"});
    for (const SupplierQualificationRow& row : supplierQualifications())
        qualificationWriter.insert({model.productCode(utf8(row.tree)), supplierCode(row.supplier),
                                    utf8(row.approved), utf8(row.authorised),
                                    textOrNull(model.date(row.validity))});
}

void writeCatalog(host::Database& db, const DemoModel& model)
{
    TableWriter productWriter(db, QStringLiteral("PRODUTO"),
                              {"CDPRODUTO", "CDARVPROD", "NMPRODUTO", "CDNVPRODUTO", "CDPRODESTO",
                               "IDPRODATIVPR", "CDUNIDMED"});
    TableWriter registrationWriter(db, QStringLiteral("MARCPROD"), {"CDPRODUTO", "CDMARCA"});
    for (const ProductRow& row : products()) {
        const QString tree = utf8(row.tree);
        const QString code = model.productCode(tree);
        const int level = tree.size() <= 2 ? 1 : tree.size() <= 4 ? 2 : 3;
        QVariant stock;
        if (level == 3)
            stock = row.stockTree ? model.productCode(utf8(row.stockTree)) : code;
        productWriter.insert({code, tree, utf8(row.name), level, stock, textOrNull(row.active),
                              textOrNull(row.unit)});
        for (const QString& brand : words(row.brands))
            registrationWriter.insert({code, brand});
    }

    TableWriter brandWriter(db, QStringLiteral("MARCA"), {"CDMARCA", "NMMARCA"});
    for (const BrandRow& row : brands())
        brandWriter.insert({utf8(row.code), utf8(row.name)});

    TableWriter qualificationWriter(
        db, QStringLiteral("QFOMARPROD"),
        {"CDPRODUTO", "CDMARCA", "IDAPRMARPRO", "IDAUTMARPRO", "DTVALAPROVA"});
    for (const BrandQualificationRow& row : brandQualifications())
        qualificationWriter.insert({model.productCode(utf8(row.tree)), utf8(row.brand),
                                    utf8(row.approved), utf8(row.authorised),
                                    textOrNull(model.date(row.validity))});

    TableWriter assignmentWriter(db, QStringLiteral("PRODCOMP"), {"CDOPERADOR", "CDPRODUTO"});
    for (const AssignmentRow& row : assignments())
        assignmentWriter.insert({utf8(row.buyer), model.productCode(utf8(row.tree))});

    TableWriter branchWriter(db, QStringLiteral("PRODFILI"),
                             {"CDFILIAL", "CDPRODUTO", "IDNEGPRODFI"});
    for (const BranchProductRow& row : branchProducts())
        branchWriter.insert(
            {utf8(row.branch), model.productCode(utf8(row.tree)), utf8(row.negotiated)});

    TableWriter requestWriter(db, QStringLiteral("SOLICOMP"),
                              {"CDFILIAL", "NRSOLICOMP", "CDPRODUTO", "CDREGIAO", "DTSOLICOMP",
                               "QTSOLICOMP", "DSOBSSOLIC", "IDSITUSOLIC"});
    for (const RequestRow& row : requests())
        requestWriter.insert({utf8(row.branch), utf8(row.number), model.productCode(utf8(row.tree)),
                              utf8(row.region), model.dayFromMonday(row.dayOffset), row.quantity,
                              textOrNull(row.note), utf8(row.status)});
}

} // namespace appserver::db::Internal

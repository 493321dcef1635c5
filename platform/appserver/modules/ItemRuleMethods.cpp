// One item's register rules, asked before a buyer negotiates an item or adds a brand,
// supplier or region to a quotation: Vd_Marca, Vd_ProdForn, Vd_FuncaoFili and Vd_RefoReg.
// Each answers "" when the rule holds, a short code when it does not, and any other text
// when it cannot tell (unknown code, bad date, branch refused).

#include "ItemChecks.h"
#include "ItemValues.h"
#include "Modules.h"
#include "Rights.h"

#include "appserver/rpc/RpcErrors.h"
#include "host/core/Database.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/QuotationRecords.h"

#include <QSqlQuery>

namespace appserver::modules {

namespace {

using rpc::Arg;
using rpc::CallContext;
using rpc::Refusal;

struct Register
{
    const char* table;
    const char* column;
    int width;
    const char* unknown; // "%1" is the code as typed
};

const Register kProducts{"PRODUTO", "CDPRODUTO", module::Width::Product,
                         "Produto %1 não cadastrado."};
const Register kBrands{"MARCA", "CDMARCA", module::Width::Brand, "Marca %1 não cadastrada."};
const Register kSuppliers{"FORNECEDOR", "CDFORNECED", module::Width::Supplier,
                          "Fornecedor %1 não cadastrado."};
const Register kRegions{"REGIAO", "CDREGIAO", module::Width::Region, "Região %1 não cadastrada."};

// The code of a register's row, padded to its width; refuses one the register lacks.
QString registered(host::Database& db, const Register& reg, const QString& typed)
{
    const QString code = host::Ajusta(typed.trimmed(), reg.width);
    if (code.isEmpty() || code.size() > reg.width ||
        !db.run(QStringLiteral("SELECT 1 FROM %1 WHERE %2 = ?")
                    .arg(QLatin1String(reg.table), QLatin1String(reg.column)),
                {code})
             .next())
        throw Refusal(QString::fromUtf8(reg.unknown).arg(typed.trimmed().left(40)));
    return code;
}

QDate collectionDate(const CallContext& call, int i)
{
    const QDate date = call.date(i);
    if (!date.isValid())
        throw Refusal(QStringLiteral("Data da cotação deve ser informada."));
    return date;
}

QString flag(bool raised)
{
    return raised ? QStringLiteral("S") : QStringLiteral("N");
}

// Vd_Marca(centre, product, brand, collection date, check qualification, check
// registration) → "" when the brand is accepted for the product; else two flags: 1 "S" the
// brand is not qualified for the product on that date, 2 "S" it is not registered for the
// product. Every failure is answered as "3" + its text, so that a text never passes for
// flags.
QString brandFlags(CallContext& call)
{
    const QString centre = centreArg(call, 0);
    const QString product = registered(call.db(), kProducts, call.text(1));
    const QString brand = registered(call.db(), kBrands, call.text(2));
    const ItemChecks checks(call.db(), centre, collectionDate(call, 3));
    const bool notQualified =
        call.boolean(4) && (checks.productFlags(product, brand) & ItemChecks::BrandNotQualified);
    const bool notRegistered = call.boolean(5) && !checks.brandRegistered(product, brand);
    if (!notQualified && !notRegistered)
        return QString();
    return flag(notQualified) + flag(notRegistered);
}

QVariant vdMarca(CallContext& call)
{
    try {
        return brandFlags(call);
    } catch (const host::Exception& failure) {
        return QString(QLatin1Char('3') + failure.message());
    }
}

// Most product codes one Vd_ProdForn call may name: far above the products of a quotation.
constexpr int kMaxProductCodes = 10000;

// Vd_ProdForn(centre, supplier, collection date, products) → "" when the supplier may quote
// the product; "S" when the product is not registered for the supplier or the supplier is
// not qualified for it on that date. The products may be one code or several, each
// followed by a line break (a supplier joining a quotation): then "" when the supplier
// may quote at least one of them.
QVariant vdProdForn(CallContext& call)
{
    const QString centre = centreArg(call, 0);
    const QString supplier = registered(call.db(), kSuppliers, call.text(1));
    const QDate date = collectionDate(call, 2);
    QStringList typed = call.text(3).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString& code : typed)
        if (code.endsWith(QLatin1Char('\r')))
            code.chop(1);
    typed.removeAll(QString());
    if (typed.isEmpty())
        typed.append(QString());
    if (typed.size() > kMaxProductCodes)
        throw Refusal(QStringLiteral("A lista de produtos tem mais de %1 códigos.")
                          .arg(kMaxProductCodes));
    const ItemChecks checks(call.db(), centre, date);
    for (const QString& code : typed)
        if (!checks.supplyFlags(supplier, registered(call.db(), kProducts, code)))
            return QString();
    return QStringLiteral("S");
}

// Vd_FuncaoFili(operator's branch, region, product) → "" when both branches negotiate the
// product; "C" when the corporate branch (the purchasing centre of the operator's branch)
// does not; "R" when the region's branch does not.
QVariant vdFuncaoFili(CallContext& call)
{
    operatorBranchArg(call, 0);
    const QString region = registered(call.db(), kRegions, call.text(1));
    const QString product = registered(call.db(), kProducts, call.value(2).toString());
    // Which branch negotiates what does not depend on the day.
    const ItemChecks checks(call.db(), call.session().centre, QDate::currentDate());
    if (checks.productFlags(product, QString()) & ItemChecks::CentreDoesNotBuy)
        return QStringLiteral("C");
    return checks.regionBranchFlags(region, product) ? QStringLiteral("R") : QString();
}

// Most supplier values one Vd_RefoReg call may name: far above the suppliers of a quotation.
constexpr int kMaxSupplierValues = 10000;

// Vd_RefoReg(region, supplier, one) → "" when the supplier serves the region, "S" when it
// does not. With `one` false the second argument is the quotation's suppliers, one
// worksheet value (code + "¤¤" + name) per line, and "S" means none of them serves it.
QVariant vdRefoReg(CallContext& call)
{
    host::Database& db = call.db();
    const QString region = registered(db, kRegions, call.text(0));
    QStringList suppliers;
    if (call.boolean(2)) {
        suppliers.append(registered(db, kSuppliers, call.text(1)));
    } else {
        const QString listName = QStringLiteral("A lista de fornecedores é inválida");
        for (const QString& line : call.text(1).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            if (suppliers.size() == kMaxSupplierValues)
                throw Refusal(listName +
                              QStringLiteral(": mais de %1 fornecedores.").arg(kMaxSupplierValues));
            const QString value = line.endsWith(QLatin1Char('\r')) ? line.chopped(1) : line;
            suppliers.append(registered(db, kSuppliers, readSupplierCode(value, listName)));
        }
    }
    for (const QString& supplier : suppliers)
        if (!regionsNotServed(db, supplier).contains(region))
            return QString();
    return QStringLiteral("S");
}

} // namespace

void addItemRuleMethods(rpc::MethodRegistry& registry)
{
    registry.add(
        rpc::Method{kPlanCotaPrec,
                    QStringLiteral("Vd_Marca"),
                    {Arg::Text, Arg::Text, Arg::Text, Arg::Date, Arg::Boolean, Arg::Boolean},
                    false,
                    vdMarca});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("Vd_ProdForn"),
                             {Arg::Text, Arg::Text, Arg::Date, Arg::Text},
                             false,
                             vdProdForn});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("Vd_FuncaoFili"),
                             {Arg::Text, Arg::Text, Arg::Variant},
                             false,
                             vdFuncaoFili});
    registry.add(rpc::Method{kPlanCotaPrec,
                             QStringLiteral("Vd_RefoReg"),
                             {Arg::Text, Arg::Text, Arg::Boolean},
                             false,
                             vdRefoReg});
}

} // namespace appserver::modules

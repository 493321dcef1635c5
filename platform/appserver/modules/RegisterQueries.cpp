#include "RegisterQueries.h"

#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "module/records/QuotationRecords.h"

#include <QSqlError>
#include <QSqlQuery>

namespace appserver::modules {

namespace {

using host::FieldDef;
using host::FieldDefs;
using module::hidden;

FieldDef flagField(const char* name)
{
    return FieldDef::text(QString::fromLatin1(name), module::Width::Flag);
}

// The header fields the database stores (the list's week and validity texts are computed
// by the screen).
FieldDefs storedHeaderFields()
{
    FieldDefs stored;
    for (const FieldDef& field : module::quotationHeaderFields())
        if (!field.calculated)
            stored.append(field);
    return stored;
}

FieldDef headerField(const QString& name)
{
    for (const FieldDef& field : module::quotationHeaderFields())
        if (field.name == name)
            return field;
    throw host::EDatabaseError(QStringLiteral("Campo %1 não existe na cotação.").arg(name));
}

// Keeps the quotations with at least one item whose `column` is a chosen code; nothing
// to add when every code is chosen.
BoundSql quotesOneOf(const QString& alias, const QString& column, const ChosenCodes& codes)
{
    BoundSql condition;
    if (codes.all)
        return condition;
    condition.add(QStringLiteral(" AND EXISTS (SELECT 1 FROM ITEMCOLE %1 WHERE %1.CDFILIAL = "
                                 "C.CDFILIAL AND %1.NRCOLEPRECO = C.NRCOLEPRECO AND ")
                      .arg(alias));
    condition.add(inCondition(alias + QLatin1Char('.') + column, codes));
    condition.add(QStringLiteral(")"));
    return condition;
}

// The conditions of the filter on the quotation header, aliased C.
BoundSql filterConditions(const QuotationFilter& filter)
{
    BoundSql where;
    where.add(QStringLiteral(" WHERE C.CDFILIAL = ?"), {filter.centre});
    if (!filter.buyers.all) {
        where.add(QStringLiteral(" AND "));
        where.add(inCondition(QStringLiteral("C.CDOPERADOR"), filter.buyers));
    }
    // The validity overlaps the period: it starts by the period's last day and ends on or
    // after its first day (an edge day counts). A missing day leaves that side open.
    if (!filter.anyPeriod) {
        if (filter.to.isValid())
            where.add(QStringLiteral(" AND C.DTINIVALCOL <= ?"), {filter.to});
        if (filter.from.isValid())
            where.add(QStringLiteral(" AND C.DTFINVALCOL >= ?"), {filter.from});
    }
    where.add(quotesOneOf(QStringLiteral("ITF"), QStringLiteral("CDFORNECED"), filter.suppliers));
    where.add(quotesOneOf(QStringLiteral("ITR"), QStringLiteral("CDREGIAO"), filter.regions));
    return where;
}

} // namespace

host::Packet quotationList(host::Database& db, const QuotationFilter& filter)
{
    BoundSql sql;
    sql.add(QStringLiteral(
        "SELECT C.CDFILIAL, C.NRCOLEPRECO, C.DTCOLEPREC, C.NRSEMAINIC, C.NRSEMAFINAL, "
        "C.DTINIVALCOL, C.DTFINVALCOL, C.CDOPERADOR, O.NMOPERADOR, C.IDTIPCOLREG, C.IDDISMONTLIS "
        "FROM COLETAPR C LEFT JOIN OPERADOR O ON O.CDOPERADOR = C.CDOPERADOR"));
    sql.add(filterConditions(filter));
    sql.add(QStringLiteral(" ORDER BY C.NRCOLEPRECO DESC"));
    return runPacket(db, sql, storedHeaderFields());
}

host::Packet quotedSuppliers(host::Database& db, const QuotationFilter& filter)
{
    BoundSql sql;
    sql.add(QStringLiteral(
        "SELECT F.IDTPIJURFORN, F.NRINSJURFORN, F.NMRAZSOCFORN, F.NMFANTFORN, Q.NRCOLEPRECO "
        "FROM (SELECT DISTINCT I.NRCOLEPRECO, I.CDFORNECED FROM COLETAPR C JOIN ITEMCOLE I "
        "ON I.CDFILIAL = C.CDFILIAL AND I.NRCOLEPRECO = C.NRCOLEPRECO"));
    sql.add(filterConditions(filter));
    sql.add(QStringLiteral(") Q JOIN FORNECEDOR F ON F.CDFORNECED = Q.CDFORNECED "
                           "ORDER BY Q.NRCOLEPRECO DESC, F.NMRAZSOCFORN, F.CDFORNECED"));
    const FieldDefs fields = {
        module::supplierPersonTypeField(QStringLiteral("Tipo")),
        module::supplierDocumentField(QStringLiteral("Inscrição")),
        module::supplierLegalNameField(QStringLiteral("Razão Social")),
        module::supplierTradeNameField(QStringLiteral("Nome Fantasia")),
        hidden(module::quotationNumberField()),
    };
    return runPacket(db, sql, fields);
}

host::Packet latestValidity(host::Database& db, const QString& centre, const QString& buyer)
{
    BoundSql sql;
    sql.add(QStringLiteral("SELECT DTINIVALCOL, DTFINVALCOL FROM COLETAPR WHERE CDFILIAL = ?"),
            {centre});
    if (!buyer.isEmpty())
        sql.add(QStringLiteral(" AND CDOPERADOR = ?"), {buyer});
    sql.add(QStringLiteral(" ORDER BY DTCOLEPREC DESC, NRCOLEPRECO DESC LIMIT 1"));
    return runPacket(
        db, sql,
        {headerField(QStringLiteral("DTINIVALCOL")), headerField(QStringLiteral("DTFINVALCOL"))});
}

QString purchasingCentre(host::Database& db, const QString& branch)
{
    QSqlQuery query(db.sql());
    query.prepare(
        QStringLiteral("SELECT NVLSTR(CDFILCENTCMP, CDFILIAL) FROM FILIAL WHERE CDFILIAL = ?"));
    query.addBindValue(branch);
    if (!query.exec())
        throw host::EDatabaseError(
            QStringLiteral("Erro no banco de dados: %1").arg(query.lastError().text()));
    return query.next() ? query.value(0).toString() : branch;
}

host::Packet quotedSupplierChoices(host::Database& db, const QString& centre)
{
    BoundSql sql;
    sql.add(QStringLiteral("SELECT 'N' AS IDMARCADO, F.CDFORNECED, F.IDTPIJURFORN, F.NRINSJURFORN, "
                           "F.NMFANTFORN, F.NMRAZSOCFORN FROM FORNECEDOR F WHERE F.CDFORNECED IN "
                           "(SELECT I.CDFORNECED FROM ITEMCOLE I WHERE I.CDFILIAL = ?) "
                           "ORDER BY F.NMFANTFORN, F.CDFORNECED"),
            {centre});
    const FieldDefs fields = {
        flagField("IDMARCADO"),
        hidden(module::supplierCodeField()),
        hidden(module::supplierPersonTypeField(QStringLiteral("Tipo"))),
        module::supplierDocumentField(QStringLiteral("Inscrição")),
        module::supplierTradeNameField(QStringLiteral("Nome Fantasia")),
        module::supplierLegalNameField(QStringLiteral("Razão Social")),
    };
    return runPacket(db, sql, fields);
}

host::Packet purchasingParameters(host::Database& db, const QString& centre)
{
    BoundSql sql;
    sql.add(QStringLiteral("SELECT CDFILIAL, IDUTLPROCMP, IDULTIDTVALQ, IDMARSEMQUA, IDVISCOTPLA, "
                           "IDUMPRODCMP, CDMARCA, IDPROSEMMAR FROM PARASUPRI WHERE CDFILIAL = ?"),
            {centre});
    const FieldDefs fields = {
        hidden(module::branchCodeField()), flagField("IDUTLPROCMP"), flagField("IDULTIDTVALQ"),
        flagField("IDMARSEMQUA"),          flagField("IDVISCOTPLA"), flagField("IDUMPRODCMP"),
        module::brandCodeField(),          flagField("IDPROSEMMAR"),
    };
    return runPacket(db, sql, fields);
}

host::Packet quotationRegions(host::Database& db, const QString& branch, const QString& number,
                              const QString& allRegionsName)
{
    BoundSql sql;
    sql.add(QStringLiteral("SELECT DISTINCT I.CDREGIAO, R.NMREGIAO FROM ITEMCOLE I "
                           "LEFT JOIN REGIAO R ON R.CDREGIAO = I.CDREGIAO "
                           "WHERE I.CDFILIAL = ? AND I.NRCOLEPRECO = ? ORDER BY I.CDREGIAO"),
            {branch, number});
    const FieldDefs fields = {
        module::regionCodeField(QStringLiteral("Código")),
        module::regionNameField(QStringLiteral("Nome")),
        hidden(module::quotationNumberField()),
    };
    const host::Packet found = runPacket(db, sql, fields);

    // The all-regions row comes first, so that the worksheet opens on the whole quotation.
    host::Packet regions(fields);
    regions.appendRow({kAllRegionsCode, allRegionsName.left(module::Width::RegionName), number});
    for (qsizetype row = 0; row < found.rowCount(); ++row)
        regions.appendRow({found.value(row, 0), found.value(row, 1), number});
    return regions;
}

} // namespace appserver::modules

#include "RegisterTestSupport.h"

#include "host/core/WireCodec.h"

#include <algorithm>

namespace registertest {

host::Packet packetOf(const QVariant& result)
{
    EXPECT_TRUE(result.canConvert<host::Packet>()) << "not a packet: " << result.typeName();
    const host::Packet packet = result.value<host::Packet>();
    EXPECT_TRUE(packet.isValid());
    return packet;
}

QStringList fieldNames(const host::Packet& packet)
{
    QStringList names;
    for (const host::FieldDef& field : packet.fields())
        names << field.name;
    return names;
}

host::FieldDef fieldOf(const host::Packet& packet, const QString& name)
{
    for (const host::FieldDef& field : packet.fields())
        if (field.name == name)
            return field;
    ADD_FAILURE() << "no field " << name.toStdString();
    return {};
}

QString cellText(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return QStringLiteral("<null>");
    if (value.typeId() == QMetaType::QDate)
        return value.toDate().toString(Qt::ISODate);
    return value.toString();
}

QStringList columnOf(const host::Packet& packet, const QString& name)
{
    return rowsOf(packet, {name});
}

QStringList rowsOf(const host::Packet& packet, const QStringList& names)
{
    QList<int> indexes;
    for (const QString& name : names) {
        const int index = fieldNames(packet).indexOf(name);
        EXPECT_GE(index, 0) << "no field " << name.toStdString();
        indexes << index;
    }
    QStringList rows;
    for (qsizetype row = 0; row < packet.rowCount(); ++row) {
        QStringList cells;
        for (int index : indexes)
            cells << (index < 0 ? QString() : cellText(packet.value(row, index)));
        rows << cells.join(u'|');
    }
    return rows;
}

QStringList sorted(QStringList list)
{
    std::sort(list.begin(), list.end());
    return list;
}

QStringList demoQuotationNumbers()
{
    return {QStringLiteral("0000000006"), QStringLiteral("0000000005"),
            QStringLiteral("0000000004"), QStringLiteral("0000000003"),
            QStringLiteral("0000000002"), QStringLiteral("0000000001")};
}

FilterArgs& FilterArgs::buyerList(const QString& list)
{
    buyers = list;
    buyerMarker = QString();
    return *this;
}

FilterArgs& FilterArgs::supplierList(const QString& list)
{
    suppliers = list;
    supplierMarker = QString();
    return *this;
}

FilterArgs& FilterArgs::regionList(const QString& list)
{
    regions = list;
    regionMarker = QStringLiteral(" ");
    return *this;
}

FilterArgs& FilterArgs::period(const QVariant& first, const QVariant& last)
{
    from = first;
    to = last;
    periodMarker = QString();
    return *this;
}

QVariantList FilterArgs::toList() const
{
    return {centre,       buyers,    buyerMarker,    from,    to,
            periodMarker, suppliers, supplierMarker, regions, regionMarker};
}

void RegisterFixture::SetUp()
{
    RpcFixture::SetUp();
    token = login();
}

QString RegisterFixture::loginAt(const QString& operatorCode, const QString& branch)
{
    QVariantMap body;
    body.insert(QStringLiteral("operator"), operatorCode);
    body.insert(QStringLiteral("password"), QStringLiteral("demo"));
    body.insert(QStringLiteral("branch"), branch);
    const auto response = post(QStringLiteral("/rpc/login"), host::wire::encode(body), QString());
    EXPECT_EQ(response.status, 200) << response.body.toStdString();
    return host::wire::decode(response.body).toMap().value(QStringLiteral("token")).toString();
}

Listing RegisterFixture::listQuotations(const FilterArgs& args)
{
    const QVariant result =
        call(rpctest::kPlan, QStringLiteral("GetColetaPr"), args.toList(), token);
    const QVariantList parts = result.toList();
    EXPECT_EQ(parts.size(), 2) << "GetColetaPr answers [quotations, suppliers]";
    if (parts.size() != 2)
        return {};
    return {packetOf(parts[0]), packetOf(parts[1])};
}

int RegisterFixture::listQuotationsError(const FilterArgs& args, QString* text)
{
    return callError(rpctest::kPlan, QStringLiteral("GetColetaPr"), args.toList(), token, text);
}

QStringList RegisterFixture::numbersFrom(const QString& sql, const QVariantList& values)
{
    return dbtest::column(db(), sql, values);
}

} // namespace registertest

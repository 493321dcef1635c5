#include "DataSetFixture.h"

#include "host/core/Exceptions.h"
#include "host/core/WireCodec.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace host;

namespace {

FieldDefs everyType()
{
    FieldDef memo = FieldDef::of(QStringLiteral("DSOBSITMCOL"), FieldType::Memo);
    FieldDef price = FieldDef::of(QStringLiteral("VRPRECUNIITM"), FieldType::Float, QStringLiteral("Preço Unitário"));
    price.displayFormat = QStringLiteral("####,##0.00000");
    price.editFormat = QStringLiteral("#0.00000");
    FieldDef region = FieldDef::text(QStringLiteral("CDREGIAO"), 3);
    region.editMask = QStringLiteral("999;0; ");
    region.visible = false;
    return {region,
            price,
            FieldDef::of(QStringLiteral("NRLINHA"), FieldType::Integer),
            FieldDef::of(QStringLiteral("IDMARCADO"), FieldType::Boolean),
            FieldDef::of(QStringLiteral("DTINIVALITM"), FieldType::Date),
            FieldDef::of(QStringLiteral("DTALTERACAO"), FieldType::DateTime),
            memo};
}

const QString kSeparators = QStringLiteral("AÇÚCAR¤¤001¥¥MARCAøø1,5¿¿x««y££ção \"aspas\" \\ barra\nlinha\ttab");

} // namespace

TEST(WireCodec, ScalarsDatesListsAndMapsRoundTrip)
{
    QVariantMap map;
    map.insert(QStringLiteral("operator"), QStringLiteral("joão"));
    map.insert(QStringLiteral("n"), qlonglong(-42));
    const QVariantList values{QVariant(),
                              true,
                              false,
                              qlonglong(9007199254740993LL),
                              0.1,
                              -1234.56789,
                              QString(),
                              kSeparators,
                              QDate(2026, 12, 31),
                              QDateTime(QDate(2026, 1, 2), QTime(3, 4, 5)),
                              QVariantList{QStringLiteral("a"), QVariantList{}},
                              map};
    const QByteArray json = wire::encode(values);
    // Standard JSON that any reader accepts.
    EXPECT_FALSE(QJsonDocument::fromJson(json).isNull());
    const QVariantList back = wire::decode(json).toList();
    ASSERT_EQ(back.size(), values.size());
    EXPECT_TRUE(back[0].isNull());
    EXPECT_FALSE(back[6].isNull());  // an empty text is not a null
    EXPECT_EQ(back[6].toString(), QString());
    for (int i = 1; i < values.size(); ++i)
        EXPECT_EQ(back[i], values[i]) << "element " << i << " of " << json.toStdString();
    EXPECT_EQ(back[8].metaType().id(), QMetaType::QDate);
    EXPECT_TRUE(json.contains("{\"$date\":\"2026-12-31\"}"));
}

TEST(WireCodec, PacketsKeepEveryTypeNullsEmptyTextsAndPresentation)
{
    Packet packet(everyType());
    packet.appendRow({QStringLiteral("001"), 1234.5, qlonglong(7), true, QDate(2026, 12, 7),
                      QDateTime(QDate(2026, 12, 7), QTime(23, 59, 58)), kSeparators});
    packet.appendRow({QString(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()});
    packet.appendRow({QStringLiteral("002"), 0.0, qlonglong(-1), false, QDate(2024, 2, 29),
                      QDateTime(QDate(2024, 2, 29), QTime(0, 0)), QString()});

    const QByteArray json = wire::encode(QVariant::fromValue(packet));
    const QVariant decoded = wire::decode(json);
    ASSERT_EQ(decoded.metaType().id(), qMetaTypeId<Packet>());
    const Packet back = decoded.value<Packet>();
    ASSERT_EQ(back.rowCount(), 3);
    ASSERT_EQ(back.fieldCount(), 7);
    for (int f = 0; f < 7; ++f) {
        EXPECT_EQ(back.fields()[f].name, packet.fields()[f].name);
        EXPECT_EQ(back.fields()[f].type, packet.fields()[f].type);
    }
    EXPECT_EQ(back.fields()[1].label, QStringLiteral("Preço Unitário"));
    EXPECT_EQ(back.fields()[1].displayFormat, QStringLiteral("####,##0.00000"));
    EXPECT_EQ(back.fields()[0].editMask, QStringLiteral("999;0; "));
    EXPECT_FALSE(back.fields()[0].visible);
    EXPECT_EQ(back.fields()[0].size, 3);
    for (int r = 0; r < 3; ++r)
        for (int f = 0; f < 7; ++f)
            EXPECT_EQ(back.value(r, f), packet.value(r, f)) << "row " << r << " field " << f;
    EXPECT_FALSE(back.value(1, 0).isNull());  // empty text stays empty text
    EXPECT_TRUE(back.value(1, 6).isNull());   // null stays null
    EXPECT_FALSE(back.value(2, 6).isNull());

    // And through a data set: the same text again.
    DataSet ds;
    ds.SetData(back);
    EXPECT_EQ(wire::encode(QVariant::fromValue(ds.Data())), json);
}

TEST(WireCodec, DeltasCarryOldAndNewValues)
{
    DataSet ds;
    loadItems(ds, {{QStringLiteral("001"), QStringLiteral("F1"), kSeparators, 1.5}});
    ds.Edit();
    ds.FieldByName(QStringLiteral("VRPRECUNIITM")).SetAsFloat(2.25);
    ds.Post();
    appendItem(ds, QStringLiteral("002"), QStringLiteral("F2"), QStringLiteral("ÓLEO"), 3);
    const Delta delta = ds.Delta();
    const Delta back = wire::decode(wire::encode(QVariant::fromValue(delta))).value<Delta>();
    ASSERT_EQ(back.changes.size(), 2u);
    EXPECT_EQ(back.fields.size(), delta.fields.size());
    EXPECT_EQ(back.changes[0].op, Change::Op::Update);
    EXPECT_EQ(back.changes[0].oldValues, delta.changes[0].oldValues);
    EXPECT_EQ(back.changes[0].newValues, delta.changes[0].newValues);
    EXPECT_EQ(back.changes[1].op, Change::Op::Insert);
    EXPECT_TRUE(back.changes[1].oldValues.isEmpty());
    EXPECT_EQ(back.changes[1].newValues[2].toString(), QStringLiteral("ÓLEO"));
}

TEST(WireCodec, MalformedInputIsRefusedWithAClearError)
{
    const char* bad[] = {
        "",
        "{",
        "[1,]",
        "[1] x",
        "\"sem fim",
        "{\"$date\":\"2026-13-01\"}",
        "{\"$date\":\"2026-01-01\",\"x\":1}",
        "{\"$nada\":1}",
        "{\"$packet\":{\"rows\":[],\"fields\":[]}}",
        "{\"$packet\":{\"fields\":[{\"name\":\"A\",\"type\":\"string\"}],\"rows\":[[1]]}}",
        "{\"$packet\":{\"fields\":[{\"name\":\"A\",\"type\":\"integer\"}],\"rows\":[[1.5]]}}",
        "{\"$packet\":{\"fields\":[{\"name\":\"A\",\"type\":\"date\"}],\"rows\":[[\"07/12/2026\"]]}}",
        "{\"$packet\":{\"fields\":[{\"name\":\"A\",\"type\":\"string\"}],\"rows\":[[\"a\",\"b\"]]}}",
        "{\"$packet\":{\"fields\":[{\"name\":\"A\",\"type\":\"texto\"}],\"rows\":[]}}",
        "{\"$delta\":{\"fields\":[{\"name\":\"A\",\"type\":\"string\"}],\"changes\":[{\"op\":\"update\",\"new\":[\"a\"]}]}}",
    };
    for (const char* text : bad)
        EXPECT_THROW(wire::decode(QByteArray(text)), ECodecError) << text;

    // Deep nesting is refused instead of exhausting the stack.
    EXPECT_THROW(wire::decode(QByteArray(10000, '[')), ECodecError);
    EXPECT_THROW(wire::encode(QVariant(std::numeric_limits<double>::infinity())), ECodecError);
}

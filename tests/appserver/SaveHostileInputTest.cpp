// GravaPlanCota given hostile or malformed quotation-list packets: the values are data,
// never SQL, and anything the server cannot accept is refused with a clear text and
// leaves the database as it was.

#include "SaveTestSupport.h"

#include "DbTestSupport.h"

#include "host/core/Query.h"
#include "host/core/WireCodec.h"

#include <gtest/gtest.h>

using namespace savetest;

namespace {

const QString kBadPacket = QStringLiteral("O pacote de alterações das cotações é inválido: %1");

class SaveHostileInputTest : public SaveFixture
{
protected:
    void SetUp() override
    {
        SaveFixture::SetUp();
        before = snapshot();
    }
    // The list's change packet after one edit of Ana's quotation.
    host::Delta editedDelta(const QVariantMap& values)
    {
        QuotationList list(db());
        list.change(kAnaQuotation, values);
        return list.delta();
    }
    host::Delta listToggle() { return editedDelta({{QStringLiteral("IDDISMONTLIS"), "S"}}); }
    // Redeclares a field of the packet with another type and gives it these values.
    static host::Delta retyped(host::Delta delta, const QString& field, host::FieldType type,
                               const QVariant& oldValue, const QVariant& newValue)
    {
        const int i = delta.indexOf(field);
        delta.fields[i].type = type;
        delta.fields[i].size = 0;
        for (host::Change& change : delta.changes) {
            change.oldValues[i] = oldValue;
            change.newValues[i] = newValue;
        }
        return delta;
    }
    QString saveAsAna(const QVariant& records)
    {
        return save(login(kAna), records, kAnaQuotation, kAna);
    }

    QStringList before;
};

TEST_F(SaveHostileInputTest, QuotesAndCommentsInValuesAreOnlyData)
{
    const QString fernanda = login(kFernanda);
    QuotationList list(db());
    list.change(kAnaQuotation, {{QStringLiteral("CDOPERADOR"), QStringLiteral("A';--")}});
    EXPECT_EQ(save(fernanda, list.changes(), kAnaQuotation, kFernanda),
              QStringLiteral("Comprador não cadastrado para o gerente logado no sistema."));

    EXPECT_EQ(
        saveAsAna(QVariant::fromValue(editedDelta({{QStringLiteral("IDDISMONTLIS"), "'"}}))),
        QStringLiteral("O indicador \"Lista\" da cotação %1 deve ser S ou N.").arg(kAnaQuotation));
    EXPECT_EQ(
        saveAsAna(QVariant::fromValue(editedDelta({{QStringLiteral("IDTIPCOLREG"), ";"}}))),
        QStringLiteral("Tipo de coleta \";\" inválido para a cotação %1.").arg(kAnaQuotation));
    EXPECT_EQ(snapshot(), before);

    // The buyer's name is not stored: whatever it holds, the flag change goes through and
    // nothing else happens.
    const QString injected = QStringLiteral("x'); DELETE FROM COLETAPR;--");
    EXPECT_EQ(
        saveAsAna(QVariant::fromValue(editedDelta(
            {{QStringLiteral("IDDISMONTLIS"), "S"}, {QStringLiteral("NMOPERADOR"), injected}}))),
        "");
    EXPECT_EQ(dbtest::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM COLETAPR")).toInt(), 6);
    EXPECT_EQ(dbtest::scalar(db(),
                             QStringLiteral("SELECT IDDISMONTLIS FROM COLETAPR WHERE "
                                            "NRCOLEPRECO = ?"),
                             {kAnaQuotation})
                  .toString(),
              "S");
}

TEST_F(SaveHostileInputTest, TextsLongerThanTheirColumnAreRefused)
{
    // The screen's table cuts typed texts to the field's width; a forged packet need not.
    const auto forged = [this](const char* field, bool original, const QString& value) {
        host::Delta delta = listToggle();
        host::Change& change = delta.changes[0];
        (original ? change.oldValues
                  : change.newValues)[delta.indexOf(QString::fromLatin1(field))] = value;
        return QVariant::fromValue(delta);
    };
    EXPECT_EQ(save(login(kFernanda), forged("CDOPERADOR", false, QString(100000, QLatin1Char('A'))),
                   kAnaQuotation, kFernanda),
              kBadPacket.arg("o valor do campo CDOPERADOR excede o tamanho do campo (12)."));
    EXPECT_EQ(saveAsAna(forged("IDDISMONTLIS", false, QStringLiteral("SS"))),
              kBadPacket.arg("o valor do campo IDDISMONTLIS excede o tamanho do campo (1)."));
    // An original value is checked the same way before anything is looked up with it.
    EXPECT_EQ(saveAsAna(forged("NRCOLEPRECO", true, QString(5000, QLatin1Char('9')))),
              kBadPacket.arg("o valor do campo NRCOLEPRECO excede o tamanho do campo (10)."));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveHostileInputTest, FieldsOfTheWrongTypeAreRefused)
{
    const host::Delta toggle = listToggle();
    EXPECT_EQ(saveAsAna(QVariant::fromValue(retyped(toggle, QStringLiteral("CDOPERADOR"),
                                                    host::FieldType::Integer, 123, 456))),
              kBadPacket.arg("o campo CDOPERADOR deve ser texto."));
    EXPECT_EQ(saveAsAna(QVariant::fromValue(retyped(toggle, QStringLiteral("IDDISMONTLIS"),
                                                    host::FieldType::Boolean, false, true))),
              kBadPacket.arg("o campo IDDISMONTLIS deve ser texto."));
    EXPECT_EQ(saveAsAna(QVariant::fromValue(
                  retyped(toggle, QStringLiteral("DTCOLEPREC"), host::FieldType::Float, 1.5, 1.5))),
              kBadPacket.arg("o campo DTCOLEPREC deve ser data."));
    EXPECT_EQ(saveAsAna(QVariant::fromValue(retyped(toggle, QStringLiteral("DTCOLEPREC"),
                                                    host::FieldType::String, "amanhã", "amanhã"))),
              kBadPacket.arg("o valor do campo DTCOLEPREC não é uma data."));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveHostileInputTest, SomethingElseThanAChangePacketIsRefused)
{
    const QString notAPacket = kBadPacket.arg(QStringLiteral("esperava um pacote de alterações."));
    EXPECT_EQ(saveAsAna(QStringLiteral("DROP TABLE COLETAPR")), notAPacket);
    EXPECT_EQ(saveAsAna(42), notAPacket);
    // A data packet (the whole list) instead of its changes.
    EXPECT_EQ(saveAsAna(QVariant::fromValue(QuotationList(db()).table().Data())), notAPacket);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveHostileInputTest, MalformedChangePacketsAreRefused)
{
    // A field named twice never reaches the method: the call is malformed.
    host::Delta repeated = listToggle();
    repeated.fields.append(repeated.fields[repeated.indexOf(QStringLiteral("IDDISMONTLIS"))]);
    repeated.fields.last().name = QStringLiteral("iddismontlis");
    for (host::Change& change : repeated.changes) {
        change.oldValues.append(QStringLiteral("N"));
        change.newValues.append(QStringLiteral("N"));
    }
    QString error;
    EXPECT_EQ(callError(rpctest::kPlan, QStringLiteral("GravaPlanCota"),
                        saveArgs(QVariant::fromValue(repeated), kAnaQuotation, kAna), login(kAna),
                        &error),
              400);
    EXPECT_TRUE(error.contains(QStringLiteral("iddismontlis repetido"))) << error.toStdString();

    host::Delta keyless = listToggle();
    const int number = keyless.indexOf(QStringLiteral("NRCOLEPRECO"));
    keyless.fields.removeAt(number);
    for (host::Change& change : keyless.changes) {
        change.oldValues.removeAt(number);
        change.newValues.removeAt(number);
    }
    EXPECT_EQ(saveAsAna(QVariant::fromValue(keyless)),
              kBadPacket.arg("falta o campo NRCOLEPRECO."));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(SaveHostileInputTest, ValuesThatDoNotFitTheirFieldOnTheWireAreBadRequests)
{
    const QString token = login(kAna);
    const auto body = [](const char* newFlag) {
        return QByteArray(R"({"args":[{"$delta":{"fields":[)"
                          R"({"name":"CDFILIAL","type":"string","size":4},)"
                          R"({"name":"NRCOLEPRECO","type":"string","size":10},)"
                          R"({"name":"IDDISMONTLIS","type":"string","size":1}],)"
                          R"("changes":[{"op":"update","old":["0001","0000000003","N"],)"
                          R"("new":["0001","0000000003",)") +
               newFlag +
               R"(]}]}},null,"0001","0000000003",false,null,false,false,false,false,)"
               R"("0001","ANA.CARVALHO"]})";
    };
    const QString path = QStringLiteral("/rpc/%1/GravaPlanCota").arg(rpctest::kPlan);

    EXPECT_EQ(post(path, body("1"), token).status, 400);
    EXPECT_EQ(post(path, body(R"({"$date":"2025-01-01"})"), token).status, 400);
    EXPECT_EQ(snapshot(), before);

    // The same body with a text is an ordinary save.
    const auto accepted = post(path, body(R"("S")"), token);
    EXPECT_EQ(accepted.status, 200);
    EXPECT_EQ(host::wire::decode(accepted.body).toMap().value(QStringLiteral("result")), "");
    EXPECT_EQ(dbtest::scalar(db(),
                             QStringLiteral("SELECT IDDISMONTLIS FROM COLETAPR WHERE "
                                            "NRCOLEPRECO = ?"),
                             {kAnaQuotation})
                  .toString(),
              "S");
}

} // namespace

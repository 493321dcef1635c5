// The check every remote result passes before a screen uses it.

#include "host/net/CheckResultServ.h"
#include "host/core/Exceptions.h"
#include "host/core/Packet.h"

#include <gtest/gtest.h>

namespace {

using host::CheckResultServ;

host::Packet regions()
{
    host::Packet packet(host::FieldDefs{host::FieldDef::text(QStringLiteral("CDREGIAO"), 3)});
    packet.appendRow({QStringLiteral("001")});
    return packet;
}

QString failureOf(const QVariant& result, bool isPacket)
{
    try {
        CheckResultServ(result, isPacket);
    } catch (const host::ERemote& e) {
        return e.message();
    }
    return QStringLiteral("<no error>");
}

TEST(CheckResultServ, APacketPassesAsIs)
{
    const host::Packet packet = regions();
    const QVariant checked = CheckResultServ(QVariant::fromValue(packet), true, 0);
    ASSERT_EQ(checked.metaType(), QMetaType::fromType<host::Packet>());
    EXPECT_EQ(checked.value<host::Packet>().table(), packet.table());
}

TEST(CheckResultServ, ATwoPacketArrayPassesAsIs)
{
    const host::Packet first = regions();
    const host::Packet second = regions();
    const QVariant result = QVariantList{QVariant::fromValue(first), QVariant::fromValue(second)};
    const QVariantList checked = CheckResultServ(result, true).toList();
    ASSERT_EQ(checked.size(), 2);
    EXPECT_EQ(checked[0].value<host::Packet>().table(), first.table());
    EXPECT_EQ(checked[1].value<host::Packet>().table(), second.table());

    // The worksheet's answer: its detail lines' text beside the item packet.
    const QVariant lines = QVariantList{QStringLiteral("linha 1\nlinha 2"), QVariant::fromValue(first)};
    EXPECT_EQ(CheckResultServ(lines, true).toList().value(0).toString(), QStringLiteral("linha 1\nlinha 2"));
}

TEST(CheckResultServ, ATextInPlaceOfAPacketIsTheServersError)
{
    EXPECT_EQ(failureOf(QStringLiteral("Cotação 123 não encontrada."), true),
              QStringLiteral("Cotação 123 não encontrada."));
}

TEST(CheckResultServ, AnyOtherShapeInPlaceOfAPacketIsAClearError)
{
    const QVariant packet = QVariant::fromValue(regions());
    const QList<QVariant> wrong = {QVariant(),
                                   QVariant(QString()),
                                   QVariant(qlonglong(1)),
                                   QVariant(true),
                                   QVariant(QVariantList{packet}),
                                   QVariant(QVariantList{packet, packet, packet}),
                                   QVariant(QVariantList{packet, QStringLiteral("x")}),
                                   QVariant(QVariantMap{})};
    for (const QVariant& result : wrong) {
        const QString text = failureOf(result, true);
        EXPECT_TRUE(text.startsWith(QStringLiteral("O servidor de aplicação não retornou")))
            << result.typeName() << ": " << text.toStdString();
    }
    EXPECT_TRUE(failureOf(QVariant(), true).contains(QStringLiteral("nada")));
    EXPECT_TRUE(failureOf(QVariantList{packet}, true).contains(QStringLiteral("1 elementos")));
}

TEST(CheckResultServ, TextResultsComeBackAsStrings)
{
    EXPECT_EQ(CheckResultServ(QStringLiteral("2"), false).toString(), QStringLiteral("2"));
    EXPECT_EQ(CheckResultServ(QStringLiteral("Erro ao gravar."), false).toString(),
              QStringLiteral("Erro ao gravar."));
    const QVariant empty = CheckResultServ(QVariant(), false);
    EXPECT_EQ(empty.metaType().id(), QMetaType::QString);
    EXPECT_EQ(empty.toString(), QString());
    EXPECT_EQ(CheckResultServ(qlonglong(3), false).toString(), QStringLiteral("3"));
}

TEST(CheckResultServ, AStructureWhereATextWasExpectedIsAClearError)
{
    EXPECT_TRUE(
        failureOf(QVariant::fromValue(regions()), false).contains(QStringLiteral("pacote")));
    EXPECT_TRUE(failureOf(QVariantList{1, 2}, false).contains(QStringLiteral("lista")));
}

} // namespace

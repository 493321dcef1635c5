#include "RpcTestSupport.h"

#include <QCryptographicHash>
#include <QDate>
#include <QSqlQuery>
#include <algorithm>
#include <functional>

#include "appserver/db/Seed.h"
#include "host/core/Database.h"
#include "host/core/Packet.h"
#include "host/core/consiste/Consiste.h"
#include "module/records/WorksheetValues.h"

using namespace rpctest;

namespace {

QStringList linesOf(const QVariant& result)
{
    return result.toList().value(0).toString().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

host::Packet itemsOf(const QVariant& result)
{
    return result.toList().value(1).value<host::Packet>();
}

} // namespace

TEST_F(RpcFixture, WorksheetItemsAndDetailLinesDescribeTheSameItems)
{
    const QString token = login();
    const QString number = dbtest::scalar(db(), QStringLiteral(
        "SELECT NRCOLEPRECO FROM ITEMCOLE GROUP BY NRCOLEPRECO ORDER BY COUNT(*) DESC LIMIT 1")).toString();
    const QVariant all = call(kPlan, QStringLiteral("GetStringList"),
                              {QStringLiteral("0001"), number, QStringLiteral("NULL"), false}, token);
    const host::Packet items = itemsOf(all);
    const QStringList lines = linesOf(all);
    const int expected = dbtest::scalar(db(), QStringLiteral("SELECT COUNT(*) FROM ITEMCOLE WHERE "
                                                             "CDFILIAL = '0001' AND NRCOLEPRECO = ?"),
                                        {number}).toInt();
    ASSERT_GT(expected, 1);
    ASSERT_EQ(items.rowCount(), expected);
    ASSERT_EQ(lines.size(), expected);
    EXPECT_EQ(items.fields().size(), 4);
    EXPECT_EQ(items.fields()[3].name, QStringLiteral("CONTA"));
    // The lines come in the worksheet's order (text without regard to case).
    EXPECT_TRUE(std::is_sorted(lines.begin(), lines.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    }));

    for (qsizetype r = 0; r < items.rowCount(); ++r) {
        const QString region = items.value(r, 0).toString();
        const QString supplier = items.value(r, 1).toString();
        const QString product = items.value(r, 2).toString();
        const module::DetailLine line = module::DetailLine::parse(lines[r]);
        EXPECT_EQ(line.key, region + supplier + product);
        EXPECT_EQ(line.changed, QStringLiteral("N"));
        const QVariant stored = dbtest::scalar(db(), QStringLiteral(
            "SELECT VRPRECUNIITM FROM ITEMCOLE WHERE CDFILIAL = '0001' AND NRCOLEPRECO = ? AND "
            "CDREGIAO = ? AND CDFORNECED = ? AND CDPRODUTO = ? AND CDMARCA = ?"),
            {number, module::regionCodeOf(region), module::supplierCodeOf(supplier),
             module::productCodeOf(product), module::brandCodeOf(product)});
        ASSERT_TRUE(stored.isValid()) << line.key.toStdString();
        EXPECT_NEAR(items.value(r, 3).toDouble(), stored.toDouble(), 1e-9);
        EXPECT_NEAR(host::FloatMaskOut(line.unitPrice), stored.toDouble(), 1e-5);
        EXPECT_EQ(line.treeCode, dbtest::scalar(db(), QStringLiteral("SELECT CDARVPROD FROM PRODUTO WHERE CDPRODUTO = ?"),
                                                {module::productCodeOf(product)}).toString());
    }

    // One region, or the regions of a list, give only their items.
    const QString region = module::regionCodeOf(items.value(0, 0).toString());
    const int inRegion = dbtest::scalar(db(), QStringLiteral(
        "SELECT COUNT(*) FROM ITEMCOLE WHERE CDFILIAL = '0001' AND NRCOLEPRECO = ? AND CDREGIAO = ?"),
        {number, region}).toInt();
    EXPECT_EQ(itemsOf(call(kPlan, QStringLiteral("GetStringList"),
                           {QStringLiteral("0001"), number, region, false}, token)).rowCount(), inRegion);
    EXPECT_EQ(itemsOf(call(kPlan, QStringLiteral("GetStringList"),
                           {QStringLiteral("0001"), number, QLatin1Char('_') + region + QLatin1Char('_'), true},
                           token)).rowCount(), inRegion);

    // Hostile region texts find nothing or are refused; nothing changes.
    const QStringList before = dbtest::dump(db());
    EXPECT_EQ(itemsOf(call(kPlan, QStringLiteral("GetStringList"),
                           {QStringLiteral("0001"), number, QStringLiteral("' OR 1=1 --"), false}, token)).rowCount(), 0);
    EXPECT_EQ(callError(kPlan, QStringLiteral("GetStringList"),
                        {QStringLiteral("0001"), number, QStringLiteral("_001"), false}, token), 500);
    EXPECT_EQ(dbtest::dump(db()), before);
}

namespace {

// SHA-256 of the answers of GetStringList, as sent on the wire, for every quotation of the
// branch: the whole worksheet and its first region alone.
QByteArray answersDigest(const std::function<appserver::rpc::RpcResponse(const QByteArray&)>& post,
                         const QStringList& numbers, host::Database& db)
{
    QCryptographicHash hash(QCryptographicHash::Sha256);
    for (const QString& number : numbers) {
        const QString region = dbtest::scalar(db, QStringLiteral(
            "SELECT MIN(CDREGIAO) FROM ITEMCOLE WHERE CDFILIAL = '0001' AND NRCOLEPRECO = ?"),
            {number}).toString();
        for (const QString& which : {QStringLiteral("NULL"), region}) {
            const QByteArray body = "{\"args\":[\"0001\",\"" + number.toUtf8() + "\",\"" +
                                    which.toUtf8() + "\",false]}";
            const appserver::rpc::RpcResponse answer = post(body);
            EXPECT_EQ(answer.status, 200) << answer.body.left(300).toStdString();
            hash.addData(answer.body);
        }
    }
    return hash.result().toHex();
}

} // namespace

// The worksheet's answers are compared byte for byte with the ones the server gave when the
// load was rewritten for speed: the detail lines, the item packet and their encoding.
TEST_F(RpcFixture, WorksheetAnswersKeepTheirBytes)
{
    if (db().kind() == host::DatabaseKind::PostgreSQL)
        GTEST_SKIP() << "the answers were recorded on SQLite";
    const QString token = login();
    QStringList numbers;
    QSqlQuery query = db().run(QStringLiteral(
        "SELECT DISTINCT NRCOLEPRECO FROM ITEMCOLE WHERE CDFILIAL = '0001' ORDER BY 1"));
    while (query.next())
        numbers << query.value(0).toString();
    ASSERT_GE(numbers.size(), 3);
    const auto getStringList = [this, &token](const QByteArray& body) {
        return post(QStringLiteral("/rpc/Sup.rdmPlanCotaPrec/GetStringList"), body, token);
    };
    EXPECT_EQ(answersDigest(getStringList, numbers, db()).toStdString(),
              "e59052ccab486b1ed17989d41912b66c0c834d70fd9e488c1c494b5fb434556d");

    const QString scale = appserver::db::seedScale(db(), 10'000, QDate(2025, 3, 12));
    EXPECT_EQ(answersDigest(getStringList, {scale}, db()).toStdString(),
              "553afc0282a2f423e7442d3bb1ef6b94d44401a86d10b3e42e35f95640811685");
}

// The version a client compares with its copy: the same while nothing the worksheet shows
// changed, another after any write of the quotation's items or of a name shown with them.
TEST_F(RpcFixture, ItemsVersionChangesWithWhatTheWorksheetShows)
{
    const QString token = login();
    const QStringList numbers = [this] {
        QStringList found;
        QSqlQuery query = db().run(QStringLiteral(
            "SELECT DISTINCT NRCOLEPRECO FROM ITEMCOLE WHERE CDFILIAL = '0001' ORDER BY 1"));
        while (query.next())
            found << query.value(0).toString();
        return found;
    }();
    ASSERT_GE(numbers.size(), 2);
    const QString number = numbers[0], other = numbers[1];
    auto version = [&](const QString& quotation) {
        return call(kPlan, QStringLiteral("GetVersaoItens"), {QStringLiteral("0001"), quotation},
                    token).toString();
    };
    auto changes = [&](const QString& statement, const QVariantList& values = {}) {
        const QString before = version(number);
        db().run(statement, values);
        return version(number) != before;
    };
    EXPECT_FALSE(version(number).isEmpty());
    EXPECT_EQ(version(number), version(number));

    const QString item = QStringLiteral("WHERE CDFILIAL = '0001' AND NRCOLEPRECO = ?");
    EXPECT_TRUE(changes(QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = 1.5 ") + item, {number}));
    EXPECT_TRUE(changes(QStringLiteral("UPDATE ITEMCOLE SET QTACMPITMCOL = 2 ") + item, {number}));
    EXPECT_FALSE(changes(QStringLiteral("UPDATE ITEMCOLE SET DSOBSITMCOL = 'x' ") + item, {number}));
    EXPECT_FALSE(changes(QStringLiteral("UPDATE ITEMCOLE SET VRPRECUNIITM = 4 ") + item, {other}));
    EXPECT_TRUE(changes(QStringLiteral("UPDATE MARCA SET NMMARCA = 'MARCA ' || CDMARCA")));
    EXPECT_FALSE(changes(QStringLiteral("UPDATE MARCA SET CDMARCA = CDMARCA")));
    EXPECT_TRUE(changes(QStringLiteral("DELETE FROM ITEMCOLE ") + item +
                            QStringLiteral(" AND CDREGIAO = (SELECT MIN(CDREGIAO) FROM ITEMCOLE ") +
                            item + QStringLiteral(")"),
                        {number, number}));

    // Only the operator's own centre is answered: another gets the refusal's text.
    EXPECT_TRUE(call(kPlan, QStringLiteral("GetVersaoItens"), {QStringLiteral("0002"), number}, token)
                    .toString()
                    .startsWith(QStringLiteral("A filial informada")));
}

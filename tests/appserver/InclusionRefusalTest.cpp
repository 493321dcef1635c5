// IncluirCotacao refuses what it must not do, writes nothing when it refuses, and gives
// two inclusions at the same moment two numbers.

#include "InclusionTestSupport.h"

#include "DbTestSupport.h"
#include "host/core/WireCodec.h"

#include <gtest/gtest.h>
#include <latch>
#include <thread>

using namespace inclusiontest;

namespace {

using InclusionRefusalTest = InclusionFixture;

struct BadArgument
{
    int arg;
    QVariant value;
    const char* reason;
};

TEST_F(InclusionRefusalTest, BadArgumentsAreRefusedWithTheirReasonAndWriteNothing)
{
    const QDate day = dbtest::referenceDay();
    const QString hostile = QStringLiteral("_001_002'); DELETE FROM ITEMCOLE; --_");
    QStringList manyCodes;
    for (int i = 1; i <= 100000; ++i)
        manyCodes << QString::number(i);
    const BadArgument cases[] = {
        {Operator, "CARLOS.NUNES", "O operador informado não é o operador conectado ao sistema."},
        {Branch, "0002",
         "A filial informada não é a filial em que o operador entrou no sistema "
         "(0001): a operação não é permitida."},
        {Centre, "0005",
         "A filial informada não é a central de compras do operador conectado "
         "(0001): a operação não é permitida."},
        {Buyer, "", "Comprador deve ser informado."},
        {Buyer, "FERNANDA.LUZ", "Comprador \"FERNANDA.LUZ\" não cadastrado."},
        {Buyer, "CARLOS.NUNES",
         "Somente o próprio comprador ou o seu gerente pode incluir cotação "
         "para o comprador CARLOS.NUNES."},
        {Collected, QVariant(), "Data da coleta deve ser informada."},
        {Collected, QDate::currentDate().addDays(1),
         "Data da coleta deve ser menor ou igual a data atual."},
        {FirstWeek, "54", "Semana inicial inválida: \"54\" (use 01 a 53)."},
        {LastWeek, "0", "Semana final inválida: \"0\" (use 01 a 53)."},
        {ValidFrom, QVariant(), "Data de validade inicial deve ser informada."},
        {ValidTo, day.addDays(-3),
         "Data de validade inicial deve ser menor ou igual a data de validade final."},
        {FirstProduct, "0102", "Produto inicial deve ser menor ou igual ao produto final."},
        {Regions, "_001", "Lista de regiões em formato inválido."},
        {Regions, hostile,
         "Lista de regiões com código inválido: \"002'); DELETE FROM ITEMCOLE; "
         "--\"."},
        {Suppliers, "_" + manyCodes.join(u'_') + "_",
         "Lista de fornecedores com mais de 5000 "
         "códigos."},
        {Checks, "_1_4_", "Verificação \"4\" desconhecida: use 0 a 3."},
        {PriceList, "X",
         "Indicador de disponibilização na montagem da lista de preços inválido: "
         "use S ou N."},
    };
    const QStringList before = snapshot();
    for (const BadArgument& bad : cases) {
        const QString answer = include([&](QVariantList& a) {
            a[bad.arg] = bad.value;
            a[LastProduct] = QStringLiteral("0101ZZZZZZ");
        });
        EXPECT_EQ(answer, QStringLiteral("3") + QString::fromUtf8(bad.reason)) << bad.arg;
    }
    EXPECT_EQ(snapshot(), before);

    db().exec(QStringLiteral("DELETE FROM PARASUPRI WHERE CDFILIAL = '0001'"));
    const QStringList withoutParameters = snapshot();
    EXPECT_EQ(include(), "3Parâmetros de compras da central 0001 não cadastrados: a cotação não "
                         "pode ser incluída.");
    EXPECT_EQ(snapshot(), withoutParameters);
}

TEST_F(InclusionRefusalTest, ArgumentsOfTheWrongKindAreBadRequests)
{
    const QString token = login();
    const QStringList before = snapshot();
    auto status = [&](const std::function<void(QVariantList&)>& change) {
        QVariantList args = inclusionArgs();
        change(args);
        return callError(rpctest::kPlan, QStringLiteral("IncluirCotacao"), args, token);
    };
    EXPECT_EQ(status([](QVariantList& a) { a[Collected] = QStringLiteral("2025-03-12"); }), 400);
    EXPECT_EQ(status([](QVariantList& a) { a[AllProducts] = QStringLiteral("S"); }), 400);
    EXPECT_EQ(status([](QVariantList& a) { a[Regions] = QVariantList{"001"}; }), 400);
    EXPECT_EQ(status([](QVariantList& a) { a.removeLast(); }), 400);
    EXPECT_EQ(callError(rpctest::kPlan, QStringLiteral("GetDetalhes"), inclusionArgs(), token),
              400);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(InclusionRefusalTest, TwoInclusionsAtTheSameMomentGetTwoNumbers)
{
    const QString ana = login();
    const QString fernanda = login(savetest::kFernanda);
    QByteArray bodies[2];
    for (int i = 0; i < 2; ++i) {
        QVariantList args = inclusionArgs();
        args[Operator] = i == 0 ? savetest::kAna : savetest::kFernanda;
        args[Regions] = QStringLiteral("_001_");
        bodies[i] = host::wire::encode(QVariantMap{{QStringLiteral("args"), args}});
    }
    std::latch start(2);
    QString answers[2];
    auto include = [&](int i, const QString& token) {
        start.arrive_and_wait();
        const auto response =
            post(QStringLiteral("/rpc/Sup.rdmPlanCotaPrec/IncluirCotacao"), bodies[i], token);
        answers[i] = host::wire::decode(response.body).toMap().value("result").toString();
    };
    std::thread first(include, 0, ana);
    std::thread second(include, 1, fernanda);
    first.join();
    second.join();

    const QStringList numbers = {numberOf(answers[0]), numberOf(answers[1])};
    EXPECT_NE(numbers[0], numbers[1]);
    EXPECT_EQ(dbtest::column(db(),
                             QStringLiteral("SELECT NRCOLEPRECO FROM COLETAPR WHERE "
                                            "NRCOLEPRECO IN (?, ?) ORDER BY 1"),
                             {numbers[0], numbers[1]})
                  .size(),
              2);
    EXPECT_EQ(items(numbers[0]), items(numbers[1]));
}

} // namespace

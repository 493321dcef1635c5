// DuplicaCotacao and GetDadDuplica on the demo centre: what a copy holds, which sources are
// left out and how they are logged, and that a refused request writes nothing.

#include "SaveTestSupport.h"

#include "appserver/db/Schema.h"
#include "host/core/Packet.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace savetest;

namespace {

enum Arg
{
    Centre,
    FirstWeek,
    LastWeek,
    ValidFrom,
    ValidTo,
    Current,
    PeriodFrom,
    PeriodTo,
    Collected,
    Readjustment,
    Buyers,
    WholePeriod,
    ListApplies,
    Branch,
    Operator,
    ArgCount
};

const QString kCopy = QStringLiteral("0000000007"); // the demo has six quotations
const QString kHasQuotation = QStringLiteral("Comprador já possui cotação na nova validade.");

class DuplicaCotacaoTest : public SaveFixture
{
protected:
    // Ana's first quotation (24 February to 9 March, with payment terms and taxes) into
    // weeks 15 and 16, collected on the reference day, prices unchanged.
    static QVariantList currentArgs()
    {
        QVariantList a(ArgCount);
        a[Centre] = a[Branch] = kBranch;
        a[FirstWeek] = QStringLiteral("15");
        a[LastWeek] = QStringLiteral("16");
        a[ValidFrom] = QDate(2025, 4, 7);
        a[ValidTo] = QDate(2025, 4, 20);
        a[Current] = QStringLiteral("0000000001");
        a[PeriodFrom] = a[PeriodTo] = QVariant(); // null, as the empty date controls send them
        a[Collected] = dbtest::referenceDay();
        a[Readjustment] = 0.0;
        a[Buyers] = QString();
        a[WholePeriod] = a[ListApplies] = false;
        return a;
    }
    // The quotations valid within 3 to 16 March of Carlos (0000000002) and Daniela
    // (0000000004) into week 13, where Carlos already has 0000000005.
    static QVariantList periodArgs()
    {
        QVariantList a = currentArgs();
        a[FirstWeek] = a[LastWeek] = QStringLiteral("13");
        a[ValidFrom] = QDate(2025, 3, 24);
        a[ValidTo] = QDate(2025, 3, 30);
        a[PeriodFrom] = QDate(2025, 3, 3);
        a[PeriodTo] = QDate(2025, 3, 16);
        a[Buyers] = QStringLiteral("_CARLOS.NUNES_DANIELA.LIMA_");
        a[WholePeriod] = a[ListApplies] = true;
        return a;
    }

    QString duplicate(QVariantList args, const QString& operatorCode = kFernanda)
    {
        args[Operator] = operatorCode;
        return call(rpctest::kPlan, QStringLiteral("DuplicaCotacao"), args, login(operatorCode))
            .toString();
    }
    QStringList logged()
    {
        return dbtest::rows(db(), QStringLiteral("SELECT NRCOTNDUP, NRCOLEPRECO, CDOPERADOR, "
                                                 "DTINIVALCOL, DTFINVALCOL, DSMOTIVO, NRSEMAINIC, "
                                                 "NRSEMAFINAL, CDOPERREG FROM COTNDUPLIC WHERE "
                                                 "CDFILIAL = '0001' ORDER BY NRCOTNDUP"));
    }
    QString header(const QString& number)
    {
        return dbtest::rows(db(),
                            QStringLiteral("SELECT DTCOLEPREC, NRSEMAINIC, NRSEMAFINAL, "
                                           "DTINIVALCOL, DTFINVALCOL, CDOPERADOR, IDTIPCOLREG, "
                                           "IDDISMONTLIS FROM COLETAPR WHERE NRCOLEPRECO = ?"),
                            {number})
            .value(0);
    }
    // The columns of a quotation's rows in `table`, sorted.
    QStringList rowsOf(const char* table, const char* columns, const QString& number)
    {
        return dbtest::rows(db(),
                            QStringLiteral("SELECT %1 FROM %2 WHERE NRCOLEPRECO = ? "
                                           "ORDER BY %1")
                                .arg(QLatin1String(columns), QLatin1String(table)),
                            {number});
    }
};

TEST_F(DuplicaCotacaoTest, CurrentQuotationIsCopiedWithReadjustedPricesUnderTheNextNumber)
{
    QVariantList args = currentArgs();
    args[Readjustment] = 10.0;
    EXPECT_EQ(duplicate(args, kAna), "XS");
    EXPECT_EQ(header(kCopy), "2025-03-12|15|16|2025-04-07|2025-04-20|ANA.CARVALHO|L|S");

    const char* kept = "CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, QTACMPITMCOL, VRPERDESITM, "
                       "IDITMCOTPREC, IDTIPFREITM, DSOBSITMCOL";
    EXPECT_EQ(rowsOf("ITEMCOLE", kept, kCopy), rowsOf("ITEMCOLE", kept, "0000000001"));
    EXPECT_EQ(dbtest::rows(db(),
                           QStringLiteral("SELECT DISTINCT DTINIVALITM, DTFINVALITM FROM "
                                          "ITEMCOLE WHERE NRCOLEPRECO = ?"),
                           {kCopy}),
              QStringList{"2025-04-07|2025-04-20"});
    const QStringList prices = dbtest::rows(
        db(),
        QStringLiteral("SELECT S.VRPRECUNIITM, S.VRPRECECOITM, S.VRPRECECOPIITM, "
                       "C.VRPRECUNIITM, C.VRPRECECOITM, C.VRPRECECOPIITM FROM ITEMCOLE S "
                       "JOIN ITEMCOLE C ON C.CDREGIAO = S.CDREGIAO AND C.CDFORNECED = "
                       "S.CDFORNECED AND C.CDPRODUTO = S.CDPRODUTO AND C.CDMARCA = "
                       "S.CDMARCA WHERE S.NRCOLEPRECO = '0000000001' AND C.NRCOLEPRECO = ?"),
        {kCopy});
    ASSERT_EQ(prices.size(), 180);
    int cutToFiveDecimals = 0;
    for (const QString& row : prices) {
        const QStringList v = row.split(u'|');
        for (int i = 0; i < 3; ++i) {
            const double raised = v[i].toDouble() * 1.1;
            const double expected = std::round(raised * 1e5) / 1e5;
            EXPECT_NEAR(v[i + 3].toDouble(), expected, 1e-9) << row.toStdString();
            cutToFiveDecimals += std::abs(raised - expected) > 1e-9;
        }
    }
    EXPECT_GT(cutToFiveDecimals, 0);

    const char* term = "CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, NRPARCPGTO, NRDIAPGTO, "
                       "VRPERCPARC, CDFORMPGTO";
    const char* tax = "CDREGIAO, CDFORNECED, CDPRODUTO, CDMARCA, CDIMPOSTO, VRALIQIMPOS";
    EXPECT_EQ(rowsOf("PZOPGTITMCOL", term, kCopy).size(), 306);
    EXPECT_EQ(rowsOf("PZOPGTITMCOL", term, kCopy), rowsOf("PZOPGTITMCOL", term, "0000000001"));
    EXPECT_EQ(rowsOf("IMPCOLET", tax, kCopy).size(), 180);
    EXPECT_EQ(rowsOf("IMPCOLET", tax, kCopy), rowsOf("IMPCOLET", tax, "0000000001"));
}

TEST_F(DuplicaCotacaoTest, PeriodCopiesTheBuyerWithoutAQuotationInTheNewValidityAndLogsTheOther)
{
    EXPECT_EQ(duplicate(periodArgs()), "XN00000000010");
    EXPECT_EQ(header(kCopy), "2025-03-12|13|13|2025-03-24|2025-03-30|DANIELA.LIMA|L|S");
    EXPECT_EQ(rowsOf("ITEMCOLE", "CDPRODUTO", kCopy).size(), 160);
    const QString carlos =
        "|0000000002|CARLOS.NUNES|2025-03-03|2025-03-16|" + kHasQuotation + "|13|13|FERNANDA.LUZ";
    EXPECT_EQ(logged(), QStringList{"0000000001" + carlos});

    // Daniela now has the copy in the new validity: nothing is copied the second time, and
    // the two rows follow the first duplication's.
    EXPECT_EQ(duplicate(periodArgs()), "XN00000000021");
    const QString daniela =
        "|0000000004|DANIELA.LIMA|2025-03-10|2025-03-16|" + kHasQuotation + "|13|13|FERNANDA.LUZ";
    EXPECT_EQ(logged().mid(1), QStringList({"0000000002" + carlos, "0000000003" + daniela}));
    EXPECT_EQ(header(QStringLiteral("0000000008")), QString());
}

TEST_F(DuplicaCotacaoTest, SourcesThatMayNotBeCopiedAreLoggedWithTheReason)
{
    // Ana neither is Carlos nor manages him.
    QVariantList carlos = currentArgs();
    carlos[Current] = QStringLiteral("0000000002");
    EXPECT_EQ(duplicate(carlos, kAna), "XN00000000010");
    // A readjustment that takes a price past what the price dialog accepts.
    QVariantList dear = currentArgs();
    dear[Readjustment] = 1e12;
    EXPECT_EQ(duplicate(dear, kAna), "XN00000000020");
    // A quotation without items.
    dbtest::rows(db(), QStringLiteral("INSERT INTO COLETAPR (CDFILIAL, NRCOLEPRECO, DTCOLEPREC, "
                                      "CDOPERADOR) VALUES ('0001', '0000000050', '2025-03-01', "
                                      "'ANA.CARVALHO')"));
    QVariantList empty = currentArgs();
    empty[Current] = QStringLiteral("0000000050");
    EXPECT_EQ(duplicate(empty, kAna), "XN00000000030");

    QStringList reasons;
    for (const QString& row : logged())
        reasons << row.section(u'|', 5, 5);
    EXPECT_EQ(reasons, QStringList({"Operador sem permissão para o comprador.",
                                    "Preço reajustado acima do máximo permitido "
                                    "(9.999.999.999,99999).",
                                    "Cotação sem itens."}));
    EXPECT_EQ(header(kCopy), QString());
}

TEST_F(DuplicaCotacaoTest, ACopyThatFailsHalfwayIsUndoneAndLoggedWhileTheNextIsCopied)
{
    // Carlos's quotation is copied first, under 0000000007: its taxes are refused after its
    // header, items and payment terms were written.
    dbtest::addFailingTrigger(db(), QStringLiteral("RECUSA_IMPOSTO"),
                              QStringLiteral("BEFORE INSERT"), QStringLiteral("IMPCOLET"),
                              QStringLiteral("NEW.NRCOLEPRECO = '0000000007'"),
                              QStringLiteral("imposto recusado"));
    QVariantList args = periodArgs();
    args[FirstWeek] = args[LastWeek] = QStringLiteral("19");
    args[ValidFrom] = QDate(2025, 5, 5);
    args[ValidTo] = QDate(2025, 5, 11);
    EXPECT_EQ(duplicate(args), "XN00000000010");
    EXPECT_TRUE(logged().value(0).contains(QStringLiteral("imposto recusado")));
    EXPECT_EQ(header(kCopy), "2025-03-12|19|19|2025-05-05|2025-05-11|DANIELA.LIMA|L|S");
    EXPECT_EQ(rowsOf("ITEMCOLE", "CDPRODUTO", kCopy).size(), 160);
    EXPECT_TRUE(rowsOf("PZOPGTITMCOL", "CDPRODUTO", kCopy).isEmpty());
}

TEST_F(DuplicaCotacaoTest, RefusedRequestsWriteNothing)
{
    const auto refused = [&](QVariantList args, Arg arg, const QVariant& value,
                             const QString& text) {
        args[arg] = value;
        const QStringList before = snapshot();
        EXPECT_EQ(duplicate(args), text);
        EXPECT_EQ(snapshot(), before) << text.toStdString();
    };
    refused(currentArgs(), Readjustment, -100.0, "Reajuste deve ser maior que -100%.");
    refused(currentArgs(), LastWeek, "54", "Semana final inválida: \"54\" (use 01 a 53).");
    refused(currentArgs(), ValidTo, QDate(2025, 4, 6),
            "Nova validade inicial deve ser menor ou igual a nova validade final.");
    refused(currentArgs(), Collected, QDate::currentDate().addDays(1),
            "Data da coleta deve ser menor ou igual a data atual.");
    refused(currentArgs(), Current, "0000000099", "Cotação 0000000099 não encontrada.");
    refused(periodArgs(), PeriodTo, QDate(2025, 3, 2),
            "Data de validade inicial deve ser menor ou igual a data de validade final.");
    // Buyer lists are bound, never spliced into a statement.
    refused(periodArgs(), Buyers, "CARLOS.NUNES", "Lista de compradores em formato inválido.");
    refused(periodArgs(), Buyers, "", "Comprador deve ser informado.");
    refused(periodArgs(), Buyers, "_X' OR '1'='1_",
            "Não há cotação para o comprador no período de validade informado.");
    refused(periodArgs(), Buyers, "_'); DELETE FROM COLETAPR; --_",
            "Lista de compradores com código inválido: \"'); DELETE FROM COLETAPR; --\".");
}

TEST_F(DuplicaCotacaoTest, ADatabaseOfThePreviousVersionGainsTheLog)
{
    db().exec(QStringLiteral("DROP TABLE COTNDUPLIC"));
    db().exec(QStringLiteral("DELETE FROM VERSAOBD WHERE NRVERSAOBD >= 3"));
    QVariantList carlos = currentArgs();
    carlos[Current] = QStringLiteral("0000000002");
    EXPECT_EQ(duplicate(carlos, kAna), "XN00000000010");
    EXPECT_EQ(appserver::db::schemaVersion(db()), appserver::db::kSchemaVersion);
}

TEST_F(DuplicaCotacaoTest, GetDadDuplicaAnswersTheQuotationThatEndsLast)
{
    const auto latest = [&] {
        const auto packet =
            call(rpctest::kPlan, QStringLiteral("GetDadDuplica"), {kBranch}, login())
                .value<host::Packet>();
        QStringList rows;
        for (qsizetype r = 0; r < packet.rowCount(); ++r)
            rows << packet.value(r, 0).toString() + u'|' +
                        packet.value(r, 1).toDate().toString(Qt::ISODate);
        return rows;
    };
    EXPECT_EQ(latest(), QStringList{"13|2025-03-30"});
    // Two ending the same day: the higher number.
    dbtest::rows(db(), QStringLiteral("INSERT INTO COLETAPR (CDFILIAL, NRCOLEPRECO, DTCOLEPREC, "
                                      "NRSEMAFINAL, DTINIVALCOL, DTFINVALCOL, CDOPERADOR) VALUES "
                                      "('0001', '0000000009', '2025-03-01', '14', '2025-03-01', "
                                      "'2025-03-30', 'ANA.CARVALHO')"));
    EXPECT_EQ(latest(), QStringList{"14|2025-03-30"});
    dbtest::rows(db(), QStringLiteral("DELETE FROM COLETAPR"));
    EXPECT_EQ(latest(), QStringList());
}

} // namespace

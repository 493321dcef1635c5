// Hostile and malformed input to the quotation register's methods: every list and code
// argument is data, never SQL; a malformed list is refused with a clear text; calls of
// the wrong shape are bad requests; and none of it changes the database.

#include "RegisterTestSupport.h"

using namespace registertest;
using dbtest::dump;

namespace {

const QString kHuge = QString(100000, QLatin1Char('A'));

// Lists in the "_a_b_" format whose codes exist nowhere: quotes, wildcards, comment and
// statement separators, non-ASCII, a code of 99 998 characters.
const QStringList kWellFormedHostileLists = {
    "_' OR '1'='1_",
    "_%_",
    "_ANA%_",
    "_;--_",
    "_') ; DELETE FROM COLETAPR; --_",
    "_São Paulo_",
    "_ção_日本語_",
    "_" + QString(99998, QLatin1Char('A')) + "_",
};

// Lists not in the "_a_b_" format.
const QStringList kMalformedLists = {
    "ANA.CARVALHO", "_ANA.CARVALHO", "ANA.CARVALHO_", "__", "_a__b_",
    "_ _",          "001,002",       "_a\nb_",        "_",  kHuge,
};

// Hostile texts for the code arguments (branch, quotation number, operator, centre).
const QStringList kHostileCodes = {
    "0001' OR '1'='1", "%", "_", "0001;--", "'; DROP TABLE COLETAPR; --", "Filial São João", kHuge,
};

class RegisterHostileInputTest : public RegisterFixture
{
protected:
    void SetUp() override
    {
        RegisterFixture::SetUp();
        before = dump(db());
    }
    void expectUnchanged() { EXPECT_EQ(dump(db()), before) << "the database changed"; }

    QStringList before;
};

} // namespace

TEST_F(RegisterHostileInputTest, WellFormedHostileListsAreCodesThatMatchNothing)
{
    for (const QString& list : kWellFormedHostileLists) {
        SCOPED_TRACE(list.left(40).toStdString());
        for (const FilterArgs& args :
             {FilterArgs().buyerList(list), FilterArgs().supplierList(list),
              FilterArgs().regionList(list)}) {
            const Listing listing = listQuotations(args);
            EXPECT_EQ(listing.quotations.rowCount(), 0);
            EXPECT_EQ(listing.suppliers.rowCount(), 0);
        }
    }
    // A real code beside hostile ones still finds exactly its rows.
    EXPECT_EQ(listQuotations(FilterArgs().buyerList("_' OR '1'='1_ANA.CARVALHO_%_")).numbers(),
              (QStringList{"0000000003", "0000000001"}));
    // A marker that is not exactly "T" means that the list applies.
    FilterArgs notAll = FilterArgs().buyerList("_ANA.CARVALHO_");
    notAll.buyerMarker = QStringLiteral("T' OR '1'='1");
    EXPECT_EQ(listQuotations(notAll).numbers(), (QStringList{"0000000003", "0000000001"}));
    expectUnchanged();
}

TEST_F(RegisterHostileInputTest, MalformedListsAreRefusedWithATextNamingTheList)
{
    for (const QString& list : kMalformedLists) {
        SCOPED_TRACE(list.left(40).toStdString());
        QString text;
        EXPECT_EQ(listQuotationsError(FilterArgs().buyerList(list), &text), 500);
        EXPECT_EQ(text, QStringLiteral("Lista de compradores em formato inválido."));
        EXPECT_EQ(listQuotationsError(FilterArgs().supplierList(list), &text), 500);
        EXPECT_EQ(text, QStringLiteral("Lista de fornecedores em formato inválido."));
        EXPECT_EQ(listQuotationsError(FilterArgs().regionList(list), &text), 500);
        EXPECT_EQ(text, QStringLiteral("Lista de regiões em formato inválido."));
    }
    expectUnchanged();
}

TEST_F(RegisterHostileInputTest, AListMayCarryUpToFiveThousandDistinctCodes)
{
    QStringList codes;
    for (int i = 1; i < 5000; ++i)
        codes << QStringLiteral("X%1").arg(i);
    const QString supplier = dbtest::supplier(13);
    const QString full = "_" + (codes + QStringList{supplier}).join(u'_') + "_";
    const QStringList withSupplier = dbtest::column(
        db(),
        QStringLiteral("SELECT DISTINCT NRCOLEPRECO FROM ITEMCOLE WHERE CDFORNECED = ? "
                       "ORDER BY 1 DESC"),
        {supplier});
    EXPECT_EQ(listQuotations(FilterArgs().supplierList(full)).numbers(), withSupplier);

    // Repeated codes count once.
    const QString repeated =
        "_" + QStringList(20000, QStringLiteral("ANA.CARVALHO")).join(u'_') + "_";
    EXPECT_EQ(listQuotations(FilterArgs().buyerList(repeated)).numbers(),
              (QStringList{"0000000003", "0000000001"}));

    QString text;
    const QString tooMany = "_" + (codes + QStringList{"Y1", "Y2"}).join(u'_') + "_";
    EXPECT_EQ(listQuotationsError(FilterArgs().regionList(tooMany), &text), 500);
    EXPECT_EQ(text, QStringLiteral("Lista de regiões com mais de 5000 códigos."));
    expectUnchanged();
}

TEST_F(RegisterHostileInputTest, HostileCodeArgumentsFindNothingAndChangeNothing)
{
    const QString manager = login(QStringLiteral("FERNANDA.LUZ"));
    for (const QString& code : kHostileCodes) {
        SCOPED_TRACE(code.left(40).toStdString());
        // A hostile branch is not the session's centre: refused with a text that does not
        // repeat it.
        FilterArgs centre;
        centre.centre = code;
        const QVariant refused(otherCentreRefusal());
        EXPECT_EQ(call(rpctest::kPlan, "GetColetaPr", centre.toList(), token), refused);
        EXPECT_EQ(call(rpctest::kPlan, "GetServRegiao", {code, code, code}, token), refused);
        EXPECT_EQ(call(rpctest::kPlan, "GetDadosFiltro", {code, code}, token), refused);
        EXPECT_EQ(call(rpctest::kSupri, "GetParaSupri", {code}, token), refused);
        EXPECT_EQ(
            call(rpctest::kPlan, "DelColetaPr", {code, "0000000001", "FERNANDA.LUZ"}, manager),
            refused);

        // The manager may delete any quotation of the centre: a hostile number still names
        // none.
        const host::Packet regions =
            packetOf(call(rpctest::kPlan, "GetServRegiao", {"0001", code, code}, token));
        EXPECT_EQ(columnOf(regions, "CDREGIAO"), QStringList{"XXX"}) << "only the all-regions row";
        EXPECT_EQ(call(rpctest::kPlan, "DelColetaPr", {"0001", code, "FERNANDA.LUZ"}, manager),
                  QVariant(QStringLiteral("Cotação de preços não encontrada.")));
        EXPECT_EQ(call(rpctest::kPlan, "DelColetaPr", {"0001", "0000000001", code}, manager),
                  QVariant(QStringLiteral(
                      "O operador informado não é o operador conectado ao sistema.")));
    }
    // An operator argument that is not a buyer's code gives the centre's latest validity.
    EXPECT_EQ(packetOf(call(rpctest::kPlan, "GetDadosFiltro", {"0001", "ANA.CARVALHO' --"}, token))
                  .rowCount(),
              1);
    expectUnchanged();
}

TEST_F(RegisterHostileInputTest, AnotherCentresQuotationIsNeitherReadNorWritten)
{
    // Recife (0005) buys for itself: a copy of quotation 0000000003 becomes one of its own.
    for (const char* table : {"COLETAPR", "ITEMCOLE"})
        for (const QString& sql :
             {QStringLiteral("CREATE TEMP TABLE COPIA AS SELECT * FROM %1 WHERE CDFILIAL = '0001' "
                             "AND NRCOLEPRECO = '0000000003'"),
              QStringLiteral("UPDATE COPIA SET CDFILIAL = '0005'"),
              QStringLiteral("INSERT INTO %1 SELECT * FROM COPIA"),
              QStringLiteral("DROP TABLE COPIA")})
            db().exec(sql.arg(QString::fromLatin1(table)));
    before = dump(db());
    const QVariantList items = {"0005", "0000000003", "NULL", false};

    // Recife's own operators read it ...
    const QString recife = loginAt(QStringLiteral("ANA.CARVALHO"), QStringLiteral("0005"));
    const QVariantList own = call(rpctest::kPlan, "GetStringList", items, recife).toList();
    ASSERT_EQ(own.size(), 2);
    EXPECT_GT(packetOf(own.at(1)).rowCount(), 0);

    // ... an operator of the centre 0001 who names branch 0005 reads nothing of it and
    // changes nothing of it.
    const QVariant refused(otherCentreRefusal());
    EXPECT_EQ(call(rpctest::kPlan, "GetStringList", items, token), refused);
    EXPECT_EQ(call(rpctest::kPlan, "GetRegForn", {"0005", "0000000003"}, token), refused);
    const QString manager = login(QStringLiteral("FERNANDA.LUZ"));
    EXPECT_EQ(call(rpctest::kPlan, "DelColetaPr", {"0005", "0000000003", "FERNANDA.LUZ"}, manager),
              refused);
    const QVariantList save = {QVariant(), QVariant(), "0005", "0000000003", false,
                               QDate(2025, 3, 12), false, false, false, false, "0001",
                               "ANA.CARVALHO"};
    EXPECT_EQ(call(rpctest::kPlan, "GravaPlanCota", save, token), refused);
    // The operator's own branch in a save is the one he logged in at.
    QVariantList otherBranch = save;
    otherBranch[2] = QStringLiteral("0001");
    otherBranch[10] = QStringLiteral("0002");
    EXPECT_EQ(call(rpctest::kPlan, "GravaPlanCota", otherBranch, token),
              QVariant(QStringLiteral("A filial informada não é a filial em que o operador entrou "
                                      "no sistema (0001): a operação não é permitida.")));
    expectUnchanged();
}

TEST_F(RegisterHostileInputTest, CallsOfTheWrongShapeAreBadRequests)
{
    const QVariantList filter = FilterArgs().toList();
    struct Case
    {
        const char* what;
        QString module;
        const char* method;
        QVariantList args;
    };
    QVariantList dateAsText = filter;
    dateAsText[3] = QStringLiteral("2025-03-12");
    QVariantList numberAsText = filter;
    numberAsText[1] = 42;
    QVariantList listAsText = filter;
    listAsText[6] = QVariantList{QStringLiteral("_001_")};
    QVariantList booleanAsText = filter;
    booleanAsText[0] = true;
    const Case cases[] = {
        {"filter with nine arguments", rpctest::kPlan, "GetColetaPr", filter.mid(0, 9)},
        {"filter with eleven arguments", rpctest::kPlan, "GetColetaPr", filter + QVariantList{1}},
        {"date sent as text", rpctest::kPlan, "GetColetaPr", dateAsText},
        {"number for a list", rpctest::kPlan, "GetColetaPr", numberAsText},
        {"array for a list", rpctest::kPlan, "GetColetaPr", listAsText},
        {"Boolean for the centre", rpctest::kPlan, "GetColetaPr", booleanAsText},
        {"database kind with an argument", rpctest::kPlan, "GetBanco", {QStringLiteral("x")}},
        {"supplier search with an argument",
         rpctest::kPlan,
         "GetPesqForn",
         {QStringLiteral("0001")}},
        {"filter defaults without operator", rpctest::kPlan, "GetDadosFiltro", {"0001"}},
        {"parameters without centre", rpctest::kSupri, "GetParaSupri", {}},
        {"regions with two arguments", rpctest::kPlan, "GetServRegiao", {"0001", "0000000003"}},
        {"delete with a number for the quotation",
         rpctest::kPlan,
         "DelColetaPr",
         {"0001", 1, "ANA.CARVALHO"}},
        {"delete with a date for the operator",
         rpctest::kPlan,
         "DelColetaPr",
         {"0001", "0000000001", QDate(2025, 3, 12)}},
        {"delete with four arguments",
         rpctest::kPlan,
         "DelColetaPr",
         {"0001", "0000000001", "ANA.CARVALHO", "ANA.CARVALHO"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QString text;
        EXPECT_EQ(callError(c.module, c.method, c.args, token, &text), 400);
        EXPECT_TRUE(text.startsWith(QString::fromLatin1(c.method))) << text.toStdString();
    }
    // The parameters live on the other module only.
    EXPECT_EQ(callError(rpctest::kPlan, "GetParaSupri", {"0001"}, token), 404);
    EXPECT_EQ(callError(rpctest::kSupri, "GetBanco", {}, token), 404);
    expectUnchanged();
}

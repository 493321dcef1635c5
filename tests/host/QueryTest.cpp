#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/core/Messages.h"
#include "host/core/Query.h"
#include "host/core/SqlTexts.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace host;

namespace {

class QueryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_db = std::make_unique<Database>(QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("t.db")));
        m_db->execScript(QStringLiteral(
            "CREATE TABLE FILIAL (CDFILIAL VARCHAR(4) PRIMARY KEY, NMFILIAL VARCHAR(30), "
            "CDFILCENTCMP VARCHAR(4));\n"
            "INSERT INTO FILIAL VALUES ('0001', 'CENTRAL DE COMPRAS', NULL);\n"
            "INSERT INTO FILIAL VALUES ('0002', 'LOJA SUL', '0001');\n"
            "INSERT INTO FILIAL VALUES ('0003', 'LOJA NORTE', ' ');\n"
            "CREATE TABLE ITEM (CDREGIAO VARCHAR(3), VRPRECUNIITM FLOAT, QTITENS INTEGER, "
            "DTVALIDADE VARCHAR(10), NMITEM VARCHAR(50));\n"));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};

} // namespace

TEST_F(QueryTest, PurchasingCentreQueryRunsWithTheSharedFunctions)
{
    Query q(*m_db, QStringLiteral("qryCentCmp"));
    q.SetSQL(QStringLiteral(
        "SELECT CAST(NVLSTR(FILIAL.CDFILCENTCMP, FILIAL.CDFILIAL) AS VARCHAR(4)) AS CDFILIAL, "
        "FIL.NMFILIAL AS NMFILIAL_CENTRAL FROM FILIAL FIL, FILIAL WHERE FILIAL.CDFILIAL = "
        ":P_CDFILIAL AND NVLSTR(FILIAL.CDFILCENTCMP, FILIAL.CDFILIAL) = FIL.CDFILIAL"));
    const struct
    {
        const char* branch;
        const char* centre;
    } cases[] = {{"0002", "0001"}, {"0001", "0001"}, {"0003", "0003"}};
    for (const auto& c : cases) {
        q.SetParam(QStringLiteral("P_CDFILIAL"), QString::fromLatin1(c.branch));
        q.Open();
        ASSERT_EQ(q.RecordCount(), 1) << c.branch;
        EXPECT_EQ(q.FieldByName(QStringLiteral("CDFILIAL")).AsString(), QString::fromLatin1(c.centre));
    }
    EXPECT_EQ(q.FieldByName(QStringLiteral("NMFILIAL_CENTRAL")).AsString(), QStringLiteral("LOJA NORTE"));

    Query lastDay(*m_db, QStringLiteral("qryUltimo"));
    lastDay.SetSQL(QStringLiteral("SELECT LAST_DAY(:P_DT) AS DTFIM, LAST_DAY('2024-02-10T10:00:00') AS DTBIS"));
    lastDay.SetParam(QStringLiteral("P_DT"), QDate(2026, 12, 8));
    lastDay.Open();
    EXPECT_EQ(lastDay.FieldByName(QStringLiteral("DTFIM")).AsDate(), QDate(2026, 12, 31));
    EXPECT_EQ(lastDay.FieldByName(QStringLiteral("DTBIS")).AsDate(), QDate(2024, 2, 29));
}

TEST_F(QueryTest, NamedParametersRepeatBindByNameAndStayOutOfLiterals)
{
    Query ins(*m_db, QStringLiteral("qryInsere"));
    ins.SetSQL(QStringLiteral("INSERT INTO ITEM VALUES (:P_CDREGIAO, :P_VR, :P_QT, :P_DT, :P_NM)"));
    ins.SetParam(QStringLiteral("P_CDREGIAO"), QStringLiteral("001"));
    ins.SetParam(QStringLiteral("p_vr"), 12.5);
    ins.SetParam(QStringLiteral("P_QT"), 3);
    ins.SetParam(QStringLiteral("P_DT"), QDate(2026, 12, 7));
    ins.SetParam(QStringLiteral("P_NM"), QStringLiteral("D'ÁGUA ':P_X'"));
    EXPECT_EQ(ins.ExecSQL(), 1);
    ins.SetParam(QStringLiteral("P_CDREGIAO"), QStringLiteral("002"));
    ins.SetParam(QStringLiteral("P_NM"), QString());  // empty text, not null
    ins.SetParam(QStringLiteral("P_VR"), QVariant());
    EXPECT_EQ(ins.ExecSQL(), 1);

    Query q(*m_db, QStringLiteral("qryItem"));
    q.SetSQL(QStringLiteral("SELECT * FROM ITEM WHERE (CDREGIAO = :P_CDREGIAO OR :P_TCDREGIAO = 'T') "
                            "AND NMITEM <> ':P_NAO' -- :P_COMENTARIO\n ORDER BY CDREGIAO"));
    EXPECT_EQ(q.ParamNames(), (QStringList{"P_CDREGIAO", "P_TCDREGIAO"}));
    q.SetParam(QStringLiteral("P_CDREGIAO"), QStringLiteral("001"));
    EXPECT_THROW(q.Open(), EDatabaseError);  // P_TCDREGIAO missing
    EXPECT_THROW(q.SetParam(QStringLiteral("P_OUTRO"), 1), EDatabaseError);
    q.SetParam(QStringLiteral("P_TCDREGIAO"), QStringLiteral("T"));
    q.Open();
    ASSERT_EQ(q.RecordCount(), 2);
    EXPECT_EQ(q.FieldByName(QStringLiteral("VRPRECUNIITM")).DataType(), FieldType::Float);
    EXPECT_EQ(q.FieldByName(QStringLiteral("QTITENS")).DataType(), FieldType::Integer);
    EXPECT_EQ(q.FieldByName(QStringLiteral("DTVALIDADE")).DataType(), FieldType::Date);
    EXPECT_EQ(q.FieldByName(QStringLiteral("DTVALIDADE")).AsDate(), QDate(2026, 12, 7));
    EXPECT_EQ(q.FieldByName(QStringLiteral("NMITEM")).AsString(), QStringLiteral("D'ÁGUA ':P_X'"));
    q.Next();
    EXPECT_TRUE(q.FieldByName(QStringLiteral("VRPRECUNIITM")).IsNull());
    EXPECT_FALSE(q.FieldByName(QStringLiteral("NMITEM")).IsNull());

    q.SetParam(QStringLiteral("P_TCDREGIAO"), QStringLiteral(" "));
    q.Open();
    EXPECT_EQ(q.RecordCount(), 1);
}

TEST(SqlTexts, NamedBlocksWithDialectVariants)
{
    const SqlTexts texts = SqlTexts::parse(QStringLiteral(
                                               "-- Queries of the screen\n"
                                               "-- qryUm\n"
                                               "SELECT 1\n"
                                               "  FROM X\n"
                                               "-- qryUm [sqlite]\n"
                                               "SELECT 2\n"
                                               "-- qryDois\n"
                                               "SELECT ':P_A' -- not a block\n"),
                                           QStringLiteral("TESTE.sql"));
    EXPECT_EQ(texts.text(QStringLiteral("qryUm"), QStringLiteral("postgresql")), QStringLiteral("SELECT 1\n  FROM X"));
    EXPECT_EQ(texts.text(QStringLiteral("qryUm"), QStringLiteral("sqlite")), QStringLiteral("SELECT 2"));
    EXPECT_EQ(texts.text(QStringLiteral("qryDois"), QStringLiteral("sqlite")),
              QStringLiteral("SELECT ':P_A' -- not a block"));
    try {
        texts.text(QStringLiteral("qryTres"), QStringLiteral("sqlite"));
        FAIL();
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("qryTres")));
    }
    EXPECT_THROW(SqlTexts::parse(QStringLiteral("-- qryA\nSELECT 1\n-- qryA\nSELECT 2\n"), QStringLiteral("x")),
                 EDatabaseError);
    EXPECT_THROW(SqlTexts::parse(QStringLiteral("-- qryA [sqlite]\nSELECT 1\n"), QStringLiteral("x")),
                 EDatabaseError);
    EXPECT_THROW(SqlTexts::forScreen(QStringLiteral("NAOEXISTE")), EDatabaseError);
}

TEST(Messages, TablesFallBackAndReportMissingKeys)
{
    Messages form = Messages::parse(QStringLiteral("# comment\nComp_N_Inf|Comprador deve ser informado.\n"
                                                   "Duas|Linha 1\\nLinha 2|com barra\n"),
                                    QStringLiteral("SUP01700"));
    form.setFallback(std::make_shared<Messages>(Messages::base()));
    EXPECT_EQ(form.Msg(QStringLiteral("Comp_N_Inf")), QStringLiteral("Comprador deve ser informado."));
    EXPECT_EQ(form.Msg(QStringLiteral("Duas")), QStringLiteral("Linha 1\nLinha 2|com barra"));
    EXPECT_TRUE(form.Has(QStringLiteral("Excl")));  // from the base forms' table
    EXPECT_FALSE(form.Msg(QStringLiteral("Canc")).isEmpty());

    QStringList missing;
    const auto previous = Messages::setMissingKeyHandler(
        [&missing](const QString& table, const QString& key) { missing << table + QLatin1Char(':') + key; });
    const QString text = form.Msg(QStringLiteral("Nao_Existe"));
    Messages::setMissingKeyHandler(previous);
    EXPECT_EQ(missing, QStringList{QStringLiteral("SUP01700:Nao_Existe")});
    EXPECT_TRUE(text.contains(QStringLiteral("Nao_Existe")));

    for (const char* key : {"Sim", "Nao", "Err_Conex", "DsErro", "Reestab_Conex"})
        EXPECT_TRUE(Messages::shared().Has(QString::fromLatin1(key))) << key;
    EXPECT_EQ(Messages::shared().Msg(QStringLiteral("Nao")), QStringLiteral("Não"));

    EXPECT_THROW(Messages::parse(QStringLiteral("SemBarra\n"), QStringLiteral("x")), EDatabaseError);
    EXPECT_THROW(Messages::parse(QStringLiteral("A|1\nA|2\n"), QStringLiteral("x")), EDatabaseError);
}

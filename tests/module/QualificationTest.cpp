// The supplier qualification condition, run on a real SQLite database.

#include "module/records/Qualification.h"

#include "host/core/Database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>

#include <memory>

using namespace module;

namespace {

class SupplierQualification : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_db = std::make_unique<host::Database>(QStringLiteral("sqlite:") +
                                                m_dir.filePath(QStringLiteral("q.db")));
        m_db->execScript(QStringLiteral(R"(
CREATE TABLE QUALIFICACAO (CDQUALIF TEXT PRIMARY KEY, IDPERCOTCMP TEXT);
CREATE TABLE FORNECEDOR (CDFORNECED TEXT PRIMARY KEY, IDSITUCADA TEXT, CDQUALIF TEXT,
  IDFORNAUTO TEXT, DTVALQUALIF TEXT);
CREATE TABLE PARASUPRI (CDFILIAL TEXT PRIMARY KEY, IDULTIDTVALQ TEXT);
INSERT INTO QUALIFICACAO VALUES ('Q1', '1');
INSERT INTO QUALIFICACAO VALUES ('Q2', '2');
INSERT INTO PARASUPRI VALUES ('0001', 'D');
INSERT INTO PARASUPRI VALUES ('0002', 'M');
-- no qualification at all
INSERT INTO FORNECEDOR VALUES ('S01', 'A', NULL, 'N', NULL);
INSERT INTO FORNECEDOR VALUES ('S02', 'I', NULL, 'N', NULL);
-- qualification '1', not automatic, valid to 20 March
INSERT INTO FORNECEDOR VALUES ('S03', 'A', 'Q1', 'N', '2025-03-20');
-- qualification '1', not automatic, valid to 10 March (out of date by day, not by month)
INSERT INTO FORNECEDOR VALUES ('S04', 'A', 'Q1', 'N', '2025-03-10');
-- qualification '1', not automatic, lapsed in February
INSERT INTO FORNECEDOR VALUES ('S05', 'A', 'Q1', 'N', '2025-02-28');
-- qualification '2', not automatic, far in the future: never offered
INSERT INTO FORNECEDOR VALUES ('S06', 'A', 'Q2', 'N', '2026-01-01');
-- automatic suppliers are offered whatever their qualification
INSERT INTO FORNECEDOR VALUES ('S07', 'A', 'Q2', 'S', '2020-01-01');
INSERT INTO FORNECEDOR VALUES ('S08', 'A', 'Q1', 'S', '2020-01-01');
-- a qualification code with no qualification row
INSERT INTO FORNECEDOR VALUES ('S09', 'A', 'QX', 'N', '2020-01-01');
-- inactive although qualified
INSERT INTO FORNECEDOR VALUES ('S10', 'I', 'Q1', 'N', '2025-12-31');
-- valid up to the reference date itself
INSERT INTO FORNECEDOR VALUES ('S11', 'A', 'Q1', 'N', '2025-03-15');
-- qualified without a validity date
INSERT INTO FORNECEDOR VALUES ('S12', 'A', 'Q1', 'N', NULL);
)"));
    }

    QString ruleOfBranch(const QString& branch)
    {
        QSqlQuery query(m_db->sql());
        query.prepare(QStringLiteral("SELECT IDULTIDTVALQ FROM PARASUPRI WHERE CDFILIAL = :B"));
        query.bindValue(QStringLiteral(":B"), branch);
        EXPECT_TRUE(query.exec() && query.next()) << query.lastError().text().toStdString();
        return query.value(0).toString();
    }

    QStringList offered(const QString& branch, const QVariant& referenceDate)
    {
        QSqlQuery query(m_db->sql());
        const QString sql =
            QStringLiteral("SELECT F.CDFORNECED FROM FORNECEDOR F WHERE ") +
            supplierOfferedCondition(QStringLiteral("P_DTCOLEPREC"), QStringLiteral("F")) +
            QStringLiteral(" ORDER BY F.CDFORNECED");
        EXPECT_TRUE(query.prepare(sql)) << query.lastError().text().toStdString();
        query.bindValue(QStringLiteral(":P_IDULTIDTVALQ"), ruleOfBranch(branch));
        query.bindValue(QStringLiteral(":P_DTCOLEPREC"), referenceDate);
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
        QStringList codes;
        while (query.next())
            codes.append(query.value(0).toString());
        return codes;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<host::Database> m_db;
};

TEST_F(SupplierQualification, RuleByDay)
{
    EXPECT_EQ(offered(QStringLiteral("0001"), QDate(2025, 3, 15)),
              QStringList({"S01", "S03", "S07", "S08", "S09", "S11", "S12"}));
}

TEST_F(SupplierQualification, RuleByMonthKeepsTheWholeMonth)
{
    EXPECT_EQ(offered(QStringLiteral("0002"), QDate(2025, 3, 15)),
              QStringList({"S01", "S03", "S04", "S07", "S08", "S09", "S11", "S12"}));
    // The next month everything that lapsed in March is out.
    EXPECT_EQ(offered(QStringLiteral("0002"), QDate(2025, 4, 1)),
              QStringList({"S01", "S07", "S08", "S09", "S12"}));
}

TEST_F(SupplierQualification, ReferenceDateAsIsoText)
{
    EXPECT_EQ(offered(QStringLiteral("0001"), QStringLiteral("2025-03-15")),
              offered(QStringLiteral("0001"), QDate(2025, 3, 15)));
}

TEST_F(SupplierQualification, DefaultNamesReadTheSearchParameter)
{
    const QString condition = supplierOfferedCondition();
    EXPECT_TRUE(condition.contains(QStringLiteral(":P_DTCOL ")));
    EXPECT_TRUE(condition.contains(QStringLiteral(":P_IDULTIDTVALQ")));

    QSqlQuery query(m_db->sql());
    ASSERT_TRUE(query.prepare(QStringLiteral("SELECT COUNT(*) FROM FORNECEDOR WHERE ") + condition))
        << query.lastError().text().toStdString();
    query.bindValue(QStringLiteral(":P_IDULTIDTVALQ"), QStringLiteral("D"));
    query.bindValue(QStringLiteral(":P_DTCOL"), QDate(2025, 3, 15));
    ASSERT_TRUE(query.exec() && query.next()) << query.lastError().text().toStdString();
    EXPECT_EQ(query.value(0).toInt(), 7);
}

} // namespace

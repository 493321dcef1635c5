#include "host/core/Database.h"
#include "host/core/Exceptions.h"
#include "host/forms/TfrmDadosGerRel.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace host;

namespace {

class ReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_db = std::make_unique<Database>(QStringLiteral("sqlite:") + m_dir.filePath(QStringLiteral("r.db")));
        m_db->execScript(QStringLiteral(
            "CREATE TABLE COLETAPR (CDFILIAL VARCHAR(4), NRCOLEPRECO VARCHAR(10), CDREGIAO VARCHAR(3), "
            "VRPRECUNIITM FLOAT);\n"
            "INSERT INTO COLETAPR VALUES ('0001', '0000000001', '001', 1234.5);\n"
            "INSERT INTO COLETAPR VALUES ('0001', '0000000002', '001', 2);\n"
            "INSERT INTO COLETAPR VALUES ('0001', '0000000003', '002', 3);\n"
            "INSERT INTO COLETAPR VALUES ('0002', '0000000004', '001', 4);\n"));
    }

    QTemporaryDir m_dir;
    std::unique_ptr<Database> m_db;
};

} // namespace

TEST_F(ReportTest, TheHookSetsOnlyTheParametersTheQueryHas)
{
    TfrmDadosGerRel form(QStringLiteral("SUP017"), QStringLiteral("Duplicação de Cotação"));
    form.rpddPadrao.sql = QStringLiteral(
        "SELECT CDREGIAO, NRCOLEPRECO, VRPRECUNIITM FROM COLETAPR WHERE CDFILIAL = :P_CDFILIAL "
        "ORDER BY CDREGIAO, NRCOLEPRECO");
    form.rpddPadrao.layout.title = QStringLiteral("Cotações não duplicadas");
    form.rpddPadrao.layout.groupFields = {QStringLiteral("CDREGIAO")};
    form.rpddPadrao.layout.columns = {
        {QStringLiteral("NRCOLEPRECO"), QStringLiteral("Número")},
        {QStringLiteral("VRPRECUNIITM"), QStringLiteral("Preço"), Qt::AlignRight, QStringLiteral("#,##0.00")}};
    QStringList asked;
    form.rpddPadrao.BeforeGetQueryParams = [&asked](ReportParams& params) {
        for (const char* name : {"P_CDFILIAL", "P_NRCOTINICIAL", "P_NRCOTFINAL"}) {
            if (ExistParam(params, QString::fromLatin1(name))) {
                asked << QString::fromLatin1(name);
                params.set(QString::fromLatin1(name), QStringLiteral("0001"));
            }
        }
    };
    form.refresh(*m_db);
    EXPECT_EQ(asked, QStringList{QStringLiteral("P_CDFILIAL")});
    const QString text = form.document().toPlainText();
    EXPECT_TRUE(text.contains(QStringLiteral("Cotações não duplicadas")));
    EXPECT_TRUE(text.contains(QStringLiteral("1.234,50")));
    EXPECT_FALSE(text.contains(QStringLiteral("0000000004")));  // another branch
    EXPECT_LT(text.indexOf(QStringLiteral("0000000002")), text.indexOf(QStringLiteral("0000000003")));

    const QString pdf = m_dir.filePath(QStringLiteral("rel.pdf"));
    ASSERT_TRUE(form.savePdf(pdf));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
}

TEST_F(ReportTest, AParameterNobodySetIsAClearError)
{
    TfrmDadosGerRel form(QStringLiteral("SUP017"), QStringLiteral("Relatório"));
    form.rpddPadrao.sql = QStringLiteral("SELECT * FROM COLETAPR WHERE CDFILIAL = :P_CDFILIAL");
    EXPECT_THROW(form.refresh(*m_db), EDatabaseError);
}

int main(int argc, char** argv)
{
    // Test discovery runs the program too: no display is needed at any time.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

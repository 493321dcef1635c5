// The register's smaller reads: the database kind, the filter's starting validity, the
// suppliers to filter by, the purchasing parameters and the regions of a quotation.

#include "RegisterTestSupport.h"

#include <QSet>

using namespace registertest;
using dbtest::column;
using dbtest::rows;

namespace {

class RegisterLookupsTest : public RegisterFixture
{
protected:
    host::Packet dadosFiltro(const QString& centre, const QString& operatorCode)
    {
        return packetOf(call(rpctest::kPlan, "GetDadosFiltro", {centre, operatorCode}, token));
    }

    // "first|last" validity of the quotation collected last (the highest number on the
    // same day), among those of the buyer when one is given.
    QString latestValidity(const QString& buyer)
    {
        QString best;
        QString bestKey;
        for (const QString& row :
             rows(db(), QStringLiteral("SELECT DTCOLEPREC, NRCOLEPRECO, CDOPERADOR, "
                                       "DTINIVALCOL, DTFINVALCOL FROM COLETAPR "
                                       "WHERE CDFILIAL = '0001'"))) {
            const QStringList cells = row.split(u'|');
            if (!buyer.isEmpty() && cells[2] != buyer)
                continue;
            const QString key = cells[0] + cells[1];
            if (key > bestKey) {
                bestKey = key;
                best = cells[3] + u'|' + cells[4];
            }
        }
        return best;
    }

    QString validityOf(const QString& number)
    {
        return rows(db(),
                    QStringLiteral("SELECT DTINIVALCOL, DTFINVALCOL FROM COLETAPR WHERE "
                                   "NRCOLEPRECO = ?"),
                    {number})
            .value(0);
    }
};

const QStringList kValidity = {"DTINIVALCOL", "DTFINVALCOL"};

} // namespace

TEST_F(RegisterLookupsTest, DatabaseKindIsTheOneTheServerRunsOn)
{
    EXPECT_EQ(call(rpctest::kPlan, "GetBanco", {}, token),
              QVariant(dbtest::postgresqlServer().isEmpty() ? QStringLiteral("SQLITE")
                                                            : QStringLiteral("POSTGRESQL")));
}

TEST_F(RegisterLookupsTest, FilterStartsFromTheLatestValidityOfTheBuyerOrOfTheCentre)
{
    // A buyer gets his own latest quotation's validity.
    const host::Packet ana = dadosFiltro("0001", "ANA.CARVALHO");
    EXPECT_EQ(fieldNames(ana), kValidity);
    EXPECT_EQ(fieldOf(ana, "DTINIVALCOL").type, host::FieldType::Date);
    EXPECT_EQ(rowsOf(ana, kValidity), QStringList{latestValidity("ANA.CARVALHO")});
    EXPECT_EQ(rowsOf(ana, kValidity), QStringList{validityOf("0000000003")});

    // Two quotations collected on the same last day: the higher number is the latest.
    ASSERT_EQ(column(db(), "SELECT DTCOLEPREC FROM COLETAPR WHERE NRCOLEPRECO IN "
                           "('0000000005', '0000000006') GROUP BY DTCOLEPREC")
                  .size(),
              1);
    ASSERT_NE(validityOf("0000000005"), validityOf("0000000006"));
    EXPECT_EQ(rowsOf(dadosFiltro("0001", "CARLOS.NUNES"), kValidity),
              QStringList{validityOf("0000000005")});

    // The manager is not a buyer: the centre's latest quotation, whoever bought it.
    const QString manager = login(QStringLiteral("FERNANDA.LUZ"));
    const host::Packet centre =
        packetOf(call(rpctest::kPlan, "GetDadosFiltro", {"0001", "FERNANDA.LUZ"}, manager));
    EXPECT_EQ(rowsOf(centre, kValidity), QStringList{latestValidity(QString())});
    EXPECT_EQ(rowsOf(centre, kValidity), QStringList{validityOf("0000000006")});

    // A centre without quotations gives no row.
    const QString recife = loginAt(QStringLiteral("ANA.CARVALHO"), QStringLiteral("0005"));
    const host::Packet none =
        packetOf(call(rpctest::kPlan, "GetDadosFiltro", {"0005", "ANA.CARVALHO"}, recife));
    EXPECT_EQ(none.rowCount(), 0);
    EXPECT_EQ(fieldNames(none), kValidity);
}

TEST_F(RegisterLookupsTest, SupplierSearchListsTheSuppliersQuotedByTheSessionsCentre)
{
    const QStringList fields = {"IDMARCADO",    "CDFORNECED", "IDTPIJURFORN",
                                "NRINSJURFORN", "NMFANTFORN", "NMRAZSOCFORN"};
    const QStringList quoted =
        column(db(), "SELECT DISTINCT CDFORNECED FROM ITEMCOLE WHERE CDFILIAL = '0001'");
    ASSERT_FALSE(quoted.isEmpty());

    const host::Packet found = packetOf(call(rpctest::kPlan, "GetPesqForn", {}, token));
    EXPECT_EQ(fieldNames(found), fields);
    EXPECT_FALSE(fieldOf(found, "CDFORNECED").visible);
    EXPECT_EQ(fieldOf(found, "CDFORNECED").size, 21);
    EXPECT_FALSE(fieldOf(found, "IDTPIJURFORN").visible);
    EXPECT_EQ(fieldOf(found, "IDTPIJURFORN").label, QStringLiteral("Tipo"));
    EXPECT_EQ(fieldOf(found, "NRINSJURFORN").label, QStringLiteral("Inscrição"));
    EXPECT_EQ(fieldOf(found, "NMFANTFORN").label, QStringLiteral("Nome Fantasia"));
    EXPECT_EQ(fieldOf(found, "NMRAZSOCFORN").label, QStringLiteral("Razão Social"));
    EXPECT_EQ(fieldOf(found, "IDMARCADO").size, 1);

    const QStringList codes = columnOf(found, "CDFORNECED");
    EXPECT_EQ(sorted(codes), sorted(quoted)) << "one row per quoted supplier";
    EXPECT_EQ(QSet<QString>(codes.begin(), codes.end()).size(), codes.size());
    EXPECT_EQ(columnOf(found, "IDMARCADO"), QStringList(codes.size(), QStringLiteral("N")));
    const QStringList names = columnOf(found, "NMFANTFORN");
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end())) << "by trade name";
    // Each row carries that supplier's register data.
    for (qsizetype i = 0; i < found.rowCount(); ++i)
        EXPECT_EQ(rowsOf(found, fields.mid(2)).value(i),
                  rows(db(),
                       "SELECT IDTPIJURFORN, NRINSJURFORN, NMFANTFORN, NMRAZSOCFORN FROM "
                       "FORNECEDOR WHERE CDFORNECED = ?",
                       {codes[i]})
                      .value(0));

    // A branch bought for by the centre sees the centre's suppliers; a branch that is its
    // own centre and has no quotations sees none.
    const QString campinas = loginAt("CARLOS.NUNES", "0002");
    EXPECT_EQ(columnOf(packetOf(call(rpctest::kPlan, "GetPesqForn", {}, campinas)), "CDFORNECED"),
              codes);
    const QString recife = loginAt("CARLOS.NUNES", "0005");
    EXPECT_EQ(packetOf(call(rpctest::kPlan, "GetPesqForn", {}, recife)).rowCount(), 0);
}

TEST_F(RegisterLookupsTest, PurchasingParametersOfTheCentreComeFromSuprimentos)
{
    const QStringList fields = {"CDFILIAL",    "IDUTLPROCMP", "IDULTIDTVALQ", "IDMARSEMQUA",
                                "IDVISCOTPLA", "IDUMPRODCMP", "CDMARCA",      "IDPROSEMMAR"};
    const QString stored = QStringLiteral(
        "SELECT CDFILIAL, IDUTLPROCMP, IDULTIDTVALQ, IDMARSEMQUA, IDVISCOTPLA, IDUMPRODCMP, "
        "CDMARCA, IDPROSEMMAR FROM PARASUPRI WHERE CDFILIAL = ?");

    const host::Packet centre = packetOf(call(rpctest::kSupri, "GetParaSupri", {"0001"}, token));
    EXPECT_EQ(fieldNames(centre), fields);
    EXPECT_EQ(rowsOf(centre, fields), rows(db(), stored, {"0001"}));
    EXPECT_EQ(rowsOf(centre, fields), QStringList{"0001|N|D|N|S|N|00001|N"});
    EXPECT_EQ(fieldOf(centre, "CDMARCA").size, 5);

    // Padded like a typed branch code; each centre reads its own.
    const QString recifeSession = loginAt(QStringLiteral("CARLOS.NUNES"), QStringLiteral("0005"));
    const host::Packet recife =
        packetOf(call(rpctest::kSupri, "GetParaSupri", {"5"}, recifeSession));
    EXPECT_EQ(rowsOf(recife, fields), QStringList{"0005|S|M|S|N|S|00001|S"});

    // A branch that buys through the centre, or another centre, is not asked for.
    EXPECT_EQ(call(rpctest::kSupri, "GetParaSupri", {"0003"}, token),
              QVariant(otherCentreRefusal()));
    EXPECT_EQ(call(rpctest::kSupri, "GetParaSupri", {"0001"}, recifeSession),
              QVariant(otherCentreRefusal(QStringLiteral("0005"))));
}

TEST_F(RegisterLookupsTest, RegionsOfAQuotationFollowTheAllRegionsRow)
{
    const QString allRegions = QStringLiteral("Visualizar Todas Regiões");
    const QStringList fields = {"CDREGIAO", "NMREGIAO", "NRCOLEPRECO"};
    const QStringList stored = rows(
        db(), "SELECT DISTINCT I.CDREGIAO, R.NMREGIAO, I.NRCOLEPRECO FROM ITEMCOLE I, REGIAO R "
              "WHERE R.CDREGIAO = I.CDREGIAO AND I.CDFILIAL = '0001' AND "
              "I.NRCOLEPRECO = '0000000003' ORDER BY I.CDREGIAO");
    ASSERT_EQ(stored.size(), 5);

    const host::Packet regions =
        packetOf(call(rpctest::kPlan, "GetServRegiao", {"0001", "0000000003", allRegions}, token));
    EXPECT_EQ(fieldNames(regions), fields);
    EXPECT_EQ(fieldOf(regions, "CDREGIAO").label, QStringLiteral("Código"));
    EXPECT_EQ(fieldOf(regions, "CDREGIAO").size, 3);
    EXPECT_EQ(fieldOf(regions, "NMREGIAO").label, QStringLiteral("Nome"));
    EXPECT_EQ(fieldOf(regions, "NMREGIAO").size, 30);
    EXPECT_EQ(fieldOf(regions, "NRCOLEPRECO").size, 10);
    EXPECT_EQ(rowsOf(regions, fields), QStringList{"XXX|" + allRegions + "|0000000003"} + stored);

    // The number as typed finds the same quotation.
    EXPECT_EQ(
        rowsOf(packetOf(call(rpctest::kPlan, "GetServRegiao", {"0001", "3", allRegions}, token)),
               fields),
        rowsOf(regions, fields));

    // The single-item quotation has one region besides the all-regions row.
    EXPECT_EQ(columnOf(packetOf(call(rpctest::kPlan, "GetServRegiao",
                                     {"0001", "0000000006", allRegions}, token)),
                       "CDREGIAO"),
              (QStringList{"XXX", "002"}));

    // An unknown quotation has only the all-regions row; its name keeps the field's width.
    const host::Packet unknown = packetOf(
        call(rpctest::kPlan, "GetServRegiao", {"0001", "0000000099", QString(50, u'x')}, token));
    EXPECT_EQ(rowsOf(unknown, fields), QStringList{"XXX|" + QString(30, u'x') + "|0000000099"});
}

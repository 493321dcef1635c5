// The quotation filter on the server: which quotations of the centre the buyer sees, with
// their quoted suppliers, for every criterion of the filter dialog.

#include "RegisterTestSupport.h"

#include <QSet>

using namespace registertest;
using dbtest::column;
using dbtest::rows;

namespace {

const QString kCentreQuotations = QStringLiteral(
    "SELECT C.CDFILIAL, C.NRCOLEPRECO, C.DTCOLEPREC, C.NRSEMAINIC, C.NRSEMAFINAL, "
    "C.DTINIVALCOL, C.DTFINVALCOL, C.CDOPERADOR, O.NMOPERADOR, C.IDTIPCOLREG, C.IDDISMONTLIS "
    "FROM COLETAPR C, OPERADOR O WHERE O.CDOPERADOR = C.CDOPERADOR AND C.CDFILIAL = '0001' "
    "ORDER BY C.NRCOLEPRECO DESC");

const QStringList kHeaderFields = {"CDFILIAL",    "NRCOLEPRECO", "DTCOLEPREC",  "NRSEMAINIC",
                                   "NRSEMAFINAL", "DTINIVALCOL", "DTFINVALCOL", "CDOPERADOR",
                                   "NMOPERADOR",  "IDTIPCOLREG", "IDDISMONTLIS"};

const QStringList kSupplierFields = {"IDTPIJURFORN", "NRINSJURFORN", "NMRAZSOCFORN", "NMFANTFORN",
                                     "NRCOLEPRECO"};

class RegisterFilterTest : public RegisterFixture
{
protected:
    // Quotations that have at least one item matching the condition on ITEMCOLE.
    QSet<QString> quotationsWithItems(const QString& condition, const QVariantList& values)
    {
        const QStringList found =
            column(db(),
                   QStringLiteral(
                       "SELECT DISTINCT NRCOLEPRECO FROM ITEMCOLE WHERE CDFILIAL = '0001' AND ") +
                       condition,
                   values);
        return QSet<QString>(found.begin(), found.end());
    }

    // The numbers in the server's order, checked to be newest first.
    static QSet<QString> asSet(const QStringList& numbers)
    {
        EXPECT_TRUE(std::is_sorted(numbers.rbegin(), numbers.rend())) << "newest first";
        return QSet<QString>(numbers.begin(), numbers.end());
    }

    // Validity of every quotation of the centre: number -> (first day, last day).
    QHash<QString, QPair<QDate, QDate>> validities()
    {
        QHash<QString, QPair<QDate, QDate>> result;
        for (const QString& row :
             rows(db(), QStringLiteral("SELECT NRCOLEPRECO, DTINIVALCOL, DTFINVALCOL FROM "
                                       "COLETAPR WHERE CDFILIAL = '0001'"))) {
            const QStringList cells = row.split(u'|');
            result.insert(cells[0], {QDate::fromString(cells[1], Qt::ISODate),
                                     QDate::fromString(cells[2], Qt::ISODate)});
        }
        return result;
    }

    // Quotations whose validity shares at least one day with [from, to]; an invalid day
    // leaves that side open.
    QSet<QString> overlapping(const QDate& from, const QDate& to)
    {
        QSet<QString> result;
        const auto all = validities();
        for (auto it = all.cbegin(); it != all.cend(); ++it)
            if ((!to.isValid() || it.value().first <= to) &&
                (!from.isValid() || it.value().second >= from))
                result.insert(it.key());
        return result;
    }
};

} // namespace

TEST_F(RegisterFilterTest, EveryCriterionOnAllGivesEveryQuotationOfTheCentreWithItsSuppliers)
{
    const Listing listing = listQuotations(FilterArgs());

    EXPECT_EQ(fieldNames(listing.quotations), kHeaderFields)
        << "stored header fields only, no calculated week or validity text";
    EXPECT_EQ(listing.numbers(), demoQuotationNumbers());
    EXPECT_EQ(rowsOf(listing.quotations, kHeaderFields), rows(db(), kCentreQuotations));
    EXPECT_EQ(fieldOf(listing.quotations, "DTCOLEPREC").type, host::FieldType::Date);
    EXPECT_EQ(fieldOf(listing.quotations, "DTINIVALCOL").type, host::FieldType::Date);
    EXPECT_EQ(fieldOf(listing.quotations, "NRCOLEPRECO").label, QStringLiteral("Número"));
    EXPECT_EQ(fieldOf(listing.quotations, "CDOPERADOR").size, 12);

    EXPECT_EQ(fieldNames(listing.suppliers), kSupplierFields);
    EXPECT_EQ(fieldOf(listing.suppliers, "IDTPIJURFORN").label, QStringLiteral("Tipo"));
    EXPECT_EQ(fieldOf(listing.suppliers, "NRINSJURFORN").label, QStringLiteral("Inscrição"));
    EXPECT_EQ(fieldOf(listing.suppliers, "NMRAZSOCFORN").label, QStringLiteral("Razão Social"));
    EXPECT_EQ(fieldOf(listing.suppliers, "NMRAZSOCFORN").size, 40);
    EXPECT_EQ(fieldOf(listing.suppliers, "NMFANTFORN").label, QStringLiteral("Nome Fantasia"));
    EXPECT_EQ(fieldOf(listing.suppliers, "NRCOLEPRECO").size, 10);

    // One row per supplier and quotation, for every quotation.
    const QStringList expected =
        rows(db(), QStringLiteral("SELECT DISTINCT F.IDTPIJURFORN, F.NRINSJURFORN, F.NMRAZSOCFORN, "
                                  "F.NMFANTFORN, I.NRCOLEPRECO FROM ITEMCOLE I, FORNECEDOR F "
                                  "WHERE F.CDFORNECED = I.CDFORNECED AND I.CDFILIAL = '0001'"));
    EXPECT_EQ(sorted(rowsOf(listing.suppliers, kSupplierFields)), sorted(expected));
    EXPECT_EQ(asSet(columnOf(listing.suppliers, "NRCOLEPRECO")), asSet(demoQuotationNumbers()));
    // The quotation of a single item quotes one supplier.
    EXPECT_EQ(rowsOf(listing.suppliers, {"NMRAZSOCFORN", "NRCOLEPRECO"})
                  .filter(QStringLiteral("|0000000006")),
              QStringList{QStringLiteral("Ceasa Hortifrúti Campinas Ltda|0000000006")});
}

TEST_F(RegisterFilterTest, BuyerListKeepsTheQuotationsOfTheChosenBuyers)
{
    const QStringList ana = numbersFrom(QStringLiteral(
        "SELECT NRCOLEPRECO FROM COLETAPR WHERE CDOPERADOR = 'ANA.CARVALHO' ORDER BY 1 DESC"));
    ASSERT_EQ(ana, (QStringList{"0000000003", "0000000001"}));
    EXPECT_EQ(listQuotations(FilterArgs().buyerList("_ANA.CARVALHO_")).numbers(), ana);
    // Blanks around a code are dropped as the screens do when they pad a buyer code.
    EXPECT_EQ(listQuotations(FilterArgs().buyerList("_ ANA.CARVALHO _")).numbers(), ana);

    const Listing two = listQuotations(FilterArgs().buyerList("_DANIELA.LIMA_CARLOS.NUNES_"));
    EXPECT_EQ(two.numbers(),
              numbersFrom(QStringLiteral("SELECT NRCOLEPRECO FROM COLETAPR WHERE CDOPERADOR IN "
                                         "('DANIELA.LIMA', 'CARLOS.NUNES') ORDER BY 1 DESC")));
    // The supplier pane follows the quotations listed.
    EXPECT_EQ(asSet(columnOf(two.suppliers, "NRCOLEPRECO")), asSet(two.numbers()));

    // The marker "T" ignores whatever list goes with it.
    FilterArgs ignored = FilterArgs().buyerList("_ANA.CARVALHO_");
    ignored.buyerMarker = QStringLiteral("T");
    EXPECT_EQ(listQuotations(ignored).numbers(), demoQuotationNumbers());
}

TEST_F(RegisterFilterTest, SupplierAndRegionListsKeepTheQuotationsThatQuoteThem)
{
    const QString hortifruti = dbtest::supplier(13);
    const QString limpeza = dbtest::supplier(8);
    const QSet<QString> withHortifruti = quotationsWithItems("CDFORNECED = ?", {hortifruti});
    const QSet<QString> withLimpeza = quotationsWithItems("CDFORNECED = ?", {limpeza});
    ASSERT_FALSE(withHortifruti.isEmpty());
    ASSERT_LT(withHortifruti.size(), 6);

    const Listing one = listQuotations(FilterArgs().supplierList("_" + hortifruti + "_"));
    EXPECT_EQ(asSet(one.numbers()), withHortifruti);
    // Every supplier of a listed quotation is shown, not only the chosen one.
    EXPECT_GT(columnOf(one.suppliers, "NRCOLEPRECO").size(), withHortifruti.size());
    EXPECT_EQ(
        asSet(listQuotations(FilterArgs().supplierList("_" + hortifruti + "_" + limpeza + "_"))
                  .numbers()),
        withHortifruti + withLimpeza);

    // Region codes are padded to three digits.
    const QSet<QString> inSouth = quotationsWithItems("CDREGIAO = '005'", {});
    ASSERT_FALSE(inSouth.isEmpty());
    EXPECT_EQ(asSet(listQuotations(FilterArgs().regionList("_5_")).numbers()), inSouth);
    const QSet<QString> inNorthEastOrMinas = quotationsWithItems("CDREGIAO IN ('006', '004')", {});
    EXPECT_EQ(asSet(listQuotations(FilterArgs().regionList("_006_004_")).numbers()),
              inNorthEastOrMinas);

    // Both lists: a quotation must quote one chosen supplier and one chosen region.
    const QSet<QString> inMinas = quotationsWithItems("CDREGIAO = '004'", {});
    const QSet<QString> both = withHortifruti & inMinas;
    ASSERT_FALSE(both.isEmpty());
    ASSERT_NE(both, withHortifruti);
    EXPECT_EQ(
        asSet(listQuotations(FilterArgs().supplierList("_" + hortifruti + "_").regionList("_004_"))
                  .numbers()),
        both);
}

TEST_F(RegisterFilterTest, PeriodKeepsTheQuotationsWhoseValidityOverlapsItEdgesIncluded)
{
    const auto validity = validities().value(QStringLiteral("0000000004"));
    const QDate first = validity.first;
    const QDate last = validity.second;
    ASSERT_TRUE(first.isValid() && last.isValid());

    struct Case
    {
        const char* what;
        QDate from, to;
        bool listsFour;
    };
    const Case cases[] = {
        {"period ending on the first valid day", first.addDays(-30), first, true},
        {"period ending the day before", first.addDays(-30), first.addDays(-1), false},
        {"period starting on the last valid day", last, last.addDays(30), true},
        {"period starting the day after", last.addDays(1), last.addDays(30), false},
        {"one day inside", first.addDays(1), first.addDays(1), true},
        {"period around the validity", first.addDays(-1), last.addDays(1), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QStringList numbers = listQuotations(FilterArgs().period(c.from, c.to)).numbers();
        EXPECT_EQ(asSet(numbers), overlapping(c.from, c.to));
        EXPECT_EQ(numbers.contains(QStringLiteral("0000000004")), c.listsFour);
    }

    // An empty date control leaves that side of the period open.
    const QStringList upTo = listQuotations(FilterArgs().period(QVariant(), first)).numbers();
    EXPECT_EQ(asSet(upTo), overlapping(QDate(), first));
    const QStringList from = listQuotations(FilterArgs().period(last, QVariant())).numbers();
    EXPECT_EQ(asSet(from), overlapping(last, QDate()));
    EXPECT_NE(asSet(upTo), asSet(from));

    // Period marker "T": the dates are ignored.
    FilterArgs ignored = FilterArgs().period(last.addDays(400), last.addDays(500));
    ignored.periodMarker = QStringLiteral("T");
    EXPECT_EQ(listQuotations(ignored).numbers(), demoQuotationNumbers());

    QString text;
    EXPECT_EQ(listQuotationsError(FilterArgs().period(last, first), &text), 500);
    EXPECT_EQ(text,
              QStringLiteral(
                  "Data de validade inicial deve ser menor ou igual a data de validade final."));
}

TEST_F(RegisterFilterTest, NothingMatchingGivesTwoEmptyPacketsWithTheirFields)
{
    const std::pair<const char*, FilterArgs> cases[] = {
        {"buyer list chosen but empty", FilterArgs().buyerList(QString())},
        {"supplier never quoted", FilterArgs().supplierList("_" + dbtest::supplier(999) + "_")},
        {"period far ahead", FilterArgs().period(QDate(2099, 1, 1), QDate(2099, 12, 31))},
        {"region never quoted", FilterArgs().regionList("_999_")},
    };
    for (const auto& [what, args] : cases) {
        SCOPED_TRACE(what);
        const Listing listing = listQuotations(args);
        EXPECT_EQ(listing.quotations.rowCount(), 0);
        EXPECT_EQ(listing.suppliers.rowCount(), 0);
        EXPECT_EQ(fieldNames(listing.quotations), kHeaderFields);
        EXPECT_EQ(fieldNames(listing.suppliers), kSupplierFields);
    }

    // Recife buys for itself and has no quotation.
    token = loginAt(QStringLiteral("ANA.CARVALHO"), QStringLiteral("0005"));
    FilterArgs recife;
    recife.centre = QStringLiteral("0005");
    const Listing none = listQuotations(recife);
    EXPECT_EQ(none.quotations.rowCount(), 0);
    EXPECT_EQ(fieldNames(none.quotations), kHeaderFields);
    EXPECT_EQ(fieldNames(none.suppliers), kSupplierFields);
}

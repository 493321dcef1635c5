#include "DataSetFixture.h"

#include "host/core/Exceptions.h"
#include "host/core/FilterExpression.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

const QString kRegion = QStringLiteral("CDREGIAO");
const QString kSupplier = QStringLiteral("CDFORNECED");
const QString kProduct = QStringLiteral("COCPRODUTO");
const QString kPrice = QStringLiteral("VRPRECUNIITM");

// Composite worksheet values: name "¤¤" code "¥¥" brand "¤¤" brand name.
QString product(const QString& name, const QString& code, const QString& brand)
{
    return name + QStringLiteral("¤¤") + code + QStringLiteral("¥¥") + brand +
           QStringLiteral("¤¤MARCA");
}

QList<QVariantList> worksheetItems()
{
    return {
        {QStringLiteral("001"), QStringLiteral("F1"), product(QStringLiteral("AÇÚCAR"), QStringLiteral("0000000001"), QStringLiteral("00001")), 1.0},
        {QStringLiteral("001"), QStringLiteral("x"), product(QStringLiteral("ARROZ"), QStringLiteral("0000000002"), QStringLiteral("00001")), 2.0},
        {QStringLiteral("002"), QStringLiteral("x"), product(QStringLiteral("FEIJÃO"), QStringLiteral("0000000003"), QStringLiteral("00002")), 3.0},
        {QStringLiteral("001"), QStringLiteral("x"), product(QStringLiteral("D'ÁGUA"), QStringLiteral("0000000004"), QStringLiteral("00002")), 4.0},
        {QStringLiteral("003"), QStringLiteral("F2"), product(QStringLiteral("ARROZ"), QStringLiteral("0000000002"), QStringLiteral("00003")), 5.0},
    };
}

} // namespace

TEST(DataSetFilter, ExtraBlanksQuotesAndLikeOnAccentedComposites)
{
    DataSet ds;
    loadItems(ds, worksheetItems());
    ds.SetFilter(QStringLiteral("[CDREGIAO]   = '001' and [CDFORNECED] = 'x'"));
    ds.SetFiltered(true);
    EXPECT_EQ(ds.RecordCount(), 2);
    EXPECT_EQ(column(ds, kPrice), (QStringList{"2", "4"}));

    ds.SetFilter(QStringLiteral("[COCPRODUTO]= 'D''ÁGUA¤¤0000000004¥¥00002¤¤MARCA'"));
    EXPECT_EQ(column(ds, kPrice), (QStringList{"4"}));

    ds.SetFilter(QStringLiteral("[COCPRODUTO] LIKE '%ÇÚ%' or [COCPRODUTO] LIKE '%¥¥00002%'"));
    EXPECT_EQ(column(ds, kPrice), (QStringList{"1", "3", "4"}));

    ds.SetFilter(QStringLiteral("[COCPRODUTO] LIKE '%0000000002%' and [COCPRODUTO] LIKE '%00003%' "
                                "and [CDFORNECED] LIKE '%F2%'"));
    EXPECT_EQ(column(ds, kPrice), (QStringList{"5"}));

    ds.SetFilter(QStringLiteral("not ([CDREGIAO] = '001') and ([VRPRECUNIITM] >= 3 or [VRPRECUNIITM] < 0)"));
    EXPECT_EQ(column(ds, kPrice), (QStringList{"3", "5"}));

    ds.SetFilter(QStringLiteral("[CDFORNECED] not like 'x' AND [CDREGIAO] <> '003'"));
    EXPECT_EQ(column(ds, kPrice), (QStringList{"1"}));

    // Case: sensitive unless asked otherwise.
    ds.SetFilter(QStringLiteral("[COCPRODUTO] LIKE 'arroz%'"));
    EXPECT_EQ(ds.RecordCount(), 0);
    ds.SetFilterOptions(FoCaseInsensitive);
    EXPECT_EQ(ds.RecordCount(), 2);

    ds.SetFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 5);
}

TEST(DataSetFilter, MalformedTextsNameThePositionAndKeepThePreviousFilter)
{
    DataSet ds;
    loadItems(ds, worksheetItems());
    ds.SetFilter(QStringLiteral("[CDREGIAO] = '001'"));
    ds.SetFiltered(true);

    struct Bad
    {
        const char* text;
        int position;
    };
    const Bad cases[] = {
        {"[CDREGIAO] = '001", 14},          // unterminated literal
        {"[CDREGIAO] '001'", 12},           // missing operator
        {"([CDREGIAO] = '001'", 1},         // missing ')'
        {"[NAOEXISTE] = '1'", 1},           // unknown field
        {"[CDREGIAO] = '001' and", 23},     // nothing after and
        {"[CDREGIAO] = '001' ; x", 20},     // stray character
        {"[VRPRECUNIITM] = 'abc'", 18},     // not a number
    };
    for (const Bad& bad : cases) {
        try {
            ds.SetFilter(QString::fromUtf8(bad.text));
            ADD_FAILURE() << "accepted: " << bad.text;
        } catch (const EFilterError& e) {
            EXPECT_EQ(e.position(), bad.position) << bad.text << " -> " << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString::number(bad.position)));
        }
    }
    EXPECT_EQ(ds.Filter(), QStringLiteral("[CDREGIAO] = '001'"));
    EXPECT_EQ(ds.RecordCount(), 3);
}

TEST(DataSetFilter, CursorLocateAndEditsRespectTheFilter)
{
    DataSet ds;
    loadItems(ds, worksheetItems());
    ds.SetFilter(QStringLiteral("[CDFORNECED] = 'x'"));
    ds.SetFiltered(true);
    QStringList walked;
    for (ds.First(); !ds.Eof(); ds.Next())
        walked << ds.FieldByName(kPrice).AsString();
    EXPECT_EQ(walked, (QStringList{"2", "3", "4"}));
    EXPECT_FALSE(ds.Locate(kPrice, 5.0));  // hidden by the filter
    EXPECT_TRUE(ds.Locate(kPrice, 3.0));

    // A record that stops matching leaves the view; the next one takes its place.
    ds.First();
    while (!ds.IsEmpty()) {
        ds.Edit();
        ds.FieldByName(kSupplier).SetAsString(QStringLiteral("y"));
        ds.Post();
    }
    ds.SetFiltered(false);
    EXPECT_EQ(column(ds, kSupplier), (QStringList{"F1", "y", "y", "y", "F2"}));

    // A new record outside the filter disappears when posted.
    ds.SetFilter(QStringLiteral("[CDREGIAO] = '001'"));
    ds.SetFiltered(true);
    appendItem(ds, QStringLiteral("009"), QStringLiteral("F9"), QStringLiteral("SAL"), 9);
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(ds.ChangeCount(), 4);
}

TEST(FilterLike, PercentAndUnderscoreWithBacktracking)
{
    EXPECT_TRUE(FilterExpression::like(u"ARROZ¤¤01", u"%¤¤0_", false));
    EXPECT_TRUE(FilterExpression::like(u"abcabcX", u"%abcX", false));
    EXPECT_TRUE(FilterExpression::like(u"", u"%", false));
    EXPECT_FALSE(FilterExpression::like(u"abc", u"a_", false));
    EXPECT_FALSE(FilterExpression::like(u"Feijão", u"%JÃO", false));
    EXPECT_TRUE(FilterExpression::like(u"Feijão", u"%JÃO", true));
}

TEST(DataSetIndex, CaseInsensitiveMultiFieldIndexOrdersAndFollowsEdits)
{
    DataSet ds;
    loadItems(ds, {{QStringLiteral("002"), QStringLiteral("b"), QStringLiteral("P1"), 1.0},
                   {QStringLiteral("001"), QStringLiteral("B"), QStringLiteral("P2"), 2.0},
                   {QStringLiteral("001"), QStringLiteral("a"), QStringLiteral("P3"), 3.0},
                   {QStringLiteral("001"), QStringLiteral("b"), QStringLiteral("P0"), 4.0}});
    ds.AddIndex(QStringLiteral("IndCube"), QStringLiteral("CDFORNECED; CDREGIAO;COCPRODUTO"),
                IxCaseInsensitive);
    EXPECT_TRUE(ds.HasIndex(QStringLiteral("indcube")));
    ds.SetIndexName(QStringLiteral("IndCube"));
    EXPECT_EQ(column(ds, kPrice), (QStringList{"3", "4", "2", "1"}));

    // Editing a key moves the record to its place; the cursor follows it.
    ds.First();
    ds.Edit();
    ds.FieldByName(kSupplier).SetAsString(QStringLiteral("C"));
    ds.Post();
    EXPECT_EQ(ds.FieldByName(kPrice).AsFloat(), 3.0);
    EXPECT_EQ(ds.RecNo(), 4);
    appendItem(ds, QStringLiteral("000"), QStringLiteral("A"), QStringLiteral("Z"), 5.0);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_EQ(column(ds, kPrice), (QStringList{"5", "4", "2", "1", "3"}));

    // Back to the natural order, with the appended record last.
    ds.SetIndexName(QString());
    EXPECT_EQ(column(ds, kPrice), (QStringList{"1", "2", "3", "4", "5"}));

    ds.AddIndex(QStringLiteral("PorPreco"), kPrice, IxDescending);
    ds.SetIndexName(QStringLiteral("PorPreco"));
    EXPECT_EQ(column(ds, kPrice), (QStringList{"5", "4", "3", "2", "1"}));
    EXPECT_THROW(ds.AddIndex(QStringLiteral("PorPreco"), kPrice), EDatabaseError);
    EXPECT_THROW(ds.SetIndexName(QStringLiteral("Nenhum")), EDatabaseError);
    ds.DeleteIndex(QStringLiteral("PorPreco"));
    EXPECT_EQ(ds.IndexName(), QString());
}

TEST(DataSetLocate, FindsTheSameRecordWithAndWithoutAnIndex)
{
    const QList<QVariantList> rows = worksheetItems();
    for (const bool indexed : {false, true}) {
        DataSet ds;
        loadItems(ds, rows);
        if (indexed) {
            ds.AddIndex(QStringLiteral("IndCube"), QStringLiteral("CDFORNECED;CDREGIAO;COCPRODUTO"),
                        IxCaseInsensitive);
            ds.SetIndexName(QStringLiteral("IndCube"));
        }
        SCOPED_TRACE(indexed ? "indexed" : "scan");
        const QString arroz = product(QStringLiteral("ARROZ"), QStringLiteral("0000000002"), QStringLiteral("00001"));
        EXPECT_TRUE(ds.Locate(QStringLiteral("CDFORNECED; CDREGIAO ;COCPRODUTO"),
                              QVariantList{QStringLiteral("x"), QStringLiteral("001"), arroz}));
        EXPECT_EQ(ds.FieldByName(kPrice).AsFloat(), 2.0);

        EXPECT_FALSE(ds.Locate(QStringLiteral("CDFORNECED;CDREGIAO;COCPRODUTO"),
                               QVariantList{QStringLiteral("X"), QStringLiteral("001"), arroz}));
        EXPECT_EQ(ds.FieldByName(kPrice).AsFloat(), 2.0);  // a miss does not move
        EXPECT_TRUE(ds.Locate(QStringLiteral("CDFORNECED;CDREGIAO;COCPRODUTO"),
                              QVariantList{QStringLiteral("X"), QStringLiteral("001"), arroz.toLower()},
                              LoCaseInsensitive));
        EXPECT_EQ(ds.FieldByName(kPrice).AsFloat(), 2.0);

        EXPECT_TRUE(ds.Locate(QStringLiteral("CDFORNECED;CDREGIAO;COCPRODUTO"),
                              QVariantList{QStringLiteral("x"), QStringLiteral("001"), QStringLiteral("D'Á")},
                              LoPartialKey));
        EXPECT_EQ(ds.FieldByName(kPrice).AsFloat(), 4.0);
        EXPECT_FALSE(ds.Locate(QStringLiteral("CDFORNECED;CDREGIAO;COCPRODUTO"),
                               QVariantList{QStringLiteral("x"), QStringLiteral("001"), QStringLiteral("d'á")},
                               LoPartialKey));

        EXPECT_TRUE(ds.Locate(kRegion, QStringLiteral("003")));
        EXPECT_EQ(ds.FieldByName(kSupplier).AsString(), QStringLiteral("F2"));
        EXPECT_TRUE(ds.Locate(kPrice, QStringLiteral("3")));
        EXPECT_EQ(ds.Lookup(kRegion, QStringLiteral("002"), QStringLiteral("CDFORNECED;VRPRECUNIITM")),
                  QVariant(QVariantList{QStringLiteral("x"), 3.0}));
        EXPECT_THROW(ds.Locate(QStringLiteral("CDREGIAO;CDFORNECED"), QStringLiteral("001")),
                     EDatabaseError);
    }
}

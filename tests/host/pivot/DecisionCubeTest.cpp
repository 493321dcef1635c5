// The decision cube over a worksheet item table: values, counts, sparse and dense
// sides, subtotals and totals, and how it follows its data set.

#include "ItemTable.h"

#include "host/core/Exceptions.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace pivottest;
using host::CubeSummary;
using host::PivotAxis;

namespace {

class DecisionCubeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const QString north = region("001", "NORTE"), south = region("002", "SUL");
        // Supplier codes whose exact-text order differs from the case-insensitive one.
        const QString a1 = supplier("A1", "ALFA"), a2 = supplier("a2", "ALFINHA"),
                      b3 = supplier("B3", "BETA");
        const QString rice = product("ARROZ", "0000000001", "00001", "TIO JOAO");
        const QString rice2 = product("ARROZ", "0000000001", "00002", "CAMIL");
        const QString bean = product("FEIJAO", "0000000002", "00001", "TIO JOAO");
        rows = {{south, b3, bean, 7.0},  {north, a1, rice, 10.0}, {north, a2, rice, 11.0},
                {north, a1, bean, 5.5},  {south, a1, rice2, 9.0}, {south, b3, rice, 8.0},
                {north, a1, rice, 10.5}, {south, a1, rice, 0.0}};
        load(items, rows);
        defineWorksheetCube(cube);
        cube.SetDataSet(&items);
        cube.SetActive(true);
    }

    // The tuple of a column (region, supplier) or of a row (product), by their texts.
    int colOf(const QString& r, const QString& s) const
    {
        return cube.Cols().Find({cube.ValueIndex(0, r), cube.ValueIndex(1, s)});
    }
    int rowOf(const QString& p) const { return cube.Rows().Find({cube.ValueIndex(2, p)}); }

    std::vector<Item> rows;
    host::DataSet items;
    host::TDecisionCube cube;
};

TEST_F(DecisionCubeTest, ListsDistinctValuesInCaseInsensitiveOrder)
{
    EXPECT_EQ(cube.Values(0), QStringList({region("001", "NORTE"), region("002", "SUL")}));
    EXPECT_EQ(cube.Values(1), QStringList({supplier("A1", "ALFA"), supplier("a2", "ALFINHA"),
                                           supplier("B3", "BETA")}));
    EXPECT_EQ(cube.Values(2).size(), 3);
    EXPECT_TRUE(cube.Values(2)[0].endsWith(QStringLiteral("00001¤¤TIO JOAO")));
    EXPECT_TRUE(cube.Values(2)[1].endsWith(QStringLiteral("00002¤¤CAMIL")));
    EXPECT_TRUE(cube.Values(2)[2].startsWith(QStringLiteral("FEIJAO")));
}

TEST_F(DecisionCubeTest, CountsAndSumsEveryExistingCombinationAndNothingElse)
{
    const auto expected = expectedCells(rows);
    int cells = 0;
    for (int r = 0; r < cube.Rows().Count(); ++r)
        for (int c = 0; c < cube.Cols().Count(); ++c) {
            const Key key{cube.Values(0)[cube.Cols().Value(c, 0)],
                          cube.Values(1)[cube.Cols().Value(c, 1)],
                          cube.Values(2)[cube.Rows().Value(r, 0)]};
            const auto it = expected.find(key);
            const CubeSummary want = it == expected.end() ? CubeSummary{} : it->second;
            EXPECT_EQ(cube.Cell(r, c), want) << r << "," << c;
            cells += it != expected.end();
        }
    EXPECT_EQ(cells, int(expected.size()));
    EXPECT_EQ(cube.CellCount(), int(expected.size()));
}

TEST_F(DecisionCubeTest, SparseSidesKeepOnlyCombinationsWithItemsDenseSidesKeepAll)
{
    // Sparse: NORTE has A1 and a2, SUL has A1 and B3.
    ASSERT_EQ(cube.Cols().Count(), 4);
    EXPECT_GE(colOf(region("001", "NORTE"), supplier("a2", "ALFINHA")), 0);
    EXPECT_EQ(colOf(region("001", "NORTE"), supplier("B3", "BETA")), -1);
    EXPECT_EQ(colOf(region("002", "SUL"), supplier("a2", "ALFINHA")), -1);

    cube.SetSparseCols(false);
    ASSERT_EQ(cube.Cols().Count(), 6);
    const int empty = colOf(region("001", "NORTE"), supplier("B3", "BETA"));
    ASSERT_GE(empty, 0);
    for (int r = 0; r < cube.Rows().Count(); ++r)
        EXPECT_FALSE(cube.HasCell(r, empty));
    EXPECT_EQ(cube.Total().count, qint64(rows.size()));
}

TEST_F(DecisionCubeTest, AddsUpGroupsAndTheWhole)
{
    const QString north = region("001", "NORTE");
    const int northA1 = colOf(north, supplier("A1", "ALFA"));
    const PivotAxis::Range northGroup = cube.Cols().Group(northA1, 0);
    EXPECT_EQ(northGroup.size(), 2);
    const PivotAxis::Range allRows{0, cube.Rows().Count()};

    // Region subtotal: all suppliers of the region, all products.
    EXPECT_EQ(cube.Summary(allRows, northGroup),
              expectedWhere(rows, [&](const Item& i) { return i.region == north; }));
    // One product over all columns (the row's total).
    const QString rice = product("ARROZ", "0000000001", "00001", "TIO JOAO");
    EXPECT_EQ(cube.Summary({rowOf(rice), rowOf(rice) + 1}, cube.Cols().Group(0, -1)),
              expectedWhere(rows, [&](const Item& i) { return i.product == rice; }));
    // One region's subtotal of one product.
    EXPECT_EQ(
        cube.Summary({rowOf(rice), rowOf(rice) + 1}, northGroup),
        expectedWhere(rows, [&](const Item& i) { return i.product == rice && i.region == north; }));
    EXPECT_EQ(cube.Total(), expectedWhere(rows, [](const Item&) { return true; }));
}

TEST_F(DecisionCubeTest, FollowsPostsAndFiltersButNotWhileControlsAreDisabled)
{
    QSignalSpy changed(&cube, &host::TDecisionCube::Changed);
    const qint64 before = cube.Total().count;

    items.Append();
    EXPECT_EQ(cube.Total().count, before) << "a record being inserted is not an item yet";
    items.FieldByName(QStringLiteral("COCREGIAO")).SetValue(region("003", "OESTE"));
    items.FieldByName(QStringLiteral("COCFORNECED")).SetValue(supplier("A1", "ALFA"));
    items.FieldByName(QStringLiteral("COCPRODUTO")).SetValue(rows[0].product);
    items.FieldByName(QStringLiteral("CONTA")).SetValue(3.0);
    items.Post();
    EXPECT_GT(changed.count(), 0);
    EXPECT_EQ(cube.Total().count, before + 1);
    EXPECT_EQ(cube.Values(0).size(), 3);

    items.DisableControls();
    items.SetFilter(QStringLiteral("[COCREGIAO] = '") + region("001", "NORTE") +
                    QStringLiteral("'"));
    items.SetFiltered(true);
    EXPECT_EQ(cube.Total().count, before + 1) << "kept until the controls are enabled";
    items.EnableControls();
    EXPECT_EQ(cube.Total().count, expectedWhere(rows, [](const Item& i) {
                                      return i.region == region("001", "NORTE");
                                  }).count);
    EXPECT_EQ(cube.Values(0), QStringList{region("001", "NORTE")});
}

TEST_F(DecisionCubeTest, AnEditedRecordRebuildsTheCubeOnlyWhenItsFieldsChanged)
{
    // An extra field the cube does not read, then a count-only cube: a price typed keeps
    // its results; a changed product or a summed value does not.
    host::FieldDefs defs = items.GetFieldDefs();
    defs.append(host::FieldDef::text(QStringLiteral("OBS"), 10));
    host::DataSet wide;
    wide.SetFieldDefs(defs);
    wide.CreateDataSet();
    for (const Item& item : rows) {
        wide.Append();
        wide.FieldByName(QStringLiteral("COCREGIAO")).SetValue(item.region);
        wide.FieldByName(QStringLiteral("COCFORNECED")).SetValue(item.supplier);
        wide.FieldByName(QStringLiteral("COCPRODUTO")).SetValue(item.product);
        wide.FieldByName(QStringLiteral("CONTA")).SetValue(item.price);
        wide.Post();
    }
    cube.SetDataSet(&wide);
    const quint64 built = cube.Generation();
    auto edit = [&](const char* field, const QVariant& value) {
        wide.First();
        wide.Edit();
        wide.FieldByName(QString::fromLatin1(field)).SetValue(value);
        wide.Post();
        return cube.Generation();
    };
    EXPECT_EQ(edit("OBS", QStringLiteral("x")), built);
    const quint64 summed = edit("CONTA", 99.0);
    EXPECT_NE(summed, built) << "the summed field changed";
    EXPECT_DOUBLE_EQ(cube.Total().sum, expectedWhere(rows, [](const Item&) { return true; }).sum -
                                           rows[0].price + 99.0);
    cube.SetSummaryField(QString());
    const quint64 countOnly = cube.Generation();
    EXPECT_EQ(edit("CONTA", 12.0), countOnly) << "a count-only cube ignores prices";
    EXPECT_NE(edit("COCPRODUTO", product("ARROZ", "0000000001", "00003", "NOVA")), countOnly);
    EXPECT_EQ(cube.Values(2).size(), 4);
}

TEST_F(DecisionCubeTest, InactiveOrUnhookedCubeIsEmptyAndAWrongFieldIsRefused)
{
    cube.SetActive(false);
    EXPECT_EQ(cube.Rows().Count(), 0);
    EXPECT_EQ(cube.Total().count, 0);
    cube.SetActive(true);
    EXPECT_EQ(cube.Total().count, qint64(rows.size()));
    cube.SetDataSet(nullptr);
    EXPECT_EQ(cube.Cols().Count(), 0);

    host::TDecisionCube wrong;
    wrong.AddDimension(QStringLiteral("CDREGIAO"));
    wrong.SetDataSet(&items);
    EXPECT_THROW(wrong.SetActive(true), host::EDatabaseError);
    EXPECT_FALSE(wrong.Active());
}

} // namespace

// The pivot grid over the worksheet cube: coordinates of labels, data and sums, the
// drawing handler, moving the current cell, subtotals, detaching the cube.

#include "ItemTable.h"

#include "host/pivot/NewDecisionGrid.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

using namespace pivottest;
using Grid = host::TNewDecisionGrid;
using PS = Grid::PivotState;
using GS = Grid::GridState;

namespace {

const QString R1 = region("001", "NORTE"), R2 = region("002", "SUL");
const QString F1 = supplier("00000000000001", "ALFA"), F2 = supplier("00000000000002", "BETA"),
              F3 = supplier("00000000000003", "GAMA");
const QString P1B1 = product("ARROZ", "0000000001", "00001", "TIO JOAO");
const QString P1B2 = product("ARROZ", "0000000001", "00002", "CAMIL");
const QString P2B1 = product("FEIJAO", "0000000002", "00001", "TIO JOAO");

// Columns with every subtotal on: 0 R1/F1, 1 R1/F2, 2 subtotal R1, 3 R2/F1, 4 R2/F3,
// 5 subtotal R2, 6 total. Rows: 0 P1B1, 1 P1B2, 2 P2B1, 3 total.
class DecisionGridTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        rows = {{R1, F1, P1B1, 1.0}, {R1, F1, P2B1, 2.0}, {R1, F2, P1B1, 3.0},
                {R2, F1, P1B2, 4.0}, {R2, F3, P2B1, 5.0}, {R2, F3, P1B1, 6.0}};
        load(items, rows);
        defineWorksheetCube(cube);
        cube.SetDataSet(&items);
        cube.SetActive(true);
        grid = new Grid(&window);
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->addWidget(grid);
        grid->SetDecisionCube(&cube);
        window.resize(1400, 300);
    }

    void show()
    {
        window.show();
        QApplication::setActiveWindow(&window);
        grid->setFocus();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Region, supplier and product of a data cell, found the way the worksheet finds
    // them: walking up or left from the cell to the label cells that name its groups.
    Key labelsOf(int col, int row) const
    {
        auto walk = [](auto text, int from) {
            for (int i = from; i >= 0; --i)
                if (!text(i).isEmpty())
                    return text(i);
            return QString();
        };
        return {walk([&](int c) { return grid->Cells(c, -2); }, col),
                walk([&](int c) { return grid->Cells(c, -1); }, col),
                walk([&](int r) { return grid->Cells(-1, r); }, row)};
    }

    std::vector<Item> rows;
    host::DataSet items;
    host::TDecisionCube cube;
    QWidget window;
    Grid* grid = nullptr;
};

TEST_F(DecisionGridTest, LabelsDataAndSumsSitAtTheirCoordinates)
{
    EXPECT_EQ(grid->FixedRows(), 2);
    EXPECT_EQ(grid->FixedCols(), 1);
    ASSERT_EQ(grid->DataColCount(), 7);
    ASSERT_EQ(grid->DataRowCount(), 4);

    // A group's label in its first column only; sum columns labelled at their level.
    const QStringList regionRow{R1, "", "", R2, "", "", "Total"};
    const QStringList supplierRow{F1, F2, "Subtotal", F1, F3, "Subtotal", ""};
    for (int c = 0; c < 7; ++c) {
        EXPECT_EQ(grid->Cells(c, -2), regionRow[c]) << c;
        EXPECT_EQ(grid->Cells(c, -1), supplierRow[c]) << c;
    }
    // Two brands of one product are two rows.
    EXPECT_EQ(grid->Cells(-1, 0), P1B1);
    EXPECT_EQ(grid->Cells(-1, 1), P1B2);
    EXPECT_EQ(grid->Cells(-1, 2), P2B1);
    EXPECT_EQ(grid->Cells(-1, 3), "Total");
    EXPECT_EQ(grid->Cells(-1, -1), "Produto");
    EXPECT_TRUE(grid->Cells(-1, -2).contains("Região"));

    const auto cells = expectedCells(rows);
    for (int c : {0, 1, 3, 4})
        for (int r : {0, 1, 2}) {
            const auto it = cells.find(labelsOf(c, r));
            EXPECT_EQ(grid->Cells(c, r), it == cells.end() ? "" : QString::number(it->second.count))
                << c << "," << r;
            EXPECT_EQ(grid->CellKind(c, r), PS::Data);
        }
    EXPECT_EQ(labelsOf(1, 2), Key(R1, F2, P2B1));
    EXPECT_EQ(labelsOf(4, 1), Key(R2, F3, P1B2));

    auto count = [&](auto pred) { return QString::number(expectedWhere(rows, pred).count); };
    EXPECT_EQ(grid->Cells(2, 0),
              count([](const Item& i) { return i.region == R1 && i.product == P1B1; }));
    EXPECT_EQ(grid->Cells(5, 3), count([](const Item& i) { return i.region == R2; }));
    EXPECT_EQ(grid->Cells(6, 3), count([](const Item&) { return true; }));
    EXPECT_EQ(grid->Cells(3, 3),
              count([](const Item& i) { return i.region == R2 && i.supplier == F1; }));
    EXPECT_EQ(grid->CellKind(2, 0), PS::Sum);
    EXPECT_EQ(grid->CellKind(0, 3), PS::Sum);
    EXPECT_EQ(grid->CellKind(2, -1), PS::ColLabel | PS::Sum);
    EXPECT_EQ(grid->CellKind(0, -2), PS::ColLabel);
    EXPECT_EQ(grid->CellKind(-1, 0), PS::RowLabel);
    EXPECT_EQ(grid->CellKind(-1, -1), PS::RowCaption);
    EXPECT_EQ(grid->CellKind(-1, -2), PS::ColCaption);
    EXPECT_FALSE(grid->CellKind(7, 0));

    // The grand total is what the fixed-line arithmetic of the key handlers finds last.
    EXPECT_TRUE(grid->IsSumRow(3) && grid->IsSumCol(6));
    EXPECT_EQ(3 + grid->FixedRows() + grid->FixedCols(), grid->RowCount());
    EXPECT_EQ(6 + grid->FixedCols() + grid->FixedRows(), grid->ColCount() + 1);
}

TEST_F(DecisionGridTest, SubtotalsSwitchedOffRemoveTheirSumLines)
{
    grid->SetSubtotals(1, false); // per-region sums of the suppliers
    EXPECT_EQ(grid->DataColCount(), 5);
    EXPECT_EQ(grid->Cells(4, -2), "Total");
    EXPECT_EQ(grid->Cells(2, -2), R2);

    // Without any subtotal the grand totals stay, last on both sides.
    for (int d = 0; d <= 3; ++d)
        grid->SetSubtotals(d, false);
    EXPECT_EQ(grid->DataColCount(), 5);
    EXPECT_EQ(grid->DataRowCount(), 4);
    for (int c = 0; c < 4; ++c)
        EXPECT_FALSE(grid->IsSumCol(c));
    EXPECT_TRUE(grid->IsSumCol(4));
    EXPECT_TRUE(grid->IsSumRow(3));
    EXPECT_EQ(grid->Cells(4, -2), "Total");
    EXPECT_EQ(grid->Cells(2, -2), R2);

    // The totals switch takes them away, and brings them back, on its own.
    grid->SetTotals(false);
    EXPECT_EQ(grid->DataColCount(), 4);
    EXPECT_EQ(grid->DataRowCount(), 3);
    EXPECT_FALSE(grid->IsSumRow(2));
    EXPECT_EQ(grid->RowCount(), 5);
    grid->SetTotals(true);
    EXPECT_EQ(grid->DataRowCount(), 4);
    EXPECT_FALSE(grid->Subtotals(1));
}

TEST_F(DecisionGridTest, DrawHandlerSeesEveryCellInOrderAndItsChangesShow)
{
    struct Call
    {
        int col, row;
        QString text;
        Grid::GridStates grid;
        Grid::PivotStates pivot;
    };
    std::vector<Call> calls;
    grid->OnDecisionDrawCell = [&](int col, int row, QString& text, QColor& background,
                                   Grid::GridStates g, Grid::PivotStates p) {
        calls.push_back({col, row, text, g, p});
        if (col == 1 && row == 0) {
            text.clear();
            background = Qt::red;
        }
        if (row == 0 && (col == 3 || col == 4)) {
            text = col == 3 ? "WWWWWWWW" : "";
            background = Qt::white;
        }
    };
    const QImage image = grid->viewport()->grab().toImage();

    ASSERT_EQ(int(calls.size()), grid->RowCount() * grid->ColCount());
    for (size_t i = 1; i < calls.size(); ++i)
        EXPECT_TRUE(std::pair(calls[i - 1].row, calls[i - 1].col) <
                    std::pair(calls[i].row, calls[i].col));
    for (const Call& c : calls) {
        EXPECT_EQ(c.pivot, grid->CellKind(c.col, c.row));
        EXPECT_EQ(c.text, grid->Cells(c.col, c.row)) << c.col << "," << c.row;
        EXPECT_EQ(c.grid.testFlag(GS::Fixed), c.col < 0 || c.row < 0);
        EXPECT_EQ(c.grid.testFlag(GS::Selected), c.col == 0 && c.row == 0);
    }

    const QRect red = grid->CellRect(1, 0);
    EXPECT_EQ(image.pixelColor(red.left() + 4, red.top() + 4), QColor(Qt::red));
    auto inkIn = [&](QRect r) {
        int ink = 0;
        r.adjust(3, 3, -4, -4);
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                ink += image.pixelColor(x, y) != QColor(Qt::white);
        return ink;
    };
    EXPECT_GT(inkIn(grid->CellRect(3, 0)), 0);
    EXPECT_EQ(inkIn(grid->CellRect(4, 0)), 0);
    EXPECT_EQ(image.pixelColor(grid->CellRect(0, 1).topLeft() + QPoint(4, 4)), grid->DataColor);
}

TEST_F(DecisionGridTest, GotoCellMovesScrollsAndAsksFirst)
{
    window.resize(335 + 2 * 130 + 40, 200);
    show();
    int topLeftChanges = 0;
    grid->OnTopLeftChanged = [&] { ++topLeftChanges; };

    EXPECT_TRUE(grid->GotoCell(6, 3));
    EXPECT_EQ(grid->Col(), 6);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_GT(grid->LeftCol(), 0);
    EXPECT_GT(topLeftChanges, 0);
    EXPECT_FALSE(grid->CellRect(6, 3).isEmpty());

    EXPECT_TRUE(grid->GotoCell(-1, 0)); // keeps the column
    EXPECT_EQ(grid->Col(), 6);
    EXPECT_EQ(grid->Row(), 0);
    EXPECT_TRUE(grid->GotoCell(100, 100));
    EXPECT_EQ(grid->Col(), 6);
    EXPECT_EQ(grid->Row(), 3);

    grid->OnSelectCell = [](int col, int, bool& canSelect) { canSelect = col != 2; };
    EXPECT_FALSE(grid->GotoCell(2, 0));
    EXPECT_EQ(grid->Col(), 6);
    EXPECT_TRUE(grid->GotoCell(0, 0));
    EXPECT_EQ(grid->LeftCol(), 0);
}

TEST_F(DecisionGridTest, KeysMoveTheCellAndTheHandlersSeeThemFirst)
{
    show();
    QTest::keyClick(grid, Qt::Key_Down);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(1, 1));
    QTest::keyClick(grid, Qt::Key_End);
    EXPECT_EQ(grid->Col(), 6);
    QTest::keyClick(grid, Qt::Key_Tab); // on to the next row
    EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(0, 2));
    QTest::keyClick(grid, Qt::Key_Backtab);
    EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(6, 1));
    QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(0, 0));
    QTest::keyClick(grid, Qt::Key_PageDown);
    EXPECT_EQ(grid->Row(), 3);

    // The worksheet's rule: step over a sum column by sending the key once more; a
    // sum column that is the last one keeps the cell where it is.
    int activeCol = grid->Col();
    grid->OnSelectCell = [&](int col, int, bool&) { activeCol = col; };
    grid->OnKeyDown = [&](QKeyEvent& key) {
        if (key.key() != Qt::Key_Right || !grid->IsSumCol(activeCol + 1))
            return false;
        if (activeCol + 1 + grid->FixedCols() + grid->FixedRows() == grid->ColCount() + 1)
            return true;
        ++activeCol;
        grid->SendKey(Qt::Key_Right);
        return false;
    };
    grid->GotoCell(1, 0);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 3);
    grid->GotoCell(5, 0);
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(grid->Col(), 5);

    QString typed;
    int releases = 0;
    grid->OnKeyPress = [&](QKeyEvent& key) { typed += key.text(); };
    grid->OnKeyUp = [&](QKeyEvent& key) { releases += key.key() == Qt::Key_Space; };
    QTest::keyClick(grid, Qt::Key_7, Qt::NoModifier);
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(typed, "7 ");
    EXPECT_EQ(releases, 1);
}

TEST_F(DecisionGridTest, MouseSelectsDataCellsAndDoubleClickOpens)
{
    show();
    int doubleClicks = 0;
    grid->OnDblClick = [&] { ++doubleClicks; };
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(3, 1).center());
    EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(3, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(-1, 2).center());
    EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(3, 1));
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, grid->CellRect(4, 2).center());
    EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(4, 2));
    EXPECT_EQ(doubleClicks, 1);
}

TEST_F(DecisionGridTest, DetachedCubeShowsNoDataAndReattachingShowsTheNewItems)
{
    grid->GotoCell(4, 2);
    cube.SetActive(false);
    cube.SetDataSet(nullptr);
    EXPECT_EQ(grid->DataRowCount(), 0);
    EXPECT_EQ(grid->Row(), -1);
    EXPECT_EQ(grid->Cells(0, 0), "");
    int dataCalls = 0;
    grid->OnDecisionDrawCell = [&](int col, int row, QString&, QColor&, Grid::GridStates,
                                   Grid::PivotStates) { dataCalls += col >= 0 || row >= 0; };

    // Many changes while detached: the second region goes away.
    while (items.Locate(QStringLiteral("COCREGIAO"), R2))
        items.Delete();
    grid->viewport()->grab();
    EXPECT_EQ(dataCalls, 0);

    cube.SetDataSet(&items);
    cube.SetActive(true);
    EXPECT_EQ(grid->DataColCount(), 4); // F1, F2, subtotal, total
    EXPECT_EQ(grid->Cells(3, -2), "Total");
    EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(3, 2));
    grid->viewport()->grab();
    EXPECT_GT(dataCalls, 0);
}

TEST_F(DecisionGridTest, SingleItemShowsOneRowAndOneColumn)
{
    load(items, {{R1, F1, P1B1, 9.5}});
    EXPECT_EQ(grid->DataRowCount(), 2); // the item and the total
    EXPECT_EQ(grid->DataColCount(), 3); // the item, the region's subtotal and the total
    for (int d = 0; d < 3; ++d)
        grid->SetSubtotals(d, false);
    grid->SetTotals(false);
    EXPECT_EQ(grid->DataRowCount(), 1);
    EXPECT_EQ(grid->DataColCount(), 1);
    EXPECT_EQ(grid->Cells(0, 0), "1");
    EXPECT_EQ(std::pair(grid->Col(), grid->Row()), std::pair(0, 0));
    EXPECT_EQ(grid->Cells(-1, 0), P1B1);
    EXPECT_EQ(grid->Cells(0, -2), R1);
}

TEST_F(DecisionGridTest, LooksAsTheWorksheetAsks)
{
    show();
    EXPECT_EQ(grid->DefaultColWidth(), 130);
    EXPECT_EQ(grid->FixedColWidth(), 335);
    EXPECT_EQ(grid->DefaultRowHeight(), 17);
    EXPECT_EQ(grid->CellRect(0, 0), QRect(335, 34, 130, 17));
    const QFontMetrics fm(grid->LabelFont);
    EXPECT_EQ(fm.horizontalAdvance("iiiiiiii"), fm.horizontalAdvance("MMMMMMMM"));
}

} // namespace

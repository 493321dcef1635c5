// The grid and its data set moving together, and the hooks a screen hangs on the grid:
// ellipsis buttons, column enter and exit, cell drawing, clicks and keys.

#include "GridTestSupport.h"
#include "host/ui/Guard.h"
#include "host/widgets/grid/GridCellEditor.h"

#include <QToolButton>

using namespace host;

namespace {

constexpr int kBrand = 0;
constexpr int kName = 1;
constexpr int kPrice = 2;
constexpr int kDiscount = 3;

using GridEventsTest = GridFixture;

} // namespace

TEST_F(GridEventsTest, ClickingARowMovesTheDataSetOnce)
{
    EXPECT_EQ(items.RecNo(), 1);
    click(2, kName);
    EXPECT_EQ(items.RecNo(), 3);
    EXPECT_EQ(scrolls, 1);
    click(2, kPrice); // same row, another column: no scroll
    EXPECT_EQ(scrolls, 1);
    key(Qt::Key_Up);
    EXPECT_EQ(items.RecNo(), 2);
    EXPECT_EQ(scrolls, 2);
}

TEST_F(GridEventsTest, MovesOfTheDataSetSelectTheRow)
{
    goTo(0, kPrice);
    items.Last();
    EXPECT_EQ(grid->currentIndex(), cell(2, kPrice));
    items.Prior();
    EXPECT_EQ(grid->currentIndex(), cell(1, kPrice));
    EXPECT_EQ(scrolls, 2);

    // A row selecting grid marks the whole row.
    grid->SetRowSelect(true);
    items.First();
    EXPECT_EQ(grid->currentIndex().row(), 0);
    EXPECT_EQ(grid->selectionModel()->selectedRows().size(), 1);
    EXPECT_EQ(grid->selectionModel()->selectedRows().front().row(), 0);
}

TEST_F(GridEventsTest, ReloadedDataSetKeepsTheGridOnItsCurrentRecord)
{
    goTo(1, kPrice);
    host::Packet packet(items.GetFieldDefs());
    for (int i = 0; i < 5; ++i)
        packet.appendRow(
            {QStringLiteral("%1").arg(i + 10), QStringLiteral("M%1").arg(i), 1.0, 0.0});
    items.SetData(packet);
    EXPECT_EQ(grid->model()->rowCount(), 5);
    items.SetRecNo(4);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    EXPECT_EQ(grid->currentIndex().column(), kPrice);
}

TEST_F(GridEventsTest, EllipsisButtonRunsTheHandlerAndShowsItsChoice)
{
    QStringList calls;
    grid->OnEditButtonClick = [&](Field& field) {
        calls.append(field.FieldName());
        items.Edit();
        items.FieldByName(QStringLiteral("CDMARCA")).SetAsString(QStringLiteral("00042"));
        items.FieldByName(QStringLiteral("NMMARCA")).SetAsString(QStringLiteral("NOVA"));
    };
    goTo(1, kBrand);
    key(Qt::Key_F2);
    ASSERT_TRUE(grid->EditorMode());
    auto* editor = qobject_cast<internal::GridCellEditor*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->buttonVisible());
    QTest::mouseClick(editor->button(), Qt::LeftButton);

    EXPECT_EQ(calls, QStringList{"CDMARCA"});
    EXPECT_EQ(items.State(), DataSetState::Edit);
    EXPECT_EQ(editor->Text(), "00042");
    EXPECT_EQ(items.FieldByName(QStringLiteral("NMMARCA")).AsString(), "NOVA");

    // Ctrl+Enter presses it too.
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(calls.size(), 2);

    // A column without the button, and the button taken away at run time.
    key(Qt::Key_Escape);
    goTo(1, kPrice);
    key(Qt::Key_F2);
    editor = qobject_cast<internal::GridCellEditor*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->buttonVisible());
    key(Qt::Key_Escape);
    grid->SetColumnButton(QStringLiteral("CDMARCA"), false);
    goTo(1, kBrand);
    key(Qt::Key_F2);
    editor = qobject_cast<internal::GridCellEditor*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->buttonVisible());
}

TEST_F(GridEventsTest, ColumnExitComesBeforeColumnEnter)
{
    QStringList log;
    grid->OnColExit = [&](Field& f) { log.append(QStringLiteral("exit:") + f.FieldName()); };
    grid->OnColEnter = [&](Field& f) { log.append(QStringLiteral("enter:") + f.FieldName()); };
    goTo(0, kBrand);
    log.clear();
    key(Qt::Key_Right);
    click(0, kDiscount);
    key(Qt::Key_Down); // another row, same column: no column events
    EXPECT_EQ(log,
              (QStringList{"exit:CDMARCA", "enter:NMMARCA", "exit:NMMARCA", "enter:VRPERDESITM"}));
}

TEST_F(GridEventsTest, FailedColumnExitKeepsTheColumn)
{
    QStringList entered;
    grid->OnColExit = [&](Field& f) {
        if (f.FieldName() == QLatin1String("CDMARCA"))
            MensErro(QStringLiteral("Marca não cadastrada."));
    };
    grid->OnColEnter = [&](Field& f) { entered.append(f.FieldName()); };
    goTo(0, kBrand);
    key(Qt::Key_Right);
    EXPECT_EQ(grid->currentIndex(), cell(0, kBrand));
    EXPECT_TRUE(entered.isEmpty());
    EXPECT_EQ(ui.texts(), QStringList{"Marca não cadastrada."});
}

TEST_F(GridEventsTest, DrawHookPaintsEachCellOfItsColumnWithThatRow)
{
    struct Drawn
    {
        int row;
        QString brand;
        int state;
    };
    QList<Drawn> drawn;
    grid->OnDrawColumnCell = [&](QPainter&, const QRect&, int row, Field& field, int state) {
        if (field.FieldName() == QLatin1String("NMMARCA"))
            drawn.append({row, items.FieldByName(QStringLiteral("CDMARCA")).AsString(), state});
    };
    goTo(1, kName);
    grid->viewport()->grab();
    ASSERT_GE(drawn.size(), 3);
    QStringList brands(3);
    int selectedRow = -1;
    for (const Drawn& d : drawn) {
        ASSERT_GE(d.row, 0);
        ASSERT_LT(d.row, 3);
        brands[d.row] = d.brand;
        if (d.state & DBGrid::gdSelected)
            selectedRow = d.row;
    }
    EXPECT_EQ(brands, (QStringList{"00001", "00002", "00003"}));
    EXPECT_EQ(selectedRow, 1);
    EXPECT_EQ(items.RecNo(), 2); // painting never moves the data set
    EXPECT_EQ(scrolls, 1);
}

TEST_F(GridEventsTest, CellClickOnlyOnTheCellReached)
{
    QStringList clicked;
    grid->OnCellClick = [&](Field& f) { clicked.append(f.FieldName()); };
    click(1, kDiscount);
    EXPECT_EQ(clicked, QStringList{"VRPERDESITM"});

    items.BeforeScroll = [](DataSet&) { throw EAbort(); };
    click(2, kDiscount);
    EXPECT_EQ(items.RecNo(), 2);
    EXPECT_EQ(clicked.size(), 1);
}

TEST_F(GridEventsTest, KeyHookSeesKeysFirstAndMayConsumeThem)
{
    QList<int> seen;
    grid->OnKeyDown = [&](QKeyEvent& e) {
        seen.append(e.key());
        const bool altPageUp = e.key() == Qt::Key_PageUp && e.modifiers() & Qt::AltModifier;
        const bool ctrlDelete = e.key() == Qt::Key_Delete && e.modifiers() & Qt::ControlModifier;
        const bool refused = e.text() == QLatin1String("e");
        return altPageUp || ctrlDelete || refused;
    };
    goTo(1, kPrice);
    key(Qt::Key_PageUp, Qt::AltModifier);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(items.RecordCount(), 3);
    EXPECT_TRUE(ui.questions.isEmpty());
    EXPECT_EQ(items.RecNo(), 2);

    type(QStringLiteral("1e2")); // the first key opens the editor; 'e' is refused there
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), "12");
    EXPECT_EQ(seen.count(Qt::Key_1), 1); // seen once, though it went on to the editor
    EXPECT_EQ(seen.count(Qt::Key_E), 1);
}

TEST_F(GridEventsTest, HandlerFocusingAFieldOutsideTheGridsOwnSteps)
{
    goTo(0, kDiscount);
    FocusControl(items.FieldByName(QStringLiteral("CDMARCA")));
    EXPECT_EQ(grid->currentIndex(), cell(0, kBrand));
    EXPECT_EQ(grid->SelectedField()->FieldName(), "CDMARCA");
    EXPECT_TRUE(gridHasFocus());
}

TEST_F(GridEventsTest, ReloadWithTheEditorOpenKeepsTheCell)
{
    int keys = 0;
    grid->OnKeyDown = [&](QKeyEvent&) {
        ++keys;
        return false;
    };
    goTo(1, kPrice);
    key(Qt::Key_F2);
    ASSERT_TRUE(grid->EditorMode());
    keys = 0;

    items.SetData(items.Data()); // the page reloads its table
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(keys, 0);
    EXPECT_EQ(grid->currentIndex().column(), kPrice);
    EXPECT_EQ(grid->currentIndex().row(), items.currentRow());
    EXPECT_TRUE(gridHasFocus());
}

TEST_F(GridEventsTest, KeysNeitherEditorNorGridTakeReachTheWindow)
{
    struct KeyCatcher : QObject
    {
        QList<int> keys;
        bool eventFilter(QObject*, QEvent* e) override
        {
            if (e->type() == QEvent::KeyPress)
                keys.append(static_cast<QKeyEvent*>(e)->key());
            return false;
        }
    } catcher;
    window.installEventFilter(&catcher);
    goTo(1, kPrice);
    type(QStringLiteral("4"));
    ASSERT_TRUE(grid->EditorMode());
    key(Qt::Key_F9);
    key(Qt::Key_5);
    EXPECT_EQ(catcher.keys, QList<int>{Qt::Key_F9});
    window.removeEventFilter(&catcher);
    EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget())->text(), "45");
}

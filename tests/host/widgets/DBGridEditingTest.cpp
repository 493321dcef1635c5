// The grid's editing cycle over a real data set: typing, writing, posting, cancelling,
// and what a refused post leaves behind.

#include "GridTestSupport.h"
#include "host/ui/Guard.h"

#include <QLineEdit>

using namespace host;

namespace {

constexpr int kBrand = 0;
constexpr int kName = 1;
constexpr int kPrice = 2;
constexpr int kDiscount = 3;

using EditingTest = GridFixture;

} // namespace

TEST_F(EditingTest, TypingEditsTheRecordAndLeavingTheRowPostsIt)
{
    goTo(0, kPrice);
    type(QStringLiteral("12,5"));
    EXPECT_EQ(items.State(), DataSetState::Edit);
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_DOUBLE_EQ(price(), 10.0); // not written while the cell is being typed

    key(Qt::Key_Return); // writes the cell; not the last column, so no post
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(items.State(), DataSetState::Edit);
    EXPECT_DOUBLE_EQ(price(), 12.5);
    EXPECT_EQ(grid->model()->index(0, kPrice).data().toString(), "12,50000");

    key(Qt::Key_Down);
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_EQ(items.RecNo(), 2);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    ASSERT_EQ(items.ChangeCount(), 1);
    const Delta delta = items.Delta();
    ASSERT_EQ(delta.changes.size(), 1u);
    EXPECT_EQ(delta.changes[0].op, Change::Op::Update);
    EXPECT_DOUBLE_EQ(delta.changes[0].oldValues[kPrice].toDouble(), 10.0);
    EXPECT_DOUBLE_EQ(delta.changes[0].newValues[kPrice].toDouble(), 12.5);
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(EditingTest, LeavingTheRowWithTheEditorOpenWritesAndPosts)
{
    goTo(1, kBrand);
    type(QStringLiteral("7"));
    EXPECT_EQ(items.State(), DataSetState::Edit);
    click(2, kBrand);
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_EQ(items.RecNo(), 3);
    ASSERT_EQ(items.ChangeCount(), 1);
    EXPECT_EQ(items.Delta().changes[0].newValues[kBrand].toString(), "7");
}

TEST_F(EditingTest, EnterOnTheLastColumnPosts)
{
    goTo(1, kDiscount);
    type(QStringLiteral("2"));
    key(Qt::Key_Enter);
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_EQ(items.ChangeCount(), 1);
    EXPECT_DOUBLE_EQ(items.FieldByName(QStringLiteral("VRPERDESITM")).AsFloat(), 2.0);
    EXPECT_EQ(items.RecNo(), 2);
}

TEST_F(EditingTest, EscapeCancels)
{
    goTo(0, kPrice);
    type(QStringLiteral("99"));
    key(Qt::Key_Return);
    EXPECT_DOUBLE_EQ(price(), 99.0);
    key(Qt::Key_Escape);
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_DOUBLE_EQ(price(), 10.0);
    EXPECT_EQ(items.ChangeCount(), 0);

    // With the editor open, too.
    type(QStringLiteral("5"));
    ASSERT_TRUE(grid->EditorMode());
    key(Qt::Key_Escape);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_DOUBLE_EQ(price(), 10.0);
}

TEST_F(EditingTest, AbortedPostKeepsTheRowInEditWithTheTypedValue)
{
    int posts = 0;
    items.BeforePost = [&](DataSet&) {
        ++posts;
        MensErro(QStringLiteral("Preço unitário deve ser informado."));
    };
    goTo(0, kPrice);
    type(QStringLiteral("15"));
    const int scrollsBefore = scrolls;
    key(Qt::Key_Down);

    EXPECT_EQ(posts, 1);
    EXPECT_EQ(ui.texts(), QStringList{"Preço unitário deve ser informado."});
    EXPECT_EQ(items.State(), DataSetState::Edit);
    EXPECT_EQ(items.RecNo(), 1);
    EXPECT_EQ(scrolls, scrollsBefore);
    EXPECT_DOUBLE_EQ(price(), 15.0);
    EXPECT_EQ(grid->currentIndex(), cell(0, kPrice));
    EXPECT_TRUE(gridHasFocus());
    EXPECT_EQ(items.ChangeCount(), 0);

    // The refused click does not select the clicked row either.
    click(2, kPrice);
    EXPECT_EQ(posts, 2);
    EXPECT_EQ(items.RecNo(), 1);
    EXPECT_EQ(grid->currentIndex(), cell(0, kPrice));
    QTest::qWait(10);
    EXPECT_EQ(grid->selectionModel()->selectedIndexes(), QModelIndexList{cell(0, kPrice)});
}

TEST_F(EditingTest, FailedPostFocusesTheFieldThatAskedForIt)
{
    items.BeforePost = [&](DataSet& ds) {
        if (ds.FieldByName(QStringLiteral("CDMARCA")).AsString().trimmed().isEmpty()) {
            FocusControl(ds.FieldByName(QStringLiteral("CDMARCA")));
            MensErro(QStringLiteral("Marca deve ser informada."));
        }
    };
    goTo(1, kBrand);
    type(QStringLiteral("0")); // typing over the brand, then erasing it
    ASSERT_TRUE(grid->EditorMode());
    QLineEdit* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    key(Qt::Key_Backspace);
    key(Qt::Key_Tab);
    key(Qt::Key_Tab); // to the price column
    EXPECT_EQ(grid->currentIndex(), cell(1, kPrice));
    type(QStringLiteral("3"));
    key(Qt::Key_Up);

    EXPECT_EQ(ui.texts(), QStringList{"Marca deve ser informada."});
    EXPECT_EQ(items.State(), DataSetState::Edit);
    EXPECT_EQ(items.RecNo(), 2);
    EXPECT_DOUBLE_EQ(price(), 3.0);
    EXPECT_EQ(grid->currentIndex(), cell(1, kBrand));
    EXPECT_TRUE(gridHasFocus());
}

TEST_F(EditingTest, ErrorInBeforePostIsShownOnceAndNothingEscapes)
{
    items.BeforePost = [](DataSet&) {
        throw EDatabaseError(QStringLiteral("Fornecedor inativo."));
    };
    goTo(2, kPrice);
    type(QStringLiteral("1"));
    key(Qt::Key_Up);
    EXPECT_EQ(ui.texts(), QStringList{"Fornecedor inativo."});
    EXPECT_EQ(items.State(), DataSetState::Edit);
    EXPECT_EQ(items.RecNo(), 3);
    EXPECT_EQ(grid->currentIndex(), cell(2, kPrice));
}

TEST_F(EditingTest, RefusedValueKeepsTheEditorOpen)
{
    goTo(0, kPrice);
    type(QStringLiteral("1"));
    QLineEdit* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    editor->setText(QStringLiteral("abc"));
    editor->setModified(true);
    key(Qt::Key_Down);
    ASSERT_EQ(ui.messages.size(), 1);
    EXPECT_TRUE(ui.texts().front().contains(QStringLiteral("abc")));
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_EQ(editor->text(), "abc");
    EXPECT_EQ(items.RecNo(), 1);
    EXPECT_EQ(grid->currentIndex(), cell(0, kPrice));
}

TEST_F(EditingTest, RefusedEditSpendsTheKey)
{
    items.BeforeEdit = [](DataSet&) { MensErro(QStringLiteral("Fornecedor inativo.")); };
    goTo(0, kPrice);
    type(QStringLiteral("4"));
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_EQ(ui.texts(), QStringList{"Fornecedor inativo."});
    EXPECT_DOUBLE_EQ(price(), 10.0);
}

TEST_F(EditingTest, ReadOnlyGridColumnsAndFields)
{
    goTo(0, kName); // a read-only column
    type(QStringLiteral("X"));
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_FALSE(grid->EditorMode());

    grid->SetReadOnly(true);
    goTo(0, kPrice);
    type(QStringLiteral("1"));
    EXPECT_EQ(items.State(), DataSetState::Browse);
    key(Qt::Key_Insert);
    EXPECT_EQ(items.State(), DataSetState::Browse);

    // Switched at run time: only the price column may be typed in.
    grid->SetReadOnly(false);
    grid->SetColumnReadOnly(QStringLiteral("VRPERDESITM"), true);
    goTo(0, kDiscount);
    type(QStringLiteral("1"));
    EXPECT_EQ(items.State(), DataSetState::Browse);
    grid->SetColumnReadOnly(QStringLiteral("VRPERDESITM"), false);
    type(QStringLiteral("1"));
    EXPECT_EQ(items.State(), DataSetState::Edit);
    key(Qt::Key_Escape);

    // A column listed read-only may be opened later (the list's buyer column).
    grid->SetColumnReadOnly(QStringLiteral("NMMARCA"), false);
    goTo(0, kName);
    type(QStringLiteral("Z"));
    EXPECT_EQ(items.State(), DataSetState::Edit);
    key(Qt::Key_Return);
    EXPECT_EQ(items.FieldByName(QStringLiteral("NMMARCA")).AsString(), "Z");
}

TEST_F(EditingTest, TheGridOutlivesItsDataSet)
{
    auto table = std::make_unique<DataSet>();
    table->SetData(items.Data());
    grid->SetDataSet(table.get());
    goTo(1, kPrice);
    key(Qt::Key_F2);
    table.reset();
    EXPECT_EQ(grid->dataSet(), nullptr);
    EXPECT_EQ(grid->model()->rowCount(), 0);
    key(Qt::Key_Down);
    type(QStringLiteral("1"));
    grid->viewport()->grab();
    EXPECT_TRUE(ui.messages.isEmpty());
}

TEST_F(EditingTest, InsertAppendAndDeleteFromTheKeyboard)
{
    goTo(1, kBrand);
    key(Qt::Key_Insert);
    EXPECT_EQ(items.State(), DataSetState::Insert);
    EXPECT_EQ(items.RecordCount(), 4);
    EXPECT_EQ(grid->currentIndex().row(), 1);
    key(Qt::Key_Escape);
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_EQ(items.RecordCount(), 3);

    goTo(2, kPrice);
    key(Qt::Key_Down); // down from the last row appends
    EXPECT_EQ(items.State(), DataSetState::Insert);
    EXPECT_EQ(grid->currentIndex().row(), 3);
    key(Qt::Key_Up); // an untouched new row goes away
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_EQ(items.RecordCount(), 3);
    EXPECT_EQ(items.RecNo(), 3);

    ui.answers = {mrNo, mrYes};
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(items.RecordCount(), 3);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(items.RecordCount(), 2);
    EXPECT_EQ(ui.questions, (QStringList{"Confirma a exclusão do registro?",
                                         "Confirma a exclusão do registro?"}));
}

TEST_F(EditingTest, RefusedInsertLeavesTheGridBrowsing)
{
    items.BeforeInsert = [](DataSet&) { throw EAbort(); };
    goTo(1, kPrice);
    key(Qt::Key_Insert);
    EXPECT_EQ(items.State(), DataSetState::Browse);
    EXPECT_EQ(items.RecordCount(), 3);
    EXPECT_TRUE(ui.messages.isEmpty());
    EXPECT_EQ(grid->currentIndex(), cell(1, kPrice));
}

TEST_F(EditingTest, RefreshGridWritesThePendingCell)
{
    goTo(1, kPrice);
    type(QStringLiteral("8"));
    window.setFocus(); // a tool button takes the focus: the text waits in the editor
    EXPECT_TRUE(grid->EditorMode());
    EXPECT_DOUBLE_EQ(price(), 20.0);
    EXPECT_TRUE(RefreshGrid(*grid));
    EXPECT_FALSE(grid->EditorMode());
    EXPECT_DOUBLE_EQ(price(), 8.0);
    items.Post();
    EXPECT_EQ(items.ChangeCount(), 1);
}

#include "DataSetFixture.h"

#include "host/core/DataSetModel.h"
#include "host/core/DataSource.h"
#include "host/core/Exceptions.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

const QString kRegion = QStringLiteral("CDREGIAO");
const QString kSupplier = QStringLiteral("CDFORNECED");
const QString kProduct = QStringLiteral("COCPRODUTO");
const QString kPrice = QStringLiteral("VRPRECUNIITM");

QList<QVariantList> threeItems()
{
    return {{QStringLiteral("001"), QStringLiteral("F1"), QStringLiteral("ARROZ"), 10.0},
            {QStringLiteral("002"), QStringLiteral("F2"), QStringLiteral("FEIJAO"), 20.0},
            {QStringLiteral("001"), QStringLiteral("F3"), QStringLiteral("ACUCAR"), 30.0}};
}

} // namespace

TEST(DataSetCursor, WalksRowsWithEofAndBofLikeTheBaseForms)
{
    DataSet ds(QStringLiteral("cdsItens"));
    loadItems(ds, threeItems());
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(ds.RecNo(), 1);
    EXPECT_TRUE(ds.Bof());
    EXPECT_FALSE(ds.Eof());

    QStringList seen;
    for (ds.First(); !ds.Eof(); ds.Next())
        seen << ds.FieldByName(kSupplier).AsString();
    EXPECT_EQ(seen, (QStringList{"F1", "F2", "F3"}));
    EXPECT_EQ(ds.RecNo(), 3);  // Eof stays on the last record

    ds.Prior();
    EXPECT_EQ(ds.FieldByName(kSupplier).AsString(), QStringLiteral("F2"));
    EXPECT_FALSE(ds.Eof());
    ds.First();
    ds.Prior();
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.RecNo(), 1);

    ds.SetRecNo(3);
    EXPECT_EQ(ds.FieldByName(kProduct).AsString(), QStringLiteral("ACUCAR"));
    EXPECT_EQ(ds.MoveBy(-5), -2);
    EXPECT_TRUE(ds.Bof());

    ds.EmptyDataSet();
    EXPECT_TRUE(ds.IsEmpty());
    EXPECT_TRUE(ds.Eof());
    EXPECT_TRUE(ds.Bof());
    EXPECT_EQ(ds.RecNo(), 0);
    EXPECT_TRUE(ds.FieldByName(kProduct).IsNull());
}

TEST(DataSetCursor, MisuseRaisesClearErrors)
{
    DataSet ds(QStringLiteral("cdsItens"));
    EXPECT_THROW(ds.First(), EDatabaseError);  // not open
    loadItems(ds, threeItems());
    EXPECT_THROW(ds.FieldByName(kPrice).SetAsFloat(1), EDatabaseError);  // not editing
    EXPECT_THROW(ds.Post(), EDatabaseError);
    try {
        ds.FieldByName(QStringLiteral("NAOEXISTE"));
        FAIL() << "expected an error";
    } catch (const EDatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("NAOEXISTE")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("cdsItens")));
    }
    ds.Edit();
    EXPECT_THROW(ds.FieldByName(kPrice).SetAsString(QStringLiteral("abc")), EDatabaseError);
}

TEST(DataSetEvents, FireInOrderForInsertEditPostCancelAndDelete)
{
    DataSet ds;
    loadItems(ds, threeItems());
    QStringList log;
    auto record = [&log](const char* name) { return [&log, name](DataSet&) { log << QString::fromLatin1(name); }; };
    ds.BeforeInsert = record("BeforeInsert");
    ds.AfterInsert = record("AfterInsert");
    ds.OnNewRecord = record("OnNewRecord");
    ds.BeforeEdit = record("BeforeEdit");
    ds.AfterEdit = record("AfterEdit");
    ds.BeforePost = record("BeforePost");
    ds.AfterPost = record("AfterPost");
    ds.BeforeCancel = record("BeforeCancel");
    ds.AfterCancel = record("AfterCancel");
    ds.BeforeDelete = record("BeforeDelete");
    ds.AfterDelete = record("AfterDelete");
    ds.BeforeScroll = record("BeforeScroll");
    ds.AfterScroll = record("AfterScroll");

    ds.Insert();
    EXPECT_EQ(ds.State(), DataSetState::Insert);
    ds.FieldByName(kRegion).SetAsString(QStringLiteral("003"));
    ds.Post();
    EXPECT_EQ(log, (QStringList{"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert",
                                "AfterScroll", "BeforePost", "AfterPost"}));

    log.clear();
    ds.Edit();
    ds.FieldByName(kPrice).SetAsFloat(5);
    ds.Cancel();
    EXPECT_EQ(log, (QStringList{"BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel"}));

    log.clear();
    ds.Delete();
    EXPECT_EQ(log, (QStringList{"BeforeDelete", "BeforeScroll", "AfterDelete", "AfterScroll"}));
}

TEST(DataSetEvents, AnExceptionInABeforeEventLeavesTheRecordAsItWas)
{
    DataSet ds;
    loadItems(ds, threeItems());
    const auto refuse = [](DataSet&) { throw EAbort(); };

    ds.BeforePost = refuse;
    ds.Edit();
    ds.FieldByName(kPrice).SetAsFloat(99);
    EXPECT_THROW(ds.Post(), EAbort);
    EXPECT_EQ(ds.State(), DataSetState::Edit);  // still editing, the typed value kept
    EXPECT_EQ(ds.FieldByName(kPrice).AsFloat(), 99);
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName(kPrice).AsFloat(), 10);
    EXPECT_EQ(ds.ChangeCount(), 0);
    ds.BeforePost = nullptr;

    ds.BeforeDelete = refuse;
    EXPECT_THROW(ds.Delete(), EAbort);
    EXPECT_EQ(ds.RecordCount(), 3);
    EXPECT_EQ(ds.FieldByName(kSupplier).AsString(), QStringLiteral("F1"));
    ds.BeforeDelete = nullptr;

    ds.BeforeInsert = refuse;
    EXPECT_THROW(ds.Append(), EAbort);
    EXPECT_EQ(ds.State(), DataSetState::Browse);
    EXPECT_EQ(ds.RecordCount(), 3);
    ds.BeforeInsert = nullptr;

    ds.BeforeEdit = refuse;
    EXPECT_THROW(ds.Edit(), EAbort);
    EXPECT_EQ(ds.State(), DataSetState::Browse);

    // A field's validation refusing a value keeps the previous one.
    ds.BeforeEdit = nullptr;
    ds.FieldByName(kRegion).OnValidate = [](Field& f) {
        if (f.AsString() == QLatin1String("999"))
            throw EAbort();
    };
    ds.Edit();
    EXPECT_THROW(ds.FieldByName(kRegion).SetAsString(QStringLiteral("999")), EAbort);
    EXPECT_EQ(ds.FieldByName(kRegion).AsString(), QStringLiteral("001"));
}

TEST(DataSetEditing, CheckBrowseModeAndScrollingPostOrDiscardTheEdit)
{
    DataSet ds;
    loadItems(ds, threeItems());
    ds.Edit();
    ds.FieldByName(kPrice).SetAsFloat(11);
    ds.Next();  // moving posts the edit
    EXPECT_EQ(ds.State(), DataSetState::Browse);
    ds.First();
    EXPECT_EQ(ds.FieldByName(kPrice).AsFloat(), 11);

    ds.Append();  // an untouched new record is dropped
    ds.CheckBrowseMode();
    EXPECT_EQ(ds.RecordCount(), 3);

    // Text longer than the field is cut to its size.
    ds.Edit();
    ds.FieldByName(kRegion).SetAsString(QStringLiteral("12345"));
    EXPECT_EQ(ds.FieldByName(kRegion).AsString(), QStringLiteral("123"));
    ds.Cancel();
}

TEST(DataSetChangeLog, InsertThenDeleteLeavesNoChangeAndEditsKeepOriginalValues)
{
    DataSet ds;
    loadItems(ds, threeItems());
    appendItem(ds, QStringLiteral("009"), QStringLiteral("F9"), QStringLiteral("SAL"), 1);
    EXPECT_EQ(ds.ChangeCount(), 1);
    ds.Delete();
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_TRUE(ds.Delta().isEmpty());

    ds.First();
    ds.Edit();
    ds.FieldByName(kPrice).SetAsFloat(12);
    ds.Post();
    ds.Edit();
    ds.FieldByName(kPrice).SetAsFloat(13);
    ds.Post();
    ds.Edit();  // posting without a change is not a change
    ds.Post();
    EXPECT_EQ(ds.ChangeCount(), 1);
    Delta delta = ds.Delta();
    ASSERT_EQ(delta.changes.size(), 1u);
    EXPECT_EQ(delta.changes[0].op, Change::Op::Update);
    const int price = delta.indexOf(kPrice);
    EXPECT_EQ(delta.changes[0].oldValues[price].toDouble(), 10.0);
    EXPECT_EQ(delta.changes[0].newValues[price].toDouble(), 13.0);

    // Deleting the edited row sends its original values.
    ds.Delete();
    delta = ds.Delta();
    ASSERT_EQ(delta.changes.size(), 1u);
    EXPECT_EQ(delta.changes[0].op, Change::Op::Delete);
    EXPECT_EQ(delta.changes[0].oldValues[price].toDouble(), 10.0);
    EXPECT_EQ(delta.changes[0].oldValues[delta.indexOf(kSupplier)].toString(), QStringLiteral("F1"));
}

TEST(DataSetChangeLog, MergeMakesTheCurrentStateTheOriginal)
{
    DataSet ds;
    loadItems(ds, threeItems());
    ds.Edit();
    ds.FieldByName(kPrice).SetAsFloat(50);
    ds.Post();
    appendItem(ds, QStringLiteral("004"), QStringLiteral("F4"), QStringLiteral("OLEO"), 4);
    ds.MergeChangeLog();
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_TRUE(ds.Delta().isEmpty());

    ds.First();
    ds.Edit();
    ds.FieldByName(kPrice).SetAsFloat(51);
    ds.Post();
    const Delta delta = ds.Delta();
    ASSERT_EQ(delta.changes.size(), 1u);
    EXPECT_EQ(delta.changes[0].oldValues[delta.indexOf(kPrice)].toDouble(), 50.0);
    ds.CancelUpdates();
    EXPECT_EQ(ds.RecordCount(), 4);  // the merged insert stays
    ds.First();
    EXPECT_EQ(ds.FieldByName(kPrice).AsFloat(), 50.0);
}

TEST(DataSetChangeLog, ASnapshotBringsBackRowsAndPendingChangesAfterABatch)
{
    DataSet ds;
    loadItems(ds, threeItems());
    // A price typed before the batch stays pending through it.
    ds.Last();
    ds.Edit();
    ds.FieldByName(kPrice).SetAsFloat(99);
    ds.Post();
    const Delta pending = ds.Delta();
    const DataSet::Snapshot before = ds.TakeSnapshot();

    appendItem(ds, QStringLiteral("004"), QStringLiteral("F4"), QStringLiteral("OLEO"), 4);
    ds.First();
    ds.Delete();
    ds.First();
    ds.Edit();
    ds.FieldByName(kSupplier).SetAsString(QStringLiteral("F2X"));
    ds.Post();
    ASSERT_EQ(ds.ChangeCount(), 4);

    ds.RestoreSnapshot(before);
    EXPECT_EQ(column(ds, kSupplier), (QStringList{"F1", "F2", "F3"}));
    ASSERT_EQ(ds.ChangeCount(), 1);
    const Delta restored = ds.Delta();
    ASSERT_EQ(restored.changes.size(), 1u);
    EXPECT_EQ(restored.changes[0].op, pending.changes[0].op);
    EXPECT_EQ(restored.changes[0].newValues[restored.indexOf(kPrice)].toDouble(), 99.0);
    // The rows go on as before: a cancel goes back to what was loaded.
    ds.CancelUpdates();
    ds.Last();
    EXPECT_NE(ds.FieldByName(kPrice).AsFloat(), 99.0);
}

TEST(DataSetChangeLog, CancelUpdatesRestoresTheLoadedRowsExactly)
{
    DataSet ds;
    loadItems(ds, threeItems());
    const QStringList before = column(ds, kSupplier);

    ds.SetRecNo(2);
    ds.Insert();  // before F2
    ds.FieldByName(kSupplier).SetAsString(QStringLiteral("NOVO"));
    ds.Post();
    EXPECT_EQ(column(ds, kSupplier), (QStringList{"F1", "NOVO", "F2", "F3"}));
    ds.Last();
    ds.Edit();
    ds.FieldByName(kSupplier).SetAsString(QStringLiteral("F3X"));
    ds.Post();
    ds.First();
    ds.Delete();
    EXPECT_EQ(ds.ChangeCount(), 3);

    ds.CancelUpdates();
    EXPECT_EQ(ds.ChangeCount(), 0);
    EXPECT_EQ(column(ds, kSupplier), before);
    EXPECT_EQ(column(ds, kPrice), (QStringList{"10", "20", "30"}));
    EXPECT_TRUE(ds.Delta().isEmpty());
}

TEST(DataSetChangeLog, DeltaListsInsertsUpdatesAndDeletesInTheOrderTheyHappened)
{
    DataSet ds;
    loadItems(ds, threeItems());
    ds.Last();
    ds.Delete();
    ds.First();
    ds.Edit();
    ds.FieldByName(kRegion).SetAsString(QStringLiteral("005"));
    ds.Post();
    appendItem(ds, QStringLiteral("006"), QStringLiteral("F6"), QStringLiteral("MILHO"), 6);
    const Delta delta = ds.Delta();
    ASSERT_EQ(delta.changes.size(), 3u);
    EXPECT_EQ(delta.changes[0].op, Change::Op::Delete);
    EXPECT_EQ(delta.changes[1].op, Change::Op::Update);
    EXPECT_EQ(delta.changes[2].op, Change::Op::Insert);
    EXPECT_TRUE(delta.changes[2].oldValues.isEmpty());
    EXPECT_EQ(delta.changes[2].newValues[delta.indexOf(kProduct)].toString(), QStringLiteral("MILHO"));
}

TEST(DataSetLoad, SetDataKeepsFieldObjectsTheirEventsAndDeclaredPresentation)
{
    DataSet ds(QStringLiteral("cdsServRegiao"));
    FieldDefs declared = itemFields();
    declared[0].label = QStringLiteral("Código");
    FieldDef calc = FieldDef::text(QStringLiteral("CHAVE"), 30);
    calc.calculated = true;
    declared.append(calc);
    ds.SetFieldDefs(declared);
    ds.CreateDataSet();
    Field* region = &ds.FieldByName(kRegion);
    region->Tag = -1;
    ds.FieldByName(QStringLiteral("CHAVE")).OnCalculate = [](const DataSet& d) {
        return QVariant(d.FieldByName(kRegion).AsString() + QLatin1Char('/') +
                        d.FieldByName(kSupplier).AsString());
    };

    loadItems(ds, threeItems());
    EXPECT_EQ(&ds.FieldByName(kRegion), region);
    EXPECT_EQ(region->Tag, -1);
    EXPECT_EQ(region->DisplayLabel(), QStringLiteral("Código"));
    EXPECT_EQ(ds.FieldByName(QStringLiteral("CHAVE")).AsString(), QStringLiteral("001/F1"));
    EXPECT_EQ(ds.Data().fieldCount(), 4);  // calculated fields are never sent

    // A packet missing a declared field is refused.
    Packet partial(FieldDefs{FieldDef::text(kRegion, 3)});
    EXPECT_THROW(ds.SetData(partial), EDatabaseError);
}

TEST(DataSetLoad, DataIsASnapshotThatLaterEditsDoNotTouch)
{
    DataSet ds;
    loadItems(ds, threeItems());
    const Packet snapshot = ds.Data();
    ds.Edit();
    ds.FieldByName(kPrice).SetAsFloat(77);
    ds.Post();
    ds.Delete();
    EXPECT_EQ(snapshot.rowCount(), 3);
    EXPECT_EQ(snapshot.value(0, 3).toDouble(), 10.0);

    DataSet copy;
    copy.SetData(ds.Data());
    EXPECT_EQ(column(copy, kSupplier), (QStringList{"F2", "F3"}));
    EXPECT_EQ(copy.ChangeCount(), 0);
}

namespace {
struct CountingObserver : DataSetObserver
{
    int changed = 0, scrolled = 0, states = 0;
    void dataSetChanged(DataSet&) override { ++changed; }
    void recordScrolled(DataSet&) override { ++scrolled; }
    void stateChanged(DataSet&) override { ++states; }
};
} // namespace

TEST(DataSetControls, DisableControlsHoldsNotificationsUntilEnabledAgain)
{
    DataSet ds;
    loadItems(ds, threeItems());
    CountingObserver observer;
    ds.addObserver(&observer);
    ds.DisableControls();
    ds.Next();
    ds.Edit();
    ds.FieldByName(kPrice).SetAsFloat(1);
    ds.Post();
    EXPECT_EQ(observer.changed + observer.scrolled + observer.states, 0);
    ds.EnableControls();
    EXPECT_EQ(observer.changed, 1);
    ds.Next();
    EXPECT_EQ(observer.scrolled, 1);
    ds.removeObserver(&observer);
}

TEST(DataSetControls, DataSourceReportsStateAndFieldChangesAndOutlivesItsTable)
{
    auto ds = std::make_unique<DataSet>();
    loadItems(*ds, threeItems());
    DataSource source(ds.get());
    QList<DataSetState> states;
    QStringList changed;
    source.OnStateChange = [&states](DataSource& s) { states << s.State(); };
    source.OnDataChange = [&changed](DataSource&, Field* f) {
        changed << (f ? f->FieldName() : QStringLiteral("*"));
    };
    ds->Edit();
    ds->FieldByName(kPrice).SetAsFloat(3);
    ds->Post();
    EXPECT_EQ(states, (QList<DataSetState>{DataSetState::Edit, DataSetState::Browse}));
    EXPECT_EQ(changed.first(), kPrice);
    ds.reset();
    EXPECT_EQ(source.dataSet(), nullptr);
    EXPECT_EQ(source.State(), DataSetState::Inactive);
}

TEST(DataSetModelView, OtherRowsShowTheirOwnTextsAndEditsGoThroughTheTable)
{
    DataSet ds;
    loadItems(ds, threeItems());
    ds.FieldByName(kRegion).OnGetText = [](const Field& f, QString& text, bool) {
        text = QStringLiteral("R") + f.AsString();
    };
    ds.FieldByName(kPrice).SetDisplayFormat(QStringLiteral("#,##0.00"));
    DataSetModel model(&ds);
    model.setColumns({{kRegion}, {kPrice, QStringLiteral("Preço")}});
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(1, 0), Qt::DisplayRole).toString(), QStringLiteral("R002"));
    EXPECT_EQ(model.data(model.index(2, 1), Qt::DisplayRole).toString(), QStringLiteral("30,00"));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QStringLiteral("Preço"));
    EXPECT_EQ(ds.RecNo(), 1);  // painting does not move the cursor

    EXPECT_TRUE(model.setData(model.index(2, 1), QStringLiteral("31,5"), Qt::EditRole));
    EXPECT_EQ(ds.RecNo(), 3);
    EXPECT_EQ(ds.State(), DataSetState::Edit);
    EXPECT_EQ(model.data(model.index(2, 1), Qt::DisplayRole).toString(), QStringLiteral("31,50"));
    EXPECT_EQ(model.data(model.index(0, 1), Qt::DisplayRole).toString(), QStringLiteral("10,00"));
    ds.Post();
    appendItem(ds, QStringLiteral("004"), QStringLiteral("F4"), QStringLiteral("SAL"), 4);
    EXPECT_EQ(model.rowCount(), 4);
}

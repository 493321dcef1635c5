// GravaPlanCota when two operators work on the same quotation, and when the write fails
// half-way: no change is lost silently and a refused or failed call leaves nothing behind.

#include "SaveTestSupport.h"

#include "DbTestSupport.h"

#include <gtest/gtest.h>
#include <chrono>
#include <thread>

using namespace savetest;

namespace {

const QString kConflict = QStringLiteral(
    "A cotação %1 foi alterada por outro operador. Atualize a lista e repita a alteração.");

class SaveConcurrencyTest : public SaveFixture
{
protected:
    QString column(const char* name, const QString& number)
    {
        return dbtest::scalar(db(),
                              QStringLiteral("SELECT %1 FROM COLETAPR WHERE NRCOLEPRECO = ?")
                                  .arg(QString::fromLatin1(name)),
                              {number})
            .toString();
    }
    static QVariantMap reassignTo(const QString& buyer)
    {
        return {{QStringLiteral("CDOPERADOR"), buyer}, {QStringLiteral("NMOPERADOR"), QString()}};
    }
    static QVariantMap listFlag(const char* flag)
    {
        return {{QStringLiteral("IDDISMONTLIS"), QString::fromLatin1(flag)}};
    }
};

TEST_F(SaveConcurrencyTest, SaveFromAListLoadedBeforeAnotherSaveIsRefused)
{
    const QString ana = login(kAna);
    const QString fernanda = login(kFernanda);
    // Both load the list.
    QuotationList anasList(db());
    QuotationList fernandasList(db());

    anasList.change(kAnaQuotation, listFlag("S"));
    ASSERT_EQ(save(ana, anasList.changes(), kAnaQuotation, kAna), "");

    // The manager's list still shows the quotation off the price list.
    fernandasList.change(kAnaQuotation, reassignTo(kCarlos));
    const QStringList afterAna = snapshot();
    EXPECT_EQ(save(fernanda, fernandasList.changes(), kAnaQuotation, kFernanda),
              kConflict.arg(kAnaQuotation));
    EXPECT_EQ(snapshot(), afterAna);
    EXPECT_EQ(column("IDDISMONTLIS", kAnaQuotation), "S");
    EXPECT_EQ(column("CDOPERADOR", kAnaQuotation), kAna);

    // After refreshing, the manager's change goes through and keeps Ana's.
    QuotationList refreshed(db());
    refreshed.change(kAnaQuotation, reassignTo(kCarlos));
    EXPECT_EQ(save(fernanda, refreshed.changes(), kAnaQuotation, kFernanda), "");
    EXPECT_EQ(column("CDOPERADOR", kAnaQuotation), kCarlos);
    EXPECT_EQ(column("IDDISMONTLIS", kAnaQuotation), "S");
}

TEST_F(SaveConcurrencyTest, ASaveThatMeetsAnotherStillWritingTheQuotationIsRefused)
{
    const QString fernanda = login(kFernanda);
    QuotationList fernandasList(db());
    fernandasList.change(kAnaQuotation, reassignTo(kCarlos));
    const QVariant changes = fernandasList.changes();

    // Another call has changed the quotation and not yet committed when the manager's
    // save arrives: the save must wait for it and then see the change, not compare with
    // the values from before it and write over it.
    host::Database other(connectionString());
    other.begin();
    other.exec(QStringLiteral("UPDATE COLETAPR SET IDDISMONTLIS = 'S' WHERE NRCOLEPRECO = '%1'")
                   .arg(kAnaQuotation));
    QString answer;
    std::thread manager([&] { answer = save(fernanda, changes, kAnaQuotation, kFernanda); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    other.commit();
    manager.join();

    EXPECT_EQ(answer, kConflict.arg(kAnaQuotation));
    EXPECT_EQ(column("CDOPERADOR", kAnaQuotation), kAna);
    EXPECT_EQ(column("IDDISMONTLIS", kAnaQuotation), "S");
}

TEST_F(SaveConcurrencyTest, TheSameChangeFromTwoListsIsSavedOnce)
{
    const QString ana = login(kAna);
    const QString fernanda = login(kFernanda);
    QuotationList first(db());
    QuotationList second(db());
    first.change(kAnaQuotation, listFlag("S"));
    second.change(kAnaQuotation, listFlag("S"));

    EXPECT_EQ(save(fernanda, second.changes(), kAnaQuotation, kFernanda), "");
    EXPECT_EQ(save(ana, first.changes(), kAnaQuotation, kAna), kConflict.arg(kAnaQuotation));
    EXPECT_EQ(column("IDDISMONTLIS", kAnaQuotation), "S");
}

TEST_F(SaveConcurrencyTest, QuotationDeletedMeanwhileIsReported)
{
    const QString ana = login(kAna);
    QuotationList list(db());
    list.change(kAnaQuotation, listFlag("S"));
    db().exec(QStringLiteral("DELETE FROM COLETAPR WHERE NRCOLEPRECO = '0000000003'"));
    const QStringList before = snapshot();

    EXPECT_EQ(save(ana, list.changes(), kAnaQuotation, kAna),
              QStringLiteral("A cotação %1 foi excluída por outro operador. Atualize a lista.")
                  .arg(kAnaQuotation));
    EXPECT_EQ(snapshot(), before);
}

// A change packet with two changes of the same quotation, one after the other, the way
// the list logs two posts it has not merged: the "Lista" flag, then the collection type.
host::Delta twoChanges(host::Database& db, const QString& collectionType)
{
    QuotationList list(db);
    list.change(kAnaQuotation, {{QStringLiteral("IDDISMONTLIS"), QStringLiteral("S")}});
    host::Delta both = list.delta();
    list.table().MergeChangeLog();
    list.change(kAnaQuotation, {{QStringLiteral("IDTIPCOLREG"), collectionType}});
    for (const host::Change& change : list.delta().changes)
        both.changes.push_back(change);
    return both;
}

TEST_F(SaveConcurrencyTest, FailureOnALaterRowUndoesTheEarlierRows)
{
    const QString ana = login(kAna);
    const host::Delta delta = twoChanges(db(), QStringLiteral("E"));
    ASSERT_EQ(delta.changes.size(), 2u);
    dbtest::addFailingTrigger(db(), QStringLiteral("COLETAPR_FALHA"),
                              QStringLiteral("BEFORE UPDATE"), QStringLiteral("COLETAPR"),
                              QStringLiteral("NEW.IDTIPCOLREG = 'E'"),
                              QStringLiteral("falha simulada na gravação"));
    const QStringList before = snapshot();

    const QString answer = save(ana, QVariant::fromValue(delta), kAnaQuotation, kAna);
    EXPECT_TRUE(answer.startsWith(
        QStringLiteral("Não foi possível gravar a cotação %1:").arg(kAnaQuotation)))
        << answer.toStdString();
    EXPECT_TRUE(answer.contains(QStringLiteral("falha simulada na gravação")));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(column("IDDISMONTLIS", kAnaQuotation), "N") << "the first change is undone";

    // Without the fault the same packet stores both changes.
    dbtest::dropTrigger(db(), QStringLiteral("COLETAPR_FALHA"), QStringLiteral("COLETAPR"));
    EXPECT_EQ(save(ana, QVariant::fromValue(delta), kAnaQuotation, kAna), "");
    EXPECT_EQ(column("IDDISMONTLIS", kAnaQuotation), "S");
    EXPECT_EQ(column("IDTIPCOLREG", kAnaQuotation), "E");
}

TEST_F(SaveConcurrencyTest, RefusalOfALaterRowUndoesTheEarlierRows)
{
    // The first change is valid and gets written; the second asks for an unknown
    // collection type, so the call is refused and the first change goes too.
    const QString ana = login(kAna);
    const host::Delta delta = twoChanges(db(), QStringLiteral("X"));
    ASSERT_EQ(delta.changes.size(), 2u);
    const QStringList before = snapshot();
    EXPECT_EQ(
        save(ana, QVariant::fromValue(delta), kAnaQuotation, kAna),
        QStringLiteral("Tipo de coleta \"X\" inválido para a cotação %1.").arg(kAnaQuotation));
    EXPECT_EQ(snapshot(), before);
}

} // namespace

// The session: operator and pictures, the saved options of the screens per operator, the
// chosen-code lists and the one key-message handler.

#include "support/QtPrinters.h"
#include "support/TestApplication.h"

#include "host/core/ChosenList.h"
#include "host/ui/Halvore.h"
#include "host/ui/OptionStore.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

using namespace host;

namespace {

class HalvoreTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        Halvore::instance().reset();
        Halvore::instance().optionStore().setFile(dir.filePath(QStringLiteral("opcoes.ini")));
    }
    void TearDown() override { Halvore::instance().reset(); }

    QTemporaryDir dir;
};

OptionList filterChoices(const QString& buyers, const QString& regions, const QString& suppliers)
{
    OptionList options;
    options.setValue(QStringLiteral("stComprador"), buyers);
    options.setValue(QStringLiteral("stPesqRegiao"), regions);
    options.setValue(QStringLiteral("stPesqForn"), suppliers);
    return options;
}

} // namespace

TEST_F(HalvoreTest, ProductPictureIsTheDefaultOfKindZero)
{
    Halvore& session = Halvore::instance();
    EXPECT_EQ(session.DBPict(Halvore::ProductPicture), QStringLiteral("99.99.999"));
    EXPECT_EQ(session.DBPict(7), QString());
    session.setDBPict(0, QStringLiteral("999.999.9999"));
    EXPECT_EQ(session.DBPict(0), QStringLiteral("999.999.9999"));
    session.reset();
    EXPECT_EQ(session.DBPict(0), QStringLiteral("99.99.999"));
}

TEST_F(HalvoreTest, SavedOptionsComeBackForTheSameOperatorAndScreenOnly)
{
    Halvore& session = Halvore::instance();
    session.setOperator(QStringLiteral("ANA.CARVALHO"), QStringLiteral("Ana Paula Carvalho"),
                        QStringLiteral("0001"));
    const OptionList saved =
        filterChoices(QStringLiteral("_ANA.CARVALHO_"), QStringLiteral("_001_004_"),
                      QStringLiteral("_12345678000195_98765432000110_"));
    session.saveOptions(QStringLiteral("SUP01701"), saved);

    // Read back from the file by a fresh store, as the next session would.
    OptionStore fresh(dir.filePath(QStringLiteral("opcoes.ini")));
    const OptionList loaded =
        fresh.load(QStringLiteral("SUP01701"), QStringLiteral("ANA.CARVALHO"));
    EXPECT_EQ(loaded, saved);
    EXPECT_EQ(loaded.names(),
              QStringList({QStringLiteral("stComprador"), QStringLiteral("stPesqRegiao"),
                           QStringLiteral("stPesqForn")}));
    EXPECT_EQ(session.loadOptions(QStringLiteral("SUP01701")).value(QStringLiteral("stPesqForn")),
              QStringLiteral("_12345678000195_98765432000110_"));

    EXPECT_TRUE(fresh.load(QStringLiteral("SUP01701"), QStringLiteral("CARLOS.NUNES")).isEmpty());
    EXPECT_TRUE(fresh.load(QStringLiteral("SUP01713"), QStringLiteral("ANA.CARVALHO")).isEmpty());
    // Codes padded to their width are the same operator.
    EXPECT_EQ(fresh.load(QStringLiteral("SUP01701"), QStringLiteral("ANA.CARVALHO  ")), saved);
}

TEST_F(HalvoreTest, SavingAgainReplacesTheEarlierOptions)
{
    OptionStore& store = Halvore::instance().optionStore();
    store.save(QStringLiteral("SUP01701"), QStringLiteral("CARLOS.NUNES"),
               filterChoices(QStringLiteral("_CARLOS.NUNES_"), QStringLiteral("_002_"),
                             QStringLiteral("_1_")));
    OptionList fewer;
    fewer.setValue(QStringLiteral("stPesqRegiao"), QString());
    fewer.setValue(QStringLiteral("nota"), QStringLiteral("a=b; c/d \\ é"));
    store.save(QStringLiteral("SUP01701"), QStringLiteral("CARLOS.NUNES"), fewer);

    const OptionList loaded =
        store.load(QStringLiteral("SUP01701"), QStringLiteral("CARLOS.NUNES"));
    EXPECT_EQ(loaded, fewer);
    EXPECT_FALSE(loaded.contains(QStringLiteral("stComprador")));
    EXPECT_TRUE(loaded.contains(QStringLiteral("stPesqRegiao")));
    EXPECT_EQ(loaded.value(QStringLiteral("nota")), QStringLiteral("a=b; c/d \\ é"));
}

TEST_F(HalvoreTest, OperatorCodesCannotReachAnotherOperatorsOptions)
{
    OptionStore& store = Halvore::instance().optionStore();
    store.save(QStringLiteral("SUP01701"), QStringLiteral("ANA"),
               filterChoices(QStringLiteral("_ANA_"), QString(), QString()));
    EXPECT_TRUE(store.load(QStringLiteral("SUP01701"), QStringLiteral("ANA/opcoes")).isEmpty());
    EXPECT_TRUE(store.load(QStringLiteral("SUP01701/ANA"), QString()).isEmpty());
}

TEST(OptionListTest, KeepsTheOrderOfFirstPuttingAndReplacesValues)
{
    OptionList options;
    options.setValue(QStringLiteral("b"), QStringLiteral("1"));
    options.setValue(QStringLiteral("a"), QStringLiteral("2"));
    options.setValue(QStringLiteral("b"), QStringLiteral("3"));
    EXPECT_EQ(options.names(), QStringList({QStringLiteral("b"), QStringLiteral("a")}));
    EXPECT_EQ(options.value(QStringLiteral("b")), QStringLiteral("3"));
    EXPECT_EQ(options.value(QStringLiteral("c"), QStringLiteral("-")), QStringLiteral("-"));
    options.remove(QStringLiteral("b"));
    EXPECT_EQ(options.size(), 1);
}

TEST(ChosenListTest, WritesAndReadsTheListFormat)
{
    EXPECT_EQ(joinChosenList({QStringLiteral("001"), QStringLiteral("004")}),
              std::optional<QString>(QStringLiteral("_001_004_")));
    EXPECT_EQ(joinChosenList({}), std::optional<QString>(QString()));
    EXPECT_EQ(joinChosenList({QStringLiteral("A_B")}), std::nullopt);
    EXPECT_EQ(joinChosenList({QString()}), std::nullopt);

    EXPECT_EQ(splitChosenList(QStringLiteral("_001_004_")),
              QStringList({QStringLiteral("001"), QStringLiteral("004")}));
    EXPECT_EQ(splitChosenList(QStringLiteral("_PEDRO       _")),
              QStringList{QStringLiteral("PEDRO       ")});
    EXPECT_TRUE(splitChosenList(QString()).isEmpty());
    EXPECT_TRUE(splitChosenList(QStringLiteral("001_004")).isEmpty());
}

// The price entry turns the decimal point typed on a Brazilian keyboard's keypad into
// the comma before the edit sees it.
TEST_F(HalvoreTest, KeyMessageHandlerSeesKeysBeforeTheFocusedControl)
{
    testsupport::application();
    QWidget window;
    auto* edit = new QLineEdit(&window);
    (new QVBoxLayout(&window))->addWidget(edit);
    window.show();
    QApplication::setActiveWindow(&window);
    edit->setFocus();
    ASSERT_EQ(QApplication::focusWidget(), edit);

    Halvore& session = Halvore::instance();
    session.setMsgEventForm([](KeyMessage& key) {
        if (key.key == Qt::Key_Period) {
            key.key = Qt::Key_Comma;
            key.text = QStringLiteral(",");
        } else if (key.key == Qt::Key_X) {
            key.handled = true;
        }
    });
    EXPECT_TRUE(session.hasMsgEventForm());
    QTest::keyClicks(edit, QStringLiteral("12.5x"));
    EXPECT_EQ(edit->text(), QStringLiteral("12,5"));

    session.clearMsgEventForm();
    EXPECT_FALSE(session.hasMsgEventForm());
    QTest::keyClicks(edit, QStringLiteral(".x"));
    EXPECT_EQ(edit->text(), QStringLiteral("12,5.x"));
}

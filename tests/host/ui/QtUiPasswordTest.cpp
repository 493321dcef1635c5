// Password confirmation against the operators of the shared database (demo data).

#include "QtUiFixture.h"

#include "support/ScriptedUi.h"

#include "appserver/db/Seed.h"
#include "host/core/Database.h"
#include "host/core/Exceptions.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace host;
using testsupport::click;
using testsupport::findWidget;
using testsupport::typeInto;
using testsupport::whenModalShown;

namespace {

// One demo database for the whole program: seeding hashes every operator's password.
struct DemoDatabase
{
    static Database& db()
    {
        static QTemporaryDir dir;
        static std::unique_ptr<Database> database = [] {
            auto created = std::make_unique<Database>(QStringLiteral("sqlite:") +
                                                      dir.filePath(QStringLiteral("demo.db")));
            appserver::db::seedDemo(*created, QDate(2025, 3, 12));
            return created;
        }();
        return *database;
    }
};

class PasswordTest : public QtUiTest
{
protected:
    PasswordTest() { Halvore::instance().setDatabase(&DemoDatabase::db()); }
};

} // namespace

TEST_F(PasswordTest, WrongPasswordIsRefusedAndTheRightOneConfirms)
{
    QString title, whose, refusal;
    whenModalShown([&](QWidget& dialog) {
        title = dialog.windowTitle();
        auto* label = findWidget<QLabel>(dialog, QStringLiteral("lblOperador"));
        whose = label ? label->text() : QString();
        typeInto(dialog, QStringLiteral("edtSenha"), QStringLiteral("errada"));
        answerNextBox(QStringLiteral("OK"), nullptr, &refusal);
        click(dialog, QStringLiteral("btnOk"));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(findWidget<QLineEdit>(dialog, QStringLiteral("edtSenha"))->text().isEmpty());
        typeInto(dialog, QStringLiteral("edtSenha"), QStringLiteral("demo"));
        click(dialog, QStringLiteral("btnOk"));
    });

    EXPECT_TRUE(ui.CriaConfSenha(QStringLiteral("ANA.CARVALHO"), QStringLiteral("Confere Senha"),
                                 QStringLiteral("Comprador")));
    EXPECT_EQ(title, QStringLiteral("Confere Senha"));
    EXPECT_EQ(whose, QStringLiteral("Comprador: ANA.CARVALHO - Ana Paula Carvalho"));
    EXPECT_EQ(refusal, QStringLiteral("Senha inválida."));
}

TEST_F(PasswordTest, CancelRefusesAndAnotherOperatorsPasswordIsNotHis)
{
    whenModalShown([&](QWidget& dialog) { click(dialog, QStringLiteral("btnCancelar")); });
    EXPECT_FALSE(ui.CriaConfSenha(QStringLiteral("CARLOS.NUNES")));

    // Every demo operator has the password "demo": a wrong operator code cannot pass.
    QString refusal;
    whenModalShown([&](QWidget& dialog) {
        typeInto(dialog, QStringLiteral("edtSenha"), QStringLiteral("demo"));
        answerNextBox(QStringLiteral("OK"), nullptr, &refusal);
        click(dialog, QStringLiteral("btnOk"));
        click(dialog, QStringLiteral("btnCancelar"));
    });
    EXPECT_FALSE(ui.CriaConfSenha(QStringLiteral("NINGUEM")));
    EXPECT_EQ(refusal, QStringLiteral("Senha inválida."));
}

TEST_F(PasswordTest, NoDatabaseIsAClearError)
{
    Halvore::instance().setDatabase(nullptr);
    try {
        ui.CriaConfSenha(QStringLiteral("ANA.CARVALHO"));
        ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Não há conexão com o banco de dados."));
    }
}

TEST(ScriptedPasswordTest, TypedPasswordsAreCheckedAgainstTheSessionsDatabase)
{
    testsupport::ScriptedUi ui;
    Halvore::instance().reset();
    Halvore::instance().setDatabase(&DemoDatabase::db());
    ui.typePassword(QStringLiteral("demo")).typePassword(QStringLiteral("1234"));
    EXPECT_TRUE(ui.CriaConfSenha(QStringLiteral("DANIELA.LIMA")));
    EXPECT_FALSE(ui.CriaConfSenha(QStringLiteral("DANIELA.LIMA")));
    EXPECT_EQ(ui.messageTexts(MessageKind::Error), QStringList{QStringLiteral("Senha inválida.")});
    Halvore::instance().reset();
}

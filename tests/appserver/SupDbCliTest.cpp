// The sup-db program: commands, exit codes and messages.

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ProgramRun
{
    int exitCode = -1;
    QString out;
    QString err;
};

ProgramRun supDb(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(SUP_DB_PROGRAM), args);
    process.waitForFinished(120000);
    ProgramRun run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

int rowCount(const QString& path, const QString& table)
{
    int result = -1;
    {
        QSqlDatabase db =
            QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("cli"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) && query.next())
                result = query.value(0).toInt();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("cli"));
    return result;
}

} // namespace

TEST(SupDbProgram, BadUsageExplainsInPortugueseAndExitsWithTwo)
{
    for (const QStringList& args :
         {QStringList{}, QStringList{"criar", "x.db"}, QStringList{"init"},
          QStringList{"seed", "x.db"}, QStringList{"seed", "--scale", "dez", "x.db"},
          QStringList{"seed", "--scale", "0", "x.db"}}) {
        const ProgramRun run = supDb(args);
        EXPECT_EQ(run.exitCode, 2) << args.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Uso:"))) << run.err.toStdString();
    }
    EXPECT_TRUE(supDb({"seed", "--scale", "dez", "x.db"})
                    .err.contains(QStringLiteral("Número de itens inválido")));
}

TEST(SupDbProgram, InitSeedAndScaleWriteTheDatabase)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sup.db"));

    const ProgramRun init = supDb({"init", path});
    EXPECT_EQ(init.exitCode, 0) << init.err.toStdString();
    EXPECT_EQ(rowCount(path, QStringLiteral("COLETAPR")), 0);
    EXPECT_EQ(supDb({"init", path}).exitCode, 0);

    const ProgramRun demo = supDb({"seed", "--demo", path});
    EXPECT_EQ(demo.exitCode, 0) << demo.err.toStdString();
    EXPECT_TRUE(demo.out.contains(QStringLiteral("senha \"demo\"")));
    EXPECT_EQ(rowCount(path, QStringLiteral("COLETAPR")), 6);

    const ProgramRun scale = supDb({"seed", "--scale", "1200", path});
    EXPECT_EQ(scale.exitCode, 0) << scale.err.toStdString();
    EXPECT_TRUE(scale.out.contains(QStringLiteral("1200 itens"))) << scale.out.toStdString();
    EXPECT_EQ(rowCount(path, QStringLiteral("COLETAPR")), 7);
}

TEST(SupDbProgram, SeedCreatesTheSchemaOfANewFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("novo.db"));
    EXPECT_EQ(supDb({"seed", "--scale", "50", path}).exitCode, 0);
    EXPECT_GT(rowCount(path, QStringLiteral("ITEMCOLE")), 50);
}

TEST(SupDbProgram, FailureExitsWithOne)
{
    QTemporaryDir dir;
    const ProgramRun run =
        supDb({"init", dir.filePath(QStringLiteral("pasta/que/nao/existe/sup.db"))});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Falha: "))) << run.err.toStdString();
}

namespace {
QStringList collectionDates(const QString& path)
{
    QStringList dates;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("dates"));
        db.setDatabaseName(path);
        if (db.open()) {
            QSqlQuery query(db);
            query.exec(QStringLiteral("SELECT NRCOLEPRECO, DTCOLEPREC, DTFINVALCOL FROM COLETAPR "
                                      "ORDER BY NRCOLEPRECO"));
            while (query.next())
                dates << query.value(0).toString() + u' ' + query.value(1).toString() + u' ' +
                             query.value(2).toString();
        }
    }
    QSqlDatabase::removeDatabase(QStringLiteral("dates"));
    return dates;
}
} // namespace

TEST(SupDbProgram, AFixedReferenceDayWritesTheSameDemoEveryTime)
{
    QTemporaryDir dir;
    const QString first = dir.filePath(QStringLiteral("a.db"));
    const QString second = dir.filePath(QStringLiteral("b.db"));
    ASSERT_EQ(supDb({"seed", "--date", "2026-03-04", "--demo", first}).exitCode, 0);
    ASSERT_EQ(supDb({"seed", "--demo", second, "--date", "2026-03-04"}).exitCode, 0);
    const QStringList dates = collectionDates(first);
    ASSERT_EQ(dates.size(), 6);
    EXPECT_EQ(dates, collectionDates(second));
    for (const QString& row : dates)
        EXPECT_TRUE(row.contains(QStringLiteral(" 2026-0"))) << row.toStdString();

    const ProgramRun bad = supDb({"seed", "--date", "2026-13-01", "--demo", first});
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_TRUE(bad.err.contains(QStringLiteral("--date"))) << bad.err.toStdString();
}

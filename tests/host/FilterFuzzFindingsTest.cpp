// Filter texts that exhausted the parser's stack, found with the filter fuzz target: a
// text nested too deep is refused with a clear error, and real nesting still works.

#include "host/core/Exceptions.h"
#include "host/core/FilterExpression.h"
#include "host/core/Table.h"

#include <gtest/gtest.h>

using namespace host;

namespace {

Table quantities()
{
    Table table(FieldDefs{FieldDef::of(QStringLiteral("QTITEM"), FieldType::Integer)});
    table.setValue(table.addSlot(), 0, 1);
    table.setValue(table.addSlot(), 0, 2);
    return table;
}

QString nested(const QString& open, const QString& inner, const QString& close, int levels)
{
    return open.repeated(levels) + inner + close.repeated(levels);
}

} // namespace

TEST(FilterFuzzFindings, DeepParenthesesAreRefusedNotOverflowed)
{
    const Table table = quantities();
    const QString text = nested(QStringLiteral("("), QStringLiteral("[QTITEM] = 1"), QStringLiteral(")"), 50000);
    try {
        FilterExpression expression(text, table, false);
        FAIL() << "a filter nested 50 000 times was accepted";
    } catch (const EFilterError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("aninhados demais"))) << e.message().toStdString();
        EXPECT_GT(e.position(), 1);
    }
}

TEST(FilterFuzzFindings, LongNotChainsAreRefusedNotOverflowed)
{
    const Table table = quantities();
    EXPECT_THROW(FilterExpression(QStringLiteral("not ").repeated(50000) + QStringLiteral("[QTITEM] = 1"), table, false),
                 EFilterError);
}

TEST(FilterFuzzFindings, NestingAsWrittenByPeopleStillWorks)
{
    Table table = quantities();
    FilterExpression deep(nested(QStringLiteral("not ("), QStringLiteral("[QTITEM] = 1"), QStringLiteral(")"), 50),
                          table, false);
    // Fifty negations cancel out: only the first row matches.
    EXPECT_TRUE(deep.matches(table, 0));
    EXPECT_FALSE(deep.matches(table, 1));
    // A long flat chain is not nesting and stays accepted.
    FilterExpression chain(QStringLiteral("[QTITEM] = 5 or ").repeated(2000) + QStringLiteral("[QTITEM] = 2"), table, false);
    EXPECT_FALSE(chain.matches(table, 0));
    EXPECT_TRUE(chain.matches(table, 1));
}

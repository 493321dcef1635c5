// The filter-expression parser on arbitrary text, over a small table with one field of
// each type (nulls included). A filter that compiles must evaluate on every row, and
// its negation must compile and select exactly the other rows. LIKE matches a value
// against itself as a pattern.

#include "FuzzSupport.h"

#include "host/core/Exceptions.h"
#include "host/core/FilterExpression.h"
#include "host/core/Table.h"

#include <QDate>
#include <QDateTime>
#include <QVariant>

#include <memory>
#include <vector>

namespace {

using host::FieldDef;
using host::FieldType;

const host::Table& sampleTable()
{
    static const std::unique_ptr<host::Table> table = [] {
        auto t = std::make_unique<host::Table>(host::FieldDefs{
            FieldDef::text(QStringLiteral("CDREGIAO"), 3),
            FieldDef::of(QStringLiteral("QTITEM"), FieldType::Integer),
            FieldDef::of(QStringLiteral("VRPRECO"), FieldType::Float),
            FieldDef::of(QStringLiteral("IDATIVO"), FieldType::Boolean),
            FieldDef::of(QStringLiteral("DTCOLETA"), FieldType::Date),
            FieldDef::of(QStringLiteral("DTHRALTERA"), FieldType::DateTime),
            FieldDef::of(QStringLiteral("DSOBSERV"), FieldType::Memo),
        });
        const QList<QVariantList> rows = {
            {QStringLiteral("001"), 10, 1234.5, true, QDate(2025, 3, 12),
             QDateTime(QDate(2025, 3, 12), QTime(8, 30)), QStringLiteral("entrega em 10 dias")},
            {QStringLiteral("004"), -3, 0.0, false, QDate(1999, 12, 31),
             QDateTime(QDate(2000, 1, 1), QTime(0, 0)), QStringLiteral("Ação 50% 'x'")},
            {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant()},
            {QStringLiteral("abc"), 0, -0.00001, true, QDate(2024, 2, 29),
             QDateTime(QDate(2024, 2, 29), QTime(23, 59, 59)), QString()},
        };
        for (const QVariantList& values : rows) {
            const quint32 slot = t->addSlot();
            for (int f = 0; f < values.size(); ++f)
                t->setValue(slot, f, values[f]);
        }
        return t;
    }();
    return *table;
}

// Rows the filter selects; nothing when it does not compile (the error in `error`).
std::optional<std::vector<bool>> select(const QString& filter, bool caseInsensitive, QString* error = nullptr)
{
    const host::Table& table = sampleTable();
    try {
        host::FilterExpression expression(filter, table, caseInsensitive);
        std::vector<bool> selected;
        for (quint32 slot = 0; slot < table.slotCount(); ++slot)
            selected.push_back(expression.matches(table, slot));
        return selected;
    } catch (const host::EFilterError& e) {
        if (error)
            *error = e.message();
        return std::nullopt;
    }
}

void checkLike(const QString& text)
{
    for (const bool ci : {false, true}) {
        fuzz::check(host::FilterExpression::like(text, text, ci), "a text is LIKE itself",
                    fuzz::shown(text));
        fuzz::check(host::FilterExpression::like(text, QStringLiteral("%"), ci),
                    "every text is LIKE '%'", fuzz::shown(text));
        fuzz::check(host::FilterExpression::like(text, QLatin1Char('%') + text + QLatin1Char('%'), ci),
                    "a text is LIKE itself between '%'", fuzz::shown(text));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString filter = fuzz::text(fuzz::bytes(data, size));
    checkLike(filter);
    for (const bool ci : {false, true}) {
        const auto selected = select(filter, ci);
        if (!selected || filter.trimmed().isEmpty())
            continue;
        const QString negated = QStringLiteral("not (") + filter + QLatin1Char(')');
        QString error;
        const auto others = select(negated, ci, &error);
        if (!others && error.contains(QStringLiteral("aninhados demais")))
            continue; // the filter was at the deepest nesting allowed
        fuzz::check(others.has_value(), "the negation of a valid filter compiles",
                    fuzz::shown(filter) + QLatin1Char('\n') + error);
        for (size_t row = 0; row < selected->size(); ++row)
            fuzz::check((*selected)[row] != (*others)[row],
                        "a filter and its negation split the rows",
                        QStringLiteral("row %1, filter %2").arg(row).arg(fuzz::shown(filter)));
    }
    return 0;
}

#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace host {

// The list of codes a person marked in a multi-choice search, as one string:
// "_" + codes joined by "_" + "_" ("_001_004_"); "" when nothing is marked.

// Nothing when a code is empty or holds "_" (it could not be read back).
std::optional<QString> joinChosenList(const QStringList& codes);

// The codes of a list, in order; blanks around a code are kept. Text that is not a list
// ("", or without the leading and trailing "_") gives no codes; empty codes are skipped.
QStringList splitChosenList(const QString& list);

} // namespace host

#pragma once

// The lists of chosen codes that the filter screens send (buyers, suppliers, regions:
// "_001_004_" beside an all-marker "T"), read into codes and turned into bound query
// parameters. A list is never written into the SQL text: only the number of its codes
// decides how many placeholders the condition has.

#include "BoundSql.h"

#include <QString>
#include <QStringList>

namespace appserver::modules {

// Most codes one list may carry. Far above any real choice (a centre has a few hundred
// regions and buyers), and low enough that three full lists stay within the database's
// limit of parameters per statement.
inline constexpr int kMaxChosenCodes = 5000;

// How the codes of one list are brought to their stored form (e.g. the buyer code padded
// to 12); nullptr keeps them as sent.
using CodeNormaliser = QString (*)(const QString&);

// One list argument with its marker, as read.
struct ChosenCodes
{
    bool all = true;   // marker "T": every code, the list is ignored
    QStringList codes; // distinct stored codes, in the order they were chosen
};

// Reads a list and its marker. `what` names the list in the error texts, in the plural
// ("compradores"). Throws host::Exception with a Portuguese text when the list is not in
// the "_a_b_" format or carries more than kMaxChosenCodes distinct codes.
ChosenCodes readChosenCodes(const QString& list, const QString& marker, const QString& what,
                            CodeNormaliser normalise = nullptr);

// The SQL condition that keeps the rows whose `column` is one of the codes:
// "column IN (?, ?, ...)", one placeholder per code, each code bound as its own value.
// Every row when the list is "all" ("1 = 1"); no row when the chosen list is empty
// ("1 = 0"). `column` is the caller's fixed text, never an argument of a call.
BoundSql inCondition(const QString& column, const ChosenCodes& codes);

} // namespace appserver::modules

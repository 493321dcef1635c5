#pragma once

// The worksheet's own regions and suppliers as the maintenance dialogs send them: the
// distinct composite values of its item table (COCREGIAO, COCFORNECED), each followed by a
// line break. Each value is read strictly (a malformed one refuses the call) and kept as
// sent, so that an answer that names it gives the worksheet back its own key.

#include <QList>
#include <QString>

namespace appserver::modules {

struct ListedValue
{
    QString value; // as the worksheet holds it
    QString code;  // the stored code: region (3) or supplier (padded to 21)
};

// Most values one list may carry: far above the regions or suppliers of any quotation.
inline constexpr int kMaxListedValues = 10000;

// The longest value of each list: the width of its field in the worksheet's item table.
inline constexpr int kRegionValueWidth = 35;   // COCREGIAO
inline constexpr int kSupplierValueWidth = 63; // COCFORNECED

// The values of a list in the order sent, each once; empty lines are skipped. Refuses
// (rpc::Refusal) a malformed value, one longer than its field or a list over
// kMaxListedValues.
QList<ListedValue> readRegionList(const QString& text);
QList<ListedValue> readSupplierList(const QString& text);

} // namespace appserver::modules

#pragma once

#include <QString>

namespace host::internal {

// A text of the pivot grid's message table (HOSTPIVOT).
QString pivotText(const QString& key);

} // namespace host::internal

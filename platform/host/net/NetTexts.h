#pragma once

#include <QString>

namespace host::net {

// A text of the connections' message table (NETCONEX), by key.
QString netText(const QString& key);

} // namespace host::net

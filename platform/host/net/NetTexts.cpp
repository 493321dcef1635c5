#include "NetTexts.h"

#include "host/core/Messages.h"

namespace host::net {

QString netText(const QString& key)
{
    static const Messages table = Messages::load(QStringLiteral("NETCONEX"));
    return table.Msg(key);
}

} // namespace host::net

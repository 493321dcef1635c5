#include "PivotTexts.h"

#include "host/core/Messages.h"

namespace host::internal {

QString pivotText(const QString& key)
{
    static const Messages table = Messages::load(QStringLiteral("HOSTPIVOT"));
    return table.Msg(key);
}

} // namespace host::internal

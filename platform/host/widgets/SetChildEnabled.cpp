#include "SetChildEnabled.h"

#include <QWidget>

namespace host {

void SetChildEnabled(QWidget* container, bool enabled)
{
    if (!container)
        return;
    container->setEnabled(enabled);
    const auto children = container->findChildren<QWidget*>();
    for (QWidget* child : children)
        child->setEnabled(enabled);
}

} // namespace host

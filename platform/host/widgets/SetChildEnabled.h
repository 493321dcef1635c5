#pragma once

class QWidget;

namespace host {

// Enables or disables a container together with every control inside it, so that the
// controls also look disabled (a group box of search options, a panel of fields).
void SetChildEnabled(QWidget* container, bool enabled);

} // namespace host

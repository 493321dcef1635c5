#pragma once

#include "Halvore.h"

#include <QObject>

namespace host {

// Shows each key press to the session's key-message handler before the focused control
// receives it; a changed key is delivered in its place, a handled one is dropped.
class KeyMessageFilter : public QObject
{
    Q_OBJECT
public:
    explicit KeyMessageFilter(Halvore::KeyMessageHandler handler);
    ~KeyMessageFilter() override;

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    Halvore::KeyMessageHandler m_handler;
    bool m_delivering = false;
};

} // namespace host

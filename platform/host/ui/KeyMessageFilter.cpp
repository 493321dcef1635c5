#include "KeyMessageFilter.h"

#include "Guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace host {

KeyMessageFilter::KeyMessageFilter(Halvore::KeyMessageHandler handler)
    : m_handler(std::move(handler))
{
    QCoreApplication::instance()->installEventFilter(this);
}

KeyMessageFilter::~KeyMessageFilter()
{
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
}

bool KeyMessageFilter::eventFilter(QObject* receiver, QEvent* event)
{
    if (m_delivering || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return false;
    // A key event travels from the focused control up to its parents; only its first
    // receiver is the place where the person typed.
    auto* widget = qobject_cast<QWidget*>(receiver);
    if (!widget || widget != QApplication::focusWidget())
        return false;

    auto* key = static_cast<QKeyEvent*>(event);
    KeyMessage message{key->type() == QEvent::KeyPress, key->key(), key->modifiers(), key->text(),
                       false};
    bool failed = false;
    guarded([&] {
        failed = true;
        m_handler(message);
        failed = false;
    });
    if (failed)
        return true; // the handler's error was shown; the key goes no further
    if (message.handled)
        return true;
    if (message.key == key->key() && message.text == key->text() &&
        message.modifiers == key->modifiers())
        return false;

    QKeyEvent changed(key->type(), message.key, message.modifiers, message.text,
                      key->isAutoRepeat(), ushort(key->count()));
    m_delivering = true;
    QCoreApplication::sendEvent(widget, &changed);
    m_delivering = false; // sendEvent never lets an exception out of Qt
    return true;
}

} // namespace host

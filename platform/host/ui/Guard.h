#pragma once

#include "Ui.h"

#include "host/core/Exceptions.h"

#include <QObject>
#include <exception>
#include <utility>

namespace host {

// Shows an error through the current Ui; with abort, the running handler then ends
// silently (EAbort is thrown).
void MensErro(const QString& text, bool abort = true);

// Reports an exception that reached a handler's edge: EAbort is silent, any other
// error is shown as an error box. Never throws.
void reportHandlerException(std::exception_ptr error) noexcept;

// Runs a handler so that no exception crosses Qt's event loop.
template <typename F>
void guarded(F&& handler) noexcept
{
    try {
        std::forward<F>(handler)();
    } catch (...) {
        reportHandlerException(std::current_exception());
    }
}

// Connects a signal to a handler through the guard. Handlers of the screens are
// connected only this way.
template <typename Sender, typename Signal, typename F>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, F handler)
{
    return QObject::connect(sender, signal, context, [handler](auto&&... args) mutable {
        guarded([&] { handler(std::forward<decltype(args)>(args)...); });
    });
}

// Shows the busy animation for the life of the object (ActiveShowAvi/DeactiveShowAvi),
// with the hourglass cursor, balanced on every path.
class BusyScope
{
public:
    BusyScope(QWidget* form, const QString& text, int kind = 1);
    ~BusyScope();
    // Hides it early (as the callers do before showing a result).
    void hide();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool m_shown = true;
};

void ActiveShowAvi(QWidget* form, int kind, const QString& text);
void DeactiveShowAvi();

// The hourglass (or SQL-wait) cursor for the life of the object.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace host

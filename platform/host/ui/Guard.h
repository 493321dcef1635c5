#pragma once

#include "Ui.h"

#include "host/core/Exceptions.h"

#include <QObject>
#include <exception>
#include <tuple>
#include <type_traits>
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

namespace Internal {

template <typename F, typename Tuple, std::size_t... I>
constexpr bool invocableWithFirst(std::index_sequence<I...>)
{
    return std::is_invocable_v<F&, std::tuple_element_t<I, Tuple>&...>;
}

template <typename F, typename Tuple, std::size_t... I>
void callWithFirst(F& f, Tuple& args, std::index_sequence<I...>)
{
    f(std::get<I>(args)...);
}

// Calls `f` with as many of the leading arguments as it takes (as Qt's own connect does).
template <std::size_t N, typename F, typename Tuple>
void callLeading(F& f, Tuple& args)
{
    if constexpr (invocableWithFirst<F, Tuple>(std::make_index_sequence<N>{})) {
        callWithFirst(f, args, std::make_index_sequence<N>{});
    } else {
        static_assert(N > 0, "the handler does not take the signal's arguments");
        if constexpr (N > 0)
            callLeading<N - 1>(f, args);
    }
}

} // namespace Internal

// Connects a signal to a handler through the guard. Handlers of the screens are
// connected only this way; like Qt's connect, a handler may take fewer arguments than
// the signal sends (the leading ones).
template <typename Sender, typename Signal, typename F>
QMetaObject::Connection connectGuarded(Sender* sender, Signal signal, QObject* context, F handler)
{
    return QObject::connect(sender, signal, context, [handler](auto&&... args) mutable {
        guarded([&] {
            auto arguments = std::forward_as_tuple(args...);
            Internal::callLeading<sizeof...(args)>(handler, arguments);
        });
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

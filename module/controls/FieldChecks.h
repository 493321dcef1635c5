#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace host {
class Messages;
class TDateEditPlus;
class TMaskEdit;
} // namespace host

namespace module {

// The field checks of an entry screen: a failure shows its message and takes the focus
// back to its field. While a failed check takes the focus back, the exit check of the
// field the focus only passed through is not run: that field was never worked, and two
// bad fields would otherwise hand the focus and their messages to each other for ever.
class FieldChecks final : public QObject
{
    Q_OBJECT
public:
    FieldChecks(const host::Messages& texts, QObject* parent);

    // Leaving the field runs the check.
    void onExit(host::TMaskEdit* field, std::function<void()> check);
    // Takes the focus to a field without checking the field it leaves.
    void refocus(QWidget* field);
    // Focuses the field and stops with the message of `key`.
    [[noreturn]] void fail(QWidget* field, const QString& key);
    // A text that is no date fails (the date field's own message), focusing the field.
    void checkDate(host::TDateEditPlus* date);

    // A date that may not be after today: `emptyKey` when mandatory and empty, the date's
    // own message when it is no date (mandatory only), `futureKey` after today.
    void checkNotAfterToday(host::TDateEditPlus* date, bool mandatory, const QString& emptyKey,
                            const QString& futureKey);

    // The messages of a period's checks.
    struct PeriodKeys
    {
        QString initialEmpty;
        QString finalEmpty;
        QString order;
    };
    // Both dates given and valid, the final not before the initial. The focus goes to the
    // initial date when it is empty or the order is wrong, to the final date otherwise.
    void checkPeriod(host::TDateEditPlus* initial, host::TDateEditPlus* final,
                     const PeriodKeys& keys);

private:
    const host::Messages& m_texts;
    bool m_refocusing = false;
};

} // namespace module

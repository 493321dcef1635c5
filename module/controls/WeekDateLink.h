#pragma once

#include "module/records/WeekRule.h"

#include <QObject>

class QLineEdit;

namespace host {
class TDateEditPlus;
class TWeekSpinEdit;
} // namespace host

namespace module {

// Keeps a week field, its date field and the week text beside the date in step, as a
// buyer expects on every validity period: a week typed or spun (while the week field has
// the focus) moves the date to that week's first day (initial edge) or last day (final
// edge); a date typed or picked shows its day name and week number; leaving the date
// checks it and takes its week. While the week field is worked, its weeks are taken
// beside the date it started from.
class WeekDateLink : public QObject
{
    Q_OBJECT
public:
    WeekDateLink(host::TWeekSpinEdit* week, host::TDateEditPlus* date, QLineEdit* weekName,
                 WeekEdge edge, QObject* parent = nullptr);

    // The date-change reaction: the week text and number follow the date shown.
    void dateChanged();
    // Leaving a date that is no date says so (the default); without the check the week
    // simply stays as it was until the date is valid.
    void setChecksDateOnLeave(bool checks) { m_checksOnLeave = checks; }

private:
    void weekTyped(const QString& typed);
    void dateLeft();
    void showWeek(const QString& weekText);
    WeekFocus focus() const;

    host::TWeekSpinEdit* m_week;
    host::TDateEditPlus* m_date;
    QLineEdit* m_weekName;
    WeekEdge m_edge;
    // The date as it was when the person began working the week field: every digit typed
    // and every step is taken beside it, not beside the date the last keystroke gave.
    QDate m_dateBeforeTyping;
    bool m_typing = false;
    bool m_checksOnLeave = true;
};

} // namespace module

#include "WeekDateLink.h"

#include "host/ui/Guard.h"
#include "host/widgets/DateEditPlus.h"
#include "host/widgets/SpinEdit.h"

#include <QLineEdit>

namespace module {

WeekDateLink::WeekDateLink(host::TWeekSpinEdit* week, host::TDateEditPlus* date,
                           QLineEdit* weekName, WeekEdge edge, QObject* parent)
    : QObject(parent), m_week(week), m_date(date), m_weekName(weekName), m_edge(edge)
{
    host::connectGuarded(m_week, &host::TSpinEdit::valueTyped, this,
                         [this](const QString& typed) { weekTyped(typed); });
    host::connectGuarded(m_date, &host::TDateEditPlus::dateChanged, this,
                         [this](const QDate&) { dateChanged(); });
    host::connectGuarded(m_date, &host::TMaskEdit::exited, this, [this] { dateLeft(); });
    connect(m_week, &QAbstractSpinBox::editingFinished, this, [this] { m_typing = false; });
}

WeekFocus WeekDateLink::focus() const
{
    if (m_date->IsTyping())
        return WeekFocus::DateField;
    if (m_week->hasFocus())
        return WeekFocus::WeekField;
    return WeekFocus::Elsewhere;
}

void WeekDateLink::showWeek(const QString& weekText)
{
    if (weekText.isEmpty())
        m_week->Clear();
    else if (m_week->Text().toInt() != weekText.toInt() || m_week->IsEmpty())
        m_week->SetValue(weekText.toInt());
}

void WeekDateLink::weekTyped(const QString& typed)
{
    // Only the person working the week field moves the date.
    if (!m_week->hasFocus())
        return;
    if (!m_typing) {
        m_typing = true;
        m_dateBeforeTyping = m_date->GetDate();
    }
    const WeekPair pair = weekEntered(typed, m_dateBeforeTyping, QDate::currentDate(), m_edge);
    // The number being typed stays as typed unless the rule changed it (53 in a year of 52
    // weeks); the field takes the keystroke first, then shows the week the date is in.
    if (!pair.weekText.isEmpty() && pair.weekText.toInt() != typed.toInt()) {
        const QString week = pair.weekText;
        QMetaObject::invokeMethod(
            this, [this, week] { host::guarded([this, week] { showWeek(week); }); },
            Qt::QueuedConnection);
    }
    m_date->SetDate(pair.date);
    m_weekName->setText(pair.weekName);
}

void WeekDateLink::dateChanged()
{
    const WeekPair pair = module::dateChanged(m_date->GetDate(), m_week->Text(), focus());
    showWeek(pair.weekText);
    m_weekName->setText(pair.weekName);
}

void WeekDateLink::dateLeft()
{
    const DateExit exit = module::dateLeft(m_date->Text(), m_week->Text());
    if (!exit.valid) {
        if (m_checksOnLeave)
            m_date->CheckValidDate();
        return;
    }
    showWeek(exit.pair.weekText);
    m_weekName->setText(exit.pair.weekName);
}

} // namespace module

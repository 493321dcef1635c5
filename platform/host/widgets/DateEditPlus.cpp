#include "DateEditPlus.h"

#include "host/core/consiste/Consiste.h"
#include "host/ui/Guard.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QFrame>
#include <QPainter>
#include <QVBoxLayout>

namespace host {
namespace {

const QString kDateFormat = QStringLiteral("dd/MM/yyyy");

// A small calendar page for the field's button.
QIcon calendarIcon()
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QColor(64, 64, 64));
    p.setBrush(Qt::white);
    p.drawRect(1, 2, 13, 12);
    p.fillRect(2, 3, 12, 3, QColor(178, 34, 34));
    p.setPen(QColor(96, 96, 96));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 3; x <= 12; x += 3)
            p.drawPoint(x, y);
    return QIcon(pixmap);
}

} // namespace

TDateEditPlus::TDateEditPlus(QWidget* parent)
    : TMaskEdit(parent), m_invalidDateText(defaultInvalidDateText()),
      m_dayNames{QStringLiteral("Domingo"),      QStringLiteral("Segunda-feira"),
                 QStringLiteral("Terça-feira"),  QStringLiteral("Quarta-feira"),
                 QStringLiteral("Quinta-feira"), QStringLiteral("Sexta-feira"),
                 QStringLiteral("Sábado")}
{
    SetEditMask(QStringLiteral("99/99/9999;1;_"));
    QAction* button = addAction(calendarIcon(), QLineEdit::TrailingPosition);
    button->setToolTip(QStringLiteral("Calendário"));
    connect(button, &QAction::triggered, this, [this] { guarded([this] { ShowCalendar(); }); });
    connect(this, &QLineEdit::textEdited, this, &TDateEditPlus::onTextEdited);
    connect(this, &QLineEdit::textChanged, this, &TDateEditPlus::onTextChanged);
    updateColor();
}

QString TDateEditPlus::defaultInvalidDateText()
{
    return QStringLiteral("não é uma data válida.");
}

QDate TDateEditPlus::GetDate() const
{
    return QDate::fromString(Text(), kDateFormat);
}

void TDateEditPlus::SetDate(const QDate& date)
{
    if (date.isValid())
        SetText(date.toString(kDateFormat));
    else
        clear();
}

bool TDateEditPlus::IsDateValid() const
{
    return GetDate().isValid();
}

void TDateEditPlus::CheckValidDate()
{
    if (IsEmpty() || IsDateValid())
        return;
    setFocus();
    selectAll();
    MensErro(Text() + QLatin1Char(' ') + m_invalidDateText, true);
}

void TDateEditPlus::SetDayNames(const QStringList& names)
{
    if (names.size() == 7)
        m_dayNames = names;
}

QString TDateEditPlus::DayName() const
{
    const QDate date = GetDate();
    return date.isValid() ? m_dayNames.at(date.dayOfWeek() % 7) : QString();
}

void TDateEditPlus::SetValidDateColor(const QColor& color)
{
    m_validColor = color;
    updateColor();
}

void TDateEditPlus::onTextEdited()
{
    // textEdited comes before textChanged for the same keystroke.
    m_editedPending = true;
    m_typing = true;
    updateColor();
    const QDate date = GetDate();
    struct Reset
    {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{m_typing};
    Q_EMIT dateChanged(date);
}

void TDateEditPlus::onTextChanged()
{
    if (m_editedPending) {
        m_editedPending = false;
        return;
    }
    updateColor();
    Q_EMIT dateChanged(GetDate());
}

void TDateEditPlus::updateColor()
{
    QPalette pal = palette();
    const QColor normal = QApplication::palette(this).color(QPalette::Active, QPalette::Text);
    const QColor wanted = IsDateValid() ? m_validColor : normal;
    if (pal.color(QPalette::Active, QPalette::Text) == wanted &&
        pal.color(QPalette::Inactive, QPalette::Text) == wanted)
        return;
    pal.setColor(QPalette::Active, QPalette::Text, wanted);
    pal.setColor(QPalette::Inactive, QPalette::Text, wanted);
    setPalette(pal);
}

void TDateEditPlus::ShowCalendar()
{
    if (!m_popup) {
        m_popup = new QFrame(this, Qt::Popup);
        m_popup->setFrameShape(QFrame::StyledPanel);
        auto* layout = new QVBoxLayout(m_popup);
        layout->setContentsMargins(0, 0, 0, 0);
        m_calendar = new QCalendarWidget(m_popup);
        m_calendar->setLocale(operatorLocale());
        m_calendar->setGridVisible(true);
        layout->addWidget(m_calendar);
        m_popup->setFocusProxy(m_calendar);
        connect(m_calendar, &QCalendarWidget::clicked, this, &TDateEditPlus::pickDate);
        connect(m_calendar, &QCalendarWidget::activated, this, &TDateEditPlus::pickDate);
    }
    const QDate shown = GetDate();
    m_calendar->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
}

void TDateEditPlus::pickDate(const QDate& date)
{
    if (m_popup)
        m_popup->hide();
    setFocus();
    SetDate(date);
}

} // namespace host

#include "BusyPanel.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QtMath>

namespace host::Internal {

namespace {
constexpr int kSpokes = 12;
constexpr int kStepMs = 80;
// How long the first show may wait for the window system to put the panel on screen.
constexpr int kExposeWaitMs = 250;
} // namespace

// ---- BusyIndicator ----------------------------------------------------------------------

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent), m_timer(new QTimer(this))
{
    m_timer->setInterval(kStepMs);
    connect(m_timer, &QTimer::timeout, this, [this] {
        m_step = (m_step + 1) % kSpokes;
        update();
    });
    setFixedSize(sizeHint());
}

void BusyIndicator::showEvent(QShowEvent*)
{
    m_timer->start();
}

void BusyIndicator::hideEvent(QHideEvent*)
{
    m_timer->stop();
}

void BusyIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(width() / 2.0, height() / 2.0);
    const qreal outer = qMin(width(), height()) / 2.0 - 2;
    const qreal inner = outer * 0.45;
    QColor colour = palette().color(QPalette::Highlight);
    for (int i = 0; i < kSpokes; ++i) {
        // The spoke of the current step is the darkest; the others fade behind it.
        const int age = (m_step - i + kSpokes) % kSpokes;
        colour.setAlphaF(1.0 - age / qreal(kSpokes) * 0.85);
        painter.setPen(QPen(colour, 3, Qt::SolidLine, Qt::RoundCap));
        const qreal angle = qDegreesToRadians(360.0 * i / kSpokes);
        painter.drawLine(QPointF(qCos(angle) * inner, qSin(angle) * inner),
                         QPointF(qCos(angle) * outer, qSin(angle) * outer));
    }
}

// ---- BusyPanel --------------------------------------------------------------------------

BusyPanel::BusyPanel()
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      m_text(new QLabel(this)), m_indicator(new BusyIndicator(this))
{
    setObjectName(QStringLiteral("panBusy"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::ToolTipBase);

    m_text->setObjectName(QStringLiteral("lblBusy"));
    m_text->setWordWrap(true);
    m_text->setMinimumWidth(260);
    m_text->setMaximumWidth(360);
    m_text->setForegroundRole(QPalette::ToolTipText);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(14, 12, 18, 12);
    layout->setSpacing(12);
    layout->addWidget(m_indicator, 0, Qt::AlignVCenter);
    layout->addWidget(m_text, 1, Qt::AlignVCenter);
}

BusyPanel::~BusyPanel()
{
    // Whoever forgot to hide leaves no wait cursor behind.
    for (size_t i = 0; i < m_stack.size(); ++i)
        QApplication::restoreOverrideCursor();
}

QString BusyPanel::currentText() const
{
    return m_stack.empty() ? QString() : m_stack.back().text;
}

int BusyPanel::currentKind() const
{
    return m_stack.empty() ? 0 : m_stack.back().kind;
}

void BusyPanel::push(QWidget* form, int kind, const QString& text)
{
    m_stack.push_back({form, kind, text});
    QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    present();
}

void BusyPanel::pop()
{
    if (m_stack.empty())
        return;
    m_stack.pop_back();
    QApplication::restoreOverrideCursor();
    present();
}

void BusyPanel::suspend()
{
    m_suspendedAt.push_back(depth());
    present();
}

void BusyPanel::resume()
{
    if (!m_suspendedAt.empty())
        m_suspendedAt.pop_back();
    present();
}

bool BusyPanel::wanted() const
{
    const int hiddenUpTo = m_suspendedAt.empty() ? 0 : m_suspendedAt.back();
    return depth() > hiddenUpTo;
}

void BusyPanel::present()
{
    if (!wanted()) {
        hide();
        return;
    }
    m_text->setText(m_stack.back().text);
    m_text->setVisible(!m_stack.back().text.isEmpty());
    adjustSize();
    placeOver(m_stack.back().form);
    paintNow();
}

void BusyPanel::placeOver(QWidget* form)
{
    QWidget* over = form ? form->window() : QApplication::activeWindow();
    if (over == this)
        over = nullptr;
    QRect area;
    if (over && over->isVisible())
        area = over->frameGeometry();
    else if (QScreen* screen = QGuiApplication::primaryScreen())
        area = screen->availableGeometry();
    else
        return;
    move(area.center() - QPoint(width() / 2, height() / 2));
}

void BusyPanel::paintEvent(QPaintEvent* event)
{
    m_painted = true;
    QWidget::paintEvent(event);
}

// The call that follows runs without the event loop, so the panel must be on screen and
// painted before it starts. A panel already on screen paints at once; one that the window
// system has yet to show waits for it, briefly, while typed keys and clicks stay queued
// for after the call.
void BusyPanel::paintNow()
{
    if (!isVisible())
        show();
    raise();
    m_painted = false;
    repaint();
    QElapsedTimer waited;
    waited.start();
    while (!m_painted && waited.elapsed() < kExposeWaitMs) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::ExcludeSocketNotifiers);
        if (!m_painted)
            repaint();
        if (!m_painted)
            QThread::msleep(2);
    }
}

} // namespace host::Internal

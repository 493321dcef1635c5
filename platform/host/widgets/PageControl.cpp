#include "PageControl.h"

#include "host/ui/Guard.h"

#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace host {

// --- TTabSheet -----------------------------------------------------------------------

TTabSheet::TTabSheet(const QString& caption, QWidget* parent) : QWidget(parent), m_caption(caption)
{
}

int TTabSheet::PageIndex() const
{
    return m_pageControl ? int(m_pageControl->m_pages.indexOf(const_cast<TTabSheet*>(this))) : -1;
}

void TTabSheet::SetCaption(const QString& caption)
{
    m_caption = caption;
    if (m_pageControl)
        m_pageControl->syncTab(this);
}

void TTabSheet::SetTabVisible(bool visible)
{
    m_tabVisible = visible;
    if (m_pageControl)
        m_pageControl->syncTab(this);
}

void TTabSheet::SetEnabled(bool enabled)
{
    m_enabled = enabled;
    setEnabled(enabled);
    if (!m_pageControl)
        return;
    // A disabled page stays the one shown; only its tab can no longer be chosen.
    TTabSheet* shown = m_pageControl->ActivePage();
    m_pageControl->syncTab(this);
    if (shown && m_pageControl->ActivePage() != shown)
        m_pageControl->SetActivePage(shown);
}

// --- TPageControl --------------------------------------------------------------------

TPageControl::TPageControl(QWidget* parent)
    : QWidget(parent), m_tabBar(new QTabBar(this)), m_stack(new QStackedWidget(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_tabBar);
    layout->addWidget(m_stack, 1);
    m_stack->setFrameShape(QFrame::StyledPanel);
    m_tabBar->setDrawBase(false);
    m_tabBar->setExpanding(false);
    connect(m_tabBar, &QTabBar::currentChanged, this, &TPageControl::onTabChanged);
}

TTabSheet* TPageControl::AddPage(TTabSheet* page)
{
    return InsertPage(int(m_pages.size()), page);
}

TTabSheet* TPageControl::InsertPage(int index, TTabSheet* page)
{
    index = qBound(0, index, int(m_pages.size()));
    page->m_pageControl = this;
    m_pages.insert(index, page);
    m_stack->insertWidget(index, page);
    {
        const QScopedValueRollback<bool> programmatic(m_programmatic, true);
        m_tabBar->insertTab(index, page->Caption());
    }
    syncTab(page);
    return page;
}

void TPageControl::syncTab(TTabSheet* page)
{
    const int index = page->PageIndex();
    if (index < 0)
        return;
    const QScopedValueRollback<bool> programmatic(m_programmatic, true);
    m_tabBar->setTabText(index, page->Caption());
    m_tabBar->setTabEnabled(index, page->Enabled());
    m_tabBar->setTabVisible(index, page->TabVisible());
}

TTabSheet* TPageControl::ActivePage() const
{
    return qobject_cast<TTabSheet*>(m_stack->currentWidget());
}

int TPageControl::ActivePageIndex() const
{
    TTabSheet* page = ActivePage();
    return page ? page->PageIndex() : -1;
}

void TPageControl::SetActivePage(TTabSheet* page)
{
    const int index = page ? page->PageIndex() : -1;
    if (index < 0)
        return;
    const QScopedValueRollback<bool> programmatic(m_programmatic, true);
    if (page->TabVisible())
        m_tabBar->setCurrentIndex(index);
    showPage(index);
}

bool TPageControl::SelectPage(TTabSheet* page)
{
    const int index = page ? page->PageIndex() : -1;
    if (index < 0 || !page->TabVisible() || !page->Enabled())
        return false;
    if (page == ActivePage())
        return true;
    m_tabBar->setCurrentIndex(index);
    return ActivePage() == page;
}

void TPageControl::onTabChanged(int index)
{
    if (m_programmatic) {
        showPage(index);
        return;
    }
    if (!userChange(index)) {
        // Refused: the tab goes back to the page still shown.
        const QScopedValueRollback<bool> programmatic(m_programmatic, true);
        TTabSheet* shown = ActivePage();
        if (shown && shown->TabVisible())
            m_tabBar->setCurrentIndex(shown->PageIndex());
    }
}

bool TPageControl::userChange(int index)
{
    TTabSheet* target = Pages(index);
    if (!target)
        return false;
    bool allow = true;
    bool failed = true;
    guarded([&] {
        if (OnChanging)
            OnChanging(target, allow);
        failed = false;
    });
    if (failed || !allow || ActivePage() == target)
        return !failed && allow;
    showPage(index);
    if (const std::function<void()> handler = OnChange)
        guarded(handler);
    return true;
}

void TPageControl::showPage(int index)
{
    TTabSheet* page = Pages(index);
    if (!page || m_stack->currentWidget() == page)
        return;
    m_stack->setCurrentWidget(page);
    Q_EMIT activePageChanged(page);
}

void TPageControl::keyPressEvent(QKeyEvent* event)
{
    const bool ctrlTab = event->modifiers() & Qt::ControlModifier &&
                         (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab);
    if (!ctrlTab || m_pages.isEmpty()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int step =
        event->key() == Qt::Key_Backtab || event->modifiers() & Qt::ShiftModifier ? -1 : 1;
    const int count = PageCount();
    int index = ActivePageIndex();
    for (int i = 0; i < count; ++i) {
        index = (index + step + count) % count;
        if (m_tabBar->isTabVisible(index) && m_tabBar->isTabEnabled(index)) {
            if (index != ActivePageIndex())
                m_tabBar->setCurrentIndex(index);
            break;
        }
    }
    event->accept();
}

} // namespace host

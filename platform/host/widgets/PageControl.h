#pragma once

#include <QList>
#include <QWidget>
#include <functional>

class QStackedWidget;
class QTabBar;

namespace host {

class TPageControl;

// One page of a TPageControl. Its tab can be hidden (the page is then out of reach of
// the user) and disabled (tab and content).
class TTabSheet : public QWidget
{
    Q_OBJECT
public:
    explicit TTabSheet(const QString& caption = QString(), QWidget* parent = nullptr);

    TPageControl* PageControl() const { return m_pageControl; }
    // Position among the pages (hidden tabs included); -1 outside a page control.
    int PageIndex() const;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& caption);
    bool TabVisible() const { return m_tabVisible; }
    void SetTabVisible(bool visible);
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);

private:
    friend class TPageControl;
    TPageControl* m_pageControl = nullptr;
    QString m_caption;
    bool m_tabVisible = true;
    bool m_enabled = true;
};

// Pages with tabs. The user changes the page by clicking a tab or with Ctrl+Tab; such a
// change first asks OnChanging (which may refuse it; an exception refuses it too, through
// the handler guard) and then tells OnChange. Pages activated by the program
// (SetActivePage, or a hidden active tab) fire neither.
class TPageControl : public QWidget
{
    Q_OBJECT
public:
    explicit TPageControl(QWidget* parent = nullptr);

    // Adds a page at the end; the control takes it over.
    TTabSheet* AddPage(TTabSheet* page);
    // Puts a page at a position in the tab order (the pages after it move one on).
    TTabSheet* InsertPage(int index, TTabSheet* page);
    int PageCount() const { return int(m_pages.size()); }
    TTabSheet* Pages(int index) const { return m_pages.value(index); }

    TTabSheet* ActivePage() const;
    int ActivePageIndex() const;
    // Activates a page without OnChanging and OnChange, even when its tab is hidden.
    void SetActivePage(TTabSheet* page);
    // Activates a page as the user's tab click would (OnChanging, then OnChange);
    // false when refused or not reachable (tab hidden or disabled).
    bool SelectPage(TTabSheet* page);

    // Before a change made by the user: the page to be shown; clear `allow` to refuse.
    // ActivePage() is still the page being left.
    std::function<void(TTabSheet* newPage, bool& allow)> OnChanging;
    // After a change made by the user.
    std::function<void()> OnChange;

    QTabBar* tabBar() const { return m_tabBar; }

Q_SIGNALS:
    // The page shown changed, however (for menus that follow the active page).
    void activePageChanged(TTabSheet* page);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    friend class TTabSheet;
    void onTabChanged(int index);
    bool userChange(int index);
    void showPage(int index);
    void syncTab(TTabSheet* page);

    QTabBar* m_tabBar;
    QStackedWidget* m_stack;
    QList<TTabSheet*> m_pages;
    bool m_programmatic = false;
};

} // namespace host

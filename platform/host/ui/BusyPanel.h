#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class QLabel;
class QTimer;

namespace host::Internal {

// The turning indicator of the busy panel.
class BusyIndicator : public QWidget
{
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {36, 36}; }

protected:
    void paintEvent(QPaintEvent*) override;
    void showEvent(QShowEvent*) override;
    void hideEvent(QHideEvent*) override;

private:
    QTimer* m_timer;
    int m_step = 0;
};

// The busy animation: a small frameless panel kept above the form that waits, with the
// indicator and the text of the call that runs. Shows stack: a nested show puts its text
// on top and its hide brings the outer text back; the panel leaves with the last hide.
// While shown, the wait cursor is on. A modal window that waits on a person suspends the
// panel (it would cover the window) and the panel comes back when the window closes.
class BusyPanel : public QWidget
{
    Q_OBJECT
public:
    BusyPanel();
    ~BusyPanel() override;

    void push(QWidget* form, int kind, const QString& text);
    // A hide without a show is ignored.
    void pop();
    int depth() const { return int(m_stack.size()); }
    // Text of the innermost show; empty when none.
    QString currentText() const;
    int currentKind() const;

    void suspend();
    void resume();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    struct Entry
    {
        QPointer<QWidget> form;
        int kind = 1;
        QString text;
    };

    bool wanted() const;
    void present();
    void placeOver(QWidget* form);
    void paintNow();

    std::vector<Entry> m_stack;
    std::vector<int> m_suspendedAt; // depth at each suspension still open
    QLabel* m_text;
    BusyIndicator* m_indicator;
    bool m_painted = false;
};

} // namespace host::Internal

#include "KeyClaim.h"

#include <QEvent>
#include <QKeyEvent>
#include <QWidget>

namespace host {

namespace {

class KeyClaim : public QObject
{
public:
    KeyClaim(QWidget* control, QList<QKeyCombination> keys)
        : QObject(control), m_keys(std::move(keys))
    {
        control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::ShortcutOverride)
            return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination pressed(key->modifiers() & ~Qt::KeypadModifier, Qt::Key(key->key()));
        if (m_keys.contains(pressed))
            event->accept();
        return false;
    }

private:
    QList<QKeyCombination> m_keys;
};

} // namespace

void ClaimKeys(QWidget* control, const QList<QKeyCombination>& keys)
{
    new KeyClaim(control, keys);
}

} // namespace host

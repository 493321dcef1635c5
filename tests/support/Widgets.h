#pragma once

#include <QString>
#include <QWidget>
#include <functional>

namespace testsupport {

// The child widget named `name` under `root` (the root itself when it has the name);
// a GoogleTest failure and nullptr when there is none of that type.
QWidget* findNamed(QWidget& root, const QString& name, const char* typeName,
                   const std::function<bool(QWidget*)>& isType);

template <typename T = QWidget> T* findWidget(QWidget& root, const QString& name)
{
    QWidget* found = findNamed(root, name, T::staticMetaObject.className(),
                               [](QWidget* w) { return qobject_cast<T*>(w) != nullptr; });
    return qobject_cast<T*>(found);
}

// Clicks the named button as a person would (it must be visible and enabled).
void click(QWidget& root, const QString& name);
// Replaces the text of the named line edit by typing `text` into it, key by key.
void typeInto(QWidget& root, const QString& name, const QString& text);

// Runs `action` on the next modal window that opens (a message box, a search dialog)
// from inside its event loop; the action must close the window. A window that does not
// open within the time, or that the action leaves open, fails the test and is closed.
void whenModalShown(std::function<void(QWidget& modal)> action, int timeoutMs = 5000);

// Clicks the button captioned `caption` of a message box.
void clickBoxButton(QWidget& box, const QString& caption);

} // namespace testsupport

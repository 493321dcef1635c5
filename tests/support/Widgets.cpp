#include "Widgets.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace testsupport {

QWidget* findNamed(QWidget& root, const QString& name, const char* typeName,
                   const std::function<bool(QWidget*)>& isType)
{
    if (root.objectName() == name && isType(&root))
        return &root;
    for (QWidget* child : root.findChildren<QWidget*>(name))
        if (isType(child))
            return child;
    ADD_FAILURE() << "No " << typeName << " named \"" << name.toStdString() << "\" in "
                  << root.objectName().toStdString();
    return nullptr;
}

void click(QWidget& root, const QString& name)
{
    auto* button = findWidget<QAbstractButton>(root, name);
    if (!button)
        return;
    if (!button->isVisible() || !button->isEnabled()) {
        ADD_FAILURE() << "Button \"" << name.toStdString() << "\" cannot be clicked (visible "
                      << button->isVisible() << ", enabled " << button->isEnabled() << ")";
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

void typeInto(QWidget& root, const QString& name, const QString& text)
{
    auto* edit = findWidget<QLineEdit>(root, name);
    if (!edit)
        return;
    edit->setFocus();
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, text);
}

namespace {

void closeModal(QWidget* modal)
{
    if (auto* dialog = qobject_cast<QDialog*>(modal))
        dialog->reject();
    else
        modal->close();
}

} // namespace

void whenModalShown(std::function<void(QWidget& modal)> action, int timeoutMs)
{
    const QPointer<QWidget> before = QApplication::activeModalWidget();
    auto* poll = new QTimer(qApp);
    auto* waited = new QElapsedTimer;
    waited->start();
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, poll, [=] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal != before && modal->isVisible()) {
            poll->stop();
            poll->deleteLater();
            delete waited;
            const QPointer<QWidget> shown = modal;
            action(*modal);
            if (shown && shown->isVisible()) {
                ADD_FAILURE() << "The modal window " << shown->objectName().toStdString()
                              << " was left open";
                closeModal(shown);
            }
            return;
        }
        if (waited->elapsed() > timeoutMs) {
            poll->stop();
            poll->deleteLater();
            delete waited;
            ADD_FAILURE() << "No modal window opened";
            while (QWidget* open = QApplication::activeModalWidget()) {
                closeModal(open);
                if (QApplication::activeModalWidget() == open)
                    break;
            }
        }
    });
    poll->start();
}

void clickBoxButton(QWidget& box, const QString& caption)
{
    for (QAbstractButton* button : box.findChildren<QAbstractButton*>())
        if (button->text() == caption && button->isVisible()) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    ADD_FAILURE() << "No button \"" << caption.toStdString() << "\" in "
                  << box.objectName().toStdString();
}

} // namespace testsupport

#include "WindowCapture.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace {

QWidget* mainWindowBelow(QWidget* dialog)
{
    if (dialog && dialog->parentWidget())
        return dialog->parentWidget()->window();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != dialog && !w->isModal() && w->windowType() == Qt::Window)
            return w;
    return nullptr;
}

} // namespace

bool captureActiveWindow(const QString& fileName)
{
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* active = modal ? modal : QApplication::activeWindow();
    if (!active) {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowType() == Qt::Window)
                active = w;
    }
    if (!active)
        return false;
    QWidget* below = modal ? mainWindowBelow(modal) : nullptr;
    if (!below || !below->isVisible())
        return active->grab().save(fileName, "PNG");

    // The dialog over its window, where the operator sees it.
    QPixmap picture = below->grab();
    QPainter painter(&picture);
    const QPoint at = below->mapFromGlobal(modal->mapToGlobal(QPoint(0, 0)));
    painter.fillRect(QRect(at, modal->size()).adjusted(2, 2, 2, 2), QColor(0, 0, 0, 60));
    painter.drawPixmap(at, modal->grab());
    painter.end();
    return picture.save(fileName, "PNG");
}

#include "SystemColors.h"

#include <QGuiApplication>
#include <QPalette>

namespace host {

QColor clInfoBk()
{
    return QGuiApplication::palette().color(QPalette::Active, QPalette::ToolTipBase);
}

QColor clBtnFace()
{
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Button);
}

QColor clActiveCaption()
{
    return QGuiApplication::palette().color(QPalette::Active, QPalette::Highlight);
}

QColor clInactiveCaption()
{
    return QColor(0xD4, 0xD0, 0xC8);
}

QColor TColorToQColor(quint32 color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

} // namespace host

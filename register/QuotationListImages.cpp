#include "QuotationListImages.h"

#include "host/widgets/SystemColors.h"

#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace module::ListImages {

namespace {

constexpr int kSize = 16;

// A 16x16 picture painted by `paint` over the transparent colour, without antialiasing
// near the edges so that no pixel blends with the background colour.
QImage picture(const std::function<void(QPainter&)>& paint)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(transparentColor());
    QPainter painter(&image);
    paint(painter);
    return image;
}

QImage drawAlert()
{
    return picture([](QPainter& p) {
        QPainterPath triangle;
        triangle.moveTo(7.5, 1);
        triangle.lineTo(15, 14);
        triangle.lineTo(0, 14);
        triangle.closeSubpath();
        p.fillPath(triangle, QColor(255, 204, 0));
        p.setPen(QColor(120, 80, 0));
        p.drawPath(triangle);
        p.fillRect(QRect(7, 5, 2, 5), Qt::black);
        p.fillRect(QRect(7, 11, 2, 2), Qt::black);
    });
}

QImage drawEmail()
{
    return picture([](QPainter& p) {
        const QRect envelope(1, 3, 14, 10);
        p.fillRect(envelope, Qt::white);
        p.setPen(QColor(40, 70, 140));
        p.drawRect(envelope);
        p.drawLine(1, 3, 8, 9);
        p.drawLine(15, 3, 8, 9);
    });
}

QImage drawNet()
{
    return picture([](QPainter& p) {
        const QRect globe(1, 1, 13, 13);
        p.setBrush(QColor(70, 140, 220));
        p.setPen(QColor(20, 60, 130));
        p.drawEllipse(globe);
        p.setBrush(Qt::NoBrush);
        p.setPen(QColor(220, 240, 255));
        p.drawEllipse(QRect(5, 1, 5, 13));
        p.drawLine(2, 7, 13, 7);
        p.drawLine(3, 4, 12, 4);
        p.drawLine(3, 10, 12, 10);
    });
}

QImage drawBox(bool checked)
{
    return picture([checked](QPainter& p) {
        const QRect box(2, 2, 11, 11);
        p.fillRect(box, Qt::white);
        p.setPen(QColor(60, 60, 60));
        p.drawRect(box);
        if (!checked)
            return;
        QPen tick(QColor(0, 110, 0));
        tick.setWidth(2);
        p.setPen(tick);
        p.drawLine(4, 7, 6, 10);
        p.drawLine(6, 10, 11, 4);
    });
}

} // namespace

QColor transparentColor()
{
    return host::TColorToQColor(0x008080);
}

const QImage& imgAlert()
{
    static const QImage image = drawAlert();
    return image;
}

const QImage& imgEmail()
{
    static const QImage image = drawEmail();
    return image;
}

const QImage& imgNet()
{
    static const QImage image = drawNet();
    return image;
}

const QImage& imgChecked()
{
    static const QImage image = drawBox(true);
    return image;
}

const QImage& imgUnChecked()
{
    static const QImage image = drawBox(false);
    return image;
}

const QImage* collectionTypeImage(const QString& type)
{
    const QString t = type.trimmed();
    if (t.isEmpty() || t == QLatin1String("L"))
        return &imgAlert();
    if (t == QLatin1String("E"))
        return &imgEmail();
    if (t == QLatin1String("W"))
        return &imgNet();
    return nullptr;
}

} // namespace module::ListImages

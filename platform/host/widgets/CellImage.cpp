#include "CellImage.h"

#include <QPainter>

namespace host {

QImage withTransparentColor(const QImage& image, const QColor& transparent)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = transparent.rgb() & RGB_MASK;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
    }
    return out;
}

void InsereImagem(QPainter& painter, const QRect& cell, const QImage& image,
                  const QColor& transparent)
{
    if (image.isNull() || !cell.isValid())
        return;
    QImage picture = withTransparentColor(image, transparent);
    if (picture.width() > cell.width() || picture.height() > cell.height())
        picture = picture.scaled(cell.size(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
    const QPoint topLeft(cell.left() + (cell.width() - picture.width()) / 2,
                         cell.top() + (cell.height() - picture.height()) / 2);
    painter.drawImage(topLeft, picture);
}

void InsereImagem(QPainter& painter, const QRect& cell, const QPixmap& picture,
                  const QColor& transparent)
{
    InsereImagem(painter, cell, picture.toImage(), transparent);
}

} // namespace host

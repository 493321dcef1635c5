#pragma once

// Pictures in grid cells (InsereImagem): the screens keep small bitmaps whose background
// is painted in one "transparent" colour; that colour is left out when the picture is drawn.

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QRect>

class QPainter;

namespace host {

// The picture with every pixel of `transparent` made fully transparent.
QImage withTransparentColor(const QImage& image, const QColor& transparent);

// Draws the picture centred in the cell, leaving out the transparent colour; a picture
// larger than the cell is scaled down to fit, keeping its proportions.
void InsereImagem(QPainter& painter, const QRect& cell, const QImage& image,
                  const QColor& transparent);
void InsereImagem(QPainter& painter, const QRect& cell, const QPixmap& picture,
                  const QColor& transparent);

} // namespace host

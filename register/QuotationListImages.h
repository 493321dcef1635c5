#pragma once

// The small pictures of the quotation list: how each quotation was sent to its suppliers
// (alert: not sent yet, e-mail, web) and the check box of the "Lista" column. Each is
// drawn on a background of the transparent colour, which the grid leaves out.

#include <QColor>
#include <QImage>

namespace module::ListImages {

// The transparent colour of the pictures ($008080: red 128, green 128, blue 0).
QColor transparentColor();

const QImage& imgAlert();
const QImage& imgEmail();
const QImage& imgNet();
const QImage& imgChecked();
const QImage& imgUnChecked();

// The picture of a collection type (IDTIPCOLREG): "L" or empty the alert, "E" the e-mail,
// "W" the web; nullptr for any other type (e.g. "G", priced on the worksheet).
const QImage* collectionTypeImage(const QString& type);

} // namespace module::ListImages

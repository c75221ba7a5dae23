#pragma once

#include <QPixmap>
#include <QString>

// A picture drawn from one of the program's SVG resources at an exact size.
QPixmap svgPicture(const QString& resource, const QSize& size);

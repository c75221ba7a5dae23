#pragma once

#include <QByteArray>
#include <QImage>

// A QR code of the text, one pixel a module, dark on light with the quiet
// border scanners need; a null image when the text does not fit one.
// Scale it without smoothing.
QImage qrCodeImage(const QByteArray& text);

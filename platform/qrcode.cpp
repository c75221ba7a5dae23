#include "qrcode.h"

#include <qrencode.h>

#include <memory>

namespace {
constexpr int QuietModules = 4;

struct QrFree
{
    void operator()(QRcode* code) const { QRcode_free(code); }
};
} // namespace

QImage qrCodeImage(const QByteArray& text)
{
    // Level M: a code read from the back of a hall stays readable with a
    // part of it in glare.
    const std::unique_ptr<QRcode, QrFree> code(
        QRcode_encodeString8bit(text.constData(), 0, QR_ECLEVEL_M));
    if (!code)
        return {};
    const int side = code->width + 2 * QuietModules;
    QImage image(side, side, QImage::Format_Grayscale8);
    image.fill(255);
    for (int y = 0; y < code->width; ++y) {
        uchar* line = image.scanLine(y + QuietModules);
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                line[x + QuietModules] = 0;
    }
    return image;
}

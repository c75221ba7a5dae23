#include "halllayout.h"

#include <QFontMetrics>
#include <QFontMetricsF>

#include <cmath>

using namespace Qt::StringLiterals;

namespace {
// The text's ink at 100 pixels, to scale from.
QRectF inkAt100(const QFont& family, const QString& text)
{
    return QFontMetricsF(HallLayout::font(family, 100)).tightBoundingRect(text);
}

// The largest pixel size at which text fits a box, within a share of it.
int fitting(const QFont& family, const QString& text, QSizeF box, qreal share)
{
    const QRectF ink = inkAt100(family, text);
    if (ink.width() <= 0 || ink.height() <= 0)
        return 1;
    const qreal byWidth = box.width() * share * 100 / ink.width();
    const qreal byHeight = box.height() * share * 100 / ink.height();
    return std::max(1, int(std::floor(std::min(byWidth, byHeight))));
}
} // namespace

QFont HallLayout::family()
{
    return QFont(u"Arial"_s);
}

QFont HallLayout::font(const QFont& family, int pixels)
{
    QFont f = family;
    f.setBold(true);
    f.setPixelSize(std::max(1, pixels));
    return f;
}

QString HallLayout::invitationText()
{
    return u"Suivez le tirage sur votre téléphone"_s;
}

HallLayout HallLayout::compute(QSize size, const QFont& family, bool invitation)
{
    HallLayout l;
    const int fullWidth = std::max(size.width(), 160);
    int w = fullWidth;
    const int h = std::max(size.height(), 120);
    // The header's text follows the smaller side: a tall, narrow window must
    // not get a title too wide for it.
    const int base = std::min(h, w * 9 / 16);
    const int m = std::max(4, base / 60);
    // The header reads from the back of the hall as the board does: at least
    // a twentieth of the height, on a wide screen as on a 4:3 one; a window
    // taller than that is measured by its width.
    const int readable = std::min(h, w * 3 / 4);
    l.headerFloor = int(std::ceil(readable / 20.0));
    l.titlePixels = int(std::ceil(readable * 0.055));
    const int line = int(std::ceil(QFontMetricsF(font(family, l.titlePixels)).height()));
    const int header = 2 * line;
    // The code, its two lines of invitation above and the address below,
    // in a column of its own under the header; the rest keeps its proportions.
    int qrSide = 0;
    if (invitation) {
        qrSide = std::min(h - 2 * m - header - 3 * line - 2 * m, fullWidth * 34 / 100);
        qrSide = std::max(qrSide, 0);
        w = fullWidth - qrSide - 2 * m;
    }

    // The big number: digits 62 % of the height, unless that leaves the board
    // less than 40 % of the width (a narrow window).
    const QRectF ink = inkAt100(family, u"88"_s);
    int numberPixels = int(std::ceil(h * 0.62 * 100 / ink.height()));
    qreal numberWidth = ink.width() * numberPixels / 100 * 1.04;
    const qreal widest = w * 0.6 - 3 * m;
    if (numberWidth > widest) {
        numberPixels = int(numberPixels * widest / numberWidth);
        numberWidth = widest;
    }
    l.numberPixels = numberPixels;
    const int numberTop = m + header;
    const int numberHeight = h * 66 / 100;
    l.number = QRect(m, numberTop, int(numberWidth), numberHeight);

    l.title = QRect(m, m, fullWidth - 2 * m, line);
    l.programme = QRect(m, m + line, fullWidth - 2 * m, line);
    l.count = l.title;

    const int fiveTop = numberTop + numberHeight + m;
    const int fiveHeight = h - m - fiveTop;
    const int fiveWidth = (l.number.width() - 4 * m) / 5;
    for (int k = 0; k < 5; ++k)
        l.lastFive[static_cast<std::size_t>(k)] =
            QRect(m + k * (fiveWidth + m), fiveTop, fiveWidth, fiveHeight);
    l.lastFivePixels = fitting(family, u"88"_s, QSizeF(fiveWidth, fiveHeight), 0.7);

    const int boardLeft = l.number.right() + 2 * m;
    l.board = QRect(boardLeft, numberTop, w - m - boardLeft, h - m - numberTop);
    const int gap = std::max(2, m / 3);
    const qreal cellWidth = (l.board.width() + gap) / 10.0;
    const qreal cellHeight = (l.board.height() + gap) / 9.0;
    for (int n = 1; n <= 90; ++n) {
        const int row = (n - 1) / 10;
        const int column = (n - 1) % 10;
        l.cells[static_cast<std::size_t>(n - 1)] =
            QRect(int(boardLeft + column * cellWidth), int(numberTop + row * cellHeight),
                  int(cellWidth) - gap, int(cellHeight) - gap);
    }
    l.boardPixels = fitting(family, u"88"_s, QSizeF(cellWidth - gap, cellHeight - gap), 0.85);

    l.win = QRect(m, numberTop, w - 2 * m, h - m - numberTop);
    if (invitation) {
        const int left = w + m;
        const int width = fullWidth - m - left;
        l.invitationLines = QRect(left, numberTop, width, 2 * line);
        // On two lines at most, as large as the header, smaller if it must.
        l.invitationPixels = l.titlePixels;
        while (l.invitationPixels > 8 &&
               QFontMetrics(font(family, l.invitationPixels))
                       .boundingRect(l.invitationLines, Qt::TextWordWrap, invitationText())
                       .height() > l.invitationLines.height())
            --l.invitationPixels;
        l.qrCode = QRect(left, numberTop + 2 * line + m, width, qrSide);
        l.address = QRect(left, l.qrCode.bottom() + m, width, line);
    }
    return l;
}

HallLayout::FittedLine HallLayout::fitLine(const QFont& family, const QString& text, int width,
                                           int pixels, int floor)
{
    floor = std::min(floor, pixels);
    for (int size = pixels; size > floor; --size)
        if (QFontMetrics(font(family, size)).horizontalAdvance(text) <= width)
            return {text, size};
    const QFontMetrics metrics(font(family, floor));
    return {metrics.elidedText(text, Qt::ElideRight, std::max(0, width)), floor};
}

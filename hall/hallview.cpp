#include "hallview.h"

#include "game/drawseries.h"
#include "platform/counttext.h"
#include "platform/qrcode.h"

#include <QAccessible>
#include <QPainter>

using namespace Qt::StringLiterals;

namespace {
QString drawnText(int count)
{
    return countText(count, u"numéro tiré"_s, u"numéros tirés"_s);
}

void drawCell(QPainter& p, const QRect& r, const QColor& fill, const QColor& ink,
              const QString& text)
{
    p.fillRect(r, fill);
    p.setPen(ink);
    p.drawText(r, Qt::AlignCenter, text);
}
} // namespace

HallView::HallView(const DrawSeries& series, QWidget* parent)
    : QWidget(parent), m_series(series), m_theme(HallTheme::of(m_themeName))
{
    setObjectName(u"VueSalle"_s);
    setFont(HallLayout::family());
    // The players see numbers, not the operator's pointer.
    setCursor(Qt::BlankCursor);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&series, &DrawSeries::changed, this, &HallView::onSeriesChanged);
    onSeriesChanged();
}

void HallView::setTheme(HallThemeName name)
{
    m_themeName = name;
    m_theme = HallTheme::of(name);
    update();
}

QString HallView::spokenState() const
{
    const QList<int>& out = m_series.state().sequence();
    if (out.isEmpty())
        return m_invitation.isEmpty() ? u"Aucun numéro tiré"_s
                                      : u"Aucun numéro tiré, "_s + HallLayout::invitationText() +
                                            u" : "_s + m_invitation;
    QString spoken =
        u"Numéro "_s + QString::number(out.last()) + u", "_s + drawnText(int(out.size()));
    // What the hall reads at the top: the game played, or its winners.
    if (!m_series.file().title.isEmpty())
        spoken += u", "_s + m_series.hallLine();
    if (!m_organiserName.isEmpty())
        spoken += u", "_s + m_organiserName;
    if (!m_invitation.isEmpty())
        spoken += u", "_s + HallLayout::invitationText() + u" : "_s + m_invitation;
    return spoken;
}

void HallView::setOrganiserName(const QString& name)
{
    m_organiserName = name;
    onSeriesChanged();
}

void HallView::setInvitation(const QString& address)
{
    if (address == m_invitation)
        return;
    m_invitation = address;
    m_qrCode = address.isEmpty() ? QImage() : qrCodeImage(address.toUtf8());
    m_layout = HallLayout::compute(size(), font(), !m_invitation.isEmpty());
    onSeriesChanged();
}

void HallView::onSeriesChanged()
{
    setAccessibleName(u"Écran de la salle : "_s + spokenState());
    update();
}

void HallView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_layout = HallLayout::compute(size(), font(), !m_invitation.isEmpty());
}

void HallView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), m_theme.background);
    paintHeader(p);
    paintInvitation(p);
    if (m_series.shownWin()) {
        paintWin(p);
        return;
    }
    paintNumber(p);
    paintBoard(p);
}

void HallView::paintHeader(QPainter& p) const
{
    p.setFont(HallLayout::font(font(), m_layout.titlePixels));
    p.setPen(m_theme.text);
    // The count is never cut: the title gives way to it.
    const QString count = drawnText(m_series.state().count());
    p.drawText(m_layout.count, Qt::AlignRight | Qt::AlignVCenter, count);
    const QString& title = m_series.file().title;
    // The draw's title first: when the line is short, the organiser's name gives way.
    const QString heading = m_organiserName.isEmpty() ? title
                            : title.isEmpty()         ? m_organiserName
                                                      : title + u" - "_s + m_organiserName;
    if (heading.isEmpty())
        return;
    const int room = m_layout.title.width() - p.fontMetrics().horizontalAdvance(count + u"   "_s);
    const auto line = [&](const QRect& where, const QString& text, int width) {
        const HallLayout::FittedLine fitted =
            HallLayout::fitLine(font(), text, width, m_layout.titlePixels, m_layout.headerFloor);
        p.setFont(HallLayout::font(font(), fitted.pixels));
        p.drawText(where, Qt::AlignLeft | Qt::AlignVCenter, fitted.text);
    };
    line(m_layout.title, heading, room);
    if (title.isEmpty())
        return;
    line(m_layout.programme, m_series.hallLine(), m_layout.programme.width());
}

void HallView::paintNumber(QPainter& p) const
{
    const QList<int>& out = m_series.state().sequence();
    if (!out.isEmpty()) {
        p.setFont(HallLayout::font(font(), m_layout.numberPixels));
        p.setPen(m_theme.number);
        p.drawText(m_layout.number, Qt::AlignCenter, QString::number(out.last()));
    }
    p.setFont(HallLayout::font(font(), m_layout.lastFivePixels));
    const auto& five = m_series.state().lastFive();
    for (std::size_t k = 0; k < five.size(); ++k) {
        const bool newest = k == 0 && !five[k].isEmpty();
        drawCell(p, m_layout.lastFive[k], newest ? m_theme.cellOn : m_theme.cellOff,
                 newest ? m_theme.cellOnText : m_theme.text, five[k]);
    }
}

void HallView::paintBoard(QPainter& p) const
{
    p.setFont(HallLayout::font(font(), m_layout.boardPixels));
    const DrawState& state = m_series.state();
    for (int n = 1; n <= DrawState::Numbers; ++n) {
        const bool out = state.isDrawn(n);
        drawCell(p, m_layout.cells[static_cast<std::size_t>(n - 1)],
                 out ? m_theme.cellOn : m_theme.cellOff,
                 out ? m_theme.cellOnText : m_theme.cellOffText, QString::number(n));
    }
}

void HallView::paintWin(QPainter& p) const
{
    const ShownWin& win = *m_series.shownWin();
    const QRect area = m_layout.win;
    const QRect caption(area.left(), area.top(), area.width(), area.height() / 5);
    const int gap = std::max(2, area.height() / 120);
    const qreal cw = (area.width() + gap) / 9.0;
    const qreal ch = (area.height() - caption.height() + gap) / 3.0;
    // Once validated, what it won says it all: the grid, the phase, the prize.
    const QString heading = win.validated.isEmpty() ? win.title : win.validated;
    const int flags = Qt::AlignCenter | Qt::TextWordWrap;
    int pixels = int(caption.height() * 0.45);
    p.setFont(HallLayout::font(font(), pixels));
    while (pixels > 8 && !caption.contains(p.fontMetrics().boundingRect(caption, flags, heading))) {
        pixels = pixels * 9 / 10;
        p.setFont(HallLayout::font(font(), pixels));
    }
    p.setPen(win.validated.isEmpty() ? m_theme.text : m_theme.marked);
    p.drawText(caption, flags, heading);
    p.setFont(HallLayout::font(font(), int(std::min(cw, ch) * 0.5)));
    for (int i = 1; i <= 27; ++i) {
        const int row = (i - 1) / 9;
        const int column = (i - 1) % 9;
        const QRect r(int(area.left() + column * cw), int(caption.bottom() + row * ch),
                      int(cw) - gap, int(ch) - gap);
        const QString& text = win.cells[static_cast<std::size_t>(i - 1)];
        const bool marked = win.marked.contains(i);
        drawCell(p, r,
                 marked ? m_theme.marked : (text.isEmpty() ? m_theme.background : m_theme.cellOff),
                 marked ? m_theme.markedText : m_theme.text, text);
    }
}

void HallView::paintInvitation(QPainter& p) const
{
    if (m_invitation.isEmpty())
        return;
    p.setPen(m_theme.text);
    p.setFont(HallLayout::font(font(), m_layout.invitationPixels));
    p.drawText(m_layout.invitationLines, Qt::AlignCenter | Qt::TextWordWrap,
               HallLayout::invitationText());
    // Whole pixels a module, dark on light whatever the theme: every phone
    // reads that, and smoothing would blur the modules' edges.
    if (!m_qrCode.isNull()) {
        const int module = std::max(1, m_layout.qrCode.width() / m_qrCode.width());
        const int side = module * m_qrCode.width();
        const QRect target(m_layout.qrCode.left() + (m_layout.qrCode.width() - side) / 2,
                           m_layout.qrCode.top() + (m_layout.qrCode.height() - side) / 2, side,
                           side);
        p.drawImage(target, m_qrCode);
    }
    const HallLayout::FittedLine address = HallLayout::fitLine(
        font(), m_invitation, m_layout.address.width(), m_layout.invitationPixels, 1);
    p.setFont(HallLayout::font(font(), address.pixels));
    p.drawText(m_layout.address, Qt::AlignCenter, address.text);
}

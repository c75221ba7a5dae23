#include "panellabel.h"

#include <QFontMetricsF>

using namespace Qt::StringLiterals;

QLabel* makePanelLabel(QWidget* parent, const QString& name, const QColor& background,
                       const QColor& text, bool bold, bool bordered)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    label->setPalette(palette);
    QFont font(u"Arial"_s);
    font.setBold(bold);
    label->setFont(font);
    if (bordered) {
        // A sunken edge drawn in the palette's shades, not in the text colour.
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setLineWidth(1);
    }
    return label;
}

void fitTwoDigits(QLabel* label, int designPixels)
{
    QFont font = label->font();
    font.setPixelSize(100);
    const qreal widthAt100 = QFontMetricsF(font).horizontalAdvance(QStringLiteral("88"));
    const qreal room = label->width() * 0.92;
    const int fitPixels = widthAt100 > 0 ? int(100 * room / widthAt100) : designPixels;
    font.setPixelSize(std::max(1, std::min(designPixels, fitPixels)));
    label->setFont(font);
}

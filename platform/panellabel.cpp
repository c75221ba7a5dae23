#include "panellabel.h"

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

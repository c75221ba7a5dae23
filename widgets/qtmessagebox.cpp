#include "platform/messagebox.h"

#include "platform/busypointer.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QSpacerItem>

#include <QPushButton>
#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// What the icon says, for whoever does not see it.
QString iconName(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return u"Erreur"_s;
    case MsgIcon::Question:
        return u"Question"_s;
    case MsgIcon::Exclamation:
        return u"Avertissement"_s;
    case MsgIcon::Information:
        break;
    }
    return u"Information"_s;
}

QMessageBox::Icon toQt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Question:
        return QMessageBox::Question;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        break;
    }
    return QMessageBox::Information;
}

// Qt wraps a box's text at half the screen's width; on a small screen that
// breaks lines the text already cuts where it wants. A spacer as wide as the
// longest line keeps them whole, as far as the screen allows.
void keepLinesWhole(QMessageBox& box, const QString& text, const QWidget* parent)
{
    auto* layout = qobject_cast<QGridLayout*>(box.layout());
    auto* label = box.findChild<QLabel*>(u"qt_msgbox_label"_s);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (!layout || !label || !screen || layout->indexOf(label) < 0)
        return;
    int row = 0, column = 0, rows = 0, columns = 0;
    layout->getItemPosition(layout->indexOf(label), &row, &column, &rows, &columns);
    const QFontMetrics metrics(label->font());
    int longest = 0;
    for (const QString& line : text.split(u'\n'))
        longest =
            std::max(longest, metrics.horizontalAdvance(line) + 2 * metrics.averageCharWidth());
    const int room = screen->availableGeometry().width() - 120; // icon and margins
    layout->addItem(new QSpacerItem(std::min(longest, room), 0), layout->rowCount(), column);
}
} // namespace

MsgAnswer QtMessageBox::show(QWidget* parent, const MessageRequest& request)
{
    const ArrowWhileAsking arrow;
    QMessageBox box(toQt(request.icon), request.title, request.text, QMessageBox::NoButton, parent);
    // It blocks the screen it belongs to, not the help window beside it.
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    keepLinesWhole(box, request.text, parent);
    if (auto* icon = box.findChild<QLabel*>(u"qt_msgboxex_icon_label"_s))
        icon->setAccessibleName(iconName(request.icon));
    if (request.buttons == MsgButtons::Ok) {
        QPushButton* ok = box.addButton(u"OK"_s, QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.exec();
        return MsgAnswer::Ok;
    }
    QPushButton* yes = box.addButton(u"&Oui"_s, QMessageBox::YesRole);
    QPushButton* no = box.addButton(u"&Non"_s, QMessageBox::NoRole);
    box.setDefaultButton(request.defaultAnswer == MsgAnswer::No ? no : yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes ? MsgAnswer::Yes : MsgAnswer::No;
}

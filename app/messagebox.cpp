#include "messagebox.h"

#include "busypointer.h"

#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {
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
} // namespace

MsgAnswer QtMessageBox::show(QWidget* parent, const MessageRequest& request)
{
    const ArrowWhileAsking arrow;
    QMessageBox box(toQt(request.icon), request.title, request.text, QMessageBox::NoButton, parent);
    // It blocks the screen it belongs to, not the help window beside it.
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
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

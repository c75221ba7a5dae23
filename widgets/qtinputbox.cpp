#include "platform/inputbox.h"

#include "platform/busypointer.h"

#include <QInputDialog>

using namespace Qt::StringLiterals;

std::optional<QString> QtInputBox::ask(QWidget* parent, const QString& title, const QString& prompt,
                                       const QString& defaultText)
{
    const ArrowWhileAsking arrow;
    QInputDialog dialog(parent);
    // It blocks the screen it belongs to, not the help window beside it.
    dialog.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    dialog.setWindowTitle(title);
    dialog.setLabelText(prompt);
    dialog.setTextValue(defaultText);
    dialog.setOkButtonText(u"OK"_s);
    dialog.setCancelButtonText(u"Annuler"_s);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

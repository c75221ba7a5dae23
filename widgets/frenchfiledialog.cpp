#include "frenchfiledialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QLabel>

using namespace Qt::StringLiterals;

void frenchFileDialog(QFileDialog& dialog, const QString& acceptLabel)
{
    dialog.setLabelText(QFileDialog::LookIn, u"Dossier :"_s);
    dialog.setLabelText(QFileDialog::FileName, u"Nom du fichier :"_s);
    dialog.setLabelText(QFileDialog::FileType, u"Type :"_s);
    dialog.setLabelText(QFileDialog::Accept, acceptLabel);
    dialog.setLabelText(QFileDialog::Reject, u"Annuler"_s);
    // On Linux a list's name is its chosen entry, and the label tied to it says what it is.
    const auto nameList = [&dialog](const QString& list, const QString& label,
                                    const QString& name) {
        auto* combo = dialog.findChild<QComboBox*>(list);
        if (!combo)
            return;
        combo->setAccessibleName(name);
        if (auto* caption = dialog.findChild<QLabel*>(label))
            caption->setBuddy(combo);
    };
    nameList(u"lookInCombo"_s, u"lookInLabel"_s, u"Dossier"_s);
    nameList(u"fileTypeCombo"_s, u"fileTypeLabel"_s, u"Type de fichier"_s);
}

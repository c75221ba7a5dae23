#include "savedialog.h"

#include <QFileDialog>

using namespace Qt::StringLiterals;

QString QtSaveDialog::ask(QWidget* parent, const QString& title, const QString& proposed,
                          const QString& filter)
{
    QFileDialog dialog(parent, title, proposed, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The caller asks about an existing file once it has settled the final name.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setLabelText(QFileDialog::LookIn, u"Dossier :"_s);
    dialog.setLabelText(QFileDialog::FileName, u"Nom du fichier :"_s);
    dialog.setLabelText(QFileDialog::FileType, u"Type :"_s);
    dialog.setLabelText(QFileDialog::Accept, u"&Enregistrer"_s);
    dialog.setLabelText(QFileDialog::Reject, u"Annuler"_s);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

#include "platform/savedialog.h"

#include "platform/messagebox.h"
#include "platform/param.h"
#include "widgets/frenchfiledialog.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QLabel>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

namespace {
// A file dialog records its folders and history in the user's QtProject.conf
// when it closes. Numerella keeps no settings, so while a dialog is open Qt's
// user settings live in a folder thrown away afterwards.
class ThrowawayUserSettings
{
public:
    ThrowawayUserSettings()
    {
        // No temporary folder means the temporary space refuses writes: a
        // folder there is out of reach too, and nothing gets written.
        point(m_folder.isValid() ? m_folder.path()
                                 : QDir::tempPath() + u"/numerella-no-settings"_s);
    }
    ~ThrowawayUserSettings()
    {
        // Qt's own place for user settings.
        point(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    ThrowawayUserSettings(const ThrowawayUserSettings&) = delete;
    ThrowawayUserSettings& operator=(const ThrowawayUserSettings&) = delete;

private:
    static void point(const QString& folder)
    {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    }

    QTemporaryDir m_folder;
};

// Qt's French catalogue leaves the type of a folder or a drive in English.
class FrenchFileTypes : public QFileIconProvider
{
public:
    QString type(const QFileInfo& info) const override
    {
        if (info.isRoot())
            return u"Disque"_s;
        if (info.isDir())
            return u"Dossier"_s;
        return QFileIconProvider::type(info);
    }
};
} // namespace

QString QtSaveDialog::ask(QWidget* parent, const QString& title, const QString& proposed,
                          const QString& filter)
{
    const ThrowawayUserSettings settings;
    FrenchFileTypes fileTypes;
    QFileDialog dialog(parent, title, proposed, filter);
    dialog.setIconProvider(&fileTypes);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    // The caller asks about an existing file once it has settled the final name.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    frenchFileDialog(dialog, u"&Enregistrer"_s);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QString SaveDialog::documentsFolder()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

bool SaveDialog::mayReplace(MessageBox& messages, QWidget* parent, const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    return messages.show(parent,
                         {MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::No, Param::AppTitle(),
                          u"Le fichier\n"_s + QDir::toNativeSeparators(path) +
                              u"\nexiste déjà.\n\nVoulez-vous le remplacer ?"_s}) == MsgAnswer::Yes;
}

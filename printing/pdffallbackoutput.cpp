#include "pdffallbackoutput.h"

#include "grids/gridfileerror.h"
#include "platform/atomicfile.h"
#include "platform/desktopshell.h"
#include "platform/param.h"
#include "platform/savedialog.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {
QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString withPdfExtension(const QString& path)
{
    return path.endsWith(u".pdf"_s, Qt::CaseInsensitive) ? path : path + u".pdf"_s;
}

// Whether a file of that name would land among the grid files or be the one
// printed, whatever link leads there. Case is ignored: GRILLES may sit on a
// disk that ignores it.
bool amongGridFiles(const QString& path, const PrintJob& job)
{
    const auto same = [](const QString& a, const QString& b) {
        return !a.isEmpty() && a.compare(b, Qt::CaseInsensitive) == 0;
    };
    const QString gridFolder = QFileInfo(job.gridFolder).canonicalFilePath();
    const QFileInfo chosen(path);
    if (same(QFileInfo(chosen.absolutePath()).canonicalFilePath(), gridFolder))
        return true;
    const QString existing = chosen.canonicalFilePath(); // empty for a new file
    return !existing.isEmpty() && (same(existing, QFileInfo(job.gridFile).canonicalFilePath()) ||
                                   same(QFileInfo(existing).absolutePath(), gridFolder));
}

// A PDF ends with its trailer; one cut short by a full disk does not.
bool isComplete(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.size() >= 64 && file.seek(file.size() - 64) &&
           file.read(64).contains("%%EOF");
}

} // namespace

PdfFallbackOutput::PdfFallbackOutput(MessageBox& messages, DesktopShell& shell, SaveDialog& dialog)
    : m_messages(messages), m_shell(shell), m_dialog(dialog)
{}

PdfFallbackOutput::~PdfFallbackOutput() = default;

MsgAnswer PdfFallbackOutput::say(QWidget* parent, MsgIcon icon, const QString& text,
                                 MsgButtons buttons, MsgAnswer defaultAnswer)
{
    return m_messages.show(parent, {icon, buttons, defaultAnswer, Param::AppTitle(), text});
}

bool PdfFallbackOutput::prepare(QPrinter& printer, QWidget* parent, const PrintJob& job)
{
    m_report = job.isDrawReport;
    const MsgAnswer answer = say(parent, MsgIcon::Question,
                                 u"Aucune imprimante n'est installée sur cet ordinateur.\n\n"
                                 "Voulez-vous enregistrer "_s +
                                     (!m_report                  ? u"les grilles"_s
                                      : job.reportName.isEmpty() ? u"le rapport du tirage"_s
                                                                 : job.reportName) +
                                     u" dans un fichier PDF,\n"
                                     "à imprimer plus tard sur un autre ordinateur ?"_s,
                                 MsgButtons::YesNo, MsgAnswer::Yes);
    if (answer != MsgAnswer::Yes || !chooseFile(parent, job))
        return false;
    return PdfFileOutput(m_file->scratchPath()).prepare(printer, parent, job);
}

bool PdfFallbackOutput::chooseFile(QWidget* parent, const PrintJob& job)
{
    const QString suggestion = SaveDialog::documentsFolder() + u'/' + job.pdfName;
    QString proposed = suggestion;
    for (;;) {
        const QString answer = m_dialog.ask(parent,
                                            m_report ? u"Enregistrer le rapport en PDF"_s
                                                     : u"Enregistrer les grilles en PDF"_s,
                                            proposed, u"Documents PDF (*.pdf)"_s);
        if (answer.isEmpty())
            return false;
        const QString path = QFileInfo(withPdfExtension(answer)).absoluteFilePath();
        proposed = suggestion;
        if (amongGridFiles(path, job)) {
            say(parent, MsgIcon::Exclamation,
                (m_report ? u"Le rapport ne peut pas être enregistré"_s
                          : u"Les grilles ne peuvent pas être enregistrées"_s) +
                    u" dans le dossier des fichiers de grilles :\n"_s + native(job.gridFolder) +
                    u"\n\nChoisissez un autre dossier, par exemple vos Documents."_s);
            continue;
        }
        if (const QString why = AtomicFile::refusal(path); !why.isEmpty()) {
            say(parent, MsgIcon::Exclamation,
                u"Le fichier PDF ne peut pas être enregistré sous le nom\n"_s + native(path) +
                    u"\n\nDétail : "_s + why +
                    u".\n\nChoisissez un autre nom ou un autre dossier."_s);
            continue;
        }
        if (!SaveDialog::mayReplace(m_messages, parent, path)) {
            proposed = path;
            continue;
        }
        auto file = std::make_unique<AtomicFile>(path);
        if (!file->open().isEmpty()) {
            say(parent, MsgIcon::Exclamation,
                u"Impossible d'enregistrer un fichier dans le dossier\n"_s +
                    native(QFileInfo(path).absolutePath()) +
                    u"\n\nVérifiez que vous avez le droit d'y écrire, ou choisissez un autre "
                    "dossier."_s);
            continue;
        }
        m_file = std::move(file);
        return true;
    }
}

void PdfFallbackOutput::deliver(QWidget* parent)
{
    const QString target = m_file->path();
    // The PDF writer says nothing of a full disk: the file itself must prove
    // it is whole before it replaces anything.
    if (!isComplete(m_file->scratchPath())) {
        discard();
        throw GridFileError(u"Le fichier PDF\n"_s + native(target) +
                            u"\nn'a pas pu être écrit en entier : le disque est peut-être plein."
                            "\n\nAucun fichier n'a été remplacé. Libérez de la place ou choisissez "
                            "un autre disque, puis recommencez."_s);
    }
    // Synced, then one step that replaces the old file, if any, with the complete one.
    const QString why = m_file->commit();
    m_file.reset();
    if (!why.isEmpty())
        throw GridFileError(u"Le fichier PDF n'a pas pu être enregistré sous le nom\n"_s +
                                native(target) + u"\n\nDétail : "_s + why,
                            why);
    const MsgAnswer open = say(
        parent, MsgIcon::Information,
        (m_report ? u"Le rapport a été enregistré"_s : u"Les grilles ont été enregistrées"_s) +
            u" dans le fichier :\n"_s + native(target) + u"\n\nVoulez-vous l'ouvrir maintenant ?"_s,
        MsgButtons::YesNo, MsgAnswer::Yes);
    if (open == MsgAnswer::Yes && !m_shell.open(target))
        say(parent, MsgIcon::Exclamation,
            u"Le fichier\n"_s + native(target) +
                u"\nn'a pas pu être ouvert.\n\nIl est bien enregistré : ouvrez-le depuis son "
                "dossier avec un lecteur de PDF."_s);
}

void PdfFallbackOutput::discard()
{
    m_file.reset();
}

#include "printeroutput.h"

#include "app/messagebox.h"
#include "app/param.h"

#include <QDir>
#include <QFileDialog>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

DefaultPrinterOutput::DefaultPrinterOutput(MessageBox& messages) : m_messages(messages) {}

bool DefaultPrinterOutput::prepare(QPrinter& printer, QWidget* parent)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    if (!defaultPrinter.isNull()) {
        printer.setPrinterName(defaultPrinter.printerName());
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setCopyCount(1);
        return true;
    }
    const MsgAnswer answer = m_messages.show(
        parent, {MsgIcon::Question, MsgButtons::YesNo, MsgAnswer::Yes, Param::AppTitle(),
                 u"Aucune imprimante n'est installée sur cet ordinateur.\n\n"
                 "Voulez-vous enregistrer les grilles dans un fichier PDF,\n"
                 "à imprimer plus tard sur un autre ordinateur ?"_s});
    if (answer != MsgAnswer::Yes)
        return false;
    const QString path = QFileDialog::getSaveFileName(parent, u"Enregistrer les grilles en PDF"_s,
                                                      QDir::homePath() + u"/grilles.pdf"_s,
                                                      u"Documents PDF (*.pdf)"_s);
    if (path.isEmpty())
        return false;
    return PdfFileOutput(path).prepare(printer, parent);
}

bool PdfFileOutput::prepare(QPrinter& printer, QWidget*)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_path);
    printer.setCopyCount(1);
    return true;
}

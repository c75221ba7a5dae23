#include "defaultprinteroutput.h"

#include "pdffallbackoutput.h"
#include "platform/param.h"
#include "platform/printers.h"

#include <QPrinter>

#include <utility>

using namespace Qt::StringLiterals;

DefaultPrinterOutput::DefaultPrinterOutput(MessageBox& messages, DesktopShell& shell,
                                           SaveDialog& dialog, Printers& printers)
    : m_messages(messages), m_printers(printers),
      m_pdf(std::make_unique<PdfFallbackOutput>(messages, shell, dialog))
{}

DefaultPrinterOutput::~DefaultPrinterOutput() = default;

bool DefaultPrinterOutput::prepare(QPrinter& printer, QWidget* parent, const PrintJob& job)
{
    m_sent.clear();
    m_toPdf = m_printers.defaultName().isEmpty();
    if (m_toPdf)
        return m_pdf->prepare(printer, parent, job);
    m_printers.useDefault(printer);
    if (!job.isDrawReport)
        return true;
    const QString chosen = m_printers.choose(printer, parent);
    if (chosen.isEmpty())
        return false;
    QString report = job.reportName.isEmpty() ? u"le rapport du tirage"_s : job.reportName;
    report[0] = report[0].toUpper();
    m_sent = report + u" a été envoyé à l'imprimante :\n"_s + chosen;
    if (printer.copyCount() > 1)
        m_sent += u" ("_s + QString::number(printer.copyCount()) + u" exemplaires)"_s;
    return true;
}

void DefaultPrinterOutput::deliver(QWidget* parent)
{
    if (m_toPdf)
        m_pdf->deliver(parent);
    else if (!m_sent.isEmpty())
        m_messages.show(parent, {MsgIcon::Information, MsgButtons::Ok, MsgAnswer::Ok,
                                 Param::AppTitle(), std::exchange(m_sent, QString())});
}

void DefaultPrinterOutput::discard()
{
    m_sent.clear();
    if (m_toPdf)
        m_pdf->discard();
}

bool PdfFileOutput::prepare(QPrinter& printer, QWidget*, const PrintJob&)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(m_path);
    printer.setCopyCount(1);
    return true;
}

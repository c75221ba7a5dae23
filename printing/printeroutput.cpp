#include "printeroutput.h"

#include "pdffallbackoutput.h"

#include <QPrinter>
#include <QPrinterInfo>

DefaultPrinterOutput::DefaultPrinterOutput(MessageBox& messages, DesktopShell& shell,
                                           SaveDialog& dialog)
    : m_pdf(std::make_unique<PdfFallbackOutput>(messages, shell, dialog))
{}

DefaultPrinterOutput::~DefaultPrinterOutput() = default;

bool DefaultPrinterOutput::prepare(QPrinter& printer, QWidget* parent, const PrintJob& job)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    m_toPdf = defaultPrinter.isNull();
    if (m_toPdf)
        return m_pdf->prepare(printer, parent, job);
    printer.setPrinterName(defaultPrinter.printerName());
    printer.setOutputFormat(QPrinter::NativeFormat);
    // The paper the printer is set up for: Qt would otherwise start on A4
    // whenever the printer knows A4, whatever is in its tray.
    printer.setPageSize(defaultPrinter.defaultPageSize());
    printer.setCopyCount(1);
    return true;
}

void DefaultPrinterOutput::deliver(QWidget* parent)
{
    if (m_toPdf)
        m_pdf->deliver(parent);
}

void DefaultPrinterOutput::discard()
{
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

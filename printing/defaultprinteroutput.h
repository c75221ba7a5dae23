#pragma once

#include "platform/printeroutput.h"

#include <QString>

#include <memory>

class DesktopShell;
class MessageBox;
class PdfFallbackOutput;
class Printers;
class SaveDialog;

// The default printer, or, on a machine without one, a PDF file the
// organiser names. Grids go straight to the default printer; a report goes
// where the organiser says in the print dialog, and is said to have gone there.
class DefaultPrinterOutput : public PrinterOutput
{
public:
    DefaultPrinterOutput(MessageBox& messages, DesktopShell& shell, SaveDialog& dialog,
                         Printers& printers);
    ~DefaultPrinterOutput() override;
    bool prepare(QPrinter& printer, QWidget* parent, const PrintJob& job) override;
    void deliver(QWidget* parent) override;
    void discard() override;

private:
    MessageBox& m_messages;
    Printers& m_printers;
    std::unique_ptr<PdfFallbackOutput> m_pdf;
    bool m_toPdf = false;
    QString m_sent; // once a report is sent: what it went to, in French
};

class PdfFileOutput : public PrinterOutput
{
public:
    explicit PdfFileOutput(QString path) : m_path(std::move(path)) {}
    bool prepare(QPrinter& printer, QWidget* parent, const PrintJob& job) override;
    const QString& path() const { return m_path; }

private:
    QString m_path;
};

#pragma once

#include "platform/printeroutput.h"

#include <QString>

#include <memory>

class DesktopShell;
class MessageBox;
class PdfFallbackOutput;
class SaveDialog;

// The default printer, or, on a machine without one, a PDF file the
// organiser names.
class DefaultPrinterOutput : public PrinterOutput
{
public:
    DefaultPrinterOutput(MessageBox& messages, DesktopShell& shell, SaveDialog& dialog);
    ~DefaultPrinterOutput() override;
    bool prepare(QPrinter& printer, QWidget* parent, const PrintJob& job) override;
    void deliver(QWidget* parent) override;
    void discard() override;

private:
    std::unique_ptr<PdfFallbackOutput> m_pdf;
    bool m_toPdf = false;
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

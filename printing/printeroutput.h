#pragma once

#include <QString>

#include <memory>

class DesktopShell;
class MessageBox;
class PdfFallbackOutput;
class QPrinter;
class QWidget;
class SaveDialog;

// What is printed, for an output that saves it to a file.
struct PrintJob
{
    QString gridFile;   // the grid file printed
    QString gridFolder; // GRILLES, where only grid files belong
    QString pdfName;    // the name proposed for a saved copy
};

// Where a report goes. The program prints one copy on the default printer;
// tests send it to a PDF file.
class PrinterOutput
{
public:
    virtual ~PrinterOutput() = default;
    // Sets the printer up; false when the organiser gave the print up.
    virtual bool prepare(QPrinter& printer, QWidget* parent, const PrintJob& job) = 0;
    // The report is complete and the printer has let go of it. Throws
    // GridFileError when what was made cannot be put in place.
    virtual void deliver(QWidget*) {}
    // After prepare(), when no report is to come of it: nothing half made stays.
    virtual void discard() {}
};

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

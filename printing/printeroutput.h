#pragma once

#include <QString>

class MessageBox;
class QPrinter;
class QWidget;

// Where a report goes. The program prints one copy on the default printer;
// tests send it to a PDF file.
class PrinterOutput
{
public:
    virtual ~PrinterOutput() = default;
    // Sets the printer up; false when the organiser gave the print up.
    virtual bool prepare(QPrinter& printer, QWidget* parent) = 0;
};

// The default printer, or, on a machine without one, a PDF file the
// organiser names.
class DefaultPrinterOutput : public PrinterOutput
{
public:
    explicit DefaultPrinterOutput(MessageBox& messages);
    bool prepare(QPrinter& printer, QWidget* parent) override;

private:
    MessageBox& m_messages;
};

class PdfFileOutput : public PrinterOutput
{
public:
    explicit PdfFileOutput(QString path) : m_path(std::move(path)) {}
    bool prepare(QPrinter& printer, QWidget* parent) override;
    const QString& path() const { return m_path; }

private:
    QString m_path;
};

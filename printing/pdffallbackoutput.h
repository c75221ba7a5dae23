#pragma once

#include "defaultprinteroutput.h"
#include "platform/messagebox.h"

#include <memory>

class AtomicFile;
class DesktopShell;
class SaveDialog;

// On a computer without a printer: the report saved as a PDF the organiser
// names, to print later on another one. The PDF is written under a scratch
// name beside the chosen one and takes that name only once complete, so a
// print that fails leaves nothing half made and replaces nothing.
class PdfFallbackOutput : public PrinterOutput
{
public:
    PdfFallbackOutput(MessageBox& messages, DesktopShell& shell, SaveDialog& dialog);
    ~PdfFallbackOutput() override;
    bool prepare(QPrinter& printer, QWidget* parent, const PrintJob& job) override;
    void deliver(QWidget* parent) override;
    void discard() override;

private:
    MsgAnswer say(QWidget* parent, MsgIcon icon, const QString& text,
                  MsgButtons buttons = MsgButtons::Ok, MsgAnswer defaultAnswer = MsgAnswer::Ok);
    bool chooseFile(QWidget* parent, const PrintJob& job);

    MessageBox& m_messages;
    DesktopShell& m_shell;
    SaveDialog& m_dialog;
    std::unique_ptr<AtomicFile> m_file; // the PDF, under a scratch name until complete
    bool m_report = false;
};

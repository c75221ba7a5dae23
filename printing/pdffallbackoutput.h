#pragma once

#include "platform/messagebox.h"
#include "printeroutput.h"

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
    bool prepare(QPrinter& printer, QWidget* parent, const PrintJob& job) override;
    void deliver(QWidget* parent) override;
    void discard() override;

private:
    MsgAnswer say(QWidget* parent, MsgIcon icon, const QString& text,
                  MsgButtons buttons = MsgButtons::Ok, MsgAnswer defaultAnswer = MsgAnswer::Ok);
    bool chooseFile(QWidget* parent, const PrintJob& job);
    bool reserveScratch(const QString& target);

    MessageBox& m_messages;
    DesktopShell& m_shell;
    SaveDialog& m_dialog;
    QString m_target;  // the PDF, once complete
    QString m_scratch; // where it is written meanwhile
    bool m_report = false;
};

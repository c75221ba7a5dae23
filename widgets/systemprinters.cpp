#include "platform/printers.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

using namespace Qt::StringLiterals;

namespace {
// Qt's French catalogue leaves two-sided printing and the help on pages in
// English, and calls the choice of pages "the selection".
void finishInFrench(QPrintDialog& dialog)
{
    const auto title = [&dialog](const QString& box, const QString& text) {
        if (auto* found = dialog.findChild<QGroupBox*>(box))
            found->setTitle(text);
    };
    const auto caption = [&dialog](const QString& button, const QString& text) {
        if (auto* found = dialog.findChild<QAbstractButton*>(button))
            found->setText(text);
    };
    title(u"duplex"_s, u"Recto verso"_s);
    title(u"gbPrintRange"_s, u"Pages à imprimer"_s);
    caption(u"noDuplex"_s, u"Non"_s);
    caption(u"duplexLong"_s, u"Reliure bord long"_s);
    caption(u"duplexShort"_s, u"Reliure bord court"_s);
    if (auto* pages = dialog.findChild<QWidget*>(u"pagesLineEdit"_s))
        pages->setToolTip(u"Des pages ou des groupes de pages séparés par des virgules ; un "
                          "groupe va d'une page à une autre, séparées par un tiret. Par exemple, "
                          "3,5-7,9 imprime les pages 3, 5, 6, 7 et 9."_s);
}
} // namespace

QString SystemPrinters::defaultName() const
{
    return QPrinterInfo::defaultPrinter().printerName();
}

void SystemPrinters::useDefault(QPrinter& printer)
{
    const QPrinterInfo defaultPrinter = QPrinterInfo::defaultPrinter();
    printer.setPrinterName(defaultPrinter.printerName());
    printer.setOutputFormat(QPrinter::NativeFormat);
    // The paper the printer is set up for: Qt would otherwise start on A4
    // whenever the printer knows A4, whatever is in its tray.
    printer.setPageSize(defaultPrinter.defaultPageSize());
    printer.setCopyCount(1);
}

QString SystemPrinters::choose(QPrinter& printer, QWidget* parent)
{
    QPrintDialog dialog(&printer, parent);
    // A printer and copies: a report is printed whole, and a PDF is only
    // ever written where the program can put it in place complete.
    dialog.setOptions(QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintShowPageSize);
    dialog.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    finishInFrench(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return printer.printerName();
}

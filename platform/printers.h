#pragma once

#include <QString>

class QPrinter;
class QWidget;

// The computer's printers, and the dialog where the organiser picks one and
// the number of copies; tests stand in printers of their own.
class Printers
{
public:
    virtual ~Printers() = default;
    // The default printer's name; empty on a computer without a printer.
    virtual QString defaultName() const = 0;
    // Sets the printer up for the default one: its paper, one copy.
    virtual void useDefault(QPrinter& printer) = 0;
    // The print dialog, in French, on the printer as set up: the name of the
    // printer chosen, or an empty string when the organiser cancels.
    virtual QString choose(QPrinter& printer, QWidget* parent) = 0;
};

class SystemPrinters : public Printers
{
public:
    QString defaultName() const override;
    void useDefault(QPrinter& printer) override;
    QString choose(QPrinter& printer, QWidget* parent) override;
};

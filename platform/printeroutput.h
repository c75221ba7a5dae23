#pragma once

#include <QString>

class QPrinter;
class QWidget;

// What is printed, for an output that saves it to a file.
struct PrintJob
{
    QString gridFile;          // the grid file printed
    QString gridFolder;        // GRILLES, where only grid files belong
    QString pdfName;           // the name proposed for a saved copy
    bool isDrawReport = false; // the report of a draw rather than grids
    QString reportName;        // how the question names it: "le rapport du tirage"
};

// Where a report goes. The program prints grids on the default printer and
// asks where a draw's report goes; tests send it to a PDF file.
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

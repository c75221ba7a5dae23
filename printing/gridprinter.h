#pragma once

#include <QSet>
#include <QString>

#include <optional>

#include "printoptions.h"

class GridFile;
class PrinterOutput;
class QPrinter;
class QWidget;
struct ReportDefinition;
struct PrintJob;
struct Services;

// Prints the grid file a label of the printing screen names. The heading
// travels through the file's table TEMPO, which holds it only while the
// report is made and is emptied again whatever happens; a file the organiser
// may only read is printed with the heading held in memory.
class GridPrinter
{
public:
    GridPrinter(Services& services, PrinterOutput& output, QString appPath);

    // True once the report has been handed to the printer, or saved where the
    // organiser chose. selector gets the focus back when the label is refused.
    bool PrintGridFile(const QString& label, QWidget* parent, QWidget* selector,
                       const PrintOptions& options = {});
    // Shows the pages the same print would make; writes nothing.
    void preview(const QString& label, const PrintOptions& options, QWidget* parent,
                 QWidget* selector);

    static QString headingFor(const QString& label);
    // Said once a file, for a read-only one made before cards carried a code.
    static QString withoutCodesText();

private:
    // False when the organiser gave the print up before it started.
    bool printReport(const PrintJob& job, const QString& heading, const PrintOptions& options,
                     QWidget* parent);
    // The grid file of a label, checked whole; none once refused and said.
    std::optional<QString> checkedFile(const QString& label, QWidget* parent, QWidget* selector);
    ReportDefinition definitionFor(const PrintOptions& options) const;

    Services& m_services;
    PrinterOutput& m_output;
    QString m_appPath;
    QSet<QString> m_toldWithoutCodes;
};

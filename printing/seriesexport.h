#pragma once

#include <QList>

class QString;
class QWidget;
struct RecordedSeries;
struct Services;

// A recorded series sent out of the program: its report printed (or saved as
// a PDF where there is no printer), or its events as a CSV table. Failures
// are said in a message box; nothing half written stays behind.
namespace SeriesExport {
// True once the report is printed or saved.
bool printReport(Services& services, const RecordedSeries& series, QWidget* parent);
// The one-page summary of an evening, its series in order.
bool printEveningSummary(Services& services, const QList<RecordedSeries>& series, QWidget* parent);
// The summary of the evening played last, read from the record at that path;
// what stands in the way is said.
bool printLatestEvening(Services& services, const QString& recordPath, QWidget* parent);
// True once the table is saved where the organiser chose.
bool exportCsv(Services& services, const RecordedSeries& series, QWidget* parent);
} // namespace SeriesExport

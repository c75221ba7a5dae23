#pragma once

#include "game/seriesrecord.h"

#include <QDialog>

#include <memory>
#include <optional>

class GameRecord;
class QLabel;
class QPushButton;
class QTreeWidget;
struct Services;

// The series kept in the game record, newest first: the report of one to
// print or save as PDF, its events to export as CSV, or the series to delete.
class TiragesEnregistres : public QDialog
{
    Q_OBJECT

public:
    // The window over parent, or nullptr once a record that cannot be read
    // has been explained. current is selected and may not be deleted.
    static TiragesEnregistres* open(Services& services, const QString& recordPath, QWidget* parent,
                                    qint64 current = 0);
    ~TiragesEnregistres() override;

    QTreeWidget* liste() const { return m_liste; }
    qint64 selectedId() const;
    void select(qint64 id);

    void Imprimer_Click();
    void Exporter_Click();
    void Supprimer_Click();

private:
    TiragesEnregistres(Services& services, std::unique_ptr<GameRecord> record, qint64 current,
                       QWidget* parent);
    void fillList();
    void refreshButtons();
    // The selected series read whole; nothing when the record fails (said).
    std::optional<RecordedSeries> readSelected();
    void sayRecordError(const QString& message);

    Services& m_services;
    std::unique_ptr<GameRecord> m_record;
    qint64 m_current;
    QList<SeriesSummary> m_summaries;
    QTreeWidget* m_liste;
    QLabel* m_vide;
    QPushButton* m_imprimer;
    QPushButton* m_exporter;
    QPushButton* m_supprimer;
};

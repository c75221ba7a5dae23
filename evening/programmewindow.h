#pragma once

#include "game/programme.h"
#include "game/programmestore.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
struct Services;

// "Programme de la soirée": the games of the evening, in order, each with
// the phases it plays and their prizes, and the grids sold, for one grid file.
class ProgrammeWindow : public QDialog
{
    Q_OBJECT

public:
    ProgrammeWindow(Services& services, const ProgrammeStore& store, const QString& appPath,
                    QWidget* parent = nullptr);

    QTableWidget* table() const { return m_table; }
    QComboBox* fileList() const { return m_files; }
    QLineEdit* soldField() const { return m_sold; }
    QPushButton* button(const QString& name) const;

    // The file whose programme is shown, by its name in GRILLES.
    void showFile(const QString& fileName);
    void addGame();
    void removeGame();
    void moveGame(int step);
    // Saves what the table shows; false, after saying why, when it cannot.
    bool save();
    // Closing asks first whether changes not saved are to be kept.
    void reject() override;

private:
    // What the table shows differs from what is saved.
    bool isModified() const;
    // True once changes are saved or given up; false to stay on them.
    bool settleChanges();
    void refreshButtons();
    void fill(const Programme& programme);
    // The programme as the table and the field hold it, or the reason not.
    std::optional<Programme> read(QString& why) const;
    void addRow(const ProgrammeGame& game);
    void renumber();
    QPushButton* addButton(const QString& text, const QString& name);

    Services& m_services;
    const ProgrammeStore& m_store;
    QString m_appPath;
    QString m_fileName;
    Programme m_saved; // as last read from, or written to, the store
    QComboBox* m_files;
    QTableWidget* m_table;
    QLineEdit* m_sold;
};

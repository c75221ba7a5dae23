#pragma once

#include "widgets/twiplayout.h"

#include <QWidget>

#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
struct Services;

// The grid generator: the organiser types a count and a draw date, confirms,
// and a new grid file is made and filled.
class Generateur : public QWidget
{
    Q_OBJECT

public:
    explicit Generateur(Services& services, QWidget* parent = nullptr);

    void Lancer_click();
    void Quitter_Click();
    bool isGenerating() const { return m_generating; }
    // Runs before each grid is made; a test throws from it to stand for a disk failure.
    void setGridHook(std::function<void(int)> hook) { m_gridHook = std::move(hook); }

signals:
    void quitClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Form_Load();
    void SaisieNombre_Enter();
    void SaisieDate_Enter();
    void refuse(const QString& text, QLineEdit* field, bool emptyIt);
    void resetWindow();
    void generate(int count, const QString& date);
    void showProgress(int grid);

    Services& m_services;
    TwipLayout m_layout;
    QLineEdit* m_saisieNombre;
    QLineEdit* m_saisieDate;
    QFrame* m_boiteBoutons;
    QPushButton* m_lancer;
    QPushButton* m_quitter;
    QLabel* m_message;
    QProgressBar* m_jauge;
    bool m_generating = false;
    std::function<void(int)> m_gridHook;
};

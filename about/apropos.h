#pragma once

#include <QWidget>

class QLabel;
class QTabWidget;
struct Services;

// The about box: the product, its version and build date, technical
// details, history, assistance and the association it supports.
class Apropos : public QWidget
{
    Q_OBJECT

public:
    explicit Apropos(Services& services, QWidget* parent = nullptr);

    QTabWidget* onglet() const { return m_onglet; }
    // The shell opens documents, mail and web addresses; its answer is not looked at.
    void OpenDocument(const QString& target);
    void Quitter_Click();

signals:
    void quitClicked();

private:
    QWidget* titlePage();
    QWidget* technicalPage();
    QWidget* historyPage();
    QWidget* assistancePage();
    QWidget* partnerPage();
    QLabel* technicalLabel(QWidget* page, const QString& name, const QString& text);

    Services& m_services;
    QTabWidget* m_onglet;
};

// "numerella.EXE": the program file's name without its extension, then ".EXE".
QString programNameForDisplay(const QString& programPath);

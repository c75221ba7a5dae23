#pragma once

#include <QElapsedTimer>
#include <QWidget>

class GridPrinter;
class PrintOptionsBox;
class PrinterOutput;
class QComboBox;
class QFrame;
class QPushButton;
struct Services;

// The printing screen: the list of grid files, to print one or delete one,
// and how to print it.
class Edition : public QWidget
{
    Q_OBJECT

public:
    Edition(Services& services, PrinterOutput& output, QWidget* parent = nullptr);
    ~Edition() override;

    QString selectorText() const;
    void Imprimer_Click();
    void Supprime_Click();
    void Quitter_Click();
    void previewClicked();

signals:
    void quitClicked();

private:
    void Form_Load();
    void fillList();
    void fileChosen();

    Services& m_services;
    std::unique_ptr<GridPrinter> m_printer;
    QComboBox* m_liste;
    QFrame* m_boiteBoutons;
    QPushButton* m_supprime;
    QPushButton* m_imprimer;
    QPushButton* m_quitter;
    PrintOptionsBox* m_options;
    bool m_printing = false;
    QElapsedTimer m_sincePrint; // since the last print ended
};

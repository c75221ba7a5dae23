#pragma once

#include <QFrame>
#include <QList>

#include <array>

class QLabel;
class QPushButton;
class TwipLayout;

// The panel that shows a winning grid in the middle of the draw screen.
class ResultPanel : public QFrame
{
    Q_OBJECT

public:
    static constexpr int WidthTwips = 8895;
    static constexpr int HeightTwips = 5625;

    ResultPanel(QWidget* parent, TwipLayout& layout);

    QLabel* cell(int i) const { return m_cells[i - 1]; } // CaseGrille(1..27)
    QLabel* subtitle() const { return m_subtitle; }
    QPushButton* closeButton() const { return m_close; }
    QLabel* details() const { return m_details; }
    QPushButton* validateButton() const { return m_validate; }

    // A winning grid: every cell gets its text, in the button-text colour
    // unless listed red (indexes 1..27), and the title names the win. Under
    // it, when and how it won; "Valider le gagnant" when it can be.
    void showResult(const QString& title, const std::array<QString, 27>& cellTexts,
                    const QList<int>& redCells, const QString& details = {},
                    bool validatable = false);
    // The winner is recorded: said in place of the key.
    void showValidated(const QString& text);

signals:
    void closeClicked();
    void validateClicked();

private:
    QList<QLabel*> m_cells;
    QLabel* m_subtitle;
    QPushButton* m_close;
    QLabel* m_details;
    QPushButton* m_validate;
};

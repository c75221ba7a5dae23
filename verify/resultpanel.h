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
    static constexpr int HeightTwips = 4965;

    ResultPanel(QWidget* parent, TwipLayout& layout);

    QLabel* cell(int i) const { return m_cells[i - 1]; } // CaseGrille(1..27)
    QLabel* subtitle() const { return m_subtitle; }
    QPushButton* closeButton() const { return m_close; }

    // A winning grid: every cell gets its text, in the button-text colour
    // unless listed red (indexes 1..27), and the title names the win.
    void showResult(const QString& title, const std::array<QString, 27>& cellTexts,
                    const QList<int>& redCells);

signals:
    void closeClicked();

private:
    QList<QLabel*> m_cells;
    QLabel* m_subtitle;
    QPushButton* m_close;
};

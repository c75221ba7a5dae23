#pragma once

#include <QLabel>

class DrawSeries;

// A line of text on the draw screen that follows the series: bold, in its
// own colour, written again at every change.
class SeriesLabel : public QLabel
{
    Q_OBJECT

public:
    SeriesLabel(const DrawSeries& series, const QString& name, const QColor& colour,
                QWidget* parent);

protected:
    // Derived classes call it once built: a constructor cannot reach them.
    virtual void refresh() = 0;
    // The text, cut at its end with "…" when the line is too narrow for it:
    // its beginning ("Partie 2 - Double quine") is what the operator needs.
    void setLine(const QString& text);
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

    const DrawSeries& m_series;

private:
    void fit();

    QString m_line;
};

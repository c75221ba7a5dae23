#pragma once

#include "halllayout.h"
#include "halltheme.h"

#include <QImage>
#include <QWidget>

class DrawSeries;

// What the players see: painted straight from the series, so a draw, an
// undo or a resume shows here the moment the model changes.
class HallView : public QWidget
{
    Q_OBJECT

public:
    HallView(const DrawSeries& series, QWidget* parent = nullptr);

    void setTheme(HallThemeName name);
    // Who runs the evening, before the draw's title; empty shows none.
    void setOrganiserName(const QString& name);
    // The address of the phones' page, shown with its QR code; empty shows none.
    void setInvitation(const QString& address);
    const QString& invitation() const { return m_invitation; }
    HallThemeName theme() const { return m_themeName; }
    const HallLayout& hallLayout() const { return m_layout; }
    // What a screen reader says of the display, refreshed with each number.
    QString spokenState() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void onSeriesChanged();
    void paintHeader(QPainter& p) const;
    void paintNumber(QPainter& p) const;
    void paintBoard(QPainter& p) const;
    void paintWin(QPainter& p) const;
    void paintInvitation(QPainter& p) const;

    const DrawSeries& m_series;
    QString m_organiserName;
    QString m_invitation;
    QImage m_qrCode;
    HallThemeName m_themeName = HallThemeName::Clair;
    HallTheme m_theme;
    HallLayout m_layout;
};

#pragma once

#include "halltheme.h"

#include <QRect>
#include <QWidget>

class DrawSeries;
class HallView;
class QKeyEvent;

// The players' window, "Numerella - Salle": full screen on a screen of its
// own when the desktop has one, else a window beside the operator's. It
// follows screens plugged in or out during the evening.
class HallDisplay : public QWidget
{
    Q_OBJECT

public:
    // operatorWindow: the draw screen, whose screen the hall leaves alone.
    HallDisplay(const DrawSeries& series, QWidget* operatorWindow);

    HallView* view() const { return m_view; }
    void setTheme(HallThemeName name);
    // Puts the window where the screens of the moment say, and shows it.
    void place();

signals:
    // A key meant for the draw (Espace, L, G, F5...) pressed over this window.
    void operatorKey(QKeyEvent* event);
    // Closed from its own frame, when it is a window.
    void closed();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void toggleFullScreen();
    void placeSoon();
    void giveKeyboardBack();

    QWidget* m_operator;
    HallView* m_view;
    bool m_ownScreen = false;
    QRect m_windowGeometry; // where it was as a window, to come back to
};

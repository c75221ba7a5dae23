#pragma once

#include "halltheme.h"

#include <QObject>

#include <memory>

class DrawSeries;
class HallDisplay;
class QKeyEvent;
class QWidget;
struct Services;

// The draw screen's hold on the hall display: opens and closes it, and
// keeps the theme the organiser chose for it from one evening to the next.
class HallControl : public QObject
{
    Q_OBJECT

public:
    HallControl(Services& services, const DrawSeries& series, QWidget* operatorWindow,
                const QString& themePath);
    ~HallControl() override;

    HallDisplay* display() const { return m_display.get(); }
    bool isShown() const;
    void toggle();
    void close();

    HallThemeName theme() const { return m_theme; }
    // Switches and remembers; a theme that cannot be kept is said, and used anyway.
    void setTheme(HallThemeName name);
    // The phones' address the hall invites the players to; empty shows none.
    void setInvitation(const QString& address);

signals:
    void themeChanged();
    void shownChanged(bool shown);
    void operatorKey(QKeyEvent* event);

private:
    Services& m_services;
    const DrawSeries& m_series;
    QWidget* m_operator;
    HallThemeStore m_store;
    HallThemeName m_theme;
    bool m_saveFailureSaid = false;
    QString m_invitation;
    std::unique_ptr<HallDisplay> m_display;
};

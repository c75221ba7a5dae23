#pragma once

#include <QColor>
#include <QString>

// The two looks of the hall display, both readable from the back of a hall:
// dark ink on white, or light ink on black for a dim room.
enum class HallThemeName { Clair, Sombre };

struct HallTheme
{
    QColor background;
    QColor text;    // title, count, captions
    QColor number;  // the big number
    QColor cellOff; // a number not out yet
    QColor cellOffText;
    QColor cellOn; // a number out
    QColor cellOnText;
    QColor marked; // a winning line's cell
    QColor markedText;

    static HallTheme of(HallThemeName name);
};

QString hallThemeWord(HallThemeName name); // "clair" or "sombre"

// The theme chosen last, kept in a one-word file of the user's data
// folder. A missing or odd file gives the light theme.
class HallThemeStore
{
public:
    // An empty path remembers nothing.
    explicit HallThemeStore(QString path) : m_path(std::move(path)) {}

    HallThemeName load() const;
    // The reason in French when the choice could not be kept, else empty.
    QString save(HallThemeName name) const;

private:
    QString m_path;
};

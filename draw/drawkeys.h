#pragma once

#include <QObject>

// What a key does on the draw screen, so the draw runs without the mouse.
enum class DrawCommand {
    None,        // left to the focused control
    Draw,        // Espace: a random number
    Digit,       // 0-9: into the ball machine's field
    LineCheck,   // L
    GridCheck,   // G
    Repeat,      // R
    Undo,        // Ctrl+Z
    HallDisplay, // F5
    Phones,      // F6
    Ignore,      // Échap: the screen is never left by accident
};

DrawCommand drawCommandFor(int key, Qt::KeyboardModifiers modifiers);

class QKeyEvent;
class Tirage;

// The draw screen's keys, wherever they are pressed: the screen itself, the
// ball machine's field (where digits and spaces are typed), the result
// panel's button or the hall display's window.
class DrawKeyboard : public QObject
{
    Q_OBJECT

public:
    explicit DrawKeyboard(Tirage& screen);

    // False when the key is left to the focused control.
    bool run(QKeyEvent* event);
    // A key of the toolbar, by name; switches are read for their new state.
    void press(const QString& key);
    // A key pressed over the hall display: the draw's keys act, and in the
    // ball machine's way the rest (digits, Entrée, Retour arrière) goes to its field.
    void runFromHall(QKeyEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Tirage& m_screen;
};

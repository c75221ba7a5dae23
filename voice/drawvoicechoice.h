#pragma once

#include "callingvoice.h"
#include "clubvoicestore.h"

#include <QObject>

class DrawSeries;
class DrawToolBar;
class QMenu;
class QWidget;
struct Services;

// The draw screen's choice of voice: the two built-in switches and the
// "Voix" key whose menu lists every voice, the club's included. It keeps
// the application's choice, remembers it in the voices' folder, and calls
// each number in the voice chosen.
class DrawVoiceChoice : public QObject
{
    Q_OBJECT

public:
    DrawVoiceChoice(Services& services, DrawToolBar& toolBar, QWidget* screen);

    void chooseBuiltIn(int offset);
    void chooseClub(const QString& name);
    // Plays the clip of this number in the voice chosen now.
    void call(int number);
    // Calls each number the series draws, or repeats, as it comes.
    void listen(const DrawSeries& series);
    // Shows the voice in use pressed.
    void showChoice();
    const CallingVoice& voice() const { return m_voice; }
    QMenu* menu() const { return m_menu; }
    // Says what the club voice lacks, or that it is gone, before the evening:
    // the screen calls it once it is up, after its own opening question.
    void sayWhatIsMissing();

    // The remembered choice, put in force once at start-up.
    static void restore(const QString& voiceFolder);

private:
    void fillMenu();
    void remember();

    Services& m_services;
    DrawToolBar& m_toolBar;
    QWidget* m_screen;
    ClubVoiceStore m_store;
    CallingVoice m_voice;
    QMenu* m_menu;
    QString m_goneVoice; // the club voice kept, found missing at the opening
};

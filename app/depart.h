#pragma once

#include "game/programmestore.h"
#include "platform/param.h"

#include <QMainWindow>
#include <QPointer>

#include <memory>

class AudioInput;
class KeyStates;
class MainStatusBar;
class QLabel;
class QToolBar;
struct Services;

// The main window: a launcher whose toolbar opens the working screens.
class Depart : public QMainWindow
{
    Q_OBJECT

public:
    explicit Depart(Services& services, QWidget* parent = nullptr);
    ~Depart() override;
    // The microphone "Voix du club" records from; the default input when none is given.
    void setAudioInput(AudioInput* input) { m_audioInput = input; }

    void BarreBoutons_ButtonClick(const QString& key);

    QToolBar* barreBoutons() const { return m_barreBoutons; }
    QLabel* grilles() const { return m_grilles; }
    MainStatusBar* barre() const { return m_barre; }
    // The working screen now open over the main window, if any.
    QWidget* activeScreen() const { return m_screen; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void addButton(const QString& key, const QString& toolTip, const QString& name);
    void openScreen(QWidget* screen, bool maximised);
    void openHidingPicture(QWidget* screen);
    void openDrawScreen();
    void openProgramme();
    void openClubVoices();
    void centreGrilles();

    Services& m_services;
    KeyStates* m_keys;
    QToolBar* m_barreBoutons;
    QLabel* m_grilles;
    MainStatusBar* m_barre;
    QPointer<QWidget> m_screen;
    ProgrammeStore m_programmes{Param::ProgrammeFolder()};
    AudioInput* m_audioInput = nullptr;
    std::unique_ptr<AudioInput> m_defaultInput;
};

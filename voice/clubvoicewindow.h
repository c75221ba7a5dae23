#pragma once

#include "clubvoicestore.h"
#include "platform/messagebox.h"
#include "recordingsession.h"
#include "voiceimport.h"

#include <QDialog>

#include <functional>

class AudioInput;
class LevelMeter;
class QComboBox;
class QLabel;
class QPushButton;
struct Services;

// "Voix du club": the caller records the 90 numbers once, the keyboard
// alone going from one to the next (Espace, R, Entrée); voices are also
// listened to, imported from a folder, renamed and deleted here.
class ClubVoiceWindow : public QDialog
{
    Q_OBJECT

public:
    ClubVoiceWindow(Services& services, AudioInput& input, const QString& voiceFolder,
                    QWidget* parent = nullptr);
    ~ClubVoiceWindow() override;

    RecordingSession& session() { return m_session; }
    QPushButton* button(const QString& name) const;
    // Asks for the folder to import; a test answers it in advance.
    std::function<QString(QWidget*)> chooseFolder;

    void newVoice();
    void renameVoice();
    void deleteVoice();
    void importFolder(const QString& folder);
    bool isImporting() const { return m_import.isRunning(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildScreen();
    QPushButton* addButton(const QString& name, const QString& text, const QString& tip,
                           void (ClubVoiceWindow::*action)());
    void addKey(QKeySequence key, void (RecordingSession::*action)());
    void fillVoices(const QString& selected);
    void openSelected();
    void refresh();
    void say(MsgIcon icon, const QString& text);
    // The draw's remembered voice follows a renamed or deleted one.
    void followRename(const QString& from, const QString& to) const;

    Services& m_services;
    AudioInput& m_input;
    ClubVoiceStore m_store;
    RecordingSession m_session;
    VoiceImport m_import;
    QComboBox* m_voices = nullptr;
    QLabel* m_number = nullptr;
    QLabel* m_status = nullptr;
    QLabel* m_microphone = nullptr;
    QLabel* m_count = nullptr;
    LevelMeter* m_meter = nullptr;
    QList<QPushButton*> m_buttons;
    QString m_importStatus;
    QList<std::pair<MsgIcon, QString>> m_pending; // the boxes still to show
};

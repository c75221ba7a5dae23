#pragma once

#include "drawchecks.h"
#include "game/drawseries.h"
#include "platform/messagebox.h"
#include "seriesopening.h"
#include "widgets/twiplayout.h"

#include <QDialog>
#include <QTimer>

#include <memory>

class BallMachineEntry;
class ChronoBoard;
class ClaimPanel;
class DrawFileList;
class DrawKeyboard;
class DrawTabs;
class HallControl;
class PhoneSwitch;
class PhoneLine;
class QLineEdit;
class DrawToolBar;
class DrawVoiceChoice;
class NumericBoard;
class QComboBox;
class QLabel;
class TimedDraw;
class ResultPanel;
struct Services;

// The draw screen: the big number, the two boards, the toolbar that drives
// the series, the timed draw and the choice of the grid file of the draw.
class Tirage : public QDialog
{
    Q_OBJECT

public:
    static constexpr int WidthTwips = 11880;
    static constexpr int HeightTwips = 8205;

    explicit Tirage(Services& services, QWidget* parent = nullptr);
    ~Tirage() override;

    const DrawState& state() const { return m_series->state(); }
    DrawSeries& series() const { return *m_series; }
    DrawToolBar* barre() const { return m_barre; }
    DrawVoiceChoice& voice() const { return *m_voice; }
    const QTimer& timer() const;
    QString titleCaption() const;

    void Barre_ButtonClick(const QString& key);
    void ProcTirage();
    void ProcReinit();
    void ProcChrono();
    void Timer_Timer();
    void ProcChoixFichier();
    void ListeDesFichiers_Click(int index);
    void ProcVerifGrille();
    void ProcVerifLigne();
    void Quitter_Click();
    void ProcAnnuler();
    void ProcRapport();
    // The ball machine's way: numbers typed or clicked instead of drawn.
    void setBallMachine(bool on);
    bool isBallMachine() const { return m_ballMachine; }
    HallControl& hall() const { return *m_hall; }
    PhoneSwitch& phones() const { return *m_phones; }
    BallMachineEntry* entree() const { return m_entree; }
    // Asks whether to take up a series the record holds unfinished.
    void offerResume();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildScreen();
    void Form_Load();
    void onNumberDrawn();
    void onSeriesChanged();
    void onRecordFailed(const QString& message);
    void refreshKeys();
    // The big number and "Repeter" follow the newest number still out.
    void showLastNumber();
    void setTitle(const QString& title);
    // The programme kept for the series' grid file, or the standard one.
    // The first number of a series without a grid file is drawn only if the
    // operator agrees to go without checks.
    bool confirmNoFile();
    void drawFromBallMachine(int n);
    void refreshEntry();
    void stopTimer();
    void refreshBoards();
    void fitDisplayFont();
    MsgAnswer drawMessage(MsgIcon icon, const QString& text, MsgButtons buttons,
                          MsgAnswer defaultAnswer = MsgAnswer::Ok);

    Services& m_services;
    DrawSeries* m_series;
    TwipLayout m_layout;
    bool m_drawMessageOpen = false;

    QWidget* m_canvas = nullptr;
    QLabel* m_afficheur = nullptr;
    DrawTabs* m_onglet = nullptr;
    std::unique_ptr<NumericBoard> m_numericBoard;
    std::unique_ptr<ChronoBoard> m_chronoBoard;
    DrawToolBar* m_barre = nullptr;
    QLabel* m_titre = nullptr;
    DrawFileList* m_liste = nullptr;
    TimedDraw* m_chrono = nullptr;
    ResultPanel* m_resultat = nullptr;
    QLabel* m_nonEnregistre = nullptr;
    BallMachineEntry* m_entree = nullptr;
    bool m_ballMachine = false;
    HallControl* m_hall = nullptr;
    PhoneSwitch* m_phones = nullptr;
    DrawChecks m_checks{m_services, *m_series, this};
    SeriesOpening m_opening{m_services, *m_series, this};
    ClaimPanel* m_claimPanel = nullptr;
    DrawKeyboard* m_keyboard = nullptr;
    DrawVoiceChoice* m_voice = nullptr;
};

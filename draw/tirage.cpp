#include "tirage.h"

#include "ballmachineentry.h"
#include "chronoboard.h"
#include "claimpanel.h"
#include "drawfilelist.h"
#include "drawgridfile.h"
#include "drawkeys.h"
#include "drawtabs.h"
#include "drawtoolbar.h"
#include "hall/hallcontrol.h"
#include "numericboard.h"
#include "phoneline.h"
#include "phoneswitch.h"
#include "platform/helpopener.h"
#include "platform/param.h"
#include "platform/services.h"
#include "printing/tiragesenregistres.h"
#include "programmeline.h"
#include "timeddraw.h"
#include "verify/resultpanel.h"
#include "voice/drawvoicechoice.h"
#include "watchline.h"
#include "widgets/panellabel.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

using namespace Qt::StringLiterals;

namespace {
const QColor Grey(192, 192, 192);

const QString NoFileQuestion = u"Vous n'avez pas choisi de fichier de tirage !!\n\n"
                               "Si vous n'en choississez pas un, le tirage pourra avoir lieu\n"
                               "mais vous n'aurez pas accès à la vérification des grilles.\n\n"
                               "Souhaitez vous continuer ?"_s;
const QString SeriesComplete = u"Tous les numéros ont été tirés !!\n\n"
                               "Veuillez réinitialiser pour effectuer une nouvelle série."_s;
} // namespace

Tirage::Tirage(Services& services, QWidget* parent)
    : QDialog(parent), m_services(services),
      m_series(new DrawSeries(Param::RecordFile(), services.clock, this))
{
    setObjectName(u"Tirage"_s);
    setWindowTitle(u"Tirage du Loto"_s);
    // A dialog window: the desktop keeps it above the main window it belongs to.
    setWindowFlags(Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    HelpKey::setTopic(this, HelpTopic::Draw);
    buildScreen();
    // The hall watches the big number: the help never covers it.
    HelpKey::setKeptInView(this, m_afficheur);
    connect(m_series, &DrawSeries::numberDrawn, this, &Tirage::onNumberDrawn);
    m_voice->listen(*m_series);
    connect(m_series, &DrawSeries::changed, this, &Tirage::onSeriesChanged);
    connect(m_series, &DrawSeries::recordFailed, this, &Tirage::onRecordFailed);
    connect(m_series, &DrawSeries::recordRewritten, this, [this](const QString& message) {
        drawMessage(MsgIcon::Exclamation, message, MsgButtons::Ok);
    });
    m_hall = new HallControl(services, *m_series, this, Param::HallThemeFile());
    connect(m_hall, &HallControl::shownChanged, m_barre->button(u"Salle"_s),
            &QToolButton::setChecked);
    m_phones = new PhoneSwitch(services, *m_series, *m_hall, this);
    m_layout.place(new PhoneLine(*m_phones, m_canvas), {240, 7275, 6855, 285}, 9);
    connect(m_phones, &PhoneSwitch::switchedOff, this,
            [this] { m_barre->button(u"Telephones"_s)->setChecked(false); });
    m_keyboard = new DrawKeyboard(*this);
    m_entree->installEventFilter(m_keyboard);
    m_resultat->closeButton()->installEventFilter(m_keyboard);
    connect(m_hall, &HallControl::operatorKey, m_keyboard, &DrawKeyboard::runFromHall);
    m_barre->button(u"Theme"_s)->setChecked(m_hall->theme() == HallThemeName::Sombre);
    Form_Load();
    // Asked once the screen is up, over it: one box after the other.
    QTimer::singleShot(0, this, [this] {
        offerResume();
        m_voice->sayWhatIsMissing();
    });
}

Tirage::~Tirage() = default;

void Tirage::buildScreen()
{
    m_canvas = new QWidget(this);
    m_canvas->setObjectName(u"Fond"_s);
    m_layout.place(m_canvas, {0, 0, WidthTwips, HeightTwips});

    m_afficheur = makePanelLabel(m_canvas, u"Afficheur"_s, Grey, QColor(0, 0, 255), true);
    m_afficheur->setFrameShape(QFrame::Panel);
    m_afficheur->setFrameShadow(QFrame::Sunken);
    m_afficheur->setLineWidth(2);

    m_onglet = new DrawTabs(m_canvas, m_layout, {7320, 120, 4605, 6255});
    m_onglet->setObjectName(u"Onglet"_s);
    m_numericBoard = std::make_unique<NumericBoard>(
        *m_onglet, m_onglet->addPage(u"Ordre numérique"_s, u"OrdreNumerique"_s));
    m_chronoBoard = std::make_unique<ChronoBoard>(
        *m_onglet, m_onglet->addPage(u"&Ordre chronologique"_s, u"OrdreChronologique"_s));

    m_barre = new DrawToolBar(m_canvas);
    m_layout.place(m_barre, {7800, 6480, 3750, 675});
    connect(m_barre, &DrawToolBar::buttonClicked, this, &Tirage::Barre_ButtonClick);
    m_voice = new DrawVoiceChoice(m_services, *m_barre, this);

    m_titre = makePanelLabel(m_canvas, u"Titre"_s, Grey, QColor(255, 0, 0), true);
    m_titre->setFrameShape(QFrame::Panel);
    m_titre->setFrameShadow(QFrame::Sunken);
    m_layout.place(m_titre, {240, 7560, 6975, 615}, 18);

    m_liste = new DrawFileList(m_canvas);
    m_layout.place(m_liste, {8040, 7800, 3615, 360}, 9.75);
    connect(m_liste, &QComboBox::activated, this, &Tirage::ListeDesFichiers_Click);

    m_chrono = new TimedDraw(m_canvas, m_layout, this);
    connect(m_chrono, &TimedDraw::tick, this, &Tirage::Timer_Timer);

    // Over the top of the big number, which leaves that band empty.
    m_layout.place(new ProgrammeLine(*m_series, m_canvas), {240, 60, 6855, 420}, 12);
    // And under it, for the operator: never on the hall display.
    m_layout.place(new WatchLine(*m_series, m_canvas), {240, 6870, 6855, 400}, 11);

    m_nonEnregistre = makePanelLabel(m_canvas, u"NonEnregistre"_s, QColor(255, 255, 160),
                                     QColor(192, 0, 0), true);
    m_nonEnregistre->setText(u"Tirage non enregistré"_s);
    m_nonEnregistre->setAccessibleName(u"Tirage non enregistré"_s);
    m_layout.place(m_nonEnregistre, {7800, 7230, 3750, 480}, 10);

    m_entree = new BallMachineEntry(m_canvas, [this](int n) { return state().isDrawn(n); });
    m_layout.place(m_entree, {7800, 7800, 3750, 390}, 12);
    m_entree->hide();
    connect(m_entree, &BallMachineEntry::numberEntered, this, &Tirage::drawFromBallMachine);
    connect(m_entree, &BallMachineEntry::numberRefused, this, [this](const QString& reason) {
        drawMessage(MsgIcon::Exclamation, reason, MsgButtons::Ok);
        m_entree->setFocus();
    });
    connect(m_numericBoard.get(), &NumericBoard::numberClicked, this, &Tirage::drawFromBallMachine);

    m_resultat = new ResultPanel(m_canvas, m_layout);
    connect(m_resultat, &ResultPanel::closeClicked, this, &Tirage::Quitter_Click);
    m_claimPanel = new ClaimPanel(*m_series, *m_resultat, {m_onglet, m_barre}, this);
}

void Tirage::Form_Load()
{
    m_layout.place(m_afficheur, {0, 0, 7335, 7335}, 340);
    m_layout.place(m_resultat, {(WidthTwips - ResultPanel::WidthTwips) / 2,
                                (HeightTwips - ResultPanel::HeightTwips) / 2,
                                ResultPanel::WidthTwips, ResultPanel::HeightTwips});
    m_onglet->raise();
    onSeriesChanged();
    m_resultat->hide();
    m_liste->hide();
    m_chrono->reset();
    m_voice->showChoice();
}

const QTimer& Tirage::timer() const
{
    return m_chrono->timer();
}

QString Tirage::titleCaption() const
{
    return m_series->file().title;
}

void Tirage::setTitle(const QString& title)
{
    m_titre->setText(title);
    m_titre->setAccessibleName(title.isEmpty() ? u"Aucun fichier de tirage choisi"_s
                                               : u"Fichier de tirage : "_s + title);
}

void Tirage::Barre_ButtonClick(const QString& key)
{
    m_keyboard->press(key);
}

MsgAnswer Tirage::drawMessage(MsgIcon icon, const QString& text, MsgButtons buttons,
                              MsgAnswer defaultAnswer)
{
    // Ticks arriving while the operator has not answered yet are dropped, so
    // boxes never pile up over each other.
    m_drawMessageOpen = true;
    const MsgAnswer answer = m_services.message(this, icon, text, buttons, defaultAnswer);
    m_drawMessageOpen = false;
    return answer;
}

bool Tirage::confirmNoFile()
{
    // Asked once per series: the answer is the series' own.
    if (!m_series->file().title.isEmpty() || m_series->isWithoutFile() ||
        m_series->state().count() != 0)
        return true;
    if (drawMessage(MsgIcon::Exclamation, NoFileQuestion, MsgButtons::YesNo) == MsgAnswer::No)
        return false;
    m_series->drawWithoutFile();
    m_liste->hide();
    refreshEntry();
    return true;
}

void Tirage::ProcTirage()
{
    if (!confirmNoFile()) {
        if (m_chrono->isActive()) {
            stopTimer();
            m_chrono->setSliderShown(false);
        }
        return;
    }
    if (m_series->drawRandom(m_services.random,
                             m_chrono->isActive() ? DrawMethod::Timed : DrawMethod::Hand) == 0) {
        drawMessage(MsgIcon::Critical, SeriesComplete, MsgButtons::Ok);
        if (m_chrono->isActive())
            stopTimer();
    }
}

void Tirage::setBallMachine(bool on)
{
    if (on == m_ballMachine)
        return;
    if (on && m_chrono->isActive()) {
        stopTimer();
        m_chrono->setSliderShown(false);
    }
    m_ballMachine = on;
    m_barre->button(u"Boulier"_s)->setChecked(on);
    m_numericBoard->setShowAll(on);
    refreshBoards();
    // The board the operator clicks is the numeric one.
    if (on)
        m_onglet->tabBar()->setCurrentIndex(0);
    refreshKeys();
    refreshEntry();
    if (on)
        m_entree->setFocus();
}

void Tirage::refreshEntry()
{
    // The entry shares its place with the file list, shown only while a file is chosen.
    m_entree->setVisible(m_ballMachine && m_liste->isHidden());
}

void Tirage::drawFromBallMachine(int n)
{
    if (!m_ballMachine || m_series->state().isDrawn(n) || !m_barre->isEnabled())
        return;
    if (confirmNoFile())
        m_series->draw(n, DrawMethod::BallMachine);
}

void Tirage::onNumberDrawn()
{
    // The record holds it already; the hall sees it, then hears it from the voice.
    showLastNumber();
}

void Tirage::onSeriesChanged()
{
    refreshBoards();
    showLastNumber();
    setTitle(m_series->file().title);
    m_nonEnregistre->setVisible(m_series->isUnrecorded());
    refreshKeys();
}

void Tirage::showLastNumber()
{
    const std::optional<int> n = m_series->lastNumber();
    m_afficheur->setText(n ? QString::number(*n) : QString());
    // The name changes with each number, so a screen reader announces it.
    m_afficheur->setAccessibleName(n ? u"Numéro tiré : "_s + QString::number(*n)
                                     : u"Aucun numéro tiré"_s);
}

void Tirage::ProcAnnuler()
{
    const std::optional<int> n = m_series->lastNumber();
    if (!n || m_chrono->isActive())
        return;
    if (const QString refusal = m_series->whyNotUndo(); !refusal.isEmpty()) {
        drawMessage(MsgIcon::Exclamation, refusal, MsgButtons::Ok);
        return;
    }
    const QString last = QString::number(*n);
    // A slip of Entrée must not take a number away from the hall.
    if (drawMessage(MsgIcon::Question,
                    u"Voulez-vous annuler le dernier numéro tiré ("_s + last + u") ?"_s,
                    MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
        return;
    m_series->undoLast();
}

void Tirage::offerResume()
{
    const std::optional<RecordedSeries> found = m_series->findInterrupted();
    if (!found)
        return;
    if (m_services.message(this, MsgIcon::Question, found->resumeQuestion(), MsgButtons::YesNo) !=
        MsgAnswer::Yes) {
        m_series->abandon(*found);
        return;
    }
    const QString whyNot = DrawGridFile::whyNotCheckable(Param::AppPath(), found->file);
    m_opening.resume(*found, whyNot.isEmpty());
    // As after a first draw: the file is settled, the numbers are shown, but
    // neither the timer nor the voice starts again by itself.
    m_liste->hide();
    if (!whyNot.isEmpty())
        m_services.message(this, MsgIcon::Exclamation, whyNot);
}

void Tirage::ProcRapport()
{
    if (auto* window = TiragesEnregistres::open(m_services, m_series->recordPath(), this,
                                                m_series->recordId()))
        window->show();
}

void Tirage::onRecordFailed(const QString& message)
{
    m_services.message(this, MsgIcon::Critical, message);
}

void Tirage::refreshKeys()
{
    // Taking a number back while the timer draws would race it.
    m_barre->button(u"Annuler"_s)
        ->setEnabled(m_series->state().count() > 0 && !m_chrono->isActive());
    m_barre->button(u"Tirage"_s)->setEnabled(!m_ballMachine && !m_chrono->isActive());
    m_barre->button(u"Chrono"_s)->setEnabled(!m_ballMachine);
    m_barre->button(u"ChoixFichier"_s)->setEnabled(m_series->canChooseFile());
}

void Tirage::refreshBoards()
{
    m_numericBoard->refresh(m_series->state());
    m_chronoBoard->refresh(m_series->state());
}

void Tirage::ProcReinit()
{
    // The whole series goes: Enter alone must not do it.
    if (m_services.message(this, MsgIcon::Question, u"Etes vous sûr de vouloir réinitialiser ?"_s,
                           MsgButtons::YesNo, MsgAnswer::No) != MsgAnswer::Yes)
        return;
    if (m_chrono->isActive())
        stopTimer();
    m_series->reinitialise();
    m_liste->clear();
    m_chrono->setSliderShown(false);
}

void Tirage::stopTimer()
{
    m_chrono->stop();
    m_barre->button(u"Chrono"_s)->setChecked(false);
    refreshKeys();
}

void Tirage::ProcChrono()
{
    if (m_chrono->isActive()) {
        stopTimer();
        m_chrono->setSliderShown(false);
        return;
    }
    if (m_ballMachine) {
        m_barre->button(u"Chrono"_s)->setChecked(false);
        return;
    }
    m_chrono->start();
    m_barre->button(u"Chrono"_s)->setChecked(true);
    refreshKeys();
    ProcTirage();
}

void Tirage::Timer_Timer()
{
    if (m_drawMessageOpen)
        return;
    ProcTirage();
}

void Tirage::ProcChoixFichier()
{
    m_liste->showFiles(Param::AppPath());
    refreshEntry();
}

void Tirage::ListeDesFichiers_Click(int index)
{
    const QString text = m_liste->itemText(index);
    if (text.isEmpty())
        return;
    if (!m_opening.chooseFile(text)) {
        m_liste->setCurrentIndex(-1);
        return;
    }
    m_liste->hide();
    refreshEntry();
}

void Tirage::ProcVerifGrille()
{
    if (const auto winner = m_checks.run(ClaimKind::WholeGrid))
        m_claimPanel->show(*winner);
}

void Tirage::ProcVerifLigne()
{
    if (const auto winner = m_checks.run(ClaimKind::Line))
        m_claimPanel->show(*winner);
}

void Tirage::Quitter_Click()
{
    m_claimPanel->close();
    if (m_ballMachine)
        m_entree->setFocus();
}

void Tirage::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    const qreal scale = std::min(width() / qreal(WidthTwips), height() / qreal(HeightTwips));
    m_layout.apply(scale);
    // The layout keeps its proportions; spare room goes to both sides equally.
    m_canvas->move((width() - m_canvas->width()) / 2, (height() - m_canvas->height()) / 2);
    fitDisplayFont();
}

void Tirage::fitDisplayFont()
{
    // Two bold digits at 340 points are a little wider than the display at design size.
    fitTwoDigits(m_afficheur, TwipLayout::fontPixels(340, m_layout.scale()));
}

void Tirage::closeEvent(QCloseEvent* event)
{
    m_chrono->stop();
    m_hall->close();
    // The phones are told the draw is no longer followed.
    m_barre->button(u"Telephones"_s)->setChecked(false);
    QDialog::closeEvent(event);
}

void Tirage::keyPressEvent(QKeyEvent* event)
{
    if (!m_keyboard->run(event))
        QDialog::keyPressEvent(event);
}

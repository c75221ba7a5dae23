#include "depart.h"

#include "about/apropos.h"
#include "draw/tirage.h"
#include "evening/organiserwindow.h"
#include "evening/programmewindow.h"
#include "grids/generateur.h"
#include "mainstatusbar.h"
#include "platform/helpopener.h"
#include "platform/keystates.h"
#include "platform/param.h"
#include "platform/printeroutput.h"
#include "platform/qtaudioinput.h"
#include "platform/screeninfo.h"
#include "platform/services.h"
#include "platform/svgpicture.h"
#include "printing/edition.h"
#include "printing/seriesexport.h"
#include "printing/tiragesenregistres.h"
#include "voice/clubvoicewindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>

using namespace Qt::StringLiterals;

Depart::Depart(Services& services, QWidget* parent)
    : QMainWindow(parent), m_services(services), m_keys(new KeyStates(this)),
      m_barreBoutons(new QToolBar(this)), m_grilles(new QLabel), m_barre(nullptr)
{
    setObjectName(u"Depart"_s);
    setWindowTitle(Param::AppTitle());
    HelpKey::setTopic(this, HelpTopic::Contents);
    qApp->installEventFilter(m_keys);

    m_barreBoutons->setObjectName(u"BarreBoutons"_s);
    m_barreBoutons->setAccessibleName(u"Barre des boutons"_s);
    m_barreBoutons->setMovable(false);
    m_barreBoutons->setFloatable(false);
    m_barreBoutons->setIconSize({32, 32});
    m_barreBoutons->setToolButtonStyle(Qt::ToolButtonIconOnly);
    m_barreBoutons->setContextMenuPolicy(Qt::PreventContextMenu);
    addToolBar(Qt::TopToolBarArea, m_barreBoutons);
    addButton(u"Generateur"_s, u"Générateur de grilles"_s, u"Générateur"_s);
    addButton(u"Impression"_s, u"Impression des grilles"_s, u"Impression"_s);
    addButton(u"Tirage"_s, u"Tirage du loto"_s, u"Tirage"_s);
    addButton(u"Rapports"_s, u"Tirages enregistrés"_s, u"Tirages enregistrés"_s);
    addButton(u"Programme"_s, u"Programme de la soirée"_s, u"Programme de la soirée"_s);
    addButton(u"Soiree"_s, u"Imprimer le résumé de la soirée"_s, u"Résumé de la soirée"_s);
    addButton(u"VoixClub"_s, u"Enregistrer ou importer la voix du club"_s, u"Voix du club"_s);
    addButton(u"Organisateur"_s, u"Nom, lieu et logo de l'organisateur"_s, u"Organisateur"_s);
    addButton(u"Apropos"_s, u"A propos !"_s, u"A propos"_s);
    addButton(u"Aide"_s, u"Un peu d'aide ?"_s, u"Aide"_s);
    addButton(u"Quitter"_s, u"Quitter l'application"_s, u"Quitter"_s);
    // The toolbar's own key for buttons that do not fit; read out like the others.
    if (auto* more = m_barreBoutons->findChild<QToolButton*>(u"qt_toolbar_ext_button"_s))
        more->setAccessibleName(u"Autres boutons"_s);

    auto* centre = new QWidget(this);
    centre->setObjectName(u"Fond"_s);
    setCentralWidget(centre);
    centre->installEventFilter(this);
    m_grilles->setParent(centre);
    m_grilles->setObjectName(u"Grilles"_s);
    m_grilles->setPixmap(svgPicture(u":/app/images/grilles.svg"_s, {413, 330}));
    m_grilles->resize(413, 330);
    m_grilles->setAccessibleName(u"Grilles de loto"_s);

    m_barre = new MainStatusBar(services.clock, *m_keys, this);
    setStatusBar(m_barre);
}

void Depart::addButton(const QString& key, const QString& toolTip, const QString& name)
{
    QAction* action =
        m_barreBoutons->addAction(QIcon(u":/app/icons/"_s + key.toLower() + u".svg"_s), name);
    action->setObjectName(key);
    action->setData(key);
    action->setToolTip(toolTip);
    connect(action, &QAction::triggered, this, [this, key] { BarreBoutons_ButtonClick(key); });
    if (QWidget* button = m_barreBoutons->widgetForAction(action)) {
        button->setObjectName(key);
        button->setAccessibleName(name);
        button->setAccessibleDescription(toolTip);
    }
}

void Depart::BarreBoutons_ButtonClick(const QString& key)
{
    if (key == u"Generateur") {
        openHidingPicture(new Generateur(m_services, this));
    } else if (key == u"Impression") {
        openHidingPicture(new Edition(m_services, m_services.printer, this));
    } else if (key == u"Tirage") {
        openDrawScreen();
    } else if (key == u"Rapports") {
        if (auto* window = TiragesEnregistres::open(m_services, Param::RecordFile(), this))
            window->show();
    } else if (key == u"Programme") {
        openProgramme();
    } else if (key == u"Soiree") {
        SeriesExport::printLatestEvening(m_services, Param::RecordFile(), this);
    } else if (key == u"VoixClub") {
        openClubVoices();
    } else if (key == u"Organisateur") {
        openHidingPicture(new OrganiserWindow(m_services, Param::OrganiserFile(), this));
    } else if (key == u"Apropos") {
        openHidingPicture(new Apropos(m_services, this));
    } else if (key == u"Aide") {
        HelpKey::pressF1(this);
    } else if (key == u"Quitter") {
        close();
    }
}

void Depart::openScreen(QWidget* screen, bool maximised)
{
    screen->setAttribute(Qt::WA_DeleteOnClose);
    // Modal over the main window only: the help window stays usable beside it.
    screen->setWindowModality(Qt::WindowModal);
    m_screen = screen;
    if (!maximised) {
        screen->move(geometry().center() - screen->rect().center());
        screen->show();
        return;
    }
    // Without a window manager "maximised" means nothing; fill the screen ourselves.
    if (const QScreen* display = this->screen())
        screen->setGeometry(display->availableGeometry());
    screen->showMaximized();
}

void Depart::openHidingPicture(QWidget* screen)
{
    // The screen's "Quitter" shows the picture again; so does closing it by its frame.
    m_grilles->hide();
    connect(screen, &QObject::destroyed, m_grilles, &QWidget::show);
    openScreen(screen, false);
}

void Depart::openProgramme()
{
    // The store lives as long as the window that reads and writes through it.
    auto* window = new ProgrammeWindow(m_services, m_programmes, Param::AppPath(), this);
    openScreen(window, false);
}

Depart::~Depart()
{
    // A recording window still open lets go of the microphone while it is there.
    delete m_screen;
}

void Depart::openClubVoices()
{
    if (!m_audioInput) {
        m_defaultInput = std::make_unique<QtAudioInput>();
        m_audioInput = m_defaultInput.get();
    }
    openHidingPicture(new ClubVoiceWindow(m_services, *m_audioInput, Param::VoiceFolder(), this));
}

void Depart::openDrawScreen()
{
    if (m_services.screen.width() < 800) {
        m_services.message(
            this, MsgIcon::Critical,
            u"Le tirage du loto nécessite un moniteur réglé en 800*600 minimum !!"_s);
        return;
    }
    openScreen(new Tirage(m_services, this), true);
}

bool Depart::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() && event->type() == QEvent::Resize)
        centreGrilles();
    return QMainWindow::eventFilter(watched, event);
}

void Depart::centreGrilles()
{
    const QWidget* centre = centralWidget();
    m_grilles->move((centre->width() - m_grilles->width()) / 2,
                    (centre->height() - m_grilles->height()) / 2);
}

void Depart::closeEvent(QCloseEvent* event)
{
    // Ending the program closes every window without a question.
    QMainWindow::closeEvent(event);
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window != this)
            window->close();
    }
}

#include "halldisplay.h"

#include "hallplacement.h"
#include "hallview.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

using namespace Qt::StringLiterals;

HallDisplay::HallDisplay(const DrawSeries& series, QWidget* operatorWindow)
    : QWidget(nullptr, Qt::Window), m_operator(operatorWindow), m_view(new HallView(series, this))
{
    setObjectName(u"Salle"_s);
    setWindowTitle(u"Numerella - Salle"_s);
    // It never keeps the program alive on its own, nor is kept by the draw.
    setAttribute(Qt::WA_QuitOnClose, false);
    // The operator keeps the keyboard when it appears.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setMinimumSize(320, 180);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view);
    m_view->setFocusPolicy(Qt::NoFocus);
    connect(qApp, &QGuiApplication::screenAdded, this, &HallDisplay::placeSoon);
    connect(qApp, &QGuiApplication::screenRemoved, this, &HallDisplay::placeSoon);
}

void HallDisplay::setTheme(HallThemeName name)
{
    m_view->setTheme(name);
}

void HallDisplay::placeSoon()
{
    // Qt moves windows off a screen that goes only after the signal: place
    // once it has.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            place();
    });
}

void HallDisplay::place()
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    QList<QRect> areas;
    for (QScreen* s : screens)
        areas.append(s->availableGeometry());
    const int operatorScreen = int(screens.indexOf(m_operator->screen()));
    std::optional<QRect> current;
    if (isVisible() && !m_ownScreen && !isFullScreen())
        current = geometry();
    else if (m_windowGeometry.isValid())
        current = m_windowGeometry;
    const HallPlacement where = placeHall(areas, operatorScreen, current);
    if (where.screen < 0)
        return;
    QScreen* screen = screens[where.screen];
    m_ownScreen = where.fullScreen;
    if (m_ownScreen) {
        if (isVisible() && !isFullScreen())
            m_windowGeometry = geometry();
        // Shown normal first, so the window manager moves it before it fills
        // the screen.
        if (isFullScreen())
            showNormal();
        setGeometry(screen->geometry());
        if (windowHandle())
            windowHandle()->setScreen(screen);
        showFullScreen();
        giveKeyboardBack();
        return;
    }
    if (isFullScreen())
        showNormal();
    setGeometry(where.geometry);
    show();
    // Sharing the operator's screen, it must at least be seen.
    raise();
}

void HallDisplay::giveKeyboardBack()
{
    // Some window managers activate a full-screen window whatever it asks:
    // the operator types the next number on the draw screen, not here.
    QTimer::singleShot(300, this, [this] {
        if (isActiveWindow())
            m_operator->activateWindow();
    });
}

void HallDisplay::hideEvent(QHideEvent* event)
{
    // Where the operator put it is where it comes back.
    if (!m_ownScreen && !isFullScreen())
        m_windowGeometry = geometry();
    QWidget::hideEvent(event);
}

void HallDisplay::toggleFullScreen()
{
    // On a screen of its own it stays full screen: nobody sits there to undo it.
    if (m_ownScreen)
        return;
    if (isFullScreen()) {
        showNormal();
        if (m_windowGeometry.isValid())
            setGeometry(m_windowGeometry);
        return;
    }
    m_windowGeometry = geometry();
    showFullScreen();
}

void HallDisplay::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F11) {
        toggleFullScreen();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        if (isFullScreen() && !m_ownScreen)
            toggleFullScreen();
        return;
    }
    emit operatorKey(event);
}

void HallDisplay::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    emit closed();
}

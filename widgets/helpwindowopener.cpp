#include "platform/helpopener.h"

#include "platform/helpplacement.h"
#include "platform/messagebox.h"
#include "platform/param.h"

#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {
const char TopicProperty[] = "numerellaHelpTopic";
const char KeptProperty[] = "numerellaHelpKeptInView";

// Escape closes the help, as it does a dialog.
class EscapeCloses : public QObject
{
public:
    explicit EscapeCloses(QWidget* window) : QObject(window), m_window(window) {}
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_Escape)
            return false;
        m_window->close();
        return true;
    }

private:
    QWidget* m_window;
};

// The whole window, title bar included, inside the room given.
void fitFrameInto(QWidget* window, const QRect& room)
{
    const QRect frame = window->frameGeometry();
    const QRect inside = window->geometry();
    const QMargins margins(inside.left() - frame.left(), inside.top() - frame.top(),
                           frame.right() - inside.right(), frame.bottom() - inside.bottom());
    window->setGeometry(room.marginsRemoved(margins));
}
} // namespace

QString helpAnchor(int topic)
{
    return topic == HelpTopic::Contents ? u"sommaire"_s : u"sujet"_s + QString::number(topic);
}

HelpWindowOpener::HelpWindowOpener(MessageBox& messages, QString helpFile)
    : m_messages(messages), m_helpFile(std::move(helpFile))
{}

HelpWindowOpener::~HelpWindowOpener()
{
    delete m_window; // it has no parent to take it along
}

void HelpWindowOpener::open(QWidget* from, int topic)
{
    QFile file(m_helpFile);
    if (!file.open(QIODevice::ReadOnly)) {
        m_messages.show(from,
                        {MsgIcon::Critical, MsgButtons::Ok, MsgAnswer::Ok, Param::AppTitle(),
                         u"Le fichier d'aide est introuvable ou illisible :\n"_s + m_helpFile});
        return;
    }
    const QString html = QString::fromUtf8(file.readAll());
    // No parent: the help stays open when the screen that asked is left, and
    // the screens' modality never blocks it.
    if (!m_window) {
        m_window = new QTextBrowser;
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setObjectName(u"Aide"_s);
        m_window->setAccessibleName(u"Aide de Numerella"_s);
        m_window->setOpenExternalLinks(true);
        m_window->installEventFilter(new EscapeCloses(m_window));
    }
    QWidget* screen = from ? from->window() : nullptr;
    // Placed afresh for another screen, or when it would hide what that screen keeps in view.
    const bool placeIt = !m_window->isVisible() || screen != m_placedFor ||
                         m_window->frameGeometry().intersects(HelpKey::keptInView(screen));
    m_window->setWindowTitle(Param::AppTitle() + u" - Aide"_s);
    m_window->setHtml(html);
    m_window->scrollToAnchor(helpAnchor(topic));
    m_window->show();
    if (placeIt)
        place(screen);
    m_window->raise();
    m_window->activateWindow();
}

QWidget* HelpWindowOpener::window() const
{
    return m_window;
}

void HelpWindowOpener::place(QWidget* from)
{
    m_placedFor = from;
    const QScreen* screen = from ? from->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        m_window->resize(640, 560);
        return;
    }
    const QRect room =
        HelpPlacement::beside(screen->availableGeometry(), HelpKey::keptInView(from));
    fitFrameInto(m_window, room);
    // A window manager adds its frame a moment after the window shows.
    QTimer::singleShot(300, m_window,
                       [window = m_window.data(), room] { fitFrameInto(window, room); });
}

HelpKey::HelpKey(HelpOpener& opener, QObject* parent) : QObject(parent), m_opener(opener) {}

bool HelpKey::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        !watched->isWidgetType())
        return false;
    QWidget* window = static_cast<QWidget*>(watched)->window();
    if (window->objectName() == u"Aide"_s)
        return true;
    QWidget* screen = screenOf(window);
    m_opener.open(screen, topicOf(screen));
    return true;
}

void HelpKey::setTopic(QWidget* window, int topic)
{
    window->setProperty(TopicProperty, topic);
}

QWidget* HelpKey::screenOf(QWidget* window)
{
    // A message box, the grid number prompt or an open list is a window of
    // its own whose parent is the screen it belongs to.
    for (QWidget* w = window; w; w = w->parentWidget() ? w->parentWidget()->window() : nullptr)
        if (w->property(TopicProperty).isValid())
            return w;
    return window;
}

int HelpKey::topicOf(const QWidget* window)
{
    const QWidget* screen = screenOf(const_cast<QWidget*>(window));
    const QVariant topic = screen ? screen->property(TopicProperty) : QVariant();
    return topic.isValid() ? topic.toInt() : HelpTopic::Contents;
}

void HelpKey::setKeptInView(QWidget* window, QWidget* part)
{
    window->setProperty(KeptProperty, QVariant::fromValue(static_cast<QObject*>(part)));
}

QRect HelpKey::keptInView(const QWidget* window)
{
    if (!window)
        return {};
    const auto* part =
        qobject_cast<const QWidget*>(window->property(KeptProperty).value<QObject*>());
    if (part && part->isVisible())
        return {part->mapToGlobal(QPoint(0, 0)), part->size()};
    return window->frameGeometry();
}

void HelpKey::pressF1(QWidget* window)
{
    QCoreApplication::postEvent(window,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
}

#include "helpopener.h"

#include "messagebox.h"
#include "param.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {
const char TopicProperty[] = "numerellaHelpTopic";
}

QString helpAnchor(int topic)
{
    return topic == HelpTopic::Contents ? u"sommaire"_s : u"sujet"_s + QString::number(topic);
}

HelpWindowOpener::HelpWindowOpener(MessageBox& messages, QString helpFile)
    : m_messages(messages), m_helpFile(std::move(helpFile))
{}

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
    // A window owned by the calling screen stays usable while that screen is modal.
    QWidget* owner = from ? from->window() : nullptr;
    if (!m_window || m_window->parentWidget() != owner) {
        delete m_window;
        m_window = new QTextBrowser(owner);
        m_window->setWindowFlag(Qt::Window);
        m_window->setAttribute(Qt::WA_DeleteOnClose);
        m_window->setObjectName(u"Aide"_s);
        m_window->setOpenExternalLinks(true);
        m_window->resize(640, 560);
    }
    m_window->setWindowTitle(Param::AppTitle() + u" - Aide"_s);
    m_window->setHtml(html);
    m_window->scrollToAnchor(helpAnchor(topic));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
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
    m_opener.open(window, topicOf(window));
    return true;
}

void HelpKey::setTopic(QWidget* window, int topic)
{
    window->setProperty(TopicProperty, topic);
}

int HelpKey::topicOf(const QWidget* window)
{
    const QVariant topic = window ? window->property(TopicProperty) : QVariant();
    return topic.isValid() ? topic.toInt() : HelpTopic::Contents;
}

void HelpKey::pressF1(QWidget* window)
{
    QCoreApplication::postEvent(window,
                                new QKeyEvent(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier));
}

#include "hallcontrol.h"

#include "evening/organiser.h"
#include "halldisplay.h"
#include "hallview.h"
#include "platform/param.h"
#include "platform/services.h"

#include <QKeyEvent>

#include <utility>

using namespace Qt::StringLiterals;

HallControl::HallControl(Services& services, const DrawSeries& series, QWidget* operatorWindow,
                         const QString& themePath)
    : QObject(operatorWindow), m_services(services), m_series(series), m_operator(operatorWindow),
      m_store(themePath), m_theme(m_store.load())
{}

HallControl::~HallControl() = default;

bool HallControl::isShown() const
{
    return m_display && m_display->isVisible();
}

void HallControl::toggle()
{
    if (isShown()) {
        close();
        return;
    }
    if (!m_display) {
        m_display = std::make_unique<HallDisplay>(m_series, m_operator);
        m_display->setTheme(m_theme);
        m_display->view()->setOrganiserName(Organiser::read(Param::OrganiserFile()).name);
        m_display->view()->setInvitation(m_invitation);
        connect(m_display.get(), &HallDisplay::operatorKey, this, &HallControl::operatorKey);
        connect(m_display.get(), &HallDisplay::closed, this, [this] { emit shownChanged(false); });
    }
    m_display->place();
    emit shownChanged(true);
}

void HallControl::close()
{
    if (!isShown())
        return;
    m_display->hide();
    emit shownChanged(false);
}

void HallControl::setTheme(HallThemeName name)
{
    m_theme = name;
    if (m_display)
        m_display->setTheme(name);
    emit themeChanged();
    const QString why = m_store.save(name);
    // Said once: the operator switching back and forth knows it already.
    if (!why.isEmpty() && !std::exchange(m_saveFailureSaid, true))
        m_services.message(m_operator, MsgIcon::Exclamation,
                           u"Le thème de l'écran de la salle ne pourra pas être retenu pour la "
                           "prochaine fois :\n"_s +
                               why);
}

void HallControl::setInvitation(const QString& address)
{
    m_invitation = address;
    if (m_display)
        m_display->view()->setInvitation(address);
}

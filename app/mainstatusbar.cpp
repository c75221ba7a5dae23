#include "mainstatusbar.h"

#include "platform/clock.h"
#include "platform/keystates.h"
#include "platform/param.h"

#include <QLabel>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {
// A panel asks for its design width but gives room back down to its text's
// width, so the bar fits an 800-pixel screen with the date and time in view.
class StatusPanel : public QLabel
{
public:
    StatusPanel(int designWidth, QWidget* parent) : QLabel(parent), m_designWidth(designWidth) {}
    QSize sizeHint() const override
    {
        const QSize text = QLabel::sizeHint();
        return {std::max(text.width(), m_designWidth), text.height()};
    }

private:
    int m_designWidth;
};
} // namespace

MainStatusBar::MainStatusBar(const Clock& clock, KeyStates& keys, QWidget* parent)
    : QStatusBar(parent), m_clock(clock), m_keys(keys)
{
    setObjectName(u"Barre"_s);
    setSizeGripEnabled(false);
    addPanel(518, false)->setText(statusPanelText());
    const QStringList indicators = {u"DEFIL"_s, u"INS"_s, u"MAJ"_s, u"NUM"_s};
    for (const QString& caption : indicators)
        addPanel(70, true)->setText(caption);
    addPanel(113, true)->setAccessibleDescription(u"Date du jour"_s);
    addPanel(70, true)->setAccessibleDescription(u"Heure"_s);

    connect(&m_keys, &KeyStates::changed, this, &MainStatusBar::refresh);
    connect(&m_ticker, &QTimer::timeout, this, [this] {
        m_keys.poll();
        refresh();
    });
    m_ticker.start(500);
    refresh();
}

QLabel* MainStatusBar::addPanel(int width, bool permanent)
{
    auto* label = new StatusPanel(width, this);
    label->setObjectName(u"Panel%1"_s.arg(m_panels.size() + 1));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setAlignment(permanent ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    if (permanent)
        addPermanentWidget(label);
    else
        addWidget(label, 1);
    m_panels.append(label);
    return label;
}

void MainStatusBar::refresh()
{
    // An indicator whose key is off is shown greyed, as on a keyboard. Greyed
    // reads out as "unavailable", and "DEFIL" means little spoken: the
    // description says which key it is and whether it is on.
    const bool states[] = {m_keys.scrollLock(), m_keys.insert(), m_keys.capsLock(),
                           m_keys.numLock()};
    static const QString names[] = {u"Arrêt défilement"_s, u"Mode insertion"_s,
                                    u"Verrouillage des majuscules"_s,
                                    u"Verrouillage du pavé numérique"_s};
    for (int i = 0; i < 4; ++i) {
        QLabel* indicator = m_panels[i + 1];
        indicator->setEnabled(states[i]);
        const QString spoken = names[i] + (states[i] ? u" : activé"_s : u" : désactivé"_s);
        if (indicator->accessibleDescription() != spoken)
            indicator->setAccessibleDescription(spoken);
    }
    const QDateTime now = m_clock.now();
    m_panels[5]->setText(now.toString(u"dd/MM/yyyy"_s));
    m_panels[6]->setText(now.toString(u"HH:mm"_s));
}

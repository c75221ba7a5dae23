#include "drawtoolbar.h"

#include <QButtonGroup>
#include <QIcon>
#include <QToolButton>

using namespace Qt::StringLiterals;

DrawToolBar::DrawToolBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(u"Barre"_s);
    addButton(u"ChoixFichier"_s, u"Choisir un fichier de tirage"_s);
    addButton(u"Chrono"_s, u"Tirage minuté"_s)->setCheckable(true);
    addButton(u"Tirage"_s, u"Tirage du loto (Espace)"_s, u"Tirage du loto"_s);
    addButton(u"Boulier"_s, u"Tirage au boulier : taper les numéros sortis"_s,
              u"Tirage au boulier"_s)
        ->setCheckable(true);
    addButton(u"Annuler"_s, u"Annuler le dernier numéro (Ctrl+Z)"_s,
              u"Annuler le dernier numéro"_s);
    addButton(u"Repeter"_s, u"Répéter le dernier nombre tiré (R)"_s,
              u"Répéter le dernier nombre tiré"_s);
    QToolButton* femme = addButton(u"Femme"_s, u"Voix féminine"_s);
    QToolButton* homme = addButton(u"Homme"_s, u"Voix masculine"_s);
    // Its menu lists every voice; pressed while a club voice calls.
    QToolButton* club = addButton(u"Voix"_s, u"Voix du club"_s);
    addButton(u"VerifLigne"_s, u"Vérifier une ligne (L)"_s, u"Vérifier une ligne"_s);
    addButton(u"VerifGrille"_s, u"Vérifier une grille (G)"_s, u"Vérifier une grille"_s);
    addButton(u"Salle"_s, u"Écran de la salle (F5)"_s, u"Écran de la salle"_s)->setCheckable(true);
    addButton(u"Telephones"_s, u"Téléphones des joueurs (F6)"_s, u"Téléphones des joueurs"_s)
        ->setCheckable(true);
    addButton(u"Theme"_s, u"Thème sombre pour l'écran de la salle"_s)->setCheckable(true);
    addButton(u"Rapport"_s, u"Rapport du tirage"_s);
    addButton(u"Reinitialiser"_s, u"Réinitialiser le tirage"_s);
    addButton(u"Apropos"_s, u"A propos (F1)"_s, u"A propos"_s);
    addButton(u"Quitter"_s, u"Quitter l'écran du tirage"_s);

    auto* voices = new QButtonGroup(this);
    voices->setExclusive(true);
    for (QToolButton* voice : {femme, homme, club}) {
        voice->setCheckable(true);
        voices->addButton(voice);
    }
    femme->setChecked(true);
}

QToolButton* DrawToolBar::addButton(const QString& key, const QString& toolTip, const QString& name)
{
    auto* button = new QToolButton(this);
    button->setObjectName(key);
    button->setToolTip(toolTip);
    button->setAccessibleName(name.isEmpty() ? toolTip : name);
    button->setIcon(QIcon(u":/draw/icons/"_s + key.toLower() + u".svg"_s));
    button->setAutoRaise(false);
    button->setFocusPolicy(Qt::NoFocus);
    // A switch says so when it changes, however it is changed: a click, or a
    // screen reader's toggle action, which never clicks.
    connect(button, &QToolButton::clicked, this, [this, key, button] {
        if (!button->isCheckable())
            emit buttonClicked(key);
    });
    connect(button, &QToolButton::toggled, this, [this, key] { emit buttonClicked(key); });
    m_keys.append(key);
    m_buttons.insert(key, button);
    return button;
}

void DrawToolBar::resizeEvent(QResizeEvent*)
{
    // Two rows, as the toolbar wraps in its narrow slot under the boards.
    const int perRow = int(m_keys.size() + 1) / 2;
    const int w = width() / perRow;
    const int h = height() / 2;
    const int icon = std::max(8, std::min(w, h) - 8);
    for (int i = 0; i < m_keys.size(); ++i) {
        QToolButton* b = m_buttons.value(m_keys[i]);
        b->setGeometry((i % perRow) * w, (i / perRow) * h, w, h);
        b->setIconSize({icon, icon});
    }
}

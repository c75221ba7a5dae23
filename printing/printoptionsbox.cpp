#include "printoptionsbox.h"

#include "platform/services.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

PrintOptionsBox::PrintOptionsBox(Services& services, QWidget* parent)
    : QFrame(parent), m_services(services), m_cards(new QComboBox(this)),
      m_large(new QCheckBox(u"&Gros caractères"_s, this)), m_first(new QLineEdit(this)),
      m_last(new QLineEdit(this)), m_preview(new QPushButton(u"&Aperçu"_s, this))
{
    setObjectName(u"OptionsImpression"_s);
    auto* cardsLabel = new QLabel(u"&Cartes par page"_s, this);
    cardsLabel->setBuddy(m_cards);
    m_cards->setObjectName(u"CartesParPage"_s);
    m_cards->setAccessibleName(u"Cartes par page"_s);
    m_cards->view()->setAccessibleName(u"Nombres de cartes par page"_s);
    for (int n : PrintOptions::cardChoices())
        m_cards->addItem(QString::number(n), n);
    m_cards->setCurrentIndex(int(PrintOptions::cardChoices().indexOf(PrintOptions().cardsPerPage)));
    m_large->setObjectName(u"GrosCaracteres"_s);
    m_large->setAccessibleName(u"Gros caractères"_s);
    m_large->setAccessibleDescription(u"Chiffres de plus de 2 cm, pour 1 ou 2 cartes par page"_s);

    auto* firstLabel = new QLabel(u"Grilles &de"_s, this);
    firstLabel->setBuddy(m_first);
    auto* lastLabel = new QLabel(u"à"_s, this);
    lastLabel->setBuddy(m_last);
    m_first->setObjectName(u"PremiereGrille"_s);
    m_first->setAccessibleName(u"Grilles de"_s);
    m_first->setAccessibleDescription(u"Numéro de la première grille à imprimer"_s);
    m_last->setObjectName(u"DerniereGrille"_s);
    m_last->setAccessibleName(u"à"_s);
    m_last->setAccessibleDescription(u"Numéro de la dernière grille à imprimer"_s);
    for (QLineEdit* field : {m_first, m_last}) {
        field->setMaxLength(12);
        field->setFixedWidth(70);
    }
    m_preview->setObjectName(u"Apercu"_s);
    m_preview->setAccessibleName(u"Aperçu"_s);
    m_preview->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->addWidget(cardsLabel, 0, 0);
    grid->addWidget(m_cards, 0, 1);
    grid->addWidget(m_large, 0, 2, 1, 3);
    grid->addWidget(firstLabel, 1, 0);
    auto* range = new QHBoxLayout;
    range->addWidget(m_first);
    range->addWidget(lastLabel);
    range->addWidget(m_last);
    range->addStretch();
    grid->addLayout(range, 1, 1, 1, 2);
    grid->addWidget(m_preview, 1, 4);
    grid->setColumnStretch(3, 1);

    setTabOrder(m_cards, m_large);
    setTabOrder(m_large, m_first);
    setTabOrder(m_first, m_last);
    setTabOrder(m_last, m_preview);
    connect(m_cards, &QComboBox::currentIndexChanged, this, &PrintOptionsBox::cardsChanged);
    connect(m_preview, &QPushButton::clicked, this, &PrintOptionsBox::previewClicked);
    cardsChanged();
}

void PrintOptionsBox::cardsChanged()
{
    const bool allowed = PrintOptions::largeAllowed(m_cards->currentData().toInt());
    m_large->setEnabled(allowed);
    if (!allowed)
        m_large->setChecked(false);
}

void PrintOptionsBox::setGridCount(int count)
{
    m_gridCount = count;
    m_first->setText(count > 0 ? u"1"_s : QString());
    m_last->setText(count > 0 ? QString::number(count) : QString());
}

std::optional<PrintOptions> PrintOptionsBox::read()
{
    const GridRange range = GridRange::read(m_first->text(), m_last->text(), m_gridCount);
    if (!range.range) {
        m_services.message(window(), MsgIcon::Critical, range.refusal);
        QLineEdit* field = range.firstAtFault ? m_first : m_last;
        field->setFocus();
        field->selectAll();
        return std::nullopt;
    }
    PrintOptions options;
    options.cardsPerPage = m_cards->currentData().toInt();
    options.large = m_large->isChecked() && m_large->isEnabled();
    if (*range.range != std::pair(1, m_gridCount))
        options.range = range.range;
    return options;
}

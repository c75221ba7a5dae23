#include "resultpanel.h"

#include "widgets/panellabel.h"
#include "widgets/twiplayout.h"

#include <QPushButton>

using namespace Qt::StringLiterals;

ResultPanel::ResultPanel(QWidget* parent, TwipLayout& layout) : QFrame(parent)
{
    setObjectName(u"ResultatGrille"_s);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(grey);

    for (int r = 1; r <= 3; ++r) {
        for (int c = 1; c <= 9; ++c) {
            QLabel* cell = makePanelLabel(this, u"CaseGrille(%1)"_s.arg(9 * (r - 1) + c), Qt::white,
                                          palette().color(QPalette::ButtonText), true);
            layout.place(cell, {120 + 960 * (c - 1), 120 + 1320 * (r - 1), 975, 1335}, 36);
            m_cells.append(cell);
        }
    }
    m_subtitle =
        makePanelLabel(this, u"SousTitre"_s, QColor(192, 192, 192), QColor(255, 0, 0), true);
    m_subtitle->setText(u"Résultat"_s);
    layout.place(m_subtitle, {120, 4320, 7575, 495}, 12);

    m_close = new QPushButton(u"&Quitter"_s, this);
    m_close->setObjectName(u"Quitter"_s);
    layout.place(m_close, {7800, 4320, 975, 495}, 8.25);
    connect(m_close, &QPushButton::clicked, this, &ResultPanel::closeClicked);

    m_details = makePanelLabel(this, u"Details"_s, QColor(192, 192, 192), Qt::black, false, false);
    m_details->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_details->setWordWrap(true);
    m_details->setAccessibleName(u"Détails du résultat"_s);
    layout.place(m_details, {120, 4875, 5775, 630}, 9);
    m_validate = new QPushButton(u"&Valider le gagnant"_s, this);
    m_validate->setObjectName(u"ValiderGagnant"_s);
    m_validate->setAccessibleName(u"Valider le gagnant"_s);
    layout.place(m_validate, {6000, 4875, 2775, 630}, 9);
    connect(m_validate, &QPushButton::clicked, this, &ResultPanel::validateClicked);
}

void ResultPanel::showValidated(const QString& text)
{
    m_details->setText(text);
    m_details->setAccessibleName(text);
    m_validate->hide();
    m_close->setFocus();
}

void ResultPanel::showResult(const QString& title, const std::array<QString, 27>& cellTexts,
                             const QList<int>& redCells, const QString& details, bool validatable)
{
    m_subtitle->setText(title);
    m_details->setText(details);
    m_details->setAccessibleName(details.isEmpty() ? u"Détails du résultat"_s : details);
    m_validate->setVisible(validatable);
    for (int i = 1; i <= 27; ++i) {
        QLabel* box = cell(i);
        QPalette palette = box->palette();
        palette.setColor(QPalette::WindowText, redCells.contains(i)
                                                   ? QColor(255, 0, 0)
                                                   : this->palette().color(QPalette::ButtonText));
        box->setPalette(palette);
        const QString& text = cellTexts[std::size_t(i - 1)];
        box->setText(text);
        // Red is lost on a screen reader, and an empty cell would say nothing.
        box->setAccessibleName(
            u"Ligne %1, colonne %2 : "_s.arg((i - 1) / 9 + 1).arg((i - 1) % 9 + 1) +
            (text.isEmpty() ? u"vide"_s : text) +
            (redCells.contains(i) ? u", ligne gagnante"_s : QString()));
    }
}

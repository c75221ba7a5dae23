#include "programmewindow.h"

#include "grids/gridfilename.h"
#include "grids/gridfolder.h"
#include "platform/services.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
constexpr int PhaseColumn = 1; // columns 1..3: Quine, Double quine, Carton plein

QTableWidgetItem* phaseItem(bool played, const QString& prize)
{
    auto* item = new QTableWidgetItem(prize);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable |
                   Qt::ItemIsUserCheckable);
    item->setCheckState(played ? Qt::Checked : Qt::Unchecked);
    return item;
}
} // namespace

ProgrammeWindow::ProgrammeWindow(Services& services, const ProgrammeStore& store,
                                 const QString& appPath, QWidget* parent)
    : QDialog(parent), m_services(services), m_store(store), m_appPath(appPath),
      m_files(new QComboBox(this)), m_table(new QTableWidget(0, 4, this)),
      m_sold(new QLineEdit(this))
{
    setObjectName(u"Programme"_s);
    setWindowTitle(u"Programme de la soirée"_s);
    resize(760, 460);

    m_files->setObjectName(u"Fichier"_s);
    m_files->setAccessibleName(u"Fichier de grilles de la soirée"_s);
    m_files->setAccessibleDescription(u"Le programme est propre à chaque fichier de grilles"_s);
    for (const QString& name : GridFolder::list(appPath))
        m_files->addItem(drawTitle(*GridFileName::parse(name)), name);
    connect(m_files, &QComboBox::activated, this, [this](int index) {
        if (settleChanges())
            showFile(m_files->itemData(index).toString());
        else
            m_files->setCurrentIndex(m_files->findData(m_fileName));
    });

    m_table->setObjectName(u"Parties"_s);
    m_table->setAccessibleName(u"Parties de la soirée"_s);
    m_table->setAccessibleDescription(
        u"Une ligne par partie ; cochez les phases jouées et tapez leur lot"_s);
    m_table->setHorizontalHeaderLabels(
        {u"Partie"_s, u"Quine : lot"_s, u"Double quine : lot"_s, u"Carton plein : lot"_s});
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    m_table->verticalHeader()->hide();
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_table, &QTableWidget::currentCellChanged, this, &ProgrammeWindow::refreshButtons);

    m_sold->setObjectName(u"GrillesVendues"_s);
    m_sold->setAccessibleName(u"Grilles vendues"_s);
    m_sold->setPlaceholderText(u"par exemple 1-350, 401-480 ; vide : toutes les grilles"_s);
    // No cap on the field: a paste too long would be cut without a word;
    // saving refuses it whole instead.

    auto* rows = new QHBoxLayout;
    rows->addWidget(addButton(u"Ajouter une partie"_s, u"Ajouter"_s));
    rows->addWidget(addButton(u"Supprimer la partie"_s, u"Supprimer"_s));
    rows->addWidget(addButton(u"Monter"_s, u"Monter"_s));
    rows->addWidget(addButton(u"Descendre"_s, u"Descendre"_s));
    rows->addStretch();
    connect(button(u"Ajouter"_s), &QPushButton::clicked, this, &ProgrammeWindow::addGame);
    connect(button(u"Supprimer"_s), &QPushButton::clicked, this, &ProgrammeWindow::removeGame);
    connect(button(u"Monter"_s), &QPushButton::clicked, this, [this] { moveGame(-1); });
    connect(button(u"Descendre"_s), &QPushButton::clicked, this, [this] { moveGame(+1); });

    auto* form = new QFormLayout;
    form->addRow(u"&Fichier de grilles :"_s, m_files);
    form->addRow(u"Grilles &vendues :"_s, m_sold);

    auto* closing = new QHBoxLayout;
    closing->addStretch();
    closing->addWidget(addButton(u"&Enregistrer"_s, u"Enregistrer"_s));
    closing->addWidget(addButton(u"Fermer"_s, u"Fermer"_s));
    connect(button(u"Enregistrer"_s), &QPushButton::clicked, this, &ProgrammeWindow::save);
    connect(button(u"Fermer"_s), &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_table);
    layout->addLayout(rows);
    layout->addLayout(closing);

    if (m_files->count() > 0)
        showFile(m_files->itemData(0).toString());
    else
        fill(Programme::standard());
}

void ProgrammeWindow::refreshButtons()
{
    const int row = m_table->currentRow();
    button(u"Supprimer"_s)->setEnabled(row >= 0);
    button(u"Monter"_s)->setEnabled(row > 0);
    button(u"Descendre"_s)->setEnabled(row >= 0 && row + 1 < m_table->rowCount());
}

bool ProgrammeWindow::isModified() const
{
    QString why;
    const std::optional<Programme> shown = read(why);
    return !shown || *shown != m_saved;
}

bool ProgrammeWindow::settleChanges()
{
    if (m_fileName.isEmpty() || !isModified())
        return true;
    if (m_services.message(this, MsgIcon::Question,
                           u"Le programme a été modifié sans être enregistré.\n\n"
                           "Voulez-vous l'enregistrer ?"_s,
                           MsgButtons::YesNo) != MsgAnswer::Yes)
        return true;
    return save();
}

void ProgrammeWindow::reject()
{
    if (settleChanges())
        QDialog::reject();
}

QPushButton* ProgrammeWindow::addButton(const QString& text, const QString& name)
{
    auto* b = new QPushButton(text, this);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QPushButton* ProgrammeWindow::button(const QString& name) const
{
    return findChild<QPushButton*>(name);
}

void ProgrammeWindow::showFile(const QString& fileName)
{
    m_fileName = fileName;
    m_files->setCurrentIndex(m_files->findData(fileName));
    const ProgrammeStore::Loaded loaded = m_store.load(fileName);
    fill(loaded.programme);
    m_saved = loaded.programme;
    if (!loaded.problem.isEmpty())
        m_services.message(this, MsgIcon::Exclamation, loaded.problem);
}

void ProgrammeWindow::fill(const Programme& programme)
{
    m_table->setRowCount(0);
    for (const ProgrammeGame& game : programme.games)
        addRow(game);
    m_sold->setText(programme.sold.text());
    m_table->setCurrentCell(0, PhaseColumn);
    refreshButtons();
}

void ProgrammeWindow::addRow(const ProgrammeGame& game)
{
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    auto* title = new QTableWidgetItem;
    title->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    m_table->setItem(row, 0, title);
    for (int p = 0; p < 3; ++p) {
        const Phase phase = AllPhases[p];
        const auto it = std::find_if(game.phases.begin(), game.phases.end(),
                                     [phase](const PhasePrize& pp) { return pp.phase == phase; });
        m_table->setItem(
            row, PhaseColumn + p,
            phaseItem(it != game.phases.end(), it != game.phases.end() ? it->prize : QString()));
    }
    renumber();
}

void ProgrammeWindow::renumber()
{
    for (int row = 0; row < m_table->rowCount(); ++row)
        m_table->item(row, 0)->setText(u"Partie %1"_s.arg(row + 1));
}

void ProgrammeWindow::addGame()
{
    if (m_table->rowCount() >= Programme::MaxGames) {
        m_services.message(
            this, MsgIcon::Exclamation,
            u"Le programme ne peut pas compter plus de %1 parties."_s.arg(Programme::MaxGames));
        return;
    }
    addRow(Programme::standard().games.first());
    m_table->setCurrentCell(m_table->rowCount() - 1, PhaseColumn);
    refreshButtons();
}

void ProgrammeWindow::removeGame()
{
    const int row = m_table->currentRow();
    if (row < 0)
        return;
    m_table->removeRow(row);
    renumber();
    m_table->setCurrentCell(std::min(row, m_table->rowCount() - 1), PhaseColumn);
    refreshButtons();
}

void ProgrammeWindow::moveGame(int step)
{
    const int row = m_table->currentRow();
    const int to = row + step;
    if (row < 0 || to < 0 || to >= m_table->rowCount())
        return;
    for (int column = PhaseColumn; column < m_table->columnCount(); ++column) {
        QTableWidgetItem* a = m_table->takeItem(row, column);
        QTableWidgetItem* b = m_table->takeItem(to, column);
        m_table->setItem(row, column, b);
        m_table->setItem(to, column, a);
    }
    m_table->setCurrentCell(to, m_table->currentColumn());
    refreshButtons();
}

std::optional<Programme> ProgrammeWindow::read(QString& why) const
{
    Programme programme;
    for (int row = 0; row < m_table->rowCount(); ++row) {
        ProgrammeGame game;
        for (int p = 0; p < 3; ++p) {
            const QTableWidgetItem* item = m_table->item(row, PhaseColumn + p);
            if (item->checkState() == Qt::Checked)
                game.phases.append({AllPhases[p], item->text().trimmed()});
            else if (!item->text().trimmed().isEmpty()) {
                why = u"La partie %1 a un lot pour la phase « %2 », qui n'est pas cochée."_s
                          .arg(row + 1)
                          .arg(phaseLabel(AllPhases[p]));
                return std::nullopt;
            }
        }
        programme.games.append(game);
    }
    const std::optional<SoldGrids> sold = SoldGrids::parse(m_sold->text(), &why);
    if (!sold)
        return std::nullopt;
    programme.sold = *sold;
    // Grids the file does not hold cannot have been sold.
    const std::optional<GridFileName> name = GridFileName::parse(m_fileName);
    if (name && !sold->ranges().isEmpty() && sold->ranges().last().second > name->count) {
        why = u"Le fichier de grilles ne compte que %1 grilles : les grilles vendues ne peuvent "
              "pas aller au-delà de la grille %1."_s.arg(name->count);
        return std::nullopt;
    }
    why = programme.fault();
    if (!why.isEmpty())
        return std::nullopt;
    return programme;
}

bool ProgrammeWindow::save()
{
    if (m_fileName.isEmpty()) {
        m_services.message(this, MsgIcon::Exclamation,
                           u"Il n'y a aucun fichier de grilles : créez-en un avec le générateur "
                           "avant de préparer le programme."_s);
        return false;
    }
    QString why;
    const std::optional<Programme> programme = read(why);
    if (!programme) {
        m_services.message(this, MsgIcon::Exclamation, why);
        return false;
    }
    why = m_store.save(m_fileName, *programme);
    if (!why.isEmpty()) {
        m_services.message(this, MsgIcon::Critical,
                           u"Le programme n'a pas pu être enregistré :\n"_s + why);
        return false;
    }
    m_sold->setText(programme->sold.text());
    m_saved = *programme;
    return true;
}

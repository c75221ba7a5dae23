#include "tiragesenregistres.h"

#include "game/gamerecord.h"
#include "platform/counttext.h"
#include "platform/helpopener.h"
#include "platform/services.h"
#include "seriesexport.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

TiragesEnregistres* TiragesEnregistres::open(Services& services, const QString& recordPath,
                                             QWidget* parent, qint64 current)
{
    if (recordPath.isEmpty()) {
        services.message(parent, MsgIcon::Exclamation,
                         u"Aucun registre des tirages n'est tenu sur cet ordinateur."_s);
        return nullptr;
    }
    auto record = std::make_unique<GameRecord>(recordPath);
    try {
        record->open();
    } catch (const RecordError& e) {
        services.message(parent, MsgIcon::Critical, e.message());
        return nullptr;
    }
    auto* window = new TiragesEnregistres(services, std::move(record), current, parent);
    window->fillList();
    window->select(current);
    return window;
}

TiragesEnregistres::TiragesEnregistres(Services& services, std::unique_ptr<GameRecord> record,
                                       qint64 current, QWidget* parent)
    : QDialog(parent), m_services(services), m_record(std::move(record)), m_current(current),
      m_liste(new QTreeWidget(this)), m_vide(new QLabel(this)),
      m_imprimer(new QPushButton(u"&Imprimer le rapport"_s, this)),
      m_exporter(new QPushButton(u"&Exporter en CSV"_s, this)),
      m_supprimer(new QPushButton(u"&Supprimer"_s, this))
{
    setObjectName(u"TiragesEnregistres"_s);
    setWindowTitle(u"Tirages enregistrés"_s);
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_DeleteOnClose);
    HelpKey::setTopic(this, HelpTopic::Draw);
    resize(720, 420);

    m_liste->setObjectName(u"Liste"_s);
    m_liste->setAccessibleName(u"Tirages enregistrés"_s);
    m_liste->setAccessibleDescription(u"Date, tirage, numéros tirés et état de chaque tirage, "
                                      "le plus récent en premier"_s);
    m_liste->setHeaderLabels({u"Date"_s, u"Tirage"_s, u"Numéros"_s, u"État"_s});
    m_liste->setRootIsDecorated(false);
    m_liste->setUniformRowHeights(true);
    m_liste->setAllColumnsShowFocus(true);
    m_liste->header()->setStretchLastSection(false);
    m_liste->header()->setSectionResizeMode(1, QHeaderView::Stretch);
    connect(m_liste, &QTreeWidget::currentItemChanged, this, &TiragesEnregistres::refreshButtons);

    m_vide->setObjectName(u"Vide"_s);
    m_vide->setText(u"Aucun tirage n'est encore enregistré."_s);

    auto* fermer = new QPushButton(u"&Fermer"_s, this);
    const QList<QPair<QPushButton*, QString>> buttons{{m_imprimer, u"Imprimer"_s},
                                                      {m_exporter, u"Exporter"_s},
                                                      {m_supprimer, u"Supprimer"_s},
                                                      {fermer, u"Fermer"_s}};
    auto* row = new QHBoxLayout;
    for (const auto& [button, name] : buttons) {
        button->setObjectName(name);
        button->setAutoDefault(false);
        row->addWidget(button);
    }
    row->insertStretch(3);
    connect(m_imprimer, &QPushButton::clicked, this, &TiragesEnregistres::Imprimer_Click);
    connect(m_exporter, &QPushButton::clicked, this, &TiragesEnregistres::Exporter_Click);
    connect(m_supprimer, &QPushButton::clicked, this, &TiragesEnregistres::Supprimer_Click);
    connect(fermer, &QPushButton::clicked, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_liste);
    layout->addWidget(m_vide);
    layout->addLayout(row);
}

TiragesEnregistres::~TiragesEnregistres() = default;

void TiragesEnregistres::fillList()
{
    try {
        m_summaries = m_record->summaries();
    } catch (const RecordError& e) {
        m_summaries.clear();
        sayRecordError(e.message());
    }
    m_liste->clear();
    for (const SeriesSummary& s : std::as_const(m_summaries)) {
        // Open but not on the draw screen now: left by a crash or by "Quitter".
        const QString state = s.id == m_current              ? u"en cours"_s
                              : s.state == SeriesState::Open ? u"interrompu"_s
                                                             : stateLabel(s.state);
        auto* item = new QTreeWidgetItem(m_liste, {s.started.toString(u"dd/MM/yyyy hh:mm"_s),
                                                   s.title, QString::number(s.numbers), state});
        item->setData(0, Qt::UserRole, s.id);
        item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    }
    for (int c : {0, 2, 3})
        m_liste->resizeColumnToContents(c);
    m_liste->setCurrentItem(m_liste->topLevelItem(0));
    m_vide->setVisible(m_summaries.isEmpty());
    refreshButtons();
}

qint64 TiragesEnregistres::selectedId() const
{
    const QTreeWidgetItem* item = m_liste->currentItem();
    return item ? item->data(0, Qt::UserRole).toLongLong() : 0;
}

void TiragesEnregistres::select(qint64 id)
{
    for (int i = 0; i < m_liste->topLevelItemCount(); ++i)
        if (m_liste->topLevelItem(i)->data(0, Qt::UserRole).toLongLong() == id)
            m_liste->setCurrentItem(m_liste->topLevelItem(i));
}

void TiragesEnregistres::refreshButtons()
{
    const bool chosen = selectedId() != 0;
    m_imprimer->setEnabled(chosen);
    m_exporter->setEnabled(chosen);
    m_supprimer->setEnabled(chosen);
}

void TiragesEnregistres::sayRecordError(const QString& message)
{
    m_services.message(this, MsgIcon::Critical, message);
}

std::optional<RecordedSeries> TiragesEnregistres::readSelected()
{
    try {
        RecordedSeries series = m_record->series(selectedId());
        if (series.id != 0)
            return series;
        m_services.message(this, MsgIcon::Exclamation, u"Ce tirage n'est plus dans le registre."_s);
        fillList();
    } catch (const RecordError& e) {
        sayRecordError(e.message());
    }
    return std::nullopt;
}

void TiragesEnregistres::Imprimer_Click()
{
    if (const std::optional<RecordedSeries> series = readSelected())
        SeriesExport::printReport(m_services, *series, this);
}

void TiragesEnregistres::Exporter_Click()
{
    if (const std::optional<RecordedSeries> series = readSelected())
        SeriesExport::exportCsv(m_services, *series, this);
}

void TiragesEnregistres::Supprimer_Click()
{
    const qint64 id = selectedId();
    if (id == 0)
        return;
    if (id == m_current) {
        m_services.message(this, MsgIcon::Exclamation,
                           u"Ce tirage est en cours : il ne peut pas être supprimé."_s);
        return;
    }
    const QTreeWidgetItem* item = m_liste->currentItem();
    const QString question = u"Voulez-vous supprimer du registre le tirage du "_s + item->text(0) +
                             u" ("_s + item->text(1) + u", "_s +
                             countText(item->text(2).toInt(), u"numéro"_s, u"numéros"_s) +
                             u") ?\n\nCette suppression est définitive."_s;
    if (m_services.message(this, MsgIcon::Question, question, MsgButtons::YesNo, MsgAnswer::No) !=
        MsgAnswer::Yes)
        return;
    try {
        m_record->remove(id);
    } catch (const RecordError& e) {
        sayRecordError(e.message());
    }
    fillList();
}

#include "edition.h"

#include "gridfilelabel.h"
#include "gridprinter.h"
#include "grids/gridfileerror.h"
#include "grids/gridfilename.h"
#include "grids/gridfolder.h"
#include "platform/helpopener.h"
#include "platform/param.h"
#include "platform/services.h"
#include "printoptionsbox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QFrame>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QStyleHints>

using namespace Qt::StringLiterals;

namespace {
const QString DeleteWarning =
    u"ATTENTION\n\nSi vous supprimer le fichier vous ne\npourrez pas vérifier les grilles lors du\n"
    "tirage du loto\n\nConfirmez vous la suppression du fichier ?"_s;
}

Edition::Edition(Services& services, PrinterOutput& output, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      m_services(services),
      m_printer(std::make_unique<GridPrinter>(services, output, Param::AppPath())),
      m_liste(new QComboBox(this)), m_boiteBoutons(new QFrame(this)),
      m_supprime(new QPushButton(u"&Supprimer"_s, m_boiteBoutons)),
      m_imprimer(new QPushButton(u"&Imprimer"_s, m_boiteBoutons)),
      m_quitter(new QPushButton(u"&Quitter"_s, m_boiteBoutons)),
      m_options(new PrintOptionsBox(services, this))
{
    setObjectName(u"Edition"_s);
    setWindowTitle(u"Impression des grilles"_s);
    HelpKey::setTopic(this, HelpTopic::Printing);
    setFixedSize(420, 178);

    m_liste->setObjectName(u"ListeDesFichiers"_s);
    m_liste->setAccessibleName(u"Fichier de grilles"_s);
    // On Linux a list's spoken name is its chosen entry: what it is for goes here.
    m_liste->setAccessibleDescription(u"Fichier de grilles à imprimer ou à supprimer"_s);
    m_liste->view()->setAccessibleName(u"Fichiers de grilles"_s);
    m_liste->setEditable(false);
    QFont arial(u"Arial"_s);
    m_liste->setFont(arial);
    m_liste->setGeometry(8, 10, 404, 28);

    m_boiteBoutons->setObjectName(u"BoiteBoutons"_s);
    auto* row = new QHBoxLayout(m_boiteBoutons);
    row->setContentsMargins(6, 6, 6, 6);
    for (QPushButton* button : {m_supprime, m_imprimer, m_quitter}) {
        button->setAutoDefault(false);
        button->setMinimumWidth(100);
        row->addWidget(button);
    }
    m_supprime->setObjectName(u"Supprime"_s);
    m_imprimer->setObjectName(u"Imprimer"_s);
    m_quitter->setObjectName(u"Quitter"_s);
    m_boiteBoutons->adjustSize();

    setTabOrder(m_liste, m_supprime);
    setTabOrder(m_supprime, m_imprimer);
    setTabOrder(m_imprimer, m_quitter);
    // The options come after the buttons, as they sit below them.
    m_options->setGeometry(8, 98, 404, m_options->sizeHint().height());
    setTabOrder(m_quitter, m_options);
    connect(m_supprime, &QPushButton::clicked, this, &Edition::Supprime_Click);
    connect(m_imprimer, &QPushButton::clicked, this, &Edition::Imprimer_Click);
    connect(m_quitter, &QPushButton::clicked, this, &Edition::Quitter_Click);
    connect(m_options, &PrintOptionsBox::previewClicked, this, &Edition::previewClicked);
    connect(m_liste, &QComboBox::currentIndexChanged, this, &Edition::fileChosen);
    Form_Load();
}

Edition::~Edition() = default;

void Edition::Form_Load()
{
    m_boiteBoutons->move((width() - m_boiteBoutons->width()) / 2, 50);
    fillList();
}

void Edition::fillList()
{
    m_liste->clear();
    for (const QString& name : GridFolder::list(Param::AppPath()))
        m_liste->addItem(GridFileLabel::of(*GridFileName::parse(name)));
    m_liste->setCurrentIndex(-1); // nothing chosen
}

void Edition::fileChosen()
{
    const std::optional<QString> fileName = GridFileLabel::fileName(selectorText());
    m_options->setGridCount(fileName ? GridFileName::parse(*fileName)->count : 0);
}

QString Edition::selectorText() const
{
    return m_liste->currentText();
}

void Edition::Imprimer_Click()
{
    // The second click of a double click comes during the print or right
    // after it: one print only.
    if (m_printing ||
        (m_sincePrint.isValid() &&
         m_sincePrint.elapsed() < QGuiApplication::styleHints()->mouseDoubleClickInterval()))
        return;
    {
        const QScopedValueRollback printing(m_printing, true);
        // Without a file, the print says so before any option is looked at.
        const std::optional<PrintOptions> options =
            GridFileLabel::fileName(selectorText()) ? m_options->read() : PrintOptions();
        if (!options)
            return;
        m_printer->PrintGridFile(selectorText(), this, m_liste, *options);
    }
    m_sincePrint.start();
}

void Edition::previewClicked()
{
    const std::optional<PrintOptions> options =
        GridFileLabel::fileName(selectorText()) ? m_options->read() : PrintOptions();
    if (options)
        m_printer->preview(selectorText(), *options, this, m_liste);
}

void Edition::Supprime_Click()
{
    const std::optional<QString> fileName = GridFileLabel::fileName(selectorText());
    if (!fileName) {
        m_services.message(this, MsgIcon::Critical,
                           u"Vous devez choisir un fichier dans la liste !!"_s);
        m_liste->setFocus();
        return;
    }
    if (m_services.message(this, MsgIcon::Question, DeleteWarning, MsgButtons::YesNo,
                           MsgAnswer::Yes) != MsgAnswer::Yes)
        return;
    try {
        GridFolder::remove(GridFolder::resolve(Param::AppPath(), *fileName));
    } catch (const GridFileError& e) {
        m_services.message(this, MsgIcon::Critical, e.message());
    }
    fillList();
}

void Edition::Quitter_Click()
{
    emit quitClicked();
    close();
}

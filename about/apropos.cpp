#include "apropos.h"

#include "installationinfo.h"
#include "platform/busypointer.h"
#include "platform/desktopshell.h"
#include "platform/param.h"
#include "platform/services.h"
#include "platform/svgpicture.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

QPlainTextEdit* readOnlyText(QWidget* parent, const QString& name, const QString& spoken,
                             const QString& text)
{
    auto* edit = new QPlainTextEdit(text, parent);
    edit->setObjectName(name);
    edit->setAccessibleName(spoken);
    edit->setReadOnly(true);
    return edit;
}
} // namespace

QString programNameForDisplay(const QString& programPath)
{
    return QFileInfo(programPath).completeBaseName() + u".EXE"_s;
}

Apropos::Apropos(Services& services, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::FramelessWindowHint), m_services(services),
      m_onglet(new QTabWidget(this))
{
    const BusyPointer busy;
    setObjectName(u"Apropos"_s);
    setWindowTitle(u"A propos de "_s + Param::AppTitle());
    m_onglet->setObjectName(u"Onglet"_s);
    m_onglet->addTab(titlePage(), Product::name());
    m_onglet->addTab(technicalPage(), u" Infos techniques"_s);
    m_onglet->addTab(historyPage(), u"Historique"_s);
    m_onglet->addTab(assistancePage(), u"Assistance technique"_s);
    m_onglet->addTab(partnerPage(), InstallationInfo::partnerShortName());

    // The tab control fills the window, which has no frame of its own.
    m_onglet->move(0, 0);
    m_onglet->resize(600, 340);
    resize(m_onglet->size());
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_onglet->setCurrentIndex(0);
}

QWidget* Apropos::titlePage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* titre = new QLabel(Product::name(), page);
    titre->setObjectName(u"Titre"_s);
    titre->setFont(QFont(u"Arial"_s, 18));
    titre->setAlignment(Qt::AlignCenter);
    titre->setFrameShape(QFrame::Panel);
    titre->setFrameShadow(QFrame::Raised);
    auto* sousTitre = new QLabel(
        u"Version "_s + Param::AppVersion() + u" compilée le "_s + Param::ExeDateTime(), page);
    sousTitre->setObjectName(u"SousTitre"_s);
    sousTitre->setFont(QFont(u"Arial"_s));
    sousTitre->setAlignment(Qt::AlignCenter);
    auto* image = new QLabel(page);
    image->setObjectName(u"Image"_s);
    image->setAccessibleName(u"Grilles de loto"_s);
    image->setPixmap(svgPicture(u":/app/images/grilles.svg"_s, {206, 165}));
    image->setAlignment(Qt::AlignCenter);
    auto* quitter = new QToolButton(page);
    quitter->setObjectName(u"Quitter"_s);
    quitter->setIcon(QIcon(u":/app/icons/quitter.svg"_s));
    quitter->setIconSize({32, 32});
    quitter->setToolTip(u"Quitter cet écran"_s);
    quitter->setAccessibleName(u"Quitter cet écran"_s);
    connect(quitter, &QToolButton::clicked, this, &Apropos::Quitter_Click);
    layout->addWidget(titre);
    layout->addWidget(sousTitre);
    layout->addWidget(image, 1);
    layout->addWidget(quitter, 0, Qt::AlignRight);
    return page;
}

QLabel* Apropos::technicalLabel(QWidget* page, const QString& name, const QString& text)
{
    auto* label = page->findChild<QLabel*>(name);
    label->setText(text);
    return label;
}

QWidget* Apropos::technicalPage()
{
    auto* page = new QFrame;
    page->setFrameShape(QFrame::Panel);
    page->setFrameShadow(QFrame::Sunken);
    auto* layout = new QVBoxLayout(page);
    // Top to bottom as shown; filled below in the order the program loads them.
    for (const char* name : {"Description", "NomApplication", "Version", "Commentaires",
                             "TradeMarks", "Copyright", "Company"}) {
        auto* label = new QLabel(page);
        label->setObjectName(QString::fromLatin1(name));
        // The values line up through spaces, which only a fixed-pitch font keeps.
        label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        layout->addWidget(label);
    }
    layout->addStretch();
    technicalLabel(page, u"Description"_s, Product::name());
    technicalLabel(page, u"NomApplication"_s,
                   u"  Nom de l'éxecutable : "_s +
                       programNameForDisplay(QApplication::applicationFilePath()));
    technicalLabel(page, u"Commentaires"_s, u"  Commentaires :          "_s + Product::comments());
    technicalLabel(page, u"Copyright"_s,
                   u"  Copyright :                "_s + InstallationInfo::legalNotice());
    technicalLabel(page, u"Company"_s,
                   u"  Organisation :            "_s + InstallationInfo::organisation());
    technicalLabel(page, u"TradeMarks"_s,
                   u"  Marques légales :       "_s + InstallationInfo::trademarks());
    technicalLabel(page, u"Version"_s,
                   u"  Version :                  "_s + QString::number(Product::Major) + u'.' +
                       QString::number(Product::Minor) + u" du "_s + Param::ExeDateTime());
    return page;
}

QWidget* Apropos::historyPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(
        readOnlyText(page, u"Afficheur"_s, u"Historique"_s, InstallationInfo::history()));
    return page;
}

QWidget* Apropos::assistancePage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(readOnlyText(page, u"Text1"_s, u"Assistance technique"_s,
                                   InstallationInfo::assistanceText()));
    auto* mail = new QPushButton(u"M'envoyer un E-Mail : "_s + InstallationInfo::makerMail(), page);
    mail->setObjectName(u"EMail"_s);
    connect(mail, &QPushButton::clicked, this,
            [this] { OpenDocument(u"mailto:"_s + InstallationInfo::makerMail()); });
    auto* web = new QPushButton(u"Visiter mon site : "_s + InstallationInfo::makerWeb(), page);
    web->setObjectName(u"Internet"_s);
    connect(web, &QPushButton::clicked, this,
            [this] { OpenDocument(InstallationInfo::makerWeb()); });
    layout->addWidget(mail);
    layout->addWidget(web);
    return page;
}

QWidget* Apropos::partnerPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* logo = new QLabel(InstallationInfo::partnerShortName(), page);
    logo->setObjectName(u"Logo"_s);
    QFont logoFont(u"Arial"_s, 16);
    logoFont.setBold(true);
    logo->setFont(logoFont);
    logo->setAlignment(Qt::AlignCenter);
    layout->addWidget(logo);
    for (const QString& document : InstallationInfo::partnerDocuments()) {
        auto* read = new QPushButton(u"Lire "_s + document, page);
        read->setObjectName(u"Lire"_s + document);
        // Beside the program, wherever it was started from.
        connect(read, &QPushButton::clicked, this,
                [this, document] { OpenDocument(Param::AppPath() + document); });
        layout->addWidget(read);
    }
    auto* site =
        new QPushButton(u"Visiter le site des "_s + InstallationInfo::partnerShortName(), page);
    site->setObjectName(u"SiteAssociation"_s);
    connect(site, &QPushButton::clicked, this,
            [this] { OpenDocument(InstallationInfo::partnerWeb()); });
    layout->addWidget(site);
    return page;
}

void Apropos::OpenDocument(const QString& target)
{
    m_services.shell.open(target);
}

void Apropos::Quitter_Click()
{
    emit quitClicked();
    close();
}

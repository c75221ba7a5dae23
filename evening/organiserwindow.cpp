#include "organiserwindow.h"

#include "platform/helpopener.h"
#include "platform/services.h"
#include "widgets/frenchfiledialog.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {
QString askLogoFile(QWidget* parent)
{
    QFileDialog dialog(parent, u"Logo de l'organisateur"_s, QDir::homePath(),
                       u"Images (*.png *.jpg *.jpeg *.svg)"_s);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    frenchFileDialog(dialog, u"&Choisir"_s);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

QLineEdit* textField(QWidget* parent, const QString& objectName, const QString& accessibleName,
                     const QString& example)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setAccessibleName(accessibleName);
    field->setPlaceholderText(example);
    field->setMaxLength(Organiser::MaxTextLength);
    return field;
}
} // namespace

OrganiserWindow::OrganiserWindow(Services& services, QString file, QWidget* parent)
    : QDialog(parent), chooseLogoFile(askLogoFile), m_services(services), m_file(std::move(file)),
      m_organiser(Organiser::read(m_file)), m_kept(m_organiser),
      m_name(textField(this, u"Nom"_s, u"Nom de l'organisateur"_s,
                       u"Comité des fêtes de Saint-Martin"_s)),
      m_place(textField(this, u"Lieu"_s, u"Lieu de la soirée"_s, u"Salle des fêtes"_s)),
      m_logo(new QLabel(this)), m_remove(new QPushButton(u"&Retirer le logo"_s, this))
{
    setObjectName(u"Organisateur"_s);
    setWindowTitle(u"Organisateur"_s);
    setAccessibleName(u"Organisateur"_s);
    setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    HelpKey::setTopic(this, HelpTopic::Contents);
    m_name->setText(m_organiser.name);
    m_place->setText(m_organiser.place);

    m_logo->setObjectName(u"Logo"_s);
    m_logo->setFixedSize(240, 100);
    m_logo->setAlignment(Qt::AlignCenter);
    m_logo->setFrameShape(QFrame::StyledPanel);
    auto* choose = new QPushButton(u"&Choisir un logo…"_s, this);
    choose->setAccessibleName(u"Choisir un logo"_s);
    m_remove->setAccessibleName(u"Retirer le logo"_s);
    connect(choose, &QPushButton::clicked, this, &OrganiserWindow::chooseLogo);
    connect(m_remove, &QPushButton::clicked, this, &OrganiserWindow::removeLogo);
    auto* logoButtons = new QVBoxLayout;
    logoButtons->addWidget(choose);
    logoButtons->addWidget(m_remove);
    logoButtons->addStretch();
    auto* logoRow = new QHBoxLayout;
    logoRow->addWidget(m_logo);
    logoRow->addLayout(logoButtons);

    auto* form = new QFormLayout;
    form->addRow(u"&Nom :"_s, m_name);
    form->addRow(u"&Lieu :"_s, m_place);
    form->addRow(u"Logo :"_s, logoRow);

    auto* buttons = new QDialogButtonBox(this);
    auto* saveButton = buttons->addButton(u"&Enregistrer"_s, QDialogButtonBox::AcceptRole);
    auto* close = buttons->addButton(u"&Fermer"_s, QDialogButtonBox::RejectRole);
    saveButton->setObjectName(u"Enregistrer"_s);
    close->setObjectName(u"Fermer"_s);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        if (save())
            accept();
    });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* page = new QVBoxLayout(this);
    auto* intro = new QLabel(u"Le nom, le lieu et le logo sont imprimés sur les pages de cartes et "
                             "les papiers de la soirée ; le nom est montré dans la salle."_s,
                             this);
    intro->setWordWrap(true);
    page->addWidget(intro);
    page->addLayout(form);
    page->addWidget(buttons);
    m_name->setMinimumWidth(360);
    showLogo();
    // Its size is known before it shows, so it opens centred on the main window.
    adjustSize();
}

void OrganiserWindow::showLogo()
{
    m_remove->setEnabled(!m_organiser.logo.isEmpty());
    if (m_organiser.logo.isEmpty()) {
        m_logo->setPixmap({});
        m_logo->setText(u"Aucun logo"_s);
        m_logo->setAccessibleName(u"Aucun logo"_s);
        return;
    }
    QPixmap picture(m_logo->size() - QSize(8, 8));
    picture.fill(Qt::white);
    QPainter painter(&picture);
    m_organiser.drawLogo(painter, QRectF(QPointF(0, 0), QSizeF(picture.size())));
    painter.end();
    m_logo->setPixmap(picture);
    m_logo->setAccessibleName(u"Logo de l'organisateur"_s);
}

void OrganiserWindow::chooseLogo()
{
    const QString path = chooseLogoFile(this);
    if (path.isEmpty())
        return;
    if (const QString refused = Organiser::takeLogo(path, m_organiser); !refused.isEmpty()) {
        m_services.message(this, MsgIcon::Exclamation, refused);
        return;
    }
    showLogo();
}

void OrganiserWindow::removeLogo()
{
    m_organiser.logo.clear();
    m_organiser.logoFormat.clear();
    showLogo();
}

bool OrganiserWindow::save()
{
    m_organiser.name = m_name->text().simplified();
    m_organiser.place = m_place->text().simplified();
    if (m_file.isEmpty())
        return true;
    if (const QString failed = m_organiser.write(m_file); !failed.isEmpty()) {
        m_services.message(this, MsgIcon::Critical,
                           u"L'organisateur n'a pas pu être enregistré :\n"_s + failed);
        return false;
    }
    m_kept = m_organiser;
    return true;
}

void OrganiserWindow::reject()
{
    const bool changed = m_name->text().simplified() != m_kept.name ||
                         m_place->text().simplified() != m_kept.place ||
                         m_organiser.logo != m_kept.logo;
    if (changed) {
        const MsgAnswer answer =
            m_services.message(this, MsgIcon::Question,
                               u"Les changements de l'organisateur ne sont pas enregistrés.\n\n"
                               "Voulez-vous les enregistrer ?"_s,
                               MsgButtons::YesNo, MsgAnswer::Yes);
        if (answer == MsgAnswer::Yes && !save())
            return;
    }
    QDialog::reject();
}

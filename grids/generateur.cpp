#include "generateur.h"

#include "generatorinput.h"
#include "gridfilebuilder.h"
#include "gridfileerror.h"
#include "gridfilename.h"
#include "gridfolder.h"
#include "platform/busypointer.h"
#include "platform/helpopener.h"
#include "platform/param.h"
#include "platform/services.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>

using namespace Qt::StringLiterals;
namespace Input = GeneratorInput;

namespace {
// The design measures are for small fonts; a little more room reads better.
constexpr qreal Scale = 1.0 / 12;
constexpr int InnerWidth = 5895;
constexpr int InnerHeight = 1905;

int centredLeft(int width)
{
    return (InnerWidth - width) / 2;
}
} // namespace

Generateur::Generateur(Services& services, QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      m_services(services), m_saisieNombre(new QLineEdit(this)), m_saisieDate(new QLineEdit(this)),
      m_boiteBoutons(new QFrame(this)), m_lancer(new QPushButton(u"&Lancer"_s, m_boiteBoutons)),
      m_quitter(new QPushButton(u"&Quitter"_s, m_boiteBoutons)), m_message(new QLabel(this)),
      m_jauge(new QProgressBar(this))
{
    setObjectName(u"Generateur"_s);
    setWindowTitle(u"Générateur de grilles"_s);
    HelpKey::setTopic(this, HelpTopic::Generator);
    setFixedSize(TwipLayout::toPixels({0, 0, InnerWidth, InnerHeight}, Scale).size());

    auto* label1 = new QLabel(u"Nombre de grilles à générer"_s, this);
    label1->setObjectName(u"Label1"_s);
    m_layout.place(label1, {240, 240, 2535, 255}, 8.25);
    m_saisieNombre->setObjectName(u"SaisieNombre"_s);
    m_saisieNombre->setAccessibleName(label1->text());
    label1->setBuddy(m_saisieNombre);
    m_saisieNombre->setMaxLength(5);
    m_layout.place(m_saisieNombre, {3000, 120, 1110, 375}, 8.25);

    auto* label2 = new QLabel(u"Date du tirage du Loto"_s, this);
    label2->setObjectName(u"Label2"_s);
    m_layout.place(label2, {240, 600, 2055, 255}, 8.25);
    m_saisieDate->setObjectName(u"SaisieDate"_s);
    m_saisieDate->setAccessibleName(label2->text());
    m_saisieDate->setAccessibleDescription(u"Format de saisie : jj/mm/aaaa"_s);
    label2->setBuddy(m_saisieDate);
    m_saisieDate->setMaxLength(10);
    m_layout.place(m_saisieDate, {3000, 600, 1335, 360}, 8.25);

    auto* label3 = new QLabel(u"  (format de saisie = jj/mm/aaaa)"_s, this);
    label3->setObjectName(u"Label3"_s);
    m_layout.place(label3, {120, 840, 2895, 255}, 8.25);

    m_boiteBoutons->setObjectName(u"BoiteBoutons"_s);
    m_layout.place(m_boiteBoutons, {centredLeft(2295), 1080, 2295, 735});
    m_lancer->setObjectName(u"Lancer"_s);
    m_layout.place(m_lancer, {120, 240, 975, 375}, 8.25);
    m_quitter->setObjectName(u"Quitter"_s);
    m_layout.place(m_quitter, {1200, 240, 975, 375}, 8.25);

    m_message->setObjectName(u"Message"_s);
    m_message->setText(Input::waitText());
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setFrameShape(QFrame::Panel);
    m_message->setFrameShadow(QFrame::Raised);
    m_layout.place(m_message, {centredLeft(4455), 1080, 4455, 735}, 8.25);

    m_jauge->setObjectName(u"Jauge"_s);
    m_jauge->setAccessibleName(u"Création des grilles"_s);
    m_jauge->setTextVisible(false);
    m_layout.place(m_jauge, {centredLeft(5670), 1320, 5670, 255});
    m_layout.apply(Scale);

    for (QWidget* w : {static_cast<QWidget*>(m_saisieNombre), static_cast<QWidget*>(m_saisieDate),
                       static_cast<QWidget*>(m_lancer)})
        w->installEventFilter(this);
    connect(m_lancer, &QPushButton::clicked, this, &Generateur::Lancer_click);
    connect(m_quitter, &QPushButton::clicked, this, &Generateur::Quitter_Click);
    setTabOrder(m_saisieNombre, m_saisieDate);
    setTabOrder(m_saisieDate, m_lancer);
    setTabOrder(m_lancer, m_quitter);
    Form_Load();
}

void Generateur::Form_Load()
{
    m_message->hide();
    m_jauge->hide();
    m_saisieNombre->setFocus();
}

bool Generateur::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (watched == m_saisieNombre)
                SaisieNombre_Enter();
            else if (watched == m_saisieDate)
                SaisieDate_Enter();
            else if (watched == m_lancer)
                Lancer_click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void Generateur::SaisieNombre_Enter()
{
    m_saisieDate->setFocus();
}

void Generateur::SaisieDate_Enter()
{
    if (m_saisieDate->text().isEmpty())
        refuse(Input::emptyDateOnEnterText(), m_saisieDate, false);
    else if (m_saisieDate->text().size() != 10)
        refuse(Input::dateFormatText(), m_saisieDate, true);
    else
        m_lancer->setFocus();
}

void Generateur::refuse(const QString& text, QLineEdit* field, bool emptyIt)
{
    m_services.message(this, MsgIcon::Critical, text);
    if (emptyIt)
        field->clear();
    field->setFocus();
}

void Generateur::Lancer_click()
{
    if (m_generating)
        return;
    switch (Input::checkCount(m_saisieNombre->text())) {
    case Input::CountCheck::Empty:
        return refuse(Input::emptyCountText(), m_saisieNombre, false);
    case Input::CountCheck::TooMany:
        return refuse(Input::tooManyText(), m_saisieNombre, false);
    case Input::CountCheck::NotAWholeNumber:
        return refuse(Input::notAWholeNumberText(), m_saisieNombre, false);
    case Input::CountCheck::Ok:
        break;
    }
    if (m_saisieDate->text().isEmpty())
        return refuse(Input::emptyDateAtLaunchText(), m_saisieDate, false);
    if (!Input::isValidDate(m_saisieDate->text()))
        return refuse(Input::dateFormatText(), m_saisieDate, true);

    const QString date = m_saisieDate->text();
    m_boiteBoutons->hide();
    const int count = Input::adjustedCount(m_saisieNombre->text().toInt());
    m_saisieNombre->setText(QString::number(count));
    m_jauge->setMaximum(count);
    {
        BusyPointer busy;
        if (m_services.message(this, MsgIcon::Question, Input::confirmationText(count, date),
                               MsgButtons::YesNo) != MsgAnswer::Yes)
            return resetWindow();
        generate(count, date);
    }
}

void Generateur::generate(int count, const QString& date)
{
    const QString appPath = Param::AppPath();
    GridFileBuilder builder(appPath, m_services.random, m_services.clock);
    const QString fileName = GridFileName::forDraw(count, date).fileName();
    try {
        builder.checkTemplate();
        GridFolder::make(appPath);
        // A file of that draw whatever the case of its name (copied from
        // another computer) is the same draw: ask, and replace that one.
        const QStringList existing = GridFolder::variants(appPath, fileName);
        const QString path =
            existing.isEmpty() ? GridFolder::filePath(appPath, fileName) : existing.first();
        // Its cards may be sold already: replacing it takes a deliberate Oui.
        const QString question = existing.size() > 1 ? Input::alreadyExistTwinsText(existing)
                                                     : Input::alreadyExistsText(path);
        if (!existing.isEmpty() &&
            m_services.message(this, MsgIcon::Exclamation, question, MsgButtons::YesNo,
                               MsgAnswer::No) != MsgAnswer::Yes)
            return resetWindow();

        m_generating = true;
        m_saisieNombre->setEnabled(false);
        m_saisieDate->setEnabled(false);
        m_message->show();
        QCoreApplication::processEvents();
        m_message->hide();
        m_jauge->show();
        builder.build(count, path, [this](int grid) { showProgress(grid); });
        for (qsizetype i = 1; i < existing.size(); ++i)
            QFile::remove(existing[i]); // only one file of a draw remains
    } catch (const GridFileError& e) {
        m_generating = false;
        m_services.message(this, MsgIcon::Critical, e.message());
        return resetWindow();
    }
    m_generating = false;
    resetWindow();
}

void Generateur::showProgress(int grid)
{
    if (m_gridHook)
        m_gridHook(grid);
    m_jauge->setValue(grid);
    QCoreApplication::processEvents();
}

void Generateur::resetWindow()
{
    m_message->hide();
    m_jauge->hide();
    m_saisieNombre->setEnabled(true);
    m_saisieDate->setEnabled(true);
    m_saisieNombre->clear();
    m_saisieDate->clear();
    m_saisieNombre->setFocus();
    m_boiteBoutons->show();
}

void Generateur::Quitter_Click()
{
    emit quitClicked();
    close();
}

void Generateur::closeEvent(QCloseEvent* event)
{
    // A run cannot be interrupted: the file would be left unfinished.
    if (m_generating) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

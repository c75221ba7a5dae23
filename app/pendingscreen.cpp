#include "pendingscreen.h"

#include "helpopener.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

PendingScreen::PendingScreen(const QString& caption, int helpTopic, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(caption);
    HelpKey::setTopic(this, helpTopic);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(u"Cet écran sera disponible dans une prochaine version."_s, this));
    auto* quit = new QPushButton(u"&Quitter"_s, this);
    quit->setObjectName(u"Quitter"_s);
    layout->addWidget(quit, 0, Qt::AlignHCenter);
    connect(quit, &QPushButton::clicked, this, [this] {
        emit quitClicked();
        close();
    });
}

#include "drawfilelist.h"

#include "grids/gridfilename.h"
#include "grids/gridfolder.h"

#include <QAbstractItemView>

using namespace Qt::StringLiterals;

DrawFileList::DrawFileList(QWidget* parent) : QComboBox(parent)
{
    setObjectName(u"ListeDesFichiers"_s);
    setAccessibleName(u"Fichier de tirage"_s);
    view()->setAccessibleName(u"Fichiers de tirage"_s);
    setAccessibleDescription(u"Fichier de grilles du tirage à choisir"_s);
    QFont listFont(u"Arial"_s);
    listFont.setBold(true);
    setFont(listFont);
    QPalette listPalette = palette();
    listPalette.setColor(QPalette::Base, QColor(224, 224, 224));
    listPalette.setColor(QPalette::Button, QColor(224, 224, 224));
    setPalette(listPalette);
}

void DrawFileList::showFiles(const QString& appPath)
{
    clear();
    for (const QString& name : GridFolder::list(appPath))
        addItem(drawTitle(*GridFileName::parse(name)));
    setCurrentIndex(-1);
    show();
}

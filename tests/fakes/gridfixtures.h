#pragma once

#include "platform/param.h"
#include "testpaths.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A program folder of its own for a test: the template beside a pretend
// program, GRILLES made on demand.
class AppFolder
{
public:
    AppFolder()
    {
        QFile::copy(TestPaths::built(QStringLiteral("Loto1.dat")),
                    m_dir.filePath(QStringLiteral("Loto1.dat")));
    }
    QString appPath() const { return m_dir.path() + QLatin1Char('/'); }
    QString grilles() const { return appPath() + QStringLiteral("GRILLES"); }
    QString gridPath(const QString& name) const { return grilles() + QLatin1Char('/') + name; }
    QStringList grillesEntries() const
    {
        return QDir(grilles()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }
    void makeCurrent() const
    {
        Param::setGlobals(AppGlobals::compose(appPath() + QStringLiteral("numerella"),
                                              QDateTime::currentDateTime()));
    }

private:
    QTemporaryDir m_dir;
};

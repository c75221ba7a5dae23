#include "platform/param.h"

#include <QDir>
#include <QTest>

using namespace Qt::StringLiterals;

class TestParam : public QObject
{
    Q_OBJECT

private slots:
    void globalsAreComposedFromTheProgramFile()
    {
        const QDateTime built(QDate(2000, 4, 16), QTime(13, 8, 59));
        const AppGlobals g = AppGlobals::compose(u"/opt/numerella/numerella"_s, built);
        const QString sep = QDir::separator();
        QCOMPARE(g.AppPath, QDir::toNativeSeparators(u"/opt/numerella"_s) + sep);
        QCOMPARE(g.HelpFile, g.AppPath + u"Loto.hlp"_s);
        QCOMPARE(g.AppTitle, u"Numerella 4.1"_s);
        QCOMPARE(g.AppVersion, u"4.1"_s);
        QCOMPARE(g.ExeDateTime, u"16/04/2000 à 13:08"_s);
    }

    void exeDateTimeUsesTwoDigitsAndTheTwentyFourHourClock()
    {
        QCOMPARE(formatExeDateTime(QDateTime(QDate(2009, 1, 5), QTime(7, 3))),
                 u"05/01/2009 à 07:03"_s);
        QCOMPARE(formatExeDateTime(QDateTime(QDate(2026, 12, 31), QTime(23, 59))),
                 u"31/12/2026 à 23:59"_s);
    }

    void statusPanelHasTwoSpacesAroundTheDash()
    {
        Param::setGlobals(AppGlobals::compose(u"/x/numerella"_s, QDateTime::currentDateTime()));
        QCOMPARE(statusPanelText(), u"Numerella  -  Version 4.1"_s);
    }
};

QTEST_GUILESS_MAIN(TestParam)
#include "test_param.moc"

#include "evening/organiserwindow.h"
#include "fakes/fakeservices.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

// The organiser's name and logo go on every page: what is kept must read
// back whole, and an image the program cannot print is refused when chosen.
class TestOrganiser : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString at(const QString& name) const { return m_dir.filePath(name); }
    void put(const QString& name, const QByteArray& bytes)
    {
        QFile file(at(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void aLogoThatCannotBePrintedIsRefused_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("text named .png") << u"texte.png"_s << QByteArray("pas une image\n")
                                         << u"n'est pas une image PNG, JPEG ou SVG lisible."_s;
        QTest::newRow("SVG naming a file")
            << u"lien.svg"_s
            << QByteArray("<svg xmlns='http://www.w3.org/2000/svg' "
                          "xmlns:xlink='http://www.w3.org/1999/xlink'><image "
                          "xlink:href='http://exemple.fr/x.png' width='9' height='9'/></svg>")
            << u"fait appel à d'autres fichiers ou à Internet"_s;
        QTest::newRow("SVG with an entity")
            << u"entite.svg"_s
            << QByteArray("<?xml version='1.0'?><!DOCTYPE svg [<!ENTITY x SYSTEM "
                          "'file:///etc/passwd'>]><svg xmlns='http://www.w3.org/2000/svg'>"
                          "<text>&x;</text></svg>")
            << u"fait appel à d'autres fichiers ou à Internet"_s;
        QTest::newRow("too heavy")
            << u"lourd.png"_s << QByteArray(6 * 1024 * 1024, 'x') << u"est trop lourde (6,0 Mo)"_s;
    }

    void aLogoThatCannotBePrintedIsRefused()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(QString, refusal);
        put(name, bytes);
        Organiser organiser;
        const QString said = Organiser::takeLogo(at(name), organiser);
        QVERIFY2(said.contains(refusal), qPrintable(said));
        QVERIFY(organiser.logo.isEmpty());
        QVERIFY(Organiser::takeLogo(m_dir.path(), organiser)
                    .endsWith(u"est un dossier : "
                              "choisissez une image PNG, "
                              "JPEG ou SVG."_s));
    }

    void whatTheWindowSavesReadsBackWhole()
    {
        QImage logo(40, 20, QImage::Format_RGB32);
        logo.fill(Qt::red);
        QVERIFY(logo.save(at(u"logo.png"_s)));
        FakeServices fakes;
        const QString file = at(u"donnees/organisateur.json"_s);
        {
            OrganiserWindow window(fakes.services, file);
            window.chooseLogoFile = [this](QWidget*) {
                return at(u"logo.png"_s);
            };
            window.nameField()->setText(u"  Comité des fêtes   de Saint-Martin "_s);
            window.placeField()->setText(u"Salle des fêtes"_s);
            window.chooseLogo();
            QVERIFY(window.save());
        }
        const Organiser kept = Organiser::read(file);
        QCOMPARE(kept.line(), u"Comité des fêtes de Saint-Martin - Salle des fêtes"_s);
        QCOMPARE(kept.logoFormat, u"png"_s);
        QCOMPARE(QImage::fromData(kept.logo).size(), QSize(40, 20));

        // Taken off, the logo's file goes with it.
        OrganiserWindow window(fakes.services, file);
        window.removeLogo();
        QVERIFY(window.save());
        QVERIFY(Organiser::read(file).logo.isEmpty());
        QVERIFY(!QFile::exists(at(u"donnees/organisateur-logo.png"_s)));
        QVERIFY(fakes.messages.shown.isEmpty());

        // Closed with a change not kept, the window asks; Non leaves the file as it was.
        window.nameField()->setText(u"Amicale laïque"_s);
        fakes.messages.answer(MsgAnswer::No);
        window.reject();
        QCOMPARE(fakes.messages.last().buttons, MsgButtons::YesNo);
        QCOMPARE(Organiser::read(file).name, u"Comité des fêtes de Saint-Martin"_s);
    }
};

QTEST_MAIN(TestOrganiser)
#include "test_organiser.moc"

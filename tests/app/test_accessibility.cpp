#include "about/apropos.h"
#include "app/depart.h"
#include "app/startup.h"
#include "draw/tirage.h"
#include "evening/programmewindow.h"
#include "fakes/fakeaudioinput.h"
#include "fakes/fakeservices.h"
#include "fakes/testpaths.h"
#include "grids/generateur.h"
#include "grids/gridfilebuilder.h"
#include "hall/hallcontrol.h"
#include "hall/halldisplay.h"
#include "platform/helpopener.h"
#include "platform/inputbox.h"
#include "platform/messagebox.h"
#include "platform/param.h"
#include "platform/savedialog.h"
#include "printing/edition.h"
#include "printing/tiragesenregistres.h"
#include "verify/resultpanel.h"
#include "voice/clubvoicestore.h"
#include "voice/clubvoicewindow.h"
#include "widgets/twiplayout.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMetaEnum>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {
// What a screen reader stops on and reads out: something to work, or
// something that tells. Containers (windows, panes, frames, tool bars,
// grips) are not; their contents are.
bool isControl(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::Button:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Dial:
    case QAccessible::PageTab:
    case QAccessible::List:
    case QAccessible::ListItem:
    case QAccessible::Table:
    case QAccessible::Tree:
    case QAccessible::TreeItem:
    case QAccessible::Cell:
    case QAccessible::ColumnHeader:
    case QAccessible::RowHeader:
    case QAccessible::ProgressBar:
    case QAccessible::StaticText:
    case QAccessible::Graphic:
    case QAccessible::Link:
    case QAccessible::MenuItem:
        return true;
    default:
        return false;
    }
}

// A row is known by its first cell; an empty cell further along reads as
// blank under its column title, as in any table.
bool isBlankCellOfANamedRow(QAccessibleInterface* node)
{
    const QAccessibleTableCellInterface* cell = node->tableCellInterface();
    return cell && cell->columnIndex() > 0;
}

QString step(QAccessibleInterface* node, int index)
{
    const QObject* object = node->object();
    QString who = object ? object->objectName() : QString();
    if (who.isEmpty() && object)
        who = QString::fromLatin1(object->metaObject()->className());
    if (who.isEmpty())
        who = u'#' + QString::number(index);
    const char* role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(node->role());
    return who + u'[' + QString::fromLatin1(role) + u']';
}

// Words Qt's own widgets say where its French catalogue has no translation;
// none of them is French.
const QRegularExpression
    English(uR"(\b(Scroll|Clear|Close|Cancel|Open|Show|Hide|Left|Right|Up|Down|More|Line|Restore)"
            uR"(|Search|Toggle|Minimi[sz]e|Maximi[sz]e|Folder|Drive|Shortcut|Unknown|File)\b)"_s);

struct Findings
{
    QStringList unnamed;
    QStringList english;
};

void walk(QAccessibleInterface* node, const QString& path, int index, Findings& found)
{
    if (!node || node->state().invisible)
        return;
    const QAccessible::Role role = node->role();
    // Scroll bars follow their view, whose own keys move it: never stopped on.
    if (role == QAccessible::ScrollBar)
        return;
    const QString here = path + u'/' + step(node, index);
    const QString name = node->text(QAccessible::Name).trimmed();
    const QString description = node->text(QAccessible::Description);
    if (isControl(role) && name.isEmpty() && !isBlankCellOfANamedRow(node))
        found.unnamed << here;
    // On Linux a list's name is its chosen entry: what it is for must come
    // from a label beside it or from its description.
    if (role == QAccessible::ComboBox && node->relations(QAccessible::Label).isEmpty() &&
        description.isEmpty())
        found.unnamed << here + u" (named by its entry only)"_s;
    for (const QString& text : {name, description}) {
        if (text.contains(English))
            found.english << here + u": \""_s + text + u'"';
    }
    for (int i = 0; i < node->childCount(); ++i)
        walk(node->child(i), here, i, found);
}

Findings findings(QWidget* window)
{
    QCoreApplication::processEvents();
    Findings found;
    walk(QAccessible::queryAccessibleInterface(window), QString(), 0, found);
    return found;
}

// Lists every offender: a failure message would be cut short.
bool spoken(const Findings& found)
{
    for (const QString& path : found.unnamed)
        qWarning().noquote() << "no name:" << path;
    for (const QString& path : found.english)
        qWarning().noquote() << "English:" << path;
    return found.unnamed.isEmpty() && found.english.isEmpty();
}

#define VERIFY_SPOKEN(found)                                                                       \
    QVERIFY2(spoken(found), "controls a screen reader cannot name in French, listed above")

// What a blocking dialog shows while it waits for its answer; it is then
// dismissed.
Findings whileOpen(const std::function<void()>& ask)
{
    Findings found;
    found.unnamed << u"(the dialog never showed)"_s;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll.stop();
        found = findings(dialog);
        dialog->reject();
    });
    poll.start(10);
    ask();
    return found;
}
} // namespace

// Every screen walked as a screen reader walks it: each control it stops on
// must say, in French, what it is.
class TestAccessibility : public QObject
{
    Q_OBJECT

    QTemporaryDir m_appDir;
    std::unique_ptr<FakeServices> m_fakes;

    template <typename Screen> Screen* openFromDepart(Depart& depart, const QString& key)
    {
        depart.BarreBoutons_ButtonClick(key);
        auto* screen = qobject_cast<Screen*>(depart.activeScreen());
        return screen && QTest::qWaitForWindowExposed(screen) ? screen : nullptr;
    }

private slots:
    void initTestCase()
    {
        installFrenchTranslation(*qApp);
        for (const QString& file : {u"Loto1.dat"_s, u"Loto.hlp"_s})
            QFile::copy(TestPaths::built(file), m_appDir.filePath(file));
        QDir(m_appDir.path()).mkpath(u"GRILLES"_s);
        AppGlobals globals =
            AppGlobals::compose(m_appDir.filePath(u"numerella"_s), QDateTime::currentDateTime());
        globals.RecordFile = m_appDir.filePath(u"tirages.db"_s);
        globals.HallThemeFile = m_appDir.filePath(u"theme-salle.txt"_s);
        Param::setGlobals(globals);
        m_fakes = std::make_unique<FakeServices>();
        GridFileBuilder(Param::AppPath(), m_fakes->random, m_fakes->clock)
            .build(100, m_appDir.filePath(u"GRILLES/100-25-12-2000.DAT"_s), {});
    }

    void init() { QFile::remove(Param::RecordFile()); }

    void mainWindowAndItsScreens()
    {
        Depart depart(m_fakes->services);
        depart.resize(1024, 740);
        depart.show();
        QVERIFY(QTest::qWaitForWindowExposed(&depart));
        VERIFY_SPOKEN(findings(&depart));

        auto* printing = openFromDepart<Edition>(depart, u"Impression"_s);
        QVERIFY(printing);
        printing->findChild<QComboBox*>()->setCurrentIndex(0); // a file chosen
        VERIFY_SPOKEN(findings(printing));
        delete printing;

        auto* about = openFromDepart<Apropos>(depart, u"Apropos"_s);
        QVERIFY(about);
        for (int tab = 0; tab < about->onglet()->count(); ++tab) {
            about->onglet()->setCurrentIndex(tab);
            VERIFY_SPOKEN(findings(about));
        }
        delete about;

        auto* programme = openFromDepart<ProgrammeWindow>(depart, u"Programme"_s);
        QVERIFY(programme);
        VERIFY_SPOKEN(findings(programme));
        delete programme;

        auto* generator = openFromDepart<Generateur>(depart, u"Generateur"_s);
        QVERIFY(generator);
        VERIFY_SPOKEN(findings(generator));
        // The gauge shows only while the grids are made.
        std::optional<Findings> atWork;
        generator->setGridHook([&](int grid) {
            if (grid == 1)
                atWork = findings(generator);
        });
        generator->findChild<QLineEdit*>(u"SaisieNombre"_s)->setText(u"10"_s);
        generator->findChild<QLineEdit*>(u"SaisieDate"_s)->setText(u"01/01/2001"_s);
        m_fakes->messages.answer(MsgAnswer::Yes);
        generator->Lancer_click();
        QVERIFY(atWork);
        VERIFY_SPOKEN(*atWork);
    }

    void drawScreen_data()
    {
        QTest::addColumn<QString>("state");
        QTest::newRow("ordinary") << u"ordinary"_s;
        QTest::newRow("file list open") << u"files"_s;
        QTest::newRow("numbers drawn") << u"drawn"_s;
        QTest::newRow("chronological order") << u"chronological"_s;
        QTest::newRow("timed draw") << u"timed"_s;
        QTest::newRow("ball machine") << u"ballMachine"_s;
    }

    void drawScreen()
    {
        QFETCH(QString, state);
        Tirage screen(m_fakes->services);
        screen.resize(1024, 740);
        screen.show();
        QVERIFY(QTest::qWaitForWindowExposed(&screen));
        if (state == u"files") {
            screen.ProcChoixFichier();
            screen.findChild<QComboBox*>(u"ListeDesFichiers"_s)->setCurrentIndex(0);
        } else if (state == u"drawn" || state == u"chronological") {
            for (int n : {17, 4, 88})
                screen.series().draw(n, DrawMethod::Hand);
            if (state == u"chronological")
                screen.findChild<QTabBar*>()->setCurrentIndex(1);
        } else if (state == u"timed") {
            m_fakes->messages.answer(MsgAnswer::Yes); // no grid file: draw anyway
            screen.ProcChrono();
        } else if (state == u"ballMachine") {
            screen.series().draw(42, DrawMethod::Hand);
            screen.setBallMachine(true);
        }
        VERIFY_SPOKEN(findings(&screen));
    }

    void clubVoiceWindow()
    {
        const QString voices = m_appDir.filePath(u"voix"_s);
        QVERIFY(ClubVoiceStore(voices).create(u"Martine"_s).isEmpty());
        FakeAudioInput input;
        ClubVoiceWindow window(m_fakes->services, input, voices);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        VERIFY_SPOKEN(findings(&window)); // no microphone
        input.plug();
        window.session().record();
        QCOMPARE(window.session().state(), RecordingSession::State::Recording);
        VERIFY_SPOKEN(findings(&window));
    }

    void hallDisplay()
    {
        Tirage screen(m_fakes->services);
        screen.show();
        for (int n : {17, 4})
            screen.series().draw(n, DrawMethod::Hand);
        screen.hall().toggle();
        QWidget* hall = screen.hall().display();
        QVERIFY(hall && hall->isVisible());
        VERIFY_SPOKEN(findings(hall));
    }

    void winningGrid()
    {
        QWidget host;
        TwipLayout layout;
        auto* panel = new ResultPanel(&host, layout);
        layout.place(panel, {0, 0, ResultPanel::WidthTwips, ResultPanel::HeightTwips});
        layout.apply(1.0 / 15);
        std::array<QString, 27> cells;
        for (int i : {1, 5, 10, 12, 19, 27})
            cells[std::size_t(i - 1)] = QString::number(i * 3);
        panel->showResult(u"La ligne 1 de la grille numéro 0001 est gagnante !!"_s, cells,
                          {1, 2, 3, 4, 5, 6, 7, 8, 9});
        host.resize(panel->size());
        host.show();
        QVERIFY(QTest::qWaitForWindowExposed(&host));
        VERIFY_SPOKEN(findings(&host));
        // A winning line is red on screen; spoken, it has to be said.
        QCOMPARE(panel->cell(5)->accessibleName(), u"Ligne 1, colonne 5 : 15, ligne gagnante"_s);
        QCOMPARE(panel->cell(12)->accessibleName(), u"Ligne 2, colonne 3 : 36"_s);
    }

    void recordedDraws()
    {
        Tirage screen(m_fakes->services);
        screen.show();
        std::unique_ptr<TiragesEnregistres> empty(
            TiragesEnregistres::open(m_fakes->services, Param::RecordFile(), &screen));
        QVERIFY(empty);
        empty->show();
        VERIFY_SPOKEN(findings(empty.get()));
        empty.reset();

        for (int n : {17, 4, 88})
            screen.series().draw(n, DrawMethod::Hand);
        std::unique_ptr<TiragesEnregistres> listed(TiragesEnregistres::open(
            m_fakes->services, Param::RecordFile(), &screen, screen.series().recordId()));
        QVERIFY(listed);
        listed->show();
        QVERIFY(QTest::qWaitForWindowExposed(listed.get()));
        VERIFY_SPOKEN(findings(listed.get()));
    }

    void messagesQuestionsAndTheSaveDialog()
    {
        QWidget parent;
        parent.show();
        QtMessageBox boxes;
        for (MsgIcon icon : {MsgIcon::Critical, MsgIcon::Question}) {
            VERIFY_SPOKEN(whileOpen([&] {
                boxes.show(&parent, {icon, MsgButtons::YesNo, MsgAnswer::No, u"Numerella"_s,
                                     u"Voulez-vous continuer ?"_s});
            }));
        }
        QtInputBox input;
        VERIFY_SPOKEN(whileOpen(
            [&] { input.ask(&parent, u"Vérification"_s, u"Numéro de la grille"_s, QString()); }));
        // In a folder of known content: the file list is walked too.
        QtSaveDialog save;
        VERIFY_SPOKEN(whileOpen([&] {
            save.ask(&parent, u"Enregistrer le rapport"_s, m_appDir.filePath(u"rapport.pdf"_s),
                     u"Documents PDF (*.pdf)"_s);
        }));
    }

    void helpWindow()
    {
        HelpWindowOpener help(m_fakes->messages, m_appDir.filePath(u"Loto.hlp"_s));
        help.open(nullptr, HelpTopic::Draw);
        QVERIFY(help.window());
        VERIFY_SPOKEN(findings(help.window()));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"

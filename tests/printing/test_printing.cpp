#include "evening/organiser.h"
#include "fakes/fakeservices.h"
#include "fakes/gridfixtures.h"
#include "grids/cardcode.h"
#include "grids/gridfile.h"
#include "grids/gridfilebuilder.h"
#include "grids/gridfileerror.h"
#include "grids/gridfilename.h"
#include "printing/gridfilelabel.h"
#include "printing/gridprinter.h"
#include "printing/printoptions.h"
#include "printing/reportdefinition.h"
#include "printing/reportlayout.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QImage>
#include <QPdfWriter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTest>
#include <SQLiteCpp/SQLiteCpp.h>

using namespace Qt::StringLiterals;

namespace {
const QString Label100 = u"Impression de 100 grilles pour le tirage du 25-12-2000"_s;

QString pdfText(const QString& path, const QStringList& options = {})
{
    QProcess pdftotext;
    pdftotext.start(u"pdftotext"_s, options + QStringList{path, u"-"_s});
    pdftotext.waitForFinished(60000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

// A page as pdftotext -bbox reads it back: its size and where each word was
// drawn, in millimetres from the top left corner of the paper.
struct PdfPage
{
    struct Word
    {
        QString text;
        QRectF box;
    };
    QSizeF size;
    QList<Word> words;

    QRectF box(const QString& text) const
    {
        for (const Word& word : words)
            if (word.text == text)
                return word.box;
        return {};
    }
    int count(const QString& text) const
    {
        return int(std::count_if(words.begin(), words.end(),
                                 [&](const Word& word) { return word.text == text; }));
    }
};

QList<PdfPage> pdfPages(const QString& path)
{
    static const QRegularExpression page(uR"re(<page width="([\d.]+)" height="([\d.]+)")re"_s);
    static const QRegularExpression word(
        uR"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)<)re"_s);
    const auto mm = [](const QRegularExpressionMatch& m, int n) {
        return m.captured(n).toDouble() * 25.4 / 72; // points to millimetres
    };
    QList<PdfPage> pages;
    for (const QString& line : pdfText(path, {u"-bbox"_s}).split(u'\n')) {
        if (const auto p = page.match(line); p.hasMatch())
            pages.append({QSizeF(mm(p, 1), mm(p, 2)), {}});
        else if (const auto w = word.match(line); w.hasMatch() && !pages.isEmpty())
            pages.last().words.append(
                {w.captured(5), QRectF(QPointF(mm(w, 1), mm(w, 2)), QPointF(mm(w, 3), mm(w, 4)))});
    }
    return pages;
}

// A PDF printer with a paper and margins of its own, as a real printer has.
class PaperPdfOutput : public PdfFileOutput
{
public:
    PaperPdfOutput(const QString& path, QPageSize::PageSizeId paper, qreal margin)
        : PdfFileOutput(path), m_paper(paper), m_margin(margin)
    {}
    bool prepare(QPrinter& printer, QWidget* parent, const PrintJob& job) override
    {
        PdfFileOutput::prepare(printer, parent, job);
        printer.setPageSize(QPageSize(m_paper));
        printer.setPageMargins(QMarginsF(m_margin, m_margin, m_margin, m_margin),
                               QPageLayout::Millimeter);
        return true;
    }

private:
    QPageSize::PageSizeId m_paper;
    qreal m_margin;
};

QList<GridSheet> sheetsOf(const QString& path)
{
    QList<GridSheet> sheets;
    GridFile file(path, GridFile::Access::ReadOnly);
    file.forEachSheet([&](const GridSheet& sheet) { sheets.append(sheet); });
    return sheets;
}

QStringList tempoOf(const QString& path)
{
    GridFile file(path, GridFile::Access::ReadOnly);
    return file.tempoRows();
}

bool sameSheets(const QList<GridSheet>& a, const QList<GridSheet>& b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        for (int k = 0; k < 4; ++k)
            if (a[i].numbers[std::size_t(k)] != b[i].numbers[std::size_t(k)] ||
                a[i].grids[std::size_t(k)].cells != b[i].grids[std::size_t(k)].cells)
                return false;
    return true;
}
} // namespace

class TestPrinting : public QObject
{
    Q_OBJECT

private:
    AppFolder m_app;
    FakeServices m_fakes;
    QString m_file100;

    // The app folder's LOTO2.DAT, the shipped one with one text replaced.
    void editDefinition(const QByteArray& from, const QByteArray& to)
    {
        QFile shipped(TestPaths::built(u"LOTO2.DAT"_s));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QByteArray json = shipped.readAll();
        QVERIFY(json.contains(from));
        QFile edited(m_app.appPath() + u"LOTO2.DAT"_s);
        QVERIFY(edited.open(QIODevice::WriteOnly | QIODevice::Truncate));
        edited.write(json.replace(from, to));
    }

    bool print(const QString& label) { return print(label, m_fakes.printer); }
    bool print(const QString& label, PdfFileOutput& output, const PrintOptions& options = {})
    {
        QFile::remove(output.path());
        return GridPrinter(m_fakes.services, output, m_app.appPath())
            .PrintGridFile(label, nullptr, nullptr, options);
    }

    static QStringList layoutFiles()
    {
        return {u"LOTO2.DAT"_s,   u"LOTO2-1.DAT"_s,  u"LOTO2-1G.DAT"_s,
                u"LOTO2-2.DAT"_s, u"LOTO2-2G.DAT"_s, u"LOTO2-6.DAT"_s};
    }

    // Every card of the pages in order from first, each number and cell
    // where the layout puts it on the printer's paper, nothing outside its
    // printable area.
    static void verifyCards(const QList<PdfPage>& pages, const ReportDefinition& d,
                            const QList<GridSheet>& sheets, int first, qreal printerMargin,
                            bool band = false)
    {
        const QMarginsF report = d.pageLayout.margins(QPageLayout::Millimeter);
        const QSizeF paper = pages.first().size;
        const QRectF printable =
            QRectF(QPointF(), paper)
                .marginsRemoved(QMarginsF(
                    qMax(printerMargin, report.left()), qMax(printerMargin, report.top()),
                    qMax(printerMargin, report.right()), qMax(printerMargin, report.bottom())));
        const QSizeF design = d.pageLayout.paintRect(QPageLayout::Millimeter).size();
        const ReportLayout layout(d, design, band);
        const PageFit fit = PageFit::of(design, printable.size());
        const auto onPaper = [&](const QRectF& mm) {
            return QRectF(printable.topLeft() + fit.offset + mm.topLeft() * fit.scale,
                          mm.size() * fit.scale);
        };
        int number = first;
        for (const PdfPage& page : pages) {
            QCOMPARE(page.count(u"Numerella"_s), 1);
            // The organiser's band is on every page, clear of every card.
            QCOMPARE(page.count(u"Saint-Martin"_s), band ? 1 : 0);
            for (int i = 0; band && i < layout.cardsPerPage(); ++i)
                QVERIFY(!onPaper(layout.card(i)).intersects(page.box(u"Saint-Martin"_s)));
            for (const PdfPage::Word& word : page.words)
                QVERIFY2(printable.adjusted(-0.2, -0.2, 0.2, 0.2).contains(word.box),
                         qPrintable(word.text + u" outside the printable area"_s));
            for (int i = 0; i < layout.cardsPerPage() && number <= sheets.size() * 4;
                 ++i, ++number) {
                const QString numberText = gridNumberText(number);
                QVERIFY2(onPaper(layout.number(i)).contains(page.box(numberText).center()),
                         qPrintable(numberText));
                const Grid& grid = sheets[(number - 1) / 4].grids[std::size_t((number - 1) % 4)];
                for (int r = 1; r <= Grid::Rows; ++r)
                    for (int c = 1; c <= Grid::Columns; ++c) {
                        if (grid.at(r, c) == 0)
                            continue;
                        const QRectF cell = onPaper(layout.cell(i, r, c));
                        QVERIFY2(std::any_of(page.words.begin(), page.words.end(),
                                             [&](const PdfPage::Word& w) {
                                                 return w.text == QString::number(grid.at(r, c)) &&
                                                        cell.contains(w.box.center());
                                             }),
                                 qPrintable(numberText + u" cell "_s + QString::number(r) + u","_s +
                                            QString::number(c)));
                    }
            }
        }
    }

private slots:
    void initTestCase()
    {
        m_app.makeCurrent();
        for (const QString& layout : layoutFiles())
            QFile::copy(TestPaths::built(layout), m_app.appPath() + layout);
        m_file100 = m_app.gridPath(u"100-25-12-2000.DAT"_s);
        GridFileBuilder(m_app.appPath(), m_fakes.random, m_fakes.clock).build(100, m_file100, {});
    }

    void cleanup()
    {
        m_fakes.messages.shown.clear();
        QFile::remove(m_app.appPath() + u"LOTO2.DAT"_s);
        QFile::copy(TestPaths::built(u"LOTO2.DAT"_s), m_app.appPath() + u"LOTO2.DAT"_s);
    }

    void cleanupTestCase() { QFile::remove(m_fakes.printer.path()); }

    void labelsMapBackToFiles_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("fileName");
        QTest::newRow("100") << Label100 << u"100-25-12-2000.DAT"_s;
        QTest::newRow("4") << u"Impression de 4 grilles pour le tirage du 01-01-2001"_s
                           << u"4-01-01-2001.DAT"_s;
        QTest::newRow("10000") << u"Impression de 10000 grilles pour le tirage du 01-01-2001"_s
                               << u"10000-01-01-2001.DAT"_s;
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("no grilles")
            << u"Impression de 4 cartes pour le tirage du 01-01-2001"_s << QString();
        QTest::newRow("too short") << u"grilles 01-01-2001"_s << QString();
        QTest::newRow("other start")
            << u"Suppression de 4 grilles pour le tirage du 01-01-2001"_s << QString();
        QTest::newRow("a path") << u"Impression de ../4 grilles pour le tirage du 01-01-2001"_s
                                << QString();
    }

    void labelsMapBackToFiles()
    {
        QFETCH(QString, label);
        QFETCH(QString, fileName);
        QCOMPARE(GridFileLabel::fileName(label).value_or(QString()), fileName);
        if (!fileName.isEmpty())
            QCOMPARE(GridFileLabel::of(*GridFileName::parse(fileName)), label);
    }

    void theShippedDefinitionFitsItsPage()
    {
        const ReportDefinition d = ReportDefinition::load(TestPaths::built(u"LOTO2.DAT"_s));
        const QRectF page = d.pageLayout.paintRect(QPageLayout::Millimeter);
        const ReportLayout layout(d, page.size());
        QCOMPARE(layout.cardsPerPage(), 4);
        QRectF previous = layout.heading();
        for (int i = 0; i < layout.cardsPerPage(); ++i) {
            const QRectF card = layout.card(i);
            QVERIFY(card.top() >= previous.bottom());
            QVERIFY(card.bottom() <= page.height() + 0.01);
            QCOMPARE(layout.cell(i, 3, 9).bottomRight(), card.bottomRight());
            previous = card;
        }
    }

    void theHeadingGoesWhereTheDefinitionSays_data()
    {
        QTest::addColumn<QByteArray>("position");
        QTest::newRow("top") << QByteArray("top");
        QTest::newRow("bottom") << QByteArray("bottom");
    }

    // Read back from the PDF: the heading's line is above every card, or below.
    void theHeadingGoesWhereTheDefinitionSays()
    {
        QFETCH(QByteArray, position);
        editDefinition("\"position\": \"top\"", "\"position\": \"" + position + '"');
        QVERIFY(print(Label100));
        const QList<PdfPage> pages = pdfPages(m_fakes.printer.path());
        QCOMPARE(pages.size(), 25);
        for (const PdfPage& page : pages) {
            const QRectF heading = page.box(u"Numerella"_s);
            QVERIFY(heading.isValid());
            QCOMPARE(page.count(u"Grille"_s), 4);
            for (const PdfPage::Word& word : page.words) {
                const qreal middle = word.box.center().y();
                if (middle > heading.top() && middle < heading.bottom())
                    continue; // the heading's own words
                if (position == "top")
                    QVERIFY2(word.box.top() >= heading.bottom(), qPrintable(word.text));
                else
                    QVERIFY2(word.box.bottom() <= heading.top(), qPrintable(word.text));
            }
        }
    }

    void theReportFitsThePrintersPage_data()
    {
        QTest::addColumn<int>("paper");
        QTest::addColumn<qreal>("margin"); // the printer's own, on every side
        QTest::addColumn<bool>("fullSize");
        QTest::newRow("A4, the PDF printer's margins") << int(QPageSize::A4) << 3.5 << true;
        QTest::newRow("Letter, 20 mm") << int(QPageSize::Letter) << 20.0 << false;
        QTest::newRow("A3") << int(QPageSize::A3) << 5.0 << true;
    }

    // The paper is the printer's; the report is shrunk to its printable area,
    // never enlarged, never cut.
    void theReportFitsThePrintersPage()
    {
        QFETCH(int, paper);
        QFETCH(qreal, margin);
        QFETCH(bool, fullSize);
        PaperPdfOutput output(m_fakes.printer.path(), QPageSize::PageSizeId(paper), margin);
        QVERIFY(print(Label100, output));
        const QList<PdfPage> pages = pdfPages(output.path());
        QCOMPARE(pages.size(), 25);
        const QSizeF paperSize =
            QPageSize(QPageSize::PageSizeId(paper)).size(QPageSize::Millimeter);
        // The printer's margins, or the report's own where they are wider.
        const QRectF printable =
            QRectF(QPointF(), paperSize)
                .marginsRemoved(QMarginsF(qMax(margin, 12.0), qMax(margin, 10.0),
                                          qMax(margin, 12.0), qMax(margin, 10.0)));
        for (const PdfPage& page : pages) {
            QVERIFY(qAbs(page.size.width() - paperSize.width()) < 0.5);
            QVERIFY(qAbs(page.size.height() - paperSize.height()) < 0.5);
            QVERIFY(page.box(u"Numerella"_s).isValid());
            QCOMPARE(page.count(u"Grille"_s), 4);
            for (const PdfPage::Word& word : page.words)
                QVERIFY2(printable.contains(word.box),
                         qPrintable(word.text + u" outside the printable area"_s));
        }
        const QRectF card2 = pages[0].box(u"00002"_s);
        const QRectF card1 = pages[0].box(u"00001"_s);
        if (fullSize)
            QVERIFY(qAbs(card2.top() - card1.top() - 66) < 0.2); // card and gap, in mm
        else
            QVERIFY(card2.top() - card1.top() < 66);
    }

    void everyLayoutPutsEveryCardInPlace_data()
    {
        QTest::addColumn<int>("cards");
        QTest::addColumn<bool>("large");
        QTest::addColumn<int>("paper");
        QTest::addColumn<qreal>("margin"); // the printer's own
        QTest::addColumn<bool>("band");
        for (const auto& [cards, large] :
             {std::pair(1, false), std::pair(1, true), std::pair(2, false), std::pair(2, true),
              std::pair(4, false), std::pair(6, false)}) {
            const QByteArray name = PrintOptions{cards, large, {}}.definitionFile().toLatin1();
            QTest::newRow(name + " A4, organiser's band")
                << cards << large << int(QPageSize::A4) << 3.5 << true;
            QTest::newRow(name + " Letter")
                << cards << large << int(QPageSize::Letter) << 6.35 << false;
        }
    }

    void everyLayoutPutsEveryCardInPlace()
    {
        QFETCH(int, cards);
        QFETCH(bool, large);
        QFETCH(int, paper);
        QFETCH(qreal, margin);
        QFETCH(bool, band);
        const PrintOptions options{cards, large, {}};
        AppGlobals globals = Param::globals();
        const AppGlobals before = globals;
        const auto restore = qScopeGuard([&] { Param::setGlobals(before); });
        if (band) {
            globals.OrganiserFile = m_app.appPath() + u"organisateur.json"_s;
            QImage logo(60, 30, QImage::Format_RGB32);
            logo.fill(Qt::darkBlue);
            QByteArray png;
            QBuffer buffer(&png);
            QVERIFY(buffer.open(QIODevice::WriteOnly) && logo.save(&buffer, "PNG"));
            const Organiser organiser{u"Comité des fêtes de Saint-Martin"_s, u"Salle des fêtes"_s,
                                      png, u"png"_s};
            QVERIFY(organiser.write(globals.OrganiserFile).isEmpty());
            Param::setGlobals(globals);
        }
        const ReportDefinition d =
            ReportDefinition::load(TestPaths::built(options.definitionFile()));
        QCOMPARE(d.cardsPerPage, cards);
        // 100 grids, and for one a page the first 24 of them.
        const int last = cards == 1 ? 24 : 100;
        PaperPdfOutput output(m_fakes.printer.path(), QPageSize::PageSizeId(paper), margin);
        QVERIFY(
            print(Label100, output,
                  {cards, large, last < 100 ? std::optional(std::pair(1, last)) : std::nullopt}));
        QVERIFY(m_fakes.messages.shown.isEmpty());
        const QList<PdfPage> pages = pdfPages(output.path());
        QCOMPARE(pages.size(), (last + cards - 1) / cards);
        verifyCards(pages, d, sheetsOf(m_file100), 1, margin, band);
    }

    // Large print: the cell digits stand at least 20 mm high, also shrunk to
    // a Letter printer's page.
    void largePrintDigitsStandTwentyMillimetres_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::newRow("1G") << u"LOTO2-1G.DAT"_s;
        QTest::newRow("2G") << u"LOTO2-2G.DAT"_s;
    }

    void largePrintDigitsStandTwentyMillimetres()
    {
        QFETCH(QString, layout);
        const ReportDefinition d = ReportDefinition::load(TestPaths::built(layout));
        QPdfWriter writer(m_fakes.printer.path());
        writer.setResolution(1200);
        const qreal digits =
            QFontMetricsF(d.cellFont, &writer).tightBoundingRect(u"147"_s).height() * 25.4 / 1200;
        QPageLayout letter = d.pageLayout;
        letter.setPageSize(QPageSize(QPageSize::Letter));
        const PageFit fit = PageFit::of(d.pageLayout.paintRect(QPageLayout::Millimeter).size(),
                                        letter.paintRect(QPageLayout::Millimeter).size());
        QVERIFY2(digits * fit.scale >= 20, qPrintable(QString::number(digits * fit.scale)));
        const ReportLayout cells(d, d.pageLayout.paintRect(QPageLayout::Millimeter).size(), true);
        QVERIFY(cells.cell(0, 1, 1).height() > digits); // inside their cell, band or not
    }

    // 10000 grids six a page: 1667 pages, the last with four cards.
    void tenThousandGridsSixAPage()
    {
        const QString big = m_app.gridPath(u"10000-01-01-2001.DAT"_s);
        GridFileBuilder(m_app.appPath(), m_fakes.random, m_fakes.clock).build(10000, big, {});
        QVERIFY(print(u"Impression de 10000 grilles pour le tirage du 01-01-2001"_s,
                      m_fakes.printer, {6, false, {}}));
        const QList<PdfPage> pages = pdfPages(m_fakes.printer.path());
        QCOMPARE(pages.size(), 1667);
        QCOMPARE(pages.last().count(u"Grille"_s), 4);
        const QList<GridSheet> sheets = sheetsOf(big);
        verifyCards(pages.mid(1665), ReportDefinition::load(TestPaths::built(u"LOTO2-6.DAT"_s)),
                    sheets, 9991, 0);
        int number = 1;
        for (const PdfPage& page : pages)
            for (int i = 0; i < 6 && number <= 10000; ++i)
                QVERIFY2(page.box(gridNumberText(number++)).isValid(),
                         qPrintable(QString::number(number - 1)));
        QFile::remove(big);
    }

    void aRangePrintsExactlyItsCards()
    {
        QVERIFY(print(Label100, m_fakes.printer, {4, false, std::pair(7, 13)}));
        const QList<PdfPage> pages = pdfPages(m_fakes.printer.path());
        QCOMPARE(pages.size(), 2);
        QStringList printed;
        for (const PdfPage& page : pages)
            for (const PdfPage::Word& word : page.words)
                if (word.text.size() == 5 && word.text.toInt() > 0)
                    printed << word.text;
        QStringList asked;
        for (int n = 7; n <= 13; ++n)
            asked << gridNumberText(n);
        QCOMPARE(printed, asked);
        QCOMPARE(pages[0].count(u"Numerella"_s), 1);
        QVERIFY(tempoOf(m_file100).isEmpty());
    }

    void rangesAreReadOrRefused_data()
    {
        QTest::addColumn<QString>("first");
        QTest::addColumn<QString>("last");
        QTest::addColumn<QString>("refusal");
        QTest::addColumn<bool>("firstAtFault");
        QTest::newRow("1-100") << u"1"_s << u" 100 "_s << QString() << true;
        QTest::newRow("0-5") << u"0"_s << u"5"_s
                             << u"Ce fichier contient les grilles 1 à 100 : il n'a pas de "
                                "grille n° 0."_s
                             << true;
        QTest::newRow("5-1") << u"5"_s << u"1"_s
                             << u"La première grille à imprimer (5) vient après la dernière "
                                "(1) : indiquez les grilles de la plus petite à la plus grande."_s
                             << true;
        QTest::newRow("1-99999999999")
            << u"1"_s << u"99999999999"_s
            << u"Ce fichier contient les grilles 1 à 100 : il n'a pas de grille n° "
               "99999999999."_s
            << false;
        QTest::newRow("abc") << u"abc"_s << u"5"_s
                             << u"« abc » n'est pas un numéro de grille : indiquez un numéro "
                                "de 1 à 100."_s
                             << true;
        QTest::newRow("-3") << u"1"_s << u"-3"_s
                            << u"« -3 » n'est pas un numéro de grille : indiquez un numéro "
                               "de 1 à 100."_s
                            << false;
        QTest::newRow("empty") << u"1"_s << QString()
                               << u"Indiquez le numéro de la dernière grille à imprimer."_s
                               << false;
    }

    void rangesAreReadOrRefused()
    {
        QFETCH(QString, first);
        QFETCH(QString, last);
        QFETCH(QString, refusal);
        QFETCH(bool, firstAtFault);
        const GridRange range = GridRange::read(first, last, 100);
        QCOMPARE(range.refusal, refusal);
        QCOMPARE(range.range.has_value(), refusal.isEmpty());
        if (!refusal.isEmpty())
            QCOMPARE(range.firstAtFault, firstAtFault);
    }

    void aMissingLayoutIsNamed()
    {
        m_fakes.messages.shown.clear();
        const QString layout = m_app.appPath() + u"LOTO2-2G.DAT"_s;
        QFile::remove(layout);
        const bool printed = print(Label100, m_fakes.printer, {2, true, {}});
        QFile::copy(TestPaths::built(u"LOTO2-2G.DAT"_s), layout);
        QVERIFY(!printed);
        QVERIFY(m_fakes.messages.last().text.contains(u"LOTO2-2G.DAT"_s));
        QVERIFY(tempoOf(m_file100).isEmpty());
        QVERIFY(!QFile::exists(m_fakes.printer.path()) ||
                QFileInfo(m_fakes.printer.path()).size() == 0);
    }

    void brokenDefinitionsAreRefused_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::newRow("not json") << QByteArray("<report/>");
        QTest::newRow("other format") << QByteArray("{\"format\": \"crystal\"}");
        QTest::newRow("no card") << QByteArray(
            "{\"format\": \"numerella-report-1\", \"page\": {\"size\": \"A4\","
            " \"orientation\": \"portrait\", \"margins\": {\"left\": 10, \"top\": 10,"
            " \"right\": 10, \"bottom\": 10}}, \"sheetsPerPage\": 1, \"heading\":"
            " {\"height\": 12, \"font\": {\"size\": 12}, \"colour\": \"#000000\"}}");
    }

    void brokenDefinitionsAreRefused()
    {
        QFETCH(QByteArray, json);
        QVERIFY_THROWS_EXCEPTION(GridFileError, ReportDefinition::parse(json, u"LOTO2.DAT"_s));
    }

    void cardsThatDoNotFitAreRefused()
    {
        QFile shipped(TestPaths::built(u"LOTO2.DAT"_s));
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QByteArray json = shipped.readAll();
        json.replace("\"sheetsPerPage\": 1", "\"sheetsPerPage\": 2");
        QVERIFY_THROWS_EXCEPTION(GridFileError, ReportDefinition::parse(json, u"LOTO2.DAT"_s));
    }

    void aPrintShowsEveryCardAndLeavesTheFileAsItWas()
    {
        const QList<GridSheet> before = sheetsOf(m_file100);
        QVERIFY(print(Label100));
        QVERIFY(m_fakes.messages.shown.isEmpty());
        const QString text = pdfText(m_fakes.printer.path());
        QCOMPARE(text.count(u"Numerella - Tirage du : 25-12-2000"_s), 25); // every page
        for (int n : {1, 42, 99, 100})
            QVERIFY2(text.contains(u"Grille n° "_s + gridNumberText(n)),
                     qPrintable(QString::number(n)));
        // The numbers of grid 42, row by row, as on its card.
        const Grid grid = before[10].grids[1];
        QString row;
        for (int c = 1; c <= 9; ++c)
            if (grid.at(2, c))
                row += QString::number(grid.at(2, c)) + u' ';
        const QString page11 = text.split(u'\f').at(10);
        for (const QString& number : row.split(u' ', Qt::SkipEmptyParts))
            QVERIFY2(page11.contains(number), qPrintable(number));
        QVERIFY(tempoOf(m_file100).isEmpty());
        QVERIFY(sameSheets(sheetsOf(m_file100), before));
        QCOMPARE(m_app.grillesEntries(), QStringList{u"100-25-12-2000.DAT"_s});
    }

    // Each card's code sits on its number's line; a file made before codes
    // gets its secret at its first print, and keeps it.
    void everyCardCarriesItsCode()
    {
        const QString old = m_app.gridPath(u"8-02-02-2002.DAT"_s);
        GridFileBuilder(m_app.appPath(), m_fakes.random, m_fakes.clock).build(8, old, {});
        {
            SQLite::Database db(old.toStdString(), SQLite::OPEN_READWRITE);
            db.exec("DROP TABLE CODE_CONTROLE");
        }
        const QList<GridSheet> before = sheetsOf(old);
        const QString label = u"Impression de 8 grilles pour le tirage du 02-02-2002"_s;
        QVERIFY(print(label));
        QByteArray secret;
        {
            GridFile file(old, GridFile::Access::ReadOnly);
            QVERIFY(file.cardSecret());
            secret = *file.cardSecret();
        }
        const QList<PdfPage> pages = pdfPages(m_fakes.printer.path());
        QCOMPARE(pages.size(), 2);
        for (int n = 1; n <= 8; ++n) {
            const PdfPage& page = pages[(n - 1) / 4];
            const QString code = CardCode::of(secret, n, before[(n - 1) / 4].grids[(n - 1) % 4]);
            const QRectF number = page.box(gridNumberText(n));
            const QRectF printed = page.box(code);
            QVERIFY2(printed.isValid(), qPrintable(code));
            QVERIFY(qAbs(printed.center().y() - number.center().y()) < 1);
            QVERIFY(printed.left() > number.right());
        }
        QCOMPARE(pages[0].count(u"Code"_s), 4);
        QVERIFY(print(label));
        GridFile file(old, GridFile::Access::ReadOnly);
        QCOMPARE(*file.cardSecret(), secret);
        QVERIFY(sameSheets(sheetsOf(old), before));
        QFile::remove(old);
    }

    void aHeadingLeftByAFailedPrintIsReplaced()
    {
        {
            GridFile file(m_file100, GridFile::Access::ReadWrite);
            file.appendTempo(u"Numerella - Tirage du : 01-01-1990"_s);
        }
        QVERIFY(print(Label100));
        const QString text = pdfText(m_fakes.printer.path());
        QVERIFY(!text.contains(u"01-01-1990"_s));
        QVERIFY(tempoOf(m_file100).isEmpty());
    }

    void anEmptyLabelIsRefused()
    {
        m_fakes.messages.shown.clear();
        QVERIFY(!print(QString()));
        QCOMPARE(m_fakes.messages.last().text,
                 u"Le choix d'un fichier de grilles est obligatoire !!"_s);
        QCOMPARE(m_fakes.messages.last().icon, MsgIcon::Critical);
        QVERIFY(!QFile::exists(m_fakes.printer.path()));
    }

    void aMissingDefinitionPrintsNothingAndEmptiesTempo()
    {
        m_fakes.messages.shown.clear();
        QFile::rename(m_app.appPath() + u"LOTO2.DAT"_s, m_app.appPath() + u"LOTO2.bak"_s);
        const bool printed = print(Label100);
        QFile::rename(m_app.appPath() + u"LOTO2.bak"_s, m_app.appPath() + u"LOTO2.DAT"_s);
        QVERIFY(!printed);
        QVERIFY(m_fakes.messages.last().text.startsWith(u"Le modèle d'impression"_s));
        QCOMPARE(m_fakes.messages.last().title, u"Numerella 4.1"_s);
        QVERIFY(tempoOf(m_file100).isEmpty());
        QVERIFY(!QFile::exists(m_fakes.printer.path()) ||
                QFileInfo(m_fakes.printer.path()).size() == 0);
    }

    void aVanishedFileIsReported()
    {
        m_fakes.messages.shown.clear();
        QVERIFY(!print(u"Impression de 8 grilles pour le tirage du 01-01-2001"_s));
        QVERIFY(m_fakes.messages.last().text.contains(u"introuvable"_s));
        QVERIFY(!QFileInfo::exists(m_app.gridPath(u"8-01-01-2001.DAT"_s)));
    }
};

QTEST_MAIN(TestPrinting)
#include "test_printing.moc"

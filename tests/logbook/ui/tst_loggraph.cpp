#include "logbook/ui/loggraph.h"
#include "support/screenshot.h"
#include "support/testfolder.h"

#include <QDir>
#include <QImage>
#include <QTest>

namespace {
// Colours without their alpha channel, as rgb() reads them.
const QRgb Blue = 0x0000FF;
const QRgb Navy = 0x000080;
const QRgb Black = 0x000000;

// A descriptor with the unit's own keys and the given test log lines.
QString writeUnit(const TestFolder &folder, const QString &name, const QString &logLines)
{
    return folder.writeText(name, QStringLiteral("[general]\r\nFileType=vokfile\r\nFirstLanguage=1\r\n"
                                                 "SecondLanguage=2\r\nDescription=Farm animals\r\n") +
                                      logLines);
}

QString resultLines(const QList<int> &results)
{
    QString lines;
    for (int n = 1; n <= results.size(); ++n)
        lines += QStringLiteral("TestResult%1=%2\r\n").arg(n).arg(results.at(n - 1));
    return lines;
}

QRgb rgb(const QImage &image, int x, int y)
{
    return image.pixel(x, y) & 0xFFFFFF;
}

QRgb rgb(QRgb colour)
{
    return colour & 0xFFFFFF;
}

struct Pixel
{
    int x;
    int y;
    QRgb colour;
};

// The first pixel that has not the expected colour, as "x,y: found colour", or empty.
QString firstMismatch(const QImage &image, std::initializer_list<Pixel> expected)
{
    for (const Pixel &p : expected)
        if (rgb(image, p.x, p.y) != p.colour)
            return QStringLiteral("%1,%2: %3")
                .arg(p.x)
                .arg(p.y)
                .arg(rgb(image, p.x, p.y), 6, 16, QChar(u'0'));
    return QString();
}

bool hasDarkPixel(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

int countColour(const QImage &image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (rgb(image, x, y) == colour)
                ++n;
    return n;
}

QImage picture(TLogGraph &chart)
{
    return chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
}
} // namespace

// The pictures are 360 by 235 unless a case says otherwise: the drawing area is then 300 wide
// (W - 60) and 200 high (H - 35), the horizontal axis at y = 210, the vertical one at x = 40.
class TestLogGraph : public QObject
{
    Q_OBJECT

private slots:
    void newChartIsAnEmptyGroove();
    void addItemFillsAHundredSlots();
    void markerSizeOutsideOneToNineIsIgnored();
    void axisTextsComeFromTheChartsSection();
    void descriptorFillsTheChart();
    void descriptorResultsEndEarly_data();
    void descriptorResultsEndEarly();
    void missingDescriptorKeepsTheChart();
    void emptyChartHasAxesAndCaptionsOnly();
    void pointsSitInTheMiddleOfTheirColumns();
    void pointsStandAloneWithoutConnectPoints();
    void oneResultIsOnePointInTheMiddle();
    void allZeroResultsLieOnTheAxis();
    void onlyTheFirst99ResultsAreDrawn();
    void aGapEndsTheChart();
    void tinyChartsDrawWithoutFailing();
    void dozenResultsScreenshot();

private:
    TestFolder m_folder;
};

// A new chart, before a unit or a language file is set: the button colour inside a groove,
// lowered outside and raised inside, bare axes without captions, and nothing charted.
void TestLogGraph::newChartIsAnEmptyGroove()
{
    TLogGraph chart(nullptr);
    chart.resize(360, 235);
    const QImage image = picture(chart);
    const QRgb button = rgb(chart.palette().color(QPalette::Button).rgb());
    for (const int along : {100, 200}) {
        QVERIFY(qGray(image.pixel(along, 0)) < qGray(image.pixel(along, 1)));
        QVERIFY(qGray(image.pixel(0, along)) < qGray(image.pixel(1, along)));
        QVERIFY(qGray(image.pixel(along, 234)) > qGray(image.pixel(along, 233)));
        QVERIFY(qGray(image.pixel(359, along)) > qGray(image.pixel(358, along)));
        QCOMPARE(
            firstMismatch(
                image, {{along, 2, button}, {2, along, button}, {along, 232, button}, {357, along, button}}),
            QString());
    }
    QCOMPARE(rgb(image, 40, 120), Black);
    QVERIFY(!hasDarkPixel(image, QRect(3, 3, 36, 229)));
    QVERIFY(!hasDarkPixel(image, QRect(41, 212, 316, 20)));
    QCOMPARE(countColour(image, Blue), 0);
    QCOMPARE(chart.count(), 0);

    // The scale labels are in 13-pixel Arial.
    chart.AddItem(5);
    const QImage labelled = picture(chart);
    QFont arial(QStringLiteral("Arial"));
    arial.setPixelSize(13);
    chart.setChartFont(arial);
    QCOMPARE(picture(chart), labelled);
    arial.setPixelSize(20);
    chart.setChartFont(arial);
    QVERIFY(picture(chart) != labelled);
}

void TestLogGraph::addItemFillsAHundredSlots()
{
    TLogGraph chart(nullptr);
    QVERIFY(chart.AddItem(4));
    QVERIFY(chart.AddItem(9));
    QVERIFY(chart.AddItem(-2));
    QCOMPARE(chart.biggestItem(), 9);
    for (int i = 4; i <= TLogGraph::SlotCount; ++i)
        QVERIFY(chart.AddItem(1));
    QCOMPARE(chart.count(), 100);
    QVERIFY(!chart.AddItem(50));
    QCOMPARE(chart.count(), 100);
    QCOMPARE(chart.biggestItem(), 9);
    QCOMPARE(chart.item(3), -2);
    QCOMPARE(chart.item(100), 1);

    chart.Clear();
    QCOMPARE(chart.count(), 0);
    QCOMPARE(chart.biggestItem(), 0);
    QCOMPARE(chart.item(1), 0);
    QCOMPARE(chart.item(100), 0);
}

void TestLogGraph::markerSizeOutsideOneToNineIsIgnored()
{
    TLogGraph chart(nullptr);
    chart.setMarkerSize(9);
    QCOMPARE(chart.markerSize(), 9);
    chart.setMarkerSize(0);
    QCOMPARE(chart.markerSize(), 9);
    chart.setMarkerSize(10);
    QCOMPARE(chart.markerSize(), 9);
    chart.setMarkerSize(1);
    QCOMPARE(chart.markerSize(), 1);
    chart.setMarkerSize(-3);
    QCOMPARE(chart.markerSize(), 1);
}

void TestLogGraph::axisTextsComeFromTheChartsSection()
{
    const QString file = m_folder.writeText(
        QStringLiteral("lang.llf"), QStringLiteral("[MainForm]\r\nMistakes=wrong\r\n"
                                                   "[LogGraph1]\r\nMistakes=Fehler\r\nTests=Prüfungen\r\n"));
    TLogGraph chart(nullptr);
    chart.setObjectName(QStringLiteral("LogGraph1"));
    chart.setLanguageFile(file);
    QCOMPARE(chart.languageFile(), file);
    QCOMPARE(chart.yAxisText(), QStringLiteral("Fehler"));
    QCOMPARE(chart.xAxisText(), QStringLiteral("Prüfungen"));

    // Another chart has its own section, which this file lacks.
    TLogGraph other(nullptr);
    other.setObjectName(QStringLiteral("LogGraph2"));
    other.setLanguageFile(file);
    QCOMPARE(other.yAxisText(), QStringLiteral("Mistakes"));
    QCOMPARE(other.xAxisText(), QStringLiteral("Tests"));

    chart.setLanguageFile(m_folder.filePath(QStringLiteral("missing.llf")));
    QCOMPARE(chart.yAxisText(), QStringLiteral("Mistakes"));
    QCOMPARE(chart.xAxisText(), QStringLiteral("Tests"));

    // The shipped files both name the axes.
    chart.setLanguageFile(TestFolder::shippedFile(QStringLiteral("deutsch.llf")));
    QCOMPARE(chart.yAxisText(), QStringLiteral("Fehler"));
    chart.setLanguageFile(TestFolder::shippedFile(QStringLiteral("english.llf")));
    QCOMPARE(chart.xAxisText(), QStringLiteral("Tests"));
}

void TestLogGraph::descriptorFillsTheChart()
{
    const QString path =
        writeUnit(m_folder, QStringLiteral("Animals.lif"),
                  QStringLiteral("TestCount=3\r\nLastTestDate=03.12.26\r\n") + resultLines({2, 0, 5}));
    TLogGraph chart(nullptr);
    chart.setVocabularyFile(path);
    QCOMPARE(chart.vocabularyFile(), path);
    QCOMPARE(chart.title(), QStringLiteral("Animals"));
    QCOMPARE(chart.description(), QStringLiteral("Farm animals"));
    QCOMPARE(chart.lastTestDate(), QStringLiteral("03.12.26"));
    QCOMPARE(chart.testedCount(), 3);
    QCOMPARE(chart.count(), 3);
    QCOMPARE(chart.item(1), 2);
    QCOMPARE(chart.item(2), 0);
    QCOMPARE(chart.item(3), 5);
    QCOMPARE(chart.biggestItem(), 5);

    // A second unit replaces the first one's results instead of adding to them.
    const QString second = writeUnit(m_folder, QStringLiteral("Verbs.lif"), resultLines({1}));
    chart.setVocabularyFile(second);
    QCOMPARE(chart.title(), QStringLiteral("Verbs"));
    QCOMPARE(chart.count(), 1);
    QCOMPARE(chart.biggestItem(), 1);
    QCOMPARE(chart.testedCount(), 0);
    QVERIFY(chart.lastTestDate().isEmpty());
}

void TestLogGraph::descriptorResultsEndEarly_data()
{
    QTest::addColumn<QString>("logLines");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("biggest");
    QList<int> many;
    for (int n = 1; n <= 120; ++n)
        many << n;
    QTest::newRow("120 results") << resultLines(many) << 99 << 99;
    QTest::newRow("gap") << QStringLiteral("TestResult1=3\r\nTestResult2=1\r\nTestResult4=8\r\n") << 2 << 3;
    QTest::newRow("negative") << QStringLiteral("TestResult1=3\r\nTestResult2=-1\r\nTestResult3=8\r\n") << 1
                              << 3;
    QTest::newRow("not a number") << QStringLiteral("TestResult1=3\r\nTestResult2=many\r\nTestResult3=8\r\n")
                                  << 1 << 3;
    QTest::newRow("empty value") << QStringLiteral("TestResult1=\r\nTestResult2=4\r\n") << 0 << 0;
    QTest::newRow("first missing") << QStringLiteral("TestResult2=4\r\n") << 0 << 0;
}

void TestLogGraph::descriptorResultsEndEarly()
{
    QFETCH(QString, logLines);
    const QString path = writeUnit(m_folder, QStringLiteral("Early.lif"), logLines);
    TLogGraph chart(nullptr);
    chart.setVocabularyFile(path);
    QTEST(chart.count(), "count");
    QTEST(chart.biggestItem(), "biggest");
}

void TestLogGraph::missingDescriptorKeepsTheChart()
{
    const QString path = writeUnit(m_folder, QStringLiteral("Kept.lif"),
                                   QStringLiteral("TestCount=2\r\n") + resultLines({4, 6}));
    TLogGraph chart(nullptr);
    chart.setVocabularyFile(path);
    const QString missing = m_folder.filePath(QStringLiteral("Gone.lif"));
    chart.setVocabularyFile(missing);
    QCOMPARE(chart.vocabularyFile(), missing);
    QCOMPARE(chart.title(), QStringLiteral("Kept"));
    QCOMPARE(chart.testedCount(), 2);
    QCOMPARE(chart.count(), 2);
    QCOMPARE(chart.biggestItem(), 6);
}

void TestLogGraph::emptyChartHasAxesAndCaptionsOnly()
{
    TLogGraph chart(nullptr);
    chart.resize(360, 235);
    chart.setLanguageFile(QString());
    const QImage image = picture(chart);
    const QRgb background = rgb(chart.color().rgb());

    // The vertical axis runs from 10 - MarkerSize down to the corner, the horizontal one on to
    // W - 20 + MarkerSize, without that last pixel.
    QCOMPARE(firstMismatch(image, {{40, 6, background},
                                   {40, 7, Black},
                                   {40, 120, Black},
                                   {40, 210, Black},
                                   {41, 211, background},
                                   {200, 210, Black},
                                   {342, 210, Black},
                                   {343, 210, background}}),
             QString());

    // Captions: "Mistakes" letter under letter left of the axis, "Tests" centred below it.
    QVERIFY(hasDarkPixel(image, QRect(8, 60, 20, 100)));
    QVERIFY(hasDarkPixel(image, QRect(160, 216, 40, 17)));
    QVERIFY(!hasDarkPixel(image, QRect(3, 3, 20, 40)));

    // No scale labels: nothing left of the axis at its ends.
    QVERIFY(!hasDarkPixel(image, QRect(22, 195, 17, 25)));
    QVERIFY(!hasDarkPixel(image, QRect(22, 2, 17, 16)));
    QCOMPARE(countColour(image, Blue), 0);
}

void TestLogGraph::pointsSitInTheMiddleOfTheirColumns()
{
    TLogGraph chart(nullptr);
    chart.resize(360, 235);
    for (const int mistakes : {2, 0, 5})
        chart.AddItem(mistakes);
    const QImage image = picture(chart);
    const QRgb background = rgb(chart.color().rgb());
    // Columns 100 wide: centres at x = 90, 190, 290; 40 pixels per mistake: y = 130, 210, 10.
    // The line to the next point is drawn over a point, so only the last centre stays blue.
    QCOMPARE(firstMismatch(image, {{90, 130, Navy}, {190, 210, Navy}, {290, 10, Blue}, {190, 212, Blue}}),
             QString());
    // A point of MarkerSize 3 fills x 87 to 92 and y 127 to 132.
    QCOMPARE(firstMismatch(image, {{87, 130, Blue},
                                   {86, 130, background},
                                   {90, 127, Blue},
                                   {90, 126, background},
                                   {92, 129, Blue},
                                   {89, 132, Blue},
                                   {89, 133, background}}),
             QString());
    // Lines join the centres.
    QCOMPARE(firstMismatch(image, {{140, 170, Navy}, {240, 110, Navy}, {140, 130, background}}), QString());

    // Scale labels: "0" at the corner and "5" at the top, both left of the axis.
    QVERIFY(hasDarkPixel(image, QRect(22, 195, 17, 25)));
    QVERIFY(hasDarkPixel(image, QRect(22, 2, 17, 16)));

    // Bigger points, other colours.
    chart.setMarkerSize(6);
    chart.setMarkerColor(Qt::red);
    chart.setLineColor(Qt::darkGreen);
    const QImage changed = picture(chart);
    QCOMPARE(rgb(changed, 84, 130), rgb(qRgb(255, 0, 0)));
    QCOMPARE(rgb(changed, 83, 130), background);
    QCOMPARE(rgb(changed, 140, 170), rgb(QColor(Qt::darkGreen).rgb()));
    QCOMPARE(countColour(changed, Blue), 0);
}

void TestLogGraph::pointsStandAloneWithoutConnectPoints()
{
    TLogGraph chart(nullptr);
    chart.resize(360, 235);
    chart.setConnectPoints(false);
    for (const int mistakes : {2, 0, 5})
        chart.AddItem(mistakes);
    const QImage image = picture(chart);
    QCOMPARE(rgb(image, 190, 210), Blue);
    QCOMPARE(countColour(image, Navy), 0);
    QCOMPARE(rgb(image, 140, 170), rgb(chart.color().rgb()));
}

void TestLogGraph::oneResultIsOnePointInTheMiddle()
{
    TLogGraph chart(nullptr);
    chart.resize(360, 235);
    chart.AddItem(4);
    const QImage image = picture(chart);
    QCOMPARE(rgb(image, 190, 10), Blue);
    QCOMPARE(rgb(image, 187, 10), Blue);
    QCOMPARE(rgb(image, 193, 10), rgb(chart.color().rgb()));
    QCOMPARE(countColour(image, Navy), 0);
}

void TestLogGraph::allZeroResultsLieOnTheAxis()
{
    TLogGraph chart(nullptr);
    chart.resize(360, 235);
    for (int i = 0; i < 4; ++i)
        chart.AddItem(0);
    const QImage image = picture(chart);
    // Columns 75 wide: centres near 77, 152, 227, 302 on the axis, joined along it.
    for (const int x : {77, 152, 227, 302})
        QCOMPARE(rgb(image, x, 208), Blue);
    QCOMPARE(rgb(image, 302, 210), Blue);
    QCOMPARE(rgb(image, 115, 210), Navy);
    QCOMPARE(rgb(image, 115, 209), rgb(chart.color().rgb()));

    // The top label reads "0": it looks exactly like the label at the corner.
    const QFontMetrics metrics(chart.chartFont());
    const int left = 40 - metrics.horizontalAdvance(QStringLiteral("0  "));
    const QSize label(metrics.horizontalAdvance(QStringLiteral("0")), metrics.height());
    const QImage corner = image.copy(QRect(QPoint(left, 235 - metrics.height() / 2 - 25), label));
    const QImage top = image.copy(QRect(QPoint(left, 10 - metrics.height() / 2), label));
    QVERIFY(hasDarkPixel(corner, corner.rect()));
    QCOMPARE(top, corner);

    // A top value of 5 no longer does.
    chart.AddItem(5);
    const QImage five = picture(chart);
    QVERIFY(five.copy(QRect(QPoint(left, 10 - metrics.height() / 2), label)) != corner);
}

void TestLogGraph::onlyTheFirst99ResultsAreDrawn()
{
    QList<int> results;
    for (int n = 1; n <= 120; ++n)
        results << n;
    const QString path = writeUnit(m_folder, QStringLiteral("Long.lif"),
                                   QStringLiteral("TestCount=120\r\n") + resultLines(results));
    TLogGraph chart(nullptr);
    // 396 wide: columns of 4 pixels for 99 results.
    chart.resize(456, 235);
    chart.setMarkerSize(1);
    chart.setConnectPoints(false);
    chart.setVocabularyFile(path);
    QCOMPARE(chart.testedCount(), 120);
    QCOMPARE(chart.count(), 99);
    const QImage image = picture(chart);
    // Result 99 is the top at x = 99 * 4 + 40 - 2, and result 50 is at 50 * 200 / 99 above the
    // axis, that is at y = 109.
    QCOMPARE(rgb(image, 434, 10), Blue);
    QCOMPARE(rgb(image, 238, 109), Blue);
    QCOMPARE(rgb(image, 238, 110), rgb(chart.color().rgb()));
    // Between two points of size 1 there is a free pixel.
    QCOMPARE(rgb(image, 436, 10), rgb(chart.color().rgb()));
}

void TestLogGraph::aGapEndsTheChart()
{
    const QString gapped = writeUnit(m_folder, QStringLiteral("Gap.lif"),
                                     QStringLiteral("TestResult1=2\r\nTestResult2=0\r\nTestResult3=5\r\n"
                                                    "TestResult5=9\r\nTestResult6=1\r\n"));
    TLogGraph chart(nullptr);
    chart.resize(360, 235);
    chart.setVocabularyFile(gapped);
    TLogGraph three(nullptr);
    three.resize(360, 235);
    for (const int mistakes : {2, 0, 5})
        three.AddItem(mistakes);
    QCOMPARE(picture(chart), picture(three));
}

// The formulas put points and axes outside so small a chart; it still draws what falls inside.
void TestLogGraph::tinyChartsDrawWithoutFailing()
{
    TLogGraph chart(nullptr);
    chart.AddItem(3);
    chart.AddItem(7);

    chart.resize(300, 10);
    QImage image = picture(chart);
    QCOMPARE(image.size(), QSize(300, 10));
    // The vertical axis runs upwards from y = 7 past the top edge.
    QCOMPARE(rgb(image, 40, 5), Black);

    chart.resize(10, 300);
    image = picture(chart);
    QCOMPARE(image.size(), QSize(10, 300));
    // The horizontal axis runs to the left from the corner at (40, 275).
    QCOMPARE(rgb(image, 5, 275), Black);

    chart.resize(10, 10);
    QCOMPARE(picture(chart).size(), QSize(10, 10));
    chart.resize(0, 0);
    chart.grab();

    // A top value below the results puts the points far off the chart, not in a wrong place.
    chart.resize(360, 235);
    chart.AddItem(std::numeric_limits<int>::max());
    chart.setBiggestItem(1);
    QCOMPARE(rgb(picture(chart), 40, 120), Black);
}

void TestLogGraph::dozenResultsScreenshot()
{
    const QString path = writeUnit(m_folder, QStringLiteral("Dozen.lif"),
                                   QStringLiteral("TestCount=12\r\nLastTestDate=07.12.26\r\n") +
                                       resultLines({9, 7, 8, 5, 6, 4, 4, 2, 3, 1, 0, 1}));
    TLogGraph chart(nullptr);
    chart.setObjectName(QStringLiteral("LogGraph1"));
    chart.resize(460, 160);
    chart.setLanguageFile(TestFolder::shippedFile(QStringLiteral("english.llf")));
    chart.setVocabularyFile(path);
    const QImage image = picture(chart);
    saveScreenshot(image, QStringLiteral("loggraph-dozen"));
    // Column 1 of 12 in a 400 wide area: x = 56.67 rounded to 57; 9 mistakes at the top.
    QCOMPARE(rgb(image, 57, 8), Blue);
    QCOMPARE(chart.count(), 12);
}

QTEST_MAIN(TestLogGraph)
#include "tst_loggraph.moc"

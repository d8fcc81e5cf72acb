// The logbook's forecast chart: a bar per coming day as high as its share of the highest
// count, and the retention gauge filled to the measured share with the target marked; its
// texts from the language file, fitting the chart in every shipped language.

#include "logbook/ui/forecastgraph.h"
#include "support/screenshot.h"
#include "support/testfolder.h"

#include <QDir>
#include <QImage>
#include <QTest>

namespace {
using Bars = QMap<int, int>; // day, count; the other days have none

QRgb rgb(const QImage &image, QPoint at)
{
    return image.pixel(at) & 0xFFFFFF;
}

QImage picture(TForecastGraph &chart)
{
    return chart.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

ReviewOutlook::Outlook outlook(const Bars &bars, int reviews = 0, int recalled = 0)
{
    ReviewOutlook::Outlook result;
    for (auto bar = bars.cbegin(); bar != bars.cend(); ++bar)
        result.duePerDay[bar.key()] = bar.value();
    result.retention = {reviews, recalled};
    return result;
}
} // namespace

// The charts are 360 wide: the bars' room is then 300 wide (W - 60), ten pixels a day.
class TestForecastGraph : public QObject
{
    Q_OBJECT

private slots:
    void barsStandOnTheAxis_data();
    void barsStandOnTheAxis();
    void gaugeShowsRetentionAndTarget_data();
    void gaugeShowsRetentionAndTarget();
    void textsComeFromTheLanguageFileAndFit_data();
    void textsComeFromTheLanguageFileAndFit();
    void tinyChartsDrawWithoutFailing();
};

void TestForecastGraph::barsStandOnTheAxis_data()
{
    QTest::addColumn<Bars>("bars");
    QTest::addColumn<int>("height");
    QTest::newRow("today highest") << Bars{{0, 8}, {5, 2}, {29, 4}} << 200;
    QTest::newRow("one side, last day") << Bars{{29, 1}} << 200;
    QTest::newRow("odd heights") << Bars{{1, 3}, {2, 7}, {17, 5}} << 187;
    QTest::newRow("nothing due") << Bars{} << 200;
}

void TestForecastGraph::barsStandOnTheAxis()
{
    QFETCH(Bars, bars);
    QFETCH(int, height);
    TForecastGraph chart(nullptr);
    chart.resize(360, height);
    chart.setOutlook(outlook(bars));
    const QImage image = picture(chart);
    const QRect area = chart.barArea();
    QCOMPARE(area.left(), 41);
    QCOMPARE(area.width(), 300);
    QCOMPARE(area.bottom(), height - 26);          // on the horizontal axis, 25 above the bottom edge
    QCOMPARE(rgb(image, {40, area.bottom()}), 0u); // the vertical axis
    QCOMPARE(rgb(image, {area.left() + 150, area.bottom() + 1}), 0u); // the horizontal axis
    int most = 1;
    for (const int count : bars)
        most = std::max(most, count);
    for (int day = 0; day < ReviewOutlook::Days; ++day) {
        const int x = area.left() + 10 * day;
        const int tall = int(std::lround(bars.value(day) * area.height() / double(most)));
        const QString where = QStringLiteral("day %1").arg(day);
        // The day's first and last column; the tenth is left free.
        for (const int column : {x, x + 8}) {
            if (tall > 0) {
                QVERIFY2(rgb(image, {column, area.bottom()}) == TForecastGraph::BarColour, qPrintable(where));
                QVERIFY2(rgb(image, {column, area.bottom() - tall + 1}) == TForecastGraph::BarColour,
                         qPrintable(where));
            }
            QVERIFY2(rgb(image, {column, area.bottom() - tall}) != TForecastGraph::BarColour,
                     qPrintable(where));
        }
        QVERIFY2(rgb(image, {x + 9, area.bottom()}) != TForecastGraph::BarColour, qPrintable(where));
    }
}

void TestForecastGraph::gaugeShowsRetentionAndTarget_data()
{
    QTest::addColumn<int>("reviews");
    QTest::addColumn<int>("recalled");
    QTest::newRow("three in four") << 4 << 3;
    QTest::newRow("all") << 7 << 7;
    QTest::newRow("one in three") << 3 << 1;
    QTest::newRow("none") << 5 << 0;
    QTest::newRow("no reviews") << 0 << 0;
}

void TestForecastGraph::gaugeShowsRetentionAndTarget()
{
    QFETCH(int, reviews);
    QFETCH(int, recalled);
    TForecastGraph chart(nullptr);
    chart.resize(360, 200);
    chart.setOutlook(outlook({{3, 2}}, reviews, recalled));
    const QImage image = picture(chart);
    const QRect gauge = chart.gaugeArea();
    QCOMPARE(gauge.left(), 40);
    QCOMPARE(gauge.width(), 300);
    QVERIFY(gauge.bottom() < chart.barArea().top());
    const int middle = gauge.center().y();
    // Filled up to the measured share: 0.75 of 300 pixels is up to x = 40 + 225 - 1.
    const int filled = reviews > 0 ? int(std::lround(300.0 * recalled / reviews)) : 0;
    if (filled > 0)
        QCOMPARE(rgb(image, {gauge.left() + filled - 1, middle}), TForecastGraph::RetainedColour);
    const int target = gauge.left() + 270;
    if (filled < 300 && std::abs(gauge.left() + filled - target) > 1)
        QCOMPARE(rgb(image, {gauge.left() + filled, middle}), TForecastGraph::GaugeColour);
    // The target, 90 %, stands out above and below the gauge.
    for (const int y : {gauge.top() - 3, middle, gauge.bottom() + 3}) {
        QCOMPARE(rgb(image, {target - 1, y}), TForecastGraph::TargetColour);
        QCOMPARE(rgb(image, {target, y}), TForecastGraph::TargetColour);
    }
    QVERIFY(rgb(image, {target + 1, gauge.top() - 3}) != TForecastGraph::TargetColour);
    const QString share = reviews > 0 ? QStringLiteral("%1%").arg(std::lround(100.0 * recalled / reviews))
                                      : QStringLiteral("\u2013");
    QCOMPARE(chart.retentionText(), QStringLiteral("Retention, last 30 days: ") + share);
    QCOMPARE(chart.targetText(), QStringLiteral("Target: 90%"));
}

void TestForecastGraph::textsComeFromTheLanguageFileAndFit_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("target");
    const QDir data(QFileInfo(TestFolder::shippedFile(QStringLiteral("english.llf"))).path());
    const QStringList files = data.entryList({QStringLiteral("*.llf")});
    QCOMPARE(files.size(), 10);
    const QMap<QString, QString> targets{{QStringLiteral("english.llf"), QStringLiteral("Target: 90%")},
                                         {QStringLiteral("deutsch.llf"), QStringLiteral("Ziel: 90 %")},
                                         {QStringLiteral("turkce.llf"), QStringLiteral("Hedef: %90")},
                                         {QStringLiteral("ellinika.llf"), QStringLiteral("Στόχος: 90%")}};
    for (const QString &file : files)
        QTest::newRow(qPrintable(file)) << file << targets.value(file);
}

// 260 by 150: a little less than the chart has in a window of the default size.
void TestForecastGraph::textsComeFromTheLanguageFileAndFit()
{
    QFETCH(QString, file);
    QFETCH(QString, target);
    TForecastGraph chart(nullptr);
    chart.resize(260, 150);
    chart.setLanguageFile(TestFolder::shippedFile(file));
    chart.setOutlook(outlook({{0, 100}}, 1000, 1000)); // the widest numbers
    if (!target.isEmpty())
        QCOMPARE(chart.targetText(), target);
    if (file != QStringLiteral("english.llf"))
        QVERIFY(chart.captionText() != QStringLiteral("Due in the next 30 days"));
    const QFontMetrics metrics(chart.chartFont());
    const int room = chart.width() - chart.textLeft() - 4;
    for (const QString &text : {chart.retentionText(), chart.targetText()})
        QVERIFY2(metrics.horizontalAdvance(text) <= room, qPrintable(text));
    QVERIFY2(metrics.horizontalAdvance(chart.captionText()) <= chart.width() - 8,
             qPrintable(chart.captionText()));
    // The texts above the gauge, the caption below the axis.
    QVERIFY(4 + 2 * metrics.height() <= chart.gaugeArea().top() - 3);
    QVERIFY(chart.barArea().bottom() + 1 < chart.height() - metrics.height() - 2);
    QVERIFY(saveScreenshot(chart, QStringLiteral("forecastgraph/") + QFileInfo(file).baseName()));
}

void TestForecastGraph::tinyChartsDrawWithoutFailing()
{
    for (const QSize size : {QSize(1, 1), QSize(30, 20), QSize(70, 60), QSize(0, 0)}) {
        TForecastGraph chart(nullptr);
        chart.resize(size);
        chart.setOutlook(outlook({{0, 5}, {29, 1}}, 10, 9));
        QCOMPARE(chart.grab().size(), size);
    }
}

QTEST_MAIN(TestForecastGraph)
#include "tst_forecastgraph.moc"

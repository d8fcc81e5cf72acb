#include "platform/lumoerror.h"
#include "voctest/ui/gauge.h"

#include <QTest>

namespace {
QString refusalOf(const std::function<void()> &call)
{
    try {
        call();
    } catch (const LumoError &error) {
        return error.message();
    }
    return QString();
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

int countColour(const QImage &image, const QRect &area, QRgb colour)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF))
                ++n;
    return n;
}

void saveScreenshot(QWidget &widget, const QString &name)
{
    const QString folder = qEnvironmentVariable("LUMO_SCREENSHOT_DIR");
    if (!folder.isEmpty() && QDir().mkpath(folder))
        widget.grab().save(folder + u'/' + name + QStringLiteral(".png"));
}
} // namespace

class TestGauge : public QObject
{
    Q_OBJECT

private slots:
    void defaults();
    void percentDone_data();
    void percentDone();
    void progressIsClamped_data();
    void progressIsClamped();
    void invertedRangeIsRefused();
    void repaintsOnlyWhenThePercentageChanges();
    void horizontalBarFillsFromTheLeft();
    void verticalBarFillsFromTheBottom();
    void textIsInvertedOnBothColours();
    void textKindPaintsOnlyTheBackground();
    void pieAndNeedlePaint();
};

void TestGauge::defaults()
{
    TGauge gauge;
    QCOMPARE(gauge.kind(), TGauge::gkHorizontalBar);
    QVERIFY(gauge.showText());
    QCOMPARE(gauge.borderStyle(), TGauge::bsSingle);
    QCOMPARE(gauge.foreColor(), QColor(Qt::black));
    QCOMPARE(gauge.backColor(), QColor(Qt::white));
    QCOMPARE(gauge.minValue(), 0);
    QCOMPARE(gauge.maxValue(), 100);
    QCOMPARE(gauge.progress(), 0);
    QCOMPARE(gauge.size(), QSize(100, 100));
    // The names the language file and the page use.
    QCOMPARE(gauge.property("Progress").toInt(), 0);
    QVERIFY(gauge.setProperty("MaxValue", 7));
    QCOMPARE(gauge.maxValue(), 7);
}

void TestGauge::percentDone_data()
{
    QTest::addColumn<int>("minValue");
    QTest::addColumn<int>("maxValue");
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("percent");
    QTest::newRow("start") << 0 << 100 << 0 << 0;
    QTest::newRow("full") << 0 << 100 << 100 << 100;
    QTest::newRow("a third is truncated") << 0 << 3 << 1 << 33;
    QTest::newRow("two thirds is truncated") << 0 << 3 << 2 << 66;
    QTest::newRow("score 7 of 9") << 0 << 9 << 7 << 77;
    QTest::newRow("shifted range") << 50 << 150 << 75 << 25;
    QTest::newRow("negative range") << -10 << -5 << -6 << 80;
    QTest::newRow("empty range") << 5 << 5 << 5 << 0;
    QTest::newRow("whole int range") << std::numeric_limits<int>::min() << std::numeric_limits<int>::max()
                                     << -1 << 49;
}

void TestGauge::percentDone()
{
    QFETCH(int, minValue);
    QFETCH(int, maxValue);
    QFETCH(int, progress);
    TGauge gauge;
    if (minValue > gauge.maxValue()) {
        gauge.setMaxValue(maxValue);
        gauge.setMinValue(minValue);
    } else {
        gauge.setMinValue(minValue);
        gauge.setMaxValue(maxValue);
    }
    gauge.setProgress(progress);
    QTEST(gauge.percentDone(), "percent");
}

void TestGauge::progressIsClamped_data()
{
    QTest::addColumn<int>("progress");
    QTest::addColumn<int>("kept");
    QTest::newRow("inside") << 15 << 15;
    QTest::newRow("above") << 99 << 20;
    QTest::newRow("below") << -3 << 10;
}

void TestGauge::progressIsClamped()
{
    QFETCH(int, progress);
    TGauge gauge;
    gauge.setMaxValue(20);
    gauge.setMinValue(10);
    gauge.setProgress(progress);
    QTEST(gauge.progress(), "kept");
    gauge.addProgress(1000);
    QCOMPARE(gauge.progress(), 20);
}

void TestGauge::invertedRangeIsRefused()
{
    TGauge gauge;
    gauge.setMinValue(10);
    gauge.setMaxValue(40);
    gauge.setProgress(30);

    QCOMPARE(refusalOf([&] { gauge.setMaxValue(9); }),
             QStringLiteral("Value must be between 10 and %1").arg(std::numeric_limits<int>::max()));
    QCOMPARE(refusalOf([&] { gauge.setMinValue(41); }),
             QStringLiteral("Value must be between %1 and 40").arg(std::numeric_limits<int>::min()));
    QCOMPARE(gauge.minValue(), 10);
    QCOMPARE(gauge.maxValue(), 40);
    QCOMPARE(gauge.progress(), 30);

    // An empty range is allowed, and a shrinking range pulls Progress along.
    QCOMPARE(refusalOf([&] { gauge.setMaxValue(10); }), QString());
    QCOMPARE(gauge.progress(), 10);
    QCOMPARE(gauge.percentDone(), 0);
}

void TestGauge::repaintsOnlyWhenThePercentageChanges()
{
    TGauge gauge;
    gauge.setMaxValue(1000);
    gauge.show();
    QVERIFY(QTest::qWaitForWindowExposed(&gauge));
    PaintCounter counter;
    gauge.installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;

    gauge.setProgress(5); // still 0 %
    gauge.setMaxValue(999);
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);

    gauge.setProgress(500);
    QTRY_VERIFY(counter.paints > 0);
}

void TestGauge::horizontalBarFillsFromTheLeft()
{
    TGauge gauge;
    gauge.setShowText(false);
    gauge.setForeColor(Qt::green);
    gauge.setProgress(25);
    const QImage image = gauge.grab().toImage();
    // Inside the one-pixel border 98 columns are left; a quarter of them is 24.
    QCOMPARE(countColour(image, QRect(1, 50, 98, 1), QColor(Qt::green).rgb()), 24);
    QCOMPARE(image.pixelColor(1, 50), QColor(Qt::green));
    QCOMPARE(image.pixelColor(98, 50), QColor(Qt::white));
    QCOMPARE(image.pixelColor(0, 50), QColor(Qt::black));
}

void TestGauge::verticalBarFillsFromTheBottom()
{
    TGauge gauge;
    gauge.setKind(TGauge::gkVerticalBar);
    gauge.setShowText(false);
    gauge.setBorderStyle(TGauge::bsNone);
    gauge.setForeColor(Qt::red);
    gauge.setBackColor(Qt::lightGray);
    gauge.setProgress(30);
    const QImage image = gauge.grab().toImage();
    QCOMPARE(countColour(image, QRect(50, 0, 1, 100), QColor(Qt::red).rgb()), 30);
    QCOMPARE(image.pixelColor(50, 99), QColor(Qt::red));
    QCOMPARE(image.pixelColor(50, 0), QColor(Qt::lightGray));
    saveScreenshot(gauge, QStringLiteral("gauge-vertical"));
}

void TestGauge::textIsInvertedOnBothColours()
{
    TGauge gauge;
    gauge.resize(200, 40);
    gauge.setBorderStyle(TGauge::bsNone);
    gauge.setForeColor(Qt::black);
    gauge.setBackColor(Qt::white);
    gauge.setMaxValue(2);
    gauge.setProgress(1); // "50%" straddles the edge of the bar
    const QImage image = gauge.grab().toImage();
    // White text is black on the white half and white on the black half.
    QVERIFY(countColour(image, QRect(100, 0, 100, 40), qRgb(0, 0, 0)) > 0);
    QVERIFY(countColour(image, QRect(0, 0, 100, 40), qRgb(255, 255, 255)) > 0);
    saveScreenshot(gauge, QStringLiteral("gauge-text"));

    gauge.setShowText(false);
    const QImage plain = gauge.grab().toImage();
    QCOMPARE(countColour(plain, QRect(100, 0, 100, 40), qRgb(0, 0, 0)), 0);
    QCOMPARE(countColour(plain, QRect(0, 0, 100, 40), qRgb(255, 255, 255)), 0);
}

void TestGauge::textKindPaintsOnlyTheBackground()
{
    TGauge gauge;
    gauge.setKind(TGauge::gkText);
    gauge.setShowText(false);
    gauge.setBorderStyle(TGauge::bsNone);
    gauge.setForeColor(Qt::blue);
    gauge.setProgress(100);
    const QImage image = gauge.grab().toImage();
    QCOMPARE(countColour(image, image.rect(), QColor(Qt::white).rgb()), 100 * 100);
}

void TestGauge::pieAndNeedlePaint()
{
    for (TGauge::TGaugeKind kind : {TGauge::gkPie, TGauge::gkNeedle}) {
        TGauge gauge;
        gauge.setKind(kind);
        gauge.setShowText(false);
        gauge.setForeColor(Qt::blue);
        gauge.setProgress(kind == TGauge::gkPie ? 50 : 100);
        const QImage image = gauge.grab().toImage();
        QVERIFY(countColour(image, image.rect(), QColor(Qt::blue).rgb()) > 0);
        saveScreenshot(gauge,
                       kind == TGauge::gkPie ? QStringLiteral("gauge-pie") : QStringLiteral("gauge-needle"));
    }
}

QTEST_MAIN(TestGauge)
#include "tst_gauge.moc"

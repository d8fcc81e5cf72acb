#include "platform/lumoerror.h"
#include "support/screenshot.h"
#include "voctest/ui/gauge.h"

#include <QTest>
#include <QtMath>
#include <cmath>

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

// How much bluer than red the bluest pixel around a point is: 255 on a blue line, 0 on white,
// black or grey, partly where a smoothed line only touches the pixel.
int blueAround(const QImage &image, QPointF at)
{
    int most = 0;
    const QPoint centre(int(std::floor(at.x())), int(std::floor(at.y())));
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const QPoint p = centre + QPoint(dx, dy);
            if (image.rect().contains(p))
                most = std::max(most, image.pixelColor(p).blue() - image.pixelColor(p).red());
        }
    return most;
}

bool isBlue(const QImage &image, QPointF at)
{
    return blueAround(image, at) > 150;
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
    void pieFillsClockwiseFromTwelve();
    void needlePointsAtThePercentage_data();
    void needlePointsAtThePercentage();
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

void TestGauge::pieFillsClockwiseFromTwelve()
{
    TGauge gauge;
    gauge.setKind(TGauge::gkPie);
    gauge.setShowText(false);
    gauge.setForeColor(Qt::blue);
    gauge.setProgress(25);
    const QImage image = gauge.grab().toImage();
    saveScreenshot(gauge, QStringLiteral("gauge-pie"));
    // A quarter from twelve o'clock clockwise is the upper right quarter of the circle.
    QVERIFY(isBlue(image, {70, 30}));
    QVERIFY(!isBlue(image, {30, 30}));
    QVERIFY(!isBlue(image, {70, 70}));
    QVERIFY(!isBlue(image, {30, 70}));
}

void TestGauge::needlePointsAtThePercentage_data()
{
    QTest::addColumn<int>("progress");
    QTest::addColumn<double>("degrees"); // counter-clockwise from three o'clock
    QTest::newRow("empty: left") << 0 << 180.0;
    QTest::newRow("half: straight up") << 50 << 90.0;
    QTest::newRow("full: right") << 100 << 0.0;
    QTest::newRow("a quarter: upper left") << 25 << 135.0;
}

void TestGauge::needlePointsAtThePercentage()
{
    QFETCH(int, progress);
    QFETCH(double, degrees);
    TGauge gauge;
    gauge.setKind(TGauge::gkNeedle);
    gauge.setShowText(false);
    gauge.setBorderStyle(TGauge::bsNone);
    gauge.setForeColor(Qt::blue);
    gauge.setProgress(progress);
    const QImage image = gauge.grab().toImage();
    saveScreenshot(gauge, QStringLiteral("gauge-needle-%1").arg(progress));

    // The needle turns about the middle of the bottom edge and reaches the dial's rim.
    const QPointF pivot(49.5, 99);
    const auto along = [&](double angle, double share) {
        const double radians = qDegreesToRadians(angle);
        return QPointF(pivot.x() + std::cos(radians) * 49.5 * share,
                       pivot.y() - std::sin(radians) * 99 * share);
    };
    // Lying on the bottom edge, the needle's lower half is cut off; look just above it.
    const QPointF lift(0, degrees == 0.0 || degrees == 180.0 ? -1 : 0);
    for (double share : {0.3, 0.6, 0.95})
        QVERIFY2(isBlue(image, along(degrees, share) + lift), qPrintable(QString::number(share)));
    // Nowhere else.
    for (double other : {0.0, 45.0, 90.0, 135.0, 180.0}) {
        if (std::abs(other - degrees) < 30)
            continue;
        const QPointF lifted(0, other == 0.0 || other == 180.0 ? -1 : 0);
        for (double share : {0.3, 0.6, 0.95})
            QVERIFY2(blueAround(image, along(other, share) + lifted) < 40,
                     qPrintable(QStringLiteral("%1 at %2").arg(other).arg(share)));
    }
}

QTEST_MAIN(TestGauge)
#include "tst_gauge.moc"

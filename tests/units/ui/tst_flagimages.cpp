#include "units/ui/flagimages.h"
#include "vocfile/vocabularylanguages.h"
#include "widgets/imagelist.h"

#include "support/screenshot.h"
#include "support/testfolder.h"

#include <QDir>
#include <QPainter>
#include <QTest>

namespace {
QString shippedFlags()
{
    return TestFolder::shippedFile(QStringLiteral("flags/"));
}

QIcon solidIcon(const QSize &size, const QColor &colour, qreal ratio = 1.0)
{
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(colour);
    return QIcon(pixmap);
}

bool isTransparent(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0)
                return false;
    return true;
}

bool near(QRgb pixel, const QColor &expected, int tolerance = 40)
{
    return qAbs(qRed(pixel) - expected.red()) <= tolerance &&
           qAbs(qGreen(pixel) - expected.green()) <= tolerance &&
           qAbs(qBlue(pixel) - expected.blue()) <= tolerance && qAlpha(pixel) == 255;
}

QString describe(QRgb pixel)
{
    return QColor::fromRgba(pixel).name(QColor::HexArgb);
}

// All pictures of both lists side by side, large above small, on white.
QImage flagStrip(const TImageList &large, const TImageList &small, qreal ratio)
{
    const int pitch = LargeFlagSize + 4;
    QImage strip(QSize(LanguageCount * pitch + 4, LargeFlagSize + SmallFlagSize + 12) * ratio,
                 QImage::Format_ARGB32);
    strip.setDevicePixelRatio(ratio);
    strip.fill(Qt::white);
    QPainter painter(&strip);
    for (int language = 0; language < LanguageCount; ++language) {
        const int left = 4 + language * pitch;
        large.Draw(painter, QRect(left, 4, LargeFlagSize, LargeFlagSize), language);
        small.Draw(painter, QRect(left + 8, LargeFlagSize + 8, SmallFlagSize, SmallFlagSize), language);
    }
    return strip;
}

// The pictures of one list in two rows, each device pixel shown as a square of factor pixels.
QImage enlargedGrid(const TImageList &list, qreal ratio, int factor)
{
    const int columns = 10;
    const int pitch = list.imageSize().width() + 4;
    QImage grid(QSize(columns * pitch, 2 * pitch) * ratio, QImage::Format_ARGB32);
    grid.setDevicePixelRatio(ratio);
    grid.fill(Qt::white);
    {
        QPainter painter(&grid);
        for (int language = 0; language < LanguageCount; ++language)
            list.Draw(painter,
                      QRect(QPoint(language % columns, language / columns) * pitch + QPoint(2, 2),
                            list.imageSize()),
                      language);
    }
    grid.setDevicePixelRatio(1.0);
    return grid.scaled(grid.size() * factor);
}
} // namespace

class TestFlagImages : public QObject
{
    Q_OBJECT

private slots:
    void imageListHoldsPicturesByIndex()
    {
        TImageList list(QSize(16, 16), nullptr);
        QCOMPARE(list.count(), 0);
        QCOMPARE(list.Add(solidIcon(QSize(16, 16), Qt::red)), 0);
        QCOMPARE(list.Add(QIcon()), 1);
        QCOMPARE(list.Add(solidIcon(QSize(16, 16), Qt::blue)), 2);
        QCOMPARE(list.count(), 3);
        QVERIFY(list.hasPicture(0));
        QVERIFY(!list.hasPicture(1));
        QVERIFY(list.hasPicture(2));
        QCOMPARE(list.pixmap(2).toImage().pixelColor(8, 8), QColor(Qt::blue));

        // A place without a picture, or no place at all, is a transparent square of the size.
        for (const int index : {1, 3, 25, -1}) {
            QVERIFY(!list.hasPicture(index) || index == 2);
            QVERIFY(list.icon(index).isNull());
            for (const qreal ratio : {1.0, 2.0}) {
                const QPixmap blank = list.pixmap(index, ratio);
                QCOMPARE(blank.size(), QSize(16, 16) * ratio);
                QCOMPARE(blank.devicePixelRatio(), ratio);
                QVERIFY(isTransparent(blank.toImage()));
            }
        }
        list.Clear();
        QCOMPARE(list.count(), 0);
        QVERIFY(!list.hasPicture(0));
    }

    void assignCopiesSizeAndPictures()
    {
        TImageList source(QSize(32, 32), nullptr);
        source.Add(solidIcon(QSize(32, 32), Qt::green));
        source.Add(QIcon());
        TImageList copy(QSize(16, 16), nullptr);
        copy.Add(solidIcon(QSize(16, 16), Qt::red));
        copy.Add(solidIcon(QSize(16, 16), Qt::red));
        copy.Add(solidIcon(QSize(16, 16), Qt::red));

        copy.Assign(source);
        QCOMPARE(copy.imageSize(), QSize(32, 32));
        QCOMPARE(copy.count(), 2);
        QCOMPARE(copy.pixmap(0).toImage().pixelColor(3, 3), QColor(Qt::green));
        QVERIFY(!copy.hasPicture(1));
        // A copy, not a view of the source.
        source.Clear();
        QCOMPARE(copy.count(), 2);
        QVERIFY(copy.hasPicture(0));
        copy.Assign(copy);
        QCOMPARE(copy.count(), 2);
    }

    void drawStretchesIntoTheTargetAndLeavesBlanksUntouched()
    {
        TImageList list(QSize(16, 16), nullptr);
        list.Add(solidIcon(QSize(16, 16), Qt::red));
        QImage image(40, 40, QImage::Format_ARGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            list.Draw(painter, QRect(4, 6, 24, 10), 0);
            list.Draw(painter, QRect(0, 20, 16, 16), 1);
            list.Draw(painter, QRect(20, 20, 16, 16), -1);
        }
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const bool inside = QRect(4, 6, 24, 10).contains(x, y);
                QCOMPARE(image.pixelColor(x, y), QColor(inside ? Qt::red : Qt::white));
            }
    }

    // On a dense screen the picture rendered for that density is used, not an enlarged one.
    void drawChoosesTheRenderingForThePixelDensity()
    {
        QPixmap normal(16, 16);
        normal.fill(Qt::red);
        QPixmap dense(32, 32);
        dense.setDevicePixelRatio(2.0);
        dense.fill(Qt::blue);
        QIcon picture;
        picture.addPixmap(normal);
        picture.addPixmap(dense);
        TImageList list(QSize(16, 16), nullptr);
        list.Add(picture);

        for (const qreal ratio : {1.0, 2.0}) {
            QImage image(QSize(20, 20) * ratio, QImage::Format_ARGB32);
            image.setDevicePixelRatio(ratio);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                list.Draw(painter, QRect(2, 2, 16, 16), 0);
            }
            const QColor expected(ratio > 1 ? Qt::blue : Qt::red);
            QCOMPARE(image.pixelColor(QPoint(10, 10) * ratio), expected);
            QCOMPARE(list.pixmap(0, ratio).toImage().pixelColor(0, 0), expected);
        }
    }

    void mainWindowListsHoldNineteenFlags()
    {
        QObject window;
        TImageList *large = CreateLargeFlags(&window, shippedFlags());
        TImageList *small = CreateSmallFlags(&window, shippedFlags());
        QCOMPARE(large->parent(), &window);
        QCOMPARE(small->parent(), &window);
        QCOMPARE(window.findChild<TImageList *>(QStringLiteral("LargeFlags")), large);
        QCOMPARE(window.findChild<TImageList *>(QStringLiteral("SmallFlags")), small);
        QCOMPARE(large->imageSize(), QSize(32, 32));
        QCOMPARE(small->imageSize(), QSize(16, 16));
        for (TImageList *list : {large, small}) {
            QCOMPARE(list->count(), LanguageCount);
            for (int language = 0; language < LanguageCount; ++language) {
                QVERIFY2(list->hasPicture(language), qPrintable(QString::number(language)));
                for (const qreal ratio : {1.0, 2.0}) {
                    const QPixmap picture = list->pixmap(language, ratio);
                    QCOMPARE(picture.size(), list->imageSize() * ratio);
                    QCOMPARE(picture.devicePixelRatio(), ratio);
                }
            }
            QVERIFY(!list->hasPicture(LanguageCount));
        }
        saveScreenshot(flagStrip(*large, *small, 1.0), QStringLiteral("flags"));
        saveScreenshot(flagStrip(*large, *small, 2.0), QStringLiteral("flags@2x"));
        // Enlarged without smoothing, to judge the pixels of the small flags.
        saveScreenshot(enlargedGrid(*small, 1.0, 6), QStringLiteral("flags-small-enlarged"));
        saveScreenshot(enlargedGrid(*small, 2.0, 3), QStringLiteral("flags-small@2x-enlarged"));
    }

    void flagsAreDistinctExceptGreek()
    {
        QObject window;
        TImageList *small = CreateSmallFlags(&window, shippedFlags());
        for (const qreal ratio : {1.0, 2.0}) {
            QList<QImage> pictures;
            for (int language = 0; language < LanguageCount; ++language)
                pictures.append(small->pixmap(language, ratio).toImage());
            QCOMPARE(pictures.at(vlGreek), pictures.at(vlOther));
            for (int a = 0; a < LanguageCount; ++a)
                for (int b = a + 1; b < LanguageCount; ++b)
                    if (!(a == vlOther && b == vlGreek))
                        QVERIFY2(pictures.at(a) != pictures.at(b),
                                 qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
        }
    }

    // Points are in a 32 x 24 grid over the flag, which sits centred in its square picture.
    // Fine details are only checked where a grid cell covers at least "density" device pixels.
    void flagColours_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        QTest::addColumn<int>("density");
        const auto row = [](const char *tag, int language, QPoint point, const char *colour,
                            int density = 0) {
            QTest::newRow(tag) << language << point << QColor(QString::fromLatin1(colour)) << density;
        };
        row("EU blue", vlOther, {2, 2}, "#003399");
        row("EU star", vlOther, {16, 4}, "#ffcc00", 2);
        row("US red stripe", vlAmericanEnglish, {30, 4}, "#b22234", 1);
        row("US white stripe", vlAmericanEnglish, {30, 2}, "#ffffff", 1);
        row("UK red cross", vlBritishEnglish, {16, 12}, "#c8102e");
        row("UK white edge", vlBritishEnglish, {12, 4}, "#ffffff");
        row("UK blue field", vlBritishEnglish, {2, 6}, "#012169", 1);
        row("Australia blue", vlAustralianEnglish, {28, 20}, "#012169");
        row("Australia canton cross", vlAustralianEnglish, {8, 6}, "#c8102e", 1);
        row("Australia star", vlAustralianEnglish, {8, 18}, "#ffffff", 1);
        row("France blue", vlFrench, {4, 12}, "#0055a4");
        row("France white", vlFrench, {16, 12}, "#ffffff");
        row("France red", vlFrench, {26, 12}, "#ef4135");
        row("Belgium black", vlBelgian, {4, 12}, "#000000");
        row("Belgium yellow", vlBelgian, {16, 12}, "#fdda24");
        row("Belgium red", vlBelgian, {26, 12}, "#ef3340");
        row("Germany black", vlGerman, {16, 4}, "#000000");
        row("Germany red", vlGerman, {16, 12}, "#dd0000");
        row("Germany gold", vlGerman, {16, 18}, "#ffce00");
        row("Switzerland red", vlSwiss, {4, 4}, "#da291c");
        row("Switzerland cross", vlSwiss, {16, 12}, "#ffffff");
        row("Switzerland red below", vlSwiss, {26, 18}, "#da291c");
        row("Austria red", vlAustrian, {16, 4}, "#c8102e");
        row("Austria white", vlAustrian, {16, 12}, "#ffffff");
        row("Austria red below", vlAustrian, {16, 18}, "#c8102e");
        row("Italy green", vlItalian, {4, 12}, "#009246");
        row("Italy white", vlItalian, {16, 12}, "#ffffff");
        row("Italy red", vlItalian, {26, 12}, "#ce2b37");
        row("Spain red", vlSpanish, {26, 2}, "#aa151b");
        row("Spain yellow", vlSpanish, {24, 12}, "#f1bf00");
        row("Spain red below", vlSpanish, {26, 20}, "#aa151b");
        row("Greek as Other", vlGreek, {2, 2}, "#003399");
        row("Netherlands red", vlDutch, {16, 4}, "#ae1c28");
        row("Netherlands white", vlDutch, {16, 12}, "#ffffff");
        row("Netherlands blue", vlDutch, {16, 18}, "#21468b");
        row("Turkey red", vlTurkish, {4, 4}, "#e30a17");
        row("Turkey crescent", vlTurkish, {7, 11}, "#ffffff", 1);
        row("Brazil green", vlBrazilian, {2, 2}, "#009c3b");
        row("Brazil rhombus", vlBrazilian, {16, 4}, "#ffdf00");
        row("Brazil globe", vlBrazilian, {16, 7}, "#002776", 1);
        row("Denmark red", vlDanish, {4, 4}, "#c8102e");
        row("Denmark cross", vlDanish, {12, 12}, "#ffffff");
        row("Denmark red fly", vlDanish, {24, 18}, "#c8102e");
        row("Finland white", vlFinnish, {4, 4}, "#ffffff");
        row("Finland cross", vlFinnish, {12, 12}, "#002f6c");
        row("Finland white fly", vlFinnish, {24, 18}, "#ffffff");
        row("Norway red", vlNorwegian, {4, 4}, "#ba0c2f");
        row("Norway white edge", vlNorwegian, {8, 8}, "#ffffff");
        row("Norway blue cross", vlNorwegian, {12, 12}, "#00205b");
        row("Norway red fly", vlNorwegian, {24, 18}, "#ba0c2f");
        row("Sweden blue", vlSwedish, {4, 4}, "#006aa7");
        row("Sweden cross", vlSwedish, {12, 12}, "#fecc02");
        row("Sweden blue fly", vlSwedish, {24, 18}, "#006aa7");
    }

    void flagColours()
    {
        QFETCH(int, language);
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        QFETCH(int, density);
        QObject window;
        const TImageList *lists[] = {CreateSmallFlags(&window, shippedFlags()),
                                     CreateLargeFlags(&window, shippedFlags())};
        for (const TImageList *list : lists) {
            for (const qreal ratio : {1.0, 2.0}) {
                const qreal perCell = list->imageSize().width() * ratio / 32;
                if (perCell < density)
                    continue;
                const QImage picture = list->pixmap(language, ratio).toImage();
                const int top = int(list->imageSize().height() * ratio / 8); // a 4:3 flag, centred
                const QRgb pixel = picture.pixel(int(point.x() * perCell), top + int(point.y() * perCell));
                QVERIFY2(near(pixel, colour), qPrintable(QStringLiteral("%1 px at %2x: %3 instead of %4")
                                                             .arg(list->imageSize().width())
                                                             .arg(ratio)
                                                             .arg(describe(pixel), colour.name())));
            }
        }
    }

    // Above and below the flag the square stays transparent, so it sits on any background.
    void flagsLeaveTheSquareOutsideTheFlagTransparent()
    {
        QObject window;
        TImageList *small = CreateSmallFlags(&window, shippedFlags());
        const QImage german = small->pixmap(vlGerman).toImage();
        QVERIFY(isTransparent(german.copy(0, 0, 16, 2)));
        QVERIFY(isTransparent(german.copy(0, 14, 16, 2)));
        QCOMPARE(qAlpha(german.pixel(8, 2)), 255);
        QCOMPARE(qAlpha(german.pixel(8, 13)), 255);
    }

    // At 16 device pixels the United States flag has stripes one pixel high.
    void smallFlagsHaveDrawingsOfTheirOwn()
    {
        QObject window;
        const QImage normal = CreateSmallFlags(&window, shippedFlags())->pixmap(vlAmericanEnglish).toImage();
        for (int row = 1; row < 11; ++row)
            QVERIFY2(near(normal.pixel(12, 2 + row), QColor(row % 2 ? "#ffffff" : "#b22234"), 8),
                     qPrintable(QString::number(row)));
        // Denser pictures come from the full drawing, whose thirteen stripes fall between pixels.
        const QImage dense =
            CreateSmallFlags(&window, shippedFlags())->pixmap(vlAmericanEnglish, 2.0).toImage();
        QVERIFY(near(dense.pixel(24, 4 + 19), QColor("#b22234")));
        QVERIFY(near(dense.pixel(24, 4 + 21), QColor("#ffffff")));
    }

    void missingFlagFilesLeaveBlankPictures()
    {
        TestFolder folder;
        QDir(folder.path()).mkpath(QStringLiteral("flags"));
        QFile::copy(shippedFlags() + QStringLiteral("de.svg"),
                    folder.filePath(QStringLiteral("flags/de.svg")));
        folder.writeText(QStringLiteral("flags/fr.svg"), QStringLiteral("<svg this is not"));
        QObject window;
        TImageList *small = CreateSmallFlags(&window); // the program folder's flags
        QCOMPARE(small->count(), LanguageCount);
        // Flags are drawn when first shown, so a damaged drawing counts as a picture until
        // then, and then draws as the blank square a missing one gives.
        for (int language = 0; language < LanguageCount; ++language)
            QCOMPARE(small->hasPicture(language), language == vlGerman || language == vlFrench);
        QVERIFY(isTransparent(small->pixmap(vlFrench).toImage()));
        QVERIFY(isTransparent(small->pixmap(vlSpanish).toImage()));
        QVERIFY(!isTransparent(small->pixmap(vlGerman).toImage()));
    }
};

QTEST_MAIN(TestFlagImages)
#include "tst_flagimages.moc"

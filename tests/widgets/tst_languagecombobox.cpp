#include "units/ui/flagimages.h"
#include "vocfile/vocabularylanguages.h"
#include "widgets/imagelist.h"
#include "widgets/languagecombobox.h"

#include "platform/lumoerror.h"
#include "support/screenshot.h"
#include "support/testfolder.h"

#include <QAbstractItemView>
#include <QDir>
#include <QPainter>
#include <QTest>

namespace {
const QChar One(1);

QString flagFolder()
{
    return TestFolder::shippedFile(QStringLiteral("flags/"));
}

bool near(QRgb pixel, const QColor &expected, int tolerance = 40)
{
    return qAbs(qRed(pixel) - expected.red()) <= tolerance &&
           qAbs(qGreen(pixel) - expected.green()) <= tolerance &&
           qAbs(qBlue(pixel) - expected.blue()) <= tolerance;
}

const QColor Black(0, 0, 0);
const QColor Red(0xdd, 0, 0);
const QColor Gold(0xff, 0xce, 0);

// The German flag fills the middle of a 16 x 16 square: black, red and gold from the top.
// Positions are logical; a grab of a dense screen has more pixels.
bool showsGermanFlag(const QImage &image, const QPoint &squareTopLeft)
{
    const qreal ratio = image.devicePixelRatio();
    const auto at = [&](int dy) {
        return image.pixel((QPointF(squareTopLeft + QPoint(8, dy)) * ratio).toPoint());
    };
    return near(at(3), Black) && near(at(7), Red) && near(at(12), Gold);
}

QRect inDevicePixels(const QImage &image, const QRect &logical)
{
    const qreal ratio = image.devicePixelRatio();
    return QRectF(QPointF(logical.topLeft()) * ratio, QSizeF(logical.size()) * ratio).toRect();
}

bool isPlain(const QImage &image, const QRect &area, QRgb background)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background)
                return false;
    return true;
}

// Columns and rows in area that hold anything but the background.
QRect inkIn(const QImage &image, const QRect &area, QRgb background)
{
    QRect ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixel(x, y) != background)
                ink |= QRect(x, y, 1, 1);
    return ink;
}

QImage drawnEntry(const TLanguageComboBox &box, const QString &entry, const QSize &size = QSize(200, 20))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(box.font());
    box.DrawEntry(painter, image.rect(), entry, Qt::black);
    return image;
}
} // namespace

class TestLanguageComboBox : public QObject
{
    Q_OBJECT

    QObject m_flagOwner;
    TImageList *m_smallFlags = nullptr;

private slots:
    void initTestCase()
    {
        m_smallFlags = CreateSmallFlags(&m_flagOwner, flagFolder());
        QCOMPARE(m_smallFlags->count(), LanguageCount);
    }

    void entriesAreNameCharacterOneNumber()
    {
        TLanguageComboBox box(nullptr);
        box.AddLanguage(QStringLiteral("German"), 6);
        box.AddLanguage(QStringLiteral("R&D & Co."), 12);
        box.AddLanguage(QString(), 0);
        box.AddLanguage(QStringLiteral("Negative"), -3);
        QCOMPARE(box.count(), 4);
        QCOMPARE(box.itemText(0), QStringLiteral("German") + One + QStringLiteral("6"));
        QCOMPARE(box.itemText(1), QStringLiteral("R&D & Co.") + One + QStringLiteral("12"));
        QCOMPARE(box.itemText(2), One + QStringLiteral("0"));
        QCOMPARE(box.itemText(3), QStringLiteral("Negative") + One + QStringLiteral("-3"));
        QCOMPARE(box.itemData(1, Qt::AccessibleTextRole).toString(), QStringLiteral("R&D & Co."));
        // Adding selects nothing: a box has no selection until one is made.
        QCOMPARE(box.currentIndex(), -1);

        QCOMPARE(TLanguageComboBox::EntryName(box.itemText(1)), QStringLiteral("R&D & Co."));
        QCOMPARE(TLanguageComboBox::EntryNumber(box.itemText(1)), std::optional<int>(12));
        QCOMPARE(TLanguageComboBox::EntryNumber(box.itemText(3)), std::optional<int>(-3));
        QCOMPARE(TLanguageComboBox::EntryName(QStringLiteral("plain")), QStringLiteral("plain"));
        QCOMPARE(TLanguageComboBox::EntryNumber(QStringLiteral("plain")), std::nullopt);
        QCOMPARE(TLanguageComboBox::EntryNumber(QStringLiteral("x") + One + QStringLiteral("six")),
                 std::nullopt);
    }

    void selectedLanguageIsTheNumberOfTheSelectedEntry()
    {
        TLanguageComboBox box(nullptr);
        QVERIFY_THROWS_EXCEPTION(LumoError, box.SelectedLanguage());
        box.AddLanguage(QStringLiteral("Swedish"), 18);
        box.AddLanguage(QStringLiteral("German"), 6);
        box.AddLanguage(QStringLiteral("Klingon"), 25);
        QVERIFY_THROWS_EXCEPTION(LumoError, box.SelectedLanguage());
        box.setCurrentIndex(1);
        QCOMPARE(box.SelectedLanguage(), 6);
        box.setCurrentIndex(0);
        QCOMPARE(box.SelectedLanguage(), 18);
        box.setCurrentIndex(2);
        QCOMPARE(box.SelectedLanguage(), 25);
        // A preselection beyond the entries leaves none.
        box.setCurrentIndex(25);
        QVERIFY_THROWS_EXCEPTION(LumoError, box.SelectedLanguage());
        box.addItem(QStringLiteral("no number"));
        box.setCurrentIndex(3);
        QVERIFY_THROWS_EXCEPTION(LumoError, box.SelectedLanguage());
    }

    void fillingNamesAllLanguagesInNumberOrder_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::newRow("no file") << QString();
        QTest::newRow("english") << TestFolder::shippedFile(QStringLiteral("english.llf"));
        QTest::newRow("deutsch") << TestFolder::shippedFile(QStringLiteral("deutsch.llf"));
    }

    void fillingNamesAllLanguagesInNumberOrder()
    {
        QFETCH(QString, languageFile);
        TLanguageComboBox box(nullptr);
        box.AddLanguage(QStringLiteral("left over"), 3);
        FillLanguagePicker(box, languageFile, m_smallFlags);
        QCOMPARE(box.count(), LanguageCount);
        QCOMPARE(box.currentIndex(), -1);
        for (int language = 0; language < LanguageCount; ++language) {
            QCOMPARE(box.itemText(language),
                     TLanguageComboBox::EntryText(LanguageName(languageFile, language), language));
            box.setCurrentIndex(language);
            QCOMPARE(box.SelectedLanguage(), language);
        }
        QCOMPARE(box.images()->count(), LanguageCount);
    }

    // A renamed language keeps its number and its flag.
    void renamedLanguageKeepsNumberAndFlag()
    {
        TestFolder folder;
        const QString file = folder.writeText(QStringLiteral("renamed.llf"),
                                              QStringLiteral("[general]\nLanguage6=Hochdeutsch\n"));
        TLanguageComboBox box(nullptr);
        FillLanguagePicker(box, file, m_smallFlags);
        QCOMPARE(TLanguageComboBox::EntryName(box.itemText(6)), QStringLiteral("Hochdeutsch"));
        QCOMPARE(TLanguageComboBox::EntryName(box.itemText(7)), QStringLiteral("Swiss"));
        box.setCurrentIndex(6);
        QCOMPARE(box.SelectedLanguage(), 6);
        const QImage image = drawnEntry(box, box.itemText(6));
        QVERIFY(showsGermanFlag(image, QPoint(2, 0)));
        QVERIFY(!inkIn(image, QRect(22, 0, 178, 20), qRgb(255, 255, 255)).isEmpty());
    }

    void imagesAreCopiedIntoTheControlsOwnList()
    {
        TImageList flags(QSize(16, 16), nullptr);
        LoadFlags(flags, flagFolder());
        TLanguageComboBox box(nullptr);
        TImageList *own = box.images();
        QCOMPARE(own->parent(), &box);
        QCOMPARE(own->count(), 0);

        QVERIFY(box.setProperty("Images", QVariant::fromValue(&flags)));
        QCOMPARE(box.images(), own);
        QCOMPARE(own->count(), LanguageCount);
        for (int language = 0; language < LanguageCount; ++language)
            QCOMPARE(own->pixmap(language).toImage(), flags.pixmap(language).toImage());
        flags.Clear();
        QCOMPARE(own->count(), LanguageCount);
        QVERIFY(own->hasPicture(vlGerman));

        box.setImages(nullptr);
        QCOMPARE(own->count(), 0);
    }

    void assignedEntriesAreCopies()
    {
        TLanguageComboBox native(nullptr);
        FillLanguagePicker(native, QString(), m_smallFlags);
        native.setCurrentIndex(4);
        TLanguageComboBox foreign(nullptr);
        foreign.AddLanguage(QStringLiteral("old"), 1);
        foreign.AssignEntries(native);
        QCOMPARE(foreign.count(), LanguageCount);
        for (int i = 0; i < LanguageCount; ++i) {
            QCOMPARE(foreign.itemText(i), native.itemText(i));
            QCOMPARE(foreign.itemData(i, Qt::AccessibleTextRole), native.itemData(i, Qt::AccessibleTextRole));
        }
        QCOMPARE(foreign.itemData(vlGerman, Qt::AccessibleTextRole).toString(), QStringLiteral("German"));
        QCOMPARE(foreign.currentIndex(), -1);
        // The pictures are the box's own business.
        QCOMPARE(foreign.images()->count(), 0);
        native.clear();
        QCOMPARE(foreign.count(), LanguageCount);
        foreign.setCurrentIndex(9);
        QCOMPARE(foreign.SelectedLanguage(), 9);
    }

    void entryDrawsFlagThenNameCentredOnOneLine()
    {
        TLanguageComboBox box(nullptr);
        box.setImages(m_smallFlags);
        const QRgb white = qRgb(255, 255, 255);
        const QImage image =
            drawnEntry(box, TLanguageComboBox::EntryText(QStringLiteral("German"), 6), QSize(200, 40));
        // The picture sits at the top, 2 pixels in; the text starts 4 pixels after it.
        QVERIFY(showsGermanFlag(image, QPoint(2, 0)));
        QVERIFY(isPlain(image, QRect(0, 0, 2, 40), white));
        QVERIFY(isPlain(image, QRect(2, 16, 20, 24), white));
        QVERIFY(isPlain(image, QRect(18, 0, 4, 40), white));
        const QRect text = inkIn(image, QRect(22, 0, 178, 40), white);
        QVERIFY(!text.isEmpty());
        QVERIFY2(text.left() <= 23, qPrintable(QString::number(text.left())));
        QVERIFY2(qAbs(text.center().y() - 20) <= 3, qPrintable(QString::number(text.center().y())));
        // Line breaks stay on one line.
        const QImage twoLines =
            drawnEntry(box, TLanguageComboBox::EntryText(QStringLiteral("A\nB"), 6), QSize(200, 40));
        const QRect oneLine = inkIn(twoLines, QRect(22, 0, 178, 40), white);
        QVERIFY(oneLine.height() <= box.fontMetrics().height());
    }

    void numberWithoutPictureDrawsBlankSquareAndName()
    {
        TLanguageComboBox box(nullptr);
        box.setImages(m_smallFlags);
        const QRgb white = qRgb(255, 255, 255);
        const QImage image = drawnEntry(box, TLanguageComboBox::EntryText(QStringLiteral("Klingon"), 25));
        QVERIFY(isPlain(image, QRect(0, 0, 22, 20), white));
        QVERIFY(!inkIn(image, QRect(22, 0, 178, 20), white).isEmpty());
        // Without any pictures every entry draws the blank square.
        TLanguageComboBox bare(nullptr);
        QVERIFY(isPlain(drawnEntry(bare, TLanguageComboBox::EntryText(QStringLiteral("German"), 6)),
                        QRect(0, 0, 22, 20), white));
    }

    void ampersandIsShownAsItIs()
    {
        TLanguageComboBox box(nullptr);
        const QRgb white = qRgb(255, 255, 255);
        const QRect area(22, 0, 178, 20);
        const QRect withAmpersand =
            inkIn(drawnEntry(box, TLanguageComboBox::EntryText(QStringLiteral("A&B"), 0)), area, white);
        const QRect without =
            inkIn(drawnEntry(box, TLanguageComboBox::EntryText(QStringLiteral("AB"), 0)), area, white);
        const int ampersand = box.fontMetrics().horizontalAdvance(u'&');
        QVERIFY2(withAmpersand.width() >= without.width() + ampersand - 2,
                 qPrintable(QStringLiteral("%1 vs %2").arg(withAmpersand.width()).arg(without.width())));
        QVERIFY(!inkIn(drawnEntry(box, TLanguageComboBox::EntryText(QStringLiteral("&"), 0)), area, white)
                     .isEmpty());
    }

    void openListShowsFlagsAndNames()
    {
        TLanguageComboBox box(nullptr);
        FillLanguagePicker(box, QString(), m_smallFlags);
        box.AddLanguage(QStringLiteral("Klingon & Co."), 25);
        box.setCurrentIndex(vlGerman);
        box.resize(box.sizeHint());
        box.show();
        QVERIFY(QTest::qWaitForWindowExposed(&box));
        box.showPopup();
        QAbstractItemView *view = box.view();
        QTRY_VERIFY(view->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        const QImage list = view->window()->grab().toImage();
        saveScreenshot(list, QStringLiteral("languagecombobox-open"));

        const QImage viewport = view->viewport()->grab().toImage();
        const QRect german = view->visualRect(box.model()->index(vlGerman, 0));
        QVERIFY(!german.isEmpty());
        QCOMPARE(german.height(), box.entryHeight());
        QVERIFY(showsGermanFlag(viewport, german.topLeft() + QPoint(2, 0)));
        const QRect klingon = view->visualRect(box.model()->index(LanguageCount, 0));
        const QRect blank = inDevicePixels(viewport, QRect(klingon.topLeft(), QSize(20, 16)));
        const QRgb background = viewport.pixel(blank.topLeft());
        QVERIFY(isPlain(viewport, blank, background));
        QVERIFY(
            !inkIn(viewport, inDevicePixels(viewport, klingon.adjusted(22, 0, 0, 0)), background).isEmpty());
        box.hidePopup();
    }

    void closedBoxShowsTheSelectedFlagAndName()
    {
        TLanguageComboBox box(nullptr);
        FillLanguagePicker(box, QString(), m_smallFlags);
        box.resize(box.sizeHint());
        const QImage empty = box.grab().toImage();
        box.setCurrentIndex(vlGerman);
        const QImage german = box.grab().toImage();
        saveScreenshot(german, QStringLiteral("languagecombobox-closed"));
        // Somewhere in the box stands the German flag, which the empty box lacks.
        const auto findsFlag = [](const QImage &image) {
            const QSize size = image.deviceIndependentSize().toSize();
            for (int y = 0; y + 16 <= size.height(); ++y)
                for (int x = 0; x + 16 <= size.width(); ++x)
                    if (showsGermanFlag(image, QPoint(x, y)))
                        return true;
            return false;
        };
        QVERIFY(findsFlag(german));
        QVERIFY(!findsFlag(empty));
        QVERIFY(german != empty);
        QVERIFY(box.sizeHint().width() >=
                box.fontMetrics().horizontalAdvance(QStringLiteral("Australian English")) + 22);
    }
};

QTEST_MAIN(TestLanguageComboBox)
#include "tst_languagecombobox.moc"

#include "print/ui/printertarget.h"

#include <QTest>

// The PDF file a print job offers to write: the unit's name, any note of the job kept.
class TestPrinterTarget : public QObject
{
    Q_OBJECT

private slots:
    void suggestedPdfPath_data();
    void suggestedPdfPath();
};

void TestPrinterTarget::suggestedPdfPath_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("path");
    QTest::newRow("a unit") << "lesson.lif"
                            << "/out/lesson.pdf";
    QTest::newRow("the back side") << "lesson.lif (Back Side)"
                                   << "/out/lesson (Back Side).pdf";
    QTest::newRow("extension in capitals") << "LESSON.LIF"
                                           << "/out/LESSON.pdf";
    QTest::newRow("the extension inside the name stays") << "Q.lifts.lif"
                                                         << "/out/Q.lifts.pdf";
    QTest::newRow("and on the back side") << "Q.lifts.lif (Back Side)"
                                          << "/out/Q.lifts (Back Side).pdf";
    QTest::newRow("brackets in the name") << "verbs (2).lif (Back Side)"
                                          << "/out/verbs (2) (Back Side).pdf";
    QTest::newRow("brackets ending the name") << "verbs (2).lif"
                                              << "/out/verbs (2).pdf";
    QTest::newRow("a name of its own") << "notes"
                                       << "/out/notes.pdf";
}

void TestPrinterTarget::suggestedPdfPath()
{
    QFETCH(QString, title);
    QTEST(QPrinterTarget::suggestedPdfPath(QStringLiteral("/out"), title), "path");
}

QTEST_MAIN(TestPrinterTarget)
#include "tst_printertarget.moc"

#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "input/ui/lumodbgridinplaceedit.h"
#include "support/scriptedmessageservice.h"
#include "support/standalonepageservices.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "vocfile/specialcharacterfile.h"
#include "vocfile/unitdescriptor.h"
#include "vocfile/vocabularylanguages.h"
#include "widgets/chargrid.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {
QString section(int language, const QString &characters, const QString &after = QString())
{
    QString text = QStringLiteral("[LANGUAGE%1]\r\n").arg(language);
    int slot = 0;
    for (const QChar character : characters)
        text += QStringLiteral("Char%1=%2\r\n")
                    .arg(slot++)
                    .arg(SpecialCharacterFile::codeOf(language, character));
    text += QStringLiteral("Char%1=-1\r\n").arg(slot++);
    for (const QChar character : after)
        text += QStringLiteral("Char%1=%2\r\n")
                    .arg(slot++)
                    .arg(SpecialCharacterFile::codeOf(language, character));
    return text;
}

void clickCell(TCharGrid &bar, int column, Qt::MouseButton button = Qt::LeftButton)
{
    const QRect cell = bar.visualRect(bar.model()->index(0, column));
    QTest::mouseClick(bar.viewport(), button, Qt::NoModifier, cell.center());
}
} // namespace

// The character bar: what it shows of the file, and what a click on it types where.
class TestCharGrid : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestFolder> folder;
    QString charFile;

    void writeCharFile(const QString &text)
    {
        charFile = folder->writeText(QStringLiteral("SpecChar.lcf"), text);
    }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        writeCharFile(section(vlGerman, QStringLiteral("äöüß"), QStringLiteral("xyz")) +
                      section(vlFrench, QStringLiteral("éèç")) + section(vlSpanish, QString(70, u'ñ')) +
                      section(vlGreek, QStringLiteral("άέ")));
    }

    void cleanup() { folder.reset(); }

    void theBarIsOneRowOfSmallCells()
    {
        TCharGrid bar(QStringLiteral("CharGrid1"), nullptr);
        QCOMPARE(bar.objectName(), QStringLiteral("CharGrid1"));
        QCOMPARE(bar.rowCount(), 1);
        QCOMPARE(bar.columnCount(), 70);
        QCOMPARE(bar.horizontalHeader()->defaultSectionSize(), TCharGrid::ColumnWidth);
        QCOMPARE(bar.verticalHeader()->defaultSectionSize(), TCharGrid::RowHeight);
        QVERIFY(bar.horizontalHeader()->isHidden() && bar.verticalHeader()->isHidden());
        QCOMPARE(bar.height(), TCharGrid::BarHeight);
        QCOMPARE(bar.horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(bar.selectionMode(), QAbstractItemView::SingleSelection);
        QCOMPARE(bar.language(), 0);
        QVERIFY(bar.charFileName().isEmpty());
    }

    void theBarShowsTheSetUpToItsFirstEmptySlot_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("shown");

        QTest::newRow("four, then empty, then more") << int(vlGerman) << QStringLiteral("äöüß");
        QTest::newRow("seventy") << int(vlSpanish) << QString(70, u'ñ');
        QTest::newRow("Greek code page") << int(vlGreek) << QStringLiteral("άέ");
        QTest::newRow("no section") << int(vlSwedish) << QString();
    }

    void theBarShowsTheSetUpToItsFirstEmptySlot()
    {
        QFETCH(int, language);
        QFETCH(QString, shown);
        TCharGrid bar(QStringLiteral("CharGrid1"), nullptr);
        bar.setLanguage(language);
        bar.setCharFileName(charFile);
        QCOMPARE(bar.characters(), shown);
        QCOMPARE(bar.columnCount(), shown.size());
    }

    void theBarLoadsOnlyWhenTheFileOrTheLanguageChanges()
    {
        TCharGrid bar(QStringLiteral("CharGrid1"), nullptr);
        bar.setCharFileName(charFile);
        bar.setLanguage(vlFrench);
        QCOMPARE(bar.characters(), QStringLiteral("éèç"));
        writeCharFile(section(vlFrench, QStringLiteral("«»")) + section(vlGerman, QStringLiteral("ä")));
        bar.setLanguage(vlFrench);
        bar.setCharFileName(charFile);
        QCOMPARE(bar.characters(), QStringLiteral("éèç"));
        bar.setLanguage(vlGerman);
        QCOMPARE(bar.characters(), QStringLiteral("ä"));
        bar.setLanguage(vlFrench);
        QCOMPARE(bar.characters(), QStringLiteral("«»"));
    }

    void withoutTheFileTheBarKeepsWhatItShows()
    {
        TCharGrid bar(QStringLiteral("CharGrid1"), nullptr);
        bar.setLanguage(vlGerman);
        bar.setCharFileName(charFile);
        bar.setCharFileName(folder->filePath(QStringLiteral("missing.lcf")));
        QCOMPARE(bar.characters(), QStringLiteral("äöüß"));
        bar.setLanguage(vlFrench);
        QCOMPARE(bar.characters(), QStringLiteral("äöüß"));
        bar.LoadCharacters();
        QCOMPARE(bar.characters(), QStringLiteral("äöüß"));
    }

    void aClickTypesIntoTheAnswerFieldAndGivesItTheFocus()
    {
        QWidget window;
        auto *answer = new QLineEdit(&window);
        auto *other = new QLineEdit(&window);
        auto *bar = new TCharGrid(QStringLiteral("CharGrid2"), &window);
        auto *layout = new QVBoxLayout(&window);
        layout->addWidget(answer);
        layout->addWidget(other);
        layout->addWidget(bar);
        bar->setDestination(answer);
        bar->setLanguage(vlFrench);
        bar->setCharFileName(charFile);
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // Typed at the cursor, replacing the selection, as a key would.
        answer->setText(QStringLiteral("gar on"));
        answer->setSelection(3, 1);
        answer->setFocus();
        clickCell(*bar, 2);
        QCOMPARE(answer->text(), QStringLiteral("garçon"));
        QVERIFY(answer->hasFocus());

        // From another control, the character still goes to the destination, which takes the focus.
        other->setFocus();
        answer->setCursorPosition(0);
        clickCell(*bar, 0);
        QCOMPARE(answer->text(), QStringLiteral("égarçon"));
        QCOMPARE(other->text(), QString());
        QVERIFY(answer->hasFocus());

        // Another button types nothing, but the focus goes to the destination all the same.
        other->setFocus();
        clickCell(*bar, 1, Qt::RightButton);
        QCOMPARE(answer->text(), QStringLiteral("égarçon"));
        QVERIFY(answer->hasFocus());
        QVERIFY(!bar->hasFocus());
    }

    void aClickTypesIntoTheCellEditorOfTheGrid()
    {
        ScriptedMessageService messages;
        TLumoTable table(messages);
        const StandalonePageServices services(messages, table);
        InputPage page(services.services);
        const QString descriptor = folder->filePath(QStringLiteral("words.lif"));
        UnitDescriptor(descriptor)
            .write(2, vlGerman, QStringLiteral("words"), QStringLiteral("MS Sans Serif"));
        table.setVocabularyFile(folder->filePath(QStringLiteral("words.db")));
        table.open();
        table.appendRecord({QVariant(), QStringLiteral("street"), QStringLiteral("Strasse"), 1});
        table.first();
        TLumoDBGrid *grid = page.LumoDBGrid1;
        grid->setVocabularyFile(descriptor);
        QCOMPARE(page.CharGrid1->destination(), grid);
        page.CharGrid1->setLanguage(vlGerman);
        page.CharGrid1->setCharFileName(charFile);
        page.resize(700, 400);
        page.show();
        QVERIFY(QTest::qWaitForWindowActive(&page));

        grid->setFocus();
        grid->setCurrentIndex(grid->model()->index(0, 1));
        QTRY_VERIFY(grid->isEditing() && grid->activeEditor() != nullptr);
        TLumoDBGridInplaceEdit *editor = grid->activeEditor();
        QCOMPARE(editor->text(), QStringLiteral("Strasse"));
        editor->setSelection(4, 2);
        clickCell(*page.CharGrid1, 3);

        QCOMPARE(grid->activeEditor(), editor);
        QCOMPARE(editor->text(), QStringLiteral("Straße"));
        QCOMPARE(editor->cursorPosition(), 5);
        QVERIFY(editor->hasFocus());
        QVERIFY(grid->commitEditor());
        table.post();
        QCOMPARE(table.valueAt(0, TLumoTable::ForeignLanguage).toString(), QStringLiteral("Straße"));
    }
};

QTEST_MAIN(TestCharGrid)
#include "tst_chargrid.moc"

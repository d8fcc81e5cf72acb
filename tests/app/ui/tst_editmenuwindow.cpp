#include "app/ui/mainform.h"
#include "app/ui/mainmenubar.h"
#include "app/ui/pagecontrol.h"
#include "input/ui/inputpage.h"
#include "input/ui/lumodbgrid.h"
#include "input/ui/lumodbgridinplaceedit.h"
#include "mainformfixture.h"
#include "platform/sound/wavewriter.h"
#include "repetition/reviewstore.h"
#include "units/ui/lumolistview.h"
#include "units/ui/unitpage.h"
#include "vocfile/lumotable.h"
#include "widgets/lumotablemodel.h"
#include "widgets/speedbutton.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QMap>
#include <QTabBar>
#include <QTest>

// The Edit menu on the input page, driven by the keys and the menu a user has: undo and redo
// of each kind of change to an entry, steps that no longer apply, and entries copied and
// pasted as tab-separated lines.
class TestEditMenuWindow : public QObject, public MainFormFixture
{
    Q_OBJECT

private:
    static constexpr int UnitManagerTab = 0;
    static constexpr int TestTab = 1;
    static constexpr int InputTab = 2;
    static constexpr int LogbookTab = 3;

    enum Change { EditWord, InsertEntry, DeleteEntry, ChangeType, LoadSound, DeleteSound };
    enum How { Keys, ShiftKeys, Menu };

    std::unique_ptr<TMainForm> form;
    QString chosenWave;

    TLumoDBGrid *grid() const { return form->inputPage()->LumoDBGrid1; }
    TLumoTable *table() const { return form->LumoTable1(); }
    const MainMenuActions &menu() const { return form->MainMenu()->actions(); }

    void clickTab(int index)
    {
        QTabBar *tabs = form->PageControl()->tabBar();
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
        QCOMPARE(form->PageControl()->currentIndex(), index);
    }

    void openInputPage()
    {
        form = createForm();
        form->inputPage()->setWaveFileChooser([this] { return chosenWave; });
        form->show();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        form->unitPage()->LumoListView1->selectCaption(QStringLiteral("unit"));
        clickTab(InputTab);
        waitForEditor();
    }

    void waitForEditor() { QTRY_VERIFY(qobject_cast<TLumoDBGridInplaceEdit *>(QApplication::focusWidget())); }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {})
    {
        // The keys of a user come one by one, with the window's pending work done in between.
        QCoreApplication::processEvents();
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    }

    void type(const QString &text)
    {
        QCoreApplication::processEvents();
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

    void leaveTheRow()
    {
        key(Qt::Key_Down);
        QTRY_COMPARE(table()->state(), SqliteTable::State::Browse);
        waitForEditor();
    }

    void clickCell(int row, int column)
    {
        const QModelIndex cell = grid()->model()->index(row, column);
        QTest::mouseClick(grid()->viewport(), Qt::LeftButton, {}, grid()->visualRect(cell).center());
        QTRY_VERIFY(grid()->activeEditor() && QApplication::focusWidget() == grid()->activeEditor() &&
                    grid()->currentIndex() == cell);
    }

    void undo(How how)
    {
        if (how == Menu)
            menu().EditUndoItem->trigger();
        else
            key(Qt::Key_Z, Qt::ControlModifier);
        waitForEditor();
    }

    void redo(How how)
    {
        if (how == Menu)
            menu().EditRedoItem->trigger();
        else if (how == ShiftKeys)
            key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        else
            key(Qt::Key_Y, Qt::ControlModifier);
        waitForEditor();
    }

    // Every entry of the unit by its Count: "count|native|foreign|type|sounds|mistakes", the
    // sounds as "n" and "f" for the sides that have one.
    QStringList rows() const
    {
        QMap<qint64, QString> byCount;
        for (int row = 0; row < table()->recordCount(); ++row) {
            const auto value = [&](int field) { return table()->valueAt(row, field); };
            const QString sounds = QString(value(TLumoTable::NativeSound).toBool() ? "n" : "") +
                                   QString(value(TLumoTable::ForeignSound).toBool() ? "f" : "");
            byCount.insert(
                value(TLumoTable::Count).toLongLong(),
                QStringList{value(TLumoTable::Count).toString(), value(TLumoTable::NativeLanguage).toString(),
                            value(TLumoTable::ForeignLanguage).toString(), value(TLumoTable::Type).toString(),
                            sounds, value(TLumoTable::Mistakes).toString()}
                    .join(u'|'));
        }
        return byCount.values();
    }

    static QStringList unitRows()
    {
        return {"1|word 0|Wort 0|1||", "2|word 1|Wort 1|1||", "3|word 2|Wort 2|1||"};
    }

    // The review state of the first entry, as a test left it.
    QList<QVariantList> reviewOfFirst() const { return ReviewStore(*table()->connection()).storedStates(1); }

    void reviewFirst()
    {
        ReviewStore store(*table()->connection());
        store.ensureTable();
        ReviewState state;
        state.entry = 1;
        state.memory = {5.5, 4.25};
        state.firstReview = 100;
        state.lastReview = 200;
        state.due = 300;
        state.reviews = 2;
        store.save(state);
    }

    void make(Change change)
    {
        switch (change) {
        case EditWord:
            key(Qt::Key_End);
            type(QStringLiteral("X"));
            leaveTheRow();
            break;
        case InsertEntry:
            QTest::mouseClick(form->inputPage()->InsertRecordBtn, Qt::LeftButton);
            waitForEditor();
            type(QStringLiteral("neu"));
            leaveTheRow();
            break;
        case DeleteEntry:
            QTest::mouseClick(form->inputPage()->DeleteRecords, Qt::LeftButton);
            waitForEditor();
            break;
        case ChangeType:
            clickCell(0, LumoTableModel::TypeColumn);
            key(Qt::Key_A, Qt::ControlModifier);
            type(QStringLiteral("3"));
            leaveTheRow();
            break;
        case LoadSound:
        case DeleteSound:
            chosenWave =
                folder->writeFile(QStringLiteral("sound.wav"), WaveWriter().image(QByteArray(80, '\x80')));
            QTest::mouseClick(form->inputPage()->OpenWaveBtn, Qt::LeftButton);
            if (change == DeleteSound)
                QTest::mouseClick(form->inputPage()->DeleteSoundBtn, Qt::LeftButton);
            grid()->setFocus();
            waitForEditor();
            break;
        }
    }

private slots:
    void init()
    {
        setUpFixture();
        makeUnit(QStringLiteral("unit"), 3); // every entry a noun
    }

    void cleanup()
    {
        form.reset();
        folder.reset();
        QGuiApplication::clipboard()->clear();
    }

    // Each change is taken back, the one before it too, and made again; the unit holds what
    // it held at each point, Counts and review states included.
    void undoAndRedoEachChange_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<How>("how");
        QTest::addColumn<QStringList>("changed");
        QStringList edited = unitRows();
        edited[0] = "1|word 0X|Wort 0|1||";
        QStringList typed = unitRows();
        typed[0] = "1|word 0|Wort 0|3||";
        QStringList sounded = unitRows();
        sounded[0] = "1|word 0|Wort 0|1|n|";
        QTest::newRow("edit, keys") << EditWord << Keys << edited;
        QTest::newRow("edit, menu") << EditWord << Menu << edited;
        QTest::newRow("insert") << InsertEntry << ShiftKeys << (unitRows() << "4|neu||||");
        QTest::newRow("delete") << DeleteEntry << Keys << unitRows().mid(1);
        QTest::newRow("delete, menu") << DeleteEntry << Menu << unitRows().mid(1);
        QTest::newRow("word type") << ChangeType << ShiftKeys << typed;
        QTest::newRow("sound loaded") << LoadSound << Keys << sounded;
        QTest::newRow("sound deleted") << DeleteSound << Keys << unitRows();
    }

    void undoAndRedoEachChange()
    {
        QFETCH(Change, change);
        QFETCH(How, how);
        QFETCH(QStringList, changed);
        openInputPage();
        reviewFirst();
        const QList<QVariantList> review = reviewOfFirst();
        make(change);
        QList<QStringList> states{unitRows()};
        if (change == DeleteSound)
            states << rowsWithFirstSound();
        states << changed;
        QCOMPARE(rows(), states.last());
        for (qsizetype step = states.size() - 2; step >= 0; --step) {
            undo(how);
            QCOMPARE(rows(), states.at(step));
        }
        QCOMPARE(reviewOfFirst(), review);
        // Nothing before the unit's opening is taken back.
        undo(how);
        QCOMPARE(rows(), unitRows());
        for (qsizetype step = 1; step < states.size(); ++step) {
            redo(how);
            QCOMPARE(rows(), states.at(step));
        }
        QCOMPARE(reviewOfFirst(), change == DeleteEntry ? QList<QVariantList>() : review);
        QVERIFY(messages.shown().isEmpty());
    }

    // An edit whose entry a test changed since is not taken back: a message says so, the
    // entry keeps what the test wrote, and the step is gone.
    void staleStepIsSkipped()
    {
        openInputPage();
        make(EditWord);
        clickTab(TestTab);
        QVERIFY(table()->findKey(1));
        table()->edit();
        table()->setFieldValue(TLumoTable::Mistakes, 1);
        table()->post();
        clickTab(InputTab);
        waitForEditor();
        undo(Keys);
        QCOMPARE(messages.texts(),
                 QStringList{"The entry has been changed since (by a test, for instance), so "
                             "this step can no longer be applied. It has been skipped."});
        QStringList expected = unitRows();
        expected[0] = "1|word 0X|Wort 0|1||1";
        QCOMPARE(rows(), expected);
        undo(Keys);
        redo(Keys);
        QCOMPARE(rows(), expected);
    }

    // Ctrl+Z takes back the editor's typing first, then the entry's last change.
    void editorTypingComesFirst()
    {
        openInputPage();
        make(EditWord); // row 0 posted; the editor is on row 1 now
        key(Qt::Key_End);
        type(QStringLiteral("y"));
        QCOMPARE(grid()->activeEditor()->text(), QStringLiteral("word 1y"));
        undo(Keys);
        QCOMPARE(grid()->activeEditor()->text(), QStringLiteral("word 1"));
        QCOMPARE(rows().at(0), QStringLiteral("1|word 0X|Wort 0|1||"));
        undo(Keys);
        QCOMPARE(rows(), unitRows());
        // The typing taken back in the editor never became a step of the entry.
        redo(Keys);
        redo(Keys);
        QStringList edited = unitRows();
        edited[0] = "1|word 0X|Wort 0|1||";
        QCOMPARE(rows(), edited);
    }

    // Three tab-separated lines become three entries in one step, whatever their columns; a
    // line left out is reported as an import reports it.
    void pasteOfLines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("column"); // the cell pasted into
        QTest::addColumn<QStringList>("pasted");
        QTest::addColumn<QStringList>("reported");
        QTest::newRow("three columns")
            << "Haus\thouse\tnoun\r\nlaufen\trun\tverb\r\n\"schnell, rasch\"\tfast\tadverb\n"
            << int(LumoTableModel::NativeColumn)
            << QStringList{"4|Haus|house|1||0", "5|laufen|run|2||0", "6|schnell, rasch|fast|4||0"}
            << QStringList();
        QTest::newRow("a column into the foreign side")
            << "eins\nzwei\n\ndrei" << int(LumoTableModel::ForeignColumn)
            << QStringList{"4||eins|0||0", "5||zwei|0||0", "6||drei|0||0"} << QStringList();
        QTest::newRow("a line without words")
            << "Haus\thouse\n\t\nBaum\ttree\nAst\tbranch\n"
            << int(LumoTableModel::NativeColumn)
            << QStringList{"4|Haus|house|0||0", "5|Baum|tree|0||0", "6|Ast|branch|0||0"}
            << QStringList{
                   "Word pairs imported: 3\r\nRows left out because they are empty or too short: 1\r\n"
                   "The first of them is in line 2"};
    }

    void pasteOfLines()
    {
        QFETCH(QString, text);
        QFETCH(int, column);
        QFETCH(QStringList, pasted);
        QFETCH(QStringList, reported);
        openInputPage();
        clickCell(0, column);
        QGuiApplication::clipboard()->setText(text);
        key(Qt::Key_V, Qt::ControlModifier);
        QTRY_COMPARE(rows().size(), 6);
        QCOMPARE(rows().mid(3), pasted);
        QCOMPARE(messages.texts(), reported);
        undo(Keys);
        QCOMPARE(rows(), unitRows());
        // One line without a tab is text for the cell.
        QGuiApplication::clipboard()->setText(QStringLiteral("Maus"));
        clickCell(0, LumoTableModel::NativeColumn);
        key(Qt::Key_End);
        key(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(grid()->activeEditor()->text(), QStringLiteral("word 0Maus"));
        QCOMPARE(rows(), unitRows());
    }

    // Rows picked by their indicators copy as the lines a TSV import reads, with the types'
    // English names in any language.
    void copyOfSelectedRows_data()
    {
        QTest::addColumn<QString>("languageFile");
        QTest::newRow("English") << "english.llf";
        QTest::newRow("German") << "deutsch.llf";
    }

    void copyOfSelectedRows()
    {
        QFETCH(QString, languageFile);
        openInputPage();
        form->ApplyLanguageFile(folder->copyFromData(languageFile));
        // The indicators of rows 1 and 2 dragged over.
        QHeaderView *indicators = grid()->verticalHeader();
        const auto indicator = [&](int row) {
            return QPoint(indicators->width() / 2,
                          grid()->visualRect(grid()->model()->index(row, 0)).center().y());
        };
        QTest::mousePress(indicators->viewport(), Qt::LeftButton, {}, indicator(1));
        QTest::mouseMove(indicators->viewport(), indicator(2));
        QTest::mouseRelease(indicators->viewport(), Qt::LeftButton, {}, indicator(2));
        QCOMPARE(grid()->selectedRowNumbers(), QList<int>({1, 2}));
        grid()->setFocus();
        waitForEditor();
        key(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 QStringLiteral("word 1\tWort 1\tnoun\nword 2\tWort 2\tnoun\n"));
    }

    // The Edit items work on the input page only.
    void editItemsOnTheInputPageOnly()
    {
        openInputPage();
        const QList<QAction *> items{menu().EditUndoItem, menu().EditRedoItem, menu().EditCutItem,
                                     menu().EditCopyItem, menu().EditPasteItem};
        for (int tab : {InputTab, TestTab, LogbookTab, InputTab, UnitManagerTab}) {
            clickTab(tab);
            for (QAction *item : items)
                QCOMPARE(item->isEnabled(), tab == InputTab);
        }
    }

private:
    QStringList rowsWithFirstSound() const
    {
        QStringList sounded = unitRows();
        sounded[0] = "1|word 0|Wort 0|1|n|";
        return sounded;
    }
};

QTEST_MAIN(TestEditMenuWindow)
#include "tst_editmenuwindow.moc"

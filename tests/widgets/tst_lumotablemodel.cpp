#include "support/scriptedmessageservice.h"
#include "support/testfolder.h"
#include "vocfile/lumotable.h"
#include "widgets/lumotablemodel.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>
#include <functional>

namespace {
using Model = LumoTableModel;
// Any bytes count as a sound; the model only asks whether there are any.
const QByteArray Sound("RIFF");

using Change = std::function<void(TLumoTable &table, LumoTableModel &model)>;

// The rows a change of the table leaves, by their native words.
QStringList nativeWords(const QAbstractItemModel &model)
{
    QStringList words;
    for (int row = 0; row < model.rowCount(); ++row)
        words << model.index(row, Model::NativeColumn).data().toString();
    return words;
}

// The vertical header of every row: where the current record is and what is done to it.
QStringList marks(const QAbstractItemModel &model)
{
    QStringList shown;
    for (int row = 0; row < model.rowCount(); ++row)
        shown << model.headerData(row, Qt::Vertical).toString();
    return shown;
}

// The rows a headerDataChanged or dataChanged spy was told about, in order.
QList<int> toldRows(const QSignalSpy &spy, int firstArgument)
{
    QList<int> rows;
    for (const QList<QVariant> &signal : spy) {
        const QVariant first = signal.at(firstArgument);
        const QVariant last = signal.at(firstArgument + 1);
        const bool cells = first.metaType() == QMetaType::fromType<QModelIndex>();
        const int from = cells ? first.value<QModelIndex>().row() : first.toInt();
        const int to = cells ? last.value<QModelIndex>().row() : last.toInt();
        for (int row = from; row <= to; ++row)
            rows << row;
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}
} // namespace

Q_DECLARE_METATYPE(Change)

// The grid's model over a unit's table: what its cells and headers show, what an edit
// writes, and rows that follow the table. A model tester watches every case for signals
// that do not match the rows.
class TestLumoTableModel : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestFolder> folder;
    ScriptedMessageService messages;
    std::unique_ptr<TLumoTable> table;
    std::unique_ptr<LumoTableModel> model;
    std::unique_ptr<QAbstractItemModelTester> tester;

    QModelIndex cell(int row, int column) const { return model->index(row, column); }

private slots:
    void init()
    {
        folder = std::make_unique<TestFolder>();
        messages.clear();
        table = std::make_unique<TLumoTable>(messages);
        table->setVocabularyFile(folder->filePath(QStringLiteral("unit.db")));
        table->open();
        // Count, NativeLanguage, ForeignLanguage, Type, NativeSound, ForeignSound, Mistakes
        table->appendRecord({QVariant(), "house", "Haus", 1, Sound, QByteArray(), 0});
        table->appendRecord({QVariant(), "tree", "Baum", 2, QVariant(), Sound, 3});
        table->appendRecord({QVariant(), "go", "gehen", 3});
        table->first();
        model = std::make_unique<LumoTableModel>(nullptr);
        model->setColumns(Model::vocabularyColumns());
        model->setDataSet(table.get());
        tester = std::make_unique<QAbstractItemModelTester>(
            model.get(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    }

    void cleanup()
    {
        tester.reset();
        model.reset();
        table.reset();
        folder.reset();
    }

    void cellsShowTheTable_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("role");
        QTest::addColumn<QVariant>("shown");
        QTest::newRow("native word") << 0 << int(Model::NativeColumn) << int(Qt::DisplayRole)
                                     << QVariant("house");
        QTest::newRow("foreign word to edit")
            << 1 << int(Model::ForeignColumn) << int(Qt::EditRole) << QVariant("Baum");
        QTest::newRow("type") << 2 << int(Model::TypeColumn) << int(Qt::DisplayRole) << QVariant(3);
        QTest::newRow("native sound")
            << 0 << int(Model::NativeColumn) << int(Model::HasSoundRole) << QVariant(true);
        QTest::newRow("sound of no bytes")
            << 0 << int(Model::ForeignColumn) << int(Model::HasSoundRole) << QVariant(false);
        QTest::newRow("foreign sound")
            << 1 << int(Model::ForeignColumn) << int(Model::HasSoundRole) << QVariant(true);
        QTest::newRow("no sound") << 1 << int(Model::NativeColumn) << int(Model::HasSoundRole)
                                  << QVariant(false);
        QTest::newRow("type has no sound field")
            << 0 << int(Model::TypeColumn) << int(Model::HasSoundRole) << QVariant(false);
        QTest::newRow("field name") << 1 << int(Model::ForeignColumn) << int(Model::FieldNameRole)
                                    << QVariant("ForeignLanguage");
        QTest::newRow("type's field name")
            << 2 << int(Model::TypeColumn) << int(Model::FieldNameRole) << QVariant("Type");
        QTest::newRow("no alignment of its own")
            << 0 << int(Model::NativeColumn) << int(Qt::TextAlignmentRole) << QVariant();
        QTest::newRow("no tool tip") << 0 << int(Model::NativeColumn) << int(Qt::ToolTipRole) << QVariant();
    }

    void cellsShowTheTable()
    {
        QFETCH(int, row);
        QFETCH(int, column);
        QFETCH(int, role);
        QFETCH(QVariant, shown);
        const QVariant value = cell(row, column).data(role);
        QCOMPARE(value.isValid(), shown.isValid());
        QCOMPARE(value.toString(), shown.toString());
    }

    void columnsOfTheirOwn()
    {
        model->setColumns({{QStringLiteral("foreignlanguage"), QStringLiteral("FOREIGNSOUND")},
                           {QStringLiteral("Missing"), QString()}});
        QCOMPARE(model->columnCount(), 2);
        QCOMPARE(model->rowCount(), 3);
        // Fields match whatever their case; captions start as the fields are written.
        QCOMPARE(model->columnOfField(QStringLiteral("FOREIGNLANGUAGE")), 0);
        QCOMPARE(model->columnOfField(QStringLiteral("NativeLanguage")), -1);
        QCOMPARE(cell(1, 0).data().toString(), QStringLiteral("Baum"));
        QVERIFY(cell(1, 0).data(Model::HasSoundRole).toBool());
        QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("foreignlanguage"));
        // A field the table lacks shows nothing and takes nothing.
        QVERIFY(!cell(0, 1).data().isValid());
        QVERIFY(!(model->flags(cell(0, 1)) & Qt::ItemIsEditable));
        QVERIFY(!model->setData(cell(0, 1), QStringLiteral("x")));
        QCOMPARE(table->state(), SqliteTable::State::Browse);
        model->setAlignment(0, Qt::AlignRight);
        QCOMPARE(cell(2, 0).data(Qt::TextAlignmentRole).toInt(), int(Qt::AlignRight));
        QVERIFY(!cell(2, 1).data(Qt::TextAlignmentRole).isValid());
    }

    void captionsNameTheColumns()
    {
        QCOMPARE(model->headerData(Model::NativeColumn, Qt::Horizontal).toString(),
                 QStringLiteral("NativeLanguage"));
        QSignalSpy told(model.get(), &QAbstractItemModel::headerDataChanged);
        model->setCaption(Model::ForeignColumn, QStringLiteral("English"));
        model->setCaption(3, QStringLiteral("none"));
        QCOMPARE(model->headerData(Model::ForeignColumn, Qt::Horizontal).toString(),
                 QStringLiteral("English"));
        QCOMPARE(told.count(), 1);
        QCOMPARE(told.first().at(0).value<Qt::Orientation>(), Qt::Horizontal);
        QCOMPARE(toldRows(told, 1), QList<int>{Model::ForeignColumn});
        QCOMPARE(model->headerData(3, Qt::Horizontal).toString(), QString());
        QVERIFY(!model->headerData(Model::ForeignColumn, Qt::Horizontal, Qt::ToolTipRole).isValid());
    }

    void theRowHeaderMarksTheCurrentRecord_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("shown");
        QTest::addColumn<QList<int>>("told"); // rows whose header changed in place
        const QString current = QStringLiteral("\u25B8");
        QTest::newRow("browsing") << Change([](TLumoTable &, Model &) {}) << QStringList{current, "", ""}
                                  << QList<int>{};
        QTest::newRow("moved") << Change([](TLumoTable &t, Model &) { t.setRecNo(2); })
                               << QStringList{"", "", current} << QList<int>{0, 2};
        QTest::newRow("moved twice") << Change([](TLumoTable &t, Model &) {
            t.setRecNo(2);
            t.setRecNo(1);
        }) << QStringList{"", current, ""}
                                     << QList<int>{1, 2};
        QTest::newRow("editing") << Change([](TLumoTable &t, Model &) {
            t.setRecNo(1);
            t.edit();
        }) << QStringList{"", "I", ""}
                                 << QList<int>{0, 1};
        QTest::newRow("edit posted") << Change([](TLumoTable &t, Model &) {
            t.edit();
            t.setFieldValue(TLumoTable::Type, 5);
            t.post();
        }) << QStringList{current, "", ""}
                                     << QList<int>{0};
        QTest::newRow("appending") << Change([](TLumoTable &t, Model &) { t.append(); })
                                   << QStringList{"", "", "", "*"} << QList<int>{};
        QTest::newRow("inserting") << Change([](TLumoTable &t, Model &) {
            t.setRecNo(1);
            t.insert();
        }) << QStringList{"", "*", "", ""}
                                   << QList<int>{};
    }

    void theRowHeaderMarksTheCurrentRecord()
    {
        QFETCH(Change, change);
        QFETCH(QStringList, shown);
        QFETCH(QList<int>, told);
        QSignalSpy headers(model.get(), &QAbstractItemModel::headerDataChanged);
        QSignalSpy reset(model.get(), &QAbstractItemModel::modelReset);
        change(*table, *model);
        QCOMPARE(marks(*model), shown);
        // A view repaints the rows it is told about: each row whose mark changed in place.
        QList<int> untold;
        if (reset.isEmpty() && model->rowCount() == 3)
            for (const int row : told)
                if (!toldRows(headers, 1).contains(row))
                    untold << row;
        QCOMPARE(untold, QList<int>{});
    }

    void flagsFollowTheColumns_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("readOnly"); // a column made read-only, -1 for none
        QTest::addColumn<bool>("editable");
        QTest::newRow("word") << int(Model::NativeColumn) << -1 << true;
        QTest::newRow("type") << int(Model::TypeColumn) << -1 << true;
        QTest::newRow("read-only column") << int(Model::TypeColumn) << int(Model::TypeColumn) << false;
        QTest::newRow("another column read-only")
            << int(Model::ForeignColumn) << int(Model::TypeColumn) << true;
    }

    void flagsFollowTheColumns()
    {
        QFETCH(int, column);
        QFETCH(int, readOnly);
        QFETCH(bool, editable);
        model->setReadOnly(readOnly, true);
        const Qt::ItemFlags flags = model->flags(cell(1, column));
        QCOMPARE(flags & (Qt::ItemIsEnabled | Qt::ItemIsSelectable),
                 Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        QCOMPARE(bool(flags & Qt::ItemIsEditable), editable);
        QCOMPARE(model->isReadOnly(column), column == readOnly);
        QCOMPARE(model->flags(QModelIndex()), Qt::NoItemFlags);
    }

    void anEditWritesTheStoredText_data()
    {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("field");
        QTest::addColumn<QVariant>("typed");
        QTest::addColumn<QVariant>("stored");
        const int native = Model::NativeColumn;
        const int nativeField = TLumoTable::NativeLanguage;
        QTest::newRow("word") << native << nativeField << QVariant("dog") << QVariant("dog");
        QTest::newRow("Windows line break") << native << nativeField << QVariant("a\r\nb") << QVariant("a b");
        QTest::newRow("lone line breaks")
            << native << nativeField << QVariant("a\nb\rc") << QVariant("a b c");
        QTest::newRow("256 characters")
            << native << nativeField << QVariant(QString(256, u'x')) << QVariant(QString(255, u'x'));
        QTest::newRow("255 characters")
            << native << nativeField << QVariant(QString(255, u'y')) << QVariant(QString(255, u'y'));
        QTest::newRow("foreign word") << int(Model::ForeignColumn) << int(TLumoTable::ForeignLanguage)
                                      << QVariant("Hund") << QVariant("Hund");
        QTest::newRow("type") << int(Model::TypeColumn) << int(TLumoTable::Type) << QVariant(7)
                              << QVariant(7);
    }

    void anEditWritesTheStoredText()
    {
        QFETCH(int, column);
        QFETCH(int, field);
        QFETCH(QVariant, typed);
        QFETCH(QVariant, stored);
        QSignalSpy changed(model.get(), &QAbstractItemModel::dataChanged);
        QVERIFY(model->setData(cell(2, column), typed));
        // The data set moved to the row and is being edited there.
        QCOMPARE(table->recNo(), 2);
        QCOMPARE(table->state(), SqliteTable::State::Edit);
        QCOMPARE(cell(2, column).data().toString(), stored.toString());
        QVERIFY(toldRows(changed, 0).contains(2));
        table->post();
        QCOMPARE(table->valueAt(2, field).toString(), stored.toString());
        QCOMPARE(cell(2, column).data().toString(), stored.toString());
        // The other rows keep theirs.
        QCOMPARE(nativeWords(*model).mid(0, 2), QStringList({"house", "tree"}));
    }

    void refusedEditsChangeNothing_data()
    {
        QTest::addColumn<Change>("before");
        QTest::addColumn<int>("role");
        QTest::newRow("not the edit role") << Change([](TLumoTable &, Model &) {}) << int(Qt::DisplayRole);
        QTest::newRow("read-only column")
            << Change([](TLumoTable &, Model &m) { m.setReadOnly(Model::NativeColumn, true); })
            << int(Qt::EditRole);
    }

    void refusedEditsChangeNothing()
    {
        QFETCH(Change, before);
        QFETCH(int, role);
        before(*table, *model);
        QVERIFY(!model->setData(cell(1, Model::NativeColumn), QStringLiteral("bush"), role));
        QCOMPARE(table->recNo(), 0);
        QCOMPARE(table->state(), SqliteTable::State::Browse);
        QCOMPARE(nativeWords(*model), QStringList({"house", "tree", "go"}));
    }

    void rowsFollowTheTable_data()
    {
        QTest::addColumn<Change>("change");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("appended") << Change([](TLumoTable &t, Model &) {
            t.appendRecord({QVariant(), "cat", "Katze", 1});
        }) << QStringList{"house", "tree", "go", "cat"};
        QTest::newRow("deleted") << Change([](TLumoTable &t, Model &) {
            t.setRecNo(1);
            t.deleteRecord();
        }) << QStringList{"house", "go"};
        QTest::newRow("filtered") << Change([](TLumoTable &t, Model &) {
            t.setFilterCondition(QStringLiteral("\"Type\" < 3"));
            t.setFiltered(true);
        }) << QStringList{"house", "tree"};
        QTest::newRow("ordered") << Change([](TLumoTable &t, Model &) {
            t.setIndexField(QStringLiteral("NativeLanguage"));
        }) << QStringList{"go", "house", "tree"};
        QTest::newRow("taken back") << Change([](TLumoTable &t, Model &) {
            t.setRecNo(1);
            t.removeRecords({t.currentKey()});
        }) << QStringList{"house", "go"};
        QTest::newRow("given back") << Change([](TLumoTable &t, Model &) {
            t.setRecNo(1);
            const qint64 key = t.currentKey();
            const QVariantList record = t.storedRecord(key);
            t.removeRecords({key});
            t.startTransaction();
            t.putRecords({record});
            t.commit();
        }) << QStringList{"house", "tree", "go"};
        QTest::newRow("new record pending")
            << Change([](TLumoTable &t, Model &) { t.append(); }) << QStringList{"house", "tree", "go", ""};
        QTest::newRow("new record cancelled") << Change([](TLumoTable &t, Model &) {
            t.append();
            t.cancel();
        }) << QStringList{"house", "tree", "go"};
        QTest::newRow("closed") << Change([](TLumoTable &t, Model &) { t.close(); }) << QStringList{};
        QTest::newRow("unbound") << Change([](TLumoTable &, Model &m) { m.setDataSet(nullptr); })
                                 << QStringList{};
        QTest::newRow("bound again") << Change([](TLumoTable &t, Model &m) {
            m.setDataSet(nullptr);
            m.setDataSet(&t);
        }) << QStringList{"house", "tree", "go"};
    }

    void rowsFollowTheTable()
    {
        QFETCH(Change, change);
        QFETCH(QStringList, rows);
        change(*table, *model);
        QCOMPARE(nativeWords(*model), rows);
        if (model->dataSet() && table->active())
            for (int row = 0; row < model->rowCount(); ++row)
                QCOMPARE(cell(row, Model::TypeColumn).data(), table->valueAt(row, TLumoTable::Type));
    }
};

QTEST_MAIN(TestLumoTableModel)
#include "tst_lumotablemodel.moc"

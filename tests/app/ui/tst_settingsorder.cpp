// The settings store as the main window sees it: which setting it reads and writes, of which
// kind, with which default, and in which order. Other programs and older versions share the
// store, so none of this may change when the code that owns a setting moves.
#include "mainformfixture.h"
#include "platform/ini/eregfileerror.h"
#include "platform/ini/settingvalue.h"

#include <QtTest>

namespace {
// A store that notes every read and write on its way through.
class RecordingRegFile : public TRegFile
{
public:
    using TRegFile::TRegFile;
    QStringList reads;
    QStringList writes;
    int failAtWrite = -1; // the write that fails, counted from 0; -1: none

    SettingValue ReadValueDefault(const QString &name, const SettingValue &defaultValue) override
    {
        reads.append(name + u':' + kindName(defaultValue) + u'=' + defaultValue.toString());
        return TRegFile::ReadValueDefault(name, defaultValue);
    }
    void WriteValue(const QString &name, const SettingValue &value) override
    {
        if (writes.size() == failAtWrite)
            throw ERegFileError(QStringLiteral("Failed to write"));
        writes.append(name + u':' + kindName(value));
        TRegFile::WriteValue(name, value);
    }

    static QString kindName(const SettingValue &value)
    {
        switch (value.kind()) {
        case SettingValue::Integer: return QStringLiteral("int");
        case SettingValue::Boolean: return QStringLiteral("bool");
        case SettingValue::Text: return QStringLiteral("text");
        default: return QString::number(value.kind());
        }
    }
};

const QStringList ReadOrder = {"WindowState:int=0",
                               "Left:int=100",
                               "Top:int=100",
                               "Width:int=600",
                               "Height:int=460",
                               "SplitterPos:int=200",
                               "LogBookSplitterPos:int=200",
                               "LeftMarginMM:int=20",
                               "RightMarginMM:int=10",
                               "TopMarginMM:int=10",
                               "BottomMarginMM:int=10",
                               "FontSize:int=10",
                               "Orientation:int=0",
                               "PrinterSwapCols:bool=False",
                               "PrintType:int=0",
                               "TreeViewRoot:text=<program>Vocabulary/",
                               "ShowAll:bool=False",
                               "CurrentPath:text=<program>Vocabulary/Other/",
                               "DefaultNativeLanguage:int=0",
                               "DefaultForeignLanguage:int=0",
                               "LanguageFile:text=<program>english.llf",
                               "ShowSoundTools:bool=True",
                               "ShowTypeColBtn:bool=False",
                               "ViewStyle:int=0",
                               "TestVariant:int=0"};

const QStringList WriteOrder = {"WindowState:int",
                                "Left:int",
                                "Top:int",
                                "Width:int",
                                "Height:int",
                                "SplitterPos:int",
                                "LogBookSplitterPos:int",
                                "ViewStyle:int",
                                "DefaultNativeLanguage:int",
                                "DefaultForeignLanguage:int",
                                "LanguageFile:text",
                                "TreeViewRoot:text",
                                "ShowAll:bool",
                                "CurrentPath:text",
                                "ShowSoundTools:bool",
                                "ShowTypeColBtn:bool",
                                "TestVariant:int",
                                "LeftMarginMM:int",
                                "RightMarginMM:int",
                                "TopMarginMM:int",
                                "BottomMarginMM:int",
                                "FontSize:int",
                                "Orientation:int",
                                "PrinterSwapCols:bool",
                                "PrintType:int"};
} // namespace

class TestSettingsOrder : public QObject, public MainFormFixture
{
    Q_OBJECT

    RecordingRegFile *recorder = nullptr;

    std::unique_ptr<TMainForm> createRecordedForm(int failAtWrite = -1)
    {
        auto registry = std::make_unique<RecordingRegFile>(registryPath());
        recorder = registry.get();
        recorder->failAtWrite = failAtWrite;
        auto form = std::make_unique<TMainForm>(std::move(registry), messages);
        form->setHelpService(help);
        form->FormCreate();
        return form;
    }

    QStringList withoutProgramFolder(QStringList lines) const
    {
        lines.replaceInStrings(folder->path(), QStringLiteral("<program>"));
        return lines;
    }

private slots:
    void init() { setUpFixture(); }

    void firstStartReadsEverySettingWithItsDefault()
    {
        auto form = createRecordedForm();
        QCOMPARE(withoutProgramFolder(recorder->reads), ReadOrder);
        QVERIFY(recorder->writes.isEmpty());
    }

    // Closing writes every setting once, and only at closing.
    void closingWritesEverySettingInItsOrder()
    {
        auto form = createRecordedForm();
        form->show();
        form->close();
        QCOMPARE(recorder->writes, WriteOrder);
        form->close();
        QCOMPARE(recorder->writes.size(), WriteOrder.size());
    }

    // A write that fails stops the writing there; what was written before it stays stored.
    void aFailedWriteKeepsTheEarlierOnes_data()
    {
        QTest::addColumn<int>("failAt");
        QTest::newRow("first") << 0;
        QTest::newRow("after the window") << 5;
        QTest::newRow("last") << int(WriteOrder.size() - 1);
    }

    void aFailedWriteKeepsTheEarlierOnes()
    {
        QFETCH(int, failAt);
        {
            auto form = createRecordedForm(failAt);
            form->close();
            QCOMPARE(recorder->writes, WriteOrder.mid(0, failAt));
        }
        TRegFile store(registryPath());
        store.setKey(QStringLiteral("Software\\Halvet\\Lumo96"));
        for (int i = 0; i <= failAt; ++i) {
            const QString key = WriteOrder.at(i).section(u':', 0, 0);
            const SettingValue stored = store.ReadValue(key);
            QVERIFY2((i < failAt) == !(stored.isEmpty() || stored.isNull()), qPrintable(key));
        }
    }
};

QTEST_MAIN(TestSettingsOrder)
#include "tst_settingsorder.moc"

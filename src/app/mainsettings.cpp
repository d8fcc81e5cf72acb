#include "app/mainsettings.h"

#include "app/regfile.h"

#include <QDir>
#include <QFileInfo>

namespace {
int readInt(TRegFile &r, const QString &name, int def)
{
    return r.ReadValueDefault(name, SettingValue(def)).toInt();
}

bool readBool(TRegFile &r, const QString &name, bool def)
{
    return r.ReadValueDefault(name, SettingValue(def)).toBool();
}

QString readText(TRegFile &r, const QString &name, const QString &def)
{
    return r.ReadValueDefault(name, SettingValue(def)).toString();
}
} // namespace

QString MainSettings::DefaultUnitRoot(const QString &programFolder)
{
    const QString vocabulary = programFolder + QStringLiteral("Vocabulary/");
    if (QFileInfo(vocabulary).isDir())
        return vocabulary;
    if (QFileInfo(programFolder).isDir())
        return programFolder;
    return QDir::rootPath();
}

MainSettings MainSettings::read(TRegFile &r, const QString &programFolder)
{
    MainSettings s;
    s.windowState = readInt(r, QStringLiteral("WindowState"), s.windowState);
    s.left = readInt(r, QStringLiteral("Left"), s.left);
    s.top = readInt(r, QStringLiteral("Top"), s.top);
    s.width = readInt(r, QStringLiteral("Width"), s.width);
    s.height = readInt(r, QStringLiteral("Height"), s.height);
    s.splitterPos = readInt(r, QStringLiteral("SplitterPos"), s.splitterPos);
    s.logBookSplitterPos = readInt(r, QStringLiteral("LogBookSplitterPos"), s.logBookSplitterPos);
    PrintSettings &p = s.print;
    p.leftMarginMM = readInt(r, QStringLiteral("LeftMarginMM"), p.leftMarginMM);
    p.rightMarginMM = readInt(r, QStringLiteral("RightMarginMM"), p.rightMarginMM);
    p.topMarginMM = readInt(r, QStringLiteral("TopMarginMM"), p.topMarginMM);
    p.bottomMarginMM = readInt(r, QStringLiteral("BottomMarginMM"), p.bottomMarginMM);
    p.fontSize = readInt(r, QStringLiteral("FontSize"), p.fontSize);
    p.orientation = readInt(r, QStringLiteral("Orientation"), p.orientation);
    p.swapColumns = readBool(r, QStringLiteral("PrinterSwapCols"), p.swapColumns);
    p.printType = readInt(r, QStringLiteral("PrintType"), p.printType);
    const QString unitRoot = DefaultUnitRoot(programFolder);
    s.treeViewRoot = readText(r, QStringLiteral("TreeViewRoot"), unitRoot);
    s.showAll = readBool(r, QStringLiteral("ShowAll"), s.showAll);
    // Built from the default root, not from the stored one.
    s.currentPath = readText(r, QStringLiteral("CurrentPath"), unitRoot + QStringLiteral("Other/"));
    s.defaultNativeLanguage = readInt(r, QStringLiteral("DefaultNativeLanguage"), s.defaultNativeLanguage);
    s.defaultForeignLanguage = readInt(r, QStringLiteral("DefaultForeignLanguage"), s.defaultForeignLanguage);
    s.languageFile =
        readText(r, QStringLiteral("LanguageFile"), programFolder + QStringLiteral("english.llf"));
    s.showSoundTools = readBool(r, QStringLiteral("ShowSoundTools"), s.showSoundTools);
    s.showTypeColBtn = readBool(r, QStringLiteral("ShowTypeColBtn"), s.showTypeColBtn);
    s.viewStyle = readInt(r, QStringLiteral("ViewStyle"), s.viewStyle);
    s.testVariant = readInt(r, QStringLiteral("TestVariant"), s.testVariant);
    return s;
}

void MainSettings::write(TRegFile &r) const
{
    r.WriteValue(QStringLiteral("WindowState"), windowState);
    r.WriteValue(QStringLiteral("Left"), left);
    r.WriteValue(QStringLiteral("Top"), top);
    r.WriteValue(QStringLiteral("Width"), width);
    r.WriteValue(QStringLiteral("Height"), height);
    r.WriteValue(QStringLiteral("SplitterPos"), splitterPos);
    r.WriteValue(QStringLiteral("LogBookSplitterPos"), logBookSplitterPos);
    r.WriteValue(QStringLiteral("ViewStyle"), viewStyle);
    r.WriteValue(QStringLiteral("DefaultNativeLanguage"), defaultNativeLanguage);
    r.WriteValue(QStringLiteral("DefaultForeignLanguage"), defaultForeignLanguage);
    r.WriteValue(QStringLiteral("LanguageFile"), languageFile);
    r.WriteValue(QStringLiteral("TreeViewRoot"), treeViewRoot);
    r.WriteValue(QStringLiteral("ShowAll"), showAll);
    r.WriteValue(QStringLiteral("CurrentPath"), currentPath);
    r.WriteValue(QStringLiteral("ShowSoundTools"), showSoundTools);
    r.WriteValue(QStringLiteral("ShowTypeColBtn"), showTypeColBtn);
    r.WriteValue(QStringLiteral("TestVariant"), testVariant);
    r.WriteValue(QStringLiteral("LeftMarginMM"), print.leftMarginMM);
    r.WriteValue(QStringLiteral("RightMarginMM"), print.rightMarginMM);
    r.WriteValue(QStringLiteral("TopMarginMM"), print.topMarginMM);
    r.WriteValue(QStringLiteral("BottomMarginMM"), print.bottomMarginMM);
    r.WriteValue(QStringLiteral("FontSize"), print.fontSize);
    r.WriteValue(QStringLiteral("Orientation"), print.orientation);
    r.WriteValue(QStringLiteral("PrinterSwapCols"), print.swapColumns);
    r.WriteValue(QStringLiteral("PrintType"), print.printType);
}

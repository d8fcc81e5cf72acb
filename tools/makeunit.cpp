// Builds one unit (descriptor and table) from a readable word list:
//   lumo_makeunit <list.txt> <target folder>
// The list holds "@Key: value" lines for the descriptor (Name, FirstLanguage,
// SecondLanguage, Description), "#" comments, and one entry a line: native, tab, foreign,
// tab, word type, tab, native sound, tab, foreign sound. The sounds are wave files named
// relative to the list's folder; every entry must have both, so that a new user can try the
// listening test on any sample unit.
#include "platform/ini/inifile.h"
#include "platform/messageservice.h"
#include "platform/sound/wavefile.h"
#include "platform/sound/wavewriter.h"
#include "platform/textdecoding.h"
#include "vocfile/lumotable.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace {
class ConsoleMessages : public MessageService
{
public:
    Button show(Kind, const QString &text, int) override
    {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return Ok;
    }
};

struct WordList
{
    QMap<QString, QString> header;
    QList<QStringList> entries;
};

WordList parse(const QString &text)
{
    WordList list;
    for (const QString &line : text.split(u'\n')) {
        const QString l = line.trimmed();
        if (l.isEmpty() || l.startsWith(u'#'))
            continue;
        if (l.startsWith(u'@')) {
            const int colon = l.indexOf(u':');
            if (colon > 1)
                list.header.insert(l.mid(1, colon - 1).trimmed(), l.mid(colon + 1).trimmed());
            continue;
        }
        list.entries.append(line.trimmed().split(u'\t'));
    }
    return list;
}

int fail(const QString &message)
{
    std::fprintf(stderr, "lumo_makeunit: %s\n", qPrintable(message));
    return 1;
}

// The wave file named in the column of the entry.
QByteArray soundOf(const QStringList &entry, int column, const QDir &folder)
{
    const QString side = column == 3 ? QStringLiteral("native") : QStringLiteral("foreign");
    const QString name = entry.value(column).trimmed();
    if (name.isEmpty())
        throw LumoError(QStringLiteral("the entry \"%1\" has no %2 sound").arg(entry.value(0), side));
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        throw LumoError(QStringLiteral("the %1 sound of \"%2\" cannot be read: %3")
                            .arg(side, entry.value(0), file.fileName()));
    const QByteArray bytes = file.readAll();
    // Like a recording made in the program, so that the samples show what the user gets.
    const WaveFile wave = WaveFile::fromBytes(bytes);
    const WaveWriter recorder;
    if (wave.channels() != recorder.channels() || wave.sampleRate() != recorder.sampleRate() ||
        wave.bitsPerSample() != recorder.bitsPerSample())
        throw LumoError(QStringLiteral("the %1 sound of \"%2\" is not in the recorder's format: %3")
                            .arg(side, entry.value(0), file.fileName()));
    return bytes;
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return fail(QStringLiteral("usage: lumo_makeunit <list.txt> <target folder>"));
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read ") + source.fileName());
    const WordList list = parse(DecodeText(source.readAll()));
    const QString name = list.header.value(QStringLiteral("Name"));
    if (name.isEmpty())
        return fail(source.fileName() + QStringLiteral(" has no @Name line"));

    const QString folder = QDir(QString::fromLocal8Bit(argv[2])).absolutePath() + u'/';
    QDir().mkpath(folder);
    const QString base = folder + name;
    QFile::remove(base + QStringLiteral(".db"));
    QFile::remove(base + QStringLiteral(".lif"));

    try {
        IniFile descriptor(base + QStringLiteral(".lif"));
        const QString general = QStringLiteral("general");
        descriptor.writeString(general, QStringLiteral("FileType"), QStringLiteral("vokfile"));
        descriptor.writeInteger(general, QStringLiteral("FirstLanguage"),
                                list.header.value(QStringLiteral("FirstLanguage")).toInt());
        descriptor.writeInteger(general, QStringLiteral("SecondLanguage"),
                                list.header.value(QStringLiteral("SecondLanguage")).toInt());
        descriptor.writeString(general, QStringLiteral("Description"),
                               list.header.value(QStringLiteral("Description")));

        ConsoleMessages messages;
        TLumoTable table(messages);
        table.setVocabularyFile(base + QStringLiteral(".db"));
        if (table.vocabularyFile().isEmpty())
            return fail(QStringLiteral("cannot create ") + base + QStringLiteral(".db"));
        table.open();
        table.startTransaction();
        const QDir soundFolder = QFileInfo(source.fileName()).absoluteDir();
        for (const QStringList &e : list.entries) {
            const QVariant type = e.size() > 2 ? QVariant(e.at(2).toInt()) : QVariant();
            table.appendRecord({QVariant(), e.value(0), e.value(1), type, soundOf(e, 3, soundFolder),
                                soundOf(e, 4, soundFolder), 0});
        }
        table.commit();
        table.close();
    } catch (const std::exception &error) {
        QFile::remove(base + QStringLiteral(".db"));
        QFile::remove(base + QStringLiteral(".lif"));
        return fail(source.fileName() + QStringLiteral(": ") + QString::fromLocal8Bit(error.what()));
    }
    return 0;
}

#include "vocfile/oldunitfile.h"

#include "platform/lumoerror.h"
#include "platform/textdecoding.h"

#include <QFile>

namespace {
QList<QByteArray> splitLines(const QByteArray &bytes)
{
    QList<QByteArray> lines;
    const qsizetype end = bytes.contains('\x1a') ? bytes.indexOf('\x1a') : bytes.size();
    qsizetype start = 0;
    while (start < end) {
        qsizetype cr = bytes.indexOf('\r', start);
        if (cr < 0 || cr >= end) {
            lines.append(bytes.mid(start, end - start));
            break;
        }
        lines.append(bytes.mid(start, cr - start));
        start = cr + 1;
        if (start < end && bytes.at(start) == '\n')
            ++start;
    }
    return lines;
}
} // namespace

OldUnitFile OldUnitFile::read(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw LumoError(QStringLiteral("Cannot read the file ") + path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw LumoError(QStringLiteral("Cannot read the file ") + path);
    return parse(bytes);
}

OldUnitFile OldUnitFile::parse(const QByteArray &bytes)
{
    static const QByteArray ByteOrderMark("\xEF\xBB\xBF");
    const bool utf8 = bytes.startsWith(ByteOrderMark);
    const QList<QByteArray> lines = splitLines(utf8 ? bytes.mid(ByteOrderMark.size()) : bytes);
    const auto text = [&](qsizetype index) {
        if (index >= lines.size())
            return QString();
        return utf8 ? QString::fromUtf8(lines.at(index)) : DecodeWindows1252(lines.at(index));
    };
    OldUnitFile unit;
    unit.languageLine = text(0);
    unit.descriptionFirst = text(1);
    unit.descriptionSecond = text(2);
    for (qsizetype i = 3; i < lines.size(); i += 2)
        unit.pairs.append({text(i), text(i + 1)});
    return unit;
}

int OldUnitFile::foreignLanguage() const
{
    static const QList<QPair<QString, int>> Languages{{QStringLiteral("german"), 6},
                                                      {QStringLiteral("english"), 1},
                                                      {QStringLiteral("french"), 4},
                                                      {QStringLiteral("italien"), 9},
                                                      {QStringLiteral("spanish"), 10}};
    for (const auto &[name, number] : Languages)
        if (languageLine == name)
            return number;
    return 0;
}

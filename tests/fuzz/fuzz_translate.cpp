// The UI language lookup on a language file of any bytes, for the sections and keys the
// program asks for and for names taken from the input.
#include "fuzzfolder.h"
#include "uilang/translate.h"

#include <fuzzer/FuzzedDataProvider.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    const QString section = QString::fromStdString(input.ConsumeRandomLengthString(24));
    const QString key = QString::fromStdString(input.ConsumeRandomLengthString(24));
    const std::string rest = input.ConsumeRemainingBytesAsString();
    const QString file =
        WriteFuzzFile(QStringLiteral("fuzz.llf"), QByteArray(rest.data(), qsizetype(rest.size())));

    Translate(file, section, key, QStringLiteral("default"));
    Translate(file, QStringLiteral("general"), QStringLiteral("Language3"), QStringLiteral("unkown"));
    Translate(file, QStringLiteral("MainForm"), QStringLiteral("LogbookPage"),
              QStringLiteral("Review && &Logbook"));
    Translate(file, QStringLiteral("LogGraph1"), QStringLiteral("Mistakes"), QStringLiteral("Mistakes"));
    return 0;
}

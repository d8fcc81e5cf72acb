// The special-character file "SpecChar.lcf" of any bytes, read for every language, then one
// language rewritten and read back: the rewrite keeps what it was given.
#include "fuzzfolder.h"
#include "platform/lumoerror.h"
#include "vocfile/specialcharacterfile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString path = WriteFuzzFile(QStringLiteral("SpecChar.lcf"),
                                       QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    SpecialCharacterFile file(path);
    for (int language = 0; language < 19; ++language) {
        const QList<QChar> cells = file.slotCharacters(language);
        if (cells.size() != SpecialCharacterFile::SlotCount ||
            file.leadingCharacters(language).size() > SpecialCharacterFile::SlotCount)
            std::abort();
    }
    const int language = size > 0 ? data[0] % 19 : 0;
    const QList<QChar> wanted = file.slotCharacters((language + 1) % 19);
    try {
        file.writeSlots(language, wanted);
    } catch (const LumoError &) {
        return 0; // a name the INI file cannot hold is refused, which is fine
    }
    // Characters the language's code page has come back as they went in.
    const QList<QChar> back = file.slotCharacters(language);
    for (int slot = 0; slot < SpecialCharacterFile::SlotCount; ++slot)
        if (!wanted.at(slot).isNull() && SpecialCharacterFile::codeOf(language, wanted.at(slot)) > 0 &&
            back.at(slot) != wanted.at(slot))
            std::abort();
    return 0;
}

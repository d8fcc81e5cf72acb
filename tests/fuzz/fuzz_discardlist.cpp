// The discard list "DiscardList.ldl" of any bytes, read for every language.
#include "fuzzfolder.h"
#include "platform/programfolder.h"
#include "voctest/discardlist.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool pointed = (SetProgramFolder(FuzzFolder()), true);
    (void)pointed;
    WriteFuzzFile(QStringLiteral("DiscardList.ldl"),
                  QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    for (int language = -1; language <= 19; ++language)
        for (const QString &word : DiscardList::wordsFor(language))
            if (word.isEmpty() || word.contains(u';'))
                std::abort();
    return 0;
}

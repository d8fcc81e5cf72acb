// The reader of old single-file units on any bytes.
#include "vocfile/oldunitfile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const OldUnitFile unit =
        OldUnitFile::parse(QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size)));
    unit.foreignLanguage();
    unit.description();
    // Every pair comes from two lines after the three header lines.
    if (unit.pairs.size() > qsizetype(size) / 2 + 1)
        std::abort();
    return 0;
}

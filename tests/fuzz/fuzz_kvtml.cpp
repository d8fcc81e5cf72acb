// A KVTML word list of any bytes. A malformed file or one declaring entities is refused
// with an error, never a crash, and nothing is fetched.
#include "exchange/exchangeerror.h"
#include "exchange/kvtmlreader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    try {
        const WordTable table = KvtmlReader::parse(
            QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), QStringLiteral("list.kvtml"));
        for (const WordTable::Row &row : table.rows)
            if (row.cells.size() > table.columnCount || row.type < -1 || row.type > 10)
                std::abort();
    } catch (const ExchangeError &) {
    }
    return 0;
}

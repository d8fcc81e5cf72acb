// The RIFF wave reader on any bytes: a playable result or a WaveFormatError, nothing else.
#include "platform/sound/wavefile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray image(reinterpret_cast<const char *>(data), qsizetype(size));
    try {
        const WaveFile wave = WaveFile::fromBytes(image);
        wave.audioFormat();
        wave.durationMs();
        if (wave.samples().size() > image.size())
            std::abort();
    } catch (const WaveFormatError &) {
    }
    return 0;
}

// Turns a spoken wave file into a sound in the recorder's format (mono, 8000 samples per
// second, 8 bits unsigned), trimmed of the silence around it:
//   lumo_makesound <speech.wav> <sound.wav>
// Used by make-sample-sounds.sh on the output of a speech synthesizer.
#include "platform/sound/wavefile.h"
#include "platform/sound/wavewriter.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>
#include <vector>

namespace {
constexpr double SilenceLevel = 0.03; // of the loudest sample
constexpr double MarginSeconds = 0.04;
constexpr double FadeSeconds = 0.005;
constexpr double PeakLevel = 0.9;
constexpr int KernelHalfWidth = 24; // input samples on each side of an output sample
constexpr double MinimumSeconds = 0.1;

using Signal = std::vector<double>;

// The channels' average, from -1 to 1.
Signal monoOf(const WaveFile &wave)
{
    const QByteArray &bytes = wave.samples();
    const int channels = wave.channels();
    const int sampleSize = wave.bitsPerSample() / 8;
    const qsizetype frames = bytes.size() / (channels * sampleSize);
    Signal mono(size_t(frames), 0.0);
    for (qsizetype f = 0; f < frames; ++f) {
        double sum = 0;
        for (int c = 0; c < channels; ++c) {
            const char *at = bytes.constData() + (f * channels + c) * sampleSize;
            sum += sampleSize == 1 ? (quint8(*at) - 128) / 128.0 : qFromLittleEndian<qint16>(at) / 32768.0;
        }
        mono[size_t(f)] = sum / channels;
    }
    return mono;
}

Signal trimmed(const Signal &signal, int rate)
{
    double peak = 0;
    for (double s : signal)
        peak = std::max(peak, std::abs(s));
    const double level = peak * SilenceLevel;
    const auto loud = [level](double s) { return std::abs(s) > level; };
    const auto first = std::find_if(signal.begin(), signal.end(), loud);
    if (first == signal.end())
        return {};
    const auto last = std::find_if(signal.rbegin(), signal.rend(), loud).base();
    const auto margin = std::ptrdiff_t(MarginSeconds * rate);
    const auto from = first - std::min(margin, first - signal.begin());
    const auto to = last + std::min(margin, signal.end() - last);
    return Signal(from, to);
}

// Windowed-sinc low pass below the new Nyquist frequency, evaluated at the output times.
Signal resampled(const Signal &signal, int from, int to)
{
    const double step = double(from) / to;
    const double cutoff = 0.9 * std::min(1.0, double(to) / from) / 2; // in cycles per input sample
    const double width = KernelHalfWidth * std::max(1.0, step);
    Signal out(size_t(std::floor(signal.size() / step)));
    for (size_t n = 0; n < out.size(); ++n) {
        const double t = n * step;
        const auto lo = std::max<long>(0, long(std::ceil(t - width)));
        const auto hi = std::min<long>(long(signal.size()) - 1, long(std::floor(t + width)));
        double sum = 0;
        double weights = 0;
        for (long i = lo; i <= hi; ++i) {
            const double d = i - t;
            const double x = 2 * cutoff * d;
            const double sinc = x == 0 ? 1 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
            const double hann = 0.5 + 0.5 * std::cos(std::numbers::pi * d / width);
            sum += signal[size_t(i)] * sinc * hann;
            weights += sinc * hann;
        }
        out[n] = weights != 0 ? sum / weights : 0;
    }
    return out;
}

// Soft ends, so that the cut does not click, and a level that uses the 8 bits well.
QByteArray unsigned8(Signal signal, int rate)
{
    const size_t fade = std::min(signal.size() / 2, size_t(FadeSeconds * rate));
    for (size_t i = 0; i < fade; ++i) {
        const double gain = double(i) / fade;
        signal[i] *= gain;
        signal[signal.size() - 1 - i] *= gain;
    }
    double peak = 0;
    for (double s : signal)
        peak = std::max(peak, std::abs(s));
    const double gain = peak > 0 ? PeakLevel / peak : 1;
    QByteArray bytes(qsizetype(signal.size()), '\0');
    for (size_t i = 0; i < signal.size(); ++i)
        bytes[qsizetype(i)] = char(std::clamp<long>(std::lround(128 + signal[i] * gain * 127), 0, 255));
    return bytes;
}

int fail(const QString &message)
{
    std::fprintf(stderr, "lumo_makesound: %s\n", qPrintable(message));
    return 1;
}
} // namespace

int main(int argc, char *argv[])
{
    if (argc != 3)
        return fail(QStringLiteral("usage: lumo_makesound <speech.wav> <sound.wav>"));
    const QString input = QString::fromLocal8Bit(argv[1]);
    const QString output = QString::fromLocal8Bit(argv[2]);
    QFile source(input);
    if (!source.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot read ") + input);

    try {
        const WaveFile speech = WaveFile::fromBytes(source.readAll());
        const WaveWriter recorder;
        const Signal sound = resampled(trimmed(monoOf(speech), speech.sampleRate()), speech.sampleRate(),
                                       recorder.sampleRate());
        if (sound.size() < size_t(MinimumSeconds * recorder.sampleRate()))
            return fail(input + QStringLiteral(" holds no sound"));
        recorder.save(output, unsigned8(sound, recorder.sampleRate()));
    } catch (const LumoError &error) {
        return fail(input + QStringLiteral(": ") + error.message());
    }
    return 0;
}

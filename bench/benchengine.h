#pragma once

#include "platform/sound/waveplayer.h"
#include "voctest/voctestui.h"

// The test engine's windows and sound, silent, for benchmarks that run it.
class SilentUi : public VocTestUi
{
public:
    void showMistakeReport(const MistakeReport &, const VocTestCaptions &) override {}
    void showSummary(const TestSummary &, const VocTestCaptions &) override {}
};

class SilentPlayer : public WavePlayer
{
public:
    void playWave(const QByteArray &) override {}
};

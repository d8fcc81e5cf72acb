#pragma once

// Review histories of a simulated learner whose memory follows known weights, for fitting the
// memory model in tests and benchmarks.
#include "repetition/fsrsfitter.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

namespace SimulatedReviews {

using Weights = FsrsFitter::Weights;
using Card = FsrsFitter::Card;

// A learner unlike the defaults: stronger first memories, a flatter forgetting curve, slower
// growth after recall and a kinder lapse.
inline Weights trueWeights()
{
    Weights w = FsrsModel::DefaultWeights;
    w[0] = 0.8;
    w[1] = 3.0;
    w[2] = 6.0;
    w[3] = 16.0;
    w[4] = 7.2;
    w[8] = 1.1;
    w[11] = 2.2;
    w[20] = 0.6;
    return w;
}

// Cards reviewed eight times each by a learner who follows `truth`: every interval is the
// scheduled one stretched or shrunk at random (so that the forgetting curve is seen at many
// points), and he recalls with the chance the true model gives.
inline std::vector<Card> simulate(const Weights &truth, int cards, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> chance(0.0, 1.0);
    const auto gradeOfRecall = [&] {
        const double u = chance(random);
        return u < 0.15 ? 2 : (u < 0.9 ? 3 : 4);
    };
    std::vector<Card> result;
    for (int c = 0; c < cards; ++c) {
        Card card;
        const int firstGrade = chance(random) < 0.25 ? 1 : gradeOfRecall();
        FsrsModel::Memory memory = FsrsModel::first(FsrsModel::Rating(firstGrade), truth);
        card.push_back({0, firstGrade});
        for (int review = 1; review < 8; ++review) {
            const double stretch = 0.3 + 2.7 * chance(random);
            const double days =
                std::max(1.0, std::round(FsrsModel::intervalDays(memory.stability, truth) * stretch));
            const bool recalled = chance(random) < FsrsModel::retrievability(days, memory.stability, truth);
            const int grade = recalled ? gradeOfRecall() : 1;
            memory = FsrsModel::next(memory, days, FsrsModel::Rating(grade), truth);
            card.push_back({days, grade});
        }
        result.push_back(card);
    }
    return result;
}

} // namespace SimulatedReviews

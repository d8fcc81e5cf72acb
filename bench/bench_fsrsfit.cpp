// Speed of fitting the memory model's weights to 10,000 reviews (1,250 cards of 8 reviews of
// a simulated learner), against one evaluation of the log loss of the same reviews with the
// same weights: the ratio says how many such evaluations a whole fit costs.

#include "benchunit.h"
#include "repetition/fsrsfitter.h"
#include "support/simulatedreviews.h"

#include <cstdio>

int main()
{
    const std::vector<FsrsFitter::Card> cards =
        SimulatedReviews::simulate(SimulatedReviews::trueWeights(), 1250, 1);
    std::printf("reviews: %d predicted of %d\n", FsrsFitter::predictedReviews(cards), int(cards.size()) * 8);
    FsrsFitter::Result result;
    const double fit = bestOf(3, [&] { result = FsrsFitter::fit(cards, FsrsModel::DefaultWeights); });
    double loss = 0;
    const double evaluation =
        bestOf(20, [&] { loss = FsrsFitter::logLoss(cards, FsrsModel::DefaultWeights); });
    std::printf("fit: %.1f ms (%s, log loss %.5f -> %.5f)\n", fit, result.fitted ? "fitted" : "kept",
                result.startLoss, result.fittedLoss);
    std::printf("one log-loss evaluation: %.2f ms (%.5f)\n", evaluation, loss);
    std::printf("ratio: %.0f evaluations\n", fit / evaluation);
    return 0;
}

// The score-sheet corpus, replayed through the score-sheet fuzz target.
#include "corpus_replay.h"
#include "scoresheet_fuzz_target.h"

namespace tovi::fuzz {
namespace {

TEST(ScoreSheetFuzzReplay, EveryCorpusFileKeepsTheInvariants) {
    ReplayCorpus("scoresheet", ScoreSheetFuzzOneInput);
}

}  // namespace
}  // namespace tovi::fuzz

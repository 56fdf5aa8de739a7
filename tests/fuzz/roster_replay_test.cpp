// The roster corpus, replayed through the roster fuzz target.
#include "corpus_replay.h"
#include "roster_fuzz_target.h"

namespace tovi::fuzz {
namespace {

TEST(RosterFuzzReplay, EveryCorpusFileKeepsTheInvariants) {
    ReplayCorpus("roster", RosterFuzzOneInput);
}

}  // namespace
}  // namespace tovi::fuzz

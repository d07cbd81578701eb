// The real tool driven by a host, a user and other programs at once, from a fixed seed: host
// calls (saves, searches, the settings, closes of every kind, Initialize again, a new tool
// object) arrive between the user's clicks and keys, also while a message box, the settings
// dialog or an in-place editor is open; another program rewrites list files and the list-order
// file; another host is killed a moment after its changes. After every step the window, its
// modal boxes and every file must be what a model of the user's actions, the other programs'
// writes and the saves says: nothing lost or duplicated, no list's items in another's file, no
// file written that the window did not change, no file outside the list folder made, changed
// or removed, and no crash.

#include <gtest/gtest.h>

#include "chaos/chaos_walk.h"

namespace {

// Four walks of 100 steps from seeds of their own, each with a fresh host, data folder and
// tool: a failure ends only its own walk, and each walk stays well inside the time limit.
class HostChaosSeeds : public chaos::HostChaos, public testing::WithParamInterface<unsigned> {};

TEST_P(HostChaosSeeds, HostCallsAmidUserActionsLoseNothingAndTouchNoOtherFile) {
  Walk(GetParam(), 100);
}

INSTANTIATE_TEST_SUITE_P(Walks, HostChaosSeeds, testing::Values(20261208u, 4099u, 77731u, 31337u),
                         [](const auto& seed) { return "Seed" + std::to_string(seed.index + 1); });

}  // namespace

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "support/PhysicsRig.h"
#include "platform/KeyCodes.h"

namespace moriva::test {
namespace {

constexpr int kWorlds = 10;
constexpr int kFramesPerWorld = 2000;
constexpr int kMovementKeys[] = {vk::kLeft, vk::kRight, vk::kUp, vk::kDown, vk::kSpace, vk::kEnter};

// A whole world of random codes 0..191: every other world mostly open, so the hero travels
// and meets many classes; the others dense, so he is boxed in, lifted and thrown about.
WorldBuilder RandomWorld(std::mt19937& rng, bool sparse) {
  WorldBuilder w;
  std::uniform_int_distribution<int> code(0, kSheetTiles - 1);
  std::uniform_int_distribution<int> percent(0, 99);
  for (int x = 0; x <= kWorldTiles; ++x) {
    for (int y = 0; y <= kWorldTiles; ++y) {
      const bool open = sparse && percent(rng) < 75;
      w.Map()(x, y) = static_cast<std::uint8_t>(open ? 0 : code(rng));
    }
  }
  return w;
}

bool KnownState(int state) {
  switch (state) {
    case hero::kNormal: case hero::kClimbing: case hero::kSwimming: case hero::kFloating:
    case hero::kBurnt: case hero::kDrowned: case hero::kPierced: case hero::kSunk:
    case hero::kFallen: case hero::kGoal:
      return true;
    default:
      return false;
  }
}

void ExpectSound(const GameState& s, const basMoriva& m, long frame) {
  SCOPED_TRACE(testing::Message() << "frame " << frame);
  ASSERT_TRUE(std::isfinite(s.HeroX) && std::isfinite(s.HeroY));
  ASSERT_TRUE(std::isfinite(s.HeroVX) && std::isfinite(s.HeroVY));
  // Every tile rule moves the hero by at most a tile from the edge limits 32 .. 1536.
  for (float v : {s.HeroX, s.HeroY}) ASSERT_TRUE(v >= -kTileSize && v <= kBlockPixels + kTileSize) << v;
  ASSERT_TRUE(std::fabs(s.HeroVX) <= 15.0f && std::fabs(s.HeroVY) <= 15.0f);
  ASSERT_TRUE(m.BlockX >= 0 && m.BlockX <= 4 && m.BlockY >= 0 && m.BlockY <= 4);
  ASSERT_TRUE(KnownState(s.HeroState)) << s.HeroState;
  ASSERT_TRUE(s.Countdown >= 0 && s.Countdown <= 150) << s.Countdown;
  ASSERT_LE(s.RopeRow, kBlockTiles + 1);
  ASSERT_TRUE(s.JumpFrames >= 0 && s.JumpFrames <= 999) << s.JumpFrames;
  ASSERT_LE(s.SavedCount, kDrawListSize);
  ASSERT_LE(s.TileFrCount, 1);  // one spring or launcher at a time
  ASSERT_TRUE(s.SwitchOn == 0 || s.SwitchOn == 1);
  ASSERT_TRUE(s.CrumbleTimer >= 0 && s.CrumbleTimer <= 30) << s.CrumbleTimer;
  ASSERT_TRUE(s.SpringTimer >= 0 && s.SpringTimer <= 15) << s.SpringTimer;
  ASSERT_TRUE(s.LauncherTimer >= 0 && s.LauncherTimer <= 9) << s.LauncherTimer;
  for (int i = 0; i < kItemIcons; ++i) ASSERT_TRUE(s.HaveItem[i] == 0 || s.HaveItem[i] == 1);
}

// Random worlds and random held keys through the whole frame loop: the hero stays inside
// the block's tables and every state stays in its range, however the tiles throw him.
TEST(RandomWorldTest, RandomWorldsAndKeysKeepEveryValueInRange) {
  std::mt19937 rng(20261206);
  for (int world = 0; world < kWorlds; ++world) {
    SCOPED_TRACE(testing::Message() << "world " << world);
    PhysicsRig rig(RandomWorld(rng, world % 2 == 0));
    std::uniform_int_distribution<int> block(0, 4);
    std::uniform_real_distribution<double> pos(32.0, 1536.0);
    // Every third hero starts in a corner, where the edge rules and the tile reads meet.
    const bool corner = world % 3 == 0;
    rig.Start(block(rng), block(rng), corner ? 32.0 : pos(rng), corner ? 1536.0 : pos(rng));
    for (int item = 0; item < kItemIcons; ++item) {
      if (rng() % 2) rig.Give(item);
    }
    rig.state().SwitchOn = static_cast<std::int16_t>(rng() % 2);
    rig.state().AnimCount = static_cast<std::int16_t>(rng() % 100);
    rig.host().keepSnapshots = false;
    bool failed = false;
    rig.host().onFrameEnded = [&](const GameState& s) {
      if (failed) return;
      ExpectSound(s, rig.module(), rig.frame());
      failed = testing::Test::HasFatalFailure();
    };

    int done = 0;
    std::uniform_int_distribution<int> span(1, 40);
    while (done < kFramesPerWorld && !failed) {
      const int frames = std::min(span(rng), kFramesPerWorld - done);
      const unsigned mask = rng();
      std::vector<int> keys;
      for (std::size_t k = 0; k < std::size(kMovementKeys); ++k) {
        if (mask & (1u << k)) keys.push_back(kMovementKeys[k]);
      }
      rig.host().held = keys;
      rig.host().stopAfter = rig.frame() + frames;
      const long before = rig.frame();
      rig.game().RunGame();  // an ending ends a run early; play goes on from there
      done += static_cast<int>(rig.frame() - before);
    }
    ASSERT_FALSE(failed);
  }
}

}  // namespace
}  // namespace moriva::test

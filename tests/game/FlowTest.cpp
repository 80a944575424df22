#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <tuple>

#include "audio/Sound.h"
#include "audio/clsBGM.h"
#include "game/GameAudio.h"
#include "game/GameTables.h"
#include "game/TitleMenu.h"
#include "platform/KeyCodes.h"
#include "platform/MidiDevice.h"
#include "platform/WavPlayer.h"
#include "support/GameFixture.h"
#include "world/DrawBlock.h"

namespace moriva {
namespace {

using test::GameFixture;
using Notes = std::vector<std::pair<GameEvent, int>>;

TEST(Flow, MusicOneIsTheFirstPieceAndEffectFourteenTheRope) {
  RecordingMidiDevice device;
  RecordingWavPlayer player;
  clsBGM bgm("/game");
  Sound se(player, "/game");
  RegisterGameAudio(bgm, device, se);
  ASSERT_EQ((std::tuple{se.SoundOn, bgm.MusicFiles().size(), se.SoundFiles().size()}), (std::tuple<bool, std::size_t, std::size_t>{true, 4, 14}));
  bgm.BGMPlay(1, true);
  EXPECT_TRUE(std::ranges::any_of(device.calls, [](const std::string& c) { return c.ends_with("qz2.mid"); }));
  se.PlayAsync(14, 0, 1, 0);
  EXPECT_TRUE(!player.calls.empty() && player.calls.back().file.ends_with("rope.wav"));
}

TEST(Flow, ResetGameSetsTheNewGameButKeepsTheMissCounts) {
  GameFixture f;
  GameState& s = f.st();
  s.MissCount[1][2] = 7, s.HaveItem[3] = 1, s.ItemVisible[3] = true, s.BlockColor[0][0] = kColorVisited;
  s.SwitchOn = 0, s.HeroVX = 3, s.KeyState[vk::kSpace] = kTrue, s.RopeRow = 4, s.Countdown = 40;
  f.game().ResetGame();
  EXPECT_EQ((std::tuple{f.mod().BlockX, f.mod().BlockY, s.HeroX, s.HeroY}), (std::tuple<std::int16_t, std::int16_t, float, float>{2, 4, 160, 1498}));
  // HeroVX, SwitchOn, item 3 owned and shown, block (0, 0)'s colour, Space, rope, countdown, misses.
  EXPECT_EQ((std::vector<int>{static_cast<int>(s.HeroVX), s.SwitchOn, s.HaveItem[3], s.ItemVisible[3], s.BlockColor[0][0],
                              s.KeyState[vk::kSpace], s.RopeRow, s.Countdown, s.MissCount[1][2]}),
            (std::vector<int>{0, 1, 0, 0, -1, 0, 0, 0, 7}));
}

TEST(Flow, TheTitleClickShowsPleaseWaitHidesItselfAndEntersTheBlock) {
  GameFixture f;
  f.host().effects.clear();
  f.host().notes.clear();
  f.PlayFrames(1);
  EXPECT_EQ((std::tuple{f.host().effects.front(), f.host().pleaseWaitShown, f.host().titleVisible}), (std::tuple{1, 1, false}));
  EXPECT_EQ(f.host().notes.at(0).first, GameEvent::EnterBlock);
  const std::pair<int, int> keys[] = {{' ', TitleMenu::kNewGame}, {'L', TitleMenu::kContinue}, {'l', TitleMenu::kContinue},
                                      {13, -1}, {'S', -1}, {'0', -1}, {0, -1}};
  for (const auto& [key, choice] : keys) EXPECT_EQ(TitleMenu::ChoiceForKey(key), choice) << key;
}

// Presses keys before frame `down` runs and lets them go after frame `up` ran.
void Press(GameFixture& f, long down, std::initializer_list<int> keys, long up = -1) {
  f.host().onFrameBegins = [&f, down, up, keys = std::vector<int>(keys), previous = f.host().onFrameBegins](long n) {
    if (previous) previous(n);
    if (n == down) for (int k : keys) f.game().KeyDown(k);
    if (n == up + 1) for (int k : keys) f.game().KeyUp(k);
  };
}

TEST(MainLoop, SaveNeedsTheDiaryAndHappensOncePerBlockVisit) {
  for (int diary : {0, 1}) {
    GameFixture f;
    f.st().HaveItem[kItemDiary] = static_cast<std::int16_t>(diary);
    Press(f, 2, {vk::kS}, 4);
    Press(f, 6, {vk::kS});  // pressed again in the same block
    f.PlayFrames(8);
    EXPECT_EQ(std::ranges::count(f.host().notes, GameEvent::SaveGame, &Notes::value_type::first), diary);
    EXPECT_EQ(f.host().effects, std::vector<int>(1 + diary, effect::kClick)) << "the title's click, the save's";
  }
}

TEST(MainLoop, LoadWithThreeAndFiveHeldLoadsFiveBack) {
  GameFixture f;
  f.host().answers = {true};
  Press(f, 3, {vk::kL, vk::kDigit0 + 3, vk::kDigit0 + 5});
  f.PlayFrames(4);
  EXPECT_EQ(f.host().questions, std::vector<std::string>{kLoadQuestion});
  const auto load = std::ranges::find(f.host().notes, GameEvent::LoadGame, &Notes::value_type::first);
  EXPECT_TRUE(load != f.host().notes.end() && load->second == 5);
  EXPECT_TRUE(std::ranges::all_of(f.st().KeyState, [](std::int16_t k) { return k == 0; }));
}

TEST(MainLoop, AMissAtTheTopOfTheCountsRangeStaysThere) {
  constexpr std::int32_t kTop = std::numeric_limits<std::int32_t>::max();
  for (const auto& [before, after] : {std::pair{0, 1}, std::pair{kTop - 1, kTop}, std::pair{kTop, kTop}}) {
    GameFixture f;
    f.host().onFrameBegins = [&](long n) {
      if (n == 1) f.st().MissCount[2][4] = before, f.st().HeroState = hero::kBurnt, f.st().Countdown = 3;
    };
    f.PlayFrames(4);
    EXPECT_EQ(f.st().MissCount[2][4], after) << "from " << before;
  }
}

TEST(SaveLoad, AMissingFileStartsANewGameSilentlyASavedBlockLoadsAtItsEntryPointWithItsIcons) {
  GameFixture f;
  GameState& s = f.st();
  f.mod().BlockX = 1;
  f.mod().BlockY = 3;
  s.HaveItem[5] = 1, s.ItemVisible[5] = true;
  EXPECT_TRUE(f.game().LoadGame(0));
  EXPECT_EQ((std::tuple{f.mod().BlockX, f.mod().BlockY, s.ItemVisible[5]}), (std::tuple<std::int16_t, std::int16_t, bool>{2, 4, false}));
  EXPECT_TRUE(f.host().errors.empty());
  EXPECT_FALSE(std::filesystem::exists(f.game().savePath()));

  f.mod().BlockX = 1;
  f.mod().BlockY = 3;
  s.HeroX = 300, s.HeroY = 500;
  f.game().EnterBlock();  // restart point (300, 500)
  s.HeroX = 900;          // walked on
  s.HaveItem[4] = s.HaveItem[6] = 1, s.SwitchOn = 0, s.MissCount[1][3] = 12;
  f.game().SaveGame();
  f.game().ResetGame();
  s.HaveItem[0] = 1, s.ItemVisible[0] = true;  // owned now, not in the save
  s.MissCount[1][3] = 0, s.HeroVX = 5, s.PrevState = 2;
  ASSERT_TRUE(f.game().LoadGame(0));
  EXPECT_EQ((std::tuple{f.mod().BlockX, f.mod().BlockY, s.HeroX, s.HeroY, s.HeroVX}),
            (std::tuple<std::int16_t, std::int16_t, float, float, float>{1, 3, 300, 500, 0}));
  EXPECT_EQ((std::tuple{s.SwitchOn, s.MissCount[1][3], s.PrevState, s.BlockColor[1][3], s.ItemVisible[0], s.ItemVisible[4]}),
            (std::tuple<std::int16_t, std::int32_t, std::int16_t, std::int32_t, bool, bool>{0, 12, 0, kColorCurrentBlock, false, true}));
}

// A folder where the save file goes: loading and saving fail, say so and change nothing;
// once the file can be written, the same block saves.
TEST(SaveLoad, AFileThatCannotBeReadOrWrittenIsReportedAndChangesNothing) {
  GameFixture f;
  std::filesystem::create_directory(f.game().savePath());
  f.mod().BlockX = 3;
  f.st().HaveItem[kItemDiary] = 1;
  EXPECT_FALSE(f.game().LoadGame(0));
  EXPECT_EQ((std::tuple{f.mod().BlockX, f.st().HaveItem[kItemDiary], f.host().errors.size()}),
            (std::tuple<std::int16_t, std::int16_t, std::size_t>{3, 1, 1}));

  Press(f, 2, {vk::kS, vk::kRight});
  bool heldAfterTheBox = true;
  f.host().onFrameEnded = [&](long n) {
    if (n != 2) return;
    heldAfterTheBox = f.st().KeyState[vk::kRight] != 0 || f.st().KeyState[vk::kS] != 0;
    std::filesystem::remove(f.game().savePath());
  };
  f.PlayFrames(3);
  EXPECT_EQ(f.host().errors.size(), 2u);
  EXPECT_EQ(f.host().effects, std::vector<int>{effect::kClick}) << "only the title's click";
  EXPECT_EQ(f.st().SavedInBlock, 0);
  EXPECT_FALSE(heldAfterTheBox) << "keys released while the message was up stay released";

  f.host().onFrameEnded = nullptr;
  f.host().onFrameBegins = nullptr;
  Press(f, 2, {vk::kS});
  f.PlayFrames(3);
  EXPECT_EQ(std::ranges::count(f.host().notes, GameEvent::SaveGame, &Notes::value_type::first), 1);
  EXPECT_EQ(f.st().SavedInBlock, 1);
}

TEST(View, TheOffsetCentresTheHeroRoundsHalfToEvenAndStopsAtTheBlockEdges) {
  GameFixture f;
  f.game().SetViewFrame(321, 321);
  EXPECT_EQ(f.st().HeroViewX, 144);
  f.game().EnterBlock();
  struct Case {
    float x, y;
    int viewX, viewY;
  } const cases[] = {{100, 700.5f, 0, -556}, {1500, 10, -1280, 0}, {600, 1500, -456, -1280}};
  for (const Case& c : cases) {
    f.st().HeroX = c.x;
    f.st().HeroY = c.y;
    f.st().SavedCount = f.st().SprCount = 0;
    f.game().ViewStep();
    EXPECT_EQ((std::pair{f.st().ViewX, f.st().ViewY}), (std::pair<std::int16_t, std::int16_t>(c.viewX, c.viewY))) << c.x;
  }
}

// Block (4, 1): its spare column is the grid's own last column; its square on the block
// map is row 1 times five plus column 4.
TEST(View, EnterBlockCopiesTheBlockAndItsSpareEdgeMarksItsSquareAndPlaysItsRowsMusic) {
  GameFixture f;
  f.mod().Map(4 * 50 + 3, 1 * 50 + 7) = 42;
  f.mod().Map(250, 60) = 7;
  f.mod().BlockX = 4;
  f.mod().BlockY = 1;
  GameState& s = f.st();
  s.HeroX = 300, s.SavedInBlock = 1, s.GoalTouched = 1, s.BlockColor[2][3] = kColorVisited;
  f.host().music.clear();
  f.game().EnterBlock();
  EXPECT_EQ((std::tuple{s.BlockTiles(3, 7), s.BlockTiles(50, 10), s.RestartX, s.SavedInBlock, s.GoalTouched}),
            (std::tuple<std::uint8_t, std::uint8_t, float, std::int16_t, std::int16_t>{42, 7, 300, 0, 0}));
  EXPECT_EQ((std::tuple{s.MiniMapFill[9], s.MiniMapFill[17], s.MiniMapFill[13]}),
            (std::tuple{kColorCurrentBlock, kColorVisited, kColorNotVisited}));
  Surface expected(1600, 1600);
  DrawBlock(f.mod().Map, f.tiles, 4, 1, expected);
  EXPECT_TRUE(f.game().picGame() == expected);
  f.mod().BlockY = 0;
  f.game().EnterBlock();
  EXPECT_EQ(f.host().music, (std::vector<RecordingGameHost::Music>{{2, false}, {3, false}}));
}

}  // namespace
}  // namespace moriva

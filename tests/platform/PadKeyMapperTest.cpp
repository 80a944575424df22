#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/FakeControllerSource.h"
#include "platform/KeyCodes.h"
#include "platform/PadKeyMapper.h"
#include "platform/SdlControllerSource.h"

namespace moriva {
namespace {

// Records the key changes as the keyboard path would see them: +code pressed, -code let go.
class KeyLog final : public PadKeySink {
 public:
  void PadKeyDown(int virtualKey) override { events.push_back(virtualKey); }
  void PadKeyUp(int virtualKey) override { events.push_back(-virtualKey); }
  std::vector<int> events;
};

struct MappingCase {
  const char* name;
  PadButton button;  // held, unless the stick is used
  std::int16_t stickX, stickY;
  int expectedKey;  // -1: nothing
};

PadState Holding(const MappingCase& c) {
  PadState s;
  if (c.stickX == 0 && c.stickY == 0) s.set(c.button, true);
  s.leftX = c.stickX;
  s.leftY = c.stickY;
  return s;
}

class PadMapping : public testing::TestWithParam<MappingCase> {};

TEST_P(PadMapping, ControlPressesAndReleasesItsKey) {
  const MappingCase& c = GetParam();
  test::FakeControllerSource pad;
  PadKeyMapper mapper;
  KeyLog log;
  pad.state = Holding(c);
  mapper.Update(pad.Poll(), log);
  pad.state = PadState{};
  mapper.Update(pad.Poll(), log);
  const std::vector<int> expected =
      c.expectedKey < 0 ? std::vector<int>{} : std::vector<int>{c.expectedKey, -c.expectedKey};
  EXPECT_EQ(log.events, expected);
}

constexpr std::int16_t kPastDeadZone = PadKeyMapper::kDeadZone + 1;
constexpr std::int16_t kInDeadZone = PadKeyMapper::kDeadZone;

INSTANTIATE_TEST_SUITE_P(
    Controls, PadMapping,
    testing::Values(MappingCase{"DpadLeft", PadButton::DpadLeft, 0, 0, vk::kLeft},
                    MappingCase{"DpadRight", PadButton::DpadRight, 0, 0, vk::kRight},
                    MappingCase{"DpadUp", PadButton::DpadUp, 0, 0, vk::kUp},
                    MappingCase{"DpadDown", PadButton::DpadDown, 0, 0, vk::kDown},
                    MappingCase{"BottomButtonIsSpace", PadButton::Bottom, 0, 0, vk::kSpace},
                    MappingCase{"RightButtonIsEnter", PadButton::Right, 0, 0, vk::kEnter},
                    MappingCase{"StartIsQ", PadButton::Start, 0, 0, vk::kQ},
                    MappingCase{"StickLeft", PadButton::Bottom, -kPastDeadZone, 0, vk::kLeft},
                    MappingCase{"StickRight", PadButton::Bottom, kPastDeadZone, 0, vk::kRight},
                    MappingCase{"StickUp", PadButton::Bottom, 0, -kPastDeadZone, vk::kUp},
                    MappingCase{"StickDownFullTravel", PadButton::Bottom, 0, 32767, vk::kDown},
                    MappingCase{"StickLeftFullTravel", PadButton::Bottom, -32768, 0, vk::kLeft},
                    MappingCase{"StickRestingInDeadZone", PadButton::Bottom, kInDeadZone, 0, -1},
                    MappingCase{"StickUpInDeadZone", PadButton::Bottom, 0, -kInDeadZone, -1}),
    [](const testing::TestParamInfo<MappingCase>& param) { return std::string(param.param.name); });

TEST(PadKeyMapper, AHeldButtonIsOnePress) {
  PadKeyMapper mapper;
  KeyLog log;
  PadState s;
  s.set(PadButton::Bottom, true);
  for (int frame = 0; frame < 5; ++frame) mapper.Update(s, log);
  EXPECT_EQ(log.events, std::vector<int>{vk::kSpace});
}

TEST(PadKeyMapper, DpadAndStickTogetherHoldTheArrowOnce) {
  PadKeyMapper mapper;
  KeyLog log;
  PadState s;
  s.set(PadButton::DpadRight, true);
  mapper.Update(s, log);
  s.leftX = 32767;
  mapper.Update(s, log);
  s.set(PadButton::DpadRight, false);
  mapper.Update(s, log);  // the stick still holds it
  s.leftX = 0;
  mapper.Update(s, log);
  EXPECT_EQ(log.events, (std::vector<int>{vk::kRight, -vk::kRight}));
}

TEST(PadKeyMapper, UnpluggingThePadLetsGoOfItsKeys) {
  test::FakeControllerSource pad;
  PadKeyMapper mapper;
  KeyLog log;
  pad.state.set(PadButton::DpadLeft, true);
  pad.state.set(PadButton::Bottom, true);
  mapper.Update(pad.Poll(), log);
  pad.plugged = false;
  mapper.Update(pad.Poll(), log);
  EXPECT_EQ(log.events, (std::vector<int>{vk::kLeft, vk::kSpace, -vk::kLeft, -vk::kSpace}));
  EXPECT_EQ(pad.connectedPads(), 0);
}

TEST(PadKeyMapper, FaceButtonsAnswerOnTheirPressOnly) {
  PadKeyMapper mapper;
  KeyLog log;
  PadState s;
  s.set(PadButton::Bottom, true);
  const PadAnswers first = mapper.Update(s, log);
  const PadAnswers held = mapper.Update(s, log);
  s.set(PadButton::Bottom, false);
  s.set(PadButton::Right, true);
  const PadAnswers right = mapper.Update(s, log);
  EXPECT_TRUE(first.yes);
  EXPECT_FALSE(first.no);
  EXPECT_FALSE(held.yes);
  EXPECT_TRUE(right.no);
  EXPECT_FALSE(right.yes);
}

TEST(SdlControllerSource, WithoutAPadEverythingReadsAsLetGo) {
  SdlControllerSource pads;  // the test machine has no pad plugged in
  const PadState state = pads.Poll();
  EXPECT_EQ(pads.connectedPads(), 0);
  EXPECT_EQ(PadKeyMapper::HeldKeys(state), (std::array<bool, PadKeyMapper::kKeys>{}));
}

}  // namespace
}  // namespace moriva

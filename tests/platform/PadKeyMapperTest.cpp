#include <gtest/gtest.h>

#include <string>
#include <vector>

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

PadState Pad(std::initializer_list<PadButton> held, std::int16_t x = 0, std::int16_t y = 0) {
  PadState s;
  for (PadButton b : held) s.set(b, true);
  s.leftX = x;
  s.leftY = y;
  return s;
}

// What the pad holds frame by frame (an unplugged pad reads as nothing held) and the key
// changes that follow.
struct PadCase {
  const char* name;
  std::vector<PadState> frames;
  std::vector<int> events;
};

class PadKeys : public testing::TestWithParam<PadCase> {};

TEST_P(PadKeys, PressAndLetGoAsTheKeyboardWould) {
  PadKeyMapper mapper;
  KeyLog log;
  for (const PadState& s : GetParam().frames) mapper.Update(s, log);
  EXPECT_EQ(log.events, GetParam().events);
}

constexpr std::int16_t kPast = PadKeyMapper::kDeadZone + 1;
constexpr std::int16_t kIn = PadKeyMapper::kDeadZone;
using enum PadButton;

INSTANTIATE_TEST_SUITE_P(
    Controls, PadKeys,
    testing::Values(PadCase{"DpadLeft", {Pad({DpadLeft}), {}}, {vk::kLeft, -vk::kLeft}},
                    PadCase{"DpadRight", {Pad({DpadRight}), {}}, {vk::kRight, -vk::kRight}},
                    PadCase{"DpadUp", {Pad({DpadUp}), {}}, {vk::kUp, -vk::kUp}},
                    PadCase{"DpadDown", {Pad({DpadDown}), {}}, {vk::kDown, -vk::kDown}},
                    PadCase{"BottomButtonIsSpace", {Pad({Bottom}), {}}, {vk::kSpace, -vk::kSpace}},
                    PadCase{"RightButtonIsEnter", {Pad({Right}), {}}, {vk::kEnter, -vk::kEnter}},
                    PadCase{"StartIsQ", {Pad({Start}), {}}, {vk::kQ, -vk::kQ}},
                    PadCase{"StickLeft", {Pad({}, -kPast), {}}, {vk::kLeft, -vk::kLeft}},
                    PadCase{"StickRight", {Pad({}, kPast), {}}, {vk::kRight, -vk::kRight}},
                    PadCase{"StickUp", {Pad({}, 0, -kPast), {}}, {vk::kUp, -vk::kUp}},
                    PadCase{"StickDownFullTravel", {Pad({}, 0, 32767), {}}, {vk::kDown, -vk::kDown}},
                    PadCase{"StickLeftFullTravel", {Pad({}, -32768), {}}, {vk::kLeft, -vk::kLeft}},
                    PadCase{"StickRestingInDeadZone", {Pad({}, kIn), Pad({}, -kIn, -kIn), {}}, {}},
                    PadCase{"HeldButtonIsOnePress", {Pad({Bottom}), Pad({Bottom}), Pad({Bottom})}, {vk::kSpace}},
                    PadCase{"DpadAndStickHoldTheArrowOnce",
                            {Pad({DpadRight}), Pad({DpadRight}, 32767), Pad({}, 32767), {}},
                            {vk::kRight, -vk::kRight}},
                    PadCase{"UnpluggedLetsGoOfEverything",
                            {Pad({DpadLeft, Bottom}), {}},
                            {vk::kLeft, vk::kSpace, -vk::kLeft, -vk::kSpace}}),
    [](const testing::TestParamInfo<PadCase>& param) { return std::string(param.param.name); });

TEST(PadKeyMapper, FaceButtonsAnswerOnTheirPressOnly) {
  PadKeyMapper mapper;
  KeyLog log;
  const PadAnswers first = mapper.Update(Pad({Bottom}), log);
  const PadAnswers held = mapper.Update(Pad({Bottom}), log);
  const PadAnswers right = mapper.Update(Pad({Right}), log);
  EXPECT_TRUE(first.yes && !first.no);
  EXPECT_FALSE(held.yes);
  EXPECT_TRUE(right.no && !right.yes);
}

TEST(SdlControllerSource, WithoutAPadEverythingReadsAsLetGo) {
  SdlControllerSource pads;  // the test machine has no pad plugged in
  EXPECT_EQ(pads.connectedPads(), 0);
  EXPECT_EQ(PadKeyMapper::HeldKeys(pads.Poll()), (std::array<bool, PadKeyMapper::kKeys>{}));
}

}  // namespace
}  // namespace moriva

#include <gtest/gtest.h>

#include <Qt>

#include "platform/KeyCodes.h"
#include "platform/PadKeyMapper.h"

namespace moriva {
namespace {

TEST(KeyCodes, TableMatchesTheVirtualKeyNumbers) {
  const std::pair<int, int> keys[] = {{Qt::Key_Space, 32}, {Qt::Key_Return, 13}, {Qt::Key_Enter, 13},
                                      {Qt::Key_Left, 37},  {Qt::Key_Up, 38},     {Qt::Key_Right, 39},
                                      {Qt::Key_Down, 40},  {Qt::Key_0, 48},      {Qt::Key_9, 57},
                                      {Qt::Key_A, 65},     {Qt::Key_Z, 90},      {Qt::Key_F1, -1},
                                      {Qt::Key_Escape, -1}};
  for (const auto& [qt, vk] : keys) EXPECT_EQ(VirtualKeyFromQtKey(qt), vk) << qt;
}

// Records the key changes as the keyboard path would see them: +code pressed, -code let go.
struct KeyLog final : PadKeySink {
  void PadKeyDown(int virtualKey) override { events.push_back(virtualKey); }
  void PadKeyUp(int virtualKey) override { events.push_back(-virtualKey); }
  std::vector<int> events;
};

PadState Pad(std::initializer_list<PadButton> held, std::int16_t x = 0, std::int16_t y = 0) {
  PadState s{.leftX = x, .leftY = y};
  for (PadButton b : held) s.set(b, true);
  return s;
}

constexpr std::int16_t kPast = PadKeyMapper::kDeadZone + 1;
constexpr std::int16_t kIn = PadKeyMapper::kDeadZone;
constexpr int kYes = 1000, kNo = 1001;
using enum PadButton;

// What the pad holds frame by frame (an unplugged pad reads as nothing held) and the key
// changes that follow, as the keyboard would make them, with the answers a box or dialog up
// would take: a face button answers on its press only.
TEST(PadKeyMapper, PressAndLetGoAsTheKeyboardWould) {
  const std::tuple<const char*, std::vector<PadState>, std::vector<int>> cases[] = {
      {"d-pad left", {Pad({DpadLeft}), {}}, {vk::kLeft, -vk::kLeft}},
      {"d-pad right", {Pad({DpadRight}), {}}, {vk::kRight, -vk::kRight}},
      {"d-pad up", {Pad({DpadUp}), {}}, {vk::kUp, -vk::kUp}},
      {"d-pad down", {Pad({DpadDown}), {}}, {vk::kDown, -vk::kDown}},
      {"bottom button is Space and yes", {Pad({Bottom}), {}}, {vk::kSpace, kYes, -vk::kSpace}},
      {"right button is Enter and no", {Pad({Right}), {}}, {vk::kEnter, kNo, -vk::kEnter}},
      {"Start is Q", {Pad({Start}), {}}, {vk::kQ, -vk::kQ}},
      {"stick left", {Pad({}, -kPast), {}}, {vk::kLeft, -vk::kLeft}},
      {"stick right", {Pad({}, kPast), {}}, {vk::kRight, -vk::kRight}},
      {"stick up", {Pad({}, 0, -kPast), {}}, {vk::kUp, -vk::kUp}},
      {"stick down, full travel", {Pad({}, 0, 32767), {}}, {vk::kDown, -vk::kDown}},
      {"stick left, full travel", {Pad({}, -32768), {}}, {vk::kLeft, -vk::kLeft}},
      {"stick resting in the dead zone", {Pad({}, kIn), Pad({}, -kIn, -kIn), {}}, {}},
      {"a held button is one press and one answer", {Pad({Bottom}), Pad({Bottom}), Pad({Bottom})}, {vk::kSpace, kYes}},
      {"d-pad and stick hold the arrow once", {Pad({DpadRight}), Pad({DpadRight}, 32767), Pad({}, 32767), {}},
       {vk::kRight, -vk::kRight}},
      {"unplugged lets go of everything", {Pad({DpadLeft, Bottom}), {}}, {vk::kLeft, vk::kSpace, kYes, -vk::kLeft, -vk::kSpace}},
  };
  for (const auto& [name, frames, events] : cases) {
    PadKeyMapper mapper;
    KeyLog log;
    for (const PadState& s : frames) {
      const PadAnswers answers = mapper.Update(s, log);
      if (answers.yes) log.events.push_back(kYes);
      if (answers.no) log.events.push_back(kNo);
    }
    EXPECT_EQ(log.events, events) << name;
  }
}

}  // namespace
}  // namespace moriva

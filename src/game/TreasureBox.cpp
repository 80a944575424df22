#include "game/TreasureBox.h"

#include "game/Game.h"
#include "game/PhysicsMath.h"
#include "world/basMoriva.h"

namespace moriva {
namespace {

constexpr std::int16_t E = kItemNoEmptyBox;

// What the box of each block holds, indexed [BlockX][BlockY]: items 0..9, memos 101..106.
constexpr std::int16_t kBoxContent[kLastBlockIndex + 1][kLastBlockIndex + 1] = {
    /* x = 0 */ {7, E, 103, E, 1},
    /* x = 1 */ {E, E, 6, 104, 4},
    /* x = 2 */ {E, 8, 0, E, 102},
    /* x = 3 */ {E, E, 5, 101, E},
    /* x = 4 */ {3, 106, 105, 2, 9},
};

bool IsItem(int itemNo) { return itemNo >= 0 && itemNo <= kLastItemNo; }

}  // namespace

std::int16_t BoxContent(int blockX, int blockY) {
  if (blockX < 0 || blockX > kLastBlockIndex || blockY < 0 || blockY > kLastBlockIndex) return E;
  return kBoxContent[blockX][blockY];
}

void OpenTreasureBox(Game& game) {
  GameState& s = game.state();
  const basMoriva& m = game.module();
  s.ItemNo = BoxContent(m.BlockX, m.BlockY);
  // An item is given once; after that its box is empty. Memos are given every time.
  if (IsItem(s.ItemNo) && s.HaveItem[s.ItemNo] != 0) s.ItemNo = E;
  if (IsItem(s.ItemNo)) {
    s.ItemVisible[s.ItemNo] = true;
    s.HaveItem[s.ItemNo] = 1;
  }
  game.host().ShowItemDialog(s.ItemNo);
  game.ClearKeys();
}

}  // namespace moriva

#pragma once

#include <QHash>
#include <QImage>

#include "PictureBook.h"

namespace moriva::pictures {

constexpr int kSheetWidth = 256;
constexpr int kSheetHeight = 768;
constexpr int kPaletteLimit = 256;
constexpr int kHeroSprites = 35;       // sprites 0..34
constexpr int kSpriteSlots = 40;       // rows 0..9 hold sprites 0..39 with their masks

// The tile sheet as an 8-bit palette picture; `mapping` tells what each colour became.
QImage BuildTileSheet(PictureBook& book, QHash<QRgb, QRgb>* mapping);

// The sprite sheet: figures over white with their masks below, the animation cells (their
// colours passed through the tile sheet's `mapping`, so they match the tiles exactly) and
// the dialog's and ending's cells.
QImage BuildSpriteSheet(PictureBook& book, const QHash<QRgb, QRgb>& mapping);

}  // namespace moriva::pictures

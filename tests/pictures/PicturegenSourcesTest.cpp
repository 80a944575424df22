#include <gtest/gtest.h>

#include <QFile>
#include <functional>
#include <tuple>

#include "GridLibrary.h"
#include "Palette.h"
#include "PictureBook.h"
#include "RecipeFile.h"
#include "SourceError.h"
#include "support/TempFolder.h"

namespace moriva::pictures {
namespace {

class Sources : public ::testing::Test {
 protected:
  QString Write(const std::string& name, const char* text) {
    QFile f(QString::fromStdString(folder.file(name)));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.write(text) >= 0);
    return f.fileName();
  }
  // The message of the source error that loading throws, or "" when it loads.
  template <typename F>
  std::string ErrorOf(F&& load) {
    try {
      load();
    } catch (const SourceError& e) {
      return e.what();
    }
    return "";
  }
  Palette PaletteOf(const char* text) {
    Palette p;
    p.Load(Write("palette.txt", text));
    return p;
  }
  moriva::test::TempFolder folder;
};

TEST_F(Sources, PaletteCharactersColourGridsOfTheirOwnSizeWithDotTransparent) {
  const Palette p = PaletteOf("# comment\nK #102030 outline\nr #ff0000\n");
  EXPECT_EQ(std::tuple(p.size(), p.colour(u'K'), p.has(u'x')), std::tuple(2, 0xFF102030u, false));
  EXPECT_EQ(p.parse(QStringLiteral("#00ff00"), QString(), 0), 0xFF00FF00u);
  GridLibrary grids(p);
  grids.Load(Write("a.grid", "# two grids\n@dot\n.K.\nKrK\n.K.\n\n@bar\nrrrr\n"));
  const QImage& dot = grids.grid(QStringLiteral("dot"));
  EXPECT_EQ(std::tuple(dot.size(), qAlpha(dot.pixel(0, 0)), dot.pixel(1, 1)), std::tuple(QSize(3, 3), 0, 0xFFFF0000u));
  EXPECT_EQ(grids.grid(QStringLiteral("bar")).size(), QSize(4, 1));
}

TEST_F(Sources, RecipesCopyEachOtherInAnyOrder) {
  const Palette p = PaletteOf("K #000000\nr #ff0000\nw #ffffff\n");
  GridLibrary grids(p);
  grids.Load(Write("g.grid", "@dot\nK\n"));
  PictureBook book(p, grids);
  book.AddRecipes(
      ReadRecipes(Write("t.txt", "1: tile 0 | grid dot 5 5\n0: fill r\n| rect w 0 0 2 2\ncell 100: tile 1 | replace r w\n")));
  const QImage one = book.picture(QStringLiteral("tile"), 1);
  // White from the continuation line of tile 0, the grid at (5, 5), red from the fill.
  EXPECT_EQ(std::tuple(one.pixel(0, 0), one.pixel(5, 5), one.pixel(9, 9)), std::tuple(0xFFFFFFFFu, 0xFF000000u, 0xFFFF0000u));
  EXPECT_EQ(book.picture(QStringLiteral("cell"), 100).pixel(9, 9), 0xFFFFFFFFu);
  EXPECT_TRUE(book.picture(QStringLiteral("sprite"), 3).isNull());
}

// Each fault names its file and line, or what is wrong.
TEST_F(Sources, FaultsAreRefusedWithTheirPlace) {
  const Palette p = PaletteOf("K #000000\n");
  GridLibrary grids(p), twice(p);
  PictureBook book(p, grids);
  book.AddRecipes(ReadRecipes(Write("c.txt", "9: wobble K\n10: fill q\n11: grid nothing\n2: tile 3\n3: tile 2\n")));
  auto tile = [&](int n) { return [&book, n] { book.picture(QStringLiteral("tile"), n); }; };
  auto recipes = [&](auto name, auto text) { return [=, this, &book] { book.AddRecipes(ReadRecipes(Write(name, text))); }; };
  auto grid = [&](GridLibrary& lib, auto name, auto text) { return [=, this, &lib] { lib.Load(Write(name, text)); }; };
  const std::pair<std::function<void()>, const char*> faults[] = {
      {[&] { PaletteOf("K #102030\nK #000000\n"); }, "palette.txt:2"},
      {[&] { PaletteOf(". #102030\n"); }, "taken"},
      {[&] { PaletteOf("K 102030\n"); }, ":1:"},
      {grid(grids, "b.grid", "@a\nKK\nK\n"), "b.grid:3"},
      {grid(grids, "c.grid", "@a\nKx\n"), "not in the palette"},
      {grid(grids, "d.grid", "KK\n"), "before any"},
      {grid(twice, "e.grid", "@a\nK\n\n@a\nK\n"), "exists"},
      {recipes("a.txt", "143: fill K\n"), "animates"},
      {recipes("b.txt", "7x: fill K\n"), "a key is"},
      {tile(9), "unknown layer"},
      {tile(10), "c.txt:2"},
      {tile(11), "no grid"},
      {tile(2), "copies itself"},
      {recipes("d.txt", "9: fill K\n"), "has a recipe already"},
  };
  for (const auto& [load, mentions] : faults) EXPECT_NE(ErrorOf(load).find(mentions), std::string::npos) << mentions;
}

}  // namespace
}  // namespace moriva::pictures

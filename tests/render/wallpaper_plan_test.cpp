// The pictures planned for scripted sets of monitors. The spanned picture is checked the way the
// shell shows it: tiled from the primary's top-left corner, every pixel of every monitor must come
// from that monitor's own part, at the same place within the monitor.

#include "render/wallpaper_plan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mirella::render {
namespace {

MonitorArea Monitor(int left, int top, int width, int height, bool primary = false,
                    int dpi = 96) {
  const Rect bounds{left, top, left + width, top + height};
  return {"\\\\.\\DISPLAY" + std::to_string(left) + "_" + std::to_string(top), bounds, bounds, dpi,
          primary};
}

int FloorMod(int value, int modulus) { return ((value % modulus) + modulus) % modulus; }

// Which monitor's pixel, and which pixel of it, the shell shows at every screen point of every
// monitor; fails on the first point that shows anything else.
void ExpectTiledPictureShowsEachMonitor(const std::vector<MonitorArea>& monitors) {
  const WallpaperPlan plan = PlanWallpapers(monitors, /*perMonitorWallpaper=*/false);
  ASSERT_EQ(plan.arrangement, WallpaperArrangement::kSpanned);
  ASSERT_EQ(plan.pictures.size(), 1u);
  const PlannedPicture& picture = plan.pictures[0];
  // What each picture pixel holds: the monitor and its pixel, or nothing yet.
  struct Source {
    int monitor = -1;
    int x = 0;
    int y = 0;
  };
  std::vector<Source> pixels(static_cast<std::size_t>(picture.width * picture.height));
  for (const MonitorPart& part : picture.parts) {
    for (const PicturePiece& piece : part.pieces) {
      ASSERT_GE(piece.target.left, 0);
      ASSERT_GE(piece.target.top, 0);
      ASSERT_LE(piece.target.right, picture.width);
      ASSERT_LE(piece.target.bottom, picture.height);
      for (int y = piece.target.top; y < piece.target.bottom; ++y) {
        for (int x = piece.target.left; x < piece.target.right; ++x) {
          Source& pixel = pixels[static_cast<std::size_t>(y * picture.width + x)];
          ASSERT_EQ(pixel.monitor, -1) << "two parts draw the picture's pixel " << x << "," << y;
          pixel = {part.monitor, piece.sourceX + x - piece.target.left,
                   piece.sourceY + y - piece.target.top};
        }
      }
    }
  }
  const Rect& primary = monitors[0].bounds;
  for (int index = 0; index < static_cast<int>(monitors.size()); ++index) {
    const Rect& bounds = monitors[static_cast<std::size_t>(index)].bounds;
    for (int y = bounds.top; y < bounds.bottom; ++y) {
      for (int x = bounds.left; x < bounds.right; ++x) {
        const int px = FloorMod(x - primary.left, picture.width);
        const int py = FloorMod(y - primary.top, picture.height);
        const Source& shown = pixels[static_cast<std::size_t>(py * picture.width + px)];
        ASSERT_TRUE(shown.monitor == index && shown.x == x - bounds.left &&
                    shown.y == y - bounds.top)
            << "the screen point " << x << "," << y << " of monitor " << index
            << " shows monitor " << shown.monitor << "'s pixel " << shown.x << "," << shown.y;
      }
    }
  }
}

TEST(WallpaperPlanTest, TiledPictureShowsEachMonitorsOwnPartWhereverItStands) {
  // The primary first; the others right of it, left of it, above it, straddling its left edge
  // from above, and a portrait screen left of it, lower down.
  ExpectTiledPictureShowsEachMonitor({Monitor(0, 0, 40, 30, true), Monitor(40, 0, 32, 36)});
  ExpectTiledPictureShowsEachMonitor({Monitor(0, 0, 40, 30, true), Monitor(-32, 0, 32, 24)});
  ExpectTiledPictureShowsEachMonitor({Monitor(0, 0, 40, 30, true), Monitor(0, -24, 32, 24)});
  ExpectTiledPictureShowsEachMonitor({Monitor(0, 0, 40, 30, true), Monitor(-12, -24, 32, 24)});
  ExpectTiledPictureShowsEachMonitor(
      {Monitor(0, 0, 40, 30, true), Monitor(-18, 10, 18, 32), Monitor(40, -5, 20, 15)});
}

TEST(WallpaperPlanTest, PartsCarryEachMonitorsSizeDpiAndWorkAreaAndOnlyThePrimaryShowsThePage) {
  std::vector<MonitorArea> monitors = {Monitor(-1280, 0, 1280, 1024, false, 96),
                                       Monitor(0, 0, 1920, 1080, true, 144)};
  monitors[1].work = {0, 0, 1920, 1040};  // the taskbar along the bottom
  for (const bool perMonitor : {false, true}) {
    const WallpaperPlan plan = PlanWallpapers(monitors, perMonitor);
    std::vector<const MonitorPart*> parts;
    for (const PlannedPicture& picture : plan.pictures) {
      for (const MonitorPart& part : picture.parts) parts.push_back(&part);
    }
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0]->monitor, 1) << "the primary comes first";
    EXPECT_TRUE(parts[0]->page);
    EXPECT_EQ(parts[0]->dpi, 144);
    EXPECT_EQ(parts[0]->work.bottom, 1040);
    EXPECT_FALSE(parts[1]->page);
    EXPECT_EQ(parts[1]->width, 1280);
    EXPECT_EQ(parts[1]->work.left, 0) << "the work area is in the monitor's own coordinates";
    if (perMonitor) {
      ASSERT_EQ(plan.arrangement, WallpaperArrangement::kPerMonitor);
      ASSERT_EQ(plan.pictures.size(), 2u);
      EXPECT_EQ(plan.pictures[0].device, monitors[1].device);
      EXPECT_EQ(plan.pictures[1].width, 1280);
      EXPECT_EQ(plan.pictures[1].height, 1024);
    } else {
      ASSERT_EQ(plan.pictures.size(), 1u);
      EXPECT_EQ(plan.pictures[0].width, 3200);
      EXPECT_EQ(plan.pictures[0].height, 1080);
    }
  }
}

TEST(WallpaperPlanTest, OneMonitorIsOnePageAtItsSizeAsBeforeOnEverySystem) {
  // A cloned display shows its twin's pixels; an empty monitor shows none.
  for (const auto& monitors :
       {std::vector{Monitor(0, 0, 1920, 1080, true)},
        std::vector{Monitor(0, 0, 1920, 1080, true), Monitor(0, 0, 1920, 1080),
                    Monitor(50, 50, 0, 0)}}) {
    for (const bool perMonitor : {false, true}) {
      const WallpaperPlan plan = PlanWallpapers(monitors, perMonitor);
      EXPECT_EQ(plan.arrangement, WallpaperArrangement::kSingle);
      ASSERT_EQ(plan.pictures.size(), 1u);
      EXPECT_EQ(plan.pictures[0].width, 1920);
      ASSERT_EQ(plan.pictures[0].parts.size(), 1u);
      EXPECT_TRUE(plan.pictures[0].parts[0].page);
    }
  }
  EXPECT_TRUE(PlanWallpapers({}, false).pictures.empty());
}

}  // namespace
}  // namespace mirella::render

#include "harness/crosshair.h"

#include <sstream>

namespace plumbmark::e2e {
namespace {

constexpr int kReportedPixels = 5;

// Runs of equal indexes as "a-b" ranges.
std::string Ranges(const std::vector<int>& indexes) {
  std::ostringstream out;
  for (std::size_t i = 0; i < indexes.size();) {
    std::size_t j = i;
    while (j + 1 < indexes.size() && indexes[j + 1] == indexes[j] + 1) ++j;
    out << (i > 0 ? ", " : "") << indexes[i];
    if (j > i) out << "-" << indexes[j];
    i = j + 1;
  }
  return out.str();
}

}  // namespace

std::optional<Rgb> ExpectedPixel(const Look& look, const Scene& scene, int x, int y) {
  const bool onVertical = x > look.pointerX && x <= look.pointerX + look.vertical;
  const bool onHorizontal = y > look.pointerY && y <= look.pointerY + look.horizontal;
  if (onVertical || onHorizontal) return look.color;
  for (const Rect& rect : scene.covered) {
    if (rect.Contains(x, y)) return std::nullopt;
  }
  for (auto fill = scene.fills.rbegin(); fill != scene.fills.rend(); ++fill) {
    if (fill->area.Contains(x, y)) return fill->color;
  }
  return scene.background;
}

std::string Mismatch(const Image& picture, const Look& look, const Scene& scene) {
  const Rect& area = picture.area();
  int count = 0;
  std::ostringstream first;
  for (int y = area.y; y < area.y + area.height; ++y) {
    for (int x = area.x; x < area.x + area.width; ++x) {
      const std::optional<Rgb> want = ExpectedPixel(look, scene, x, y);
      if (!want || picture.At(x, y) == *want) continue;
      if (count++ < kReportedPixels) {
        first << " (" << x << "," << y << ") is " << ColorText(picture.At(x, y)) << " not "
              << ColorText(*want) << ";";
      }
    }
  }
  if (count == 0) return {};
  std::ostringstream out;
  out << count << " pixels differ, e.g." << first.str();
  return out.str();
}

std::string DescribeLines(const Image& picture, const Scene& scene) {
  const Rect& area = picture.area();
  std::vector<int> columns, rows;
  for (int x = area.x; x < area.x + area.width; ++x) {
    const Rgb top = picture.At(x, area.y);
    if (top != scene.background && top == picture.At(x, area.y + area.height - 1)) {
      columns.push_back(x);
    }
  }
  for (int y = area.y; y < area.y + area.height; ++y) {
    const Rgb left = picture.At(area.x, y);
    if (left != scene.background && left == picture.At(area.x + area.width - 1, y)) {
      rows.push_back(y);
    }
  }
  std::ostringstream out;
  out << "vertical line columns [" << Ranges(columns) << "]";
  if (!columns.empty()) out << " " << ColorText(picture.At(columns.front(), area.y));
  out << ", horizontal line rows [" << Ranges(rows) << "]";
  if (!rows.empty()) out << " " << ColorText(picture.At(area.x, rows.front()));
  return out.str();
}

::testing::AssertionResult WaitForLook(XClient& x, const Look& look, const Scene& scene,
                                       std::chrono::milliseconds deadline) {
  Image picture;
  std::string difference;
  const bool shown = PollUntil(
      [&] {
        picture = x.CaptureScreen();
        difference = Mismatch(picture, look, scene);
        return difference.empty();
      },
      deadline, 20ms);
  if (shown) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "the screen did not show the crosshair at pointer (" << look.pointerX << ","
         << look.pointerY << "), " << ColorText(look.color) << ", vertical " << look.vertical
         << " px, horizontal " << look.horizontal << " px: " << difference
         << " Seen: " << DescribeLines(picture, scene) << ".";
}

}  // namespace plumbmark::e2e

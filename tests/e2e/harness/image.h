// Screen pictures read back from the X server, and the colours in them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace plumbmark::e2e {

// A colour as the screen shows it: 0xRRGGBB.
using Rgb = std::uint32_t;

// The screen colour of a program colour value, which is 0x00BBGGRR.
constexpr Rgb ScreenColor(std::int32_t colorValue) {
  const auto value = static_cast<std::uint32_t>(colorValue);
  return ((value & 0xFFu) << 16) | (value & 0xFF00u) | ((value >> 16) & 0xFFu);
}

struct Rect {
  int x = 0, y = 0, width = 0, height = 0;
  bool Contains(int px, int py) const {
    return px >= x && py >= y && px < x + width && py < y + height;
  }
  bool operator==(const Rect&) const = default;
};

class Image {
 public:
  Image() = default;
  Image(Rect area, std::vector<Rgb> pixels) : area_(area), pixels_(std::move(pixels)) {}

  // The area of the screen this picture shows.
  const Rect& area() const { return area_; }
  // The pixel at screen coordinates (x, y), which must lie in area().
  Rgb At(int x, int y) const {
    return pixels_[static_cast<std::size_t>((y - area_.y) * area_.width + (x - area_.x))];
  }
  bool empty() const { return pixels_.empty(); }

  // Writes a binary PPM file; PNG files are converted from it.
  void WritePpm(const std::filesystem::path& file) const;

 private:
  Rect area_;
  std::vector<Rgb> pixels_;
};

std::string ColorText(Rgb color);

}  // namespace plumbmark::e2e

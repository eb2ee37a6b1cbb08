#include "harness/image.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace plumbmark::e2e {

void Image::WritePpm(const std::filesystem::path& file) const {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out << "P6\n" << area_.width << " " << area_.height << "\n255\n";
  for (Rgb pixel : pixels_) {
    const char bytes[3] = {static_cast<char>(pixel >> 16), static_cast<char>(pixel >> 8),
                           static_cast<char>(pixel)};
    out.write(bytes, 3);
  }
  if (!out) throw std::runtime_error("cannot write " + file.string());
}

std::string ColorText(Rgb color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%06X", color & 0xFFFFFFu);
  return text;
}

}  // namespace plumbmark::e2e

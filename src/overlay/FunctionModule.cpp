#include "FunctionModule.h"

#include "numeric.h"

namespace plumbmark::FunctionModule {
namespace {

constexpr std::int16_t kOnePixel = 1;

}  // namespace

float PixelsToTwips(forms::Application& app, const std::int16_t& pixels) {
  const float factor = app.Screen.TwipsPerPixelX();
  return num::MultiplySingle(factor, static_cast<float>(pixels));
}

double CursorLineLeft(forms::Application& app, const API_GetCursorPos::POINTAPI& pointer) {
  const double factor = app.Screen.TwipsPerPixelX();
  return factor * static_cast<double>(pointer.x) + PixelsToTwips(app, kOnePixel);
}

double CursorLineTop(forms::Application& app, const API_GetCursorPos::POINTAPI& pointer) {
  const double factor = app.Screen.TwipsPerPixelX();
  return factor * static_cast<double>(pointer.y) + PixelsToTwips(app, kOnePixel);
}

std::int16_t TwipsToLineSize(forms::Application& app, float twips) {
  return TwipsToLineSize(twips, app.Screen.TwipsPerPixelX());
}

std::int16_t TwipsToLineSize(float twips, double twipsPerPixel) {
  return num::RoundToInt16(num::Divide(twips, twipsPerPixel));
}

}  // namespace plumbmark::FunctionModule

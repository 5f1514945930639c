// Building a window shape from a mask: the core's band builder over a decoded 860 x 600 mask
// shaped like the shipped one (rounded corners). The whole path with decoding and the region
// is measured by window_shape_qt_bench.

#include <benchmark/benchmark.h>

#include <cmath>
#include <vector>

#include "skin/mask_shape.h"

namespace {

std::vector<uint32_t> roundedMask(int w, int h, int radius) {
  std::vector<uint32_t> pixels(static_cast<std::size_t>(w * h), 0xFFFFFFFFu);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int cx = x < radius ? radius : (x >= w - radius ? w - radius - 1 : x);
      const int cy = y < radius ? radius : (y >= h - radius ? h - radius - 1 : y);
      const double d = std::hypot(x - cx, y - cy);
      if (d <= radius) pixels[static_cast<std::size_t>(y * w + x)] = 0xFF000000u;
    }
  }
  return pixels;
}

void BM_MainWindowShapeFromMask(benchmark::State& state) {
  const std::vector<uint32_t> pixels = roundedMask(860, 600, 26);
  const tarvosk::PixelView view{pixels.data(), 860, 600, 860};
  for (auto _ : state) {
    tarvosk::WindowShape shape = tarvosk::windowShapeFromMask(&view, 860, 600);
    benchmark::DoNotOptimize(shape.rects.data());
  }
}
BENCHMARK(BM_MainWindowShapeFromMask)->Unit(benchmark::kMillisecond);

}  // namespace

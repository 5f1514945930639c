// The main window's shape from the shipped mask as the window builds it: decode the image,
// build the bands, make the region. Run after the build has generated the skin.

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include "skin/skin_images.h"

namespace {

const QString kMask = QStringLiteral(TARVOSK_RUNTIME_SKINS_DIR "/main_mask.jpg");

void BM_ShippedMaskToRegion(benchmark::State& state) {
  for (auto _ : state) {
    tarvosk::SkinShape shape = tarvosk::shapeFromMaskFile(kMask, QSize(860, 600));
    if (!shape.fromMask) {
      state.SkipWithError("shipped mask missing: build the tarvosk_skin target first");
      break;
    }
    benchmark::DoNotOptimize(shape.region.rectCount());
  }
}
BENCHMARK(BM_ShippedMaskToRegion)->Unit(benchmark::kMillisecond);

// The region alone, from a decoded mask.
void BM_ShippedMaskRegionFromDecoded(benchmark::State& state) {
  const QImage mask = tarvosk::loadSkinImage(kMask);
  if (mask.isNull()) {
    state.SkipWithError("shipped mask missing: build the tarvosk_skin target first");
    return;
  }
  const tarvosk::PixelView view = tarvosk::pixelView(mask);
  for (auto _ : state) {
    QRegion region = tarvosk::regionFromBands(tarvosk::opaqueBands(view));
    benchmark::DoNotOptimize(region.rectCount());
  }
}
BENCHMARK(BM_ShippedMaskRegionFromDecoded)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

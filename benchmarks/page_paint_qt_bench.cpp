// A hover repaint of each page of the main window on the generated skin: the plan decided and
// executed into an 860 × 600 composition. Once with the image cache (decoded images reused,
// each file's status checked), once decoding the page's images at every repaint. The argument
// is the page: 0 main, 1 advanced, 2 macro, 3 lighting. Run after the build has generated the skin.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include "platform/paths.h"
#include "platform/prompter.h"
#include "settings/language.h"
#include "skin/page_painter.h"
#include "window/paint_plan.h"

namespace {

using namespace tarvosk;

const QString kSkins = QStringLiteral(TARVOSK_RUNTIME_SKINS_DIR);

class SilentPrompter : public Prompter {
 public:
  void showMessage(std::string_view) override {}
};

bool loadLayout(SkinLayout& layout) {
  const std::filesystem::path skins(TARVOSK_RUNTIME_SKINS_DIR);
  SilentPrompter prompter;
  return loadAllLayouts(portablePaths(skins.parent_path(), skins), kLanguageEnglish, prompter, layout) ==
         LayoutLoadResult::Loaded;
}

// Shipped-like settings on `page`, and two items of the page the pointer moves between.
SettingsRecord settingsFor(int page) {
  SettingsRecord s;
  s.currentPage = static_cast<uint8_t>(page);
  s.language = kLanguageEnglish;
  s.buttonFunction[0] = {1, 2, 3, 4, 5, 6};
  s.dpiEnabled = {1, 1, 1, 1};
  s.dpiValue = {0, 2, 5, 8};
  s.pointerSpeed = 5;
  s.wheelSpeed = 3;
  s.usbRate = 3;
  s.ledType = 1;
  s.cycleColorEnable = {1, 1, 1, 1, 1, 1, 1};
  s.ledCycleTime = 2;
  return s;
}

PaintHover hoverFor(int page, bool second) {
  PaintHover h{kNoItem, kNoItem, kNoItem, kNoItem};
  switch (page) {
    case 0: h.strip = second ? 15 : 14; break;
    case 1: h.advanced = second ? 61 : 60; break;
    case 2: h.macro = second ? 2 : 1; break;
    default: h.led = second ? 48 : 47; break;
  }
  return h;
}

void hoverRepaint(benchmark::State& state, bool cached) {
  const int page = static_cast<int>(state.range(0));
  SkinLayout layout;
  if (!loadLayout(layout)) {
    state.SkipWithError("generated skin missing: build the tarvosk_skin target first");
    return;
  }
  const SettingsRecord settings = settingsFor(page);
  const InterfaceFonts fonts(85);
  QImage composition(860, 600, QImage::Format_RGB32);
  SkinImageCache cache;
  bool second = false;
  for (auto _ : state) {
    PaintInput input(settings, layout);
    input.hover = hoverFor(page, second);
    input.previewColor = 2;
    second = !second;
    const PaintPlan plan = buildPaintPlan(input);
    if (!cached) cache.clear();  // every repaint decodes the page's images again
    QPainter painter(&composition);
    paintPage(painter, plan, cache, kSkins, fonts);
    painter.end();
    benchmark::DoNotOptimize(composition.constBits());
  }
}

void BM_HoverRepaintCached(benchmark::State& state) { hoverRepaint(state, true); }
void BM_HoverRepaintDecodingEachTime(benchmark::State& state) { hoverRepaint(state, false); }
BENCHMARK(BM_HoverRepaintCached)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HoverRepaintDecodingEachTime)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The decision alone.
void BM_PaintPlanOnly(benchmark::State& state) {
  const int page = static_cast<int>(state.range(0));
  SkinLayout layout;
  if (!loadLayout(layout)) {
    state.SkipWithError("generated skin missing: build the tarvosk_skin target first");
    return;
  }
  const SettingsRecord settings = settingsFor(page);
  bool second = false;
  for (auto _ : state) {
    PaintInput input(settings, layout);
    input.hover = hoverFor(page, second);
    second = !second;
    benchmark::DoNotOptimize(buildPaintPlan(input).ops.size());
  }
}
BENCHMARK(BM_PaintPlanOnly)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

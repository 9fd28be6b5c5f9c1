// The preview of a large form: bringing its window up, and switching its
// language, on the generated form of the shared benchmark data:
//   python3 ../shared/bench/gen.py form --entries 5000 --translators 2 -o /tmp/trbench/preview.dfm
// (another file through GLS_BENCH_FORM). Qt's offscreen platform; wall time,
// as the work is Qt's painting as much as ours.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <cstdlib>
#include <memory>

#include "apps/gls/LanguageMenu.h"
#include "frontends/qt/QtFrontEnd.h"
#include "frontends/qt/QtUserInterface.h"

namespace {

using namespace Glossmith;
using Glossmith::Tool::LoadPreviewForm;
using Glossmith::Tool::TLanguageMenu;

String FormFile() {
  const char* env = std::getenv("GLS_BENCH_FORM");
  return env ? env : "/tmp/trbench/preview.dfm";
}

std::vector<TGlossmith*> TranslatorsOf(TComponent* form) {
  std::vector<TGlossmith*> list;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* t = dynamic_cast<TGlossmith*>(form->Components(i))) list.push_back(t);
  return list;
}

// Reading the form, its window made and shown, and everything painted once.
void BM_OpenPreview(benchmark::State& state) {
  if (!FileExists(FormFile())) {
    state.SkipWithError(("no generated form at " + FormFile()).c_str());
    return;
  }
  for (auto _ : state) {
    std::unique_ptr<TComponent> form(LoadPreviewForm(FormFile()));
    auto menu = std::make_unique<TLanguageMenu>(form.get());
    auto windows = std::make_unique<TFormWindows>();
    windows->Show(static_cast<TCustomForm*>(form.get()), {menu->Root()});
    QApplication::processEvents();
    // The window and the form go outside the measurement.
    state.PauseTiming();
    windows.reset();
    menu.reset();
    form.reset();
    QApplication::processEvents();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenPreview)->Unit(benchmark::kMillisecond)->UseRealTime();

// One switch of the language (to a translator, or back to the original
// texts), the widgets following and the window painted.
void BM_SwitchLanguage(benchmark::State& state) {
  if (!FileExists(FormFile())) {
    state.SkipWithError(("no generated form at " + FormFile()).c_str());
    return;
  }
  std::unique_ptr<TComponent> form(LoadPreviewForm(FormFile()));
  const std::vector<TGlossmith*> translators = TranslatorsOf(form.get());
  if (translators.empty()) {
    state.SkipWithError("the generated form has no translator");
    return;
  }
  TLanguageMenu menu(form.get());
  TFormWindows windows;
  windows.Show(static_cast<TCustomForm*>(form.get()), {menu.Root()});
  QApplication::processEvents();
  // The Language menu's items, chosen as a person chooses them.
  auto& ui = dynamic_cast<TQtUserInterface&>(UserInterface());
  QList<QAction*> items;
  for (QAction* a : ui.FindWindow(static_cast<TCustomForm*>(form.get()))->menuBar()->actions())
    if (a->text() == "&Language") items = a->menu()->actions();
  size_t next = 1;
  for (auto _ : state) {
    // The first translator, the second..., the original texts, in turn.
    items[static_cast<qsizetype>(next)]->trigger();
    QApplication::processEvents();
    next = (next + 1) % static_cast<size_t>(items.size());
  }
  state.counters["translators"] = static_cast<double>(translators.size());
  state.counters["lines"] = translators.front()->Translations()->Count();
}
BENCHMARK(BM_SwitchLanguage)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  Glossmith::TQtStartOptions options;
  options.Offscreen = true;
  if (!Glossmith::UseQtUserInterfaceIfAvailable(options)) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  Glossmith::CloseQtUserInterface();
  return 0;
}

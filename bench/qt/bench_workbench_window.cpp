// The workbench's window on the generated form of 5,000 texts, rendered
// offscreen: the window up (the texts read and checked with Qt's metrics,
// the preview and the panel built, shown and painted), one typed character
// (the translation on the form, its checks and the panel), and a search
// typed into the search box.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "../GeneratedWorkbenchForm.h"
#include "apps/gls/QtMeasure.h"
#include "frontends/qt/QtFrontEnd.h"
#include "frontends/workbench/WorkbenchWindow.h"

namespace {

using namespace Glossmith;
using TBench = workbenchbench::TGeneratedForm;

void BM_WindowUp(benchmark::State& state) {
  TBench form;
  Tool::TQtMeasure measure;
  for (auto _ : state) {
    auto bench = form.Open(&measure);
    TWorkbenchWindow window(*bench);
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.grab().width());
    state.PauseTiming();
    window.close();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_WindowUp)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_WindowKeystroke(benchmark::State& state) {
  TBench form;
  Tool::TQtMeasure measure;
  auto bench = form.Open(&measure);
  TWorkbenchWindow window(*bench);
  window.show();
  QApplication::processEvents();
  window.Select(101);  // an untranslated caption
  auto* field = window.findChild<QPlainTextEdit*>(QStringLiteral("translation"));
  field->setPlainText(QStringLiteral("&Eintrag Nummer"));
  for (auto _ : state) {
    if (field->toPlainText().size() > 40) field->setPlainText(QStringLiteral("&Eintrag Nummer"));
    field->insertPlainText(QStringLiteral("x"));
    QApplication::processEvents();
  }
}
BENCHMARK(BM_WindowKeystroke)->Unit(benchmark::kMillisecond);

void BM_WindowSearch(benchmark::State& state) {
  TBench form;
  auto bench = form.Open();
  TWorkbenchWindow window(*bench);
  window.show();
  QApplication::processEvents();
  auto* search = window.findChild<QLineEdit*>(QStringLiteral("search"));
  bool flip = false;
  for (auto _ : state) {
    search->setText(flip ? QStringLiteral("number 24") : QStringLiteral("number 2"));
    flip = !flip;
    QApplication::processEvents();
  }
  state.counters["listed"] = static_cast<double>(window.Listed().size());
}
BENCHMARK(BM_WindowSearch)->Unit(benchmark::kMillisecond);

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

// The truncation check of 1,000 translated captions on one form, with Qt's
// font metrics and with the bundled estimate: the measuring, and the
// translation applied to the form and put back, that the check costs. Qt's
// offscreen platform.
#include <benchmark/benchmark.h>

#include <memory>

#include "apps/gls/QtMeasure.h"
#include "check/FormChecks.h"
#include "frontends/qt/QtFrontEnd.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"

namespace {

using namespace Glossmith;

using Tool::TQtMeasure;

// A form of 1,000 buttons, labels and check boxes, and a translation of each caption.
struct TBench {
  TBench() : Form(std::make_unique<TForm>(nullptr)) {
    Form->SetName("BenchForm");
    for (int i = 0; i < 1000; ++i) {
      TControl* c = i % 3 == 0   ? static_cast<TControl*>(new TButton(Form.get()))
                    : i % 3 == 1 ? static_cast<TControl*>(new TLabel(Form.get()))
                                 : static_cast<TControl*>(new TCheckBox(Form.get()));
      c->SetName("Control" + IntToStr(i));
      c->SetParent(Form.get());
      c->SetBounds(8 + (i % 10) * 90, 8 + (i / 10) * 24, 80, 21);
      c->SetCaption("&Item " + IntToStr(i));
      Input.Entries.emplace_back("Control" + IntToStr(i) + ".Caption",
                                 "'&" + String(i % 2 ? "Élément numéro " : "Eintrag Nummer ") +
                                     IntToStr(i) + "'");
    }
    Input.FormName = "BenchForm";
    Only.Only("truncation");
  }
  std::unique_ptr<TForm> Form;
  TTranslatorCheck Input;
  TCheckSelection Only;
};

void Run(benchmark::State& state, const TTextMeasure& measure) {
  TBench bench;
  size_t found = 0;
  for (auto _ : state) {
    std::vector<TDiagnostic> out;
    CheckTranslator(bench.Form.get(), bench.Input, bench.Only, &measure, out);
    found = out.size();
    benchmark::DoNotOptimize(out.data());
  }
  state.counters["findings"] = static_cast<double>(found);
  state.SetItemsProcessed(state.iterations() * 1000);
}

void BM_Truncation1000_Qt(benchmark::State& state) { Run(state, TQtMeasure()); }
void BM_Truncation1000_Estimate(benchmark::State& state) { Run(state, TEstimatedMeasure()); }
BENCHMARK(BM_Truncation1000_Qt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Truncation1000_Estimate)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (!StartQtTextMetrics()) return 1;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  CloseQtUserInterface();
  return 0;
}

// The translator's workbench on a generated form of 5,000 texts (2,500
// buttons with a caption and a hint), half of them translated: reading it,
// one keystroke's check, a search over every text, and suggestions from a
// dictionary of 100,000 pairs.
#include <benchmark/benchmark.h>

#include "GeneratedWorkbenchForm.h"

namespace {

using namespace Glossmith;
using TBench = workbenchbench::TGeneratedForm;

void BM_Open(benchmark::State& state) {
  TBench bench;
  size_t texts = 0;
  for (auto _ : state) texts = bench.Open()->Texts().size();
  state.counters["texts"] = static_cast<double>(texts);
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_Keystroke(benchmark::State& state) {
  TBench bench;
  auto wb = bench.Open();
  // 1: the form shows the translations, as the preview does.
  if (state.range(0)) wb->ShowTranslations(true);
  const size_t i = 101;  // an untranslated caption
  String typed = "&Eintrag Nummer";
  for (auto _ : state) {
    typed.push_back('x');
    if (typed.size() > 40) typed.resize(15);
    wb->SetTranslation(i, typed);
    benchmark::DoNotOptimize(wb->Text(i).Findings.size());
  }
}
BENCHMARK(BM_Keystroke)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_Search(benchmark::State& state) {
  TBench bench;
  auto wb = bench.Open();
  size_t found = 0;
  for (auto _ : state) found = wb->Visible(TFilter::All, "number 24").size();
  state.counters["found"] = static_cast<double>(found);
}
BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond);

void BM_Suggestions(benchmark::State& state) {
  TBench bench;
  auto wb = bench.Open();
  String dict;
  for (int i = 0; i < 100000; ++i)
    dict += "Entry " + IntToStr(i) + " of the list\tEintrag " + IntToStr(i) + " der Liste\n";
  wb->AddDictionaryText("dict", dict);
  size_t found = 0;
  for (auto _ : state) found = wb->Suggestions(101).size();
  state.counters["suggestions"] = static_cast<double>(found);
}
BENCHMARK(BM_Suggestions)->Unit(benchmark::kMillisecond);

}  // namespace

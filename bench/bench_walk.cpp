// The translator's walk over a large form: an applying walk, a restore and a
// collecting walk, beside a bare walk over the same properties that builds
// every path and looks nothing up.
#include <benchmark/benchmark.h>

#include "gls/Gls.h"
#include "host/Forms.h"

namespace {

// A button as the classic library publishes it, about forty properties with
// its font and size constraints.
class TBenchButton : public TWinControl {
  GLS_CLASS(TBenchButton, TWinControl)
 public:
  using TWinControl::TWinControl;
  static void Publish(TPublisher<TBenchButton>& P) {
    // clang-format off
    PublishControlProps(P, {"Align", "Anchors", "AutoSize", "BiDiMode", "Caption", "Color",
                            "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode",
                            "Enabled", "Font", "HelpContext", "ParentBiDiMode", "ParentColor",
                            "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",
                            "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnEnter",
                            "OnExit"});
    // clang-format on
  }
};
GLS_IMPLEMENT_CLASS(TBenchButton)

constexpr int kComponents = 2000;
constexpr int kLinesPerComponent = 10;

struct TBenchForm {
  TForm* Form = new TForm(Application);
  TGlossmith* Translator = new TGlossmith(Form);
  int Properties = 0;

  TBenchForm() {
    Form->SetName("BenchForm");
    for (int i = 0; i < kComponents; ++i) {
      auto* button = new TBenchButton(Form);
      button->SetName("Button" + IntToStr(i));
      button->SetCaption("Button " + IntToStr(i));
      button->SetHint("Press button " + IntToStr(i));
    }
    TStringList lines;
    for (int i = 0; i < kComponents; ++i) {
      const String name = "Button" + IntToStr(i);
      for (const String& line :
           {name + ".Caption='Knopf " + IntToStr(i) + "'",
            name + ".Hint='Knopf " + IntToStr(i) + " drücken'", name + ".Font.Name='Arial'",
            name + ".Font.Size=10", name + ".Font.Color=clNavy", name + ".Font.Style=1",
            name + ".Width=" + IntToStr(80 + i % 7), name + ".Left=12", name + ".ShowHint=True",
            name + ".HelpContext=" + IntToStr(i)})
        lines.Add(line);
    }
    Translator->SetTranslations(&lines);
    TStringList all;
    Translator->TranslateForm(&all, true);
    Properties = all.Count();
  }
  ~TBenchForm() { delete Form; }
};

TBenchForm& Bench() {
  static TBenchForm bench;
  return bench;
}

// What the translator's walk does for every property, without the lookup.
size_t BareWalk(TObject* obj, String& path, int depth) {
  if (!obj || depth > 8) return 0;
  size_t visited = 0;
  const size_t base = path.size();
  if (base) path += '.';
  const size_t stem = path.size();
  const TPropList props = GetPropList(obj, tkProperties);
  for (PPropInfo prop : props) {
    path.resize(stem);
    path += prop->Name;
    if (prop->Kind() == tkClass)
      visited += BareWalk(GetObjectProp(obj, prop), path, depth + 1);
    else
      visited += path.size();
  }
  path.resize(base);
  return visited;
}

void BM_BareWalk(benchmark::State& state) {
  TBenchForm& bench = Bench();
  for (auto _ : state) {
    String path;
    size_t visited = BareWalk(bench.Form, path, 0);
    for (int i = 0; i < bench.Form->ComponentCount(); ++i) {
      TComponent* c = bench.Form->Components(i);
      if (c == bench.Translator || c->Name().empty()) continue;
      path = c->Name();
      visited += BareWalk(c, path, 0);
    }
    benchmark::DoNotOptimize(visited);
  }
  state.counters["properties"] = bench.Properties;
}
BENCHMARK(BM_BareWalk)->Unit(benchmark::kMillisecond);

void BM_ApplyingWalk(benchmark::State& state) {
  TBenchForm& bench = Bench();
  for (auto _ : state) {
    state.PauseTiming();
    bench.Translator->RestoreForm();
    state.ResumeTiming();
    bench.Translator->TranslateForm(bench.Translator->Translations(), false);
  }
  state.counters["lines"] = bench.Translator->Translations()->Count();
  state.counters["applied"] = bench.Translator->Originals()->Count();
}
BENCHMARK(BM_ApplyingWalk)->Unit(benchmark::kMillisecond);

// The lookups alone: every line is found and then skipped, so nothing is
// recorded or written.
void BM_LookupsOnly(benchmark::State& state) {
  TBenchForm& bench = Bench();
  bench.Translator->RestoreForm();
  bench.Translator->OnTranslateProperty = [](TObject*, const String&, PPropInfo, TStrings*,
                                             bool& skip) { skip = true; };
  for (auto _ : state) {
    state.PauseTiming();
    bench.Translator->RestoreForm();
    state.ResumeTiming();
    bench.Translator->TranslateForm(bench.Translator->Translations(), false);
  }
  bench.Translator->OnTranslateProperty = nullptr;
}
BENCHMARK(BM_LookupsOnly)->Unit(benchmark::kMillisecond);

void BM_Restore(benchmark::State& state) {
  TBenchForm& bench = Bench();
  for (auto _ : state) {
    state.PauseTiming();
    bench.Translator->TranslateForm(bench.Translator->Translations(), false);
    state.ResumeTiming();
    bench.Translator->RestoreForm();
  }
}
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond);

void BM_CollectingWalk(benchmark::State& state) {
  TBenchForm& bench = Bench();
  bench.Translator->RestoreForm();
  for (auto _ : state) {
    TStringList lines;
    bench.Translator->TranslateForm(&lines, true);
    benchmark::DoNotOptimize(lines.Count());
  }
}
BENCHMARK(BM_CollectingWalk)->Unit(benchmark::kMillisecond);

}  // namespace

// The translator's walk over a large form: an applying walk, a restore and a
// collecting walk, beside a bare walk over the same properties that builds
// every path and looks nothing up.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include "gls/Gls.h"
#include "host/formfiles/FormFiles.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"

namespace {

constexpr int kComponents = 2000;
constexpr int kLinesPerComponent = 10;

String NameOf(int i) {
  static const char* const kinds[] = {"Button", "Label", "Edit", "CheckBox"};
  return kinds[i % 4] + IntToStr(i);
}

struct TBenchForm {
  TForm* Form = new TForm(Application);
  TGlossmith* Translator = new TGlossmith(Form);
  int Properties = 0;

  TBenchForm() {
    Form->SetName("BenchForm");
    // Buttons, labels, edits and check boxes in turn: about 41 properties each.
    for (int i = 0; i < kComponents; ++i) {
      TControl* control = nullptr;
      switch (i % 4) {
        case 0:
          control = new TButton(Form);
          break;
        case 1:
          control = new TLabel(Form);
          break;
        case 2:
          control = new TEdit(Form);
          break;
        default:
          control = new TCheckBox(Form);
          break;
      }
      control->SetName(NameOf(i));
      control->SetCaption("Control " + IntToStr(i));
      control->SetHint("Press control " + IntToStr(i));
    }
    TStringList lines;
    for (int i = 0; i < kComponents; ++i) {
      const String name = NameOf(i);
      const String text = i % 4 == 2 ? ".Text='" : ".Caption='";
      for (const String& line :
           {name + text + "Knopf " + IntToStr(i) + "'",
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

// The applying walk on the generated form file of the shared benchmark data:
//   python3 ../shared/bench/gen.py form --entries 20000 --translators 1 -o /tmp/trbench/walk.dfm
// (another file through GLS_BENCH_FORM).
void BM_ApplyingWalkGeneratedForm(benchmark::State& state) {
  const char* env = std::getenv("GLS_BENCH_FORM");
  const String fileName = env ? env : "/tmp/trbench/walk.dfm";
  if (!FileExists(fileName)) {
    state.SkipWithError(("no generated form at " + fileName).c_str());
    return;
  }
  static std::unique_ptr<TComponent> form(LoadFormFromFile(fileName));
  TGlossmith* translator = nullptr;
  for (int i = 0; i < form->ComponentCount() && !translator; ++i)
    translator = dynamic_cast<TGlossmith*>(form->Components(i));
  if (!translator) {
    state.SkipWithError("the generated form has no translator");
    return;
  }
  translator->SetTranslate(true);
  for (auto _ : state) {
    state.PauseTiming();
    translator->RestoreForm();
    state.ResumeTiming();
    translator->TranslateForm(translator->Translations(), false);
  }
  state.counters["lines"] = translator->Translations()->Count();
  state.counters["components"] = form->ComponentCount();
}
BENCHMARK(BM_ApplyingWalkGeneratedForm)->Unit(benchmark::kMillisecond);

}  // namespace

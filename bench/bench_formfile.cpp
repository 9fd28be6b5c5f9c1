// Reading and writing a form of 5,000 components in the text form format,
// beside the floor: the same bytes split into lines and joined again.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include "host/classes/Filer.h"
#include "host/formfiles/FormFiles.h"
#include "host/classes/FormTree.h"
#include "host/controls/Forms.h"

namespace {

// Freed memory stays in the process, as in bench_foundation: fresh pages
// would otherwise dominate on the virtual machines these figures come from.
const bool gKeepFreedMemory = [] {
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  return true;
}();

// A form shaped like the large forms of real projects: panels holding
// labels, edits, buttons and list boxes, with fonts, hints, event handlers,
// string lists and a collection here and there.
String GenerateForm(int components) {
  String out =
      "object MainForm: TMainForm\r\n  Left = 200\r\n  Top = 120\r\n"
      "  Caption = 'Generated form'\r\n  ClientHeight = 600\r\n  ClientWidth = 800\r\n"
      "  Color = clBtnFace\r\n  Font.Charset = DEFAULT_CHARSET\r\n"
      "  Font.Color = clWindowText\r\n  Font.Height = -11\r\n"
      "  Font.Name = 'MS Sans Serif'\r\n  Font.Style = []\r\n  PixelsPerInch = 96\r\n"
      "  TextHeight = 13\r\n";
  static const char* const kinds[] = {"TLabel", "TEdit", "TButton", "TListBox", "TListView"};
  int made = 0;
  for (int panel = 0; made < components; ++panel) {
    String p = IntToStr(panel);
    out += "  object Panel" + p + ": TPanel\r\n    Left = 0\r\n    Top = " + IntToStr(panel * 40) +
           "\r\n    Width = 800\r\n    Height = 40\r\n    Align = alTop\r\n"
           "    BevelOuter = bvNone\r\n    TabOrder = " +
           p + "\r\n";
    ++made;
    for (int i = 0; i < 9 && made < components; ++i, ++made) {
      String n = IntToStr(made);
      const char* kind = kinds[made % 5];
      out += String("    object C") + n + ": " + kind + "\r\n      Left = " + IntToStr(i * 80) +
             "\r\n      Top = 8\r\n      Width = 75\r\n      Height = 25\r\n";
      switch (made % 5) {
        case 0:
          out += "      Caption = '&Label " + n + "'\r\n      Font.Style = [fsBold]\r\n";
          break;
        case 1:
          out += "      Hint = 'Type the value of field " + n +
                 " here; it is checked when the form closes'\r\n      TabOrder = 1\r\n"
                 "      Text = 'Value " +
                 n + "'\r\n      OnChange = EditChange\r\n";
          break;
        case 2:
          out += "      Caption = 'Button " + n +
                 "'\r\n      ModalResult = 1\r\n"
                 "      TabOrder = 2\r\n      OnClick = ButtonClick\r\n";
          break;
        case 3:
          out +=
              "      ItemHeight = 13\r\n      Items.Strings = (\r\n        'First item'\r\n"
              "        'Second item'\r\n        'Caf'#233)\r\n      TabOrder = 3\r\n";
          break;
        case 4:
          out +=
              "      Columns = <\r\n        item\r\n          Caption = 'Name'\r\n"
              "          Width = 120\r\n        end\r\n        item\r\n"
              "          Caption = 'Size'\r\n        end>\r\n      ViewStyle = vsReport\r\n";
          break;
      }
      out += "    end\r\n";
    }
    out += "  end\r\n";
  }
  out += "end\r\n";
  return out;
}

const String& FormText() {
  static const String text = [] {
    // Through the host once, so that the text is the host's own layout.
    std::unique_ptr<TComponent> form(ReadFormFromString(GenerateForm(5000)));
    return WriteFormToString(form.get());
  }();
  return text;
}

std::vector<String> SplitLines(const String& text) {
  std::vector<String> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == String::npos) end = text.size();
    size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
    lines.emplace_back(text, start, stop - start);
    start = end + 1;
  }
  return lines;
}

void BM_ReadForm(benchmark::State& state) {
  const String& text = FormText();
  for (auto _ : state) {
    std::unique_ptr<TComponent> form(ReadFormFromString(text));
    benchmark::DoNotOptimize(form.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadForm)->Unit(benchmark::kMillisecond);

void BM_ParseFormOnly(benchmark::State& state) {
  const String& text = FormText();
  for (auto _ : state) {
    auto tree = ParseForm(text);
    benchmark::DoNotOptimize(tree.get());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseFormOnly)->Unit(benchmark::kMillisecond);

void BM_WriteForm(benchmark::State& state) {
  const String& text = FormText();
  std::unique_ptr<TComponent> form(ReadFormFromString(text));
  for (auto _ : state) {
    String out = WriteFormToString(form.get());
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_WriteForm)->Unit(benchmark::kMillisecond);

void BM_ReadWriteBinaryForm(benchmark::State& state) {
  std::unique_ptr<TComponent> source(ReadFormFromString(FormText()));
  const String binary = WriteFormToString(source.get(), TFormFormat::Binary);
  source.reset();
  for (auto _ : state) {
    std::unique_ptr<TComponent> form(ReadFormFromString(binary));
    String out = WriteFormToString(form.get(), TFormFormat::Binary);
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * binary.size() * 2));
}
BENCHMARK(BM_ReadWriteBinaryForm)->Unit(benchmark::kMillisecond);

// The floor: the same bytes as plain lines, split into a vector and joined.
void BM_ReadLinesFloor(benchmark::State& state) {
  const String& text = FormText();
  for (auto _ : state) {
    std::vector<String> lines = SplitLines(text);
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ReadLinesFloor)->Unit(benchmark::kMillisecond);

void BM_WriteLinesFloor(benchmark::State& state) {
  const String& text = FormText();
  std::vector<String> lines = SplitLines(text);
  for (auto _ : state) {
    String out;
    for (const String& line : lines) {
      out += line;
      out += "\r\n";
    }
    benchmark::DoNotOptimize(out.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_WriteLinesFloor)->Unit(benchmark::kMillisecond);

}  // namespace

// Arbitrary dictionary content through the merges of TranslateFrom and
// TranslateTo: never a crash; imported entries keep their paths.
#include <cstddef>
#include <cstdint>

#include "gls/FileMerge.h"
#include "gls/Gls.h"

using namespace glsstorage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<String> current = {"Button1.Caption='&Close'", "Label1.Caption='Line 1'#10'Line 2'",
                                 "Width=75"};
  TSortList translations;
  for (const char* e : {"Button1.Caption='x'", "Label1.Caption=y", "Width=80"})
    translations.SortInsert(e, nullptr);

  TDictionaryImport import(current, translations);
  ForEachLine(text, [&](std::string_view line) { import.Line(line); });
  for (int i = 0; i < translations.Count(); ++i) {
    const String& entry = translations.At(i);
    if (!(entry.starts_with("Button1.Caption=") || entry.starts_with("Label1.Caption=") ||
          entry.starts_with("Width=")))
      __builtin_trap();
  }

  TTextLines file;
  file.SetText(String(text));
  try {
    TLineOverlay merged = MergeExportedLines(std::move(file.Lines()), current, translations);
    size_t count = 0;
    merged.ForEach([&](std::string_view) { ++count; });
    if (count != static_cast<size_t>(merged.Count())) __builtin_trap();
  } catch (const EConvertError&) {
    // an imported translation that is not valid literal text
  }
  return 0;
}

// Arbitrary translation-file content through the merges of LoadFrom and
// SaveTo: never a crash, only the conversion error of a malformed line of the
// form; a load after a save finds no more than was saved.
#include <cstddef>
#include <cstdint>

#include "gls/FileMerge.h"

using namespace glsstorage;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (Integer locale : {7, -1}) {
    TSortList loaded;
    loaded.SortInsert("Button1.Caption='&Close'", nullptr);
    try {
      MergeLoadedLines(text, "Form1", locale, loaded);
    } catch (const EConvertError&) {
    }

    TTextLines file;
    file.SetText(String(text));
    try {
      DropFormLines(file.Lines(), "Form1", locale);
    } catch (const EConvertError&) {
      continue;
    }
    TLineOverlay saved = InsertFormLines(std::move(file.Lines()), "Form1", locale, loaded, {});
    String written;
    saved.ForEach([&](std::string_view line) {
      written.append(line);
      written.append("\r\n");
    });
    // What was saved loads back: the form's lines of this locale are exactly
    // the saved entries, so loading them gives no more entries than were saved.
    TSortList again;
    try {
      MergeLoadedLines(written, "Form1", locale, again);
    } catch (const EConvertError&) {
      continue;  // a path holding "%" cannot be told from its locale
    }
    if (again.Count() > loaded.Count()) __builtin_trap();
  }
  return 0;
}

// Arbitrary translation-file content through the merges of LoadFrom and
// SaveTo: never a crash, only the conversion error of a malformed line of the
// form; a save followed by a load gives back the saved entries.
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
    // What was saved loads back: every entry of the list is found again.
    TSortList again;
    try {
      MergeLoadedLines(written, "Form1", locale, again);
    } catch (const EConvertError&) {
      continue;  // a malformed line of another locale of the form may come first
    }
    for (int i = 0; i < loaded.Count(); ++i) {
      const String& entry = loaded.At(i);
      if (entry.find('=') == String::npos || entry.size() > 4095) continue;
      int index;
      if (!FindEntry(again, std::string_view(entry).substr(0, entry.find('=')), index))
        __builtin_trap();
    }
  }
  return 0;
}

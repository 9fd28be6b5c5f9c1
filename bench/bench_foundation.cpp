// The foundation's hot paths: binary search in a translation-sized list, the
// literal encoding beside a plain copy of the same bytes, and reading a large
// line file into a string list.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <random>

#include "gls/Gls.h"
#include "host/classes/Streams.h"

namespace {

// Freed memory stays in the process: on the virtual machines these figures
// come from, touching fresh pages costs about 3 ms per MiB, which would
// swamp the conversions of a 1 MiB text whose buffers glibc otherwise hands
// back to the system after every iteration.
const bool gKeepFreedMemory = [] {
  mallopt(M_MMAP_THRESHOLD, 256 << 20);
  mallopt(M_TRIM_THRESHOLD, 512 << 20);
  return true;
}();

// Lines shaped like those of a translation file: form, component path,
// locale, value in literal form.
String TranslationLine(std::mt19937& rng, int n) {
  static const char* const paths[] = {"Caption",        "Hint",      "Font.Name",
                                      "Items[3]",       "Lines[12]", "Columns[2].Caption",
                                      "Panels[1].Text", "ShortCut"};
  static const char* const locales[] = {"-1", "7", "12", "25"};
  return "Form" + IntToStr(rng() % 400 + 1) + ".Button" + IntToStr(n) + "." +
         paths[rng() % std::size(paths)] + "%" + locales[rng() % std::size(locales)] + "='Value " +
         IntToStr(rng() % 100000) + "'";
}

struct TSortListFixture {
  TSortList List;
  std::vector<String> Queries;
  TSortListFixture() {
    std::mt19937 rng(1);
    std::vector<TStringList::TStringItem> items;
    const int count = 1000000;
    items.reserve(count);
    for (int i = 0; i < count; ++i) items.push_back({TranslationLine(rng, i), nullptr});
    std::sort(items.begin(), items.end(),
              [](const auto& a, const auto& b) { return CompareBytes(a.Str, b.Str) < 0; });
    // Half the queries are present, half are not (a path without its value).
    for (int i = 0; i < 4096; ++i) {
      const String& line = items[rng() % items.size()].Str;
      Queries.push_back(i % 2 ? line : line.substr(0, line.find('=')));
    }
    List.AssignItems(std::move(items));
  }
};

void BM_SortFind_1M(benchmark::State& state) {
  static TSortListFixture fixture;
  size_t q = 0;
  int found = 0;
  for (auto _ : state) {
    int index = -1;
    found += fixture.List.SortFind(fixture.Queries[q++ & 4095], index);
    benchmark::DoNotOptimize(index);
  }
  benchmark::DoNotOptimize(found);
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SortFind_1M);

// 1 MB of text as string properties hold it: words, quotes, tabs, line
// breaks and UTF-8 letters.
const String& MixedText() {
  static const String text = [] {
    std::mt19937 rng(2);
    static const char* const pieces[] = {
        "Close", " ", "It's", "\t", "\r\n", "Total", "Price (\xE2\x82\xAC)", "&Open", "\n", "x"};
    String s;
    while (s.size() < (1 << 20)) s += pieces[rng() % std::size(pieces)];
    s.resize(1 << 20);
    return s;
  }();
  return text;
}

void BM_Copy(benchmark::State& state) {
  const String& plain = MixedText();
  String target(plain.size(), '\0');
  for (auto _ : state) {
    std::memcpy(target.data(), plain.data(), plain.size());
    benchmark::DoNotOptimize(target.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_Copy);

// A copy into a new string, as each conversion makes one.
void BM_CopyToNewString(benchmark::State& state) {
  const String& plain = MixedText();
  for (auto _ : state) {
    String s = plain;
    benchmark::DoNotOptimize(s.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_CopyToNewString);

void BM_ConvertToLiterals(benchmark::State& state) {
  const String& plain = MixedText();
  for (auto _ : state) {
    String s = plain;
    TGlossmith::ConvertToLiterals(s);
    benchmark::DoNotOptimize(s.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * plain.size()));
}
BENCHMARK(BM_ConvertToLiterals);

void BM_ConvertFromLiterals(benchmark::State& state) {
  String literal = MixedText();
  TGlossmith::ConvertToLiterals(literal);
  for (auto _ : state) {
    String s = literal;
    TGlossmith::ConvertFromLiterals(s);
    benchmark::DoNotOptimize(s.data());
  }
  // Counted in bytes of literal form read.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * literal.size()));
}
BENCHMARK(BM_ConvertFromLiterals);

// A 50 MB translation-like file, lines ended by CR LF, read into a string
// list; beside it the floor: the same file read and split into a vector of
// std::string with nothing else around it.
// Written on first use, removed when the program ends.
struct TLinesFile {
  String Name = (std::filesystem::temp_directory_path() / "gls-bench-lines.txt").string();
  TLinesFile() {
    std::mt19937 rng(3);
    String data;
    data.reserve(52 << 20);
    for (int n = 0; data.size() < (50 << 20); ++n) data += TranslationLine(rng, n) + "\r\n";
    WriteFileAtomically(Name, data);
  }
  ~TLinesFile() {
    std::error_code ec;
    std::filesystem::remove(Name, ec);
  }
};

const String& LinesFile() {
  static const TLinesFile file;
  return file.Name;
}

void BM_LoadFromFile_50MB(benchmark::State& state) {
  const String& file = LinesFile();
  int lines = 0;
  for (auto _ : state) {
    TStringList list;
    list.LoadFromFile(file);
    lines = list.Count();
  }
  state.counters["lines"] = lines;
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(file)));
}
BENCHMARK(BM_LoadFromFile_50MB)->Unit(benchmark::kMillisecond);

void BM_SplitLinesFloor_50MB(benchmark::State& state) {
  const String& file = LinesFile();
  size_t lines = 0;
  for (auto _ : state) {
    const String data = ReadFileToString(file);
    size_t ends = 0;
    for (size_t i = 0; i < data.size(); ++i)
      ends += data[i] == '\n' || (data[i] == '\r' && (i + 1 == data.size() || data[i + 1] != '\n'));
    std::vector<std::string> v;
    v.reserve(ends + 1);
    const char* p = data.data();
    const char* const e = p + data.size();
    const char* start = p;
    while (p < e) {
      if (*p == '\r' || *p == '\n') {
        v.emplace_back(start, p);
        if (*p == '\r' && p + 1 < e && p[1] == '\n') ++p;
        start = ++p;
      } else {
        ++p;
      }
    }
    if (start < e) v.emplace_back(start, e);
    lines = v.size();
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.SetBytesProcessed(state.iterations() *
                          static_cast<int64_t>(std::filesystem::file_size(file)));
}
BENCHMARK(BM_SplitLinesFloor_50MB)->Unit(benchmark::kMillisecond);

}  // namespace

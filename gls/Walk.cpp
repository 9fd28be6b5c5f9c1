// The walk over one object's published properties: paths, the descent into
// object-valued properties, string lists and collections, and the lookup of
// each path in the active list.
#include <algorithm>
#include <charconv>
#include <cstdint>

#include "gls/Gls.h"

namespace Glossmith::inline Gls {

// The state of the binary search that WantTranslate runs for a bare path with
// Index -1 on entry (the search of TSortList::SortFind).
struct TGlossmith::TSearch {
  int Low = 0;
  int High = -1;
  int Mid = 0;
};

// One object on the current path of the walk. Every path below it begins with
// the same prefix, so the first steps of the binary search are the same for all
// of them: Search holds the state reached just before the first probe whose line
// begins with that prefix. Finishing the search from there gives exactly the
// position a search from scratch gives, for any list, sorted or not; a
// component whose name no line mentions costs no more than the three checks.
struct TGlossmith::TWalkFrame {
  const TObject* Obj = nullptr;
  const TWalkFrame* Parent = nullptr;
  // The list and its line count when Search was taken; a handler that changes
  // the list during the walk makes the walk search from scratch again.
  const TStrings* List = nullptr;
  const TStringList* Lines = nullptr;
  int Count = -1;
  TSearch Search;
  // Every line that a lookup below this frame can end up examining lies in
  // the part of the list that Search has left, widened by one on each side.
  // When that part is small, the names those lines carry after the prefix are
  // noted here, one bit per name's hash; a name without its bit cannot be
  // found, whatever the order of the list, and is not searched for.
  size_t PrefixLength = 0;
  uint64_t Names = ~uint64_t{0};
};

namespace {

// Reads lines of a list, without copying them when it is a TStringList.
class TLineReader {
 public:
  TLineReader(const TStrings* list, const TStringList* lines) : FList(list), FLines(lines) {}
  std::string_view operator()(int index) {
    if (FLines) return FLines->At(index);
    FScratch = FList->Get(index);
    return FScratch;
  }

 private:
  const TStrings* FList;
  const TStringList* FLines;
  String FScratch;
};

bool StartsWith(std::string_view line, std::string_view prefix) {
  return line.size() >= prefix.size() && line.compare(0, prefix.size(), prefix) == 0;
}

// True when the line begins with Path followed by "=".
bool IsLineFor(std::string_view line, std::string_view path) {
  return line.size() > path.size() && line[path.size()] == '=' && StartsWith(line, path);
}

// Runs the steps of the search that every path beginning with Prefix shares:
// as long as the probed line does not begin with Prefix, comparing any such path
// with it gives the same result as comparing Prefix itself.
template <class Reader>
void Descend(TGlossmith::TSearch& s, std::string_view prefix, Reader& line) {
  while (s.Low <= s.High) {
    const int mid = (s.Low + s.High) / 2;
    const std::string_view probe = line(mid);
    if (StartsWith(probe, prefix)) return;
    s.Mid = mid;
    if (prefix.compare(probe) < 0) {
      s.High = mid - 1;
    } else {
      s.Low = mid + 1;
      if (s.Low > s.High) ++s.Mid;
    }
  }
}

// Completes the search for Path; Mid is then the position of an equal line or
// the position at which Path would be inserted.
template <class Reader>
void Finish(TGlossmith::TSearch& s, std::string_view path, Reader& line) {
  while (s.Low <= s.High) {
    s.Mid = (s.Low + s.High) / 2;
    const int c = path.compare(line(s.Mid));
    if (c < 0) {
      s.High = s.Mid - 1;
    } else if (c == 0) {
      return;
    } else {
      s.Low = s.Mid + 1;
      if (s.Low > s.High) ++s.Mid;
    }
  }
}

// The checks of WantTranslate around the search position: the line there and
// its two neighbours, nothing further.
template <class Reader>
bool CheckAround(std::string_view path, int count, int& index, Reader& line) {
  if (index > 0 && index == count) --index;
  if (IsLineFor(line(index), path)) return true;
  if (index > 0 && IsLineFor(line(index - 1), path)) {
    --index;
    return true;
  }
  if (index < count - 1 && IsLineFor(line(index + 1), path)) {
    ++index;
    return true;
  }
  return false;
}

uint64_t NameBit(std::string_view name) {
  if (name.empty()) return 1;
  const auto first = static_cast<unsigned char>(name.front());
  const auto last = static_cast<unsigned char>(name.back());
  return uint64_t{1} << ((name.size() * 7 + first * 3 + last) & 63);
}

// The widest part of the list whose names are noted in a frame.
constexpr int NotedLines = 48;

void AppendIndex(String& path, int index) {
  char digits[16];
  auto [end, ec] = std::to_chars(digits, digits + sizeof digits, index);
  (void)ec;
  path.append(digits, end);
}

}  // namespace

namespace {

// WantTranslate on any list.
bool Search(const TStrings* list, std::string_view path, int& index) {
  const int count = list ? list->Count() : 0;
  if (count == 0) {
    index = 0;
    return false;
  }
  TLineReader line(list, dynamic_cast<const TStringList*>(list));
  TGlossmith::TSearch s{0, count - 1, 0};
  Finish(s, path, line);
  index = s.Mid;
  return CheckAround(path, count, index, line);
}

}  // namespace

bool TGlossmith::WantTranslate(const String& Path, int& Index) const {
  return Search(FActiveList, Path, Index);
}

bool TGlossmith::Lookup(const TStrings* List, std::string_view Path, const TWalkFrame* Frame,
                        int& Index) const {
  if (!Frame || Frame->List != List || !List || Frame->Count != List->Count())
    return Search(List, Path, Index);
  if (Frame->Count == 0) {
    Index = 0;
    return false;
  }
  const std::string_view name = Path.substr(Frame->PrefixLength);
  if (!(Frame->Names & NameBit(name)) && name.find('=') == std::string_view::npos) {
    Index = -1;
    return false;
  }
  TLineReader line(List, Frame->Lines);
  TSearch s = Frame->Search;
  Finish(s, Path, line);
  Index = s.Mid;
  return CheckAround(Path, Frame->Count, Index, line);
}

bool TGlossmith::Collects(std::string_view Path, const TWalkFrame* Frame) const {
  if (!FCollectOnly) return true;
  int index;
  // The key of a line is its text before the first "=".
  const size_t eq = Path.find('=');
  if (eq != std::string_view::npos) return Search(FCollectOnly, Path.substr(0, eq), index);
  return Lookup(FCollectOnly, Path, Frame, index);
}

namespace {

// True when Obj is already on the current path: descending into it again
// would never end.
template <class Frame>
bool OnPath(const Frame* frame, const TObject* obj) {
  for (; frame; frame = frame->Parent)
    if (frame->Obj == obj) return true;
  return false;
}

}  // namespace

// The list a walk searches: the active list when it applies; when it collects,
// the list that decides which lines it keeps, if any. False when no path
// below the frame can be found in it, so that the walk need not descend: no
// line begins with the prefix (lines of other prefixes, or none, are all
// that the search can still reach), and, since nothing is found, no handler
// runs that could change the list meanwhile.
bool TGlossmith::InitFrame(TWalkFrame& Frame, const TObject* Obj, const TWalkFrame* Parent,
                           std::string_view Prefix, bool Collect) const {
  Frame.Obj = Obj;
  Frame.Parent = Parent;
  const TStrings* list = Collect ? FCollectOnly : FActiveList;
  if (!list) return true;
  Frame.List = list;
  Frame.Count = list->Count();
  Frame.PrefixLength = Prefix.size();
  if (Parent && Parent->List == list && Parent->Count == Frame.Count) {
    Frame.Lines = Parent->Lines;
    Frame.Search = Parent->Search;
  } else {
    Frame.Lines = dynamic_cast<const TStringList*>(list);
    Frame.Search = TSearch{0, Frame.Count - 1, 0};
  }
  TLineReader line(list, Frame.Lines);
  Descend(Frame.Search, Prefix, line);
  // The search position ends between Low and High + 1 (at Mid when the search
  // is over); the checks look one line further either way.
  // A position at the end of the list is moved back onto its last line.
  const TSearch& s = Frame.Search;
  const int last = Frame.Count - 1;
  const int low = std::min(last, s.Low <= s.High ? s.Low : s.Mid);
  const int high = std::min(last, s.Low <= s.High ? s.High + 1 : s.Mid);
  const int from = std::max(0, low - 1);
  const int to = std::min(last, high + 1);
  if (to - from >= NotedLines) return true;
  Frame.Names = 0;
  for (int i = from; i <= to; ++i) {
    const std::string_view text = line(i);
    if (!StartsWith(text, Prefix)) continue;
    const size_t eq = text.find('=', Prefix.size());
    if (eq != std::string_view::npos)
      Frame.Names |= NameBit(text.substr(Prefix.size(), eq - Prefix.size()));
  }
  return Frame.Names != 0;
}

void TGlossmith::WalkObject(TObject* Obj, String& Path, bool Collect, const TWalkFrame* Parent) {
  if (!Obj || OnPath(Parent, Obj)) return;
  const size_t base = Path.size();
  if (base) Path += '.';
  const size_t stem = Path.size();
  TWalkFrame frame;
  if (!InitFrame(frame, Obj, Parent, Path, Collect)) {
    Path.resize(base);
    return;
  }
  // One block, exactly as large as the number of properties.
  const TPropList props = GetPropList(Obj, tkProperties);
  for (PPropInfo prop : props) {
    Path.resize(stem);
    Path += prop->Name;
    WalkProperty(Obj, prop, Path, Collect, frame);
  }
  Path.resize(base);
}

void TGlossmith::WalkProperty(TObject* Obj, PPropInfo Prop, String& Path, bool Collect,
                              const TWalkFrame& Frame) {
  if (Prop->Kind() == tkClass) {
    // The object-valued property itself is never looked up, listed or set.
    TObject* sub = Prop->GetObj ? GetObjectProp(Obj, Prop) : nullptr;
    if (!sub) return;
    // The class information answers faster than a dynamic_cast, which the
    // walk would pay for every font and every reference.
    const TClassInfo& type = sub->ClassType();
    if (type.InheritsFrom(TStrings::StaticClass()))
      WalkStrings(static_cast<TStrings*>(sub), Path, Collect, &Frame);
    else if (type.InheritsFrom(TCollection::StaticClass()))
      WalkCollection(static_cast<TCollection*>(sub), Path, Collect, &Frame);
    else
      WalkObject(sub, Path, Collect, &Frame);
    return;
  }
  if (Collect) {
    if (FActiveList && Collects(Path, &Frame)) FActiveList->Add(Path + "=" + GetProp(Obj, Prop));
    return;
  }
  int index = -1;
  if (Lookup(FActiveList, Path, &Frame, index)) TranslateProp(Obj, Prop, index);
}

void TGlossmith::WalkStrings(TStrings* Strings, String& Path, bool Collect,
                             const TWalkFrame* Parent) {
  if (!Strings || OnPath(Parent, Strings)) return;
  const size_t base = Path.size();
  Path += '[';
  const size_t stem = Path.size();
  TWalkFrame frame;
  if (!InitFrame(frame, Strings, Parent, Path, Collect)) {
    Path.resize(base);
    return;
  }
  const int count = Strings->Count();
  for (int i = 0; i < count; ++i) {
    Path.resize(stem);
    AppendIndex(Path, i);
    Path += ']';
    if (Collect) {
      if (!FActiveList || !Collects(Path, &frame)) continue;
      String text = Strings->Get(i);
      ConvertToLiterals(text);
      FActiveList->Add(Path + "=" + text);
      continue;
    }
    int index = -1;
    if (!Lookup(FActiveList, Path, &frame, index)) continue;
    bool skip = false;
    if (OnTranslateProperty) OnTranslateProperty(this, Path, nullptr, FActiveList, skip);
    if (skip) continue;
    const String line = FActiveList->Get(index);
    if (!FIsTranslated) {
      String current = Strings->Get(i);
      ConvertToLiterals(current);
      RecordOriginal(Path + "=" + current, FActiveList->Objects(index));
    }
    const size_t eq = line.find('=');
    String value = line.substr(eq + 1, MaxAppliedValueLength);
    try {
      ConvertFromLiterals(value);
    } catch (const EConvertError& e) {
      throw ETranslationEntryError(e.Message(), line, Name());
    }
    if (!value.empty() || ApplyEmpty()) Strings->Put(i, value);
  }
  Path.resize(base);
}

void TGlossmith::WalkCollection(TCollection* Collection, String& Path, bool Collect,
                                const TWalkFrame* Parent) {
  if (!Collection || OnPath(Parent, Collection)) return;
  const size_t base = Path.size();
  Path += '[';
  const size_t stem = Path.size();
  TWalkFrame frame;
  if (!InitFrame(frame, Collection, Parent, Path, Collect)) {
    Path.resize(base);
    return;
  }
  const int count = Collection->Count();
  for (int i = 0; i < count; ++i) {
    Path.resize(stem);
    AppendIndex(Path, i);
    Path += ']';
    WalkObject(Collection->Items(i), Path, Collect, &frame);
  }
  Path.resize(base);
}

void TGlossmith::TranslateClass(TObject* Obj, const String& Path, bool Collect) {
  String path = Path;
  WalkObject(Obj, path, Collect, nullptr);
}

void TGlossmith::SetStrings(TObject* Obj, const String& Path, bool Collect) {
  String path = Path;
  WalkStrings(dynamic_cast<TStrings*>(Obj), path, Collect, nullptr);
}

void TGlossmith::SetCollection(TObject* Obj, const String& Path, bool Collect) {
  String path = Path;
  WalkCollection(dynamic_cast<TCollection*>(Obj), path, Collect, nullptr);
}

}  // namespace Glossmith::inline Gls

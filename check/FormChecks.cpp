#include "check/FormChecks.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <unordered_map>

#include "check/TextChecks.h"
#include "gls/Gls.h"
#include "host/controls/ComCtrls.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/Graphics.h"
#include "host/controls/Menus.h"
#include "host/controls/StdCtrls.h"

namespace Glossmith::inline Check {

namespace {

constexpr const char* kSystemMenuNames[] = {
    "SystemMenuRestore",  "SystemMenuMove",     "SystemMenuSize",      "SystemMenuMinimize",
    "SystemMenuMaximize", "SystemMenuClose",    "SystemMenuNextWindow"};

bool IsSystemMenuName(std::string_view path) {
  for (const char* name : kSystemMenuNames)
    if (path == name) return true;
  return false;
}

bool IsStringKind(TTypeKind kind) {
  return kind == tkString || kind == tkLString || kind == tkWString || kind == tkWChar;
}

// What a path names on the form.
struct TTarget {
  enum class TKind { None, Property, Item, SystemMenu, BeyondList } Kind = TKind::None;
  TObject* Object = nullptr;  // the property's object
  PPropInfo Prop = nullptr;
  TStrings* Strings = nullptr;  // an item's list
  TObject* ListOwner = nullptr;  // the object whose property holds the list
  String ListName;               // that property's name
  int Index = -1;
  int ListCount = 0;  // BeyondList: the count of the list or collection

  bool IsText() const {
    return Kind == TKind::Item || Kind == TKind::SystemMenu ||
           (Kind == TKind::Property && IsStringKind(Prop->Kind()));
  }
  // The property's own name (the list's for an item).
  String Name() const {
    if (Kind == TKind::Property) return Prop->Name;
    if (Kind == TKind::Item) return ListName;
    return String();
  }
};

// One segment of a path: a name and an optional index.
bool SplitSegment(std::string_view segment, std::string_view& name, int& index) {
  index = -1;
  const size_t open = segment.find('[');
  if (open == std::string_view::npos) {
    name = segment;
    return !name.empty();
  }
  if (segment.back() != ']') return false;
  name = segment.substr(0, open);
  const std::string_view digits = segment.substr(open + 1, segment.size() - open - 2);
  // The index as the walk writes it: decimal, no sign, no leading zeros.
  if (digits.empty() || digits.size() > 9 || (digits.size() > 1 && digits[0] == '0')) return false;
  index = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    index = index * 10 + (c - '0');
  }
  return !name.empty();
}

// The owner's named components by their exact names, as paths name them.
using TComponentMap = std::unordered_map<std::string_view, TComponent*>;

TComponentMap ComponentsOf(TComponent* root) {
  TComponentMap map;
  for (int i = 0; i < root->ComponentCount(); ++i) {
    TComponent* c = root->Components(i);
    if (!c->Name().empty()) map.emplace(c->Name(), c);
  }
  return map;
}

// Finds what `path` names as the walk reaches it: the owner's own
// properties by bare name, a component's by its name first; names compare
// exactly, as the walk's lookups do.
TTarget Resolve(TComponent* root, const TComponentMap& components, std::string_view path) {
  TTarget target;
  if (IsSystemMenuName(path)) {
    if (dynamic_cast<TCustomForm*>(root)) target.Kind = TTarget::TKind::SystemMenu;
    return target;
  }
  std::vector<std::string_view> segments;
  for (size_t start = 0;;) {
    const size_t dot = path.find('.', start);
    // A dot inside brackets belongs to no name; indexes hold digits only.
    segments.push_back(path.substr(start, dot == std::string_view::npos ? path.npos : dot - start));
    if (dot == std::string_view::npos) break;
    start = dot + 1;
  }
  TObject* obj = root;
  size_t first = 0;
  if (segments.size() > 1 && segments[0].find('[') == std::string_view::npos) {
    if (auto found = components.find(segments[0]); found != components.end()) {
      obj = found->second;
      first = 1;
    }
  }
  for (size_t k = first; k < segments.size(); ++k) {
    std::string_view name;
    int index;
    if (!SplitSegment(segments[k], name, index)) return {};
    PPropInfo prop = GetPropInfo(obj, name);
    if (!prop || prop->Kind() == tkMethod || prop->Name != name) return {};
    const bool last = k + 1 == segments.size();
    if (prop->Kind() != tkClass) {
      if (!last || index >= 0) return {};
      target.Kind = TTarget::TKind::Property;
      target.Object = obj;
      target.Prop = prop;
      return target;
    }
    TObject* sub = GetObjectProp(obj, prop);
    if (!sub) return {};
    if (index < 0) {
      if (last) return {};  // an object-valued property itself is never applied
      obj = sub;
      continue;
    }
    if (auto* strings = dynamic_cast<TStrings*>(sub)) {
      if (!last) return {};
      if (index >= strings->Count()) {
        target.Kind = TTarget::TKind::BeyondList;
        target.ListCount = strings->Count();
        return target;
      }
      target.Kind = TTarget::TKind::Item;
      target.Strings = strings;
      target.ListOwner = obj;
      target.ListName = String(name);
      target.Index = index;
      return target;
    }
    auto* collection = dynamic_cast<TCollection*>(sub);
    if (!collection || last) return {};
    if (index >= collection->Count()) {
      target.Kind = TTarget::TKind::BeyondList;
      target.ListCount = collection->Count();
      return target;
    }
    obj = collection->Items(index);
  }
  return {};
}

String Decoded(std::string_view value, bool& ok) {
  String text(value);
  ok = true;
  try {
    TGlossmith::ConvertFromLiterals(text);
  } catch (const EConvertError&) {
    ok = false;
  }
  return text;
}

// Whether a literal is made of quoted runs and codes only: closed quotes,
// nothing outside them.
bool WellFormedLiteral(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    if (s[i] == '#') {
      size_t j = i + 1;
      while (j < s.size() && s[j] >= '0' && s[j] <= '9') ++j;
      if (j == i + 1) return false;
      i = j;
    } else if (s[i] == '\'') {
      size_t j = i + 1;
      for (;;) {
        if (j >= s.size()) return false;
        if (s[j] == '\'') {
          if (j + 1 < s.size() && s[j + 1] == '\'') {
            j += 2;
            continue;
          }
          break;
        }
        ++j;
      }
      i = j + 1;
    } else {
      return false;
    }
  }
  return true;
}

// The message when a raw value does not convert to the property's type, or
// nothing when it converts (as applying the line would convert it).
std::optional<String> ConversionProblem(PPropInfo prop, std::string_view raw) {
  const PTypeInfo type = prop->PropType;
  switch (prop->Kind()) {
    case tkInteger: {
      Integer value;
      if (prop->Name == "Color") {
        if (IdentToColor(raw, value) || TryStrToInt(raw, value)) return std::nullopt;
        return "'" + String(raw) + "' is neither a colour name nor a number";
      }
      if (raw.empty() || TryStrToInt(raw, value)) return std::nullopt;
      return "'" + String(raw) + "' is not a whole number";
    }
    case tkFloat: {
      double value;
      if (TryStrToFloat(raw, value)) return std::nullopt;
      return "'" + String(raw) + "' is not a number";
    }
    case tkEnumeration:
      if (GetEnumValue(type, raw) >= 0) return std::nullopt;
      {
        String names;
        for (size_t i = 0; i < type->EnumNames.size() && i < 8; ++i)
          names += (i ? ", " : "") + type->EnumNames[i];
        if (type->EnumNames.size() > 8) names += ", ...";
        return "'" + String(raw) + "' is not a value of " + type->Name + " (" + names +
               "); the property keeps its value";
      }
    case tkSet: {
      Integer value;
      if (!TryStrToInt(raw, value))
        return "'" + String(raw) + "' is not a set's number (a bit mask, as 1 for the first " +
               "element alone)";
      const size_t elements =
          type->CompType ? type->CompType->EnumNames.size() : static_cast<size_t>(32);
      const auto mask = static_cast<uint32_t>(value);
      if (elements < 32 && (mask >> elements) != 0)
        return Format("%d holds bits beyond the %d elements of %s", {value, elements, type->Name});
      return std::nullopt;
    }
    default:
      return std::nullopt;
  }
}

// Which texts mark an accelerator with "&".
bool IsCaption(const TTarget& t) {
  if (t.Kind == TTarget::TKind::SystemMenu) return true;
  if (t.Kind == TTarget::TKind::Item) return dynamic_cast<TCustomRadioGroup*>(t.ListOwner);
  if (t.Kind != TTarget::TKind::Property || t.Prop->Name != "Caption") return false;
  if (dynamic_cast<TCustomForm*>(t.Object) || dynamic_cast<TCollectionItem*>(t.Object))
    return false;
  if (auto* label = dynamic_cast<TLabel*>(t.Object)) return label->ShowAccelChar();
  return true;
}

// The controls and menu items whose caption gives an accelerator key, and
// the parent whose children share the keyboard.
struct TKeyed {
  TComponent* Component;
  const void* Parent;
  String Caption() const {
    if (auto* m = dynamic_cast<TMenuItem*>(Component)) return m->Caption();
    return static_cast<TControl*>(Component)->Caption();
  }
};

std::vector<TKeyed> KeyedComponents(TComponent* root) {
  std::vector<TKeyed> keyed;
  for (int i = 0; i < root->ComponentCount(); ++i) {
    TComponent* c = root->Components(i);
    if (auto* m = dynamic_cast<TMenuItem*>(c)) {
      if (m->Parent() && m->Visible() && m->Caption() != "-") keyed.push_back({m, m->Parent()});
      continue;
    }
    auto* control = dynamic_cast<TControl*>(c);
    if (!control || !control->Parent() || !control->Visible()) continue;
    const bool hasKey = dynamic_cast<TButtonControl*>(control) ||
                        dynamic_cast<TCustomGroupBox*>(control) ||
                        (dynamic_cast<TLabel*>(control) &&
                         static_cast<TLabel*>(control)->ShowAccelChar());
    if (hasKey) keyed.push_back({control, control->Parent()});
  }
  return keyed;
}

// The space a text has in its control, and the font it shows in.
struct TSpace {
  const TFont* Font = nullptr;
  double Width = 0;
  double Height = 0;  // 0: the height is not limited
  bool Wraps = false;
  String Text;   // the text as it shows
  String Where;  // what limits the width, for the message
};

Integer FormPixelsPerInch(TComponent* root) {
  if (auto* form = dynamic_cast<TCustomForm*>(root); form && form->PixelsPerInch() > 0)
    return form->PixelsPerInch();
  return 96;
}

// The room of a check box's or radio button's mark and the gap after it.
double MarkWidth(Integer ppi) { return std::round(13.0 * ppi / 96.0) + 4; }

// The space of an auto-sized label: up to the next control to its right
// (beside it, overlapping it vertically) or its parent's edge.
TSpace LabelSpace(TLabel* label) {
  TSpace space;
  TWinControl* parent = label->Parent();
  const Integer top = label->Top(), bottom = label->Top() + label->Height();
  const bool right = label->Alignment() == taRightJustify;
  if (right) {
    const Integer end = label->Left() + label->Width();
    Integer start = 0;
    space.Where = "from its parent's edge";
    for (int i = 0; i < parent->ControlCount(); ++i) {
      TControl* c = parent->Controls(i);
      if (c == label || !c->Visible()) continue;
      const Integer cEnd = c->Left() + c->Width();
      if (c->Top() < bottom && c->Top() + c->Height() > top && cEnd <= label->Left() + 1 &&
          cEnd > start) {
        start = cEnd;
        space.Where = "from " + c->Name();
      }
    }
    space.Width = static_cast<double>(end - start);
    return space;
  }
  Integer limit = parent->ClientWidth();
  space.Where = "to its parent's edge";
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == label || !c->Visible()) continue;
    if (c->Top() < bottom && c->Top() + c->Height() > top && c->Left() > label->Left() &&
        c->Left() < limit) {
      limit = c->Left();
      space.Where = "up to " + c->Name();
    }
  }
  space.Width = static_cast<double>(limit - label->Left());
  return space;
}

// The space the control that shows the target's text gives it, or nothing
// for texts that are not cut (menus, hints, edits, tabs that grow).
std::optional<TSpace> SpaceOf(const TTarget& t, const String& text, Integer ppi) {
  if (t.Kind == TTarget::TKind::Item) {
    auto* group = dynamic_cast<TCustomRadioGroup*>(t.ListOwner);
    if (!group) return std::nullopt;
    const int columns = std::max<Integer>(1, group->Columns());
    TSpace s;
    s.Font = group->Font();
    s.Width = (group->Width() - 8.0) / columns - 2 - MarkWidth(ppi);
    s.Text = StripAccelerators(text);
    s.Where = "beside its radio mark";
    return s;
  }
  if (t.Kind != TTarget::TKind::Property) return std::nullopt;
  const String& name = t.Prop->Name;
  if (auto* column = dynamic_cast<TListColumn*>(t.Object)) {
    if (name != "Caption" || column->Width() <= 0 || column->AutoSize()) return std::nullopt;
    auto* view = dynamic_cast<TListView*>(column->Collection()->GetOwner());
    if (!view) return std::nullopt;
    TSpace s;
    s.Font = view->Font();
    s.Width = column->Width() - 12.0;
    s.Text = text;
    s.Where = "in its column";
    return s;
  }
  if (auto* panel = dynamic_cast<TStatusPanel*>(t.Object)) {
    auto* bar = dynamic_cast<TStatusBar*>(panel->Collection()->GetOwner());
    if (name != "Text" || !bar || bar->SimplePanel()) return std::nullopt;
    TSpace s;
    s.Font = bar->Font();
    // The last panel takes the rest of the bar.
    Integer width = panel->Width();
    if (panel->Index() == bar->Panels()->Count() - 1) {
      Integer before = 0;
      for (int i = 0; i < panel->Index(); ++i)
        before += static_cast<TStatusPanel*>(bar->Panels()->Items(i))->Width();
      width = std::max(width, bar->Width() - before);
    }
    s.Width = width - 4.0;
    s.Text = text;
    s.Where = "in its panel";
    return s;
  }
  auto* control = dynamic_cast<TControl*>(t.Object);
  if (!control || name != "Caption" || dynamic_cast<TCustomForm*>(control) || !control->Parent() ||
      !control->Visible())
    return std::nullopt;
  TSpace s;
  s.Font = control->Font();
  s.Text = StripAccelerators(text);
  if (auto* label = dynamic_cast<TLabel*>(control)) {
    if (!label->ShowAccelChar()) s.Text = text;
    if (label->WordWrap()) {
      s.Wraps = true;
      s.Width = label->Width();
      if (!label->AutoSize()) s.Height = label->Height();
      s.Where = "in its width";
      return s;
    }
    if (label->AutoSize()) {
      TSpace room = LabelSpace(label);
      room.Font = s.Font;
      room.Text = s.Text;
      return room;
    }
    s.Width = label->Width();
    s.Height = label->Height();
    s.Where = "in its width";
    return s;
  }
  if (dynamic_cast<TCheckBox*>(control) || dynamic_cast<TRadioButton*>(control)) {
    s.Width = control->Width() - MarkWidth(ppi);
    s.Where = "beside its mark";
    return s;
  }
  if (dynamic_cast<TButton*>(control)) {
    s.Width = control->Width() - 8.0;
    s.Where = "inside its border";
    return s;
  }
  if (dynamic_cast<TCustomGroupBox*>(control)) {
    s.Width = control->Width() - 16.0;
    s.Where = "in its frame";
    return s;
  }
  if (dynamic_cast<TCustomPanel*>(control)) {
    s.Width = control->Width() - 4.0;
    s.Where = "inside its bevels";
    return s;
  }
  return std::nullopt;
}

std::vector<std::string_view> LinesOf(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  for (size_t i = 0; i <= text.size(); ++i) {
    if (i == text.size() || text[i] == '\r' || text[i] == '\n') {
      lines.push_back(text.substr(start, i - start));
      if (i < text.size() && text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      start = i + 1;
    }
  }
  return lines;
}

// How much room a text needs: its widest line, and its height; wrapped at
// the space's width when the control wraps.
struct TNeed {
  double Width = 0;
  double Height = 0;
};

TNeed Measure(const TTextMeasure& m, const TSpace& s) {
  TNeed need;
  const double lineHeight = m.LineHeight(*s.Font);
  int lines = 0;
  for (std::string_view line : LinesOf(s.Text)) {
    if (!s.Wraps) {
      need.Width = std::max(need.Width, m.TextWidth(*s.Font, line));
      ++lines;
      continue;
    }
    // Word by word, as the control breaks lines.
    String current;
    int count = 1;
    size_t start = 0;
    while (start <= line.size()) {
      size_t space = line.find(' ', start);
      if (space == std::string_view::npos) space = line.size();
      const std::string_view word = line.substr(start, space - start);
      String tried = current.empty() ? String(word) : current + " " + String(word);
      if (!current.empty() && m.TextWidth(*s.Font, tried) > s.Width) {
        ++count;
        need.Width = std::max(need.Width, m.TextWidth(*s.Font, current));
        current = String(word);
      } else {
        current = tried;
      }
      start = space + 1;
    }
    need.Width = std::max(need.Width, m.TextWidth(*s.Font, current));
    lines += count;
  }
  need.Height = lines * lineHeight;
  return need;
}

// A text cut to a length a message can show, on a character boundary.
String Shortened(std::string_view text) {
  constexpr size_t kShown = 60;
  if (text.size() <= kShown) return String(text);
  size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
  return String(text.substr(0, cut)) + "...";
}

class TRun {
 public:
  TRun(TComponent* root, const TTranslatorCheck& input, const TCheckSelection& selection,
       const TTextMeasure* measure, std::vector<TDiagnostic>& out)
      : FRoot(root), FInput(input), FSelection(selection), FMeasure(measure), FOut(out) {}

  void Run();

 private:
  struct TChecked {
    const TCheckEntry* Entry;
    TTarget Target;
    String Original;     // plain text (string kinds) or the value's text
    String Translation;  // plain text (string kinds) or the raw value
    bool Applies = true;  // no error: applied for the form-aware checks
  };

  void Report(const char* check, const TCheckEntry& at, const String& path, const String& original,
              const String& translation, const String& message,
              std::optional<TSeverity> severity = std::nullopt) {
    if (!FSelection.Runs(check)) return;
    TDiagnostic d;
    d.File = at.File;
    d.Line = at.Line;
    d.Severity = severity.value_or(FindCheck(check)->Severity);
    d.Check = check;
    d.Form = FInput.FormName;
    d.Locale = FInput.Locale;
    d.Path = path;
    d.Original = original;
    d.Translation = translation;
    d.Message = message;
    FOut.push_back(std::move(d));
  }

  TGlossmith& Probe() {
    if (!FProbe) {
      FProbe = new TGlossmith(FRoot);
      FProbe->SetTranslate(false);
    }
    return *FProbe;
  }
  String CurrentValue(const TTarget& t);
  const TComponentMap& Components() {
    if (!FComponents) FComponents = ComponentsOf(FRoot);
    return *FComponents;
  }
  void CheckEntry(const TCheckEntry& entry);
  void CheckOriginals();
  void CheckLists();
  void CheckForm();

  TComponent* FRoot;
  const TTranslatorCheck& FInput;
  const TCheckSelection& FSelection;
  const TTextMeasure* FMeasure;
  std::vector<TDiagnostic>& FOut;
  TGlossmith* FProbe = nullptr;
  std::unique_ptr<TStringList> FSystemMenu;
  std::optional<TComponentMap> FComponents;
  std::vector<TChecked> FChecked;
  std::unordered_map<String, size_t> FByPath;  // an entry's position in FChecked
};

String TRun::CurrentValue(const TTarget& t) {
  switch (t.Kind) {
    case TTarget::TKind::Property:
      return Probe().GetProp(t.Object, t.Prop);
    case TTarget::TKind::Item: {
      String text = t.Strings->Strings(t.Index);
      TGlossmith::ConvertToLiterals(text);
      return text;
    }
      return String();
    default:
      return String();
  }
}

void TRun::CheckEntry(const TCheckEntry& e) {
  const String& path = e.Path;
  if (e.Cut || e.Value.size() > MaxValueLength)
    Report("value-length", e, path, String(), String(),
           Format("the value is longer than %d bytes; the translation file keeps only that much",
                  {static_cast<Integer>(MaxValueLength)}));
  TTarget target = Resolve(FRoot, Components(), path);
  if (target.Kind == TTarget::TKind::None) {
    Report("missing-path", e, path, String(), String(), "the form has no such property");
    return;
  }
  if (target.Kind == TTarget::TKind::BeyondList) {
    Report("list-length", e, path, String(), String(),
           Format("the list on the form has %d items; this entry is never applied",
                  {target.ListCount}));
    return;
  }
  const std::string_view raw = std::string_view(e.Value).substr(0, MaxAppliedValueLength);
  TChecked checked{&e, target, String(), String(raw)};
  if (target.Kind == TTarget::TKind::SystemMenu) {
    // System-menu texts are the form's menu; their originals are the
    // menu's default texts.
    if (!FSystemMenu) {
      FSystemMenu = std::make_unique<TStringList>();
      Probe().TranslateForm(FSystemMenu.get(), true);
    }
  }
  const bool text = target.IsText();
  const TTypeKind kind = target.Kind == TTarget::TKind::Property ? target.Prop->Kind() : tkLString;
  bool decodes = true;
  const String decoded = Decoded(raw, decodes);
  if (!decodes && kind != tkChar) {
    Report("literal", e, path, String(), String(raw),
           "the value is no well-formed literal: a '#' that no digit follows outside quotes");
    checked.Applies = false;
    FByPath[path] = FChecked.size();
    FChecked.push_back(std::move(checked));
    return;
  }
  if (text && !raw.empty() && !WellFormedLiteral(raw))
    Report("literal", e, path, String(), decoded,
           raw.front() == '\'' || raw.front() == '#'
               ? "the literal has an unclosed quote or text outside its quotes"
               : "the text is not in literal form ('text'); it is taken as it stands",
           TSeverity::Warning);
  if (!text && (!decoded.empty() || FInput.TranslateEmpty)) {
    if (auto problem = ConversionProblem(target.Prop, raw)) {
      Report("convert", e, path, String(), String(raw), *problem);
      checked.Applies = false;
    }
  }
  // The form's current text.
  String current;
  if (target.Kind == TTarget::TKind::SystemMenu) {
    for (int i = 0; i < FSystemMenu->Count(); ++i) {
      const String line = FSystemMenu->Get(i);
      const size_t eq = line.find('=');
      if (eq != String::npos && std::string_view(line).substr(0, eq) == path) {
        current = line.substr(eq + 1);
        break;
      }
    }
  } else {
    current = CurrentValue(target);
  }
  if (text) {
    bool ok = true;
    checked.Original = Decoded(current, ok);
    checked.Translation = decoded;
  } else {
    checked.Original = current;
  }
  if (text && checked.Applies) {
    const String& original = checked.Original;
    if (decoded.empty()) {
      if (HasLetters(original) && !FInput.TranslateEmpty)
        Report("untranslated", e, path, original, decoded,
               "the translation is empty; the original shows");
    } else {
      std::vector<TTextFinding> findings;
      CheckTexts(original, decoded, IsCaption(target), findings);
      auto* label = target.Kind == TTarget::TKind::Property ? dynamic_cast<TLabel*>(target.Object)
                                                            : nullptr;
      for (TTextFinding& f : findings) {
        if (label && label->FocusControl() && String(f.Check) == "accelerator" &&
            AcceleratorsOf(decoded).Count == 0) {
          Report("focus-accelerator", e, path, original, decoded,
                 "the accelerator that moves the focus to " + label->FocusControl()->Name() +
                     " is lost");
          continue;
        }
        Report(f.Check, e, path, original, decoded, f.Message);
      }
    }
  }
  FByPath[path] = FChecked.size();
  FChecked.push_back(std::move(checked));
}

void TRun::CheckOriginals() {
  for (const TCheckEntry& o : FInput.Originals) {
    auto found = FByPath.find(o.Path);
    bool ok = true;
    const String saved = Decoded(o.Value, ok);
    if (found == FByPath.end()) {
      // Saved for another locale, not translated for this one.
      if (!ok || o.Value.empty() || (o.Value[0] != '\'' && o.Value[0] != '#') || !HasLetters(saved))
        continue;
      const TTarget target = Resolve(FRoot, Components(), o.Path);
      if (!target.IsText()) continue;
      Report("untranslated", o, o.Path, saved, String(),
             Format("no translation for locale %d", {FInput.Locale}));
      continue;
    }
    const TChecked& c = FChecked[found->second];
    if (c.Target.Kind == TTarget::TKind::SystemMenu) continue;
    const String now = c.Target.IsText() ? c.Original : c.Original;
    const String was = c.Target.IsText() ? saved : o.Value;
    if (ok && was != now)
      Report("stale-original", *c.Entry, o.Path, now, c.Translation,
             "translated from '" + Shortened(was) + "', which the form no longer has");
  }
}

void TRun::CheckLists() {
  struct TList {
    const TChecked* First = nullptr;
    std::vector<int> Indexes;
    int Count = 0;
  };
  std::map<const TStrings*, TList> lists;
  for (const TChecked& c : FChecked) {
    if (c.Target.Kind != TTarget::TKind::Item) continue;
    TList& l = lists[c.Target.Strings];
    if (!l.First || c.Entry->Line < l.First->Entry->Line) l.First = &c;
    l.Indexes.push_back(c.Target.Index);
    l.Count = c.Target.Strings->Count();
  }
  for (auto& [strings, l] : lists) {
    std::sort(l.Indexes.begin(), l.Indexes.end());
    l.Indexes.erase(std::unique(l.Indexes.begin(), l.Indexes.end()), l.Indexes.end());
    if (static_cast<int>(l.Indexes.size()) == l.Count) continue;
    String path = l.First->Entry->Path;
    path = path.substr(0, path.rfind('['));
    Report("list-length", *l.First->Entry, path, String(), String(),
           Format("%d of the list's %d items are translated", {l.Indexes.size(), l.Count}));
  }
}

void TRun::CheckForm() {
  const bool clash = FSelection.Runs("accelerator-clash");
  const bool truncation = FMeasure && FSelection.Runs("truncation");
  if (!clash && !truncation) return;
  const Integer ppi = FormPixelsPerInch(FRoot);

  // Before: the accelerator keys and the room of the originals.
  const std::vector<TKeyed> keyed = clash ? KeyedComponents(FRoot) : std::vector<TKeyed>();
  std::vector<uint32_t> keysBefore;
  for (const TKeyed& k : keyed) keysBefore.push_back(AcceleratorsOf(k.Caption()).Key);
  struct TFit {
    bool Overflowed = false;
    double Width = 0;
  };
  std::vector<TFit> before(FChecked.size());
  if (truncation) {
    for (size_t i = 0; i < FChecked.size(); ++i) {
      const TChecked& c = FChecked[i];
      if (!c.Target.IsText() || !c.Applies) continue;
      if (auto space = SpaceOf(c.Target, c.Original, ppi)) {
        const TNeed need = Measure(*FMeasure, *space);
        before[i].Width = need.Width;
        before[i].Overflowed = need.Width > space->Width + 1 ||
                               (space->Height > 0 && need.Height > space->Height + 1);
      }
    }
  }

  // The translated form.
  TStringList list;
  // A component's name is left alone: renaming breaks nothing this looks at,
  // and a name the host refuses would stop the walk.
  for (const TChecked& c : FChecked)
    if (c.Applies && c.Target.Name() != "Name") list.Add(c.Entry->Path + "=" + c.Entry->Value);
  if (list.Count() == 0) return;
  // Switching the check's own translator on applies the list.
  TGlossmith& probe = Probe();
  probe.SetTranslateEmpty(FInput.TranslateEmpty);
  probe.SetTranslations(&list);
  struct TRestore {
    TGlossmith& T;
    ~TRestore() {
      try {
        if (T.IsTranslated()) T.RestoreForm();
      } catch (const Exception&) {
      }
    }
  } restore{probe};
  try {
    probe.SetTranslate(true);
  } catch (const Exception&) {
    return;  // an entry that does not apply was reported above
  }
  if (!probe.IsTranslated()) return;

  if (clash) {
    std::map<std::pair<const void*, uint32_t>, std::vector<size_t>> byKey;
    for (size_t i = 0; i < keyed.size(); ++i)
      if (uint32_t key = AcceleratorsOf(keyed[i].Caption()).Key)
        byKey[{keyed[i].Parent, key}].push_back(i);
    for (const auto& [group, members] : byKey) {
      if (members.size() < 2) continue;
      // The originals of these members clashed already (on any key).
      const uint32_t first = keysBefore[members.front()];
      const bool old = first != 0 && std::all_of(members.begin(), members.end(),
                                                 [&](size_t i) { return keysBefore[i] == first; });
      if (old) continue;
      // Reported at the entry of the translated member that comes last.
      const TChecked* at = nullptr;
      String names;
      for (size_t i : members) {
        const String name = keyed[i].Component->Name();
        names += (names.empty() ? "" : ", ") + ("'" + StripAccelerators(keyed[i].Caption()) + "' (" +
                                                 name + ")");
        auto found = FByPath.find(name + ".Caption");
        if (found != FByPath.end() &&
            (!at || FChecked[found->second].Entry->Line > at->Entry->Line))
          at = &FChecked[found->second];
      }
      if (!at) continue;
      Report("accelerator-clash", *at->Entry, at->Entry->Path, at->Original, at->Translation,
             "Alt+" + KeyName(group.second) + " is the accelerator of " + names);
    }
  }

  if (truncation) {
    for (size_t i = 0; i < FChecked.size(); ++i) {
      const TChecked& c = FChecked[i];
      if (!c.Target.IsText() || !c.Applies || c.Translation.empty()) continue;
      auto space = SpaceOf(c.Target, c.Translation, ppi);
      if (!space || space->Width <= 0) continue;
      const TNeed need = Measure(*FMeasure, *space);
      const bool wide = need.Width > space->Width + 1;
      const bool tall = space->Height > 0 && need.Height > space->Height + 1;
      if (!wide && !tall) continue;
      // A text the original already overflows is the form's, unless the
      // translation makes it worse.
      if (before[i].Overflowed && need.Width <= before[i].Width + 1) continue;
      const String size =
          Format("%d px", {static_cast<Integer>(std::lround(FontPixelHeight(*space->Font)))});
      const String how = FMeasure->Kind() == "estimated"
                             ? "estimated from the character widths of " +
                                   FMeasure->Face(*space->Font) + " " + size +
                                   ", the fallback font of " + space->Font->Name()
                             : "measured with Qt in " + FMeasure->Face(*space->Font) + " " + size;
      String message;
      if (wide)
        message = Format("the text needs %d pixels but has %d %s (%s)",
                         {static_cast<Integer>(std::ceil(need.Width)),
                          static_cast<Integer>(space->Width), space->Where, how});
      else
        message = Format("the text needs %d pixels of height but has %d (%s)",
                         {static_cast<Integer>(std::ceil(need.Height)),
                          static_cast<Integer>(space->Height), how});
      Report("truncation", *c.Entry, c.Entry->Path, c.Original, c.Translation, message);
    }
  }
}

void TRun::Run() {
  // The walk reads untranslated values: translators showing theirs restore.
  for (int i = 0; i < FRoot->ComponentCount(); ++i)
    if (auto* t = dynamic_cast<TGlossmith*>(FRoot->Components(i)); t && t->IsTranslated())
      t->RestoreForm();
  struct TDropProbe {
    TGlossmith*& Probe;
    ~TDropProbe() { delete Probe; }
  } drop{FProbe};
  FChecked.reserve(FInput.Entries.size());
  for (const TCheckEntry& e : FInput.Entries) CheckEntry(e);
  CheckOriginals();
  CheckLists();
  CheckForm();
}

}  // namespace

void CheckTranslator(TComponent* root, const TTranslatorCheck& input,
                     const TCheckSelection& selection, const TTextMeasure* measure,
                     std::vector<TDiagnostic>& out) {
  TRun(root, input, selection, measure, out).Run();
}

bool HasErrors(const std::vector<TDiagnostic>& diagnostics) {
  return std::any_of(diagnostics.begin(), diagnostics.end(),
                     [](const TDiagnostic& d) { return d.Severity == TSeverity::Error; });
}

}  // namespace Glossmith::inline Check

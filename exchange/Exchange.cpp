#include "exchange/Exchange.h"

#include <algorithm>
#include <functional>
#include <unordered_map>

#include "gls/StorageSupport.h"
#include "host/controls/Graphics.h"

namespace Glossmith::inline Exchange {

namespace {

// Windows primary language identifiers and their ISO 639 codes.
struct TLanguage {
  Integer Id;
  const char* Code;
};
constexpr TLanguage kLanguages[] = {
    {0x01, "ar"}, {0x02, "bg"}, {0x03, "ca"}, {0x04, "zh"}, {0x05, "cs"}, {0x06, "da"},
    {0x07, "de"}, {0x08, "el"}, {0x09, "en"}, {0x0A, "es"}, {0x0B, "fi"}, {0x0C, "fr"},
    {0x0D, "he"}, {0x0E, "hu"}, {0x0F, "is"}, {0x10, "it"}, {0x11, "ja"}, {0x12, "ko"},
    {0x13, "nl"}, {0x14, "nb"}, {0x15, "pl"}, {0x16, "pt"}, {0x17, "rm"}, {0x18, "ro"},
    {0x19, "ru"}, {0x1A, "hr"}, {0x1B, "sk"}, {0x1C, "sq"}, {0x1D, "sv"}, {0x1E, "th"},
    {0x1F, "tr"}, {0x20, "ur"}, {0x21, "id"}, {0x22, "uk"}, {0x23, "be"}, {0x24, "sl"},
    {0x25, "et"}, {0x26, "lv"}, {0x27, "lt"}, {0x29, "fa"}, {0x2A, "vi"}, {0x2B, "hy"},
    {0x2C, "az"}, {0x2D, "eu"}, {0x2F, "mk"}, {0x36, "af"}, {0x37, "ka"}, {0x38, "fo"},
    {0x39, "hi"}, {0x3E, "ms"}, {0x3F, "kk"}, {0x41, "sw"}, {0x43, "uz"}, {0x44, "tt"},
    {0x45, "bn"}, {0x46, "pa"}, {0x47, "gu"}, {0x49, "ta"}, {0x4A, "te"}, {0x4B, "kn"},
    {0x4C, "ml"}, {0x4E, "mr"}, {0x56, "gl"},
};

// Full locale identifiers (sublanguage << 10 | primary language) whose tags
// carry a region.
struct TLocaleTag {
  Integer Id;
  const char* Tag;
};
constexpr TLocaleTag kLocales[] = {
    {0x0401, "ar-SA"}, {0x0404, "zh-TW"}, {0x0405, "cs-CZ"}, {0x0406, "da-DK"},
    {0x0407, "de-DE"}, {0x0408, "el-GR"}, {0x0409, "en-US"}, {0x040A, "es-ES"},
    {0x040B, "fi-FI"}, {0x040C, "fr-FR"}, {0x040D, "he-IL"}, {0x040E, "hu-HU"},
    {0x0410, "it-IT"}, {0x0411, "ja-JP"}, {0x0412, "ko-KR"}, {0x0413, "nl-NL"},
    {0x0414, "nb-NO"}, {0x0415, "pl-PL"}, {0x0416, "pt-BR"}, {0x0419, "ru-RU"},
    {0x041D, "sv-SE"}, {0x041F, "tr-TR"}, {0x0422, "uk-UA"}, {0x0804, "zh-CN"},
    {0x0807, "de-CH"}, {0x0809, "en-GB"}, {0x080A, "es-MX"}, {0x080C, "fr-BE"},
    {0x0810, "it-CH"}, {0x0813, "nl-BE"}, {0x0814, "nn-NO"}, {0x0816, "pt-PT"},
    {0x0C04, "zh-HK"}, {0x0C07, "de-AT"}, {0x0C09, "en-AU"}, {0x0C0A, "es-ES"},
    {0x0C0C, "fr-CA"}, {0x1009, "en-CA"}, {0x100C, "fr-CH"},
};

String PrimaryOf(std::string_view tag) {
  size_t end = tag.find_first_of("-_@.");
  return LowerCase(Trim(tag.substr(0, end)));
}

bool IsLiteral(std::string_view value) {
  return !value.empty() && (value[0] == '\'' || value[0] == '#');
}

// The plain text of a raw value: decoded when it is in literal form.
String Plain(std::string_view raw, bool literal) {
  String text(raw);
  if (literal && IsLiteral(text)) {
    try {
      TGlossmith::ConvertFromLiterals(text);
    } catch (const EConvertError&) {
      text = String(raw);
    }
  }
  return text;
}

bool IsTranslatorComponent(const TComponent* root, std::string_view name) {
  return dynamic_cast<const TGlossmith*>(root->FindComponent(name)) != nullptr;
}

// The path without its last segment ("Button1.Font.Name" gives
// "Button1.Font", "ListBox1.Items[2]" gives "ListBox1"), and the last one.
std::pair<std::string_view, std::string_view> SplitLast(std::string_view path) {
  size_t dot = path.rfind('.');
  std::string_view last = dot == std::string_view::npos ? path : path.substr(dot + 1);
  std::string_view rest = dot == std::string_view::npos ? std::string_view() : path.substr(0, dot);
  return {rest, last};
}

// The next line of a text file: a carriage return, a line feed or the pair
// ends a line.
std::string_view NextLine(std::string_view data, size_t& pos) {
  size_t end = data.find_first_of("\r\n", pos);
  if (end == std::string_view::npos) end = data.size();
  std::string_view line = data.substr(pos, end - pos);
  pos = end;
  if (pos < data.size() && data[pos] == '\r') ++pos;
  if (pos < data.size() && data[pos] == '\n' && (pos == end || data[end] == '\r')) ++pos;
  return line;
}

bool IsFontPath(std::string_view path) {
  return path.starts_with("Font.") || path.find(".Font.") != std::string_view::npos;
}

// Whether the path reaches its property through a property that refers to
// another component (Label1.FocusControl.Hint is Edit1.Hint again).
bool ThroughReference(const TComponent* root, std::string_view path);

}  // namespace

String LanguageTagOf(Integer locale) {
  for (const TLocaleTag& l : kLocales)
    if (l.Id == locale) return l.Tag;
  const Integer primary = locale > 0x3FF ? (locale & 0x3FF) : locale;
  for (const TLanguage& l : kLanguages)
    if (l.Id == primary) return l.Code;
  return String();
}

bool SameLanguage(std::string_view tag, Integer locale) {
  const String mine = LanguageTagOf(locale);
  const String theirs = PrimaryOf(tag);
  if (mine.empty() || theirs.empty()) return true;
  // Norwegian Bokmål is also written "no".
  const String primary = PrimaryOf(mine);
  if (primary == "nb" && theirs == "no") return true;
  return primary == theirs;
}

namespace {

void TakeStoredLine(std::string_view line, std::string_view formName, Integer locale,
                    TStoredLines& lines) {
  std::string_view rest = line.substr(formName.size() + 1, MaxValueLength);
  size_t eq = rest.find('=');
  if (eq == std::string_view::npos) return;
  std::string_view key = rest.substr(0, eq);
  size_t percent = key.find('%');
  if (percent == std::string_view::npos) return;
  Integer lineLocale;
  if (!TryStrToInt(key.substr(percent + 1, MaxLocaleLength), lineLocale)) return;
  String path(key.substr(0, percent));
  String value(rest.substr(eq + 1));
  if (lineLocale == -1)
    lines.Originals[path] = std::move(value);
  else if (lineLocale == locale)
    lines.Translations[path] = std::move(value);
}

}  // namespace

TFormLineIndex::TFormLineIndex(std::string_view data) {
  size_t pos = 0;
  while (pos < data.size()) {
    std::string_view line = NextLine(data, pos);
    const size_t dot = line.find('.');
    if (dot == std::string_view::npos) continue;
    FLines[line.substr(0, dot)].push_back(line);
  }
}

TStoredLines ReadStoredLines(const TFormLineIndex& index, std::string_view formName,
                             Integer locale) {
  TStoredLines lines;
  auto it = index.FLines.find(formName);
  if (it != index.FLines.end())
    for (std::string_view line : it->second) TakeStoredLine(line, formName, locale, lines);
  return lines;
}

TStoredLines ReadStoredLines(std::string_view data, std::string_view formName, Integer locale) {
  return ReadStoredLines(TFormLineIndex(data), formName, locale);
}

std::vector<TExchangeUnit> BuildUnits(TGlossmith& translator, const TStoredLines* stored,
                                      const TExchangeOptions& options) {
  const TComponent* root = translator.Owner();
  const String formName = glsstorage::FormNameOf(root);
  TStringList collected;
  translator.TranslateForm(&collected, true);

  // The translations: path -> raw value.
  std::map<String, String, std::less<>> translations;
  if (stored) {
    translations = stored->Translations;
  } else {
    for (int i = 0; i < translator.Translations()->Count(); ++i) {
      const String line = translator.Translations()->Get(i);
      const size_t eq = line.find('=');
      if (eq == String::npos) continue;
      translations[line.substr(0, eq)] = line.substr(eq + 1);
    }
  }
  std::unordered_map<std::string_view, std::string_view> current;
  current.reserve(static_cast<size_t>(collected.Count()));
  for (const auto& item : collected.Items()) {
    const size_t eq = item.Str.find('=');
    if (eq == String::npos) continue;
    std::string_view line = item.Str;
    current.emplace(line.substr(0, eq), line.substr(eq + 1));
  }
  auto valueOf = [&](const String& path) -> std::optional<std::string_view> {
    auto it = current.find(path);
    if (it == current.end()) return std::nullopt;
    return it->second;
  };

  std::vector<TExchangeUnit> units;
  for (const auto& item : collected.Items()) {
    const size_t eq = item.Str.find('=');
    if (eq == String::npos) continue;
    const String path = item.Str.substr(0, eq);
    const std::string_view raw = std::string_view(item.Str).substr(eq + 1);
    const size_t dot = path.find('.');
    const std::string_view first = std::string_view(path).substr(0, dot);
    const bool onComponent = dot != String::npos && root->FindComponent(first) != nullptr;
    if (onComponent && IsTranslatorComponent(root, first)) continue;
    const bool isValue = !IsLiteral(raw) || IsFontPath(path);
    auto translation = translations.find(path);
    const bool translated = translation != translations.end();
    if (!translated && ThroughReference(root, path)) continue;
    if (isValue && !options.Values) continue;
    if (!translated) {
      // Names (of components, of the components a property refers to) and
      // empty texts are not for translating.
      if (!isValue && (path == "Name" || path.ends_with(".Name"))) continue;
      if (!isValue && raw == "''") continue;
    }
    TExchangeUnit unit;
    unit.Path = path;
    unit.Context = formName + "." + path;
    unit.IsValue = isValue;
    unit.Literal = IsLiteral(raw);
    unit.Source = Plain(raw, unit.Literal);
    if (translated) {
      unit.Target = Plain(translation->second, unit.Literal);
      unit.State = unit.Target.empty() && !isValue ? TUnitState::Untranslated
                                                   : TUnitState::Translated;
      if (stored && unit.State == TUnitState::Translated) {
        auto original = stored->Originals.find(path);
        if (original != stored->Originals.end()) {
          String old = Plain(original->second, unit.Literal);
          if (old != unit.Source) {
            unit.State = TUnitState::Stale;
            unit.Previous = std::move(old);
          }
        }
      }
    }
    // A text with a NUL character (a PasswordChar of #0 in a generic
    // component) is no text to translate, and no catalog format carries it.
    if (unit.Source.find('\0') != String::npos || unit.Target.find('\0') != String::npos) continue;
    // Where it shows.
    unit.ClassName = onComponent ? root->FindComponent(first)->ClassName() : root->ClassName();
    unit.Property = onComponent ? path.substr(dot + 1) : path;
    unit.OnForm = !onComponent;
    auto [holder, last] = SplitLast(path);
    const String prefix = holder.empty() ? String() : String(holder) + ".";
    const String owner = onComponent ? String(first) + "." : String();
    for (const String& base : {prefix, owner}) {
      if (unit.Width) break;
      if (auto width = valueOf(base + "Width")) {
        Integer w;
        if (TryStrToInt(*width, w)) unit.Width = w;
      }
    }
    for (const String& base : {prefix, owner, String()}) {
      if (auto font = valueOf(base + "Font.Name")) {
        unit.FontName = Plain(*font, true);
        if (auto size = valueOf(base + "Font.Size")) {
          Integer s;
          if (TryStrToInt(*size, s)) unit.FontSize = s;
        }
        break;
      }
    }
    units.push_back(std::move(unit));
  }

  // Translations of paths the form no longer has.
  for (const auto& [path, raw] : translations) {
    if (current.count(path)) continue;
    TExchangeUnit unit;
    unit.Path = path;
    unit.Context = formName + "." + path;
    unit.IsValue = !IsLiteral(raw) || IsFontPath(path);
    unit.Literal = IsLiteral(raw);
    if (unit.IsValue && !options.Values) continue;
    unit.State = TUnitState::Obsolete;
    unit.Target = Plain(raw, unit.Literal);
    if (stored) {
      auto original = stored->Originals.find(path);
      if (original != stored->Originals.end())
        unit.Previous = Plain(original->second, unit.Literal);
    }
    unit.Source = unit.Previous.value_or(String());
    units.push_back(std::move(unit));
  }
  return units;
}

std::vector<String> DescribeUnit(const TExchangeUnit& unit) {
  std::vector<String> lines;
  if (!unit.ClassName.empty()) lines.push_back(unit.ClassName + ", " + unit.Property);
  String space;
  if (unit.Width) space = "width " + IntToStr(*unit.Width) + " px";
  if (!unit.FontName.empty()) {
    if (!space.empty()) space += ", ";
    space += "font " + unit.FontName;
    if (unit.FontSize) space += " " + IntToStr(*unit.FontSize) + " pt";
  }
  if (!space.empty()) lines.push_back(space);
  return lines;
}

// --- Values ----------------------------------------------------------------------

namespace {

// One step of a path: a name and, when it ends in brackets, an index.
struct TStep {
  std::string_view Name;
  int Index = -1;
};

bool ParseStep(std::string_view text, TStep& step) {
  step = TStep{text, -1};
  size_t open = text.find('[');
  if (open == std::string_view::npos) return true;
  if (!text.ends_with(']')) return false;
  Integer index;
  if (!TryStrToInt(text.substr(open + 1, text.size() - open - 2), index) || index < 0)
    return false;
  step = TStep{text.substr(0, open), index};
  return true;
}

}  // namespace

namespace {

bool ThroughReference(const TComponent* root, std::string_view path) {
  const TObject* obj = root;
  std::string_view rest = path;
  size_t dot = rest.find('.');
  if (dot == std::string_view::npos) return false;
  if (const TComponent* c = root->FindComponent(rest.substr(0, dot))) {
    obj = c;
    rest.remove_prefix(dot + 1);
  }
  while ((dot = rest.find('.')) != std::string_view::npos) {
    TStep step;
    if (!ParseStep(rest.substr(0, dot), step)) return false;
    PPropInfo prop = GetPropInfo(obj, step.Name);
    if (!prop || !prop->PropType || prop->PropType->Kind != tkClass) return false;
    const TObject* sub = GetObjectProp(obj, prop);
    if (dynamic_cast<const TComponent*>(sub)) return true;
    if (step.Index >= 0) {
      auto* collection = dynamic_cast<const TCollection*>(sub);
      if (!collection || step.Index >= collection->Count()) return false;
      sub = collection->Items(step.Index);
    }
    if (!sub) return false;
    obj = sub;
    rest.remove_prefix(dot + 1);
  }
  return false;
}

}  // namespace

std::optional<TChange> ChangeFor(const TExchangeUnit& unit,
                                 const String& source, const String& target,
                                 const TStoredLines* stored) {
  String value = target;
  String original = source;
  if (unit.Literal) {
    TGlossmith::ConvertToLiterals(value);
    TGlossmith::ConvertToLiterals(original);
  }
  const bool sameTarget = unit.State != TUnitState::Untranslated && unit.Target == target;
  bool sameOriginal = true;
  if (stored) {
    auto it = stored->Originals.find(unit.Path);
    if (it == stored->Originals.end())
      sameOriginal = false;
    else if (Plain(it->second, unit.Literal) == source)
      original = it->second;
    else
      sameOriginal = false;
  }
  if (sameTarget && sameOriginal) return std::nullopt;
  if (sameTarget && stored) {
    auto it = stored->Translations.find(unit.Path);
    if (it != stored->Translations.end()) value = it->second;
  }
  return TChange{unit.Path, value, original};
}

void ApplyChanges(TGlossmith& translator, const std::vector<TChange>& changes) {
  if (changes.empty()) return;
  std::map<String, const TChange*, std::less<>> byPath;
  for (const TChange& c : changes) byPath[c.Path] = &c;
  TStringList list;
  for (int i = 0; i < translator.Translations()->Count(); ++i) {
    String line = translator.Translations()->Get(i);
    const size_t eq = line.find('=');
    auto it = eq == String::npos ? byPath.end() : byPath.find(std::string_view(line).substr(0, eq));
    if (it != byPath.end()) continue;
    list.Add(line);
  }
  for (const auto& [path, change] : byPath) list.Add(path + "=" + change->Value);
  translator.SetTranslations(&list);
}

String MergeChanges(std::string_view data, std::string_view formName, Integer locale,
                    const std::vector<TChange>& changes) {
  return MergeChanges(data, {TFormChanges{String(formName), locale, changes}});
}

void MergeChanges(std::string_view data, const std::vector<TFormChanges>& forms,
                  const std::function<void(std::string_view)>& write) {
  // "Form.path" -> the locale whose line, with the original's, is replaced.
  std::unordered_map<String, String> replaced;
  std::vector<String> added;
  for (const TFormChanges& form : forms) {
    const String localeText = IntToStr(form.Locale);
    for (const TChange& change : form.Changes) {
      const String full = form.FormName + "." + change.Path;
      if (!replaced.emplace(full, localeText).second) continue;  // the first change wins
      added.push_back(full + "%-1=" + change.Original);
      if (form.Locale != -1) added.push_back(full + "%" + localeText + "=" + change.Value);
    }
  }
  if (added.empty()) {
    write(data);
    return;
  }
  std::sort(added.begin(), added.end());
  // The file's lines without the ones replaced; each new line goes before the
  // first kept line that sorts after it, as inserting it into the sorted file
  // would put it.
  String out;
  constexpr size_t kPiece = 1 << 20;  // what is handed on at a time
  out.reserve(kPiece + 4096);
  size_t next = 0;
  size_t pos = 0;
  String key;
  while (pos < data.size()) {
    std::string_view line = NextLine(data, pos);
    const std::string_view head = line.substr(0, line.find('='));
    const size_t percent = head.find('%');
    if (percent != std::string_view::npos && head.find('.') < percent) {
      key.assign(head.substr(0, percent));
      auto it = replaced.find(key);
      if (it != replaced.end()) {
        const std::string_view lineLocale = head.substr(percent + 1);
        if (lineLocale == "-1" || lineLocale == it->second) continue;
      }
    }
    while (next < added.size() && std::string_view(added[next]) < line) {
      out += added[next++];
      out += "\r\n";
    }
    out += line;
    out += "\r\n";
    if (out.size() >= kPiece) {
      write(out);
      out.clear();
    }
  }
  for (; next < added.size(); ++next) {
    out += added[next];
    out += "\r\n";
  }
  write(out);
}

String MergeChanges(std::string_view data, const std::vector<TFormChanges>& forms) {
  String out;
  out.reserve(data.size() + 4096);
  MergeChanges(data, forms, [&out](std::string_view piece) { out += piece; });
  return out;
}

}  // namespace Glossmith::inline Exchange

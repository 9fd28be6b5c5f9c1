#include "Places.h"

#include "gls/Gls.h"
#include "gls/StorageSupport.h"
#include "host/classes/Streams.h"
#include "host/classes/TextLines.h"

namespace Glossmith::Tool {

using glsstorage::After;
using glsstorage::Before;

namespace {

// Calls f(line, number) for each line of the file; a file that cannot be
// read has no lines (the error being reported is the one that matters).
template <class F>
void ForEachNumberedLine(const String& file, F&& f) {
  String text;
  try {
    text = ReadFileToString(file);
  } catch (const Exception&) {
    return;
  }
  int number = 0;
  ForEachLine(text, [&](std::string_view line) { f(line, ++number); });
}

// Whether a line belongs to form `formName`; `rest` is then the part after
// the form name and its dot, as loading reads it.
bool IsFormLine(std::string_view line, std::string_view formName, std::string_view& rest) {
  if (line.size() <= formName.size() || line[formName.size()] != '.' ||
      !line.starts_with(formName) || Before(line, '.') != formName)
    return false;
  rest = line.substr(formName.size() + 1, MaxValueLength);
  return true;
}

// The locale of a key part (before the first "="): the text after its first
// "%", or all of it when it has none; false when that is no number.
bool KeyLocale(std::string_view keyPart, Integer& locale) {
  const size_t pct = keyPart.find('%');
  return TryStrToInt(
      pct == std::string_view::npos ? keyPart : keyPart.substr(pct + 1, MaxLocaleLength), locale);
}

}  // namespace

std::optional<TPlace> FindTranslationLine(const String& file, std::string_view formName,
                                          Integer locale, std::string_view entry) {
  std::optional<TPlace> found;
  const size_t localeLength = IntToStr(locale).size() + 1;
  ForEachNumberedLine(file, [&](std::string_view line, int number) {
    std::string_view rest;
    Integer lineLocale;
    if (!IsFormLine(line, formName, rest) || !KeyLocale(Before(rest, '='), lineLocale) ||
        lineLocale != locale)
      return;
    // Loading removes the "%" and as many characters as the locale has.
    String loaded(rest);
    const size_t pct = loaded.find('%');
    if (pct != String::npos) loaded.erase(pct, localeLength);
    if (loaded == entry) found = TPlace{file, number};
  });
  return found;
}

std::optional<TPlace> FindBadLocaleLine(const String& file, std::string_view formName, bool last,
                                        String& text) {
  std::optional<TPlace> found;
  ForEachNumberedLine(file, [&](std::string_view line, int number) {
    std::string_view rest;
    if ((found && !last) || !IsFormLine(line, formName, rest)) return;
    // Saving takes the key part of the whole line, loading that of the part
    // it reads.
    Integer locale;
    if (KeyLocale(Before(last ? line : rest, '='), locale)) return;
    found = TPlace{file, number};
    text = String(line);
  });
  return found;
}

std::optional<TPlace> FindDictionaryLine(const String& file, std::string_view original,
                                         std::string_view value) {
  std::optional<TPlace> found;
  ForEachNumberedLine(file, [&](std::string_view line, int number) {
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return;
    if (TGlossmith::ReadString(String(line.substr(0, tab))) != original) return;
    const String translation = TGlossmith::ReadString(String(line.substr(tab + 1, MaxValueLength)));
    String literal = translation;
    TGlossmith::ConvertToLiterals(literal);
    if (value == translation || value == literal) found = TPlace{file, number};
  });
  return found;
}

std::optional<int> FindFormEntryLine(const TFormObject& translator, std::string_view entry) {
  for (const TFormProperty& p : translator.Properties) {
    if (!SameText(p.Name, "Translations.Strings") || p.Value.Kind != TFormValueKind::List) continue;
    for (const TFormValue& item : p.Value.Items)
      if (item.Kind == TFormValueKind::String && item.Text == entry && item.Line > 0)
        return item.Line;
  }
  return std::nullopt;
}

String Shortened(std::string_view entry) {
  constexpr size_t kShown = 120;
  if (entry.size() <= kShown) return String(entry);
  size_t cut = kShown;
  // Not inside a UTF-8 character.
  while (cut > 0 && (static_cast<unsigned char>(entry[cut]) & 0xC0) == 0x80) --cut;
  return String(entry.substr(0, cut)) + "...";
}

String ReasonOf(const Exception& error) {
  if (const auto* placed = dynamic_cast<const EFileLineError*>(&error)) {
    const String place = placed->FileName() + ", line " + IntToStr(placed->Line()) + ": ";
    if (placed->Message().starts_with(place)) return placed->Message().substr(place.size());
  }
  return error.Message();
}

String PlacedMessage(const TPlace& place, std::string_view entry, const String& error) {
  return place.File + ", line " + IntToStr(place.Line) + ": " + Shortened(entry) + ": " + error;
}

}  // namespace Glossmith::Tool

#include "exchange/Formats.h"
#include "exchange/Po.h"

namespace Glossmith::inline Exchange {

namespace {

// A catalog declares UTF-8: a text in another code page cannot go in.
void RequireUtf8(const String& text, const TExchangeUnit& unit, const String& formFile) {
  for (size_t i = 0; i < text.size();) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    const size_t n = Utf8CharLength(text, i);
    if (n == 0)
      throw EConvertError(formFile + ": " + unit.Context +
                          ": the text is not valid UTF-8, which a PO file must be; convert the "
                          "form's texts to UTF-8 first");
    i += n;
  }
}

}  // namespace

TPoCatalogWriter::TPoCatalogWriter(const TCatalogInfo& info, const String& project) {
  TPoEntry header;
  header.Str = "Project-Id-Version: " + project + "\n";
  header.Str += "Language: " + LanguageTagOf(info.Locale) + "\n";
  header.Str +=
      "MIME-Version: 1.0\n"
      "Content-Type: text/plain; charset=UTF-8\n"
      "Content-Transfer-Encoding: 8bit\n";
  header.Str += "X-Generator: " + info.Generator + "\n";
  header.Str += "X-Glossmith-Locale: " + IntToStr(info.Locale) + "\n";
  WritePoEntry(FOut, header);
}

void TPoCatalogWriter::Add(const TFormUnits& form) {
  for (const TExchangeUnit& unit : form.Units) {
    RequireUtf8(unit.Source, unit, form.FormFile);
    RequireUtf8(unit.Target, unit, form.FormFile);
    if (unit.Previous) RequireUtf8(*unit.Previous, unit, form.FormFile);
    TPoEntry e;
    e.Context = unit.Context;
    e.Id = unit.Source;
    e.Str = unit.Target;
    if (unit.State == TUnitState::Obsolete) {
      // An obsolete entry without a translation carries nothing.
      if (unit.Target.empty()) continue;
      e.Obsolete = true;
      if (unit.IsValue) e.SetFlag(kValueFlag, true);
      // An obsolete entry keeps its translation; without a stored original
      // the translation stands in for it.
      if (e.Id.empty()) e.Id = unit.Target;
      FObsolete += '\n';
      WritePoEntry(FObsolete, e);
      continue;
    }
    e.Extracted = DescribeUnit(unit);
    e.References.push_back(form.FormFile);
    if (unit.State == TUnitState::Stale) {
      e.SetFlag("fuzzy", true);
      e.PreviousId = unit.Previous;
    }
    if (unit.IsValue) e.SetFlag(kValueFlag, true);
    FOut += '\n';
    WritePoEntry(FOut, e);
  }
}

String TPoCatalogWriter::Finish() {
  FOut += FObsolete;
  FObsolete.clear();
  return std::move(FOut);
}

String WritePoCatalog(const std::vector<TFormUnits>& forms, const TCatalogInfo& info) {
  String project = forms.empty() ? String() : forms.front().FormName;
  if (forms.size() > 1) project += " and " + IntToStr(static_cast<Int64>(forms.size() - 1)) + " more";
  TPoCatalogWriter writer(info, project);
  for (const TFormUnits& form : forms) writer.Add(form);
  return writer.Finish();
}

TIncomingCatalog ReadPoCatalog(std::string_view data, const String& fileName) {
  TIncomingCatalog in;
  // Each entry becomes an incoming one as it is read, its comments let go.
  const TPoCatalog catalog = ReadPo(data, fileName, [&in](TPoEntry&& e) {
    if (e.Obsolete) return;
    TIncoming entry;
    entry.Context = std::move(e.Context).value_or(String());
    entry.Source = std::move(e.Id);
    entry.Target = std::move(e.Str);
    entry.Fuzzy = e.Fuzzy();
    entry.Line = e.Line;
    if (e.IsPlural()) entry.Ignored = "a plural entry (form texts have no plural forms)";
    in.Entries.push_back(std::move(entry));
  });
  if (const TPoEntry* header = catalog.Header()) {
    in.Language = catalog.HeaderField("Language");
    // The line of the header that names the language.
    in.LanguageLine = header->Line;
    size_t pos = 0;
    for (int line = 1; pos < data.size() && line < header->Line + 64; ++line) {
      size_t end = data.find('\n', pos);
      if (end == std::string_view::npos) end = data.size();
      if (line >= header->Line && data.substr(pos, end - pos).find("Language:") != std::string_view::npos) {
        in.LanguageLine = line;
        break;
      }
      pos = end + 1;
    }
    Integer locale;
    if (TryStrToInt(catalog.HeaderField("X-Glossmith-Locale"), locale)) in.Locale = locale;
  }
  return in;
}

}  // namespace Glossmith::inline Exchange

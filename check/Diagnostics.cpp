#include "check/Diagnostics.h"

#include <algorithm>

namespace Glossmith::inline Check {

const char* SeverityName(TSeverity severity) {
  return severity == TSeverity::Error ? "error" : "warning";
}

const std::vector<TCheckInfo>& AllChecks() {
  using enum TSeverity;
  static const std::vector<TCheckInfo> checks = {
      {"convert", Error,
       "a value that does not convert to its property's type (number, enumeration, set, colour, "
       "font style, character), which stops the translation when it is applied"},
      {"literal", Error,
       "a string value that is no well-formed literal (a # that no digit follows)"},
      {"placeholders", Error,
       "format placeholders (%s, %d, %1, %0:s and the other Format specifiers) of the original "
       "missing from the translation or added to it, in any order"},
      {"missing-path", Warning, "an entry for a property the form no longer has"},
      {"stale-original", Warning,
       "an original text saved beside the translation that differs from the form's current text"},
      {"value-length", Warning,
       "a value longer than 4,095 bytes, which the translation file cuts off"},
      {"untranslated", Warning,
       "a text saved as an original with no translation for the locale, or translated as empty"},
      {"unchanged", Warning,
       "a translation of several words equal to its original (texts without letters and single "
       "words, often the same in both languages, are not reported)"},
      {"accelerator", Warning,
       "a caption whose original has one accelerator (&) and whose translation has none or "
       "several (&& is a literal ampersand)"},
      {"whitespace", Warning, "leading or trailing whitespace that differs from the original's"},
      {"line-breaks", Warning, "a different number of line breaks than the original's"},
      {"punctuation", Warning,
       "ending punctuation (: . ... ? !) that differs from the original's, the language's own "
       "marks accepted (\" :\", \"…\", \"？\", \"؟\")"},
      {"double-space", Warning, "two spaces in a row where the original has none"},
      {"list-length", Warning,
       "a string list or collection whose translated items are not the form's items (some missing, "
       "or beyond its end)"},
      {"accelerator-clash", Warning,
       "two controls or menu items with one parent whose translated captions use the same "
       "accelerator key, which the originals do not"},
      {"focus-accelerator", Warning,
       "a label with a FocusControl whose translation lost the accelerator that moves the focus"},
      {"truncation", Warning,
       "a translated text wider (or, on several lines, taller) than the space its control gives "
       "it, measured in the control's font"},
  };
  return checks;
}

const TCheckInfo* FindCheck(std::string_view name) {
  for (const TCheckInfo& c : AllChecks())
    if (name == c.Name) return &c;
  return nullptr;
}

std::set<String> TCheckSelection::Parse(std::string_view names) {
  std::set<String> result;
  size_t start = 0;
  while (start <= names.size()) {
    size_t comma = names.find(',', start);
    if (comma == std::string_view::npos) comma = names.size();
    String name(Trim(names.substr(start, comma - start)));
    if (!name.empty()) {
      if (!FindCheck(name)) throw EConvertError("unknown check '" + name + "' (gls check --list)");
      result.insert(name);
    }
    start = comma + 1;
  }
  return result;
}

void TCheckSelection::Only(std::string_view names) {
  for (const String& n : Parse(names)) FOnly.insert(n);
}

void TCheckSelection::Skip(std::string_view names) {
  for (const String& n : Parse(names)) FSkip.insert(n);
}

TCheckSelection TCheckSelection::ErrorsOnly() {
  TCheckSelection s;
  s.FErrorsOnly = true;
  return s;
}

bool TCheckSelection::Runs(std::string_view name) const {
  const String key(name);
  if (FSkip.contains(key)) return false;
  if (!FOnly.empty() && !FOnly.contains(key)) return false;
  if (FErrorsOnly) {
    const TCheckInfo* info = FindCheck(name);
    return info && info->Severity == TSeverity::Error;
  }
  return true;
}

namespace {

// A text shown in a message: quoted, control characters as the literal form
// writes them, shortened when long.
String Shown(std::string_view text) {
  String out = "'";
  size_t n = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (++n > 80 && (c & 0xC0) != 0x80) {
      out += "...";
      break;
    }
    if (c < 32)
      out += "#" + IntToStr(c);
    else
      out += static_cast<char>(c);
  }
  return out + "'";
}

}  // namespace

String FormatDiagnostic(const TDiagnostic& d) {
  String text = d.File.empty() ? String("(form)") : d.File;
  if (d.Line > 0) text += ":" + IntToStr(d.Line);
  text += ": ";
  text += SeverityName(d.Severity);
  text += ": ";
  if (!d.Path.empty()) text += d.Path + ": ";
  text += d.Message;
  if (!d.Original.empty() || !d.Translation.empty())
    text += " (original " + Shown(d.Original) + ", translation " + Shown(d.Translation) + ")";
  text += " [" + d.Check + "]";
  return text;
}

String JsonString(std::string_view text) {
  String out = "\"";
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
      ++i;
    } else if (c < 0x20) {
      static const char* hex = "0123456789abcdef";
      out += "\\u00";
      out += hex[c >> 4];
      out += hex[c & 15];
      ++i;
    } else if (c < 0x80) {
      out += static_cast<char>(c);
      ++i;
    } else {
      uint32_t code = 0;
      const size_t len = Utf8CharLength(text, i, code);
      // Utf8CharLength gives 0 for a byte that starts no valid sequence.
      if (len == 0) {
        out += "\xEF\xBF\xBD";
        ++i;
      } else {
        out.append(text.substr(i, len));
        i += len;
      }
    }
  }
  return out + "\"";
}

String DiagnosticsToJson(const std::vector<TDiagnostic>& diagnostics) {
  String out = "[";
  bool first = true;
  for (const TDiagnostic& d : diagnostics) {
    out += first ? "\n  {" : ",\n  {";
    first = false;
    out += "\"file\": " + JsonString(d.File);
    out += ", \"line\": " + IntToStr(d.Line);
    out += ", \"severity\": " + JsonString(SeverityName(d.Severity));
    out += ", \"check\": " + JsonString(d.Check);
    out += ", \"form\": " + JsonString(d.Form);
    out += ", \"locale\": " + IntToStr(d.Locale);
    out += ", \"path\": " + JsonString(d.Path);
    out += ", \"original\": " + JsonString(d.Original);
    out += ", \"translation\": " + JsonString(d.Translation);
    out += ", \"message\": " + JsonString(d.Message);
    out += "}";
  }
  out += diagnostics.empty() ? "]\n" : "\n]\n";
  return out;
}

void SortDiagnostics(std::vector<TDiagnostic>& diagnostics) {
  std::stable_sort(diagnostics.begin(), diagnostics.end(),
                   [](const TDiagnostic& a, const TDiagnostic& b) {
                     if (a.File != b.File) return a.File < b.File;
                     if (a.Line != b.Line) return a.Line < b.Line;
                     return a.Check < b.Check;
                   });
}

}  // namespace Glossmith::inline Check

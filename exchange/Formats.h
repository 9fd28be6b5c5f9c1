// The exchange formats as carriers of units: a catalog written for one
// locale from the units of several forms, and the translated entries read
// back from one.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "exchange/Exchange.h"

namespace Glossmith::inline Exchange {

// The units of one form, as a catalog holds them.
struct TFormUnits {
  String FormFile;  // the form file, as the catalog names it
  String FormName;
  std::vector<TExchangeUnit> Units;
};

// What a catalog is written for.
struct TCatalogInfo {
  Integer Locale = 0;
  String Generator;  // "Glossmith 1.0.0"
};

// One entry read back from a catalog.
struct TIncoming {
  String Context;      // form name "." path
  String Source;       // the original the translator worked from
  String Target;       // the translation; empty when there is none
  bool Fuzzy = false;  // marked for review (PO fuzzy; XLIFF needs-review, ...)
  int Line = 0;        // where it is in the file, from 1
  // The file names the entry by no path (a numbered XLIFF unit as po2xliff
  // writes it): it is matched by its source text.
  bool BySource = false;
  // Set for an entry that is read but not used (a plural entry, a unit
  // without a resname), with the reason for the note.
  String Ignored;
};

struct TIncomingCatalog {
  String Language;                // the catalog's target language, as it writes it
  std::optional<Integer> Locale;  // the locale number it was written for, when it says
  int LanguageLine = 0;           // the line that names the language
  std::vector<TIncoming> Entries;
};

// --- PO ------------------------------------------------------------------------------

// Unit flag of a value that is not a text.
inline constexpr const char* kValueFlag = "glossmith-value";

String WritePoCatalog(const std::vector<TFormUnits>& forms, const TCatalogInfo& info);

// The same catalog written form by form, so that a form's units can go once
// they are written: the header names `project`; obsolete entries are kept
// for the end, as msgcat writes them last.
class TPoCatalogWriter {
 public:
  TPoCatalogWriter(const TCatalogInfo& info, const String& project);
  // Raises EConvertError for a text that is not UTF-8.
  void Add(const TFormUnits& form);
  // What is written so far, which the writer then forgets: the catalog can
  // go to its file as it is written. Finish gives the rest.
  String Take() { return std::exchange(FOut, String()); }
  String Finish();

 private:
  String FOut;
  String FObsolete;
};
// Raises EPoError (file:line: message).
TIncomingCatalog ReadPoCatalog(std::string_view data, const String& fileName);

// --- XLIFF 1.2 -----------------------------------------------------------------------

// A malformed XLIFF document, or one that cannot be written (a control
// character XML 1.0 cannot hold): the message names the file and, when
// known, the line.
class EXliffError : public Exception {
 public:
  using Exception::Exception;
};

// Raises EXliffError for a text with a character XML cannot hold; `fileName`
// names the output in the message.
String WriteXliffCatalog(const std::vector<TFormUnits>& forms, const TCatalogInfo& info,
                         const String& fileName);
// The same catalog written form by form, so that a form's units can go once
// they are written; raises EXliffError as WriteXliffCatalog does.
class TXliffCatalogWriter {
 public:
  TXliffCatalogWriter(const TCatalogInfo& info, String fileName);
  void Add(const TFormUnits& form);
  String Take() { return std::exchange(FOut, String()); }  // as the PO writer's
  String Finish();

 private:
  String FFileName;
  String FLanguage;
  String FToolVersion;
  String FOut;
  bool FAny = false;  // a form was added
};
TIncomingCatalog ReadXliffCatalog(std::string_view data, const String& fileName);

}  // namespace Glossmith::inline Exchange

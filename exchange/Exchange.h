// What translators' tools exchange with Glossmith: one unit per translatable
// line of a form, built from the form and its translator, and the way
// translated units come back into the translator's list or translation file.
// The file formats (PO, XLIFF) only carry these units.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include "gls/Gls.h"

namespace Glossmith::inline Exchange {

// --- Languages -------------------------------------------------------------------

// The BCP 47 language tag of a locale number: a Windows primary language
// (7 gives "de", 12 "fr") or a full locale identifier (1031 gives "de-DE",
// 3084 "fr-CA"); empty for a number the table does not know.
String LanguageTagOf(Integer locale);
// Whether a language tag ("de", "de_AT", "de-DE", as PO headers and XLIFF
// write them) names the language of `locale`: the primary languages are
// compared, case ignored. True when either is unknown or empty.
bool SameLanguage(std::string_view tag, Integer locale);

// --- The lines a translation file keeps for one form --------------------------

// The raw values a translation file holds for one form and locale, taken
// apart as loading takes its lines apart (a later line wins).
struct TStoredLines {
  std::map<String, String, std::less<>> Originals;     // path -> value of "%-1"
  std::map<String, String, std::less<>> Translations;  // path -> value of "%locale"
};
TStoredLines ReadStoredLines(std::string_view fileData, std::string_view formName, Integer locale);

// The lines of a translation file by their form name (the text before the
// first "."), so that many forms of one file are read in one pass. It refers
// to the file's text, which must outlive it.
class TFormLineIndex {
 public:
  explicit TFormLineIndex(std::string_view fileData);

 private:
  friend TStoredLines ReadStoredLines(const TFormLineIndex&, std::string_view, Integer);
  std::unordered_map<std::string_view, std::vector<std::string_view>> FLines;
};
TStoredLines ReadStoredLines(const TFormLineIndex& index, std::string_view formName,
                             Integer locale);

// --- Units --------------------------------------------------------------------------

enum class TUnitState {
  Untranslated,  // no translation entry (or an empty one)
  Translated,    // a translation of the current original
  Stale,         // a translation of an original the form no longer has (Previous)
  Obsolete,      // a translation of a path the form no longer has
};

struct TExchangeUnit {
  String Path;     // the entry's path, without the form name
  String Context;  // form name "." path: the key every format carries
  String Source;   // the original text, plain (decoded from literal form)
  std::optional<String> Previous;  // the stored original, when stale or obsolete
  String Target;   // the translation, plain; empty when untranslated
  TUnitState State = TUnitState::Untranslated;
  bool IsValue = false;  // not a text: a number, colour, font, set, ...
  // The property holds a string: the texts above are decoded from literal
  // form and go back encoded (a font's name is a value held as a string).
  bool Literal = true;
  // Where the text shows, for the translator: the component's class, the
  // property below the component, and the width and font of the object that
  // holds it, when known.
  String ClassName;
  String Property;
  bool OnForm = false;  // a property of the form itself
  std::optional<Integer> Width;
  String FontName;
  std::optional<Integer> FontSize;
};

struct TExchangeOptions {
  bool Values = false;  // also the values that are not texts
};

// The units of the translator's owner form: one per property that holds a
// text (not empty, not a component's Name, not a property of a translator),
// with --values also one per other value, in walk order; then the obsolete
// units in path order. The translations are those of `stored` when the
// translator keeps its list in a file, else of its list; originals stored
// beside them mark translations whose original has changed as stale.
std::vector<TExchangeUnit> BuildUnits(TGlossmith& translator, const TStoredLines* stored,
                                      const TExchangeOptions& options);

// The text of extracted comments for a unit: "TButton, Caption" and
// "width 75 px, font Tahoma 8 pt".
std::vector<String> DescribeUnit(const TExchangeUnit& unit);

// --- Coming back --------------------------------------------------------------------

// One translated line to write: the entry path=Value and the original
// path=Original, both in the text form of the translation list.
struct TChange {
  String Path;
  String Value;
  String Original;
};

// The change that bringing `target` (plain text) in for `unit` makes, whose
// original `source` (plain) the translator worked from; nullopt when the
// translator already has that translation of that original. The value is
// not judged here: the command that brings it in runs the checks on it.
std::optional<TChange> ChangeFor(const TExchangeUnit& unit,
                                 const String& source, const String& target,
                                 const TStoredLines* stored);

// Applies changes to a translator's own list (path=value, in sorted order).
void ApplyChanges(TGlossmith& translator, const std::vector<TChange>& changes);

// The lines of a translation file (its whole text) with the form's lines
// of `locale` and -1 for each changed path replaced by the change's: every
// other line stays as it is, and the new lines go where inserting them into
// the sorted file puts them. Lines end with CR LF, as the file's writer ends
// them.
String MergeChanges(std::string_view fileData, std::string_view formName, Integer locale,
                    const std::vector<TChange>& changes);
// The same for the changes of several forms (and locales) at once, in one
// pass over the file.
struct TFormChanges {
  String FormName;
  Integer Locale = 0;
  std::vector<TChange> Changes;
};
String MergeChanges(std::string_view fileData, const std::vector<TFormChanges>& forms);
// The same, the merged text handed to `write` in pieces as it is made.
void MergeChanges(std::string_view fileData, const std::vector<TFormChanges>& forms,
                  const std::function<void(std::string_view)>& write);

}  // namespace Glossmith::inline Exchange

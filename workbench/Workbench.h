// The translator's workbench below any front end: every translatable text of
// some forms for one translator each, with its state and the check findings
// for its translation; search, filters, progress, suggestions with a match
// percentage, navigation, and saving the edited translations back through
// locked, atomic writes that refuse to overwrite a file changed meanwhile.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "check/Diagnostics.h"
#include "check/TextMeasure.h"
#include "exchange/Exchange.h"

namespace Glossmith::inline Workbench {

// --- Similarity ----------------------------------------------------------------

// The number of characters (Unicode code points) two texts have in common:
// the length of their longest common subsequence. That is what the shortest
// edit script of insertions and deletions leaves untouched, and what
// gettext's fuzzy matching (fstrcmp) counts: "abcd" and "acbd" have 3 in
// common ("abd"), not the 2 + 1 of separate matching blocks found greedily.
// Bytes that are not UTF-8 count as one character each.
size_t CommonCharacters(std::string_view a, std::string_view b);
// The match of two texts in per cent, 2 * common / (length a + length b),
// rounded down; two empty texts match 100 %.
int MatchPercent(std::string_view a, std::string_view b);

// --- The texts ----------------------------------------------------------------

enum class TTextState {
  Untranslated,  // no translation (or an empty one)
  Translated,    // a translation of the form's current original
  Stale,         // a translation of an original the form no longer has
};
const char* StateName(TTextState state);

enum class TFilter { All, Untranslated, Stale, WithWarnings };

// One form with the translator whose texts are worked on. The form shows its
// untranslated texts (the translator does not translate it) and outlives the
// workbench.
struct TWorkForm {
  String FormFile;  // where the form was read from
  String FormData;  // what was read from it
  TComponent* Root = nullptr;
  TGlossmith* Translator = nullptr;
  // The translator was added to the form for the workbench (a new locale):
  // the first save that changes its translations writes the form with it,
  // wherever its list is kept.
  bool NewTranslator = false;
};

struct TWorkText {
  size_t Form = 0;                 // index of its form
  String Path;                     // the entry's path, without the form name
  String Original;                 // plain text
  String Translation;              // plain text; empty when untranslated
  std::optional<String> Previous;  // the stored original of a stale text
  TTextState State = TTextState::Untranslated;
  bool Literal = true;
  // The component the text belongs to: the one its path starts with, else
  // the form (its own properties and the texts of its window menu).
  TComponent* Component = nullptr;
  bool Changed = false;                      // edited since read or saved
  std::vector<Check::TDiagnostic> Findings;  // the check layer's, not gls's
  bool HasWarnings() const { return !Findings.empty(); }
};

struct TProgress {
  size_t Translated = 0;
  size_t Total = 0;
};

struct TSuggestion {
  String Original;
  String Translation;
  int Percent = 0;
  String Source;  // the dictionary's file, or the path of the form text
};

// An error of saving: a file changed by another program since it was read,
// or a write that failed. Nothing was written.
class EWorkbenchSaveError : public Exception {
 public:
  using Exception::Exception;
};

class TWorkbench {
 public:
  // Reads each form's translation file (under its lock) and builds the texts.
  // `measure` measures texts for the truncation check (none: estimated).
  explicit TWorkbench(std::vector<TWorkForm> forms, const TTextMeasure* measure = nullptr);
  ~TWorkbench();

  const std::vector<TWorkForm>& Forms() const { return FForms; }
  const std::vector<TWorkText>& Texts() const { return FTexts; }
  const TWorkText& Text(size_t i) const { return FTexts.at(i); }

  // Sets a translation (plain text) as the translator types it: the state
  // and the findings follow at once, and the form shows it when it shows
  // the translations.
  void SetTranslation(size_t i, const String& translation);

  // Shows the translations on the forms, as typed (an untranslated text
  // keeps its original), or the originals again. A translator of the
  // workbench's own applies them, so that the forms' translators and their
  // lists stay as read; saving writes the forms without it.
  void ShowTranslations(bool show);
  bool ShowsTranslations() const { return FShowing; }
  bool Modified() const;

  // The texts the filter lets through whose original or translation holds
  // `search` (case ignored for ASCII letters; empty: every text), in order.
  std::vector<size_t> Visible(TFilter filter, std::string_view search = {}) const;
  bool Passes(size_t i, TFilter filter, std::string_view search) const;

  // The texts of `component` (a control clicked in the preview), in order;
  // for a form, the texts of the form itself.
  std::vector<size_t> TextsOf(const TComponent* component) const;
  // Brings every page that holds the text's component to the front (the
  // pages of page controls and tabbed notebooks, outermost first), so that
  // the form shows it; true when a page changed.
  bool ShowPlaceOf(size_t i);

  TProgress Progress() const;
  TProgress FormProgress(size_t form) const;

  // Navigation among `visible` (a list Visible gave): the next or previous
  // entry after `current` (nullopt at the ends), and the next untranslated or
  // stale one after it, wrapping round (nullopt when none is left).
  static std::optional<size_t> Next(const std::vector<size_t>& visible, size_t current);
  static std::optional<size_t> Previous(const std::vector<size_t>& visible, size_t current);
  std::optional<size_t> NextToDo(const std::vector<size_t>& visible, size_t current) const;

  // Dictionaries in the translator's format: lines of escaped original, a
  // tab and escaped translation. Raises the host's file error.
  void AddDictionary(const String& fileName);
  void AddDictionaryText(const String& name, std::string_view text);
  // Suggestions for the original of text `i`, best first, from `minPercent`
  // up: the dictionaries' pairs and the other translated texts of the forms,
  // each translation once (at its best match).
  std::vector<TSuggestion> Suggestions(size_t i, int minPercent = 75, size_t limit = 10) const;

  // Writes the changed translations: into each translation file (merged with
  // what it holds) and into the forms whose translator keeps its list in the
  // form (or that have a new translator), all in one transaction; writing a
  // form saves no translator's list into a file. Each file is locked and compared with what
  // was read before anything is written: a file changed meanwhile raises
  // EWorkbenchSaveError and nothing is written. Returns the files written.
  std::vector<String> Save();

 private:
  void Check(TWorkText& text);
  void Apply(size_t form);
  void Unapply(size_t form);
  // A typed text of a plain string property (Component.Property) is shown
  // by setting that property, not by applying every translation again; the
  // original is set back before the form's translations are restored.
  bool ShowDirectly(size_t i);
  void UndoDirect(size_t form);
  String EntryValue(const TWorkText& text) const;

  std::vector<TWorkForm> FForms;
  struct TFormState {
    String FormName;
    Integer Locale = 0;
    String TranslationFile;          // empty: the list is kept in the form
    std::optional<String> FileData;  // what the translation file held when read
    TStoredLines Stored;
    // The form as read, never shown, for the checks: they read untranslated
    // values, and on the form itself they would put back every translation
    // it shows. Null when the form data does not read on its own.
    std::unique_ptr<TComponent> CheckCopy;
    TComponent* CheckRoot(const TWorkForm& form) const {
      return CheckCopy ? CheckCopy.get() : form.Root;
    }
  };
  std::vector<TFormState> FStates;
  std::vector<TGlossmith*> FProbes;  // per form: the translator showing its translations
  bool FShowing = false;
  std::vector<size_t> FDirect;  // texts ShowDirectly showed, each once
  std::vector<TWorkText> FTexts;
  struct TPair {
    String Original;
    String Translation;
    std::u32string Characters;  // of the original
  };
  struct TDictionary {
    String Name;
    std::vector<TPair> Pairs;
  };
  std::vector<TDictionary> FDictionaries;
  std::unique_ptr<TTextMeasure> FOwnMeasure;
  const TTextMeasure* FMeasure;
};

}  // namespace Glossmith::inline Workbench

#include "workbench/Workbench.h"

#include <algorithm>
#include <filesystem>
#include <map>

#include "check/FormChecks.h"
#include "gls/StorageSupport.h"
#include "host/classes/AtomicFile.h"
#include "host/classes/FileLock.h"
#include "host/classes/Streams.h"
#include "host/controls/ComCtrls.h"
#include "host/controls/TabNotBk.h"
#include "host/formfiles/FormFiles.h"

namespace Glossmith::inline Workbench {

namespace {

// The code points of a UTF-8 text; a byte that starts no valid sequence is
// one character of its own.
std::u32string CodePoints(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    bool valid = n > 0 && i + n <= s.size();
    for (size_t k = 1; valid && k < n; ++k)
      valid = (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
    if (!valid) {
      out.push_back(0xDC00 + c);  // a lone byte, kept apart from every real character
      ++i;
      continue;
    }
    char32_t cp = n == 1 ? c : c & (0xFF >> (n + 1));
    for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
    out.push_back(cp);
    i += n;
  }
  return out;
}

size_t Lcs(const std::u32string& a, const std::u32string& b) {
  const std::u32string& s = a.size() < b.size() ? a : b;  // the row
  const std::u32string& t = a.size() < b.size() ? b : a;
  std::vector<size_t> row(s.size() + 1, 0);
  for (char32_t c : t) {
    size_t diagonal = 0;  // row[j - 1] of the previous line
    for (size_t j = 1; j <= s.size(); ++j) {
      const size_t above = row[j];
      row[j] = s[j - 1] == c ? diagonal + 1 : std::max(row[j], row[j - 1]);
      diagonal = above;
    }
  }
  return row[s.size()];
}

int Percent(size_t common, size_t total) {
  return total == 0 ? 100 : static_cast<int>(200 * common / total);
}

String Lower(std::string_view s) {
  String out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

std::optional<String> ReadIfThere(const String& file) {
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return std::nullopt;
  return ReadFileToString(file);
}

}  // namespace

size_t CommonCharacters(std::string_view a, std::string_view b) {
  return Lcs(CodePoints(a), CodePoints(b));
}

int MatchPercent(std::string_view a, std::string_view b) {
  const std::u32string x = CodePoints(a), y = CodePoints(b);
  return Percent(Lcs(x, y), x.size() + y.size());
}

const char* StateName(TTextState state) {
  switch (state) {
    case TTextState::Untranslated:
      return "untranslated";
    case TTextState::Translated:
      return "translated";
    case TTextState::Stale:
      return "stale";
  }
  return "";
}

TWorkbench::TWorkbench(std::vector<TWorkForm> forms, const TTextMeasure* measure)
    : FForms(std::move(forms)), FMeasure(measure) {
  if (!FMeasure) {
    FOwnMeasure = std::make_unique<TEstimatedMeasure>();
    FMeasure = FOwnMeasure.get();
  }
  for (size_t f = 0; f < FForms.size(); ++f) {
    const TWorkForm& form = FForms[f];
    TFormState state;
    state.FormName = glsstorage::FormNameOf(form.Root);
    state.Locale = form.Translator->Locale();
    state.TranslationFile = form.Translator->StorageFile();
    if (!state.TranslationFile.empty()) {
      TFileLock lock(state.TranslationFile);
      state.FileData = ReadIfThere(state.TranslationFile);
      state.Stored =
          ReadStoredLines(state.FileData ? std::string_view(*state.FileData) : std::string_view(),
                          state.FormName, state.Locale);
    }
    if (!form.FormData.empty()) {
      try {
        state.CheckCopy.reset(ReadFormFromString(form.FormData));
      } catch (const Exception&) {
        // The checks run on the form itself.
      }
    }
    const std::vector<TExchangeUnit> units =
        BuildUnits(*form.Translator, state.TranslationFile.empty() ? nullptr : &state.Stored, {});
    for (const TExchangeUnit& u : units) {
      if (u.State == TUnitState::Obsolete) continue;
      TWorkText text;
      text.Form = f;
      text.Path = u.Path;
      text.Original = u.Source;
      text.Translation = u.Target;
      text.Literal = u.Literal;
      text.Component =
          u.OnForm ? form.Root : form.Root->FindComponent(u.Path.substr(0, u.Path.find('.')));
      if (!text.Component) text.Component = form.Root;
      text.State = u.State == TUnitState::Translated ? TTextState::Translated
                   : u.State == TUnitState::Stale    ? TTextState::Stale
                                                     : TTextState::Untranslated;
      if (text.State == TTextState::Stale) text.Previous = u.Previous;
      FTexts.push_back(std::move(text));
    }
    FStates.push_back(std::move(state));
  }
  // The findings of every translation at once: one run of the checks per
  // form, not one per text.
  for (size_t f = 0; f < FForms.size(); ++f) {
    TTranslatorCheck input;
    input.FormName = FStates[f].FormName;
    input.Locale = FStates[f].Locale;
    std::map<String, size_t, std::less<>> byPath;
    for (size_t i = 0; i < FTexts.size(); ++i) {
      const TWorkText& text = FTexts[i];
      if (text.Form != f || text.Translation.empty()) continue;
      byPath[text.Path] = i;
      input.Entries.emplace_back(text.Path, EntryValue(text));
    }
    if (input.Entries.empty()) continue;
    std::vector<Check::TDiagnostic> findings;
    try {
      CheckTranslator(FStates[f].CheckRoot(FForms[f]), input, TCheckSelection(), FMeasure,
                      findings);
    } catch (const Exception&) {
      // One entry spoils the run: check each on its own.
      for (const auto& [path, i] : byPath) Check(FTexts[i]);
      continue;
    }
    for (Check::TDiagnostic& d : findings)
      if (auto it = byPath.find(d.Path); it != byPath.end())
        FTexts[it->second].Findings.push_back(std::move(d));
  }
}

TWorkbench::~TWorkbench() {
  for (size_t f = 0; f < FProbes.size(); ++f) {
    try {
      Unapply(f);
    } catch (const Exception&) {
    }
  }
}

namespace {

// The string property a path names directly on a component, or nullptr.
PPropInfo PlainStringProperty(TComponent* component, std::string_view property) {
  if (!component || property.empty() || property.find_first_of(".[") != std::string_view::npos)
    return nullptr;
  PPropInfo p = GetPropInfo(component, property);
  if (!p || !p->SetStr) return nullptr;
  switch (p->Kind()) {
    case tkString:
    case tkLString:
    case tkWString:
      return p;
    default:
      return nullptr;
  }
}

std::string_view PropertyOf(const TWorkText& text, const TComponent* root) {
  std::string_view path = text.Path;
  if (text.Component == root) return path;
  const size_t dot = path.find('.');
  return dot == std::string_view::npos ? std::string_view() : path.substr(dot + 1);
}

}  // namespace

bool TWorkbench::ShowDirectly(size_t i) {
  const TWorkText& text = FTexts[i];
  if (!text.Literal) return false;
  PPropInfo p = PlainStringProperty(text.Component, PropertyOf(text, FForms[text.Form].Root));
  if (!p) return false;
  SetStrProp(text.Component, p, text.Translation.empty() ? text.Original : text.Translation);
  if (std::find(FDirect.begin(), FDirect.end(), i) == FDirect.end()) FDirect.push_back(i);
  return true;
}

void TWorkbench::UndoDirect(size_t form) {
  std::erase_if(FDirect, [&](size_t i) {
    const TWorkText& text = FTexts[i];
    if (text.Form != form) return false;
    if (PPropInfo p = PlainStringProperty(text.Component, PropertyOf(text, FForms[form].Root)))
      SetStrProp(text.Component, p, text.Original);
    return true;
  });
}

void TWorkbench::Apply(size_t form) {
  UndoDirect(form);
  if (FProbes.size() < FForms.size()) FProbes.resize(FForms.size(), nullptr);
  TGlossmith*& probe = FProbes[form];
  if (!probe) {
    probe = new TGlossmith(FForms[form].Root);
    probe->SetTranslate(false);
  } else if (probe->IsTranslated()) {
    probe->RestoreForm();
  }
  TStringList list;
  for (const TWorkText& t : FTexts)
    if (t.Form == form && !t.Translation.empty()) list.Add(t.Path + "=" + EntryValue(t));
  probe->SetTranslations(&list);
  try {
    probe->SetTranslate(true);
  } catch (const Exception&) {
    // A value that does not apply shows as a finding of its text; the form
    // keeps what applied before it.
  }
}

void TWorkbench::Unapply(size_t form) {
  UndoDirect(form);
  if (form >= FProbes.size() || !FProbes[form]) return;
  TGlossmith* probe = FProbes[form];
  FProbes[form] = nullptr;
  struct TDrop {
    TGlossmith* P;
    ~TDrop() { delete P; }
  } drop{probe};
  if (probe->IsTranslated()) probe->RestoreForm();
}

void TWorkbench::ShowTranslations(bool show) {
  FShowing = show;
  for (size_t f = 0; f < FForms.size(); ++f) show ? Apply(f) : Unapply(f);
}

String TWorkbench::EntryValue(const TWorkText& text) const {
  String value = text.Translation;
  if (text.Literal) TGlossmith::ConvertToLiterals(value);
  return value;
}

void TWorkbench::Check(TWorkText& text) {
  text.Findings.clear();
  if (text.Translation.empty()) return;
  const TFormState& state = FStates[text.Form];
  TTranslatorCheck input;
  input.FormName = state.FormName;
  input.Locale = state.Locale;
  input.Entries.emplace_back(text.Path, EntryValue(text));
  try {
    CheckTranslator(state.CheckRoot(FForms[text.Form]), input, TCheckSelection(), FMeasure,
                    text.Findings);
  } catch (const Exception& e) {
    Check::TDiagnostic d;
    d.Severity = TSeverity::Error;
    d.Check = "value";
    d.Path = text.Path;
    d.Message = e.Message();
    text.Findings.push_back(std::move(d));
  }
}

void TWorkbench::SetTranslation(size_t i, const String& translation) {
  TWorkText& text = FTexts.at(i);
  if (text.Translation == translation && text.State != TTextState::Stale) return;
  text.Translation = translation;
  text.Changed = true;
  // A translation typed (or confirmed) is one of the current original.
  text.State = translation.empty() ? TTextState::Untranslated : TTextState::Translated;
  text.Previous.reset();
  Check(text);
  if (FShowing && !(FStates[text.Form].CheckCopy && ShowDirectly(i))) Apply(text.Form);
}

bool TWorkbench::Modified() const {
  return std::any_of(FTexts.begin(), FTexts.end(), [](const TWorkText& t) { return t.Changed; });
}

bool TWorkbench::Passes(size_t i, TFilter filter, std::string_view search) const {
  const TWorkText& t = FTexts.at(i);
  switch (filter) {
    case TFilter::All:
      break;
    case TFilter::Untranslated:
      if (t.State != TTextState::Untranslated) return false;
      break;
    case TFilter::Stale:
      if (t.State != TTextState::Stale) return false;
      break;
    case TFilter::WithWarnings:
      if (!t.HasWarnings()) return false;
      break;
  }
  if (search.empty()) return true;
  const String needle = Lower(search);
  return Lower(t.Original).find(needle) != String::npos ||
         Lower(t.Translation).find(needle) != String::npos;
}

std::vector<size_t> TWorkbench::Visible(TFilter filter, std::string_view search) const {
  std::vector<size_t> out;
  const String needle = Lower(search);
  for (size_t i = 0; i < FTexts.size(); ++i)
    if (Passes(i, filter, {})) {
      if (!needle.empty() && Lower(FTexts[i].Original).find(needle) == String::npos &&
          Lower(FTexts[i].Translation).find(needle) == String::npos)
        continue;
      out.push_back(i);
    }
  return out;
}

std::vector<size_t> TWorkbench::TextsOf(const TComponent* component) const {
  std::vector<size_t> out;
  for (size_t i = 0; i < FTexts.size(); ++i)
    if (FTexts[i].Component == component) out.push_back(i);
  return out;
}

bool TWorkbench::ShowPlaceOf(size_t i) {
  auto* control = dynamic_cast<TControl*>(FTexts.at(i).Component);
  // The pages from the control outwards; shown outermost first.
  std::vector<TWinControl*> pages;
  for (TControl* c = control; c; c = c->Parent())
    if (dynamic_cast<TTabSheet*>(c) || dynamic_cast<TTabPage*>(c))
      pages.push_back(static_cast<TWinControl*>(c));
  bool changed = false;
  for (auto it = pages.rbegin(); it != pages.rend(); ++it) {
    if (auto* sheet = dynamic_cast<TTabSheet*>(*it)) {
      TPageControl* pc = sheet->PageControl();
      if (pc && pc->ActivePage() != sheet) {
        pc->SetActivePage(sheet);
        changed = true;
      }
    } else if (auto* notebook = dynamic_cast<TTabbedNotebook*>((*it)->Parent())) {
      for (int k = 0; k < notebook->PageCount(); ++k)
        if (notebook->TabPage(k) == *it && notebook->PageIndex() != k) {
          notebook->SetPageIndex(k);
          changed = true;
        }
    }
  }
  return changed;
}

TProgress TWorkbench::Progress() const {
  TProgress p;
  for (const TWorkText& t : FTexts) {
    ++p.Total;
    if (t.State == TTextState::Translated) ++p.Translated;
  }
  return p;
}

TProgress TWorkbench::FormProgress(size_t form) const {
  TProgress p;
  for (const TWorkText& t : FTexts) {
    if (t.Form != form) continue;
    ++p.Total;
    if (t.State == TTextState::Translated) ++p.Translated;
  }
  return p;
}

std::optional<size_t> TWorkbench::Next(const std::vector<size_t>& visible, size_t current) {
  auto it = std::upper_bound(visible.begin(), visible.end(), current);
  if (it == visible.end()) return std::nullopt;
  return *it;
}

std::optional<size_t> TWorkbench::Previous(const std::vector<size_t>& visible, size_t current) {
  auto it = std::lower_bound(visible.begin(), visible.end(), current);
  if (it == visible.begin()) return std::nullopt;
  return *--it;
}

std::optional<size_t> TWorkbench::NextToDo(const std::vector<size_t>& visible,
                                           size_t current) const {
  if (visible.empty()) return std::nullopt;
  auto start = std::upper_bound(visible.begin(), visible.end(), current);
  const size_t n = visible.size();
  const size_t first = static_cast<size_t>(start - visible.begin());
  for (size_t k = 0; k < n; ++k) {
    const size_t i = visible[(first + k) % n];
    if (i == current) continue;
    if (FTexts[i].State != TTextState::Translated) return i;
  }
  return std::nullopt;
}

void TWorkbench::AddDictionaryText(const String& name, std::string_view text) {
  TDictionary dict;
  dict.Name = name;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos) continue;
    TPair pair;
    pair.Original = TGlossmith::ReadString(String(line.substr(0, tab)));
    pair.Translation = TGlossmith::ReadString(String(line.substr(tab + 1)));
    if (pair.Translation.empty()) continue;
    pair.Characters = CodePoints(pair.Original);
    dict.Pairs.push_back(std::move(pair));
  }
  FDictionaries.push_back(std::move(dict));
}

void TWorkbench::AddDictionary(const String& fileName) {
  AddDictionaryText(fileName, ReadFileToString(fileName));
}

std::vector<TSuggestion> TWorkbench::Suggestions(size_t i, int minPercent, size_t limit) const {
  const TWorkText& current = FTexts.at(i);
  const std::u32string original = CodePoints(current.Original);
  std::map<String, TSuggestion> best;  // by translation
  auto consider = [&](const String& source, const String& translation,
                      const std::u32string& characters, const String& from) {
    const size_t total = original.size() + characters.size();
    // The match cannot exceed 2 * shorter / total: most pairs end here.
    if (Percent(std::min(original.size(), characters.size()), total) < minPercent) return;
    const int percent = Percent(Lcs(original, characters), total);
    if (percent < minPercent) return;
    auto it = best.find(translation);
    if (it != best.end() && it->second.Percent >= percent) return;
    best[translation] = TSuggestion{source, translation, percent, from};
  };
  for (const TDictionary& dict : FDictionaries)
    for (const TPair& pair : dict.Pairs)
      consider(pair.Original, pair.Translation, pair.Characters, dict.Name);
  for (size_t k = 0; k < FTexts.size(); ++k) {
    const TWorkText& t = FTexts[k];
    if (k == i || t.Translation.empty() || t.State != TTextState::Translated) continue;
    consider(t.Original, t.Translation, CodePoints(t.Original),
             FStates[t.Form].FormName + "." + t.Path);
  }
  std::vector<TSuggestion> out;
  for (auto& [translation, s] : best) out.push_back(std::move(s));
  std::stable_sort(out.begin(), out.end(), [](const TSuggestion& a, const TSuggestion& b) {
    return a.Percent > b.Percent;
  });
  if (out.size() > limit) out.resize(limit);
  return out;
}

std::vector<String> TWorkbench::Save() {
  // The changes of each form.
  std::vector<std::vector<TChange>> changes(FForms.size());
  for (const TWorkText& t : FTexts) {
    if (!t.Changed) continue;
    String original = t.Original;
    if (t.Literal) TGlossmith::ConvertToLiterals(original);
    changes[t.Form].push_back({t.Path, EntryValue(t), original});
  }
  for (auto& c : changes)
    std::sort(c.begin(), c.end(),
              [](const TChange& a, const TChange& b) { return a.Path < b.Path; });

  // The files to write, each with the forms whose changes go there.
  std::map<String, std::vector<size_t>> files;  // translation file -> forms
  std::vector<size_t> inForm;                   // the forms written
  for (size_t f = 0; f < FForms.size(); ++f) {
    if (changes[f].empty()) continue;
    if (!FStates[f].TranslationFile.empty()) files[FStates[f].TranslationFile].push_back(f);
    if (FStates[f].TranslationFile.empty() || FForms[f].NewTranslator) inForm.push_back(f);
  }
  std::vector<String> locks;
  for (const auto& [file, forms] : files) locks.push_back(file);
  for (size_t f : inForm) locks.push_back(FForms[f].FormFile);
  std::sort(locks.begin(), locks.end(), [](const String& a, const String& b) {
    return TFileLock::LockFileName(a) < TFileLock::LockFileName(b);
  });
  locks.erase(std::unique(locks.begin(), locks.end()), locks.end());

  // The forms are written, and compared, as read: without the translations shown.
  const bool showing = FShowing;
  if (showing) ShowTranslations(false);
  struct TShowAgain {
    TWorkbench& B;
    bool Show;
    ~TShowAgain() {
      try {
        if (Show) B.ShowTranslations(true);
      } catch (const Exception&) {
      }
    }
  } showAgain{*this, showing};

  std::vector<String> written;
  TAtomicFileTransaction transaction;
  std::map<String, std::optional<String>> now;
  try {
    for (const String& file : locks) {
      transaction.Lock(file);
      now[file] = ReadIfThere(file);
    }
  } catch (const Exception& e) {
    throw EWorkbenchSaveError(e.Message() + "; nothing was written");
  }
  // Every file as it was read, or nothing is written.
  auto changedMeanwhile = [](const String& file) {
    return EWorkbenchSaveError(file +
                               ": the file was changed by another program meanwhile; nothing "
                               "was written");
  };
  for (const auto& [file, forms] : files)
    for (size_t f : forms)
      if (now[file] != FStates[f].FileData) throw changedMeanwhile(file);
  for (size_t f : inForm)
    if (now[FForms[f].FormFile] != std::optional<String>(FForms[f].FormData))
      throw changedMeanwhile(FForms[f].FormFile);

  std::map<String, String> newData;
  try {
    for (const auto& [file, forms] : files) {
      std::vector<TFormChanges> merge;
      for (size_t f : forms) merge.push_back({FStates[f].FormName, FStates[f].Locale, changes[f]});
      const std::optional<String>& data = now[file];
      newData[file] = MergeChanges(data ? std::string_view(*data) : std::string_view(), merge);
      WriteFileAtomically(file, newData[file]);
      written.push_back(file);
    }
    for (size_t f : inForm) {
      TWorkForm& form = FForms[f];
      if (FStates[f].TranslationFile.empty()) ApplyChanges(*form.Translator, changes[f]);
      const bool binary =
          !form.FormData.empty() && (static_cast<unsigned char>(form.FormData[0]) == 0xFF ||
                                     form.FormData.starts_with("TPF"));
      // Writing a form would save the list of each of its translators that
      // keeps one in a file into that file, unlocked and unmerged: the
      // translation files are written above, or not at all.
      std::vector<TGlossmith*> translators;
      for (int c = 0; c < form.Root->ComponentCount(); ++c)
        if (auto* t = dynamic_cast<TGlossmith*>(form.Root->Components(c))) translators.push_back(t);
      std::vector<String> storage;
      for (TGlossmith* t : translators) {
        storage.push_back(t->StorageFile());
        t->SetStorageFile(String());
      }
      struct TRestore {
        const std::vector<TGlossmith*>& T;
        const std::vector<String>& S;
        ~TRestore() {
          for (size_t k = 0; k < T.size(); ++k) T[k]->SetStorageFile(S[k]);
        }
      } restore{translators, storage};
      newData[form.FormFile] =
          WriteFormToString(form.Root, binary ? TFormFormat::Binary : TFormFormat::Text);
      WriteFileAtomically(form.FormFile, newData[form.FormFile]);
      written.push_back(form.FormFile);
    }
    transaction.Commit();
  } catch (const EWorkbenchSaveError&) {
    throw;
  } catch (const Exception& e) {
    throw EWorkbenchSaveError(e.Message() + "; nothing was written");
  }

  // What is on disk now is what the next save compares with.
  for (const auto& [file, forms] : files)
    for (size_t f : forms) {
      FStates[f].FileData = newData[file];
      FStates[f].Stored = ReadStoredLines(newData[file], FStates[f].FormName, FStates[f].Locale);
    }
  for (size_t f : inForm) {
    FForms[f].FormData = newData[FForms[f].FormFile];
    FForms[f].NewTranslator = false;
  }
  for (TWorkText& t : FTexts) t.Changed = false;
  return written;
}

}  // namespace Glossmith::inline Workbench

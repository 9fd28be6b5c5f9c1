// gls check: every translation of the forms checked against the form it
// belongs to. gls pseudo is in Commands.cpp, beside the other commands that
// write forms back.
#include <cstring>
#include <filesystem>
#include <map>
#include <ostream>

#include "CommandLine.h"
#include "Commands.h"
#include "FormDocument.h"
#include "Places.h"
#include "QtMeasure.h"
#include "check/FormChecks.h"
#include "check/TranslationSource.h"
#include "frontends/qt/QtFrontEnd.h"
#include "gls/StorageSupport.h"
#include "host/classes/Streams.h"
#include "host/formfiles/FormFiles.h"

namespace Glossmith::Tool {

namespace {

// Texts measured as the preview shows them, with Qt's metrics.
const TFormObject* FindObject(const TFormObject& node, const String& name) {
  for (const auto& child : node.Children) {
    if (SameText(child->Name, name)) return child.get();
    if (const TFormObject* found = FindObject(*child, name)) return found;
  }
  return nullptr;
}

// What one run of the command checks and finds.
struct TCheckRun {
  TCheckSelection Selection;
  const TTextMeasure* Measure = nullptr;
  String From;  // --from FILE
  std::vector<Integer> Locales;
  std::map<String, TTranslationFileIndex> Files;
  std::vector<TDiagnostic> Found;
  int Translators = 0;

  const TTranslationFileIndex* Index(const String& file) {
    auto found = Files.find(file);
    if (found == Files.end()) {
      if (!FileExists(file)) return nullptr;
      try {
        found = Files.emplace(file, TTranslationFileIndex::Read(file)).first;
      } catch (const Exception& e) {
        throw EToolError(file + ": " + e.Message());
      }
    }
    return &found->second;
  }

  void CheckForm(const String& fileName);
};

void TCheckRun::CheckForm(const String& fileName) {
  TFormDocument doc(fileName);
  const String formName = glsstorage::FormNameOf(doc.Root());
  const std::vector<TGlossmith*> translators = doc.Translators();

  // Each translator to check: the form's own (or those of the locales
  // named); with --from, a locale without a translator is checked as one.
  struct TWho {
    TGlossmith* Translator;
    Integer Locale;
  };
  std::vector<TWho> who;
  if (!Locales.empty()) {
    for (Integer locale : Locales) {
      TGlossmith* match = nullptr;
      for (TGlossmith* t : translators)
        if (t->Locale() == locale) match = t;
      if (!match && From.empty())
        throw EToolError(fileName + ": no translator with Locale " + IntToStr(locale));
      who.push_back({match, locale});
    }
  } else if (!translators.empty()) {
    for (TGlossmith* t : translators) who.push_back({t, t->Locale()});
  } else if (!From.empty()) {
    if (const TTranslationFileIndex* index = Index(From))
      for (Integer locale : index->Locales(formName)) who.push_back({nullptr, locale});
  }

  std::unique_ptr<TFormObject> tree;
  for (const TWho& w : who) {
    ++Translators;
    TTranslatorCheck input;
    input.FormName = formName;
    input.Locale = w.Locale;
    input.TranslateEmpty = w.Translator && w.Translator->TranslateEmpty();
    const String file = !From.empty() ? From : w.Translator->StorageFile();
    if (!file.empty()) {
      if (const TTranslationFileIndex* index = Index(file)) {
        input.Entries = index->Entries(formName, w.Locale);
        if (w.Locale != -1) input.Originals = index->Entries(formName, -1);
      }
    } else {
      // A list kept in the form: its lines are the form file's.
      if (!tree) tree = doc.Guard([&] { return ParseForm(ReadFileToString(fileName)); });
      const TFormObject* node = FindObject(*tree, w.Translator->Name());
      TStrings* list = w.Translator->Translations();
      for (int i = 0; i < list->Count(); ++i) {
        const String line = list->Get(i);
        const size_t eq = line.find('=');
        if (eq == String::npos) continue;
        TCheckEntry entry{line.substr(0, eq), line.substr(eq + 1), fileName};
        if (node) entry.Line = FindFormEntryLine(*node, line).value_or(0);
        input.Entries.push_back(std::move(entry));
      }
    }
    doc.Guard([&] {
      // Each translator on a form of its own, as read: applying and
      // restoring a translation can leave traces (a font's ParentFont
      // cleared) that another translator's checks would take for the form's.
      std::unique_ptr<TComponent> copy;
      try {
        copy = doc.CopyWithoutTranslators();
      } catch (const Exception&) {
      }
      CheckTranslator(copy ? copy.get() : doc.Root(), input, Selection, Measure, Found);
      return 0;
    });
  }
}

void PrintList(std::ostream& out) {
  size_t width = 0;
  for (const TCheckInfo& c : AllChecks()) width = std::max(width, std::strlen(c.Name));
  for (const TCheckInfo& c : AllChecks())
    out << c.Name << String(width + 2 - std::strlen(c.Name), ' ') << SeverityName(c.Severity)
        << (c.Severity == TSeverity::Error ? "    " : "  ") << c.Description << "\n";
}

// "3 findings (1 error, 2 warnings): truncation 1, ...", each check's count.
String Summary(const std::vector<TDiagnostic>& found, size_t forms, int translators) {
  if (found.empty())
    return Format("gls check: no findings in %u form(s) (%d translator(s))", {forms, translators});
  size_t errors = 0;
  std::map<String, int> counts;
  for (const TDiagnostic& d : found) {
    if (d.Severity == TSeverity::Error) ++errors;
    ++counts[d.Check];
  }
  auto count = [](size_t n, const char* what) {
    return Format("%u %s%s", {n, what, n == 1 ? "" : "s"});
  };
  String text = "gls check: " + count(found.size(), "finding") + " (" + count(errors, "error") +
                ", " + count(found.size() - errors, "warning") + ") in " + count(forms, "form") +
                " (" + count(static_cast<size_t>(translators), "translator") + "):";
  bool first = true;
  for (const TCheckInfo& c : AllChecks()) {
    auto n = counts.find(c.Name);
    if (n == counts.end()) continue;
    text += (first ? " " : ", ") + String(c.Name) + " " + IntToStr(n->second);
    first = false;
  }
  return text;
}

}  // namespace

int RunCheck(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {{"--locale", true},
                          {"--all", false},
                          {"--from", true},
                          {"--format", true},
                          {"--only", true},
                          {"--skip", true},
                          {"--werror", false},
                          {"--list", false},
                          {"--estimate", false},
                          {"-v", false},
                          {"--help", false}});
  if (cmd.Has("--list")) {
    PrintList(io.Out);
    return 0;
  }
  if (cmd.Operands().empty()) throw EUsageError("missing FORM");
  const String format = cmd.Value("--format", "text");
  if (format != "text" && format != "json")
    throw EUsageError("--format is text or json, not '" + format + "'");
  TCheckRun run;
  try {
    for (const String& names : cmd.Values("--only")) run.Selection.Only(names);
    for (const String& names : cmd.Values("--skip")) run.Selection.Skip(names);
  } catch (const EConvertError& e) {
    throw EUsageError(e.Message());
  }
  for (const String& text : cmd.Values("--locale")) {
    Integer locale;
    if (!TryStrToInt(text, locale)) throw EUsageError("--locale needs a number, not '" + text + "'");
    run.Locales.push_back(locale);
  }
  if (cmd.Has("--all") && !run.Locales.empty())
    throw EUsageError("give either --locale or --all, not both");
  if (cmd.Has("--from")) {
    run.From = cmd.Value("--from");
    if (run.From.empty()) throw EUsageError("missing --from FILE");
  }

  // Qt's metrics when the front end is there (without a display: Qt's
  // offscreen platform), else the estimate.
  TEstimatedMeasure estimate;
  TQtMeasure qt;
  bool qtStarted = false;
  if (!cmd.Has("--estimate") && QtFrontEndBuilt()) qtStarted = StartQtTextMetrics();
  run.Measure = qtStarted ? static_cast<const TTextMeasure*>(&qt) : &estimate;
  struct TQtEnd {
    bool Started;
    ~TQtEnd() {
      if (Started) CloseQtUserInterface();
    }
  } qtEnd{qtStarted};

  try {
    if (!run.From.empty() && !FileExists(run.From)) throw EToolError(run.From + ": no such file");
    for (const String& file : cmd.Operands()) run.CheckForm(file);
  } catch (const Exception& e) {
    // The check itself could not run: a status of its own, apart from findings.
    io.Out.flush();
    io.Err << "gls check: " << e.Message() << "\n";
    return 2;
  }

  // Files under the current folder are named relative to it, as the
  // command line names them.
  std::error_code error;
  const String cwd = std::filesystem::current_path(error).string() + "/";
  for (TDiagnostic& d : run.Found)
    if (d.File.starts_with(cwd)) d.File = d.File.substr(cwd.size());
  SortDiagnostics(run.Found);
  const String summary = Summary(run.Found, cmd.Operands().size(), run.Translators);
  if (format == "json") {
    io.Out << DiagnosticsToJson(run.Found);
    io.Err << summary << "\n";
  } else {
    for (const TDiagnostic& d : run.Found) io.Out << FormatDiagnostic(d) << "\n";
    io.Out << summary << "\n";
  }
  const bool warnings = !run.Found.empty();
  if (HasErrors(run.Found) || (warnings && cmd.Has("--werror"))) return 1;
  return 0;
}

}  // namespace Glossmith::Tool

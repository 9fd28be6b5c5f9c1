// gls workbench: the translator's workbench, the forms in the live preview
// beside the panel of their texts, in one window.
#include <cctype>
#include <memory>

#include "CommandLine.h"
#include "Commands.h"
#include "FormDocument.h"
#include "QtMeasure.h"
#include "frontends/workbench/QtWorkbench.h"

namespace Glossmith::Tool {

namespace {

// "Translator" and the language tag without its punctuation: TranslatorEs,
// TranslatorPtBR; a number is added while the form has that name.
String NewTranslatorName(TComponent* root, Integer locale) {
  String name = "Translator";
  bool upper = true;
  for (char c : LanguageTagOf(locale)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) {
      upper = true;
      continue;
    }
    name += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
    upper = false;
  }
  if (name == "Translator") name += IntToStr(locale);
  String unique = name;
  for (int n = 2; root->FindComponent(unique); ++n) unique = name + IntToStr(n);
  return unique;
}

// The translator the workbench works with: the one chosen, else one added
// for a new locale, its list kept beside the other translators' (in their
// file, else in the form).
TGlossmith* WorkTranslator(TFormDocument& doc, const TTranslatorChoice& choice, bool& added) {
  added = false;
  const std::vector<TGlossmith*> translators = doc.Translators();
  if (choice.Locale && choice.Name.empty()) {
    for (TGlossmith* t : translators)
      if (t->Locale() == *choice.Locale) return t;
    auto* t = new TGlossmith(doc.Root());
    doc.Guard([&] {
      t->SetName(NewTranslatorName(doc.Root(), *choice.Locale));
      return 0;
    });
    t->SetLocale(*choice.Locale);
    t->SetTranslate(false);
    for (TGlossmith* other : translators)
      if (!other->FileName().empty()) {
        t->SetFileName(other->FileName());
        break;
      }
    added = true;
    return t;
  }
  TGlossmith* t = doc.Choose(choice);
  if (doc.IsTemporary(t))
    throw EToolError(doc.FileName() + ": the form has no translator; --locale N adds one");
  return t;
}

}  // namespace

int RunWorkbench(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {{"--locale", true},
                          {"--translator", true},
                          {"--from", true},
                          {"--dict", true},
                          {"--min-match", true},
                          {"--screenshot", true},
                          {"--select", true},
                          {AllowOutsideOption, false},
                          {"-v", false},
                          {"--help", false}});
  if (cmd.Has("-v")) io.Verbose = true;
  if (cmd.Operands().empty()) throw EUsageError("missing FORM");
  const TTranslatorChoice choice = ChoiceOf(cmd);
  const String from = cmd.Value("--from");
  if (cmd.Has("--from") && from.empty()) throw EUsageError("missing --from FILE");
  const String screenshot = cmd.Value("--screenshot");
  if (cmd.Has("--screenshot") && screenshot.empty()) throw EUsageError("missing --screenshot FILE");
  TWorkbenchWindowOptions options;
  Integer minMatch = options.MinPercent;
  if (cmd.IntValue("--min-match", minMatch) && (minMatch < 1 || minMatch > 100))
    throw EUsageError("--min-match is a percentage from 1 to 100");
  options.MinPercent = minMatch;
  options.Select = cmd.Value("--select");

  if (!QtWorkbenchBuilt())
    throw EToolError("this gls was built without the Qt front end (Qt 6 Widgets was not found)");
  TQtStartOptions start;
  start.Offscreen = !screenshot.empty();
  if (!UseQtUserInterfaceIfAvailable(start))
    throw EToolError(
        "no display to show the workbench on (DISPLAY is not set); --screenshot FILE renders "
        "without one");
  // Qt ends before the program does, after the forms and the window.
  struct TQtEnd {
    ~TQtEnd() { CloseQtUserInterface(); }
  } qtEnd;

  // The forms are only read: the workbench locks each file when it saves and
  // refuses one that changed meanwhile, so that other programs can work on
  // them while the window is open.
  std::vector<std::unique_ptr<TFormDocument>> docs;
  std::vector<TWorkForm> forms;
  for (const String& file : cmd.Operands()) {
    auto doc = std::make_unique<TFormDocument>(file);
    if (!dynamic_cast<TCustomForm*>(doc->Root()))
      throw EToolError(file + ": " + doc->Root()->ClassName() + " is not a form");
    TWorkForm form;
    form.FormFile = file;
    form.FormData = doc->Data();
    form.Root = doc->Root();
    form.Translator = WorkTranslator(*doc, choice, form.NewTranslator);
    // Each translator's file as this form's folder resolves it, whatever
    // form was read last.
    for (TGlossmith* t : doc->Translators()) t->SetStorageFile(t->StorageFile());
    if (!from.empty()) {
      form.Translator->SetStorageFile(ExpandFileName(from));
    } else if (!cmd.Has(AllowOutsideOption)) {
      for (const TOutsideFile& outside : FilesOutside(file, {form.Translator}))
        throw EToolError(DescribeOutside(file, outside) + " (" + AllowOutsideOption +
                         " lets the workbench write it there)");
    }
    forms.push_back(form);
    docs.push_back(std::move(doc));
  }

  TQtMeasure measure;
  std::unique_ptr<TWorkbench> bench;
  try {
    bench = std::make_unique<TWorkbench>(std::move(forms), &measure);
  } catch (const Exception& e) {
    throw EToolError(e.Message());
  }
  for (const String& dict : cmd.Values("--dict")) {
    try {
      bench->AddDictionary(dict);
    } catch (const Exception& e) {
      throw EToolError(dict + ": " + e.Message());
    }
  }

  if (!screenshot.empty()) {
    try {
      SaveWorkbenchScreenshot(*bench, screenshot, options);
    } catch (const EFCreateError& e) {
      throw EToolError(screenshot + ": " + e.Message());
    } catch (const Exception& e) {
      throw EToolError(e.Message());
    }
    io.Wrote(screenshot);
    return 0;
  }
  RunWorkbenchWindow(*bench, options);
  return 0;
}

}  // namespace Glossmith::Tool

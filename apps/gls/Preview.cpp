// gls preview: forms in real windows through the Qt front end, with a
// Language menu that switches their translators as the application would.
#include "Preview.h"

#include <memory>
#include <ostream>

#include "CommandLine.h"
#include "Commands.h"
#include "FormDocument.h"
#include "frontends/qt/QtFrontEnd.h"
#include "host/classes/Streams.h"
#include "host/formfiles/FormFiles.h"

namespace Glossmith::Tool {

namespace {

// Names of the languages the classic locale identifiers number (the
// primary language of a locale identifier), for the menu.
const char* LanguageName(Integer locale) {
  struct TName {
    Integer Id;
    const char* Name;
  };
  static constexpr TName names[] = {
      {1, "Arabic"},   {4, "Chinese"},    {5, "Czech"},    {6, "Danish"},      {7, "German"},
      {8, "Greek"},    {9, "English"},    {10, "Spanish"}, {11, "Finnish"},    {12, "French"},
      {13, "Hebrew"},  {14, "Hungarian"}, {16, "Italian"}, {17, "Japanese"},   {18, "Korean"},
      {19, "Dutch"},   {20, "Norwegian"}, {21, "Polish"},  {22, "Portuguese"}, {25, "Russian"},
      {29, "Swedish"}, {31, "Turkish"},
  };
  const Integer primary = locale & 0x3FF;
  for (const TName& n : names)
    if (n.Id == primary) return n.Name;
  return nullptr;
}

}  // namespace

// ---------------------------------------------------------------------------
// TLanguageMenu

String TLanguageMenu::CaptionOf(const TGlossmith& translator) {
  String name = translator.Name().empty() ? String("Translator") : translator.Name();
  const char* language = LanguageName(translator.Locale());
  String locale = "Locale " + IntToStr(translator.Locale());
  return name + " (" + (language ? String(language) + ", " + locale : locale) + ")";
}

TLanguageMenu::TLanguageMenu(TComponent* form) : FForm(form), FOwner(new TComponent(nullptr)) {
  FRoot = new TMenuItem(FOwner.get());
  FRoot->SetCaption("&Language");
  auto add = [&](const String& caption, TGlossmith* translator) {
    auto* item = new TMenuItem(FOwner.get());
    item->SetCaption(caption);
    item->SetRadioItem(true);
    item->SetGroupIndex(1);
    item->OnClick = [this, translator](TObject*) { Choose(translator); };
    FRoot->Add(item);
    FItems.push_back({item, translator});
  };
  add("&Original", nullptr);
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (auto* t = dynamic_cast<TGlossmith*>(form->Components(i))) add(CaptionOf(*t), t);
  Update();
}

TLanguageMenu::~TLanguageMenu() = default;

void TLanguageMenu::Choose(TGlossmith* translator) {
  // One language at a time: the one showing goes back to the original
  // texts first, and switching a translator switches its partners of the
  // same Locale on the other open forms, as the translator does.
  for (const TEntry& e : FItems)
    if (e.Translator && e.Translator != translator && e.Translator->Translate())
      e.Translator->SetTranslate(false);
  if (translator && !translator->Translate()) translator->SetTranslate(true);
  for (TLanguageMenu* menu : Menus()) menu->Update();
}

void TLanguageMenu::Update() {
  bool any = false;
  for (const TEntry& e : FItems)
    if (e.Translator) {
      e.Item->SetChecked(e.Translator->Translate());
      any = any || e.Translator->Translate();
    }
  FItems.front().Item->SetChecked(!any);
}

std::vector<TLanguageMenu*>& TLanguageMenu::Menus() {
  static std::vector<TLanguageMenu*> menus;
  return menus;
}

TLanguageMenu::TRegistration::TRegistration(TLanguageMenu* menu) : FMenu(menu) {
  Menus().push_back(menu);
}
TLanguageMenu::TRegistration::~TRegistration() { std::erase(Menus(), FMenu); }

// ---------------------------------------------------------------------------
// The command

TComponent* LoadPreviewForm(const String& fileName) {
  // The form as designed: read as a plain form, so that no code of the
  // application's form class runs, with the form's folder standing in for
  // the application's, so that its translators find their files.
  const String data = ReadFileToString(fileName);
  Application->SetExeName(ExtractFilePath(ExpandFileName(fileName)) + "application");
  return ReadFormFromString(data, Application, &TForm::StaticClass());
}

int RunPreview(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args,
                   {{"--locale", true}, {"--screenshot", true}, {"-v", false}, {"--help", false}});
  if (cmd.Operands().empty()) throw EUsageError("missing FORM");
  const String screenshot = cmd.Value("--screenshot");
  if (cmd.Has("--screenshot") && screenshot.empty()) throw EUsageError("missing --screenshot FILE");
  if (!screenshot.empty() && cmd.Operands().size() > 1)
    throw EUsageError("--screenshot takes one FORM");
  if (cmd.Has("-v")) io.Verbose = true;
  Integer locale = 0;
  const bool chooseLocale = cmd.IntValue("--locale", locale);

  if (!QtFrontEndBuilt())
    throw EToolError("this gls was built without the Qt front end (Qt 6 Widgets was not found)");
  TQtStartOptions options;
  options.Offscreen = !screenshot.empty();
  if (!UseQtUserInterfaceIfAvailable(options))
    throw EToolError(
        "no display to show the form on (DISPLAY is not set); --screenshot FILE renders without "
        "one");
  // Qt ends before the program does, after the forms and their windows.
  struct TQtEnd {
    ~TQtEnd() { CloseQtUserInterface(); }
  } qtEnd;

  struct TOpenForm {
    std::unique_ptr<TComponent> Root;
    std::unique_ptr<TLanguageMenu> Menu;
    std::unique_ptr<TLanguageMenu::TRegistration> Registration;
  };
  std::vector<TOpenForm> forms;
  for (const String& file : cmd.Operands()) {
    TOpenForm open;
    try {
      open.Root.reset(LoadPreviewForm(file));
    } catch (const Exception& e) {
      throw EToolError(file + ": " + e.Message());
    }
    if (!dynamic_cast<TCustomForm*>(open.Root.get()))
      throw EToolError(file + ": " + open.Root->ClassName() + " is not a form");
    open.Menu = std::make_unique<TLanguageMenu>(open.Root.get());
    open.Registration = std::make_unique<TLanguageMenu::TRegistration>(open.Menu.get());
    forms.push_back(std::move(open));
  }
  if (chooseLocale) {
    TGlossmith* chosen = nullptr;
    for (const TOpenForm& f : forms)
      for (int i = 0; i < f.Root->ComponentCount() && !chosen; ++i)
        if (auto* t = dynamic_cast<TGlossmith*>(f.Root->Components(i)); t && t->Locale() == locale)
          chosen = t;
    if (!chosen)
      throw EToolError(cmd.Operands()[0] + ": no translator with Locale " + IntToStr(locale));
    try {
      forms.front().Menu->Choose(chosen);
    } catch (const Exception& e) {
      throw EToolError(cmd.Operands()[0] + ": " + e.Message());
    }
  }

  TFormWindows windows;
  for (const TOpenForm& f : forms)
    windows.Show(static_cast<TCustomForm*>(f.Root.get()), {f.Menu->Root()});
  if (!screenshot.empty()) {
    try {
      windows.SaveScreenshot(static_cast<TCustomForm*>(forms.front().Root.get()), screenshot);
    } catch (const Exception& e) {
      throw EToolError(screenshot + ": " + e.Message());
    }
    io.Wrote(screenshot);
    return 0;
  }
  windows.Exec();
  return 0;
}

}  // namespace Glossmith::Tool

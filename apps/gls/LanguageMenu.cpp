// The Language menu of gls preview, and reading a form for it.
#include "LanguageMenu.h"

#include "host/classes/Streams.h"
#include "host/controls/Forms.h"
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

TComponent* LoadPreviewForm(const String& fileName) {
  // The form as designed: read as a plain form, so that no code of the
  // application's form class runs, with the form's folder standing in for
  // the application's, so that its translators find their files.
  const String data = ReadFileToString(fileName);
  Application->SetExeName(ExtractFilePath(ExpandFileName(fileName)) + "application");
  return ReadFormFromString(data, Application, &TForm::StaticClass());
}

}  // namespace Glossmith::Tool

// The Language menu of gls preview: the translators of an open form, one
// of them (or the original texts) showing.
#pragma once

#include <memory>
#include <vector>

#include "gls/Gls.h"
#include "host/controls/Menus.h"

namespace Glossmith::Tool {

// The Language menu of one open form: "Original" and one radio item per
// translator of the form, the one showing checked. Choosing one switches
// the translator showing off and the chosen one on, and with it its
// partners of the same Locale on the other open forms, as the translator
// does; every registered menu then checks what its form shows.
class TLanguageMenu {
 public:
  explicit TLanguageMenu(TComponent* form);
  ~TLanguageMenu();
  TLanguageMenu(const TLanguageMenu&) = delete;
  TLanguageMenu& operator=(const TLanguageMenu&) = delete;

  // The menu's root item ("&Language"), for the window's menu bar.
  TMenuItem* Root() const { return FRoot; }
  // nullptr chooses the original texts.
  void Choose(TGlossmith* translator);
  // Checks the item of what the form shows.
  void Update();
  // "TranslatorFrench (French, Locale 12)".
  static String CaptionOf(const TGlossmith& translator);

  // The menus of the open forms, told after every choice.
  class TRegistration {
   public:
    explicit TRegistration(TLanguageMenu* menu);
    ~TRegistration();
    TRegistration(const TRegistration&) = delete;
    TRegistration& operator=(const TRegistration&) = delete;

   private:
    TLanguageMenu* FMenu;
  };

 private:
  static std::vector<TLanguageMenu*>& Menus();
  struct TEntry {
    TMenuItem* Item;
    TGlossmith* Translator;  // nullptr: the original texts
  };
  TComponent* FForm;
  std::unique_ptr<TComponent> FOwner;
  TMenuItem* FRoot = nullptr;
  std::vector<TEntry> FItems;
};

// Reads a form file for the preview: as a plain form (no code of the
// application's form class runs), owned by the application, its
// translators finding their files beside it.
TComponent* LoadPreviewForm(const String& fileName);

}  // namespace Glossmith::Tool

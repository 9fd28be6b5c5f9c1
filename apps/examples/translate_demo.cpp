// A form built in code with two translators, French (Locale 12) and German
// (Locale 7): prints what the form shows before, while and after switching.
#include <cstdio>

#include "gls/Gls.h"
#include "host/controls/ComCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"
#include "host/platform/Windows.h"

namespace {

template <class T>
T* Make(TForm* form, const char* name) {
  auto* control = new T(form);
  control->SetName(name);
  control->SetParent(form);
  return control;
}

TGlossmith* MakeTranslator(TForm* form, const char* name, Integer locale,
                           std::initializer_list<const char*> lines) {
  auto* translator = new TGlossmith(form);
  translator->SetName(name);
  translator->SetLocale(locale);
  TStringList list;
  for (const char* line : lines) list.Add(line);
  translator->SetTranslations(&list);
  return translator;
}

void Show(TForm* form, const char* heading) {
  std::printf("== %s\n", heading);
  std::printf("Form:        %s\n", form->Caption().c_str());
  for (int i = 0; i < form->ComponentCount(); ++i) {
    TComponent* c = form->Components(i);
    if (auto* button = dynamic_cast<TButton*>(c))
      std::printf("%-12s %s\n", (button->Name() + ":").c_str(), button->Caption().c_str());
    else if (auto* label = dynamic_cast<TLabel*>(c))
      std::printf("%-12s %s\n", (label->Name() + ":").c_str(), label->Caption().c_str());
    else if (auto* list = dynamic_cast<TListBox*>(c))
      for (int k = 0; k < list->Items()->Count(); ++k)
        std::printf("%-12s %s\n", (list->Name() + "[" + IntToStr(k) + "]:").c_str(),
                    list->Items()->Get(k).c_str());
    else if (auto* view = dynamic_cast<TListView*>(c))
      for (int k = 0; k < view->Columns()->Count(); ++k)
        std::printf("%-12s %s\n", ("Column " + IntToStr(k) + ":").c_str(),
                    view->Column(k)->Caption().c_str());
    else if (auto* bar = dynamic_cast<TStatusBar*>(c))
      for (int k = 0; k < bar->Panels()->Count(); ++k)
        std::printf("%-12s %s\n", ("Panel " + IntToStr(k) + ":").c_str(),
                    static_cast<TStatusPanel*>(bar->Panels()->Items(k))->Text().c_str());
  }
  char close[256];
  GetMenuStringA(GetSystemMenu(form->Handle(), FALSE), SC_CLOSE, close, sizeof close, MF_BYCOMMAND);
  String text = close;
  TGlossmith::ConvertToLiterals(text);
  std::printf("%-12s %s\n\n", "Menu close:", text.c_str());
}

}  // namespace

int main() {
  auto* form = new TForm(Application);
  form->SetName("CustomerForm");
  form->SetCaption("Customer");
  Make<TLabel>(form, "LblName")->SetCaption("&Name:");
  Make<TLabel>(form, "LblCity")->SetCaption("&City:");
  Make<TButton>(form, "BtnOK")->SetCaption("OK");
  Make<TButton>(form, "BtnCancel")->SetCaption("Cancel");
  Make<TButton>(form, "BtnHelp")->SetCaption("&Help");
  auto* colours = Make<TListBox>(form, "Colours");
  for (const char* item : {"Red", "Green", "Blue"}) colours->Items()->Add(item);
  auto* customers = Make<TListView>(form, "Customers");
  customers->Columns()->Add()->SetCaption("Name");
  customers->Columns()->Add()->SetCaption("City");
  auto* status = Make<TStatusBar>(form, "Status");
  status->Panels()->Add()->SetText("Ready");
  status->Panels()->Add()->SetText("3 customers");

  TGlossmith* french = MakeTranslator(
      form, "French", 12,
      {"Caption='Client'", "LblName.Caption='&Nom :'", "LblCity.Caption='&Ville :'",
       "BtnCancel.Caption='Annuler'", "BtnHelp.Caption='&Aide'", "Colours.Items[0]='Rouge'",
       "Colours.Items[1]='Vert'", "Colours.Items[2]='Bleu'", "Customers.Columns[0].Caption='Nom'",
       "Customers.Columns[1].Caption='Ville'", "Status.Panels[0].Text='Prêt'",
       "Status.Panels[1].Text='3 clients'", "SystemMenuClose='&Fermer'#9'Alt+F4'"});
  TGlossmith* german = MakeTranslator(
      form, "German", 7,
      {"Caption='Kunde'", "LblName.Caption='&Name:'", "LblCity.Caption='&Ort:'",
       "BtnCancel.Caption='Abbrechen'", "BtnHelp.Caption='&Hilfe'", "Colours.Items[0]='Rot'",
       "Colours.Items[1]='Grün'", "Colours.Items[2]='Blau'", "Customers.Columns[0].Caption='Name'",
       "Customers.Columns[1].Caption='Ort'", "Status.Panels[0].Text='Bereit'",
       "Status.Panels[1].Text='3 Kunden'", "SystemMenuClose='&Schließen'#9'Alt+F4'"});

  // As the form reader would: both stored switched off, then told the form is loaded.
  french->SetTranslate(false);
  german->SetTranslate(false);
  french->Loaded();
  german->Loaded();
  Show(form, "Untranslated");
  french->SetTranslate(true);
  Show(form, "French (Locale 12)");
  german->SetTranslate(true);
  Show(form, "German (Locale 7)");
  german->SetTranslate(false);
  Show(form, "Back to the original texts");
  delete form;
  return 0;
}

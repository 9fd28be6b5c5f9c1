#include "support/gls/StorageForms.h"

namespace testsupport {

GLS_IMPLEMENT_CLASS(TCaptioned)

void TCaptioned::Publish(TPublisher<TCaptioned>& P) {
  P.Str("Caption", &TCaptioned::FCaption);
  P.Int("Width", &TCaptioned::FWidth);
  P.Obj("Lines", &TCaptioned::FLines);
}

TStorageForm::TStorageForm(const String& name, Integer locale) {
  Form = new TForm(Application);
  Form->SetName(name);
  Button1 = new TCaptioned(Form);
  Button1->SetName("Button1");
  Button1->FCaption = "&Close";
  Label1 = new TCaptioned(Form);
  Label1->SetName("Label1");
  Label1->FCaption = "Name:";
  Translator = new TGlossmith(Form);
  Translator->SetName("Glossmith1");
  Translator->SetLocale(locale);
}

TStorageForm::~TStorageForm() { delete Form; }

void SetEntries(TGlossmith* translator, std::initializer_list<const char*> entries) {
  TStringList list;
  for (const char* e : entries) list.Add(e);
  translator->SetTranslations(&list);
}

}  // namespace testsupport

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

}  // namespace testsupport

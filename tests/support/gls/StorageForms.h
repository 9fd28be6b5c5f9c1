// A small application form for the storage tests: a form with two captioned
// components and a translator, created and destroyed per test.
#pragma once

#include "gls/Gls.h"
#include "host/controls/Forms.h"

namespace testsupport {

// A component with a caption, a width and lines, enough for the walk.
class TCaptioned : public TComponent {
  GLS_CLASS(TCaptioned, TComponent)
 public:
  using TComponent::TComponent;
  static void Publish(TPublisher<TCaptioned>& P);
  String FCaption;
  Integer FWidth = 75;
  TStringList FLines;
};

// A form named `name` owned by Application with components Button1 ("&Close")
// and Label1 ("Name:") and a translator Glossmith1 with `locale`.
struct TStorageForm {
  TStorageForm(const String& name, Integer locale);
  ~TStorageForm();
  TStorageForm(const TStorageForm&) = delete;
  TStorageForm& operator=(const TStorageForm&) = delete;

  TForm* Form;
  TCaptioned* Button1;
  TCaptioned* Label1;
  TGlossmith* Translator;
};

// Replaces the translator's list with these entries (put in order).
void SetEntries(TGlossmith* translator, std::initializer_list<const char*> entries);

}  // namespace testsupport

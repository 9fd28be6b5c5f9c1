// Unit GlsReg: the translator in a design host. Register puts TGlossmith on
// the component palette and names the editors of three of its properties
// and of the component itself, whose verbs open the translations editor,
// the About box and the help.
//
// Design hosts link this unit (library Glossmith::design, with the editor
// dialog); applications that translate at run time link neither it nor the
// design services it uses.
#pragma once

#include "host/platform/DsgnIntf.h"

namespace Glossmith::inline Design {

// The package's description, as a design host lists its packages.
inline constexpr const char* PackageDescription = "Orvanta Glossmith";
// The palette page the translator is put on.
inline constexpr const char* PalettePage = "Orvanta";

// The About property: "(About...)", not typed into; its button shows the
// About box of the first selected translator.
class TFormAboutProperty : public TPropertyEditor {
  GLS_CLASS(TFormAboutProperty, TPropertyEditor)
 public:
  void Edit() override;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
};

// The Translations property: "[Form Editor]", not typed into; its button
// opens the translations editor on the first selected translator and, when
// it is closed with OK, tells the designer that the form changed.
class TFormTranslationsProperty : public TPropertyEditor {
  GLS_CLASS(TFormTranslationsProperty, TPropertyEditor)
 public:
  void Edit() override;
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
};

// The FileName property: typed into as text, and its button chooses the
// translation file with an open dialog.
class TFormFileNameProperty : public TStringProperty {
  GLS_CLASS(TFormFileNameProperty, TStringProperty)
 public:
  void Edit() override;
  TPropertyAttributes GetAttributes() override;
};

// The translator's verbs: 0 "Form Translation Editor" (also the double
// click), 1 "About Glossmith", 2 "Help Contents".
class TGlossmithEditor : public TComponentEditor {
  GLS_CLASS(TGlossmithEditor, TComponentEditor)
 public:
  void ExecuteVerb(int Index) override;
  String GetVerb(int Index) override;
  int GetVerbCount() override;
};

// The help document that "Help Contents" opens with the system's document
// viewer (xdg-open): the one set here, else the one installed with the
// package, else the one in the source tree the library was built from.
String HelpFileName();
// Sets the help document (a design host that knows where it was installed);
// empty goes back to the default.
void SetHelpFileName(const String& Value);

// Registers the palette page, the property editors and the component editor
// with the design host. Registering again changes nothing.
void Register();

}  // namespace Glossmith::inline Design

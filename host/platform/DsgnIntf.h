// The design services (unit DsgnIntf): what a design host offers the
// packages it loads, and what it asks of them.
//
// A package's Register procedure puts its components on pages of the
// component palette (RegisterComponents) and names the editors of its
// properties and components (RegisterPropertyEditor,
// RegisterComponentEditor). The design host shows a form in design mode
// with a designer (TFormDesigner); its object inspector asks for the editors
// of the selected components' properties (GetComponentProperties), its
// context menu for a component's editor and verbs (GetComponentEditor). An
// editor that changes the form tells the designer (Modified), so that the
// host saves the form.
//
// These services are part of the platform layer but are linked on demand:
// a program that never registers or asks for an editor (an application that
// only translates at run time) links none of this code.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "host/classes/Classes.h"

namespace Glossmith::inline Platform {

// What the object inspector offers for a property: a drop-down list of
// values (paValueList, sorted with paSortList), sub-properties to unfold
// (paSubProperties), a button that opens a dialog (paDialog), a place in the
// inspector when several components are selected (paMultiSelect), a value
// set at every keystroke (paAutoUpdate), a value that cannot be typed into
// (paReadOnly), a value that can be put back to the inherited one
// (paRevertable).
enum TPropertyAttribute : uint8_t {
  paValueList,
  paSubProperties,
  paDialog,
  paMultiSelect,
  paAutoUpdate,
  paSortList,
  paReadOnly,
  paRevertable
};
GLS_ENUM_TYPEINFO(TPropertyAttribute, "paValueList", "paSubProperties", "paDialog", "paMultiSelect",
                  "paAutoUpdate", "paSortList", "paReadOnly", "paRevertable")
using TPropertyAttributes = TSet<TPropertyAttribute>;
GLS_SET_TYPEINFO(TPropertyAttributes, TPropertyAttribute)

// The designer of one form: the editors tell it that the form changed, and
// the design host saves a form only when its designer says so.
class TFormDesigner {
 public:
  explicit TFormDesigner(TComponent* Form) : FForm(Form) {}
  virtual ~TFormDesigner() = default;
  TFormDesigner(const TFormDesigner&) = delete;
  TFormDesigner& operator=(const TFormDesigner&) = delete;

  // The form being designed (the root of the components it designs).
  TComponent* Form() const { return FForm; }
  // Marks the form as changed.
  virtual void Modified();
  bool IsModified() const { return FModified; }
  // The host saved the form, or threw the changes away.
  void ClearModified() { FModified = false; }
  // Heard at every Modified, after the form is marked.
  std::function<void()> OnModified;

 private:
  TComponent* FForm;
  bool FModified = false;
};

// One property of one selected object.
struct TInstProp {
  TPersistent* Instance = nullptr;
  PPropInfo PropInfo = nullptr;
};

// The editor of one property of the selected components, as the object
// inspector uses it: the text it shows (GetValue), what it offers
// (GetAttributes), the text typed in (SetValue), and the "..." button
// (Edit). Editors are made by the design services for a selection
// (CreatePropertyEditor, GetComponentProperties) and live while the
// inspector shows them; they keep no state of their own.
class TPropertyEditor : public TObject {
  GLS_CLASS(TPropertyEditor, TObject)
 public:
  TPropertyEditor() = default;

  virtual TPropertyAttributes GetAttributes();
  // The value as the inspector shows it; "(Unknown)" for a property whose
  // kind has no text form.
  virtual String GetValue();
  // The text typed into the inspector, set on every selected object; the
  // base class takes none.
  virtual void SetValue(const String& Value);
  // The "..." button (paDialog), or a double click on the value.
  virtual void Edit();
  // The values of the drop-down list (paValueList), in order.
  virtual void GetValues(const std::function<void(const String&)>& Proc);
  // Whether every selected object holds the same value; the inspector shows
  // no value otherwise.
  virtual bool AllEqual();
  // The longest text the inspector lets one type.
  virtual int GetEditLimit();
  // The property's name as the inspector lists it.
  virtual String GetName();

  TFormDesigner* Designer() const { return FDesigner; }
  int PropCount() const { return static_cast<int>(FPropList.size()); }
  // The Index-th selected object (0 is the first selected); raises
  // EListError out of range.
  TPersistent* GetComponent(int Index) const;
  // The property of the first selected object.
  PPropInfo GetPropInfo() const;
  PTypeInfo GetPropType() const;
  // Tells the designer that the form changed.
  void Modified();

 protected:
  // The value of the first selected object, and setting every selected
  // object's value (then Modified).
  String GetStrValue() const;
  void SetStrValue(const String& Value);
  Int64 GetOrdValue() const;
  void SetOrdValue(Int64 Value);
  double GetFloatValue() const;
  void SetFloatValue(double Value);
  TObject* GetObjValue() const;
  void SetObjValue(TObject* Value);
  String GetMethodValue() const;
  void SetMethodValue(const String& Value);
  const TInstProp& PropEntry(int Index) const;

 private:
  friend std::unique_ptr<TPropertyEditor> CreatePropertyEditor(const TClassInfo& EditorClass,
                                                               TFormDesigner* Designer,
                                                               std::vector<TInstProp> Selection);
  TFormDesigner* FDesigner = nullptr;
  std::vector<TInstProp> FPropList;
};

// The editors the inspector uses unless a package registers another, by the
// property's kind. Ordinal kinds:
class TOrdinalProperty : public TPropertyEditor {
  GLS_CLASS(TOrdinalProperty, TPropertyEditor)
 public:
  bool AllEqual() override;
  int GetEditLimit() override { return 63; }
};

// Integers; an integer type with identifiers (colours, cursors) shows and
// takes them (clBtnFace), and takes numbers too.
class TIntegerProperty : public TOrdinalProperty {
  GLS_CLASS(TIntegerProperty, TOrdinalProperty)
 public:
  String GetValue() override;
  void SetValue(const String& Value) override;
};

// A character: itself when printable, else "#" and its code.
class TCharProperty : public TOrdinalProperty {
  GLS_CLASS(TCharProperty, TOrdinalProperty)
 public:
  String GetValue() override;
  void SetValue(const String& Value) override;
};

// An enumeration (Booleans too): its value names, in a sorted drop-down list.
class TEnumProperty : public TOrdinalProperty {
  GLS_CLASS(TEnumProperty, TOrdinalProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
  void GetValues(const std::function<void(const String&)>& Proc) override;
};

// A set, "[fsBold,fsItalic]"; its elements unfold as sub-properties.
class TSetProperty : public TOrdinalProperty {
  GLS_CLASS(TSetProperty, TOrdinalProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
};

class TInt64Property : public TPropertyEditor {
  GLS_CLASS(TInt64Property, TPropertyEditor)
 public:
  bool AllEqual() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
};

class TFloatProperty : public TPropertyEditor {
  GLS_CLASS(TFloatProperty, TPropertyEditor)
 public:
  bool AllEqual() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
};

class TStringProperty : public TPropertyEditor {
  GLS_CLASS(TStringProperty, TPropertyEditor)
 public:
  bool AllEqual() override;
  int GetEditLimit() override { return 255; }
  String GetValue() override;
  void SetValue(const String& Value) override;
};

// A component's Name: one component at a time.
class TComponentNameProperty : public TStringProperty {
  GLS_CLASS(TComponentNameProperty, TStringProperty)
 public:
  TPropertyAttributes GetAttributes() override;
  int GetEditLimit() override { return 63; }
};

// An object the component holds (a font, a string list): "(TFont)", its
// properties unfolding as sub-properties.
class TClassProperty : public TPropertyEditor {
  GLS_CLASS(TClassProperty, TPropertyEditor)
 public:
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
};

// A reference to another component of the form: its name, chosen from the
// form's components of the property's class.
class TComponentProperty : public TPropertyEditor {
  GLS_CLASS(TComponentProperty, TPropertyEditor)
 public:
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
  void GetValues(const std::function<void(const String&)>& Proc) override;
  bool AllEqual() override;
};

// An event: its handler's name.
class TMethodProperty : public TPropertyEditor {
  GLS_CLASS(TMethodProperty, TPropertyEditor)
 public:
  TPropertyAttributes GetAttributes() override;
  String GetValue() override;
  void SetValue(const String& Value) override;
  bool AllEqual() override;
};

// The editor of a component as the form designer uses it: the verbs of the
// component's context menu, in order, and the double click (Edit). Made by
// the design services for one component of a designed form
// (GetComponentEditor).
class TComponentEditor : public TObject {
  GLS_CLASS(TComponentEditor, TObject)
 public:
  TComponentEditor() = default;

  // A double click on the component: the first verb, when there is one.
  virtual void Edit();
  // Runs verb Index; an index out of range does nothing.
  virtual void ExecuteVerb(int Index);
  // The text of verb Index in the context menu; empty out of range.
  virtual String GetVerb(int Index);
  virtual int GetVerbCount();

  TComponent* Component() const { return FComponent; }
  TFormDesigner* GetDesigner() const { return FDesigner; }

 private:
  friend std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component,
                                                              TFormDesigner* Designer);
  TComponent* FComponent = nullptr;
  TFormDesigner* FDesigner = nullptr;
};

// The editor of components that have none registered: no verbs.
class TDefaultEditor : public TComponentEditor {
  GLS_CLASS(TDefaultEditor, TComponentEditor)
};

// --- Registration (from a package's Register) ------------------------------

// Puts the component classes on the palette page of that name (made when
// new), in order. A class already on the palette stays where it is.
void RegisterComponents(const String& Page, const std::vector<const TClassInfo*>& ComponentClasses);
// Names the editor of the properties of type PropertyType (a class type
// matches its descendants too), of components of ComponentClass and its
// descendants (nullptr: of any class), named PropertyName (case ignored;
// empty: of any name). The most specific registration that fits a property
// is its editor (GetPropertyEditorClass). Raises EInvalidOperation when
// EditorClass is no property editor.
void RegisterPropertyEditor(PTypeInfo PropertyType, const TClassInfo* ComponentClass,
                            const String& PropertyName, const TClassInfo& EditorClass);
// Names the editor of the components of ComponentClass and its descendants;
// the registration of the nearest class wins, and of two for one class the
// later. Raises EInvalidOperation when ComponentEditor is no component editor.
void RegisterComponentEditor(const TClassInfo& ComponentClass, const TClassInfo& ComponentEditor);

// --- The design host's side ------------------------------------------------

struct TPalettePage {
  String Name;
  std::vector<const TClassInfo*> ComponentClasses;
};
// The palette's pages in the order they were first registered.
std::vector<TPalettePage> PalettePages();

// One registration as a package's Register made it.
struct TDesignRegistration {
  enum TKind : uint8_t { drComponents, drPropertyEditor, drComponentEditor };
  TKind Kind = drComponents;
  // drComponents: the page, and the classes this call put on the palette.
  String Page;
  std::vector<const TClassInfo*> ComponentClasses;
  // drPropertyEditor: the property's type and name (empty: any), and the
  // component class (nullptr: any). drComponentEditor: the component class.
  PTypeInfo PropertyType = nullptr;
  const TClassInfo* ComponentClass = nullptr;
  String PropertyName;
  // The property editor or component editor class.
  const TClassInfo* EditorClass = nullptr;
};
// Every registration made so far, in the order made (the host's own editors
// are not among them). A call that changed nothing (the same editor again, a
// page and classes already placed) is not listed again.
std::vector<TDesignRegistration> DesignRegistrations();
// The bitmap the palette shows for a component class: the resource named
// after the class in capitals (a BMP file's bytes); empty when there is none.
std::string_view PaletteBitmap(const TClassInfo& ComponentClass);

// The editor class of a property of components of ComponentClass. Of the
// registrations that fit it, the one that names the property wins over one
// that does not; then the one for the nearer component class (any class
// counting as the farthest); then the one whose type is the property's own
// over an ancestor class type, and the nearer ancestor; then the later one.
// Without a fitting registration, the editor of the property's kind.
const TClassInfo& GetPropertyEditorClass(PPropInfo PropInfo, const TClassInfo& ComponentClass);
// An editor of EditorClass (a property editor class) for one property of
// each selected object (the first is the one shown), telling Designer.
std::unique_ptr<TPropertyEditor> CreatePropertyEditor(const TClassInfo& EditorClass,
                                                      TFormDesigner* Designer,
                                                      std::vector<TInstProp> Selection);
// The editors of the properties the object inspector shows for the selected
// objects, in declaration order: the published properties whose kind is in
// Filter and that can be set or hold an object. With several objects
// selected, only the properties all of them have, whose editors are of one
// class and offer paMultiSelect.
std::vector<std::unique_ptr<TPropertyEditor>> GetComponentProperties(
    const std::vector<TPersistent*>& Selection, TTypeKinds Filter, TFormDesigner* Designer);
// The editor of a component of the designed form: the registered one, else
// a TDefaultEditor.
std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component,
                                                     TFormDesigner* Designer);

}  // namespace Glossmith::inline Platform

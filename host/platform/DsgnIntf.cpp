#include "host/platform/DsgnIntf.h"

#include <algorithm>
#include <tuple>

#include "host/platform/Resources.h"
#include "host/rtl/TypInfo.h"

namespace Glossmith::inline Platform {

GLS_IMPLEMENT_CLASS(TPropertyEditor)
GLS_IMPLEMENT_CLASS(TOrdinalProperty)
GLS_IMPLEMENT_CLASS(TIntegerProperty)
GLS_IMPLEMENT_CLASS(TCharProperty)
GLS_IMPLEMENT_CLASS(TEnumProperty)
GLS_IMPLEMENT_CLASS(TSetProperty)
GLS_IMPLEMENT_CLASS(TInt64Property)
GLS_IMPLEMENT_CLASS(TFloatProperty)
GLS_IMPLEMENT_CLASS(TStringProperty)
GLS_IMPLEMENT_CLASS(TComponentNameProperty)
GLS_IMPLEMENT_CLASS(TClassProperty)
GLS_IMPLEMENT_CLASS(TComponentProperty)
GLS_IMPLEMENT_CLASS(TMethodProperty)
GLS_IMPLEMENT_CLASS(TComponentEditor)
GLS_IMPLEMENT_CLASS(TDefaultEditor)

namespace {

struct TPropertyEditorRegistration {
  PTypeInfo PropertyType;
  const TClassInfo* ComponentClass;
  String PropertyName;
  const TClassInfo* EditorClass;
};

struct TComponentEditorRegistration {
  const TClassInfo* ComponentClass;
  const TClassInfo* EditorClass;
};

struct TDesignRegistry {
  std::vector<TPalettePage> Pages;
  std::vector<TPropertyEditorRegistration> PropertyEditors;
  std::vector<TComponentEditorRegistration> ComponentEditors;
  std::vector<TDesignRegistration> Log;

  // The host's own editors come first, so that a package's registration of
  // the same specificity wins over them.
  TDesignRegistry() {
    PropertyEditors.push_back({TComponent::StaticClass().TypeInfo(), nullptr, String(),
                               &TComponentProperty::StaticClass()});
    PropertyEditors.push_back({TypeInfoOf<String>(), &TComponent::StaticClass(), "Name",
                               &TComponentNameProperty::StaticClass()});
  }
};

TDesignRegistry& Registry() {
  static TDesignRegistry registry;
  return registry;
}

int Depth(const TClassInfo* info) {
  int depth = 0;
  for (; info && info->Parent(); info = info->Parent()) ++depth;
  return depth;
}

// Whether a registration for type `registered` fits a property of type
// `actual`; `exact` tells a type of its own from an ancestor class type.
bool TypeFits(PTypeInfo registered, PTypeInfo actual, bool& exact) {
  exact = registered == actual ||
          (registered->Kind == actual->Kind && SameText(registered->Name, actual->Name));
  if (exact) return true;
  return registered->Kind == tkClass && actual->Kind == tkClass && registered->ClassType &&
         actual->ClassType && actual->ClassType->InheritsFrom(*registered->ClassType);
}

const TClassInfo& EditorOfKind(TTypeKind kind) {
  switch (kind) {
    case tkInteger:
      return TIntegerProperty::StaticClass();
    case tkChar:
    case tkWChar:
      return TCharProperty::StaticClass();
    case tkEnumeration:
      return TEnumProperty::StaticClass();
    case tkFloat:
      return TFloatProperty::StaticClass();
    case tkString:
    case tkLString:
    case tkWString:
      return TStringProperty::StaticClass();
    case tkSet:
      return TSetProperty::StaticClass();
    case tkClass:
      return TClassProperty::StaticClass();
    case tkMethod:
      return TMethodProperty::StaticClass();
    case tkInt64:
      return TInt64Property::StaticClass();
    case tkUnknown:
    case tkVariant:
    case tkArray:
    case tkRecord:
    case tkInterface:
    case tkDynArray:
      break;
  }
  return TPropertyEditor::StaticClass();
}

void RequireDescendant(const TClassInfo& info, const TClassInfo& base, const char* what) {
  if (!info.InheritsFrom(base))
    throw EInvalidOperation(Format("%s is not a %s", {info.Name(), what}));
}

}  // namespace

// --- The designer ------------------------------------------------------------

void TFormDesigner::Modified() {
  FModified = true;
  if (OnModified) OnModified();
}

// --- Property editors ----------------------------------------------------------

TPropertyAttributes TPropertyEditor::GetAttributes() { return {paMultiSelect, paRevertable}; }

String TPropertyEditor::GetValue() { return "(Unknown)"; }

void TPropertyEditor::SetValue(const String&) {}

void TPropertyEditor::Edit() {
  // A double click on a value chosen from a list takes the next value.
  if (!GetAttributes().Contains(paValueList)) return;
  std::vector<String> values;
  GetValues([&values](const String& v) { values.push_back(v); });
  if (values.empty()) return;
  const String current = GetValue();
  auto it = std::find_if(values.begin(), values.end(),
                         [&](const String& v) { return SameText(v, current); });
  SetValue(it == values.end() || it + 1 == values.end() ? values.front() : *(it + 1));
}

void TPropertyEditor::GetValues(const std::function<void(const String&)>&) {}

bool TPropertyEditor::AllEqual() { return FPropList.size() == 1; }

int TPropertyEditor::GetEditLimit() { return 255; }

String TPropertyEditor::GetName() { return GetPropInfo()->Name; }

const TInstProp& TPropertyEditor::PropEntry(int Index) const {
  if (Index < 0 || Index >= PropCount())
    throw EListError(Format("List index out of bounds (%d)", {Index}));
  return FPropList[static_cast<size_t>(Index)];
}

TPersistent* TPropertyEditor::GetComponent(int Index) const { return PropEntry(Index).Instance; }

PPropInfo TPropertyEditor::GetPropInfo() const { return PropEntry(0).PropInfo; }

PTypeInfo TPropertyEditor::GetPropType() const { return GetPropInfo()->PropType; }

void TPropertyEditor::Modified() {
  if (FDesigner) FDesigner->Modified();
}

String TPropertyEditor::GetStrValue() const {
  const TInstProp& p = PropEntry(0);
  return GetStrProp(p.Instance, p.PropInfo);
}

void TPropertyEditor::SetStrValue(const String& Value) {
  for (const TInstProp& p : FPropList) SetStrProp(p.Instance, p.PropInfo, Value);
  Modified();
}

Int64 TPropertyEditor::GetOrdValue() const {
  const TInstProp& p = PropEntry(0);
  return GetOrdProp(p.Instance, p.PropInfo);
}

void TPropertyEditor::SetOrdValue(Int64 Value) {
  for (const TInstProp& p : FPropList) SetOrdProp(p.Instance, p.PropInfo, Value);
  Modified();
}

double TPropertyEditor::GetFloatValue() const {
  const TInstProp& p = PropEntry(0);
  return GetFloatProp(p.Instance, p.PropInfo);
}

void TPropertyEditor::SetFloatValue(double Value) {
  for (const TInstProp& p : FPropList) SetFloatProp(p.Instance, p.PropInfo, Value);
  Modified();
}

TObject* TPropertyEditor::GetObjValue() const {
  const TInstProp& p = PropEntry(0);
  return GetObjectProp(p.Instance, p.PropInfo);
}

void TPropertyEditor::SetObjValue(TObject* Value) {
  for (const TInstProp& p : FPropList) SetObjectProp(p.Instance, p.PropInfo, Value);
  Modified();
}

String TPropertyEditor::GetMethodValue() const {
  const TInstProp& p = PropEntry(0);
  return GetMethodProp(p.Instance, p.PropInfo);
}

void TPropertyEditor::SetMethodValue(const String& Value) {
  for (const TInstProp& p : FPropList) SetMethodProp(p.Instance, p.PropInfo, Value);
  Modified();
}

namespace {

// Whether every selected object gives the first one's value.
template <class Get>
bool AllGive(int count, Get get) {
  for (int i = 1; i < count; ++i)
    if (!(get(i) == get(0))) return false;
  return true;
}

}  // namespace

bool TOrdinalProperty::AllEqual() {
  return AllGive(PropCount(), [this](int i) {
    return GetOrdProp(PropEntry(i).Instance, PropEntry(i).PropInfo);
  });
}

String TIntegerProperty::GetValue() {
  const Int64 value = GetOrdValue();
  if (TIntToIdent toIdent = FindIntToIdent(GetPropType())) {
    String ident;
    if (toIdent(static_cast<Integer>(value), ident)) return ident;
  }
  return IntToStr(value);
}

void TIntegerProperty::SetValue(const String& Value) {
  Integer value = 0;
  TIdentToInt toInt = FindIdentToInt(GetPropType());
  if (!toInt || !toInt(Trim(Value), value)) value = StrToInt(Value);
  SetOrdValue(value);
}

String TCharProperty::GetValue() {
  const Int64 code = GetOrdValue();
  if (code > 32 && code < 127) return String(1, static_cast<char>(code));
  return "#" + IntToStr(code);
}

void TCharProperty::SetValue(const String& Value) {
  if (Value.size() == 1) {
    SetOrdValue(static_cast<unsigned char>(Value[0]));
  } else if (Value.size() > 1 && Value[0] == '#') {
    SetOrdValue(StrToInt(std::string_view(Value).substr(1)));
  } else {
    throw EPropertyError("Invalid property value");
  }
}

TPropertyAttributes TEnumProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList, paRevertable};
}

String TEnumProperty::GetValue() {
  return GetEnumName(GetPropType(), static_cast<int>(GetOrdValue()));
}

void TEnumProperty::SetValue(const String& Value) {
  const int value = GetEnumValue(GetPropType(), Trim(Value));
  if (value < 0) throw EPropertyError("Invalid property value");
  SetOrdValue(value);
}

void TEnumProperty::GetValues(const std::function<void(const String&)>& Proc) {
  for (const String& name : GetPropType()->EnumNames) Proc(name);
}

TPropertyAttributes TSetProperty::GetAttributes() {
  return {paMultiSelect, paSubProperties, paReadOnly, paRevertable};
}

String TSetProperty::GetValue() { return SetToString(GetPropType(), GetOrdValue(), true); }

bool TInt64Property::AllEqual() {
  return AllGive(PropCount(), [this](int i) {
    return GetOrdProp(PropEntry(i).Instance, PropEntry(i).PropInfo);
  });
}

String TInt64Property::GetValue() { return IntToStr(GetOrdValue()); }

void TInt64Property::SetValue(const String& Value) { SetOrdValue(StrToInt64(Value)); }

bool TFloatProperty::AllEqual() {
  return AllGive(PropCount(), [this](int i) {
    return GetFloatProp(PropEntry(i).Instance, PropEntry(i).PropInfo);
  });
}

String TFloatProperty::GetValue() { return FloatToStr(GetFloatValue()); }

void TFloatProperty::SetValue(const String& Value) { SetFloatValue(StrToFloat(Value)); }

bool TStringProperty::AllEqual() {
  return AllGive(PropCount(), [this](int i) {
    return GetStrProp(PropEntry(i).Instance, PropEntry(i).PropInfo);
  });
}

String TStringProperty::GetValue() { return GetStrValue(); }

void TStringProperty::SetValue(const String& Value) { SetStrValue(Value); }

TPropertyAttributes TComponentNameProperty::GetAttributes() { return {}; }

TPropertyAttributes TClassProperty::GetAttributes() {
  return {paMultiSelect, paSubProperties, paReadOnly};
}

String TClassProperty::GetValue() { return "(" + GetPropType()->Name + ")"; }

TPropertyAttributes TComponentProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList, paRevertable};
}

String TComponentProperty::GetValue() {
  auto* component = dynamic_cast<TComponent*>(GetObjValue());
  return component ? component->Name() : String();
}

namespace {

// The components of the designed form a property of that type may refer to:
// the form itself and the components it owns, those of the type's class.
template <class F>
void ForEachReferable(TFormDesigner* designer, PTypeInfo type, F&& visit) {
  if (!designer || !designer->Form() || !type->ClassType) return;
  TComponent* form = designer->Form();
  auto fits = [&](TComponent* c) {
    return !c->Name().empty() && c->InheritsFrom(*type->ClassType);
  };
  if (fits(form) && visit(form)) return;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (fits(form->Components(i)) && visit(form->Components(i))) return;
}

}  // namespace

void TComponentProperty::SetValue(const String& Value) {
  if (Trim(Value).empty()) {
    SetObjValue(nullptr);
    return;
  }
  TComponent* found = nullptr;
  ForEachReferable(Designer(), GetPropType(), [&](TComponent* c) {
    if (!SameText(c->Name(), Trim(Value))) return false;
    found = c;
    return true;
  });
  if (!found) throw EPropertyError("Invalid property value");
  SetObjValue(found);
}

void TComponentProperty::GetValues(const std::function<void(const String&)>& Proc) {
  ForEachReferable(Designer(), GetPropType(), [&](TComponent* c) {
    Proc(c->Name());
    return false;
  });
}

bool TComponentProperty::AllEqual() {
  return AllGive(PropCount(), [this](int i) {
    return GetObjectProp(PropEntry(i).Instance, PropEntry(i).PropInfo);
  });
}

TPropertyAttributes TMethodProperty::GetAttributes() {
  return {paMultiSelect, paValueList, paSortList, paRevertable};
}

String TMethodProperty::GetValue() { return GetMethodValue(); }

void TMethodProperty::SetValue(const String& Value) { SetMethodValue(Trim(Value)); }

bool TMethodProperty::AllEqual() {
  return AllGive(PropCount(), [this](int i) {
    return GetMethodProp(PropEntry(i).Instance, PropEntry(i).PropInfo);
  });
}

// --- Component editors ---------------------------------------------------------

void TComponentEditor::Edit() {
  if (GetVerbCount() > 0) ExecuteVerb(0);
}

void TComponentEditor::ExecuteVerb(int) {}

String TComponentEditor::GetVerb(int) { return String(); }

int TComponentEditor::GetVerbCount() { return 0; }

// --- Registration -----------------------------------------------------------------

void RegisterComponents(const String& Page,
                        const std::vector<const TClassInfo*>& ComponentClasses) {
  TDesignRegistry& registry = Registry();
  for (const TClassInfo* info : ComponentClasses)
    RequireDescendant(*info, TComponent::StaticClass(), "component class");
  auto page = std::find_if(registry.Pages.begin(), registry.Pages.end(),
                           [&](const TPalettePage& p) { return SameText(p.Name, Page); });
  const bool newPage = page == registry.Pages.end();
  if (newPage) {
    registry.Pages.push_back({Page, {}});
    page = registry.Pages.end() - 1;
  }
  TDesignRegistration made;
  made.Kind = TDesignRegistration::drComponents;
  made.Page = page->Name;
  for (const TClassInfo* info : ComponentClasses) {
    const bool placed =
        std::any_of(registry.Pages.begin(), registry.Pages.end(), [&](const TPalettePage& p) {
          return std::find(p.ComponentClasses.begin(), p.ComponentClasses.end(), info) !=
                 p.ComponentClasses.end();
        });
    if (placed) continue;
    page->ComponentClasses.push_back(info);
    made.ComponentClasses.push_back(info);
  }
  if (newPage || !made.ComponentClasses.empty()) registry.Log.push_back(std::move(made));
}

void RegisterPropertyEditor(PTypeInfo PropertyType, const TClassInfo* ComponentClass,
                            const String& PropertyName, const TClassInfo& EditorClass) {
  RequireDescendant(EditorClass, TPropertyEditor::StaticClass(), "property editor");
  if (!PropertyType) throw EInvalidOperation("A property editor needs a property type");
  auto& list = Registry().PropertyEditors;
  // Registering the same editor again (a package's Register run twice)
  // changes nothing.
  for (const auto& r : list)
    if (r.PropertyType == PropertyType && r.ComponentClass == ComponentClass &&
        SameText(r.PropertyName, PropertyName) && r.EditorClass == &EditorClass)
      return;
  list.push_back({PropertyType, ComponentClass, PropertyName, &EditorClass});
  TDesignRegistration made;
  made.Kind = TDesignRegistration::drPropertyEditor;
  made.PropertyType = PropertyType;
  made.ComponentClass = ComponentClass;
  made.PropertyName = PropertyName;
  made.EditorClass = &EditorClass;
  Registry().Log.push_back(std::move(made));
}

void RegisterComponentEditor(const TClassInfo& ComponentClass, const TClassInfo& ComponentEditor) {
  RequireDescendant(ComponentClass, TComponent::StaticClass(), "component class");
  RequireDescendant(ComponentEditor, TComponentEditor::StaticClass(), "component editor");
  auto& list = Registry().ComponentEditors;
  for (const auto& r : list)
    if (r.ComponentClass == &ComponentClass && r.EditorClass == &ComponentEditor) return;
  list.push_back({&ComponentClass, &ComponentEditor});
  TDesignRegistration made;
  made.Kind = TDesignRegistration::drComponentEditor;
  made.ComponentClass = &ComponentClass;
  made.EditorClass = &ComponentEditor;
  Registry().Log.push_back(std::move(made));
}

// --- The design host's side ---------------------------------------------------

std::vector<TPalettePage> PalettePages() { return Registry().Pages; }

std::vector<TDesignRegistration> DesignRegistrations() { return Registry().Log; }

std::string_view PaletteBitmap(const TClassInfo& ComponentClass) {
  const String name = UpperCase(ComponentClass.Name());
  return HasResource(name) ? FindResource(name) : std::string_view();
}

const TClassInfo& GetPropertyEditorClass(PPropInfo PropInfo, const TClassInfo& ComponentClass) {
  // The rank of a fitting registration, compared as a whole: the property's
  // name, the component class's depth, the type's exactness and depth, the
  // order of registration.
  using TRank = std::tuple<bool, int, bool, int, size_t>;
  const TClassInfo* best = nullptr;
  TRank bestRank{};
  const auto& list = Registry().PropertyEditors;
  for (size_t i = 0; i < list.size(); ++i) {
    const TPropertyEditorRegistration& r = list[i];
    bool exact = false;
    if (!TypeFits(r.PropertyType, PropInfo->PropType, exact)) continue;
    if (r.ComponentClass && !ComponentClass.InheritsFrom(*r.ComponentClass)) continue;
    if (!r.PropertyName.empty() && !SameText(r.PropertyName, PropInfo->Name)) continue;
    const TRank rank{!r.PropertyName.empty(), r.ComponentClass ? Depth(r.ComponentClass) : -1,
                     exact, exact ? 0 : Depth(r.PropertyType->ClassType), i};
    if (!best || rank > bestRank) {
      best = r.EditorClass;
      bestRank = rank;
    }
  }
  return best ? *best : EditorOfKind(PropInfo->Kind());
}

std::unique_ptr<TPropertyEditor> CreatePropertyEditor(const TClassInfo& EditorClass,
                                                      TFormDesigner* Designer,
                                                      std::vector<TInstProp> Selection) {
  RequireDescendant(EditorClass, TPropertyEditor::StaticClass(), "property editor");
  if (Selection.empty()) throw EInvalidOperation("A property editor needs a selected object");
  if (!EditorClass.Factory())
    throw EInvalidOperation(Format("%s cannot be created", {EditorClass.Name()}));
  std::unique_ptr<TPropertyEditor> editor(
      dynamic_cast<TPropertyEditor*>(EditorClass.Factory()(nullptr)));
  editor->FDesigner = Designer;
  editor->FPropList = std::move(Selection);
  return editor;
}

std::vector<std::unique_ptr<TPropertyEditor>> GetComponentProperties(
    const std::vector<TPersistent*>& Selection, TTypeKinds Filter, TFormDesigner* Designer) {
  std::vector<std::unique_ptr<TPropertyEditor>> editors;
  if (Selection.empty()) return editors;
  TPersistent* first = Selection.front();
  for (PPropInfo prop : GetPropList(first, Filter)) {
    if (!prop->IsWritable() && prop->Kind() != tkClass) continue;
    const TClassInfo& editorClass = GetPropertyEditorClass(prop, first->ClassType());
    std::vector<TInstProp> entries{{first, prop}};
    for (size_t i = 1; i < Selection.size(); ++i) {
      PPropInfo other = GetPropInfo(Selection[i], prop->Name);
      if (!other || other->Kind() != prop->Kind() ||
          &GetPropertyEditorClass(other, Selection[i]->ClassType()) != &editorClass)
        break;
      entries.push_back({Selection[i], other});
    }
    if (entries.size() != Selection.size()) continue;
    auto editor = CreatePropertyEditor(editorClass, Designer, std::move(entries));
    if (Selection.size() > 1 && !editor->GetAttributes().Contains(paMultiSelect)) continue;
    editors.push_back(std::move(editor));
  }
  return editors;
}

std::unique_ptr<TComponentEditor> GetComponentEditor(TComponent* Component,
                                                     TFormDesigner* Designer) {
  const TClassInfo* best = &TDefaultEditor::StaticClass();
  int bestDepth = -1;
  for (const TComponentEditorRegistration& r : Registry().ComponentEditors) {
    if (!Component->InheritsFrom(*r.ComponentClass)) continue;
    const int depth = Depth(r.ComponentClass);
    if (depth >= bestDepth) {
      best = r.EditorClass;
      bestDepth = depth;
    }
  }
  if (!best->Factory()) throw EInvalidOperation(Format("%s cannot be created", {best->Name()}));
  std::unique_ptr<TComponentEditor> editor(
      dynamic_cast<TComponentEditor*>(best->Factory()(nullptr)));
  editor->FComponent = Component;
  editor->FDesigner = Designer;
  return editor;
}

}  // namespace Glossmith::inline Platform

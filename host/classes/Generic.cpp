#include "host/classes/Generic.h"

namespace Glossmith::inline Classes {

GLS_IMPLEMENT_CLASS(TGenericComponent)
GLS_IMPLEMENT_CLASS(TGenericPersistent)
GLS_IMPLEMENT_CLASS(TGenericCollectionItem)
GLS_IMPLEMENT_CLASS(TGenericCollection)

String TGenericComponent::ClassName() const {
  return FFileClassName.empty() ? inherited::ClassName() : FFileClassName;
}

namespace {

// The state behind one dynamic property, shared by its accessors.
struct TDynamicState {
  TTypeInfo Type;
  TTypeInfo ElemType;  // the names of a set
  TFormValue Value;    // the value, in the form it is written back
  std::unique_ptr<TPersistent> Obj;
};

// The state is the property's DynamicState, so that the writer also finds
// the value of a kind that has no accessors (binary data, variants, lists).
const TDynamicState* StateOf(PPropInfo prop) {
  if (!prop || !prop->IsDynamic) return nullptr;
  return static_cast<const TDynamicState*>(prop->DynamicState.get());
}

bool IsEventName(const String& name) {
  return name.size() > 2 && (name[0] == 'O' || name[0] == 'o') &&
         (name[1] == 'n' || name[1] == 'N') && name[2] >= 'A' && name[2] <= 'Z';
}

// Copies the dynamic properties of one generic object onto another.
void CopyDynamic(TPersistent* dest, const TPersistent* source) {
  for (const auto& p : source->DynamicProperties()) {
    if (p->Kind() == tkClass) {
      TObject* sub = p->GetObj(source);
      auto* persistent = dynamic_cast<TPersistent*>(sub);
      if (!persistent || !persistent->ClassType().Factory()) continue;
      std::unique_ptr<TPersistent> copy(
          static_cast<TPersistent*>(persistent->ClassType().Factory()(nullptr)));
      copy->Assign(persistent);
      AddDynamicObject(dest, p->Name, std::move(copy));
    } else {
      AddDynamicValue(dest, p->Name, DynamicValueOf(source, p.get()));
    }
  }
}

TPropInfo& Install(TPersistent* obj, std::unique_ptr<TPropInfo> prop) {
  // A value read twice replaces the first, at its place.
  for (const auto& p : obj->DynamicProperties()) {
    if (SameText(p->Name, prop->Name)) {
      *p = std::move(*prop);
      p->IsDynamic = true;
      return *p;
    }
  }
  return obj->AddDynamicProperty(std::move(prop));
}

}  // namespace

void TGenericPersistent::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGenericPersistent*>(source)) {
    CopyDynamic(this, other);
    return;
  }
  TPersistent::Assign(source);
}

void TGenericCollectionItem::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TGenericCollectionItem*>(source)) {
    CopyDynamic(this, other);
    return;
  }
  TPersistent::Assign(source);
}

PPropInfo AddDynamicValue(TPersistent* obj, const String& name, const TFormValue& value) {
  auto state = std::make_shared<TDynamicState>();
  state->Value = value;
  auto prop = std::make_unique<TPropInfo>();
  prop->Name = name;
  prop->PropType = &state->Type;
  prop->DynamicState = state;
  TDynamicState* s = state.get();
  TTypeInfo& type = state->Type;
  type.Kind = tkArray;
  type.Name = "TFormValue";
  switch (value.Kind) {
    case TFormValueKind::Integer:
      if (value.Int >= INT32_MIN && value.Int <= INT32_MAX) {
        type.Kind = tkInteger;
        type.Name = "Integer";
      } else {
        type.Kind = tkInt64;
        type.Name = "Int64";
      }
      prop->GetOrd = [s](const TObject*) { return s->Value.Int; };
      prop->SetOrd = [s](TObject*, Int64 v) {
        if (v != s->Value.Int) s->Value.Text.clear();
        s->Value.Int = v;
      };
      break;
    case TFormValueKind::Float:
      type.Kind = tkFloat;
      type.Name = "Extended";
      prop->GetFloat = [s](const TObject*) { return s->Value.Float; };
      prop->SetFloat = [s](TObject*, double v) {
        if (v != s->Value.Float) s->Value.Text.clear();
        s->Value.Float = v;
      };
      break;
    case TFormValueKind::String:
      type.Kind = tkLString;
      type.Name = "String";
      prop->GetStr = [s](const TObject*) { return s->Value.Text; };
      prop->SetStr = [s](TObject*, const String& v) { s->Value.Text = v; };
      break;
    case TFormValueKind::Ident:
      if (IsEventName(name) && value.Text.find('.') == String::npos && !value.IsIdent("nil")) {
        type.Kind = tkMethod;
        type.Name = "TMethod";
        prop->GetMethod = [s](const TObject*) { return s->Value.Text; };
        prop->SetMethod = [s](TObject*, const String& v) { s->Value.Text = v; };
        break;
      }
      type.Kind = tkEnumeration;
      if (value.IsIdent("True") || value.IsIdent("False")) {
        type.Name = "Boolean";
        type.EnumNames = {"False", "True"};
        s->Value.Int = value.IsIdent("True");
      } else {
        type.Name = "TIdent";
        type.EnumNames = {value.Text};
        s->Value.Int = 0;
      }
      prop->GetOrd = [s](const TObject*) { return s->Value.Int; };
      prop->SetOrd = [s](TObject*, Int64 v) {
        if (v < 0 || v > s->Type.MaxValue())
          throw EPropertyError(Format("Invalid value %d for an identifier", {v}));
        s->Value.Int = v;
        s->Value.Text = s->Type.EnumNames[static_cast<size_t>(v)];
      };
      break;
    case TFormValueKind::Set: {
      bool fits = value.Names.size() <= 32;
      for (size_t i = 0; fits && i < value.Names.size(); ++i)
        for (size_t j = 0; j < i; ++j)
          if (SameText(value.Names[i], value.Names[j])) fits = false;
      if (!fits) break;  // kept as a value without a text form
      state->ElemType.Kind = tkEnumeration;
      state->ElemType.Name = "TSetElement";
      state->ElemType.EnumNames = value.Names;
      type.Kind = tkSet;
      type.Name = "TSet";
      type.CompType = &state->ElemType;
      s->Value.Int =
          value.Names.size() == 32 ? Int64{0xFFFFFFFF} : (Int64{1} << value.Names.size()) - 1;
      prop->GetOrd = [s](const TObject*) { return s->Value.Int; };
      prop->SetOrd = [s](TObject*, Int64 v) {
        s->Value.Int = v & ((Int64{1} << s->ElemType.EnumNames.size()) - 1);
        s->Value.Names.clear();
        for (size_t i = 0; i < s->ElemType.EnumNames.size(); ++i)
          if ((s->Value.Int >> i) & 1) s->Value.Names.push_back(s->ElemType.EnumNames[i]);
      };
      break;
    }
    case TFormValueKind::Binary:
      type.Kind = tkDynArray;
      type.Name = "TBytes";
      break;
    case TFormValueKind::Null:
      type.Kind = tkVariant;
      type.Name = "Variant";
      break;
    case TFormValueKind::List:
    case TFormValueKind::Collection:
      break;
  }
  return &Install(obj, std::move(prop));
}

TPersistent* AddDynamicObject(TPersistent* obj, const String& name,
                              std::unique_ptr<TPersistent> sub) {
  auto state = std::make_shared<TDynamicState>();
  TPersistent* result = sub.get();
  state->Obj = std::move(sub);
  auto prop = std::make_unique<TPropInfo>();
  prop->Name = name;
  prop->PropType = result->ClassType().TypeInfo();
  prop->DynamicState = state;
  TDynamicState* s = state.get();
  prop->GetObj = [s](const TObject*) -> TObject* { return s->Obj.get(); };
  prop->SetObj = [s](TObject*, TObject* v) { s->Obj->Assign(dynamic_cast<TPersistent*>(v)); };
  Install(obj, std::move(prop));
  return result;
}

TFormValue DynamicValueOf(const TObject*, PPropInfo prop) {
  const TDynamicState* s = StateOf(prop);
  if (!s) throw EPropertyError(Format("%s is not a dynamic property", {prop->Name}));
  if (prop->Kind() == tkEnumeration)
    return TFormValue::MakeIdent(s->Type.EnumNames[static_cast<size_t>(s->Value.Int)]);
  if (prop->Kind() == tkMethod)
    return s->Value.Text.empty() ? TFormValue::MakeIdent("nil") : s->Value;
  return s->Value;
}

}  // namespace Glossmith::inline Classes

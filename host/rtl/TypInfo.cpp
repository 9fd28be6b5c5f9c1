#include "host/rtl/TypInfo.h"

namespace Glossmith::inline Rtl {

PTypeInfo MakeTypeInfo(TTypeKind kind, const char* name, std::vector<String> enumNames,
                       PTypeInfo compType) {
  // Type information lives as long as the program: it is referenced from
  // static class information.
  auto* info = new TTypeInfo;
  info->Kind = kind;
  info->Name = name;
  info->EnumNames = std::move(enumNames);
  info->CompType = compType;
  static std::vector<std::unique_ptr<TTypeInfo>> keep;
  keep.emplace_back(info);
  return info;
}

PTypeInfo GlsTypeInfoOf(Integer*) {
  static const PTypeInfo info = MakeTypeInfo(tkInteger, "Integer");
  return info;
}

PTypeInfo GlsTypeInfoOf(Int64*) {
  static const PTypeInfo info = MakeTypeInfo(tkInt64, "Int64");
  return info;
}

PTypeInfo GlsTypeInfoOf(String*) {
  static const PTypeInfo info = MakeTypeInfo(tkLString, "String");
  return info;
}

PTypeInfo GlsTypeInfoOf(char*) {
  static const PTypeInfo info = MakeTypeInfo(tkChar, "Char");
  return info;
}

PTypeInfo GlsTypeInfoOf(double*) {
  static const PTypeInfo info = MakeTypeInfo(tkFloat, "Double");
  return info;
}

PTypeInfo GlsTypeInfoOf(bool*) {
  static const PTypeInfo info = MakeTypeInfo(tkEnumeration, "Boolean", {"False", "True"});
  return info;
}

TPropList GetPropList(const TObject* obj, TTypeKinds kinds) {
  TPropList list;
  if (!obj) return list;
  const auto& declared = obj->ClassType().Properties();
  list.reserve(static_cast<size_t>(GetPropCount(obj, kinds)));
  for (PPropInfo p : declared)
    if (kinds & KindBit(p->Kind())) list.push_back(p);
  for (const auto& p : obj->DynamicProperties())
    if (kinds & KindBit(p->Kind())) list.push_back(p.get());
  return list;
}

int GetPropCount(const TObject* obj, TTypeKinds kinds) {
  if (!obj) return 0;
  int n = 0;
  for (PPropInfo p : obj->ClassType().Properties()) n += (kinds & KindBit(p->Kind())) != 0;
  for (const auto& p : obj->DynamicProperties()) n += (kinds & KindBit(p->Kind())) != 0;
  return n;
}

PPropInfo GetPropInfo(const TObject* obj, std::string_view name) {
  if (!obj) return nullptr;
  if (PPropInfo p = obj->ClassType().FindProperty(name)) return p;
  return obj->FindDynamicProperty(name);
}

namespace {

[[noreturn]] void NoAccess(PPropInfo prop, const char* what) {
  throw EPropertyError(Format("Property %s cannot be %s", {prop->Name, what}));
}

PPropInfo Need(const TObject* obj, std::string_view name) {
  PPropInfo p = GetPropInfo(obj, name);
  if (!p) throw EPropertyError(Format("Unknown property: \"%s\"", {String(name)}));
  return p;
}

}  // namespace

String GetStrProp(const TObject* obj, PPropInfo prop) {
  if (!prop->GetStr) NoAccess(prop, "read as a string");
  return prop->GetStr(obj);
}

void SetStrProp(TObject* obj, PPropInfo prop, const String& value) {
  if (!prop->SetStr) NoAccess(prop, "written as a string");
  prop->SetStr(obj, value);
}

Int64 GetOrdProp(const TObject* obj, PPropInfo prop) {
  if (prop->Kind() == tkClass && prop->GetObj)
    return static_cast<Int64>(reinterpret_cast<intptr_t>(prop->GetObj(obj)));
  if (!prop->GetOrd) NoAccess(prop, "read as an ordinal");
  return prop->GetOrd(obj);
}

void SetOrdProp(TObject* obj, PPropInfo prop, Int64 value) {
  if (prop->Kind() == tkClass && prop->SetObj) {
    prop->SetObj(obj, reinterpret_cast<TObject*>(static_cast<intptr_t>(value)));
    return;
  }
  if (!prop->SetOrd) NoAccess(prop, "written as an ordinal");
  prop->SetOrd(obj, value);
}

double GetFloatProp(const TObject* obj, PPropInfo prop) {
  if (!prop->GetFloat) NoAccess(prop, "read as a floating-point number");
  return prop->GetFloat(obj);
}

void SetFloatProp(TObject* obj, PPropInfo prop, double value) {
  if (!prop->SetFloat) NoAccess(prop, "written as a floating-point number");
  prop->SetFloat(obj, value);
}

TObject* GetObjectProp(const TObject* obj, PPropInfo prop) {
  if (!prop->GetObj) NoAccess(prop, "read as an object");
  return prop->GetObj(obj);
}

void SetObjectProp(TObject* obj, PPropInfo prop, TObject* value) {
  if (!prop->SetObj) NoAccess(prop, "written as an object");
  prop->SetObj(obj, value);
}

String GetMethodProp(const TObject* obj, PPropInfo prop) {
  if (!prop->GetMethod) NoAccess(prop, "read as an event");
  return prop->GetMethod(obj);
}

void SetMethodProp(TObject* obj, PPropInfo prop, const String& handlerName) {
  if (!prop->SetMethod) NoAccess(prop, "written as an event");
  prop->SetMethod(obj, handlerName);
}

String GetStrProp(const TObject* obj, std::string_view name) {
  return GetStrProp(obj, Need(obj, name));
}
void SetStrProp(TObject* obj, std::string_view name, const String& value) {
  SetStrProp(obj, Need(obj, name), value);
}
Int64 GetOrdProp(const TObject* obj, std::string_view name) {
  return GetOrdProp(obj, Need(obj, name));
}
void SetOrdProp(TObject* obj, std::string_view name, Int64 value) {
  SetOrdProp(obj, Need(obj, name), value);
}
double GetFloatProp(const TObject* obj, std::string_view name) {
  return GetFloatProp(obj, Need(obj, name));
}
void SetFloatProp(TObject* obj, std::string_view name, double value) {
  SetFloatProp(obj, Need(obj, name), value);
}

String GetEnumName(PTypeInfo type, int value) {
  if (!type || value < 0 || value >= static_cast<int>(type->EnumNames.size())) return String();
  return type->EnumNames[static_cast<size_t>(value)];
}

int GetEnumValue(PTypeInfo type, std::string_view name) {
  if (!type) return -1;
  for (size_t i = 0; i < type->EnumNames.size(); ++i)
    if (SameText(type->EnumNames[i], name)) return static_cast<int>(i);
  return -1;
}

String SetToString(PTypeInfo setType, Int64 value, bool brackets) {
  String result;
  PTypeInfo elem = setType->CompType;
  for (int i = 0; i < 32; ++i) {
    if (!((static_cast<uint64_t>(value) >> i) & 1u)) continue;
    if (!result.empty()) result += ',';
    String name = GetEnumName(elem, i);
    result += name.empty() ? IntToStr(i) : name;
  }
  return brackets ? "[" + result + "]" : result;
}

Int64 StringToSet(PTypeInfo setType, std::string_view text) {
  String s = Trim(text);
  if (!s.empty() && s.front() == '[') s.erase(0, 1);
  if (!s.empty() && s.back() == ']') s.pop_back();
  Int64 result = 0;
  size_t start = 0;
  while (start <= s.size()) {
    size_t comma = s.find(',', start);
    String name = Trim(
        std::string_view(s).substr(start, comma == String::npos ? String::npos : comma - start));
    if (!name.empty()) {
      int v = GetEnumValue(setType->CompType, name);
      if (v < 0 || v > 31) throw EConvertError(Format("Invalid set element: '%s'", {name}));
      result |= Int64{1} << v;
    }
    if (comma == String::npos) break;
    start = comma + 1;
  }
  return result;
}

bool IsDefaultPropValue(const TObject* obj, PPropInfo prop) {
  switch (prop->Kind()) {
    case tkInteger:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
    case tkInt64:
      if (prop->Default == NoDefault) return false;
      return prop->GetOrd && prop->GetOrd(obj) == prop->Default;
    case tkString:
    case tkLString:
    case tkWString:
      return prop->GetStr && prop->GetStr(obj).empty();
    case tkFloat:
      return prop->GetFloat && prop->GetFloat(obj) == 0.0;
    case tkClass:
      return prop->GetObj && prop->GetObj(obj) == nullptr;
    case tkMethod:
      return prop->GetMethod && prop->GetMethod(obj).empty();
    default:
      return false;
  }
}

namespace {

struct TIntConsts {
  PTypeInfo Type;
  TIdentToInt ToInt;
  TIntToIdent ToIdent;
};

std::vector<TIntConsts>& IntConsts() {
  static std::vector<TIntConsts> consts;
  return consts;
}

}  // namespace

void RegisterIntegerConsts(PTypeInfo intType, TIdentToInt identToInt, TIntToIdent intToIdent) {
  IntConsts().push_back({intType, identToInt, intToIdent});
}

TIdentToInt FindIdentToInt(PTypeInfo intType) {
  for (const auto& c : IntConsts())
    if (c.Type == intType) return c.ToInt;
  return nullptr;
}

TIntToIdent FindIntToIdent(PTypeInfo intType) {
  for (const auto& c : IntConsts())
    if (c.Type == intType) return c.ToIdent;
  return nullptr;
}

}  // namespace Glossmith::inline Rtl

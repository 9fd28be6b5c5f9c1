#include "host/rtl/System.h"

namespace Glossmith::inline Rtl {

TClassInfo::TClassInfo(String name, const TClassInfo* parent, TFactory factory)
    : FName(std::move(name)), FParent(parent), FFactory(factory) {
  FTypeInfo.Kind = tkClass;
  FTypeInfo.Name = FName;
  FTypeInfo.ClassType = this;
  if (FParent) {
    FAll = FParent->FAll;
    FAllFields = FParent->FAllFields;
  }
}

bool TClassInfo::InheritsFrom(const TClassInfo& other) const {
  for (const TClassInfo* c = this; c; c = c->FParent)
    if (c == &other) return true;
  return false;
}

PPropInfo TClassInfo::FindProperty(std::string_view name) const {
  for (PPropInfo p : FAll)
    if (SameText(p->Name, name)) return p;
  return nullptr;
}

TPropInfo& TClassInfo::AddProperty(std::unique_ptr<TPropInfo> prop) {
  TPropInfo& added = *prop;
  FOwn.push_back(std::move(prop));
  for (PPropInfo& p : FAll) {
    if (SameText(p->Name, added.Name)) {
      p = &added;
      return added;
    }
  }
  FAll.push_back(&added);
  return added;
}

TPropInfo& TClassInfo::AddProtectedProperty(std::unique_ptr<TPropInfo> prop) {
  FProtected.push_back(std::move(prop));
  return *FProtected.back();
}

TPropInfo& TClassInfo::PublishProtected(std::string_view name) {
  for (const TClassInfo* c = this; c; c = c->FParent)
    for (const auto& p : c->FProtected)
      if (p->Name == name) return AddProperty(std::make_unique<TPropInfo>(*p));
  throw EPropertyError(Format("%s has no protected property %s to publish", {FName, String(name)}));
}

PFieldInfo TClassInfo::FindField(std::string_view name) const {
  for (PFieldInfo f : FAllFields)
    if (SameText(f->Name, name)) return f;
  return nullptr;
}

void TClassInfo::AddField(std::unique_ptr<TFieldInfo> field) {
  FAllFields.push_back(field.get());
  FOwnFields.push_back(std::move(field));
}

void TClassInfo::RegisterMethod(const String& name, TMethodFactory factory) {
  FMethods[name] = std::move(factory);
}

const TMethodFactory* TClassInfo::FindMethod(const String& name) const {
  for (const TClassInfo* c = this; c; c = c->FParent) {
    auto it = c->FMethods.find(name);
    if (it != c->FMethods.end()) return &it->second;
  }
  return nullptr;
}

namespace {

struct TClassRegistry {
  // Keyed by upper-cased name: class names compare case-insensitively.
  std::map<String, const TClassInfo*, std::less<>> Classes;
};

TClassRegistry& Registry() {
  static TClassRegistry registry;
  return registry;
}

}  // namespace

void RegisterClass(const TClassInfo& info) {
  Registry().Classes.try_emplace(UpperCase(info.Name()), &info);
}

const TClassInfo* GetClass(std::string_view name) {
  auto& classes = Registry().Classes;
  auto it = classes.find(UpperCase(name));
  return it == classes.end() ? nullptr : it->second;
}

const TClassInfo& FindClass(std::string_view name) {
  if (const TClassInfo* info = GetClass(name)) return *info;
  throw EClassNotFound(Format("Class %s not found", {String(name)}));
}

const std::vector<std::unique_ptr<TPropInfo>>& TObject::DynamicProperties() const {
  static const std::vector<std::unique_ptr<TPropInfo>> none;
  return FDynamic ? *FDynamic : none;
}

TPropInfo& TObject::AddDynamicProperty(std::unique_ptr<TPropInfo> prop) {
  if (!FDynamic) FDynamic = std::make_unique<std::vector<std::unique_ptr<TPropInfo>>>();
  prop->IsDynamic = true;
  FDynamic->push_back(std::move(prop));
  return *FDynamic->back();
}

PPropInfo TObject::FindDynamicProperty(std::string_view name) const {
  if (FDynamic)
    for (const auto& p : *FDynamic)
      if (SameText(p->Name, name)) return p.get();
  return nullptr;
}

const TClassInfo& TObject::StaticClass() {
  static const TClassInfo info("TObject", nullptr, nullptr);
  static const bool registered = (RegisterClass(info), true);
  (void)registered;
  return info;
}

}  // namespace Glossmith::inline Rtl

// The root of the object model: TObject, run-time class information and the
// descriptions of published properties, and the registry that creates
// components by class name.
#pragma once

#include <any>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Rtl {

class TObject;
class TClassInfo;

// Type kinds in the classic order.
enum TTypeKind : uint8_t {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64,
  tkDynArray,
};

// A set of type kinds, one bit per kind.
using TTypeKinds = uint32_t;
constexpr TTypeKinds KindBit(TTypeKind k) { return TTypeKinds{1} << k; }
constexpr TTypeKinds tkAny = (KindBit(tkDynArray) << 1) - 1;
constexpr TTypeKinds tkMethods = KindBit(tkMethod);
constexpr TTypeKinds tkProperties = tkAny & ~tkMethods;
constexpr TTypeKinds tkStrings =
    KindBit(tkString) | KindBit(tkLString) | KindBit(tkWString) | KindBit(tkWChar);
constexpr TTypeKinds tkOrdinals = KindBit(tkInteger) | KindBit(tkChar) | KindBit(tkEnumeration) |
                                  KindBit(tkSet) | KindBit(tkWChar);

// Describes a type: its kind and name; for an enumeration its value names, for
// a set its element type, for a class its class information.
struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  String Name;
  std::vector<String> EnumNames;          // tkEnumeration: names by ordinal value
  const TTypeInfo* CompType = nullptr;    // tkSet: the element enumeration
  const TClassInfo* ClassType = nullptr;  // tkClass

  int MinValue() const { return 0; }
  int MaxValue() const { return static_cast<int>(EnumNames.size()) - 1; }
};
using PTypeInfo = const TTypeInfo*;

// A callable of signature R(A...) held by value, without allocation: a small,
// trivially copyable function object (a member pointer wrapped in a small
// struct, a lambda capturing a pointer). The accessors of a property are
// these, so that declaring a property instantiates one call thunk per kind of
// accessor rather than a std::function's machinery per property.
template <class Sig>
class TFunc;

template <class R, class... A>
class TFunc<R(A...)> {
 public:
  TFunc() = default;
  TFunc(std::nullptr_t) {}
  template <class F>
  requires(!std::is_same_v<std::decay_t<F>, TFunc> && std::is_invocable_r_v<R, const F&, A...>)
      TFunc(F f)
      : FCall(&Call<F>) {
    static_assert(sizeof(F) <= sizeof(FData) && alignof(F) <= alignof(void*) &&
                      std::is_trivially_copyable_v<F>,
                  "a TFunc holds small, trivially copyable function objects only");
    ::new (static_cast<void*>(FData)) F(f);
  }
  R operator()(A... args) const { return FCall(FData, std::forward<A>(args)...); }
  explicit operator bool() const { return FCall != nullptr; }

 private:
  template <class F>
  static R Call(const void* data, A... args) {
    return (*static_cast<const F*>(data))(std::forward<A>(args)...);
  }
  R (*FCall)(const void*, A...) = nullptr;
  // Room for a pointer to a member function, the largest accessor.
  alignas(void*) unsigned char FData[2 * sizeof(void*)] = {};
};

// The default value that marks "no default": such a property is always written.
constexpr Int64 NoDefault = INT64_MIN;

// One published property: its type, name, default and stored specifier and the
// accessors of its value. Which accessors are set follows the kind:
// ordinal kinds (integer, character, enumeration, set, 64-bit integer) use
// GetOrd/SetOrd; string kinds GetStr/SetStr; floating point GetFloat/SetFloat;
// class kind GetObj/SetObj; method kind GetMethod/SetMethod with the handler's
// name, and BindMethod to attach the handler itself.
struct TPropInfo {
  PTypeInfo PropType = nullptr;
  String Name;
  Int64 Default = NoDefault;
  bool StoredConst = true;
  TFunc<bool(const TObject*)> StoredProc;
  bool IsDynamic = false;  // kept per object, not declared by the class
  // What the accessors of a property kept per object work on (its value).
  std::shared_ptr<void> DynamicState;

  TFunc<Int64(const TObject*)> GetOrd;
  TFunc<void(TObject*, Int64)> SetOrd;
  TFunc<String(const TObject*)> GetStr;
  TFunc<void(TObject*, const String&)> SetStr;
  TFunc<double(const TObject*)> GetFloat;
  TFunc<void(TObject*, double)> SetFloat;
  TFunc<TObject*(const TObject*)> GetObj;
  TFunc<void(TObject*, TObject*)> SetObj;
  TFunc<String(const TObject*)> GetMethod;
  TFunc<void(TObject*, const String&)> SetMethod;
  TFunc<bool(TObject*, const std::any&)> BindMethod;

  TTypeKind Kind() const { return PropType->Kind; }
  bool IsStored(const TObject* obj) const { return StoredProc ? StoredProc(obj) : StoredConst; }
  bool IsWritable() const { return SetOrd || SetStr || SetFloat || SetObj || SetMethod; }
};
using PPropInfo = const TPropInfo*;
using TPropList = std::vector<PPropInfo>;

// A published field: a reference to a component that the object's form file
// creates under the same name (the controls of a form class), set by the
// reader. Fields are not properties: walks and writers do not see them.
struct TFieldInfo {
  String Name;
  const TClassInfo* FieldClass = nullptr;  // the class the field refers to
  TFunc<TObject*(const TObject*)> Get;
  TFunc<void(TObject*, TObject*)> Set;
};
using PFieldInfo = const TFieldInfo*;

// A method that a form file can bind an event to by name: it produces, for an
// instance, the handler as a std::function of the event's signature in a std::any.
using TMethodFactory = std::function<std::any(TObject*)>;

// Run-time information about a class: name, ancestor, factory, and its
// published properties in declaration order, ancestors' first.
class TClassInfo {
 public:
  using TFactory = TObject* (*)(TObject* arg);

  TClassInfo(String name, const TClassInfo* parent, TFactory factory);
  TClassInfo(const TClassInfo&) = delete;
  TClassInfo& operator=(const TClassInfo&) = delete;

  const String& Name() const { return FName; }
  const TClassInfo* Parent() const { return FParent; }
  PTypeInfo TypeInfo() const { return &FTypeInfo; }
  bool InheritsFrom(const TClassInfo& other) const;
  // Creates an instance; `arg` is the owner of a component or the collection
  // of a collection item. Nullptr for an abstract class.
  TFactory Factory() const { return FFactory; }

  // All published properties, ancestors' first, in declaration order.
  const std::vector<PPropInfo>& Properties() const { return FAll; }
  PPropInfo FindProperty(std::string_view name) const;

  // Methods that event properties may be bound to by handler name.
  void RegisterMethod(const String& name, TMethodFactory factory);
  const TMethodFactory* FindMethod(const String& name) const;

  // Published fields of this class and its ancestors, ancestors' first, in
  // declaration order.
  const std::vector<PFieldInfo>& Fields() const { return FAllFields; }
  PFieldInfo FindField(std::string_view name) const;
  void AddField(std::unique_ptr<TFieldInfo> field);

  // Used while the class is built: a property of this class, replacing an
  // ancestor's property of the same name at the ancestor's position.
  TPropInfo& AddProperty(std::unique_ptr<TPropInfo> prop);
  // A property declared but not published, which descendants may publish.
  TPropInfo& AddProtectedProperty(std::unique_ptr<TPropInfo> prop);
  // Publishes a copy of the protected property `name` of this class or an
  // ancestor, as AddProperty does; raises EPropertyError when there is none.
  TPropInfo& PublishProtected(std::string_view name);

 private:
  String FName;
  const TClassInfo* FParent;
  TFactory FFactory;
  TTypeInfo FTypeInfo;
  std::vector<std::unique_ptr<TPropInfo>> FOwn;
  std::vector<PPropInfo> FAll;
  std::vector<std::unique_ptr<TPropInfo>> FProtected;
  std::map<String, TMethodFactory, std::less<>> FMethods;
  std::vector<std::unique_ptr<TFieldInfo>> FOwnFields;
  std::vector<PFieldInfo> FAllFields;
};

// The class registry (the virtual constructor): every class with class
// information registers itself under its name when the information is built.
void RegisterClass(const TClassInfo& info);
// The class registered under `name` (compared case-insensitively, as class
// names are in form files), or nullptr.
const TClassInfo* GetClass(std::string_view name);
// Like GetClass, but raises EClassNotFound.
const TClassInfo& FindClass(std::string_view name);

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  static const TClassInfo& StaticClass();
  virtual const TClassInfo& ClassType() const { return StaticClass(); }
  // The class name; objects of a generic class report the name they were read with.
  virtual String ClassName() const { return ClassType().Name(); }
  bool InheritsFrom(const TClassInfo& info) const { return ClassType().InheritsFrom(info); }
  template <class T>
  bool Is() const {
    return dynamic_cast<const T*>(this) != nullptr;
  }

  // Properties this object keeps for itself: values read from a form file that
  // its class does not declare. They follow the declared ones in GetPropList.
  const std::vector<std::unique_ptr<TPropInfo>>& DynamicProperties() const;
  TPropInfo& AddDynamicProperty(std::unique_ptr<TPropInfo> prop);
  PPropInfo FindDynamicProperty(std::string_view name) const;

 private:
  std::unique_ptr<std::vector<std::unique_ptr<TPropInfo>>> FDynamic;
};

// Declares the class information of a class. Put it first in the class body;
// the class must also be given GLS_IMPLEMENT_CLASS in its source file.
#define GLS_CLASS(T, Base)                                                            \
 public:                                                                              \
  using inherited = Base;                                                             \
  static const ::Glossmith::TClassInfo& StaticClass();                                \
  const ::Glossmith::TClassInfo& ClassType() const override { return StaticClass(); } \
                                                                                      \
 private:

// Builds the class information of T on first use and registers it by name.
#define GLS_IMPLEMENT_CLASS(T)                                                                  \
  const ::Glossmith::TClassInfo& T::StaticClass() { return ::Glossmith::MakeClassInfo<T>(#T); } \
  static const ::Glossmith::TClassInfo& gls_registered_##T = T::StaticClass();

}  // namespace Glossmith::inline Rtl

// Run-time type information: declaring published properties, enumeration and
// set types, and the flat property API (GetPropList, GetStrProp, SetOrdProp...).
#pragma once

#include <concepts>
#include <type_traits>

#include "host/rtl/System.h"

namespace Glossmith::inline Rtl {

// ---------------------------------------------------------------------------
// Type information of value types.

// TypeInfoOf<T>() gives the type information of a property value type. The
// basic types are declared here. An enumeration or a set type declares its
// own beside its definition, with GLS_ENUM_TYPEINFO or GLS_SET_TYPEINFO, in
// its own namespace: TypeInfoOf finds it there by argument-dependent lookup
// of GlsTypeInfoOf(T*), so that application code declares its types the same
// way as the library does.
PTypeInfo MakeTypeInfo(TTypeKind kind, const char* name, std::vector<String> enumNames = {},
                       PTypeInfo compType = nullptr);

PTypeInfo GlsTypeInfoOf(Integer*);
PTypeInfo GlsTypeInfoOf(Int64*);
PTypeInfo GlsTypeInfoOf(String*);
PTypeInfo GlsTypeInfoOf(char*);
PTypeInfo GlsTypeInfoOf(double*);
PTypeInfo GlsTypeInfoOf(bool*);

template <class T>
PTypeInfo TypeInfoOf() {
  return GlsTypeInfoOf(static_cast<T*>(nullptr));
}

// Declares the type information of an enumeration with its value names, in
// ordinal order: GLS_ENUM_TYPEINFO(TAlign, "alNone", "alTop", ...).
#define GLS_ENUM_TYPEINFO(T, ...)                                                 \
  inline ::Glossmith::PTypeInfo GlsTypeInfoOf(T*) {                               \
    static const ::Glossmith::PTypeInfo info =                                    \
        ::Glossmith::MakeTypeInfo(::Glossmith::tkEnumeration, #T, {__VA_ARGS__}); \
    return info;                                                                  \
  }

// A set of the values of enumeration E, held as a bit mask (bit n = value n),
// which is also its ordinal value.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> values) {
    for (E v : values) Include(v);
  }
  static constexpr TSet FromMask(uint32_t mask) {
    TSet s;
    s.FMask = mask;
    return s;
  }
  constexpr uint32_t Mask() const { return FMask; }
  constexpr bool Contains(E v) const { return (FMask >> static_cast<unsigned>(v)) & 1u; }
  constexpr TSet& Include(E v) {
    FMask |= 1u << static_cast<unsigned>(v);
    return *this;
  }
  constexpr TSet& Exclude(E v) {
    FMask &= ~(1u << static_cast<unsigned>(v));
    return *this;
  }
  constexpr bool Empty() const { return FMask == 0; }
  friend constexpr bool operator==(TSet a, TSet b) = default;

 private:
  uint32_t FMask = 0;
};

// Names a set type for its type information: GLS_SET_TYPEINFO(TFontStyles, TFontStyle).
#define GLS_SET_TYPEINFO(SetT, ElemT)                                     \
  inline ::Glossmith::PTypeInfo GlsTypeInfoOf(SetT*) {                    \
    static const ::Glossmith::PTypeInfo info = ::Glossmith::MakeTypeInfo( \
        ::Glossmith::tkSet, #SetT, {}, ::Glossmith::TypeInfoOf<ElemT>()); \
    return info;                                                          \
  }

template <class T>
concept HasStaticClass = requires {
  T::StaticClass();
};

// ---------------------------------------------------------------------------
// Declaring published properties.

namespace typinfo_detail {

// The class a member belongs to, and the type of its value (a field's type,
// a getter's result).
template <class M>
struct MemberType;
template <class C, class M>
struct MemberType<M C::*> {
  using Class = C;
  using type = std::remove_cvref_t<M>;
};
template <class C, class R, class... A>
struct MemberType<R (C::*)(A...) const> {
  using Class = C;
  using type = std::remove_cvref_t<R>;
};
template <class C, class R, class... A>
struct MemberType<R (C::*)(A...)> {
  using Class = C;
  using type = std::remove_cvref_t<R>;
};

template <class X>
struct Pointee {
  using type = void;
};
template <class X>
struct Pointee<X*> {
  using type = X;
};
template <class X>
struct Pointee<std::unique_ptr<X>> {
  using type = X;
};

// The class that X::Assign takes its source as (the persistent base).
template <class M>
struct AssignSource;
template <class C, class S>
struct AssignSource<void (C::*)(S*)> {
  using type = S;
};

// Assigns the contents of `source` to an owned sub-object, as writing an
// object-valued property does: a source of another kind assigns nothing.
template <class X>
void AssignObject(X* target, TObject* source) {
  using S = typename AssignSource<decltype(&X::Assign)>::type;
  target->Assign(dynamic_cast<S*>(source));
}

// The ordinal value of a field's value, and back: a set is its bit mask.
template <class X>
Int64 ToOrd(const X& x) {
  if constexpr (requires { x.Mask(); })
    return static_cast<Int64>(x.Mask());
  else
    return static_cast<Int64>(x);
}
template <class X>
X FromOrd(Int64 v) {
  if constexpr (requires { X::FromMask(0u); })
    return X::FromMask(static_cast<uint32_t>(v));
  else
    return static_cast<X>(v);
}

// The accessors stored in a TPropInfo are these function objects, one type
// per kind of member rather than one per property, so that the classes that
// declare properties instantiate little.

// The member's value: a field's, or what a const getter gives.
template <class G>
decltype(auto) Read(const TObject* o, G member) {
  using C = typename MemberType<G>::Class;
  if constexpr (std::is_member_object_pointer_v<G>)
    return (static_cast<const C*>(o)->*member);
  else
    return (static_cast<const C*>(o)->*member)();
}
// Stores a value in a field, or passes it to a setter.
template <class S, class X>
void Write(TObject* o, S member, X&& value) {
  using C = typename MemberType<S>::Class;
  if constexpr (std::is_member_object_pointer_v<S>)
    static_cast<C*>(o)->*member = std::forward<X>(value);
  else
    (static_cast<C*>(o)->*member)(std::forward<X>(value));
}

template <class G>
struct TGetOrd {
  G Member;
  Int64 operator()(const TObject* o) const { return ToOrd(Read(o, Member)); }
};
template <class Field, class S>
struct TSetOrd {
  S Member;
  void operator()(TObject* o, Int64 v) const { Write(o, Member, FromOrd<Field>(v)); }
};
template <class V, class G>
struct TGet {
  G Member;
  V operator()(const TObject* o) const { return Read(o, Member); }
};
template <class V, class S>
struct TSet {
  S Member;
  void operator()(TObject* o, V v) const { Write(o, Member, v); }
};
// An object-valued member: a pointer field or getter, an owned field, or an
// owned std::unique_ptr.
template <class G>
struct TGetObj {
  G Member;
  TObject* operator()(const TObject* o) const {
    auto&& value = Read(o, Member);
    using M = std::remove_cvref_t<decltype(value)>;
    if constexpr (std::is_pointer_v<M>)
      return value;
    else if constexpr (std::is_same_v<typename Pointee<M>::type, void>)
      return const_cast<M*>(&value);
    else
      return value.get();
  }
};
// Assigns to an owned sub-object (a field or a std::unique_ptr field).
template <class F>
struct TAssignObj {
  F Member;
  void operator()(TObject* o, TObject* v) const {
    using C = typename MemberType<F>::Class;
    auto& owned = static_cast<C*>(o)->*Member;
    if constexpr (requires { owned.get(); })
      AssignObject(owned.get(), v);
    else
      AssignObject(&owned, v);
  }
};
// Overwrites a reference (a pointer field, or through a setter taking one).
template <class X, class S>
struct TSetRef {
  S Member;
  void operator()(TObject* o, TObject* v) const { Write(o, Member, dynamic_cast<X*>(v)); }
};
template <class F>
struct TEventAccess {
  F Member;
  String operator()(const TObject* o) const { return Read(o, Member).HandlerName(); }
  void operator()(TObject* o, const String& name) const {
    using C = typename MemberType<F>::Class;
    (static_cast<C*>(o)->*Member).SetHandlerName(name);
  }
  bool operator()(TObject* o, const std::any& fn) const {
    using C = typename MemberType<F>::Class;
    return (static_cast<C*>(o)->*Member).Bind(fn);
  }
};
template <class G>
struct TStoredProc {
  G Member;
  bool operator()(const TObject* o) const { return Read(o, Member); }
};

}  // namespace typinfo_detail

// Chained settings of one declared property.
template <class T>
class TPropBuilder {
 public:
  explicit TPropBuilder(TPropInfo& prop) : FProp(prop) {}
  TPropBuilder& Default(Int64 value) {
    FProp.Default = value;
    return *this;
  }
  TPropBuilder& Stored(bool value) {
    FProp.StoredConst = value;
    FProp.StoredProc = nullptr;
    return *this;
  }
  // A const member function of T or an ancestor that tells whether to store.
  template <class G>
  requires std::is_member_function_pointer_v<G> TPropBuilder& Stored(G fn) {
    FProp.StoredProc = typinfo_detail::TStoredProc<G>{fn};
    return *this;
  }
  TPropInfo& Info() { return FProp; }

 private:
  TPropInfo& FProp;
};

// Declares the published properties of class T, in declaration order. Each
// method takes the property's name and either a field, or a getter and a
// setter (nullptr for read-only).
//
// As in the classic library, a class may also declare properties without
// publishing them (after BeginProtected); a descendant publishes those it
// shows by name, in its own order, with Publish. A name that no ancestor
// declares fails when the class information is built, at start-up.
template <class T>
class TPublisher {
 public:
  explicit TPublisher(TClassInfo& info) : FInfo(info) {}

  // The properties declared from here on are protected.
  void BeginProtected() { FProtected = true; }
  // Publishes a protected property of this class or an ancestor; a property
  // already published keeps its position (so that a class may give it
  // another default).
  TPropBuilder<T> Publish(std::string_view name) {
    return TPropBuilder<T>(FInfo.PublishProtected(name));
  }
  void Publish(std::initializer_list<std::string_view> names) {
    for (std::string_view name : names) FInfo.PublishProtected(name);
  }

  template <class G, class S = G>
  TPropBuilder<T> Int(const char* name, G get, S set = S{}) {
    return Ordinal(name, TypeInfoOf<Integer>(), get, Pick(get, set));
  }
  // An integer of the named integer type, such as TColor or TShortCut.
  template <class G, class S = G>
  TPropBuilder<T> IntOf(const char* name, PTypeInfo type, G get, S set = S{}) {
    return Ordinal(name, type, get, Pick(get, set));
  }
  template <class G, class S = G>
  TPropBuilder<T> Int64Prop(const char* name, G get, S set = S{}) {
    return Ordinal(name, TypeInfoOf<Int64>(), get, Pick(get, set));
  }
  template <class G, class S = G>
  TPropBuilder<T> Bool(const char* name, G get, S set = S{}) {
    return Ordinal(name, TypeInfoOf<bool>(), get, Pick(get, set));
  }
  template <class G, class S = G>
  TPropBuilder<T> Char(const char* name, G get, S set = S{}) {
    return Ordinal(name, TypeInfoOf<char>(), get, Pick(get, set));
  }
  // An enumeration; its names come from the enumeration's type information.
  template <class G, class S = G>
  TPropBuilder<T> Enum(const char* name, G get, S set = S{}) {
    using E = typename typinfo_detail::MemberType<G>::type;
    return Ordinal(name, TypeInfoOf<E>(), get, Pick(get, set));
  }
  // A set, read and written as its bit mask.
  template <class G, class S = G>
  TPropBuilder<T> Set(const char* name, G get, S set = S{}) {
    using SetT = typename typinfo_detail::MemberType<G>::type;
    return Ordinal(name, TypeInfoOf<SetT>(), get, Pick(get, set));
  }
  template <class G, class S = G>
  TPropBuilder<T> Str(const char* name, G get, S set = S{}) {
    return StrOf(name, TypeInfoOf<String>(), get, set);
  }
  // A string of another string kind (short string, wide string).
  template <class G, class S = G>
  TPropBuilder<T> StrOf(const char* name, PTypeInfo type, G get, S set = S{}) {
    auto p = NewProp(name, type);
    p->GetStr = typinfo_detail::TGet<String, G>{get};
    if constexpr (!std::is_null_pointer_v<S>)
      p->SetStr = typinfo_detail::TSet<const String&, decltype(Pick(get, set))>{Pick(get, set)};
    return Add(std::move(p));
  }
  template <class G, class S = G>
  TPropBuilder<T> Float(const char* name, G get, S set = S{}) {
    auto p = NewProp(name, TypeInfoOf<double>());
    p->GetFloat = typinfo_detail::TGet<double, G>{get};
    if constexpr (!std::is_null_pointer_v<S>)
      p->SetFloat = typinfo_detail::TSet<double, decltype(Pick(get, set))>{Pick(get, set)};
    return Add(std::move(p));
  }
  // An object-valued property. A field holding the object itself, or a
  // std::unique_ptr to it, is an owned sub-object: writing the property assigns
  // the new value's contents (TPersistent::Assign). A field holding a pointer
  // is a reference and is overwritten.
  template <class F>
  TPropBuilder<T> Obj(const char* name, F field) requires std::is_member_object_pointer_v<F> {
    using M = typename typinfo_detail::MemberType<F>::type;
    using Held = typename typinfo_detail::Pointee<M>::type;
    using X = std::conditional_t<std::is_same_v<Held, void>, M, Held>;
    auto p = NewProp(name, X::StaticClass().TypeInfo());
    p->GetObj = typinfo_detail::TGetObj<F>{field};
    if constexpr (std::is_pointer_v<M>)
      p->SetObj = typinfo_detail::TSetRef<X, F>{field};
    else
      p->SetObj = typinfo_detail::TAssignObj<F>{field};
    return Add(std::move(p));
  }
  // An object-valued property with a getter (returning a pointer) and a
  // setter taking a pointer (or nullptr for read-only).
  template <class X, class G, class S>
  TPropBuilder<T> ObjOf(const char* name, G get, S set) {
    auto p = NewProp(name, X::StaticClass().TypeInfo());
    p->GetObj = typinfo_detail::TGetObj<G>{get};
    if constexpr (!std::is_null_pointer_v<S>) p->SetObj = typinfo_detail::TSetRef<X, S>{set};
    return Add(std::move(p));
  }
  // An event: a TEvent field. Streamed as its handler's name.
  template <class F>
  TPropBuilder<T> Event(const char* name, F field) {
    using E = typename typinfo_detail::MemberType<F>::type;
    auto p = NewProp(name, MakeTypeInfo(tkMethod, E::TypeName()));
    typinfo_detail::TEventAccess<F> access{field};
    p->GetMethod = access;
    p->SetMethod = access;
    p->BindMethod = access;
    return Add(std::move(p));
  }

  // A published field referring to a component of class X that the class's
  // form file creates under the field's name.
  template <class X>
  void Field(const char* name, X* T::*field) {
    auto f = std::make_unique<TFieldInfo>();
    f->Name = name;
    f->FieldClass = &X::StaticClass();
    f->Get = typinfo_detail::TGetObj<X* T::*>{field};
    f->Set = typinfo_detail::TSetRef<X, X* T::*>{field};
    FInfo.AddField(std::move(f));
  }

  // Registers a method that events can be bound to by name; `factory` makes the
  // handler (a std::function of the event's signature) for an instance.
  template <class Sig, class M>
  void Method(const char* name, M method) {
    FInfo.RegisterMethod(name, [method](TObject* self) -> std::any {
      T* obj = static_cast<T*>(self);
      return std::function<Sig>([obj, method](auto&&... args) {
        return (obj->*method)(std::forward<decltype(args)>(args)...);
      });
    });
  }

 private:
  template <class G, class S>
  static auto Pick(G get, S set) {
    if constexpr (std::is_same_v<G, S>) {
      return set == S{} ? get : set;
    } else {
      return set;
    }
  }
  std::unique_ptr<TPropInfo> NewProp(const char* name, PTypeInfo type) {
    auto p = std::make_unique<TPropInfo>();
    p->Name = name;
    p->PropType = type;
    return p;
  }
  TPropBuilder<T> Add(std::unique_ptr<TPropInfo> p) {
    return TPropBuilder<T>(FProtected ? FInfo.AddProtectedProperty(std::move(p))
                                      : FInfo.AddProperty(std::move(p)));
  }
  template <class G, class S>
  TPropBuilder<T> Ordinal(const char* name, PTypeInfo type, G get, S set) {
    using Field = typename typinfo_detail::MemberType<G>::type;
    auto p = NewProp(name, type);
    p->GetOrd = typinfo_detail::TGetOrd<G>{get};
    if constexpr (!std::is_null_pointer_v<S>) p->SetOrd = typinfo_detail::TSetOrd<Field, S>{set};
    return Add(std::move(p));
  }

  TClassInfo& FInfo;
  bool FProtected = false;
};

// Builds the class information of T on first use: its name, its ancestor's
// properties, the properties T declares in `static void Publish(TPublisher<T>&)`,
// and a factory when T can be created with an owner (components) or a
// collection (items). The information exists before the properties are
// published, so that a property may refer to its own class.
template <class T>
const TClassInfo& MakeClassInfo(const char* name) {
  static constinit TClassInfo* info = nullptr;
  static constinit std::unique_ptr<TClassInfo> holder;
  if (info) return *info;
  TClassInfo::TFactory factory = nullptr;
  if constexpr (!std::is_abstract_v<T>) {
    if constexpr (requires { typename T::TOwnerArg; }) {
      factory = [](TObject* arg) -> TObject* {
        return new T(static_cast<typename T::TOwnerArg*>(arg));
      };
    } else if constexpr (requires { typename T::TCollectionArg; }) {
      factory = [](TObject* arg) -> TObject* {
        return new T(static_cast<typename T::TCollectionArg*>(arg));
      };
    } else if constexpr (std::is_default_constructible_v<T>) {
      factory = [](TObject*) -> TObject* { return new T(); };
    }
  }
  const TClassInfo& parent = T::inherited::StaticClass();
  holder = std::make_unique<TClassInfo>(name, &parent, factory);
  info = holder.get();
  if constexpr (requires(TPublisher<T> & p) { T::Publish(p); }) {
    if constexpr (std::is_same_v<decltype(&T::Publish), void (*)(TPublisher<T>&)>) {
      TPublisher<T> publisher(*info);
      T::Publish(publisher);
    }
  }
  RegisterClass(*info);
  return *info;
}

// ---------------------------------------------------------------------------
// Events.

// An event property: a handler (empty or set) and, as it is streamed in form
// files, the handler's name. Sig is the handler's signature; a Skip flag is a
// bool& parameter.
template <class Sig>
class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
 public:
  using Handler = std::function<R(A...)>;
  TEvent() = default;
  template <class F>
  requires std::is_constructible_v<Handler, F> &&
      (!std::is_same_v<std::decay_t<F>, TEvent>)TEvent(F&& f)
      : FHandler(std::forward<F>(f)) {}

  explicit operator bool() const { return static_cast<bool>(FHandler); }
  R operator()(A... args) const { return FHandler(std::forward<A>(args)...); }
  const Handler& Get() const { return FHandler; }

  const String& HandlerName() const { return FName; }
  void SetHandlerName(const String& Value) { FName = Value; }
  // Attaches a handler produced by a registered method; false when its
  // signature does not fit this event.
  bool Bind(const std::any& fn) {
    if (auto* h = std::any_cast<Handler>(&fn)) {
      FHandler = *h;
      return true;
    }
    return false;
  }
  static const char* TypeName() { return "TMethod"; }

 private:
  Handler FHandler;
  String FName;
};

// ---------------------------------------------------------------------------
// The flat property API.

// The published properties of obj whose kind is in `kinds`, in declaration
// order (ancestors first), followed by the properties the object keeps for
// itself (values read from a form file that its class does not declare).
TPropList GetPropList(const TObject* obj, TTypeKinds kinds = tkAny);
// The number of properties GetPropList would give.
int GetPropCount(const TObject* obj, TTypeKinds kinds = tkAny);
PPropInfo GetPropInfo(const TObject* obj, std::string_view name);

String GetStrProp(const TObject* obj, PPropInfo prop);
void SetStrProp(TObject* obj, PPropInfo prop, const String& value);
Int64 GetOrdProp(const TObject* obj, PPropInfo prop);
void SetOrdProp(TObject* obj, PPropInfo prop, Int64 value);
double GetFloatProp(const TObject* obj, PPropInfo prop);
void SetFloatProp(TObject* obj, PPropInfo prop, double value);
TObject* GetObjectProp(const TObject* obj, PPropInfo prop);
void SetObjectProp(TObject* obj, PPropInfo prop, TObject* value);
String GetMethodProp(const TObject* obj, PPropInfo prop);
void SetMethodProp(TObject* obj, PPropInfo prop, const String& handlerName);

// By name; raise EPropertyError when the object has no such property.
String GetStrProp(const TObject* obj, std::string_view name);
void SetStrProp(TObject* obj, std::string_view name, const String& value);
Int64 GetOrdProp(const TObject* obj, std::string_view name);
void SetOrdProp(TObject* obj, std::string_view name, Int64 value);
double GetFloatProp(const TObject* obj, std::string_view name);
void SetFloatProp(TObject* obj, std::string_view name, double value);

// The name of an enumeration value; empty when out of range.
String GetEnumName(PTypeInfo type, int value);
// The value of an enumeration name (case ignored), or -1 when the type lacks it.
int GetEnumValue(PTypeInfo type, std::string_view name);
// The text form of a set, "[a,b]"; and back (EConvertError on an unknown name).
String SetToString(PTypeInfo setType, Int64 value, bool brackets = true);
Int64 StringToSet(PTypeInfo setType, std::string_view text);

// True when the property's current value is its default, so that a writer
// leaves it out.
bool IsDefaultPropValue(const TObject* obj, PPropInfo prop);

// Integer types whose values have identifiers in form files (colours,
// character sets, cursors): the conversions both ways, registered per type.
using TIdentToInt = bool (*)(std::string_view ident, Integer& value);
using TIntToIdent = bool (*)(Integer value, String& ident);
void RegisterIntegerConsts(PTypeInfo intType, TIdentToInt identToInt, TIntToIdent intToIdent);
TIdentToInt FindIdentToInt(PTypeInfo intType);
TIntToIdent FindIntToIdent(PTypeInfo intType);

}  // namespace Glossmith::inline Rtl

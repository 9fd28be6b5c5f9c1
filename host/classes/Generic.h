// What a form file holds that the host does not know: components of unknown
// classes, sub-objects, collections and properties that no class declares.
// They are kept per object, typed by the values read, so that a form passes
// through the host without losing anything.
#pragma once

#include "host/classes/Classes.h"
#include "host/classes/FormTree.h"

namespace Glossmith::inline Classes {

// A component of a class the host does not know. It reports the class name
// it was read with; its properties are all dynamic.
class TGenericComponent : public TComponent {
  GLS_CLASS(TGenericComponent, TComponent)
 public:
  using TComponent::TComponent;
  String ClassName() const override;
  bool SetFormClassName(const String& Value) override {
    FFileClassName = Value;
    return true;
  }

 private:
  String FFileClassName;
};

// A sub-object read through a dotted name no class declares (Constraints.MinWidth).
class TGenericPersistent : public TPersistent {
  GLS_CLASS(TGenericPersistent, TPersistent)
 public:
  TGenericPersistent() = default;
  void Assign(TPersistent* source) override;
};

class TGenericCollectionItem : public TCollectionItem {
  GLS_CLASS(TGenericCollectionItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  void Assign(TPersistent* source) override;
};

// A collection whose owner's class the host does not know.
class TGenericCollection : public TCollection {
  GLS_CLASS(TGenericCollection, TCollection)
 public:
  TGenericCollection() : TCollection(TGenericCollectionItem::StaticClass()) {}
};

// Adds (or replaces) a dynamic property typed by a value read from a form
// file. The kind follows the value:
//   integer -> tkInteger (tkInt64 beyond 32 bits), the written form (hex) kept
//   float -> tkFloat, the written form and suffix kept while the value stays
//   string -> tkLString
//   True/False -> a Boolean enumeration; an identifier named On... -> tkMethod
//   (the handler's name); any other identifier -> an enumeration of its own
//   whose only name is the identifier
//   set -> tkSet over an enumeration of its own names (up to 32 distinct names)
//   binary -> tkDynArray; Null -> tkVariant; lists and other sets -> tkArray
// Collections and sub-objects are added with AddDynamicObject.
PPropInfo AddDynamicValue(TPersistent* obj, const String& name, const TFormValue& value);
// Adds (or replaces) an object-valued dynamic property owning `sub`.
TPersistent* AddDynamicObject(TPersistent* obj, const String& name,
                              std::unique_ptr<TPersistent> sub);
// The current value of a dynamic property of a kind without an object, as it
// is written to a form file.
TFormValue DynamicValueOf(const TObject* obj, PPropInfo prop);

}  // namespace Glossmith::inline Classes

// The component model: persistent objects, components with owners and names,
// string lists and collections.
#pragma once

#include <unordered_map>
#include <vector>

#include "host/rtl/TypInfo.h"

namespace Glossmith::inline Classes {

class TFiler;
class TReader;
class TWriter;
class TStrings;

using TNotifyEvent = TEvent<void(TObject* Sender)>;
class TComponent;
using TGetChildProc = std::function<void(TComponent* Child)>;

// An object with published properties that can be assigned and streamed.
class TPersistent : public TObject {
  GLS_CLASS(TPersistent, TObject)
 public:
  TPersistent() = default;
  ~TPersistent() override;

  // Copies the contents of `source`; raises EConvertError when the classes do
  // not know how to assign each other.
  virtual void Assign(TPersistent* source);
  // Declares properties streamed after the published ones (TFiler::DefineProperty).
  virtual void DefineProperties(TFiler* filer);
  // The object that owns this one, for naming paths; nullptr by default.
  virtual TPersistent* GetOwner() const { return nullptr; }

 protected:
  virtual void AssignTo(TPersistent* dest);
};

enum TComponentStateItem : uint8_t {
  csLoading,
  csReading,
  csWriting,
  csDestroying,
  csDesigning,
  csAncestor,
  csUpdating,
  csFixups,
  csFreeNotification,
  csInline,
  csDesignInstance,
};
using TComponentState = TSet<TComponentStateItem>;

enum TOperation : uint8_t { opInsert, opRemove };

// How a component was written in its form file, kept so that it is written
// back the same way: as "inherited" or "inline", and its child position.
struct TFilerFlags {
  bool Inherited = false;
  bool Inline = false;
  int ChildPos = -1;  // -1: none
  // A part of its owner (a labelled edit's label): the owner's property
  // that holds it writes its properties, as a sub-object's.
  bool SubComponent = false;
};

// A named object owned by another component. An owner destroys the
// components it owns; a component tells the others that refer to it when it
// goes (Notification), so that no reference dangles.
class TComponent : public TPersistent {
  GLS_CLASS(TComponent, TPersistent)
 public:
  using TOwnerArg = TComponent;
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  static void Publish(TPublisher<TComponent>& P);

  const String& Name() const { return FName; }
  // Raises EComponentError for a name that is not an identifier or that
  // another component of the same owner has.
  virtual void SetName(const String& Value);
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }

  TComponent* Owner() const { return FOwner; }
  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int index) const;
  int ComponentIndex() const;
  // The owned component of that name (case ignored), or nullptr.
  TComponent* FindComponent(std::string_view name) const;
  void InsertComponent(TComponent* component);
  void RemoveComponent(TComponent* component);
  void DestroyComponents();

  TComponentState ComponentState() const { return FComponentState; }
  // Puts this component and those it owns into or out of design mode.
  void SetDesigning(bool value, bool setChildren = true);
  // Sets or clears csLoading (and csReading) while a form file is read.
  void SetLoading(bool Value);
  void BeginDestroy() { FComponentState.Include(csDestroying); }

  // Called once the owner's form file has been read.
  virtual void Loaded();
  // A component read from a form file whose class the program does not
  // register reports the class name the file gives, when it can (forms, data
  // modules, generic components); false when it cannot.
  virtual bool SetFormClassName(const String& Value);
  // Asks to be told (Notification with opRemove) when `component` is destroyed.
  void FreeNotification(TComponent* component);
  void RemoveFreeNotification(TComponent* component);

  TPersistent* GetOwner() const override { return FOwner; }

  // How a form file nests components (controls in their parents, menu items
  // in their menus, actions in their lists); the classes that nest override
  // all three. The component this one is nested under, or nullptr:
  virtual TComponent* GetParentComponent() const { return nullptr; }
  // Nests this component under `Value` (nullptr: under nothing); false when
  // this component does not nest under that one.
  virtual bool SetParentComponent(TComponent* Value);
  // Calls Proc for each component nested under this one, in order.
  virtual void GetChildren(const TGetChildProc& Proc) const;

  TFilerFlags& FilerFlags() { return FFilerFlags; }
  // The component this one was read under in its form file when that
  // nesting is not a control's parent or a menu item's parent item (a
  // component of an unknown class, say), so that the writer nests it the
  // same way; forgotten when that component goes.
  TComponent* StreamParent() const { return FStreamParent; }
  void SetStreamParent(TComponent* Value);
  const TFilerFlags& FilerFlags() const { return FFilerFlags; }

 protected:
  // Told when a component is inserted into or removed from the owner, or
  // destroyed while this one asked for free notification.
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void ValidateRename(TComponent* AComponent, const String& curName,
                              const String& newName) const;

 private:
  void Insert(TComponent* component);
  void Remove(TComponent* component);
  // The owned components by upper-cased name, so that names are found and
  // checked in constant time on forms of thousands of components.
  void Index(TComponent* component);
  void Unindex(TComponent* component);

  String FName;
  Integer FTag = 0;
  TComponent* FOwner = nullptr;
  std::vector<TComponent*> FComponents;
  std::unordered_map<String, TComponent*> FNameIndex;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
  TFilerFlags FFilerFlags;
  TComponent* FStreamParent = nullptr;
};

// ---------------------------------------------------------------------------
// String lists.

// An abstract list of lines, each with an object. Descendants store them.
class TStrings : public TPersistent {
  GLS_CLASS(TStrings, TPersistent)
 public:
  TStrings() = default;

  virtual int Count() const = 0;
  virtual String Get(int index) const = 0;
  virtual void Put(int index, const String& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* obj);
  virtual void Insert(int index, const String& s) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  String Strings(int index) const { return Get(index); }
  void SetStrings(int index, const String& s) { Put(index, s); }
  TObject* Objects(int index) const { return GetObject(index); }
  void SetObjects(int index, TObject* obj) { PutObject(index, obj); }

  virtual int Add(const String& s);
  virtual int AddObject(const String& s, TObject* obj);
  virtual void InsertObject(int index, const String& s, TObject* obj);
  void AddStrings(const TStrings& other);
  // The index of the first line equal to s, case ignored; -1 when none.
  virtual int IndexOf(std::string_view s) const;
  int IndexOfObject(const TObject* obj) const;
  void Move(int curIndex, int newIndex);
  void Exchange(int index1, int index2);
  bool Equals(const TStrings& other) const;

  // The lines joined, each ended by a line break ("\r\n"); and back (a line
  // ends at CR, LF or CR LF; a last line without an end is kept, and a final
  // line end adds no empty line).
  String Text() const { return GetTextStr(); }
  void SetText(std::string_view Value) { SetTextStr(Value); }

  void Assign(TPersistent* source) override;
  // Streams the lines as the defined property "Strings".
  void DefineProperties(TFiler* filer) override;
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  // Reads the file's lines; a line ends at CR, LF or CR LF. Raises EFOpenError.
  virtual void LoadFromFile(const String& fileName);
  // Writes each line followed by CR LF, replacing the file atomically.
  // Raises EFCreateError (or EWriteError) and leaves any old file whole.
  virtual void SaveToFile(const String& fileName) const;

 protected:
  virtual String GetTextStr() const;
  virtual void SetTextStr(std::string_view Value);
  // Called when the update count moves between 0 and 1.
  virtual void SetUpdateState(bool Value);
  void Error(const char* message, int index) const;

 private:
  int FUpdateCount = 0;
};

// A list of lines with objects held in memory. With Sorted set, lines are kept
// in the case-ignoring order of AnsiCompareText (as list boxes show them).
class TStringList : public TStrings {
  GLS_CLASS(TStringList, TStrings)
 public:
  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(FList.size()); }
  String Get(int index) const override;
  // The line itself, without a copy.
  const String& At(int index) const { return FList[static_cast<size_t>(index)].Str; }
  void Put(int index, const String& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* obj) override;
  void Insert(int index, const String& s) override;
  void InsertObject(int index, const String& s, TObject* obj) override;
  // In a sorted list both go to the line's place in the order.
  int Add(const String& s) override { return AddObject(s, nullptr); }
  int AddObject(const String& s, TObject* obj) override;
  void Delete(int index) override;
  void Clear() override;
  int IndexOf(std::string_view s) const override;
  void Assign(TPersistent* source) override;

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  void Sort();
  // In a sorted list: the index of s, or where it would be inserted.
  bool Find(std::string_view s, int& index) const;
  void Reserve(int capacity) { FList.reserve(static_cast<size_t>(capacity)); }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

  struct TStringItem {
    String Str;
    TObject* Obj = nullptr;
  };
  // Replaces all lines at once (bulk operations on large lists).
  void AssignItems(std::vector<TStringItem> items);
  const std::vector<TStringItem>& Items() const { return FList; }

 protected:
  String GetTextStr() const override;
  void SetTextStr(std::string_view Value) override;
  void SetUpdateState(bool Value) override;
  virtual void Changed();
  virtual void Changing();

 private:
  void CheckIndex(int index, bool allowEnd = false) const;
  std::vector<TStringItem> FList;
  bool FSorted = false;
};

// ---------------------------------------------------------------------------
// Collections.

class TCollection;

// An item of a collection; destroying it removes it from its collection.
class TCollectionItem : public TPersistent {
  GLS_CLASS(TCollectionItem, TPersistent)
 public:
  using TCollectionArg = TCollection;
  explicit TCollectionItem(TCollection* collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  void SetCollection(TCollection* Value);
  int Index() const;
  int ID() const { return FID; }
  virtual String DisplayName() const;
  TPersistent* GetOwner() const override;

 protected:
  // Tells the collection that this item changed.
  void Changed(bool allItems = false);

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

// A list of items of one item class, owned by a persistent object.
class TCollection : public TPersistent {
  GLS_CLASS(TCollection, TPersistent)
 public:
  explicit TCollection(const TClassInfo& itemClass, TPersistent* owner = nullptr);
  ~TCollection() override;

  int Count() const { return static_cast<int>(FItems.size()); }
  TCollectionItem* Items(int index) const;
  const TClassInfo& ItemClass() const { return *FItemClass; }
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  void Assign(TPersistent* source) override;
  void BeginUpdate();
  void EndUpdate();
  TPersistent* GetOwner() const override { return FOwner; }

  // Told of every change: item is the changed item, or nullptr for all.
  TEvent<void(TCollection* Sender, TCollectionItem* Item)> OnUpdate;

 protected:
  virtual void Update(TCollectionItem* item);

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* item);
  void RemoveItem(TCollectionItem* item);
  void Changed(TCollectionItem* item);

  const TClassInfo* FItemClass;
  TPersistent* FOwner;
  std::vector<TCollectionItem*> FItems;
  int FNextID = 0;
  int FUpdateCount = 0;
};

}  // namespace Glossmith::inline Classes

#include "host/classes/Classes.h"

#include <algorithm>

#include "host/classes/Filer.h"
#include "host/classes/Streams.h"
#include "host/classes/TextLines.h"

namespace Glossmith::inline Classes {

// ---------------------------------------------------------------------------
// TPersistent

GLS_IMPLEMENT_CLASS(TPersistent)

TPersistent::~TPersistent() = default;

void TPersistent::Assign(TPersistent* source) {
  if (source) {
    source->AssignTo(this);
    return;
  }
  AssignTo(this);
}

void TPersistent::AssignTo(TPersistent* dest) {
  String source = this == dest ? String("nil") : ClassName();
  throw EConvertError(Format("Cannot assign a %s to a %s", {source, dest->ClassName()}));
}

void TPersistent::DefineProperties(TFiler*) {}

// ---------------------------------------------------------------------------
// TComponent

GLS_IMPLEMENT_CLASS(TComponent)

void TComponent::Publish(TPublisher<TComponent>& P) {
  // The name is written in the object's header, not as a property.
  P.Str("Name", &TComponent::Name, &TComponent::SetName).Stored(false);
  P.Int("Tag", &TComponent::FTag).Default(0);
}

TComponent::TComponent(TComponent* AOwner) {
  if (AOwner) AOwner->InsertComponent(this);
}

TComponent::~TComponent() {
  FComponentState.Include(csDestroying);
  // Those that asked to be told let go of their references first.
  while (!FFreeNotifies.empty()) {
    TComponent* other = FFreeNotifies.back();
    FFreeNotifies.pop_back();
    auto& theirs = other->FFreeNotifies;
    theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    other->Notification(this, opRemove);
  }
  DestroyComponents();
  if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::SetName(const String& Value) {
  if (FName == Value) return;
  if (!Value.empty() && !IsValidIdent(Value))
    throw EComponentError(Format("'%s' is not a valid component name", {Value}));
  if (FOwner)
    FOwner->ValidateRename(this, FName, Value);
  else
    ValidateRename(nullptr, FName, Value);
  if (FOwner) FOwner->Unindex(this);
  FName = Value;
  if (FOwner) FOwner->Index(this);
}

void TComponent::Index(TComponent* component) {
  if (!component->FName.empty()) FNameIndex[UpperCase(component->FName)] = component;
}

void TComponent::Unindex(TComponent* component) {
  if (component->FName.empty()) return;
  auto it = FNameIndex.find(UpperCase(component->FName));
  if (it != FNameIndex.end() && it->second == component) FNameIndex.erase(it);
}

void TComponent::ValidateRename(TComponent* AComponent, const String& curName,
                                const String& newName) const {
  if (!AComponent || newName.empty() || SameText(curName, newName)) return;
  TComponent* found = FindComponent(newName);
  if (found && found != AComponent)
    throw EComponentError(Format("A component named %s already exists", {newName}));
}

TComponent* TComponent::Components(int index) const {
  if (index < 0 || index >= ComponentCount())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return FComponents[static_cast<size_t>(index)];
}

int TComponent::ComponentIndex() const {
  if (!FOwner) return -1;
  auto& list = FOwner->FComponents;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  if (name.empty()) return nullptr;
  auto it = FNameIndex.find(UpperCase(name));
  return it == FNameIndex.end() ? nullptr : it->second;
}

void TComponent::InsertComponent(TComponent* component) {
  // Checked before the component leaves its old owner: a refused move must
  // not leave it with no owner to free it.
  ValidateRename(component, String(), component->FName);
  if (component->FOwner) component->FOwner->RemoveComponent(component);
  Insert(component);
  if (FComponentState.Contains(csDesigning)) component->SetDesigning(true);
  // Only the owner hears of an insertion: no component of the host acts on
  // one, and telling every owned component would make reading a form of n
  // components cost n squared.
  Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
  // An owner that is going takes all its components with it: as when it
  // destroys them itself, they are not told of each other's going.
  if (!FComponentState.Contains(csDestroying)) Notification(component, opRemove);
  Remove(component);
}

void TComponent::Insert(TComponent* component) {
  FComponents.push_back(component);
  component->FOwner = this;
  Index(component);
}

void TComponent::Remove(TComponent* component) {
  // Searched from the end: components mostly go in the reverse order of
  // their coming.
  auto it = std::find(FComponents.rbegin(), FComponents.rend(), component);
  if (it != FComponents.rend()) FComponents.erase(std::next(it).base());
  Unindex(component);
  component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
  while (!FComponents.empty()) {
    TComponent* c = FComponents.back();
    Remove(c);
    delete c;
  }
}

bool TComponent::SetFormClassName(const String&) { return false; }

bool TComponent::SetParentComponent(TComponent*) { return false; }

void TComponent::GetChildren(const TGetChildProc&) const {}

void TComponent::SetStreamParent(TComponent* Value) {
  if (Value == FStreamParent) return;
  if (FStreamParent) RemoveFreeNotification(FStreamParent);
  FStreamParent = Value == this ? nullptr : Value;
  if (FStreamParent) FreeNotification(FStreamParent);
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
  if (Operation == opRemove && AComponent == FStreamParent) FStreamParent = nullptr;
  // Every owned component hears of removals, so that references among the
  // components of one form are cleared.
  if (Operation != opRemove) return;
  for (size_t i = FComponents.size(); i-- > 0;) {
    if (i < FComponents.size() && FComponents[i] != AComponent)
      FComponents[i]->Notification(AComponent, Operation);
  }
}

void TComponent::SetDesigning(bool value, bool setChildren) {
  if (value)
    FComponentState.Include(csDesigning);
  else
    FComponentState.Exclude(csDesigning);
  if (setChildren)
    for (TComponent* c : FComponents) c->SetDesigning(value, true);
}

void TComponent::SetLoading(bool Value) {
  if (Value) {
    FComponentState.Include(csLoading);
    FComponentState.Include(csReading);
  } else {
    FComponentState.Exclude(csLoading);
    FComponentState.Exclude(csReading);
  }
}

void TComponent::Loaded() { FComponentState.Exclude(csLoading); }

void TComponent::FreeNotification(TComponent* component) {
  if (!component || component == this) return;
  if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
    FFreeNotifies.push_back(component);
  auto& theirs = component->FFreeNotifies;
  if (std::find(theirs.begin(), theirs.end(), this) == theirs.end()) theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
  FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component),
                      FFreeNotifies.end());
  auto& theirs = component->FFreeNotifies;
  theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
}

// ---------------------------------------------------------------------------
// TStrings

GLS_IMPLEMENT_CLASS(TStrings)

void TStrings::Error(const char* message, int index) const {
  throw EStringListError(Format(message, {index}));
}

void TStrings::Put(int index, const String& s) {
  TObject* obj = GetObject(index);
  Delete(index);
  InsertObject(index, s, obj);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const String& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const String& s, TObject* obj) {
  int index = Add(s);
  PutObject(index, obj);
  return index;
}

void TStrings::InsertObject(int index, const String& s, TObject* obj) {
  Insert(index, s);
  PutObject(index, obj);
}

void TStrings::AddStrings(const TStrings& other) {
  BeginUpdate();
  for (int i = 0; i < other.Count(); ++i) AddObject(other.Get(i), other.GetObject(i));
  EndUpdate();
}

int TStrings::IndexOf(std::string_view s) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (CompareText(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* obj) const {
  for (int i = 0, n = Count(); i < n; ++i)
    if (GetObject(i) == obj) return i;
  return -1;
}

void TStrings::Move(int curIndex, int newIndex) {
  if (curIndex == newIndex) return;
  // A sorted list refuses the insertion; refuse before the line is deleted.
  if (auto* list = dynamic_cast<TStringList*>(this); list && list->Sorted())
    throw EStringListError("Operation not allowed on sorted list");
  BeginUpdate();
  String s = Get(curIndex);
  TObject* obj = GetObject(curIndex);
  Delete(curIndex);
  InsertObject(newIndex, s, obj);
  EndUpdate();
}

void TStrings::Exchange(int index1, int index2) {
  BeginUpdate();
  String s1 = Get(index1);
  TObject* o1 = GetObject(index1);
  Put(index1, Get(index2));
  PutObject(index1, GetObject(index2));
  Put(index2, s1);
  PutObject(index2, o1);
  EndUpdate();
}

bool TStrings::Equals(const TStrings& other) const {
  if (Count() != other.Count()) return false;
  for (int i = 0; i < Count(); ++i)
    if (Get(i) != other.Get(i)) return false;
  return true;
}

String TStrings::GetTextStr() const {
  String result;
  for (int i = 0, n = Count(); i < n; ++i) {
    result += Get(i);
    result += "\r\n";
  }
  return result;
}

void TStrings::SetTextStr(std::string_view Value) {
  BeginUpdate();
  Clear();
  ForEachLine(Value, [this](std::string_view s) { Add(String(s)); });
  EndUpdate();
}

void TStrings::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TStrings*>(source)) {
    if (other == this) return;
    BeginUpdate();
    Clear();
    AddStrings(*other);
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::DefineProperties(TFiler* filer) {
  filer->DefineProperty(
      "Strings",
      [this](TReader* reader) {
        // All lines are read before any is replaced, so that a value of the
        // wrong shape leaves the list as it was.
        std::vector<String> lines;
        reader->ReadListBegin();
        while (!reader->EndOfList()) lines.push_back(reader->ReadString());
        reader->ReadListEnd();
        BeginUpdate();
        Clear();
        for (String& line : lines) Add(line);
        EndUpdate();
      },
      [this](TWriter* writer) {
        writer->WriteListBegin();
        for (int i = 0, n = Count(); i < n; ++i) writer->WriteString(Get(i));
        writer->WriteListEnd();
      },
      Count() > 0);
}

// SetUpdateState(true) runs while the count is still 0, so that OnChanging
// fires once when an update begins; OnChange fires once when it ends.
void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::LoadFromFile(const String& fileName) {
  String data = ReadFileToString(fileName);
  SetText(data);
}

void TStrings::SaveToFile(const String& fileName) const { WriteFileAtomically(fileName, Text()); }

// ---------------------------------------------------------------------------
// TStringList

GLS_IMPLEMENT_CLASS(TStringList)

TStringList::~TStringList() = default;

void TStringList::CheckIndex(int index, bool allowEnd) const {
  int limit = Count() + (allowEnd ? 1 : 0);
  if (index < 0 || index >= limit) Error("List index out of bounds (%d)", index);
}

String TStringList::Get(int index) const {
  CheckIndex(index);
  return FList[static_cast<size_t>(index)].Str;
}

void TStringList::Put(int index, const String& s) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(index);
  Changing();
  FList[static_cast<size_t>(index)].Str = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  CheckIndex(index);
  return FList[static_cast<size_t>(index)].Obj;
}

void TStringList::PutObject(int index, TObject* obj) {
  CheckIndex(index);
  Changing();
  FList[static_cast<size_t>(index)].Obj = obj;
  Changed();
}

void TStringList::Insert(int index, const String& s) { InsertObject(index, s, nullptr); }

void TStringList::InsertObject(int index, const String& s, TObject* obj) {
  if (FSorted) throw EStringListError("Operation not allowed on sorted list");
  CheckIndex(index, true);
  Changing();
  FList.insert(FList.begin() + index, TStringItem{s, obj});
  Changed();
}

int TStringList::AddObject(const String& s, TObject* obj) {
  int index = Count();
  if (FSorted) Find(s, index);
  Changing();
  FList.insert(FList.begin() + index, TStringItem{s, obj});
  Changed();
  return index;
}

void TStringList::Delete(int index) {
  CheckIndex(index);
  Changing();
  FList.erase(FList.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  Changed();
}

int TStringList::IndexOf(std::string_view s) const {
  if (FSorted) {
    int index;
    return Find(s, index) ? index : -1;
  }
  for (size_t i = 0; i < FList.size(); ++i)
    if (SameText(FList[i].Str, s)) return static_cast<int>(i);
  return -1;
}

void TStringList::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TStringList*>(source)) {
    if (other != this) AssignItems(other->FList);
    return;
  }
  TStrings::Assign(source);
}

String TStringList::GetTextStr() const {
  size_t size = 0;
  for (const TStringItem& item : FList) size += item.Str.size() + 2;
  String result;
  result.reserve(size);
  for (const TStringItem& item : FList) {
    result += item.Str;
    result += "\r\n";
  }
  return result;
}

// Counts the lines first, so that a file of millions of lines fills the list
// without growing it step by step.
void TStringList::SetTextStr(std::string_view Value) {
  std::vector<TStringItem> items;
  items.reserve(CountLines(Value));
  ForEachLine(Value, [&items](std::string_view s) {
    items.push_back(TStringItem{String(s), nullptr});
  });
  AssignItems(std::move(items));
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::Sort() {
  Changing();
  std::stable_sort(FList.begin(), FList.end(), [](const TStringItem& a, const TStringItem& b) {
    return AnsiCompareText(a.Str, b.Str) < 0;
  });
  Changed();
}

bool TStringList::Find(std::string_view s, int& index) const {
  int lo = 0, hi = Count() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = (lo + hi) / 2;
    int c = AnsiCompareText(FList[static_cast<size_t>(mid)].Str, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;
    }
  }
  index = lo;
  return found;
}

void TStringList::AssignItems(std::vector<TStringItem> items) {
  Changing();
  FList = std::move(items);
  if (FSorted)
    std::stable_sort(FList.begin(), FList.end(), [](const TStringItem& a, const TStringItem& b) {
      return AnsiCompareText(a.Str, b.Str) < 0;
    });
  Changed();
}

void TStringList::SetUpdateState(bool Value) {
  if (Value)
    Changing();
  else
    Changed();
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

// ---------------------------------------------------------------------------
// Collections

GLS_IMPLEMENT_CLASS(TCollectionItem)

TCollectionItem::TCollectionItem(TCollection* collection) { SetCollection(collection); }

TCollectionItem::~TCollectionItem() { SetCollection(nullptr); }

void TCollectionItem::SetCollection(TCollection* Value) {
  if (FCollection == Value) return;
  if (FCollection) FCollection->RemoveItem(this);
  if (Value) Value->InsertItem(this);
}

int TCollectionItem::Index() const {
  if (!FCollection) return -1;
  auto& items = FCollection->FItems;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

String TCollectionItem::DisplayName() const { return ClassName(); }

TPersistent* TCollectionItem::GetOwner() const { return FCollection; }

void TCollectionItem::Changed(bool allItems) {
  if (FCollection) FCollection->Changed(allItems ? nullptr : this);
}

GLS_IMPLEMENT_CLASS(TCollection)

TCollection::TCollection(const TClassInfo& itemClass, TPersistent* owner)
    : FItemClass(&itemClass), FOwner(owner) {}

TCollection::~TCollection() {
  FUpdateCount = 1;  // no notifications while the items go
  Clear();
}

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return FItems[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() {
  TClassInfo::TFactory factory = FItemClass->Factory();
  if (!factory)
    throw EInvalidOperation(Format("Cannot create an item of class %s", {FItemClass->Name()}));
  TObject* obj = factory(this);
  auto* item = dynamic_cast<TCollectionItem*>(obj);
  if (!item) {
    delete obj;
    throw EInvalidOperation(Format("%s is not a collection item class", {FItemClass->Name()}));
  }
  return item;
}

TCollectionItem* TCollection::Insert(int index) {
  TCollectionItem* item = Add();
  auto it = std::find(FItems.begin(), FItems.end(), item);
  FItems.erase(it);
  FItems.insert(FItems.begin() + std::clamp(index, 0, Count()), item);
  Changed(nullptr);
  return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  if (FItems.empty()) return;
  BeginUpdate();
  while (!FItems.empty()) delete FItems.back();
  EndUpdate();
}

void TCollection::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TCollection*>(source)) {
    if (other == this) return;
    BeginUpdate();
    Clear();
    for (TCollectionItem* item : other->FItems) Add()->Assign(item);
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

void TCollection::BeginUpdate() { ++FUpdateCount; }

void TCollection::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed(nullptr);
}

void TCollection::InsertItem(TCollectionItem* item) {
  FItems.push_back(item);
  item->FCollection = this;
  item->FID = FNextID++;
  Changed(nullptr);
}

void TCollection::RemoveItem(TCollectionItem* item) {
  // Searched from the back: Clear and the destructor remove the last item.
  auto it = std::find(FItems.rbegin(), FItems.rend(), item);
  if (it != FItems.rend()) FItems.erase(std::next(it).base());
  item->FCollection = nullptr;
  Changed(nullptr);
}

void TCollection::Changed(TCollectionItem* item) {
  if (FUpdateCount == 0) Update(item);
}

void TCollection::Update(TCollectionItem* item) {
  if (OnUpdate) OnUpdate(this, item);
}

}  // namespace Glossmith::inline Classes

#include "host/classes/Filer.h"

#include <cmath>

#include "host/classes/Generic.h"
#include "host/classes/Streams.h"

namespace Glossmith::inline Classes {

namespace {

bool IsListOfStrings(const TFormValue& v) {
  if (v.Kind != TFormValueKind::List) return false;
  for (const TFormValue& item : v.Items)
    if (item.Kind != TFormValueKind::String) return false;
  return true;
}

// The component a reference names, seen from `lookupRoot`: a component it
// owns, the lookup root itself, or Owner.Name for a component of another
// owner that the form can see.
TComponent* FindReference(const String& name, TComponent* lookupRoot, TComponent* root) {
  size_t dot = name.find('.');
  if (dot == String::npos) {
    for (TComponent* scope : {lookupRoot, root}) {
      if (SameText(scope->Name(), name)) return scope;
      if (TComponent* c = scope->FindComponent(name)) return c;
    }
    return nullptr;
  }
  String first = name.substr(0, dot), rest = name.substr(dot + 1);
  if (rest.find('.') != String::npos) return nullptr;
  for (TComponent* scope : {lookupRoot, root}) {
    TComponent* owner = SameText(scope->Name(), first) ? scope : scope->FindComponent(first);
    if (owner) return owner->FindComponent(rest);
  }
  return nullptr;
}

// Set element names to a mask; false when a name is not an element.
bool NamesToSet(PTypeInfo setType, const std::vector<String>& names, Int64& mask) {
  mask = 0;
  for (const String& n : names) {
    int v = GetEnumValue(setType->CompType, n);
    if (v < 0 || v > 31) return false;
    mask |= Int64{1} << v;
  }
  return true;
}

// Objects of classes the host does not know keep every value as read:
// there is nothing to warn of.
bool IsGeneric(const TPersistent* obj) {
  return dynamic_cast<const TGenericComponent*>(obj) ||
         dynamic_cast<const TGenericPersistent*>(obj) ||
         dynamic_cast<const TGenericCollectionItem*>(obj);
}

// Values the classic reader takes through the defined properties of its own
// classes, which the host keeps as read: a component's design position
// (Left, Top), a control's design size and explicit bounds, a form's text
// height. They are no unknown properties.
bool IsClassicDefinedProperty(const TPersistent* obj, const String& name) {
  if (!dynamic_cast<const TComponent*>(obj)) return false;
  for (const char* defined : {"Left", "Top", "DesignSize", "ExplicitLeft", "ExplicitTop",
                              "ExplicitWidth", "ExplicitHeight", "TextHeight"})
    if (SameText(name, defined)) return true;
  return false;
}

// A value as a warning shows it.
String DescribeValue(const TFormValue& v) {
  switch (v.Kind) {
    case TFormValueKind::Integer:
      return v.Text.empty() ? IntToStr(v.Int) : v.Text;
    case TFormValueKind::Float:
      return v.Text.empty() ? FloatToStr(v.Float) : v.Text;
    case TFormValueKind::String:
      return "'" + v.Text.substr(0, 40) + (v.Text.size() > 40 ? "...'" : "'");
    case TFormValueKind::Ident:
      return v.Text;
    case TFormValueKind::Set: {
      String names;
      for (const String& n : v.Names) names += (names.empty() ? "" : ", ") + n;
      return "[" + names + "]";
    }
    case TFormValueKind::List:
      return "a list";
    case TFormValueKind::Collection:
      return "a collection";
    case TFormValueKind::Binary:
      return "binary data";
    case TFormValueKind::Null:
      return "Null";
  }
  return String();
}

thread_local TReadWarnings* CurrentWarnings = nullptr;

}  // namespace

// ===========================================================================
// TReadWarnings

TReadWarnings::TReadWarnings(THandler handler)
    : FHandler(std::move(handler)), FOuter(CurrentWarnings) {
  CurrentWarnings = this;
}

TReadWarnings::~TReadWarnings() { CurrentWarnings = FOuter; }

void TReadWarnings::Report(int line, const String& message) {
  TReadWarnings* w = CurrentWarnings;
  if (!w) return;
  w->FList.push_back({line, message});
  if (w->FHandler) w->FHandler(w->FList.back());
}

// ===========================================================================
// TReader

TReader::TReader(const TFormObject& tree) : FTree(tree) {}
TReader::~TReader() = default;

void TReader::Error(int line, const String& message) const {
  if (line > 0) throw EReadError(Format("Line %d: %s", {line, message}));
  throw EReadError(message);
}

void TReader::ReadRootComponent(TComponent* root) {
  FRoot = root;
  FLookupRoot = root;
  root->SetLoading(true);
  FLoaded.push_back(root);
  root->FilerFlags().Inherited = FTree.Kind == TFormObjectKind::Inherited;
  root->FilerFlags().Inline = FTree.Kind == TFormObjectKind::Inline;
  root->FilerFlags().ChildPos = FTree.ChildPos;
  if (!FTree.Name.empty() && !SameText(root->Name(), FTree.Name)) {
    // Forms of one owner need distinct names: a second copy of a form gets
    // Name_1, Name_2, ... as the classic library names it.
    String name = FTree.Name;
    if (TComponent* owner = root->Owner())
      for (int i = 1; owner->FindComponent(name); ++i) name = FTree.Name + "_" + IntToStr(i);
    try {
      root->SetName(name);
    } catch (const Exception& e) {
      Error(FTree.Line, e.Message());
    }
  }
  ReadComponentData(root, FTree);
  ResolveFixups();
  for (TComponent* c : FLoaded) c->Loaded();
  for (TComponent* c : FLoaded) c->SetLoading(false);
}

void TReader::ReadComponentData(TComponent* c, const TFormObject& node) {
  TPersistent* saved = FCurrent;
  FCurrent = c;
  for (const TFormProperty& p : node.Properties) ReadProperty(c, p);
  FCurrent = saved;
  ReadChildren(c, node);
}

void TReader::ReadChildren(TComponent* parent, const TFormObject& node) {
  if (node.Children.empty()) return;
  if (++FDepth > MaxFormNesting) Error(node.Line, "Components nest too deep");
  TComponent* savedLookup = FLookupRoot;
  // The components of an embedded frame belong to the frame.
  if (node.Kind == TFormObjectKind::Inline && parent != FRoot) FLookupRoot = parent;
  for (const auto& child : node.Children) {
    TComponent* c = CreateComponent(*child, parent);
    ReadComponentData(c, *child);
  }
  FLookupRoot = savedLookup;
  --FDepth;
}

TComponent* TReader::CreateComponent(const TFormObject& node, TComponent* parent) {
  TComponent* owner = FLookupRoot;
  String className = node.ClassName;
  size_t slash = className.find('/');
  std::string_view shortName = slash == String::npos
                                   ? std::string_view(className)
                                   : std::string_view(className).substr(slash + 1);
  TComponent* c = nullptr;
  if (!node.Name.empty()) {
    // A component the owner already has (made by its class, or by an
    // ancestor form) is read into, not created again.
    if (TComponent* existing = FindOwned(owner, node.Name)) {
      if (!SameText(existing->ClassName(), shortName) &&
          !SameText(existing->ClassName(), className))
        Error(node.Line, Format("A component named %s already exists", {node.Name}));
      c = existing;
    }
  }
  if (!c) {
    const TClassInfo* info = slash == String::npos ? GetClass(className) : nullptr;
    if (info && info->InheritsFrom(TComponent::StaticClass()) && info->Factory()) {
      TObject* obj = info->Factory()(owner);
      c = dynamic_cast<TComponent*>(obj);
      if (!c) {
        delete obj;
        Error(node.Line, Format("%s is not a component class", {className}));
      }
      if (c->Owner() != owner) owner->InsertComponent(c);
    } else {
      auto* generic = new TGenericComponent(owner);
      generic->SetFormClassName(className);
      c = generic;
    }
    try {
      c->SetName(node.Name);
    } catch (const Exception& e) {
      Error(node.Line, e.Message());
    }
    TNameIndex& index = FNames[owner];
    if (index.Count >= 0 && index.Count + 1 == owner->ComponentCount()) {
      index.Count = owner->ComponentCount();
      if (!node.Name.empty()) index.Names[UpperCase(node.Name)] = c;
    }
  }
  // A published field of the owner named like the component refers to it.
  if (!node.Name.empty())
    if (PFieldInfo field = owner->ClassType().FindField(node.Name)) {
      if (!c->InheritsFrom(*field->FieldClass))
        Error(node.Line,
              Format("Field %s.%s is a %s, not a %s",
                     {owner->ClassName(), field->Name, field->FieldClass->Name(), c->ClassName()}));
      field->Set(owner, c);
    }
  c->SetLoading(true);
  FLoaded.push_back(c);
  c->FilerFlags().Inherited = node.Kind == TFormObjectKind::Inherited;
  c->FilerFlags().Inline = node.Kind == TFormObjectKind::Inline;
  c->FilerFlags().ChildPos = node.ChildPos;
  // Controls go into their parent control, menu items into their menu;
  // anything else remembers where it was read.
  // A file that nests a component inside itself (read into by name) names
  // an impossible parent: that is a malformed file, not a failed operation.
  try {
    if (parent != c && !c->SetParentComponent(parent)) c->SetStreamParent(parent);
  } catch (const EInvalidOperation& e) {
    Error(node.Line, e.Message());
  }
  return c;
}

TComponent* TReader::FindOwned(TComponent* owner, const String& name) {
  TNameIndex& index = FNames[owner];
  if (index.Count != owner->ComponentCount()) {
    // Components came or went other than by this reader: index them again.
    index.Names.clear();
    for (int i = 0, n = owner->ComponentCount(); i < n; ++i) {
      TComponent* c = owner->Components(i);
      if (!c->Name().empty()) index.Names.emplace(UpperCase(c->Name()), c);
    }
    index.Count = owner->ComponentCount();
  }
  auto found = index.Names.find(UpperCase(name));
  return found == index.Names.end() ? nullptr : found->second;
}

void TReader::ReadProperty(TPersistent* obj, const TFormProperty& prop) {
  // Dotted names walk into sub-objects: Font.Name, Items.Strings.
  TPersistent* cur = obj;
  size_t start = 0;
  for (;;) {
    size_t dot = prop.Name.find('.', start);
    if (dot == String::npos) break;
    String segment = prop.Name.substr(start, dot - start);
    PPropInfo p = GetPropInfo(cur, segment);
    TPersistent* sub = nullptr;
    if (p && p->Kind() == tkClass && p->GetObj) sub = dynamic_cast<TPersistent*>(p->GetObj(cur));
    if (!sub) {
      if (p) {
        // Not an object here: the rest of the name is kept as it stands.
        if (!IsGeneric(cur))
          TReadWarnings::Report(prop.Line, Format("%s.%s is not an object; %s is kept as read",
                                                  {cur->ClassName(), segment, prop.Name}));
        KeepDynamic(cur, prop.Name.substr(start), prop.Value, prop.Line);
        return;
      }
      if (!IsGeneric(cur))
        TReadWarnings::Report(prop.Line, Format("%s has no property %s; it is kept as read",
                                                {cur->ClassName(), segment}));
      bool strings =
          prop.Name.compare(dot + 1, String::npos, "Strings") == 0 && IsListOfStrings(prop.Value);
      std::unique_ptr<TPersistent> made;
      if (strings)
        made = std::make_unique<TStringList>();
      else
        made = std::make_unique<TGenericPersistent>();
      sub = AddDynamicObject(cur, segment, std::move(made));
    }
    cur = sub;
    start = dot + 1;
  }
  ReadPropValue(cur, prop.Name.substr(start), prop.Value, prop.Line);
}

void TReader::ReadPropValue(TPersistent* obj, const String& name, const TFormValue& value,
                            int line) {
  PPropInfo prop = obj->ClassType().FindProperty(name);
  if (prop) {
    bool done;
    try {
      done = SetDeclared(obj, prop, value, line);
    } catch (const EReadError&) {
      throw;
    } catch (const EFileLineError&) {
      throw;
    } catch (const Exception& e) {
      Error(line, Format("Error reading %s: %s", {name, e.Message()}));
    }
    if (!done) {
      TReadWarnings::Report(
          line, Format("%s.%s: %s is not a valid %s value; it is kept as read",
                       {obj->ClassName(), name, DescribeValue(value), prop->PropType->Name}));
      KeepDynamic(obj, name, value, line);
    }
    return;
  }
  if (ReadDefined(obj, name, value, line)) return;
  if (!IsGeneric(obj) && !IsClassicDefinedProperty(obj, name))
    TReadWarnings::Report(
        line, Format("%s has no property %s; it is kept as read", {obj->ClassName(), name}));
  KeepDynamic(obj, name, value, line);
}

bool TReader::SetDeclared(TPersistent* obj, PPropInfo prop, const TFormValue& v, int line) {
  using K = TFormValueKind;
  switch (prop->Kind()) {
    case tkInteger:
      if (!prop->SetOrd) return false;
      if (v.Kind == K::Integer && v.Int >= INT32_MIN && v.Int <= INT32_MAX) {
        prop->SetOrd(obj, v.Int);
        return true;
      }
      // A number the property cannot hold would leave it at its default
      // without a word (a translator's Locale at 0, the locale of none).
      if (v.Kind == K::Integer) {
        const String what = Format("Error reading %s: %s is out of the range of an Integer "
                                   "(-2147483648 to 2147483647)",
                                   {prop->Name, v.Text.empty() ? IntToStr(v.Int) : v.Text});
        if (v.Line > 0 && v.Column > 0)
          throw EReadError(Format("Line %d, column %d: %s", {v.Line, v.Column, what}));
        Error(v.Line > 0 ? v.Line : line, what);
      }
      if (v.Kind == K::Ident) {
        Integer value;
        if (TIdentToInt toInt = FindIdentToInt(prop->PropType); toInt && toInt(v.Text, value)) {
          prop->SetOrd(obj, value);
          return true;
        }
      }
      return false;
    case tkInt64:
      if (!prop->SetOrd || v.Kind != K::Integer) return false;
      prop->SetOrd(obj, v.Int);
      return true;
    case tkChar:
    case tkWChar:
      if (!prop->SetOrd) return false;
      if (v.Kind == K::Integer && v.Int >= 0 && v.Int <= (prop->Kind() == tkChar ? 255 : 0xFFFF)) {
        prop->SetOrd(obj, v.Int);
        return true;
      }
      if (v.Kind == K::String && v.Text.size() == 1) {
        prop->SetOrd(obj, static_cast<unsigned char>(v.Text[0]));
        return true;
      }
      return false;
    case tkEnumeration: {
      if (!prop->SetOrd || v.Kind != K::Ident) return false;
      int e = GetEnumValue(prop->PropType, v.Text);
      if (e < 0) return false;
      prop->SetOrd(obj, e);
      return true;
    }
    case tkSet: {
      Int64 mask;
      if (!prop->SetOrd || v.Kind != K::Set || !NamesToSet(prop->PropType, v.Names, mask))
        return false;
      prop->SetOrd(obj, mask);
      return true;
    }
    case tkFloat:
      if (!prop->SetFloat) return false;
      if (v.Kind == K::Float) {
        prop->SetFloat(obj, v.Float);
        return true;
      }
      if (v.Kind == K::Integer) {
        prop->SetFloat(obj, static_cast<double>(v.Int));
        return true;
      }
      return false;
    case tkString:
    case tkLString:
    case tkWString:
      if (!prop->SetStr || v.Kind != K::String) return false;
      prop->SetStr(obj, v.Text);
      return true;
    case tkMethod:
      if (!prop->SetMethod || v.Kind != K::Ident || v.Text.find('.') != String::npos) return false;
      if (v.IsIdent("nil")) {
        prop->SetMethod(obj, String());
        return true;
      }
      prop->SetMethod(obj, v.Text);
      // Bind the handler when the form's class has a method of that name.
      if (prop->BindMethod)
        if (const TMethodFactory* m = FLookupRoot->ClassType().FindMethod(v.Text))
          prop->BindMethod(obj, (*m)(FLookupRoot));
      return true;
    case tkClass:
      if (v.Kind == K::Ident) {
        if (!prop->SetObj) return false;
        if (v.IsIdent("nil")) {
          prop->SetObj(obj, nullptr);
          return true;
        }
        // References are resolved once the whole form is read.
        FFixups.push_back({obj, prop, v.Text, FLookupRoot, line});
        return true;
      }
      if (v.Kind == K::Collection && prop->GetObj) {
        auto* coll = dynamic_cast<TCollection*>(prop->GetObj(obj));
        if (!coll) return false;
        ReadCollection(coll, v, line);
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TReader::ReadCollection(TCollection* coll, const TFormValue& value, int line) {
  if (++FDepth > MaxFormNesting) Error(line, "Collections nest too deep");
  coll->BeginUpdate();
  try {
    coll->Clear();
    for (const TFormItem& item : value.CollectionItems) {
      TCollectionItem* it = coll->Add();
      for (const TFormProperty& p : item.Properties) ReadProperty(it, p);
    }
  } catch (...) {
    coll->EndUpdate();
    throw;
  }
  coll->EndUpdate();
  --FDepth;
}

bool TReader::ReadDefined(TPersistent* obj, const String& name, const TFormValue& value, int line) {
  FPropName = name;
  FFound = false;
  FFrames.assign(1, TFrame{&value, 1, 0});
  TPersistent* saved = FCurrent;
  FCurrent = obj;
  try {
    obj->DefineProperties(this);
  } catch (const EReadError& e) {
    // A value of another shape than the reader expects is kept as it was read.
    FCurrent = saved;
    FPropName.clear();
    TReadWarnings::Report(line,
                          Format("%s: %s; it is kept as read", {obj->ClassName(), e.Message()}));
    KeepDynamic(obj, name, value, line);
    return true;
  } catch (const EFileLineError&) {
    // Found in another file (a translation file the value names), which the
    // error names with its line: this form's line would mislead.
    FCurrent = saved;
    FPropName.clear();
    throw;
  } catch (const Exception& e) {
    FCurrent = saved;
    FPropName.clear();
    Error(line, Format("Error reading %s: %s", {name, e.Message()}));
  }
  FCurrent = saved;
  FPropName.clear();
  return FFound;
}

void TReader::DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc, bool) {
  if (FFound || !ReadData || !SameText(Name, FPropName)) return;
  FFound = true;
  ReadData(this);
}

void TReader::DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc, bool) {
  if (FFound || !ReadData || !SameText(Name, FPropName)) return;
  const TFormValue& v = Take("binary data");
  if (v.Kind != TFormValueKind::Binary) ValueError("binary data");
  FFound = true;
  TMemoryStream stream(v.Text);
  ReadData(&stream);
}

void TReader::KeepDynamic(TPersistent* obj, const String& name, const TFormValue& value, int line) {
  if (value.Kind == TFormValueKind::Collection) {
    auto coll = std::make_unique<TGenericCollection>();
    TCollection* raw = coll.get();
    AddDynamicObject(obj, name, std::move(coll));
    ReadCollection(raw, value, line);
    return;
  }
  AddDynamicValue(obj, name, value);
}

void TReader::ResolveFixups() {
  for (const TFixup& f : FFixups) {
    TComponent* target = FindReference(f.Name, f.LookupRoot, FRoot);
    if (target) {
      try {
        f.Prop->SetObj(f.Obj, target);
      } catch (const Exception& e) {
        Error(f.Line, Format("Error reading %s: %s", {f.Prop->Name, e.Message()}));
      }
      if (f.Prop->GetObj && f.Prop->GetObj(f.Obj) == target) continue;
    }
    // A component this form cannot see (another form's, or of another
    // class than the property takes) stays a name, written back as read.
    AddDynamicValue(f.Obj, f.Prop->Name, TFormValue::MakeIdent(f.Name));
  }
  FFixups.clear();
}

// --- value readers ------------------------------------------------------------

void TReader::ValueError(const char* expected) const {
  String what = Format("%s expected", {expected});
  if (!FPropName.empty()) what = Format("Error reading %s: %s", {FPropName, what});
  throw EReadError(what);
}

const TFormValue& TReader::Take(const char* what) {
  if (FFrames.empty() || FFrames.back().Index >= FFrames.back().Count) ValueError(what);
  TFrame& f = FFrames.back();
  return f.Items[f.Index++];
}

TFormValueKind TReader::NextValue() const {
  if (FFrames.empty() || FFrames.back().Index >= FFrames.back().Count) ValueError("value");
  const TFrame& f = FFrames.back();
  return f.Items[f.Index].Kind;
}

bool TReader::EndOfList() const {
  return FFrames.empty() || FFrames.back().Index >= FFrames.back().Count;
}

void TReader::ReadListBegin() {
  const TFormValue& v = Take("list");
  if (v.Kind != TFormValueKind::List) ValueError("list");
  FFrames.push_back(TFrame{v.Items.data(), v.Items.size(), 0});
}

void TReader::ReadListEnd() {
  if (FFrames.size() < 2 || !EndOfList()) ValueError("end of list");
  FFrames.pop_back();
}

Integer TReader::ReadInteger() {
  const TFormValue& v = Take("integer");
  if (v.Kind != TFormValueKind::Integer || v.Int < INT32_MIN || v.Int > INT32_MAX)
    ValueError("integer");
  return static_cast<Integer>(v.Int);
}

Int64 TReader::ReadInt64() {
  const TFormValue& v = Take("integer");
  if (v.Kind != TFormValueKind::Integer) ValueError("integer");
  return v.Int;
}

bool TReader::ReadBoolean() {
  const TFormValue& v = Take("boolean");
  if (v.IsIdent("True")) return true;
  if (v.IsIdent("False")) return false;
  ValueError("boolean");
}

char TReader::ReadChar() {
  const TFormValue& v = Take("character");
  if (v.Kind == TFormValueKind::String && v.Text.size() == 1) return v.Text[0];
  if (v.Kind == TFormValueKind::Integer && v.Int >= 0 && v.Int <= 255)
    return static_cast<char>(v.Int);
  ValueError("character");
}

double TReader::ReadFloat() {
  const TFormValue& v = Take("floating-point number");
  if (v.Kind == TFormValueKind::Float) return v.Float;
  if (v.Kind == TFormValueKind::Integer) return static_cast<double>(v.Int);
  ValueError("floating-point number");
}

String TReader::ReadString() {
  const TFormValue& v = Take("string");
  if (v.Kind != TFormValueKind::String) ValueError("string");
  return v.Text;
}

String TReader::ReadIdent() {
  const TFormValue& v = Take("identifier");
  if (v.Kind != TFormValueKind::Ident) ValueError("identifier");
  return v.Text;
}

TFormValue TReader::ReadValue() { return Take("value"); }

// ===========================================================================
// TWriter

TWriter::TWriter() = default;
TWriter::~TWriter() = default;

std::unique_ptr<TFormObject> TWriter::WriteRootComponent(TComponent* root) {
  FRoot = root;
  FLookupRoot = root;
  FChildren.clear();
  FWritten.clear();
  return WriteComponent(root, root, 0);
}

std::unique_ptr<TFormObject> TWriter::WriteComponent(TComponent* c, TComponent* lookupRoot,
                                                     int depth) {
  if (depth >= MaxFormNesting) throw EWriteError("Components nest too deep to be written");
  FWritten[c] = true;
  auto node = std::make_unique<TFormObject>();
  const TFilerFlags& flags = c->FilerFlags();
  node->Kind = flags.Inline      ? TFormObjectKind::Inline
               : flags.Inherited ? TFormObjectKind::Inherited
                                 : TFormObjectKind::Object;
  node->Name = c->Name();
  node->ClassName = c->ClassName();
  node->ChildPos = flags.ChildPos;
  TComponent* savedLookup = FLookupRoot;
  FLookupRoot = lookupRoot;
  WriteProperties(c, Pristine(c), String(), node->Properties, depth);

  // Children: the components the lookup root owns that sit on this one. An
  // embedded frame is the lookup root of its own components.
  TComponent* scope = (c == FRoot || flags.Inline) ? c : lookupRoot;
  if (!FChildren.contains(scope)) {
    auto& top = FChildren[scope];
    std::vector<std::pair<const TComponent*, TComponent*>> placed;
    for (int i = 0, n = scope->ComponentCount(); i < n; ++i) {
      TComponent* child = scope->Components(i);
      TComponent* parent = child->GetParentComponent();
      if (!parent) parent = child->StreamParent();
      if (!parent || parent == child || (parent != scope && parent->Owner() != scope))
        parent = scope;
      if (parent == scope)
        top.push_back(child);
      else
        placed.emplace_back(parent, child);
    }
    for (auto& [parent, child] : placed) FChildren[parent].push_back(child);
  }
  FLookupRoot = scope;
  auto it = FChildren.find(c);
  if (it != FChildren.end()) {
    std::vector<TComponent*> children = it->second;
    for (TComponent* child : children)
      if (!FWritten[child]) node->Children.push_back(WriteComponent(child, scope, depth + 1));
  }
  if (c == scope) {
    // Components whose parents never reach this one (a cycle of parents)
    // are written on the form rather than lost.
    for (int i = 0, n = scope->ComponentCount(); i < n; ++i) {
      TComponent* child = scope->Components(i);
      if (!FWritten[child]) node->Children.push_back(WriteComponent(child, scope, depth + 1));
    }
  }
  FLookupRoot = savedLookup;
  return node;
}

const TObject* TWriter::Pristine(const TPersistent* obj) {
  const TClassInfo* info = &obj->ClassType();
  auto it = FPristine.find(info);
  if (it != FPristine.end()) return it->second.get();
  std::unique_ptr<TObject> made;
  // A generic object's values are all its own: there is nothing to compare.
  const bool generic = dynamic_cast<const TGenericComponent*>(obj) ||
                       dynamic_cast<const TGenericCollectionItem*>(obj) ||
                       dynamic_cast<const TGenericPersistent*>(obj);
  if (info->Factory() && !generic) {
    try {
      made.reset(info->Factory()(nullptr));
    } catch (const Exception&) {
      made.reset();
    }
  }
  return FPristine.emplace(info, std::move(made)).first->second.get();
}

// A value is left out when it is the declared default and also what a new
// instance holds: a class whose constructor sets another value than its
// declared default would otherwise lose that value on the way through a file.
bool TWriter::IsDefault(const TPersistent* obj, const TObject* pristine, PPropInfo p) const {
  if (!IsDefaultPropValue(obj, p)) return false;
  if (!pristine || &pristine->ClassType() != &obj->ClassType()) return true;
  switch (p->Kind()) {
    case tkInteger:
    case tkInt64:
    case tkChar:
    case tkWChar:
    case tkEnumeration:
    case tkSet:
      return p->GetOrd(obj) == p->GetOrd(pristine);
    case tkFloat:
      return p->GetFloat(obj) == p->GetFloat(pristine);
    case tkString:
    case tkLString:
    case tkWString:
      return p->GetStr(obj) == p->GetStr(pristine);
    default:
      return true;
  }
}

void TWriter::WriteProperties(const TPersistent* obj, const TObject* pristine, const String& prefix,
                              std::vector<TFormProperty>& out, int depth) {
  if (depth >= MaxFormNesting) throw EWriteError("Objects nest too deep to be written");
  for (PPropInfo p : obj->ClassType().Properties()) {
    if (obj->FindDynamicProperty(p->Name)) continue;  // kept as read instead
    if (!p->IsStored(obj)) continue;
    WriteDeclared(obj, pristine, p, prefix, out, depth);
  }
  // Defined properties.
  const TPersistent* savedDefining = FDefining;
  String savedPrefix = FPrefix;
  std::vector<TFormProperty>* savedOut = FOut;
  FDefining = obj;
  FPrefix = prefix;
  FOut = &out;
  const_cast<TPersistent*>(obj)->DefineProperties(this);
  FDefining = savedDefining;
  FPrefix = savedPrefix;
  FOut = savedOut;
  // Dynamic properties, as read.
  for (const auto& p : obj->DynamicProperties()) {
    if (p->Kind() == tkClass) {
      TObject* sub = p->GetObj(obj);
      if (auto* coll = dynamic_cast<TCollection*>(sub)) {
        TFormProperty fp;
        fp.Name = prefix + p->Name;
        WriteCollection(coll, fp.Value, depth + 1);
        out.push_back(std::move(fp));
      } else if (auto* persistent = dynamic_cast<TPersistent*>(sub)) {
        size_t before = out.size();
        WriteProperties(persistent, nullptr, prefix + p->Name + ".", out, depth + 1);
        // An empty list read from the file is written back as one.
        if (out.size() == before && dynamic_cast<TStrings*>(persistent))
          out.push_back(TFormProperty{prefix + p->Name + ".Strings",
                                      TFormValue::MakeOfKind(TFormValueKind::List), 0});
      }
      continue;
    }
    out.push_back(TFormProperty{prefix + p->Name, DynamicValueOf(obj, p.get()), 0});
  }
}

void TWriter::WriteDeclared(const TPersistent* obj, const TObject* pristine, PPropInfo p,
                            const String& prefix, std::vector<TFormProperty>& out, int depth) {
  TFormValue v;
  switch (p->Kind()) {
    case tkInteger:
    case tkInt64: {
      if (!p->GetOrd || IsDefault(obj, pristine, p)) return;
      Int64 value = p->GetOrd(obj);
      String ident;
      if (TIntToIdent toIdent = FindIntToIdent(p->PropType);
          toIdent && p->Kind() == tkInteger && toIdent(static_cast<Integer>(value), ident))
        v = TFormValue::MakeIdent(ident);
      else
        v = TFormValue::MakeInteger(value);
      break;
    }
    case tkChar:
    case tkWChar: {
      if (!p->GetOrd || IsDefault(obj, pristine, p)) return;
      Int64 code = p->GetOrd(obj);
      String s;
      if (p->Kind() == tkChar)
        s = String(1, static_cast<char>(code));
      else
        AppendUtf8(s, static_cast<uint32_t>(code));
      v = TFormValue::MakeString(s);
      break;
    }
    case tkEnumeration: {
      if (!p->GetOrd || IsDefault(obj, pristine, p)) return;
      Int64 value = p->GetOrd(obj);
      String name = GetEnumName(p->PropType, static_cast<int>(value));
      v = name.empty() ? TFormValue::MakeInteger(value) : TFormValue::MakeIdent(name);
      break;
    }
    case tkSet: {
      if (!p->GetOrd || IsDefault(obj, pristine, p)) return;
      Int64 mask = p->GetOrd(obj);
      v.Kind = TFormValueKind::Set;
      for (int i = 0; i < 32; ++i) {
        if (!((mask >> i) & 1)) continue;
        String name = GetEnumName(p->PropType->CompType, i);
        v.Names.push_back(name.empty() ? IntToStr(i) : name);
      }
      break;
    }
    case tkFloat:
      if (!p->GetFloat || IsDefault(obj, pristine, p)) return;
      v = TFormValue::MakeFloat(p->GetFloat(obj));
      break;
    case tkString:
    case tkLString:
    case tkWString:
      if (!p->GetStr || IsDefault(obj, pristine, p)) return;
      v = TFormValue::MakeString(p->GetStr(obj));
      break;
    case tkMethod: {
      if (!p->GetMethod) return;
      String name = p->GetMethod(obj);
      if (name.empty()) return;
      v = TFormValue::MakeIdent(name);
      break;
    }
    case tkClass: {
      if (!p->GetObj) return;
      TObject* value = p->GetObj(obj);
      if (!value) return;
      if (auto* comp = dynamic_cast<TComponent*>(value);
          comp && comp->FilerFlags().SubComponent && comp->Owner() == obj) {
        // A component its object owns (a labelled edit's label) is part of
        // it: its properties are written under the property's name.
        const TObject* pristineSub = pristine && p->GetObj ? p->GetObj(pristine) : nullptr;
        WriteProperties(comp, pristineSub, prefix + p->Name + ".", out, depth + 1);
        return;
      } else if (comp) {
        String ref = ComponentRef(comp);
        if (ref.empty()) return;
        v = TFormValue::MakeIdent(ref);
      } else if (auto* coll = dynamic_cast<TCollection*>(value)) {
        if (coll->Count() == 0) return;
        WriteCollection(coll, v, depth + 1);
      } else if (auto* sub = dynamic_cast<TPersistent*>(value)) {
        const TObject* pristineSub = pristine && p->GetObj ? p->GetObj(pristine) : nullptr;
        WriteProperties(sub, pristineSub, prefix + p->Name + ".", out, depth + 1);
        return;
      } else {
        return;
      }
      break;
    }
    default:
      return;
  }
  out.push_back(TFormProperty{prefix + p->Name, std::move(v), 0});
}

void TWriter::WriteCollection(const TCollection* coll, TFormValue& value, int depth) {
  value.Kind = TFormValueKind::Collection;
  value.CollectionItems.resize(static_cast<size_t>(coll->Count()));
  for (int i = 0; i < coll->Count(); ++i)
    WriteProperties(coll->Items(i), Pristine(coll->Items(i)), String(),
                    value.CollectionItems[static_cast<size_t>(i)].Properties, depth + 1);
}

String TWriter::ComponentRef(const TComponent* c) const {
  if (c == FLookupRoot || c->Owner() == FLookupRoot) return c->Name();
  if (c->Owner() && !c->Owner()->Name().empty() && !c->Name().empty())
    return c->Owner()->Name() + "." + c->Name();
  return c->Name();
}

void TWriter::DefineProperty(const String& Name, TReaderProc, TWriterProc WriteData, bool HasData) {
  if (!HasData || !WriteData || !FOut || FDefining->FindDynamicProperty(Name)) return;
  FValues.clear();
  FLists.clear();
  WriteData(this);
  if (!FLists.empty()) throw EWriteError(Format("List of %s not ended", {Name}));
  if (FValues.size() != 1)
    throw EWriteError(Format("Property %s must write exactly one value", {Name}));
  FOut->push_back(TFormProperty{FPrefix + Name, std::move(FValues.front()), 0});
  FValues.clear();
}

void TWriter::DefineBinaryProperty(const String& Name, TStreamProc, TStreamProc WriteData,
                                   bool HasData) {
  if (!HasData || !WriteData || !FOut || FDefining->FindDynamicProperty(Name)) return;
  TMemoryStream stream;
  WriteData(&stream);
  FOut->push_back(TFormProperty{FPrefix + Name, TFormValue::MakeBinary(stream.DataString()), 0});
}

void TWriter::Put(TFormValue value) {
  if (FLists.empty())
    FValues.push_back(std::move(value));
  else
    FLists.back()->Items.push_back(std::move(value));
}

void TWriter::WriteListBegin() {
  Put(TFormValue::MakeOfKind(TFormValueKind::List));
  FLists.push_back(FLists.empty() ? &FValues.back() : &FLists.back()->Items.back());
}

void TWriter::WriteListEnd() {
  if (FLists.empty()) throw EWriteError("WriteListEnd without WriteListBegin");
  FLists.pop_back();
}

void TWriter::WriteInteger(Int64 value) { Put(TFormValue::MakeInteger(value)); }
void TWriter::WriteBoolean(bool value) { Put(TFormValue::MakeIdent(value ? "True" : "False")); }
void TWriter::WriteChar(char value) { Put(TFormValue::MakeString(String(1, value))); }
void TWriter::WriteFloat(double value) { Put(TFormValue::MakeFloat(value)); }
void TWriter::WriteString(const String& value) { Put(TFormValue::MakeString(value)); }
void TWriter::WriteIdent(const String& value) { Put(TFormValue::MakeIdent(value)); }
void TWriter::WriteValue(TFormValue value) { Put(std::move(value)); }

}  // namespace Glossmith::inline Classes

// Streaming components: TFiler with defined properties, TReader that applies
// a form tree to components, TWriter that turns components into a form tree.
#pragma once

#include <functional>
#include <unordered_map>

#include "host/classes/Classes.h"
#include "host/classes/FormTree.h"

namespace Glossmith::inline Classes {

class TStream;

class TFiler {
 public:
  using TReaderProc = std::function<void(TReader*)>;
  using TWriterProc = std::function<void(TWriter*)>;
  using TStreamProc = std::function<void(TStream*)>;

  TFiler() = default;
  TFiler(const TFiler&) = delete;
  TFiler& operator=(const TFiler&) = delete;
  virtual ~TFiler() = default;

  // Declares a property streamed after the published ones: ReadData reads it
  // through the reader, WriteData writes it when HasData says it has a value.
  virtual void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData,
                              bool HasData) = 0;
  // The same for a property whose value is a block of bytes.
  virtual void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                                    bool HasData) = 0;

  // The component whose form is read or written.
  TComponent* Root() const { return FRoot; }
  // The component that names and owns the components being streamed: the
  // root, or an embedded frame.
  TComponent* LookupRoot() const { return FLookupRoot; }

 protected:
  TComponent* FRoot = nullptr;
  TComponent* FLookupRoot = nullptr;
};

// What a reader could not give a component as its file says, with the line
// of the file (0 when the format has no lines): a property the component's
// class does not have, or a value that does not convert to the property's
// type. The form still reads, the value kept as read and written back.
struct TReadWarning {
  int Line = 0;
  String Message;
};

// Hears the warnings of the readers that run on this thread while it lives
// (the innermost one, when several are alive): each is kept in List and,
// when a handler is given, passed to it at once. Without one, warnings go
// nowhere.
class TReadWarnings {
 public:
  using THandler = std::function<void(const TReadWarning&)>;
  explicit TReadWarnings(THandler handler = nullptr);
  ~TReadWarnings();
  TReadWarnings(const TReadWarnings&) = delete;
  TReadWarnings& operator=(const TReadWarnings&) = delete;
  const std::vector<TReadWarning>& List() const { return FList; }
  static void Report(int line, const String& message);

 private:
  THandler FHandler;
  std::vector<TReadWarning> FList;
  TReadWarnings* FOuter;
};

// Reads a form tree into components. The value readers (ReadInteger,
// ReadString, ReadListBegin...) serve the reader procedures of defined
// properties; each raises EReadError when the value has another kind.
class TReader : public TFiler {
 public:
  explicit TReader(const TFormObject& tree);
  ~TReader() override;

  // Reads the whole form into `root`, which the caller has created: sets its
  // name and properties, creates the components it owns, resolves component
  // references and calls Loaded on each component, the root first.
  void ReadRootComponent(TComponent* root);

  void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  // --- Values of a defined property --------------------------------------------
  // The kind of the next value, without reading it.
  TFormValueKind NextValue() const;
  bool EndOfList() const;
  void ReadListBegin();
  void ReadListEnd();
  Integer ReadInteger();
  Int64 ReadInt64();
  bool ReadBoolean();
  char ReadChar();
  double ReadFloat();
  String ReadString();
  String ReadIdent();
  // Any value, whole.
  TFormValue ReadValue();
  void SkipValue() { ReadValue(); }

  // The component whose properties are being read.
  TPersistent* Current() const { return FCurrent; }

 private:
  struct TFrame {
    const TFormValue* Items;
    size_t Count;
    size_t Index;
  };
  struct TFixup {
    TPersistent* Obj;
    PPropInfo Prop;
    String Name;
    TComponent* LookupRoot;
    int Line;
  };

  void ReadComponentData(TComponent* c, const TFormObject& node);
  void ReadChildren(TComponent* parent, const TFormObject& node);
  TComponent* CreateComponent(const TFormObject& node, TComponent* parent);
  void ReadProperty(TPersistent* obj, const TFormProperty& prop);
  void ReadPropValue(TPersistent* obj, const String& name, const TFormValue& value, int line);
  bool SetDeclared(TPersistent* obj, PPropInfo prop, const TFormValue& value, int line);
  bool ReadDefined(TPersistent* obj, const String& name, const TFormValue& value, int line);
  void KeepDynamic(TPersistent* obj, const String& name, const TFormValue& value, int line);
  void ReadCollection(TCollection* coll, const TFormValue& value, int line);
  void ResolveFixups();
  const TFormValue& Take(const char* what);
  [[noreturn]] void Error(int line, const String& message) const;
  [[noreturn]] void ValueError(const char* expected) const;

  TComponent* FindOwned(TComponent* owner, const String& name);

  const TFormObject& FTree;
  std::vector<TComponent*> FLoaded;
  // The names of the components of each owner read into, by upper-cased
  // name: looking each name up in the owner's list would cost a pass over
  // every component read so far.
  struct TNameIndex {
    std::unordered_map<String, TComponent*> Names;
    int Count = -1;  // the owner's component count the index reflects
  };
  std::unordered_map<const TComponent*, TNameIndex> FNames;
  std::vector<TFixup> FFixups;
  TPersistent* FCurrent = nullptr;
  int FDepth = 0;

  // The defined property being looked for, and the value its reader reads.
  String FPropName;
  bool FFound = false;
  std::vector<TFrame> FFrames;
};

// Turns components into a form tree: the published properties of each in
// declaration order (those stored and not at their default), then its
// defined properties, then the properties it keeps for itself; the
// components it owns nested under their parents, in component order.
class TWriter : public TFiler {
 public:
  TWriter();
  ~TWriter() override;

  std::unique_ptr<TFormObject> WriteRootComponent(TComponent* root);

  void DefineProperty(const String& Name, TReaderProc ReadData, TWriterProc WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, TStreamProc ReadData, TStreamProc WriteData,
                            bool HasData) override;

  // --- Values of a defined property --------------------------------------------
  void WriteListBegin();
  void WriteListEnd();
  void WriteInteger(Int64 value);
  void WriteBoolean(bool value);
  void WriteChar(char value);
  void WriteFloat(double value);
  void WriteString(const String& value);
  void WriteIdent(const String& value);
  void WriteValue(TFormValue value);

 private:
  std::unique_ptr<TFormObject> WriteComponent(TComponent* c, TComponent* lookupRoot, int depth);
  void WriteProperties(const TPersistent* obj, const TObject* pristine, const String& prefix,
                       std::vector<TFormProperty>& out, int depth);
  void WriteDeclared(const TPersistent* obj, const TObject* pristine, PPropInfo prop,
                     const String& prefix, std::vector<TFormProperty>& out, int depth);
  bool IsDefault(const TPersistent* obj, const TObject* pristine, PPropInfo prop) const;
  // A new instance of the object's class (a component with no owner, an item
  // of no collection), or nullptr when the class cannot make one.
  const TObject* Pristine(const TPersistent* obj);
  void WriteCollection(const TCollection* coll, TFormValue& value, int depth);
  String ComponentRef(const TComponent* c) const;
  void Put(TFormValue value);

  // While DefineProperties runs: where its values go.
  const TPersistent* FDefining = nullptr;
  String FPrefix;
  std::vector<TFormProperty>* FOut = nullptr;
  std::vector<TFormValue> FValues;
  std::vector<TFormValue*> FLists;

  std::unordered_map<const TComponent*, std::vector<TComponent*>> FChildren;
  std::unordered_map<const TComponent*, bool> FWritten;
  // A new instance of each component class written, to tell which values a
  // reader would not get back by leaving them out.
  std::unordered_map<const TClassInfo*, std::unique_ptr<TObject>> FPristine;
};

}  // namespace Glossmith::inline Classes

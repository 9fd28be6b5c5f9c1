// The form file as a tree of objects, properties and values: what the text
// and the binary format are read into and written from, independent of the
// components the tree describes.
#pragma once

#include <memory>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Classes {

enum class TFormValueKind : uint8_t {
  Integer,     // Int; Text keeps a written form other than plain decimal ("$FF")
  Float,       // Float, FloatType; Text keeps the written form when read from text
  String,      // Text: the bytes (a #code above 127 as its UTF-8 bytes)
  Ident,       // Text: the name, dots kept (True, clBtnFace, fmMain.editorPopup)
  Set,         // Names
  List,        // Items
  Collection,  // CollectionItems
  Binary,      // Text: the bytes
  Null,        // the variant Null
};

// The binary type of a floating-point value: the suffix letter in text.
enum class TFloatType : uint8_t { Extended, Single, Currency, Date };

struct TFormItem;

struct TFormValue {
  TFormValueKind Kind = TFormValueKind::Null;
  TFloatType FloatType = TFloatType::Extended;
  int Line = 0;  // where the value begins (text files), for messages; not compared
  int Column = 0;  // likewise, from 1
  Int64 Int = 0;
  double Float = 0;
  String Text;
  std::vector<String> Names;
  std::vector<TFormValue> Items;
  std::vector<TFormItem> CollectionItems;

  static TFormValue MakeInteger(Int64 v);
  static TFormValue MakeFloat(double v, TFloatType type = TFloatType::Extended);
  static TFormValue MakeString(String s);
  static TFormValue MakeIdent(String s);
  static TFormValue MakeBinary(String bytes);
  static TFormValue MakeOfKind(TFormValueKind kind);
  bool IsIdent(std::string_view name) const {
    return Kind == TFormValueKind::Ident && SameText(Text, name);
  }
  bool operator==(const TFormValue& other) const;
};

struct TFormProperty {
  String Name;  // dotted for a property of a sub-object: Font.Name, Items.Strings
  TFormValue Value;
  int Line = 0;  // where the property was read (text files), for messages
};

struct TFormItem {
  int Index = -1;  // an order index written as item [n]; -1 when none
  std::vector<TFormProperty> Properties;
  bool operator==(const TFormItem& other) const;
};

inline bool operator==(const TFormProperty& a, const TFormProperty& b) {
  return a.Name == b.Name && a.Value == b.Value;
}

inline TFormValue TFormValue::MakeInteger(Int64 v) {
  TFormValue r;
  r.Kind = TFormValueKind::Integer;
  r.Int = v;
  return r;
}

inline TFormValue TFormValue::MakeFloat(double v, TFloatType type) {
  TFormValue r;
  r.Kind = TFormValueKind::Float;
  r.Float = v;
  r.FloatType = type;
  return r;
}

inline TFormValue TFormValue::MakeString(String s) {
  TFormValue r;
  r.Kind = TFormValueKind::String;
  r.Text = std::move(s);
  return r;
}

inline TFormValue TFormValue::MakeIdent(String s) {
  TFormValue r;
  r.Kind = TFormValueKind::Ident;
  r.Text = std::move(s);
  return r;
}

inline TFormValue TFormValue::MakeBinary(String bytes) {
  TFormValue r;
  r.Kind = TFormValueKind::Binary;
  r.Text = std::move(bytes);
  return r;
}

inline TFormValue TFormValue::MakeOfKind(TFormValueKind kind) {
  TFormValue r;
  r.Kind = kind;
  return r;
}

enum class TFormObjectKind : uint8_t { Object, Inherited, Inline };

struct TFormObject {
  TFormObjectKind Kind = TFormObjectKind::Object;
  String Name;  // may be empty (an anonymous object)
  String ClassName;
  int ChildPos = -1;  // the position written as [n]; -1 when none
  int Line = 0;
  std::vector<TFormProperty> Properties;
  std::vector<std::unique_ptr<TFormObject>> Children;
};

// Objects, lists and collections nest no deeper than this in a form file; the
// readers refuse deeper input so that no recursion over a tree can exhaust
// the stack. Real forms stay far below it.
constexpr int MaxFormNesting = 500;
// No single string or binary value may be larger than this many bytes.
constexpr size_t MaxFormValueBytes = size_t{64} << 20;

}  // namespace Glossmith::inline Classes

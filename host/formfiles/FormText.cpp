#include "host/formfiles/FormText.h"

#include <cmath>

namespace Glossmith::inline FormFiles {

namespace {

constexpr int StringPieceLength = 64;
constexpr size_t BinaryBytesPerLine = 32;
constexpr const char* EndOfLine = "\r\n";

void NewLine(String& out, int indent) {
  out += EndOfLine;
  out.append(static_cast<size_t>(indent), ' ');
}

// One character of a string as the writer puts it: either bytes inside
// quotes or a #code (a character outside the basic plane takes two codes,
// as the format counts UTF-16 units).
struct TStringUnit {
  bool Quoted;
  std::string_view Bytes;  // Quoted
  uint32_t Code;           // !Quoted
};

template <class F>
void ForEachUnit(std::string_view s, F&& f) {
  for (size_t i = 0; i < s.size();) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    if (c >= 32 && c < 127) {
      f(TStringUnit{true, s.substr(i, 1), 0});
      ++i;
      continue;
    }
    if (c < 32 || c == 127) {
      f(TStringUnit{false, {}, c});
      ++i;
      continue;
    }
    uint32_t code = 0;
    size_t n = Utf8CharLength(s, i, code);
    if (n == 0) {
      // Not UTF-8: the byte is kept as it is, inside quotes.
      f(TStringUnit{true, s.substr(i, 1), 0});
      ++i;
    } else if (code > 0xFFFF) {
      code -= 0x10000;
      f(TStringUnit{false, {}, 0xD800 + (code >> 10)});
      f(TStringUnit{false, {}, 0xDC00 + (code & 0x3FF)});
      i += n;
    } else {
      f(TStringUnit{false, {}, code});
      i += n;
    }
  }
}

void WriteString(String& out, std::string_view s, int indent) {
  if (s.empty()) {
    out += "''";
    return;
  }
  size_t total = 0;
  ForEachUnit(s, [&](const TStringUnit&) { ++total; });
  bool wrap = total > StringPieceLength;
  if (wrap) NewLine(out, indent + 2);
  bool quoted = false;
  size_t inPiece = 0;
  ForEachUnit(s, [&](const TStringUnit& u) {
    // The two codes of a surrogate pair stay in one piece, so that a reader
    // joins them again.
    const bool lowSurrogate = !u.Quoted && u.Code >= 0xDC00 && u.Code <= 0xDFFF;
    if (inPiece >= StringPieceLength && !lowSurrogate) {
      if (quoted) out += '\'';
      quoted = false;
      out += " +";
      NewLine(out, indent + 2);
      inPiece = 0;
    }
    if (u.Quoted) {
      if (!quoted) out += '\'';
      quoted = true;
      if (u.Bytes[0] == '\'') out += '\'';
      out += u.Bytes;
    } else {
      if (quoted) out += '\'';
      quoted = false;
      out += '#';
      out += IntToStr(u.Code);
    }
    ++inPiece;
  });
  if (quoted) out += '\'';
}

void WriteFloat(String& out, const TFormValue& v) {
  if (!v.Text.empty()) {
    out += v.Text;
    return;
  }
  if (!std::isfinite(v.Float))
    throw EWriteError("A floating-point value that is not a number cannot be written as text");
  String s = FloatToStr(v.Float);
  if (s.find_first_of(".E") == String::npos && v.FloatType == TFloatType::Extended) s += ".0";
  out += s;
  switch (v.FloatType) {
    case TFloatType::Single:
      out += 's';
      break;
    case TFloatType::Currency:
      out += 'c';
      break;
    case TFloatType::Date:
      out += 'd';
      break;
    case TFloatType::Extended:
      break;
  }
}

void WriteProperties(String& out, const std::vector<TFormProperty>& props, int indent);

}  // namespace

void WriteFormValueText(String& out, const TFormValue& v, int indent) {
  static const char* const Hex = "0123456789ABCDEF";
  switch (v.Kind) {
    case TFormValueKind::Integer:
      out += v.Text.empty() ? IntToStr(v.Int) : v.Text;
      break;
    case TFormValueKind::Float:
      WriteFloat(out, v);
      break;
    case TFormValueKind::String:
      WriteString(out, v.Text, indent);
      break;
    case TFormValueKind::Ident:
      out += v.Text;
      break;
    case TFormValueKind::Null:
      out += "Null";
      break;
    case TFormValueKind::Set:
      out += '[';
      for (size_t i = 0; i < v.Names.size(); ++i) {
        if (i) out += ", ";
        out += v.Names[i];
      }
      out += ']';
      break;
    case TFormValueKind::List:
      out += '(';
      for (const TFormValue& item : v.Items) {
        NewLine(out, indent + 2);
        WriteFormValueText(out, item, indent + 2);
      }
      out += ')';
      break;
    case TFormValueKind::Collection:
      out += '<';
      for (size_t i = 0; i < v.CollectionItems.size(); ++i) {
        NewLine(out, indent + 2);
        out += "item";
        WriteProperties(out, v.CollectionItems[i].Properties, indent + 4);
        NewLine(out, indent + 2);
        out += "end";
      }
      out += '>';
      break;
    case TFormValueKind::Binary:
      out += '{';
      for (size_t i = 0; i < v.Text.size(); ++i) {
        if (i % BinaryBytesPerLine == 0) NewLine(out, indent + 2);
        unsigned char c = static_cast<unsigned char>(v.Text[i]);
        out += Hex[c >> 4];
        out += Hex[c & 15];
      }
      out += '}';
      break;
  }
}

namespace {

void WriteProperties(String& out, const std::vector<TFormProperty>& props, int indent) {
  for (const TFormProperty& p : props) {
    NewLine(out, indent);
    out += p.Name;
    out += " = ";
    WriteFormValueText(out, p.Value, indent);
  }
}

void WriteObject(String& out, const TFormObject& obj, int indent) {
  out.append(static_cast<size_t>(indent), ' ');
  switch (obj.Kind) {
    case TFormObjectKind::Object:
      out += "object ";
      break;
    case TFormObjectKind::Inherited:
      out += "inherited ";
      break;
    case TFormObjectKind::Inline:
      out += "inline ";
      break;
  }
  if (!obj.Name.empty()) {
    out += obj.Name;
    out += ": ";
  }
  out += obj.ClassName;
  if (obj.ChildPos >= 0) {
    out += " [";
    out += IntToStr(obj.ChildPos);
    out += ']';
  }
  WriteProperties(out, obj.Properties, indent + 2);
  out += EndOfLine;
  for (const auto& child : obj.Children) WriteObject(out, *child, indent + 2);
  out.append(static_cast<size_t>(indent), ' ');
  out += "end";
  out += EndOfLine;
}

}  // namespace

String FormTreeToText(const TFormObject& root) {
  String out;
  WriteObject(out, root, 0);
  return out;
}

}  // namespace Glossmith::inline FormFiles

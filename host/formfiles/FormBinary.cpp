#include "host/formfiles/FormBinary.h"

#include <cmath>
#include <cstring>

#include "host/formfiles/FormParser.h"

namespace Glossmith::inline FormFiles {

namespace {

enum TValueType : uint8_t {
  vaNull,
  vaList,
  vaInt8,
  vaInt16,
  vaInt32,
  vaExtended,
  vaString,
  vaIdent,
  vaFalse,
  vaTrue,
  vaBinary,
  vaSet,
  vaLString,
  vaNil,
  vaCollection,
  vaSingle,
  vaCurrency,
  vaDate,
  vaWString,
  vaInt64,
  vaUTF8String,
  vaUString,
  vaQWord,
};

constexpr uint8_t ffInherited = 1;
constexpr uint8_t ffChildPos = 2;
constexpr uint8_t ffInline = 4;

// The 80-bit extended format of the x87 unit, converted by hand so that the
// result does not depend on the machine's long double.
double ExtendedToDouble(const unsigned char* p) {
  uint64_t mantissa = 0;
  for (int i = 7; i >= 0; --i) mantissa = (mantissa << 8) | p[i];
  int exponent = ((p[9] & 0x7F) << 8) | p[8];
  bool negative = (p[9] & 0x80) != 0;
  double result;
  if (exponent == 0 && mantissa == 0) {
    result = 0;
  } else if (exponent == 0x7FFF) {
    result = (mantissa << 1) ? std::nan("") : INFINITY;
  } else {
    result = std::ldexp(static_cast<double>(mantissa), exponent - 16383 - 63);
  }
  return negative ? -result : result;
}

void DoubleToExtended(double v, unsigned char* p) {
  std::memset(p, 0, 10);
  bool negative = std::signbit(v);
  if (negative) v = -v;
  int exponent = 0;
  uint64_t mantissa = 0;
  if (std::isnan(v)) {
    exponent = 0x7FFF;
    mantissa = 0xC000000000000000ull;
  } else if (std::isinf(v)) {
    exponent = 0x7FFF;
    mantissa = 0x8000000000000000ull;
  } else if (v != 0) {
    int e;
    double m = std::frexp(v, &e);  // v = m * 2^e, 0.5 <= m < 1
    mantissa = static_cast<uint64_t>(std::ldexp(m, 64));
    exponent = e - 1 + 16383;
  }
  for (int i = 0; i < 8; ++i) p[i] = static_cast<unsigned char>(mantissa >> (8 * i));
  p[8] = static_cast<unsigned char>(exponent & 0xFF);
  p[9] = static_cast<unsigned char>(((exponent >> 8) & 0x7F) | (negative ? 0x80 : 0));
}

class TBinaryParser {
 public:
  TBinaryParser(std::string_view data, bool repair) : FData(data), FRepair(repair) {}

  std::unique_ptr<TFormObject> Parse() {
    SkipResourceHeader();
    if (FData.substr(FPos, 4) == "TPF0") {
      FPos += 4;
    } else if (FData.substr(FPos, 4) == "TPF1") {
      FPos += 4;
      FQualified = true;
    } else {
      Error("signature 'TPF0' expected");
    }
    auto root = ReadObject(0);
    return root;
  }

 private:
  [[noreturn]] void Error(const String& what) const {
    throw EReadError(Format("Offset %d: %s", {static_cast<Int64>(FPos), what}));
  }
  void Need(size_t n) const {
    if (FPos > FData.size() || n > FData.size() - FPos) Error("unexpected end of data");
  }
  uint8_t Byte() {
    Need(1);
    return static_cast<uint8_t>(FData[FPos++]);
  }
  uint8_t PeekByte() const {
    Need(1);
    return static_cast<uint8_t>(FData[FPos]);
  }
  uint64_t Unsigned(size_t n) {
    Need(n);
    uint64_t v = 0;
    for (size_t i = n; i-- > 0;) v = (v << 8) | static_cast<uint8_t>(FData[FPos + i]);
    FPos += n;
    return v;
  }
  String Bytes(size_t n) {
    if (n > MaxFormValueBytes) Error("value too long");
    Need(n);
    String s(FData.substr(FPos, n));
    FPos += n;
    return s;
  }
  // Binary forms kept in version control as text have often had their CR
  // bytes turned into LF, which breaks every length of 13 (a CR) into 10.
  // A stream that does not read as it stands is read again in repair mode,
  // where a length of 10 that cannot be right is taken as 13.
  // Whether the `len` bytes at `pos` could make a name: identifier
  // characters (UTF-8 letters included) and dots.
  bool IsNameAt(size_t pos, size_t len) const {
    if (pos > FData.size() || len > FData.size() - pos) return false;
    const std::string_view s = FData.substr(pos, len);
    for (size_t i = 0; i < s.size();) {
      const size_t n = s[i] == '.' ? 1 : IdentCharLength(s, i, false);
      if (n == 0) return false;
      i += n;
    }
    return true;
  }
  // Whether a value, a name or an end marker can start at `pos`.
  bool PlausibleNext(size_t pos) const {
    if (pos >= FData.size()) return false;
    uint8_t b = static_cast<uint8_t>(FData[pos]);
    return b <= vaQWord || IsNameAt(pos + 1, b);
  }
  size_t RepairedLength(size_t len, bool name) const {
    if (!FRepair || (len & 0xFF) != 0x0A) return len;
    size_t end = FPos + len;
    if (name) {
      return IsNameAt(FPos, len + 3) ? len + 3 : len;
    }
    if (end <= FData.size() && PlausibleNext(end)) return len;
    return end + 3 <= FData.size() && PlausibleNext(end + 3) ? len + 3 : len;
  }
  String ShortString() {
    size_t len = Byte();
    return Bytes(RepairedLength(len, false));
  }
  // A name: identifiers joined by dots (Font.Name, fmMain.Popup), UTF-8
  // letters kept as their bytes. The text format could not hold anything
  // else, but for a set element, which may also be a number ([0, 2]).
  String Name(bool allowEmpty = false, bool dotted = true, bool numeric = false) {
    size_t at = FPos;
    size_t len = Byte();
    String s = Bytes(RepairedLength(len, true));
    if (s.empty() && allowEmpty) return s;
    if (numeric) {
      Int64 number;
      if (TryStrToInt64(s, number) && IntToStr(number) == s) return s;
    }
    bool ok = !s.empty();
    bool start = true;
    for (size_t i = 0; ok && i < s.size();) {
      if (s[i] == '.') {
        ok = !start && dotted;
        start = true;
        ++i;
        continue;
      }
      const size_t n = IdentCharLength(s, i, start);
      ok = n > 0;
      start = false;
      i += n;
    }
    if (!ok || start) {
      FPos = at;
      Error("name expected");
    }
    return s;
  }
  String LongString() {
    size_t len = static_cast<size_t>(Unsigned(4));
    return Bytes(RepairedLength(len, false));
  }

  void SkipResourceHeader() {
    if (FData.empty() || static_cast<uint8_t>(FData[0]) != 0xFF) return;
    Need(3);
    FPos = 3;  // type: $FF and a 16-bit ordinal (RT_RCDATA)
    if (PeekByte() == 0xFF) {
      FPos += 3;
    } else {
      size_t nul = FData.find('\0', FPos);
      if (nul == std::string_view::npos) Error("resource name not terminated");
      FPos = nul + 1;
    }
    Unsigned(2);  // memory flags
    uint64_t size = Unsigned(4);
    if (size > FData.size() - FPos) Error("resource data shorter than its header says");
  }

  static String Utf16ToUtf8(std::string_view bytes) {
    String out;
    out.reserve(bytes.size() / 2);
    uint32_t high = 0;
    for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
      uint32_t u = static_cast<uint8_t>(bytes[i]) | (static_cast<uint8_t>(bytes[i + 1]) << 8);
      if (u >= 0xDC00 && u <= 0xDFFF && high) {
        AppendUtf8(out, 0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00));
        high = 0;
        continue;
      }
      if (high) AppendUtf8(out, high);
      high = 0;
      if (u >= 0xD800 && u <= 0xDBFF)
        high = u;
      else
        AppendUtf8(out, u);
    }
    if (high) AppendUtf8(out, high);
    return out;
  }

  TFormValue ReadValue(int depth) {
    size_t at = FPos;
    uint8_t tag = Byte();
    TFormValue v;
    switch (tag) {
      case vaNull:
        v.Kind = TFormValueKind::Null;
        break;
      case vaList:
        if (depth + 1 >= MaxFormNesting) Error("nesting too deep");
        v.Kind = TFormValueKind::List;
        while (PeekByte() != 0) v.Items.push_back(ReadValue(depth + 1));
        ++FPos;
        break;
      case vaInt8:
        v = TFormValue::MakeInteger(static_cast<int8_t>(Unsigned(1)));
        break;
      case vaInt16:
        v = TFormValue::MakeInteger(static_cast<int16_t>(Unsigned(2)));
        break;
      case vaInt32:
        v = TFormValue::MakeInteger(static_cast<int32_t>(Unsigned(4)));
        break;
      case vaInt64:
      case vaQWord:
        v = TFormValue::MakeInteger(static_cast<Int64>(Unsigned(8)));
        break;
      case vaExtended: {
        Need(10);
        double d = ExtendedToDouble(reinterpret_cast<const unsigned char*>(FData.data() + FPos));
        FPos += 10;
        v = TFormValue::MakeFloat(d);
        break;
      }
      case vaSingle: {
        uint32_t bits = static_cast<uint32_t>(Unsigned(4));
        float f;
        std::memcpy(&f, &bits, 4);
        v = TFormValue::MakeFloat(f, TFloatType::Single);
        break;
      }
      case vaDate: {
        uint64_t bits = Unsigned(8);
        double d;
        std::memcpy(&d, &bits, 8);
        v = TFormValue::MakeFloat(d, TFloatType::Date);
        break;
      }
      case vaCurrency:
        v = TFormValue::MakeFloat(static_cast<double>(static_cast<Int64>(Unsigned(8))) / 10000,
                                  TFloatType::Currency);
        break;
      case vaString:
        v = TFormValue::MakeString(ShortString());
        break;
      case vaLString:
      case vaUTF8String:
        v = TFormValue::MakeString(LongString());
        break;
      case vaWString:
      case vaUString: {
        uint64_t units = Unsigned(4);
        v = TFormValue::MakeString(Utf16ToUtf8(Bytes(static_cast<size_t>(units * 2))));
        break;
      }
      case vaIdent:
        v = TFormValue::MakeIdent(Name());
        // A Null inside a list is written as an identifier: its own tag
        // would end the list.
        if (v.IsIdent("Null")) v = TFormValue::MakeOfKind(TFormValueKind::Null);
        break;
      case vaFalse:
        v = TFormValue::MakeIdent("False");
        break;
      case vaTrue:
        v = TFormValue::MakeIdent("True");
        break;
      case vaNil:
        v = TFormValue::MakeIdent("nil");
        break;
      case vaBinary:
        v = TFormValue::MakeBinary(LongString());
        break;
      case vaSet:
        v.Kind = TFormValueKind::Set;
        for (;;) {
          String name = Name(true, false, true);
          if (name.empty()) break;
          v.Names.push_back(std::move(name));
        }
        break;
      case vaCollection:
        if (depth + 1 >= MaxFormNesting) Error("nesting too deep");
        v.Kind = TFormValueKind::Collection;
        while (PeekByte() != 0) {
          TFormItem item;
          uint8_t next = PeekByte();
          if (next == vaInt8 || next == vaInt16 || next == vaInt32) {
            TFormValue index = ReadValue(depth + 1);
            item.Index = static_cast<int>(index.Int);
          }
          if (Byte() != vaList) Error("collection item expected");
          while (PeekByte() != 0) item.Properties.push_back(ReadProperty(depth + 1));
          ++FPos;
          v.CollectionItems.push_back(std::move(item));
        }
        ++FPos;
        break;
      default:
        FPos = at;
        Error(Format("unknown value type %d", {static_cast<int>(tag)}));
    }
    return v;
  }

  TFormProperty ReadProperty(int depth) {
    TFormProperty p;
    p.Name = Name();
    p.Value = ReadValue(depth);
    return p;
  }

  std::unique_ptr<TFormObject> ReadObject(int depth) {
    if (depth >= MaxFormNesting) Error("nesting too deep");
    auto obj = std::make_unique<TFormObject>();
    uint8_t first = PeekByte();
    if ((first & 0xF0) == 0xF0) {
      ++FPos;
      uint8_t flags = first & 0x0F;
      if (flags & ffInherited) obj->Kind = TFormObjectKind::Inherited;
      if (flags & ffInline) obj->Kind = TFormObjectKind::Inline;
      if (flags & ffChildPos) {
        TFormValue pos = ReadValue(depth);
        if (pos.Kind != TFormValueKind::Integer || pos.Int < 0 || pos.Int > INT32_MAX)
          Error("child position expected");
        obj->ChildPos = static_cast<int>(pos.Int);
      }
    }
    obj->ClassName = Name(false, false);
    if (FQualified) {
      // TPF1 streams name the unit before the class.
      String unit = std::move(obj->ClassName);
      obj->ClassName = unit + '/' + Name(false, false);
    }
    obj->Name = Name(true, false);
    while (PeekByte() != 0) obj->Properties.push_back(ReadProperty(depth));
    ++FPos;
    while (PeekByte() != 0) obj->Children.push_back(ReadObject(depth + 1));
    ++FPos;
    return obj;
  }

  std::string_view FData;
  bool FRepair;
  size_t FPos = 0;
  bool FQualified = false;
};

// ---------------------------------------------------------------------------

class TBinaryWriter {
 public:
  String Out;

  void Byte(uint8_t b) { Out += static_cast<char>(b); }
  void Unsigned(uint64_t v, int n) {
    for (int i = 0; i < n; ++i) Byte(static_cast<uint8_t>(v >> (8 * i)));
  }
  void ShortString(std::string_view s) {
    if (s.size() > 255)
      throw EWriteError(Format("Name too long for a binary form: %s", {String(s)}));
    Byte(static_cast<uint8_t>(s.size()));
    Out += s;
  }

  static bool IsAscii(std::string_view s) {
    for (char c : s)
      if (static_cast<unsigned char>(c) > 127) return false;
    return true;
  }

  void String_(const String& s) {
    if (IsAscii(s) || !IsUtf8(s)) {
      // Bytes that are not UTF-8 belong to the author's code page: kept as they are.
      if (s.size() <= 255) {
        Byte(vaString);
        ShortString(s);
      } else {
        Byte(vaLString);
        Unsigned(s.size(), 4);
        Out += s;
      }
      return;
    }
    Byte(vaUTF8String);
    Unsigned(s.size(), 4);
    Out += s;
  }

  static bool IsUtf8(std::string_view s) {
    for (size_t i = 0; i < s.size();) {
      const size_t n = Utf8CharLength(s, i);
      if (n == 0) return false;
      i += n;
    }
    return true;
  }

  void Integer_(Int64 v) {
    if (v >= INT8_MIN && v <= INT8_MAX) {
      Byte(vaInt8);
      Unsigned(static_cast<uint64_t>(v), 1);
    } else if (v >= INT16_MIN && v <= INT16_MAX) {
      Byte(vaInt16);
      Unsigned(static_cast<uint64_t>(v), 2);
    } else if (v >= INT32_MIN && v <= INT32_MAX) {
      Byte(vaInt32);
      Unsigned(static_cast<uint64_t>(v), 4);
    } else {
      Byte(vaInt64);
      Unsigned(static_cast<uint64_t>(v), 8);
    }
  }

  void Value(const TFormValue& v) {
    switch (v.Kind) {
      case TFormValueKind::Null:
        Byte(vaNull);
        break;
      case TFormValueKind::Integer:
        Integer_(v.Int);
        break;
      case TFormValueKind::Float:
        switch (v.FloatType) {
          case TFloatType::Extended: {
            Byte(vaExtended);
            unsigned char buf[10];
            DoubleToExtended(v.Float, buf);
            Out.append(reinterpret_cast<const char*>(buf), 10);
            break;
          }
          case TFloatType::Single: {
            Byte(vaSingle);
            float f = static_cast<float>(v.Float);
            uint32_t bits;
            std::memcpy(&bits, &f, 4);
            Unsigned(bits, 4);
            break;
          }
          case TFloatType::Date: {
            Byte(vaDate);
            uint64_t bits;
            std::memcpy(&bits, &v.Float, 8);
            Unsigned(bits, 8);
            break;
          }
          case TFloatType::Currency:
            Byte(vaCurrency);
            Unsigned(static_cast<uint64_t>(static_cast<Int64>(std::llround(v.Float * 10000))), 8);
            break;
        }
        break;
      case TFormValueKind::String:
        String_(v.Text);
        break;
      case TFormValueKind::Ident:
        if (SameText(v.Text, "True")) {
          Byte(vaTrue);
        } else if (SameText(v.Text, "False")) {
          Byte(vaFalse);
        } else if (SameText(v.Text, "nil")) {
          Byte(vaNil);
        } else {
          Byte(vaIdent);
          ShortString(v.Text);
        }
        break;
      case TFormValueKind::Set:
        Byte(vaSet);
        for (const String& n : v.Names) ShortString(n);
        Byte(0);
        break;
      case TFormValueKind::List:
        Byte(vaList);
        for (const TFormValue& item : v.Items) {
          if (item.Kind == TFormValueKind::Null) {
            Byte(vaIdent);
            ShortString("Null");
          } else {
            Value(item);
          }
        }
        Byte(0);
        break;
      case TFormValueKind::Collection:
        Byte(vaCollection);
        for (const TFormItem& item : v.CollectionItems) {
          Byte(vaList);
          Properties(item.Properties);
          Byte(0);
        }
        Byte(0);
        break;
      case TFormValueKind::Binary:
        Byte(vaBinary);
        Unsigned(v.Text.size(), 4);
        Out += v.Text;
        break;
    }
  }

  void Properties(const std::vector<TFormProperty>& props) {
    for (const TFormProperty& p : props) {
      ShortString(p.Name);
      Value(p.Value);
    }
  }

  void Object(const TFormObject& obj) {
    uint8_t flags = 0;
    if (obj.Kind == TFormObjectKind::Inherited) flags |= ffInherited;
    if (obj.Kind == TFormObjectKind::Inline) flags |= ffInline;
    if (obj.ChildPos >= 0) flags |= ffChildPos;
    if (flags) {
      Byte(0xF0 | flags);
      if (obj.ChildPos >= 0) Integer_(obj.ChildPos);
    }
    // A unit-qualified class has no place in a TPF0 stream: refused rather
    // than written without its unit.
    if (obj.ClassName.find('/') != String::npos)
      throw EWriteError(
          Format("Unit-qualified class %s cannot be written in a binary form", {obj.ClassName}));
    const String& className = obj.ClassName;
    // Without flags, a length byte of 240 or more would read as a flags byte.
    if (!flags && className.size() >= 0xF0)
      throw EWriteError(Format("Class name too long for a binary form: %s", {className}));
    ShortString(className);
    ShortString(obj.Name);
    Properties(obj.Properties);
    Byte(0);
    for (const auto& child : obj.Children) Object(*child);
    Byte(0);
  }
};

}  // namespace

bool IsBinaryForm(std::string_view data) {
  if (data.empty()) return false;
  if (static_cast<unsigned char>(data[0]) == 0xFF) return true;
  return data.substr(0, 4) == "TPF0" || data.substr(0, 4) == "TPF1";
}

std::unique_ptr<TFormObject> ParseFormBinary(std::string_view data) {
  try {
    TBinaryParser parser(data, false);
    return parser.Parse();
  } catch (const EReadError&) {
    // Perhaps a stream whose CR bytes became LF: read it again repairing
    // the lengths; if that fails too, the first error is the one to report.
    try {
      TBinaryParser repairing(data, true);
      return repairing.Parse();
    } catch (const EReadError&) {
    }
    throw;
  }
}

String FormTreeToBinary(const TFormObject& root) {
  TBinaryWriter w;
  w.Out = "TPF0";
  w.Object(root);
  return std::move(w.Out);
}

}  // namespace Glossmith::inline FormFiles

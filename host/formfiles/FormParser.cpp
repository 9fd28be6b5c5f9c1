#include "host/formfiles/FormParser.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace Glossmith::inline FormFiles {

namespace {

enum class TToken : uint8_t { End, Symbol, Integer, Float, String, Char };

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

String Describe(char c) {
  if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 126)
    return Format("character #%d", {static_cast<int>(static_cast<unsigned char>(c))});
  return Format("'%s'", {String(1, c)});
}

// The tokenizer and the recursive-descent reader of the grammar in one: the
// grammar is small and each rule reads its own tokens.
class TTextParser {
 public:
  explicit TTextParser(std::string_view text) : FText(text) {
    if (FText.substr(0, 3) == "\xEF\xBB\xBF") FPos = 3;
    FLineStart = FPos;
    Next();
  }

  std::unique_ptr<TFormObject> ParseFile() {
    auto root = ParseObject(0);
    if (FToken != TToken::End) Error("end of file expected");
    return root;
  }

 private:
  // ---- errors -------------------------------------------------------------
  [[noreturn]] void ErrorAt(int line, int column, const String& what) const {
    throw EParserError(Format("Line %d, column %d: %s", {line, column, what}));
  }
  [[noreturn]] void Error(const String& what) const {
    ErrorAt(FTokLine, Column(FTokLineStart, FTokPos), what);
  }
  [[noreturn]] void Expected(const String& what) const { Error(what + " expected" + FoundText()); }
  String FoundText() const {
    switch (FToken) {
      case TToken::End:
        return " but end of file found";
      case TToken::Char:
        return " but " + Describe(FChar) + " found";
      case TToken::Symbol:
        return " but '" + FSymbol + "' found";
      default:
        return String();
    }
  }

  // ---- tokens ---------------------------------------------------------------
  // Columns count characters, as editors show them: a UTF-8 sequence is one,
  // and so is each byte that is not part of one.
  int Column(size_t lineStart, size_t pos) const {
    int column = 1;
    for (size_t i = lineStart; i < pos; ++column)
      i += std::max<size_t>(1, Utf8CharLength(FText, i));
    return column;
  }
  int Column(size_t pos) const { return Column(FLineStart, pos); }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      char c = FText[FPos];
      if (c == ' ' || c == '\t') {
        ++FPos;
      } else if (c == '\r' || c == '\n') {
        ++FPos;
        if (c == '\r' && FPos < FText.size() && FText[FPos] == '\n') ++FPos;
        ++FLine;
        FLineStart = FPos;
      } else {
        break;
      }
    }
  }

  void Next() {
    SkipBlanks();
    FTokLine = FLine;
    FTokPos = FPos;
    FTokLineStart = FLineStart;
    if (FPos >= FText.size()) {
      FToken = TToken::End;
      return;
    }
    char c = FText[FPos];
    if (IdentCharLength(FText, FPos, true)) {
      // Names are kept as their bytes: UTF-8 letters as the file wrote them.
      size_t start = FPos;
      while (size_t n = IdentCharLength(FText, FPos, false)) FPos += n;
      FSymbol.assign(FText.substr(start, FPos - start));
      FToken = TToken::Symbol;
    } else if (c == '\'' || c == '#') {
      ReadString();
    } else if (IsDigit(c) || c == '$' ||
               (c == '-' && FPos + 1 < FText.size() &&
                (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == '$'))) {
      ReadNumber();
    } else {
      FChar = c;
      ++FPos;
      FToken = TToken::Char;
    }
  }

  void ReadNumber() {
    size_t start = FPos;
    bool negative = false;
    if (FText[FPos] == '-') {
      negative = true;
      ++FPos;
    }
    if (FText[FPos] == '$') {
      ++FPos;
      size_t digits = FPos;
      uint64_t v = 0;
      while (FPos < FText.size() && HexValue(FText[FPos]) >= 0) {
        if (v >> 60) Error("hexadecimal number too large");
        v = v * 16 + static_cast<uint64_t>(HexValue(FText[FPos]));
        ++FPos;
      }
      if (FPos == digits) Error("hexadecimal digit expected");
      if (IdentCharLength(FText, FPos, false)) Error("invalid number");
      // Hex is the bit pattern of a 32-bit value when it has eight digits or
      // fewer ($FFFFFFFF is -1), as the classic reader takes it.
      Int64 value = v <= 0xFFFFFFFFu && FPos - digits <= 8
                        ? static_cast<Int64>(static_cast<int32_t>(static_cast<uint32_t>(v)))
                        : static_cast<Int64>(v);
      FInt = negative ? -value : value;
      FNumberText.assign(FText.substr(start, FPos - start));
      FToken = TToken::Integer;
      return;
    }
    while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    bool isFloat = false;
    if (FPos + 1 < FText.size() && FText[FPos] == '.' && IsDigit(FText[FPos + 1])) {
      isFloat = true;
      ++FPos;
      while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
    }
    if (FPos < FText.size() && (FText[FPos] == 'e' || FText[FPos] == 'E')) {
      size_t e = FPos + 1;
      if (e < FText.size() && (FText[e] == '+' || FText[e] == '-')) ++e;
      if (e < FText.size() && IsDigit(FText[e])) {
        isFloat = true;
        FPos = e;
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
      }
    }
    size_t numberEnd = FPos;
    FFloatType = TFloatType::Extended;
    if (FPos < FText.size()) {
      switch (FText[FPos] | 0x20) {
        case 's':
          FFloatType = TFloatType::Single;
          break;
        case 'c':
          FFloatType = TFloatType::Currency;
          break;
        case 'd':
          FFloatType = TFloatType::Date;
          break;
        default:
          break;
      }
      if (FFloatType != TFloatType::Extended) {
        isFloat = true;
        ++FPos;
      }
    }
    if (IdentCharLength(FText, FPos, false) || (FPos < FText.size() && FText[FPos] == '.'))
      ErrorAt(FLine, Column(FPos), "invalid number");
    std::string_view number = FText.substr(start, numberEnd - start);
    FNumberText.assign(FText.substr(start, FPos - start));
    if (isFloat) {
      if (!TryStrToFloat(number, FFloat) || !std::isfinite(FFloat)) Error("invalid number");
      if (FFloatType == TFloatType::Single)
        FFloat = static_cast<float>(FFloat);
      else if (FFloatType == TFloatType::Currency)
        FFloat = std::round(FFloat * 10000) / 10000;
      FToken = TToken::Float;
    } else {
      if (!TryStrToInt64(number, FInt)) Error("integer out of range");
      FToken = TToken::Integer;
    }
  }

  // A run of quoted parts and #codes with nothing between them. #codes are
  // UTF-16 code units: a surrogate pair makes one character.
  void ReadString() {
    FString.clear();
    uint32_t pendingHigh = 0;
    auto flushHigh = [&] {
      if (pendingHigh) AppendUtf8(FString, pendingHigh);
      pendingHigh = 0;
    };
    for (;;) {
      if (FPos >= FText.size()) break;
      char c = FText[FPos];
      if (c == '\'') {
        flushHigh();
        ++FPos;
        for (;;) {
          size_t quote = FindFirstOf(FText, "'\r\n", FPos);
          if (quote == std::string_view::npos || FText[quote] != '\'') {
            FPos = quote == std::string_view::npos ? FText.size() : quote;
            Error("unterminated string");
          }
          FString.append(FText.substr(FPos, quote - FPos));
          FPos = quote + 1;
          if (FPos < FText.size() && FText[FPos] == '\'') {
            FString += '\'';
            ++FPos;
            continue;
          }
          break;
        }
      } else if (c == '#') {
        ++FPos;
        uint32_t code = 0;
        size_t digits = FPos;
        if (FPos < FText.size() && FText[FPos] == '$') {
          ++FPos;
          digits = FPos;
          while (FPos < FText.size() && HexValue(FText[FPos]) >= 0) {
            code = code * 16 + static_cast<uint32_t>(HexValue(FText[FPos]));
            if (code > 0xFFFF) ErrorAt(FLine, Column(FPos), "character code out of range");
            ++FPos;
          }
        } else {
          while (FPos < FText.size() && IsDigit(FText[FPos])) {
            code = code * 10 + static_cast<uint32_t>(FText[FPos] - '0');
            if (code > 0xFFFF) ErrorAt(FLine, Column(FPos), "character code out of range");
            ++FPos;
          }
        }
        if (FPos == digits) ErrorAt(FLine, Column(FPos), "character code expected");
        if (code >= 0xDC00 && code <= 0xDFFF && pendingHigh) {
          AppendUtf8(FString, 0x10000 + ((pendingHigh - 0xD800) << 10) + (code - 0xDC00));
          pendingHigh = 0;
        } else {
          flushHigh();
          if (code >= 0xD800 && code <= 0xDBFF)
            pendingHigh = code;
          else if (code < 128)
            FString += static_cast<char>(code);
          else
            AppendUtf8(FString, code);
        }
      } else {
        break;
      }
      if (FString.size() > MaxFormValueBytes) Error("string too long");
    }
    flushHigh();
    FToken = TToken::String;
  }

  bool IsChar(char c) const { return FToken == TToken::Char && FChar == c; }
  bool IsSymbol(const char* s) const { return FToken == TToken::Symbol && SameText(FSymbol, s); }
  void ExpectChar(char c) {
    if (!IsChar(c)) Expected(Format("'%s'", {String(1, c)}));
    Next();
  }
  String ExpectSymbol(const char* what) {
    if (FToken != TToken::Symbol) Expected(what);
    String s = std::move(FSymbol);
    Next();
    return s;
  }
  void Enter(int depth) const {
    if (depth >= MaxFormNesting) Error(Format("nesting deeper than %d levels", {MaxFormNesting}));
  }

  // ---- grammar --------------------------------------------------------------
  std::unique_ptr<TFormObject> ParseObject(int depth) {
    Enter(depth);
    auto obj = std::make_unique<TFormObject>();
    obj->Line = FTokLine;
    if (IsSymbol("object"))
      obj->Kind = TFormObjectKind::Object;
    else if (IsSymbol("inherited"))
      obj->Kind = TFormObjectKind::Inherited;
    else if (IsSymbol("inline"))
      obj->Kind = TFormObjectKind::Inline;
    else
      Expected("'object', 'inherited' or 'inline'");
    Next();
    String first = ExpectSymbol("object name or class name");
    if (IsChar(':')) {
      Next();
      obj->Name = std::move(first);
      obj->ClassName = ExpectSymbol("class name");
    } else {
      obj->ClassName = std::move(first);
    }
    // A unit-qualified class (Unit/TClass) keeps its qualification.
    if (IsChar('/')) {
      Next();
      obj->ClassName += '/' + ExpectSymbol("class name");
    }
    if (IsChar('[')) {
      Next();
      if (FToken != TToken::Integer || FInt < 0 || FInt > INT32_MAX) Expected("child position");
      obj->ChildPos = static_cast<int>(FInt);
      Next();
      ExpectChar(']');
    }
    for (;;) {
      if (FToken != TToken::Symbol) Expected("property name, object or 'end'");
      if (SameText(FSymbol, "end")) {
        Next();
        break;
      }
      if (SameText(FSymbol, "object") || SameText(FSymbol, "inherited") ||
          SameText(FSymbol, "inline")) {
        obj->Children.push_back(ParseObject(depth + 1));
        continue;
      }
      if (!obj->Children.empty()) Expected("object or 'end'");
      obj->Properties.push_back(ParseProperty(depth));
    }
    return obj;
  }

  TFormProperty ParseProperty(int depth) {
    TFormProperty prop;
    prop.Line = FTokLine;
    prop.Name = ExpectSymbol("property name");
    while (IsChar('.')) {
      Next();
      prop.Name += '.';
      prop.Name += ExpectSymbol("property name");
    }
    ExpectChar('=');
    prop.Value = ParseValue(depth);
    return prop;
  }

  TFormValue ParseValue(int depth) {
    TFormValue v;
    v.Line = FTokLine;
    v.Column = Column(FTokLineStart, FTokPos);
    switch (FToken) {
      case TToken::Integer:
        v.Kind = TFormValueKind::Integer;
        v.Int = FInt;
        if (FNumberText != IntToStr(FInt)) v.Text = std::move(FNumberText);
        Next();
        return v;
      case TToken::Float:
        v.Kind = TFormValueKind::Float;
        v.Float = FFloat;
        v.FloatType = FFloatType;
        v.Text = std::move(FNumberText);
        Next();
        return v;
      case TToken::String:
        v.Kind = TFormValueKind::String;
        v.Text = std::move(FString);
        Next();
        while (IsChar('+')) {
          Next();
          if (FToken != TToken::String) Expected("string");
          v.Text += FString;
          if (v.Text.size() > MaxFormValueBytes) Error("string too long");
          Next();
        }
        return v;
      case TToken::Symbol:
        if (SameText(FSymbol, "Null")) {
          v.Kind = TFormValueKind::Null;
          Next();
          return v;
        }
        v.Kind = TFormValueKind::Ident;
        v.Text = std::move(FSymbol);
        Next();
        while (IsChar('.')) {
          Next();
          v.Text += '.';
          v.Text += ExpectSymbol("identifier");
        }
        return v;
      case TToken::Char:
        break;
      case TToken::End:
        Expected("value");
    }
    switch (FChar) {
      case '[':
        v.Kind = TFormValueKind::Set;
        Next();
        if (!IsChar(']')) {
          for (;;) {
            if (FToken == TToken::Symbol)
              v.Names.push_back(std::move(FSymbol));
            else if (FToken == TToken::Integer)
              v.Names.push_back(IntToStr(FInt));
            else
              Expected("set element");
            Next();
            if (IsChar(']')) break;
            ExpectChar(',');
          }
        }
        Next();
        return v;
      case '(':
        Enter(depth + 1);
        v.Kind = TFormValueKind::List;
        Next();
        while (!IsChar(')')) {
          if (FToken == TToken::End) Expected("')'");
          v.Items.push_back(ParseValue(depth + 1));
        }
        Next();
        return v;
      case '<':
        Enter(depth + 1);
        v.Kind = TFormValueKind::Collection;
        Next();
        while (!IsChar('>')) {
          if (!IsSymbol("item")) Expected("'item' or '>'");
          Next();
          TFormItem item;
          if (IsChar('[')) {
            Next();
            if (FToken != TToken::Integer || FInt < 0 || FInt > INT32_MAX) Expected("item index");
            item.Index = static_cast<int>(FInt);
            Next();
            ExpectChar(']');
          }
          while (!IsSymbol("end")) {
            if (FToken != TToken::Symbol) Expected("property name or 'end'");
            item.Properties.push_back(ParseProperty(depth + 1));
          }
          Next();
          v.CollectionItems.push_back(std::move(item));
        }
        Next();
        return v;
      case '{':
        ReadBinary(v);
        return v;
      default:
        Expected("value");
    }
  }

  // Hex pairs with any blanks between them, up to '}'.
  void ReadBinary(TFormValue& v) {
    v.Kind = TFormValueKind::Binary;
    int high = -1;
    for (;;) {
      SkipBlanks();
      if (FPos >= FText.size()) ErrorAt(FLine, Column(FPos), "'}' expected but end of file found");
      char c = FText[FPos];
      if (c == '}') {
        if (high >= 0) ErrorAt(FLine, Column(FPos), "hexadecimal digit expected");
        ++FPos;
        break;
      }
      int d = HexValue(c);
      if (d < 0)
        ErrorAt(FLine, Column(FPos), "hexadecimal digit expected but " + Describe(c) + " found");
      ++FPos;
      if (high < 0) {
        high = d;
      } else {
        v.Text += static_cast<char>(high * 16 + d);
        high = -1;
        if (v.Text.size() > MaxFormValueBytes) Error("binary value too long");
      }
    }
    Next();
  }

  std::string_view FText;
  size_t FPos = 0;
  int FLine = 1;
  size_t FLineStart = 0;

  TToken FToken = TToken::End;
  int FTokLine = 1;
  size_t FTokPos = 0;
  size_t FTokLineStart = 0;
  char FChar = 0;
  String FSymbol;
  String FString;
  String FNumberText;
  Int64 FInt = 0;
  double FFloat = 0;
  TFloatType FFloatType = TFloatType::Extended;
};

}  // namespace

std::unique_ptr<TFormObject> ParseFormText(std::string_view text) {
  TTextParser parser(text);
  return parser.ParseFile();
}

}  // namespace Glossmith::inline FormFiles

// System utilities: the string type, the exception classes of the host and the
// text conversions that the rest of the system relies on.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace Glossmith::inline Rtl {

// Texts are 8-bit byte strings; every ordering comparison is byte-wise unsigned.
using String = std::string;
using Integer = int32_t;
using Int64 = int64_t;

// A point in pixels.
struct TPoint {
  Integer X = 0;
  Integer Y = 0;
};

// The root of every error the host raises. `Message` is the text shown to users.
class Exception : public std::exception {
 public:
  explicit Exception(String message) : FMessage(std::move(message)) {}
  const String& Message() const noexcept { return FMessage; }
  const char* what() const noexcept override { return FMessage.c_str(); }

 private:
  String FMessage;
};

#define GLS_DECLARE_EXCEPTION(Name, Base) \
  class Name : public Base {              \
   public:                                \
    using Base::Base;                     \
  };

GLS_DECLARE_EXCEPTION(EConvertError, Exception)
GLS_DECLARE_EXCEPTION(EInOutError, Exception)
GLS_DECLARE_EXCEPTION(EStreamError, Exception)
GLS_DECLARE_EXCEPTION(EFileStreamError, EStreamError)
GLS_DECLARE_EXCEPTION(EFOpenError, EFileStreamError)
GLS_DECLARE_EXCEPTION(EFCreateError, EFileStreamError)
GLS_DECLARE_EXCEPTION(EFileLockError, EFileStreamError)
GLS_DECLARE_EXCEPTION(EReadError, EStreamError)
GLS_DECLARE_EXCEPTION(EWriteError, EStreamError)
GLS_DECLARE_EXCEPTION(EFilerError, EStreamError)
GLS_DECLARE_EXCEPTION(EClassNotFound, EFilerError)
GLS_DECLARE_EXCEPTION(EParserError, Exception)
GLS_DECLARE_EXCEPTION(EPropertyError, Exception)
GLS_DECLARE_EXCEPTION(EStringListError, Exception)
GLS_DECLARE_EXCEPTION(EListError, Exception)
GLS_DECLARE_EXCEPTION(EComponentError, Exception)
GLS_DECLARE_EXCEPTION(EInvalidOperation, Exception)

// An error found at a line of a file other than the one being read, such as
// a bad line of a translation file read while a form is read: its message
// names that file and line, and readers pass it on as it is rather than
// placing it at a line of their own.
class EFileLineError : public EConvertError {
 public:
  EFileLineError(const String& fileName, int line, const String& message);
  const String& FileName() const { return FFileName; }
  int Line() const { return FLine; }

 private:
  String FFileName;
  int FLine;
};

// Formats with the classic directives %s, %d, %u, %x and %%, each as
// %[-][width][.precision]type: width pads with blanks (on the right with "-"),
// precision cuts a text or gives a number at least that many digits.
// Arguments are texts or integers; a missing or unfitting argument raises
// EConvertError.
class TVarRec {
 public:
  TVarRec(const String& s) : FIsInt(false), FStr(s) {}
  TVarRec(const char* s) : FIsInt(false), FStr(s) {}
  TVarRec(Int64 i) : FIsInt(true), FInt(i) {}
  TVarRec(int i) : FIsInt(true), FInt(i) {}
  TVarRec(unsigned i) : FIsInt(true), FInt(i) {}
  TVarRec(long long i) : FIsInt(true), FInt(static_cast<Int64>(i)) {}
  TVarRec(size_t i) : FIsInt(true), FInt(static_cast<Int64>(i)) {}
  bool IsInt() const { return FIsInt; }
  Int64 Int() const { return FInt; }
  const String& Str() const { return FStr; }

 private:
  bool FIsInt;
  Int64 FInt = 0;
  String FStr;
};
String Format(std::string_view format, std::initializer_list<TVarRec> args);

String IntToStr(Int64 value);
// Leading blanks, an optional sign, then decimal digits or "$" and hexadecimal
// digits; raises EConvertError naming the text on empty or bad text and on
// overflow of 32 bits. Hexadecimal text covers the unsigned range, so
// "$FFFFFFFF" is -1 and "$FF00000F" is the system colour clBtnFace.
Integer StrToInt(std::string_view s);
Int64 StrToInt64(std::string_view s);
// Like StrToInt, but gives `def` instead of raising.
Integer StrToIntDef(std::string_view s, Integer def);
bool TryStrToInt(std::string_view s, Integer& value);
bool TryStrToInt64(std::string_view s, Int64& value);

// The shortest text that reads back as the same value, "." as decimal
// separator, exponent form "1E20" outside 1E-5 .. 1E15; StrToFloat raises
// EConvertError on bad text, the empty text included.
String FloatToStr(double value);
double StrToFloat(std::string_view s);
bool TryStrToFloat(std::string_view s, double& value);

// find_first_of for the short sets of the scanners (line breaks, quotes):
// the position of the first character of s at or after `from` that is in
// `set`, or npos. The library's find_first_of makes a call per character.
inline size_t FindFirstOf(std::string_view s, std::string_view set, size_t from = 0) {
  for (size_t i = from; i < s.size(); ++i)
    for (char c : set)
      if (s[i] == c) return i;
  return std::string_view::npos;
}

// Stores `value` in `field`; true when that changed it. Setters of models
// use it so that observers are told only of real changes:
//   void TLabel::SetLayout(TTextLayout Value) { if (SetField(FLayout, Value)) Changed(); }
template <class T, class V>
bool SetField(T& field, const V& value) {
  if (field == value) return false;
  field = value;
  return true;
}

// Appends the UTF-8 bytes of the character with the code point `code` (the
// three-byte form for a lone surrogate, so that no code is lost).
void AppendUtf8(String& out, uint32_t code);

// The number of bytes of the one character written in valid UTF-8 at s[i]
// (1 for ASCII), its code point in `code`; 0 when the bytes there are no such
// character (a byte of another code page, a cut or overlong sequence, an
// encoded surrogate).
size_t Utf8CharLength(std::string_view s, size_t i, uint32_t& code);
inline size_t Utf8CharLength(std::string_view s, size_t i) {
  uint32_t code;
  return Utf8CharLength(s, i, code);
}

// Identifiers: a letter or "_", then letters, digits and "_". Letters are the
// ASCII ones and every character beyond ASCII written in valid UTF-8, as the
// Unicode designers write component and class names. IdentCharLength gives
// the number of bytes of the identifier character at s[i] (at the start of an
// identifier when `first`, where digits do not count), or 0.
inline size_t IdentCharLength(std::string_view s, size_t i, bool first) {
  if (i >= s.size()) return 0;
  const char c = s[i];
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_') return 1;
  if (c >= '0' && c <= '9') return first ? 0 : 1;
  // Any character beyond ASCII is a letter: telling letters from other
  // characters would need the Unicode tables, and the designers' compilers
  // accept what their designers write.
  return static_cast<unsigned char>(c) < 0x80 ? 0 : Utf8CharLength(s, i);
}
bool IsValidIdent(std::string_view s);

String UpperCase(std::string_view s);
String LowerCase(std::string_view s);
// Case-insensitive comparison of ASCII letters; other bytes compare unsigned.
int CompareText(std::string_view a, std::string_view b);
bool SameText(std::string_view a, std::string_view b);
// The order of sorted string lists and list boxes, a word sort with case
// ignored: first the texts without hyphens and apostrophes are compared, then
// (when that ties) the whole texts; each byte by class (symbols and blanks,
// then digits, then letters, then bytes beyond ASCII), and within its class
// by value, ASCII letters upper-cased. A text that begins another comes
// first. Zero exactly when SameText holds, so "Caption" < "Caption[*]" <
// "Captions[*]", "_x" < "1" < "a", "coop" and "co-op" sort side by side.
int AnsiCompareText(std::string_view a, std::string_view b);
bool AnsiSameText(std::string_view a, std::string_view b);
String Trim(std::string_view s);

// Path helpers. Both "/" and "\" count as directory separators.
String ExtractFilePath(std::string_view fileName);
String ExtractFileName(std::string_view fileName);
String ExtractFileExt(std::string_view fileName);
String ExpandFileName(std::string_view fileName);
bool FileExists(std::string_view fileName);
bool DirectoryExists(std::string_view dirName);
constexpr char PathDelim = '/';

}  // namespace Glossmith::inline Rtl

// Every name of the library lives in namespace Glossmith, in an inline
// namespace per layer (Glossmith::Rtl, Glossmith::Classes, ...). Application
// code sees them unqualified, as it would the classic library's; defining
// GLS_NO_IMPLICIT_NAMESPACE_USE before the first include keeps them in their
// namespace. Every header of the library includes this one.
#ifndef GLS_NO_IMPLICIT_NAMESPACE_USE
using namespace Glossmith;
#endif

// Settings of the current user, as the classic registry object keeps them:
// a key (such as "Software\Orvanta") holds sections (its subkeys), and each
// section holds named values.
//
// Here a key is an INI file in the user's configuration folder
// ($XDG_CONFIG_HOME, else ~/.config): "Software\Orvanta" is Orvanta.ini there
// (the "Software" root of per-user settings is the configuration folder
// itself; further key parts are folders). Sections are [Section] groups and
// values Name=Value lines; Booleans are written 1 and 0, integers in decimal,
// strings as they are with backslash, CR and LF escaped (\\, \r, \n).
//
// A settings object reads its file once, at its first read, and answers every
// later read from what it parsed (a dialog that reads a long list of values
// when it opens reads the file once). Every write reads the file afresh,
// changes one line and replaces the file atomically while holding the file's
// lock, so that two programs writing the same settings at once lose nothing;
// the object then answers from what it wrote. A line the store cannot read
// (a corrupt or foreign file) counts as no value and is written back
// unchanged: the store never makes a file worse.
#pragma once

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Platform {

// The text of one settings file and what it says: the values found by
// section and name, and the change of one value that keeps every other byte.
class TIniText {
 public:
  explicit TIniText(String Text = String());

  const String& Text() const { return FText; }
  // The value (unescaped) of the first line of that name in a section of
  // that name, names compared ignoring case.
  bool Find(const String& Section, const String& Ident, String& Value) const;
  // Changes the value's own line, or adds one line at the end of its first
  // section, or adds the section at the end of the text, in the text's own
  // line ends.
  void Set(const String& Section, const String& Ident, const String& Value);
  // Several values of one section at once, as setting them one by one in
  // turn would leave the text.
  void Set(const String& Section, const std::vector<std::pair<String, String>>& Values);

 private:
  struct TLine {
    size_t Begin = 0;
    size_t End = 0;  // before the line end ("\n" or "\r\n")
    bool HasEnd = false;
    bool CrLf = false;
  };
  void Parse();
  std::string_view LineText(const TLine& line) const;

  String FText;
  std::vector<TLine> FLines;
  // The first value line of each (section, name), both folded to lower case.
  std::map<std::pair<String, String>, size_t> FValues;
};

class TRegIniFile {
 public:
  // Opens the key; its file is created by the first write.
  explicit TRegIniFile(const String& Key);

  const String& FileName() const { return FFileName; }

  // The value, or `Default` when it is absent or cannot be read as its kind.
  // A file that cannot be read counts as empty.
  String ReadString(const String& Section, const String& Ident, const String& Default) const;
  Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const;
  bool ReadBool(const String& Section, const String& Ident, bool Default) const;
  bool ValueExists(const String& Section, const String& Ident) const;

  // Raise EFCreateError or EWriteError naming the file when it cannot be
  // written (also when it exists but cannot be read, and when there is no
  // configuration folder at all); the file is then as it was.
  void WriteString(const String& Section, const String& Ident, const String& Value);
  void WriteInteger(const String& Section, const String& Ident, Integer Value);
  void WriteBool(const String& Section, const String& Ident, bool Value);
  // Several values of one section in one read and one replacement of the
  // file, as the writes one by one would leave it.
  void WriteStrings(const String& Section, const std::vector<std::pair<String, String>>& Values);

  // The folder that holds the settings files: $XDG_CONFIG_HOME, else
  // $HOME/.config; empty when neither is set.
  static String ConfigFolder();
  // The file of a key, as described above; empty when there is no
  // configuration folder.
  static String KeyFileName(const String& Key);

 private:
  const TIniText& Parsed() const;
  String FFileName;
  mutable std::optional<TIniText> FParsed;
};

}  // namespace Glossmith::inline Platform

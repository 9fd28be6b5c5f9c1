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
// Every read opens the file afresh; every write reads, changes one line and
// replaces the file atomically while holding the file's lock, so that two
// programs writing the same settings at once lose nothing. A line the store
// cannot read (a corrupt or foreign file) counts as no value and is written
// back unchanged: the store never makes a file worse.
#pragma once

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Platform {

class TRegIniFile {
 public:
  // Opens the key; its file is created by the first write.
  explicit TRegIniFile(const String& Key);

  const String& FileName() const { return FFileName; }

  // The value, or `Default` when it is absent or cannot be read as its kind.
  String ReadString(const String& Section, const String& Ident, const String& Default) const;
  Integer ReadInteger(const String& Section, const String& Ident, Integer Default) const;
  bool ReadBool(const String& Section, const String& Ident, bool Default) const;
  bool ValueExists(const String& Section, const String& Ident) const;

  // Raise EFCreateError or EWriteError naming the file when it cannot be
  // written; the file is then as it was.
  void WriteString(const String& Section, const String& Ident, const String& Value);
  void WriteInteger(const String& Section, const String& Ident, Integer Value);
  void WriteBool(const String& Section, const String& Ident, bool Value);

  // The folder that holds the settings files: $XDG_CONFIG_HOME, else
  // $HOME/.config.
  static String ConfigFolder();
  // The file of a key, as described above.
  static String KeyFileName(const String& Key);

 private:
  bool Find(const String& Section, const String& Ident, String& raw) const;
  String FFileName;
};

}  // namespace Glossmith::inline Platform

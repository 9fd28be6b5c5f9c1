// Helpers shared by the translation file, the dictionary and the form storage.
#pragma once

#include <string_view>
#include <vector>

#include "gls/Gls.h"
#include "host/classes/Classes.h"

namespace Glossmith::inline Gls {

class TGlossmith;

namespace glsstorage {

// The text before the first occurrence of c; empty when there is none.
inline std::string_view Before(std::string_view s, char c) {
  size_t p = s.find(c);
  return p == std::string_view::npos ? std::string_view() : s.substr(0, p);
}

// The text after the first occurrence of c, at most `limit` characters; empty
// when there is none.
inline std::string_view After(std::string_view s, char c, size_t limit = std::string_view::npos) {
  size_t p = s.find(c);
  return p == std::string_view::npos ? std::string_view() : s.substr(p + 1, limit);
}

// The form name of a translator's owner: its Name, or its class name without
// the first letter when the name is empty (an unnamed TForm1 gives Form1).
String FormNameOf(const TComponent* owner);

// How messages name a translator: "translator TranslatorGerman", or without
// a name "the unnamed translator with Locale 7" ("... without a Locale" for
// Locale 0); with a capital letter to begin a sentence.
String DescribeTranslator(const TGlossmith& translator, bool capital = false);

// The form name of the translator's owner; raises EComponentError for a
// translator without a form, which has no lines in any file.
String RequireFormName(const TGlossmith& translator);

// The form's current values, entries path "=" value in sorted order, from a
// collecting walk (which shows the untranslated texts first).
std::vector<String> SortedCurrentValues(TGlossmith& translator);

// A file name as this platform reads it: a "\" from another platform is a
// directory separator.
String NativeFileName(std::string_view fileName);

// Whether a file lies in a folder or one of its subfolders, once both are
// resolved as the system resolves them (relative to the working folder,
// ".." and symbolic links followed as far as they exist). An empty folder is
// the working folder.
bool FileIsWithin(std::string_view fileName, std::string_view folder);
// A file name resolved as FileIsWithin resolves it, for messages.
String ResolvedFileName(std::string_view fileName);

// Shows the hourglass cursor until the scope ends, then the cursor before it.
class THourGlass {
 public:
  THourGlass();
  ~THourGlass();
  THourGlass(const THourGlass&) = delete;
  THourGlass& operator=(const THourGlass&) = delete;

 private:
  Integer FSaved;
};

}  // namespace glsstorage

}  // namespace Glossmith::inline Gls

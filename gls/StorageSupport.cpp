#include "gls/StorageSupport.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "gls/Gls.h"
#include "host/controls/Forms.h"

namespace Glossmith::inline Gls {

namespace glsstorage {

String FormNameOf(const TComponent* owner) {
  // A translator without an owner has no form: its lines carry an empty form name.
  if (!owner) return String();
  if (!owner->Name().empty()) return owner->Name();
  // The first character, whole when it is a UTF-8 letter.
  String className = owner->ClassName();
  return className.empty() ? String()
                           : className.substr(std::max<size_t>(1, Utf8CharLength(className, 0)));
}

String DescribeTranslator(const TGlossmith& translator, bool capital) {
  String text = !translator.Name().empty() ? "translator " + translator.Name()
                : translator.Locale() != 0
                    ? "the unnamed translator with Locale " + IntToStr(translator.Locale())
                    : String("the unnamed translator without a Locale");
  if (capital) text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

String RequireFormName(const TGlossmith& translator) {
  String name = FormNameOf(translator.Owner());
  if (name.empty())
    throw EComponentError(DescribeTranslator(translator, true) +
                          " has no form whose translations it could save or load");
  return name;
}

std::vector<String> SortedCurrentValues(TGlossmith& translator) {
  TStringList collected;
  translator.TranslateForm(&collected, true);
  std::vector<String> values;
  values.reserve(static_cast<size_t>(collected.Count()));
  for (const auto& item : collected.Items()) values.push_back(item.Str);
  // Equal entries are indistinguishable, so sorting gives the list that
  // inserting them one by one in sorted order gives.
  std::sort(values.begin(), values.end());
  return values;
}

String NativeFileName(std::string_view fileName) {
  String name(fileName);
  std::replace(name.begin(), name.end(), '\\', PathDelim);
  return name;
}

namespace {

std::filesystem::path Resolved(std::string_view name) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::path path = fs::absolute(fs::path(NativeFileName(name.empty() ? "." : name)), error);
  fs::path resolved = fs::weakly_canonical(path, error);
  return (error ? path.lexically_normal() : resolved);
}

}  // namespace

bool FileIsWithin(std::string_view fileName, std::string_view folder) {
  const std::filesystem::path file = Resolved(fileName);
  std::filesystem::path root = Resolved(folder);
  if (!root.has_filename()) root = root.parent_path();  // "/a/b/" is "/a/b"
  // Compared part by part: /a/bc is not within /a/b.
  auto f = file.begin();
  for (const auto& part : root) {
    if (f == file.end() || *f != part) return false;
    ++f;
  }
  return true;
}

String ResolvedFileName(std::string_view fileName) { return Resolved(fileName).string(); }

THourGlass::THourGlass() : FSaved(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }

THourGlass::~THourGlass() { Screen->SetCursor(FSaved); }

}  // namespace glsstorage

}  // namespace Glossmith::inline Gls

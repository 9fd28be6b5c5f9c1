// A form file brought up as the application would bring it up, with the
// translators the gls commands work with.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "gls/Gls.h"
#include "host/classes/FileLock.h"
#include "host/formfiles/FormFiles.h"

namespace Glossmith::Tool {

// An error to report for one file: the message already names it.
class EToolError : public Exception {
 public:
  using Exception::Exception;
};

// Which translator of a form a command works with.
struct TTranslatorChoice {
  std::optional<Integer> Locale;
  String Name;
  bool Given() const { return Locale.has_value() || !Name.empty(); }
};

class TCommandLine;
// The choice that the options --locale and --translator give; raises
// EUsageError when both are given.
TTranslatorChoice ChoiceOf(const TCommandLine& cmd);

// A translation file that a translator of the form in formFile would write
// outside the form's folder tree: a FileName may name any path, and nobody
// asked for that one to be written.
struct TOutsideFile {
  const TGlossmith* Translator;
  String File;  // resolved
};
std::vector<TOutsideFile> FilesOutside(const String& formFile,
                                       const std::vector<TGlossmith*>& translators);
// "FORM: translator T keeps its list in FILE, outside the form's folder DIR".
String DescribeOutside(const String& formFile, const TOutsideFile& outside);
// The option that lets a command write there.
inline constexpr const char* AllowOutsideOption = "--allow-outside";

class TFormDocument {
 public:
  // Read: the form is only read. Update: the form file will be written back
  // in place; its lock (TFileLock) is held from reading it until the
  // document goes, so that a change another process makes in between is not
  // lost. Design: the form is read as a designer shows it (in design mode,
  // the form file standing for the open project) and may be written back
  // after a person has worked on it, for which no lock is held meanwhile:
  // LockUnchanged comes before writing.
  enum class TAccess { Read, Update, Design };

  // Reads the form file into a form owned by the application. The form's
  // folder stands in for the application's folder, so that a translator's
  // bare FileName names a file beside the form.
  explicit TFormDocument(const String& fileName, TAccess access = TAccess::Read);
  ~TFormDocument();
  TFormDocument(const TFormDocument&) = delete;
  TFormDocument& operator=(const TFormDocument&) = delete;

  const String& FileName() const { return FFileName; }
  // What was read from the file.
  const String& Data() const { return FData; }
  TComponent* Root() const { return FRoot; }
  // The form's own translators, in component order.
  std::vector<TGlossmith*> Translators() const;

  // The chosen translator: the one named, or the one of that Locale; without
  // a choice the form's only translator, and a temporary one (with the
  // chosen Locale) when the form has none. Raises EToolError when the choice
  // fits none of several translators.
  TGlossmith* Choose(const TTranslatorChoice& choice);
  // Like Choose, but without a choice every translator of the form.
  std::vector<TGlossmith*> ChooseAll(const TTranslatorChoice& choice);
  bool IsTemporary(const TGlossmith* translator) const { return translator == FTemporary; }

  // Writes the form (without any temporary translator) to `fileName`, or
  // back to its own file, in the format it was read in; atomically. Writing
  // a form saves the list of each translator whose FileName is set into that
  // file, as the application's own form writing does: into `translations`
  // instead when it is given, and not at all when the form goes to another
  // file without it, so that nothing but the named output changes. `wrote`
  // hears of each file written, in order.
  using TWrote = std::function<void(const String&)>;
  void Write(const String& fileName, const std::optional<String>& translations,
             const TWrote& wrote);
  String WriteToString();
  // The files the translators' lists are kept in, each once.
  std::vector<String> TranslationFiles() const;

  // Applies `entries` to a copy of the form as read, without its
  // translators, as `like` would apply them: raises the
  // ETranslationEntryError of the first entry that cannot be applied. The
  // document's own form does not change.
  void CheckEntries(const TGlossmith& like, const std::vector<String>& entries) const;
  // A copy of the form as read, without its translators, owned by the
  // caller; raises the host's error when the form reads only with them.
  std::unique_ptr<TComponent> CopyWithoutTranslators() const;
  // The untranslated value of `path` on the form as read, decoded from
  // literal form.
  std::optional<String> OriginalText(std::string_view path) const;
  // A message for an entry that could not be applied: the line of the file it
  // came from (a translator's translation file, else this form file) when it
  // is found there, the entry and the error.
  String EntryErrorMessage(const ETranslationEntryError& error) const;
  // Removes every translator, leaving the form as it shows.
  void RemoveTranslators();
  // Takes the form file's lock, to write the form back in place, and raises
  // EToolError when the file no longer holds what was read (another program
  // changed it in the meantime).
  void LockUnchanged();

  // Runs `action`, reporting a host error with this file's name.
  template <class F>
  auto Guard(F&& action) -> decltype(action()) {
    try {
      return action();
    } catch (const EToolError&) {
      throw;
    } catch (const ETranslationEntryError& e) {
      throw EToolError(EntryErrorMessage(e));
    } catch (const Exception& e) {
      throw EToolError(FFileName + ": " + e.Message());
    }
  }

 private:
  void DropTemporary();
  // The form as read, without its translators, with a translator of its own.
  std::unique_ptr<TComponent> Scratch(TGlossmith*& translator) const;

  String FFileName;
  String FData;
  std::unique_ptr<TFileLock> FLock;
  TComponent* FRoot = nullptr;
  TGlossmith* FTemporary = nullptr;
  TFormFormat FFormat = TFormFormat::Text;
};

}  // namespace Glossmith::Tool

#include "FormDocument.h"

#include <algorithm>
#include <iostream>

#include "CommandLine.h"
#include "Places.h"
#include "gls/StorageSupport.h"
#include "host/classes/AtomicFile.h"
#include "host/classes/Filer.h"
#include "host/classes/Streams.h"
#include "host/controls/Forms.h"
#include "host/platform/ToolIntf.h"

namespace Glossmith::Tool {

TFormDocument::TFormDocument(const String& fileName, TAccess access) : FFileName(fileName) {
  Guard([&] {
    if (access == TAccess::Update) FLock = std::make_unique<TFileLock>(fileName);
    FData = ReadFileToString(fileName);
    FFormat =
        !FData.empty() && (static_cast<unsigned char>(FData[0]) == 0xFF || FData.starts_with("TPF"))
            ? TFormFormat::Binary
            : TFormFormat::Text;
    // What the reader could not take as the file says goes to the user, with
    // its place, once for each kind at its first place; the form reads all
    // the same.
    struct TWarningsReport {
      explicit TWarningsReport(const String& fileName) : FileName(fileName) {}
      String FileName;
      TReadWarnings Warnings;
      ~TWarningsReport() {
        std::vector<std::pair<const TReadWarning*, int>> seen;
        for (const TReadWarning& w : Warnings.List()) {
          auto same = std::find_if(seen.begin(), seen.end(),
                                   [&](const auto& s) { return s.first->Message == w.Message; });
          if (same != seen.end())
            ++same->second;
          else
            seen.emplace_back(&w, 1);
        }
        for (const auto& [w, count] : seen) {
          std::cerr << "gls: " << FileName;
          if (w->Line > 0) std::cerr << ":" << w->Line;
          std::cerr << ": warning: " << w->Message;
          if (count > 1) std::cerr << " (" << count << " times)";
          std::cerr << "\n";
        }
      }
    } report(fileName);
    String folder = ExtractFilePath(ExpandFileName(fileName));
    Application->SetExeName(folder + "application");
    if (access == TAccess::Design) {
      // A translator at design time resolves a bare FileName against the
      // project's folder: the form file stands for the project.
      ToolServices->SetProjectName(ExpandFileName(fileName));
      FRoot = ReadFormForDesigning(FData, Application);
    } else {
      FRoot = ReadFormFromString(FData, Application);
    }
    return 0;
  });
}

TFormDocument::~TFormDocument() { delete FRoot; }

std::vector<TGlossmith*> TFormDocument::Translators() const {
  std::vector<TGlossmith*> list;
  for (int i = 0; i < FRoot->ComponentCount(); ++i)
    if (auto* t = dynamic_cast<TGlossmith*>(FRoot->Components(i)); t && t != FTemporary)
      list.push_back(t);
  return list;
}

TGlossmith* TFormDocument::Choose(const TTranslatorChoice& choice) {
  std::vector<TGlossmith*> all = Translators();
  if (!choice.Name.empty()) {
    for (TGlossmith* t : all)
      if (SameText(t->Name(), choice.Name)) return t;
    throw EToolError(FFileName + ": no translator named " + choice.Name);
  }
  if (choice.Locale) {
    for (TGlossmith* t : all)
      if (t->Locale() == *choice.Locale) return t;
    if (!all.empty())
      throw EToolError(FFileName + ": no translator with Locale " + IntToStr(*choice.Locale));
  } else if (all.size() == 1) {
    return all.front();
  } else if (all.size() > 1) {
    String names;
    for (TGlossmith* t : all) {
      if (!names.empty()) names += ", ";
      if (!t->Name().empty())
        names += t->Name();
      else if (t->Locale() != 0)
        names += "an unnamed one with Locale " + IntToStr(t->Locale());
      else
        names += "an unnamed one without a Locale";
    }
    throw EToolError(FFileName + ": the form has several translators (" + names +
                     "); choose one with --locale or --translator");
  }
  if (!FTemporary) {
    FTemporary = new TGlossmith(FRoot);
    FTemporary->SetTranslate(false);
  }
  FTemporary->SetLocale(choice.Locale.value_or(0));
  return FTemporary;
}

std::vector<TGlossmith*> TFormDocument::ChooseAll(const TTranslatorChoice& choice) {
  if (!choice.Given()) {
    std::vector<TGlossmith*> all = Translators();
    if (!all.empty()) return all;
  }
  return {Choose(choice)};
}

void TFormDocument::DropTemporary() {
  delete FTemporary;
  FTemporary = nullptr;
}

void TFormDocument::Write(const String& fileName, const std::optional<String>& translations,
                          const TWrote& wrote) {
  DropTemporary();
  const String& target = fileName.empty() ? FFileName : fileName;
  const std::vector<TGlossmith*> translators = Translators();
  struct TReset {
    const std::vector<TGlossmith*>& List;
    ~TReset() {
      for (TGlossmith* t : List) t->ResetStorageFile();
    }
  } reset{translators};
  std::vector<String> saved;
  for (TGlossmith* t : translators) {
    if (translations)
      t->SetStorageFile(*translations);
    else if (!fileName.empty())
      t->SetStorageFile(String());
    const String file = t->StorageFile();
    if (!file.empty() && std::find(saved.begin(), saved.end(), file) == saved.end())
      saved.push_back(file);
  }
  // The translators' files and the form are replaced together or not at all:
  // a form that cannot be written leaves the translation files as they were.
  TAtomicFileTransaction transaction;
  String data;
  try {
    // Their locks are taken in one order for every process, after the form's.
    std::vector<String> locks = saved;
    std::sort(locks.begin(), locks.end(), [](const String& a, const String& b) {
      return TFileLock::LockFileName(a) < TFileLock::LockFileName(b);
    });
    for (const String& file : locks) transaction.Lock(file);
    data = WriteFormToString(FRoot, FFormat);
  } catch (const EConvertError& e) {
    // A line of this form in a translation file whose locale is no number.
    const String formName = glsstorage::FormNameOf(FRoot);
    for (const String& file : saved) {
      String line;
      if (auto place = FindBadLocaleLine(file, formName, true, line))
        throw EToolError(PlacedMessage(*place, line, ReasonOf(e)));
    }
    throw EToolError(target + ": " + e.Message());
  } catch (const Exception& e) {
    throw EToolError(target + ": " + e.Message());
  }
  try {
    WriteFileAtomically(target, data);
  } catch (const Exception& e) {
    throw EToolError(target + ": " + e.Message());
  }
  try {
    transaction.Commit();
  } catch (const Exception& e) {
    throw EToolError(e.Message());  // it names the file
  }
  for (const String& file : saved) wrote(file);
  wrote(target);
}

std::vector<String> TFormDocument::TranslationFiles() const {
  std::vector<String> files;
  for (TGlossmith* t : Translators()) {
    const String file = t->StorageFile();
    if (!file.empty() && std::find(files.begin(), files.end(), file) == files.end())
      files.push_back(file);
  }
  return files;
}

namespace {

bool IsTranslatorClass(const String& className) {
  const TClassInfo* info = GetClass(className);
  return info && info->InheritsFrom(TGlossmith::StaticClass());
}

void FindTranslators(const TFormObject& node, std::vector<const TFormObject*>& found) {
  for (const auto& child : node.Children) {
    if (IsTranslatorClass(child->ClassName)) found.push_back(child.get());
    FindTranslators(*child, found);
  }
}

void DropTranslators(TFormObject& node) {
  auto& children = node.Children;
  children.erase(std::remove_if(children.begin(), children.end(),
                                [](const auto& c) { return IsTranslatorClass(c->ClassName); }),
                 children.end());
  for (auto& child : children) DropTranslators(*child);
}

const TFormValue* PropertyOf(const TFormObject& node, const char* name) {
  for (const TFormProperty& p : node.Properties)
    if (SameText(p.Name, name)) return &p.Value;
  return nullptr;
}

}  // namespace

std::vector<TOutsideFile> FilesOutside(const String& formFile,
                                       const std::vector<TGlossmith*>& translators) {
  std::vector<TOutsideFile> outside;
  const String folder = ExtractFilePath(formFile);
  for (const TGlossmith* t : translators) {
    const String file = t->StorageFile();
    if (file.empty() || glsstorage::FileIsWithin(file, folder)) continue;
    outside.push_back({t, glsstorage::ResolvedFileName(file)});
  }
  return outside;
}

String DescribeOutside(const String& formFile, const TOutsideFile& outside) {
  return formFile + ": " + glsstorage::DescribeTranslator(*outside.Translator) +
         " keeps its list in " + outside.File + ", outside the form's folder " +
         glsstorage::ResolvedFileName(ExtractFilePath(formFile));
}

TTranslatorChoice ChoiceOf(const TCommandLine& cmd) {
  TTranslatorChoice choice;
  Integer locale;
  if (cmd.IntValue("--locale", locale)) choice.Locale = locale;
  choice.Name = cmd.Value("--translator");
  if (choice.Locale && !choice.Name.empty())
    throw EUsageError("give either --locale or --translator, not both");
  return choice;
}

std::unique_ptr<TComponent> TFormDocument::Scratch(TGlossmith*& translator) const {
  auto tree = ParseForm(FData);
  DropTranslators(*tree);
  std::unique_ptr<TComponent> form(ReadFormFromString(FormTreeToString(*tree)));
  translator = new TGlossmith(form.get());
  return form;
}

std::unique_ptr<TComponent> TFormDocument::CopyWithoutTranslators() const {
  auto tree = ParseForm(FData);
  DropTranslators(*tree);
  return std::unique_ptr<TComponent>(ReadFormFromString(FormTreeToString(*tree)));
}

void TFormDocument::CheckEntries(const TGlossmith& like, const std::vector<String>& entries) const {
  if (entries.empty()) return;
  TGlossmith* probe = nullptr;
  std::unique_ptr<TComponent> form;
  try {
    form = Scratch(probe);
  } catch (const Exception&) {
    return;  // a form that reads only with its translators is not checked
  }
  probe->SetTranslateEmpty(like.TranslateEmpty());
  TStringList list;
  for (const String& entry : entries) list.Add(entry);
  probe->SetTranslations(&list);
  probe->TranslateForm(probe->Translations(), false);
}

std::optional<String> TFormDocument::OriginalText(std::string_view path) const {
  TGlossmith* probe = nullptr;
  std::unique_ptr<TComponent> form;
  try {
    form = Scratch(probe);
  } catch (const Exception&) {
    return std::nullopt;
  }
  TStringList current;
  probe->TranslateForm(&current, true);
  for (const auto& item : current.Items()) {
    if (glsstorage::Before(item.Str, '=') != path) continue;
    String text(glsstorage::After(item.Str, '=', MaxValueLength));
    try {
      TGlossmith::ConvertFromLiterals(text);
    } catch (const EConvertError&) {
    }
    return text;
  }
  return std::nullopt;
}

String TFormDocument::EntryErrorMessage(const ETranslationEntryError& error) const {
  const String& entry = error.Entry();
  std::unique_ptr<TFormObject> tree;
  try {
    tree = ParseForm(FData);
  } catch (const Exception&) {
  }
  if (tree) {
    std::vector<const TFormObject*> translators;
    FindTranslators(*tree, translators);
    // The translator that applied the entry first, when it has a name.
    std::stable_partition(translators.begin(), translators.end(), [&](const TFormObject* t) {
      return !error.Translator().empty() && SameText(t->Name, error.Translator());
    });
    String formName = tree->Name;
    if (formName.empty() && !tree->ClassName.empty())
      formName = tree->ClassName.substr(std::max<size_t>(1, Utf8CharLength(tree->ClassName, 0)));
    const String folder = ExtractFilePath(ExpandFileName(FFileName));
    for (const TFormObject* t : translators) {
      const TFormValue* fileName = PropertyOf(*t, "FileName");
      const TFormValue* locale = PropertyOf(*t, "Locale");
      if (fileName && fileName->Kind == TFormValueKind::String && !fileName->Text.empty()) {
        const String& name = fileName->Text;
        const String file = name.find_first_of("/\\") != String::npos
                                ? glsstorage::NativeFileName(name)
                                : folder + name;
        const Integer localeValue = locale && locale->Kind == TFormValueKind::Integer
                                        ? static_cast<Integer>(locale->Int)
                                        : 0;
        if (auto place = FindTranslationLine(file, formName, localeValue, entry))
          return PlacedMessage(*place, entry, error.Message());
      }
      if (auto line = FindFormEntryLine(*t, entry))
        return PlacedMessage({FFileName, *line}, entry, error.Message());
    }
  }
  return FFileName + ": " + Shortened(entry) + ": " + error.Message();
}

String TFormDocument::WriteToString() {
  DropTemporary();
  return Guard([&] { return WriteFormToString(FRoot, FFormat); });
}

void TFormDocument::LockUnchanged() {
  if (!FLock) FLock = Guard([&] { return std::make_unique<TFileLock>(FFileName); });
  const String now = Guard([&] { return ReadFileToString(FFileName); });
  if (now != FData)
    throw EToolError(FFileName +
                     ": the file was changed by another program meanwhile; nothing was written");
}

void TFormDocument::RemoveTranslators() {
  DropTemporary();
  for (TGlossmith* t : Translators()) delete t;
}

}  // namespace Glossmith::Tool

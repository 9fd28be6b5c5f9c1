// The gls tool as a design host. A form is read as a designer shows it
// (every component in design mode, no translation applied), the package
// registers its palette page and editors, and the commands do what a
// designer's object inspector, context menu and palette do: edit runs the
// translator's first verb, inspect shows the inspector's view, verbs and
// verb list and run a component's verbs, palette lists the palette.
#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <ostream>

#include "CommandLine.h"
#include "Commands.h"
#include "FormDocument.h"
#include "design/GlsReg.h"
#include "frontends/qt/QtFrontEnd.h"
#include "gls/FileMerge.h"
#include "gls/StorageSupport.h"
#include "host/classes/AtomicFile.h"
#include "host/classes/Streams.h"
#include "host/classes/TextLines.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ScriptedUserInterface.h"
#include "host/platform/ToolIntf.h"

namespace Glossmith::Tool {

namespace {

namespace fs = std::filesystem;

const TOptionSpec kLocale{"--locale", true};
const TOptionSpec kTranslator{"--translator", true};
const TOptionSpec kScript{"--script", true};
const TOptionSpec kVerbose{"-v", false};
const TOptionSpec kHelp{"--help", false};
const TOptionSpec kAllowOutside{AllowOutsideOption, false};

void Operands(const TCommandLine& cmd, size_t least, size_t most, const char* what) {
  const size_t n = cmd.Operands().size();
  if (n < least) throw EUsageError(Format("missing %s", {what}));
  if (n > most) throw EUsageError(Format("too many operands; expected %s", {what}));
}

// Registers the package once, telling it where its help document was
// installed beside the tool.
void RegisterPackage() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  Register();
  std::error_code ec;
  const fs::path program = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return;
  const fs::path help = (program.parent_path() / GLS_INSTALLED_HELP).lexically_normal();
  if (fs::exists(help, ec)) SetHelpFileName(help.string());
}

// The service for a design command with nobody to show its dialogs to:
// every dialog is refused with a message that says what is missing.
class TNobodyThere : public TUserInterface {
 public:
  void RunModal(TComponent* form, const std::function<bool()>&) override {
    Refuse("The dialog " + form->Name());
  }
  Integer MessageBox(const TMessageRequest& request) override {
    Refuse("The message box \"" + request.Caption + "\"");
  }
  bool InputQuery(TInputRequest& request) override {
    Refuse("The input box \"" + request.Caption + "\"");
  }
  bool FileDialog(TFileDialogRequest& request) override {
    Refuse("The file dialog \"" + request.Title + "\"");
  }
  bool FontDialog(TFontData&) override { Refuse("The font dialog"); }

  [[noreturn]] static void Refuse(const String& what) {
    throw EToolError(what + " needs a person at a display, or a script: give --script FILE");
  }
};

// Who answers the dialogs of a design command: the script given with
// --script, else a person at the front end's display, else nobody.
class TPerson {
 public:
  explicit TPerson(const TCommandLine& cmd) : FScriptName(cmd.Value("--script")) {
    if (cmd.Has("--script")) {
      if (FScriptName.empty()) throw EUsageError("missing --script FILE");
      auto script = std::make_unique<TScriptedUserInterface>();
      try {
        script->AddScriptFile(FScriptName);
      } catch (const EScriptError& e) {
        throw EToolError(e.Message());
      } catch (const Exception& e) {
        throw EToolError(FScriptName + ": " + e.Message());
      }
      FScript = script.get();
      FService = std::move(script);
    } else if (UseQtUserInterfaceIfAvailable()) {
      // A person at a display (or Qt's offscreen platform, when asked for):
      // the Qt service is active from here on.
      FQt = true;
      return;
    } else {
      FService = std::make_unique<TNobodyThere>();
      FNobody = true;
    }
    FScope.emplace(*FService);
  }
  ~TPerson() {
    if (FQt) CloseQtUserInterface();
  }
  TPerson(const TPerson&) = delete;
  TPerson& operator=(const TPerson&) = delete;

  // Refuses at once what would show `what`, rather than after the dialog
  // has started.
  void RequirePresent(const String& what) const {
    if (FNobody) TNobodyThere::Refuse(what);
  }

  // Runs an action that shows dialogs; an error of the script names it, and
  // a script with steps left when the action ends is out of step with it.
  template <class F>
  void Act(F&& action) {
    try {
      action();
    } catch (const EScriptError& e) {
      throw EToolError(FScriptName + ": " + e.Message());
    }
    if (FScript && FScript->Remaining() > 0)
      throw EToolError(Format("%s: %d steps of the script were not taken; nothing was written",
                              {FScriptName, FScript->Remaining()}));
  }

 private:
  String FScriptName;
  std::unique_ptr<TUserInterface> FService;
  TScriptedUserInterface* FScript = nullptr;
  bool FNobody = false;
  bool FQt = false;
  std::optional<TUserInterfaceScope> FScope;
};

// The files a design-time tool writes while a command runs (the editor's
// Save and Export) are listed with -v, as the command's own are.
class TListToolWrites {
 public:
  explicit TListToolWrites(TCommandIO& io) {
    ToolServices->OnFileWritten = [&io](const String& file) { io.Wrote(file); };
  }
  ~TListToolWrites() { ToolServices->OnFileWritten = nullptr; }
  TListToolWrites(const TListToolWrites&) = delete;
  TListToolWrites& operator=(const TListToolWrites&) = delete;
};

// One form in the design host, with its designer.
class TDesignSession {
 public:
  // A session that may write the form back notes first how the form would
  // be written, to tell later what changed (and so fails at once on a form
  // that cannot be written).
  enum class TUse { Look, Change };

  TDesignSession(const String& fileName, TUse use)
      : FDocument(fileName, TFormDocument::TAccess::Design), FDesigner(FDocument.Root()) {
    FTranslators = FDocument.Translators();
    if (use == TUse::Change) FBefore = Snapshot();
  }

  TFormDesigner& Designer() { return FDesigner; }
  const String& FileName() const { return FDocument.FileName(); }

  // The form itself (no name, or its own), or a component it owns.
  TComponent* Component(const String& name) {
    TComponent* root = FDocument.Root();
    if (name.empty() || SameText(name, root->Name())) return root;
    TComponent* found = root->FindComponent(name);
    if (!found) throw EToolError(FileName() + ": the form has no component named " + name);
    return found;
  }

  TGlossmith* Translator(const TTranslatorChoice& choice) {
    if (FTranslators.empty()) throw EToolError(FileName() + ": the form has no translator");
    return FDocument.Choose(choice);
  }

  // With --allow-outside a translator's file outside the form's folder tree
  // is written without a question.
  void AllowOutside(bool Value) { FAllowOutside = Value; }

  // Before a person works on `translator` when its file lies outside the
  // form's folder tree: the resolved path is shown, and the file is written
  // there only after a Yes (or with --allow-outside).
  void ConfirmOutside(TGlossmith* translator) {
    for (const TOutsideFile& outside : FilesOutside(FileName(), {translator})) {
      if (FAllowOutside ||
          MessageDlg(DescribeOutside(FileName(), outside) + ". Write it there when it changes ?",
                     mtConfirmation, {mbYes, mbNo}, 0) == mrYes) {
        FConfirmed.push_back(outside.File);
        continue;
      }
      throw EToolError(DescribeOutside(FileName(), outside) + "; nothing was written (" +
                       AllowOutsideOption + " writes it there)");
    }
  }

  // Runs one verb of a component's editor, as its context menu does; the
  // translations of `writer` may be written afterwards.
  void ExecuteVerb(TComponentEditor& editor, int index, TPerson& person,
                   TGlossmith* writer = nullptr) {
    person.Act([&] {
      if (writer) ConfirmOutside(writer);
      try {
        editor.ExecuteVerb(index);
      } catch (const EToolError&) {
        throw;
      } catch (const EScriptError&) {
        throw;
      } catch (const Exception& e) {
        throw EToolError(FileName() + ": " + e.Message());
      }
    });
  }

  // Writes back what the designer's changes changed: the form when what it
  // writes changed, the translation file of each translator whose list (or
  // FileName) changed; nothing when the designer was not told of a change.
  // The files are replaced together or not at all. A translation file gets
  // the person's changes to the list (see MergeWithFile), so that what other
  // programs saved into it meanwhile stays.
  void Save(TCommandIO& io) {
    if (!FDesigner.IsModified() || !FBefore) return;
    const TState now = Snapshot();
    const TState& before = *FBefore;
    const bool formChanged = now.Form != before.Form;
    std::vector<size_t> changed;
    for (size_t i = 0; i < FTranslators.size(); ++i)
      if (now.Lists[i] != before.Lists[i] || now.FileNames[i] != before.FileNames[i])
        changed.push_back(i);
    auto isChanged = [&](TGlossmith* t) {
      return std::any_of(changed.begin(), changed.end(),
                         [&](size_t i) { return FTranslators[i] == t; });
    };
    {
      std::vector<TGlossmith*> translators;
      for (size_t i : changed) translators.push_back(FTranslators[i]);
      RequireConfirmed(translators);
    }
    TAtomicFileTransaction transaction;
    // The translation files' locks, in one order for every process.
    auto lockFiles = [&] {
      std::vector<std::pair<String, String>> locks;  // lock file, file
      for (size_t i : changed)
        if (const String file = FTranslators[i]->StorageFile(); !file.empty())
          locks.emplace_back(TFileLock::LockFileName(file), file);
      std::sort(locks.begin(), locks.end());
      for (const auto& [lock, file] : locks)
        FDocument.Guard([&] {
          transaction.Lock(file);
          return 0;
        });
    };
    std::vector<String> written;
    if (formChanged) {
      for (size_t i = 0; i < FTranslators.size(); ++i)
        if (before.Translate[i] && !now.Translate[i])
          io.Err << "gls: " << FileName() << ": "
                 << glsstorage::DescribeTranslator(*FTranslators[i])
                 << " is written with Translate False, as a designer leaves it after its "
                    "editor\n";
      // The form's lock comes before its translation files' locks.
      FDocument.LockUnchanged();
      lockFiles();
      for (size_t i : changed) MergeWithFile(i, transaction);
      // Only the lists that changed go to their translation files.
      for (TGlossmith* t : FTranslators)
        if (!isChanged(t)) t->SetStorageFile(String());
      FDocument.Write(String(), std::nullopt, [&](const String& file) { written.push_back(file); });
    } else {
      lockFiles();
      for (size_t i : changed) {
        TGlossmith* t = FTranslators[i];
        const String file = t->StorageFile();
        if (file.empty()) continue;
        MergeWithFile(i, transaction);
        FDocument.Guard([&] {
          t->SaveTo(file);
          return 0;
        });
        written.push_back(file);
      }
    }
    try {
      transaction.Commit();
    } catch (const Exception& e) {
      throw EToolError(e.Message());
    }
    for (const String& file : written) io.Wrote(file);
    FDesigner.ClearModified();
  }

 private:
  // No translation file outside the form's folder tree is written unless the
  // person confirmed it or the command allows it.
  void RequireConfirmed(const std::vector<TGlossmith*>& translators) const {
    if (FAllowOutside) return;
    for (const TOutsideFile& outside : FilesOutside(FileName(), translators))
      if (std::find(FConfirmed.begin(), FConfirmed.end(), outside.File) == FConfirmed.end())
        throw EToolError(DescribeOutside(FileName(), outside) + "; nothing was written (" +
                         AllowOutsideOption + " writes it there)");
  }

  // What a form's changes are told by: the form as written (without its
  // translators' files), and each translator's list, FileName and Translate.
  struct TState {
    String Form;
    std::vector<std::vector<String>> Lists;
    std::vector<String> FileNames;
    std::vector<Integer> Locales;
    std::vector<bool> Translate;
  };

  // The entries of a list by their paths.
  static std::map<String, String> ByPath(const std::vector<String>& entries) {
    std::map<String, String> byPath;
    for (const String& entry : entries) byPath[String(glsstorage::Before(entry, '='))] = entry;
    return byPath;
  }

  // The person worked on the list as the translation file held it when the
  // form was read; another program may have saved into the file since. Under
  // the file's lock (kept by `transaction` until the file is replaced), the
  // list becomes what the file holds now with the person's changes on it:
  // each entry they added, changed or removed. An entry that both changed
  // differently is refused with a message, and nothing is written.
  void MergeWithFile(size_t i, TAtomicFileTransaction& transaction) {
    TGlossmith* t = FTranslators[i];
    const TState& before = *FBefore;
    const String file = t->StorageFile();
    // A list moved to another file or locale goes there as it is.
    if (file.empty() || t->FileName() != before.FileNames[i] || t->Locale() != before.Locales[i])
      return;
    auto* list = dynamic_cast<TSortList*>(t->Translations());
    if (!list) return;
    TSortList onDisk;
    FDocument.Guard([&] {
      transaction.Lock(file);
      const String latest = LatestVersion(file);
      if (FileExists(latest)) {
        TMappedFile text(latest);
        glsstorage::MergeLoadedLines(text.Text(), glsstorage::RequireFormName(*t), t->Locale(),
                                     onDisk);
      }
      return 0;
    });
    std::vector<String> mineList;
    for (int k = 0; k < list->Count(); ++k) mineList.push_back(list->Strings(k));
    std::vector<String> theirsList;
    for (int k = 0; k < onDisk.Count(); ++k) theirsList.push_back(onDisk.Strings(k));
    const std::map<String, String> base = ByPath(before.Lists[i]);
    const std::map<String, String> mine = ByPath(mineList);
    std::map<String, String> merged = ByPath(theirsList);
    if (merged == base) return;  // nobody else changed the list
    const std::map<String, String> theirs = merged;
    auto entry = [](const std::map<String, String>& m, const String& path) -> std::optional<String> {
      auto it = m.find(path);
      return it == m.end() ? std::nullopt : std::optional<String>(it->second);
    };
    std::vector<String> paths;
    for (const auto& [path, e] : base) paths.push_back(path);
    for (const auto& [path, e] : mine) paths.push_back(path);
    std::sort(paths.begin(), paths.end());
    paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
    for (const String& path : paths) {
      const std::optional<String> was = entry(base, path), now = entry(mine, path);
      if (was == now) continue;
      const std::optional<String> there = entry(theirs, path);
      if (there != was && there != now)
        throw EToolError(Format(
            "%s: %s was changed by another program while the editor was open (%s); nothing "
            "was written",
            {file, path, glsstorage::DescribeTranslator(*t)}));
      if (now)
        merged[path] = *now;
      else
        merged.erase(path);
    }
    list->BeginUpdate();
    list->Clear();
    for (const auto& [path, e] : merged) list->SortInsert(e, nullptr);
    list->EndUpdate();
  }

  TState Snapshot() {
    TState state;
    struct TReset {
      const std::vector<TGlossmith*>& List;
      ~TReset() {
        for (TGlossmith* t : List) t->ResetStorageFile();
      }
    } reset{FTranslators};
    for (TGlossmith* t : FTranslators) {
      t->SetStorageFile(String());
      std::vector<String> lines;
      for (int i = 0; i < t->Translations()->Count(); ++i)
        lines.push_back(t->Translations()->Strings(i));
      state.Lists.push_back(std::move(lines));
      state.FileNames.push_back(t->FileName());
      state.Locales.push_back(t->Locale());
      state.Translate.push_back(t->Translate());
    }
    state.Form = FDocument.WriteToString();
    return state;
  }

  TFormDocument FDocument;
  TFormDesigner FDesigner;
  std::vector<TGlossmith*> FTranslators;
  std::optional<TState> FBefore;
  bool FAllowOutside = false;
  std::vector<String> FConfirmed;
};

const char* const EditorVerb = "the translations editor";

int Edit(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {kLocale, kTranslator, kScript, kAllowOutside, kVerbose, kHelp});
  if (cmd.Has("-v")) io.Verbose = true;
  Operands(cmd, 1, 1, "FORM");
  const TTranslatorChoice choice = ChoiceOf(cmd);
  TPerson person(cmd);
  person.RequirePresent(EditorVerb);
  RegisterPackage();
  TDesignSession session(cmd.Operands()[0], TDesignSession::TUse::Change);
  TGlossmith* translator = session.Translator(choice);
  session.AllowOutside(cmd.Has(AllowOutsideOption));
  auto editor = GetComponentEditor(translator, &session.Designer());
  TListToolWrites listed(io);
  session.ExecuteVerb(*editor, 0, person, translator);
  session.Save(io);
  return 0;
}

// How the inspector offers a property: typed into or read-only, with a
// drop-down list, a dialog button, sub-properties.
String EditingOf(TPropertyAttributes attributes) {
  String text = attributes.Contains(paReadOnly) ? "read-only" : "typed";
  if (attributes.Contains(paValueList)) text += " list";
  if (attributes.Contains(paDialog)) text += " dialog";
  if (attributes.Contains(paSubProperties)) text += " sub-properties";
  return text;
}

int Inspect(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {{"--events", false}, kVerbose, kHelp});
  Operands(cmd, 1, 2, "FORM [COMPONENT]");
  const bool events = cmd.Has("--events");
  RegisterPackage();
  TDesignSession session(cmd.Operands()[0], TDesignSession::TUse::Look);
  TComponent* component = session.Component(cmd.Operands().size() > 1 ? cmd.Operands()[1] : "");
  auto editors =
      GetComponentProperties({component}, events ? tkMethods : tkProperties, &session.Designer());
  // The inspector lists properties by name.
  std::stable_sort(editors.begin(), editors.end(), [](const auto& a, const auto& b) {
    return AnsiCompareText(a->GetName(), b->GetName()) < 0;
  });
  std::vector<std::array<String, 3>> rows{{events ? "Event" : "Property", "Editing", "Value"}};
  for (const auto& editor : editors) {
    String value;
    try {
      value = TGlossmith::WriteString(editor->GetValue());
    } catch (const Exception& e) {
      value = "(" + e.Message() + ")";
    }
    rows.push_back({editor->GetName(), EditingOf(editor->GetAttributes()), value});
  }
  size_t name = 0, editing = 0;
  for (const auto& row : rows) {
    name = std::max(name, row[0].size());
    editing = std::max(editing, row[1].size());
  }
  auto print = [&](const String& a, const String& b, const String& c) {
    io.Out << a << String(name - a.size() + 2, ' ') << b << String(editing - b.size() + 2, ' ') << c
           << "\n";
  };
  print(rows[0][0], rows[0][1], rows[0][2]);
  print(String(name, '-'), String(editing, '-'), String(5, '-'));
  for (size_t i = 1; i < rows.size(); ++i) print(rows[i][0], rows[i][1], rows[i][2]);
  return 0;
}

int Verbs(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {kVerbose, kHelp});
  Operands(cmd, 2, 2, "FORM COMPONENT");
  RegisterPackage();
  TDesignSession session(cmd.Operands()[0], TDesignSession::TUse::Look);
  auto editor = GetComponentEditor(session.Component(cmd.Operands()[1]), &session.Designer());
  for (int i = 0; i < editor->GetVerbCount(); ++i)
    io.Out << i << "\t" << editor->GetVerb(i) << "\n";
  return 0;
}

int Verb(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {kScript, kAllowOutside, kVerbose, kHelp});
  if (cmd.Has("-v")) io.Verbose = true;
  Operands(cmd, 3, 3, "FORM COMPONENT INDEX");
  Integer index = 0;
  if (!TryStrToInt(cmd.Operands()[2], index))
    throw EUsageError("INDEX must be a number, not '" + cmd.Operands()[2] + "'");
  TPerson person(cmd);
  RegisterPackage();
  TDesignSession session(cmd.Operands()[0], TDesignSession::TUse::Change);
  TComponent* component = session.Component(cmd.Operands()[1]);
  auto editor = GetComponentEditor(component, &session.Designer());
  const int count = editor->GetVerbCount();
  if (index < 0 || index >= count)
    throw EToolError(Format("%s: %s has no verb %d (its verbs: %d)",
                            {session.FileName(), component->Name(), index, count}));
  TGlossmith* writer = nullptr;
  if (index == 0 && dynamic_cast<TGlossmithEditor*>(editor.get())) {
    person.RequirePresent(EditorVerb);
    writer = dynamic_cast<TGlossmith*>(component);
  }
  session.AllowOutside(cmd.Has(AllowOutsideOption));
  TListToolWrites listed(io);
  session.ExecuteVerb(*editor, index, person, writer);
  session.Save(io);
  return 0;
}

int Palette(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {{"--bitmap", true}, kVerbose, kHelp});
  if (cmd.Has("-v")) io.Verbose = true;
  Operands(cmd, 0, 1, "[CLASS]");
  RegisterPackage();
  const std::vector<TPalettePage> pages = PalettePages();
  const String className = cmd.Operands().empty() ? String() : cmd.Operands()[0];
  auto wanted = [&](const TClassInfo* info) {
    return className.empty() || SameText(info->Name(), className);
  };
  std::vector<const TClassInfo*> shown;
  for (const TPalettePage& page : pages)
    for (const TClassInfo* info : page.ComponentClasses)
      if (wanted(info)) shown.push_back(info);
  if (!className.empty() && shown.empty())
    throw EToolError("no component class " + className + " is on the palette");

  if (cmd.Has("--bitmap")) {
    const String out = cmd.Value("--bitmap");
    if (out.empty()) throw EUsageError("missing --bitmap FILE");
    if (shown.size() != 1)
      throw EUsageError(
          "several components are on the palette; name the CLASS whose bitmap to write");
    const std::string_view bitmap = PaletteBitmap(*shown.front());
    if (bitmap.empty()) throw EToolError(shown.front()->Name() + " has no palette bitmap");
    try {
      WriteFileAtomically(out, String(bitmap));
    } catch (const Exception& e) {
      throw EToolError(out + ": " + e.Message());
    }
    io.Wrote(out);
    return 0;
  }
  for (const TPalettePage& page : pages) {
    if (std::none_of(page.ComponentClasses.begin(), page.ComponentClasses.end(), wanted)) continue;
    io.Out << page.Name << "\n";
    for (const TClassInfo* info : page.ComponentClasses)
      if (wanted(info)) io.Out << "  " << info->Name() << "\n";
  }
  return 0;
}

}  // namespace

const TCommandInfo EditCommand{
    "edit", Edit, "edit FORM [--locale N | --translator NAME] [--script FILE] [--allow-outside]",
    "Opens the translations editor on the form's translator, as a designer's\n"
    "\"Form Translation Editor\" does: the form is read in design mode and the\n"
    "dialog is shown to a person at a display (when the tool has a front end)\n"
    "or run from a script. When it closes with OK and the translations\n"
    "changed, the form is written back in place and the translator's\n"
    "translation file brought up to date; otherwise no file is touched.\n"
    "When the translator's FileName names a file outside the form's folder,\n"
    "that file's full path is shown first, and it is written only after a\n"
    "Yes (answered by the person or the script).\n"
    "  --locale N         the translator of that Locale\n"
    "  --translator NAME  the translator of that name\n"
    "  --script FILE      run the dialog from a script (docs/SCRIPTS.md)\n"
    "  --allow-outside    write the translator's file where its FileName names it\n"
    "                     outside the form's folder, without asking first\n"};

const TCommandInfo InspectCommand{
    "inspect", Inspect, "inspect FORM [COMPONENT] [--events]",
    "Shows what the object inspector shows for the component (by default the\n"
    "form): each published property by name, whether it can be typed into or\n"
    "is read-only (and offers a list, a dialog or sub-properties), and the\n"
    "text its property editor gives.\n"
    "  --events           the events instead of the properties\n"};

const TCommandInfo VerbsCommand{"verbs", Verbs, "verbs FORM COMPONENT",
                                "Lists the verbs of the component's context menu in a designer,\n"
                                "one line each: the index, a tab and the text.\n"};

const TCommandInfo VerbCommand{
    "verb", Verb, "verb FORM COMPONENT INDEX [--script FILE] [--allow-outside]",
    "Runs one verb of the component's context menu (see verbs). Dialogs are\n"
    "shown to a person at a display or answered by the script; a verb that\n"
    "changes the form writes it back as edit does.\n"
    "  --script FILE      answer the dialogs from a script (docs/SCRIPTS.md)\n"
    "  --allow-outside    as for edit\n"};

const TCommandInfo PaletteCommand{
    "palette", Palette, "palette [CLASS] [--bitmap OUT.bmp]",
    "Lists the component palette's pages and their components, or writes\n"
    "the palette bitmap of the component (CLASS, when several are there).\n"
    "  --bitmap OUT.bmp   write the bitmap to OUT.bmp\n"};

}  // namespace Glossmith::Tool

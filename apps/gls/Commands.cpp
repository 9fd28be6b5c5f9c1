#include "Commands.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <optional>
#include <ostream>

#include "CommandLine.h"
#include "FormDocument.h"
#include "Intake.h"
#include "Places.h"
#include "TextTable.h"
#include "check/Pseudo.h"
#include "gls/FileMerge.h"
#include "gls/FileUpdate.h"
#include "gls/StorageSupport.h"
#include "host/classes/Streams.h"

namespace Glossmith::Tool {

namespace {

const TOptionSpec kLocale{"--locale", true};
const TOptionSpec kTranslator{"--translator", true};
const TOptionSpec kOutput{"-o", true};
const TOptionSpec kHelp{"--help", false};
const TOptionSpec kVerbose{"-v", false};
const TOptionSpec kTranslations{"--translations", true};
const TOptionSpec kAllowOutside{AllowOutsideOption, false};

// -v asks for the list of the files written.
void TakeVerbose(const TCommandLine& cmd, TCommandIO& io) {
  if (cmd.Has("-v")) io.Verbose = true;
}

void NeedOperands(const TCommandLine& cmd, size_t least, size_t most, const char* what) {
  size_t n = cmd.Operands().size();
  if (n < least) throw EUsageError(Format("missing %s", {what}));
  if (n > most) throw EUsageError(Format("too many operands; expected %s", {what}));
}

String NeedValue(const TCommandLine& cmd, const char* option) {
  String value = cmd.Value(option);
  if (value.empty()) throw EUsageError(Format("missing %s FILE", {option}));
  return value;
}

// The file an option names for reading: a folder or a missing file is
// refused by name before anything else is done.
void NeedInputFile(const String& file) {
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec))
    throw EToolError(file + ": is a folder, not a file");
  if (!FileExists(file)) throw EToolError(file + ": no such file");
}

// The folder a file is to be written into must be there: a missing one is
// reported by its own name before anything is written.
void NeedOutputFolder(const String& file) {
  if (file.empty() || file == "-") return;
  const std::filesystem::path folder = std::filesystem::path(file).parent_path();
  if (folder.empty()) return;
  std::error_code ec;
  if (!std::filesystem::exists(folder, ec))
    throw EToolError(folder.string() + ": no such folder (to write " + file + " into)");
  if (!std::filesystem::is_directory(folder, ec))
    throw EToolError(folder.string() + ": is not a folder (to write " + file + " into)");
}

// The plain text of a string value in literal form; false for any other value.
bool PlainText(std::string_view value, String& text) {
  if (value.empty() || (value[0] != '\'' && value[0] != '#')) return false;
  text = String(value);
  try {
    TGlossmith::ConvertFromLiterals(text);
  } catch (const EConvertError&) {
    return false;
  }
  return true;
}

// The lines of a collecting walk over the form, untranslated.
std::unique_ptr<TStringList> Collect(TFormDocument& doc, TGlossmith* translator) {
  auto lines = std::make_unique<TStringList>();
  doc.Guard([&] { return translator->TranslateForm(lines.get(), true); });
  return lines;
}

// For extract: the chosen translator, else the form's first, else a temporary one.
TGlossmith* WalkingTranslator(TFormDocument& doc, const TTranslatorChoice& choice) {
  if (!choice.Given()) {
    auto all = doc.Translators();
    if (!all.empty()) return all.front();
  }
  return doc.Choose(choice);
}

// The message for a line of the form's in a translation file whose locale is
// no number: the first such line when loading, the last when saving.
std::optional<String> BadLocaleMessage(const String& file, std::string_view formName,
                                       const EConvertError& e, bool saving) {
  String line;
  const auto place = FindBadLocaleLine(file, formName, saving, line);
  if (!place) return std::nullopt;
  return PlacedMessage(*place, line, ReasonOf(e));
}

// Writes the form back, in place or to -o OUT, with the translators' files
// as --translations says, listing what it wrote with -v.
void WriteBack(TFormDocument& doc, const TCommandLine& cmd, TCommandIO& io) {
  const String out = cmd.Value("-o");
  std::optional<String> translations;
  if (cmd.Has("--translations")) translations = NeedValue(cmd, "--translations");
  NeedOutputFolder(out);
  if (translations) NeedOutputFolder(*translations);
  const std::vector<String> files = doc.TranslationFiles();
  // In place, each translator writes the file its FileName names, which the
  // form chose, not the user: outside the form's folder only when allowed.
  if (out.empty() && !translations && !cmd.Has(AllowOutsideOption))
    for (const TOutsideFile& outside : FilesOutside(doc.FileName(), doc.Translators()))
      throw EToolError(DescribeOutside(doc.FileName(), outside) + "; nothing was written (" +
                       AllowOutsideOption + " writes it there)");
  if (translations && files.empty()) {
    io.Err << "gls: " << doc.FileName()
           << ": no translator keeps its list in a file; --translations writes nothing\n";
  } else if (!out.empty() && !translations) {
    for (const String& file : files)
      io.Err << "gls: " << doc.FileName() << ": the translators' lists in " << file
             << " are not written (-o changes nothing else); --translations FILE writes them\n";
  }
  doc.Write(out, translations, [&io](const String& file) { io.Wrote(file); });
}

int Extract(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {kLocale, kTranslator, {"--texts", false}, kVerbose, kHelp});
  TakeVerbose(cmd, io);
  NeedOperands(cmd, 1, SIZE_MAX, "FORM");
  const bool textsOnly = cmd.Has("--texts");
  const TTranslatorChoice choice = ChoiceOf(cmd);
  const bool several = cmd.Operands().size() > 1;
  for (const String& file : cmd.Operands()) {
    TFormDocument doc(file);
    auto lines = Collect(doc, WalkingTranslator(doc, choice));
    if (several) io.Out << "# " << file << "\n";
    for (const auto& item : lines->Items()) {
      String text;
      if (textsOnly && !(PlainText(glsstorage::After(item.Str, '='), text) && !text.empty()))
        continue;
      io.Out << item.Str << "\n";
    }
  }
  return 0;
}

// Writes `data` to `fileName` atomically, or to standard output.
void Emit(const String& fileName, const String& data, TCommandIO& io) {
  if (fileName.empty() || fileName == "-") {
    io.Out << data;
    return;
  }
  NeedOutputFolder(fileName);
  try {
    WriteFileAtomically(fileName, data);
  } catch (const Exception& e) {
    throw EToolError(fileName + ": " + e.Message());
  }
  io.Wrote(fileName);
}

int Translate(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {kLocale, kTranslator, kOutput, kVerbose, kHelp});
  TakeVerbose(cmd, io);
  NeedOperands(cmd, 1, 1, "FORM");
  const TTranslatorChoice choice = ChoiceOf(cmd);
  if (!choice.Given()) throw EUsageError("translate needs --locale N or --translator NAME");
  TFormDocument doc(cmd.Operands()[0]);
  TGlossmith* translator = doc.Choose(choice);
  doc.Guard([&] {
    translator->SetTranslate(true);
    return 0;
  });
  if (!translator->IsTranslated())
    io.Err << "gls: " << doc.FileName() << ": " << glsstorage::DescribeTranslator(*translator)
           << " has no translations; the form is written untranslated\n";
  // The form as it shows: its translators are not part of what it shows.
  doc.RemoveTranslators();
  Emit(cmd.Value("-o"), doc.WriteToString(), io);
  return 0;
}

int Show(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {kLocale, kVerbose, kHelp});
  TakeVerbose(cmd, io);
  NeedOperands(cmd, 1, 1, "FORM");
  TFormDocument doc(cmd.Operands()[0]);
  std::vector<TGlossmith*> translators;
  for (const String& text : cmd.Values("--locale")) {
    Integer locale;
    if (!TryStrToInt(text, locale))
      throw EUsageError("--locale needs a number, not '" + text + "'");
    TTranslatorChoice choice;
    choice.Locale = locale;
    translators.push_back(doc.Choose(choice));
  }
  if (translators.empty()) translators = doc.Translators();
  TGlossmith* walker = translators.empty() ? doc.Choose({}) : translators.front();
  auto lines = Collect(doc, walker);

  TTextTable table;
  std::vector<String> header{"Component", "Property", "Untranslated"};
  for (TGlossmith* t : translators)
    header.push_back(t->Name().empty() ? "Locale " + IntToStr(t->Locale())
                                       : t->Name() + " (" + IntToStr(t->Locale()) + ")");
  table.AddRow(header);
  for (const auto& item : lines->Items()) {
    std::string_view path = glsstorage::Before(item.Str, '=');
    String original;
    if (!PlainText(glsstorage::After(item.Str, '='), original) || original.empty()) continue;
    if (path == "Name" || path.ends_with(".Name")) continue;
    size_t dot = path.find('.');
    // The translators' own properties are no texts of the form.
    if (dot != std::string_view::npos &&
        dynamic_cast<TGlossmith*>(doc.Root()->FindComponent(path.substr(0, dot))))
      continue;
    std::vector<String> row{
        dot == std::string_view::npos ? String("(form)") : String(path.substr(0, dot)),
        String(dot == std::string_view::npos ? path : path.substr(dot + 1)), original};
    for (TGlossmith* t : translators) {
      String shown = original;
      int index;
      auto* list = dynamic_cast<TStringList*>(t->Translations());
      if (list && glsstorage::FindEntry(*list, path, index)) {
        String value(glsstorage::After(list->At(index), '='));
        try {
          TGlossmith::ConvertFromLiterals(value);
          if (!value.empty() || t->TranslateEmpty()) shown = value;
        } catch (const EConvertError&) {
        }
      }
      row.push_back(shown);
    }
    table.AddRow(row);
  }
  table.Print(io.Out);
  return 0;
}

// A progress line on standard error for a command that works through many
// forms: only on a terminal, one line written over in place, ended before
// anything else is printed (also when an error ends the command).
class TProgress {
 public:
  TProgress(TCommandIO& io, size_t forms) : FIo(io), FShown(io.ErrIsTerminal && forms > 5) {}
  ~TProgress() { End(); }
  TProgress(const TProgress&) = delete;
  TProgress& operator=(const TProgress&) = delete;

  void Show(const String& text) {
    if (FShown) FIo.Err << "\r" << text << "\x1b[K" << std::flush;
  }
  void End() {
    if (FShown) FIo.Err << "\n" << std::flush;
    FShown = false;
  }

 private:
  TCommandIO& FIo;
  bool FShown;
};

// A form as error messages name it, also once it is closed.
struct TFormRef {
  String FileName;
  String FormName;
};

// The translator an update's last error belongs to, as a position among the
// calls that added translators; an update that merges each translator when
// it is added raises only errors of the one being added.
template <class Update>
int ErrorSourceOf(const Update& update, int current) {
  if constexpr (requires { update.ErrorSource(); })
    return update.ErrorSource();
  else
    return current;
}

// gls save and gls dict export: adds the chosen translators of every FORM to
// an Update of the file --to with `add`, one form at a time, then writes the
// file once. An error ends the command after writing what the forms before
// it added, as saving form by form would have. describe(to, form, doc, e)
// gives the message for an error of a translator of `form`; doc is the
// form's document while it is open, else null (an update may raise the error
// of a translator of a form already closed).
template <class Update, class Add, class Describe>
int AddForms(const std::vector<String>& args, TCommandIO& io, const char* done, Add add,
             Describe describe) {
  TCommandLine cmd(args, {kLocale, kTranslator, {"--to", true}, kVerbose, kHelp});
  TakeVerbose(cmd, io);
  NeedOperands(cmd, 1, SIZE_MAX, "FORM");
  const String to = NeedValue(cmd, "--to");
  NeedOutputFolder(to);
  const std::vector<String>& files = cmd.Operands();
  const TTranslatorChoice choice = ChoiceOf(cmd);
  Update update(to);
  TProgress progress(io, files.size());
  std::vector<TFormRef> added;  // the form of each translator added, in order
  const TFormDocument* open = nullptr;
  size_t openFrom = 0;  // the first translator added of the open form
  auto failure = [&](const Exception& e) {
    const int source = ErrorSourceOf(update, static_cast<int>(added.size()) - 1);
    if (source < 0 || static_cast<size_t>(source) >= added.size())
      return EToolError(to + ": " + e.Message());
    const auto at = static_cast<size_t>(source);
    return EToolError(describe(to, added[at], at >= openFrom ? open : nullptr, e));
  };
  auto commit = [&] {
    progress.Show(Format("writing %s", {to}));
    std::optional<EToolError> failed;
    if constexpr (requires { update.Merge(); }) {
      try {
        update.Merge();
      } catch (const Exception& e) {
        failed = failure(e);
      }
    }
    try {
      const bool wrote = update.Count() > 0;
      update.Commit();
      if (wrote) io.Wrote(to);
    } catch (const Exception& e) {
      throw EToolError(to + ": " + e.Message());
    }
    if (failed) throw *failed;
  };
  try {
    for (size_t i = 0; i < files.size(); ++i) {
      progress.Show(Format("reading %u/%u: %s", {i + 1, files.size(), files[i]}));
      TFormDocument doc(files[i]);
      open = &doc;
      openFrom = added.size();
      const TFormRef form{doc.FileName(), glsstorage::FormNameOf(doc.Root())};
      for (TGlossmith* t : doc.ChooseAll(choice)) {
        added.push_back(form);
        try {
          add(update, *t);
        } catch (const Exception& e) {
          throw failure(e);
        }
      }
      open = nullptr;
    }
  } catch (...) {
    open = nullptr;
    commit();
    throw;
  }
  commit();
  progress.Show(Format("%s %u forms to %s", {done, files.size(), to}));
  return 0;
}

int Save(const std::vector<String>& args, TCommandIO& io) {
  return AddForms<TTranslationFileUpdate>(
      args, io, "saved", [](TTranslationFileUpdate& u, TGlossmith& t) { u.Save(t); },
      [](const String& to, const TFormRef& form, const TFormDocument*, const Exception& e) {
        if (auto* convert = dynamic_cast<const EConvertError*>(&e))
          if (auto message = BadLocaleMessage(to, form.FormName, *convert, true)) return *message;
        return form.FileName + ": " + e.Message();
      });
}

bool SameFile(const String& a, const String& b) {
  struct stat first {};
  struct stat second {};
  return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
         first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// How a command that writes the form to `out` opens it: for update when it
// writes the form back in place.
TFormDocument::TAccess AccessFor(const String& form, const String& out) {
  return out.empty() || SameFile(form, out) ? TFormDocument::TAccess::Update
                                            : TFormDocument::TAccess::Read;
}

int Load(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {kLocale,
                          kTranslator,
                          {"--from", true},
                          kOutput,
                          kTranslations,
                          kAllowOutside,
                          kVerbose,
                          kHelp});
  TakeVerbose(cmd, io);
  NeedOperands(cmd, 1, 1, "FORM");
  const String from = NeedValue(cmd, "--from");
  NeedInputFile(from);
  TFormDocument doc(cmd.Operands()[0], AccessFor(cmd.Operands()[0], cmd.Value("-o")));
  for (TGlossmith* t : doc.ChooseAll(ChoiceOf(cmd))) {
    if (doc.IsTemporary(t))
      io.Err << "gls: " << doc.FileName() << ": the form has no translator to load into\n";
    const std::vector<String> before = EntriesOf(*t);
    try {
      t->LoadFrom(from);
    } catch (const EConvertError& e) {
      throw EToolError(
          BadLocaleMessage(from, glsstorage::FormNameOf(doc.Root()), e, false).value_or(doc.FileName() + ": " + e.Message()));
    } catch (const Exception& e) {
      throw EToolError(doc.FileName() + ": " + e.Message());
    }
    if (doc.IsTemporary(t)) continue;
    CheckIntake(doc, *t, before, from, [&](const ETranslationEntryError& e) {
      return FindTranslationLine(from, glsstorage::FormNameOf(doc.Root()), t->Locale(), e.Entry());
    });
  }
  WriteBack(doc, cmd, io);
  return 0;
}

// gls pseudo: adds or refreshes a translator whose texts are the form's own,
// pseudo-localized, and writes the form back.
int Pseudo(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {kLocale,
                          {"--expand", true},
                          {"--mirror", false},
                          kOutput,
                          kTranslations,
                          kVerbose,
                          kHelp});
  TakeVerbose(cmd, io);
  NeedOperands(cmd, 1, 1, "FORM");
  TPseudoOptions options;
  options.Mirror = cmd.Has("--mirror");
  Integer expand = options.Expand;
  if (cmd.IntValue("--expand", expand) && (expand < 0 || expand > 1000))
    throw EUsageError("--expand is a percentage from 0 to 1000");
  options.Expand = expand;
  Integer locale = options.Mirror ? PseudoMirrorLocale : PseudoLocale;
  cmd.IntValue("--locale", locale);
  TFormDocument doc(cmd.Operands()[0], AccessFor(cmd.Operands()[0], cmd.Value("-o")));
  const std::vector<TGlossmith*> translators = doc.Translators();
  TGlossmith* pseudo = nullptr;
  for (TGlossmith* t : translators)
    if (t->Locale() == locale) pseudo = t;
  TComponent* root = doc.Root();
  if (!pseudo) {
    pseudo = new TGlossmith(root);
    String name = options.Mirror ? "TranslatorPseudoMirror" : "TranslatorPseudo";
    for (int n = 2; root->FindComponent(name); ++n)
      name = (options.Mirror ? "TranslatorPseudoMirror" : "TranslatorPseudo") + IntToStr(n);
    doc.Guard([&] {
      pseudo->SetName(name);
      return 0;
    });
    pseudo->SetLocale(locale);
    pseudo->SetTranslate(false);
    // Beside the other translators' lists, so that preview and check find it.
    for (TGlossmith* t : translators)
      if (!t->FileName().empty()) {
        pseudo->SetFileName(t->FileName());
        break;
      }
  }
  // The form's texts, untranslated.
  TStringList lines;
  doc.Guard([&] { return pseudo->TranslateForm(&lines, true); });
  TStringList entries;
  for (const auto& item : lines.Items()) {
    const std::string_view path = glsstorage::Before(item.Str, '=');
    // References to other components are walked through; their texts are
    // the other component's, which has entries of its own.
    if (path.find(".FocusControl.") != std::string_view::npos ||
        path.find(".PopupMenu.") != std::string_view::npos ||
        path.find(".Action.") != std::string_view::npos)
      continue;
    std::string_view name = path.substr(path.rfind('.') == std::string_view::npos ? 0 : path.rfind('.') + 1);
    name = name.substr(0, name.find('['));
    String text;
    if (!IsTextProperty(name) || !PlainText(glsstorage::After(item.Str, '='), text)) continue;
    String shown = Pseudolocalize(text, options);
    if (shown == text) continue;
    TGlossmith::ConvertToLiterals(shown);
    entries.Add(String(path) + "=" + shown);
  }
  if (options.Mirror && GetPropInfo(root, "BiDiMode")) entries.Add("BiDiMode=bdRightToLeft");
  pseudo->SetTranslations(&entries);
  io.Err << "gls: " << doc.FileName() << ": " << entries.Count() << " texts pseudo-localized by "
         << glsstorage::DescribeTranslator(*pseudo) << "\n";
  WriteBack(doc, cmd, io);
  return 0;
}

int DictExport(const std::vector<String>& args, TCommandIO& io) {
  return AddForms<TDictionaryUpdate>(
      args, io, "exported", [](TDictionaryUpdate& u, TGlossmith& t) { u.Export(t); },
      [](const String&, const TFormRef& form, const TFormDocument* doc, const Exception& e) {
        if (auto* entry = dynamic_cast<const ETranslationEntryError*>(&e); entry && doc)
          return doc->EntryErrorMessage(*entry);
        return form.FileName + ": " + e.Message();
      });
}

int DictImport(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {kLocale,
                          kTranslator,
                          {"--from", true},
                          kOutput,
                          kTranslations,
                          kAllowOutside,
                          kVerbose,
                          kHelp});
  TakeVerbose(cmd, io);
  NeedOperands(cmd, 1, 1, "FORM");
  const String from = NeedValue(cmd, "--from");
  NeedInputFile(from);
  TFormDocument doc(cmd.Operands()[0], AccessFor(cmd.Operands()[0], cmd.Value("-o")));
  TGlossmith* t = doc.Choose(ChoiceOf(cmd));
  if (doc.IsTemporary(t))
    io.Err << "gls: " << doc.FileName() << ": the form has no translator to import into\n";
  const std::vector<String> before = EntriesOf(*t);
  try {
    t->TranslateFrom(from);
  } catch (const Exception& e) {
    throw EToolError(from + ": " + e.Message());
  }
  if (!doc.IsTemporary(t)) {
    CheckIntake(doc, *t, before, from, [&](const ETranslationEntryError& e) {
      const std::optional<String> original = doc.OriginalText(glsstorage::Before(e.Entry(), '='));
      return original ? FindDictionaryLine(from, *original, glsstorage::After(e.Entry(), '='))
                      : std::nullopt;
    });
  }
  WriteBack(doc, cmd, io);
  return 0;
}

int Dict(const std::vector<String>& args, TCommandIO& io) {
  if (args.empty()) throw EUsageError("dict needs 'export' or 'import'");
  std::vector<String> rest(args.begin() + 1, args.end());
  if (args[0] == "export") return DictExport(rest, io);
  if (args[0] == "import") return DictImport(rest, io);
  throw EUsageError("unknown dict command '" + args[0] + "'");
}

}  // namespace

const std::vector<TCommandInfo>& Commands() {
  // What writing a form back does to the files translators keep their lists
  // in (load, dict import).
  static const String translationFiles =
      "\n"
      "A translator whose FileName is set keeps its list in that file, and\n"
      "writing the form back brings the file up to date. With -o nothing but\n"
      "OUT changes: that file is left as it is, and the merged list is written\n"
      "only where --translations names.\n"
      "  -o OUT             write the form to OUT instead of in place\n"
      "  --translations FILE\n"
      "                     write the translators' lists into FILE instead of\n"
      "                     the file their FileName names\n"
      "A FileName that names a file outside the form's folder (an absolute path\n"
      "elsewhere, or ../) is refused, and nothing is written, unless\n"
      "  --allow-outside    write such files where FileName names them\n";
  static const String loadHelp =
      "Merges the form's lines of a translation file into its translators\n"
      "(or the chosen one) and writes the form back (in place unless -o).\n"
      "A line whose value cannot be applied to the form is reported with its\n"
      "file and line number, and nothing is written.\n" +
      translationFiles;
  static const String dictHelp =
      "export: writes the translations of each form into a dictionary of\n"
      "original texts and translations, merging into an existing one.\n"
      "import: fills the chosen translator's entries from a dictionary by\n"
      "their original texts and writes the form back (in place unless -o).\n"
      "A dictionary line whose translation cannot be applied to the property\n"
      "it fills is reported with its file and line number, and nothing is\n"
      "written.\n" +
      translationFiles;
  static const String pseudoHelp =
       "Adds (or refreshes) a translator whose texts are the form's own,\n"
       "pseudo-localized: accented look-alike letters, longer by --expand per\n"
       "cent (short texts more), in brackets so that a cut-off end shows;\n"
       "accelerators, placeholders and line breaks kept. Its Locale is 1281\n"
       "(2559 with --mirror, which also wraps texts for right-to-left display\n"
       "and sets the form's BiDiMode). Then gls preview --locale 1281 and gls\n"
       "check show where the layout breaks. Writes the form back (in place\n"
       "unless -o).\n" +
      translationFiles;
  static const std::vector<TCommandInfo> commands = {
      {"extract", Extract, "extract FORM... [--texts]",
       "Prints, for each form, every property a translator reaches, one line\n"
       "path=value in walk order (string values in literal form).\n"
       "  --texts            only string values that are not empty\n"
       "  --locale N         walk with the translator of that Locale\n"
       "  --translator NAME  walk with the translator of that name\n"},
      {"translate", Translate, "translate FORM (--locale N | --translator NAME) [-o OUT]",
       "Brings the form up as the application would, switches the chosen\n"
       "translator on and writes the form as it then shows, without its\n"
       "translators, to OUT or standard output.\n"},
      {"show", Show, "show FORM [--locale N ...]",
       "Prints a table of the form's texts: untranslated and in each chosen\n"
       "language (by default every translator's).\n"},
      {"preview", RunPreview, "preview FORM... [--locale N] [--screenshot OUT.png]",
       "Shows each form in a window of its own, as the application brings it\n"
       "up, with a Language menu of its translators: choosing one switches\n"
       "the translators of that Locale on every open form. Needs a display\n"
       "(DISPLAY), or QT_QPA_PLATFORM=offscreen.\n"
       "  --locale N         start in the language of the translator of Locale N\n"
       "  --screenshot OUT.png\n"
       "                     render the form's client area into OUT.png without a\n"
       "                     display, and exit (one FORM)\n"},
      {"workbench", RunWorkbench,
       "workbench FORM... (--locale N | --translator NAME) [--from FILE] [--dict DICT...] "
       "[--min-match PERCENT] [--select PATH] [--screenshot OUT.png] [--allow-outside]",
       "The translator's workbench: the forms as the application shows them,\n"
       "beside a panel of every text to translate (path, original,\n"
       "translation, state), with a search, filters, the progress, the\n"
       "findings of gls check under the translation as it is typed, and\n"
       "suggestions from dictionaries and the forms' other texts. Typing a\n"
       "translation shows it on the form at once; clicking a control selects\n"
       "its texts. Ctrl+Enter accepts and goes to the next text to do,\n"
       "Ctrl+Up/Down move, Ctrl+F searches, Ctrl+1..9 take a suggestion,\n"
       "Ctrl+S saves: into the translator's translation file (or the form)\n"
       "under its lock, refusing a file another program changed meanwhile.\n"
       "Needs a display (DISPLAY), or QT_QPA_PLATFORM=offscreen.\n"
       "  --locale N         the translator of Locale N; a form without one gets\n"
       "                     one (TranslatorEs...), its list beside the others'\n"
       "  --translator NAME  the translator of that name\n"
       "  --from FILE        work in this translation file instead\n"
       "  --dict DICT        suggestions from a dictionary (repeatable)\n"
       "  --min-match PERCENT\n"
       "                     suggestions from this match up (75)\n"
       "  --select PATH      start at this text (Form.Path, or Path of the first\n"
       "                     form)\n"
       "  --screenshot OUT.png\n"
       "                     render the window into OUT.png without a display,\n"
       "                     and exit\n"
       "  --allow-outside    let it write a translation file outside the form's\n"
       "                     folder tree\n"},
      {"save", Save, "save FORM... --to FILE [--locale N | --translator NAME]",
       "Saves the translations and the original texts of each form's\n"
       "translators (or the chosen one) into one translation file, keeping\n"
       "the lines of other forms and locales. The file is read and written\n"
       "once, locked against other writers meanwhile.\n"},
      {"load", Load,
       "load FORM --from FILE [--locale N | --translator NAME] [-o OUT] [--translations FILE] "
       "[--allow-outside]",
       loadHelp.c_str()},
      {"dict", Dict,
       "dict export FORM... --to DICT | dict import FORM --from DICT [-o OUT] "
       "[--translations FILE] [--allow-outside]",
       dictHelp.c_str()},
      {"check", RunCheck,
       "check FORM... [--locale N ... | --all] [--from FILE] [--format text|json] [--only CHECKS] "
       "[--skip CHECKS] [--werror] [--estimate] | check --list",
       "Checks every translation of each form's translators (or those of the\n"
       "locales named) against the form: values that do not convert, texts\n"
       "that lost their accelerators or placeholders, captions that clash or\n"
       "are cut off by the controls beside them, and more (--list). Prints one\n"
       "line FILE:LINE: warning|error: PATH: MESSAGE [check] a finding, then a\n"
       "summary. Exit status 0 when clean, 1 when an error was found (or a\n"
       "warning, with --werror), 2 when the check could not run.\n"
       "  --locale N         check the translator of Locale N (repeatable)\n"
       "  --all              check every translator (the default)\n"
       "  --from FILE        check the translations in FILE instead of the\n"
       "                     files the translators name\n"
       "  --format json      the findings as a JSON array (summary on stderr)\n"
       "  --only CHECKS      run only these checks (names, comma-separated)\n"
       "  --skip CHECKS      run all but these checks\n"
       "  --werror           warnings fail the check too\n"
       "  --estimate         measure texts with the bundled font widths even\n"
       "                     when the Qt front end is there\n"
       "  --list             list the checks and what each finds\n"},
      {"pseudo", Pseudo,
       "pseudo FORM [--locale N] [--expand 40] [--mirror] [-o OUT] [--translations FILE]",
       pseudoHelp.c_str()},
      PoCommand,
      XliffCommand,
      EditCommand,
      InspectCommand,
      VerbsCommand,
      VerbCommand,
      PaletteCommand,
      {"demo", RunDemo, "demo", "Shows what Glossmith does, on the bundled example.\n"},
  };
  return commands;
}

const TCommandInfo* FindCommand(const String& name) {
  for (const TCommandInfo& c : Commands())
    if (name == c.Name) return &c;
  return nullptr;
}

void PrintUsage(std::ostream& out) {
  out << "usage: gls COMMAND [ARGS]\n\ncommands:\n";
  for (const TCommandInfo& c : Commands()) out << "  gls " << c.Synopsis << "\n";
  out << "\n  gls COMMAND --help   help on one command\n  gls --version\n"
         "\nA file that another process is writing is waited for up to GLS_LOCK_WAIT\n"
         "seconds (30 unless set in the environment).\n"
         "\nAn input file (form, translation file, dictionary, script) larger than\n"
         "256 MiB is refused; --max-input-size SIZE on any command, or\n"
         "GLS_MAX_INPUT_SIZE, sets another limit (bytes, or with K, M or G; 0: none).\n";
}

void PrintCommandHelp(const TCommandInfo& command, std::ostream& out) {
  out << "usage: gls " << command.Synopsis << "\n\n"
      << command.Help << "  -v                 list each file written, one name a line, on\n"
      << "                     standard error\n";
}

void TCommandIO::Wrote(const String& fileName) {
  if (!Verbose || std::find(Written.begin(), Written.end(), fileName) != Written.end()) return;
  Written.push_back(fileName);
  Err << fileName << "\n";
}

}  // namespace Glossmith::Tool

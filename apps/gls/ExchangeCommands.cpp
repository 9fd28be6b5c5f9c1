// gls po and gls xliff: the translations of forms exported for translators'
// tools and imported back from them.
#include <algorithm>
#include <map>
#include <memory>
#include <unordered_map>
#include <ostream>

#include "CommandLine.h"
#include "Commands.h"
#include "FormDocument.h"
#include "Intake.h"
#include "exchange/Formats.h"
#include "exchange/Po.h"
#include "gls/StorageSupport.h"
#include "host/classes/AtomicFile.h"
#include "host/classes/Streams.h"

namespace Glossmith::Tool {

namespace {

struct TFormat {
  const char* Name;       // "po"
  const char* Extension;  // ".po"
  String (*Write)(const std::vector<TFormUnits>&, const TCatalogInfo&, const String& fileName);
  TIncomingCatalog (*Read)(std::string_view, const String&);
};

String WritePo(const std::vector<TFormUnits>& forms, const TCatalogInfo& info, const String&) {
  return WritePoCatalog(forms, info);
}

const TFormat kPo{"po", ".po", WritePo, ReadPoCatalog};
const TFormat kXliff{"xliff", ".xlf", WriteXliffCatalog, ReadXliffCatalog};

// The translation files the commands read, each locked and read once, and
// kept locked until the command ends, so that what an import writes is
// merged into what it read.
class TTranslationFiles {
 public:
  // The file's content, or nullopt when there is no such file.
  const std::optional<String>& Read(const String& fileName) {
    const String key = ExpandFileName(fileName);
    auto it = FFiles.find(key);
    if (it == FFiles.end()) {
      TFile file;
      try {
        file.Lock = std::make_unique<TFileLock>(fileName);
        if (FileExists(fileName)) file.Data = ReadFileToString(fileName);
      } catch (const Exception& e) {
        throw EToolError(fileName + ": " + e.Message());
      }
      it = FFiles.emplace(key, std::move(file)).first;
    }
    return it->second.Data;
  }

  // The file's stored lines of a form, from one index of the file's lines.
  TStoredLines StoredLines(const String& fileName, std::string_view formName, Integer locale) {
    Read(fileName);
    TFile& file = FFiles.at(ExpandFileName(fileName));
    if (!file.Index)
      file.Index = std::make_unique<TFormLineIndex>(file.Data ? std::string_view(*file.Data)
                                                              : std::string_view());
    return ReadStoredLines(*file.Index, formName, locale);
  }

 private:
  struct TFile {
    std::unique_ptr<TFileLock> Lock;
    std::optional<String> Data;
    std::unique_ptr<TFormLineIndex> Index;
  };
  std::map<String, TFile> FFiles;
};

// The stored lines of a translator that keeps its list in a file; nullopt
// for one that keeps it in the form.
std::optional<TStoredLines> StoredLinesOf(TGlossmith& t, TTranslationFiles& files) {
  const String file = t.StorageFile();
  if (file.empty()) return std::nullopt;
  return files.StoredLines(file, glsstorage::FormNameOf(t.Owner()), t.Locale());
}

String Generator() { return String("Glossmith ") + GLS_VERSION; }

// The name of the catalog of a locale in the folder of --all.
String CatalogName(Integer locale, const TFormat& format) {
  const String tag = LanguageTagOf(locale);
  return (tag.empty() ? "locale-" + IntToStr(locale) : tag) + format.Extension;
}

int Export(const TFormat& format, const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {{"--locale", true},
                          {"--translator", true},
                          {"--all", false},
                          {"--from", true},
                          {"--values", false},
                          {"-o", true},
                          {"-v", false},
                          {"--help", false}});
  if (cmd.Has("-v")) io.Verbose = true;
  if (cmd.Operands().empty()) throw EUsageError("missing FORM");
  const bool all = cmd.Has("--all");
  const TTranslatorChoice choice = ChoiceOf(cmd);
  if (all && choice.Given()) throw EUsageError("give --all or --locale/--translator, not both");
  const String out = cmd.Value("-o");
  if (all && out.empty()) throw EUsageError("--all needs -o FOLDER");
  const std::optional<String> from =
      cmd.Has("--from") ? std::optional<String>(cmd.Value("--from")) : std::nullopt;
  if (from && from->empty()) throw EUsageError("missing --from FILE");
  TExchangeOptions options;
  options.Values = cmd.Has("--values");

  TTranslationFiles files;
  std::map<Integer, std::vector<TFormUnits>> byLocale;
  std::optional<TPoCatalogWriter> poWriter;
  std::optional<TXliffCatalogWriter> xliffWriter;
  std::optional<TAtomicFileWriter> sink;  // the file -o names
  Integer poLocale = 0;
  for (const String& file : cmd.Operands()) {
    TFormDocument doc(file);
    std::vector<TGlossmith*> translators;
    if (all) {
      translators = doc.Translators();
      if (translators.empty())
        io.Err << "gls: " << file << ": the form has no translator; nothing exported\n";
    } else {
      translators.push_back(doc.Choose(choice));
    }
    for (TGlossmith* t : translators) {
      std::optional<TStoredLines> stored;
      if (from) {
        if (!files.Read(*from)) throw EToolError(*from + ": no such file");
        stored = files.StoredLines(*from, glsstorage::FormNameOf(doc.Root()), t->Locale());
      } else {
        stored = StoredLinesOf(*t, files);
      }
      TFormUnits form;
      form.FormFile = file;
      form.FormName = glsstorage::FormNameOf(doc.Root());
      doc.Guard([&] {
        form.Units = BuildUnits(*t, stored ? &*stored : nullptr, options);
        return 0;
      });
      if (!all) {
        // One catalog: each form's entries are written as it comes, and its
        // units go.
        if (!poWriter && !xliffWriter) {
          poLocale = t->Locale();
          const TCatalogInfo info{poLocale, Generator()};
          if (&format == &kPo) {
            String project = form.FormName;
            if (cmd.Operands().size() > 1)
              project += " and " + IntToStr(static_cast<Int64>(cmd.Operands().size() - 1)) + " more";
            poWriter.emplace(info, project);
          } else {
            xliffWriter.emplace(info, out.empty() ? String("output") : out);
          }
        }
        if (t->Locale() != poLocale)
          throw EToolError("the forms' translators have different locales; choose one with --locale");
        if (poWriter)
          poWriter->Add(form);
        else
          xliffWriter->Add(form);
        // Into the file as it comes (the file is put in place only once the
        // whole catalog is written); standard output takes it at the end.
        if (!out.empty() && out != "-") {
          try {
            if (!sink) sink.emplace(out);
            sink->Write(poWriter ? poWriter->Take() : xliffWriter->Take());
          } catch (const EToolError&) {
            throw;
          } catch (const Exception& e) {
            throw EToolError(out + ": " + e.Message());
          }
        }
        continue;
      }
      byLocale[t->Locale()].push_back(std::move(form));
    }
  }
  if (poWriter || xliffWriter) {
    const String data = poWriter ? poWriter->Finish() : xliffWriter->Finish();
    if (out.empty() || out == "-") {
      io.Out << data;
      return 0;
    }
    try {
      sink->Write(data);
      sink->Commit();
    } catch (const Exception& e) {
      throw EToolError(out + ": " + e.Message());
    }
    io.Wrote(out);
    return 0;
  }
  if (all) {
    if (!DirectoryExists(out)) throw EToolError(out + ": no such folder");
    std::map<String, Integer> names;
    for (const auto& [locale, forms] : byLocale) {
      const String name = CatalogName(locale, format);
      if (auto it = names.find(name); it != names.end())
        throw EToolError("locales " + IntToStr(it->second) + " and " + IntToStr(locale) +
                         " are both " + name + "; export them one at a time with --locale");
      names[name] = locale;
    }
    for (const auto& [locale, forms] : byLocale) {
      const String target = (out.ends_with('/') ? out : out + "/") + CatalogName(locale, format);
      const String data = format.Write(forms, {locale, Generator()}, target);
      try {
        WriteFileAtomically(target, data);
      } catch (const Exception& e) {
        throw EToolError(target + ": " + e.Message());
      }
      io.Wrote(target);
    }
    return 0;
  }
  if (byLocale.size() > 1)
    throw EToolError("the forms' translators have different locales; choose one with --locale");
  const Integer locale = byLocale.empty() ? 0 : byLocale.begin()->first;
  const String data = format.Write(byLocale.empty() ? std::vector<TFormUnits>() : byLocale.begin()->second,
                                   {locale, Generator()}, out.empty() ? String("output") : out);
  if (out.empty() || out == "-") {
    io.Out << data;
    return 0;
  }
  try {
    WriteFileAtomically(out, data);
  } catch (const Exception& e) {
    throw EToolError(out + ": " + e.Message());
  }
  io.Wrote(out);
  return 0;
}

// One form of an import: its document, the translator that takes the
// entries and what changes.
struct TImportForm {
  std::unique_ptr<TFormDocument> Doc;
  TGlossmith* Translator = nullptr;
  String FormName;
  std::optional<TStoredLines> Stored;
  std::vector<TExchangeUnit> Units;
  std::map<String, size_t, std::less<>> ByContext;
  std::vector<TChange> Changes;
  // The entry of the catalog each change comes from, and the property it
  // fills when the entry names none.
  std::vector<std::pair<const TIncoming*, String>> Origins;
  // Once the form is closed: its translator's translation file and locale,
  // and the form file.
  String File;
  Integer Locale = 0;
  String FileName;
};

// The translator of a form that an import without --locale or --translator
// fills: the form's only one, else the one of the catalog's locale or
// language.
TGlossmith* ImportTranslator(TFormDocument& doc, const TTranslatorChoice& choice,
                             const TIncomingCatalog& catalog) {
  if (choice.Given()) return doc.Choose(choice);
  std::vector<TGlossmith*> all = doc.Translators();
  if (all.size() > 1) {
    std::vector<TGlossmith*> fitting;
    for (TGlossmith* t : all)
      if (catalog.Locale ? t->Locale() == *catalog.Locale
                         : !catalog.Language.empty() && !LanguageTagOf(t->Locale()).empty() &&
                               SameLanguage(catalog.Language, t->Locale()))
        fitting.push_back(t);
    if (fitting.size() == 1) return fitting.front();
  }
  return doc.Choose(choice);
}

int Import(const TFormat& format, const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {{"--locale", true},
                          {"--translator", true},
                          {"--from", true},
                          {"-o", true},
                          {"--translations", true},
                          {"--fuzzy", false},
                          {"--keep-going", false},
                          {"--values", false},
                          {"-v", false},
                          {"--help", false}});
  if (cmd.Has("-v")) io.Verbose = true;
  if (cmd.Operands().empty()) throw EUsageError("missing FORM");
  const String from = cmd.Value("--from");
  if (from.empty()) throw EUsageError("missing --from FILE");
  const String out = cmd.Value("-o");
  if (!out.empty() && cmd.Operands().size() > 1) throw EUsageError("-o OUT takes one FORM");
  std::optional<String> translationsOut;
  if (cmd.Has("--translations")) {
    translationsOut = cmd.Value("--translations");
    if (translationsOut->empty()) throw EUsageError("missing --translations FILE");
  }
  const bool fuzzy = cmd.Has("--fuzzy"), keepGoing = cmd.Has("--keep-going");
  const bool values = cmd.Has("--values");
  const TTranslatorChoice choice = ChoiceOf(cmd);

  if (!FileExists(from)) throw EToolError(from + ": no such file");
  TIncomingCatalog catalog;
  try {
    catalog = format.Read(ReadFileToString(from), from);
  } catch (const Exception& e) {
    throw EToolError(e.Message());
  }

  // The entries by the form their context names; the checks that need no
  // form first.
  std::vector<String> problems;
  auto where = [&](const TIncoming& e) {
    return from + ":" + IntToStr(e.Line) + ": " + (e.Context.empty() ? String() : e.Context + ": ");
  };
  std::map<String, std::vector<const TIncoming*>, std::less<>> byForm;
  std::map<String, const TIncoming*, std::less<>> bySource;  // entries that name no path
  std::map<const TIncoming*, int> sourceMatches;
  {
    // The line of the first entry of each context and of each source text
    // that names no path; the keys view the catalog's own strings.
    std::unordered_map<std::string_view, int> seen, seenSources;
    for (const TIncoming& e : catalog.Entries) {
      if (!e.Ignored.empty()) {
        io.Err << "gls: " << where(e) << e.Ignored << "; skipped\n";
        continue;
      }
      const bool wanted = !e.Target.empty() && (!e.Fuzzy || fuzzy);
      if (e.BySource) {
        if (!wanted) continue;
        if (auto [it, fresh] = seenSources.emplace(e.Source, e.Line); !fresh) {
          problems.push_back(where(e) + "a second entry for the source text '" + e.Source +
                             "' (the first is at line " + IntToStr(it->second) + ")");
          continue;
        }
        bySource[e.Source] = &e;
        sourceMatches[&e] = 0;
        continue;
      }
      if (e.Context.empty()) {
        problems.push_back(where(e) + "an entry without a context (msgctxt), which names the property");
        continue;
      }
      if (auto [it, fresh] = seen.emplace(std::string_view(e.Context), e.Line); !fresh) {
        problems.push_back(where(e) + "a second entry for this property (the first is at line " +
                           IntToStr(it->second) + ")");
        continue;
      }
      if (wanted) byForm[e.Context.substr(0, e.Context.find('.'))].push_back(&e);
    }
  }

  // One form at a time: a form whose translator keeps its list in a file is
  // closed once its changes are known; one that keeps it in the form stays
  // open to be written back.
  TTranslationFiles files;
  std::vector<TImportForm> forms;
  for (const String& file : cmd.Operands()) {    TImportForm form;
    const bool inPlace = out.empty();
    form.Doc = std::make_unique<TFormDocument>(
        file, inPlace ? TFormDocument::TAccess::Update : TFormDocument::TAccess::Read);
    form.Translator = ImportTranslator(*form.Doc, choice, catalog);
    if (form.Doc->IsTemporary(form.Translator))
      throw EToolError(file + ": the form has no translator to import into");
    const Integer locale = form.Translator->Locale();
    if (!catalog.Language.empty() && !SameLanguage(catalog.Language, locale))
      throw EToolError(from + ":" + IntToStr(catalog.LanguageLine) + ": the catalog is for " +
                       catalog.Language + ", not for locale " + IntToStr(locale) + " (" +
                       LanguageTagOf(locale) + ")");
    form.FormName = glsstorage::FormNameOf(form.Doc->Root());
    form.Stored = StoredLinesOf(*form.Translator, files);
    TExchangeOptions options;
    options.Values = true;
    form.Doc->Guard([&] {
      form.Units = BuildUnits(*form.Translator, form.Stored ? &*form.Stored : nullptr, options);
      return 0;
    });
    for (size_t i = 0; i < form.Units.size(); ++i)
      if (form.Units[i].State != TUnitState::Obsolete) form.ByContext[form.Units[i].Context] = i;
    const TStoredLines* stored = form.Stored ? &*form.Stored : nullptr;
    auto take = [&](const TIncoming& e, const TExchangeUnit& u, const String& source) {
      if (auto change = ChangeFor(u, source, e.Target, stored)) {
        form.Changes.push_back(std::move(*change));
        form.Origins.emplace_back(&e, e.BySource ? u.Context + ": " : String());
      }
    };
    if (auto entries = byForm.find(form.FormName); entries != byForm.end()) {
      for (const TIncoming* e : entries->second) {
        auto unit = form.ByContext.find(e->Context);
        if (unit == form.ByContext.end()) {
          problems.push_back(where(*e) + "the form " + file + " has no such property");
          continue;
        }
        const TExchangeUnit& u = form.Units[unit->second];
        if (u.IsValue && !values) continue;
        take(*e, u, e->Source.empty() ? u.Source : e->Source);
      }
      byForm.erase(entries);
    }
    // Entries that name no path fill every property with their source.
    if (!bySource.empty())
      for (const TExchangeUnit& u : form.Units) {
        if (u.State == TUnitState::Obsolete || (u.IsValue && !values)) continue;
        auto e = bySource.find(u.Source);
        if (e == bySource.end()) continue;
        ++sourceMatches[e->second];
        take(*e->second, u, u.Source);
      }
    // The error-level checks that load and dict import run, on what the
    // catalog brings: a refused entry is a problem at its line, and with
    // --keep-going it is left out.
    if (!form.Changes.empty()) {
      std::vector<String> entries;
      entries.reserve(form.Changes.size());
      std::unordered_map<String, size_t> byEntry;
      for (size_t i = 0; i < form.Changes.size(); ++i) {
        entries.push_back(form.Changes[i].Path + "=" + form.Changes[i].Value);
        byEntry.emplace(entries.back(), i);
      }
      std::vector<ETranslationEntryError> refused;
      try {
        refused = IntakeRefusals(*form.Doc, *form.Translator, std::move(entries));
      } catch (const Exception& e) {
        throw EToolError(file + ": " + e.Message());
      }
      std::vector<bool> drop(form.Changes.size(), false);
      for (const ETranslationEntryError& r : refused) {
        auto at = byEntry.find(r.Entry());
        if (at == byEntry.end()) {
          problems.push_back(from + ":0: " + Shortened(r.Entry()) + ": " + r.Message());
          continue;
        }
        const auto& [e, context] = form.Origins[at->second];
        problems.push_back(where(*e) + context + r.Message());
        drop[at->second] = true;
      }
      if (!refused.empty()) {
        std::vector<TChange> kept;
        for (size_t i = 0; i < form.Changes.size(); ++i)
          if (!drop[i]) kept.push_back(std::move(form.Changes[i]));
        form.Changes = std::move(kept);
      }
    }
    form.Origins.clear();
    form.Units.clear();
    form.Units.shrink_to_fit();
    form.ByContext.clear();
    form.Stored.reset();
    if (!form.Translator->StorageFile().empty()) {
      form.File = form.Translator->StorageFile();
      form.Locale = form.Translator->Locale();
      form.FileName = form.Doc->FileName();
      form.Translator = nullptr;
      form.Doc.reset();
    }
    forms.push_back(std::move(form));
  }
  for (const auto& [name, entries] : byForm)
    for (const TIncoming* e : entries)
      problems.push_back(where(*e) + "no form " + name + " among the forms given");
  for (const auto& [e, count] : sourceMatches)
    if (count == 0)
      problems.push_back(where(*e) + "no property of the forms has the source text '" + e->Source +
                         "' (the unit names no path)");
  std::sort(problems.begin(), problems.end(), [&](const String& x, const String& y) {
    // In the order of the catalog's lines.
    auto line = [&](const String& m) {
      Integer n = 0;
      TryStrToInt(m.substr(from.size() + 1, m.find(':', from.size() + 1) - from.size() - 1), n);
      return n;
    };
    return line(x) < line(y);
  });

  if (!problems.empty()) {
    if (!keepGoing) {
      for (size_t i = 0; i + 1 < problems.size(); ++i) io.Err << "gls: " << problems[i] << "\n";
      throw EToolError(problems.back() + "; nothing was written");
    }
    for (const String& p : problems) io.Err << "gls: skipped: " << p << "\n";
  }
  // What is written from here on is in the forms' changes: the catalog goes
  // before the translation files are merged.
  bySource.clear();
  sourceMatches.clear();
  byForm.clear();
  catalog.Entries = std::vector<TIncoming>();

  // The translation files, each merged once with the changes of all its
  // forms, then the forms.
  std::map<String, std::pair<String, std::vector<TFormChanges>>> merges;  // target -> source, changes
  std::vector<String> fileOrder;
  for (TImportForm& form : forms) {
    const String& source = form.File;
    if (source.empty()) {
      ApplyChanges(*form.Translator, form.Changes);
      continue;
    }
    if (form.Changes.empty()) continue;
    if (!out.empty() && !translationsOut) {
      io.Err << "gls: " << form.FileName << ": the translations in " << source
             << " are not written (-o changes nothing else); --translations FILE writes them\n";
      continue;
    }
    const String target = translationsOut ? *translationsOut : source;
    auto it = merges.find(target);
    if (it == merges.end()) {
      it = merges.emplace(target, std::make_pair(source, std::vector<TFormChanges>())).first;
      fileOrder.push_back(target);
    }
    it->second.second.push_back({form.FormName, form.Locale, std::move(form.Changes)});
    form.Changes.clear();
  }
  for (const String& target : fileOrder) {
    const auto& [source, changes] = merges[target];
    const std::optional<String>& data = files.Read(source);
    if (translationsOut) files.Read(target);  // locked as well
    try {
      // Written as it is merged: the file is put in place once whole.
      TAtomicFileWriter writer(target);
      MergeChanges(data ? std::string_view(*data) : std::string_view(), changes,
                   [&writer](std::string_view piece) { writer.Write(piece); });
      writer.Commit();
    } catch (const Exception& e) {
      throw EToolError(target + ": " + e.Message());
    }
    io.Wrote(target);
  }
  for (TImportForm& form : forms) {
    const bool formChanged = form.File.empty() && !form.Changes.empty();
    if (!formChanged && out.empty()) continue;
    // The form itself is written only with -o (a translator that keeps its
    // list in a file leaves the form as it is): read it again for that.
    if (!form.Doc) form.Doc = std::make_unique<TFormDocument>(form.FileName);
    if (out.empty()) form.Doc->LockUnchanged();
    // Only this translator's list changed: no other translator's file is
    // saved with the form.
    form.Doc->Write(out, String(), [&io](const String& file) { io.Wrote(file); });
  }
  size_t changed = fileOrder.size();
  for (const TImportForm& form : forms) changed += form.Changes.size();
  if (changed == 0 && out.empty()) io.Err << "gls: " << from << ": no translation changed; nothing written\n";
  return 0;
}

template <const TFormat& Format>
int Run(const std::vector<String>& args, TCommandIO& io) {
  if (args.empty()) throw EUsageError(String(Format.Name) + " needs 'export' or 'import'");
  std::vector<String> rest(args.begin() + 1, args.end());
  if (args[0] == "export") return Export(Format, rest, io);
  if (args[0] == "import") return Import(Format, rest, io);
  throw EUsageError("unknown " + String(Format.Name) + " command '" + args[0] + "'");
}

const char* const kExchangeHelp =
    "export: writes the texts of each form, with the chosen translator's\n"
    "translations, as a catalog for translators' tools: one entry per text,\n"
    "keyed by its path (Form.Component.Property). A translation whose\n"
    "original has changed since it was saved is marked for review with the\n"
    "old original beside it; one whose property is gone is obsolete.\n"
    "  --locale N | --translator NAME\n"
    "                     the translator whose translations are exported\n"
    "  --all              every translator, one catalog per locale into the\n"
    "                     folder -o names\n"
    "  --from FILE        the translations and originals of a translation file\n"
    "                     instead of the translator's own\n"
    "  --values           also the values that are not texts (numbers, colours,\n"
    "                     fonts, sets)\n"
    "  -o OUT             the catalog (standard output without it)\n"
    "import: brings the translated entries of a catalog into the chosen\n"
    "translator (by default the one of the catalog's language) and writes its\n"
    "list back: into its translation file, with each translation's original\n"
    "beside it, or into the form (in place unless -o). An entry for a property\n"
    "the form does not have, a value that does not convert, a second entry for\n"
    "one property and a catalog for another language are errors naming the\n"
    "catalog's line, and nothing is written.\n"
    "  --from FILE        the catalog\n"
    "  --fuzzy            take entries marked for review too\n"
    "  --keep-going       skip the entries in error, list them, write the rest\n"
    "  --values           take the values that are not texts too\n"
    "  -o OUT             write the form to OUT; the translation file is then\n"
    "                     written only where --translations names\n"
    "  --translations FILE\n"
    "                     write the translation file there instead\n";

}  // namespace

const TCommandInfo PoCommand{
    "po", Run<kPo>,
    "po export FORM... (--locale N | --translator NAME | --all) [-o OUT.po] | "
    "po import FORM... --from IN.po [--locale N] [-o OUT] [--fuzzy]",
    kExchangeHelp};

const TCommandInfo XliffCommand{
    "xliff", Run<kXliff>,
    "xliff export FORM... (--locale N | --translator NAME | --all) [-o OUT.xlf] | "
    "xliff import FORM... --from IN.xlf [--locale N] [-o OUT] [--fuzzy]",
    kExchangeHelp};

}  // namespace Glossmith::Tool

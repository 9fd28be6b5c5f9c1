// gls po and gls xliff run as a user runs them, on the bundled example:
// exact round trips, stale and obsolete translations, errors that change
// nothing, and files written by the translators' tools.
#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/Po.h"
#include "support/ExchangeSupport.h"
#include "support/TestSupport.h"

namespace fs = std::filesystem;
using namespace Glossmith;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

struct TResult {
  int Status = -1;
  String Output;  // standard output and error together
};

String Quoted(const String& s) {
  String q = "'";
  for (char c : s) q += c == '\'' ? String("'\\''") : String(1, c);
  return q + "'";
}

// Runs gls in `dir`.
TResult Gls(const TempDir& dir, const std::vector<String>& args) {
  String command = "cd " + Quoted(dir.Path().string()) + " && " + Quoted(GLS_TOOL);
  for (const String& a : args) command += " " + Quoted(a);
  TResult r;
  r.Output = exchangetest::Output(command, &r.Status);
  return r;
}

// The bundled example in a folder of its own.
void CopyExample(const TempDir& dir) {
  for (const auto& f : fs::directory_iterator(fs::path(GLS_SOURCE_DIR) / "examples"))
    fs::copy_file(f.path(), dir.Path() / f.path().filename());
}

// The files of the folder that a command must leave as they were.
struct TSnapshot {
  explicit TSnapshot(const TempDir& dir) : Dir(dir) {
    for (const char* name : {"MainForm.dfm", "OptionsDialog.dfm", "translations.txt"})
      Files[name] = ReadFile(dir.File(name));
  }
  void ExpectUnchanged() const {
    for (const auto& [name, data] : Files) EXPECT_EQ(ReadFile(Dir.File(name)), data) << name;
  }
  const TempDir& Dir;
  std::map<String, String> Files;
};

void Replace(const String& file, const String& from, const String& to) {
  String data = ReadFile(file);
  const size_t at = data.find(from);
  ASSERT_NE(at, String::npos) << from;
  data.replace(at, from.size(), to);
  WriteFile(file, data);
}

}  // namespace

TEST(ExchangeTool, ExportThenImportChangesNoByte) {
  TempDir dir;
  CopyExample(dir);
  const TSnapshot before(dir);
  for (const char* format : {"po", "xliff"}) {
    SCOPED_TRACE(format);
    const String out = String("fr.") + format;
    ASSERT_EQ(Gls(dir, {format, "export", "MainForm.dfm", "OptionsDialog.dfm", "--locale", "12",
                        "-o", out}).Status, 0);
    TResult r = Gls(dir, {format, "import", "MainForm.dfm", "OptionsDialog.dfm", "--from", out});
    EXPECT_EQ(r.Status, 0) << r.Output;
    EXPECT_NE(r.Output.find("nothing written"), String::npos) << r.Output;
    before.ExpectUnchanged();
  }
  // The export shows what the translator needs.
  const String po = ReadFile(dir.File("fr.po"));
  EXPECT_NE(po.find("\"Language: fr\\n\""), String::npos);
  EXPECT_NE(po.find("\"Content-Type: text/plain; charset=UTF-8\\n\""), String::npos);
  EXPECT_NE(po.find("#. TButton, Caption\n#. width 75 px, font MS Sans Serif 8 pt\n"
                    "#: MainForm.dfm\nmsgctxt \"MainForm.ButtonAdd.Caption\"\n"
                    "msgid \"&Add...\"\nmsgstr \"&Ajouter...\"\n"),
            String::npos)
      << po;
  const String xlf = ReadFile(dir.File("fr.xliff"));
  EXPECT_NE(xlf.find("<trans-unit id=\"MainForm.ButtonAdd.Caption\" "
                     "resname=\"MainForm.ButtonAdd.Caption\" restype=\"button\" approved=\"yes\" "
                     "xml:space=\"preserve\" maxwidth=\"75\" size-unit=\"pixel\" "
                     "font=\"MS Sans Serif, 8\">"),
            String::npos)
      << xlf;
}

TEST(ExchangeTool, ImportWritesTheChangedLinesWithTheirOriginals) {
  TempDir dir;
  CopyExample(dir);
  ASSERT_EQ(Gls(dir, {"po", "export", "MainForm.dfm", "--locale", "7", "-o", "de.po"}).Status, 0);
  // A translator's tool rewraps the file (msgcat does as Poedit and Weblate
  // do) and gives it CR LF line ends.
  Replace(dir.File("de.po"), "msgstr \"&Hinzufügen...\"", "msgstr \"&Neu...\"");
  String po = ReadFile(dir.File("de.po"));
  String crlf;
  for (char c : po) crlf += c == '\n' ? String("\r\n") : String(1, c);
  WriteFile(dir.File("de.po"), crlf);
  const String file = ReadFile(dir.File("translations.txt"));
  TResult r = Gls(dir, {"po", "import", "MainForm.dfm", "--from", "de.po", "-v"});
  ASSERT_EQ(r.Status, 0) << r.Output;
  String expected = file;
  const String old = "MainForm.ButtonAdd.Caption%7='&Hinzufügen...'";
  expected.replace(expected.find(old), old.size(), "MainForm.ButtonAdd.Caption%7='&Neu...'");
  EXPECT_EQ(ReadFile(dir.File("translations.txt")), expected);
  // gls translate shows it.
  r = Gls(dir, {"translate", "MainForm.dfm", "--locale", "7"});
  EXPECT_NE(r.Output.find("Caption = '&Neu...'"), String::npos) << r.Output;
}

TEST(ExchangeTool, ChangedOriginalsArriveFuzzyAsMsgmergeMarksThem) {
  TempDir dir;
  CopyExample(dir);
  ASSERT_EQ(Gls(dir, {"po", "export", "MainForm.dfm", "--locale", "7", "-o", "old.po"}).Status, 0);
  Replace(dir.File("MainForm.dfm"), "Caption = '&Add...'", "Caption = '&Add a person...'");
  ASSERT_EQ(Gls(dir, {"po", "export", "MainForm.dfm", "--locale", "7", "-o", "new.po"}).Status, 0);
  const TPoCatalog ours = ReadPo(ReadFile(dir.File("new.po")), "new.po");
  const TPoEntry* stale = nullptr;
  for (const TPoEntry& e : ours.Entries)
    if (e.Context == "MainForm.ButtonAdd.Caption") stale = &e;
  ASSERT_TRUE(stale);
  EXPECT_TRUE(stale->Fuzzy());
  EXPECT_EQ(stale->Id, "&Add a person...");
  EXPECT_EQ(stale->PreviousId, "&Add...");
  EXPECT_EQ(stale->Str, "&Hinzufügen...");

  // A component renamed: its translation is obsolete.
  {
    TempDir other;
    CopyExample(other);
    Replace(other.File("MainForm.dfm"), "object ButtonClose: TButton", "object ButtonQuit: TButton");
    TResult r = Gls(other, {"po", "export", "MainForm.dfm", "--locale", "7"});
    EXPECT_NE(r.Output.find("#~ msgctxt \"MainForm.ButtonClose.Caption\"\n#~ msgid \"&Close\"\n"
                            "#~ msgstr \"&Schließen\"\n"),
              String::npos)
        << r.Output;
  }

  if (!exchangetest::HasProgram("msgmerge")) GTEST_SKIP() << "msgmerge (gettext) is not installed";
  // The template of the new form: the new export without translations.
  TPoCatalog pot = ours;
  for (TPoEntry& e : pot.Entries) {
    if (e.IsHeader()) continue;
    e.Str.clear();
    e.Flags.clear();
    e.PreviousId.reset();
  }
  std::erase_if(pot.Entries, [](const TPoEntry& e) { return e.Obsolete; });
  WriteFile(dir.File("new.pot"), WritePo(pot));
  ASSERT_EQ(exchangetest::Run("cd " + Quoted(dir.Path().string()) +
                              " && msgmerge -q --previous old.po new.pot -o merged.po"),
            0);
  const TPoCatalog merged = ReadPo(ReadFile(dir.File("merged.po")), "merged.po");
  std::map<String, const TPoEntry*> theirs;
  for (const TPoEntry& e : merged.Entries)
    if (e.Context && !e.Obsolete) theirs[*e.Context] = &e;
  for (const TPoEntry& e : ours.Entries) {
    if (!e.Context || e.Obsolete) continue;
    SCOPED_TRACE(*e.Context);
    ASSERT_TRUE(theirs.count(*e.Context));
    EXPECT_EQ(theirs[*e.Context]->Fuzzy(), e.Fuzzy());
    EXPECT_EQ(theirs[*e.Context]->PreviousId, e.PreviousId);
    EXPECT_EQ(theirs[*e.Context]->Str, e.Str);
  }
}

TEST(ExchangeTool, EveryErrorNamesTheLineAndWritesNothing) {
  TempDir dir;
  CopyExample(dir);
  ASSERT_EQ(Gls(dir, {"po", "export", "MainForm.dfm", "--locale", "7", "--values", "-o", "de.po"})
                .Status,
            0);
  const String good = ReadFile(dir.File("de.po"));
  const TSnapshot before(dir);
  struct TCase {
    const char* Name;
    String From, To;
    std::vector<String> Extra;
    const char* Says;
  };
  const TCase cases[] = {
      {"unknown context", "msgctxt \"MainForm.ButtonAdd.Caption\"",
       "msgctxt \"MainForm.ButtonGone.Caption\"", {}, "has no such property"},
      {"duplicate context", "msgctxt \"MainForm.ButtonDelete.Caption\"",
       "msgctxt \"MainForm.ButtonAdd.Caption\"", {}, "a second entry for this property"},
      {"value that does not convert", "msgctxt \"MainForm.ButtonAdd.Width\"\nmsgid \"75\"\nmsgstr \"\"",
       "msgctxt \"MainForm.ButtonAdd.Width\"\nmsgid \"75\"\nmsgstr \"wide\"", {"--values"},
       "is not a whole number"},
      {"other language", "\"Language: de\\n\"", "\"Language: fr\\n\"", {"--locale", "7"},
       "the catalog is for fr"},
      {"broken string", "msgid \"&Add...\"", "msgid \"&Add...", {}, "not closed"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    String po = good;
    const size_t at = po.find(c.From);
    ASSERT_NE(at, String::npos) << c.From;
    po.replace(at, c.From.size(), c.To);
    WriteFile(dir.File("bad.po"), po);
    const int line = static_cast<int>(std::count(po.begin(), po.begin() + static_cast<long>(at), '\n')) + 1;
    std::vector<String> args{"po", "import", "MainForm.dfm", "--from", "bad.po"};
    args.insert(args.end(), c.Extra.begin(), c.Extra.end());
    TResult r = Gls(dir, args);
    EXPECT_EQ(r.Status, 1) << r.Output;
    EXPECT_NE(r.Output.find(c.Says), String::npos) << r.Output;
    // The line of the entry (msgctxt or msgid) or of the header.
    bool named = false;
    for (int l = line - 2; l <= line + 2; ++l)
      if (r.Output.find("bad.po:" + IntToStr(l) + ":") != String::npos) named = true;
    EXPECT_TRUE(named) << "near line " << line << ": " << r.Output;
    before.ExpectUnchanged();
  }
  // --keep-going skips the entries in error, lists them and writes the rest.
  String po = good;
  auto swap = [&po](const String& from, const String& to) {
    po.replace(po.find(from), from.size(), to);
  };
  swap("msgctxt \"MainForm.ButtonAdd.Caption\"", "msgctxt \"MainForm.ButtonGone.Caption\"");
  swap("msgstr \"&Schließen\"", "msgstr \"&Zumachen\"");
  WriteFile(dir.File("bad.po"), po);
  TResult r = Gls(dir, {"po", "import", "MainForm.dfm", "--from", "bad.po", "--keep-going"});
  EXPECT_EQ(r.Status, 0) << r.Output;
  EXPECT_NE(r.Output.find("skipped: bad.po:"), String::npos) << r.Output;
  EXPECT_NE(ReadFile(dir.File("translations.txt")).find("MainForm.ButtonClose.Caption%7='&Zumachen'"),
            String::npos);
}

TEST(ExchangeTool, ReadsWhatTranslatorsToolsWrite) {
  TempDir dir;
  CopyExample(dir);
  ASSERT_EQ(Gls(dir, {"po", "export", "MainForm.dfm", "--locale", "12", "-o", "fr.po"}).Status, 0);
  // A plural entry and an obsolete one that a platform added: reported or
  // passed over, and the rest imported.
  String po = ReadFile(dir.File("fr.po"));
  po += "\nmsgctxt \"MainForm.Count\"\nmsgid \"one item\"\nmsgid_plural \"%d items\"\n"
        "msgstr[0] \"un\"\nmsgstr[1] \"%d\"\n\n#~ msgctxt \"MainForm.Old\"\n#~ msgid \"Old\"\n"
        "#~ msgstr \"Vieux\"\n";
  Replace(dir.File("fr.po"), "msgstr \"&Fermer\"", "msgstr \"&Fermer la fenêtre de cette application, "
                                                   "avec un texte assez long pour qu'il soit coupé\"");
  po = ReadFile(dir.File("fr.po")) + po.substr(po.find("\nmsgctxt \"MainForm.Count\""));
  WriteFile(dir.File("fr.po"), po);
  if (exchangetest::HasProgram("msgcat")) {
    ASSERT_EQ(exchangetest::Run("cd " + Quoted(dir.Path().string()) +
                                " && msgcat --width=30 fr.po -o fr.po"),
              0);
  }
  TResult r = Gls(dir, {"po", "import", "MainForm.dfm", "--from", "fr.po"});
  ASSERT_EQ(r.Status, 0) << r.Output;
  EXPECT_NE(r.Output.find("a plural entry"), String::npos) << r.Output;
  EXPECT_NE(ReadFile(dir.File("translations.txt"))
                .find("MainForm.ButtonClose.Caption%12='&Fermer la fenêtre de cette application, "
                      "avec un texte assez long pour qu''il soit coupé'"),
            String::npos);

  // XLIFF as Weblate writes it (1.1 namespace, ids that are the paths, no
  // state), and as Crowdin does (numbered units with resname, a unit to
  // review, which is left out).
  WriteFile(dir.File("weblate.xlf"),
            "<?xml version='1.0' encoding='UTF-8'?>\r\n"
            "<xliff xmlns=\"urn:oasis:names:tc:xliff:document:1.1\" version=\"1.1\">\r\n"
            "<file original=\"MainForm.dfm\" source-language=\"en\" datatype=\"plaintext\" "
            "target-language=\"fr\"><body>\r\n"
            "<trans-unit id=\"MainForm.ButtonAdd.Caption\" approved=\"yes\">"
            "<source>&amp;Add...</source><target>&amp;Nouveau...</target></trans-unit>\r\n"
            "<trans-unit id=\"MainForm.Caption\" xml:space=\"preserve\">"
            "<source>Address Book</source><target>  Carnet\t</target></trans-unit>\r\n"
            "</body></file></xliff>\r\n");
  r = Gls(dir, {"xliff", "import", "MainForm.dfm", "--from", "weblate.xlf"});
  ASSERT_EQ(r.Status, 0) << r.Output;
  String file = ReadFile(dir.File("translations.txt"));
  EXPECT_NE(file.find("MainForm.ButtonAdd.Caption%12='&Nouveau...'"), String::npos);
  EXPECT_NE(file.find("MainForm.Caption%12='  Carnet'#9\r\n"), String::npos);
  WriteFile(dir.File("crowdin.xlf"),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
            " <file original=\"MainForm.dfm\" source-language=\"en\" target-language=\"fr-FR\" "
            "datatype=\"plaintext\">\n  <body>\n"
            "   <trans-unit id=\"17\" resname=\"MainForm.ButtonDelete.Caption\">\n"
            "    <source>&amp;Delete</source>\n"
            "    <target state=\"translated\">&amp;Effacer</target>\n   </trans-unit>\n"
            "   <trans-unit id=\"18\" resname=\"MainForm.ButtonClose.Caption\">\n"
            "    <source>&amp;Close</source>\n"
            "    <target state=\"needs-review-translation\">&amp;Clore</target>\n   </trans-unit>\n"
            "  </body>\n </file>\n</xliff>\n");
  r = Gls(dir, {"xliff", "import", "MainForm.dfm", "--from", "crowdin.xlf"});
  ASSERT_EQ(r.Status, 0) << r.Output;
  file = ReadFile(dir.File("translations.txt"));
  EXPECT_NE(file.find("MainForm.ButtonDelete.Caption%12='&Effacer'"), String::npos) << file;
  EXPECT_EQ(file.find("&Clore"), String::npos);

  // po2xliff keeps no context: its numbered units are matched by source.
  if (exchangetest::HasProgram("po2xliff")) {
    ASSERT_EQ(Gls(dir, {"po", "export", "MainForm.dfm", "--locale", "12", "-o", "tt.po"}).Status, 0);
    Replace(dir.File("tt.po"), "msgstr \"&Nouveau...\"", "msgstr \"&Ajouter quelqu'un...\"");
    ASSERT_EQ(exchangetest::Run("cd " + Quoted(dir.Path().string()) +
                                " && po2xliff --progress=none -i tt.po -o tt.xlf"),
              0);
    r = Gls(dir, {"xliff", "import", "MainForm.dfm", "--from", "tt.xlf", "--locale", "12"});
    ASSERT_EQ(r.Status, 0) << r.Output;
    EXPECT_NE(ReadFile(dir.File("translations.txt"))
                  .find("MainForm.ButtonAdd.Caption%12='&Ajouter quelqu''un...'"),
              String::npos);
  }
}

TEST(ExchangeTool, AllLocalesAndRefusedTexts) {
  TempDir dir;
  CopyExample(dir);
  fs::create_directory(dir.Path() / "out");
  TResult r = Gls(dir, {"xliff", "export", "MainForm.dfm", "OptionsDialog.dfm", "--all", "-o", "out"});
  ASSERT_EQ(r.Status, 0) << r.Output;
  EXPECT_TRUE(fs::exists(dir.Path() / "out" / "de.xlf"));
  EXPECT_TRUE(fs::exists(dir.Path() / "out" / "fr.xlf"));
  const String schema = exchangetest::XliffSchema();
  if (exchangetest::HasProgram("xmllint") && !schema.empty()) {
    EXPECT_EQ(exchangetest::Run("xmllint --noout --nonet --schema " + Quoted(schema) + " " +
                                Quoted((dir.Path() / "out" / "de.xlf").string()) + " 2>/dev/null"),
              0);
  }
  const String de = ReadFile((dir.Path() / "out" / "de.xlf").string());
  EXPECT_NE(de.find("<file original=\"OptionsDialog.dfm\""), String::npos);

  // A control character XML 1.0 cannot hold is refused, and nothing written.
  Replace(dir.File("MainForm.dfm"), "Caption = '&Add...'", "Caption = '&Add'#1'...'");
  r = Gls(dir, {"xliff", "export", "MainForm.dfm", "--locale", "7", "-o", "bad.xlf"});
  EXPECT_EQ(r.Status, 1);
  EXPECT_NE(r.Output.find("MainForm.ButtonAdd.Caption: the text holds the control character U+0001"),
            String::npos)
      << r.Output;
  EXPECT_FALSE(fs::exists(dir.Path() / "bad.xlf"));
  // PO carries it.
  r = Gls(dir, {"po", "export", "MainForm.dfm", "--locale", "7"});
  EXPECT_EQ(r.Status, 0) << r.Output;
}

TEST(ExchangeTool, ImportsRunTheChecksThatLoadRuns) {
  // A set's number with bits beyond its elements converts as a number but is
  // no value of the set: the checks that load runs refuse it, naming the
  // catalog's line, for PO and XLIFF alike; --keep-going leaves it out.
  TempDir dir;
  CopyExample(dir);
  const TSnapshot before(dir);
  struct TCase {
    const char* Format;
    const char* File;
    String From, To;  // in the unit of MainForm.Font.Style
  };
  const TCase cases[] = {
      {"po", "bad.po", "msgctxt \"MainForm.Font.Style\"\nmsgid \"0\"\nmsgstr \"\"",
       "msgctxt \"MainForm.Font.Style\"\nmsgid \"0\"\nmsgstr \"99\""},
      {"xliff", "bad.xlf", "<source>0</source>\n        <target state=\"needs-translation\" />",
       "<source>0</source>\n        <target state=\"translated\">99</target>"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Format);
    ASSERT_EQ(Gls(dir, {c.Format, "export", "MainForm.dfm", "--locale", "7", "--values", "-o", c.File})
                  .Status,
              0);
    String data = ReadFile(dir.File(c.File));
    const size_t unit = data.find("MainForm.Font.Style");
    ASSERT_NE(unit, String::npos);
    const size_t at = data.find(c.From, c.From.starts_with("msgctxt") ? unit - 9 : unit);
    ASSERT_NE(at, String::npos) << data.substr(unit, 400);
    data.replace(at, c.From.size(), c.To);
    // And a text that is fine.
    const String close = c.Format == String("po") ? "msgstr \"&Schließen\"" : "&amp;Schließen</target>";
    const size_t closeAt = data.find(close);
    ASSERT_NE(closeAt, String::npos);
    data.replace(closeAt, close.size(),
                 c.Format == String("po") ? "msgstr \"&Zumachen\"" : "&amp;Zumachen</target>");
    WriteFile(dir.File(c.File), data);
    const int line = static_cast<int>(std::count(data.begin(), data.begin() + static_cast<long>(unit), '\n')) + 1;

    TResult r = Gls(dir, {c.Format, "import", "MainForm.dfm", "--from", c.File, "--values"});
    EXPECT_EQ(r.Status, 1) << r.Output;
    EXPECT_NE(r.Output.find("holds bits beyond"), String::npos) << r.Output;
    EXPECT_NE(r.Output.find("[convert]"), String::npos) << r.Output;
    bool named = false;
    for (int l = line - 2; l <= line + 3; ++l)
      if (r.Output.find(String(c.File) + ":" + IntToStr(l) + ":") != String::npos) named = true;
    EXPECT_TRUE(named) << "near line " << line << ": " << r.Output;
    before.ExpectUnchanged();

    r = Gls(dir, {c.Format, "import", "MainForm.dfm", "--from", c.File, "--values", "--keep-going"});
    EXPECT_EQ(r.Status, 0) << r.Output;
    EXPECT_NE(r.Output.find("skipped: " + String(c.File) + ":"), String::npos) << r.Output;
    const String translations = ReadFile(dir.File("translations.txt"));
    EXPECT_NE(translations.find("MainForm.ButtonClose.Caption%7='&Zumachen'"), String::npos);
    EXPECT_EQ(translations.find("Font.Style%7=99"), String::npos);
    WriteFile(dir.File("translations.txt"), before.Files.at("translations.txt"));
  }
}

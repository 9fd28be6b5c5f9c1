// The PO reader and writer: what they read back, their errors, and the
// writer's formatting compared byte for byte with msgcat's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>

#include "exchange/Po.h"
#include "support/ExchangeSupport.h"
#include "support/TestSupport.h"

using namespace Glossmith;
using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

namespace {

TPoEntry Entry(const String& context, const String& id, const String& str) {
  TPoEntry e;
  e.Context = context;
  e.Id = id;
  e.Str = str;
  return e;
}

TPoCatalog WithHeader() {
  TPoCatalog c;
  TPoEntry header;
  header.Str = "Language: de\nMIME-Version: 1.0\nContent-Type: text/plain; charset=UTF-8\n";
  c.Entries.push_back(header);
  return c;
}

// Texts that exercise wrapping: words, punctuation of every break class,
// escapes, line feeds inside and at the ends, long words, UTF-8.
String RandomText(std::mt19937& rng) {
  static const std::vector<String> pieces = {
      "word",  "a",     " ",    " ",   "  ",    "-",    "/",   ".",    ",",   ":",  ";",
      "(",     ")",     "[",    "]",   "{",     "}",    "!",   "?",    "\"",  "'",  "\\",
      "\t",    "\n",    "\r\n", "&",   "$",     "%",    "+",   "#",    "|",   "0",  "123",
      "é",     "Größe", "€",    "…",   "—",     "«",    "»",   "http://example.com/path",
      "C:\\dir\\file.txt",   "averyveryverylongwordthatnolinecanholdwithoutbreakingitanywhereatall",
      "hyphen-ated", "1.5", "e.g.", "x=1", "@", "~", "_", "\xC2\xA0"};
  std::uniform_int_distribution<size_t> pick(0, pieces.size() - 1);
  std::uniform_int_distribution<int> length(0, 60);
  String s;
  for (int n = length(rng); n > 0; --n) s += pieces[pick(rng)];
  return s;
}

}  // namespace

TEST(PoWriter, FormatsStringsAsGettextDoes) {
  TPoCatalog c = WithHeader();
  c.Entries.push_back(Entry("Form1.Label1.Caption", "Short", "Kurz"));
  c.Entries.push_back(Entry("Form1.Memo1.Lines[0]", "one\ntwo\n", "eins\nzwei\n"));
  c.Entries.push_back(Entry("Form1.Edit1.Hint", "Tab\there \"quoted\" back\\slash", ""));
  c.Entries.push_back(Entry(
      "Form1.Label2.Caption",
      "Hello world this is a rather long text that will certainly have to wrap somewhere",
      ""));
  TPoEntry stale = Entry("Form1.Button1.Caption", "&Add new...", "&Ajouter...");
  stale.SetFlag("fuzzy", true);
  stale.PreviousId = "&Add...";
  stale.Extracted = {"TButton, Caption", "width 75 px"};
  stale.References = {"Form1.dfm"};
  c.Entries.push_back(stale);
  TPoEntry gone = Entry("Form1.Gone.Caption", "Gone", "Weg");
  gone.Obsolete = true;
  c.Entries.insert(c.Entries.begin() + 1, gone);  // obsolete entries are written last
  EXPECT_EQ(WritePo(c),
            "msgid \"\"\n"
            "msgstr \"\"\n"
            "\"Language: de\\n\"\n"
            "\"MIME-Version: 1.0\\n\"\n"
            "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
            "\n"
            "msgctxt \"Form1.Label1.Caption\"\n"
            "msgid \"Short\"\n"
            "msgstr \"Kurz\"\n"
            "\n"
            "msgctxt \"Form1.Memo1.Lines[0]\"\n"
            "msgid \"\"\n"
            "\"one\\n\"\n"
            "\"two\\n\"\n"
            "msgstr \"\"\n"
            "\"eins\\n\"\n"
            "\"zwei\\n\"\n"
            "\n"
            "msgctxt \"Form1.Edit1.Hint\"\n"
            "msgid \"Tab\\there \\\"quoted\\\" back\\\\slash\"\n"
            "msgstr \"\"\n"
            "\n"
            "msgctxt \"Form1.Label2.Caption\"\n"
            "msgid \"\"\n"
            "\"Hello world this is a rather long text that will certainly have to wrap \"\n"
            "\"somewhere\"\n"
            "msgstr \"\"\n"
            "\n"
            "#. TButton, Caption\n"
            "#. width 75 px\n"
            "#: Form1.dfm\n"
            "#, fuzzy\n"
            "#| msgid \"&Add...\"\n"
            "msgctxt \"Form1.Button1.Caption\"\n"
            "msgid \"&Add new...\"\n"
            "msgstr \"&Ajouter...\"\n"
            "\n"
            "#~ msgctxt \"Form1.Gone.Caption\"\n"
            "#~ msgid \"Gone\"\n"
            "#~ msgstr \"Weg\"\n");
}

TEST(PoReader, ReadsBackWhatTheWriterWrites) {
  std::mt19937 rng(7);
  TPoCatalog c = WithHeader();
  for (int i = 0; i < 300; ++i) {
    TPoEntry e = Entry("Form1.P" + IntToStr(i), RandomText(rng), RandomText(rng));
    if (e.Id.empty()) e.Id = "x";
    if (i % 7 == 0) {
      e.SetFlag("fuzzy", true);
      e.PreviousId = RandomText(rng);
    }
    if (i % 11 == 0) e.Obsolete = true;
    if (i % 5 == 0) e.Extracted = {"TLabel, Caption", ""};
    c.Entries.push_back(e);
  }
  const String text = WritePo(c);
  TPoCatalog back = ReadPo(text, "x.po");
  ASSERT_EQ(back.Entries.size(), c.Entries.size());
  // Obsolete entries come back last, in their order.
  std::stable_partition(c.Entries.begin(), c.Entries.end(),
                        [](const TPoEntry& e) { return !e.Obsolete; });
  for (size_t i = 0; i < c.Entries.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(back.Entries[i].Context, c.Entries[i].Context);
    EXPECT_EQ(back.Entries[i].Id, c.Entries[i].Id);
    EXPECT_EQ(back.Entries[i].Str, c.Entries[i].Str);
    EXPECT_EQ(back.Entries[i].Obsolete, c.Entries[i].Obsolete);
    EXPECT_EQ(back.Entries[i].Fuzzy(), c.Entries[i].Fuzzy());
    EXPECT_EQ(back.Entries[i].PreviousId, c.Entries[i].PreviousId);
    EXPECT_EQ(back.Entries[i].Extracted, c.Entries[i].Extracted);
  }
  EXPECT_EQ(WritePo(back), text);
  // Entry by entry, as an import reads a large catalog: the same entries in
  // the same order, the header kept in the catalog.
  std::vector<TPoEntry> given;
  const TPoCatalog headerOnly =
      ReadPo(text, "x.po", [&given](TPoEntry&& e) { given.push_back(std::move(e)); });
  ASSERT_EQ(headerOnly.Entries.size(), 1u);
  EXPECT_TRUE(headerOnly.Header());
  ASSERT_EQ(given.size() + 1, back.Entries.size());
  for (size_t i = 0; i < given.size(); ++i) {
    EXPECT_EQ(given[i].Context, back.Entries[i + 1].Context);
    EXPECT_EQ(given[i].Str, back.Entries[i + 1].Str);
    EXPECT_EQ(given[i].Line, back.Entries[i + 1].Line);
  }
}

TEST(PoReader, AcceptsWhatOtherToolsWrite) {
  // CR LF line ends, a byte-order mark, comments of every kind, a header
  // split anyhow, escapes gettext reads (octal, hex), plural and obsolete
  // entries with previous strings, no blank lines between entries.
  // A comment line ending in several CRs (an editor that added one) keeps
  // none of them.
  const String text =
      "\xEF\xBB\xBF# Translator comment\r\r\n"
      "msgid \"\"\r\n"
      "msgstr \"Language: fr_FR\\n\"\r\n"
      "\"Content-Type: text/plain; charset=utf-8\\n\"\r\n"
      "\r\n"
      "#: a.dfm:12 b.dfm\r\n"
      "#, fuzzy, c-format\r\n"
      "#| msgctxt \"Old.Ctx\"\r\n"
      "#| msgid \"old\"\r\n"
      "#| \"er\"\r\n"
      "msgctxt \"F.L.Caption\"\r\n"
      "msgid \"\"\r\n"
      "\"a\\101\\x42 \"\r\n"
      "   \"c\"\r\n"
      "msgstr \"t\"\r\n"
      "msgctxt \"F.P\"\r\n"
      "msgid \"one\"\r\n"
      "msgid_plural \"many\"\r\n"
      "msgstr[0] \"un\"\r\n"
      "msgstr[1] \"plusieurs\"\r\n"
      "\r\n"
      "#~| msgid \"gone before\"\r\n"
      "#~ msgctxt \"F.Gone\"\r\n"
      "#~ msgid \"gone\"\r\n"
      "#~ msgstr \"\"\r\n"
      "#~ \"parti\"\r\n";
  TPoCatalog c = ReadPo(text, "in.po");
  ASSERT_EQ(c.Entries.size(), 4u);
  EXPECT_EQ(c.HeaderField("language"), "fr_FR");
  EXPECT_EQ(c.Entries[0].Comments, std::vector<String>{"Translator comment"});
  const TPoEntry& e = c.Entries[1];
  EXPECT_EQ(e.References, (std::vector<String>{"a.dfm:12", "b.dfm"}));
  EXPECT_TRUE(e.Fuzzy());
  EXPECT_TRUE(e.HasFlag("c-format"));
  EXPECT_EQ(e.PreviousContext, "Old.Ctx");
  EXPECT_EQ(e.PreviousId, "older");
  EXPECT_EQ(e.Id, "aAB c");
  EXPECT_EQ(e.Line, 12);
  EXPECT_TRUE(c.Entries[2].IsPlural());
  EXPECT_EQ(c.Entries[2].PluralStr, (std::vector<String>{"un", "plusieurs"}));
  EXPECT_TRUE(c.Entries[3].Obsolete);
  EXPECT_EQ(c.Entries[3].Str, "parti");
  EXPECT_EQ(c.Entries[3].PreviousId, "gone before");
}

TEST(PoReader, ErrorsNameTheFileAndLine) {
  struct TCase {
    const char* Text;
    int Line;
    const char* Says;
  };
  const TCase cases[] = {
      {"msgid \"a\"\nmsgstr \"b\n", 2, "not closed"},
      {"msgid \"a\"\nmsgid \"b\"\nmsgstr \"\"\n", 2, "second msgid"},
      {"msgctxt \"c\"\n\nmsgstr \"x\"\n", 3, "msgstr without a msgid"},
      {"msgid \"a\"\n", 1, "without a msgstr"},
      {"\nmsgid \"a\\q\"\nmsgstr \"\"\n", 2, "invalid escape"},
      {"msgid \"a\" x\nmsgstr \"\"\n", 1, "after the closing quote"},
      {"msgid \"a\"\nmsgstr \"\"\nbogus \"x\"\n", 3, "unknown keyword"},
      {"msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n", 1,
       "msgconv"},
      {"msgid \"a\"\n#~ msgstr \"b\"\n", 2, "inconsistent use of #~"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    try {
      ReadPo(c.Text, "bad.po");
      ADD_FAILURE() << "no error";
    } catch (const EPoError& e) {
      EXPECT_EQ(e.Line(), c.Line);
      EXPECT_TRUE(e.Message().starts_with("bad.po:" + IntToStr(c.Line) + ": ")) << e.Message();
      EXPECT_NE(e.Message().find(c.Says), String::npos) << e.Message();
    }
  }
}

TEST(PoWriter, WrapsAsMsgcatDoes) {
  if (!exchangetest::HasProgram("msgcat")) GTEST_SKIP() << "msgcat (gettext) is not installed";
  std::mt19937 rng(2024);
  TPoCatalog c = WithHeader();
  for (int i = 0; i < 2000; ++i) {
    TPoEntry e = Entry("Form1.Component" + IntToStr(i) + ".Caption", RandomText(rng),
                       RandomText(rng));
    if (e.Id.empty()) e.Id = "x";
    // msgcat drops the fuzzy mark of an untranslated entry, and obsolete
    // untranslated entries.
    if (e.Str.empty()) e.Str = "z";
    if (i % 13 == 0) {
      e.SetFlag("fuzzy", true);
      e.PreviousId = RandomText(rng);
      if (e.PreviousId->empty()) e.PreviousId = "y";
    }
    if (i % 17 == 0) e.Obsolete = true;
    if (i % 3 == 0) e.Extracted = {"TLabel, Caption", "width 120 px, font Tahoma 8 pt"};
    if (i % 3 == 0) e.References = {"Form1.dfm"};
    c.Entries.push_back(e);
  }
  TempDir dir;
  const String ours = WritePo(c);
  WriteFile(dir.File("ours.po"), ours);
  ASSERT_EQ(exchangetest::Run("msgcat '" + dir.File("ours.po") + "' -o '" + dir.File("theirs.po") + "' 2>/dev/null"), 0);
  const String theirs = ReadFile(dir.File("theirs.po"));
  if (theirs != ours) {
    // The first line that differs, for the message.
    size_t at = 0;
    while (at < ours.size() && at < theirs.size() && ours[at] == theirs[at]) ++at;
    const size_t from = ours.rfind('\n', at == 0 ? 0 : at - 1);
    const size_t start = from == String::npos ? 0 : from + 1;
    FAIL() << "ours:   " << ours.substr(start, ours.find('\n', at) - start) << "\n"
           << "msgcat: " << theirs.substr(start, theirs.find('\n', at) - start);
  }
}

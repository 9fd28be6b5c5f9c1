// Reading XLIFF one top-level element at a time: the outline scanner's cuts,
// the catalog compared with the one-tree reading, and errors with their lines
// in the whole document.
#include <gtest/gtest.h>

#include "exchange/Formats.h"
#include "exchange/XmlOutline.h"

using namespace Glossmith;

namespace {

// Where `marker` ends in `data` (its n-th occurrence, from 0).
size_t After(std::string_view data, std::string_view marker, int n = 0) {
  size_t at = data.find(marker);
  while (n-- > 0) at = data.find(marker, at + 1);
  EXPECT_NE(at, std::string_view::npos) << marker;
  return at + marker.size();
}

String ErrorOf(std::string_view data) {
  try {
    ReadXliffCatalog(data, "in.xlf");
  } catch (const EXliffError& e) {
    return e.Message();
  }
  return "no error";
}

String Describe(const TIncomingCatalog& c) {
  String out = c.Language + " at " + IntToStr(c.LanguageLine) + "\n";
  for (const TIncoming& e : c.Entries)
    out += IntToStr(e.Line) + " " + e.Context + " [" + e.Source + "] [" + e.Target + "]" +
           (e.Fuzzy ? " fuzzy" : "") + (e.BySource ? " by-source" : "") + "\n";
  return out;
}

// Three forms, with what the scanner must look past between and inside them.
const char* const kBody =
    "  <file original=\"a>b.dfm\" note='&lt;file&gt;' datatype=\"x-form\"><body>\n"
    "    <trans-unit id=\"Form1.Caption\"><source>One</source><target>Eins</target></trans-unit>\n"
    "    <trans-unit id=\"Form1.Hint\"><source>Tip</source><target><![CDATA[</file><file>]]></target></trans-unit>\n"
    "  </body></file>\n"
    "  <!-- <file target-language=\"xx\"><body><trans-unit id=\"No.No\"/></body></file> -->\n"
    "  <?note </file> ?>\n"
    "  <file/>\n"
    "  <file target-language=\"fr\"><header/><body><group>\n"
    "    <trans-unit id=\"7\"><source>Seven</source><target state=\"needs-review-translation\">Sept</target></trans-unit>\n"
    "  </group></body></file>\n"
    "  <file target-language=\"de\"><body>\n"
    "    <trans-unit id=\"Form3.Caption\" resname=\"Form3.Title\"><source>Three</source><target state=\"new\">x</target></trans-unit>\n"
    "  </body></file>\n"
    "</xliff>\n";

}  // namespace

TEST(XmlOutline, CutsAfterEachTopLevelElementOnly) {
  const String doc = String("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!DOCTYPE xliff SYSTEM \"x>.dtd\">\n"
                            "<!-- <xliff> --><?pi <file> ?>\n<xliff version=\"1.2\" a='>'>\n") +
                     kBody + "<!-- after -->\n";
  const TXmlOutline outline = ScanXmlOutline(doc);
  EXPECT_EQ(outline.RootName, "xliff");
  EXPECT_EQ(outline.RootBegin, doc.find("<xliff version"));
  EXPECT_EQ(outline.RootEnd, After(doc, "a='>'>"));
  // Not after the CDATA's, the comment's or the instruction's "</file>".
  const std::vector<size_t> cuts = {After(doc, "</body></file>"), After(doc, "<file/>"),
                                    After(doc, "</group></body></file>"),
                                    doc.find("</body></file>\n</xliff>") + 14};
  EXPECT_EQ(outline.Cuts, cuts);
}

TEST(XmlOutline, PrefixedNamesAndNestedFiles) {
  const std::string_view doc =
      "<x:xliff xmlns:x=\"urn:oasis:names:tc:xliff:document:1.2\">"
      "<x:file><x:body/></x:file>"
      "<other><file><body/></file><file/></other>"
      "<x:file a=\"<file>\" b='</x:file>'/>"
      "</x:xliff>";
  const TXmlOutline outline = ScanXmlOutline(doc);
  EXPECT_EQ(outline.RootName, "x:xliff");
  const std::vector<size_t> cuts = {After(doc, "</x:file>"), After(doc, "</other>"),
                                    After(doc, "'</x:file>'/>")};
  EXPECT_EQ(outline.Cuts, cuts);
}

TEST(XmlOutline, StopsAtWhatItIsNotSureOf) {
  // An internal subset may declare what changes the reading: no outline.
  EXPECT_TRUE(ScanXmlOutline("<!DOCTYPE x [<!ENTITY e '</file>'>]><x><file/><file/></x>").Cuts.empty());
  // An empty root, no root, text before it.
  EXPECT_TRUE(ScanXmlOutline("<xliff version='1.2'/>").Cuts.empty());
  EXPECT_TRUE(ScanXmlOutline("<?xml version='1.0'?>").Cuts.empty());
  EXPECT_TRUE(ScanXmlOutline("text<xliff><file/></xliff>").Cuts.empty());
  // The cuts before an open comment, a stray "<" or the root's end stand;
  // none after.
  for (const char* tail : {"<!-- open <file/>", "< file/><file/>", "</xliff><file/>",
                           "<file a='open/>", "<!DOCTYPE y><file/>"}) {
    const String doc = String("<xliff><file/>") + tail;
    EXPECT_EQ(ScanXmlOutline(doc).Cuts, std::vector<size_t>{14}) << tail;
  }
}

TEST(XliffRead, PiecesGiveTheCatalogOfTheWholeTree) {
  // The same document twice on the same lines: with an internal subset it is
  // read as one tree, without one in pieces.
  const String rest = String("\n<xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\""
                             " xml:space=\"preserve\">\n") + kBody;
  const String whole = "<?xml version=\"1.0\"?><!DOCTYPE xliff []>" + rest;
  const String pieces = "<?xml version=\"1.0\"?><!DOCTYPE xliff   >" + rest;
  ASSERT_TRUE(ScanXmlOutline(whole).Cuts.empty());
  ASSERT_EQ(ScanXmlOutline(pieces).Cuts.size(), 4u);
  const String expected =
      "fr at 10\n"
      "4 Form1.Caption [One] [Eins]\n"
      "5 Form1.Hint [Tip] [</file><file>]\n"
      "11 7 [Seven] [Sept] fuzzy by-source\n"
      "14 Form3.Title [Three] []\n";
  EXPECT_EQ(Describe(ReadXliffCatalog(whole, "in.xlf")), expected);
  EXPECT_EQ(Describe(ReadXliffCatalog(pieces, "in.xlf")), expected);
}

TEST(XliffRead, PrefixedDocumentReadsEveryFile) {
  const std::string_view doc =
      "<x:xliff version=\"1.2\" xmlns:x=\"urn:oasis:names:tc:xliff:document:1.2\">\n"
      "<x:file><x:body><x:trans-unit id=\"F.a\"><x:source>a</x:source><x:target>A</x:target></x:trans-unit></x:body></x:file>\n"
      "<x:file target-language=\"it\"><x:body><x:trans-unit id=\"F.b\"><x:source>b</x:source><x:target>B</x:target></x:trans-unit></x:body></x:file>\n"
      "</x:xliff>\n";
  EXPECT_EQ(Describe(ReadXliffCatalog(doc, "in.xlf")),
            "it at 3\n2 F.a [a] [A]\n3 F.b [b] [B]\n");
}

TEST(XliffRead, ErrorsNameTheLineInTheWholeDocument) {
  const String head = "<?xml version=\"1.0\"?>\n<xliff version=\"1.2\">\n"
                      "<file><body><trans-unit id=\"F.a\"><source>a</source></trans-unit></body></file>\n";
  // In the second file.
  EXPECT_EQ(ErrorOf(head + "<file>\n<body>\n<trans-unit id=\"F.b\"><source>b</target>\n</body></file>\n</xliff>\n"),
            "in.xlf:6: Start-end tags mismatch");
  EXPECT_EQ(ErrorOf(head + "<file>\n<body>\n<trans-unit id=\"F.b\" a=b/>\n</body></file>\n</xliff>\n"),
            "in.xlf:6: Error parsing element attribute");
  // A file left open, the root left open, what follows the root.
  EXPECT_EQ(ErrorOf(head + "<file>\n<body>\n</body>\n</xliff>\n"), "in.xlf:7: Start-end tags mismatch");
  EXPECT_EQ(ErrorOf(head + "<file>\n<body>\n</body>\n"), "in.xlf:7: Start-end tags mismatch");
  EXPECT_EQ(ErrorOf(head + "<file/>\n"), "in.xlf:5: Start-end tags mismatch");
  EXPECT_EQ(ErrorOf(head + "</xliff>\n<garbage>\n"), "in.xlf:6: Start-end tags mismatch");
  EXPECT_EQ(ErrorOf(head + "</xliff>\n</garbage>\n"), "in.xlf:5: Start-end tags mismatch");
  // Between files: a comment left open is told where the text ends.
  EXPECT_EQ(ErrorOf(head + "<!-- open\n<file/>\n</xliff>\n"), "in.xlf:7: Error parsing comment");
}

TEST(XliffRead, RootChecksComeAfterTheTextIsWellFormed) {
  const String files = "<file><body/></file>\n<file><body/></file>\n";
  EXPECT_EQ(ErrorOf("\n<po version=\"1.2\">\n" + files + "</po>"),
            "in.xlf:2: not an XLIFF document (its root element is <po>)");
  EXPECT_EQ(ErrorOf("<xliff version=\"2.0\">\n" + files + "</xliff>"),
            "in.xlf:1: XLIFF 2.0 is not read; only XLIFF 1.0 to 1.2");
  // A broken second file is told before the root.
  EXPECT_EQ(ErrorOf("<po>\n<file><body/></file>\n<file><body></file>\n</po>"),
            "in.xlf:3: Start-end tags mismatch");
}

// XLIFF 1.2 catalogs, read and written with pugixml.
#include <pugixml.hpp>

#include <algorithm>
#include <sstream>

#include "exchange/Formats.h"
#include "exchange/XmlOutline.h"

namespace Glossmith::inline Exchange {

namespace {

constexpr const char* kNamespace12 = "urn:oasis:names:tc:xliff:document:1.2";

// The XLIFF resource type of a text: a hint shows as a tooltip, anything
// else as the control that holds it.
const char* ResourceTypeOf(const TExchangeUnit& unit) {
  if (unit.Property == "Hint" || unit.Property.ends_with(".Hint")) return "tooltip";
  if (unit.OnForm) return unit.Property == "Caption" ? "dialog" : nullptr;
  static const std::pair<const char*, const char*> kTypes[] = {
      {"TButton", "button"},       {"TBitBtn", "button"},         {"TSpeedButton", "button"},
      {"TCheckBox", "checkbox"},   {"TRadioButton", "radio"},     {"TLabel", "label"},
      {"TStaticText", "label"},    {"TEdit", "edit"},             {"TMaskEdit", "edit"},
      {"TMemo", "edit"},           {"TRichEdit", "edit"},         {"TComboBox", "combobox"},
      {"TListBox", "listbox"},     {"TCheckListBox", "checkedlistbox"},
      {"TGroupBox", "groupbox"},   {"TRadioGroup", "groupbox"},   {"TMenuItem", "menuitem"},
      {"TMainMenu", "menubar"},    {"TPopupMenu", "popupmenu"},   {"TPanel", "panel"},
      {"TStatusBar", "statusbar"}, {"TToolBar", "toolbar"},       {"TToolButton", "button"},
      {"TTreeView", "tree"},       {"TListView", "list"},         {"TPageControl", "tabcontrol"},
      {"TTabControl", "tabcontrol"}, {"TTabSheet", "panel"},      {"TTrackBar", "trackbar"},
      {"TStringGrid", "grid"},     {"TDrawGrid", "grid"},         {"TSplitter", "splitter"},
      {"TScrollBox", "scrollpane"}, {"TDateTimePicker", "datetimepicker"},
      {"TMonthCalendar", "monthcalendar"}, {"TUpDown", "spinner"}, {"TForm", "dialog"},
  };
  for (const auto& [cls, type] : kTypes)
    if (unit.ClassName == cls) return type;
  return nullptr;
}

String CodeName(uint32_t code) {
  static const char* digits = "0123456789ABCDEF";
  String hex;
  for (int shift = 12; shift >= 0; shift -= 4) hex += digits[(code >> shift) & 0xF];
  return "U+" + hex;
}

// The text as XML character data: markup characters escaped, a carriage
// return as a reference so that reading does not fold it into the line feed.
// Raises EXliffError for what XML 1.0 cannot hold.
String Escaped(std::string_view text, bool attribute, const String& fileName,
               const String& context) {
  String out;
  out.reserve(text.size() + 8);
  for (size_t i = 0; i < text.size();) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x80) {
      switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += attribute ? "&quot;" : "\""; break;
        case '\r': out += "&#13;"; break;
        case '\n': out += attribute ? "&#10;" : "\n"; break;
        case '\t': out += attribute ? "&#9;" : "\t"; break;
        default:
          if (c < 0x20)
            throw EXliffError(fileName + ": " + context + ": the text holds the control character " +
                              CodeName(c) +
                              ", which XML 1.0 cannot hold; export this form as PO instead");
          out += static_cast<char>(c);
      }
      ++i;
      continue;
    }
    uint32_t code;
    const size_t n = Utf8CharLength(text, i, code);
    if (n == 0)
      throw EXliffError(fileName + ": " + context +
                        ": the text is not valid UTF-8, which an XLIFF file must be");
    if (code == 0xFFFE || code == 0xFFFF)
      throw EXliffError(fileName + ": " + context + ": the text holds " +
                        CodeName(code) +
                        ", which XML 1.0 cannot hold");
    out.append(text.substr(i, n));
    i += n;
  }
  return out;
}

}  // namespace

namespace {

// Collects what pugixml prints into a string.
struct TStringWriter final : pugi::xml_writer {
  explicit TStringWriter(String& out) : Out(out) {}
  void write(const void* data, size_t size) override {
    Out.append(static_cast<const char*>(data), size);
  }
  String& Out;
};

constexpr unsigned kSaveFlags = pugi::format_indent | pugi::format_no_escapes;

}  // namespace

TXliffCatalogWriter::TXliffCatalogWriter(const TCatalogInfo& info, String fileName)
    : FFileName(std::move(fileName)),
      FLanguage(LanguageTagOf(info.Locale)),
      FToolVersion(info.Generator.substr(info.Generator.rfind(' ') + 1)) {
  FOut = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<xliff version=\"1.2\" xmlns=\"";
  FOut += kNamespace12;
  FOut += "\"";
}

void TXliffCatalogWriter::Add(const TFormUnits& form) {
  // Each form is a <file> element of a document of its own, printed at the
  // depth it has in the whole and let go: the whole document never stands
  // in memory at once.
  pugi::xml_document doc;
  // Texts and names go through Escaped: the element is printed without
  // pugixml's own escaping.
  auto attr = [&](pugi::xml_node node, const char* name, std::string_view value,
                  const String& context) {
    node.append_attribute(name) = Escaped(value, true, FFileName, context).c_str();
  };
  auto text = [&](pugi::xml_node node, const char* name, std::string_view value,
                  const String& context) {
    auto child = node.append_child(name);
    if (!value.empty())
      child.append_child(pugi::node_pcdata).set_value(Escaped(value, false, FFileName, context).c_str());
    return child;
  };
  auto file = doc.append_child("file");
  attr(file, "original", form.FormFile, form.FormFile);
  file.append_attribute("source-language") = "en";
  if (!FLanguage.empty()) file.append_attribute("target-language") = FLanguage.c_str();
  file.append_attribute("datatype") = "x-form";
  auto header = file.append_child("header");
  auto tool = header.append_child("tool");
  tool.append_attribute("tool-id") = "glossmith";
  tool.append_attribute("tool-name") = "Glossmith";
  attr(tool, "tool-version", FToolVersion, "tool");
  auto body = file.append_child("body");
  for (const TExchangeUnit& unit : form.Units) {
    if (unit.State == TUnitState::Obsolete) continue;
    auto tu = body.append_child("trans-unit");
    attr(tu, "id", unit.Context, unit.Context);
    attr(tu, "resname", unit.Context, unit.Context);
    if (const char* type = ResourceTypeOf(unit)) tu.append_attribute("restype") = type;
    if (unit.State == TUnitState::Translated) tu.append_attribute("approved") = "yes";
    if (unit.IsValue) tu.append_attribute("extype") = "x-glossmith-value";
    tu.append_attribute("xml:space") = "preserve";
    if (unit.Width) {
      tu.append_attribute("maxwidth") = IntToStr(*unit.Width).c_str();
      tu.append_attribute("size-unit") = "pixel";
    }
    if (!unit.FontName.empty()) {
      String font = unit.FontName;
      if (unit.FontSize) font += ", " + IntToStr(*unit.FontSize);
      attr(tu, "font", font, unit.Context);
    }
    text(tu, "source", unit.Source, unit.Context);
    const char* state = unit.State == TUnitState::Translated ? "translated"
                        : unit.State == TUnitState::Stale    ? "needs-review-translation"
                                                             : "needs-translation";
    auto target = text(tu, "target", unit.Target, unit.Context);
    target.append_attribute("state") = state;
    if (unit.State == TUnitState::Stale && unit.Previous) {
      auto alt = tu.append_child("alt-trans");
      text(alt, "source", *unit.Previous, unit.Context);
      text(alt, "target", unit.Target, unit.Context);
    }
    for (const String& note : DescribeUnit(unit)) text(tu, "note", note, unit.Context);
  }
  if (!FAny) FOut += ">\n";
  FAny = true;
  TStringWriter writer(FOut);
  file.print(writer, "  ", kSaveFlags, pugi::encoding_utf8, 1);
}

String TXliffCatalogWriter::Finish() {
  FOut += FAny ? "</xliff>\n" : " />\n";
  return std::move(FOut);
}

String WriteXliffCatalog(const std::vector<TFormUnits>& forms, const TCatalogInfo& info,
                         const String& fileName) {
  TXliffCatalogWriter writer(info, fileName);
  for (const TFormUnits& form : forms) writer.Add(form);
  return writer.Finish();
}

namespace {

std::string_view LocalName(const char* name) {
  std::string_view n = name;
  size_t colon = n.find(':');
  return colon == std::string_view::npos ? n : n.substr(colon + 1);
}

pugi::xml_node Child(pugi::xml_node node, std::string_view name) {
  for (auto child : node.children())
    if (child.type() == pugi::node_element && LocalName(child.name()) == name) return child;
  return {};
}

// The text of an element with its inline elements' text (<mrk>, <g>).
void TextOf(pugi::xml_node node, String& out) {
  for (auto child : node.children()) {
    if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata)
      out += child.value();
    else if (child.type() == pugi::node_element)
      TextOf(child, out);
  }
}

class TLineOf {
 public:
  explicit TLineOf(std::string_view data) {
    for (size_t i = 0; i < data.size(); ++i)
      if (data[i] == '\n') FBreaks.push_back(i);
  }
  int operator()(ptrdiff_t offset) const {
    if (offset < 0) return 0;
    return static_cast<int>(std::upper_bound(FBreaks.begin(), FBreaks.end(),
                                             static_cast<size_t>(offset)) -
                            FBreaks.begin()) +
           1;
  }

 private:
  std::vector<size_t> FBreaks;
};

bool NeedsWork(std::string_view state) {
  return state.starts_with("needs-review") || state == "needs-adaptation" ||
         state == "needs-l10n";
}

// Where an offset in a piece's buffer is in the whole document. A piece after
// the first is a copy of the root start tag and then the document from Begin.
struct TPiece {
  size_t Begin = 0;      // where the piece's own text starts in the document
  size_t Prefix = 0;     // the length of the copied root start tag before it
  size_t RootBegin = 0;  // where that start tag is in the document
  ptrdiff_t operator()(ptrdiff_t offset) const {
    if (offset < 0) return offset;
    const auto o = static_cast<size_t>(offset);
    return static_cast<ptrdiff_t>(o < Prefix ? RootBegin + o : Begin + (o - Prefix));
  }
};

// The line of a node of a piece in the whole document.
struct TUnitLines {
  const TLineOf& LineOf;
  TPiece Piece;
  int operator()(pugi::xml_node node) const { return LineOf(Piece(node.offset_debug())); }
};

void ReadUnits(pugi::xml_node node, TIncomingCatalog& in, const TUnitLines& lines) {
  for (auto child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child.name());
    if (name == "group") {
      ReadUnits(child, in, lines);
      continue;
    }
    if (name == "bin-unit") continue;
    if (name != "trans-unit") continue;
    // The header of a PO file that po2xliff carried over.
    if (std::string_view(child.attribute("restype").value()) == "x-gettext-domain-header") continue;
    TIncoming e;
    e.Line = lines(child);
    String context = child.attribute("resname").value();
    // Translate Toolkit keeps a PO entry's context in a context group.
    if (context.empty())
      for (auto group : child.children())
        if (LocalName(group.name()) == "context-group")
          for (auto c : group.children())
            if (LocalName(c.name()) == "context" &&
                std::string_view(c.attribute("context-type").value()) == "x-po-msgctxt")
              context = c.text().get();
    if (context.empty()) {
      context = child.attribute("id").value();
      // An id that is no path (no form name before a dot): a numbered unit.
      e.BySource = context.find('.') == String::npos;
    }
    e.Context = context;
    TextOf(Child(child, "source"), e.Source);
    if (auto target = Child(child, "target")) {
      TextOf(target, e.Target);
      const std::string_view state = target.attribute("state").value();
      if (state == "new" || state == "needs-translation") e.Target.clear();
      e.Fuzzy = NeedsWork(state);
    }
    if (std::string_view(child.attribute("translate").value()) == "no") e.Target.clear();
    in.Entries.push_back(std::move(e));
  }
}

bool IsNameStart(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' || c == ':' || c >= 0x80;
}
bool IsNameChar(unsigned char c) {
  return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

TXmlOutline ScanXmlOutline(std::string_view d) {
  TXmlOutline out;
  size_t i = d.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  // Past the next `end` from i ("?>", "-->", "]]>"); false when there is none.
  auto skipTo = [&](std::string_view end) {
    const size_t at = d.find(end, i);
    if (at == std::string_view::npos) return false;
    i = at + end.size();
    return true;
  };
  // A start tag from its "<" at i: past its ">", and whether it closed with
  // "/>". False for what the scanner cannot be sure is one tag.
  auto startTag = [&](bool& empty) {
    size_t k = i + 1;
    while (k < d.size() && IsNameChar(static_cast<unsigned char>(d[k]))) ++k;
    for (; k < d.size(); ++k) {
      const char c = d[k];
      if (c == '"' || c == '\'') {
        k = d.find(c, k + 1);
        if (k == std::string_view::npos) return false;
      } else if (c == '<') {
        return false;
      } else if (c == '>') {
        empty = d[k - 1] == '/';
        i = k + 1;
        return true;
      }
    }
    return false;
  };

  // The prolog: the declaration, processing instructions, comments, white
  // space and a DOCTYPE without an internal subset (whose declarations the
  // scanner does not read; with one, the document is read whole).
  for (;;) {
    while (i < d.size() && IsSpace(d[i])) ++i;
    if (i >= d.size() || d[i] != '<') return out;
    const std::string_view rest = d.substr(i);
    if (rest.starts_with("<?")) {
      if (!skipTo("?>")) return out;
    } else if (rest.starts_with("<!--")) {
      if (!skipTo("-->")) return out;
    } else if (rest.starts_with("<!DOCTYPE")) {
      size_t k = i + 9;
      for (; k < d.size() && d[k] != '>'; ++k) {
        if (d[k] == '[') return out;
        if (d[k] == '"' || d[k] == '\'') {
          k = d.find(d[k], k + 1);
          if (k == std::string_view::npos) return out;
        }
      }
      if (k >= d.size()) return out;
      i = k + 1;
    } else {
      break;
    }
  }
  if (i + 1 >= d.size() || !IsNameStart(static_cast<unsigned char>(d[i + 1]))) return out;
  out.RootBegin = i;
  size_t nameEnd = i + 1;
  while (nameEnd < d.size() && IsNameChar(static_cast<unsigned char>(d[nameEnd]))) ++nameEnd;
  bool empty = false;
  if (!startTag(empty) || empty) return out;
  out.RootEnd = i;
  out.RootName = d.substr(out.RootBegin + 1, nameEnd - out.RootBegin - 1);

  // The root's content. Depth 1 is the root's own; an element's end tag that
  // brings it back to 1 is a cut. End-tag names are not matched here: the
  // parser checks them in the piece that holds them.
  int depth = 1;
  for (;;) {
    i = d.find('<', i);
    if (i == std::string_view::npos) return out;
    const std::string_view rest = d.substr(i);
    if (rest.starts_with("<!--")) {
      if (!skipTo("-->")) return out;
    } else if (rest.starts_with("<![CDATA[")) {
      if (!skipTo("]]>")) return out;
    } else if (rest.starts_with("<?")) {
      if (!skipTo("?>")) return out;
    } else if (rest.starts_with("</")) {
      size_t k = i + 2;
      if (k >= d.size() || !IsNameStart(static_cast<unsigned char>(d[k]))) return out;
      while (k < d.size() && IsNameChar(static_cast<unsigned char>(d[k]))) ++k;
      while (k < d.size() && IsSpace(d[k])) ++k;
      if (k >= d.size() || d[k] != '>') return out;
      i = k + 1;
      if (--depth == 0) return out;  // the root's end: the rest is one piece
      if (depth == 1) out.Cuts.push_back(i);
    } else if (rest.size() > 1 && IsNameStart(static_cast<unsigned char>(rest[1]))) {
      if (!startTag(empty)) return out;
      if (!empty)
        ++depth;
      else if (depth == 1)
        out.Cuts.push_back(i);
    } else {
      return out;  // "<!DOCTYPE" inside the root, a stray "<": the parser's to judge
    }
  }
}

namespace {

constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_ws_pcdata;

// The document read whole into one tree, as it was before it was read piece
// by piece; raises EXliffError for a malformed one.
void LoadWhole(pugi::xml_document& doc, std::string_view data, const String& fileName,
               const TLineOf& lineOf) {
  pugi::xml_parse_result result =
      doc.load_buffer(data.data(), data.size(), kParseOptions, pugi::encoding_utf8);
  if (!result)
    throw EXliffError(fileName + ":" + IntToStr(lineOf(result.offset)) + ": " +
                      result.description());
}

// Why the root is not read, or empty when it is.
String RootError(pugi::xml_node root, const String& fileName, int line) {
  if (LocalName(root.name()) != "xliff")
    return fileName + ":" + IntToStr(line) + ": not an XLIFF document (its root element is <" +
           root.name() + ">)";
  const std::string_view version = root.attribute("version").value();
  if (!version.empty() && version != "1.0" && version != "1.1" && version != "1.2")
    return fileName + ":" + IntToStr(line) + ": XLIFF " + String(version) +
           " is not read; only XLIFF 1.0 to 1.2";
  return {};
}

void ReadFiles(pugi::xml_node root, TIncomingCatalog& in, const TUnitLines& lines) {
  for (auto file : root.children()) {
    if (file.type() != pugi::node_element || LocalName(file.name()) != "file") continue;
    const String language = file.attribute("target-language").value();
    if (!language.empty() && in.Language.empty()) {
      in.Language = language;
      in.LanguageLine = lines(file);
    }
    if (auto body = Child(file, "body")) ReadUnits(body, in, lines);
  }
}

TIncomingCatalog ReadWhole(std::string_view data, const String& fileName, const TLineOf& lineOf) {
  pugi::xml_document doc;
  LoadWhole(doc, data, fileName, lineOf);
  auto root = doc.document_element();
  const String error = RootError(root, fileName, lineOf(root.offset_debug()));
  if (!error.empty()) throw EXliffError(error);
  TIncomingCatalog in;
  ReadFiles(root, in, TUnitLines{lineOf, {}});
  return in;
}

}  // namespace

// The document is read piece by piece so that the tree holds one <file> at a
// time: the first piece is the document up to the end of its first depth-1
// element, closed by the root's end tag; each next one is a copy of the root
// start tag (its namespace declarations and xml:space go on applying), the
// document from the previous cut to the next one, and the root's end tag; the
// last one runs to the document's end with its own root end tag and whatever
// follows it. Every byte of the document is parsed once, from the state the
// parser of the whole document would be in there, so a piece's error is the
// error of the whole at the same place, and the root's children are the same.
// Where the scanner is not sure of the outline it stops, and the rest of the
// document from the last cut is one piece: parsing from a cut is what the
// parser of the whole does there, so this too reads as the whole did.
TIncomingCatalog ReadXliffCatalog(std::string_view data, const String& fileName) {
  const TLineOf lineOf(data);
  const TXmlOutline outline = ScanXmlOutline(data);
  if (outline.Cuts.empty()) return ReadWhole(data, fileName, lineOf);

  const std::string_view rootTag =
      data.substr(outline.RootBegin, outline.RootEnd - outline.RootBegin);
  const String rootClose = "</" + String(outline.RootName) + ">";
  TIncomingCatalog in;
  String rootError;
  String buffer;
  for (size_t n = 0; n <= outline.Cuts.size(); ++n) {
    TPiece piece;
    piece.RootBegin = outline.RootBegin;
    const bool last = n == outline.Cuts.size();
    const size_t end = last ? data.size() : outline.Cuts[n];
    buffer.clear();
    if (n > 0) {
      piece.Begin = outline.Cuts[n - 1];
      piece.Prefix = rootTag.size();
      buffer += rootTag;
    }
    buffer += data.substr(piece.Begin, end - piece.Begin);
    if (!last) buffer += rootClose;
    pugi::xml_document doc;
    pugi::xml_parse_result result =
        doc.load_buffer(buffer.data(), buffer.size(), kParseOptions, pugi::encoding_utf8);
    if (!result) {
      const size_t at = static_cast<size_t>(result.offset);
      // An error in the copied start tag or in the added end tag would mean
      // the outline was misread (its cut is not where the element ended):
      // then the document is read whole, as it always was, which gives its
      // own error, or its catalog. The whole read is safe in any case; it is
      // only the memory it takes.
      const size_t own = piece.Prefix + (end - piece.Begin);
      if (at < piece.Prefix || (last ? at > own : at >= own))
        return ReadWhole(data, fileName, lineOf);
      throw EXliffError(fileName + ":" + IntToStr(lineOf(piece(result.offset))) + ": " +
                        result.description());
    }
    auto root = doc.document_element();
    if (n == 0) rootError = RootError(root, fileName, lineOf(root.offset_debug()));
    // As with the whole document, an error anywhere in the text comes before
    // a root that is not read: the pieces are all parsed before it is told.
    if (rootError.empty()) ReadFiles(root, in, TUnitLines{lineOf, piece});
  }
  if (!rootError.empty()) throw EXliffError(rootError);
  return in;
}

}  // namespace Glossmith::inline Exchange

// XLIFF 1.2 catalogs, read and written with pugixml.
#include <pugixml.hpp>

#include <algorithm>
#include <sstream>

#include "exchange/Formats.h"

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

void ReadUnits(pugi::xml_node node, TIncomingCatalog& in, const TLineOf& lineOf) {
  for (auto child : node.children()) {
    if (child.type() != pugi::node_element) continue;
    const std::string_view name = LocalName(child.name());
    if (name == "group") {
      ReadUnits(child, in, lineOf);
      continue;
    }
    if (name == "bin-unit") continue;
    if (name != "trans-unit") continue;
    // The header of a PO file that po2xliff carried over.
    if (std::string_view(child.attribute("restype").value()) == "x-gettext-domain-header") continue;
    TIncoming e;
    e.Line = lineOf(child.offset_debug());
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

}  // namespace

TIncomingCatalog ReadXliffCatalog(std::string_view data, const String& fileName) {
  pugi::xml_document doc;
  const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata;
  pugi::xml_parse_result result =
      doc.load_buffer(data.data(), data.size(), options, pugi::encoding_utf8);
  const TLineOf lineOf(data);
  if (!result)
    throw EXliffError(fileName + ":" + IntToStr(lineOf(result.offset)) + ": " +
                      result.description());
  auto root = doc.document_element();
  if (LocalName(root.name()) != "xliff")
    throw EXliffError(fileName + ":" + IntToStr(lineOf(root.offset_debug())) +
                      ": not an XLIFF document (its root element is <" + root.name() + ">)");
  const std::string_view version = root.attribute("version").value();
  if (!version.empty() && version != "1.0" && version != "1.1" && version != "1.2")
    throw EXliffError(fileName + ":" + IntToStr(lineOf(root.offset_debug())) + ": XLIFF " +
                      String(version) + " is not read; only XLIFF 1.0 to 1.2");
  TIncomingCatalog in;
  for (auto file : root.children()) {
    if (file.type() != pugi::node_element || LocalName(file.name()) != "file") continue;
    const String language = file.attribute("target-language").value();
    if (!language.empty() && in.Language.empty()) {
      in.Language = language;
      in.LanguageLine = lineOf(file.offset_debug());
    }
    if (auto body = Child(file, "body")) ReadUnits(body, in, lineOf);
  }
  return in;
}

}  // namespace Glossmith::inline Exchange

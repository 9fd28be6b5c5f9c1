// The outline of an XML document, found without building a tree: where its
// root start tag is and where each element at depth 1 ends. The XLIFF reader
// cuts the document there and parses it one top-level element at a time.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace Glossmith::inline Exchange {

struct TXmlOutline {
  size_t RootBegin = 0, RootEnd = 0;  // the root start tag, "<xliff ...>"
  std::string_view RootName;          // with its prefix, for the end tag
  std::vector<size_t> Cuts;           // just after the end of a depth-1 element
};

// Honours comments, CDATA sections, processing instructions, the XML
// declaration, a DOCTYPE, quoted attribute values and empty-element tags.
// It stops at the first thing it is not sure of (an internal DTD subset, a
// construct left open, a malformed tag, the root's end tag): the cuts found
// before it stand and the rest of the document is one piece. A cut is only
// ever made just after the end tag (or the "/>") of an element at depth 1,
// outside any markup, where a parser of the whole document would stand in
// the root's content with nothing else open.
TXmlOutline ScanXmlOutline(std::string_view data);

}  // namespace Glossmith::inline Exchange

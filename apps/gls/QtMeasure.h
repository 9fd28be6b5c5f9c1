// Text measured as the Qt front end shows it: in the font the preview shows
// a host font in, at the form's pixels. Needs Qt started (StartQtTextMetrics
// or the Qt service).
#pragma once

#include "check/TextMeasure.h"
#include "frontends/qt/QtFrontEnd.h"

namespace Glossmith::Tool {

class TQtMeasure : public TTextMeasure {
 public:
  double TextWidth(const TFont& font, std::string_view line) const override {
    return QtTextWidth(font, line);
  }
  double LineHeight(const TFont& font) const override { return QtLineHeight(font); }
  String Kind() const override { return "Qt metrics"; }
  String Face(const TFont& font) const override { return QtFontFamily(font); }
};

}  // namespace Glossmith::Tool

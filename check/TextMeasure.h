// Measuring a text in a control's font, for the truncation check. The
// measure is an interface: the Qt front end measures with Qt's font metrics
// in the font its preview shows; without it, TEstimatedMeasure estimates
// from the advance widths of the fallback fonts bundled here.
#pragma once

#include "host/controls/Graphics.h"

namespace Glossmith::inline Check {

class TTextMeasure {
 public:
  virtual ~TTextMeasure() = default;
  // The width in pixels of one line of plain text in `font`, its height in
  // the form's pixels (the form's PixelsPerInch).
  virtual double TextWidth(const TFont& font, std::string_view line) const = 0;
  // The height of a line of text in `font`.
  virtual double LineHeight(const TFont& font) const = 0;
  // What a message says of the measure: "Qt metrics" or "estimated".
  virtual String Kind() const = 0;
  // The face a text in `font` is measured in.
  virtual String Face(const TFont& font) const = 0;
};

// The pixel height of a font's characters: a negative Height is that height,
// a positive one the cell height, of which the characters are four fifths.
double FontPixelHeight(const TFont& font);

// Widths from the bundled advance widths of Liberation Sans, Serif and Mono
// (regular and bold), the faces the front end shows the classic families
// in; characters beyond Latin-1 take an average width (a full em for the
// wide East Asian ones).
class TEstimatedMeasure : public TTextMeasure {
 public:
  double TextWidth(const TFont& font, std::string_view line) const override;
  double LineHeight(const TFont& font) const override;
  String Kind() const override { return "estimated"; }
  String Face(const TFont& font) const override;
};

}  // namespace Glossmith::inline Check

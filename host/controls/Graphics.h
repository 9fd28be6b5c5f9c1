// Colours and fonts.
#pragma once

#include "host/classes/Classes.h"

namespace Glossmith::inline Controls {

// A colour: 0x00BBGGRR for a plain colour; a system colour has the high byte
// 0xFF and the system colour index in the low byte.
using TColor = Integer;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clScrollBar = clSystemColor | 0;
constexpr TColor clBackground = clSystemColor | 1;
constexpr TColor clActiveCaption = clSystemColor | 2;
constexpr TColor clInactiveCaption = clSystemColor | 3;
constexpr TColor clMenu = clSystemColor | 4;
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowFrame = clSystemColor | 6;
constexpr TColor clMenuText = clSystemColor | 7;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clCaptionText = clSystemColor | 9;
constexpr TColor clActiveBorder = clSystemColor | 10;
constexpr TColor clInactiveBorder = clSystemColor | 11;
constexpr TColor clAppWorkSpace = clSystemColor | 12;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clGrayText = clSystemColor | 17;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clInactiveCaptionText = clSystemColor | 19;
constexpr TColor clBtnHighlight = clSystemColor | 20;
constexpr TColor cl3DDkShadow = clSystemColor | 21;
constexpr TColor cl3DLight = clSystemColor | 22;
constexpr TColor clInfoText = clSystemColor | 23;
constexpr TColor clInfoBk = clSystemColor | 24;
constexpr TColor clHotLight = clSystemColor | 26;
constexpr TColor clGradientActiveCaption = clSystemColor | 27;
constexpr TColor clGradientInactiveCaption = clSystemColor | 28;
constexpr TColor clMenuHighlight = clSystemColor | 29;
constexpr TColor clMenuBar = clSystemColor | 30;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The type information of TColor (an integer type with identifiers).
PTypeInfo TColorTypeInfo();
// The identifier of a colour ("clRed", "clBtnFace"); false when it has none.
bool ColorToIdent(Integer color, String& ident);
// The colour of an identifier (case ignored); false when there is none.
bool IdentToColor(std::string_view ident, Integer& color);
// "clRed" for a colour with an identifier, otherwise "$00BBGGRR".
String ColorToString(TColor color);
TColor StringToColor(std::string_view s);

using TFontCharset = Integer;
constexpr TFontCharset ANSI_CHARSET = 0;
constexpr TFontCharset DEFAULT_CHARSET = 1;
PTypeInfo TFontCharsetTypeInfo();
bool CharsetToIdent(Integer charset, String& ident);
bool IdentToCharset(std::string_view ident, Integer& charset);

enum TFontStyle : uint8_t { fsBold, fsItalic, fsUnderline, fsStrikeOut };
GLS_ENUM_TYPEINFO(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = TSet<TFontStyle>;
GLS_SET_TYPEINFO(TFontStyles, TFontStyle)

enum TFontPitch : uint8_t { fpDefault, fpVariable, fpFixed };
GLS_ENUM_TYPEINFO(TFontPitch, "fpDefault", "fpVariable", "fpFixed")

// A font. Size and Height describe the same thing at 96 pixels per inch:
// Height is negative for a character height, Size is in points.
class TFont : public TPersistent {
  GLS_CLASS(TFont, TPersistent)
 public:
  TFont() = default;
  static void Publish(TPublisher<TFont>& P);

  TFontCharset Charset() const { return FCharset; }
  void SetCharset(TFontCharset Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value);
  const String& Name() const { return FName; }
  void SetName(const String& Value);
  TFontPitch Pitch() const { return FPitch; }
  void SetPitch(TFontPitch Value);
  Integer Size() const;
  void SetSize(Integer Value);
  TFontStyles Style() const { return FStyle; }
  void SetStyle(TFontStyles Value);

  void Assign(TPersistent* source) override;
  bool Equals(const TFont& other) const;

  // Told after any change, so that the control using the font can update.
  TNotifyEvent OnChange;

 private:
  void Changed();

  TFontCharset FCharset = DEFAULT_CHARSET;
  TColor FColor = clWindowText;
  Integer FHeight = -11;
  String FName = "MS Sans Serif";
  TFontPitch FPitch = fpDefault;
  TFontStyles FStyle;
};

}  // namespace Glossmith::inline Controls

#include "host/controls/Graphics.h"

#include <array>
#include <utility>

namespace Glossmith::inline Controls {

namespace {

struct TIdentMapEntry {
  Integer Value;
  const char* Name;
};

// clang-format off
// The colour identifiers, in the classic order (plain colours, then system colours).
constexpr std::array<TIdentMapEntry, 52> Colors = {{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
}};

constexpr std::array<TIdentMapEntry, 19> Charsets = {{
    {0, "ANSI_CHARSET"},
    {1, "DEFAULT_CHARSET"},
    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},
    {128, "SHIFTJIS_CHARSET"},
    {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},
    {134, "GB2312_CHARSET"},
    {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},
    {162, "TURKISH_CHARSET"},
    {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},
    {178, "ARABIC_CHARSET"},
    {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"},
    {222, "THAI_CHARSET"},
    {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
}};
// clang-format on

template <size_t N>
bool IntToIdentIn(const std::array<TIdentMapEntry, N>& map, Integer value, String& ident) {
  for (const auto& e : map)
    if (e.Value == value) {
      ident = e.Name;
      return true;
    }
  return false;
}

template <size_t N>
bool IdentToIntIn(const std::array<TIdentMapEntry, N>& map, std::string_view ident,
                  Integer& value) {
  for (const auto& e : map)
    if (SameText(e.Name, ident)) {
      value = e.Value;
      return true;
    }
  return false;
}

}  // namespace

bool ColorToIdent(Integer color, String& ident) { return IntToIdentIn(Colors, color, ident); }
bool IdentToColor(std::string_view ident, Integer& color) {
  return IdentToIntIn(Colors, ident, color);
}
bool CharsetToIdent(Integer charset, String& ident) {
  return IntToIdentIn(Charsets, charset, ident);
}
bool IdentToCharset(std::string_view ident, Integer& charset) {
  return IdentToIntIn(Charsets, ident, charset);
}

PTypeInfo TColorTypeInfo() {
  static const PTypeInfo info = [] {
    PTypeInfo t = MakeTypeInfo(tkInteger, "TColor");
    RegisterIntegerConsts(t, &IdentToColor, &ColorToIdent);
    return t;
  }();
  return info;
}

PTypeInfo TFontCharsetTypeInfo() {
  static const PTypeInfo info = [] {
    PTypeInfo t = MakeTypeInfo(tkInteger, "TFontCharset");
    RegisterIntegerConsts(t, &IdentToCharset, &CharsetToIdent);
    return t;
  }();
  return info;
}

String ColorToString(TColor color) {
  String ident;
  if (ColorToIdent(color, ident)) return ident;
  // Built with += : GCC 12 at -O3 warns falsely (-Wrestrict) on "$" + String.
  String text = "$";
  text += Format("%.8x", {static_cast<Int64>(static_cast<uint32_t>(color))});
  return text;
}

TColor StringToColor(std::string_view s) {
  Integer color;
  if (IdentToColor(s, color)) return color;
  return StrToInt(s);
}

// ---------------------------------------------------------------------------
// TFont

GLS_IMPLEMENT_CLASS(TFont)

void TFont::Publish(TPublisher<TFont>& P) {
  P.IntOf("Charset", TFontCharsetTypeInfo(), &TFont::Charset, &TFont::SetCharset);
  P.IntOf("Color", TColorTypeInfo(), &TFont::Color, &TFont::SetColor);
  P.Int("Height", &TFont::Height, &TFont::SetHeight);
  P.Str("Name", &TFont::Name, &TFont::SetName);
  P.Enum("Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
  P.Int("Size", &TFont::Size, &TFont::SetSize).Stored(false);
  P.Set("Style", &TFont::Style, &TFont::SetStyle);
}

void TFont::SetCharset(TFontCharset Value) {
  if (FCharset == Value) return;
  FCharset = Value;
  Changed();
}

void TFont::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

void TFont::SetHeight(Integer Value) {
  if (FHeight == Value) return;
  FHeight = Value;
  Changed();
}

void TFont::SetName(const String& Value) {
  if (FName == Value || Value.empty()) return;
  FName = Value;
  Changed();
}

void TFont::SetPitch(TFontPitch Value) {
  if (FPitch == Value) return;
  FPitch = Value;
  Changed();
}

// Points at 96 pixels per inch, rounded as the classic MulDiv rounds.
Integer TFont::Size() const {
  Int64 h = -static_cast<Int64>(FHeight) * 72;
  return static_cast<Integer>(h >= 0 ? (h + 48) / 96 : -((-h + 48) / 96));
}

void TFont::SetSize(Integer Value) {
  Int64 h = static_cast<Int64>(Value) * 96;
  SetHeight(static_cast<Integer>(-(h >= 0 ? (h + 36) / 72 : -((-h + 36) / 72))));
}

void TFont::SetStyle(TFontStyles Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  Changed();
}

void TFont::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TFont*>(source)) {
    if (other == this || Equals(*other)) return;
    FCharset = other->FCharset;
    FColor = other->FColor;
    FHeight = other->FHeight;
    FName = other->FName;
    FPitch = other->FPitch;
    FStyle = other->FStyle;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

bool TFont::Equals(const TFont& other) const {
  return FCharset == other.FCharset && FColor == other.FColor && FHeight == other.FHeight &&
         FName == other.FName && FPitch == other.FPitch && FStyle == other.FStyle;
}

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

}  // namespace Glossmith::inline Controls

#include <gtest/gtest.h>

#include "host/controls/Graphics.h"

namespace {

TEST(GraphicsTest, ColourIdentifiersUseTheClassicValues) {
  struct Case {
    TColor Color;
    const char* Ident;
  } cases[] = {{255, "clRed"},
               {0, "clBlack"},
               {0xFFFFFF, "clWhite"},
               {static_cast<TColor>(0xFF00000Fu), "clBtnFace"},
               {static_cast<TColor>(0xFF000008u), "clWindowText"},
               {0x1FFFFFFF, "clNone"},
               {0x20000000, "clDefault"}};
  for (const Case& c : cases) {
    String ident;
    EXPECT_TRUE(ColorToIdent(c.Color, ident)) << c.Ident;
    EXPECT_EQ(ident, c.Ident);
    Integer color = 0;
    EXPECT_TRUE(IdentToColor(c.Ident, color));
    EXPECT_EQ(color, c.Color);
  }
  Integer color = 7;
  EXPECT_TRUE(IdentToColor("CLRED", color));
  EXPECT_FALSE(IdentToColor("clPink", color));
  EXPECT_EQ(color, 255) << "untouched on failure";
  String ident = "kept";
  EXPECT_FALSE(ColorToIdent(0x123456, ident));
  EXPECT_EQ(ident, "kept");
}

TEST(GraphicsTest, ColourTextsReadBack) {
  EXPECT_EQ(ColorToString(clRed), "clRed");
  EXPECT_EQ(ColorToString(0x00C0DCC1), "$00C0DCC1");
  EXPECT_EQ(ColorToString(static_cast<TColor>(0xFF0000FEu)), "$FF0000FE");
  for (TColor c : {clRed, 0x00C0DCC1, static_cast<TColor>(0xFF0000FEu), clBtnFace, 0})
    EXPECT_EQ(StringToColor(ColorToString(c)), c);
  EXPECT_EQ(StringToColor("16744448"), 16744448);
  EXPECT_THROW(StringToColor("clPink"), EConvertError);
}

TEST(GraphicsTest, FontPropertiesAssignAndNotify) {
  TFont font;
  EXPECT_EQ(font.Size(), 8);
  EXPECT_EQ(font.Height(), -11);
  int changes = 0;
  font.OnChange = [&](TObject*) { ++changes; };
  font.SetSize(10);
  EXPECT_EQ(font.Height(), -13);
  EXPECT_EQ(font.Size(), 10);
  font.SetStyle({fsBold, fsStrikeOut});
  EXPECT_EQ(GetOrdProp(&font, "Style"), 0b1001);
  EXPECT_EQ(SetToString(GetPropInfo(&font, "Style")->PropType, 0b1001), "[fsBold,fsStrikeOut]");
  font.SetColor(clRed);
  font.SetName("Arial");
  font.SetName("");  // an empty name is ignored
  EXPECT_EQ(font.Name(), "Arial");
  EXPECT_EQ(changes, 4);
  font.SetColor(clRed);
  EXPECT_EQ(changes, 4) << "no notice without a change";

  TFont copy;
  copy.Assign(&font);
  EXPECT_TRUE(copy.Equals(font));
  EXPECT_EQ(copy.Style(), (TFontStyles{fsBold, fsStrikeOut}));
  TStringList notAFont;
  EXPECT_THROW(copy.Assign(&notAFont), EConvertError);
  EXPECT_FALSE(GetPropInfo(&font, "Size")->IsStored(&font)) << "Height carries the size";
}

}  // namespace

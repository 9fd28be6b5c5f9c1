// The host's values in Qt's terms: colours, keys, caret positions,
// captions and the faces shown for the classic font families.
#include <QFontDatabase>
#include <QFontInfo>

#include "FrontEndFixture.h"

namespace frontendtest {
namespace {

TEST(ConversionsTest, ColoursArePlainOrTheRoleOfTheirSystemColour) {
  EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
  EXPECT_EQ(ToQColor(static_cast<TColor>(0x00336699)), QColor(0x99, 0x66, 0x33)) << "BGR";
  const QPalette palette = QApplication::palette();
  EXPECT_EQ(ToQColor(clBtnFace), palette.color(QPalette::Button));
  EXPECT_EQ(ToQColor(clWindow), palette.color(QPalette::Base));
  EXPECT_EQ(ToQColor(clWindowText), palette.color(QPalette::WindowText));
  EXPECT_EQ(ToQColor(clHighlight), palette.color(QPalette::Highlight));
  EXPECT_EQ(ToQColor(clInfoBk), palette.color(QPalette::ToolTipBase));
  EXPECT_EQ(ToQColor(clGrayText), palette.color(QPalette::Disabled, QPalette::Text));
  EXPECT_FALSE(ToQColor(clNone).isValid());
  EXPECT_FALSE(ToQColor(clDefault).isValid());
}

TEST(ConversionsTest, KeysAreTheVirtualKeysOfAUsKeyboard) {
  using namespace Windows;
  EXPECT_EQ(VirtualKey(Qt::Key_A), 'A');
  EXPECT_EQ(VirtualKey(Qt::Key_7), '7');
  EXPECT_EQ(VirtualKey(Qt::Key_F10), VK_F10);
  EXPECT_EQ(VirtualKey(Qt::Key_PageDown), VK_NEXT);
  EXPECT_EQ(VirtualKey(Qt::Key_Backtab), VK_TAB) << "Shift+Tab";
  EXPECT_EQ(VirtualKey(Qt::Key_Enter), VK_RETURN) << "the keypad's Enter";
  EXPECT_EQ(VirtualKey(Qt::Key_Question), VK_OEM_2) << "shifted punctuation keeps its key";
  EXPECT_EQ(VirtualKey(Qt::Key_Eacute), 0) << "a letter of another layout types as a character";
  EXPECT_EQ(ShiftOf(Qt::ShiftModifier | Qt::ControlModifier, Qt::LeftButton),
            (TShiftState{ssShift, ssCtrl, ssLeft}));
}

TEST(ConversionsTest, CaretPositionsConvertBetweenBytesAndQtUnits) {
  const String text = "aé€😀b";  // 1, 2, 3 and 4 bytes; the last two units for Qt
  EXPECT_EQ(QtPosition(text, 0), 0);
  EXPECT_EQ(QtPosition(text, 3), 2);
  EXPECT_EQ(QtPosition(text, 6), 3);
  EXPECT_EQ(QtPosition(text, 10), 5) << "the emoji is a surrogate pair";
  EXPECT_EQ(QtPosition(text, 99), 6);
  for (qsizetype pos : {0, 1, 2, 3, 5, 6}) EXPECT_EQ(QtPosition(text, ByteOffset(text, pos)), pos);
  EXPECT_EQ(ByteOffset("a\xFF"
                       "b",
                       2),
            2)
      << "a byte that is no UTF-8 is one unit";
}

TEST(ConversionsTest, CaptionsKeepOrShowTheirAccelerators) {
  EXPECT_EQ(CaptionText("&Save && quit", true), "&Save && quit");
  EXPECT_EQ(CaptionText("R&D", false), "R&&D") << "every & shows";
  EXPECT_EQ(StripAccelerator("&Save && quit"), "Save & quit");
  EXPECT_EQ(StripAccelerator("100%&"), "100%&");
}

TEST(ConversionsTest, MissingClassicFamiliesShowAsAFaceOfTheirKind) {
  for (const char* classic : {"MS Sans Serif", "Tahoma", "Segoe UI"}) {
    const QString shown = FamilyFor(classic);
    EXPECT_TRUE(QFontDatabase::hasFamily(shown)) << classic;
    EXPECT_FALSE(QFontDatabase::isFixedPitch(shown)) << classic;
  }
  EXPECT_TRUE(QFontDatabase::isFixedPitch(FamilyFor("Courier New")));
  EXPECT_TRUE(QFontDatabase::isFixedPitch(FamilyFor("Fixedsys")));
  const String installed = FromQt(QFontDatabase::families().value(0));
  EXPECT_EQ(FamilyFor(installed), ToQt(installed)) << "an installed family is itself";

  // Heights: negative is the character height, scaled with the form.
  TFont font;
  font.SetHeight(-11);
  font.SetStyle({fsItalic, fsUnderline});
  EXPECT_EQ(ToQFont(&font, 1.0).pixelSize(), 11);
  EXPECT_EQ(ToQFont(&font, 1.25).pixelSize(), 14);
  EXPECT_TRUE(ToQFont(&font, 1.0).italic());
  EXPECT_TRUE(ToQFont(&font, 1.0).underline());
}

}  // namespace
}  // namespace frontendtest

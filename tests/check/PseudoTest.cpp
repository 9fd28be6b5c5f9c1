// Pseudo-localized texts: accented, longer, bracketed, with accelerators,
// placeholders, line breaks and menu shortcuts kept.
#include "check/Pseudo.h"

#include <gtest/gtest.h>

#include "check/TextChecks.h"

namespace {

size_t Chars(std::string_view s) {
  size_t n = 0;
  for (char c : s) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

TEST(Pseudo, AccentedPaddedAndBracketed) {
  const String shown = Pseudolocalize("Close");
  EXPECT_TRUE(shown.starts_with("[Çļöšé ")) << shown;
  EXPECT_TRUE(shown.ends_with("]")) << shown;
  // Short texts grow by two and a half times the expansion (40 %), long
  // ones by the expansion; the brackets count.
  EXPECT_EQ(Chars(shown), 10u);
  EXPECT_EQ(Chars(Pseudolocalize(String(60, 'x'))), 84u);
  EXPECT_EQ(Chars(Pseudolocalize(String(15, 'x'))), 27u);
  TPseudoOptions none;
  none.Expand = 0;
  EXPECT_EQ(Pseudolocalize("Close", none), "[Çļöšé]");
}

TEST(Pseudo, KeepsWhatTheProgramReads) {
  TPseudoOptions plain;
  plain.Expand = 0;
  // The accelerator's key stays typeable; "&&" stays a literal ampersand.
  EXPECT_EQ(Pseudolocalize("&Save && close", plain), "[&Såṽé && çļöšé]");
  EXPECT_EQ(AcceleratorsOf(Pseudolocalize("E&xit")).Key, static_cast<uint32_t>('X'));
  EXPECT_EQ(Pseudolocalize("%d of %s, %0:s, %1, 100%%", plain),
            "[%d öƒ %s, %0:s, %1, 100%%]");
  EXPECT_EQ(PlaceholdersOf(Pseudolocalize("Page %d of %-5.2f")),
            PlaceholdersOf("Page %d of %-5.2f"));
  EXPECT_EQ(LineBreaksOf(Pseudolocalize("One\r\nTwo\nThree")), 2);
  EXPECT_EQ(Pseudolocalize("&Close\tAlt+F4", plain), "[&Cļöšé]\tAlt+F4");
  // Spaces around a text stay outside its brackets (the whitespace check).
  EXPECT_EQ(Pseudolocalize(" View ", plain), " [Ṽîéŵ] ");
  // Texts without letters are left alone.
  EXPECT_EQ(Pseudolocalize("12:30"), "12:30");
  EXPECT_EQ(Pseudolocalize(""), "");
}

TEST(Pseudo, MirroredLinesReadRightToLeft) {
  TPseudoOptions mirror;
  mirror.Expand = 0;
  mirror.Mirror = true;
  EXPECT_EQ(Pseudolocalize("Ab\r\nCd", mirror),
            "[\xE2\x80\xAE" "Åƀ\xE2\x80\xAC\r\n\xE2\x80\xAE" "Çð\xE2\x80\xAC]");
}

TEST(Pseudo, TextProperties) {
  EXPECT_TRUE(IsTextProperty("Caption"));
  EXPECT_TRUE(IsTextProperty("Items"));
  EXPECT_TRUE(IsTextProperty("SystemMenuClose"));
  EXPECT_FALSE(IsTextProperty("Name"));
  EXPECT_FALSE(IsTextProperty("FileName"));
}

}  // namespace

// The checks on one original and its translation, with texts that must and
// must not trigger each (many from the peers' documented cases).
#include "check/TextChecks.h"

#include <gtest/gtest.h>

namespace {

std::vector<String> ChecksOf(std::string_view original, std::string_view translation,
                             bool caption = true) {
  std::vector<TTextFinding> findings;
  CheckTexts(original, translation, caption, findings);
  std::vector<String> names;
  for (const TTextFinding& f : findings) names.push_back(f.Check);
  return names;
}

bool Finds(std::string_view original, std::string_view translation, const char* check,
           bool caption = true) {
  for (const String& name : ChecksOf(original, translation, caption))
    if (name == check) return true;
  return false;
}

TEST(TextChecks, AcceleratorMarksAndKeys) {
  EXPECT_EQ(AcceleratorsOf("&File").Count, 1);
  EXPECT_EQ(AcceleratorsOf("&File").Key, static_cast<uint32_t>('F'));
  EXPECT_EQ(AcceleratorsOf("E&xit").Key, static_cast<uint32_t>('X'));
  EXPECT_EQ(AcceleratorsOf("Tom && Jerry").Count, 0);
  EXPECT_EQ(AcceleratorsOf("Save &&& close").Key, static_cast<uint32_t>(' '));
  EXPECT_EQ(AcceleratorsOf("End&").Count, 0);
  EXPECT_EQ(AcceleratorsOf("&éditer").Key, 0xC9u);  // é and É are one key
  EXPECT_EQ(KeyName(0xC9), "É");
  EXPECT_EQ(StripAccelerators("&Save && close"), "Save & close");
}

TEST(TextChecks, AcceleratorKeptLostOrDoubled) {
  EXPECT_FALSE(Finds("&Open...", "&Ouvrir...", "accelerator"));
  EXPECT_FALSE(Finds("E&xit", "&Quitter", "accelerator"));
  EXPECT_TRUE(Finds("&Open...", "Ouvrir...", "accelerator"));
  EXPECT_TRUE(Finds("&Open", "&Ou&vrir", "accelerator"));
  // A literal ampersand is no accelerator.
  EXPECT_TRUE(Finds("&Open", "Ouvrir && fermer", "accelerator"));
  EXPECT_FALSE(Finds("Open", "Ouvrir", "accelerator"));
  // Texts that are no captions have no accelerators.
  EXPECT_FALSE(Finds("Save &file", "Enregistrer", "accelerator", false));
}

TEST(TextChecks, PlaceholdersOfEveryKind) {
  EXPECT_EQ(PlaceholdersOf("%s of %d"), (std::vector<String>{"%d", "%s"}));
  EXPECT_EQ(PlaceholdersOf("%0:s and %1:d"), (std::vector<String>{"%0:s", "%1:d"}));
  EXPECT_EQ(PlaceholdersOf("%1 files in %2"), (std::vector<String>{"%1", "%2"}));
  EXPECT_EQ(PlaceholdersOf("%-8.3f|%5d|%*d|%ld|%x"),
            (std::vector<String>{"%*d", "%-8.3f", "%5d", "%ld", "%x"}));
  EXPECT_TRUE(PlaceholdersOf("100%% sure, 50% off").empty());  // "%%" is none, "% o" neither
  EXPECT_TRUE(PlaceholdersOf("100% sure").empty());
  EXPECT_TRUE(PlaceholdersOf("100%").empty());
  EXPECT_EQ(PlaceholderLength("%0:-10s rest"), 7u);
  EXPECT_EQ(PlaceholderLength("%%"), 0u);
}

TEST(TextChecks, PlaceholdersSameSetInAnyOrder) {
  EXPECT_FALSE(Finds("Page %d of %s", "%s : page %d", "placeholders"));
  EXPECT_FALSE(Finds("%0:s of %1:s", "%1:s de %0:s", "placeholders"));
  EXPECT_TRUE(Finds("Page %d of %d", "Page %d", "placeholders"));
  EXPECT_TRUE(Finds("%s files", "%d fichiers", "placeholders"));
  EXPECT_TRUE(Finds("Done", "Fait %s", "placeholders"));
  EXPECT_FALSE(Finds("100% sure", "sûr à 100 %", "placeholders"));
}

TEST(TextChecks, WhitespaceLineBreaksDoubleSpaces) {
  EXPECT_FALSE(Finds(" View ", " Affichage ", "whitespace"));
  EXPECT_TRUE(Finds(" View ", "Affichage", "whitespace"));
  EXPECT_TRUE(Finds("Name", "Nom ", "whitespace"));
  EXPECT_EQ(LineBreaksOf("a\r\nb\nc\rd"), 3);
  EXPECT_FALSE(Finds("One\r\nTwo", "Un\r\nDeux", "line-breaks"));
  EXPECT_TRUE(Finds("One\r\nTwo", "Un deux", "line-breaks"));
  EXPECT_TRUE(Finds("Open file", "Ouvrir  fichier", "double-space"));
  EXPECT_FALSE(Finds("Open  file", "Ouvrir  fichier", "double-space"));
}

TEST(TextChecks, EndingPunctuationWithTheLanguagesOwnMarks) {
  EXPECT_FALSE(Finds("&Search:", "&Rechercher :", "punctuation"));  // French spacing
  EXPECT_FALSE(Finds("Search:", "Suche\xC2\xA0:", "punctuation"));   // no-break space
  EXPECT_FALSE(Finds("Open...", "Ouvrir\xE2\x80\xA6", "punctuation"));  // …
  EXPECT_FALSE(Finds("Delete?", "Supprimer ?", "punctuation"));
  EXPECT_FALSE(Finds("Delete?", "\xD8\xAD\xD8\xB0\xD9\x81\xD8\x9F", "punctuation"));  // ؟
  EXPECT_FALSE(Finds("Delete?", "\xE5\x89\x8A\xE9\x99\xA4\xEF\xBC\x9F", "punctuation"));  // ？
  EXPECT_FALSE(Finds("Delete?", "Διαγραφή;", "punctuation"));
  EXPECT_FALSE(Finds("Name", "Nom", "punctuation"));
  EXPECT_TRUE(Finds("Name:", "Nom", "punctuation"));
  EXPECT_TRUE(Finds("Open...", "Ouvrir", "punctuation"));
  EXPECT_TRUE(Finds("Ready", "Prêt.", "punctuation"));
  EXPECT_TRUE(Finds("Really?", "Vraiment !", "punctuation"));
}

TEST(TextChecks, UnchangedOnlyForSeveralWordsWithLetters) {
  EXPECT_TRUE(Finds("Show grid lines", "Show grid lines", "unchanged"));
  EXPECT_FALSE(Finds("Options", "Options", "unchanged"));  // one word: often the same
  EXPECT_FALSE(Finds("O&ptions...", "O&ptions...", "unchanged"));
  EXPECT_FALSE(Finds("100 %", "100 %", "unchanged"));  // no letters
  EXPECT_FALSE(Finds("Show grid lines", "Afficher la grille", "unchanged"));
  // An unchanged text has nothing else to report.
  EXPECT_EQ(ChecksOf("Page %d of", "Page %d of").size(), 1u);
}

TEST(TextChecks, LettersBeyondAscii) {
  EXPECT_TRUE(HasLetters("Ünïcödé"));
  EXPECT_TRUE(HasLetters("名前"));
  EXPECT_FALSE(HasLetters("12:30 -- ..."));
  EXPECT_FALSE(HasLetters("\xE2\x80\xA6"));
}

}  // namespace

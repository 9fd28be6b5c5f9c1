// The text form of each kind of property value, and applying lines to them.
#include <gtest/gtest.h>

#include "TestComponents.h"

using namespace glstest;

namespace {

class PropertyValuesTest : public ::testing::Test {
 protected:
  TComponent Owner{nullptr};
  TGlossmith* Translator = new TGlossmith(&Owner);
  TTestWidget* W = new TTestWidget(&Owner);
  void SetUp() override { W->SetName("W"); }
  String Value(const String& path) {
    for (const String& line : Collect(*Translator))
      if (line.compare(0, path.size() + 1, path + "=") == 0) return line.substr(path.size() + 1);
    return "<none>";
  }
};

TEST_F(PropertyValuesTest, StringsTravelAsLiterals) {
  W->FCaption = "Tom's";
  W->FFont.SetName("Arial\tNarrow");
  EXPECT_EQ(Value("W.Caption"), "'Tom''s'");
  EXPECT_EQ(Value("W.Font.Name"), "'Arial'#9'Narrow'");
  ASSERT_TRUE(Apply(*Translator, {"W.Caption='It''s'#13#10'done'", "W.Font.Name=Plain"}));
  EXPECT_EQ(W->FCaption, "It's\r\ndone");
  EXPECT_EQ(W->FFont.Name(), "Plain");  // text without quotes decodes to itself
}

TEST_F(PropertyValuesTest, OrdinalKindsReadAndWriteTheirTextForms) {
  W->FShapes = {tsSquare, tsTriangle};
  W->FCount = -12;
  EXPECT_EQ(Value("W.Visible"), "True");
  EXPECT_EQ(Value("W.Shape"), "tsCircle");
  EXPECT_EQ(Value("W.Shapes"), "6");
  EXPECT_EQ(Value("W.Count"), "-12");
  EXPECT_EQ(Value("W.Ratio"), "1.5");
  EXPECT_EQ(Value("W.Initial"), "A");
  EXPECT_EQ(Value("W.Big"), "");  // 64-bit integers have no text form
  ASSERT_TRUE(Apply(*Translator, {"W.Visible=False", "W.Shape=tsTriangle", "W.Shapes=1",
                                  "W.Count=$10", "W.Ratio=0.25", "W.Initial=Zb", "W.Big=99"}));
  EXPECT_FALSE(W->FVisible);
  EXPECT_EQ(W->FShape, tsTriangle);
  EXPECT_EQ(W->FShapes, TTestShapes{tsCircle});
  EXPECT_EQ(W->FCount, 16);
  EXPECT_EQ(W->FRatio, 0.25);
  EXPECT_EQ(W->FInitial, 'Z');
  EXPECT_EQ(W->FBig, 7);
  // The untouched 64-bit value is recorded all the same, as an empty text.
  EXPECT_GE(Translator->Originals()->IndexOf("W.Big="), 0);
}

TEST_F(PropertyValuesTest, ColoursByIdentifierOnlyForPropertiesNamedColor) {
  W->FColor = 0x123456;
  W->FFocusColor = clRed;
  W->FFont.SetColor(clRed);
  EXPECT_EQ(Value("W.Color"), "1193046");
  EXPECT_EQ(Value("W.FocusColor"), "255");
  EXPECT_EQ(Value("W.Font.Color"), "clRed");
  ASSERT_TRUE(Apply(*Translator, {"W.Color=clBlue", "W.Font.Color=65280"}));
  EXPECT_EQ(W->FColor, clBlue);
  EXPECT_EQ(W->FFont.Color(), clLime);
  EXPECT_THROW(Apply(*Translator, {"W.FocusColor=clRed"}), EConvertError);
}

TEST_F(PropertyValuesTest, EmptyValuesApplyOnlyWithTranslateEmpty) {
  W->FCaption = "Keep";
  W->FCount = 5;
  W->FInitial = 'Q';
  ASSERT_TRUE(Apply(*Translator, {"W.Caption=''", "W.Count=", "W.Initial="}));
  EXPECT_EQ(W->FCaption, "Keep");
  EXPECT_EQ(W->FCount, 5);
  EXPECT_EQ(Translator->Originals()->Count(), 3);  // recorded although unchanged
  Translator->RestoreForm();
  Translator->SetTranslateEmpty(true);
  ASSERT_TRUE(Apply(*Translator, {"W.Caption=''", "W.Count=", "W.Initial="}));
  EXPECT_EQ(W->FCaption, "");
  EXPECT_EQ(W->FCount, 0);
  EXPECT_EQ(W->FInitial, '\0');
}

TEST_F(PropertyValuesTest, ConversionErrorStopsTheWalkAndKeepsWhatWasDone) {
  W->FCaption = "Old";
  bool translated = false;
  Translator->OnTranslated = [&](TObject*, TStrings*) { translated = true; };
  EXPECT_THROW(Apply(*Translator, {"W.Caption='New'", "W.Count=abc", "W.Ratio=1"}), EConvertError);
  EXPECT_EQ(W->FCaption, "New");  // set before the error, not rolled back
  EXPECT_EQ(W->FCount, 0);
  EXPECT_EQ(W->FRatio, 1.5);  // never reached
  EXPECT_FALSE(Translator->IsTranslated());
  EXPECT_FALSE(translated);
  EXPECT_EQ(LinesOf(*Translator->Originals()),
            (std::vector<String>{"W.Caption='Old'", "W.Count=0"}));
  // Switching on through Translate: the error passes and the switch stays on.
  Translator->SetTranslate(false);
  EXPECT_THROW(Translator->SetTranslate(true), EConvertError);
  EXPECT_TRUE(Translator->Translate());
  EXPECT_THROW(Apply(*Translator, {"W.Caption=#"}), EConvertError);  // no literal
  EXPECT_THROW(Apply(*Translator, {"W.Ratio=abc"}), EConvertError);
}

TEST_F(PropertyValuesTest, AnEntryThatCannotBeAppliedIsNamedByItsError) {
  Translator->SetName("T");
  auto failure = [&](std::initializer_list<const char*> lines) -> std::pair<String, String> {
    try {
      Apply(*Translator, lines);
    } catch (const ETranslationEntryError& e) {
      EXPECT_EQ(e.Translator(), "T");
      return {e.Entry(), e.Message()};
    }
    return {};
  };
  // The message stays that of the conversion; the entry is the one that failed.
  EXPECT_EQ(failure({"W.Caption='ok'", "W.Count=1x", "W.Ratio=2"}),
            std::make_pair(String("W.Count=1x"), String("'1x' is not a valid integer value")));
  EXPECT_EQ(failure({"W.Caption='ok'#x"}).first, "W.Caption='ok'#x");
  EXPECT_EQ(failure({"W.Color=clNoSuchColour"}).first, "W.Color=clNoSuchColour");
  W->FItems.Add("a");
  EXPECT_EQ(failure({"W.Items[0]=#"}).first, "W.Items[0]=#");
  EXPECT_EQ(failure({"W.Shapes=[]"}).first, "W.Shapes=[]");
  // What is no error stays none.
  EXPECT_TRUE(Apply(*Translator, {"W.Initial=#", "W.Shape=tsHexagon", "W.Count="}));
}

TEST_F(PropertyValuesTest, BadNamesLeaveEnumerationsAndCharactersApplyWhatTheyRead) {
  // An unknown name must not store an ordinal outside the type.
  ASSERT_TRUE(Apply(*Translator, {"W.Visible=Flase", "W.Shape=tsHexagon"}));
  EXPECT_TRUE(W->FVisible);
  EXPECT_EQ(W->FShape, tsCircle);
  Translator->RestoreForm();
  // A character "#" reads as a lone "#" and must apply back.
  W->FInitial = '#';
  EXPECT_EQ(Value("W.Initial"), "#");
  W->FInitial = 'x';
  ASSERT_TRUE(Apply(*Translator, {"W.Initial=#"}));
  EXPECT_EQ(W->FInitial, '#');
}

TEST_F(PropertyValuesTest, LongValuesAreCut) {
  const String line = "W.Caption=" + String(5000, 'x');
  Translator->Translations()->Add(line);
  ASSERT_TRUE(Translator->TranslateForm(Translator->Translations(), false));
  EXPECT_EQ(W->FCaption, String(4098, 'x'));
}

TEST_F(PropertyValuesTest, SkippedPropertyIsNeitherRecordedNorChanged) {
  W->FCaption = "Old";
  std::vector<String> seen;
  Translator->OnTranslateProperty = [&](TObject* sender, const String& name, PPropInfo info,
                                        TStrings* list, bool& skip) {
    EXPECT_EQ(sender, Translator);
    EXPECT_EQ(list, Translator->Translations());
    EXPECT_TRUE(name.empty());
    seen.push_back(info->Name);
    skip = info->Name == "Caption";
  };
  ASSERT_TRUE(Apply(*Translator, {"W.Caption='New'", "W.Count=3"}));
  EXPECT_EQ(seen, (std::vector<String>{"Caption", "Count"}));
  EXPECT_EQ(W->FCaption, "Old");
  EXPECT_EQ(W->FCount, 3);
  EXPECT_EQ(LinesOf(*Translator->Originals()), (std::vector<String>{"W.Count=0"}));
}

}  // namespace

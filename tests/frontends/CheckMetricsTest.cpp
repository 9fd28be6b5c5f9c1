// Truncation measured with Qt's metrics in the fonts the preview shows, on
// the bundled example in French and German, against the bundled estimate.
#include <gtest/gtest.h>

#include <memory>

#include "apps/gls/QtMeasure.h"
#include "check/FormChecks.h"
#include "check/TranslationSource.h"
#include "frontends/qt/QtFrontEnd.h"
#include "host/classes/Streams.h"
#include "host/formfiles/FormFiles.h"

namespace {

using namespace Glossmith;

using Tool::TQtMeasure;

std::vector<TDiagnostic> Truncated(Integer locale, const TTextMeasure& measure) {
  const String dir = String(GLS_SOURCE_DIR) + "/examples/";
  std::unique_ptr<TComponent> form(ReadFormFromString(ReadFileToString(dir + "MainForm.dfm")));
  TTranslationFileIndex file(dir + "translations.txt", ReadFileToString(dir + "translations.txt"));
  TTranslatorCheck input;
  input.FormName = form->Name();
  input.Locale = locale;
  input.Entries = file.Entries(input.FormName, locale);
  TCheckSelection only;
  only.Only("truncation");
  std::vector<TDiagnostic> found;
  CheckTranslator(form.get(), input, only, &measure, found);
  return found;
}

TEST(CheckMetrics, ExampleTruncatedInFrenchNotInGerman) {
  ASSERT_TRUE(StartQtTextMetrics());
  TQtMeasure qt;
  const auto french = Truncated(12, qt);
  ASSERT_EQ(french.size(), 1u);
  EXPECT_EQ(french[0].Path, "LabelSearch.Caption");
  EXPECT_NE(french[0].Message.find("measured with Qt in Liberation Sans 11 px"), String::npos)
      << french[0].Message;
  EXPECT_TRUE(Truncated(7, qt).empty());
}

TEST(CheckMetrics, EstimateAgreesWithQtOnTheFallbackFonts) {
  ASSERT_TRUE(StartQtTextMetrics());
  TQtMeasure qt;
  TEstimatedMeasure estimate;
  TFont font;
  font.SetName("MS Sans Serif");
  font.SetHeight(-11);
  // The estimate is made from the faces Qt shows the classic families in.
  ASSERT_EQ(QtFontFamily(font), "Liberation Sans");
  for (const char* text : {"&Rechercher :", "Hinzufügen...", "Vor dem Löschen bestätigen"}) {
    EXPECT_NEAR(estimate.TextWidth(font, text), qt.TextWidth(font, text), 3.0) << text;
  }
  EXPECT_NEAR(estimate.LineHeight(font), qt.LineHeight(font), 1.5);
  const auto french = Truncated(12, estimate);
  ASSERT_EQ(french.size(), 1u);
  EXPECT_NE(french[0].Message.find("estimated"), String::npos);
}

}  // namespace

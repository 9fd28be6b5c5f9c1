#include "TestComponents.h"

GLS_IMPLEMENT_CLASS(TTestColumn)
GLS_IMPLEMENT_CLASS(TTestWidget)

void TTestColumn::Publish(TPublisher<TTestColumn>& P) {
  P.Str("Caption", &TTestColumn::FCaption);
  P.Int("Width", &TTestColumn::FWidth);
}

TTestWidget::TTestWidget(TComponent* AOwner)
    : TComponent(AOwner), FColumns(TTestColumn::StaticClass(), this) {}

void TTestWidget::Publish(TPublisher<TTestWidget>& P) {
  P.Str("Caption", &TTestWidget::FCaption);
  P.Char("Initial", &TTestWidget::FInitial);
  P.Int("Count", &TTestWidget::FCount);
  P.IntOf("Color", TColorTypeInfo(), &TTestWidget::FColor);
  P.Int("FocusColor", &TTestWidget::FFocusColor);
  P.Float("Ratio", &TTestWidget::FRatio);
  P.Bool("Visible", &TTestWidget::FVisible);
  P.Enum("Shape", &TTestWidget::FShape);
  P.Set("Shapes", &TTestWidget::FShapes);
  P.Int64Prop("Big", &TTestWidget::FBig);
  P.Obj("Font", &TTestWidget::FFont);
  P.Obj("Items", &TTestWidget::FItems);
  P.Obj("Columns", &TTestWidget::FColumns);
  P.Obj("Buddy", &TTestWidget::FBuddy);
  P.Event("OnClick", &TTestWidget::OnClick);
}

namespace glstest {

std::unique_ptr<TStringList> MakeList(std::initializer_list<const char*> lines) {
  auto list = std::make_unique<TStringList>();
  for (const char* line : lines) list->Add(line);
  return list;
}

std::vector<String> LinesOf(const TStrings& list) {
  std::vector<String> lines;
  for (int i = 0; i < list.Count(); ++i) lines.push_back(list.Get(i));
  return lines;
}

std::vector<String> Collect(TGlossmith& translator) {
  TStringList out;
  translator.TranslateForm(&out, true);
  return LinesOf(out);
}

bool Apply(TGlossmith& translator, std::initializer_list<const char*> lines) {
  translator.SetTranslations(MakeList(lines).get());
  return translator.TranslateForm(translator.Translations(), false);
}

std::vector<String> Only(const std::vector<String>& lines, std::string_view prefix) {
  std::vector<String> result;
  for (const String& line : lines)
    if (line.compare(0, prefix.size(), prefix) == 0) result.push_back(line);
  return result;
}

}  // namespace glstest

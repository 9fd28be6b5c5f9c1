#include "host/Classes.h"

#include <gtest/gtest.h>

#include "host/Graphics.h"

namespace {

enum TShape : uint8_t { stCircle, stSquare };
}  // namespace
GLS_ENUM_TYPEINFO(TShape, "stCircle", "stSquare")

namespace {

class TWidget : public TComponent {
  GLS_CLASS(TWidget, TComponent)
 public:
  using TComponent::TComponent;
  static void Publish(TPublisher<TWidget>& P) {
    P.Str("Caption", &TWidget::FCaption);
    P.Enum("Shape", &TWidget::FShape).Default(stCircle);
    P.Obj("Font", &TWidget::FFont);
    P.Obj("Buddy", &TWidget::FBuddy);
    P.Event("OnClick", &TWidget::OnClick);
  }
  String FCaption;
  TShape FShape = stCircle;
  TFont FFont;
  TWidget* FBuddy = nullptr;
  TNotifyEvent OnClick;
};
GLS_IMPLEMENT_CLASS(TWidget)

TEST(ClassesTest, PropertiesAreListedAncestorsFirstInDeclarationOrder) {
  TComponent owner(nullptr);
  auto* w = new TWidget(&owner);
  std::vector<String> names;
  for (PPropInfo p : GetPropList(w)) names.push_back(p->Name);
  EXPECT_EQ(names, (std::vector<String>{"Name", "Tag", "Caption", "Shape", "Font", "Buddy",
                                        "OnClick"}));
  EXPECT_EQ(GetPropList(w, tkProperties).size(), 6u);
  SetStrProp(w, "Caption", "Hello");
  EXPECT_EQ(w->FCaption, "Hello");
  SetOrdProp(w, "Shape", stSquare);
  EXPECT_EQ(GetEnumName(GetPropInfo(w, "Shape")->PropType, static_cast<int>(GetOrdProp(w, "Shape"))), "stSquare");
  EXPECT_EQ(GetClass("twidget"), &TWidget::StaticClass());
  EXPECT_EQ(owner.Components(0)->ClassName(), "TWidget");
}

}  // namespace

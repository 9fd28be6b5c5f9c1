// Components with a published property of every kind, for the translator's
// tests; they need no forms or controls.
#pragma once

#include "gls/Gls.h"
#include "host/controls/Graphics.h"

enum TTestShape : uint8_t { tsCircle, tsSquare, tsTriangle };
GLS_ENUM_TYPEINFO(TTestShape, "tsCircle", "tsSquare", "tsTriangle")
using TTestShapes = TSet<TTestShape>;
GLS_SET_TYPEINFO(TTestShapes, TTestShape)

class TTestColumn : public TCollectionItem {
  GLS_CLASS(TTestColumn, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  static void Publish(TPublisher<TTestColumn>& P);
  String FCaption;
  Integer FWidth = 50;
};

// Every kind the translator distinguishes, an owned sub-object, a string list,
// a collection and a reference to another component.
class TTestWidget : public TComponent {
  GLS_CLASS(TTestWidget, TComponent)
 public:
  explicit TTestWidget(TComponent* AOwner);
  static void Publish(TPublisher<TTestWidget>& P);

  String FCaption;
  char FInitial = 'A';
  Integer FCount = 0;
  TColor FColor = clBtnFace;
  Integer FFocusColor = 0;
  double FRatio = 1.5;
  bool FVisible = true;
  TTestShape FShape = tsCircle;
  TTestShapes FShapes;
  Int64 FBig = 7;
  TFont FFont;
  TStringList FItems;
  TCollection FColumns;
  TTestWidget* FBuddy = nullptr;
  TNotifyEvent OnClick;
};

namespace glstest {

// A list of lines, for building translation lists in one expression.
std::unique_ptr<TStringList> MakeList(std::initializer_list<const char*> lines);
// The lines of a list, for comparing in one expression.
std::vector<String> LinesOf(const TStrings& list);
// The lines of a collecting walk.
std::vector<String> Collect(TGlossmith& translator);
// Gives the translator these lines and runs an applying walk.
bool Apply(TGlossmith& translator, std::initializer_list<const char*> lines);
// The lines of `lines` that begin with `prefix`.
std::vector<String> Only(const std::vector<String>& lines, std::string_view prefix);

}  // namespace glstest

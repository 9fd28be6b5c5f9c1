#include "host/controls/ExtCtrls.h"

#include <algorithm>

namespace Glossmith::inline Controls {

// ---------------------------------------------------------------------------
// Panels

GLS_IMPLEMENT_CLASS(TCustomPanel)

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 185, 41);
  SetAlignment(taCenter);
  // Follows the parent's colour until given its own.
  SetColor(clBtnFace);
  SetParentColor(true);
}

void TCustomPanel::SetBevelInner(TBevelCut Value) {
  if (SetField(FBevelInner, Value)) Changed();
}
void TCustomPanel::SetBevelOuter(TBevelCut Value) {
  if (SetField(FBevelOuter, Value)) Changed();
}
void TCustomPanel::SetBevelWidth(Integer Value) {
  if (SetField(FBevelWidth, Value)) Changed();
}
void TCustomPanel::SetBorderStyle(TBorderStyle Value) {
  if (SetField(FBorderStyle, Value)) Changed();
}
void TCustomPanel::SetBorderWidth(Integer Value) {
  if (SetField(FBorderWidth, Value)) Changed();
}

GLS_IMPLEMENT_CLASS(TPanel)

void TPanel::Publish(TPublisher<TPanel>& P) {
  using C = TCustomPanel;
  P.Publish("Align");
  P.Publish("Alignment").Default(taCenter);
  P.Publish({"Anchors", "AutoSize"});
  P.Enum("BevelInner", &C::BevelInner, &C::SetBevelInner).Default(bvNone);
  P.Enum("BevelOuter", &C::BevelOuter, &C::SetBevelOuter).Default(bvRaised);
  P.Int("BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(1);
  P.Publish("BiDiMode");
  P.Int("BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0);
  P.Enum("BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsNone);
  P.Publish("Caption");
  P.Publish("Color").Default(clBtnFace);
  P.Publish({"Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled"});
  P.Bool("FullRepaint", &C::FullRepaint, &C::SetFullRepaint).Default(true);
  P.Publish("Font");
  P.Bool("Locked", &C::Locked, &C::SetLocked).Default(false);
  P.Publish({"ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint",
             "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick", "OnDblClick",
             "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"});
}

// ---------------------------------------------------------------------------
// TBevel

GLS_IMPLEMENT_CLASS(TBevel)

void TBevel::Publish(TPublisher<TBevel>& P) {
  P.Publish({"Align", "Anchors", "Constraints", "ParentShowHint"});
  P.Enum("Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
  P.Publish("ShowHint");
  P.Enum("Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
  P.Publish("Visible");
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 50, 50); }

void TBevel::SetShape(TBevelShape Value) {
  if (SetField(FShape, Value)) Changed();
}
void TBevel::SetStyle(TBevelStyle Value) {
  if (SetField(FStyle, Value)) Changed();
}

// ---------------------------------------------------------------------------
// Radio groups

GLS_IMPLEMENT_CLASS(TCustomRadioGroup)

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner),
      FItems(std::make_unique<TControlStrings>([this] { ItemsChanged(); })) {}

TCustomRadioGroup::~TCustomRadioGroup() = default;

void TCustomRadioGroup::ItemsChanged() {
  if (!IsLoading() && FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  Changed();
}

void TCustomRadioGroup::SetItemIndex(Integer Value) {
  if (!IsLoading()) Value = std::clamp(Value, -1, FItems->Count() - 1);
  if (FItemIndex == Value) return;
  FItemIndex = Value;
  Changed();
  if (!IsLoading()) Click();
}

void TCustomRadioGroup::ClickItem(int index) {
  if (index < 0 || index >= FItems->Count())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  if (CanFocus() && !Focused()) SetFocus();
  SetItemIndex(index);
}

bool TCustomRadioGroup::DialogChar(char CharCode) {
  if (!CanFocus()) return false;
  if (IsAccel(CharCode, Caption())) {
    SetFocus();
    return true;
  }
  for (int i = 0; i < FItems->Count(); ++i)
    if (IsAccel(CharCode, FItems->Strings(i))) {
      ClickItem(i);
      return true;
    }
  return false;
}

bool TCustomRadioGroup::WantsKey(WORD Key, TShiftState) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TCustomRadioGroup::HandleKey(WORD Key, TShiftState) {
  int count = FItems->Count();
  if (count == 0) return;
  if (Key == VK_UP || Key == VK_LEFT)
    SetItemIndex(FItemIndex <= 0 ? count - 1 : FItemIndex - 1);
  else if (Key == VK_DOWN || Key == VK_RIGHT)
    SetItemIndex(FItemIndex < 0 ? 0 : (FItemIndex + 1) % count);
}

void TCustomRadioGroup::SetColumns(Integer Value) {
  Value = std::clamp(Value, 1, 16);
  if (FColumns == Value) return;
  FColumns = Value;
  Changed();
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  FItemIndex = std::clamp(FItemIndex, -1, FItems->Count() - 1);
}

GLS_IMPLEMENT_CLASS(TRadioGroup)

void TRadioGroup::Publish(TPublisher<TRadioGroup>& P) {
  using R = TCustomRadioGroup;
  P.Publish({"Align", "Anchors", "BiDiMode", "Caption", "Color"});
  P.Int("Columns", &R::Columns, &R::SetColumns).Default(1);
  P.Publish({"Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
  P.Int("ItemIndex", &R::ItemIndex, &R::SetItemIndex).Default(-1);
  P.template ObjOf<TStrings>("Items", &R::Items, &R::SetItems);
  P.Publish({"Constraints", "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont",
             "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder", "TabStop", "Visible", "OnClick",
             "OnEnter", "OnExit"});
}

// ---------------------------------------------------------------------------
// TImage, TSplitter, TTimer

GLS_IMPLEMENT_CLASS(TImage)

void TImage::Publish(TPublisher<TImage>& P) {
  P.Publish({"Align", "Anchors", "AutoSize"});
  P.Bool("Center", &TImage::Center, &TImage::SetCenter).Default(false);
  P.Publish({"Constraints", "DragCursor", "DragKind", "DragMode", "Enabled", "ParentShowHint",
             "PopupMenu", "ShowHint"});
  P.Bool("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
  P.Bool("Transparent", &TImage::Transparent, &TImage::SetTransparent).Default(false);
  P.Publish({"Visible", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 105, 105); }

GLS_IMPLEMENT_CLASS(TSplitter)

void TSplitter::Publish(TPublisher<TSplitter>& P) {
  P.Publish("Align").Default(alLeft);
  P.Bool("Beveled", &TSplitter::Beveled, &TSplitter::SetBeveled).Default(false);
  P.Publish({"Color", "Constraints"});
  P.Publish("Cursor").Default(crHSplit);
  P.Int("MinSize", &TSplitter::MinSize, &TSplitter::SetMinSize).Default(30);
  P.Publish("ParentColor");
  P.Enum("ResizeStyle", &TSplitter::ResizeStyle, &TSplitter::SetResizeStyle).Default(rsPattern);
  P.Publish("Visible");
  P.Event("OnMoved", &TSplitter::OnMoved);
}

TSplitter::TSplitter(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetAlign(alLeft);
  SetCursor(crHSplit);
  SetBounds(0, 0, 3, 100);
}

GLS_IMPLEMENT_CLASS(TTimer)

void TTimer::Publish(TPublisher<TTimer>& P) {
  P.Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled).Default(true);
  P.Int("Interval", &TTimer::Interval, &TTimer::SetInterval).Default(1000);
  P.Event("OnTimer", &TTimer::OnTimer);
}

void TTimer::Timer() {
  if (FEnabled && OnTimer) OnTimer(this);
}

}  // namespace Glossmith::inline Controls

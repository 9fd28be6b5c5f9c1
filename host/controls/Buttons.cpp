#include "host/controls/Buttons.h"

#include "host/controls/ActnList.h"

namespace Glossmith::inline Controls {

GLS_IMPLEMENT_CLASS(TBitBtn)
GLS_IMPLEMENT_CLASS(TSpeedButton)

// ---------------------------------------------------------------------------
// TBitBtn

void TBitBtn::Publish(TPublisher<TBitBtn>& P) {
  using B = TBitBtn;
  P.Publish("Caption").Stored(&B::IsCustomCaption);
  P.Enum("Kind", &B::Kind, &B::SetKind).Default(bkCustom);
  P.Enum("Layout", &B::Layout, &B::SetLayout).Default(blGlyphLeft);
  P.Int("Margin", &B::Margin, &B::SetMargin).Default(-1);
  P.Int("NumGlyphs", &B::NumGlyphs, &B::SetNumGlyphs).Default(1);
  P.Int("Spacing", &B::Spacing, &B::SetSpacing).Default(4);
  P.Enum("Style", &B::Style, &B::SetStyle).Default(bsAutoDetect);
  P.Bool("WordWrap", &B::WordWrap, &B::SetWordWrap).Default(false);
}

String TBitBtn::KindCaption(TBitBtnKind Kind) {
  static const char* const captions[] = {"",       "OK",     "Cancel",  "&Help",   "&Yes", "&No",
                                         "&Close", "Abort",  "&Retry",  "&Ignore", "&All"};
  return captions[Kind];
}

void TBitBtn::SetKind(TBitBtnKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  if (!IsLoading() && Value != bkCustom) {
    static const TModalResult results[] = {mrNone, mrOk,    mrCancel, mrNone,   mrYes, mrNo,
                                           mrNone, mrAbort, mrRetry,  mrIgnore, mrAll};
    SetCaption(KindCaption(Value));
    SetModalResult(results[Value]);
    SetDefault(Value == bkOK || Value == bkYes);
    SetCancel(Value == bkCancel || Value == bkNo);
  }
  Changed();
}

bool TBitBtn::IsCustomCaption() const {
  return IsCaptionStored() && (FKind == bkCustom || Caption() != KindCaption(FKind));
}

void TBitBtn::Loaded() {
  TButton::Loaded();
  // A file leaves out the caption its kind gives.
  if (FKind != bkCustom && Caption().empty()) SetCaption(KindCaption(FKind));
}

void TBitBtn::Click() {
  if (FKind == bkClose && !OnClick) {
    if (TCustomForm* form = GetParentForm(this)) form->Close();
    return;
  }
  TButton::Click();
}

void TBitBtn::SetLayout(TButtonLayout Value) {
  if (SetField(FLayout, Value)) Changed();
}
void TBitBtn::SetWordWrap(bool Value) {
  if (SetField(FWordWrap, Value)) Changed();
}

// ---------------------------------------------------------------------------
// TSpeedButton

void TSpeedButton::Publish(TPublisher<TSpeedButton>& P) {
  using B = TSpeedButton;
  P.Publish("Action");
  P.Publish("Align");
  P.Bool("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp).Default(false);
  P.Publish({"Anchors", "BiDiMode", "Constraints"});
  P.Int("GroupIndex", &B::GroupIndex, &B::SetGroupIndex).Default(0);
  P.Bool("Down", &B::Down, &B::SetDown).Default(false).Stored(&B::IsDownStored);
  P.Publish({"Caption", "Enabled"});
  P.Bool("Flat", &B::Flat, &B::SetFlat).Default(false);
  P.Publish("Font");
  P.Int("ImageIndex", &B::ImageIndex, &B::SetImageIndex)
      .Default(-1)
      .Stored(&B::IsImageIndexStored);
  P.Enum("Layout", &B::Layout, &B::SetLayout).Default(blGlyphLeft);
  P.Int("Margin", &B::Margin, &B::SetMargin).Default(-1);
  P.Int("NumGlyphs", &B::NumGlyphs, &B::SetNumGlyphs).Default(1);
  P.Publish({"ParentFont", "ParentShowHint", "ParentBiDiMode", "PopupMenu", "ShowHint"});
  P.Int("Spacing", &B::Spacing, &B::SetSpacing).Default(4);
  P.Bool("Transparent", &B::Transparent, &B::SetTransparent).Default(true);
  P.Publish({"Visible", "OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetBounds(0, 0, 23, 22);
}

void TSpeedButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  // A button of a group going down lets the others of its group up.
  if (Value && FGroupIndex != 0 && Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* b = dynamic_cast<TSpeedButton*>(Parent()->Controls(i));
          b && b != this && b->FGroupIndex == FGroupIndex)
        b->SetDown(false);
  Changed();
}

void TSpeedButton::SetFlat(bool Value) {
  if (SetField(FFlat, Value)) Changed();
}
void TSpeedButton::SetImageIndex(Integer Value) {
  if (SetField(FImageIndex, Value)) Changed();
}
void TSpeedButton::SetLayout(TButtonLayout Value) {
  if (SetField(FLayout, Value)) Changed();
}

void TSpeedButton::Click() {
  if (FGroupIndex != 0) {
    if (!FDown)
      SetDown(true);
    else if (FAllowAllUp)
      SetDown(false);
  }
  TGraphicControl::Click();
}

bool TSpeedButton::DialogChar(char CharCode) {
  if (!IsAccel(CharCode, Caption()) || !Enabled() || !Visible() || !Parent()) return false;
  Click();
  return true;
}

void TSpeedButton::ActionChanged(const TActionValues& was, const TActionValues& now, bool all) {
  TGraphicControl::ActionChanged(was, now, all);
  if (all || FDown == was.Checked) SetDown(now.Checked);
  if (all || FImageIndex == was.ImageIndex) SetImageIndex(now.ImageIndex);
}

}  // namespace Glossmith::inline Controls

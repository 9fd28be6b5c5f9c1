#include "host/controls/Edits.h"

#include <algorithm>

namespace Glossmith::inline Controls {

GLS_IMPLEMENT_CLASS(TMaskEdit)
GLS_IMPLEMENT_CLASS(TBoundLabel)
GLS_IMPLEMENT_CLASS(TCustomLabeledEdit)
GLS_IMPLEMENT_CLASS(TLabeledEdit)
GLS_IMPLEMENT_CLASS(TButtonedEdit)
GLS_IMPLEMENT_CLASS(TSpinEdit)

namespace {

// The properties of an edit that every edit below publishes, in the
// classic order around its own.
template <class T>
void PublishEditHead(TPublisher<T>& P) {
  using E = TCustomEdit;
  P.Publish({"Align", "Anchors"});
  P.Bool("AutoSelect", &E::AutoSelect, &E::SetAutoSelect).Default(true);
  P.Publish("AutoSize").Default(true);
  P.Publish("BiDiMode");
  P.Enum("BorderStyle", &E::BorderStyle, &E::SetBorderStyle).Default(bsSingle);
  P.Enum("CharCase", &E::CharCase, &E::SetCharCase).Default(ecNormal);
  P.Publish(
      {"Color", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
  P.Bool("HideSelection", &E::HideSelection, &E::SetHideSelection).Default(true);
  P.Int("MaxLength", &E::MaxLength, &E::SetMaxLength).Default(0);
  P.Publish("ParentBiDiMode");
  P.Publish("ParentColor").Default(false);
  P.Publish({"ParentCtl3D", "ParentFont", "ParentShowHint"});
}

template <class T>
void PublishEditTail(TPublisher<T>& P, bool text) {
  using E = TCustomEdit;
  P.Publish("PopupMenu");
  P.Bool("ReadOnly", &E::ReadOnly, &E::SetReadOnly).Default(false);
  P.Publish({"ShowHint", "TabOrder"});
  P.Publish("TabStop").Default(true);
  if (text) P.Publish("Text");
  P.Publish("Visible");
  P.Event("OnChange", &E::OnChange);
  P.Publish({"OnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
             "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

}  // namespace

// ---------------------------------------------------------------------------
// TMaskEdit

void TMaskEdit::Publish(TPublisher<TMaskEdit>& P) {
  PublishEditHead(P);
  P.Str("EditMask", &TMaskEdit::EditMask, &TMaskEdit::SetEditMask);
  P.Char("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).Default(0);
  PublishEditTail(P, true);
}

TMaskEdit::TMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) { SetAutoSize(true); }

// ---------------------------------------------------------------------------
// Labelled edits

void TBoundLabel::Publish(TPublisher<TBoundLabel>& P) {
  // The edit places its label.
  P.Int("Left", &TControl::Left, &TControl::SetLeft).Stored(false);
  P.Int("Top", &TControl::Top, &TControl::SetTop).Stored(false);
  P.template ObjOf<TWinControl>("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl)
      .Stored(false);
}

TBoundLabel::TBoundLabel(TComponent* AOwner) : TLabel(AOwner) {
  SetName("SubEditLabel");
  FilerFlags().SubComponent = true;
  SetBounds(0, 0, 60, 13);
}

void TBoundLabel::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TLabel::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FEdit && !FEdit->FPlacing) FEdit->PlaceLabel();
}

TCustomLabeledEdit::TCustomLabeledEdit(TComponent* AOwner)
    : TCustomEdit(AOwner), FEditLabel(new TBoundLabel(this)) {
  FEditLabel->FEdit = this;
  FEditLabel->FreeNotification(this);
  FEditLabel->SetFocusControl(this);
  SetAutoSize(true);
}

TCustomLabeledEdit::~TCustomLabeledEdit() {
  BeginDestroy();
  // The label goes with the edit (its owner), wherever it is shown.
  if (FEditLabel) FEditLabel->FEdit = nullptr;
}

void TCustomLabeledEdit::Notification(TComponent* AComponent, TOperation Operation) {
  TCustomEdit::Notification(AComponent, Operation);
  // The label goes before the edit when its parent destroys it.
  if (Operation == opRemove && AComponent == FEditLabel) FEditLabel = nullptr;
}

void TCustomLabeledEdit::SetLabelPosition(TLabelPosition Value) {
  if (!SetField(FLabelPosition, Value)) return;
  PlaceLabel();
}

void TCustomLabeledEdit::SetLabelSpacing(Integer Value) {
  if (!SetField(FLabelSpacing, Value)) return;
  PlaceLabel();
}

void TCustomLabeledEdit::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TCustomEdit::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlaceLabel();
}

void TCustomLabeledEdit::SetParent(TWinControl* Value) {
  TCustomEdit::SetParent(Value);
  if (FEditLabel && !ComponentState().Contains(csDestroying)) {
    FEditLabel->SetParent(Value);
    PlaceLabel();
  }
}

void TCustomLabeledEdit::SetVisible(bool Value) {
  TCustomEdit::SetVisible(Value);
  if (FEditLabel) FEditLabel->SetVisible(Value);
}

void TCustomLabeledEdit::SetEnabled(bool Value) {
  TCustomEdit::SetEnabled(Value);
  if (FEditLabel) FEditLabel->SetEnabled(Value);
}

void TCustomLabeledEdit::PlaceLabel() {
  if (!FEditLabel || FPlacing) return;
  FPlacing = true;
  struct TDone {
    bool& Flag;
    ~TDone() { Flag = false; }
  } done{FPlacing};
  const Integer w = FEditLabel->Width(), h = FEditLabel->Height();
  switch (FLabelPosition) {
    case lpAbove:
      FEditLabel->SetBounds(Left(), Top() - h - FLabelSpacing, w, h);
      break;
    case lpBelow:
      FEditLabel->SetBounds(Left(), Top() + Height() + FLabelSpacing, w, h);
      break;
    case lpLeft:
      FEditLabel->SetBounds(Left() - w - FLabelSpacing, Top() + (Height() - h) / 2, w, h);
      break;
    case lpRight:
      FEditLabel->SetBounds(Left() + Width() + FLabelSpacing, Top() + (Height() - h) / 2, w, h);
      break;
  }
}

void TLabeledEdit::Publish(TPublisher<TLabeledEdit>& P) {
  using L = TCustomLabeledEdit;
  PublishEditHead(P);
  P.template ObjOf<TBoundLabel>("EditLabel", &L::EditLabel, nullptr);
  P.Enum("LabelPosition", &L::LabelPosition, &L::SetLabelPosition).Default(lpAbove);
  P.Int("LabelSpacing", &L::LabelSpacing, &L::SetLabelSpacing).Default(3);
  P.Char("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).Default(0);
  PublishEditTail(P, true);
}

// ---------------------------------------------------------------------------
// TButtonedEdit

void TButtonedEdit::Publish(TPublisher<TButtonedEdit>& P) {
  PublishEditHead(P);
  P.Char("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar).Default(0);
  PublishEditTail(P, true);
  P.Str("TextHint", &TButtonedEdit::TextHint, &TButtonedEdit::SetTextHint);
}

TButtonedEdit::TButtonedEdit(TComponent* AOwner) : TCustomEdit(AOwner) { SetAutoSize(true); }

void TButtonedEdit::SetTextHint(const String& Value) {
  if (SetField(FTextHint, Value)) Changed();
}

// ---------------------------------------------------------------------------
// TSpinEdit

void TSpinEdit::Publish(TPublisher<TSpinEdit>& P) {
  using S = TSpinEdit;
  PublishEditHead(P);
  P.Bool("EditorEnabled", &S::EditorEnabled, &S::SetEditorEnabled).Default(true);
  P.Int("Increment", &S::Increment, &S::SetIncrement).Default(1);
  P.Int("MaxValue", &S::MaxValue, &S::SetMaxValue);
  P.Int("MinValue", &S::MinValue, &S::SetMinValue);
  PublishEditTail(P, false);
  P.Int("Value", &S::Value, &S::SetValue);
}

TSpinEdit::TSpinEdit(TComponent* AOwner) : TCustomEdit(AOwner) {
  SetAutoSize(true);
  SetText("0");
}

Integer TSpinEdit::CheckValue(Integer Value) const {
  if (FMaxValue == 0 && FMinValue == 0) return Value;
  if (FMaxValue < FMinValue) return Value;
  return std::clamp(Value, FMinValue, FMaxValue);
}

Integer TSpinEdit::Value() const {
  Integer v = 0;
  return TryStrToInt(Text(), v) ? v : FMinValue;
}

void TSpinEdit::SetValue(Integer Value) { SetText(IntToStr(CheckValue(Value))); }

}  // namespace Glossmith::inline Controls

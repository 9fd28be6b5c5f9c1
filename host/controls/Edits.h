// Edits of the classic library beyond the plain edit: the masked edit, the
// edit with its own label, the edit with buttons in it and the spin edit.
#pragma once

#include "host/controls/StdCtrls.h"

namespace Glossmith::inline Controls {

class TCustomLabeledEdit;

// An edit whose text follows a mask (kept as read; typing is not checked).
class TMaskEdit : public TCustomEdit {
  GLS_CLASS(TMaskEdit, TCustomEdit)
 public:
  explicit TMaskEdit(TComponent* AOwner);
  static void Publish(TPublisher<TMaskEdit>& P);
  const String& EditMask() const { return FEditMask; }
  void SetEditMask(const String& Value) { FEditMask = Value; }

 private:
  String FEditMask;
};

enum TLabelPosition : uint8_t { lpAbove, lpBelow, lpLeft, lpRight };
GLS_ENUM_TYPEINFO(TLabelPosition, "lpAbove", "lpBelow", "lpLeft", "lpRight")

// The label of a labelled edit: a part of the edit (it owns it, and form
// files write it under the edit's EditLabel), shown on the edit's parent
// beside the edit.
class TBoundLabel : public TLabel {
  GLS_CLASS(TBoundLabel, TLabel)
 public:
  explicit TBoundLabel(TComponent* AOwner);
  static void Publish(TPublisher<TBoundLabel>& P);
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

 private:
  friend class TCustomLabeledEdit;
  TCustomLabeledEdit* FEdit = nullptr;
};

class TCustomLabeledEdit : public TCustomEdit {
  GLS_CLASS(TCustomLabeledEdit, TCustomEdit)
 public:
  explicit TCustomLabeledEdit(TComponent* AOwner);
  ~TCustomLabeledEdit() override;

  TBoundLabel* EditLabel() const { return FEditLabel; }
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  Integer LabelSpacing() const { return FLabelSpacing; }
  void SetLabelSpacing(Integer Value);

  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetParent(TWinControl* Value) override;
  void SetVisible(bool Value) override;
  void SetEnabled(bool Value) override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TBoundLabel;
  // Puts the label beside the edit, LabelSpacing away.
  void PlaceLabel();
  TBoundLabel* FEditLabel;
  TLabelPosition FLabelPosition = lpAbove;
  Integer FLabelSpacing = 3;
  bool FPlacing = false;
};

class TLabeledEdit : public TCustomLabeledEdit {
  GLS_CLASS(TLabeledEdit, TCustomLabeledEdit)
 public:
  explicit TLabeledEdit(TComponent* AOwner) : TCustomLabeledEdit(AOwner) {}
  static void Publish(TPublisher<TLabeledEdit>& P);
};

// An edit with a button at either end; the buttons (their images, hints
// and menus) are kept as read.
class TButtonedEdit : public TCustomEdit {
  GLS_CLASS(TButtonedEdit, TCustomEdit)
 public:
  explicit TButtonedEdit(TComponent* AOwner);
  static void Publish(TPublisher<TButtonedEdit>& P);
  const String& TextHint() const { return FTextHint; }
  void SetTextHint(const String& Value);

 private:
  String FTextHint;
};

// An edit of a whole number with arrows: Value is its text as a number,
// kept between MinValue and MaxValue unless both are 0.
class TSpinEdit : public TCustomEdit {
  GLS_CLASS(TSpinEdit, TCustomEdit)
 public:
  explicit TSpinEdit(TComponent* AOwner);
  static void Publish(TPublisher<TSpinEdit>& P);

  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  Integer Increment() const { return FIncrement; }
  void SetIncrement(Integer Value) { FIncrement = Value; }
  Integer MaxValue() const { return FMaxValue; }
  void SetMaxValue(Integer Value) { FMaxValue = Value; }
  Integer MinValue() const { return FMinValue; }
  void SetMinValue(Integer Value) { FMinValue = Value; }
  Integer Value() const;
  void SetValue(Integer Value);

 private:
  Integer CheckValue(Integer Value) const;
  bool FEditorEnabled = true;
  Integer FIncrement = 1;
  Integer FMaxValue = 0;
  Integer FMinValue = 0;
};

}  // namespace Glossmith::inline Controls

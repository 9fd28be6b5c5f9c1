// Standard controls: labels, edits, memos, buttons, check boxes, radio
// buttons, list boxes, combo boxes and group boxes.
#pragma once

#include "host/controls/Forms.h"

namespace Glossmith::inline Controls {

enum TTextLayout : uint8_t { tlTop, tlCenter, tlBottom };
GLS_ENUM_TYPEINFO(TTextLayout, "tlTop", "tlCenter", "tlBottom")
enum TEditCharCase : uint8_t { ecNormal, ecUpperCase, ecLowerCase };
GLS_ENUM_TYPEINFO(TEditCharCase, "ecNormal", "ecUpperCase", "ecLowerCase")
enum TScrollStyle : uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
GLS_ENUM_TYPEINFO(TScrollStyle, "ssNone", "ssHorizontal", "ssVertical", "ssBoth")
enum TCheckBoxState : uint8_t { cbUnchecked, cbChecked, cbGrayed };
GLS_ENUM_TYPEINFO(TCheckBoxState, "cbUnchecked", "cbChecked", "cbGrayed")
enum TListBoxStyle : uint8_t { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };
GLS_ENUM_TYPEINFO(TListBoxStyle, "lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable")
enum TComboBoxStyle : uint8_t {
  csDropDown,
  csSimple,
  csDropDownList,
  csOwnerDrawFixed,
  csOwnerDrawVariable
};
GLS_ENUM_TYPEINFO(TComboBoxStyle, "csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed",
                  "csOwnerDrawVariable")

class TLabel : public TGraphicControl {
  GLS_CLASS(TLabel, TGraphicControl)
 public:
  explicit TLabel(TComponent* AOwner);
  static void Publish(TPublisher<TLabel>& P);

  TWinControl* FocusControl() const { return FFocusControl; }
  // Its accelerator focuses FocusControl (while the label is enabled and
  // shows its accelerator).
  bool DialogChar(char CharCode) override;
  void SetFocusControl(TWinControl* Value);
  TTextLayout Layout() const { return FLayout; }
  void SetLayout(TTextLayout Value);
  bool ShowAccelChar() const { return FShowAccelChar; }
  void SetShowAccelChar(bool Value);
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TWinControl* FFocusControl = nullptr;
  TTextLayout FLayout = tlTop;
  bool FShowAccelChar = true;
  bool FTransparent = false;
  bool FWordWrap = false;
};

// The common part of edits and memos: text, selection and editing options.
class TCustomEdit : public TWinControl {
  GLS_CLASS(TCustomEdit, TWinControl)
 public:
  explicit TCustomEdit(TComponent* AOwner);

  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value) { FMaxLength = Value; }
  bool OEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value) { FOEMConvert = Value; }
  char PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);

  // The selection, kept within the text; SelStart is also the caret. Byte
  // offsets into the text.
  Integer SelStart() const { return FSelStart; }
  void SetSelStart(Integer Value);
  Integer SelLength() const { return FSelLength; }
  void SetSelLength(Integer Value);
  String SelText() const;
  void SetSelText(const String& Value);
  void SelectAll();
  void Clear() { SetText(String()); }

  void SetText(const String& Value) override;
  // The arrows move the caret.
  bool WantsKey(Windows::WORD Key, TShiftState Shift) const override;

  TNotifyEvent OnChange;

 protected:
  // The text changed: the selection is kept within it and OnChange fires.
  virtual void Change();
  // A single-line edit entered by the keyboard selects all its text.
  void DoEnter() override;
  // The caret keys (Left, Right, Home, End; Up and Down between lines)
  // and Delete.
  void HandleKey(Windows::WORD Key, TShiftState Shift) override;
  // A typed character replaces the selection and the caret moves past it;
  // Backspace deletes. Read-only edits take no text.
  void HandleChar(const String& Char) override;
  virtual bool MultiLine() const { return false; }

 private:
  void SetSelection(Integer start, Integer length);

 private:
  bool FAutoSelect = true;
  TBorderStyle FBorderStyle = bsSingle;
  TEditCharCase FCharCase = ecNormal;
  bool FHideSelection = true;
  Integer FMaxLength = 0;
  bool FOEMConvert = false;
  char FPasswordChar = '\0';
  bool FReadOnly = false;
  Integer FSelStart = 0;
  Integer FSelLength = 0;
};

class TEdit : public TCustomEdit {
  GLS_CLASS(TEdit, TCustomEdit)
 public:
  explicit TEdit(TComponent* AOwner);
  static void Publish(TPublisher<TEdit>& P);
};

// A multi-line edit. Its text is its lines joined by line breaks.
class TMemo : public TCustomEdit {
  GLS_CLASS(TMemo, TCustomEdit)
 public:
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;
  static void Publish(TPublisher<TMemo>& P);

  TStrings* Lines() const { return FLines.get(); }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value) { FScrollBars = Value; }
  // A memo that wants returns keeps Enter (a line break) and Escape for
  // itself; one that wants tabs keeps Tab (a tab character). Otherwise the
  // form has them (the Default and Cancel buttons, the focus).
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);

  void SetText(const String& Value) override;
  bool WantsKey(Windows::WORD Key, TShiftState Shift) const override;

 protected:
  void HandleChar(const String& Char) override;
  bool MultiLine() const override { return true; }

 private:
  void LinesChanged();

  std::unique_ptr<TControlStrings> FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWantReturns = true;
  bool FWantTabs = false;
  bool FWordWrap = true;
  bool FSettingText = false;
};

class TButtonControl : public TWinControl {
  GLS_CLASS(TButtonControl, TWinControl)
 public:
  explicit TButtonControl(TComponent* AOwner);

 protected:
  // Space clicks a focused button, check box or radio button.
  void HandleKey(Windows::WORD Key, TShiftState Shift) override;
  // Checks the control as its action says, without the click a person's
  // check is.
  template <class F>
  void CheckWithoutClick(F&& check) {
    const bool saved = FClicksDisabled;
    FClicksDisabled = true;
    struct TRestore {
      bool& Flag;
      bool Saved;
      ~TRestore() { Flag = Saved; }
    } restore{FClicksDisabled, saved};
    check();
  }
  bool FClicksDisabled = false;
};

class TButton : public TButtonControl {
  GLS_CLASS(TButton, TButtonControl)
 public:
  explicit TButton(TComponent* AOwner);
  static void Publish(TPublisher<TButton>& P);

  bool Cancel() const { return FCancel; }
  void SetCancel(bool Value) { FCancel = Value; }
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  // The form's modal result is set before OnClick runs.
  void Click() override;
  // Its accelerator clicks it.
  bool DialogChar(char CharCode) override;

 protected:
  // Escape clicks the Cancel button; Enter clicks the focused button, or
  // the Default button when no button has the focus. The button must be
  // able to take the focus (visible and enabled), and no Shift, Ctrl or
  // Alt be held.
  bool DialogKey(Windows::WORD Key, TShiftState Shift) override;

 private:
  bool FCancel = false;
  bool FDefault = false;
  TModalResult FModalResult = mrNone;
};

class TCheckBox : public TButtonControl {
  GLS_CLASS(TCheckBox, TButtonControl)
 public:
  explicit TCheckBox(TComponent* AOwner);
  static void Publish(TPublisher<TCheckBox>& P);

  bool AllowGrayed() const { return FAllowGrayed; }
  void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
  bool Checked() const { return FState == cbChecked; }
  void SetChecked(bool Value) { SetState(Value ? cbChecked : cbUnchecked); }
  TCheckBoxState State() const { return FState; }
  void SetState(TCheckBoxState Value);
  // A click moves to the next state (through grayed when allowed).
  void Click() override;
  // Its accelerator focuses it and moves it to the next state.
  bool DialogChar(char CharCode) override;

 protected:
  // The action's Checked checks the box (without a click).
  void ActionChanged(const TActionValues& was, const TActionValues& now, bool all) override;

 private:
  bool FAllowGrayed = false;
  TCheckBoxState FState = cbUnchecked;
};

class TRadioButton : public TButtonControl {
  GLS_CLASS(TRadioButton, TButtonControl)
 public:
  explicit TRadioButton(TComponent* AOwner);
  static void Publish(TPublisher<TRadioButton>& P);

  bool Checked() const { return FChecked; }
  // Checking a radio button unchecks the others of the same parent.
  void SetChecked(bool Value);
  void Click() override;
  // Its accelerator focuses and checks it.
  bool DialogChar(char CharCode) override;

 protected:
  void ActionChanged(const TActionValues& was, const TActionValues& now, bool all) override;

 private:
  bool FChecked = false;
};

// The common part of list boxes: items, the current item and the selection.
class TCustomListBox : public TWinControl {
  GLS_CLASS(TCustomListBox, TWinControl)
 public:
  explicit TCustomListBox(TComponent* AOwner);
  ~TCustomListBox() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  // Sorted lists order their items with case ignored.
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value);
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value);
  bool ExtendedSelect() const { return FExtendedSelect; }
  void SetExtendedSelect(bool Value) { FExtendedSelect = Value; }
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value) { FBorderStyle = Value; }
  Integer Columns() const { return FColumns; }
  void SetColumns(Integer Value) { FColumns = Value; }
  bool IntegralHeight() const { return FIntegralHeight; }
  void SetIntegralHeight(bool Value) { FIntegralHeight = Value; }
  // A standard list box's items are as high as its font; owner-drawn ones
  // as high as set.
  Integer ItemHeight() const;
  void SetItemHeight(Integer Value);
  TListBoxStyle Style() const { return FStyle; }
  void SetStyle(TListBoxStyle Value) { FStyle = Value; }
  Integer TabWidth() const { return FTabWidth; }
  void SetTabWidth(Integer Value) { FTabWidth = Value; }
  Integer TopIndex() const { return FTopIndex; }
  void SetTopIndex(Integer Value);

  // The current item, -1 for none. Out of range sets -1.
  Integer ItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value);
  // Without multiple selection the selected item is the current item.
  bool Selected(int index) const;
  void SetSelected(int index, bool v);
  // The number of selected items; -1 without multiple selection.
  Integer SelCount() const;
  void ClearSelection();
  // Selects every item of a multiple-selection list.
  void SelectAll();
  // The item at a point of the client area; with `existing`, -1 below the
  // last item, otherwise the item count there.
  Integer ItemAtPos(TPoint pos, bool existing) const;
  void Clear() { FItems->Clear(); }

  // A person's click on an item (scrolled into view first), as MouseClick
  // delivers it: the item becomes current. A single-selection list selects
  // it; with ExtendedSelect a plain click selects only it, Ctrl toggles it,
  // Shift selects the items from the last plainly clicked one to it; a
  // multiple selection without ExtendedSelect toggles it. Then OnClick.
  // Raises EListError for an index out of range.
  void ClickItem(int index, TShiftState Shift = {});
  // The arrows, Home, End, PageUp and PageDown move the current item.
  bool WantsKey(Windows::WORD Key, TShiftState Shift) const override;

 protected:
  void ClickAt(TShiftState Shift, Integer X, Integer Y) override;
  // Up, Down (Left, Right), Home, End, PageUp and PageDown move the current
  // item and select as a plain click does (Shift extends, Ctrl moves only
  // the current item), then OnClick; in a multiple-selection list also
  // when the current item stays. Space toggles the current item of a
  // multiple selection (with Ctrl under ExtendedSelect).
  void HandleKey(Windows::WORD Key, TShiftState Shift) override;
  // A typed character moves to the next item that starts with it.
  void HandleChar(const String& Char) override;

 private:
  void CheckIndex(int index) const;
  void ItemsChanged();
  void LinesChanged(TControlStrings::TLineChange change, int index);
  // Makes `index` current as a person's click or key does, then OnClick.
  void MoveTo(int index, TShiftState Shift, bool byKey);
  void SelectRange(int from, int to);
  void ScrollIntoView(int index);
  Integer VisibleRows() const;

  std::unique_ptr<TControlStrings> FItems;
  std::vector<bool> FSelected;
  Integer FItemIndex = -1;
  // Where a Shift-extended selection starts; -1 for none.
  Integer FAnchor = -1;
  // The item ClickItem clicks, for ClickAt; -1 otherwise.
  Integer FClickIndex = -1;
  bool FMultiSelect = false;
  bool FExtendedSelect = true;
  TBorderStyle FBorderStyle = bsSingle;
  Integer FColumns = 0;
  bool FIntegralHeight = false;
  Integer FItemHeight = 16;
  TListBoxStyle FStyle = lbStandard;
  Integer FTabWidth = 0;
  Integer FTopIndex = 0;
};

class TListBox : public TCustomListBox {
  GLS_CLASS(TListBox, TCustomListBox)
 public:
  explicit TListBox(TComponent* AOwner) : TCustomListBox(AOwner) {}
  static void Publish(TPublisher<TListBox>& P);
};

class TComboBox : public TWinControl {
  GLS_CLASS(TComboBox, TWinControl)
 public:
  explicit TComboBox(TComponent* AOwner);
  ~TComboBox() override;
  static void Publish(TPublisher<TComboBox>& P);

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  TComboBoxStyle Style() const { return FStyle; }
  void SetStyle(TComboBoxStyle Value);
  Integer DropDownCount() const { return FDropDownCount; }
  void SetDropDownCount(Integer Value) { FDropDownCount = Value; }
  // As for list boxes: font height unless owner-drawn.
  Integer ItemHeight() const;
  void SetItemHeight(Integer Value) { FItemHeight = Value; }
  Integer MaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value) { FMaxLength = Value; }
  bool Sorted() const { return FItems->Sorted(); }
  void SetSorted(bool Value);

  // Choosing an item shows its text; -1 chooses none. While a form file is
  // read the index is only noted (the items follow it); Loaded chooses it.
  Integer ItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value);
  // Whether the style is a drop-down list (csDropDownList and the
  // owner-drawn styles): its text is always the chosen item's, and follows
  // the items when they change (a translation).
  bool IsListStyle() const;
  // An edit box takes any text and chooses the item of exactly that text. A
  // drop-down list can only show one of its items: a text that is one
  // chooses it, any other leaves the choice as it is.
  void SetText(const String& Value) override;
  void Clear();
  bool WantsKey(Windows::WORD Key, TShiftState Shift) const override;
  void Loaded() override;

  TNotifyEvent OnChange;
  TNotifyEvent OnDropDown;

 private:
  void ItemsChanged();
  void LinesChanged(TControlStrings::TLineChange change, int index);
  // A drop-down list shows the chosen item.
  void ShowChosen();
  // The item a text chooses, or -1.
  int ItemOf(const String& Value) const;
  // Until Loaded, a form file is being read into the control (its own
  // state: a translator that applies its list in its Loaded finds the
  // control loaded when the control came first).
  bool Reading() const;

  std::unique_ptr<TControlStrings> FItems;
  TComboBoxStyle FStyle = csDropDown;
  Integer FDropDownCount = 8;
  Integer FItemHeight = 16;
  Integer FMaxLength = 0;
  Integer FItemIndex = -1;
  bool FItemIndexRead = false;
};

class TCustomGroupBox : public TCustomControl {
  GLS_CLASS(TCustomGroupBox, TCustomControl)
 public:
  explicit TCustomGroupBox(TComponent* AOwner);
  // Its accelerator focuses the first control inside; others go to the
  // controls inside.
  bool DialogChar(char CharCode) override;
};

class TGroupBox : public TCustomGroupBox {
  GLS_CLASS(TGroupBox, TCustomGroupBox)
 public:
  explicit TGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner) {}
  static void Publish(TPublisher<TGroupBox>& P);
};

}  // namespace Glossmith::inline Controls

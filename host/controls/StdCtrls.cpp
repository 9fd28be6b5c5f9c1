#include "host/controls/StdCtrls.h"

#include <algorithm>

namespace Glossmith::inline Controls {

// ---------------------------------------------------------------------------
// TLabel

GLS_IMPLEMENT_CLASS(TLabel)

void TLabel::Publish(TPublisher<TLabel>& P) {
  P.Publish({"Align", "Alignment", "Anchors"});
  P.Publish("AutoSize").Default(true);
  P.Publish({"BiDiMode", "Caption", "Color", "Constraints", "DragCursor", "DragKind", "DragMode",
             "Enabled"});
  P.template ObjOf<TWinControl>("FocusControl", &TLabel::FocusControl, &TLabel::SetFocusControl);
  P.Publish({"Font", "ParentBiDiMode", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu"});
  P.Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar).Default(true);
  P.Publish("ShowHint");
  P.Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent).Default(false);
  P.Enum("Layout", &TLabel::Layout, &TLabel::SetLayout).Default(tlTop);
  P.Publish("Visible");
  P.Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap).Default(false);
  P.Publish({"OnClick", "OnDblClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
  SetAutoSize(true);
  SetBounds(0, 0, 65, 17);
}

void TLabel::SetFocusControl(TWinControl* Value) {
  if (FFocusControl == Value) return;
  FFocusControl = Value;
  if (Value) Value->FreeNotification(this);
}

bool TLabel::DialogChar(char CharCode) {
  if (!FFocusControl || !Enabled() || !FShowAccelChar || !IsAccel(CharCode, Caption()) ||
      !FFocusControl->CanFocus())
    return false;
  FFocusControl->SetFocus();
  return true;
}

void TLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FFocusControl) == AComponent)
    FFocusControl = nullptr;
}

void TLabel::SetLayout(TTextLayout Value) {
  if (SetField(FLayout, Value)) Changed();
}
void TLabel::SetShowAccelChar(bool Value) {
  if (SetField(FShowAccelChar, Value)) Changed();
}
void TLabel::SetTransparent(bool Value) {
  if (SetField(FTransparent, Value)) Changed();
}
void TLabel::SetWordWrap(bool Value) {
  if (SetField(FWordWrap, Value)) Changed();
}

// ---------------------------------------------------------------------------
// TCustomEdit, TEdit, TMemo

GLS_IMPLEMENT_CLASS(TCustomEdit)

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TCustomEdit::SetBorderStyle(TBorderStyle Value) {
  if (SetField(FBorderStyle, Value)) Changed();
}
void TCustomEdit::SetPasswordChar(char Value) {
  if (SetField(FPasswordChar, Value)) Changed();
}
void TCustomEdit::SetReadOnly(bool Value) {
  if (SetField(FReadOnly, Value)) Changed();
}
void TCustomEdit::SetHideSelection(bool Value) {
  if (SetField(FHideSelection, Value)) Changed();
}

void TCustomEdit::SetCharCase(TEditCharCase Value) {
  if (FCharCase == Value) return;
  FCharCase = Value;
  if (Value != ecNormal) SetText(Text());
  Changed();
}

void TCustomEdit::SetText(const String& Value) {
  String text = Value;
  if (FCharCase == ecUpperCase) text = UpperCase(text);
  if (FCharCase == ecLowerCase) text = LowerCase(text);
  if (text == Text()) return;
  SetTextField(text);
  Change();
}

void TCustomEdit::Change() {
  Integer length = static_cast<Integer>(Text().size());
  FSelStart = std::min(FSelStart, length);
  FSelLength = std::min(FSelLength, length - FSelStart);
  if (!IsLoading() && OnChange) OnChange(this);
}

void TCustomEdit::SetSelection(Integer start, Integer length) {
  Integer size = static_cast<Integer>(Text().size());
  start = std::clamp(start, 0, size);
  length = std::clamp(length, 0, size - start);
  if (start == FSelStart && length == FSelLength) return;
  FSelStart = start;
  FSelLength = length;
  Changed();
}

void TCustomEdit::SetSelStart(Integer Value) { SetSelection(Value, 0); }

void TCustomEdit::SetSelLength(Integer Value) { SetSelection(FSelStart, Value); }

String TCustomEdit::SelText() const {
  return Text().substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength));
}

void TCustomEdit::SetSelText(const String& Value) {
  String text = Text();
  text.replace(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength), Value);
  Integer start = FSelStart;
  SetText(text);
  SetSelection(start + static_cast<Integer>(Value.size()), 0);
}

void TCustomEdit::SelectAll() { SetSelection(0, static_cast<Integer>(Text().size())); }

bool TCustomEdit::WantsKey(WORD Key, TShiftState) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TCustomEdit::DoEnter() {
  if (FAutoSelect && !FocusingByMouse() && !MultiLine()) SelectAll();
  TWinControl::DoEnter();
}

namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Caret steps by character: a UTF-8 sequence, or a line break, is one.
Integer NextPos(const String& text, Integer pos) {
  auto size = static_cast<Integer>(text.size());
  if (pos >= size) return size;
  if (text.compare(static_cast<size_t>(pos), 2, "\r\n") == 0) return pos + 2;
  ++pos;
  while (pos < size && IsContinuation(text[static_cast<size_t>(pos)])) ++pos;
  return pos;
}

Integer PrevPos(const String& text, Integer pos) {
  if (pos <= 0) return 0;
  if (pos >= 2 && text.compare(static_cast<size_t>(pos - 2), 2, "\r\n") == 0) return pos - 2;
  --pos;
  while (pos > 0 && IsContinuation(text[static_cast<size_t>(pos)])) --pos;
  return pos;
}

Integer LineStart(const String& text, Integer pos) {
  size_t at = pos > 0 ? text.rfind('\n', static_cast<size_t>(pos - 1)) : String::npos;
  return at == String::npos ? 0 : static_cast<Integer>(at) + 1;
}

Integer LineEnd(const String& text, Integer pos) {
  size_t at = text.find('\n', static_cast<size_t>(pos));
  if (at == String::npos) return static_cast<Integer>(text.size());
  return static_cast<Integer>(at > 0 && text[at - 1] == '\r' ? at - 1 : at);
}

}  // namespace

void TCustomEdit::HandleKey(WORD Key, TShiftState) {
  const String& text = Text();
  Integer caret = FSelStart;
  switch (Key) {
    case VK_LEFT:
      SetSelStart(FSelLength > 0 ? FSelStart : PrevPos(text, caret));
      break;
    case VK_RIGHT:
      SetSelStart(FSelLength > 0 ? FSelStart + FSelLength : NextPos(text, caret));
      break;
    case VK_HOME:
      SetSelStart(MultiLine() ? LineStart(text, caret) : 0);
      break;
    case VK_END:
      SetSelStart(MultiLine() ? LineEnd(text, caret) : static_cast<Integer>(text.size()));
      break;
    case VK_UP:
    case VK_DOWN: {
      if (!MultiLine()) break;
      Integer start = LineStart(text, caret);
      Integer column = caret - start;
      Integer target;
      if (Key == VK_UP) {
        if (start == 0) break;
        target = LineStart(text, start - 1);
      } else {
        Integer end = LineEnd(text, caret);
        if (end >= static_cast<Integer>(text.size())) break;
        target = NextPos(text, end);
      }
      SetSelStart(std::min(target + column, LineEnd(text, target)));
      break;
    }
    case VK_DELETE:
      if (FReadOnly) break;
      if (FSelLength == 0) SetSelection(caret, NextPos(text, caret) - caret);
      SetSelText(String());
      break;
    default:
      break;
  }
}

void TCustomEdit::HandleChar(const String& Char) {
  if (FReadOnly || Char.empty()) return;
  auto c = static_cast<unsigned char>(Char[0]);
  if (c == '\b') {
    if (FSelLength == 0) {
      if (FSelStart == 0) return;
      Integer start = PrevPos(Text(), FSelStart);
      SetSelection(start, FSelStart - start);
    }
    SetSelText(String());
    return;
  }
  if (c < 0x20 || c == 0x7F) return;  // control characters type nothing
  if (FMaxLength > 0 &&
      static_cast<Integer>(Text().size()) - FSelLength + static_cast<Integer>(Char.size()) >
          FMaxLength)
    return;
  SetSelText(Char);
}

GLS_IMPLEMENT_CLASS(TEdit)

void TEdit::Publish(TPublisher<TEdit>& P) {
  using E = TCustomEdit;
  P.Publish("Anchors");
  P.Bool("AutoSelect", &E::AutoSelect, &E::SetAutoSelect).Default(true);
  P.Publish("AutoSize").Default(true);
  P.Publish("BiDiMode");
  P.Enum("BorderStyle", &E::BorderStyle, &E::SetBorderStyle).Default(bsSingle);
  P.Enum("CharCase", &E::CharCase, &E::SetCharCase).Default(ecNormal);
  P.Publish(
      {"Color", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
  P.Bool("HideSelection", &E::HideSelection, &E::SetHideSelection).Default(true);
  P.Int("MaxLength", &E::MaxLength, &E::SetMaxLength).Default(0);
  P.Bool("OEMConvert", &E::OEMConvert, &E::SetOEMConvert).Default(false);
  P.Publish("ParentBiDiMode");
  P.Publish("ParentColor").Default(false);
  P.Publish({"ParentCtl3D", "ParentFont", "ParentShowHint"});
  P.Char("PasswordChar", &E::PasswordChar, &E::SetPasswordChar).Default(0);
  P.Publish("PopupMenu");
  P.Bool("ReadOnly", &E::ReadOnly, &E::SetReadOnly).Default(false);
  P.Publish({"ShowHint", "TabOrder"});
  P.Publish("TabStop").Default(true);
  P.Publish({"Text", "Visible"});
  P.Event("OnChange", &E::OnChange);
  P.Publish({"OnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
             "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TEdit::TEdit(TComponent* AOwner) : TCustomEdit(AOwner) { SetAutoSize(true); }

GLS_IMPLEMENT_CLASS(TMemo)

void TMemo::Publish(TPublisher<TMemo>& P) {
  using E = TCustomEdit;
  P.Publish({"Align", "Alignment", "Anchors", "BiDiMode"});
  P.Enum("BorderStyle", &E::BorderStyle, &E::SetBorderStyle).Default(bsSingle);
  P.Publish(
      {"Color", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
  P.Bool("HideSelection", &E::HideSelection, &E::SetHideSelection).Default(true);
  P.template ObjOf<TStrings>("Lines", &TMemo::Lines, &TMemo::SetLines);
  P.Int("MaxLength", &E::MaxLength, &E::SetMaxLength).Default(0);
  P.Bool("OEMConvert", &E::OEMConvert, &E::SetOEMConvert).Default(false);
  P.Publish("ParentBiDiMode");
  P.Publish("ParentColor").Default(false);
  P.Publish({"ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu"});
  P.Bool("ReadOnly", &E::ReadOnly, &E::SetReadOnly).Default(false);
  P.Enum("ScrollBars", &TMemo::ScrollBars, &TMemo::SetScrollBars).Default(ssNone);
  P.Publish({"ShowHint", "TabOrder"});
  P.Publish("TabStop").Default(true);
  P.Publish("Visible");
  P.Bool("WantReturns", &TMemo::WantReturns, &TMemo::SetWantReturns).Default(true);
  P.Bool("WantTabs", &TMemo::WantTabs, &TMemo::SetWantTabs).Default(false);
  P.Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap).Default(true);
  P.Event("OnChange", &E::OnChange);
  P.Publish({"OnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
             "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TMemo::TMemo(TComponent* AOwner)
    : TCustomEdit(AOwner), FLines(std::make_unique<TControlStrings>([this] { LinesChanged(); })) {
  SetBounds(0, 0, 185, 89);
}

TMemo::~TMemo() = default;

void TMemo::LinesChanged() {
  if (FSettingText) return;
  // The memo's text has a line break between lines, none after the last.
  String text;
  for (int i = 0; i < FLines->Count(); ++i) {
    if (i) text += "\r\n";
    text += FLines->At(i);
  }
  if (text == Text()) return;
  SetTextField(text);
  Change();
}

void TMemo::SetText(const String& Value) {
  if (Value == Text()) return;
  FSettingText = true;
  try {
    FLines->SetText(Value);
  } catch (...) {
    FSettingText = false;
    throw;
  }
  FSettingText = false;
  SetTextField(Value);
  Change();
}

void TMemo::SetWordWrap(bool Value) {
  if (SetField(FWordWrap, Value)) Changed();
}

bool TMemo::WantsKey(WORD Key, TShiftState Shift) const {
  if (Key == VK_RETURN || Key == VK_ESCAPE) return FWantReturns;
  if (Key == VK_TAB) return FWantTabs;
  return TCustomEdit::WantsKey(Key, Shift);
}

void TMemo::HandleChar(const String& Char) {
  if (Char == "\r") {
    if (FWantReturns && !ReadOnly()) SetSelText("\r\n");
    return;
  }
  if (Char == "\t") {
    if (FWantTabs && !ReadOnly()) SetSelText("\t");
    return;
  }
  TCustomEdit::HandleChar(Char);
}

// ---------------------------------------------------------------------------
// Buttons

GLS_IMPLEMENT_CLASS(TButtonControl)

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

void TButtonControl::HandleKey(WORD Key, TShiftState Shift) {
  if (Key == VK_SPACE && Shift.Empty()) Click();
}

GLS_IMPLEMENT_CLASS(TButton)

void TButton::Publish(TPublisher<TButton>& P) {
  P.Publish({"Action", "Anchors", "BiDiMode"});
  P.Bool("Cancel", &TButton::Cancel, &TButton::SetCancel).Default(false);
  P.Publish({"Caption", "Constraints"});
  P.Bool("Default", &TButton::Default, &TButton::SetDefault).Default(false);
  P.Publish({"DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
  P.IntOf("ModalResult", TModalResultTypeInfo(), &TButton::ModalResult, &TButton::SetModalResult)
      .Default(0);
  P.Publish(
      {"ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder"});
  P.Publish("TabStop").Default(true);
  P.Publish({"Visible", "OnClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
             "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 75, 25);
  SetColor(clBtnFace);
}

void TButton::SetDefault(bool Value) {
  if (SetField(FDefault, Value)) Changed();
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(FModalResult);
  TButtonControl::Click();
}

bool TButton::DialogChar(char CharCode) {
  if (!IsAccel(CharCode, Caption()) || !CanFocus()) return false;
  Click();
  return true;
}

bool TButton::DialogKey(WORD Key, TShiftState Shift) {
  if (!Shift.Empty() || !CanFocus()) return false;
  bool pressed = false;
  if (Key == VK_ESCAPE) {
    pressed = FCancel;
  } else if (Key == VK_RETURN) {
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form ? form->FocusedControl() : nullptr;
    pressed = dynamic_cast<TButton*>(focused) ? focused == this : FDefault;
  }
  if (!pressed) return false;
  Click();
  return true;
}

GLS_IMPLEMENT_CLASS(TCheckBox)

void TCheckBox::Publish(TPublisher<TCheckBox>& P) {
  P.Publish("Action");
  P.Publish("Alignment").Default(taRightJustify);
  P.Bool("AllowGrayed", &TCheckBox::AllowGrayed, &TCheckBox::SetAllowGrayed).Default(false);
  P.Publish({"Anchors", "BiDiMode", "Caption"});
  // The state is what a form file holds; Checked is its view.
  P.Bool("Checked", &TCheckBox::Checked, &TCheckBox::SetChecked).Stored(false);
  P.Publish({"Color", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled",
             "Font", "ParentBiDiMode", "ParentColor", "ParentCtl3D", "ParentFont", "ParentShowHint",
             "PopupMenu", "ShowHint"});
  P.Enum("State", &TCheckBox::State, &TCheckBox::SetState).Default(cbUnchecked);
  P.Publish("TabOrder");
  P.Publish("TabStop").Default(true);
  P.Publish({"Visible", "OnClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp",
             "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TCheckBox::TCheckBox(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 97, 17);
  SetAlignment(taRightJustify);
}

void TCheckBox::SetState(TCheckBoxState Value) {
  if (FState == Value) return;
  FState = Value;
  Changed();
  if (!IsLoading() && !FClicksDisabled) TButtonControl::Click();
}

void TCheckBox::ActionChanged(const TActionValues& was, const TActionValues& now, bool all) {
  TButtonControl::ActionChanged(was, now, all);
  if (all || Checked() == was.Checked) CheckWithoutClick([&] { SetChecked(now.Checked); });
}

bool TCheckBox::DialogChar(char CharCode) {
  if (!IsAccel(CharCode, Caption()) || !CanFocus()) return false;
  SetFocus();
  if (Focused()) Click();
  return true;
}

void TCheckBox::Click() {
  switch (FState) {
    case cbUnchecked:
      SetState(cbChecked);
      break;
    case cbChecked:
      SetState(FAllowGrayed ? cbGrayed : cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbUnchecked);
      break;
  }
}

GLS_IMPLEMENT_CLASS(TRadioButton)

void TRadioButton::ActionChanged(const TActionValues& was, const TActionValues& now, bool all) {
  TButtonControl::ActionChanged(was, now, all);
  if (all || FChecked == was.Checked) CheckWithoutClick([&] { SetChecked(now.Checked); });
}

void TRadioButton::Publish(TPublisher<TRadioButton>& P) {
  P.Publish("Action");
  P.Publish("Alignment").Default(taRightJustify);
  P.Publish({"Anchors", "BiDiMode", "Caption"});
  P.Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked).Default(false);
  P.Publish({"Color",       "Constraints", "Ctl3D",          "DragCursor",     "DragKind",
             "DragMode",    "Enabled",     "Font",           "ParentBiDiMode", "ParentColor",
             "ParentCtl3D", "ParentFont",  "ParentShowHint", "PopupMenu",      "ShowHint",
             "TabOrder",    "TabStop",     "Visible",        "OnClick",        "OnDblClick",
             "OnEnter",     "OnExit",      "OnKeyDown",      "OnKeyPress",     "OnKeyUp",
             "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner) {
  SetBounds(0, 0, 113, 17);
  SetAlignment(taRightJustify);
  SetTabStop(false);
}

void TRadioButton::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  SetTabStop(Value);
  if (Value && Parent())
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (auto* other = dynamic_cast<TRadioButton*>(Parent()->Controls(i)); other && other != this)
        other->SetChecked(false);
  Changed();
  if (Value && !IsLoading() && !FClicksDisabled) TButtonControl::Click();
}

void TRadioButton::Click() { SetChecked(true); }

bool TRadioButton::DialogChar(char CharCode) {
  if (!IsAccel(CharCode, Caption()) || !CanFocus()) return false;
  SetFocus();
  if (Focused()) Click();
  return true;
}

// ---------------------------------------------------------------------------
// List boxes

GLS_IMPLEMENT_CLASS(TCustomListBox)

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TControlStrings>(
          [this] { ItemsChanged(); }, [this](TControlStrings::TLineChange change,
                                             int index) { LinesChanged(change, index); })) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::LinesChanged(TControlStrings::TLineChange change, int index) {
  // The selection and the current item stay with their items, as the
  // window keeps them; new items start unselected; a current item that
  // goes leaves none.
  auto shift = [index](Integer& i, int by) {
    if (by > 0 && i >= index) i += by;
    if (by < 0 && i == index) i = -1;
    if (by < 0 && i > index) --i;
  };
  auto at = FSelected.begin() + std::clamp<std::ptrdiff_t>(index, 0, std::ssize(FSelected));
  switch (change) {
    case TControlStrings::lcInserted:
      FSelected.insert(at, false);
      shift(FItemIndex, 1);
      shift(FAnchor, 1);
      break;
    case TControlStrings::lcDeleted:
      if (at != FSelected.end()) FSelected.erase(at);
      shift(FItemIndex, -1);
      shift(FAnchor, -1);
      break;
    case TControlStrings::lcReset:
      FSelected.assign(static_cast<size_t>(FItems->Count()), false);
      FItemIndex = -1;
      FAnchor = -1;
      break;
  }
}

void TCustomListBox::ItemsChanged() {
  FSelected.resize(static_cast<size_t>(FItems->Count()), false);
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  FTopIndex = std::clamp(FTopIndex, 0, std::max(0, FItems->Count() - 1));
  Changed();
}

void TCustomListBox::SetSorted(bool Value) {
  if (Sorted() == Value) return;
  FItems->SetSorted(Value);
  Changed();
}

void TCustomListBox::SetMultiSelect(bool Value) {
  if (FMultiSelect == Value) return;
  FMultiSelect = Value;
  ClearSelection();
}

namespace {
// The height of a line of text in the font, with the window system's spacing.
Integer FontLineHeight(const TFont& font) {
  Integer h = font.Height() < 0 ? -font.Height() : font.Height() * 72 / 96;
  return h + 2;
}
}  // namespace

Integer TCustomListBox::ItemHeight() const {
  return FStyle == lbStandard ? FontLineHeight(*Font()) : FItemHeight;
}

void TCustomListBox::SetItemHeight(Integer Value) {
  if (Value > 0) FItemHeight = Value;
}

void TCustomListBox::SetTopIndex(Integer Value) {
  FTopIndex = std::clamp(Value, 0, std::max(0, FItems->Count() - 1));
}

void TCustomListBox::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  if (FItemIndex == Value) return;
  FItemIndex = Value;
  Changed();
}

void TCustomListBox::CheckIndex(int index) const {
  if (index < 0 || index >= FItems->Count())
    throw EListError(Format("List index out of bounds (%d)", {index}));
}

bool TCustomListBox::Selected(int index) const {
  CheckIndex(index);
  if (!FMultiSelect) return index == FItemIndex;
  return FSelected[static_cast<size_t>(index)];
}

void TCustomListBox::SetSelected(int index, bool v) {
  CheckIndex(index);
  if (!FMultiSelect) {
    if (v)
      SetItemIndex(index);
    else if (index == FItemIndex)
      SetItemIndex(-1);
    return;
  }
  if (FSelected[static_cast<size_t>(index)] == v) return;
  FSelected[static_cast<size_t>(index)] = v;
  Changed();
}

Integer TCustomListBox::SelCount() const {
  if (!FMultiSelect) return -1;
  return static_cast<Integer>(std::count(FSelected.begin(), FSelected.end(), true));
}

void TCustomListBox::ClearSelection() {
  std::fill(FSelected.begin(), FSelected.end(), false);
  if (!FMultiSelect) FItemIndex = -1;
  Changed();
}

void TCustomListBox::SelectAll() {
  if (!FMultiSelect) return;
  std::fill(FSelected.begin(), FSelected.end(), true);
  Changed();
}

void TCustomListBox::SelectRange(int from, int to) {
  if (from > to) std::swap(from, to);
  for (int i = 0; i < static_cast<int>(FSelected.size()); ++i)
    FSelected[static_cast<size_t>(i)] = i >= from && i <= to;
}

Integer TCustomListBox::VisibleRows() const {
  return std::max<Integer>(1, ClientHeight() / std::max<Integer>(1, ItemHeight()));
}

void TCustomListBox::ScrollIntoView(int index) {
  if (index < FTopIndex)
    SetTopIndex(index);
  else if (index >= FTopIndex + VisibleRows())
    SetTopIndex(index - VisibleRows() + 1);
}

void TCustomListBox::MoveTo(int index, TShiftState Shift, bool byKey) {
  bool changed = index != FItemIndex;
  if (!FMultiSelect) {
    FItemIndex = index;
  } else if (FExtendedSelect) {
    if (Shift.Contains(ssShift)) {
      if (FAnchor < 0) FAnchor = FItemIndex < 0 ? index : FItemIndex;
      SelectRange(FAnchor, index);
    } else if (Shift.Contains(ssCtrl)) {
      // By key Ctrl moves the current item only; by mouse it toggles.
      if (!byKey) FSelected[static_cast<size_t>(index)] = !FSelected[static_cast<size_t>(index)];
      FAnchor = index;
    } else {
      SelectRange(index, index);
      FAnchor = index;
    }
    FItemIndex = index;
  } else {
    if (!byKey) FSelected[static_cast<size_t>(index)] = !FSelected[static_cast<size_t>(index)];
    FItemIndex = index;
  }
  ScrollIntoView(index);
  Changed();
  // A single-selection list tells of a key only when the current item
  // moved; a click, and any key of a multiple selection, always.
  if (!byKey || changed || FMultiSelect) Click();
}

void TCustomListBox::ClickItem(int index, TShiftState Shift) {
  CheckIndex(index);
  ScrollIntoView(index);
  Integer height = std::max<Integer>(1, ItemHeight());
  FClickIndex = index;
  try {
    MouseClick(Shift, ClientWidth() / 2, (index - FTopIndex) * height + height / 2);
  } catch (...) {
    FClickIndex = -1;
    throw;
  }
  FClickIndex = -1;
}

void TCustomListBox::ClickAt(TShiftState Shift, Integer X, Integer Y) {
  int index = FClickIndex >= 0 ? FClickIndex : ItemAtPos({X, Y}, true);
  if (index >= 0 && index < FItems->Count()) MoveTo(index, Shift, false);
}

bool TCustomListBox::WantsKey(WORD Key, TShiftState) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TCustomListBox::HandleKey(WORD Key, TShiftState Shift) {
  int count = FItems->Count();
  if (count == 0) return;
  int current = FItemIndex;
  int page = std::max(1, VisibleRows() - 1);
  int target;
  switch (Key) {
    case VK_UP:
    case VK_LEFT:
      target = current < 0 ? 0 : std::max(0, current - 1);
      break;
    case VK_DOWN:
    case VK_RIGHT:
      target = current < 0 ? 0 : std::min(count - 1, current + 1);
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = count - 1;
      break;
    case VK_PRIOR:
      target = current < 0 ? 0 : std::max(0, current - page);
      break;
    case VK_NEXT:
      target = current < 0 ? 0 : std::min(count - 1, current + page);
      break;
    case VK_SPACE:
      if (FMultiSelect && current >= 0 && (!FExtendedSelect || Shift.Contains(ssCtrl))) {
        FSelected[static_cast<size_t>(current)] = !FSelected[static_cast<size_t>(current)];
        Changed();
        Click();
      }
      return;
    default:
      return;
  }
  MoveTo(target, Shift, true);
}

void TCustomListBox::HandleChar(const String& Char) {
  int count = FItems->Count();
  if (count == 0 || Char.empty() || static_cast<unsigned char>(Char[0]) < 0x20) return;
  for (int step = 1; step <= count; ++step) {
    int i = ((FItemIndex < 0 ? -1 : FItemIndex) + step) % count;
    const String& item = FItems->At(i);
    if (item.size() >= Char.size() &&
        SameText(std::string_view(item).substr(0, Char.size()), Char)) {
      MoveTo(i, {}, true);
      return;
    }
  }
}

Integer TCustomListBox::ItemAtPos(TPoint pos, bool existing) const {
  if (pos.X < 0 || pos.X >= ClientWidth() || pos.Y < 0 || pos.Y >= ClientHeight())
    return existing ? -1 : FItems->Count();
  Integer index = FTopIndex + pos.Y / ItemHeight();
  if (index < FItems->Count()) return index;
  return existing ? -1 : FItems->Count();
}

GLS_IMPLEMENT_CLASS(TListBox)

void TListBox::Publish(TPublisher<TListBox>& P) {
  using L = TCustomListBox;
  P.Publish({"Align", "Anchors", "BiDiMode"});
  P.Enum("BorderStyle", &L::BorderStyle, &L::SetBorderStyle).Default(bsSingle);
  P.Publish("Color");
  P.Int("Columns", &L::Columns, &L::SetColumns).Default(0);
  P.Publish({"Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled"});
  P.Bool("ExtendedSelect", &L::ExtendedSelect, &L::SetExtendedSelect).Default(true);
  P.Publish("Font");
  P.Bool("IntegralHeight", &L::IntegralHeight, &L::SetIntegralHeight).Default(false);
  P.Int("ItemHeight", &L::ItemHeight, &L::SetItemHeight).Default(16);
  P.template ObjOf<TStrings>("Items", &L::Items, &L::SetItems);
  P.Bool("MultiSelect", &L::MultiSelect, &L::SetMultiSelect).Default(false);
  P.Publish("ParentBiDiMode");
  P.Publish("ParentColor").Default(false);
  P.Publish({"ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint"});
  P.Bool("Sorted", &L::Sorted, &L::SetSorted).Default(false);
  P.Enum("Style", &L::Style, &L::SetStyle).Default(lbStandard);
  P.Publish("TabOrder");
  P.Publish("TabStop").Default(true);
  P.Int("TabWidth", &L::TabWidth, &L::SetTabWidth).Default(0);
  P.Publish({"Visible", "OnClick", "OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress",
             "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

// ---------------------------------------------------------------------------
// TComboBox

GLS_IMPLEMENT_CLASS(TComboBox)

void TComboBox::Publish(TPublisher<TComboBox>& P) {
  using B = TComboBox;
  P.Enum("Style", &B::Style, &B::SetStyle).Default(csDropDown);
  P.Publish({"Anchors", "BiDiMode", "Color", "Constraints", "Ctl3D", "DragCursor", "DragKind",
             "DragMode"});
  P.Int("DropDownCount", &B::DropDownCount, &B::SetDropDownCount).Default(8);
  P.Publish({"Enabled", "Font"});
  P.Int("ItemHeight", &B::ItemHeight, &B::SetItemHeight).Default(16);
  P.Int("ItemIndex", &B::ItemIndex, &B::SetItemIndex).Default(-1);
  P.Int("MaxLength", &B::MaxLength, &B::SetMaxLength).Default(0);
  P.Publish("ParentBiDiMode");
  P.Publish("ParentColor").Default(false);
  P.Publish({"ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu", "ShowHint"});
  P.Bool("Sorted", &B::Sorted, &B::SetSorted).Default(false);
  P.Publish("TabOrder");
  P.Publish("TabStop").Default(true);
  P.Publish({"Text", "Visible"});
  P.Event("OnChange", &B::OnChange);
  P.Publish({"OnClick", "OnDblClick"});
  P.Event("OnDropDown", &B::OnDropDown);
  P.Publish({"OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp"});
  // Last, so that a form file gives the items after the style.
  P.template ObjOf<TStrings>("Items", &B::Items, &B::SetItems);
}

TComboBox::TComboBox(TComponent* AOwner)
    : TWinControl(AOwner),
      FItems(std::make_unique<TControlStrings>(
          [this] { ItemsChanged(); },
          [this](TControlStrings::TLineChange change, int index) { LinesChanged(change, index); })) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

TComboBox::~TComboBox() = default;

Integer TComboBox::ItemHeight() const {
  return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable ? FItemHeight
                                                                     : FontLineHeight(*Font());
}

bool TComboBox::Reading() const { return ComponentState().Contains(csLoading); }

int TComboBox::ItemOf(const String& Value) const {
  // A list finds an item as the window does, without regard to case; an
  // edit box only the item of exactly its text.
  if (IsListStyle()) return FItems->IndexOf(Value);
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->At(i) == Value) return i;
  return -1;
}

bool TComboBox::IsListStyle() const {
  return FStyle == csDropDownList || FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable;
}

void TComboBox::ShowChosen() {
  if (IsListStyle()) SetTextField(FItemIndex >= 0 ? FItems->At(FItemIndex) : String());
}

void TComboBox::LinesChanged(TControlStrings::TLineChange change, int index) {
  // While the form is read the index waits for the items (Loaded).
  if (Reading()) return;
  // The chosen item stays chosen when others come or go before it, as the
  // window keeps it; when it goes, or the list is replaced, none is.
  switch (change) {
    case TControlStrings::lcInserted:
      if (FItemIndex >= index) ++FItemIndex;
      break;
    case TControlStrings::lcDeleted:
      if (FItemIndex == index)
        FItemIndex = -1;
      else if (FItemIndex > index)
        --FItemIndex;
      break;
    case TControlStrings::lcReset:
      FItemIndex = -1;
      break;
  }
}

void TComboBox::ItemsChanged() {
  if (!Reading()) {
    if (FItemIndex >= FItems->Count()) FItemIndex = -1;
    ShowChosen();
  }
  Changed();
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (!Reading()) ShowChosen();
  Changed();
}

void TComboBox::SetSorted(bool Value) {
  if (Sorted() == Value) return;
  FItems->SetSorted(Value);
  Changed();
}

void TComboBox::SetItemIndex(Integer Value) {
  if (Reading()) {
    FItemIndex = Value;
    FItemIndexRead = true;
    return;
  }
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  if (FItemIndex == Value) return;
  FItemIndex = Value;
  SetTextField(Value >= 0 ? FItems->At(Value) : String());
  Changed();
}

void TComboBox::SetText(const String& Value) {
  if (Reading()) {
    // The items and the index may follow; Loaded matches them up.
    SetTextField(Value);
    return;
  }
  const int index = ItemOf(Value);
  if (IsListStyle()) {
    if (index >= 0) SetItemIndex(index);
    return;
  }
  FItemIndex = index;
  if (Value == Text()) return;
  SetTextField(Value);
  if (OnChange) OnChange(this);
}

void TComboBox::Loaded() {
  TWinControl::Loaded();
  // The index the file gave, else the item the text names.
  if (FItemIndexRead)
    FItemIndex = FItemIndex >= 0 && FItemIndex < FItems->Count() ? FItemIndex : -1;
  else
    FItemIndex = ItemOf(Text());
  FItemIndexRead = false;
  ShowChosen();
}

bool TComboBox::WantsKey(WORD Key, TShiftState) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TComboBox::Clear() {
  FItems->Clear();
  SetItemIndex(-1);
  SetTextField(String());
}

// ---------------------------------------------------------------------------
// Group boxes

GLS_IMPLEMENT_CLASS(TCustomGroupBox)

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  SetBounds(0, 0, 185, 105);
}

bool TCustomGroupBox::DialogChar(char CharCode) {
  if (IsAccel(CharCode, Caption()) && CanFocus()) {
    SelectFirst();
    return true;
  }
  return TCustomControl::DialogChar(CharCode);
}

GLS_IMPLEMENT_CLASS(TGroupBox)

void TGroupBox::Publish(TPublisher<TGroupBox>& P) {
  P.Publish({"Align",       "Anchors",        "BiDiMode",       "Caption",     "Color",
             "Constraints", "Ctl3D",          "DragCursor",     "DragKind",    "DragMode",
             "Enabled",     "Font",           "ParentBiDiMode", "ParentColor", "ParentCtl3D",
             "ParentFont",  "ParentShowHint", "PopupMenu",      "ShowHint",    "TabOrder",
             "TabStop",     "Visible",        "OnClick",        "OnDblClick",  "OnEnter",
             "OnExit",      "OnMouseDown",    "OnMouseMove",    "OnMouseUp"});
}

}  // namespace Glossmith::inline Controls

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

void TCustomEdit::SetSelStart(Integer Value) {
  Integer length = static_cast<Integer>(Text().size());
  FSelStart = std::clamp(Value, 0, length);
  FSelLength = 0;
}

void TCustomEdit::SetSelLength(Integer Value) {
  Integer length = static_cast<Integer>(Text().size());
  FSelLength = std::clamp(Value, 0, length - FSelStart);
}

String TCustomEdit::SelText() const {
  return Text().substr(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength));
}

void TCustomEdit::SetSelText(const String& Value) {
  String text = Text();
  text.replace(static_cast<size_t>(FSelStart), static_cast<size_t>(FSelLength), Value);
  Integer start = FSelStart;
  SetText(text);
  FSelStart =
      std::min(start + static_cast<Integer>(Value.size()), static_cast<Integer>(Text().size()));
  FSelLength = 0;
}

void TCustomEdit::SelectAll() {
  FSelStart = 0;
  FSelLength = static_cast<Integer>(Text().size());
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

// ---------------------------------------------------------------------------
// Buttons

GLS_IMPLEMENT_CLASS(TButtonControl)

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) { SetTabStop(true); }

GLS_IMPLEMENT_CLASS(TButton)

void TButton::Publish(TPublisher<TButton>& P) {
  P.Publish({"Anchors", "BiDiMode"});
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

GLS_IMPLEMENT_CLASS(TCheckBox)

void TCheckBox::Publish(TPublisher<TCheckBox>& P) {
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
  if (!IsLoading()) TButtonControl::Click();
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

void TRadioButton::Publish(TPublisher<TRadioButton>& P) {
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
  if (Value && !IsLoading()) TButtonControl::Click();
}

void TRadioButton::Click() { SetChecked(true); }

// ---------------------------------------------------------------------------
// List boxes

GLS_IMPLEMENT_CLASS(TCustomListBox)

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TControlStrings>([this] { ItemsChanged(); })) {
  SetBounds(0, 0, 121, 97);
  SetTabStop(true);
  SetColor(clWindow);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::ItemsChanged() {
  // The window keeps no selection for items that went; new items start
  // unselected.
  FSelected.resize(static_cast<size_t>(FItems->Count()), false);
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
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
    : TWinControl(AOwner), FItems(std::make_unique<TControlStrings>([this] { ItemsChanged(); })) {
  SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

TComboBox::~TComboBox() = default;

Integer TComboBox::ItemHeight() const {
  return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable ? FItemHeight
                                                                     : FontLineHeight(*Font());
}

void TComboBox::ItemsChanged() {
  if (FItemIndex >= FItems->Count()) FItemIndex = -1;
  Changed();
}

void TComboBox::SetStyle(TComboBoxStyle Value) {
  if (FStyle == Value) return;
  FStyle = Value;
  if (Value == csDropDownList && FItemIndex < 0 && !IsLoading()) SetTextField(String());
  Changed();
}

void TComboBox::SetSorted(bool Value) {
  if (Sorted() == Value) return;
  FItems->SetSorted(Value);
  Changed();
}

void TComboBox::SetItemIndex(Integer Value) {
  if (Value < -1 || Value >= FItems->Count()) Value = -1;
  if (FItemIndex == Value) return;
  FItemIndex = Value;
  SetTextField(Value >= 0 ? FItems->At(Value) : String());
  Changed();
}

void TComboBox::SetText(const String& Value) {
  if (FStyle == csDropDownList && !IsLoading()) {
    SetItemIndex(FItems->IndexOf(Value));
    return;
  }
  // An edit box takes any text; it chooses the item of exactly that text.
  int index = -1;
  for (int i = 0; i < FItems->Count() && index < 0; ++i)
    if (FItems->At(i) == Value) index = i;
  FItemIndex = index;
  if (Value == Text()) return;
  SetTextField(Value);
  if (!IsLoading() && OnChange) OnChange(this);
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

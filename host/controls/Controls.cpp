#include "host/controls/Controls.h"

#include <algorithm>
#include <limits>

#include "host/controls/ActnList.h"
#include "host/controls/Forms.h"

namespace Glossmith::inline Controls {

// ---------------------------------------------------------------------------
// Cursors and modal results

namespace {

struct TCursorName {
  TCursor Value;
  const char* Name;
};

constexpr TCursorName kCursorNames[] = {
    {crDefault, "crDefault"},     {crNone, "crNone"},           {crArrow, "crArrow"},
    {crCross, "crCross"},         {crIBeam, "crIBeam"},         {crSizeNESW, "crSizeNESW"},
    {crSizeNS, "crSizeNS"},       {crSizeNWSE, "crSizeNWSE"},   {crSizeWE, "crSizeWE"},
    {crUpArrow, "crUpArrow"},     {crHourGlass, "crHourGlass"}, {crDrag, "crDrag"},
    {crNoDrop, "crNoDrop"},       {crHSplit, "crHSplit"},       {crVSplit, "crVSplit"},
    {crMultiDrag, "crMultiDrag"}, {crSQLWait, "crSQLWait"},     {crNo, "crNo"},
    {crAppStart, "crAppStart"},   {crHelp, "crHelp"},           {crHandPoint, "crHandPoint"},
    {crSizeAll, "crSizeAll"},     {crSize, "crSize"},
};

}  // namespace

bool CursorToIdent(Integer cursor, String& ident) {
  for (const auto& c : kCursorNames)
    if (c.Value == cursor) {
      ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToCursor(std::string_view ident, Integer& cursor) {
  for (const auto& c : kCursorNames)
    if (SameText(c.Name, ident)) {
      cursor = c.Value;
      return true;
    }
  return false;
}

PTypeInfo TCursorTypeInfo() {
  static const PTypeInfo info = [] {
    PTypeInfo t = MakeTypeInfo(tkInteger, "TCursor");
    RegisterIntegerConsts(t, &IdentToCursor, &CursorToIdent);
    return t;
  }();
  return info;
}

PTypeInfo TModalResultTypeInfo() {
  static const PTypeInfo info = MakeTypeInfo(tkInteger, "TModalResult");
  return info;
}

// ---------------------------------------------------------------------------
// TSizeConstraints

GLS_IMPLEMENT_CLASS(TSizeConstraints)

void TSizeConstraints::Publish(TPublisher<TSizeConstraints>& P) {
  using S = TSizeConstraints;
  P.Int("MaxHeight", &S::MaxHeight, &S::SetMaxHeight).Default(0);
  P.Int("MaxWidth", &S::MaxWidth, &S::SetMaxWidth).Default(0);
  P.Int("MinHeight", &S::MinHeight, &S::SetMinHeight).Default(0);
  P.Int("MinWidth", &S::MinWidth, &S::SetMinWidth).Default(0);
}

void TSizeConstraints::Set(Integer& field, Integer v) {
  if (field == v) return;
  field = v;
  if (OnChange) OnChange(this);
}

void TSizeConstraints::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TSizeConstraints*>(source)) {
    FMaxHeight = other->FMaxHeight;
    FMaxWidth = other->FMaxWidth;
    FMinHeight = other->FMinHeight;
    FMinWidth = other->FMinWidth;
    if (OnChange) OnChange(this);
    return;
  }
  TPersistent::Assign(source);
}

// ---------------------------------------------------------------------------
// TControlStrings

// Runs a list operation whose effect on the lines is known, so that Changed
// reports that line; an operation that raises reports nothing.
template <class F>
void TControlStrings::Run(TPending pending, F&& operation) {
  pending.Known = true;
  TPending saved = FPending;
  FPending = pending;
  try {
    operation();
  } catch (...) {
    FPending = saved;
    throw;
  }
  FPending = saved;
}

int TControlStrings::AddObject(const String& s, TObject* obj) {
  // Where the line goes, as TStringList::AddObject places it.
  int index = Count();
  if (Sorted()) Find(s, index);
  int result = index;
  Run({false, true, lcInserted, index}, [&] { result = TStringList::AddObject(s, obj); });
  return result;
}

void TControlStrings::InsertObject(int index, const String& s, TObject* obj) {
  Run({false, true, lcInserted, index}, [&] { TStringList::InsertObject(index, s, obj); });
}

void TControlStrings::Put(int index, const String& s) {
  Run({false, false, lcReset, index}, [&] { TStringList::Put(index, s); });
}

void TControlStrings::PutObject(int index, TObject* obj) {
  Run({false, false, lcReset, index}, [&] { TStringList::PutObject(index, obj); });
}

void TControlStrings::Delete(int index) {
  Run({false, true, lcDeleted, index}, [&] { TStringList::Delete(index); });
}

void TControlStrings::Clear() {
  Run({false, true, lcReset, 0}, [&] { TStringList::Clear(); });
}

void TControlStrings::SetUpdateState(bool Value) {
  FInUpdateState = true;
  try {
    TStringList::SetUpdateState(Value);
  } catch (...) {
    FInUpdateState = false;
    throw;
  }
  FInUpdateState = false;
}

void TControlStrings::Changing() {
  // A change that none of the operations above announced: the lines may
  // have moved in any way.
  if (!FInUpdateState && !FPending.Known) FUnknownChange = true;
  TStringList::Changing();
}

void TControlStrings::Changed() {
  if (!FInUpdateState && FOnLines) {
    if (FPending.Known && FPending.Structural) {
      FOnLines(FPending.Change, FPending.Index);
    } else if (FUnknownChange) {
      FUnknownChange = false;
      FOnLines(lcReset, 0);
    }
  }
  FUnknownChange = false;
  TStringList::Changed();
  if (UpdateCount() == 0 && FOnChanged) FOnChanged();
}

// ---------------------------------------------------------------------------
// TControl

GLS_IMPLEMENT_CLASS(TControl)

void TControl::Publish(TPublisher<TControl>& P) {
  using C = TControl;
  P.Int("Left", &C::Left, &C::SetLeft);
  P.Int("Top", &C::Top, &C::SetTop);
  P.Int("Width", &C::Width, &C::SetWidth);
  P.Int("Height", &C::Height, &C::SetHeight);

  P.BeginProtected();
  P.Enum("Align", &C::Align, &C::SetAlign).Default(alNone);
  P.Enum("Alignment", &C::Alignment, &C::SetAlignment).Default(taLeftJustify);
  P.Set("Anchors", &C::Anchors, &C::SetAnchors).Default(TAnchors{akLeft, akTop}.Mask());
  P.Bool("AutoSize", &C::AutoSize, &C::SetAutoSize).Default(false);
  P.Enum("BiDiMode", &C::BiDiMode, &C::SetBiDiMode).Stored(&C::IsBiDiModeStored);
  P.template ObjOf<TBasicAction>("Action", &C::Action, &C::SetAction);
  P.Str("Caption", &C::Caption, &C::SetCaption).Stored(&C::IsCaptionStored);
  P.IntOf("Color", TColorTypeInfo(), &C::Color, &C::SetColor)
      .Default(clWindow)
      .Stored(&C::IsColorStored);
  P.ObjOf<TSizeConstraints>("Constraints", &C::Constraints, &C::SetConstraints);
  P.Bool("Ctl3D", &C::Ctl3D, &C::SetCtl3D).Stored(&C::IsCtl3DStored);
  P.IntOf("Cursor", TCursorTypeInfo(), &C::Cursor, &C::SetCursor).Default(crDefault);
  P.IntOf("DragCursor", TCursorTypeInfo(), &C::DragCursor, &C::SetDragCursor).Default(crDrag);
  P.Enum("DragKind", &C::DragKind, &C::SetDragKind).Default(dkDrag);
  P.Enum("DragMode", &C::DragMode, &C::SetDragMode).Default(dmManual);
  P.Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true).Stored(&C::IsEnabledStored);
  P.ObjOf<TFont>("Font", &C::Font, &C::SetFont).Stored(&C::IsFontStored);
  P.Int("HelpContext", &C::HelpContext, &C::SetHelpContext)
      .Default(0)
      .Stored(&C::IsHelpContextStored);
  P.Str("Hint", &C::Hint, &C::SetHint).Stored(&C::IsHintStored);
  P.Bool("ParentBiDiMode", &C::ParentBiDiMode, &C::SetParentBiDiMode).Default(true);
  P.Bool("ParentColor", &C::ParentColor, &C::SetParentColor).Default(true);
  P.Bool("ParentCtl3D", &C::ParentCtl3D, &C::SetParentCtl3D).Default(true);
  P.Bool("ParentFont", &C::ParentFont, &C::SetParentFont).Default(true);
  P.Bool("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint).Default(true);
  P.ObjOf<TPopupMenu>("PopupMenu", &C::PopupMenu, &C::SetPopupMenu);
  P.Bool("ShowHint", &C::ShowHint, &C::SetShowHint).Stored(&C::IsShowHintStored);
  P.Str("Text", &C::Text, &C::SetText).Stored(&C::IsCaptionStored);
  P.Bool("Visible", &C::Visible, &C::SetVisible).Default(true).Stored(&C::IsVisibleStored);
  P.Event("OnClick", &C::OnClick);
  P.Event("OnDblClick", &C::OnDblClick);
  P.Event("OnMouseDown", &C::OnMouseDown);
  P.Event("OnMouseMove", &C::OnMouseMove);
  P.Event("OnMouseUp", &C::OnMouseUp);
  P.Event("OnResize", &C::OnResize);

  P.Publish({"Cursor", "Hint"});
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner),
      FFont(std::make_unique<TFont>()),
      FConstraints(std::make_unique<TSizeConstraints>()),
      FActionLink(this, [this](const TActionValues& was, const TActionValues& now, bool all) {
        ActionChanged(was, now, all);
      }) {
  FFont->OnChange = [this](TObject*) { FontChanged(); };
}

TControl::~TControl() {
  BeginDestroy();
  if (FParent) FParent->RemoveControl(this);
}

void TControl::SetParent(TWinControl* Value) {
  if (FParent == Value) return;
  for (TControl* p = Value; p; p = p->FParent)
    if (p == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (FParent) FParent->RemoveControl(this);
  if (Value) Value->InsertControl(this);
  ParentChanged();
  Changed();
}

void TControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (ALeft == FLeft && ATop == FTop && AWidth == FWidth && AHeight == FHeight) return;
  bool resized = AWidth != FWidth || AHeight != FHeight;
  FLeft = ALeft;
  FTop = ATop;
  FWidth = AWidth;
  FHeight = AHeight;
  if (resized) Resize();
  Changed();
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed();
}

void TControl::SetTextField(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed();
}

bool TControl::IsLoading() const {
  return ComponentState().Contains(csLoading) ||
         (Owner() && Owner()->ComponentState().Contains(csLoading));
}

void TControl::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  Changed();
}

void TControl::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  if (!Value) LeaveFocus();
  Changed();
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  if (!Value) LeaveFocus();
  Changed();
}

void TControl::LeaveFocus() {
  if (IsLoading() || ComponentState().Contains(csDestroying)) return;
  auto* self = dynamic_cast<TWinControl*>(this);
  if (!self) return;
  TCustomForm* form = GetParentForm(this);
  if (form && form != this) form->DefocusControl(self);
}

void TControl::SetAlign(TAlign Value) {
  if (FAlign == Value) return;
  FAlign = Value;
  Changed();
}

void TControl::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed();
}

void TControl::SetColor(TColor Value) {
  FParentColor = false;
  if (FColor == Value) return;
  FColor = Value;
  Changed();
  if (auto* w = dynamic_cast<TWinControl*>(this)) w->ParentChanged();
}

void TControl::SetParentColor(bool Value) {
  if (FParentColor == Value) return;
  FParentColor = Value;
  if (Value) ParentChanged();
}

void TControl::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value) ParentChanged();
}

void TControl::FontChanged() {
  if (!FTakingFromParent) FParentFont = false;
  Changed();
  if (auto* w = dynamic_cast<TWinControl*>(this)) w->ParentChanged();
}

void TControl::SetShowHint(bool Value) {
  FParentShowHint = false;
  if (FShowHint == Value) return;
  FShowHint = Value;
  // Children that follow this control's ShowHint take the new value.
  if (auto* w = dynamic_cast<TWinControl*>(this)) w->ParentChanged();
}

void TControl::SetParentShowHint(bool Value) {
  if (FParentShowHint == Value) return;
  FParentShowHint = Value;
  if (Value) ParentChanged();
}

void TControl::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  Changed();
}

void TControl::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  if (Value) ParentChanged();
}

void TControl::SetCtl3D(bool Value) {
  FParentCtl3D = false;
  if (FCtl3D == Value) return;
  FCtl3D = Value;
  Changed();
}

void TControl::SetParentCtl3D(bool Value) {
  if (FParentCtl3D == Value) return;
  FParentCtl3D = Value;
  if (Value) ParentChanged();
}

void TControl::ParentChanged() {
  if (!FParent) return;
  bool changed = false;
  if (FParentColor && FColor != FParent->FColor) {
    FColor = FParent->FColor;
    changed = true;
  }
  if (FParentShowHint) FShowHint = FParent->FShowHint;
  if (FParentBiDiMode && FBiDiMode != FParent->FBiDiMode) {
    FBiDiMode = FParent->FBiDiMode;
    changed = true;
  }
  if (FParentCtl3D) FCtl3D = FParent->FCtl3D;
  if (FParentFont && !FFont->Equals(*FParent->FFont)) {
    FTakingFromParent = true;
    FFont->Assign(FParent->FFont.get());  // tells the observers through FontChanged
    FTakingFromParent = false;
  }
  if (changed) Changed();
}

void TControl::SetPopupMenu(TPopupMenu* Value) {
  if (FPopupMenu == Value) return;
  FPopupMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupMenu) FPopupMenu = nullptr;
  if (Operation == opRemove && AComponent == FActionLink.Action()) FActionLink.Gone();
}

void TControl::SetAction(TBasicAction* Value) {
  if (Value == Action()) return;
  FActionLink.SetAction(Value);
  if (Value) Value->FreeNotification(this);
}

void TControl::ActionChanged(const TActionValues& was, const TActionValues& now, bool all) {
  if (all || FText == was.Caption) SetCaption(now.Caption);
  if (all || FEnabled == was.Enabled) SetEnabled(now.Enabled);
  if (all || FHint == was.Hint) SetHint(now.Hint);
  if (all || FHelpContext == was.HelpContext) SetHelpContext(now.HelpContext);
  if (all || FVisible == was.Visible) SetVisible(now.Visible);
}

void TControl::Click() {
  if (OnClick)
    OnClick(this);
  else
    FActionLink.Execute();
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseMove(TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
  if (Application) Application->HintMouseMessage(this, TPoint{X, Y});
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::MouseClick(TShiftState Shift) {
  MouseClick(Shift, ClientWidth() / 2, ClientHeight() / 2);
}

void TControl::MouseClick(TShiftState Shift, Integer X, Integer Y) {
  // The window system gives the focus on the press, before the control
  // hears of it.
  if (auto* w = dynamic_cast<TWinControl*>(this); w && w->CanFocus() && !w->Focused()) {
    w->FFocusingByMouse = true;
    try {
      w->SetFocus();
    } catch (...) {
      w->FFocusingByMouse = false;
      throw;
    }
    w->FFocusingByMouse = false;
  }
  TShiftState held = Shift;
  held.Include(ssLeft);
  MouseDown(mbLeft, held, X, Y);
  ClickAt(Shift, X, Y);
  MouseUp(mbLeft, Shift, X, Y);
}

void TControl::ClickAt(TShiftState, Integer, Integer) { Click(); }

bool TControl::CanInteract() const {
  for (const TControl* c = this; c; c = c->FParent) {
    if (!c->FVisible || !c->FEnabled) return false;
    if (dynamic_cast<const TCustomForm*>(c)) return true;
  }
  return false;
}

void TControl::Changed() {
  if (ComponentState().Contains(csDestroying)) return;
  FObservers.Notify(this);
}

// ---------------------------------------------------------------------------
// TWinControl

GLS_IMPLEMENT_CLASS(TWinControl)

void TWinControl::Publish(TPublisher<TWinControl>& P) {
  using W = TWinControl;
  P.BeginProtected();
  P.Int("TabOrder", &W::TabOrder, &W::SetTabOrder).Default(-1);
  P.Bool("TabStop", &W::TabStop, &W::SetTabStop).Default(false);
  P.Event("OnEnter", &W::OnEnter);
  P.Event("OnExit", &W::OnExit);
  P.Event("OnKeyDown", &W::OnKeyDown);
  P.Event("OnKeyPress", &W::OnKeyPress);
  P.Event("OnKeyUp", &W::OnKeyUp);
}

TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {}

TWinControl::~TWinControl() {
  BeginDestroy();
  // Child controls go with their parent, whoever owns them.
  while (!FControls.empty()) {
    TControl* child = FControls.back();
    RemoveControl(child);
    delete child;
  }
}

TControl* TWinControl::Controls(int index) const {
  if (index < 0 || index >= ControlCount())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return FControls[static_cast<size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
  for (const TControl* c = control; c; c = c->Parent())
    if (c == this) return true;
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  FControls.push_back(control);
  control->FParent = this;
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    size_t pos = FTabList.size();
    if (win->FTabOrder >= 0 && static_cast<size_t>(win->FTabOrder) < pos)
      pos = static_cast<size_t>(win->FTabOrder);
    FTabList.insert(FTabList.begin() + static_cast<std::ptrdiff_t>(pos), win);
  }
  // The children are part of what the control shows.
  Changed();
}

void TWinControl::RemoveControl(TControl* control) {
  std::erase(FControls, control);
  // Compared as controls: a windowed control being destroyed is no longer
  // one by the time its TControl part leaves.
  std::erase_if(FTabList,
                [control](TWinControl* w) { return static_cast<TControl*>(w) == control; });
  if (auto* win = dynamic_cast<TWinControl*>(control)) win->FTabOrder = -1;
  control->FParent = nullptr;
  Changed();
}

Integer TWinControl::TabOrder() const {
  if (!Parent()) return FTabOrder;
  auto& list = Parent()->FTabList;
  auto it = std::find(list.begin(), list.end(), this);
  return it == list.end() ? -1 : static_cast<Integer>(it - list.begin());
}

void TWinControl::SetTabOrder(Integer Value) {
  TWinControl* parent = Parent();
  // While a form is read its controls come in creation order, not tab order:
  // the parent sorts them once all are read.
  if (!parent || IsLoading()) {
    FTabOrder = Value;
    return;
  }
  auto& list = parent->FTabList;
  Integer cur = TabOrder();
  Integer count = static_cast<Integer>(list.size());
  if (Value < 0 || Value >= count) Value = count - 1;
  if (Value == cur || cur < 0) return;
  list.erase(list.begin() + cur);
  list.insert(list.begin() + Value, this);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  // Each child goes to the position it asked for; children that asked for
  // none, or for the same one, keep their reading order behind those before.
  std::vector<TWinControl*> wanted(FTabList.size(), nullptr);
  std::vector<TWinControl*> rest;
  for (TWinControl* child : FTabList) {
    Integer i = child->FTabOrder;
    if (i >= 0 && static_cast<size_t>(i) < wanted.size() && !wanted[static_cast<size_t>(i)])
      wanted[static_cast<size_t>(i)] = child;
    else
      rest.push_back(child);
  }
  auto next = rest.begin();
  for (auto& slot : wanted)
    if (!slot) slot = *next++;
  FTabList = std::move(wanted);
}

HWND TWinControl::Handle() {
  if (!FHandle) {
    FHandle = std::make_unique<TWindow>(this);
    CreateWnd(*FHandle);
  }
  return FHandle.get();
}

void TWinControl::DestroyHandle() { FHandle.reset(); }

void TWinControl::RecreateWnd() {
  if (!FHandle) return;
  DestroyHandle();
  Handle();
}

void TWinControl::CreateWnd(TWindow&) {}

// ---------------------------------------------------------------------------
// Focus and keys

bool TWinControl::CanFocus() const {
  const TCustomForm* form = GetParentForm(this);
  if (!form) return false;
  for (const TControl* c = this; c != form; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const {
  const TCustomForm* form = GetParentForm(this);
  return form && form != this && form->FocusedControl() == this;
}

void TWinControl::SetFocus() {
  TCustomForm* form = GetParentForm(this);
  if (!form) throw EInvalidOperation(Format("Control '%s' has no parent window", {Name()}));
  if (!CanFocus()) throw EInvalidOperation("Cannot focus a disabled or invisible window");
  form->SetFocusedControl(this);
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& List) const {
  for (TWinControl* child : FTabList) {
    List.push_back(child);
    child->GetTabOrderList(List);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward,
                                          bool CheckTabStop, bool CheckParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const auto count = static_cast<std::ptrdiff_t>(list.size());
  std::ptrdiff_t start = std::find(list.begin(), list.end(), CurControl) - list.begin();
  if (start == count) start = GoForward ? count - 1 : 0;
  std::ptrdiff_t i = start;
  do {
    i = GoForward ? (i + 1) % count : (i + count - 1) % count;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c->CanFocus() && (!CheckTabStop || c->TakesTabFocus()) &&
        (!CheckParent || c->Parent() == this))
      return c;
  } while (i != start);
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  if (TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop))
    next->SetFocus();
}

void TWinControl::SelectFirst() {
  TWinControl* first = FindNextControl(nullptr, true, true, false);
  if (!first) first = FindNextControl(nullptr, true, false, false);
  if (first) first->SetFocus();
}

bool TWinControl::WantsKey(WORD, TShiftState) const { return false; }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}

void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

void TWinControl::KeyDown(WORD& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyPress(char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}

void TWinControl::KeyUp(WORD& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}

void TWinControl::HandleKey(WORD, TShiftState) {}

void TWinControl::HandleChar(const String&) {}

bool TWinControl::DialogKey(WORD Key, TShiftState Shift) {
  // Copied: a control's response may change the children.
  std::vector<TControl*> children = FControls;
  for (TControl* child : children)
    if (auto* w = dynamic_cast<TWinControl*>(child); w && w->DialogKey(Key, Shift)) return true;
  return false;
}

bool TControl::DialogChar(char) { return false; }

bool TWinControl::DialogChar(char CharCode) {
  // Copied: a control's response may change the children.
  std::vector<TControl*> children = FControls;
  for (TControl* child : children)
    if (child->DialogChar(CharCode)) return true;
  return false;
}

bool IsAccel(char CharCode, const String& Caption) {
  char hotkey = 0;
  for (size_t i = 0; i + 1 < Caption.size(); ++i)
    if (Caption[i] == '&') {
      ++i;
      if (Caption[i] != '&') hotkey = Caption[i];
    }
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return hotkey && upper(hotkey) == upper(CharCode);
}

String GetShortHint(const String& Hint) {
  size_t bar = Hint.find('|');
  return bar == String::npos ? Hint : Hint.substr(0, bar);
}

String GetLongHint(const String& Hint) {
  size_t bar = Hint.find('|');
  return bar == String::npos ? Hint : Hint.substr(bar + 1);
}

void TWinControl::ParentChanged() {
  TControl::ParentChanged();
  for (TControl* child : FControls) child->ParentChanged();
}

// ---------------------------------------------------------------------------
// Nesting in form files

GLS_IMPLEMENT_CLASS(TCustomControl)
GLS_IMPLEMENT_CLASS(TGraphicControl)

TComponent* TControl::GetParentComponent() const { return FParent; }

bool TControl::SetParentComponent(TComponent* Value) {
  if (!Value) {
    SetParent(nullptr);
    return true;
  }
  auto* win = dynamic_cast<TWinControl*>(Value);
  if (!win) return false;
  SetParent(win);
  return true;
}

void TWinControl::GetChildren(const TGetChildProc& Proc) const {
  for (TControl* control : FControls) Proc(control);
}

}  // namespace Glossmith::inline Controls

#include "host/controls/Controls.h"

#include <algorithm>
#include <limits>

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
  P.Str("Caption", &C::Caption, &C::SetCaption);
  P.IntOf("Color", TColorTypeInfo(), &C::Color, &C::SetColor)
      .Default(clWindow)
      .Stored(&C::IsColorStored);
  P.ObjOf<TSizeConstraints>("Constraints", &C::Constraints, &C::SetConstraints);
  P.Bool("Ctl3D", &C::Ctl3D, &C::SetCtl3D).Stored(&C::IsCtl3DStored);
  P.IntOf("Cursor", TCursorTypeInfo(), &C::Cursor, &C::SetCursor).Default(crDefault);
  P.IntOf("DragCursor", TCursorTypeInfo(), &C::DragCursor, &C::SetDragCursor).Default(crDrag);
  P.Enum("DragKind", &C::DragKind, &C::SetDragKind).Default(dkDrag);
  P.Enum("DragMode", &C::DragMode, &C::SetDragMode).Default(dmManual);
  P.Bool("Enabled", &C::Enabled, &C::SetEnabled).Default(true);
  P.ObjOf<TFont>("Font", &C::Font, &C::SetFont).Stored(&C::IsFontStored);
  P.Int("HelpContext", &C::HelpContext, &C::SetHelpContext).Default(0);
  P.Str("Hint", &C::Hint, &C::SetHint);
  P.Bool("ParentBiDiMode", &C::ParentBiDiMode, &C::SetParentBiDiMode).Default(true);
  P.Bool("ParentColor", &C::ParentColor, &C::SetParentColor).Default(true);
  P.Bool("ParentCtl3D", &C::ParentCtl3D, &C::SetParentCtl3D).Default(true);
  P.Bool("ParentFont", &C::ParentFont, &C::SetParentFont).Default(true);
  P.Bool("ParentShowHint", &C::ParentShowHint, &C::SetParentShowHint).Default(true);
  P.ObjOf<TPopupMenu>("PopupMenu", &C::PopupMenu, &C::SetPopupMenu);
  P.Bool("ShowHint", &C::ShowHint, &C::SetShowHint).Stored(&C::IsShowHintStored);
  P.Str("Text", &C::Text, &C::SetText);
  P.Bool("Visible", &C::Visible, &C::SetVisible).Default(true);
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
      FConstraints(std::make_unique<TSizeConstraints>()) {
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
  Changed();
}

void TControl::SetEnabled(bool Value) {
  if (FEnabled == Value) return;
  FEnabled = Value;
  Changed();
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
  FShowHint = Value;
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
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
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
}

void TWinControl::RemoveControl(TControl* control) {
  std::erase(FControls, control);
  // Compared as controls: a windowed control being destroyed is no longer
  // one by the time its TControl part leaves.
  std::erase_if(FTabList,
                [control](TWinControl* w) { return static_cast<TControl*>(w) == control; });
  if (auto* win = dynamic_cast<TWinControl*>(control)) win->FTabOrder = -1;
  control->FParent = nullptr;
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

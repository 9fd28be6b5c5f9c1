// Controls as models: state and events, no drawing. TControl holds what every
// control has (position, text, colour, font, visibility...), TWinControl adds
// child controls, tab order and a window handle. Parenthood (which control
// shows a control) is kept apart from ownership (which component destroys it),
// as in the classic library; a windowed control destroys its child controls
// with itself.
#pragma once

#include "host/classes/Observers.h"
#include "host/controls/Graphics.h"
#include "host/controls/Menus.h"
#include "host/platform/Windows.h"

namespace Glossmith::inline Controls {

class TWinControl;

// Cursors: integer values with identifiers in form files.
using TCursor = Integer;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4,
                  crSizeNESW = -6, crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10,
                  crHourGlass = -11, crDrag = -12, crNoDrop = -13, crHSplit = -14, crVSplit = -15,
                  crMultiDrag = -16, crSQLWait = -17, crNo = -18, crAppStart = -19, crHelp = -20,
                  crHandPoint = -21, crSizeAll = -22, crSize = -22;
PTypeInfo TCursorTypeInfo();
bool CursorToIdent(Integer cursor, String& ident);
bool IdentToCursor(std::string_view ident, Integer& cursor);

enum TAlign : uint8_t { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
GLS_ENUM_TYPEINFO(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient",
                  "alCustom")

enum TAlignment : uint8_t { taLeftJustify, taRightJustify, taCenter };
GLS_ENUM_TYPEINFO(TAlignment, "taLeftJustify", "taRightJustify", "taCenter")

enum TAnchorKind : uint8_t { akLeft, akTop, akRight, akBottom };
GLS_ENUM_TYPEINFO(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom")
using TAnchors = TSet<TAnchorKind>;
GLS_SET_TYPEINFO(TAnchors, TAnchorKind)

enum TBiDiMode : uint8_t {
  bdLeftToRight,
  bdRightToLeft,
  bdRightToLeftNoAlign,
  bdRightToLeftReadingOnly
};
GLS_ENUM_TYPEINFO(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign",
                  "bdRightToLeftReadingOnly")

enum TDragMode : uint8_t { dmManual, dmAutomatic };
GLS_ENUM_TYPEINFO(TDragMode, "dmManual", "dmAutomatic")
enum TDragKind : uint8_t { dkDrag, dkDock };
GLS_ENUM_TYPEINFO(TDragKind, "dkDrag", "dkDock")

enum TMouseButton : uint8_t { mbLeft, mbRight, mbMiddle };
GLS_ENUM_TYPEINFO(TMouseButton, "mbLeft", "mbRight", "mbMiddle")

enum TModalResultValue : Integer {
  mrNone = 0,
  mrOk = 1,
  mrCancel = 2,
  mrAbort = 3,
  mrRetry = 4,
  mrIgnore = 5,
  mrYes = 6,
  mrNo = 7,
  mrAll = 8,
  mrNoToAll = 9,
  mrYesToAll = 10
};
using TModalResult = Integer;
PTypeInfo TModalResultTypeInfo();

using TMouseEvent =
    TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TKeyEvent = TEvent<void(TObject* Sender, Windows::WORD& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, char& Key)>;

// Minimum and maximum size of a control; 0 is no limit.
class TSizeConstraints : public TPersistent {
  GLS_CLASS(TSizeConstraints, TPersistent)
 public:
  TSizeConstraints() = default;
  static void Publish(TPublisher<TSizeConstraints>& P);
  Integer MaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(Integer Value) { Set(FMaxHeight, Value); }
  Integer MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value) { Set(FMaxWidth, Value); }
  Integer MinHeight() const { return FMinHeight; }
  void SetMinHeight(Integer Value) { Set(FMinHeight, Value); }
  Integer MinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer Value) { Set(FMinWidth, Value); }
  void Assign(TPersistent* source) override;
  TNotifyEvent OnChange;

 private:
  void Set(Integer& field, Integer v);
  Integer FMaxHeight = 0, FMaxWidth = 0, FMinHeight = 0, FMinWidth = 0;
};

// A string list held by a control (list items, memo lines): it reports
// itself as a TStringList, and tells its control of every change.
class TControlStrings : public TStringList {
 public:
  explicit TControlStrings(std::function<void()> changed) : FOnChanged(std::move(changed)) {}
  // A sorted list places added lines by their order (TStrings::Add would
  // insert at the end, which a sorted list refuses).
  int Add(const String& s) override { return AddObject(s, nullptr); }

 protected:
  void Changed() override {
    TStringList::Changed();
    if (UpdateCount() == 0 && FOnChanged) FOnChanged();
  }

 private:
  std::function<void()> FOnChanged;
};

// A control. Most of its properties are declared protected: each descendant
// publishes those it shows, in its own order (TPublisher::Publish). Their
// accessors are public.
class TControl : public TComponent {
  GLS_CLASS(TControl, TComponent)
 public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;
  static void Publish(TPublisher<TControl>& P);

  TWinControl* Parent() const { return FParent; }
  // Moves the control into another parent's children (nullptr: none).
  // Raises EInvalidOperation when that would make the control its own ancestor.
  virtual void SetParent(TWinControl* Value);
  // A control nests under its parent in a form file.
  TComponent* GetParentComponent() const override;
  bool SetParentComponent(TComponent* Value) override;

  Integer Left() const { return FLeft; }
  void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  Integer Top() const { return FTop; }
  void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  Integer Height() const { return FHeight; }
  void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  // The client area; the same as the size except for forms.
  virtual Integer ClientWidth() const { return FWidth; }
  virtual Integer ClientHeight() const { return FHeight; }
  void SetClientWidth(Integer Value) { SetWidth(FWidth - ClientWidth() + Value); }
  void SetClientHeight(Integer Value) { SetHeight(FHeight - ClientHeight() + Value); }

  // Caption and Text are one value, as in the classic library.
  const String& Caption() const { return FText; }
  void SetCaption(const String& Value) { SetText(Value); }
  const String& Text() const { return FText; }
  virtual void SetText(const String& Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  bool Visible() const { return FVisible; }
  virtual void SetVisible(bool Value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  bool Enabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool ParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool ParentFont() const { return FParentFont; }
  void SetParentFont(bool Value);
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool ParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool ParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);

  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
  TCursor DragCursor() const { return FDragCursor; }
  void SetDragCursor(TCursor Value) { FDragCursor = Value; }
  TDragKind DragKind() const { return FDragKind; }
  void SetDragKind(TDragKind Value) { FDragKind = Value; }
  TDragMode DragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  TAlign Align() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors Anchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value) { FAnchors = Value; }
  TAlignment Alignment() const { return FAlignment; }
  virtual void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value) { FAutoSize = Value; }
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  TSizeConstraints* Constraints() const { return FConstraints.get(); }
  void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }

  // A reference: cleared when the menu is destroyed.
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);

  // Stored specifiers: a value taken from the parent is not written.
  bool IsColorStored() const { return !FParentColor; }
  bool IsFontStored() const { return !FParentFont; }
  bool IsShowHintStored() const { return !FParentShowHint; }
  bool IsBiDiModeStored() const { return !FParentBiDiMode; }
  bool IsCtl3DStored() const { return !FParentCtl3D; }

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnResize;
  // User input, as tests and a front end deliver it.
  virtual void Click();
  virtual void DblClick();

  // Observers are told whenever the control's visible state changes.
  int AddObserver(std::function<void(TControl*)> fn) { return FObservers.Add(std::move(fn)); }
  void RemoveObserver(int id) { FObservers.Remove(id); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Tells the observers; call after any change of visible state.
  void Changed();
  // Sets the text without going through SetText (for controls whose text
  // mirrors other state, such as a memo's lines).
  void SetTextField(const String& Value);
  // True while this control or its owner is read from a form file.
  bool IsLoading() const;
  // The parent's colour, font... changed; take it when following the parent.
  virtual void ParentChanged();
  virtual void Resize();

 private:
  friend class TWinControl;
  template <class>
  friend class TControlCollection;
  void FontChanged();

  TWinControl* FParent = nullptr;
  Integer FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
  String FText;
  String FHint;
  bool FVisible = true;
  bool FEnabled = true;
  TColor FColor = clWindow;
  bool FParentColor = true;
  std::unique_ptr<TFont> FFont;
  bool FParentFont = true;
  bool FShowHint = false;
  bool FParentShowHint = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  TCursor FCursor = crDefault;
  TCursor FDragCursor = crDrag;
  TDragKind FDragKind = dkDrag;
  TDragMode FDragMode = dmManual;
  TAlign FAlign = alNone;
  TAnchors FAnchors{akLeft, akTop};
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = false;
  Integer FHelpContext = 0;
  std::unique_ptr<TSizeConstraints> FConstraints;
  TPopupMenu* FPopupMenu = nullptr;
  bool FTakingFromParent = false;
  TObserverList<TControl> FObservers;
};

// A collection of items of one class that a control holds (list view
// columns, status bar panels): typed access to its items, and every change
// of them is a change of the control's visible state.
template <class Item>
class TControlCollection : public TCollection {
 public:
  explicit TControlCollection(TControl* control)
      : TCollection(Item::StaticClass(), control), FControl(control) {}
  Item* Add() { return static_cast<Item*>(TCollection::Add()); }
  Item* Items(int index) const { return static_cast<Item*>(TCollection::Items(index)); }

 protected:
  void Update(TCollectionItem* item) override {
    TCollection::Update(item);
    if (FControl) FControl->Changed();
  }

 private:
  TControl* FControl;
};

// A control with a window: it holds child controls, keeps their tab order and
// has a window handle, created on demand.
class TWinControl : public TControl {
  GLS_CLASS(TWinControl, TControl)
 public:
  explicit TWinControl(TComponent* AOwner);
  ~TWinControl() override;
  static void Publish(TPublisher<TWinControl>& P);

  int ControlCount() const { return static_cast<int>(FControls.size()); }
  TControl* Controls(int index) const;
  // Child controls that are windowed, in tab order.
  int TabListCount() const { return static_cast<int>(FTabList.size()); }
  TWinControl* TabList(int index) const { return FTabList[static_cast<size_t>(index)]; }
  bool ContainsControl(const TControl* control) const;
  void GetChildren(const TGetChildProc& Proc) const override;

  // The position among the parent's windowed children; -1 without a parent.
  Integer TabOrder() const;
  // While a form file is read the order is only noted; Loaded sorts the
  // children by the noted orders once all of them exist.
  void SetTabOrder(Integer Value);
  bool TabStop() const { return FTabStop; }
  void SetTabStop(bool Value) { FTabStop = Value; }

  // Puts the windowed children in the tab order they asked for while the
  // form was read.
  void Loaded() override;

  Windows::HWND Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void DestroyHandle();
  // Drops the window and makes a new one if there was one (as a change of
  // style does); the new window starts with default state.
  void RecreateWnd();

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

 protected:
  // Sets up a newly made window (a form adds its system menu).
  virtual void CreateWnd(Windows::TWindow& window);
  void ParentChanged() override;

 private:
  friend class TControl;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  // The wanted position while the control has no parent or its form is read.
  Integer FTabOrder = -1;
  bool FTabStop = false;
  std::unique_ptr<Windows::TWindow> FHandle;
};

// A windowed control that draws itself (the ancestor of panels and the like).
class TCustomControl : public TWinControl {
  GLS_CLASS(TCustomControl, TWinControl)
 public:
  using TWinControl::TWinControl;
};

// A control without a window (labels, images, shapes).
class TGraphicControl : public TControl {
  GLS_CLASS(TGraphicControl, TControl)
 public:
  using TControl::TControl;
};

}  // namespace Glossmith::inline Controls

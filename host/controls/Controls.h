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
// itself as a TStringList, and tells its control of every change: `changed`
// once a change (or a whole update) is done, and `lines`, when given, at
// once for each line that comes or goes, so that a control that keeps state
// per line (a list box's selection) keeps it with its line. A change it
// cannot follow line by line (sorting, replacing all lines) is reported as
// lcReset.
class TControlStrings : public TStringList {
 public:
  enum TLineChange : uint8_t { lcInserted, lcDeleted, lcReset };
  using TLineHook = std::function<void(TLineChange change, int index)>;

  explicit TControlStrings(std::function<void()> changed, TLineHook lines = nullptr)
      : FOnChanged(std::move(changed)), FOnLines(std::move(lines)) {}
  // A sorted list places added lines by their order (TStrings::Add would
  // insert at the end, which a sorted list refuses).
  int Add(const String& s) override { return AddObject(s, nullptr); }
  int AddObject(const String& s, TObject* obj) override;
  void InsertObject(int index, const String& s, TObject* obj) override;
  void Put(int index, const String& s) override;
  void PutObject(int index, TObject* obj) override;
  void Delete(int index) override;
  void Clear() override;

 protected:
  void Changing() override;
  void Changed() override;
  void SetUpdateState(bool Value) override;

 private:
  // What the list operation now running does to the lines.
  struct TPending {
    bool Known = false;
    bool Structural = false;
    TLineChange Change = lcReset;
    int Index = 0;
  };
  template <class F>
  void Run(TPending pending, F&& operation);

  std::function<void()> FOnChanged;
  TLineHook FOnLines;
  TPending FPending;
  bool FUnknownChange = false;
  bool FInUpdateState = false;
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

  // The action the control shows and runs (a reference, cleared when the
  // action goes): caption, state, hint and help follow it; a descendant
  // with a check or an image follows those too (ActionChanged).
  TBasicAction* Action() const { return FActionLink.Action(); }
  void SetAction(TBasicAction* Value);

  // Stored specifiers: a value taken from the parent or from the action is
  // not written.
  bool IsCaptionStored() const { return !FActionLink.Gives(&TActionValues::Caption, FText); }
  bool IsEnabledStored() const { return !FActionLink.Gives(&TActionValues::Enabled, FEnabled); }
  bool IsHintStored() const { return !FActionLink.Gives(&TActionValues::Hint, FHint); }
  bool IsVisibleStored() const { return !FActionLink.Gives(&TActionValues::Visible, FVisible); }
  bool IsHelpContextStored() const {
    return !FActionLink.Gives(&TActionValues::HelpContext, FHelpContext);
  }
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

  // User input, as tests and a front end deliver it. Click and DblClick are
  // the control's response to a click (a button sets the form's modal
  // result, a check box changes its state) and fire the events.
  virtual void Click();
  virtual void DblClick();
  // The mouse moved to (X, Y), in client coordinates: OnMouseMove, then the
  // application's hints (Application->HintMouseMessage).
  void MouseMove(TShiftState Shift, Integer X, Integer Y);
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  // A press and release of the left button as a person clicks: a windowed
  // control that can take the focus takes it (OnExit of the control that
  // had it, OnEnter), then OnMouseDown, the click, OnMouseUp. Without a
  // point, the middle of the control.
  void MouseClick(TShiftState Shift = {});
  void MouseClick(TShiftState Shift, Integer X, Integer Y);
  // A person can point at it and click it: it and every parent up to its
  // form are visible and enabled.
  bool CanInteract() const;
  // A caption's accelerator was pressed (Alt and the character after its
  // "&"; CharCode is the key's character). The control whose caption has
  // it responds as the classic control does (a button clicks, a check box
  // takes the focus and toggles, a label focuses its FocusControl) and
  // returns true; a windowed control offers it to its children in turn
  // until one takes it. A control that cannot take the focus takes none.
  virtual bool DialogChar(char CharCode);

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
  // What a click at (X, Y) does, between OnMouseDown and OnMouseUp: Click
  // unless the control clicks a part of itself (a list box's item).
  virtual void ClickAt(TShiftState Shift, Integer X, Integer Y);
  // The action's values changed from `was` to `now` (TActionLink::TApply):
  // each property still showing the former value takes the new one.
  virtual void ActionChanged(const TActionValues& was, const TActionValues& now, bool all);
  const TActionLink& ActionLink() const { return FActionLink; }

 private:
  friend class TWinControl;
  template <class>
  friend class TControlCollection;
  void FontChanged();
  // The control became hidden or disabled: a focus inside it is lost.
  void LeaveFocus();

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
  TActionLink FActionLink;
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

  // Focus. The focused control is its form's ActiveControl. It can take the
  // focus when it is on a form and it and every parent up to the form are
  // visible and enabled.
  bool CanFocus() const;
  bool Focused() const;
  // Moves the focus here: OnExit of the control that had it (and of each
  // container it leaves), then OnEnter of each container entered and of
  // this control. Raises EInvalidOperation when the control cannot take it.
  virtual void SetFocus();
  // The windowed controls inside this one in tab order: each child, then
  // the controls inside it.
  void GetTabOrderList(std::vector<TWinControl*>& List) const;
  // The control after (or before) CurControl in the tab order of this
  // control's contents, wrapping, that can take the focus; with
  // CheckTabStop only tab stops, with CheckParent only this control's own
  // children. nullptr when there is none.
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                               bool CheckParent) const;
  // Focuses the next control (FindNextControl, among the children only
  // when the tab stops are not checked).
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  // Focuses the first tab stop inside (or the first control that can take
  // the focus).
  void SelectFirst();
  // Whether the control handles Key itself while it has the focus. Tab,
  // Enter, Escape and the arrows are the form's otherwise: Tab and the
  // arrows move the focus, Enter presses the Default button, Escape the
  // Cancel button.
  virtual bool WantsKey(Windows::WORD Key, TShiftState Shift) const;
  // Offers an accelerator to the children in turn.
  bool DialogChar(char CharCode) override;

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

 protected:
  // Sets up a newly made window (a form adds its system menu).
  virtual void CreateWnd(Windows::TWindow& window);
  void ParentChanged() override;

  // Fire OnEnter and OnExit.
  virtual void DoEnter();
  virtual void DoExit();
  // Fire OnKeyDown, OnKeyPress and OnKeyUp; a handler may change the key,
  // and zero takes it away.
  virtual void KeyDown(Windows::WORD& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void KeyUp(Windows::WORD& Key, TShiftState Shift);
  // The control's own response to a key its OnKeyDown left (a list box
  // moves its current item, an edit its caret) and to a typed character
  // (one character: a byte, or the bytes of one UTF-8 sequence).
  virtual void HandleKey(Windows::WORD Key, TShiftState Shift);
  virtual void HandleChar(const String& Char);
  // A dialog key (Enter, Escape, Ctrl+Tab...) that the focused control did
  // not want, offered to every control of the form until one takes it.
  virtual bool DialogKey(Windows::WORD Key, TShiftState Shift);
  // Whether the Tab key stops here.
  virtual bool TakesTabFocus() const { return FTabStop; }
  // True while the focus comes by a mouse click (an edit then keeps its
  // selection rather than selecting all).
  bool FocusingByMouse() const { return FFocusingByMouse; }

 private:
  friend class TControl;
  friend class TCustomForm;
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);

  std::vector<TControl*> FControls;
  std::vector<TWinControl*> FTabList;
  // The wanted position while the control has no parent or its form is read.
  Integer FTabOrder = -1;
  bool FTabStop = false;
  bool FFocusingByMouse = false;
  std::unique_ptr<Windows::TWindow> FHandle;
};

// Whether CharCode is the accelerator of Caption: the character after its
// last single "&" ("&&" is a literal ampersand), case ignored.
bool IsAccel(char CharCode, const String& Caption);

// The short hint (before a "|", shown as the hint) and the long hint (after
// it, the application's Hint); a hint without "|" is both.
String GetShortHint(const String& Hint);
String GetLongHint(const String& Hint);

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

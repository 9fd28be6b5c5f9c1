// Forms, the application object and the screen. A form's window (its handle)
// is made on demand and carries the form's system menu, whose entries follow
// the border style, border icons and form style as the window system makes
// them; an MDI parent form also has the MDI client window.
#pragma once

#include "host/controls/Controls.h"
#include "host/platform/UserInterface.h"

namespace Glossmith::inline Controls {

enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
GLS_ENUM_TYPEINFO(TFormStyle, "fsNormal", "fsMDIChild", "fsMDIForm", "fsStayOnTop")

enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
GLS_ENUM_TYPEINFO(TWindowState, "wsNormal", "wsMinimized", "wsMaximized")

enum TFormBorderStyle : uint8_t {
  bsNone,
  bsSingle,
  bsSizeable,
  bsDialog,
  bsToolWindow,
  bsSizeToolWin
};
GLS_ENUM_TYPEINFO(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow",
                  "bsSizeToolWin")
using TBorderStyle = TFormBorderStyle;

enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
GLS_ENUM_TYPEINFO(TBorderIcon, "biSystemMenu", "biMinimize", "biMaximize", "biHelp")
using TBorderIcons = TSet<TBorderIcon>;
GLS_SET_TYPEINFO(TBorderIcons, TBorderIcon)

enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter
};
GLS_ENUM_TYPEINFO(TPosition, "poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                  "poScreenCenter", "poDesktopCenter", "poMainFormCenter", "poOwnerFormCenter")

enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };
GLS_ENUM_TYPEINFO(TCloseAction, "caNone", "caHide", "caFree", "caMinimize")
using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;

// A windowed control that can scroll its contents (forms, scroll boxes).
class TScrollingWinControl : public TWinControl {
  GLS_CLASS(TScrollingWinControl, TWinControl)
 public:
  explicit TScrollingWinControl(TComponent* AOwner) : TWinControl(AOwner) {}
  bool AutoScroll() const { return FAutoScroll; }
  void SetAutoScroll(bool Value) { FAutoScroll = Value; }

 private:
  bool FAutoScroll = true;
};

class TScrollBox : public TScrollingWinControl {
  GLS_CLASS(TScrollBox, TScrollingWinControl)
 public:
  explicit TScrollBox(TComponent* AOwner);
  static void Publish(TPublisher<TScrollBox>& P);

  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);

 private:
  TFormBorderStyle FBorderStyle = bsSingle;
};

class TCustomForm : public TScrollingWinControl {
  GLS_CLASS(TCustomForm, TScrollingWinControl)
 public:
  explicit TCustomForm(TComponent* AOwner);
  ~TCustomForm() override;
  static void Publish(TPublisher<TCustomForm>& P);

  TFormStyle FormStyle() const { return FFormStyle; }
  void SetFormStyle(TFormStyle Value);
  TWindowState WindowState() const { return FWindowState; }
  void SetWindowState(TWindowState Value);
  TFormBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TFormBorderStyle Value);
  TBorderIcons BorderIcons() const { return FBorderIcons; }
  void SetBorderIcons(TBorderIcons Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value) { FBorderWidth = Value; }
  TPosition Position() const { return FPosition; }
  void SetPosition(TPosition Value) { FPosition = Value; }
  Integer PixelsPerInch() const { return FPixelsPerInch; }
  void SetPixelsPerInch(Integer Value) { FPixelsPerInch = Value; }
  bool Scaled() const { return FScaled; }
  void SetScaled(bool Value) { FScaled = Value; }
  bool KeyPreview() const { return FKeyPreview; }
  void SetKeyPreview(bool Value) { FKeyPreview = Value; }
  bool OldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }
  const String& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const String& Value) { FHelpFile = Value; }

  // The focused control. References, cleared when the component they name
  // is destroyed. Setting ActiveControl moves the focus there (OnExit,
  // OnEnter) when the control can take it; otherwise, and while the form is
  // read, the control is only noted and takes the focus when the form shows.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Value);
  // The control that has the focus now: ActiveControl once it has entered,
  // nullptr while no control has the focus.
  TWinControl* FocusedControl() const {
    return FActiveControl && FEntered == FActiveControl ? FActiveControl : nullptr;
  }
  // A control that is hidden or disabled loses the focus it (or a control
  // inside it) has: OnExit fires and no control has the focus.
  void DefocusControl(TWinControl* Control);
  TMainMenu* Menu() const { return FMenu; }
  void SetMenu(TMainMenu* Value);
  TMenuItem* WindowMenu() const { return FWindowMenu; }
  void SetWindowMenu(TMenuItem* Value);

  // The window, made on demand with its system menu.
  using TWinControl::Handle;
  // The MDI client window of an MDI parent (fsMDIForm); nullptr otherwise.
  Windows::HWND ClientHandle();

  // The client area: the size less the border, caption and menu bar.
  Integer ClientWidth() const override;
  Integer ClientHeight() const override;
  // Which of Width/Height or ClientWidth/ClientHeight a form file holds.
  bool IsFormSizeStored() const { return AutoScroll(); }
  bool IsClientSizeStored() const { return !IsFormSizeStored(); }
  // Read from a form file, the client size is what the menu bar, assigned
  // when the reading ends, leaves to the client area, whatever AutoScroll
  // says (newer designers write the client size and leave AutoScroll out).
  void SetClientWidth(Integer Value);
  void SetClientHeight(Integer Value);
  // True while the client size is to be kept as the frame changes.
  bool KeepsClientSize() const;

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  // Shows and hides the form (OnShow, OnHide); Close asks OnCloseQuery, then
  // OnClose decides what happens (hide by default; minimize for MDI children).
  // Showing gives the focus to ActiveControl, or to the first tab stop.
  void Show();
  void Close();
  // Shows the form modally through the user-interface service and returns
  // its modal result once it closes. The form shows (OnShow), its modal
  // result is cleared, and the service runs it; whenever the modal result
  // is set (a button's ModalResult, SetModalResult, Close from the title
  // bar: mrCancel) the form asks OnCloseQuery and OnClose, and a refusal
  // clears the modal result and keeps it open. The form then hides. The
  // screen cursor is the default one while the form runs, and comes back
  // after. An exception from a handler or the service hides the form and
  // passes out.
  TModalResult ShowModal();
  bool Modal() const { return FModal; }

  // Keyboard input, as a person types it (tests and a front end deliver it
  // here). A key goes to the focused control, or to the form when none has
  // the focus: first, Tab, Enter, Escape and the arrows go to the form
  // unless that control wants them (WantsKey): Tab and Shift+Tab move the
  // focus through the tab stops, the arrows to the next or previous
  // control beside it, Enter presses the Default button (or the focused
  // button), Escape the Cancel button; such a key goes no further. Then
  // OnKeyDown (the form's first with KeyPreview) with the key by
  // reference; a key left non-zero gets the control's own response. Then
  // the character the key types, if any, goes through OnKeyPress (zero
  // swallows it) into the control that has the focus by then. Then
  // OnKeyUp.
  void PressKey(Windows::WORD Key, TShiftState Shift = {});
  // Types the text character by character, each as the key that types it
  // (a letter's virtual key is its upper-case code, with Shift for a
  // capital; Enter for a line break, Tab for a tab; a UTF-8 sequence is one
  // character, typed as VK_PACKET).
  void TypeText(const String& Text);

  bool SetFormClassName(const String& Value) override {
    FFormClassName = Value;
    return true;
  }
  String ClassName() const override;

  TNotifyEvent OnActivate;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;
  TNotifyEvent OnCreate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnHide;
  TNotifyEvent OnPaint;
  TNotifyEvent OnShow;

  // Fires OnCreate; the form reader calls it once the form is read.
  virtual void DoCreate();
  // Fires OnDestroy; call before destroying a form whose handler needs it.
  virtual void DoDestroy();

  void SetVisible(bool Value) override;
  // Activates the form; the focus stays where it is in the form.
  void SetFocus() override;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateWnd(Windows::TWindow& window) override;
  bool DialogKey(Windows::WORD Key, TShiftState Shift) override;

 private:
  friend class TWinControl;
  // Moves the focus to `control` (nullptr: none), with OnExit and OnEnter.
  void SetFocusedControl(TWinControl* control);
  // Gives the focus to ActiveControl, or to the first tab stop.
  void EnterFocus();
  void DeliverKey(Windows::WORD key, TShiftState shift, const String& chars);
  // The modal loop's test: runs the close handshake once a modal result is
  // set; true when the form may close.
  bool ModalClosed();
  // Width and height of the frame, caption and menu bar together.
  Integer NonClientWidth() const;
  Integer NonClientHeight() const;

  TFormStyle FFormStyle = fsNormal;
  TWindowState FWindowState = wsNormal;
  TFormBorderStyle FBorderStyle = bsSizeable;
  TBorderIcons FBorderIcons{biSystemMenu, biMinimize, biMaximize};
  Integer FBorderWidth = 0;
  TPosition FPosition = poDesigned;
  Integer FPixelsPerInch = 96;
  bool FScaled = true;
  bool FKeyPreview = false;
  bool FOldCreateOrder = false;
  String FHelpFile;
  TWinControl* FActiveControl = nullptr;
  // The innermost control whose OnEnter has fired and whose OnExit has not:
  // the focused control, or on the way to it while the focus moves.
  TWinControl* FEntered = nullptr;
  bool FModal = false;
  bool FClientSizeRead = false;
  TMainMenu* FMenu = nullptr;
  TMenuItem* FWindowMenu = nullptr;
  TModalResult FModalResult = mrNone;
  String FFormClassName;
  std::unique_ptr<Windows::TWindow> FClientHandle;
};

class TForm : public TCustomForm {
  GLS_CLASS(TForm, TCustomForm)
 public:
  explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// An owner of non-visual components that is not a form.
class TDataModule : public TComponent {
  GLS_CLASS(TDataModule, TComponent)
 public:
  explicit TDataModule(TComponent* AOwner);
  ~TDataModule() override;
  static void Publish(TPublisher<TDataModule>& P);

  bool OldCreateOrder() const { return FOldCreateOrder; }
  void SetOldCreateOrder(bool Value) { FOldCreateOrder = Value; }
  bool SetFormClassName(const String& Value) override {
    FFormClassName = Value;
    return true;
  }
  String ClassName() const override;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  virtual void DoCreate();
  virtual void DoDestroy();

 private:
  bool FOldCreateOrder = false;
  String FFormClassName;
};

// The running program. It exists for the program's whole life and owns the
// forms made with CreateForm.
class TApplication : public TComponent {
  GLS_CLASS(TApplication, TComponent)
 public:
  explicit TApplication(TComponent* AOwner);
  ~TApplication() override;

  // The program's full path (from the running process).
  String ExeName() const;
  // A host that runs the forms of another application (the gls tool) names
  // that application's program here, so that its forms find their files
  // beside it; the empty name goes back to the running process.
  void SetExeName(const String& Value) { FExeName = Value; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  const String& HelpFile() const { return FHelpFile; }
  void SetHelpFile(const String& Value) { FHelpFile = Value; }
  TCustomForm* MainForm() const { return FMainForm; }
  bool ShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);

  // Hints. A control's hint shows when the mouse moves over it while its
  // ShowHint (its own, or its parent's) and the application's are true and
  // its hint is not empty; the user-interface service shows it (HintShown)
  // and applies the timings, in milliseconds: the pause before a hint
  // shows, before the next control's hint shows once one is showing, and
  // before a hint goes. A hint changed while it shows shows anew after
  // CancelHint and the next mouse move.
  Integer HintPause() const { return FHintPause; }
  void SetHintPause(Integer Value) { FHintPause = Value; }
  Integer HintShortPause() const { return FHintShortPause; }
  void SetHintShortPause(Integer Value) { FHintShortPause = Value; }
  Integer HintHidePause() const { return FHintHidePause; }
  void SetHintHidePause(Integer Value) { FHintHidePause = Value; }
  // Hides the hint now showing (the service hears HintCancelled); counted,
  // so that tests can see it.
  void CancelHint();

  // An error that an event handler let pass while the user works with the
  // program: OnException when set, else ShowException. The user-interface
  // services call it for every event they deliver, so a failed operation is
  // reported and the program (an open dialog, say) goes on.
  void HandleException(const Exception& E);
  // Shows the error's message in an error message box.
  void ShowException(const Exception& E);
  TEvent<void(TObject* Sender, const Exception& E)> OnException;
  int CancelHintCount() const { return FCancelHintCount; }
  // The control whose hint is showing, or nullptr.
  TControl* HintControl() const { return FHintShowing ? FHintControl : nullptr; }
  // The mouse moved over `control` (TControl::MouseMove tells it).
  void HintMouseMessage(TControl* control, TPoint pos);
  bool Terminated() const { return FTerminated; }
  void Terminate() { FTerminated = true; }
  void ProcessMessages() {}

  // Makes a form owned by the application; the first becomes the main form.
  template <class T>
  T* CreateForm() {
    T* form = new T(this);
    if (!FMainForm)
      if (auto* f = dynamic_cast<TCustomForm*>(form)) FMainForm = f;
    return form;
  }

  TNotifyEvent OnHint;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  String FExeName;
  String FTitle;
  String FHelpFile;
  String FHint;
  TCustomForm* FMainForm = nullptr;
  bool FShowHint = true;
  bool FTerminated = false;
  int FCancelHintCount = 0;
  Integer FHintPause = 500;
  Integer FHintShortPause = 50;
  Integer FHintHidePause = 2500;
  // The control the mouse is over, and whether its hint shows.
  TControl* FHintControl = nullptr;
  bool FHintShowing = false;
};

// The screen: its cursor and the forms and data modules that exist.
class TScreen : public TComponent {
  GLS_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}

  // A change of the cursor goes to the user-interface service
  // (CursorChanged) and to the observers.
  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  int AddObserver(std::function<void(TScreen*)> fn) { return FObservers.Add(std::move(fn)); }
  void RemoveObserver(int id) { FObservers.Remove(id); }
  int FormCount() const { return static_cast<int>(FForms.size()); }
  TCustomForm* Forms(int index) const { return FForms.at(static_cast<size_t>(index)); }
  int DataModuleCount() const { return static_cast<int>(FDataModules.size()); }
  TDataModule* DataModules(int index) const { return FDataModules.at(static_cast<size_t>(index)); }
  TCustomForm* ActiveForm() const { return FActiveForm; }
  void SetActiveForm(TCustomForm* Value) { FActiveForm = Value; }
  Integer Width() const { return 1024; }
  Integer Height() const { return 768; }
  Integer PixelsPerInch() const { return 96; }

 private:
  friend class TCustomForm;
  friend class TDataModule;
  TCursor FCursor = crDefault;
  TObserverList<TScreen> FObservers;
  std::vector<TCustomForm*> FForms;
  std::vector<TDataModule*> FDataModules;
  TCustomForm* FActiveForm = nullptr;
};

// Creates a form from a form file (text or binary), owned by the
// application, as the application creates a form.
TComponent* LoadFormFromFile(const String& fileName, const TClassInfo* formClass = nullptr);

// The form that shows `control` (the control itself when it is a form), or nullptr.
TCustomForm* GetParentForm(const TControl* control);

extern TApplication* Application;
extern TScreen* Screen;

}  // namespace Glossmith::inline Controls

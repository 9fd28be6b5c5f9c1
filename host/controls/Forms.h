// Forms, the application object and the screen. A form's window (its handle)
// is made on demand and carries the form's system menu, whose entries follow
// the border style, border icons and form style as the window system makes
// them; an MDI parent form also has the MDI client window.
#pragma once

#include "host/controls/Controls.h"

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

  // References, cleared when the component they name is destroyed.
  TWinControl* ActiveControl() const { return FActiveControl; }
  void SetActiveControl(TWinControl* Value);
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

  TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(TModalResult Value) { FModalResult = Value; }

  // Shows and hides the form (OnShow, OnHide); Close asks OnCloseQuery, then
  // OnClose decides what happens (hide by default; minimize for MDI children).
  void Show();
  void Close();

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

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void CreateWnd(Windows::TWindow& window) override;

 private:
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
  void SetShowHint(bool Value) { FShowHint = Value; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  // Hides the hint now showing; counted, so that tests can see it.
  void CancelHint() { ++FCancelHintCount; }
  int CancelHintCount() const { return FCancelHintCount; }
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
};

// The screen: its cursor and the forms and data modules that exist.
class TScreen : public TComponent {
  GLS_CLASS(TScreen, TComponent)
 public:
  explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}

  TCursor Cursor() const { return FCursor; }
  void SetCursor(TCursor Value) { FCursor = Value; }
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

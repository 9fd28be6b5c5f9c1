#include "host/controls/Forms.h"

#include <unistd.h>

#include <algorithm>
#include <climits>

#include "host/classes/Streams.h"
#include "host/formfiles/FormFiles.h"

namespace Glossmith::inline Controls {

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

// ---------------------------------------------------------------------------
// TScrollBox

GLS_IMPLEMENT_CLASS(TScrollBox)

void TScrollBox::Publish(TPublisher<TScrollBox>& P) {
  using B = TScrollBox;
  P.Publish({"Align", "Anchors"});
  P.Bool("AutoScroll", &B::AutoScroll, &B::SetAutoScroll).Default(true);
  P.Publish({"AutoSize", "BiDiMode"});
  P.Enum("BorderStyle", &B::BorderStyle, &B::SetBorderStyle).Default(bsSingle);
  P.Publish({"Constraints", "DragCursor", "DragKind",       "DragMode",       "Enabled",
             "Color",       "Ctl3D",      "Font",           "ParentBiDiMode", "ParentColor",
             "ParentCtl3D", "ParentFont", "ParentShowHint", "PopupMenu",      "ShowHint",
             "TabOrder",    "TabStop",    "Visible",        "OnClick",        "OnDblClick",
             "OnEnter",     "OnExit",     "OnMouseDown",    "OnMouseMove",    "OnMouseUp",
             "OnResize"});
}

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  Changed();
}

// ---------------------------------------------------------------------------
// TCustomForm

GLS_IMPLEMENT_CLASS(TScrollingWinControl)
GLS_IMPLEMENT_CLASS(TCustomForm)
GLS_IMPLEMENT_CLASS(TForm)

void TCustomForm::Publish(TPublisher<TCustomForm>& P) {
  using F = TCustomForm;
  P.template ObjOf<TWinControl>("ActiveControl", &F::ActiveControl, &F::SetActiveControl);
  P.Publish({"Align", "Anchors"});
  P.Bool("AutoScroll", &F::AutoScroll, &F::SetAutoScroll).Default(true);
  P.Publish({"AutoSize", "BiDiMode"});
  P.Set("BorderIcons", &F::BorderIcons, &F::SetBorderIcons)
      .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize}.Mask());
  P.Enum("BorderStyle", &F::BorderStyle, &F::SetBorderStyle).Default(bsSizeable);
  P.Int("BorderWidth", &F::BorderWidth, &F::SetBorderWidth).Default(0);
  P.Publish("Caption");
  P.Int("ClientHeight", &F::ClientHeight, &F::SetClientHeight).Stored(&F::IsClientSizeStored);
  P.Int("ClientWidth", &F::ClientWidth, &F::SetClientWidth).Stored(&F::IsClientSizeStored);
  P.Publish(
      {"Color", "Constraints", "Ctl3D", "DragKind", "DragMode", "Enabled", "ParentFont", "Font"});
  P.Bool("ParentFont", &F::ParentFont, &F::SetParentFont).Default(false);
  // A form always writes its colour.
  P.IntOf("Color", TColorTypeInfo(), &F::Color, &F::SetColor).Stored(&F::IsColorStored);
  // A form starts with clBtnFace, so no colour is a default: always written.
  P.IntOf("Color", TColorTypeInfo(), &F::Color, &F::SetColor).Default(NoDefault);
  P.Enum("FormStyle", &F::FormStyle, &F::SetFormStyle).Default(fsNormal);
  P.Int("Height", &F::Height, &F::SetHeight).Stored(&F::IsFormSizeStored);
  P.Str("HelpFile", &F::HelpFile, &F::SetHelpFile);
  P.Bool("KeyPreview", &F::KeyPreview, &F::SetKeyPreview).Default(false);
  P.template ObjOf<TMainMenu>("Menu", &F::Menu, &F::SetMenu);
  // Written only when set: older readers do not know the property.
  P.Bool("OldCreateOrder", &F::OldCreateOrder, &F::SetOldCreateOrder).Default(false);
  P.Publish("ParentBiDiMode");
  P.Int("PixelsPerInch", &F::PixelsPerInch, &F::SetPixelsPerInch);
  P.Publish("PopupMenu");
  P.Enum("Position", &F::Position, &F::SetPosition).Default(poDesigned);
  P.Bool("Scaled", &F::Scaled, &F::SetScaled).Default(true);
  P.Publish({"ShowHint", "Visible"});
  P.Bool("Visible", &F::Visible, &F::SetVisible).Default(false);
  P.Int("Width", &F::Width, &F::SetWidth).Stored(&F::IsFormSizeStored);
  P.Enum("WindowState", &F::WindowState, &F::SetWindowState).Default(wsNormal);
  P.template ObjOf<TMenuItem>("WindowMenu", &F::WindowMenu, &F::SetWindowMenu);
  P.Event("OnActivate", &F::OnActivate);
  P.Publish("OnClick");
  P.Event("OnClose", &F::OnClose);
  P.Event("OnCloseQuery", &F::OnCloseQuery);
  P.Event("OnCreate", &F::OnCreate);
  P.Publish("OnDblClick");
  P.Event("OnDestroy", &F::OnDestroy);
  P.Event("OnDeactivate", &F::OnDeactivate);
  P.Event("OnHide", &F::OnHide);
  P.Publish({"OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
  P.Event("OnPaint", &F::OnPaint);
  P.Publish("OnResize");
  P.Event("OnShow", &F::OnShow);
}

TCustomForm::TCustomForm(TComponent* AOwner) : TScrollingWinControl(AOwner) {
  SetVisible(false);
  SetParentFont(false);
  SetColor(clBtnFace);
  SetBounds(0, 0, 320, 240);
  if (Screen) Screen->FForms.push_back(this);
}

TCustomForm::~TCustomForm() {
  BeginDestroy();
  if (Screen) {
    std::erase(Screen->FForms, this);
    if (Screen->FActiveForm == this) Screen->FActiveForm = nullptr;
  }
}

String TCustomForm::ClassName() const {
  return FFormClassName.empty() ? TScrollingWinControl::ClassName() : FFormClassName;
}

void TCustomForm::SetFormStyle(TFormStyle Value) {
  if (FFormStyle == Value) return;
  FFormStyle = Value;
  RecreateWnd();
  Changed();
}

void TCustomForm::SetWindowState(TWindowState Value) {
  if (FWindowState == Value) return;
  FWindowState = Value;
  Changed();
}

namespace {

// Keeps what the form file holds (the outer size, or the client size) while
// something changes the frame around the client area, so that reading a form
// gives the same sizes whatever order its properties come in.
class TKeepSize {
 public:
  explicit TKeepSize(TCustomForm& form)
      : FForm(form), FWidth(form.ClientWidth()), FHeight(form.ClientHeight()) {}
  ~TKeepSize() {
    if (FForm.IsClientSizeStored()) {
      FForm.SetClientWidth(FWidth);
      FForm.SetClientHeight(FHeight);
    }
  }

 private:
  TCustomForm& FForm;
  Integer FWidth, FHeight;
};

}  // namespace

void TCustomForm::SetBorderStyle(TFormBorderStyle Value) {
  if (FBorderStyle == Value) return;
  TKeepSize keep(*this);
  FBorderStyle = Value;
  RecreateWnd();
  Changed();
}

void TCustomForm::SetBorderIcons(TBorderIcons Value) {
  if (FBorderIcons == Value) return;
  FBorderIcons = Value;
  RecreateWnd();
  Changed();
}

void TCustomForm::SetActiveControl(TWinControl* Value) {
  if (FActiveControl == Value) return;
  FActiveControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomForm::SetMenu(TMainMenu* Value) {
  if (FMenu == Value) return;
  TKeepSize keep(*this);
  FMenu = Value;
  if (Value) Value->FreeNotification(this);
  Changed();
}

void TCustomForm::SetWindowMenu(TMenuItem* Value) {
  if (FWindowMenu == Value) return;
  FWindowMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomForm::Notification(TComponent* AComponent, TOperation Operation) {
  TScrollingWinControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  // Compared by address only: the component may be half destroyed already.
  if (static_cast<TComponent*>(FActiveControl) == AComponent) FActiveControl = nullptr;
  if (static_cast<TComponent*>(FMenu) == AComponent) {
    TKeepSize keep(*this);
    FMenu = nullptr;
  }
  if (static_cast<TComponent*>(FWindowMenu) == AComponent) FWindowMenu = nullptr;
}

HWND TCustomForm::ClientHandle() {
  if (FFormStyle != fsMDIForm) return nullptr;
  Handle();
  return FClientHandle.get();
}

void TCustomForm::CreateWnd(TWindow& window) {
  std::vector<TMenu::TEntry> menu;
  bool mdiChild = FFormStyle == fsMDIChild;
  if (FBorderStyle != bsNone && FBorderIcons.Contains(biSystemMenu)) {
    bool tool = FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin;
    bool dialog = FBorderStyle == bsDialog;
    bool sizeable = FBorderStyle == bsSizeable || FBorderStyle == bsSizeToolWin;
    // Dialogs and tool windows have no minimize or maximize boxes.
    bool minimize = !dialog && !tool && FBorderIcons.Contains(biMinimize);
    bool maximize = !dialog && !tool && FBorderIcons.Contains(biMaximize);
    if (minimize || maximize) menu.push_back({SC_RESTORE, "&Restore"});
    menu.push_back({SC_MOVE, "&Move"});
    if (sizeable) menu.push_back({SC_SIZE, "&Size"});
    if (minimize) menu.push_back({SC_MINIMIZE, "Mi&nimize"});
    if (maximize) menu.push_back({SC_MAXIMIZE, "Ma&ximize"});
    menu.push_back({0, String(), true});
    // An MDI child closes with Ctrl+F4, as the window system labels it.
    menu.push_back({SC_CLOSE, mdiChild ? "&Close\tCtrl+F4" : "&Close\tAlt+F4"});
    if (mdiChild) {
      menu.push_back({0, String(), true});
      menu.push_back({SC_NEXTWINDOW, "Nex&t\tCtrl+F6"});
    }
  }
  window.SetDefaultSystemMenu(std::move(menu));
  if (FFormStyle == fsMDIForm)
    FClientHandle = std::make_unique<TWindow>(this);
  else
    FClientHandle.reset();
}

// Window metrics at 96 pixels per inch with the classic window theme.
Integer TCustomForm::NonClientWidth() const {
  switch (FBorderStyle) {
    case bsNone:
      return 0;
    case bsSingle:
    case bsDialog:
    case bsToolWindow:
      return 6;
    case bsSizeable:
    case bsSizeToolWin:
      return 8;
  }
  return 0;
}

Integer TCustomForm::NonClientHeight() const {
  Integer caption = FBorderStyle == bsToolWindow || FBorderStyle == bsSizeToolWin ? 15 : 19;
  Integer menuBar = FMenu && FFormStyle != fsMDIChild ? 19 : 0;
  if (FBorderStyle == bsNone) return menuBar;
  return NonClientWidth() + caption + menuBar;
}

Integer TCustomForm::ClientWidth() const {
  return std::max<Integer>(0, Width() - NonClientWidth() - 2 * FBorderWidth);
}

Integer TCustomForm::ClientHeight() const {
  return std::max<Integer>(0, Height() - NonClientHeight() - 2 * FBorderWidth);
}

void TCustomForm::SetVisible(bool Value) {
  if (Visible() == Value) return;
  TScrollingWinControl::SetVisible(Value);
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
  if (Value) {
    if (OnShow) OnShow(this);
  } else {
    if (OnHide) OnHide(this);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  if (Screen) Screen->SetActiveForm(this);
}

void TCustomForm::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  if (!canClose) return;
  TCloseAction action = FFormStyle == fsMDIChild ? caMinimize : caHide;
  if (OnClose) OnClose(this, action);
  switch (action) {
    case caHide:
      SetVisible(false);
      break;
    case caMinimize:
      SetWindowState(wsMinimized);
      break;
    case caFree:
      // Destroying a form from inside its own handler would pull the object
      // out from under the caller; the model hides it and leaves freeing to
      // its owner.
      SetVisible(false);
      break;
    case caNone:
      break;
  }
}

void TCustomForm::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TCustomForm::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

TCustomForm* GetParentForm(const TControl* control) {
  const TControl* c = control;
  while (c && c->Parent()) c = c->Parent();
  return const_cast<TCustomForm*>(dynamic_cast<const TCustomForm*>(c));
}

// ---------------------------------------------------------------------------
// TDataModule

GLS_IMPLEMENT_CLASS(TDataModule)

void TDataModule::Publish(TPublisher<TDataModule>& P) {
  P.Bool("OldCreateOrder", &TDataModule::OldCreateOrder, &TDataModule::SetOldCreateOrder)
      .Default(false);
  P.Event("OnCreate", &TDataModule::OnCreate);
  P.Event("OnDestroy", &TDataModule::OnDestroy);
}

TDataModule::TDataModule(TComponent* AOwner) : TComponent(AOwner) {
  if (Screen) Screen->FDataModules.push_back(this);
}

TDataModule::~TDataModule() {
  if (Screen) std::erase(Screen->FDataModules, this);
}

String TDataModule::ClassName() const {
  return FFormClassName.empty() ? TComponent::ClassName() : FFormClassName;
}

void TDataModule::DoCreate() {
  if (OnCreate) OnCreate(this);
}

void TDataModule::DoDestroy() {
  if (OnDestroy) OnDestroy(this);
}

// ---------------------------------------------------------------------------
// TApplication and TScreen

GLS_IMPLEMENT_CLASS(TApplication)
GLS_IMPLEMENT_CLASS(TScreen)

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}

TApplication::~TApplication() = default;

String TApplication::ExeName() const {
  if (!FExeName.empty()) return FExeName;
  std::vector<char> buffer(PATH_MAX);
  for (;;) {
    ssize_t n = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) return String();
    if (static_cast<size_t>(n) < buffer.size())
      return String(buffer.data(), static_cast<size_t>(n));
    buffer.resize(buffer.size() * 2);
  }
}

void TApplication::SetHint(const String& Value) {
  if (FHint == Value) return;
  FHint = Value;
  if (OnHint) OnHint(this);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FMainForm) == AComponent)
    FMainForm = nullptr;
}

TComponent* LoadFormFromFile(const String& fileName, const TClassInfo* formClass) {
  String data = ReadFileToString(fileName);
  try {
    return ReadFormFromString(data, Application, formClass);
  } catch (const Exception& e) {
    throw EReadError(Format("%s: %s", {fileName, e.Message()}));
  }
}

}  // namespace Glossmith::inline Controls

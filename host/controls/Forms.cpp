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
    if (FForm.KeepsClientSize()) {
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
  if (!IsLoading() && Value && Value->CanFocus() && GetParentForm(Value) == this) {
    SetFocusedControl(Value);
    return;
  }
  // Noted only: the control cannot take the focus now, or the form is read.
  if (FActiveControl == Value && FocusedControl() != Value) return;
  if (!IsLoading() && FEntered) SetFocusedControl(nullptr);
  FActiveControl = Value;
  if (Value) Value->FreeNotification(this);
}

void TCustomForm::SetFocusedControl(TWinControl* control) {
  if (FActiveControl == control && FEntered == control) return;
  FActiveControl = control;
  if (control) control->FreeNotification(this);
  // Out of the controls that lose the focus, innermost first. A handler
  // that moves the focus elsewhere finishes the move itself.
  while (FEntered && !(control && FEntered->ContainsControl(control))) {
    TWinControl* leaving = FEntered;
    FEntered = leaving->Parent() == this ? nullptr : leaving->Parent();
    if (FEntered) FEntered->FreeNotification(this);
    leaving->DoExit();
    if (FActiveControl != control) return;
  }
  // Into the controls that gain it, outermost first.
  while (control && FEntered != control) {
    TWinControl* within = FEntered ? FEntered : this;
    TWinControl* next = control;
    while (next->Parent() && next->Parent() != within) next = next->Parent();
    if (!next->Parent()) return;  // not on this form
    FEntered = next;
    next->FreeNotification(this);
    next->DoEnter();
    if (FActiveControl != control) return;
  }
}

void TCustomForm::DefocusControl(TWinControl* Control) {
  if (!Control || Control == this) return;
  if ((FEntered && Control->ContainsControl(FEntered)) ||
      (FActiveControl && Control->ContainsControl(FActiveControl))) {
    SetFocusedControl(nullptr);
    FActiveControl = nullptr;
  }
}

void TCustomForm::EnterFocus() {
  if (FActiveControl && FocusedControl() == FActiveControl) return;
  if (FActiveControl && FActiveControl->CanFocus() && GetParentForm(FActiveControl) == this)
    SetFocusedControl(FActiveControl);
  else
    SelectFirst();
}

void TCustomForm::SetFocus() {
  if (Screen) Screen->SetActiveForm(this);
}

void TCustomForm::SetClientWidth(Integer Value) {
  if (ComponentState().Contains(csLoading)) FClientSizeRead = true;
  TScrollingWinControl::SetClientWidth(Value);
}

void TCustomForm::SetClientHeight(Integer Value) {
  if (ComponentState().Contains(csLoading)) FClientSizeRead = true;
  TScrollingWinControl::SetClientHeight(Value);
}

bool TCustomForm::KeepsClientSize() const {
  return IsClientSizeStored() || (FClientSizeRead && ComponentState().Contains(csLoading));
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
  if (static_cast<TComponent*>(FEntered) == AComponent) FEntered = nullptr;
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
  EnterFocus();
}

TModalResult TCustomForm::ShowModal() {
  if (Visible() || FModal || !Enabled() || FFormStyle == fsMDIChild)
    throw EInvalidOperation("Cannot make a visible window modal");
  FModal = true;
  TCursor savedCursor = Screen ? Screen->Cursor() : crDefault;
  // Hides the form and puts the cursor back, also when the run failed.
  auto finish = [&] {
    try {
      Hide();
    } catch (...) {
      FModal = false;
      if (Screen) Screen->SetCursor(savedCursor);
      throw;
    }
    FModal = false;
    if (Screen) Screen->SetCursor(savedCursor);
  };
  try {
    if (Screen) Screen->SetCursor(crDefault);
    Show();
    // As in the classic library, a modal result set while the form shows
    // does not close it.
    FModalResult = mrNone;
    UserInterface().RunModal(this, [this] { return ModalClosed(); });
  } catch (...) {
    finish();
    throw;
  }
  finish();
  return FModalResult;
}

bool TCustomForm::ModalClosed() {
  if (Application && Application->Terminated()) {
    FModalResult = mrCancel;
    return true;
  }
  if (FModalResult == mrNone) return false;
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  TCloseAction action = caNone;
  if (canClose) {
    action = caHide;
    if (OnClose) OnClose(this, action);
  }
  // caFree: the model leaves freeing to the owner, as Close does.
  if (action == caNone) FModalResult = mrNone;
  return FModalResult != mrNone;
}

void TCustomForm::Close() {
  // The modal loop asks OnCloseQuery and OnClose when it sees the result.
  if (FModal) {
    FModalResult = mrCancel;
    return;
  }
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

// ---------------------------------------------------------------------------
// Keyboard input

namespace {

bool IsDialogKey(WORD key) {
  return key == VK_TAB || key == VK_RETURN || key == VK_ESCAPE ||
         (key >= VK_LEFT && key <= VK_DOWN);
}

// The keys of the US layout that type punctuation: unshifted and shifted.
struct TPunctuationKey {
  WORD Key;
  char Plain;
  char Shifted;
};

constexpr TPunctuationKey kPunctuation[] = {
    {'0', '0', ')'},          {'1', '1', '!'},          {'2', '2', '@'},
    {'3', '3', '#'},          {'4', '4', '$'},          {'5', '5', '%'},
    {'6', '6', '^'},          {'7', '7', '&'},          {'8', '8', '*'},
    {'9', '9', '('},          {VK_OEM_1, ';', ':'},     {VK_OEM_PLUS, '=', '+'},
    {VK_OEM_COMMA, ',', '<'}, {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'},
    {VK_OEM_2, '/', '?'},     {VK_OEM_3, '`', '~'},     {VK_OEM_4, '[', '{'},
    {VK_OEM_5, '\\', '|'},    {VK_OEM_6, ']', '}'},     {VK_OEM_7, '\'', '"'},
};

// The character a key types, if any.
String KeyChar(WORD key, TShiftState shift) {
  if (shift.Contains(ssCtrl) || shift.Contains(ssAlt)) return String();
  bool shifted = shift.Contains(ssShift);
  switch (key) {
    case VK_RETURN:
      return "\r";
    case VK_TAB:
      return "\t";
    case VK_BACK:
      return "\b";
    case VK_ESCAPE:
      return "\x1b";
    case VK_SPACE:
      return " ";
    default:
      break;
  }
  if (key >= 'A' && key <= 'Z')
    return String(1, static_cast<char>(shifted ? key : key - 'A' + 'a'));
  for (const auto& p : kPunctuation)
    if (p.Key == key) return String(1, shifted ? p.Shifted : p.Plain);
  return String();
}

// The key that types a character, and its shift state.
WORD CharKey(char c, TShiftState& shift) {
  shift = {};
  switch (c) {
    case '\r':
    case '\n':
      return VK_RETURN;
    case '\t':
      return VK_TAB;
    case '\b':
      return VK_BACK;
    case '\x1b':
      return VK_ESCAPE;
    case ' ':
      return VK_SPACE;
    default:
      break;
  }
  if (c >= 'a' && c <= 'z') return static_cast<WORD>(c - 'a' + 'A');
  if (c >= 'A' && c <= 'Z') {
    shift = {ssShift};
    return static_cast<WORD>(c);
  }
  for (const auto& p : kPunctuation) {
    if (p.Plain == c) return p.Key;
    if (p.Shifted == c) {
      shift = {ssShift};
      return p.Key;
    }
  }
  return VK_PACKET;
}

// The length of the UTF-8 sequence that starts at text[i] (1 for a byte
// that starts none).
size_t SequenceLength(const String& text, size_t i) {
  auto lead = static_cast<unsigned char>(text[i]);
  size_t n = lead >= 0xF0 && lead < 0xF8 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  if (i + n > text.size()) return 1;
  for (size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
  return n;
}

}  // namespace

void TCustomForm::PressKey(WORD Key, TShiftState Shift) {
  DeliverKey(Key, Shift, KeyChar(Key, Shift));
}

void TCustomForm::TypeText(const String& Text) {
  for (size_t i = 0; i < Text.size();) {
    size_t n = SequenceLength(Text, i);
    TShiftState shift;
    WORD key = n > 1 ? VK_PACKET : CharKey(Text[i], shift);
    String typed = Text.substr(i, n);
    // A line break is one key, however the text ends its lines.
    if (Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n') n = 2;
    if (key == VK_RETURN) typed = "\r";
    DeliverKey(key, shift, typed);
    i += n;
  }
}

void TCustomForm::DeliverKey(WORD key, TShiftState shift, const String& chars) {
  // The control that gets the key: the focused one while it can take the
  // focus, else the form itself. Found again for the character and the
  // release, as a handler may move the focus.
  auto receiver = [this]() -> TWinControl* {
    TWinControl* focused = FocusedControl();
    return focused && focused->CanFocus() ? focused : this;
  };
  TWinControl* target = receiver();
  if (IsDialogKey(key) && !(target != this && target->WantsKey(key, shift)) &&
      DialogKey(key, shift))
    return;

  WORD k = key;
  if (target != this && FKeyPreview) KeyDown(k, shift);
  if (k) target->KeyDown(k, shift);
  // Alt and a letter or digit that no handler took is an accelerator: the
  // control whose caption has it responds, and the key does nothing else.
  const bool accelerator = k && shift.Contains(ssAlt) && !shift.Contains(ssCtrl) &&
                           ((k >= 'A' && k <= 'Z') || (k >= '0' && k <= '9'));
  if (accelerator && DialogChar(static_cast<char>(k))) k = 0;
  if (k) target->HandleKey(k, shift);

  if (!chars.empty()) {
    target = receiver();
    char c = chars[0];
    if (target != this && FKeyPreview) KeyPress(c);
    if (c) target->KeyPress(c);
    if (c) target->HandleChar(c == chars[0] ? chars : String(1, c));
  }

  target = receiver();
  k = key;
  if (target != this && FKeyPreview) KeyUp(k, shift);
  if (k) target->KeyUp(k, shift);
}

bool TCustomForm::DialogKey(WORD Key, TShiftState Shift) {
  if (!Shift.Contains(ssAlt)) {
    TWinControl* focused = FocusedControl();
    if (Key == VK_TAB && !Shift.Contains(ssCtrl)) {
      SelectNext(focused, !Shift.Contains(ssShift), true);
      return true;
    }
    if (Key >= VK_LEFT && Key <= VK_DOWN) {
      if (!focused) return false;
      if (TWinControl* parent = focused->Parent())
        parent->SelectNext(focused, Key == VK_RIGHT || Key == VK_DOWN, false);
      return true;
    }
  }
  return TScrollingWinControl::DialogKey(Key, Shift);
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

void TApplication::SetShowHint(bool Value) {
  if (FShowHint == Value) return;
  FShowHint = Value;
  if (!Value && FHintShowing) {
    FHintShowing = false;
    UserInterface().HintCancelled();
  }
}

void TApplication::HandleException(const Exception& E) {
  if (OnException)
    OnException(this, E);
  else
    ShowException(E);
}

void TApplication::ShowException(const Exception& E) {
  UserInterface().MessageBox({FTitle, E.Message(), mtError, TMsgDlgButtons{mbOK}});
}

void TApplication::CancelHint() {
  ++FCancelHintCount;
  FHintShowing = false;
  UserInterface().HintCancelled();
}

void TApplication::HintMouseMessage(TControl* control, TPoint) {
  if (control != FHintControl) {
    if (FHintShowing) {
      FHintShowing = false;
      UserInterface().HintCancelled();
    }
    if (FHintControl) FHintControl->RemoveFreeNotification(this);
    FHintControl = control;
    if (!control) return;
    control->FreeNotification(this);
    SetHint(GetLongHint(control->Hint()));
  }
  if (FHintShowing || !control || !FShowHint || !control->ShowHint()) return;
  String text = GetShortHint(control->Hint());
  if (text.empty()) return;
  FHintShowing = true;
  UserInterface().HintShown(control, text);
}

void TApplication::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FMainForm) == AComponent)
    FMainForm = nullptr;
  if (Operation == opRemove && static_cast<TComponent*>(FHintControl) == AComponent) {
    FHintControl = nullptr;
    FHintShowing = false;
  }
}

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  UserInterface().CursorChanged(Value);
  FObservers.Notify(this);
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

#include "host/controls/Dialogs.h"

#include "host/controls/Forms.h"

namespace Glossmith::inline Controls {

// ---------------------------------------------------------------------------
// Message and input boxes

TModalResult ButtonModalResult(TMsgDlgBtn Button) {
  switch (Button) {
    case mbYes:
      return mrYes;
    case mbNo:
      return mrNo;
    case mbOK:
      return mrOk;
    case mbCancel:
      return mrCancel;
    case mbAbort:
      return mrAbort;
    case mbRetry:
      return mrRetry;
    case mbIgnore:
      return mrIgnore;
    case mbAll:
      return mrAll;
    case mbNoToAll:
      return mrNoToAll;
    case mbYesToAll:
      return mrYesToAll;
    case mbHelp:
      return mrNone;
  }
  return mrNone;
}

namespace {

// The application's title, or the program's name without its folder.
String ApplicationTitle() {
  if (!Application) return String();
  if (!Application->Title().empty()) return Application->Title();
  String name = Application->ExeName();
  size_t slash = name.rfind('/');
  return slash == String::npos ? name : name.substr(slash + 1);
}

}  // namespace

Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons,
                   Integer HelpCtx) {
  TMessageRequest request;
  switch (DlgType) {
    case mtWarning:
      request.Caption = "Warning";
      break;
    case mtError:
      request.Caption = "Error";
      break;
    case mtInformation:
      request.Caption = "Information";
      break;
    case mtConfirmation:
      request.Caption = "Confirm";
      break;
    case mtCustom:
      request.Caption = ApplicationTitle();
      break;
  }
  request.Text = Msg;
  request.Type = DlgType;
  request.Buttons = Buttons;
  request.HelpContext = HelpCtx;
  return UserInterface().MessageBox(request);
}

void ShowMessage(const String& Msg) {
  TMessageRequest request{ApplicationTitle(), Msg, mtCustom, {mbOK}, 0};
  UserInterface().MessageBox(request);
}

bool InputQuery(const String& ACaption, const String& APrompt, String& Value) {
  TInputRequest request{ACaption, APrompt, Value};
  if (!UserInterface().InputQuery(request)) return false;
  Value = request.Value;
  return true;
}

String InputBox(const String& ACaption, const String& APrompt, const String& ADefault) {
  String value = ADefault;
  InputQuery(ACaption, APrompt, value);
  return value;
}

// ---------------------------------------------------------------------------
// Common dialogs

GLS_IMPLEMENT_CLASS(TCommonDialog)
GLS_IMPLEMENT_CLASS(TOpenDialog)
GLS_IMPLEMENT_CLASS(TSaveDialog)
GLS_IMPLEMENT_CLASS(TFontDialog)

bool TCommonDialog::Execute() {
  if (OnShow) OnShow(this);
  bool result = Run();
  if (OnClose) OnClose(this);
  return result;
}

bool TCommonDialog::Run() { return false; }

bool TOpenDialog::Run() {
  TFileDialogRequest request;
  request.Save = Is<TSaveDialog>();
  request.Title = FTitle;
  request.Filter = FFilter;
  request.DefaultExt = FDefaultExt;
  request.InitialDir = FInitialDir;
  request.FileName = FFileName;
  request.FilterIndex = FFilterIndex;
  request.MultiSelect = FOptions.Contains(ofAllowMultiSelect);
  if (!UserInterface().FileDialog(request)) return false;
  FFileName = request.FileName;
  FFilterIndex = request.FilterIndex;
  FFiles->BeginUpdate();
  FFiles->Clear();
  for (const String& file : request.Files) FFiles->Add(file);
  if (request.Files.empty() && !request.FileName.empty()) FFiles->Add(request.FileName);
  FFiles->EndUpdate();
  return true;
}

bool TFontDialog::Run() {
  TFontData data;
  data.Name = FFont->Name();
  data.Size = FFont->Size();
  TFontStyles style = FFont->Style();
  data.Bold = style.Contains(fsBold);
  data.Italic = style.Contains(fsItalic);
  data.Underline = style.Contains(fsUnderline);
  data.StrikeOut = style.Contains(fsStrikeOut);
  data.Color = FFont->Color();
  data.Charset = FFont->Charset();
  if (!UserInterface().FontDialog(data)) return false;
  TFont chosen;
  chosen.Assign(FFont.get());
  chosen.SetName(data.Name);
  chosen.SetSize(data.Size);
  TFontStyles styles;
  if (data.Bold) styles.Include(fsBold);
  if (data.Italic) styles.Include(fsItalic);
  if (data.Underline) styles.Include(fsUnderline);
  if (data.StrikeOut) styles.Include(fsStrikeOut);
  chosen.SetStyle(styles);
  chosen.SetColor(data.Color);
  chosen.SetCharset(data.Charset);
  FFont->Assign(&chosen);
  return true;
}

void TOpenDialog::Publish(TPublisher<TOpenDialog>& P) {
  using D = TOpenDialog;
  P.Bool("Ctl3D", &D::Ctl3D, &D::SetCtl3D).Default(true);
  P.Str("DefaultExt", &D::DefaultExt, &D::SetDefaultExt);
  P.Str("FileName", &D::FileName, &D::SetFileName);
  P.Str("Filter", &D::Filter, &D::SetFilter);
  P.Int("FilterIndex", &D::FilterIndex, &D::SetFilterIndex).Default(1);
  P.Int("HelpContext", &D::HelpContext, &D::SetHelpContext).Default(0);
  P.Str("InitialDir", &D::InitialDir, &D::SetInitialDir);
  P.Set("Options", &D::Options, &D::SetOptions).Default(TOpenOptions{ofHideReadOnly}.Mask());
  P.Str("Title", &D::Title, &D::SetTitle);
  P.Event("OnClose", &D::OnClose);
  P.Event("OnShow", &D::OnShow);
}

TOpenDialog::TOpenDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FFiles(std::make_unique<TStringList>()) {}

TOpenDialog::~TOpenDialog() = default;

void TFontDialog::Publish(TPublisher<TFontDialog>& P) {
  using D = TFontDialog;
  P.Bool("Ctl3D", &D::Ctl3D, &D::SetCtl3D).Default(true);
  P.template ObjOf<TFont>("Font", &D::Font, &D::SetFont);
  P.Int("HelpContext", &D::HelpContext, &D::SetHelpContext).Default(0);
  P.Int("MaxFontSize", &D::MaxFontSize, &D::SetMaxFontSize).Default(0);
  P.Int("MinFontSize", &D::MinFontSize, &D::SetMinFontSize).Default(0);
  P.Set("Options", &D::Options, &D::SetOptions).Default(TFontDialogOptions{fdEffects}.Mask());
  P.Event("OnClose", &D::OnClose);
  P.Event("OnShow", &D::OnShow);
}

TFontDialog::TFontDialog(TComponent* AOwner)
    : TCommonDialog(AOwner), FFont(std::make_unique<TFont>()) {}

}  // namespace Glossmith::inline Controls

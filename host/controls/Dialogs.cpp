#include "host/controls/Dialogs.h"

namespace Glossmith::inline Controls {

namespace {
TDialogExecutor& Executor() {
  static TDialogExecutor executor;
  return executor;
}
}  // namespace

void SetDialogExecutor(TDialogExecutor Value) { Executor() = std::move(Value); }

GLS_IMPLEMENT_CLASS(TCommonDialog)
GLS_IMPLEMENT_CLASS(TOpenDialog)
GLS_IMPLEMENT_CLASS(TSaveDialog)
GLS_IMPLEMENT_CLASS(TFontDialog)

bool TCommonDialog::Execute() {
  if (OnShow) OnShow(this);
  bool result = Executor() ? Executor()(*this) : false;
  if (OnClose) OnClose(this);
  return result;
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

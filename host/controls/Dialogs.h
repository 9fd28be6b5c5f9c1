// Common dialogs as components, and the message and input boxes. Showing
// any of them goes through the user-interface service (UserInterface(),
// host/platform/UserInterface.h): a front end shows it, a script answers
// it; with nobody present a message box answers with its cancel-like
// button and the other dialogs answer as cancelled.
#pragma once

#include "host/controls/Controls.h"
#include "host/platform/UserInterface.h"

namespace Glossmith::inline Controls {

// The modal result of a message box's button (mbYes: mrYes...); mrNone for
// mbHelp, which closes nothing.
TModalResult ButtonModalResult(TMsgDlgBtn Button);

// A message box captioned by its kind ("Warning", "Error", "Information",
// "Confirm"; the application's title for mtCustom); returns the modal
// result of the button chosen.
Integer MessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx);
// A message with an OK button, captioned by the application's title.
void ShowMessage(const String& Msg);
// An input box with OK and Cancel, starting from Value; true on OK, and
// Value is then the text entered. On Cancel Value is unchanged.
bool InputQuery(const String& ACaption, const String& APrompt, String& Value);
// The text entered, or ADefault when the box is cancelled.
String InputBox(const String& ACaption, const String& APrompt, const String& ADefault);

class TCommonDialog : public TComponent {
  GLS_CLASS(TCommonDialog, TComponent)
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value) { FCtl3D = Value; }
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  // OnShow, the dialog through the service, OnClose; true when the user
  // confirmed it, and the dialog's results (FileName, Font...) are then the
  // choice. A cancelled dialog keeps them.
  virtual bool Execute();

  TNotifyEvent OnClose;
  TNotifyEvent OnShow;

 protected:
  // Shows the dialog through the service.
  virtual bool Run();

 private:
  bool FCtl3D = true;
  Integer FHelpContext = 0;
};

enum TOpenOption : uint8_t {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofShowHelp,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing
};
GLS_ENUM_TYPEINFO(TOpenOption, "ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir",
                  "ofShowHelp", "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent",
                  "ofPathMustExist", "ofFileMustExist", "ofCreatePrompt", "ofShareAware",
                  "ofNoReadOnlyReturn", "ofNoTestFileCreate", "ofNoNetworkButton", "ofNoLongNames",
                  "ofOldStyleDialog", "ofNoDereferenceLinks", "ofEnableIncludeNotify",
                  "ofEnableSizing")
using TOpenOptions = TSet<TOpenOption>;
GLS_SET_TYPEINFO(TOpenOptions, TOpenOption)

class TOpenDialog : public TCommonDialog {
  GLS_CLASS(TOpenDialog, TCommonDialog)
 public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  static void Publish(TPublisher<TOpenDialog>& P);

  const String& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  // The chosen files when several may be chosen.
  TStrings* Files() const { return FFiles.get(); }
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& Value) { FFilter = Value; }
  Integer FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(Integer Value) { FFilterIndex = Value; }
  const String& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& Value) { FInitialDir = Value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }

 protected:
  // The request carries the title, filter, default extension, initial
  // folder, file name and filter index, and whether several files may be
  // chosen (ofAllowMultiSelect); on confirmation FileName, Files and
  // FilterIndex take the answer (Files holds FileName when the answer
  // names no files).
  bool Run() override;

 private:
  String FDefaultExt;
  String FFileName;
  std::unique_ptr<TStringList> FFiles;
  String FFilter;
  Integer FFilterIndex = 1;
  String FInitialDir;
  TOpenOptions FOptions{ofHideReadOnly};
  String FTitle;
};

class TSaveDialog : public TOpenDialog {
  GLS_CLASS(TSaveDialog, TOpenDialog)
 public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
};

enum TFontDialogOption : uint8_t {
  fdAnsiOnly,
  fdTrueTypeOnly,
  fdEffects,
  fdFixedPitchOnly,
  fdForceFontExist,
  fdNoFaceSel,
  fdNoOEMFonts,
  fdNoSimulations,
  fdNoSizeSel,
  fdNoStyleSel,
  fdNoVectorFonts,
  fdShowHelp,
  fdWysiwyg,
  fdLimitSize,
  fdScalableOnly,
  fdApplyButton
};
GLS_ENUM_TYPEINFO(TFontDialogOption, "fdAnsiOnly", "fdTrueTypeOnly", "fdEffects",
                  "fdFixedPitchOnly", "fdForceFontExist", "fdNoFaceSel", "fdNoOEMFonts",
                  "fdNoSimulations", "fdNoSizeSel", "fdNoStyleSel", "fdNoVectorFonts", "fdShowHelp",
                  "fdWysiwyg", "fdLimitSize", "fdScalableOnly", "fdApplyButton")
using TFontDialogOptions = TSet<TFontDialogOption>;
GLS_SET_TYPEINFO(TFontDialogOptions, TFontDialogOption)

class TFontDialog : public TCommonDialog {
  GLS_CLASS(TFontDialog, TCommonDialog)
 public:
  explicit TFontDialog(TComponent* AOwner);
  static void Publish(TPublisher<TFontDialog>& P);

  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  Integer MaxFontSize() const { return FMaxFontSize; }
  void SetMaxFontSize(Integer Value) { FMaxFontSize = Value; }
  Integer MinFontSize() const { return FMinFontSize; }
  void SetMinFontSize(Integer Value) { FMinFontSize = Value; }
  TFontDialogOptions Options() const { return FOptions; }
  void SetOptions(TFontDialogOptions Value) { FOptions = Value; }

 protected:
  // The request is the font's name, size, styles, colour and character
  // set; on confirmation the font takes the answer (its pitch stays).
  bool Run() override;

 private:
  std::unique_ptr<TFont> FFont;
  Integer FMaxFontSize = 0;
  Integer FMinFontSize = 0;
  TFontDialogOptions FOptions{fdEffects};
};

}  // namespace Glossmith::inline Controls

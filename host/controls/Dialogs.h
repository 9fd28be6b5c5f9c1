// Common dialogs as components. Showing one goes through the program's
// user-interface service (SetDialogExecutor); without one, Execute answers
// False, as a cancelled dialog does.
#pragma once

#include "host/controls/Graphics.h"

namespace Glossmith::inline Controls {

class TCommonDialog;

// Shows `dialog` and returns True when the user confirmed it; it may change
// the dialog's results (FileName, Font...) first.
using TDialogExecutor = std::function<bool(TCommonDialog& dialog)>;
void SetDialogExecutor(TDialogExecutor Value);

class TCommonDialog : public TComponent {
  GLS_CLASS(TCommonDialog, TComponent)
 public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}

  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value) { FCtl3D = Value; }
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  virtual bool Execute();

  TNotifyEvent OnClose;
  TNotifyEvent OnShow;

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

 private:
  std::unique_ptr<TFont> FFont;
  Integer FMaxFontSize = 0;
  Integer FMinFontSize = 0;
  TFontDialogOptions FOptions{fdEffects};
};

}  // namespace Glossmith::inline Controls

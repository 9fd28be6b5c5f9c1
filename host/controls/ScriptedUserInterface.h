// A user-interface service that acts as a person would, from a script: it
// clicks, types and chooses pages on the modal form, and answers each
// dialog the program shows with the script's next step. Tests and batch
// tools run forms with it; everything shown is recorded.
//
// One script mixes acting steps and answers, in the order a person would
// take them. Acting steps run while a form is shown modally (RunModal),
// against that form's controls, found by name among the components it
// owns. Answers answer the dialogs (message boxes, input boxes, file and
// font dialogs), which may be shown from inside an acting step. A dialog
// shown while the next step is not its answer, or after the script ended,
// a modal form left open when the script ends, and a step that names a
// control the form does not have (or one a person could not use now) raise
// EScriptError, which names the step; nothing waits.
//
// The script's text form, one step per line, is documented for users in
// docs/SCRIPTS.md.
#pragma once

#include "host/controls/Forms.h"

namespace Glossmith::inline Controls {

GLS_DECLARE_EXCEPTION(EScriptError, Exception)

class TScriptedUserInterface : public TUserInterface {
 public:
  TScriptedUserInterface();
  ~TScriptedUserInterface() override;

  // Acting steps; each returns the driver, so that steps chain.
  // A click: the focus moves to a windowed control that can take it, then
  // the click (a check box toggles; a radio group needs ClickItem).
  TScriptedUserInterface& Click(const String& name);
  // A click on an item of a list box (with Shift or Ctrl held: ssShift,
  // ssCtrl) or on a radio group's button.
  TScriptedUserInterface& ClickItem(const String& name, int index, TShiftState shift = {});
  TScriptedUserInterface& Focus(const String& name);
  // Types into the focused control, key by key (TCustomForm::TypeText).
  TScriptedUserInterface& Type(const String& text);
  // A key pressed on the form (TCustomForm::PressKey).
  TScriptedUserInterface& Key(Windows::WORD key, TShiftState shift = {});
  TScriptedUserInterface& MouseMove(const String& name, Integer x, Integer y);
  // A click on a page's tab of a tabbed notebook or a page control.
  TScriptedUserInterface& SelectPage(const String& name, int index);
  // The title bar's close button.
  TScriptedUserInterface& Close();
  // The test's own check or action, on the modal form.
  TScriptedUserInterface& Step(std::function<void(TCustomForm&)> action);

  // Answers.
  // The button of a message box, by its modal result (mrYes...).
  TScriptedUserInterface& Answer(Integer modalResult);
  TScriptedUserInterface& AnswerInput(const String& value);
  TScriptedUserInterface& CancelInput();
  // The file an open or save dialog chooses.
  TScriptedUserInterface& AnswerFile(const String& fileName);
  TScriptedUserInterface& CancelFile();
  TScriptedUserInterface& AnswerFont(const TFontData& font);
  TScriptedUserInterface& CancelFont();

  // Adds the steps of a script's text form; EScriptError names the line of
  // a step it cannot read, and no step of that text is added.
  void AddScript(const String& text);
  // Adds the steps of a script file (EFOpenError when it cannot be read).
  void AddScriptFile(const String& fileName);
  // The steps not taken yet.
  int Remaining() const;

  // What the program showed, in order.
  const std::vector<TMessageRequest>& Messages() const { return FMessages; }
  const std::vector<TInputRequest>& Inputs() const { return FInputs; }
  // As shown: FileName is the initial file name.
  const std::vector<TFileDialogRequest>& FileDialogs() const { return FFileDialogs; }
  // The initial font of each font dialog.
  const std::vector<TFontData>& FontDialogs() const { return FFontDialogs; }
  struct THint {
    String Control;  // the control's name
    String Text;
  };
  const std::vector<THint>& Hints() const { return FHints; }
  int HintsCancelled() const { return FHintsCancelled; }
  const std::vector<Integer>& Cursors() const { return FCursors; }
  // Every step taken and everything shown, one line each, in order: the
  // steps as the text form writes them, and lines such as
  // `message Warning "Text" [Yes, No] -> Yes`, `input "Caption" "Prompt"
  // "Value" -> "Answer"`, `hint ListAvail "Text"`, `cancel-hint`,
  // `cursor crHourGlass`, `modal FormName`, `closed FormName 1`.
  const std::vector<String>& Log() const { return FLog; }

  void SetHandlesRightToLeftInput(bool Value) { FRightToLeft = Value; }

  // TUserInterface
  void RunModal(TComponent* form, const std::function<bool()>& closed) override;
  Integer MessageBox(const TMessageRequest& request) override;
  bool InputQuery(TInputRequest& request) override;
  bool FileDialog(TFileDialogRequest& request) override;
  bool FontDialog(TFontData& font) override;
  void CursorChanged(Integer cursor) override;
  void HintShown(TComponent* control, const String& text) override;
  void HintCancelled() override;
  bool HandlesRightToLeftInput() const override { return FRightToLeft; }

  struct TStep;

 private:
  TScriptedUserInterface& Add(TStep step);
  // The next step, which must answer a dialog of `kind`; raises otherwise.
  const TStep& TakeAnswer(int kind, const String& shown);
  void Perform(const TStep& step, TCustomForm& form);
  String Where(size_t index) const;

  std::vector<TStep> FSteps;
  size_t FNext = 0;
  bool FRightToLeft = false;
  std::vector<TMessageRequest> FMessages;
  std::vector<TInputRequest> FInputs;
  std::vector<TFileDialogRequest> FFileDialogs;
  std::vector<TFontData> FFontDialogs;
  std::vector<THint> FHints;
  int FHintsCancelled = 0;
  std::vector<Integer> FCursors;
  std::vector<String> FLog;
};

// The script text form of a step's key: "PageDown", "ctrl+Tab", "F5"...
String KeyToScriptText(Windows::WORD key, TShiftState shift);

}  // namespace Glossmith::inline Controls

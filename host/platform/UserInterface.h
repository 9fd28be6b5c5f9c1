// The user-interface services: everything that needs a person in front of
// the screen goes through one interface, so that the same control models
// run with a real front end, with a script that acts as a person would
// (tests, batch tools), or with nobody at all (the headless default).
//
// The services speak in plain data and components; the control layer above
// maps its dialogs and forms onto them.
#pragma once

#include <functional>
#include <vector>

#include "host/classes/Classes.h"

namespace Glossmith::inline Platform {

enum TMsgDlgType : uint8_t { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
GLS_ENUM_TYPEINFO(TMsgDlgType, "mtWarning", "mtError", "mtInformation", "mtConfirmation",
                  "mtCustom")
enum TMsgDlgBtn : uint8_t {
  mbYes,
  mbNo,
  mbOK,
  mbCancel,
  mbAbort,
  mbRetry,
  mbIgnore,
  mbAll,
  mbNoToAll,
  mbYesToAll,
  mbHelp
};
GLS_ENUM_TYPEINFO(TMsgDlgBtn, "mbYes", "mbNo", "mbOK", "mbCancel", "mbAbort", "mbRetry", "mbIgnore",
                  "mbAll", "mbNoToAll", "mbYesToAll", "mbHelp")
using TMsgDlgButtons = TSet<TMsgDlgBtn>;
GLS_SET_TYPEINFO(TMsgDlgButtons, TMsgDlgBtn)

// A message box: its window caption, its text, its kind (the icon) and its
// buttons, in the order the enumeration gives them.
struct TMessageRequest {
  String Caption;
  String Text;
  TMsgDlgType Type = mtCustom;
  TMsgDlgButtons Buttons;
  Integer HelpContext = 0;
};

// An input box: Value is the initial text, and the text entered on OK.
struct TInputRequest {
  String Caption;
  String Prompt;
  String Value;
};

// An open or save dialog. FileName and FilterIndex are the initial choice
// and, on confirmation, the answer; Files are the chosen files (one entry
// unless several may be chosen).
struct TFileDialogRequest {
  bool Save = false;
  String Title, Filter, DefaultExt, InitialDir, FileName;
  Integer FilterIndex = 1;
  bool MultiSelect = false;
  std::vector<String> Files;
};

// A font as the font dialog shows it: Size in points, Color a colour value.
struct TFontData {
  String Name;
  Integer Size = 0;
  bool Bold = false, Italic = false, Underline = false, StrikeOut = false;
  Integer Color = 0;
  Integer Charset = 0;
  friend bool operator==(const TFontData&, const TFontData&) = default;
};

class TUserInterface {
 public:
  TUserInterface() = default;
  TUserInterface(const TUserInterface&) = delete;
  TUserInterface& operator=(const TUserInterface&) = delete;
  // A service that goes while it is active leaves the headless default active.
  virtual ~TUserInterface();

  // Shows `form` modally and returns when closed() is true (the form's modal
  // result is the result). closed() runs the form's close handshake, which
  // may refuse and keep the form open: a service calls it after every input
  // it delivers, until it answers true.
  virtual void RunModal(TComponent* form, const std::function<bool()>& closed) = 0;
  // The modal result of the button chosen (mrYes = 6, mrNo = 7, mrOk = 1,
  // mrCancel = 2...).
  virtual Integer MessageBox(const TMessageRequest& request) = 0;
  // True on OK; request.Value is then the text entered.
  virtual bool InputQuery(TInputRequest& request) = 0;
  // True on confirmation; FileName, Files and FilterIndex are then the choice.
  virtual bool FileDialog(TFileDialogRequest& request) = 0;
  // True on confirmation; `font` is then the font chosen.
  virtual bool FontDialog(TFontData& font) = 0;
  // The screen cursor changed (a TCursor value: crHourGlass is -11).
  virtual void CursorChanged(Integer cursor);
  // The hint of `control` is to show `text`; the front end applies the
  // application's hint timings (HintPause, HintHidePause).
  virtual void HintShown(TComponent* control, const String& text);
  // The hint now showing, if any, is to go.
  virtual void HintCancelled();
  // Whether the system itself handles right-to-left input: by default, as
  // the classic test does, whether the system code page is Hebrew (1255) or
  // Arabic (1256).
  virtual bool HandlesRightToLeftInput() const;
};

// The active service; the headless default unless another was set.
TUserInterface& UserInterface();
// Makes `ui` the active service (not owned); nullptr goes back to the
// headless default, in which nobody is present: RunModal raises
// EInvalidOperation, message boxes answer with their cancel-like button
// (Cancel, else No, else OK) and the other dialogs answer as cancelled.
void SetUserInterface(TUserInterface* ui);

// Makes a service the active one for the scope's life, then puts back the
// one that was active before.
class TUserInterfaceScope {
 public:
  explicit TUserInterfaceScope(TUserInterface& ui);
  ~TUserInterfaceScope();
  TUserInterfaceScope(const TUserInterfaceScope&) = delete;
  TUserInterfaceScope& operator=(const TUserInterfaceScope&) = delete;

 private:
  TUserInterface* FPrevious;
};

}  // namespace Glossmith::inline Platform

// Unit GlsEdit: TFormEditor, the modal dialog in which a developer edits one
// translator's list at design time. Its layout, captions, hints and event
// bindings are its form file GlsEdit.dfm, compiled into the library and read
// when the dialog is created; the published fields below are bound to the
// controls of that file by name and the handlers by method name.
//
// The dialog never edits the translator's list directly: FormShow copies it
// into the working list, the pages edit that copy, and OK writes it back.
#pragma once

#include "gls/Gls.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/TabNotBk.h"

namespace Glossmith::inline GlsEdit {

class TFormEditor : public TForm, public TTranslationsEditor {
  GLS_CLASS(TFormEditor, TForm)
 public:
  explicit TFormEditor(TComponent* AOwner);
  ~TFormEditor() override;
  static void Publish(TPublisher<TFormEditor>& P);

  // The translator whose list the dialog edits; not owned. Set before the
  // dialog is shown.
  void SetTranslator(TGlossmith* Translator) override { FTranslator = Translator; }

  // --- Published fields: the controls of the form file ----------------------
  TButton* BtnOK = nullptr;
  TButton* BtnCancel = nullptr;
  TTabbedNotebook* FormNotebook = nullptr;
  TBevel* Bevel1 = nullptr;
  TLabel* LblTot = nullptr;
  TLabel* LblNrOfTranslations = nullptr;
  TCheckBox* CkxMove = nullptr;
  TGroupBox* GroupEditFont = nullptr;
  TLabel* LblEditFont = nullptr;
  TButton* BtnEditFont = nullptr;
  TGroupBox* GroupDisplayFont = nullptr;
  TLabel* LblDisplayFont = nullptr;
  TButton* BtnDisplayFont = nullptr;
  TRadioGroup* GroupReadingOrder = nullptr;
  TLabel* LblTranslate = nullptr;
  TLabel* LblLoad = nullptr;
  TLabel* LblSave = nullptr;
  TButton* BtnTranslate = nullptr;
  TButton* BtnLoad = nullptr;
  TButton* BtnSave = nullptr;
  TLabel* LblResList = nullptr;
  TListBox* PropList = nullptr;
  TLabel* LblTranslation = nullptr;
  TMemo* EdtTranslation = nullptr;
  TFontDialog* FontDialog1 = nullptr;
  TButton* BtnRemove = nullptr;
  TLabel* LblStringsLocalized = nullptr;
  TLabel* LblLocalized = nullptr;
  TOpenDialog* OpenDialog1 = nullptr;
  TSaveDialog* SaveDialog1 = nullptr;
  TGroupBox* GroupFarEastern = nullptr;
  TLabel* Label1 = nullptr;
  TButton* BtnNew = nullptr;
  TButton* BtnExport = nullptr;
  TLabel* LblExport = nullptr;
  TBevel* Bevel4 = nullptr;
  TBevel* Bevel5 = nullptr;
  TTabbedNotebook* PropNotebook = nullptr;
  TLabel* LblAvailableProps = nullptr;
  TListBox* ListAvail = nullptr;
  TLabel* LblCommonProps = nullptr;
  TListBox* CommonPropList = nullptr;
  TButton* BtnAddCommon = nullptr;
  TButton* BtnDeleteCommon = nullptr;
  TButton* BtnDefault = nullptr;
  TButton* BtnSet = nullptr;
  TMemo* EdtOrgTranslation = nullptr;
  TLabel* Label2 = nullptr;
  TGroupBox* GrpSelected = nullptr;
  TButton* BtnIncludeProp = nullptr;
  TLabel* LblSelected = nullptr;
  TGroupBox* GrpCommon = nullptr;
  TButton* BtnSelect = nullptr;
  TCheckBox* CkxEmpty = nullptr;

  // --- The dialog as a whole -------------------------------------------------
  void FormCreate(TObject* Sender);
  void FormShow(TObject* Sender);
  void FormDestroy(TObject* Sender);
  void FormNotebookChange(TObject* Sender, Integer NewTab, bool& AllowChange);
  void BtnOKClick(TObject* Sender);
  void BtnCancelClick(TObject* Sender);
  // The title bar's close button (and the system close keystroke) asks the
  // question Cancel asks before changes are discarded.
  void FormCloseQuery(TObject* Sender, bool& CanClose);

  // --- Translations page -----------------------------------------------------
  void GetTranslatorProps();
  void RefreshPropList();
  void PropListClick(TObject* Sender);
  // The index of the first line of List for Path (the path followed by "=",
  // or the whole line), or -1.
  static int GetPropIndex(const String& Path, const TStrings* List);
  // Whether a value is in literal form (begins with "'" or "#").
  static bool IsStringLiteral(const String& Value);
  void RemoveSelection();
  void EdtTranslationExit(TObject* Sender);
  void EdtTranslationKeyDown(TObject* Sender, Windows::WORD& Key, TShiftState Shift);
  void BtnNewClick(TObject* Sender);
  void BtnRemoveClick(TObject* Sender);
  void PropListKeyDown(TObject* Sender, Windows::WORD& Key, TShiftState Shift);

  // --- Form page: browser and common properties ------------------------------
  void ListAvailClick(TObject* Sender);
  void ListAvailMouseMove(TObject* Sender, TShiftState Shift, Integer X, Integer Y);
  void BtnSelectClick(TObject* Sender);
  void BtnIncludePropClick(TObject* Sender);
  // Replaces the first bracketed index of S by "*": Items[12] -> Items[*].
  static void RemoveIndex(String& S);
  void CommonPropListClick(TObject* Sender);
  void BtnAddCommonClick(TObject* Sender);
  void BtnDeleteCommonClick(TObject* Sender);
  void BtnDefaultClick(TObject* Sender);
  void BtnSetClick(TObject* Sender);

  // --- Options, fonts, reading order and dictionary pages --------------------
  void CkxMoveClick(TObject* Sender);
  void BtnEditFontClick(TObject* Sender);
  void BtnDisplayFontClick(TObject* Sender);
  void GroupReadingOrderClick(TObject* Sender);
  void BtnTranslateClick(TObject* Sender);
  void BtnExportClick(TObject* Sender);
  void BtnLoadClick(TObject* Sender);
  void BtnSaveClick(TObject* Sender);

  // --- State, for tests ------------------------------------------------------
  bool Modified() const { return FModified; }
  const String& CurrentValue() const { return FCurrentValue; }
  TSortList* WorkList() const { return FWorkList.get(); }
  TStringList* FormProps() const { return FFormProps.get(); }
  TStringList* DefaultCommon() const { return FDefaultCommon.get(); }
  TGlossmith* Translator() const { return FTranslator; }

 private:
  // The dictionary page's four buttons share one procedure.
  enum class TFileOperation { Translate, Export, Load, Save };
  void RunFileOperation(TFileOperation Operation);
  // Save and Export: whether to write FileName, asking the person when it lies
  // outside the folder tree of the form being designed.
  bool ConfirmWriting(const String& FileName);
  // The decoded text of a line's value; the value as it stands when it is no
  // well-formed literal.
  String Decoded(const String& Value) const;
  // Whether a value of the form property list is a string property's: a
  // literal, which has at least two characters ('' or #9). A character
  // property's value is its one character, which may be ' or # itself.
  static bool IsStringValue(const String& FormValue);
  // The text the memos show for a value of Path's line: decoded, except for a
  // property that the form shows as no string.
  String Shown(const String& Path, const String& Value) const;
  // Text encoded for the working line of Path: as a literal when the
  // property shows a string on the form, else as typed.
  String EncodedFor(const String& Path, const String& Text) const;
  // Moves the current item of PropList by Step (PageUp, PageDown).
  void MoveCurrent(int Step);

  bool FModified = false;
  // Cancel asked its question and was told Yes: closing asks no more.
  bool FDiscardConfirmed = false;
  String FCurrentValue;
  std::unique_ptr<TStringList> FDefaultCommon;
  std::unique_ptr<TStringList> FFormProps;
  String FSelectedPattern;
  Integer FHintIndex = 0;
  TGlossmith* FTranslator = nullptr;
  std::unique_ptr<TSortList> FWorkList;
  Integer FSavedHintPause = -1;
};

// The settings of the editor: key and section.
inline constexpr const char* EditorSettingsKey = "Software\\Orvanta";
inline constexpr const char* EditorSettingsSection = "Glossmith";

}  // namespace Glossmith::inline GlsEdit

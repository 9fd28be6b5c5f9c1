#include "glsedit/GlsEdit.h"

#include "gls/StorageSupport.h"
#include "gls/Diagnostics.h"
#include "host/classes/Streams.h"
#include "host/formfiles/FormFiles.h"
#include "host/platform/Registry.h"
#include "host/platform/Resources.h"
#include "host/platform/ToolIntf.h"

namespace Glossmith::inline GlsEdit {

GLS_IMPLEMENT_CLASS(TFormEditor)

namespace {

// The path of a line (the text before its first "=") and its value (at most
// MaxValueLength characters after it).
String PathOf(const String& Line) { return Line.substr(0, Line.find('=')); }

String ValueOf(const String& Line) {
  size_t eq = Line.find('=');
  return eq == String::npos ? String() : Line.substr(eq + 1, MaxValueLength);
}

// Whether a key may enter text in a memo, as opposed to moving the caret,
// deleting, a modifier alone, or a shortcut.
bool EntersText(Windows::WORD Key, TShiftState Shift) {
  using namespace Windows;
  if (Shift.Contains(ssCtrl) || Shift.Contains(ssAlt)) return false;
  switch (Key) {
    case VK_BACK:
    case VK_DELETE:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
    case VK_INSERT:
      return false;
    default:
      return true;
  }
}

String CommonPropertyName(int Index) { return Format("CommonProperty[%s]", {IntToStr(Index)}); }

// The dialog's settings are a convenience: settings that cannot be written
// (a read-only or foreign file, a folder in the way, no home folder) are a
// warning, and the edit goes on.
template <class F>
void KeepSettings(F&& write) {
  try {
    write();
  } catch (const Exception& e) {
    TDiagnostic warning;
    warning.Kind = TDiagnosticKind::SettingsNotSaved;
    warning.Message = "the editor's settings are not saved: " + e.Message();
    ReportDiagnostic(warning);
  }
}

// Shows the hourglass for the time of one operation, whatever happens.
class THourGlass {
 public:
  THourGlass() : FSaved(Screen->Cursor()) { Screen->SetCursor(crHourGlass); }
  ~THourGlass() { Screen->SetCursor(FSaved); }
  THourGlass(const THourGlass&) = delete;
  THourGlass& operator=(const THourGlass&) = delete;

 private:
  TCursor FSaved;
};

}  // namespace

void TFormEditor::Publish(TPublisher<TFormEditor>& P) {
  using E = TFormEditor;
  P.Field("BtnOK", &E::BtnOK);
  P.Field("BtnCancel", &E::BtnCancel);
  P.Field("FormNotebook", &E::FormNotebook);
  P.Field("Bevel1", &E::Bevel1);
  P.Field("LblTot", &E::LblTot);
  P.Field("LblNrOfTranslations", &E::LblNrOfTranslations);
  P.Field("CkxMove", &E::CkxMove);
  P.Field("GroupEditFont", &E::GroupEditFont);
  P.Field("LblEditFont", &E::LblEditFont);
  P.Field("BtnEditFont", &E::BtnEditFont);
  P.Field("GroupDisplayFont", &E::GroupDisplayFont);
  P.Field("LblDisplayFont", &E::LblDisplayFont);
  P.Field("BtnDisplayFont", &E::BtnDisplayFont);
  P.Field("GroupReadingOrder", &E::GroupReadingOrder);
  P.Field("LblTranslate", &E::LblTranslate);
  P.Field("LblLoad", &E::LblLoad);
  P.Field("LblSave", &E::LblSave);
  P.Field("BtnTranslate", &E::BtnTranslate);
  P.Field("BtnLoad", &E::BtnLoad);
  P.Field("BtnSave", &E::BtnSave);
  P.Field("LblResList", &E::LblResList);
  P.Field("PropList", &E::PropList);
  P.Field("LblTranslation", &E::LblTranslation);
  P.Field("EdtTranslation", &E::EdtTranslation);
  P.Field("FontDialog1", &E::FontDialog1);
  P.Field("BtnRemove", &E::BtnRemove);
  P.Field("LblStringsLocalized", &E::LblStringsLocalized);
  P.Field("LblLocalized", &E::LblLocalized);
  P.Field("OpenDialog1", &E::OpenDialog1);
  P.Field("SaveDialog1", &E::SaveDialog1);
  P.Field("GroupFarEastern", &E::GroupFarEastern);
  P.Field("Label1", &E::Label1);
  P.Field("BtnNew", &E::BtnNew);
  P.Field("BtnExport", &E::BtnExport);
  P.Field("LblExport", &E::LblExport);
  P.Field("Bevel4", &E::Bevel4);
  P.Field("Bevel5", &E::Bevel5);
  P.Field("PropNotebook", &E::PropNotebook);
  P.Field("LblAvailableProps", &E::LblAvailableProps);
  P.Field("ListAvail", &E::ListAvail);
  P.Field("LblCommonProps", &E::LblCommonProps);
  P.Field("CommonPropList", &E::CommonPropList);
  P.Field("BtnAddCommon", &E::BtnAddCommon);
  P.Field("BtnDeleteCommon", &E::BtnDeleteCommon);
  P.Field("BtnDefault", &E::BtnDefault);
  P.Field("BtnSet", &E::BtnSet);
  P.Field("EdtOrgTranslation", &E::EdtOrgTranslation);
  P.Field("Label2", &E::Label2);
  P.Field("GrpSelected", &E::GrpSelected);
  P.Field("BtnIncludeProp", &E::BtnIncludeProp);
  P.Field("LblSelected", &E::LblSelected);
  P.Field("GrpCommon", &E::GrpCommon);
  P.Field("BtnSelect", &E::BtnSelect);
  P.Field("CkxEmpty", &E::CkxEmpty);

  using Notify = void(TObject*);
  using Key = void(TObject*, Windows::WORD&, TShiftState);
  P.Method<Notify>("FormCreate", &E::FormCreate);
  P.Method<Notify>("FormShow", &E::FormShow);
  P.Method<Notify>("FormDestroy", &E::FormDestroy);
  P.Method<void(TObject*, Integer, bool&)>("FormNotebookChange", &E::FormNotebookChange);
  P.Method<Notify>("BtnOKClick", &E::BtnOKClick);
  P.Method<Notify>("BtnCancelClick", &E::BtnCancelClick);
  P.Method<void(TObject*, bool&)>("FormCloseQuery", &E::FormCloseQuery);
  P.Method<Notify>("PropListClick", &E::PropListClick);
  P.Method<Key>("PropListKeyDown", &E::PropListKeyDown);
  P.Method<Notify>("EdtTranslationExit", &E::EdtTranslationExit);
  P.Method<Key>("EdtTranslationKeyDown", &E::EdtTranslationKeyDown);
  P.Method<Notify>("BtnNewClick", &E::BtnNewClick);
  P.Method<Notify>("BtnRemoveClick", &E::BtnRemoveClick);
  P.Method<Notify>("ListAvailClick", &E::ListAvailClick);
  P.Method<void(TObject*, TShiftState, Integer, Integer)>("ListAvailMouseMove",
                                                          &E::ListAvailMouseMove);
  P.Method<Notify>("BtnSelectClick", &E::BtnSelectClick);
  P.Method<Notify>("BtnIncludePropClick", &E::BtnIncludePropClick);
  P.Method<Notify>("CommonPropListClick", &E::CommonPropListClick);
  P.Method<Notify>("BtnAddCommonClick", &E::BtnAddCommonClick);
  P.Method<Notify>("BtnDeleteCommonClick", &E::BtnDeleteCommonClick);
  P.Method<Notify>("BtnSetClick", &E::BtnSetClick);
  P.Method<Notify>("BtnDefaultClick", &E::BtnDefaultClick);
  P.Method<Notify>("CkxMoveClick", &E::CkxMoveClick);
  P.Method<Notify>("BtnEditFontClick", &E::BtnEditFontClick);
  P.Method<Notify>("BtnDisplayFontClick", &E::BtnDisplayFontClick);
  P.Method<Notify>("GroupReadingOrderClick", &E::GroupReadingOrderClick);
  P.Method<Notify>("BtnTranslateClick", &E::BtnTranslateClick);
  P.Method<Notify>("BtnExportClick", &E::BtnExportClick);
  P.Method<Notify>("BtnLoadClick", &E::BtnLoadClick);
  P.Method<Notify>("BtnSaveClick", &E::BtnSaveClick);
}

// The dialog reads its form file when it is created, as a form class with a
// form file does, and then fires OnCreate.
TFormEditor::TFormEditor(TComponent* AOwner) : TForm(AOwner) {
  ReadFormInto(this, FindResource("TFORMEDITOR"));
  DoCreate();
}

// OnDestroy runs while the dialog is still whole.
TFormEditor::~TFormEditor() { DoDestroy(); }

// ---------------------------------------------------------------------------
// The dialog as a whole

void TFormEditor::FormCreate(TObject*) {
  FWorkList = std::make_unique<TSortList>();
  FFormProps = std::make_unique<TStringList>();
  FDefaultCommon = std::make_unique<TStringList>();
}

void TFormEditor::FormShow(TObject*) {
  THourGlass hourGlass;
  // The browser's hints follow the mouse from item to item; they show sooner
  // while the dialog is open, and the application's own delay comes back
  // when it closes.
  if (FSavedHintPause < 0) FSavedHintPause = Application->HintPause();
  Application->SetHintPause(400);

  FSelectedPattern = LblSelected->Caption();
  FDefaultCommon->Assign(CommonPropList->Items());
  CommonPropList->Items()->Clear();
  FormNotebook->SetPageIndex(0);
  PropNotebook->SetPageIndex(0);

  FWorkList->Clear();
  TStrings* translations = FTranslator->Translations();
  for (int i = 0; i < translations->Count(); ++i) FWorkList->Add(translations->Strings(i));
  FFormProps->Clear();
  FTranslator->TranslateForm(FFormProps.get(), true);
  if (FWorkList->Count() == 0) GetTranslatorProps();
  RefreshPropList();

  {
    TRegIniFile settings(EditorSettingsKey);
    const String section = EditorSettingsSection;
    CkxMove->SetChecked(settings.ReadBool(section, "MoveNextUntranslated", CkxMove->Checked()));
    EdtTranslation->Font()->SetName(
        settings.ReadString(section, "EditFontName", EdtTranslation->Font()->Name()));
    PropList->Font()->SetName(
        settings.ReadString(section, "DisplayFontName", PropList->Font()->Name()));
    GroupReadingOrder->SetItemIndex(
        settings.ReadInteger(section, "ReadingOrderIndex", GroupReadingOrder->ItemIndex()));
    for (int i = 0;; ++i) {
      String name = settings.ReadString(section, CommonPropertyName(i), String());
      if (name.empty()) break;
      CommonPropList->Items()->Add(name);
    }
    if (CommonPropList->Items()->Count() == 0)
      CommonPropList->Items()->Assign(FDefaultCommon.get());
  }
  GroupReadingOrderClick(this);
  CommonPropListClick(this);
  LblEditFont->SetCaption(EdtTranslation->Font()->Name());
  LblDisplayFont->SetCaption(PropList->Font()->Name());
}

void TFormEditor::FormDestroy(TObject*) {
  if (FSavedHintPause >= 0) Application->SetHintPause(FSavedHintPause);
  FSavedHintPause = -1;
  FDefaultCommon.reset();
  FFormProps.reset();
  FWorkList.reset();
}

void TFormEditor::FormNotebookChange(TObject*, Integer NewTab, bool&) {
  if (NewTab != 1) return;
  LblTot->SetCaption(IntToStr(PropList->Items()->Count()));
  int localized = 0;
  for (int i = 0; i < FWorkList->Count(); ++i) {
    const String& line = FWorkList->Strings(i);
    if (!Shown(PathOf(line), ValueOf(line)).empty()) ++localized;
  }
  LblLocalized->SetCaption(IntToStr(localized));
}

void TFormEditor::BtnOKClick(TObject*) {
  if (!FModified) {
    SetModalResult(mrCancel);
    return;
  }
  // The lines go back as they stand, in the working list's order.
  TStrings* translations = FTranslator->Translations();
  translations->BeginUpdate();
  translations->Clear();
  for (int i = 0; i < FWorkList->Count(); ++i) translations->Add(FWorkList->Strings(i));
  translations->EndUpdate();
}

void TFormEditor::BtnCancelClick(TObject*) {
  if (FModified &&
      MessageDlg("Do you want to discard the changes ?", mtWarning, {mbYes, mbNo}, 0) != mrYes)
    return;
  FDiscardConfirmed = true;
  SetModalResult(mrCancel);
}

// Every way out but OK discards the working list; only Cancel used to ask,
// so the title bar's close button lost a person's work without a word.
void TFormEditor::FormCloseQuery(TObject*, bool& CanClose) {
  const bool confirmed = FDiscardConfirmed;
  FDiscardConfirmed = false;
  if (ModalResult() == mrOk || !FModified || confirmed) return;
  CanClose =
      MessageDlg("Do you want to discard the changes ?", mtWarning, {mbYes, mbNo}, 0) == mrYes;
}

// ---------------------------------------------------------------------------
// Translations page

// The whole path: Button1.Capt must not find the line of Button1.Caption,
// whose value would then be shown, or overwritten by an edit.
int TFormEditor::GetPropIndex(const String& Path, const TStrings* List) {
  if (Path.empty()) return -1;
  for (int i = 0; i < List->Count(); ++i) {
    const String& line = List->Strings(i);
    if (line.starts_with(Path) && (line.size() == Path.size() || line[Path.size()] == '='))
      return i;
  }
  return -1;
}

bool TFormEditor::IsStringLiteral(const String& Value) {
  return !Value.empty() && (Value[0] == '\'' || Value[0] == '#');
}

String TFormEditor::Decoded(const String& Value) const {
  String text = Value;
  try {
    TGlossmith::ConvertFromLiterals(text);
  } catch (const EConvertError&) {
    // A character property holding "#" (or a hand-made line): shown as it
    // stands rather than an error each time the property is chosen.
  }
  return text;
}

bool TFormEditor::IsStringValue(const String& FormValue) {
  return IsStringLiteral(FormValue) && FormValue.size() > 1;
}

String TFormEditor::Shown(const String& Path, const String& Value) const {
  const int i = GetPropIndex(Path, FFormProps.get());
  if (i >= 0 && !IsStringValue(ValueOf(FFormProps->Strings(i)))) return Value;
  return Decoded(Value);
}

String TFormEditor::EncodedFor(const String& Path, const String& Text) const {
  int i = GetPropIndex(Path, FFormProps.get());
  String value = Text;
  if (i >= 0 && IsStringValue(ValueOf(FFormProps->Strings(i))))
    TGlossmith::ConvertToLiterals(value);
  return value;
}

void TFormEditor::RemoveSelection() {
  for (int i = 0; i < PropList->Items()->Count(); ++i) PropList->SetSelected(i, false);
}

void TFormEditor::GetTranslatorProps() {
  TComponent* form = FTranslator->Owner();
  if (!form) return;
  for (int c = 0; c < form->ComponentCount(); ++c) {
    auto* other = dynamic_cast<TGlossmith*>(form->Components(c));
    if (!other || other == FTranslator || other->Translations()->Count() == 0) continue;
    if (MessageDlg(Format("Do you want to insert properties from %s ?", {other->Name()}),
                   mtInformation, {mbYes, mbNo}, 0) != mrYes)
      continue;
    // The paths and the values of other kinds are taken over; every string
    // translation starts empty.
    TStrings* lines = other->Translations();
    for (int i = 0; i < lines->Count(); ++i) {
      const String line = lines->Strings(i);
      size_t eq = line.find('=');
      String head = eq == String::npos ? line : line.substr(0, eq + 1);
      String value = eq == String::npos ? String() : line.substr(eq + 1);
      if (IsStringLiteral(value)) value = "''";
      FWorkList->Add(head + value);
    }
    FModified = true;
    return;
  }
}

void TFormEditor::RefreshPropList() {
  TStrings* props = PropList->Items();
  TStrings* avail = ListAvail->Items();
  props->BeginUpdate();
  avail->BeginUpdate();
  struct TEndUpdates {
    TStrings* A;
    TStrings* B;
    ~TEndUpdates() {
      B->EndUpdate();
      A->EndUpdate();
    }
  } endUpdates{props, avail};

  const int current = PropList->ItemIndex();
  const String remembered =
      current >= 0 && current < props->Count() ? props->Strings(current) : String();
  props->Clear();
  for (int i = 0; i < FWorkList->Count(); ++i) props->Add(PathOf(FWorkList->Strings(i)));
  PropList->SetItemIndex(remembered.empty() ? -1 : props->IndexOf(remembered));

  avail->Clear();
  for (int i = FFormProps->Count() - 1; i >= 0; --i) {
    String path = PathOf(FFormProps->Strings(i));
    if (path.starts_with("ActiveControl") || props->IndexOf(path) >= 0) continue;
    avail->Add(path);
  }
  CommonPropListClick(this);
  ListAvailClick(this);
  PropListClick(this);
}

void TFormEditor::PropListClick(TObject*) {
  EdtOrgTranslation->Clear();
  EdtTranslation->Clear();
  const int current = PropList->ItemIndex();
  if (current < 0 || current >= PropList->Items()->Count()) {
    BtnRemove->SetEnabled(false);
    EdtTranslation->SetColor(clBtnFace);
    EdtTranslation->SetEnabled(false);
    return;
  }
  BtnRemove->SetEnabled(true);
  const String path = PropList->Items()->Strings(current);
  if (int i = GetPropIndex(path, FFormProps.get()); i >= 0) {
    FCurrentValue = Shown(path, ValueOf(FFormProps->Strings(i)));
    EdtOrgTranslation->SetText(FCurrentValue);
  }
  EdtTranslation->SetColor(clWindow);
  EdtTranslation->SetEnabled(true);
  if (int i = GetPropIndex(path, FWorkList.get()); i >= 0) {
    FCurrentValue = Shown(path, ValueOf(FWorkList->Strings(i)));
    EdtTranslation->SetText(FCurrentValue);
  }
}

void TFormEditor::EdtTranslationExit(TObject*) {
  const String text = EdtTranslation->Text();
  if (text == FCurrentValue) return;
  const int current = PropList->ItemIndex();
  if (current < 0 || current >= PropList->Items()->Count()) return;
  const String path = PropList->Items()->Strings(current);
  int i = GetPropIndex(path, FWorkList.get());
  if (i < 0) return;
  FWorkList->SetStrings(i, path + "=" + EncodedFor(path, text));
  FModified = true;
}

void TFormEditor::MoveCurrent(int Step) {
  EdtTranslationExit(this);
  RemoveSelection();
  const int count = PropList->Items()->Count();
  for (int next = PropList->ItemIndex() + Step; next >= 0 && next < count;
       next = PropList->ItemIndex() + Step) {
    PropList->SetItemIndex(next);
    PropListClick(this);
    if (!CkxMove->Checked() || EdtTranslation->Text().empty()) break;
  }
  if (PropList->ItemIndex() >= 0) PropList->SetSelected(PropList->ItemIndex(), true);
}

void TFormEditor::EdtTranslationKeyDown(TObject*, Windows::WORD& Key, TShiftState Shift) {
  switch (Key) {
    case Windows::VK_ESCAPE: {
      const int current = PropList->ItemIndex();
      if (current < 0 || current >= PropList->Items()->Count()) return;
      const String path = PropList->Items()->Strings(current);
      if (int i = GetPropIndex(path, FWorkList.get()); i >= 0)
        FWorkList->SetStrings(i, path + "=" + EncodedFor(path, FCurrentValue));
      EdtTranslation->SetText(FCurrentValue);
      return;
    }
    case Windows::VK_PRIOR:
      MoveCurrent(-1);
      return;
    case Windows::VK_NEXT:
      MoveCurrent(+1);
      return;
    default:
      // Right-to-left entry where the system does not provide it: every key
      // that enters text first puts the caret at the start, so typed
      // characters enter from the left end. Keys that move the caret or
      // delete (and shortcuts) act where the person put the caret.
      if (GroupReadingOrder->ItemIndex() == 0 && !UserInterface().HandlesRightToLeftInput() &&
          EntersText(Key, Shift)) {
        EdtTranslation->SetSelStart(0);
        EdtTranslation->SetSelLength(0);
      }
  }
}

void TFormEditor::BtnNewClick(TObject*) {
  String path;
  if (!InputQuery("Add a property", "Please enter the property name", path)) return;
  // An empty name names no property: a line "=" could never be found again.
  if (path.empty() || PropList->Items()->IndexOf(path) >= 0) return;
  // Nor may a path go into the list that the translation file or the form
  // would hold in a line no reader can read back.
  if (const String problem = PropertyPathProblem(path); !problem.empty()) {
    MessageDlg(problem, mtError, {mbOK}, 0);
    return;
  }
  RemoveSelection();
  String line = path + "=";
  if (int i = GetPropIndex(path, FFormProps.get()); i >= 0) {
    const String value = ValueOf(FFormProps->Strings(i));
    line += IsStringValue(value) ? String("''") : value;
  }
  FWorkList->SortInsert(line, nullptr);
  const int added = PropList->Items()->Add(path);
  PropList->SetItemIndex(added);
  PropList->SetSelected(added, true);
  PropListClick(this);
  // The added line is a change to commit: OK would otherwise drop it.
  FModified = true;
}

void TFormEditor::BtnRemoveClick(TObject*) {
  if (PropList->SelCount() <= 0) return;
  if (MessageDlg("Do you want to remove the selected property ?", mtWarning, {mbYes, mbNo}, 0) !=
      mrYes)
    return;
  TStrings* items = PropList->Items();
  for (int i = items->Count() - 1; i >= 0; --i) {
    if (!PropList->Selected(i)) continue;
    const String path = items->Strings(i);
    if (GetPropIndex(path, FFormProps.get()) >= 0) ListAvail->Items()->Add(path);
    for (int w = 0; w < FWorkList->Count(); ++w)
      if (FWorkList->Strings(w).starts_with(path + "=")) {
        FWorkList->Delete(w);
        break;
      }
    items->Delete(i);
  }
  PropListClick(this);
  FModified = true;
}

void TFormEditor::PropListKeyDown(TObject*, Windows::WORD& Key, TShiftState) {
  if (Key == Windows::VK_INSERT)
    BtnNewClick(this);
  else if (Key == Windows::VK_DELETE)
    BtnRemoveClick(this);
}

// ---------------------------------------------------------------------------
// Form page: browser and common properties

void TFormEditor::ListAvailClick(TObject*) {
  const int selected = ListAvail->SelCount();
  BtnIncludeProp->SetEnabled(selected > 0);
  LblSelected->SetCaption(Format(FSelectedPattern, {IntToStr(selected)}));
}

void TFormEditor::ListAvailMouseMove(TObject*, TShiftState, Integer X, Integer Y) {
  const int item = ListAvail->ItemAtPos(TPoint{X, Y}, true);
  if (item < 0) return;
  const int line = GetPropIndex(ListAvail->Items()->Strings(item), FFormProps.get());
  ListAvail->SetHint(line >= 0 ? ValueOf(FFormProps->Strings(line)) : String());
  if (item != FHintIndex) Application->CancelHint();
  FHintIndex = item;
}

void TFormEditor::RemoveIndex(String& S) {
  const size_t open = S.find('[');
  if (open == String::npos) return;
  const size_t close = S.find(']');
  if (close != String::npos && close > open) S.erase(open + 1, close - open - 1);
  S.insert(open + 1, "*");
}

void TFormEditor::BtnSelectClick(TObject*) {
  TStrings* items = ListAvail->Items();
  for (int i = 0; i < items->Count(); ++i) ListAvail->SetSelected(i, false);
  for (int i = 0; i < items->Count(); ++i) {
    const String path = items->Strings(i);
    String candidate = path;
    RemoveIndex(candidate);
    // Common entries match whole trailing parts of the path, cut at a ".".
    bool matches = false;
    for (;;) {
      if (CommonPropList->Items()->IndexOf(candidate) >= 0) {
        matches = true;
        break;
      }
      const size_t dot = candidate.find('.');
      if (dot == String::npos) break;
      candidate = candidate.substr(dot + 1, 255);
    }
    if (!matches) continue;
    const int line = GetPropIndex(path, FFormProps.get());
    if (line < 0) continue;
    if (CkxEmpty->Checked() || !Shown(path, ValueOf(FFormProps->Strings(line))).empty())
      ListAvail->SetSelected(i, true);
  }
  ListAvailClick(this);
}

void TFormEditor::BtnIncludePropClick(TObject*) {
  THourGlass hourGlass;
  TStrings* items = ListAvail->Items();
  for (int i = items->Count() - 1; i >= 0; --i) {
    if (!ListAvail->Selected(i)) continue;
    const String path = items->Strings(i);
    String suffix = "=";
    if (int line = GetPropIndex(path, FFormProps.get()); line >= 0) {
      const String value = ValueOf(FFormProps->Strings(line));
      suffix = IsStringValue(value) ? String("=''") : ("=" + value).substr(0, MaxValueLength);
    }
    FWorkList->SortInsert(path + suffix, nullptr);
    PropList->Items()->Add(path);
    items->Delete(i);
    FModified = true;
  }
  ListAvailClick(this);
}

void TFormEditor::CommonPropListClick(TObject*) {
  BtnDeleteCommon->SetEnabled(CommonPropList->ItemIndex() >= 0);
  BtnSelect->SetEnabled(CommonPropList->Items()->Count() > 0);
}

void TFormEditor::BtnAddCommonClick(TObject*) {
  String name;
  InputQuery("Create a new common property", "Specify the property name", name);
  if (name.empty()) return;
  if (const String problem = PropertyPathProblem(name); !problem.empty()) {
    MessageDlg(problem, mtError, {mbOK}, 0);
    return;
  }
  CommonPropList->SetItemIndex(CommonPropList->Items()->Add(name));
  BtnSet->SetEnabled(true);
  CommonPropListClick(this);
}

void TFormEditor::BtnDeleteCommonClick(TObject*) {
  const int selected = CommonPropList->ItemIndex();
  if (selected < 0) return;
  CommonPropList->Items()->Delete(selected);
  CommonPropList->SetItemIndex(-1);
  BtnSet->SetEnabled(true);
  CommonPropListClick(this);
}

void TFormEditor::BtnSetClick(TObject*) {
  TRegIniFile settings(EditorSettingsKey);
  TStrings* items = CommonPropList->Items();
  std::vector<std::pair<String, String>> values;
  for (int i = 0; i < items->Count(); ++i)
    values.emplace_back(CommonPropertyName(i), items->Strings(i));
  // Entries of a longer earlier list are blanked up to the first empty one.
  for (int i = items->Count();
       !settings.ReadString(EditorSettingsSection, CommonPropertyName(i), String()).empty(); ++i)
    values.emplace_back(CommonPropertyName(i), String());
  KeepSettings([&] { settings.WriteStrings(EditorSettingsSection, values); });
}

void TFormEditor::BtnDefaultClick(TObject*) {
  {
    TRegIniFile settings(EditorSettingsKey);
    std::vector<std::pair<String, String>> blanks;
    for (int i = 0;
         !settings.ReadString(EditorSettingsSection, CommonPropertyName(i), String()).empty(); ++i)
      blanks.emplace_back(CommonPropertyName(i), String());
    if (!blanks.empty())
      KeepSettings([&] { settings.WriteStrings(EditorSettingsSection, blanks); });
  }
  CommonPropList->Items()->Assign(FDefaultCommon.get());
  CommonPropListClick(this);
}

// ---------------------------------------------------------------------------
// Options, fonts, reading order

void TFormEditor::CkxMoveClick(TObject*) {
  KeepSettings([&] {
    TRegIniFile(EditorSettingsKey)
        .WriteBool(EditorSettingsSection, "MoveNextUntranslated", CkxMove->Checked());
  });
}

void TFormEditor::BtnEditFontClick(TObject*) {
  FontDialog1->Font()->Assign(EdtTranslation->Font());
  if (!FontDialog1->Execute()) return;
  EdtTranslation->Font()->Assign(FontDialog1->Font());
  LblEditFont->SetCaption(EdtTranslation->Font()->Name());
  KeepSettings([&] {
    TRegIniFile(EditorSettingsKey)
        .WriteString(EditorSettingsSection, "EditFontName", EdtTranslation->Font()->Name());
  });
}

void TFormEditor::BtnDisplayFontClick(TObject*) {
  FontDialog1->Font()->Assign(PropList->Font());
  if (!FontDialog1->Execute()) return;
  PropList->Font()->Assign(FontDialog1->Font());
  EdtOrgTranslation->Font()->Assign(FontDialog1->Font());
  LblDisplayFont->SetCaption(PropList->Font()->Name());
  KeepSettings([&] {
    TRegIniFile(EditorSettingsKey)
        .WriteString(EditorSettingsSection, "DisplayFontName", PropList->Font()->Name());
  });
}

void TFormEditor::GroupReadingOrderClick(TObject*) {
  EdtTranslation->SetAlignment(GroupReadingOrder->ItemIndex() == 0 ? taRightJustify
                                                                   : taLeftJustify);
  KeepSettings([&] {
    TRegIniFile(EditorSettingsKey)
        .WriteInteger(EditorSettingsSection, "ReadingOrderIndex", GroupReadingOrder->ItemIndex());
  });
}

// ---------------------------------------------------------------------------
// Dictionary page

void TFormEditor::BtnTranslateClick(TObject*) { RunFileOperation(TFileOperation::Translate); }
void TFormEditor::BtnExportClick(TObject*) { RunFileOperation(TFileOperation::Export); }
void TFormEditor::BtnLoadClick(TObject*) { RunFileOperation(TFileOperation::Load); }
void TFormEditor::BtnSaveClick(TObject*) { RunFileOperation(TFileOperation::Save); }

// In the designer the form's folder is the open project's: a name typed in
// the file dialog is resolved against the working folder, which may lie
// anywhere, so a file outside the form's folder tree is written only once
// the person has seen where.
bool TFormEditor::ConfirmWriting(const String& FileName) {
  TComponent* form = FTranslator->Owner();
  if (!form || !form->ComponentState().Contains(csDesigning)) return true;
  const String folder = FTranslator->GetAppDir();
  if (folder.empty() || glsstorage::FileIsWithin(FileName, folder)) return true;
  return MessageDlg(
             Format("%s lies outside the folder of the form (%s). Write it there ?",
                    {glsstorage::ResolvedFileName(FileName), glsstorage::ResolvedFileName(folder)}),
             mtConfirmation, {mbYes, mbNo}, 0) == mrYes;
}

// Each operation works on a translator of its own, owned by the edited
// translator's form (so that it sees the same form and form name), holding a
// copy of the working list, and freed at the end whatever happens. Translate
// and Load take the list over when the file exists; Save and Export write at
// once.
void TFormEditor::RunFileOperation(TFileOperation Operation) {
  const bool opens = Operation == TFileOperation::Translate || Operation == TFileOperation::Load;
  TOpenDialog* dialog = opens ? OpenDialog1 : SaveDialog1;
  TLabel* title = Operation == TFileOperation::Translate ? LblTranslate
                  : Operation == TFileOperation::Export  ? LblExport
                  : Operation == TFileOperation::Load    ? LblLoad
                                                         : LblSave;
  dialog->SetTitle(title->Caption());
  std::unique_ptr<TGlossmith> temporary = std::make_unique<TGlossmith>(FTranslator->Owner());
  temporary->Translations()->Assign(FWorkList.get());
  if (!dialog->Execute()) return;
  const String fileName = dialog->FileName();
  if (!opens && !ConfirmWriting(fileName)) return;
  bool found = false;
  switch (Operation) {
    case TFileOperation::Translate:
      found = temporary->TranslateFrom(fileName);
      break;
    case TFileOperation::Export:
      temporary->TranslateTo(fileName);
      ToolServices->FileWritten(fileName);
      break;
    case TFileOperation::Load:
      found = temporary->LoadFrom(fileName);
      break;
    case TFileOperation::Save:
      temporary->SaveTo(fileName);
      ToolServices->FileWritten(fileName);
      break;
  }
  if (!opens || !found) return;
  FWorkList->Assign(temporary->Translations());
  FModified = true;
  RefreshPropList();
  PropListClick(this);
}

}  // namespace Glossmith::inline GlsEdit

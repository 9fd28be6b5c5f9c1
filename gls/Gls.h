// Unit Gls: the translator component TGlossmith and its sorted list.
#pragma once

#include <optional>
#include <vector>

#include "gls/SortList.h"
#include "host/classes/Classes.h"
#include "host/platform/Windows.h"

namespace Glossmith::inline Gls {

// Limits on the texts the translator takes from its lines: a value applied to
// a property is cut to MaxAppliedValueLength characters; a value taken from
// a line anywhere else, a system-menu text among them, to MaxValueLength; a
// locale text to MaxLocaleLength.
constexpr size_t MaxAppliedValueLength = 4098;
constexpr size_t MaxValueLength = 4095;
constexpr size_t MaxLocaleLength = 255;
// The longest property path whose translation-file line reads back: the
// path, "%", a locale of up to 11 characters and "=" within the
// MaxValueLength characters read after the form name.
constexpr size_t MaxPathLength = MaxValueLength - 13;

// Why a property path that a person typed cannot be kept in a translation
// list (it would be written in a line that no reader can read back), or
// empty when it can: it is longer than MaxPathLength, or holds "=" (the end
// of the path), "%" (the start of the locale in a file line) or a line break.
String PropertyPathProblem(std::string_view Path);

// Events of the translator. Sender is always the translator; List the list
// the walk applies or collects into; Skip is false on entry.
using TTranslateFormEvent = TEvent<void(TObject* Sender, TStrings* List, bool& Skip)>;
using TTranslateComponentEvent =
    TEvent<void(TObject* Sender, TComponent* Component, TStrings* List, bool& Skip)>;
using TTranslatePropertyEvent = TEvent<void(TObject* Sender, const String& PropName,
                                            PPropInfo PropInfo, TStrings* List, bool& Skip)>;
using TTranslatedEvent = TEvent<void(TObject* Sender, TStrings* List)>;

// A translation entry whose value could not be applied: the conversion error
// it raised (the same message), with the entry as the list holds it, path
// "=" value, and the name of the translator that applied it (empty when the
// error arose outside a walk). It is an EConvertError like the error it
// carries, so that callers see the same failure; those that report it can
// say which entry failed and look for where that entry came from.
class ETranslationEntryError : public EConvertError {
 public:
  ETranslationEntryError(const String& message, String entry, String translator)
      : EConvertError(message), FEntry(std::move(entry)), FTranslator(std::move(translator)) {}
  const String& Entry() const { return FEntry; }
  const String& Translator() const { return FTranslator; }

 private:
  String FEntry;
  String FTranslator;
};

class TGlossmith;

// What ShowEditor needs of the translations editor dialog (TFormEditor, unit
// GlsEdit), which lives in the layer above: ShowEditor creates the dialog by
// its class name, as the virtual constructor does, and hands it the
// translator through this interface, so that a program that only translates
// links no editor.
class TTranslationsEditor {
 public:
  virtual void SetTranslator(TGlossmith* Translator) = 0;

 protected:
  ~TTranslationsEditor() = default;
};

// The translator: replaces the published property values of its owner form
// and of the components the form owns with the values of its translation
// list, keeps the values it replaced and puts them back on request.
class TGlossmith : public TComponent {
  GLS_CLASS(TGlossmith, TComponent)
 public:
  explicit TGlossmith(TComponent* AOwner);
  ~TGlossmith() override;
  static void Publish(TPublisher<TGlossmith>& P);

  // --- Published properties -------------------------------------------------
  const String& About() const { return FAbout; }
  void SetAbout(const String& Value) { FAbout = Value; }
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  Integer Locale() const { return FLocale; }
  void SetLocale(Integer Value) { FLocale = Value; }
  bool Translate() const { return FTranslate; }
  // Switches this translator and the translators of the same Locale.
  void SetTranslate(bool Value);
  bool TranslateEmpty() const { return FTranslateEmpty; }
  void SetTranslateEmpty(bool Value) { FTranslateEmpty = Value; }
  // The translation list (a TSortList, in its order).
  TStrings* Translations() const { return FTranslations.get(); }
  // Replaces the translation list with Value's lines, inserted in order.
  void SetTranslations(TStrings* Value);

  TTranslateFormEvent OnTranslateForm;
  TTranslateComponentEvent OnTranslateComponent;
  TTranslatePropertyEvent OnTranslateProperty;
  TTranslatedEvent OnTranslated;

  // --- Switching and walking -------------------------------------------------
  void Loaded() override;
  // Switches this translator alone.
  void InternalTranslate(bool Value);
  // Puts the saved originals back.
  void RestoreForm();
  // One walk over the owner: applies List (Collect false) or appends a line
  // path=value for every property visited (Collect true). True when the walk
  // took place.
  bool TranslateForm(TStrings* List, bool Collect);
  // Looks Path up in the active list; on true, Index is the line to apply.
  // Only the insertion position of the bare Path and its two neighbours are
  // examined, so a list out of order may hide lines.
  bool WantTranslate(const String& Path, int& Index) const;

  // The walk over one object's published properties, string lists and
  // collections.
  void TranslateClass(TObject* Obj, const String& Path, bool Collect);
  void SetStrings(TObject* Obj, const String& Path, bool Collect);
  void SetCollection(TObject* Obj, const String& Path, bool Collect);
  // The text form of a property's value, and applying a line to a property.
  String GetProp(TObject* Obj, PPropInfo PropInfo);
  bool TranslateProp(TObject* Obj, PPropInfo PropInfo, int Index);
  // The owner form's system-menu entries as virtual properties.
  void TranslateVirtual(bool Collect);

  // --- Literal encoding (no translator state) --------------------------------
  static void ConvertToLiterals(String& S);
  static void ConvertFromLiterals(String& S);

  // --- Storage in the form file ----------------------------------------------
  bool StoreTranslationsInForm() const;
  void DefineProperties(TFiler* Filer) override;
  void ReadStorage(TReader* Reader);
  void WriteStorage(TWriter* Writer);
  // The file that writing the form saves the translation list into: the one
  // FileName names, resolved as WriteStorage resolves it; empty when FileName
  // is empty (the list is then in the form). A program that writes the form
  // somewhere else can send that save to another file, or suppress it with
  // an empty name, without changing FileName and so the form it writes;
  // ResetStorageFile goes back to FileName.
  String StorageFile() const;
  void SetStorageFile(const String& FileName) { FStorageFile = FileName; }
  void ResetStorageFile() { FStorageFile.reset(); }

  // --- Translation file --------------------------------------------------------
  // SaveTo and TranslateTo (and SaveAllTo and TranslateAllTo) hold the file's
  // lock (TFileLock) from reading the file to writing it, so that processes
  // saving into one file at once keep each other's lines.
  void SaveTo(const String& FileName);
  bool LoadFrom(const String& FileName);
  String GetAppDir() const;
  // Saves each translator in turn into one file, in one pass: the file is
  // locked, read and written once and ends as calling SaveTo for each in turn
  // leaves it. An error ends the pass: the translators before the one that
  // raised it are saved, as SaveTo would have saved them, then it passes on.
  // TTranslationFileUpdate (gls/FileUpdate.h) does the same one translator at
  // a time.
  static void SaveAllTo(const std::vector<TGlossmith*>& Translators, const String& FileName);

  // --- Dictionary ----------------------------------------------------------------
  void TranslateTo(const String& FileName);
  bool TranslateFrom(const String& FileName);
  // Exports each translator in turn into one dictionary, in one pass, as
  // calling TranslateTo for each in turn would; errors as for SaveAllTo.
  static void TranslateAllTo(const std::vector<TGlossmith*>& Translators, const String& FileName);
  static String WriteString(const String& S);
  static String ReadString(const String& S);

  // --- Design time ---------------------------------------------------------------
  // Shows the translations editor dialog on this translator's list; true when
  // the developer closed it with OK. The other translators of every form are
  // switched to their original texts first, and this one while the dialog is
  // open. Raises EComponentError when the editor is not linked in.
  bool ShowEditor();
  // Shows the About box.
  void ShowAbout();

  // --- State, for the storage operations, the editor and tests ---------------
  // The saved originals, complete also in the middle of a walk.
  TSortList* Originals() const;
  // The list the current walk applies or collects into. After a walk over
  // the translation list it stays that list; after a walk over any other
  // list it is again what it was before.
  TStrings* ActiveList() const { return FActiveList; }
  bool IsTranslated() const { return FIsTranslated; }
  bool IsLoaded() const { return FIsLoaded; }

 public:
  // The state of one binary search of the active list (used by the walk).
  struct TSearch;

 private:
  struct TWalkFrame;

  // The walk proper: Path is one buffer that grows and shrinks as the walk
  // descends, and Frame the objects on the current path with the part of the
  // lookup that the paths below them share.
  void WalkObject(TObject* Obj, String& Path, bool Collect, const TWalkFrame* Parent);
  void WalkStrings(TStrings* Strings, String& Path, bool Collect, const TWalkFrame* Parent);
  void WalkCollection(TCollection* Collection, String& Path, bool Collect,
                      const TWalkFrame* Parent);
  bool InitFrame(TWalkFrame& Frame, const TObject* Obj, const TWalkFrame* Parent,
                 std::string_view Prefix, bool Collect) const;
  void WalkProperty(TObject* Obj, PPropInfo Prop, String& Path, bool Collect,
                    const TWalkFrame& Frame);
  bool Lookup(const TStrings* List, std::string_view Path, const TWalkFrame* Frame,
              int& Index) const;
  // Whether a collecting walk keeps the line of Path (see FCollectOnly).
  bool Collects(std::string_view Path, const TWalkFrame* Frame) const;
  // TranslateProp once the event has let the line through.
  bool ApplyLine(TObject* Obj, PPropInfo PropInfo, int Index, const String& Line);

  // Saved originals are gathered during a walk and merged into FOriginals
  // when it ends, so that a walk that changes n values costs n log n, not n².
  void RecordOriginal(String Line, TObject* AObject);
  void FlushOriginals() const;
  // Visits each other translator of this Locale on every form of the
  // application, in form and component order, until Visit returns true.
  template <class F>
  bool ForEachPartner(F&& Visit);
  // Whether a line with an empty value is applied: always while originals
  // are put back.
  bool ApplyEmpty() const { return FTranslateEmpty || FRestoring; }
  // The original texts SaveTo writes: entries path=value of exactly the paths
  // that have a translation entry, from the saved originals when the form
  // shows translated texts (so saving never changes what it shows), else from
  // a collecting walk.
  std::vector<String> OriginalsToSave();
  friend class TTranslationFileUpdate;
  friend class TDictionaryUpdate;

  // Tells MDI windows that the menus holding the form's caption changed.
  void RefreshMDI();
  void CaptureMenuText(unsigned Id, const String& Name, bool Collect, int Index,
                       Windows::TMenu* Menu);

  String FAbout;
  Integer FLocale = 0;
  std::unique_ptr<TSortList> FOriginals;
  bool FTranslate = true;
  bool FTranslateEmpty = false;
  std::unique_ptr<TSortList> FTranslations;
  String FFileName;
  TStrings* FActiveList = nullptr;
  // Set while OriginalsToSave collects and no handler sees the list: a
  // collecting walk then formats and adds only the lines whose path has an
  // entry here (Collects), the only ones that are kept.
  const TStringList* FCollectOnly = nullptr;
  bool FIsTranslated = false;
  bool FIsLoaded = false;

  std::optional<String> FStorageFile;
  bool FRestoring = false;
  int FWalkDepth = 0;
  mutable std::vector<TStringList::TStringItem> FPendingOriginals;
};

}  // namespace Glossmith::inline Gls

// Unit Gls: the translator component TGlossmith and its sorted list.
#pragma once

#include "gls/SortList.h"
#include "host/Classes.h"

class TFiler;
class TReader;
class TWriter;

// Events of the translator. Sender is always the translator; List the list
// the walk applies or collects into; Skip is false on entry.
using TTranslateFormEvent = TEvent<void(TObject* Sender, TStrings* List, bool& Skip)>;
using TTranslateComponentEvent =
    TEvent<void(TObject* Sender, TComponent* Component, TStrings* List, bool& Skip)>;
using TTranslatePropertyEvent = TEvent<void(TObject* Sender, const String& PropName,
                                            PPropInfo PropInfo, TStrings* List, bool& Skip)>;
using TTranslatedEvent = TEvent<void(TObject* Sender, TStrings* List)>;

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
  void SetAbout(const String& value) { FAbout = value; }
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& value) { FFileName = value; }
  Integer Locale() const { return FLocale; }
  void SetLocale(Integer value) { FLocale = value; }
  bool Translate() const { return FTranslate; }
  // Switches this translator and the translators of the same Locale.
  void SetTranslate(bool Value);
  bool TranslateEmpty() const { return FTranslateEmpty; }
  void SetTranslateEmpty(bool value) { FTranslateEmpty = value; }
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

  // --- Translation file --------------------------------------------------------
  void SaveTo(const String& FileName);
  bool LoadFrom(const String& FileName);
  String GetAppDir() const;

  // --- Dictionary ----------------------------------------------------------------
  void TranslateTo(const String& FileName);
  bool TranslateFrom(const String& FileName);
  static String WriteString(const String& S);
  static String ReadString(const String& S);

  // --- State, for the storage operations, the editor and tests ---------------
  TSortList* Originals() const { return FOriginals.get(); }
  TStrings* ActiveList() const { return FActiveList; }
  bool IsTranslated() const { return FIsTranslated; }
  bool IsLoaded() const { return FIsLoaded; }

 private:
  void CaptureMenuText(unsigned Id, const String& Name, bool Collect, int Index,
                       void* Menu);

  String FAbout;
  Integer FLocale = 0;
  std::unique_ptr<TSortList> FOriginals;
  bool FTranslate = true;
  bool FTranslateEmpty = false;
  std::unique_ptr<TSortList> FTranslations;
  String FFileName;
  TStrings* FActiveList = nullptr;
  bool FIsTranslated = false;
  bool FIsLoaded = false;
};

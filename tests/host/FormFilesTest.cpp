#include <gtest/gtest.h>

#include "host/FormDump.h"
#include "host/classes/Filer.h"
#include "host/classes/Generic.h"
#include "host/controls/Forms.h"
#include "host/controls/Graphics.h"
#include "host/controls/Menus.h"
#include "host/formfiles/FormBinary.h"
#include "host/formfiles/FormFiles.h"
#include "host/formfiles/FormParser.h"
#include "support/TestSupport.h"

namespace {

enum TShape : uint8_t { shCircle, shSquare, shTriangle };
enum TSide : uint8_t { sdLeft, sdTop, sdRight, sdBottom };
using TSides = TSet<TSide>;

GLS_ENUM_TYPEINFO(TShape, "shCircle", "shSquare", "shTriangle")
GLS_ENUM_TYPEINFO(TSide, "sdLeft", "sdTop", "sdRight", "sdBottom")
GLS_SET_TYPEINFO(TSides, TSide)

std::vector<String> GLog;

class TSampleItem : public TCollectionItem {
  GLS_CLASS(TSampleItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  static void Publish(TPublisher<TSampleItem>& P) {
    P.Str("Title", &TSampleItem::FTitle);
    P.Int("Width", &TSampleItem::FWidth).Default(50);
  }
  String FTitle;
  Integer FWidth = 50;
};
GLS_IMPLEMENT_CLASS(TSampleItem)

// A component with a property of every kind the reader sets by its switch.
class TSample : public TComponent {
  GLS_CLASS(TSample, TComponent)
 public:
  explicit TSample(TComponent* AOwner) : TComponent(AOwner) {}
  static void Publish(TPublisher<TSample>& P) {
    P.Int("Count", &TSample::FCount).Default(0);
    P.Int64Prop("Big", &TSample::FBig).Default(0);
    P.Bool("Active", &TSample::FActive).Default(false);
    P.Char("Letter", &TSample::FLetter).Default(0);
    P.Enum("Shape", &TSample::FShape).Default(shCircle);
    P.Set("Sides", &TSample::FSides).Default(0);
    P.Str("Caption", &TSample::FCaption, &TSample::SetCaption);
    P.Float("Ratio", &TSample::FRatio);
    P.IntOf("Color", TColorTypeInfo(), &TSample::FColor).Default(clWindow);
    P.Obj("Font", &TSample::FFont);
    P.Obj("Lines", &TSample::FLines);
    P.Obj("Columns", &TSample::FColumns);
    P.Obj("Buddy", &TSample::FBuddy);
    P.Event("OnClick", &TSample::OnClick);
  }
  void SetCaption(const String& v) {
    FCaption = v;
    if (ComponentState().Contains(csLoading)) GLog.push_back("loading " + Name());
  }
  void Loaded() override {
    TComponent::Loaded();
    GLog.push_back("loaded " + Name() + (FBuddy ? " buddy " + FBuddy->Name() : String()));
  }
  Integer FCount = 0;
  Int64 FBig = 0;
  bool FActive = false;
  char FLetter = 0;
  TShape FShape = shCircle;
  TSides FSides;
  String FCaption;
  double FRatio = 0;
  TColor FColor = clWindow;
  TFont FFont;
  TStringList FLines;
  TCollection FColumns{TSampleItem::StaticClass(), this};
  TSample* FBuddy = nullptr;
  TNotifyEvent OnClick;
};
GLS_IMPLEMENT_CLASS(TSample)

// A form class the program registers, with a handler events bind to.
class TSampleForm : public TForm {
  GLS_CLASS(TSampleForm, TForm)
 public:
  explicit TSampleForm(TComponent* AOwner) : TForm(AOwner) {}
  static void Publish(TPublisher<TSampleForm>& P) {
    P.Method<void(TObject*)>("SampleClick", &TSampleForm::SampleClick);
  }
  void SampleClick(TObject* Sender) { Clicked = Sender; }
  TObject* Clicked = nullptr;
};
GLS_IMPLEMENT_CLASS(TSampleForm)

// A component whose constructor starts its properties at other values than
// their declared defaults, as a class does that changes what its ancestor
// starts with.
class TPreset : public TComponent {
  GLS_CLASS(TPreset, TComponent)
 public:
  explicit TPreset(TComponent* AOwner) : TComponent(AOwner) { FFont.SetPitch(fpFixed); }
  static void Publish(TPublisher<TPreset>& P) {
    P.Int("Count", &TPreset::FCount).Default(0);
    P.Bool("Active", &TPreset::FActive).Default(false);
    P.Enum("Shape", &TPreset::FShape).Default(shCircle);
    P.Set("Sides", &TPreset::FSides).Default(0);
    P.Str("Caption", &TPreset::FCaption);
    P.Float("Ratio", &TPreset::FRatio);
    P.Obj("Font", &TPreset::FFont);
  }
  Integer FCount = 3;
  bool FActive = true;
  TShape FShape = shSquare;
  TSides FSides{sdTop};
  String FCaption = "preset";
  double FRatio = 1.5;
  TFont FFont;
};
GLS_IMPLEMENT_CLASS(TPreset)

// A collection item whose constructor starts away from its declared default.
class TPresetItem : public TCollectionItem {
  GLS_CLASS(TPresetItem, TCollectionItem)
 public:
  using TCollectionItem::TCollectionItem;
  static void Publish(TPublisher<TPresetItem>& P) {
    P.Int("Width", &TPresetItem::FWidth).Default(0);
  }
  Integer FWidth = 50;
};
GLS_IMPLEMENT_CLASS(TPresetItem)

class TPresetList : public TComponent {
  GLS_CLASS(TPresetList, TComponent)
 public:
  explicit TPresetList(TComponent* AOwner)
      : TComponent(AOwner), FItems(TPresetItem::StaticClass(), this) {}
  static void Publish(TPublisher<TPresetList>& P) { P.Obj("Items", &TPresetList::FItems); }
  TCollection FItems;
};
GLS_IMPLEMENT_CLASS(TPresetList)

std::unique_ptr<TComponent> Read(const String& text, const TClassInfo* cls = nullptr) {
  return std::unique_ptr<TComponent>(ReadFormFromString(text, nullptr, cls));
}

String Lines(std::initializer_list<const char*> lines) {
  String out;
  for (const char* l : lines) out += String(l) + "\r\n";
  return out;
}

TEST(FormFilesTest, EveryValueKindReadsIntoDeclaredPropertiesAndWritesBackInOrder) {
  String text = Lines({
      "object SampleForm1: TSampleForm",
      "  object A: TSample",
      "    Count = -42",
      "    Big = 9223372036854775807",
      "    Active = True",
      "    Letter = 'x'",
      "    Shape = shTriangle",
      "    Sides = [sdLeft, sdBottom]",
      "    Caption = 'It''s '#1060#1072' ok'",
      "    Ratio = 1.5",
      "    Color = clBtnFace",
      "    Font.Name = 'Tahoma'",
      "    Font.Style = [fsBold]",
      "    Lines.Strings = (",
      "      'one'",
      "      'two')",
      "    Columns = <",
      "      item",
      "        Title = 'First'",
      "      end",
      "      item",
      "        Width = 80",
      "      end>",
      "    Buddy = B",
      "    OnClick = SampleClick",
      "  end",
      "  object B: TSample",
      "    Color = $00112233",
      "  end",
      "end",
  });
  auto form = Read(text);
  auto* a = dynamic_cast<TSample*>(form->FindComponent("A"));
  auto* b = dynamic_cast<TSample*>(form->FindComponent("B"));
  ASSERT_TRUE(a && b);
  EXPECT_EQ(form->ClassName(), "TSampleForm");
  EXPECT_EQ(a->FCount, -42);
  EXPECT_EQ(a->FBig, INT64_MAX);
  EXPECT_TRUE(a->FActive);
  EXPECT_EQ(a->FLetter, 'x');
  EXPECT_EQ(a->FShape, shTriangle);
  EXPECT_EQ(a->FSides, (TSides{sdLeft, sdBottom}));
  EXPECT_EQ(a->FCaption, "It's \xD0\xA4\xD0\xB0 ok");
  EXPECT_EQ(a->FRatio, 1.5);
  EXPECT_EQ(a->FColor, clBtnFace);
  EXPECT_EQ(a->FFont.Name(), "Tahoma");
  EXPECT_EQ(a->FFont.Style(), TFontStyles{fsBold});
  EXPECT_EQ(a->FLines.Text(), "one\r\ntwo\r\n");
  ASSERT_EQ(a->FColumns.Count(), 2);
  EXPECT_EQ(static_cast<TSampleItem*>(a->FColumns.Items(0))->FTitle, "First");
  EXPECT_EQ(static_cast<TSampleItem*>(a->FColumns.Items(1))->FWidth, 80);
  EXPECT_EQ(a->FBuddy, b);
  EXPECT_EQ(b->FColor, 0x00112233);
  EXPECT_TRUE(a->DynamicProperties().empty());
  // The event is bound to the form's method of that name.
  ASSERT_TRUE(a->OnClick);
  a->OnClick(a);
  EXPECT_EQ(static_cast<TSampleForm*>(form.get())->Clicked, a);

  String written = WriteFormToString(form.get());
  EXPECT_NE(written.find(Lines({
                "  object A: TSample",
                "    Count = -42",
                "    Big = 9223372036854775807",
                "    Active = True",
                "    Letter = 'x'",
                "    Shape = shTriangle",
                "    Sides = [sdLeft, sdBottom]",
                "    Caption = 'It''s '#1060#1072' ok'",
                "    Ratio = 1.5",
                "    Color = clBtnFace",
                "    Font.Charset = DEFAULT_CHARSET",
                "    Font.Color = clWindowText",
                "    Font.Height = -11",
                "    Font.Name = 'Tahoma'",
                "    Font.Style = [fsBold]",
                "    Lines.Strings = (",
                "      'one'",
                "      'two')",
                "    Columns = <",
                "      item",
                "        Title = 'First'",
                "      end",
                "      item",
                "        Width = 80",
                "      end>",
                "    Buddy = B",
                "    OnClick = SampleClick",
                "  end",
                "  object B: TSample",
                "    Color = 1122867",
                "    Font.Charset = DEFAULT_CHARSET",
                "    Font.Color = clWindowText",
                "    Font.Height = -11",
                "    Font.Name = 'MS Sans Serif'",
                "    Font.Style = []",
                "  end",
                "end",
            })),
            String::npos)
      << written;
  EXPECT_EQ(WriteFormToString(Read(written).get()), written);
}

// Leaving out a value at its declared default would lose it here: a new
// instance starts elsewhere, and the reader sets only what the file holds.
TEST(FormFilesTest, AValueAtItsDefaultIsWrittenWhenANewInstanceHoldsAnother) {
  TDataModule module(nullptr);
  module.SetName("Module1");
  auto* preset = new TPreset(&module);
  preset->SetName("P");
  preset->FCount = 0;
  preset->FActive = false;
  preset->FShape = shCircle;
  preset->FSides = {};
  preset->FCaption.clear();
  preset->FRatio = 0;
  preset->FFont.SetPitch(fpDefault);
  const String written = WriteFormToString(&module);

  auto root = Read(written);
  auto* back = dynamic_cast<TPreset*>(root->FindComponent("P"));
  ASSERT_NE(back, nullptr) << written;
  EXPECT_EQ(back->FCount, 0) << written;
  EXPECT_FALSE(back->FActive);
  EXPECT_EQ(back->FShape, shCircle);
  EXPECT_EQ(back->FSides, TSides{});
  EXPECT_EQ(back->FCaption, "");
  EXPECT_EQ(back->FRatio, 0.0);
  EXPECT_EQ(back->FFont.Pitch(), fpDefault);  // a sub-object compares with a new one's
}

TEST(FormFilesTest, ACollectionItemAtItsDefaultIsWrittenWhenANewItemHoldsAnother) {
  TDataModule module(nullptr);
  module.SetName("Module1");
  auto* list = new TPresetList(&module);
  list->SetName("L");
  static_cast<TPresetItem*>(list->FItems.Add())->FWidth = 0;
  static_cast<TPresetItem*>(list->FItems.Add())->FWidth = 70;
  const String written = WriteFormToString(&module);

  auto root = Read(written);
  auto* back = dynamic_cast<TPresetList*>(root->FindComponent("L"));
  ASSERT_NE(back, nullptr) << written;
  ASSERT_EQ(back->FItems.Count(), 2) << written;
  EXPECT_EQ(static_cast<TPresetItem*>(back->FItems.Items(0))->FWidth, 0) << written;
  EXPECT_EQ(static_cast<TPresetItem*>(back->FItems.Items(1))->FWidth, 70) << written;
}

TEST(FormFilesTest, UnknownClassesAndPropertiesAreKeptTypedByTheirValues) {
  String text = Lines({
      "object Main: TForm",
      "  object X: TMainUnknown",
      "    Left = $00C0",
      "    Scale = 1.000000000000000000",
      "    Stamp = 45123.5d",
      "    Caption = 'Hello'",
      "    Align = alClient",
      "    Visible = False",
      "    Anchors = [akLeft, akTop]",
      "    Items.Strings = (",
      "      'a'",
      "      'b')",
      "    DesignSize = (",
      "      880",
      "      504)",
      "    Glyph.Data = {",
      "      0102}",
      "    Value = Null",
      "    Huge = 12345678901",
      "    Images = fmMain.ImageList1",
      "    Panels = <",
      "      item",
      "        Sub = <",
      "          item",
      "            Text = 'x'",
      "          end>",
      "      end>",
      "    OnClick = MainClick",
      "    object Inner: TUnknownThing [2]",
      "      Tag = 7",
      "    end",
      "  end",
      "end",
  });
  auto root = Read(text);
  TComponent* form = root->FindComponent("X");
  ASSERT_NE(form, nullptr);
  auto kind = [&](const TObject* o, const char* name) {
    PPropInfo p = GetPropInfo(o, name);
    return p ? p->Kind() : tkUnknown;
  };
  EXPECT_EQ(form->ClassName(), "TMainUnknown");
  EXPECT_TRUE(form->Is<TGenericComponent>());
  EXPECT_EQ(kind(form, "Left"), tkInteger);
  EXPECT_EQ(GetOrdProp(form, "Left"), 192);
  EXPECT_EQ(kind(form, "Scale"), tkFloat);
  EXPECT_EQ(kind(form, "Caption"), tkLString);
  EXPECT_EQ(GetStrProp(form, "Caption"), "Hello");
  EXPECT_EQ(kind(form, "Align"), tkEnumeration);
  EXPECT_EQ(kind(form, "Visible"), tkEnumeration);
  EXPECT_EQ(kind(form, "Anchors"), tkSet);
  EXPECT_EQ(kind(form, "Items"), tkClass);
  auto* items = dynamic_cast<TStrings*>(GetObjectProp(form, GetPropInfo(form, "Items")));
  ASSERT_NE(items, nullptr);
  EXPECT_EQ(items->Text(), "a\r\nb\r\n");
  EXPECT_EQ(kind(form, "DesignSize"), tkArray);
  EXPECT_EQ(kind(form, "Value"), tkVariant);
  EXPECT_EQ(kind(form, "Huge"), tkInt64);
  EXPECT_EQ(kind(form, "Images"), tkEnumeration);
  EXPECT_EQ(kind(form, "Panels"), tkClass);
  EXPECT_EQ(kind(form, "OnClick"), tkMethod);
  TObject* glyph = GetObjectProp(form, GetPropInfo(form, "Glyph"));
  EXPECT_EQ(kind(glyph, "Data"), tkDynArray);
  TComponent* inner = root->FindComponent("Inner");
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(inner->ClassName(), "TUnknownThing");
  EXPECT_EQ(inner->Tag(), 7);
  EXPECT_EQ(inner->FilerFlags().ChildPos, 2);

  // The translator can change what it finds; the rest is written as read.
  SetStrProp(form, "Caption", "Hallo");
  items->SetStrings(0, "A");
  String expected = text;
  expected.replace(expected.find("'Hello'"), 7, "'Hallo'");
  expected.replace(expected.find("'a'"), 3, "'A'");
  String written = WriteFormToString(root.get());
  size_t at = written.find("  object X");
  ASSERT_NE(at, String::npos);
  EXPECT_EQ(written.substr(at), expected.substr(expected.find("  object X")));
}

TEST(FormFilesTest, TheSizeAFormFileGivesSurvivesItsMenuBar) {
  // The menu is assigned when the reading ends, after the sizes: the client
  // size that newer designers write without AutoScroll stays the client
  // size, and an outer size stays the outer size.
  auto client = Read(Lines({"object F: TForm", "  ClientHeight = 200", "  ClientWidth = 300",
                            "  Menu = MainMenu1", "  object MainMenu1: TMainMenu", "  end",
                            "end"}));
  auto* form = dynamic_cast<TForm*>(client.get());
  ASSERT_NE(form, nullptr);
  ASSERT_NE(form->Menu(), nullptr);
  EXPECT_EQ(form->ClientHeight(), 200);
  EXPECT_EQ(form->ClientWidth(), 300);
  // Once read, the form is an outer-size form again: a menu bar set later
  // takes its room from the client area.
  form->SetMenu(nullptr);
  EXPECT_EQ(form->ClientHeight(), 219);

  auto outer = Read(Lines({"object F: TForm", "  Height = 300", "  Width = 400",
                           "  Menu = MainMenu1", "  object MainMenu1: TMainMenu", "  end",
                           "end"}));
  form = dynamic_cast<TForm*>(outer.get());
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Height(), 300);
  EXPECT_EQ(form->ClientHeight(), 300 - 8 - 19 - 19);
}

TEST(FormFilesTest, AValueOfTheWrongShapeForADeclaredPropertyIsKeptAsRead) {
  auto form = Read(Lines({
      "object F: TForm",
      "  object A: TSample",
      "    Shape = shHexagon",
      "    Count = 'many'",
      "    Sides = [sdLeft, sdMiddle]",
      "    Lines.Strings = (",
      "      1",
      "      2)",
      "    Buddy = Nowhere",
      "  end",
      "end",
  }));
  auto* a = dynamic_cast<TSample*>(form->FindComponent("A"));
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->FShape, shCircle);
  EXPECT_EQ(a->FCount, 0);
  EXPECT_EQ(a->FLines.Count(), 0);
  EXPECT_EQ(a->FBuddy, nullptr);
  EXPECT_EQ(a->DynamicProperties().size(), 4u);
  EXPECT_EQ(a->FLines.DynamicProperties().size(), 1u);
  String written = WriteFormToString(form.get());
  for (const char* kept : {"Shape = shHexagon", "Count = 'many'", "Sides = [sdLeft, sdMiddle]",
                           "Lines.Strings = (\r\n      1\r\n      2)", "Buddy = Nowhere"})
    EXPECT_NE(written.find(kept), String::npos) << kept << "\n" << written;
  EXPECT_EQ(WriteFormToString(Read(written).get()), written);
}

TEST(FormFilesTest, AValueThatDoesNotConvertAndAnUnknownPropertyAreReportedWithTheirLines) {
  const String text = Lines({
      "object F: TForm",              // 1
      "  Width = abc",                // 2
      "  Colour = clRed",             // 3
      "  object A: TSample",          // 4
      "    Shape = shHexagon",        // 5
      "    Lines.Strings = (",        // 6
      "      1)",                     // 7
      "    Spacing.Around = 6",       // 8
      "    Spacing.Left = 2",         // 9
      "  end",                        // 10
      "  object U: TUnknownThing",    // 11
      "    Anything = 1",             // 12
      "  end",                        // 13
      "end",
  });
  std::vector<String> heard;
  TReadWarnings warnings([&](const TReadWarning& w) { heard.push_back(w.Message); });
  auto form = Read(text);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->FindComponent("A")->DynamicProperties().size(), 2u) << "kept as read";
  std::vector<std::pair<int, String>> got;
  for (const TReadWarning& w : warnings.List()) got.emplace_back(w.Line, w.Message);
  EXPECT_EQ(got,
            (std::vector<std::pair<int, String>>{
                {2, "TForm.Width: abc is not a valid Integer value; it is kept as read"},
                {3, "TForm has no property Colour; it is kept as read"},
                {5, "TSample.Shape: shHexagon is not a valid TShape value; it is kept as read"},
                {6, "TStringList: Error reading Strings: string expected; it is kept as read"},
                {8, "TSample has no property Spacing; it is kept as read"}}));
  EXPECT_EQ(heard.size(), got.size());
  // Written and read again, the form says the same.
  TReadWarnings again;
  Read(WriteFormToString(form.get()));
  EXPECT_EQ(again.List().size(), got.size());
}

TEST(FormFilesTest, LongStringsListsAndBinaryAreLaidOutAsTheClassicWriter) {
  String longText(70, 'a');
  longText += "\r\n\xC3\xA9";  // é
  String bytes;
  for (int i = 0; i < 40; ++i) bytes += static_cast<char>(i);
  TFormObject root;
  root.Name = "F";
  root.ClassName = "TThing";
  root.Properties.push_back({"Hint", TFormValue::MakeString(longText), 0});
  TFormValue list = TFormValue::MakeOfKind(TFormValueKind::List);
  list.Items.push_back(TFormValue::MakeString("short"));
  list.Items.push_back(TFormValue::MakeString(longText));
  root.Properties.push_back({"Items.Strings", list, 0});
  root.Properties.push_back({"Data", TFormValue::MakeBinary(bytes), 0});
  root.Properties.push_back({"Raw", TFormValue::MakeString("caf\xE9 \xF0\x9F\x98\x80"), 0});
  root.Properties.push_back({"Empty", TFormValue::MakeOfKind(TFormValueKind::List), 0});
  String a64(64, 'a');
  String expected = Lines({
      "object F: TThing",
      "  Hint = ",
      ("    '" + a64 + "' +").c_str(),
      "    'aaaaaa'#13#10#233",
      "  Items.Strings = (",
      "    'short'",
      "    ",
      ("      '" + a64 + "' +").c_str(),
      "      'aaaaaa'#13#10#233)",
      "  Data = {",
      "    000102030405060708090A0B0C0D0E0F101112131415161718191A1B1C1D1E1F",
      "    2021222324252627}",
      "  Raw = 'caf\xE9 '#55357#56832",
      "  Empty = ()",
      "end",
  });
  String text = FormTreeToString(root);
  EXPECT_EQ(text, expected);
  // Read back: the same values, including the byte that is not UTF-8.
  auto again = ParseFormText(text);
  ASSERT_EQ(again->Properties.size(), root.Properties.size());
  for (size_t i = 0; i < root.Properties.size(); ++i)
    EXPECT_EQ(again->Properties[i], root.Properties[i]) << root.Properties[i].Name;
}

TEST(FormFilesTest, ObjectHeadersKeepInheritanceInlineFramesAndPositions) {
  String text = Lines({
      "inherited Main: TMainForm",
      "  inline Frame1: TFrame1",
      "    inherited Panel1: TPanelX [0]",
      "      object TTabPage",
      "      end",
      "    end",
      "  end",
      "  object Panel1: TPanelX [1]",
      "  end",
      "end",
  });
  auto form = Read(text);
  TComponent* frame = form->FindComponent("Frame1");
  ASSERT_NE(frame, nullptr);
  // The frame's components belong to the frame, so names may repeat.
  EXPECT_NE(frame->FindComponent("Panel1"), nullptr);
  EXPECT_NE(form->FindComponent("Panel1"), frame->FindComponent("Panel1"));
  EXPECT_TRUE(form->FilerFlags().Inherited);
  EXPECT_TRUE(frame->FilerFlags().Inline);
  String written = WriteFormToString(form.get());
  EXPECT_EQ(written.substr(written.find("  inline")), text.substr(text.find("  inline")));
}

TEST(FormFilesTest, ComponentsAreLoadingWhileReadAndLoadedInOrderAfterReferences) {
  GLog.clear();
  auto form = Read(Lines({
      "object F: TForm",
      "  object A: TSample",
      "    Caption = 'a'",
      "    Buddy = C",
      "  end",
      "  object C: TSample",
      "    Caption = 'c'",
      "  end",
      "end",
  }));
  EXPECT_EQ(GLog, (std::vector<String>{"loading A", "loading C", "loaded A buddy C", "loaded C"}));
  for (int i = 0; i < form->ComponentCount(); ++i)
    EXPECT_FALSE(form->Components(i)->ComponentState().Contains(csLoading));
  EXPECT_FALSE(form->ComponentState().Contains(csLoading));
}

TEST(FormFilesTest, AFormReadForDesigningDesignsEveryComponentFromTheStart) {
  const String text = Lines({"object F: TForm", "  object A: TSample", "    Caption = 'a'",
                             "    object B: TSample", "    end", "  end", "end"});
  std::unique_ptr<TComponent> form(ReadFormForDesigning(text));
  EXPECT_TRUE(form->ComponentState().Contains(csDesigning));
  for (int i = 0; i < form->ComponentCount(); ++i)
    EXPECT_TRUE(form->Components(i)->ComponentState().Contains(csDesigning)) << i;
  EXPECT_TRUE((new TSample(form.get()))->ComponentState().Contains(csDesigning))
      << "a component dropped on it later";
  auto running = Read(text);
  EXPECT_FALSE(running->Components(0)->ComponentState().Contains(csDesigning));
}

TEST(FormFilesTest, TheRootBecomesAFormOrADataModuleByItsClass) {
  auto module = Read(Lines({"object dmMain: TdmMain", "  Height = 150", "end"}));
  EXPECT_TRUE(module->Is<TDataModule>());
  EXPECT_EQ(module->ClassName(), "TdmMain");
  auto form = Read(Lines({"object DataModule1: TDataModule1", "  Caption = 'x'", "end"}));
  EXPECT_TRUE(form->Is<TForm>());
  EXPECT_EQ(form->ClassName(), "TDataModule1");
  auto registered = Read(Lines({"object S: TSampleForm", "end"}));
  EXPECT_EQ(&registered->ClassType(), &TSampleForm::StaticClass());
}

TEST(FormFilesTest, MalformedInputRaisesAnErrorWithLineAndColumn) {
  auto message = [](const String& text) -> String {
    try {
      Read(text);
    } catch (const EParserError& e) {
      return e.Message();
    } catch (const EReadError& e) {
      return e.Message();
    }
    return "no error";
  };
  EXPECT_EQ(message("object A: TForm\r\n  Left 12\r\nend\r\n"), "Line 2, column 8: '=' expected");
  EXPECT_EQ(message("object A: TForm\r\n  Caption = 'abc\r\nend\r\n"),
            "Line 2, column 13: unterminated string");
  EXPECT_EQ(message("object A: TForm\r\n  Left = 1\r\n"),
            "Line 3, column 1: property name, object or 'end' expected but end of file found");
  EXPECT_EQ(message("object A: TForm\r\n  Data = {0G}\r\nend"),
            "Line 2, column 12: hexadecimal digit expected but 'G' found");
  EXPECT_EQ(message("object A: TForm\r\n  L = (1 2\r\n  Top = 3\r\nend"),
            "Line 3, column 7: value expected but '=' found");
  EXPECT_EQ(message(""),
            "Line 1, column 1: 'object', 'inherited' or 'inline' expected but end of file found");
  EXPECT_NE(message("TPF0\x05TForm\x01"
                    "A\x04Left\x04\x01")
                .find("unexpected end of data"),
            String::npos);
  EXPECT_NE(message("\xFF\x0A\x00X\x00\x30\x10\xFF\xFF\xFF\x00TPF0").find("Offset"), String::npos);
}

TEST(FormFilesTest, HostileInputIsRejectedWithoutCrashingOrKeepingAForm) {
  int before = Application->ComponentCount();
  auto rejects = [&](const String& data) {
    EXPECT_ANY_THROW(ReadFormFromString(data, Application));
    EXPECT_EQ(Application->ComponentCount(), before);
  };
  String deep;
  for (int i = 0; i < 100000; ++i) deep += "object A" + IntToStr(i) + ": TX\n";
  rejects(deep);
  rejects("object A: TX\n  L = " + String(100000, '(') + "\nend\n");
  rejects("object A: TX\n  L = " + String(100000, '<') + "\nend\n");
  String huge = "object A: TX\n  S = '" + String(100u << 20, 'x') + "'\nend\n";
  rejects(huge);
  huge.clear();
  // A half-read form is freed with what it made.
  rejects("object A: TForm\n  object B: TSample\n    Caption = 'x'\n  end\n  Left = \nend\n");
  rejects("object A: TForm\n  object B: TSample\n  end\n  object B: TForm\n  end\nend\n");
  String garbage;
  uint32_t seed = 12345;
  for (int i = 0; i < 4096; ++i) {
    seed = seed * 1103515245 + 12345;
    garbage += static_cast<char>(seed >> 24);
  }
  rejects(garbage);
  rejects("TPF0" + garbage);
  rejects(
      String("TPF0\x05TForm\x01"
             "A\x04"
             "Data\x0A\xFF\xFF\xFF\x7F",
             20));
}

TEST(FormFilesTest, BinaryFormsCarryTheSameFormAsText) {
  String text = Lines({
      "object F: TForm",
      "  Caption = 'Caf'#233",
      "  object A: TSample [3]",
      "    Count = 100000",
      "    Ratio = 0.1",
      "    Sides = []",
      "    Lines.Strings = (",
      "      'x')",
      "    Columns = <",
      "      item",
      "      end>",
      "    Unknown = (",
      "      Null",
      "      1.5s",
      "      12.5c",
      "      45000d)",
      "    Ranges = [a, $b, 2]",
      "  end",
      "end",
  });
  auto form = Read(text);
  String binary = WriteFormToString(form.get(), TFormFormat::Binary);
  EXPECT_EQ(binary.substr(0, 4), "TPF0");
  auto fromBinary = Read(binary);
  EXPECT_EQ(testsupport::DumpForm(fromBinary.get()), testsupport::DumpForm(form.get()));
  EXPECT_EQ(WriteFormToString(fromBinary.get()), WriteFormToString(form.get()));
  // Behind a 16-bit resource header, as older tools saved it.
  String header = String(
      "\xFF\x0A\x00"
      "F\x00\x30\x10",
      7);
  uint32_t size = static_cast<uint32_t>(binary.size());
  for (int i = 0; i < 4; ++i) header += static_cast<char>(size >> (8 * i));
  auto fromResource = Read(header + binary);
  EXPECT_EQ(testsupport::DumpForm(fromResource.get()), testsupport::DumpForm(form.get()));
}

TEST(FormFilesTest, BinaryLengthsAreOnlyRepairedWhereTheStreamDoesNotReadAsItStands) {
  // A ten-character class name followed by a name whose length byte reads as
  // a letter looks like a damaged length of 13 to a reader that guesses.
  const String text =
      "object F: TForm\r\n  object " + String(108, 'B') + ": TBut2Click\r\n  end\r\nend\r\n";
  auto form = Read(text);
  auto fromBinary = Read(WriteFormToString(form.get(), TFormFormat::Binary));
  EXPECT_EQ(testsupport::DumpForm(fromBinary.get()), testsupport::DumpForm(form.get()));
}

TEST(FormFilesTest, ACharacterOutsideTheBasicPlaneIsNotSplitAcrossPieces) {
  // 63 characters, then one written as a surrogate pair: the pair would
  // straddle the 64-character cut.
  const String text =
      "object F: TForm\r\n  Caption = '" + String(63, 'x') + "'#55357#56832'y'\r\nend\r\n";
  auto form = Read(text);
  const String written = WriteFormToString(form.get());
  EXPECT_NE(written.find("#55357#56832"), String::npos) << written;
  auto again = Read(written);
  EXPECT_EQ(WriteFormToString(again.get()), written);
  EXPECT_EQ(GetStrProp(again.get(), "Caption"), String(63, 'x') + "\xF0\x9F\x98\x80y");
}

TEST(FormFilesTest, NamesBeyondAsciiAreIdentifiersKeptByteForByte) {
  // Component, class and property names, identifier values, set elements and
  // event handlers in UTF-8, as Unicode designers write them.
  const String text = Lines({
      "object Форма1: TФорма1",
      "  Caption = 'Fenêtre'",
      "  Состояние = вкл",
      "  Варианты = [первый, second]",
      "  object Кнопка1: TSample",
      "    Caption = 'OK'",
      "    Buddy = Метка_2",
      "    OnClick = Кнопка1Click",
      "  end",
      "  object Метка_2: TSample",
      "  end",
      "  object Панель: TПанель",
      "    Ширина.Größe = 75",
      "  end",
      "end",
  });
  auto form = Read(text);
  ASSERT_EQ(form->Name(), "Форма1");
  auto* button = dynamic_cast<TSample*>(form->FindComponent("Кнопка1"));
  ASSERT_NE(button, nullptr);
  ASSERT_NE(button->FBuddy, nullptr);
  EXPECT_EQ(button->FBuddy->Name(), "Метка_2");
  EXPECT_EQ(form->FindComponent("Панель")->ClassName(), "TПанель");
  // Identifiers are no strings: written back as they were, not as #codes.
  const String written = WriteFormToString(form.get());
  for (const char* line :
       {"object Форма1: TФорма1\r\n", "  Состояние = вкл\r\n", "  Варианты = [первый, second]\r\n",
        "    Buddy = Метка_2\r\n", "    OnClick = Кнопка1Click\r\n",
        "  object Панель: TПанель\r\n    Ширина.Größe = 75\r\n"})
    EXPECT_NE(written.find(line), String::npos) << line;
  // The binary format stores them as their UTF-8 bytes with their byte length.
  const String binary = WriteFormToString(form.get(), TFormFormat::Binary);
  EXPECT_NE(binary.find("\x0D"
                        "Кнопка1"),
            String::npos);
  auto fromBinary = Read(binary);
  EXPECT_EQ(testsupport::DumpForm(fromBinary.get()), testsupport::DumpForm(form.get()));
  EXPECT_EQ(WriteFormToString(fromBinary.get()), written);

  auto message = [](const String& source) -> String {
    try {
      Read(source);
    } catch (const Exception& e) {
      return e.Message();
    }
    return "no error";
  };
  // Bytes that are not UTF-8 (a code page's letter, a cut sequence) are still
  // no identifier; columns count characters, not bytes.
  EXPECT_EQ(message("object A: TForm\r\n  \xC9tat = 1\r\nend\r\n"),
            "Line 2, column 3: property name, object or 'end' expected but character #201 found");
  EXPECT_EQ(message("object A: TForm\r\n  Left\xD0 = 1\r\nend\r\n"),
            "Line 2, column 7: '=' expected but character #208 found");
  EXPECT_EQ(message("object Окно: TForm\r\n  Имя 12\r\nend\r\n"), "Line 2, column 7: '=' expected");
  EXPECT_EQ(message("object A: TForm\r\n  Left = 12Б\r\nend\r\n"),
            "Line 2, column 12: invalid number");
}

TEST(FormFilesTest, FormsLoadFromFilesOwnedByTheApplicationAndWriteAtomically) {
  testsupport::TempDir dir;
  String name = dir.File("form.dfm");
  String text = Lines({"object Loaded1: TLoadedForm", "  Caption = 'x'", "end"});
  testsupport::WriteFile(name, text);
  std::unique_ptr<TComponent> form(LoadFormFromFile(name));
  EXPECT_EQ(form->Owner(), Application);
  EXPECT_EQ(form->ClassName(), "TLoadedForm");
  // A second copy gets a name of its own, as under the classic library.
  std::unique_ptr<TComponent> second(LoadFormFromFile(name));
  EXPECT_EQ(second->Name(), "Loaded1_1");
  SetStrProp(form.get(), "Caption", "y");
  WriteFormToFile(name, form.get());
  EXPECT_NE(testsupport::ReadFile(name).find("Caption = 'y'"), String::npos);
  testsupport::WriteFile(name, "object X: TForm\n  Left = \nend\n");
  int before = Application->ComponentCount();
  try {
    LoadFormFromFile(name);
    ADD_FAILURE() << "no error";
  } catch (const EReadError& e) {
    EXPECT_NE(e.Message().find("form.dfm: Line 4, column 1"), String::npos) << e.Message();
  }
  EXPECT_EQ(Application->ComponentCount(), before);
}

}  // namespace

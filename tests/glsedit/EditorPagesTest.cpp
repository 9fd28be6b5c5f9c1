// The editor's other pages as a person uses them: the form browser and the
// common properties, the options, fonts and reading order, and the
// dictionary page; then whole runs on the bundled example and on real forms.
#include <filesystem>

#include "EditorFixture.h"
#include "host/classes/Streams.h"
#include "host/formfiles/FormFiles.h"
#include "host/platform/ToolIntf.h"

namespace editortest {
namespace {

constexpr int FormPage = 4;
constexpr int DictionaryPage = 5;

std::vector<String> Selected(const TListBox* list) {
  std::vector<String> items;
  for (int i = 0; i < list->Items()->Count(); ++i)
    if (list->Selected(i)) items.push_back(list->Items()->Strings(i));
  return items;
}

// The first line where two texts differ, for a readable failure.
String FirstDifference(const String& a, const String& b) {
  size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  const size_t start = a.rfind('\n', i) == String::npos ? 0 : a.rfind('\n', i) + 1;
  return "before: " + a.substr(start, a.find('\n', i) - start) +
         "\nafter:  " + b.substr(start, b.find('\n', i) - start);
}

bool Has(const std::vector<String>& items, const String& item) {
  return std::find(items.begin(), items.end(), item) != items.end();
}

TEST_F(EditorTest, SelectPicksTheCommonPropertiesAndSkipsEmptyOnesUnlessAsked) {
  SetTranslations({"Label1.Caption=''"});  // keeps GetTranslatorProps quiet
  Ui.SelectPage("FormNotebook", FormPage).ClickItem("ListAvail", 0).Click("BtnSelect");
  Check([](TFormEditor& e) {
    const auto selected = Selected(e.ListAvail);
    EXPECT_TRUE(Has(selected, "Button1.Caption"));
    EXPECT_FALSE(Has(selected, "Button1.Width"));
    EXPECT_FALSE(Has(selected, "Button1.Hint")) << "empty, and empty ones are not asked for";
    EXPECT_TRUE(Has(selected, "ListBox1.Items[0]")) << "through Items[*]";
    EXPECT_TRUE(Has(selected, "Caption")) << "the form's own caption";
    EXPECT_EQ(e.LblSelected->Caption(), IntToStr(selected.size()) + " Selected");
    EXPECT_TRUE(e.BtnIncludeProp->Enabled());
  });
  Ui.Click("CkxEmpty").Click("BtnSelect");
  Check([](TFormEditor& e) {
    const auto selected = Selected(e.ListAvail);
    EXPECT_TRUE(Has(selected, "Button1.Hint"));
    EXPECT_TRUE(Has(selected, "ListBox1.Hint"));
  }).Click("BtnOK");
  Translator->ShowEditor();
}

TEST_F(EditorTest, CommonEntriesMatchWholeTrailingPartsWithTheFirstIndexAsAStar) {
  TRegIniFile settings = Registry();
  settings.WriteString("Glossmith", "CommonProperty[0]", "caption");  // other letter case
  settings.WriteString("Glossmith", "CommonProperty[1]", "Items");
  settings.WriteString("Glossmith", "CommonProperty[2]", "Items[3]");
  Ui.SelectPage("FormNotebook", FormPage).Click("BtnSelect");
  Check([](TFormEditor& e) {
    const auto selected = Selected(e.ListAvail);
    EXPECT_TRUE(Has(selected, "Button1.Caption"));
    EXPECT_FALSE(Has(selected, "ListBox1.Items[0]")) << "neither Items nor Items[3]";
    EXPECT_FALSE(Has(selected, "Label1.Caption")) << "empty";
  }).Click("BtnOK");
  Translator->ShowEditor();

  String path = "Grid1.Columns[2].PickList[5]";
  TFormEditor::RemoveIndex(path);
  EXPECT_EQ(path, "Grid1.Columns[*].PickList[5]");
  path = "A.Items[]";
  TFormEditor::RemoveIndex(path);
  EXPECT_EQ(path, "A.Items[*]");
}

TEST_F(EditorTest, IncludeGivesEachValueKindItsFirstTranslation) {
  SetTranslations({"Label1.Caption=''"});
  Ui.SelectPage("FormNotebook", FormPage);
  Ui.Step([&](TCustomForm& form) {
    auto& e = dynamic_cast<TFormEditor&>(form);
    Ui.ClickItem("ListAvail", e.ListAvail->Items()->IndexOf("Button1.Caption"))
        .ClickItem("ListAvail", e.ListAvail->Items()->IndexOf("Button1.Width"), TShiftState{ssCtrl})
        .Click("BtnIncludeProp");
    Check([](TFormEditor& e) {
      EXPECT_EQ(e.ListAvail->Items()->IndexOf("Button1.Caption"), -1);
      EXPECT_GE(e.PropList->Items()->IndexOf("Button1.Width"), 0);
      EXPECT_EQ(e.PropList->ItemIndex(), -1) << "Include selects nothing in the list";
      EXPECT_FALSE(e.BtnIncludeProp->Enabled());
      EXPECT_EQ(e.LblSelected->Caption(), "0 Selected");
    }).Click("BtnOK");
  });
  EXPECT_TRUE(Translator->ShowEditor());
  EXPECT_EQ(LinesOf(Translator->Translations()),
            (std::vector<String>{"Button1.Caption=''", "Button1.Width=75", "Label1.Caption=''"}));
}

TEST_F(EditorTest, TheCommonListIsKeptInTheSettingsBySetAndDefault) {
  SetTranslations({"Label1.Caption=''"});
  // Delete two of the 24, add a duplicate, Set.
  Ui.SelectPage("FormNotebook", FormPage)
      .SelectPage("PropNotebook", 1)
      .ClickItem("CommonPropList", 0)
      .Click("BtnDeleteCommon")
      .ClickItem("CommonPropList", 0)
      .Click("BtnDeleteCommon")
      .Click("BtnAddCommon")
      .AnswerInput("Hint")
      .Click("BtnAddCommon")
      .AnswerInput("")  // an empty name adds nothing
      .Click("BtnSet");
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.CommonPropList->Items()->Count(), 23);
    EXPECT_TRUE(e.BtnSet->Enabled());
  }).Click("BtnOK");
  Translator->ShowEditor();
  TRegIniFile settings = Registry();
  EXPECT_EQ(settings.ReadString("Glossmith", "CommonProperty[22]", ""), "Translations[*]");
  EXPECT_EQ(settings.ReadString("Glossmith", "CommonProperty[23]", "x"), "x");
  int hints = 0;
  for (int i = 0; i < 23; ++i)
    hints += settings.ReadString("Glossmith", Format("CommonProperty[%d]", {i}), "") == "Hint";
  EXPECT_EQ(hints, 2) << "duplicates are both stored";

  // Set after deleting two more blanks the stale entries 21 and 22.
  Ui.SelectPage("FormNotebook", FormPage)
      .SelectPage("PropNotebook", 1)
      .ClickItem("CommonPropList", 0)
      .Click("BtnDeleteCommon")
      .ClickItem("CommonPropList", 0)
      .Click("BtnDeleteCommon")
      .Click("BtnSet")
      .Click("BtnOK");
  Translator->ShowEditor();
  // A settings object reads its file once: a new one sees what the dialog wrote.
  settings = Registry();
  EXPECT_FALSE(settings.ReadString("Glossmith", "CommonProperty[20]", "").empty());
  EXPECT_EQ(settings.ReadString("Glossmith", "CommonProperty[21]", "x"), "");
  EXPECT_EQ(settings.ReadString("Glossmith", "CommonProperty[22]", "x"), "");

  // Default blanks them all; the next show has the 24 again.
  Ui.SelectPage("FormNotebook", FormPage).SelectPage("PropNotebook", 1).Click("BtnDefault");
  Check([](TFormEditor& e) { EXPECT_EQ(e.CommonPropList->Items()->Count(), 24); }).Click("BtnOK");
  Translator->ShowEditor();
  EXPECT_EQ(Registry().ReadString("Glossmith", "CommonProperty[0]", "x"), "");
  Check([](TFormEditor& e) { EXPECT_EQ(e.CommonPropList->Items()->Count(), 24); }).Click("BtnOK");
  Translator->ShowEditor();
}

TEST_F(EditorTest, SetWithAnEmptyListBlanksEverythingAndTheDefaultsComeBack) {
  SetTranslations({"Label1.Caption=''"});
  Registry().WriteString("Glossmith", "CommonProperty[0]", "Hint");
  Registry().WriteString("Glossmith", "CommonProperty[1]", "Text");
  Ui.SelectPage("FormNotebook", FormPage).SelectPage("PropNotebook", 1);
  for (int i = 0; i < 2; ++i) Ui.ClickItem("CommonPropList", 0).Click("BtnDeleteCommon");
  Check([](TFormEditor& e) { EXPECT_FALSE(e.BtnSelect->Enabled()) << "nothing to select with"; })
      .Click("BtnSet")
      .Click("BtnOK");
  Translator->ShowEditor();
  EXPECT_EQ(Registry().ReadString("Glossmith", "CommonProperty[0]", "x"), "");
  EXPECT_EQ(Registry().ReadString("Glossmith", "CommonProperty[1]", "x"), "");
}

TEST_F(EditorTest, TheBrowserHintIsTheValueOfTheItemUnderTheMouse) {
  SetTranslations({"Label1.Caption=''"});
  Ui.SelectPage("FormNotebook", FormPage);
  Ui.Step([&](TCustomForm& form) {
    auto& e = dynamic_cast<TFormEditor&>(form);
    const int caption = e.ListAvail->Items()->IndexOf("Button1.Caption");
    const int row = e.ListAvail->ItemHeight();
    const int top = e.ListAvail->TopIndex();
    Ui.MouseMove("ListAvail", 5, (caption - top) * row + 2)
        .MouseMove("ListAvail", 9, (caption - top) * row + 4);
    Check([&, caption](TFormEditor& e) {
      EXPECT_EQ(e.ListAvail->Hint(), "'OK'") << "the value as the list holds it";
      EXPECT_EQ(Ui.HintsCancelled(), 1) << "a new item replaces the hint, the same item keeps it";
    });
    Ui.MouseMove("ListAvail", 5, (caption + 1 - top) * row + 2);
    Check([&](TFormEditor&) { EXPECT_EQ(Ui.HintsCancelled(), 2); }).Click("BtnOK");
  });
  Translator->ShowEditor();
}

TEST_F(EditorTest, PreferencesAreWrittenAtOnceAndShownAgainOnTheNextOpening) {
  SetTranslations({"Label1.Caption=''"});
  TFontData bold{"Courier New", 14, true, false, false, false, 0, 1};
  TFontData times{"Times New Roman", 9, false, true, false, false, 0, 1};
  Ui.SelectPage("FormNotebook", 1)
      .Click("CkxMove")
      .SelectPage("FormNotebook", 2)
      .Click("BtnEditFont")
      .AnswerFont(bold)
      .Click("BtnDisplayFont")
      .AnswerFont(times)
      .SelectPage("FormNotebook", 3)
      .ClickItem("GroupReadingOrder", 0);
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.EdtTranslation->Font()->Name(), "Courier New");
    EXPECT_EQ(e.EdtTranslation->Font()->Size(), 14);
    EXPECT_TRUE(e.EdtTranslation->Font()->Style().Contains(fsBold));
    EXPECT_EQ(e.LblEditFont->Caption(), "Courier New");
    EXPECT_EQ(e.PropList->Font()->Name(), "Times New Roman");
    EXPECT_EQ(e.EdtOrgTranslation->Font()->Name(), "Times New Roman");
    EXPECT_EQ(e.EdtTranslation->Alignment(), taRightJustify);
  }).Click("BtnCancel");  // nothing in the list changed: no question
  Translator->ShowEditor();
  ASSERT_EQ(Ui.FontDialogs().size(), 2u);
  EXPECT_EQ(Ui.FontDialogs()[0].Name, "Arial") << "the dialog starts from the memo's font";

  Check([](TFormEditor& e) {
    EXPECT_FALSE(e.CkxMove->Checked());
    EXPECT_EQ(e.EdtTranslation->Font()->Name(), "Courier New");
    EXPECT_EQ(e.EdtTranslation->Font()->Size(), 10) << "only the name is kept";
    EXPECT_FALSE(e.EdtTranslation->Font()->Style().Contains(fsBold));
    EXPECT_EQ(e.PropList->Font()->Name(), "Times New Roman");
    EXPECT_EQ(e.EdtOrgTranslation->Font()->Name(), "Arial");
    EXPECT_EQ(e.GroupReadingOrder->ItemIndex(), 0);
    EXPECT_EQ(e.EdtTranslation->Alignment(), taRightJustify);
  }).Click("BtnOK");
  Translator->ShowEditor();
}

class EditorFilesTest : public EditorTest {
 protected:
  String File(const String& name) const { return Files.File(name); }
  testsupport::TempDir Files;
};

TEST_F(EditorFilesTest, LoadTakesOverTheListEvenWhenTheFileHasNothingForTheForm) {
  SetTranslations({"Button1.Caption='Valider'"});
  testsupport::WriteFile(File("other.txt"),
                         "OtherForm.Button1.Caption%0='x'\r\n"
                         "MainForm.Button1.Caption%7='y'\r\n");
  testsupport::WriteFile(File("mine.txt"),
                         "MainForm.Button1.Caption%0='Accepter'\r\n"
                         "MainForm.Label1.Caption%0='Nom'\r\n");
  Ui.SelectPage("FormNotebook", DictionaryPage).Click("BtnLoad").AnswerFile(File("other.txt"));
  Check([](TFormEditor& e) {
    EXPECT_TRUE(e.Modified()) << "a file that exists counts as success";
    EXPECT_EQ(LinesOf(e.WorkList()), std::vector<String>{"Button1.Caption='Valider'"});
  });
  Ui.Click("BtnLoad").AnswerFile(File("mine.txt"));
  Check([](TFormEditor& e) {
    EXPECT_EQ(LinesOf(e.WorkList()),
              (std::vector<String>{"Button1.Caption='Accepter'", "Label1.Caption='Nom'"}));
    EXPECT_GE(e.PropList->Items()->IndexOf("Label1.Caption"), 0);
    EXPECT_EQ(e.ListAvail->Items()->IndexOf("Label1.Caption"), -1) << "it left the browser";
  });
  // A name that names no file changes nothing, silently.
  Ui.Click("BtnLoad").AnswerFile(File("missing.txt")).Click("BtnOK");
  EXPECT_TRUE(Translator->ShowEditor());
  EXPECT_TRUE(Ui.Messages().empty());
  ASSERT_EQ(Ui.FileDialogs().size(), 3u);
  EXPECT_EQ(Ui.FileDialogs()[0].Title, "Load properties from an external textfile.");
  EXPECT_EQ(Ui.FileDialogs()[0].Filter, "Dictionary (*.txt)|*.txt|All files (*.*)|*.*");
  EXPECT_EQ(Ui.FileDialogs()[1].FileName, File("other.txt")) << "the dialog keeps the last name";
  EXPECT_EQ(LinesOf(Translator->Translations()),
            (std::vector<String>{"Button1.Caption='Accepter'", "Label1.Caption='Nom'"}));
}

TEST_F(EditorFilesTest, SaveWritesUnderLocaleZeroAtOnceAndCancelDoesNotUndoIt) {
  SetTranslations({"Button1.Caption='Valider'"});
  Ui.SelectPage("FormNotebook", DictionaryPage)
      .Click("BtnSave")
      .AnswerFile(File("saved.txt"))
      .Click("BtnCancel");
  EXPECT_FALSE(Translator->ShowEditor());
  EXPECT_EQ(testsupport::ReadFile(File("saved.txt")),
            "MainForm.Button1.Caption%-1='OK'\r\nMainForm.Button1.Caption%0='Valider'\r\n");
  EXPECT_EQ(Ui.FileDialogs()[0].Title, "Save current properties to an external textfile.");
  EXPECT_EQ(Form->ComponentCount(), 4) << "the temporary translator is gone";
}

TEST_F(EditorFilesTest, InTheDesignerAFileOutsideTheFormsFolderIsWrittenOnlyAfterAYes) {
  std::filesystem::create_directory(Files.Path() / "project");
  ToolServices->SetProjectName(File("project/Main.dfm"));
  Form->SetDesigning(true);
  SetTranslations({"Button1.Caption='Valider'"});
  Ui.SelectPage("FormNotebook", DictionaryPage)
      .Click("BtnSave")
      .AnswerFile(File("project/inside.txt"))  // no question
      .Click("BtnSave")
      .AnswerFile(File("project/../outside.txt"))
      .Answer(mrNo)
      .Click("BtnExport")
      .AnswerFile(File("outside.dict"))
      .Answer(mrYes)
      .Click("BtnCancel");
  Translator->ShowEditor();
  ToolServices->SetProjectName(String());
  ASSERT_EQ(Ui.Messages().size(), 2u);
  EXPECT_EQ(Ui.Messages()[0].Text,
            std::filesystem::weakly_canonical(Files.Path() / "outside.txt").string() +
                " lies outside the folder of the form (" +
                std::filesystem::weakly_canonical(Files.Path() / "project").string() +
                "). Write it there ?");
  EXPECT_EQ(Ui.Messages()[0].Type, mtConfirmation);
  EXPECT_TRUE(std::filesystem::exists(File("project/inside.txt")));
  EXPECT_FALSE(std::filesystem::exists(File("outside.txt"))) << "No writes nothing";
  EXPECT_TRUE(std::filesystem::exists(File("outside.dict")));
}

TEST_F(EditorFilesTest, TranslateCountsAsSuccessEvenWhenNothingMatches) {
  SetTranslations({"Button1.Caption=''"});
  testsupport::WriteFile(File("dict.txt"), "Cancel\tAnnuler\r\n");
  Ui.SelectPage("FormNotebook", DictionaryPage).Click("BtnTranslate").AnswerFile(File("dict.txt"));
  Check([](TFormEditor& e) { EXPECT_TRUE(e.Modified()); });
  testsupport::WriteFile(File("dict2.txt"), "OK\tValider\r\n");
  Ui.Click("BtnTranslate").AnswerFile(File("dict2.txt"));
  Ui.Click("BtnExport").AnswerFile(File("export.txt")).Click("BtnOK");
  EXPECT_TRUE(Translator->ShowEditor());
  EXPECT_EQ(LinesOf(Translator->Translations()), std::vector<String>{"Button1.Caption='Valider'"});
  EXPECT_EQ(testsupport::ReadFile(File("export.txt")), "OK\tValider\r\n");
}

TEST_F(EditorFilesTest, AFileThatCannotBeWrittenIsAnErrorMessageAndTheDialogStays) {
  SetTranslations({"Button1.Caption='Valider'"});
  std::filesystem::create_directory(Files.Path() / "folder.txt");
  Ui.SelectPage("FormNotebook", DictionaryPage)
      .Click("BtnSave")
      .AnswerFile(File("folder.txt"))
      .Answer(mrOk);
  Check([](TFormEditor& e) { EXPECT_EQ(e.ModalResult(), mrNone); }).Click("BtnOK");
  Translator->ShowEditor();
  ASSERT_EQ(Ui.Messages().size(), 1u);
  EXPECT_EQ(Ui.Messages()[0].Type, mtError);
  EXPECT_NE(Ui.Messages()[0].Text.find("folder.txt"), String::npos) << Ui.Messages()[0].Text;
  EXPECT_EQ(Form->ComponentCount(), 4) << "the temporary translator is gone";
}

// The bundled example, as a developer would: include properties from the
// browser, translate them from the example's dictionary, edit one by hand.
TEST_F(EditorTest, ABrowserAndDictionaryRoundOnTheBundledExample) {
  const String examples = String(GLS_SOURCE_DIR) + "/examples/";
  std::unique_ptr<TComponent> form(
      ReadFormFromString(ReadFileToString(examples + "MainForm.dfm"), Application));
  auto* german = dynamic_cast<TGlossmith*>(form->FindComponent("TranslatorGerman"));
  auto* french = dynamic_cast<TGlossmith*>(form->FindComponent("TranslatorFrench"));
  ASSERT_NE(german, nullptr);
  french->Translations()->Add("Caption='Carnet'");  // offered, and declined
  german->Translations()->Clear();

  Ui.Answer(mrNo)
      .SelectPage("FormNotebook", FormPage)
      .Click("BtnSelect")
      .Click("BtnIncludeProp")
      .SelectPage("FormNotebook", DictionaryPage)
      .Click("BtnTranslate")
      .AnswerFile(examples + "dictionary.txt")
      .SelectPage("FormNotebook", 0);
  Ui.Step([&](TCustomForm& f) {
    auto& e = dynamic_cast<TFormEditor&>(f);
    Ui.ClickItem("PropList", e.PropList->Items()->IndexOf("ButtonAdd.Caption"))
        .Focus("EdtTranslation")
        .Type("&Hinzufügen...")
        .Click("BtnOK");
  });
  EXPECT_TRUE(german->ShowEditor());
  const auto lines = LinesOf(german->Translations());
  EXPECT_TRUE(Has(lines, "ButtonAdd.Caption='&Hinzufügen...'"));
  EXPECT_TRUE(Has(lines, "ButtonClose.Caption='&Schließen'"));
  EXPECT_TRUE(Has(lines, "ListViewContacts.Columns[1].Caption='Telefon'"));
  EXPECT_TRUE(Has(lines, "ListViewContacts.Columns[2].Caption='E-Mail'"));
  EXPECT_TRUE(Has(lines, "StatusBar1.Panels[0].Text='Bereit'"));
  for (const String& line : lines) {
    EXPECT_TRUE(
        line.ends_with("=''") ||
        Has({"ButtonAdd.Caption='&Hinzufügen...'", "ButtonClose.Caption='&Schließen'",
             "ListViewContacts.Columns[0].Caption='Name'",
             "ListViewContacts.Columns[1].Caption='Telefon'",
             "ListViewContacts.Columns[2].Caption='E-Mail'", "StatusBar1.Panels[0].Text='Bereit'"},
            line))
        << line;
  }
  EXPECT_FALSE(Has(lines, "Caption='Carnet'")) << "the French lines were declined";
}

// Every page of the dialog on real forms: opening it and pressing OK without
// a change leaves the form as it was.
TEST_F(EditorTest, RealFormsComeThroughTheDialogUntouched) {
  GLS_REQUIRE_CORPUS(corpus);
  int opened = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus.c_str())) {
    const String ext = LowerCase(entry.path().extension().string());
    if (!entry.is_regular_file() || (ext != ".dfm" && ext != ".lfm")) continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::unique_ptr<TComponent> form(
        ReadFormFromString(ReadFileToString(entry.path().string()), Application));
    TGlossmith* translator = nullptr;
    for (int i = 0; i < form->ComponentCount() && !translator; ++i)
      translator = dynamic_cast<TGlossmith*>(form->Components(i));
    if (!translator) {
      // A new translator's list is empty: it shows the original texts.
      translator = new TGlossmith(form.get());
      translator->SetTranslate(false);
    }
    const String before = WriteFormToString(form.get());
    for (int page = 1; page <= FormPage; ++page) Ui.SelectPage("FormNotebook", page);
    Ui.SelectPage("PropNotebook", 1).SelectPage("FormNotebook", DictionaryPage).Click("BtnOK");
    EXPECT_FALSE(translator->ShowEditor());
    EXPECT_EQ(Ui.Remaining(), 0);
    const String after = WriteFormToString(form.get());
    EXPECT_TRUE(after == before) << FirstDifference(before, after);
    ++opened;
  }
  EXPECT_GT(opened, 50);
}

}  // namespace
}  // namespace editortest

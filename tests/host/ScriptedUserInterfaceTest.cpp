#include <gtest/gtest.h>

#include "host/TestForms.h"
#include "host/controls/Dialogs.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/ScriptedUserInterface.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/TabNotBk.h"
#include "support/TestSupport.h"

namespace {

using testforms::Make;

// A dialog with the habits of an editor: New asks for a name and adds it
// to a sorted list, Remove (or Delete in the list) asks before removing the
// selected items, Font chooses the memo's font, Load chooses a file, Cancel
// asks before discarding changes, OK closes.
struct TEditor {
  TForm Form{nullptr};
  TTabbedNotebook* Notebook = Make<TTabbedNotebook>(Form, "Notebook1");
  TListBox* List;
  TMemo* Memo;
  TButton *BtnNew, *BtnRemove, *BtnFont, *BtnLoad, *BtnOK, *BtnCancel;
  TRadioGroup* Group;
  TFontDialog* FontDialog1 = new TFontDialog(&Form);
  TOpenDialog* OpenDialog1 = new TOpenDialog(&Form);
  bool Modified = false;

  TEditor() {
    Form.SetName("Editor");
    Notebook->Pages()->Add("Translations");
    Notebook->Pages()->Add("Options");
    TWinControl* page = Notebook->TabPage(0);
    List = Make<TListBox>(Form, "List1", page);
    List->SetSorted(true);
    List->SetMultiSelect(true);
    List->Items()->SetText("Hint\nText\n");
    Memo = Make<TMemo>(Form, "Memo1", page);
    Memo->SetWantTabs(true);
    BtnNew = Make<TButton>(Form, "BtnNew", page);
    BtnRemove = Make<TButton>(Form, "BtnRemove", page);
    BtnFont = Make<TButton>(Form, "BtnFont", page);
    BtnLoad = Make<TButton>(Form, "BtnLoad", page);
    Group = Make<TRadioGroup>(Form, "Group1", Notebook->TabPage(1));
    Group->Items()->SetText("Right to left\nLeft to right\n");
    BtnOK = Make<TButton>(Form, "BtnOK");
    BtnOK->SetModalResult(mrOk);
    BtnCancel = Make<TButton>(Form, "BtnCancel");
    BtnCancel->SetCancel(true);
    FontDialog1->SetName("FontDialog1");
    OpenDialog1->SetName("OpenDialog1");
    OpenDialog1->SetTitle("Load properties");
    OpenDialog1->SetFilter("Dictionary (*.txt)|*.txt");
    OpenDialog1->SetDefaultExt("txt");

    BtnNew->OnClick = [this](TObject*) {
      String name;
      if (InputQuery("Add a property", "Please enter the property name", name))
        List->Items()->Add(name);
    };
    BtnRemove->OnClick = [this](TObject*) {
      if (List->SelCount() <= 0) return;
      if (MessageDlg("Do you want to remove the selected property ?", mtWarning, {mbYes, mbNo},
                     0) != mrYes)
        return;
      for (int i = List->Items()->Count() - 1; i >= 0; --i)
        if (List->Selected(i)) List->Items()->Delete(i);
      Modified = true;
    };
    List->OnKeyDown = [this](TObject*, WORD& key, TShiftState) {
      if (key == VK_DELETE) BtnRemove->OnClick(BtnRemove);
    };
    BtnFont->OnClick = [this](TObject*) {
      FontDialog1->SetFont(Memo->Font());
      if (FontDialog1->Execute()) Memo->SetFont(FontDialog1->Font());
    };
    BtnLoad->OnClick = [this](TObject*) {
      if (OpenDialog1->Execute()) Memo->SetText(OpenDialog1->FileName());
    };
    BtnCancel->OnClick = [this](TObject*) {
      if (!Modified ||
          MessageDlg("Do you want to discard the changes ?", mtWarning, {mbYes, mbNo}, 0) == mrYes)
        Form.SetModalResult(mrCancel);
    };
  }
};

TEST(ScriptedUserInterfaceTest, AScriptActsOnTheModalFormAndAnswersItsDialogsInTurn) {
  TEditor e;
  TScriptedUserInterface ui;
  TUserInterfaceScope scope(ui);
  TFontData courier{"Courier New", 14, true, false, false, false, clRed, 0};
  ui.Click("BtnNew")
      .AnswerInput("Caption")
      .ClickItem("List1", 0)
      .ClickItem("List1", 2, {ssCtrl})
      .Key(VK_DELETE)
      .Answer(mrYes)
      .Click("BtnFont")
      .AnswerFont(courier)
      .Click("BtnLoad")
      .AnswerFile("/tmp/dict.txt")
      .Click("BtnCancel")
      .Answer(mrYes);
  EXPECT_EQ(e.Form.ShowModal(), mrCancel);
  EXPECT_EQ(ui.Remaining(), 0);
  EXPECT_EQ(e.List->Items()->Text(), "Hint\r\n");
  EXPECT_EQ(e.Memo->Font()->Name(), "Courier New");
  EXPECT_EQ(e.Memo->Font()->Color(), clRed);
  EXPECT_EQ(e.Memo->Text(), "/tmp/dict.txt");

  // What was shown is also kept field by field.
  ASSERT_EQ(ui.Messages().size(), 2u);
  EXPECT_EQ(ui.Messages()[0].Buttons, (TMsgDlgButtons{mbYes, mbNo}));
  ASSERT_EQ(ui.FileDialogs().size(), 1u);
  EXPECT_EQ(ui.FileDialogs()[0].DefaultExt, "txt");
  ASSERT_EQ(ui.FontDialogs().size(), 1u);
  EXPECT_EQ(ui.FontDialogs()[0].Size, 8);
  EXPECT_EQ(
      ui.Log(),
      (std::vector<String>{
          "modal Editor",
          "> click BtnNew",
          R"(input "Add a property" "Please enter the property name" "" -> "Caption")",
          "> click-item List1 0",
          "> click-item List1 2 ctrl",
          "> key Delete",
          R"(message Warning "Do you want to remove the selected property ?" [Yes, No] -> yes)",
          "> click BtnFont",
          R"(font "MS Sans Serif" 8 -> "Courier New" 14 bold)",
          "> click BtnLoad",
          R"(open "Load properties" "Dictionary (*.txt)|*.txt" "" -> "/tmp/dict.txt")",
          "> click BtnCancel",
          R"(message Warning "Do you want to discard the changes ?" [Yes, No] -> yes)",
          "closed Editor cancel",
      }));
}

// Runs the editor with the script and gives the script error's message.
String ScriptError(const std::function<void(TScriptedUserInterface&, TEditor&)>& script) {
  TEditor e;
  TScriptedUserInterface ui;
  TUserInterfaceScope scope(ui);
  script(ui, e);
  try {
    e.Form.ShowModal();
  } catch (const EScriptError& error) {
    EXPECT_FALSE(e.Form.Visible());
    return error.Message();
  }
  return "no error";
}

TEST(ScriptedUserInterfaceTest, ADialogTheScriptDoesNotAnswerRaisesNamingTheStep) {
  EXPECT_EQ(ScriptError([](TScriptedUserInterface& ui, TEditor& e) {
              ui.Step([&](TCustomForm&) { e.Modified = true; }).Click("BtnCancel").Click("BtnOK");
            }),
            "Script step 3: a message box \"Do you want to discard the changes ?\" was shown, "
            "but the step is click BtnOK");
  EXPECT_EQ(ScriptError([](TScriptedUserInterface& ui, TEditor&) { ui.Click("BtnNew"); }),
            "Script step 2: an input box \"Add a property\" was shown, but the script has ended");
  EXPECT_EQ(ScriptError(
                [](TScriptedUserInterface& ui, TEditor&) { ui.Click("BtnLoad").AnswerInput("x"); }),
            "Script step 2: an open dialog \"Load properties\" was shown, but the step is "
            "input \"x\"");
  // A button the box does not have cannot be clicked.
  EXPECT_EQ(ScriptError([](TScriptedUserInterface& ui, TEditor& e) {
              ui.Step([&](TCustomForm&) { e.Modified = true; }).Click("BtnCancel").Answer(mrOk);
            }),
            "Script step 3: the message box \"Do you want to discard the changes ?\" has no "
            "button for answer ok (its buttons: Yes, No)");
}

TEST(ScriptedUserInterfaceTest, AScriptThatEndsOrAnswersOutOfTurnRaisesInsteadOfWaiting) {
  EXPECT_EQ(ScriptError(
                [](TScriptedUserInterface& ui, TEditor&) { ui.Click("BtnNew").AnswerInput("x"); }),
            "Script step 3: the script ended while Editor was still open");
  EXPECT_EQ(ScriptError([](TScriptedUserInterface& ui, TEditor&) { ui.Answer(mrYes); }),
            "Script step 1: the step is answer yes, but no dialog was shown (Editor is open)");
}

TEST(ScriptedUserInterfaceTest, AStepOnAControlThatIsMissingOrCannotBeUsedRaises) {
  auto error = [](std::function<void(TScriptedUserInterface&)> steps) {
    return ScriptError([&](TScriptedUserInterface& ui, TEditor& e) {
      e.BtnRemove->SetEnabled(false);
      steps(ui);
    });
  };
  EXPECT_EQ(error([](auto& ui) { ui.Click("BtnNothing"); }),
            "Script step 1 (click BtnNothing): Editor has no control named BtnNothing");
  EXPECT_EQ(error([](auto& ui) { ui.Click("FontDialog1"); }),
            "Script step 1 (click FontDialog1): FontDialog1 is a TFontDialog, not a control");
  EXPECT_EQ(error([](auto& ui) { ui.Click("BtnRemove"); }),
            "Script step 1 (click BtnRemove): BtnRemove is disabled");
  EXPECT_EQ(error([](auto& ui) { ui.SelectPage("Notebook1", 1).ClickItem("List1", 0); }),
            "Script step 2 (click-item List1 0): List1 is hidden (on TTabPage)");
  EXPECT_EQ(error([](auto& ui) { ui.SelectPage("Notebook1", 1).Click("Group1"); }),
            "Script step 2 (click Group1): Group1 is a radio group: click one of its items "
            "(click-item)");
  EXPECT_EQ(error([](auto& ui) { ui.ClickItem("List1", 2); }),
            "Script step 1 (click-item List1 2): List1 has no item 2 (it has 2)");
  EXPECT_EQ(error([](auto& ui) { ui.ClickItem("BtnOK", 0); }),
            "Script step 1 (click-item BtnOK 0): BtnOK is a TButton: click-item needs a list "
            "box or a radio group");
  EXPECT_EQ(error([](auto& ui) { ui.SelectPage("List1", 0); }),
            "Script step 1 (select-page List1 0): List1 is a TListBox: select-page needs a "
            "tabbed notebook or a page control");
}

TEST(ScriptedUserInterfaceTest, AModalFormOpenedByAStepTakesTheStepsThatFollowUntilItCloses) {
  TEditor e;
  TForm child(nullptr);
  child.SetName("Child");
  auto* edit = Make<TEdit>(child, "Edit1");
  auto* ok = Make<TButton>(child, "BtnOK");
  ok->SetModalResult(mrOk);
  ok->SetDefault(true);
  TModalResult childResult = mrNone;
  e.BtnNew->OnClick = [&](TObject*) { childResult = child.ShowModal(); };
  TScriptedUserInterface ui;
  TUserInterfaceScope scope(ui);
  ui.Click("BtnNew")
      .Type("abc")
      .Key(VK_RETURN)
      .SelectPage("Notebook1", 1)
      .ClickItem("Group1", 0)
      .Click("BtnOK");
  EXPECT_EQ(e.Form.ShowModal(), mrOk);
  EXPECT_EQ(childResult, mrOk);
  EXPECT_EQ(edit->Text(), "abc");
  EXPECT_EQ(e.Group->ItemIndex(), 0);
  EXPECT_EQ(ui.Log(),
            (std::vector<String>{"modal Editor", "> click BtnNew", "modal Child", "> type \"abc\"",
                                 "> key Enter", "closed Child ok", "> select-page Notebook1 1",
                                 "> click-item Group1 0", "> click BtnOK", "closed Editor ok"}));
}

TEST(ScriptedUserInterfaceTest, TheTextFormGivesTheSameRunAsTheSameStepsInCode) {
  String script = R"(# an editing session
click BtnNew
input "Caption"        # a property name
click-item List1 0
click-item List1 1 ctrl
key Delete
answer no

focus Memo1
type "Bon\tjour \"x\"\n"
key shift+Tab
mouse-move List1 10 20
click BtnFont
font "Courier New" 14 bold italic
click BtnLoad
cancel-file
click BtnNew
cancel-input
select-page Notebook1 1
click-item Group1 1
close
)";
  auto run = [](const std::function<void(TScriptedUserInterface&)>& script) {
    TEditor e;
    TScriptedUserInterface ui;
    TUserInterfaceScope scope(ui);
    script(ui);
    EXPECT_EQ(e.Form.ShowModal(), mrCancel);
    EXPECT_EQ(e.Memo->Text(), "Bon\tjour \"x\"\r\n\t");
    EXPECT_EQ(e.Memo->Font()->Style(), (TFontStyles{fsBold, fsItalic}));
    return ui.Log();
  };
  std::vector<String> fromText = run([&](TScriptedUserInterface& ui) {
    ui.AddScript(script);
    EXPECT_EQ(ui.Remaining(), 19);
  });
  std::vector<String> fromCode = run([](TScriptedUserInterface& ui) {
    ui.Click("BtnNew")
        .AnswerInput("Caption")
        .ClickItem("List1", 0)
        .ClickItem("List1", 1, {ssCtrl})
        .Key(VK_DELETE)
        .Answer(mrNo)
        .Focus("Memo1")
        .Type("Bon\tjour \"x\"\n")
        .Key(VK_TAB, {ssShift})
        .MouseMove("List1", 10, 20)
        .Click("BtnFont")
        .AnswerFont({"Courier New", 14, true, true, false, false, clWindowText, DEFAULT_CHARSET})
        .Click("BtnLoad")
        .CancelFile()
        .Click("BtnNew")
        .CancelInput()
        .SelectPage("Notebook1", 1)
        .ClickItem("Group1", 1)
        .Close();
  });
  EXPECT_EQ(fromText, fromCode);
}

TEST(ScriptedUserInterfaceTest, KeysAreNamedWithTheirModifiers) {
  TScriptedUserInterface ui;
  ui.AddScript("key ctrl+shift+tab\nkey f5\nkey 65\nkey a\nkey Esc\nkey alt+F4\nkey PgDn\n");
  EXPECT_EQ(ui.Remaining(), 7);
  TForm form(nullptr);
  form.SetName("Keys");
  ui.Close();
  TUserInterfaceScope scope(ui);
  form.ShowModal();
  EXPECT_EQ(ui.Log(), (std::vector<String>{"modal Keys", "> key shift+ctrl+Tab", "> key F5",
                                           "> key A", "> key A", "> key Escape", "> key alt+F4",
                                           "> key PageDown", "> close", "closed Keys cancel"}));
}

TEST(ScriptedUserInterfaceTest, AnErrorInTheTextFormNamesTheLineAndAddsNoStep) {
  auto error = [](const String& text) {
    TScriptedUserInterface ui;
    try {
      ui.AddScript("click BtnOK\n" + text);
    } catch (const EScriptError& e) {
      EXPECT_EQ(ui.Remaining(), 0);
      return e.Message();
    }
    return String("no error");
  };
  EXPECT_EQ(error("click"), "Line 2: click needs a control name");
  EXPECT_EQ(error("\n  clik BtnOK"), "Line 3: unknown step 'clik'");
  EXPECT_EQ(error("type \"abc"), "Line 2: the text has no closing quote");
  EXPECT_EQ(error("type abc"), "Line 2: type needs the text in double quotes");
  EXPECT_EQ(error("type \"a\\qb\""), "Line 2: unknown escape \\q in a text");
  EXPECT_EQ(error("key PgUpp"), "Line 2: 'PgUpp' is not a key");
  EXPECT_EQ(error("key shift+"), "Line 2: 'shift+' is not a key");
  EXPECT_EQ(error("answer maybe"), "Line 2: 'maybe' is not a button (yes, no, ok, cancel...)");
  EXPECT_EQ(error("click BtnOK now"), "Line 2: unexpected 'now' after the step");
  EXPECT_EQ(error("click-item List1 x"), "Line 2: 'x' is not an item index");
  EXPECT_EQ(error("click-item List1 1 alt"), "Line 2: 'alt' is not ctrl or shift");
  EXPECT_EQ(error("font \"Arial\" 10 heavy"),
            "Line 2: 'heavy' is not a style (bold, italic, underline, strikeout)");
  EXPECT_EQ(error("mouse-move List1 10"), "Line 2: mouse-move needs a y coordinate");
}

TEST(ScriptedUserInterfaceTest, AScriptFileIsReadAndItsErrorsNameIt) {
  testsupport::TempDir dir;
  TScriptedUserInterface ui;
  EXPECT_THROW(ui.AddScriptFile(dir.File("missing.txt")), EFOpenError);
  testsupport::WriteFile(dir.File("run.txt"), "click BtnOK\r\nclose\r\n");
  ui.AddScriptFile(dir.File("run.txt"));
  EXPECT_EQ(ui.Remaining(), 2);
  testsupport::WriteFile(dir.File("bad.txt"), "close\nanswer\n");
  try {
    ui.AddScriptFile(dir.File("bad.txt"));
    FAIL();
  } catch (const EScriptError& e) {
    EXPECT_EQ(e.Message(), dir.File("bad.txt") +
                               ": Line 2: answer needs a button (yes, no, ok, "
                               "cancel...)");
  }
}

}  // namespace

// The editor dialog as a person uses it: its frame, its settings and the
// Translations page, driven through the scripted user interface.
#include "EditorFixture.h"
#include "gls/Diagnostics.h"
#include "host/formfiles/FormFiles.h"

namespace editortest {
namespace {

using Windows::VK_BACK;
using Windows::VK_DELETE;
using Windows::VK_END;
using Windows::VK_ESCAPE;
using Windows::VK_INSERT;
using Windows::VK_LEFT;
using Windows::VK_NEXT;
using Windows::VK_PRIOR;
using Windows::VK_RIGHT;

TEST_F(EditorTest, TheDialogIsItsFormFileWithEveryFieldBound) {
  TFormEditor editor(nullptr);
  EXPECT_EQ(editor.Caption(), "Form Translations Editor");
  EXPECT_EQ(editor.BorderStyle(), bsDialog);
  EXPECT_EQ(editor.ClientWidth(), 493);
  EXPECT_EQ(editor.ClientHeight(), 375);
  const auto& fields = TFormEditor::StaticClass().Fields();
  ASSERT_EQ(fields.size(), 54u);
  EXPECT_EQ(fields.front()->Name, "BtnOK");
  EXPECT_EQ(fields.back()->Name, "CkxEmpty");
  for (PFieldInfo field : fields) {
    TObject* bound = field->Get(&editor);
    ASSERT_NE(bound, nullptr) << field->Name;
    EXPECT_EQ(static_cast<TComponent*>(bound)->Name(), field->Name);
  }
  EXPECT_EQ(editor.FormNotebook->Pages()->Count(), 6);
  EXPECT_EQ(editor.FormNotebook->Pages()->Strings(5), "Dictionary");
  EXPECT_EQ(editor.PropNotebook->Pages()->Strings(1), "Common");
  EXPECT_EQ(editor.CommonPropList->Items()->Count(), 24);
  EXPECT_EQ(editor.BtnOK->ModalResult(), mrOk);
  EXPECT_TRUE(editor.BtnCancel->Cancel());
  EXPECT_EQ(editor.PropList->Hint(), "These are the internationalized properties to be translated");

  // Written back, the dialog reads to the same values (read here into a
  // plain form, which does not read the resource first).
  const String written = WriteFormToString(&editor);
  std::unique_ptr<TComponent> again(ReadFormFromString(written, nullptr, &TForm::StaticClass()));
  EXPECT_EQ(again->ClassName(), "TFormEditor");
  EXPECT_TRUE(WriteFormToString(again.get()) == written);
}

TEST_F(EditorTest, TheDefaultCommonListShowsInItsDesignOrder) {
  const std::vector<String> defaults = {"Caption",
                                        "Caption[*]",
                                        "Captions[*]",
                                        "Columns.Items[*].Title",
                                        "DisplayLabel",
                                        "FileName",
                                        "Hint",
                                        "Hints[*]",
                                        "Items[*]",
                                        "Lines[*]",
                                        "Pages[*]",
                                        "Panels.Items[*].Text",
                                        "SystemMenuClose",
                                        "SystemMenuMaximize",
                                        "SystemMenuMinimize",
                                        "SystemMenuMove",
                                        "SystemMenuNextWindow",
                                        "SystemMenuPrevWindow",
                                        "SystemMenuRestore",
                                        "SystemMenuSize",
                                        "SystemMenuTaskList",
                                        "Tabs[*]",
                                        "Text",
                                        "Translations[*]"};
  Check([&](TFormEditor& e) {
    EXPECT_EQ(LinesOf(e.CommonPropList->Items()), defaults);
    EXPECT_EQ(LinesOf(e.DefaultCommon()), defaults);
  }).Click("BtnOK");
  Translator->ShowEditor();
}

TEST_F(EditorTest, OkWithoutAChangeClosesWithCancelAndLeavesTheListAlone) {
  SetTranslations({"Button1.Caption='Valider'"});
  Ui.Click("BtnOK");
  EXPECT_FALSE(Translator->ShowEditor());
  EXPECT_EQ(LinesOf(Translator->Translations()), std::vector<String>{"Button1.Caption='Valider'"});
  EXPECT_EQ(Ui.Remaining(), 0);
}

TEST_F(EditorTest, CancelAsksBeforeDiscardingAChange) {
  SetTranslations({"Button1.Caption='Valider'"});
  Ui.ClickItem("PropList", 0).Focus("EdtTranslation").Type("!").Click("BtnCancel").Answer(mrNo);
  Check([](TFormEditor& e) {
    EXPECT_TRUE(e.Modified()) << "leaving the memo stored the change";
    EXPECT_EQ(e.ModalResult(), mrNone) << "No keeps the dialog open";
  });
  Ui.Click("BtnCancel").Answer(mrYes);
  EXPECT_FALSE(Translator->ShowEditor());
  ASSERT_EQ(Ui.Messages().size(), 2u);
  EXPECT_EQ(Ui.Messages()[0].Text, "Do you want to discard the changes ?");
  EXPECT_EQ(Ui.Messages()[0].Type, mtWarning);
  EXPECT_EQ(Ui.Messages()[0].Buttons, (TMsgDlgButtons{mbYes, mbNo}));
  EXPECT_EQ(LinesOf(Translator->Translations()), std::vector<String>{"Button1.Caption='Valider'"});
}

TEST_F(EditorTest, EscapeCancelsFromAButtonOrAListButRevertsInTheMemo) {
  SetTranslations({"Button1.Caption='Valider'"});
  Ui.Focus("BtnNew").Key(VK_ESCAPE);
  EXPECT_FALSE(Translator->ShowEditor());
  EXPECT_TRUE(Ui.Messages().empty()) << "nothing changed, nothing asked";

  Ui.ClickItem("PropList", 0).Focus("EdtTranslation").Type("x").Key(VK_ESCAPE);
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.ModalResult(), mrNone) << "the memo keeps Escape";
    EXPECT_EQ(e.EdtTranslation->Text(), "Valider");
  });
  Ui.Focus("PropList").Key(VK_ESCAPE);
  EXPECT_FALSE(Translator->ShowEditor());
  EXPECT_TRUE(Ui.Messages().empty()) << "the reverted memo stored nothing";
}

TEST_F(EditorTest, TheOptionsPageCountsPropertiesAndThoseWithATranslation) {
  SetTranslations({"Button1.Caption='Name'", "Label1.Caption=''", "Button1.Width=100"});
  Ui.SelectPage("FormNotebook", 1);
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.LblTot->Caption(), "3");
    EXPECT_EQ(e.LblLocalized->Caption(), "2");
  });
  Ui.Click("BtnOK");
  EXPECT_FALSE(Translator->ShowEditor());
}

TEST_F(EditorTest, CommonPropertiesComeFromTheSettingsUpToTheFirstEmptyOne) {
  Registry().WriteString("Glossmith", "CommonProperty[0]", "Hint");
  Registry().WriteString("Glossmith", "CommonProperty[1]", "");
  Registry().WriteString("Glossmith", "CommonProperty[2]", "Text");
  Check([](TFormEditor& e) {
    EXPECT_EQ(LinesOf(e.CommonPropList->Items()), std::vector<String>{"Hint"});
    EXPECT_EQ(e.DefaultCommon()->Count(), 24);
    EXPECT_TRUE(e.BtnSelect->Enabled());
    EXPECT_FALSE(e.BtnDeleteCommon->Enabled());
  }).Click("BtnOK");
  Translator->ShowEditor();

  Registry().WriteString("Glossmith", "CommonProperty[0]", "");
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.CommonPropList->Items()->Count(), 24) << "none stored: the defaults";
  }).Click("BtnOK");
  Translator->ShowEditor();
}

TEST_F(EditorTest, FontNamesComeFromTheSettingsAndTheReadingOrderIsWrittenOnEveryShow) {
  Registry().WriteString("Glossmith", "DisplayFontName", "Courier New");
  Registry().WriteString("Glossmith", "EditFontName", "Times New Roman");
  EXPECT_FALSE(Registry().ValueExists("Glossmith", "ReadingOrderIndex"));
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.PropList->Font()->Name(), "Courier New");
    EXPECT_EQ(e.LblDisplayFont->Caption(), "Courier New");
    EXPECT_EQ(e.EdtOrgTranslation->Font()->Name(), "Arial") << "only the list takes the name";
    EXPECT_EQ(e.EdtTranslation->Font()->Name(), "Times New Roman");
    EXPECT_EQ(e.LblEditFont->Caption(), "Times New Roman");
    EXPECT_TRUE(e.CkxMove->Checked());
  }).Click("BtnOK");
  Translator->ShowEditor();
  EXPECT_EQ(Registry().ReadInteger("Glossmith", "ReadingOrderIndex", -1), 1);
}

TEST_F(EditorTest, AltAndTheAcceleratorOfAButtonPressesIt) {
  SetTranslations({"Button1.Caption='Valider'"});
  Ui.Key('N', {ssAlt}).AnswerInput("Label1.Caption");
  Check([](TFormEditor& e) {
    EXPECT_EQ(LinesOf(e.WorkList()),
              (std::vector<String>{"Button1.Caption='Valider'", "Label1.Caption=''"}));
  });
  Ui.Key('R', {ssAlt}).Answer(mrNo);
  Check([](TFormEditor& e) { EXPECT_EQ(e.WorkList()->Count(), 2); });
  Ui.Key('O', {ssAlt});
  Translator->ShowEditor();
  EXPECT_EQ(Ui.Remaining(), 0);
  ASSERT_EQ(Ui.Inputs().size(), 1u);
  EXPECT_EQ(Ui.Inputs()[0].Caption, "Add a property");
  ASSERT_EQ(Ui.Messages().size(), 1u);
  EXPECT_EQ(Ui.Messages()[0].Text, "Do you want to remove the selected property ?");
}

TEST_F(EditorTest, NewAddsAPathWithTheFirstValueItsKindGets) {
  Ui.Click("BtnNew")
      .AnswerInput("Button1.Caption")
      .Click("BtnNew")
      .AnswerInput("Button1.Width")
      .Click("BtnNew")
      .AnswerInput("Nothing.Here")
      .Click("BtnNew")
      .AnswerInput("button1.width")  // listed already, ignoring case: nothing happens
      .Click("BtnNew")
      .CancelInput();
  Check([](TFormEditor& e) {
    EXPECT_EQ(LinesOf(e.WorkList()),
              (std::vector<String>{"Button1.Caption=''", "Button1.Width=75", "Nothing.Here="}));
    EXPECT_EQ(e.PropList->Items()->Strings(e.PropList->ItemIndex()), "Nothing.Here");
    EXPECT_EQ(e.PropList->SelCount(), 1);
    EXPECT_TRUE(e.EdtTranslation->Enabled());
    EXPECT_TRUE(e.Modified()) << "an added property is a change to commit";
  }).Click("BtnOK");
  EXPECT_TRUE(Translator->ShowEditor());
  EXPECT_EQ(Ui.Inputs()[0].Caption, "Add a property");
  EXPECT_EQ(Ui.Inputs()[0].Prompt, "Please enter the property name");
  EXPECT_EQ(LinesOf(Translator->Translations()),
            (std::vector<String>{"Button1.Caption=''", "Button1.Width=75", "Nothing.Here="}));

  // The start of a path is a path of its own, not the longer one's.
  Ui.Click("BtnNew").AnswerInput("Button1.Capt");
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.WorkList()->Strings(0), "Button1.Capt=");
    EXPECT_EQ(e.EdtOrgTranslation->Text(), "");
    EXPECT_EQ(e.EdtTranslation->Text(), "");
  }).Click("BtnOK");
  EXPECT_TRUE(Translator->ShowEditor());
  EXPECT_EQ(Translator->Translations()->Strings(1), "Button1.Caption=''");
}

TEST_F(EditorTest, TheTitleBarCloseAsksBeforeDiscardingAsCancelDoes) {
  SetTranslations({"Button1.Caption='Valider'"});
  Ui.Close();
  EXPECT_FALSE(Translator->ShowEditor());
  EXPECT_TRUE(Ui.Messages().empty()) << "nothing changed, nothing asked";

  Ui.ClickItem("PropList", 0).Focus("EdtTranslation").Type("!").Focus("PropList");
  Ui.Close().Answer(mrNo);
  Check([](TFormEditor& e) {
    EXPECT_TRUE(e.Visible()) << "No keeps the dialog open with its change";
    EXPECT_EQ(e.WorkList()->Strings(0), "Button1.Caption='!Valider'");
  });
  Ui.Close().Answer(mrYes);
  EXPECT_FALSE(Translator->ShowEditor());
  ASSERT_EQ(Ui.Messages().size(), 2u);
  EXPECT_EQ(Ui.Messages()[1].Text, "Do you want to discard the changes ?");
  EXPECT_EQ(LinesOf(Translator->Translations()), std::vector<String>{"Button1.Caption='Valider'"});

  // Cancel asks once, and OK commits without a question.
  Ui.ClickItem("PropList", 0).Focus("EdtTranslation").Type("!").Click("BtnCancel").Answer(mrYes);
  EXPECT_FALSE(Translator->ShowEditor());
  EXPECT_EQ(Ui.Messages().size(), 3u);
  Ui.ClickItem("PropList", 0).Focus("EdtTranslation").Type("!").Click("BtnOK");
  EXPECT_TRUE(Translator->ShowEditor());
  EXPECT_EQ(Ui.Messages().size(), 3u);
  EXPECT_EQ(Ui.Remaining(), 0);
}

TEST_F(EditorTest, ACharacterPropertyHoldingAQuoteOrHashIsNoString) {
  auto* edit = new TEdit(Form.get());
  edit->SetName("Edit1");
  edit->SetParent(Form.get());
  edit->SetPasswordChar('#');
  auto* other = new TEdit(Form.get());
  other->SetName("Edit2");
  other->SetParent(Form.get());
  other->SetPasswordChar('\'');
  Check([](TFormEditor& e) {
    for (const char* path : {"Edit1.PasswordChar", "Edit2.PasswordChar"}) {
      const int i = e.ListAvail->Items()->IndexOf(path);
      ASSERT_GE(i, 0) << path;
      e.ListAvail->SetSelected(i, true);
    }
    e.ListAvailClick(&e);
  });
  Ui.SelectPage("FormNotebook", 4).Click("BtnIncludeProp").SelectPage("FormNotebook", 0);
  Check([](TFormEditor& e) {
    EXPECT_EQ(LinesOf(e.WorkList()),
              (std::vector<String>{"Edit1.PasswordChar=#", "Edit2.PasswordChar='"}));
  });
  Ui.ClickItem("PropList", 0);
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.EdtOrgTranslation->Text(), "#");
    EXPECT_EQ(e.EdtTranslation->Text(), "#");
  });
  Ui.ClickItem("PropList", 1).Focus("EdtTranslation");
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.EdtTranslation->Text(), "'");
    e.EdtTranslation->SelectAll();
  });
  Ui.Type("*").Focus("PropList").SelectPage("FormNotebook", 1);
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.WorkList()->Strings(1), "Edit2.PasswordChar=*") << "stored as typed";
    EXPECT_EQ(e.LblLocalized->Caption(), "2");
  });
  Ui.Click("BtnOK");
  EXPECT_TRUE(Translator->ShowEditor());
  EXPECT_TRUE(Ui.Messages().empty()) << "no conversion error";
  Translator->SetTranslate(true);
  EXPECT_EQ(edit->PasswordChar(), '#');
  EXPECT_EQ(other->PasswordChar(), '*');
}

TEST_F(EditorTest, NewAndAddCommonRefusePathsNoReaderCouldReadBack) {
  const String tooLong(5000, 'P');
  Ui.Click("BtnNew").AnswerInput(tooLong).Answer(mrOk);
  Ui.Click("BtnNew").AnswerInput("Button1.Caption=x").Answer(mrOk);
  Ui.Click("BtnNew").AnswerInput("Button1.Cap%tion").Answer(mrOk);
  Ui.Click("BtnNew").AnswerInput(String(MaxPathLength, 'Q'));
  Ui.SelectPage("FormNotebook", 4).SelectPage("PropNotebook", 1);
  Ui.Click("BtnAddCommon").AnswerInput(tooLong).Answer(mrOk);
  Check([](TFormEditor& e) {
    EXPECT_EQ(LinesOf(e.WorkList()), std::vector<String>{String(MaxPathLength, 'Q') + "="});
    EXPECT_EQ(e.CommonPropList->Items()->IndexOf(String(5000, 'P')), -1);
  }).Click("BtnOK");
  Translator->ShowEditor();
  ASSERT_EQ(Ui.Messages().size(), 4u);
  for (const TMessageRequest& m : Ui.Messages()) EXPECT_EQ(m.Type, mtError);
  EXPECT_EQ(Ui.Messages()[0].Text, "A property path can have at most 4082 characters; this one has 5000.");
  EXPECT_NE(Ui.Messages()[1].Text.find("\"=\""), String::npos);
  EXPECT_NE(Ui.Messages()[2].Text.find("\"%\""), String::npos);
}

TEST_F(EditorTest, LeavingTheMemoStoresAStringAsALiteralAndANumberAsTyped) {
  SetTranslations({"Button1.Caption=''", "Button1.Width=75"});
  Ui.ClickItem("PropList", 0).Focus("EdtTranslation").Focus("PropList");
  Check([](TFormEditor& e) { EXPECT_FALSE(e.Modified()) << "no change, nothing stored"; });
  Ui.Focus("EdtTranslation").Type("Valider").ClickItem("PropList", 1).Focus("EdtTranslation");
  Ui.Step([](TCustomForm& form) { dynamic_cast<TFormEditor&>(form).EdtTranslation->SelectAll(); })
      .Type("120")
      .Click("BtnOK");
  EXPECT_TRUE(Translator->ShowEditor());
  EXPECT_EQ(LinesOf(Translator->Translations()),
            (std::vector<String>{"Button1.Caption='Valider'", "Button1.Width=120"}));
}

TEST_F(EditorTest, SettingsThatCannotBeWrittenAreAWarningAndTheEditGoesOn) {
  // A folder where the settings file would be, then no home folder at all
  // (a read-only file is refused the same way, but not to the superuser
  // the tests may run as).
  std::filesystem::create_directory(Settings.Path() / "Orvanta.ini");
  for (int round = 0; round < 2; ++round) {
    if (round == 1) unsetenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    const String oldHome = home ? home : "";
    if (round == 1) unsetenv("HOME");
    std::vector<TDiagnostic> warnings;
    TDiagnosticScope scope([&](const TDiagnostic& d) { warnings.push_back(d); });
    Translator->Translations()->Clear();
    SetTranslations({"Button1.Caption=''"});
    Ui.ClickItem("PropList", 0).Focus("EdtTranslation").Type("Valider").Focus("PropList");
    Ui.SelectPage("FormNotebook", 1).Click("CkxMove");
    Ui.SelectPage("FormNotebook", 4).SelectPage("PropNotebook", 1);
    Ui.Click("BtnAddCommon").AnswerInput("Hint").Click("BtnSet").Click("BtnOK");
    EXPECT_TRUE(Translator->ShowEditor());
    if (round == 1 && home) setenv("HOME", oldHome.c_str(), 1);
    EXPECT_EQ(LinesOf(Translator->Translations()),
              std::vector<String>{"Button1.Caption='Valider'"});
    ASSERT_GE(warnings.size(), 3u) << "the reading order on show, the option, the common list";
    for (const TDiagnostic& w : warnings) {
      EXPECT_EQ(w.Kind, TDiagnosticKind::SettingsNotSaved);
      EXPECT_EQ(w.Text().rfind("the editor's settings are not saved: ", 0), 0u) << w.Text();
    }
  }
}

TEST_F(EditorTest, EscapeInTheMemoPutsBackWhatItShowedAndStoresNothingMore) {
  SetTranslations({"Button1.Caption='Valider'"});
  Ui.ClickItem("PropList", 0).Focus("EdtTranslation").Type("xyz").Key(VK_ESCAPE);
  Check([](TFormEditor& e) {
    EXPECT_EQ(e.EdtTranslation->Text(), "Valider");
    EXPECT_EQ(LinesOf(e.WorkList()), std::vector<String>{"Button1.Caption='Valider'"});
  });
  Ui.Focus("PropList");
  Check([](TFormEditor& e) { EXPECT_FALSE(e.Modified()); }).Click("BtnOK");
  EXPECT_FALSE(Translator->ShowEditor());
}

TEST_F(EditorTest, PageDownAndPageUpMoveToTheNextUntranslatedPropertyWithTheOption) {
  SetTranslations({"Button1.Caption='a'", "Label1.Caption='b'", "ListBox1.Items[0]='c'",
                   "ListBox1.Items[1]=''"});
  auto current = [](TFormEditor& e) {
    return e.PropList->Items()->Strings(e.PropList->ItemIndex());
  };
  Ui.ClickItem("PropList", 0).Focus("EdtTranslation").Key(VK_NEXT);
  Check([&](TFormEditor& e) {
    EXPECT_EQ(current(e), "ListBox1.Items[1]") << "past the translated ones";
    EXPECT_EQ(e.PropList->SelCount(), 1);
  });
  Ui.Key(VK_PRIOR);
  Check(
      [&](TFormEditor& e) { EXPECT_EQ(current(e), "Button1.Caption") << "none above: the first"; });
  // Without the option the keys move one item.
  Ui.SelectPage("FormNotebook", 1).Click("CkxMove").SelectPage("FormNotebook", 0);
  Ui.ClickItem("PropList", 0).Focus("EdtTranslation").Key(VK_NEXT);
  Check([&](TFormEditor& e) { EXPECT_EQ(current(e), "Label1.Caption"); });
  // PageUp on the first item stores the edit and leaves it current and alone selected.
  Ui.Key(VK_PRIOR).Type("!").Key(VK_PRIOR);
  Check([&](TFormEditor& e) {
    EXPECT_EQ(current(e), "Button1.Caption");
    EXPECT_EQ(e.PropList->SelCount(), 1);
    EXPECT_EQ(e.WorkList()->Strings(0), "Button1.Caption='!a'");
  })
      .Click("BtnCancel")
      .Answer(mrYes);
  Translator->ShowEditor();
  EXPECT_FALSE(Registry().ReadBool("Glossmith", "MoveNextUntranslated", true))
      << "the option is written when it changes";
}

TEST_F(EditorTest, InsertAndDeleteInThePropertyListAddAndRemove) {
  SetTranslations({"Button1.Caption='Valider'", "Button1.Width=75", "Label1.Caption='Nom'"});
  Ui.Focus("PropList").Key(VK_INSERT).CancelInput();
  Ui.ClickItem("PropList", 0).ClickItem("PropList", 2, TShiftState{ssCtrl});
  Ui.Key(VK_DELETE).Answer(mrYes);
  Check([](TFormEditor& e) {
    EXPECT_EQ(LinesOf(e.WorkList()), std::vector<String>{"Button1.Width=75"});
    EXPECT_EQ(LinesOf(e.PropList->Items()), std::vector<String>{"Button1.Width"});
    EXPECT_GE(e.ListAvail->Items()->IndexOf("Button1.Caption"), 0) << "available again";
    EXPECT_GE(e.ListAvail->Items()->IndexOf("Label1.Caption"), 0);
    EXPECT_TRUE(e.Modified());
  }).Click("BtnOK");
  EXPECT_TRUE(Translator->ShowEditor());
  EXPECT_EQ(Ui.Inputs().size(), 1u);
  ASSERT_EQ(Ui.Messages().size(), 1u) << "one question for all the selected items";
  EXPECT_EQ(Ui.Messages()[0].Text, "Do you want to remove the selected property ?");
  EXPECT_EQ(LinesOf(Translator->Translations()), std::vector<String>{"Button1.Width=75"});
}

TEST_F(EditorTest, AnEmptyListOffersTheLinesOfAnotherTranslator) {
  auto* german = new TGlossmith(Form.get());
  german->SetName("TranslatorGerman");
  german->Translations()->Add("Button1.Caption='Abbrechen'");
  german->Translations()->Add("Button1.Width=80");
  Ui.Answer(mrYes).Click("BtnOK");
  EXPECT_TRUE(Translator->ShowEditor());
  ASSERT_EQ(Ui.Messages().size(), 1u);
  EXPECT_EQ(Ui.Messages()[0].Text, "Do you want to insert properties from TranslatorGerman ?");
  EXPECT_EQ(Ui.Messages()[0].Type, mtInformation);
  EXPECT_EQ(LinesOf(Translator->Translations()),
            (std::vector<String>{"Button1.Caption=''", "Button1.Width=80"}));
}

TEST_F(EditorTest, RightToLeftTypingEntersFromTheLeftWhereTheSystemDoesNot) {
  SetTranslations({"Button1.Caption=''"});
  auto type = [&](bool systemDoes) {
    Ui.SetHandlesRightToLeftInput(systemDoes);
    Ui.SelectPage("FormNotebook", 3)
        .ClickItem("GroupReadingOrder", 0)
        .SelectPage("FormNotebook", 0)
        .ClickItem("PropList", 0)
        .Focus("EdtTranslation")
        .Type("abc");
    String typed;
    Check([&](TFormEditor& e) {
      typed = e.EdtTranslation->Text();
      EXPECT_EQ(e.EdtTranslation->Alignment(), taRightJustify);
    })
        .Click("BtnCancel")
        .Answer(mrYes);
    Translator->ShowEditor();
    return typed;
  };
  EXPECT_EQ(type(false), "cba");
  EXPECT_EQ(type(true), "abc");
  EXPECT_EQ(Registry().ReadInteger("Glossmith", "ReadingOrderIndex", -1), 0);
}

TEST_F(EditorTest, RightToLeftTypingStillLetsBackspaceAndTheArrowsEdit) {
  SetTranslations({"Button1.Caption=''"});
  Ui.SelectPage("FormNotebook", 3)
      .ClickItem("GroupReadingOrder", 0)
      .SelectPage("FormNotebook", 0)
      .ClickItem("PropList", 0)
      .Focus("EdtTranslation")
      .Type("abc")
      .Key(VK_BACK);
  Check([](TFormEditor& e) { EXPECT_EQ(e.EdtTranslation->Text(), "ba"); });
  Ui.Key(VK_END).Key(VK_BACK);
  Check([](TFormEditor& e) { EXPECT_EQ(e.EdtTranslation->Text(), "b"); });
  Ui.Key(VK_LEFT).Key(VK_DELETE);
  Check([](TFormEditor& e) { EXPECT_EQ(e.EdtTranslation->Text(), ""); });
  Ui.Type("xy").Key(VK_RIGHT).Key(VK_BACK).Type("z");
  Check([](TFormEditor& e) { EXPECT_EQ(e.EdtTranslation->Text(), "zy"); })
      .Click("BtnCancel")
      .Answer(mrYes);
  Translator->ShowEditor();
}

TEST_F(EditorTest, APathFindsTheLineOfThatWholePath) {
  TStringList list;
  list.Add("Button1.Caption2='x'");
  list.Add("Button1.Caption='y'");
  list.Add("Button1.Hint");
  EXPECT_EQ(TFormEditor::GetPropIndex("Button1.Caption", &list), 1);
  EXPECT_EQ(TFormEditor::GetPropIndex("Button1.Capt", &list), -1);
  EXPECT_EQ(TFormEditor::GetPropIndex("Button1.Hint", &list), 2);
  EXPECT_EQ(TFormEditor::GetPropIndex("", &list), -1);
  EXPECT_EQ(TFormEditor::GetPropIndex("Label1", &list), -1);
  EXPECT_TRUE(TFormEditor::IsStringLiteral("#13'a'"));
  EXPECT_FALSE(TFormEditor::IsStringLiteral(""));
  EXPECT_FALSE(TFormEditor::IsStringLiteral("clRed"));
}

}  // namespace
}  // namespace editortest

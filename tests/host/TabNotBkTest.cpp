#include <gtest/gtest.h>

#include "host/TestForms.h"
#include "host/controls/StdCtrls.h"
#include "host/controls/TabNotBk.h"
#include "host/formfiles/FormFiles.h"

namespace {

using testforms::Make;

// A notebook with the pages "Translations", "Options" and "Font", and an
// edit on each of the first two.
struct TNotebookForm {
  TForm Form{nullptr};
  TTabbedNotebook* Notebook = Make<TTabbedNotebook>(Form, "FormNotebook");
  TEdit* First;
  TEdit* Second;
  TNotebookForm() {
    Form.SetName("Form1");
    for (const char* caption : {"Translations", "Options", "Font"}) Notebook->Pages()->Add(caption);
    First = Make<TEdit>(Form, "First", Notebook->TabPage(0));
    Second = Make<TEdit>(Form, "Second", Notebook->TabPage(1));
  }
};

String Captions(const TTabbedNotebook& notebook) {
  String s;
  for (int i = 0; i < notebook.PageCount(); ++i) s += (i ? "," : "") + notebook.Pages()->Strings(i);
  return s;
}

TEST(TabNotBkTest, PagesMirrorTheNotebooksPagesAndOnlyTheActiveOneShows) {
  TNotebookForm f;
  TTabbedNotebook* nb = f.Notebook;
  TTabPage* options = nb->TabPage(1);
  EXPECT_EQ(nb->Pages()->Objects(1), options);
  EXPECT_EQ(options->Owner(), &f.Form);  // written with the form
  EXPECT_EQ(options->Name(), "");        // reached through Pages only
  EXPECT_EQ(options->Notebook(), nb);
  EXPECT_EQ(nb->ActivePage(), "Translations");
  EXPECT_TRUE(nb->TabPage(0)->Visible());
  EXPECT_FALSE(options->Visible());
  EXPECT_FALSE(f.Second->CanFocus());

  int told = 0;
  nb->AddObserver([&](TControl*) { ++told; });
  nb->Pages()->SetStrings(1, "Optionen");
  EXPECT_EQ(options->Caption(), "Optionen");
  EXPECT_EQ(told, 1);

  // Deleting a line destroys its page with the page's controls.
  nb->Pages()->Delete(1);
  EXPECT_EQ(f.Form.FindComponent("Second"), nullptr);
  EXPECT_EQ(Captions(*nb), "Translations,Font");
  // A page inserted before the active one leaves that one showing.
  nb->Pages()->Insert(0, "First page");
  EXPECT_EQ(nb->PageIndex(), 1);
  EXPECT_EQ(nb->ActivePage(), "Translations");
  // The active page going shows the one that takes its place.
  nb->Pages()->Delete(1);
  EXPECT_EQ(nb->ActivePage(), "Font");
  EXPECT_TRUE(nb->TabPage(1)->Visible());
  EXPECT_THROW(nb->Pages()->Strings(2), EStringListError);
}

TEST(TabNotBkTest, OnChangeComesBeforeAnotherPageShowsAndMayRefuseIt) {
  TNotebookForm f;
  TTabbedNotebook* nb = f.Notebook;
  std::vector<String> log;
  nb->OnChange = [&](TObject* sender, Integer NewTab, bool& AllowChange) {
    EXPECT_EQ(sender, nb);
    EXPECT_TRUE(AllowChange);
    log.push_back(IntToStr(NewTab) + " over " + nb->ActivePage());
    AllowChange = NewTab != 2;
  };
  nb->OnClick = [&](TObject*) { log.push_back("click"); };
  nb->SelectPage(1);
  EXPECT_TRUE(nb->Focused());
  EXPECT_TRUE(nb->TabPage(1)->Visible());
  EXPECT_FALSE(nb->TabPage(0)->Visible());
  nb->SelectPage(2);  // refused
  EXPECT_EQ(nb->PageIndex(), 1);
  nb->SetPageIndex(0);  // in code too
  nb->SetPageIndex(0);  // the page showing: no change
  nb->SetPageIndex(7);  // no such page
  nb->SetActivePage("font");
  EXPECT_EQ(log, (std::vector<String>{"1 over Translations", "click", "2 over Options", "click",
                                      "0 over Options", "2 over Translations"}));
  EXPECT_THROW(nb->SelectPage(3), EListError);
}

TEST(TabNotBkTest, ChangingThePageMovesAFocusInsideTheNotebookToItsTabs) {
  TNotebookForm f;
  testforms::TEventLog log;
  log.Focus(f.First);
  log.Focus(f.Notebook);
  f.First->SetFocus();
  log.Take();
  f.Notebook->SetPageIndex(1);
  EXPECT_EQ(log.Take(), (std::vector<String>{"exit First"}));
  EXPECT_TRUE(f.Notebook->Focused());
  // The tab order passes over the pages that do not show.
  f.Form.PressKey(VK_TAB);
  EXPECT_TRUE(f.Second->Focused());
  f.Form.PressKey(VK_TAB);
  EXPECT_TRUE(f.Notebook->Focused());
}

TEST(TabNotBkTest, CtrlTabAndTheArrowsChangePages) {
  TNotebookForm f;
  f.First->SetFocus();
  f.Form.PressKey(VK_TAB, {ssCtrl});
  EXPECT_EQ(f.Notebook->PageIndex(), 1);
  f.Form.PressKey(VK_TAB, {ssCtrl, ssShift});
  f.Form.PressKey(VK_TAB, {ssCtrl, ssShift});  // wraps
  EXPECT_EQ(f.Notebook->PageIndex(), 2);
  f.Form.PressKey(VK_RIGHT);  // on the tabs, where the focus went: no wrap
  EXPECT_EQ(f.Notebook->PageIndex(), 2);
}

String Text(std::initializer_list<const char*> lines) {
  String s;
  for (const char* line : lines) s += String(line) + "\r\n";
  return s;
}

TEST(TabNotBkTest, AFormFileGivesTheNotebookItsUnnamedPagesAndGetsThemBack) {
  String text = Text({
      "object Form1: TForm",
      "  object FormNotebook: TTabbedNotebook",
      "    Left = 8",
      "    Top = 8",
      "    Width = 473",
      "    Height = 313",
      "    PageIndex = 1",
      "    TabFont.Charset = DEFAULT_CHARSET",
      "    TabFont.Color = clBtnText",
      "    TabFont.Height = -11",
      "    TabFont.Name = 'MS Sans Serif'",
      "    TabFont.Style = []",
      "    TabOrder = 0",
      "    object TTabPage",
      "      Left = 4",
      "      Top = 24",
      "      Caption = 'Translations'",
      "      object PropList: TListBox",
      "        Left = 8",
      "        Top = 8",
      "        Width = 121",
      "        Height = 97",
      "        ItemHeight = 13",
      "        TabOrder = 0",
      "      end",
      "    end",
      "    object TTabPage",
      "      Left = 4",
      "      Top = 24",
      "      Caption = 'Options'",
      "    end",
      "  end",
      "end",
  });
  std::unique_ptr<TComponent> root(ReadFormFromString(text));
  auto* nb = dynamic_cast<TTabbedNotebook*>(root->FindComponent("FormNotebook"));
  ASSERT_NE(nb, nullptr);
  EXPECT_EQ(Captions(*nb), "Translations,Options");
  EXPECT_EQ(nb->ActivePage(), "Options");
  EXPECT_FALSE(nb->TabPage(0)->Visible());
  EXPECT_TRUE(nb->TabPage(1)->Visible());
  auto* list = dynamic_cast<TListBox*>(root->FindComponent("PropList"));
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(list->Parent(), nb->TabPage(0));
  EXPECT_EQ(nb->TabPage(0)->Owner(), root.get());
  String written = WriteFormToString(root.get());
  EXPECT_EQ(written.substr(written.find("  object FormNotebook")),
            text.substr(text.find("  object FormNotebook")));

  // A page inserted in the middle is written in its place.
  nb->Pages()->Insert(1, "Middle");
  std::unique_ptr<TComponent> again(ReadFormFromString(WriteFormToString(root.get())));
  EXPECT_EQ(Captions(*dynamic_cast<TTabbedNotebook*>(again->FindComponent("FormNotebook"))),
            "Translations,Middle,Options");
}

}  // namespace

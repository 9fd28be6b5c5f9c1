// The standard controls as a person uses them: list boxes, edits and memos,
// buttons and check boxes.
#include <gtest/gtest.h>

#include "host/TestForms.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "host/formfiles/FormFiles.h"

namespace {

using testforms::Make;

// A list of `count` items, `rows` of them visible at a time.
TListBox* MakeList(TForm& form, int count, int rows) {
  auto* list = Make<TListBox>(form, "List1");
  for (int i = 0; i < count; ++i) list->Items()->Add("item" + IntToStr(i));
  list->SetHeight(rows * list->ItemHeight());
  list->SetFocus();
  return list;
}

TEST(StdCtrlsTest, ListKeysMoveTheCurrentItemScrollItIntoViewAndClick) {
  TForm form(nullptr);
  TListBox* list = MakeList(form, 10, 4);
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  std::vector<Integer> seen;
  auto press = [&](WORD key) {
    form.PressKey(key);
    seen.push_back(list->ItemIndex());
  };
  press(VK_DOWN);  // from none: the first
  press(VK_DOWN);
  press(VK_NEXT);  // a page is the visible rows less one
  press(VK_END);
  press(VK_DOWN);  // at the end: nothing moves, no click
  press(VK_PRIOR);
  press(VK_HOME);
  press(VK_UP);
  EXPECT_EQ(seen, (std::vector<Integer>{0, 1, 4, 9, 9, 6, 0, 0}));
  EXPECT_EQ(clicks, 6);
  form.PressKey(VK_END);
  EXPECT_EQ(list->TopIndex(), 6);
  // A typed letter moves to the next item that starts with it.
  list->Items()->Insert(0, "Zebra");
  form.TypeText("z");
  EXPECT_EQ(list->ItemIndex(), 0);
  EXPECT_EQ(list->TopIndex(), 0);
}

TEST(StdCtrlsTest, MultiSelectClicksAndKeysSelectAsAPersonDoes) {
  TForm form(nullptr);
  TListBox* list = MakeList(form, 6, 6);
  list->SetMultiSelect(true);
  int clicks = 0;
  list->OnClick = [&](TObject*) { ++clicks; };
  auto selected = [&] {
    String s;
    for (int i = 0; i < list->Items()->Count(); ++i) s += list->Selected(i) ? "x" : ".";
    return s;
  };
  list->ClickItem(1);
  list->ClickItem(2);
  EXPECT_EQ(selected(), "..x...");  // a plain click selects only it
  list->ClickItem(4, {ssCtrl});
  EXPECT_EQ(selected(), "..x.x.");  // Ctrl adds
  list->ClickItem(2, {ssCtrl});
  EXPECT_EQ(selected(), "....x.");  // and toggles
  list->ClickItem(1, {ssShift});
  EXPECT_EQ(selected(), ".xx...");  // Shift: from the last plain or Ctrl click
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_EQ(clicks, 5);
  form.PressKey(VK_DOWN);
  EXPECT_EQ(selected(), "..x...");
  form.PressKey(VK_DOWN, {ssShift});
  EXPECT_EQ(selected(), "..xx..");
  form.PressKey(VK_DOWN, {ssCtrl});  // the current item only
  EXPECT_EQ(list->ItemIndex(), 4);
  EXPECT_EQ(selected(), "..xx..");
  form.PressKey(VK_SPACE, {ssCtrl});
  EXPECT_EQ(selected(), "..xxx.");
  form.PressKey(VK_END);
  form.PressKey(VK_END);  // every key of a multiple selection tells
  EXPECT_EQ(clicks, 11);
  EXPECT_THROW(list->ClickItem(6), EListError);

  // Without ExtendedSelect a click toggles.
  list->SetExtendedSelect(false);
  list->ClearSelection();
  list->ClickItem(0);
  list->ClickItem(3);
  list->ClickItem(0);
  EXPECT_EQ(selected(), "...x..");
}

TEST(StdCtrlsTest, TheSelectionAndTheCurrentItemStayWithTheirItems) {
  TForm form(nullptr);
  TListBox* list = MakeList(form, 5, 5);
  list->SetMultiSelect(true);
  list->SetSelected(1, true);
  list->SetSelected(3, true);
  list->SetItemIndex(3);
  list->Items()->Delete(0);
  EXPECT_TRUE(list->Selected(0));
  EXPECT_TRUE(list->Selected(2));
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_EQ(list->ItemIndex(), 2);
  list->Items()->Insert(1, "new");
  EXPECT_FALSE(list->Selected(1));
  EXPECT_TRUE(list->Selected(3));
  EXPECT_EQ(list->ItemIndex(), 3);
  // Deleting the selected items from the last to the first, as a remove
  // command does, leaves nothing selected and no current item.
  for (int i = list->Items()->Count() - 1; i >= 0; --i)
    if (list->Selected(i)) list->Items()->Delete(i);
  EXPECT_EQ(list->SelCount(), 0);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->Items()->Text(), "new\r\nitem2\r\nitem4\r\n");

  // Within an update the selection follows each line; observers hear once.
  list->SetSorted(true);
  list->SetSelected(0, true);  // item2
  int told = 0;
  list->AddObserver([&](TControl*) { ++told; });
  list->Items()->BeginUpdate();
  list->Items()->Add("item0");
  EXPECT_TRUE(list->Selected(1));
  EXPECT_FALSE(list->Selected(0));
  list->Items()->Add("aaa");
  list->Items()->EndUpdate();
  EXPECT_EQ(told, 1);
  EXPECT_EQ(list->Items()->Strings(2), "item2");
  EXPECT_TRUE(list->Selected(2));
  // Putting in new lines all at once starts the selection afresh.
  list->Items()->SetText("x\ny\n");
  EXPECT_EQ(list->SelCount(), 0);
}

TEST(StdCtrlsTest, EditingKeysMoveTheCaretAndDeleteByCharacter) {
  TForm form(nullptr);
  auto* memo = Make<TMemo>(form, "Memo1");
  memo->SetFocus();
  form.TypeText("one\ntwo\xC3\xA9");
  EXPECT_EQ(memo->Lines()->Strings(1), "two\xC3\xA9");
  form.PressKey(VK_BACK);  // the whole UTF-8 character
  EXPECT_EQ(memo->Text(), "one\r\ntwo");
  form.PressKey(VK_UP);
  EXPECT_EQ(memo->SelStart(), 3);
  form.PressKey(VK_HOME);
  form.PressKey(VK_DELETE);
  EXPECT_EQ(memo->Text(), "ne\r\ntwo");
  form.PressKey(VK_END);
  form.PressKey(VK_DELETE);  // the line break is one character
  EXPECT_EQ(memo->Text(), "netwo");
  form.PressKey(VK_LEFT);
  form.TypeText("-");
  EXPECT_EQ(memo->Text(), "n-etwo");
  // Tab is a character only for a memo that wants tabs.
  memo->SetWantTabs(true);
  form.PressKey(VK_TAB);
  EXPECT_EQ(memo->Text(), "n-\tetwo");
  auto* edit = Make<TEdit>(form, "Edit1");
  edit->SetMaxLength(3);
  edit->SetFocus();
  form.TypeText("abcd\n");
  EXPECT_EQ(edit->Text(), "abc");
}

TEST(StdCtrlsTest, AnEditSelectsAllWhenTabbedIntoButNotWhenClicked) {
  TForm form(nullptr);
  auto* first = Make<TEdit>(form, "First");
  auto* edit = Make<TEdit>(form, "Edit1");
  edit->SetText("hello");
  first->SetFocus();
  form.PressKey(VK_TAB);
  EXPECT_EQ(edit->SelLength(), 5);
  form.TypeText("x");
  EXPECT_EQ(edit->Text(), "x");
  first->SetFocus();
  edit->SetSelStart(0);
  edit->MouseClick();
  EXPECT_EQ(edit->SelLength(), 0);
}

TEST(StdCtrlsTest, ACheckBoxClicksOnEveryChangeOfStateWhoeverMakesIt) {
  TForm form(nullptr);
  auto* box = Make<TCheckBox>(form, "Check1");
  std::vector<bool> clicks;
  box->OnClick = [&](TObject*) { clicks.push_back(box->Checked()); };
  box->SetChecked(true);
  box->SetChecked(true);  // no change, no click
  box->MouseClick();
  box->SetFocus();
  form.PressKey(VK_SPACE);
  EXPECT_EQ(clicks, (std::vector<bool>{true, false, true}));
}

TEST(StdCtrlsTest, ARadioGroupClicksWhenItsItemChanges) {
  TForm form(nullptr);
  auto* group = Make<TRadioGroup>(form, "Group1");
  group->Items()->SetText("Right to left\nLeft to right\n");
  std::vector<Integer> clicks;
  group->OnClick = [&](TObject*) { clicks.push_back(group->ItemIndex()); };
  group->ClickItem(1);
  group->ClickItem(1);  // already checked
  EXPECT_TRUE(group->Focused());
  form.PressKey(VK_UP);
  form.PressKey(VK_UP);  // wraps, as the focus does among radio buttons
  group->SetItemIndex(0);
  EXPECT_EQ(clicks, (std::vector<Integer>{1, 0, 1, 0}));
  EXPECT_THROW(group->ClickItem(2), EListError);
}

// A drop-down list shows the chosen item whatever changes its items: read
// from a form file (the index before the items), translated item by item,
// given a text that is no item, items added and removed before it.
TEST(StdCtrlsTest, ADropDownListAlwaysShowsItsChosenItem) {
  for (const char* style : {"csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"}) {
    SCOPED_TRACE(style);
    std::unique_ptr<TComponent> root(ReadFormFromString(
        String("object F: TForm\n  object C: TComboBox\n    Style = ") + style +
        "\n    ItemIndex = 1\n    Text = 'Green'\n    Items.Strings = (\n      'Red'\n"
        "      'Green')\n  end\nend\n"));
    auto* combo = static_cast<TComboBox*>(root->FindComponent("C"));
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "Green");
    // A translation gives the text first, then the items.
    combo->SetText("Vert");
    EXPECT_EQ(combo->Text(), "Green") << "a list shows only its items";
    combo->Items()->SetStrings(1, "Vert");
    EXPECT_EQ(combo->Text(), "Vert");
    combo->SetText("red");
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Text(), "Red");
    combo->Items()->Insert(0, "Blue");
    EXPECT_EQ(combo->ItemIndex(), 1);
    EXPECT_EQ(combo->Text(), "Red");
    combo->Items()->Delete(1);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
  }
  // The file's text names the item when it gives no index; an edit box keeps
  // the text it was given.
  std::unique_ptr<TComponent> root(ReadFormFromString(
      "object F: TForm\n  object L: TComboBox\n    Style = csDropDownList\n"
      "    Text = 'b'\n    Items.Strings = (\n      'a'\n      'B')\n  end\n"
      "  object E: TComboBox\n    ItemIndex = 0\n    Text = 'typed'\n"
      "    Items.Strings = (\n      'a')\n  end\nend\n"));
  auto* list = static_cast<TComboBox*>(root->FindComponent("L"));
  EXPECT_EQ(list->ItemIndex(), 1);
  EXPECT_EQ(list->Text(), "B");
  auto* edit = static_cast<TComboBox*>(root->FindComponent("E"));
  EXPECT_EQ(edit->Text(), "typed");
  edit->Items()->SetStrings(0, "A");
  EXPECT_EQ(edit->Text(), "typed");
  // Written again, the index is stored.
  const String text = WriteFormToString(root.get());
  EXPECT_NE(text.find("ItemIndex = 1"), String::npos) << text;
}

}  // namespace

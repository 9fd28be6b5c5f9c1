#include <gtest/gtest.h>

#include "host/controls/ActnList.h"
#include "host/controls/Forms.h"
#include "host/formfiles/FormFiles.h"

namespace {

std::vector<TContainedAction*> ActionsOf(const TActionList* list) {
  std::vector<TContainedAction*> actions;
  for (int i = 0; i < list->ActionCount(); ++i) actions.push_back(list->Actions(i));
  return actions;
}

String Lines(std::initializer_list<const char*> lines) {
  String out;
  for (const char* l : lines) out += String(l) + "\r\n";
  return out;
}

TEST(ActnListTest, ExecuteRunsTheHandlerAndSaysWhetherThereWasOne) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  EXPECT_FALSE(action->Execute());
  TObject* sender = nullptr;
  int runs = 0;
  action->OnExecute = [&](TObject* s) {
    sender = s;
    ++runs;
  };
  EXPECT_TRUE(action->Execute());
  EXPECT_EQ(sender, action);
  EXPECT_EQ(runs, 1);
}

TEST(ActnListTest, ActionsJoinTheirListInOrderAndMoveBetweenLists) {
  TForm form(nullptr);
  auto* first = new TActionList(&form);
  auto* second = new TActionList(&form);
  auto* a = new TAction(&form);
  auto* b = new TAction(&form);
  auto* c = new TAction(&form);
  EXPECT_EQ(a->Index(), -1);
  for (TAction* action : {a, b, c}) action->SetActionList(first);
  EXPECT_EQ(ActionsOf(first), (std::vector<TContainedAction*>{a, b, c}));
  EXPECT_EQ(c->Index(), 2);
  a->SetActionList(first);  // already there: stays in its place
  EXPECT_EQ(a->Index(), 0);

  a->SetActionList(second);
  EXPECT_EQ(ActionsOf(first), (std::vector<TContainedAction*>{b, c}));
  EXPECT_EQ(ActionsOf(second), (std::vector<TContainedAction*>{a}));
  EXPECT_EQ(b->Index(), 0);
  b->SetActionList(nullptr);
  EXPECT_EQ(ActionsOf(first), (std::vector<TContainedAction*>{c}));
  EXPECT_EQ(b->Index(), -1);
  EXPECT_THROW(first->Actions(1), EListError);
  EXPECT_THROW(first->Actions(-1), EListError);
}

TEST(ActnListTest, AnActionLeavesItsListWhenDestroyed) {
  TForm form(nullptr);
  auto* list = new TActionList(&form);
  auto* a = new TAction(&form);
  auto* b = new TAction(&form);
  a->SetActionList(list);
  b->SetActionList(list);
  delete a;
  EXPECT_EQ(ActionsOf(list), (std::vector<TContainedAction*>{b}));
  EXPECT_EQ(b->Index(), 0);
}

TEST(ActnListTest, ActionsOutliveTheirListWithoutOne) {
  TForm form(nullptr);
  auto* list = new TActionList(&form);
  auto* action = new TAction(&form);
  action->SetActionList(list);
  const int components = form.ComponentCount();
  delete list;
  // The form owns the action; it stays, without a list, and can join another.
  EXPECT_EQ(form.ComponentCount(), components - 1);
  EXPECT_EQ(action->ActionList(), nullptr);
  EXPECT_EQ(action->Index(), -1);
  auto* other = new TActionList(&form);
  action->SetActionList(other);
  EXPECT_EQ(ActionsOf(other), (std::vector<TContainedAction*>{action}));
}

TEST(ActnListTest, ActionsNestUnderTheirListOnly) {
  TForm form(nullptr);
  auto* list = new TActionList(&form);
  auto* action = new TAction(&form);
  EXPECT_FALSE(action->SetParentComponent(&form));
  EXPECT_EQ(action->ActionList(), nullptr);
  EXPECT_TRUE(action->SetParentComponent(list));
  EXPECT_EQ(action->GetParentComponent(), list);
  std::vector<TComponent*> children;
  list->GetChildren([&](TComponent* child) { children.push_back(child); });
  EXPECT_EQ(children, (std::vector<TComponent*>{action}));
  EXPECT_TRUE(action->SetParentComponent(nullptr));
  EXPECT_EQ(list->ActionCount(), 0);
}

TEST(ActnListTest, FormFilesKeepActionsInTheirListsInOrder) {
  const String text = Lines({
      "object Form1: TForm",
      "  object Actions: TActionList",
      "    Images = Icons",
      "    object FileSave: TAction",
      "      Caption = '&Save'",
      "      ImageIndex = 1",
      "      ShortCut = 16467",
      "    end",
      "    object FileOpen: TAction",
      "      Caption = '&Open'",
      "      Enabled = False",
      "    end",
      "  end",
      "  object Icons: TImageList",
      "  end",
      "end",
  });
  std::unique_ptr<TComponent> form(ReadFormFromString(text));
  auto* list = dynamic_cast<TActionList*>(form->FindComponent("Actions"));
  ASSERT_NE(list, nullptr);
  auto* save = dynamic_cast<TAction*>(form->FindComponent("FileSave"));
  auto* open = dynamic_cast<TAction*>(form->FindComponent("FileOpen"));
  ASSERT_TRUE(save && open);
  EXPECT_EQ(save->Owner(), form.get());
  EXPECT_EQ(ActionsOf(list), (std::vector<TContainedAction*>{save, open}));
  EXPECT_EQ(list->Images(), form->FindComponent("Icons"));  // named before it is read
  EXPECT_EQ(save->ShortCut(), ShortCut('S', {ssCtrl}));
  EXPECT_FALSE(open->Enabled());
  const String written = WriteFormToString(form.get());
  EXPECT_NE(written.find(Lines({"  object Actions: TActionList", "    Images = Icons",
                                "    object FileSave: TAction"})),
            String::npos)
      << written;
  std::unique_ptr<TComponent> again(ReadFormFromString(written));
  EXPECT_EQ(WriteFormToString(again.get()), written);
}

TEST(ActnListTest, ObserversHearOfRealChangesOnly) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  int calls = 0;
  const int id = action->AddObserver([&](TCustomAction* changed) {
    EXPECT_EQ(changed, action);
    ++calls;
  });
  action->SetCaption("&Open");
  action->SetChecked(true);
  action->SetEnabled(false);
  action->SetHint("Opens a file");
  action->SetImageIndex(3);
  action->SetShortCut(ShortCut('O', {ssCtrl}));
  action->SetVisible(false);
  EXPECT_EQ(calls, 7);
  action->SetCaption("&Open");
  action->SetEnabled(false);
  EXPECT_EQ(calls, 7);
  action->RemoveObserver(id);
  action->SetCaption("&Close");
  EXPECT_EQ(calls, 7);
}

TEST(ActnListTest, ImageListReferenceIsClearedWhenTheImagesGo) {
  TForm form(nullptr);
  TForm other(nullptr);
  auto* list = new TActionList(&form);
  auto* own = new TImageList(&form);
  list->SetImages(own);
  delete own;
  EXPECT_EQ(list->Images(), nullptr);
  auto* foreign = new TImageList(&other);  // told through free notification
  list->SetImages(foreign);
  delete foreign;
  EXPECT_EQ(list->Images(), nullptr);
}

}  // namespace

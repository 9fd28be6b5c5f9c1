#include <gtest/gtest.h>

#include "host/controls/ActnList.h"
#include "host/controls/ComCtrls.h"
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

namespace action_links {

const char* const kLinkedForm[] = {
    "object Form1: TForm",
    "  Left = 0",
    "  Top = 0",
    "  Width = 320",
    "  Height = 240",
    "  Color = clBtnFace",
    "  Font.Charset = DEFAULT_CHARSET",
    "  Font.Color = clWindowText",
    "  Font.Height = -11",
    "  Font.Name = 'MS Sans Serif'",
    "  Font.Style = []",
    "  PixelsPerInch = 96",
    "  object MainMenu1: TMainMenu",
    "    object MenuFile: TMenuItem",
    "      Caption = '&File'",
    "      object MenuDo: TMenuItem",
    "        Action = ActDo",
    "      end",
    "      object MenuOwn: TMenuItem",
    "        Action = ActDo",
    "        Caption = 'Do it &now'",
    "        Enabled = False",
    "      end",
    "    end",
    "  end",
    "  object ButtonDo: TButton",
    "    Left = 8",
    "    Top = 8",
    "    Width = 75",
    "    Height = 25",
    "    Action = ActDo",
    "    TabOrder = 0",
    "  end",
    "  object CheckWrap: TCheckBox",
    "    Left = 8",
    "    Top = 40",
    "    Width = 97",
    "    Height = 17",
    "    Action = ActWrap",
    "    State = cbChecked",
    "    TabOrder = 1",
    "  end",
    "  object ToolButtonDo: TToolButton",
    "    Left = 120",
    "    Top = 8",
    "    Width = 23",
    "    Height = 22",
    "    Action = ActDo",
    "  end",
    "  object Actions: TActionList",
    "    object ActDo: TAction",
    "      Caption = '&Do'",
    "      Hint = 'Does it'",
    "      ImageIndex = 2",
    "      ShortCut = 16452",
    "    end",
    "    object ActWrap: TAction",
    "      Caption = '&Wrap'",
    "      Checked = True",
    "    end",
    "  end",
    "end",
};

String LinkedForm() {
  String out;
  for (const char* l : kLinkedForm) out += String(l) + "\r\n";
  return out;
}

template <class T>
T* Find(TComponent* form, const char* name) {
  auto* c = dynamic_cast<T*>(form->FindComponent(name));
  EXPECT_NE(c, nullptr) << name;
  return c;
}

TEST(ActnListTest, ClientsTakeTheirActionsValuesAndFormFilesOnlyWhatTheyGaveThemselves) {
  std::unique_ptr<TComponent> form(ReadFormFromString(LinkedForm()));
  auto* act = Find<TAction>(form.get(), "ActDo");
  auto* menuDo = Find<TMenuItem>(form.get(), "MenuDo");
  auto* menuOwn = Find<TMenuItem>(form.get(), "MenuOwn");
  auto* button = Find<TButton>(form.get(), "ButtonDo");
  auto* check = Find<TCheckBox>(form.get(), "CheckWrap");
  auto* tool = Find<TToolButton>(form.get(), "ToolButtonDo");
  ASSERT_TRUE(act && menuDo && menuOwn && button && check && tool);
  EXPECT_EQ(menuDo->Action(), act);
  EXPECT_EQ(menuDo->Caption(), "&Do");
  EXPECT_EQ(menuDo->Hint(), "Does it");
  EXPECT_EQ(menuDo->ShortCut(), ShortCut('D', {ssCtrl}));
  EXPECT_EQ(menuDo->ImageIndex(), 2);
  EXPECT_TRUE(menuDo->Enabled());
  // What the file gives the client wins over the action.
  EXPECT_EQ(menuOwn->Caption(), "Do it &now");
  EXPECT_FALSE(menuOwn->Enabled());
  EXPECT_EQ(menuOwn->ShortCut(), ShortCut('D', {ssCtrl}));
  EXPECT_EQ(button->Caption(), "&Do");
  EXPECT_EQ(button->Hint(), "Does it");
  EXPECT_EQ(tool->Caption(), "&Do");
  EXPECT_EQ(tool->ImageIndex(), 2);
  EXPECT_EQ(check->Caption(), "&Wrap");
  EXPECT_TRUE(check->Checked());
  EXPECT_EQ(tool->Action(), act);

  // Written back, the values the action gives are left out: the text is
  // the file as it was read.
  const String written = WriteFormToString(form.get());
  EXPECT_EQ(written, LinkedForm());
}

TEST(ActnListTest, ClientsFollowTheirActionUnlessTheyChangedTheValueThemselves) {
  std::unique_ptr<TComponent> form(ReadFormFromString(LinkedForm()));
  auto* act = Find<TAction>(form.get(), "ActDo");
  auto* wrap = Find<TAction>(form.get(), "ActWrap");
  auto* menuDo = Find<TMenuItem>(form.get(), "MenuDo");
  auto* menuOwn = Find<TMenuItem>(form.get(), "MenuOwn");
  auto* button = Find<TButton>(form.get(), "ButtonDo");
  auto* check = Find<TCheckBox>(form.get(), "CheckWrap");
  ASSERT_TRUE(act && wrap && menuDo && menuOwn && button && check);
  int notified = 0;
  menuDo->AddObserver([&](TMenuItem*) { ++notified; });
  act->SetCaption("&Faire");
  act->SetEnabled(false);
  act->SetShortCut(ShortCut('F', {ssCtrl}));
  act->SetChecked(true);
  EXPECT_EQ(menuDo->Caption(), "&Faire");
  EXPECT_GE(notified, 1) << "a menu shown for the item hears of it";
  EXPECT_FALSE(menuDo->Enabled());
  EXPECT_TRUE(menuDo->Checked());
  EXPECT_EQ(menuDo->ShortCut(), ShortCut('F', {ssCtrl}));
  EXPECT_EQ(button->Caption(), "&Faire");
  EXPECT_FALSE(button->Enabled());
  EXPECT_EQ(menuOwn->Caption(), "Do it &now") << "its own caption";
  EXPECT_EQ(menuOwn->ShortCut(), ShortCut('F', {ssCtrl}));

  // A caption the client changed no longer follows; the rest does.
  button->SetCaption("Mine");
  act->SetCaption("&Machen");
  act->SetHint("Macht es");
  EXPECT_EQ(button->Caption(), "Mine");
  EXPECT_EQ(button->Hint(), "Macht es");
  EXPECT_EQ(menuDo->Caption(), "&Machen");
  EXPECT_NE(WriteFormToString(form.get()).find("Caption = 'Mine'"), String::npos);

  // The action's check checks the box without the click a person's is.
  int executed = 0;
  wrap->OnExecute = [&](TObject*) { ++executed; };
  wrap->SetChecked(false);
  EXPECT_FALSE(check->Checked());
  EXPECT_EQ(executed, 0);

  // A client without a handler of its own runs the action when clicked.
  int done = 0;
  act->OnExecute = [&](TObject* sender) {
    EXPECT_EQ(sender, act);
    ++done;
  };
  menuDo->Click();
  act->SetEnabled(true);
  button->Click();
  EXPECT_EQ(done, 2);
  int own = 0;
  menuOwn->OnClick = [&](TObject*) { ++own; };
  menuOwn->Click();
  EXPECT_EQ(done, 2);
  EXPECT_EQ(own, 1);

  // The action goes: the clients keep what they show, and write it.
  delete act;
  EXPECT_EQ(menuDo->Action(), nullptr);
  EXPECT_EQ(button->Action(), nullptr);
  EXPECT_EQ(menuDo->Caption(), "&Machen");
  act = nullptr;
  menuDo->SetCaption("&Again");  // no action to hear of it
  EXPECT_NE(WriteFormToString(form.get()).find("Caption = '&Again'"), String::npos);
}

TEST(ActnListTest, AnActionSetAtRunTimeGivesItsClientEveryValue) {
  TForm form(nullptr);
  auto* action = new TAction(&form);
  action->SetCaption("&Print");
  action->SetVisible(false);
  auto* item = new TMenuItem(&form);
  item->SetCaption("Old");
  item->SetChecked(true);
  item->SetAction(action);
  EXPECT_EQ(item->Caption(), "&Print");
  EXPECT_FALSE(item->Checked());
  EXPECT_FALSE(item->Visible());
  // Another action: the values of the new one.
  auto* other = new TAction(&form);
  other->SetCaption("&Other");
  item->SetAction(other);
  EXPECT_EQ(item->Caption(), "&Other");
  EXPECT_TRUE(item->Visible());
  action->SetCaption("&Printer");
  EXPECT_EQ(item->Caption(), "&Other") << "the former action is no longer heard";
  item->SetAction(nullptr);
  other->SetCaption("&Changed");
  EXPECT_EQ(item->Caption(), "&Other");
}

}  // namespace action_links

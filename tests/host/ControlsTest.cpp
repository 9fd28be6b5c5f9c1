#include <gtest/gtest.h>

#include "host/controls/ComCtrls.h"
#include "host/controls/Controls.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/StdCtrls.h"
#include "host/formfiles/FormFiles.h"

namespace {

std::vector<String> PropNames(const TObject* obj, TTypeKinds kinds = tkAny) {
  std::vector<String> names;
  for (PPropInfo p : GetPropList(obj, kinds)) names.push_back(p->Name);
  return names;
}

// The properties a form-file writer writes: stored and not at their default;
// a sub-object when it has something to write.
std::vector<String> Written(const TObject* obj) {
  std::vector<String> names;
  for (PPropInfo p : GetPropList(obj, tkProperties)) {
    if (!p->IsStored(obj) || IsDefaultPropValue(obj, p)) continue;
    if (p->Kind() == tkClass) {
      TObject* sub = GetObjectProp(obj, p);
      if (!sub->Is<TStrings>() && !sub->Is<TCollection>() && !sub->Is<TComponent>() &&
          Written(sub).empty())
        continue;
    }
    names.push_back(p->Name);
  }
  return names;
}

bool Has(const std::vector<String>& names, const String& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(ControlsTest, KeyClassesPublishInClassicOrder) {
  TForm form(nullptr);
  auto* button = new TButton(&form);
  EXPECT_EQ(PropNames(button, tkProperties),
            (std::vector<String>{"Name",           "Tag",        "Left",           "Top",
                                 "Width",          "Height",     "Cursor",         "Hint",
                                 "Action",         "Anchors",    "BiDiMode",       "Cancel",
                                 "Caption",
                                 "Constraints",    "Default",    "DragCursor",     "DragKind",
                                 "DragMode",       "Enabled",    "Font",           "ModalResult",
                                 "ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu",
                                 "ShowHint",       "TabOrder",   "TabStop",        "Visible"}));
  EXPECT_EQ(PropNames(button, tkMethods).front(), "OnClick");

  auto* list = new TListView(&form);
  TListColumn* column = list->Columns()->Add();
  EXPECT_EQ(PropNames(column),
            (std::vector<String>{"Alignment", "AutoSize", "Caption", "ImageIndex", "MaxWidth",
                                 "MinWidth", "Tag", "Width"}));
  auto* status = new TStatusBar(&form);
  EXPECT_EQ(PropNames(status->Panels()->Add()),
            (std::vector<String>{"Alignment", "Bevel", "BiDiMode", "ParentBiDiMode", "Style",
                                 "Text", "Width"}));
  // A combo box gives its items after everything else, so that they are read
  // after its style.
  auto* combo = new TComboBox(&form);
  EXPECT_EQ(PropNames(combo).back(), "Items");
  EXPECT_EQ(PropNames(combo)[8], "Style");
}

TEST(ControlsTest, WriterSeesClassicDefaultsAndStoredSpecifiers) {
  TForm form(nullptr);
  auto* button = new TButton(&form);
  button->SetParent(&form);
  button->SetCaption("OK");
  // Position and size have no default; TabOrder is written once parented;
  // the font follows the parent and is not written.
  EXPECT_EQ(Written(button),
            (std::vector<String>{"Left", "Top", "Width", "Height", "Caption", "TabOrder"}));

  button->Font()->SetName("Arial");
  EXPECT_FALSE(button->ParentFont());
  EXPECT_TRUE(Has(Written(button), "Font"));
  EXPECT_TRUE(Has(Written(button), "ParentFont"));
  button->SetParentFont(true);
  EXPECT_EQ(button->Font()->Name(), form.Font()->Name());
  EXPECT_FALSE(Has(Written(button), "Font"));

  auto* edit = new TEdit(&form);
  edit->SetParent(&form);
  // An edit keeps its own colour: ParentColor defaults to False and the
  // window colour is the default, so neither is written.
  EXPECT_FALSE(Has(Written(edit), "Color"));
  EXPECT_FALSE(Has(Written(edit), "ParentColor"));
  edit->SetColor(clRed);
  EXPECT_TRUE(Has(Written(edit), "Color"));

  auto* label = new TLabel(&form);
  label->SetParent(&form);
  EXPECT_EQ(label->Color(), form.Color());  // taken from the parent
  EXPECT_FALSE(Has(Written(label), "Color"));
  form.SetColor(clYellow);
  EXPECT_EQ(label->Color(), clYellow);
  EXPECT_EQ(edit->Color(), clRed);

  auto* status = new TStatusBar(&form);
  EXPECT_EQ(status->Align(), alBottom);
  EXPECT_FALSE(Has(Written(status), "Align"));
  EXPECT_FALSE(Has(Written(status), "Color"));
  TStatusPanel* panel = status->Panels()->Add();
  EXPECT_EQ(Written(panel), (std::vector<String>{"Width"}));

  auto* check = new TCheckBox(&form);
  check->SetChecked(true);
  EXPECT_TRUE(Has(Written(check), "State"));
  EXPECT_FALSE(Has(Written(check), "Checked"));
  EXPECT_FALSE(Has(Written(check), "Alignment"));  // taRightJustify is its default

  auto* sheet = new TTabSheet(&form);
  sheet->SetCaption("Page");
  EXPECT_EQ(Written(sheet), (std::vector<String>{"Caption"}));
}

TEST(ControlsTest, ParenthoodIsKeptApartFromOwnership) {
  TForm form(nullptr);
  TComponent other(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* a = new TButton(&form);
  auto* b = new TEdit(&other);  // owned elsewhere, shown on the panel
  auto* c = new TLabel(&form);
  a->SetParent(panel);
  b->SetParent(panel);
  c->SetParent(panel);
  EXPECT_EQ(panel->ControlCount(), 3);
  EXPECT_EQ(a->Parent(), panel);
  EXPECT_EQ(b->Owner(), &other);
  EXPECT_EQ(a->TabOrder(), 0);
  EXPECT_EQ(b->TabOrder(), 1);
  b->SetTabOrder(0);
  EXPECT_EQ(panel->TabList(0), b);
  EXPECT_EQ(a->TabOrder(), 1);

  EXPECT_THROW(panel->SetParent(panel), EInvalidOperation);
  EXPECT_THROW(form.SetParent(panel), EInvalidOperation);

  a->SetParent(&form);
  EXPECT_EQ(panel->ControlCount(), 2);
  EXPECT_EQ(b->TabOrder(), 0);
  EXPECT_EQ(form.ControlCount(), 2);

  // A windowed control takes its child controls with it, whoever owns them;
  // their owners and their parent's lists let go of them.
  int before = form.ComponentCount();
  delete panel;
  EXPECT_EQ(other.ComponentCount(), 0);
  EXPECT_EQ(form.ComponentCount(), before - 2);  // the panel and the label
  EXPECT_EQ(form.ControlCount(), 1);
  EXPECT_EQ(form.Controls(0), a);

  // Destroying a child updates the parent's lists.
  delete a;
  EXPECT_EQ(form.ControlCount(), 0);
  EXPECT_EQ(form.TabListCount(), 0);
}

TEST(ControlsTest, TabOrderWantedBeforeParentingIsKept) {
  TForm form(nullptr);
  auto* first = new TButton(&form);
  auto* second = new TButton(&form);
  second->SetTabOrder(0);
  EXPECT_EQ(second->TabOrder(), 0);
  first->SetParent(&form);
  second->SetParent(&form);
  EXPECT_EQ(second->TabOrder(), 0);
  EXPECT_EQ(first->TabOrder(), 1);
  second->SetTabOrder(99);  // out of range: last
  EXPECT_EQ(second->TabOrder(), 1);
}

TEST(ControlsTest, TabOrderReadFromAFormIsSortedOnceAllIsRead) {
  // A form file gives controls in creation order, each with its tab order;
  // a later control may ask for a position before an earlier one.
  TForm form(nullptr);
  form.SetLoading(true);
  std::vector<TWinControl*> controls;
  for (Integer order : {2, 0, 3, 1}) {
    auto* c = new TEdit(&form);
    c->SetParent(&form);
    c->SetTabOrder(order);
    controls.push_back(c);
  }
  auto* unordered = new TPanel(&form);
  unordered->SetParent(&form);
  form.Loaded();
  form.SetLoading(false);
  EXPECT_EQ(controls[0]->TabOrder(), 2);
  EXPECT_EQ(controls[1]->TabOrder(), 0);
  EXPECT_EQ(controls[2]->TabOrder(), 3);
  EXPECT_EQ(controls[3]->TabOrder(), 1);
  EXPECT_EQ(unordered->TabOrder(), 4);
}

TEST(ControlsTest, PopupMenuIsClearedWhenTheMenuGoes) {
  TForm form(nullptr);
  TForm otherForm(nullptr);
  auto* popup = new TPopupMenu(&form);
  auto* foreignPopup = new TPopupMenu(&otherForm);
  auto* edit = new TEdit(&form);
  auto* memo = new TMemo(&form);
  edit->SetPopupMenu(popup);
  memo->SetPopupMenu(foreignPopup);
  delete popup;
  EXPECT_EQ(edit->PopupMenu(), nullptr);
  delete foreignPopup;  // owned by another form: told through free notification
  EXPECT_EQ(memo->PopupMenu(), nullptr);
}

TEST(ControlsTest, FocusControlIsClearedWhenTheControlGoes) {
  TForm form(nullptr);
  auto* edit = new TEdit(&form);
  auto* label = new TLabel(&form);
  label->SetFocusControl(edit);
  delete edit;
  EXPECT_EQ(label->FocusControl(), nullptr);
}

TEST(ControlsTest, TabSheetsBecomePagesOfTheirPageControlInOrder) {
  TForm form(nullptr);
  auto* pages = new TPageControl(&form);
  auto* sheet1 = new TTabSheet(&form);
  auto* sheet2 = new TTabSheet(&form);
  sheet1->SetPageControl(pages);
  sheet2->SetPageControl(pages);
  EXPECT_EQ(sheet2->Parent(), pages);
  EXPECT_EQ(pages->PageCount(), 2);
  EXPECT_EQ(sheet2->PageIndex(), 1);
}

// A page fills its page control's client area less the tabs and frame,
// whatever a file or a caller gives it, and follows the page control.
TEST(ControlsTest, TabSheetsAreThePageControlsDisplayArea) {
  const String text =
      "object Form1: TForm\r\n"
      "  object Pages: TPageControl\r\n"
      "    Left = 0\r\n"
      "    Top = 0\r\n"
      "    Width = 289\r\n"
      "    Height = 193\r\n"
      "    ActivePage = Sheet1\r\n"
      "    TabOrder = 0\r\n"
      "    object Sheet1: TTabSheet\r\n"
      "      Caption = 'One'\r\n"
      "      object Memo1: TMemo\r\n"
      "        Left = 0\r\n"
      "        Top = 0\r\n"
      "        Width = 281\r\n"
      "        Height = 165\r\n"
      "        Align = alClient\r\n"
      "        TabOrder = 0\r\n"
      "      end\r\n"
      "    end\r\n"
      "  end\r\n"
      "end\r\n";
  std::unique_ptr<TComponent> form(ReadFormFromString(text));
  auto* pages = static_cast<TPageControl*>(form->FindComponent("Pages"));
  auto* sheet = static_cast<TTabSheet*>(form->FindComponent("Sheet1"));
  EXPECT_EQ(sheet->Left(), 4);
  EXPECT_EQ(sheet->Top(), 24);
  EXPECT_EQ(sheet->ClientWidth(), 281) << "as the classic designer wrote the memo";
  EXPECT_EQ(sheet->ClientHeight(), 165);
  sheet->SetBounds(0, 0, 10, 10);
  EXPECT_EQ(sheet->Width(), 281);
  pages->SetBounds(0, 0, 400, 300);
  EXPECT_EQ(sheet->Width(), 392);
  EXPECT_EQ(sheet->Height(), 272);
  pages->SetTabPosition(tpBottom);
  EXPECT_EQ(sheet->Top(), 4);
  EXPECT_EQ(sheet->Height(), 272);
  pages->SetStyle(tsButtons);
  EXPECT_EQ(sheet->Left(), 0);
  EXPECT_EQ(sheet->Width(), 400);
  auto* added = new TTabSheet(form.get());
  added->SetPageControl(pages);
  EXPECT_EQ(added->Width(), 400);
  EXPECT_EQ(WriteFormToString(form.get()).find("Width = 400\r\n      Caption"), String::npos)
      << "a page's bounds are not written";
}

TEST(ControlsTest, DestroyingTheActivePageShowsTheNextOne) {
  TForm form(nullptr);
  auto* pages = new TPageControl(&form);
  auto* sheet1 = new TTabSheet(&form);
  auto* sheet2 = new TTabSheet(&form);
  sheet1->SetPageControl(pages);
  sheet2->SetPageControl(pages);
  pages->SetActivePage(sheet1);
  delete sheet1;
  EXPECT_EQ(pages->PageCount(), 1);
  EXPECT_EQ(pages->ActivePage(), sheet2);
  EXPECT_EQ(sheet2->PageIndex(), 0);
  delete sheet2;
  EXPECT_EQ(pages->ActivePage(), nullptr);
}

TEST(ControlsTest, DestroyingAPageControlDestroysItsSheetsWhoeverOwnsThem) {
  TForm form(nullptr);
  TForm otherForm(nullptr);
  auto* pages = new TPageControl(&form);
  auto* sheet = new TTabSheet(&otherForm);
  sheet->SetPageControl(pages);
  int count = otherForm.ComponentCount();
  delete pages;
  EXPECT_EQ(otherForm.ComponentCount(), count - 1);
}

TEST(ControlsTest, ObserversHearOfVisibleChangesOnly) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  int calls = 0;
  int id = list->AddObserver([&](TControl* c) {
    EXPECT_EQ(c, list);
    ++calls;
  });
  list->SetCaption("x");
  EXPECT_EQ(calls, 1);
  list->SetCaption("x");  // unchanged
  EXPECT_EQ(calls, 1);
  list->Items()->Add("a");
  list->Items()->Add("b");
  EXPECT_EQ(calls, 3);
  list->SetItemIndex(1);
  list->SetEnabled(false);
  list->SetVisible(false);
  list->SetColor(clRed);
  list->Font()->SetSize(12);
  EXPECT_EQ(calls, 8);
  list->SetParent(&form);
  EXPECT_EQ(calls, 9);
  // One change for a whole update.
  list->Items()->BeginUpdate();
  list->Items()->Add("c");
  list->Items()->Add("d");
  list->Items()->EndUpdate();
  EXPECT_EQ(calls, 10);
  list->RemoveObserver(id);
  list->SetCaption("y");
  EXPECT_EQ(calls, 10);

  // An observer may remove itself while being told.
  auto* label = new TLabel(&form);
  int once = 0;
  int selfId = 0;
  selfId = label->AddObserver([&](TControl* c) {
    ++once;
    c->RemoveObserver(selfId);
  });
  label->SetCaption("a");
  label->SetCaption("b");
  EXPECT_EQ(once, 1);

  // Column and panel changes reach the control that holds the collection.
  auto* view = new TListView(&form);
  int viewCalls = 0;
  view->AddObserver([&](TControl*) { ++viewCalls; });
  view->Columns()->Add()->SetCaption("Name");
  EXPECT_GE(viewCalls, 2);
  int before = viewCalls;
  view->Columns()->Items(0)->SetWidth(120);
  EXPECT_EQ(viewCalls, before + 1);
}

TEST(ControlsTest, ListBoxSelection) {
  TForm form(nullptr);
  auto* list = new TListBox(&form);
  list->Items()->SetText("pear\nApple\nbanana\n");
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->SelCount(), -1);  // single selection
  list->SetItemIndex(2);
  EXPECT_TRUE(list->Selected(2));
  EXPECT_FALSE(list->Selected(0));
  list->SetItemIndex(7);
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_THROW(list->Selected(3), EListError);

  list->SetSorted(true);  // case ignored
  EXPECT_EQ(list->Items()->Text(), "Apple\r\nbanana\r\npear\r\n");
  list->Items()->Add("Cherry");
  EXPECT_EQ(list->Items()->Strings(2), "Cherry");

  list->SetMultiSelect(true);
  list->SetSelected(0, true);
  list->SetSelected(3, true);
  EXPECT_EQ(list->SelCount(), 2);
  list->Items()->Delete(3);
  EXPECT_EQ(list->SelCount(), 1);
  list->SetItemIndex(3);
  list->Items()->Clear();
  EXPECT_EQ(list->ItemIndex(), -1);
  EXPECT_EQ(list->SelCount(), 0);

  // Standard items are as high as the font's lines; owner-drawn ones as set.
  EXPECT_EQ(list->ItemHeight(), 13);
  list->SetItemHeight(20);
  EXPECT_EQ(list->ItemHeight(), 13);
  list->SetStyle(lbOwnerDrawFixed);
  EXPECT_EQ(list->ItemHeight(), 20);
  list->SetStyle(lbStandard);

  list->Items()->SetText("a\nb\nc\n");
  list->SetBounds(0, 0, 100, 100);
  EXPECT_EQ(list->ItemAtPos({5, 14}, true), 1);
  EXPECT_EQ(list->ItemAtPos({5, 60}, true), -1);
  EXPECT_EQ(list->ItemAtPos({5, 60}, false), 3);
}

TEST(ControlsTest, TextControlsKeepTheirStateConsistent) {
  TForm form(nullptr);
  auto* memo = new TMemo(&form);
  memo->Lines()->Add("one");
  memo->Lines()->Add("two");
  EXPECT_EQ(memo->Text(), "one\r\ntwo");
  memo->SetText("a\nb\nc");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  TStringList source;
  source.Add("copied");
  SetObjectProp(memo, GetPropInfo(memo, "Lines"), &source);  // assigns, keeps its own list
  EXPECT_NE(memo->Lines(), &source);
  EXPECT_EQ(memo->Text(), "copied");

  auto* edit = new TEdit(&form);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  edit->SetText("hello world");
  edit->SetSelStart(6);
  edit->SetSelLength(50);
  EXPECT_EQ(edit->SelText(), "world");
  edit->SetText("hi");
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 0);
  EXPECT_EQ(changes, 2);

  auto* combo = new TComboBox(&form);
  combo->Items()->SetText("red\ngreen\n");
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "green");
  combo->SetText("blue");
  EXPECT_EQ(combo->ItemIndex(), -1);
  combo->SetText("red");
  EXPECT_EQ(combo->ItemIndex(), 0);
  combo->SetStyle(csDropDownList);
  combo->SetText("purple");  // not an item: the choice stays
  EXPECT_EQ(combo->Text(), "red");
  combo->SetItemIndex(-1);
  EXPECT_EQ(combo->Text(), "");
  combo->Items()->Delete(1);
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST(ControlsTest, RadioControls) {
  TForm form(nullptr);
  auto* group = new TRadioGroup(&form);
  int clicks = 0;
  group->OnClick = [&](TObject*) { ++clicks; };
  group->Items()->SetText("Left\nRight\n");
  group->SetItemIndex(1);
  EXPECT_EQ(clicks, 1);
  group->SetItemIndex(5);
  EXPECT_EQ(group->ItemIndex(), 1);
  group->Items()->Delete(1);
  EXPECT_EQ(group->ItemIndex(), 0);

  // While the form is read, the index comes before the items.
  form.SetLoading(true);
  auto* loading = new TRadioGroup(&form);
  loading->SetItemIndex(2);
  loading->Items()->SetText("a\nb\nc\n");
  form.SetLoading(false);
  loading->Loaded();
  EXPECT_EQ(loading->ItemIndex(), 2);

  auto* panel = new TPanel(&form);
  auto* r1 = new TRadioButton(&form);
  auto* r2 = new TRadioButton(&form);
  r1->SetParent(panel);
  r2->SetParent(panel);
  r1->SetChecked(true);
  r2->Click();
  EXPECT_FALSE(r1->Checked());
  EXPECT_TRUE(r2->Checked());

  auto* check = new TCheckBox(&form);
  check->SetAllowGrayed(true);
  check->Click();
  check->Click();
  EXPECT_EQ(check->State(), cbGrayed);
  check->Click();
  EXPECT_EQ(check->State(), cbUnchecked);
}

TEST(ControlsTest, CollectionsAreOwnedAndAssignedByValue) {
  TForm form(nullptr);
  auto* a = new TListView(&form);
  auto* b = new TListView(&form);
  TListColumn* column = a->Columns()->Add();
  column->SetCaption("Name");
  column->SetWidth(120);
  column->SetMinWidth(150);
  EXPECT_EQ(column->Width(), 150);
  SetObjectProp(b, GetPropInfo(b, "Columns"), a->Columns());
  ASSERT_EQ(b->Columns()->Count(), 1);
  EXPECT_NE(b->Column(0), column);
  EXPECT_EQ(b->Column(0)->Caption(), "Name");
  EXPECT_EQ(b->Column(0)->Width(), 150);
  EXPECT_EQ(GetObjectProp(b, GetPropInfo(b, "Columns"))->ClassName(), "TListColumns");

  TListItem* item = a->Items()->Add();
  item->SetCaption("first");
  item->SubItems()->Add("detail");
  TListItem* second = a->Items()->Add();
  item->SetSelected(true);
  second->SetSelected(true);
  EXPECT_FALSE(item->Selected());
  EXPECT_EQ(a->Selected(), second);
}

TEST(ControlsTest, ButtonSetsTheModalResultBeforeItsHandlerRuns) {
  TForm form(nullptr);
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  auto* button = new TButton(&form);
  button->SetParent(panel);
  button->SetModalResult(mrOk);
  TModalResult seen = -1;
  button->OnClick = [&](TObject*) { seen = form.ModalResult(); };
  button->Click();
  EXPECT_EQ(seen, mrOk);
}

TEST(ControlsTest, EveryControlClassIsFoundByName) {
  for (const char* name :
       {"TButton",      "TLabel",       "TEdit",       "TMemo",       "TListBox",  "TComboBox",
        "TCheckBox",    "TRadioButton", "TRadioGroup", "TGroupBox",   "TPanel",    "TBevel",
        "TPageControl", "TTabSheet",    "TListView",   "TStatusBar",  "TMainMenu", "TPopupMenu",
        "TMenuItem",    "TForm",        "TDataModule", "TImage",      "TToolBar",  "TToolButton",
        "TSplitter",    "TScrollBox",   "TTimer",      "TActionList", "TAction",   "TImageList",
        "TOpenDialog",  "TSaveDialog",  "TFontDialog"}) {
    const TClassInfo* info = GetClass(name);
    ASSERT_NE(info, nullptr) << name;
    ASSERT_NE(info->Factory(), nullptr) << name;
    TComponent owner(nullptr);
    TObject* obj = info->Factory()(&owner);
    EXPECT_EQ(obj->ClassName(), name);
    EXPECT_EQ(owner.ComponentCount(), 1) << name;
  }
}

}  // namespace

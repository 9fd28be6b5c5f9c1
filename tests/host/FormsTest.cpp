#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "host/TestForms.h"
#include "host/controls/ExtCtrls.h"
#include "host/controls/Forms.h"
#include "host/controls/ScriptedUserInterface.h"
#include "host/controls/StdCtrls.h"

namespace {

bool Written(const TObject* obj, const char* name) {
  PPropInfo p = GetPropInfo(obj, name);
  return p && p->IsStored(obj) && !IsDefaultPropValue(obj, p);
}

TEST(FormsTest, FormPublishesAndWritesAsTheClassicForm) {
  TForm form(nullptr);
  std::vector<String> names;
  for (PPropInfo p : GetPropList(&form, tkProperties)) names.push_back(p->Name);
  for (const char* name :
       {"Caption", "ClientWidth", "ClientHeight", "Color", "Font", "Hint", "FormStyle",
        "WindowState", "BorderStyle", "BorderIcons", "WindowMenu", "ActiveControl", "Menu",
        "PopupMenu", "Visible", "PixelsPerInch", "Position"})
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end()) << name;
  EXPECT_EQ(names[2], "Left");
  EXPECT_EQ(names[8], "ActiveControl");  // after the control's own published properties
  std::vector<String> events;
  for (PPropInfo p : GetPropList(&form, tkMethods)) events.push_back(p->Name);
  for (const char* name : {"OnCreate", "OnDestroy", "OnShow", "OnClose", "OnActivate", "OnResize",
                           "OnPaint", "OnKeyDown"})
    EXPECT_NE(std::find(events.begin(), events.end(), name), events.end()) << name;

  // A form has its own colour and font, and is hidden until shown.
  EXPECT_TRUE(Written(&form, "Color"));
  EXPECT_TRUE(Written(&form, "Font"));
  EXPECT_TRUE(Written(&form, "PixelsPerInch"));
  EXPECT_FALSE(Written(&form, "Visible"));
  EXPECT_FALSE(Written(&form, "ParentFont"));
  EXPECT_FALSE(Written(&form, "OldCreateOrder"));
  // With AutoScroll the outer size is written, otherwise the client size.
  EXPECT_TRUE(Written(&form, "Width"));
  EXPECT_FALSE(Written(&form, "ClientWidth"));
  form.SetAutoScroll(false);
  EXPECT_FALSE(Written(&form, "Width"));
  EXPECT_TRUE(Written(&form, "ClientWidth"));
  EXPECT_TRUE(Written(&form, "ClientHeight"));
}

TEST(FormsTest, ClientSizeFollowsTheFrameAndSurvivesReadingOrder) {
  TForm form(nullptr);
  form.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(form.ClientWidth(), 392);
  EXPECT_EQ(form.ClientHeight(), 273);
  form.SetBorderStyle(bsNone);
  EXPECT_EQ(form.ClientWidth(), 400);
  EXPECT_EQ(form.Width(), 400);  // the outer size is what the form holds

  // A form that holds its client size keeps it when a menu or border comes
  // later, as the properties of a form file come in their own order.
  TForm client(nullptr);
  client.SetAutoScroll(false);
  client.SetClientWidth(300);
  client.SetClientHeight(200);
  auto* menu = new TMainMenu(&client);
  client.SetMenu(menu);
  client.SetBorderStyle(bsDialog);
  EXPECT_EQ(client.ClientWidth(), 300);
  EXPECT_EQ(client.ClientHeight(), 200);
  EXPECT_EQ(client.Height(), 200 + 6 + 19 + 19);
  delete menu;
  EXPECT_EQ(client.Menu(), nullptr);
  EXPECT_EQ(client.ClientHeight(), 200);
}

TEST(FormsTest, FormReferencesAreClearedWhenTheirComponentGoes) {
  TForm form(nullptr);
  TForm other(nullptr);
  auto* edit = new TEdit(&form);
  auto* menu = new TMainMenu(&form);
  auto* windowItem = new TMenuItem(&other);
  form.SetActiveControl(edit);
  form.SetMenu(menu);
  form.SetWindowMenu(windowItem);
  delete edit;
  delete menu;
  delete windowItem;
  EXPECT_EQ(form.ActiveControl(), nullptr);
  EXPECT_EQ(form.Menu(), nullptr);
  EXPECT_EQ(form.WindowMenu(), nullptr);

  // And in the other direction: the referring form goes first.
  auto* survivor = new TMenuItem(&other);
  {
    TForm shortLived(nullptr);
    shortLived.SetWindowMenu(survivor);
  }
  delete survivor;  // must not touch the destroyed form
}

TEST(FormsTest, ApplicationNamesTheRunningProgramByItsFullPath) {
  ASSERT_NE(Application, nullptr);
  char path[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", path, sizeof path);
  ASSERT_GT(n, 0);
  EXPECT_EQ(Application->ExeName(), String(path, static_cast<size_t>(n)));
  EXPECT_EQ(Application->ExeName().front(), '/');
}

TEST(FormsTest, TheFirstFormTheApplicationCreatesIsItsMainFormUntilItGoes) {
  auto* form = Application->CreateForm<TForm>();
  EXPECT_EQ(form->Owner(), Application);
  EXPECT_EQ(Application->MainForm(), form);
  delete form;
  EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST(FormsTest, ScreenListsEveryLiveFormWhoeverOwnsIt) {
  ASSERT_NE(Screen, nullptr);
  int forms = Screen->FormCount();
  auto* form = Application->CreateForm<TForm>();
  EXPECT_EQ(Screen->FormCount(), forms + 1);
  EXPECT_EQ(Screen->Forms(forms), form);
  {
    TForm unowned(nullptr);
    EXPECT_EQ(Screen->FormCount(), forms + 2);
    EXPECT_EQ(Screen->Forms(forms + 1), &unowned);
  }
  delete form;
  EXPECT_EQ(Screen->FormCount(), forms);
}

TEST(FormsTest, ScreenListsDataModulesWhileTheyLive) {
  int modules = Screen->DataModuleCount();
  {
    TDataModule module(nullptr);
    EXPECT_EQ(Screen->DataModules(Screen->DataModuleCount() - 1), &module);
  }
  EXPECT_EQ(Screen->DataModuleCount(), modules);
}

TEST(FormsTest, FormsOfUnknownClassesKeepTheirClassName) {
  TForm form(nullptr);
  EXPECT_EQ(form.ClassName(), "TForm");
  form.SetFormClassName("TfrmMain");
  EXPECT_EQ(form.ClassName(), "TfrmMain");
  EXPECT_TRUE(form.Is<TForm>());
  TDataModule module(nullptr);
  module.SetFormClassName("TdmData");
  EXPECT_EQ(module.ClassName(), "TdmData");
}

TEST(FormsTest, ShowAndClose) {
  TForm form(nullptr);
  std::vector<String> log;
  form.OnShow = [&](TObject*) { log.push_back("show"); };
  form.OnHide = [&](TObject*) { log.push_back("hide"); };
  bool allow = false;
  form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = allow; };
  form.Show();
  form.Close();
  EXPECT_TRUE(form.Visible());
  allow = true;
  form.Close();
  EXPECT_FALSE(form.Visible());
  EXPECT_EQ(log, (std::vector<String>{"show", "hide"}));

  TForm child(nullptr);
  child.SetFormStyle(fsMDIChild);
  child.Show();
  child.Close();
  EXPECT_EQ(child.WindowState(), wsMinimized);
}

TEST(FormsTest, ChangingTheBorderMakesANewWindow) {
  TForm form(nullptr);
  HMENU menu = GetSystemMenu(form.Handle(), FALSE);
  ModifyMenuA(menu, SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, "&Fermer");
  form.SetBorderIcons({biSystemMenu});
  menu = GetSystemMenu(form.Handle(), FALSE);
  char text[255];
  GetMenuStringA(menu, SC_CLOSE, text, 255, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Close\tAlt+F4");
  EXPECT_EQ(GetMenuStringA(menu, SC_MINIMIZE, text, 255, MF_BYCOMMAND), 0);
}

// ---------------------------------------------------------------------------
// Modal forms, focus, keys and hints, driven as a person would.

namespace modal {

using testforms::Make;

// A dialog with an edit, a memo, a list and OK and Cancel buttons.
struct TDialog {
  TForm Form{nullptr};
  TEdit* Edit = Make<TEdit>(Form, "Edit1");
  TMemo* Memo = Make<TMemo>(Form, "Memo1");
  TListBox* List = Make<TListBox>(Form, "List1");
  TButton* Ok = Make<TButton>(Form, "BtnOK");
  TButton* Cancel = Make<TButton>(Form, "BtnCancel");
  testforms::TEventLog Log;
  TScriptedUserInterface Ui;
  TUserInterfaceScope Scope{Ui};

  TDialog() {
    Form.SetName("Dialog");
    Ok->SetModalResult(mrOk);
    Ok->SetDefault(true);
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
    List->Items()->SetText("a\nb\nc\n");
    for (TWinControl* c : {static_cast<TWinControl*>(Edit), static_cast<TWinControl*>(Memo),
                           static_cast<TWinControl*>(List), static_cast<TWinControl*>(Ok),
                           static_cast<TWinControl*>(Cancel)}) {
      Log.Focus(c);
      Log.Clicks(c);
    }
  }
};

TEST(FormsModalTest, ShowModalRunsTheCloseHandshakeAndReturnsTheButtonsResult) {
  TDialog d;
  std::vector<String>& log = d.Log.Lines;
  d.Form.OnShow = [&](TObject*) { log.push_back("show"); };
  d.Form.OnCloseQuery = [&](TObject*, bool&) { log.push_back("closequery"); };
  d.Form.OnClose = [&](TObject*, TCloseAction&) { log.push_back("close"); };
  d.Form.OnHide = [&](TObject*) { log.push_back("hide"); };
  d.Ok->OnClick = [&](TObject*) { log.push_back("click BtnOK " + IntToStr(d.Form.ModalResult())); };
  d.Ui.Click("BtnOK");
  EXPECT_EQ(d.Form.ShowModal(), mrOk);
  // The focus goes to the first tab stop when the form shows, and to the
  // button when it is clicked; the button's result is set before OnClick.
  EXPECT_EQ(log, (std::vector<String>{"show", "enter Edit1", "exit Edit1", "enter BtnOK",
                                      "click BtnOK 1", "closequery", "close", "hide"}));
  EXPECT_FALSE(d.Form.Visible());
  EXPECT_FALSE(d.Form.Modal());
  EXPECT_EQ(d.Ui.Remaining(), 0);
}

TEST(FormsModalTest, ARefusedCloseKeepsTheFormOpenWithNoModalResult) {
  TDialog d;
  int asked = 0;
  d.Form.OnCloseQuery = [&](TObject*, bool& canClose) { canClose = ++asked > 1; };
  d.Ui.Click("BtnOK")
      .Step([&](TCustomForm& form) {
        EXPECT_TRUE(form.Visible());
        EXPECT_EQ(form.ModalResult(), mrNone);
      })
      .Click("BtnOK");
  EXPECT_EQ(d.Form.ShowModal(), mrOk);
  EXPECT_EQ(asked, 2);

  // OnClose may keep the form too.
  asked = 10;
  int closes = 0;
  d.Form.OnClose = [&](TObject*, TCloseAction& action) {
    if (++closes == 1) action = caNone;
  };
  d.Ui.Click("BtnCancel").Click("BtnCancel");
  EXPECT_EQ(d.Form.ShowModal(), mrCancel);
  EXPECT_EQ(closes, 2);

  // The title bar cancels without the Cancel button; a modal result set
  // while the form shows does not close it.
  d.Form.OnShow = [&](TObject*) { d.Form.SetModalResult(mrOk); };
  d.Log.Take();
  d.Ui.Close();
  EXPECT_EQ(d.Form.ShowModal(), mrCancel);
  for (const String& line : d.Log.Lines) EXPECT_NE(line, "click BtnCancel");
}

TEST(FormsModalTest, AFailedRunHidesTheFormAndRestoresTheCursor) {
  TDialog d;
  Screen->SetCursor(crHourGlass);
  d.Ui.Step([](TCustomForm&) { EXPECT_EQ(Screen->Cursor(), crDefault); });
  EXPECT_THROW(d.Form.ShowModal(), EScriptError);  // the script ends, the form is open
  EXPECT_FALSE(d.Form.Visible());
  EXPECT_FALSE(d.Form.Modal());
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  EXPECT_EQ(d.Ui.Cursors(), (std::vector<Integer>{crHourGlass, crDefault, crHourGlass}));
  Screen->SetCursor(crDefault);

  d.Form.Show();
  EXPECT_THROW(d.Form.ShowModal(), EInvalidOperation);  // already visible
}

TEST(FormsFocusTest, TabAndShiftTabGoThroughTheTabStopsInAndOutOfContainers) {
  TForm form(nullptr);
  auto* first = Make<TEdit>(form, "First");
  auto* disabled = Make<TEdit>(form, "Disabled");
  disabled->SetEnabled(false);
  auto* group = Make<TGroupBox>(form, "Group");
  auto* inner = Make<TButton>(form, "Inner", group);
  auto* noStop = Make<TButton>(form, "NoStop");
  noStop->SetTabStop(false);
  auto* last = Make<TMemo>(form, "Last");
  testforms::TEventLog log;
  for (TWinControl* c : std::initializer_list<TWinControl*>{first, group, inner, noStop, last})
    log.Focus(c);

  form.Show();
  EXPECT_TRUE(first->Focused());
  log.Take();
  form.PressKey(VK_TAB);
  EXPECT_EQ(log.Take(), (std::vector<String>{"exit First", "enter Group", "enter Inner"}));
  form.PressKey(VK_TAB);
  EXPECT_EQ(log.Take(), (std::vector<String>{"exit Inner", "exit Group", "enter Last"}));
  form.PressKey(VK_TAB);  // wraps around
  EXPECT_EQ(form.ActiveControl(), first);
  form.PressKey(VK_TAB, {ssShift});
  EXPECT_EQ(form.ActiveControl(), last);
  log.Take();

  // The arrows go to the next control beside a button, tab stop or not.
  inner->SetFocus();
  form.PressKey(VK_DOWN);
  EXPECT_EQ(form.ActiveControl(), inner);  // alone in its group
  noStop->SetFocus();
  form.PressKey(VK_RIGHT);
  EXPECT_EQ(form.ActiveControl(), last);
}

TEST(FormsFocusTest, SetFocusRefusesAControlThatCannotTakeIt) {
  TForm form(nullptr);
  auto* edit = Make<TEdit>(form, "Edit1");
  auto* panel = Make<TPanel>(form, "Panel1");
  auto* inner = Make<TEdit>(form, "Inner", panel);
  panel->SetVisible(false);
  EXPECT_FALSE(inner->CanFocus());
  EXPECT_THROW(inner->SetFocus(), EInvalidOperation);
  TEdit loose(nullptr);
  EXPECT_THROW(loose.SetFocus(), EInvalidOperation);
  // Set as ActiveControl it is only noted, and takes the focus when it can
  // once the form shows.
  form.SetActiveControl(inner);
  EXPECT_FALSE(inner->Focused());
  panel->SetVisible(true);
  form.Show();
  EXPECT_TRUE(inner->Focused());
  EXPECT_FALSE(edit->Focused());
}

TEST(FormsFocusTest, HidingOrDisablingTheFocusedControlTakesTheFocusAway) {
  TForm form(nullptr);
  auto* panel = Make<TPanel>(form, "Panel1");
  auto* edit = Make<TEdit>(form, "Edit1", panel);
  auto* other = Make<TEdit>(form, "Other");
  testforms::TEventLog log;
  log.Focus(edit);
  log.Focus(panel);
  edit->SetFocus();
  log.Take();
  edit->SetEnabled(false);
  EXPECT_EQ(log.Take(), (std::vector<String>{"exit Edit1", "exit Panel1"}));
  EXPECT_EQ(form.FocusedControl(), nullptr);
  // Keys then go to the form.
  std::vector<String> keys;
  form.OnKeyDown = [&](TObject*, WORD& key, TShiftState) { keys.push_back(IntToStr(key)); };
  form.PressKey('X');
  EXPECT_EQ(keys, (std::vector<String>{"88"}));

  edit->SetEnabled(true);
  edit->SetFocus();
  panel->SetVisible(false);
  EXPECT_FALSE(edit->Focused());
  other->SetFocus();
  panel->SetVisible(true);
  EXPECT_TRUE(other->Focused());  // showing a control does not take the focus
}

TEST(FormsKeysTest, OnKeyDownGetsTheKeyByReferenceBeforeTheControlsOwnResponse) {
  TDialog d;
  d.List->SetFocus();
  int clicks = 0;
  d.List->OnClick = [&](TObject*) { ++clicks; };
  d.List->OnKeyDown = [](TObject*, WORD& key, TShiftState) {
    if (key == VK_DOWN) key = 0;       // taken away: no move
    if (key == VK_NEXT) key = VK_END;  // another key: its move
  };
  d.Form.PressKey(VK_DOWN);
  EXPECT_EQ(d.List->ItemIndex(), -1);
  d.Form.PressKey(VK_NEXT);
  EXPECT_EQ(d.List->ItemIndex(), 2);
  EXPECT_EQ(clicks, 1);
}

TEST(FormsKeysTest, EscapePressesTheCancelButtonUnlessTheFocusedControlKeepsIt) {
  TDialog d;
  d.Log.Keys(d.List);
  d.Log.Keys(d.Memo);
  d.List->SetFocus();
  d.Log.Take();
  d.Form.PressKey(VK_ESCAPE);
  // The button is pressed without taking the focus; the list hears nothing.
  EXPECT_EQ(d.Log.Take(), (std::vector<String>{"click BtnCancel"}));
  EXPECT_EQ(d.Form.ModalResult(), mrCancel);

  d.Memo->SetFocus();
  d.Log.Take();
  d.Form.PressKey(VK_ESCAPE);
  EXPECT_EQ(d.Log.Take(), (std::vector<String>{"keydown Memo1 27", "keypress Memo1 \x1b"}));
  EXPECT_EQ(d.Memo->Text(), "");

  d.Memo->SetWantReturns(false);
  d.Form.PressKey(VK_ESCAPE);
  EXPECT_EQ(d.Log.Take(), (std::vector<String>{"click BtnCancel"}));
  // Not with Shift held, nor when the button cannot be pressed.
  d.Form.PressKey(VK_ESCAPE, {ssShift});
  d.Cancel->SetEnabled(false);
  d.Form.PressKey(VK_ESCAPE);
  EXPECT_EQ(d.Log.Take(), (std::vector<String>{"keydown Memo1 27", "keypress Memo1 \x1b",
                                               "keydown Memo1 27", "keypress Memo1 \x1b"}));
}

TEST(FormsKeysTest, EnterPressesTheFocusedButtonOrTheDefaultOne) {
  TDialog d;
  d.Edit->SetFocus();
  d.Log.Take();
  d.Form.PressKey(VK_RETURN);
  EXPECT_EQ(d.Log.Take(), (std::vector<String>{"click BtnOK"}));
  d.Cancel->SetFocus();
  d.Log.Take();
  d.Form.PressKey(VK_RETURN);
  EXPECT_EQ(d.Log.Take(), (std::vector<String>{"click BtnCancel"}));
  // Space presses a focused button.
  d.Ok->SetFocus();
  d.Log.Take();
  d.Form.PressKey(VK_SPACE);
  EXPECT_EQ(d.Log.Take(), (std::vector<String>{"click BtnOK"}));
}

TEST(FormsKeysTest, AltAndAnAcceleratorActOnTheControlWhoseCaptionHasIt) {
  TDialog d;
  d.Ok->SetCaption("&OK");
  d.Cancel->SetCaption("&Cancel");
  auto* remove = Make<TButton>(d.Form, "BtnRemove");
  remove->SetCaption("&Remove");
  remove->SetEnabled(false);
  auto* check = Make<TCheckBox>(d.Form, "CheckBox1");
  check->SetCaption("&Enable DH");
  auto* label = Make<TLabel>(d.Form, "Label1");
  label->SetCaption("&Name:");
  label->SetFocusControl(d.Memo);
  auto* orphan = Make<TLabel>(d.Form, "Label2");
  orphan->SetCaption("&Lonely");
  auto* group = Make<TGroupBox>(d.Form, "Group1");
  group->SetCaption("&Group");
  auto* inside = Make<TEdit>(d.Form, "Edit2", group);
  auto* radios = Make<TRadioGroup>(d.Form, "Radios1");
  radios->Items()->SetText("&Left\n&Top\n");
  for (TWinControl* c : std::initializer_list<TWinControl*>{remove, check, inside, radios}) {
    d.Log.Focus(c);
    d.Log.Clicks(c);
  }
  d.Log.Keys(d.Edit);
  d.Edit->SetFocus();
  d.Log.Take();

  d.Form.PressKey('C', {ssAlt});
  EXPECT_EQ(d.Log.Take(), (std::vector<String>{"keydown Edit1 67", "click BtnCancel"}))
      << "a button is pressed without taking the focus";
  EXPECT_EQ(d.Form.ModalResult(), mrCancel);
  EXPECT_EQ(d.Edit->Text(), "") << "the key types nothing";
  d.Form.PressKey('R', {ssAlt});
  EXPECT_EQ(d.Log.Take(), std::vector<String>{"keydown Edit1 82"}) << "disabled";
  d.Form.PressKey('E', {ssAlt});
  EXPECT_EQ(d.Log.Take(), (std::vector<String>{"keydown Edit1 69", "exit Edit1",
                                               "enter CheckBox1", "click CheckBox1"}));
  EXPECT_TRUE(check->Checked());
  d.Form.PressKey('N', {ssAlt});
  EXPECT_TRUE(d.Memo->Focused()) << "a label focuses its focus control";
  d.Form.PressKey('L', {ssAlt});
  EXPECT_EQ(radios->ItemIndex(), 0) << "a radio group's item, not the label without a control";
  EXPECT_TRUE(radios->Focused());
  d.Form.PressKey('G', {ssAlt});
  EXPECT_TRUE(inside->Focused()) << "a group box focuses the first control inside";
  d.Log.Take();
  // Without Alt, or with Ctrl too, the key is a key; a handler that takes
  // the key away takes the accelerator too.
  d.Edit->SetFocus();
  d.Form.PressKey('O');
  d.Form.PressKey('O', {ssAlt, ssCtrl});
  d.Edit->OnKeyDown = [](TObject*, WORD& key, TShiftState) { key = 0; };
  d.Form.PressKey('O', {ssAlt});
  EXPECT_EQ(d.Edit->Text(), "o");
  EXPECT_EQ(d.Log.Take(), (std::vector<String>{"exit Edit2", "enter Edit1", "keydown Edit1 79",
                                               "keypress Edit1 o", "keydown Edit1 79"}));
  EXPECT_FALSE(IsAccel('a', "&&a"));
  EXPECT_TRUE(IsAccel('b', "&&a &B"));
}

TEST(FormsKeysTest, TypedCharactersFollowOnKeyDownSoAHandlerThatMovesTheCaretReversesThem) {
  TDialog d;
  std::vector<String> order;
  d.Memo->OnKeyDown = [&](TObject*, WORD& key, TShiftState shift) {
    order.push_back("down " + IntToStr(key) + (shift.Contains(ssShift) ? "+shift" : ""));
    d.Memo->SetSelStart(0);
    d.Memo->SetSelLength(0);
  };
  d.Memo->OnKeyPress = [&](TObject*, char& key) { order.push_back(String("press ") + key); };
  d.Memo->SetFocus();
  d.Form.TypeText("abC");
  EXPECT_EQ(d.Memo->Text(), "Cba");
  EXPECT_EQ(order, (std::vector<String>{"down 65", "press a", "down 66", "press b", "down 67+shift",
                                        "press C"}));

  // OnKeyPress swallows a character with 0, or types another one.
  d.Memo->OnKeyDown = nullptr;
  d.Memo->OnKeyPress = [](TObject*, char& key) {
    if (key == 'x') key = 0;
    if (key == 'y') key = 'Y';
  };
  d.Memo->SetText("");
  d.Form.TypeText("xyz");
  EXPECT_EQ(d.Memo->Text(), "Yz");
  EXPECT_EQ(d.Memo->SelStart(), 2);

  // A UTF-8 character is one key: it is not split by a moving caret.
  d.Memo->OnKeyPress = nullptr;
  d.Memo->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    EXPECT_EQ(key, VK_PACKET);
    d.Memo->SetSelStart(0);
  };
  d.Memo->SetText("");
  d.Form.TypeText("\xD7\x90\xD7\x91");  // two Hebrew letters
  EXPECT_EQ(d.Memo->Text(), "\xD7\x91\xD7\x90");

  // A read-only memo takes no text.
  d.Memo->OnKeyDown = nullptr;
  d.Memo->SetReadOnly(true);
  d.Form.TypeText("q");
  d.Form.PressKey(VK_BACK);
  EXPECT_EQ(d.Memo->Text(), "\xD7\x91\xD7\x90");
}

TEST(FormsHintsTest, AHintShowsOverItsControlAndAChangedOneAfterCancelHint) {
  TDialog d;
  d.Form.SetShowHint(true);  // the controls follow their form
  d.List->SetHint("the list|Pick an item");
  d.Edit->SetHint("");
  d.Memo->SetHint("a memo");
  d.Memo->SetShowHint(false);
  // As a browser list does: the hint names the item under the mouse, and a
  // new item cancels the hint now showing.
  int lastItem = -1;
  d.List->OnMouseMove = [&](TObject*, TShiftState, Integer X, Integer Y) {
    int item = d.List->ItemAtPos({X, Y}, true);
    if (item < 0) return;
    d.List->SetHint("item " + d.List->Items()->Strings(item));
    if (item != lastItem && lastItem >= 0) Application->CancelHint();
    lastItem = item;
  };
  int cancels = Application->CancelHintCount();
  d.Ui.MouseMove("List1", 5, 1)   // item a
      .MouseMove("List1", 5, 3)   // still a: no new hint
      .MouseMove("List1", 5, 16)  // item b
      .MouseMove("Edit1", 1, 1)   // no hint: the one showing goes
      .MouseMove("Memo1", 1, 1)   // ShowHint off
      .Click("BtnOK");
  d.Form.ShowModal();
  std::vector<String> shown;
  for (const auto& h : d.Ui.Hints()) shown.push_back(h.Control + ": " + h.Text);
  EXPECT_EQ(shown, (std::vector<String>{"List1: item a", "List1: item b"}));
  EXPECT_EQ(d.Ui.HintsCancelled(), 2);
  EXPECT_EQ(Application->CancelHintCount(), cancels + 1);
  EXPECT_EQ(Application->HintControl(), nullptr);
}

TEST(FormsHintsTest, TheScreenCursorTellsTheServiceAndItsObservers) {
  TScriptedUserInterface ui;
  TUserInterfaceScope scope(ui);
  int told = 0;
  int id = Screen->AddObserver([&](TScreen*) { ++told; });
  Screen->SetCursor(crHourGlass);
  Screen->SetCursor(crHourGlass);
  Screen->SetCursor(crDefault);
  Screen->RemoveObserver(id);
  EXPECT_EQ(told, 2);
  EXPECT_EQ(ui.Cursors(), (std::vector<Integer>{crHourGlass, crDefault}));
}

}  // namespace modal

}  // namespace

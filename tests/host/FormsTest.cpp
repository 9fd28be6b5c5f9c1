#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>

#include "host/controls/Forms.h"
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

}  // namespace

#include <gtest/gtest.h>

#include "host/controls/Controls.h"
#include "host/controls/Menus.h"

namespace {

TEST(MenusTest, ShortCutTexts) {
  EXPECT_EQ(ShortCutToText(ShortCut('S', {ssCtrl})), "Ctrl+S");
  EXPECT_EQ(ShortCutToText(ShortCut(0x74, {ssShift, ssCtrl})), "Shift+Ctrl+F5");
  EXPECT_EQ(ShortCutToText(ShortCut(0x2E, {ssAlt})), "Alt+Del");
  EXPECT_EQ(ShortCutToText(0), "");
  EXPECT_EQ(TextToShortCut("ctrl+s"), ShortCut('S', {ssCtrl}));
  EXPECT_EQ(TextToShortCut("Shift+Ctrl+F5"), ShortCut(0x74, {ssShift, ssCtrl}));
  EXPECT_EQ(TextToShortCut("Ctrl+"), 0);
  EXPECT_EQ(TextToShortCut("Hyper+X"), 0);
}

TEST(MenusTest, ItemsOwnTheirSubItems) {
  TComponent form(nullptr);
  auto* menu = new TMainMenu(&form);
  auto* file = new TMenuItem(&form);
  auto* open = new TMenuItem(&form);
  auto* recent = new TMenuItem(&form);
  auto* first = new TMenuItem(&form);
  menu->Items()->Add(file);
  file->Add(open);
  file->Add(recent);
  recent->Add(first);
  EXPECT_EQ(first->GetParentMenu(), menu);
  EXPECT_EQ(recent->MenuIndex(), 1);
  EXPECT_THROW(first->Add(file), EInvalidOperation);          // would hold its own ancestor
  EXPECT_THROW(menu->Items()->Add(open), EInvalidOperation);  // already in a menu

  EXPECT_EQ(form.ComponentCount(), 5);
  delete recent;  // takes its sub-item along
  EXPECT_EQ(form.ComponentCount(), 3);
  EXPECT_EQ(file->Count(), 1);
  delete menu;  // and a menu its whole tree
  EXPECT_EQ(form.ComponentCount(), 0);
}

TEST(MenusTest, HandleShowsVisibleItemsWithTheirShortCuts) {
  TComponent form(nullptr);
  auto* file = new TMenuItem(&form);
  auto* save = new TMenuItem(&form);
  auto* line = new TMenuItem(&form);
  auto* hidden = new TMenuItem(&form);
  auto* quit = new TMenuItem(&form);
  save->SetCaption("&Save");
  save->SetShortCut(ShortCut('S', {ssCtrl}));
  line->SetCaption("-");
  hidden->SetCaption("Secret");
  hidden->SetVisible(false);
  quit->SetCaption("E&xit");
  for (TMenuItem* item : {save, line, hidden, quit}) file->Add(item);
  HMENU handle = file->Handle();
  ASSERT_EQ(handle->Count(), 3);
  char text[64];
  GetMenuStringA(handle, save->Command(), text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Save\tCtrl+S");
  EXPECT_TRUE(handle->Entries()[1].Separator);
  quit->SetCaption("&Quitter");
  GetMenuStringA(handle, quit->Command(), text, 64, MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Quitter");
  EXPECT_NE(save->Command(), quit->Command());
}

TEST(MenusTest, FormFilesNestItemsUnderMenusAndItems) {
  TComponent form(nullptr);
  auto* menu = new TPopupMenu(&form);
  auto* top = new TMenuItem(&form);
  auto* sub = new TMenuItem(&form);
  auto children = [](const TComponent* parent) {
    std::vector<TComponent*> list;
    parent->GetChildren([&](TComponent* child) { list.push_back(child); });
    return list;
  };
  EXPECT_TRUE(top->SetParentComponent(menu));
  EXPECT_TRUE(sub->SetParentComponent(top));
  EXPECT_FALSE(sub->SetParentComponent(&form));
  EXPECT_EQ(top->GetParentComponent(), menu);
  EXPECT_EQ(sub->GetParentComponent(), top);
  EXPECT_EQ(children(menu), (std::vector<TComponent*>{top}));
  EXPECT_EQ(children(top), (std::vector<TComponent*>{sub}));
  EXPECT_EQ(menu->GetParentComponent(), nullptr);
}

TEST(MenusTest, RadioItemsOfAGroupExcludeEachOther) {
  TComponent form(nullptr);
  auto* parent = new TMenuItem(&form);
  auto* a = new TMenuItem(&form);
  auto* b = new TMenuItem(&form);
  auto* c = new TMenuItem(&form);
  for (TMenuItem* item : {a, b, c}) {
    item->SetRadioItem(true);
    parent->Add(item);
  }
  c->SetGroupIndex(1);
  a->SetChecked(true);
  c->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->Checked());
  EXPECT_TRUE(b->Checked());
  EXPECT_TRUE(c->Checked());
}

TEST(MenusTest, PopupComponentIsClearedWhenItGoes) {
  TComponent form(nullptr);
  TComponent other(nullptr);
  auto* popup = new TPopupMenu(&form);
  auto* target = new TComponent(&other);
  popup->SetPopupComponent(target);
  int shown = 0;
  popup->OnPopup = [&](TObject*) { ++shown; };
  popup->Popup(10, 10);
  EXPECT_EQ(shown, 1);
  delete target;
  EXPECT_EQ(popup->PopupComponent(), nullptr);
}

}  // namespace

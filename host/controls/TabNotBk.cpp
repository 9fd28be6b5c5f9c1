#include "host/controls/TabNotBk.h"

#include <algorithm>

namespace Glossmith::inline Controls {

// The notebook's Pages: its pages' captions as a string list.
class TTabPageAccess final : public TStrings {
 public:
  explicit TTabPageAccess(TTabbedNotebook& notebook) : FNotebook(notebook) {}

  int Count() const override { return FNotebook.PageCount(); }
  String Get(int index) const override { return Page(index)->Caption(); }
  void Put(int index, const String& s) override { Page(index)->SetCaption(s); }
  TObject* GetObject(int index) const override { return Page(index); }
  // The objects are the pages themselves.
  void PutObject(int, TObject*) override {}
  void Insert(int index, const String& s) override {
    if (index < 0 || index > Count()) Error("List index out of bounds (%d)", index);
    FNotebook.NewPage(index, s);
  }
  void Delete(int index) override { delete Page(index); }
  void Clear() override {
    while (Count() > 0) Delete(Count() - 1);
  }

 private:
  TTabPage* Page(int index) const {
    if (index < 0 || index >= Count()) Error("List index out of bounds (%d)", index);
    return FNotebook.FPages[static_cast<size_t>(index)];
  }
  TTabbedNotebook& FNotebook;
};

// ---------------------------------------------------------------------------
// TTabPage

GLS_IMPLEMENT_CLASS(TTabPage)

void TTabPage::Publish(TPublisher<TTabPage>& P) {
  using T = TTabPage;
  // The notebook sizes its pages; a form file keeps only their position,
  // and none for a page that was never placed.
  P.Int("Left", &T::Left, &T::SetLeft).Default(0);
  P.Int("Top", &T::Top, &T::SetTop).Default(0);
  P.Int("Width", &T::Width, &T::SetWidth).Stored(false);
  P.Int("Height", &T::Height, &T::SetHeight).Stored(false);
  P.Publish("Caption");
}

TTabPage::TTabPage(TComponent* AOwner) : TWinControl(AOwner) {}

TTabPage::~TTabPage() {
  BeginDestroy();
  if (FNotebook) FNotebook->RemovePage(this);
}

void TTabPage::SetParent(TWinControl* Value) {
  TWinControl::SetParent(Value);
  auto* notebook = dynamic_cast<TTabbedNotebook*>(Value);
  if (notebook == FNotebook) return;
  if (FNotebook) FNotebook->RemovePage(this);
  if (notebook) notebook->InsertPage(this);
}

void TTabPage::SetText(const String& Value) {
  if (Value == Text()) return;
  TWinControl::SetText(Value);
  if (FNotebook) FNotebook->PageChanged();
}

// ---------------------------------------------------------------------------
// TTabbedNotebook

GLS_IMPLEMENT_CLASS(TTabbedNotebook)

void TTabbedNotebook::Publish(TPublisher<TTabbedNotebook>& P) {
  using N = TTabbedNotebook;
  P.Str("ActivePage", &N::ActivePage, &N::SetActivePage).Stored(false);
  P.Publish({"Align", "Anchors", "Constraints", "Enabled"});
  P.Int("PageIndex", &N::PageIndex, &N::SetPageIndex).Default(0);
  // The pages are written as the notebook's children.
  P.template ObjOf<TStrings>("Pages", &N::Pages, &N::SetPages).Stored(false);
  P.Publish("Font");
  P.Int("TabsPerRow", &N::TabsPerRow, &N::SetTabsPerRow).Default(3);
  P.template ObjOf<TFont>("TabFont", &N::TabFont, &N::SetTabFont);
  P.Publish({"ParentFont", "ParentShowHint", "PopupMenu", "ShowHint", "TabOrder"});
  P.Publish("TabStop").Default(true);
  P.Publish("Visible");
  P.Publish("OnClick");
  P.Event("OnChange", &N::OnChange);
  P.Publish({"OnEnter", "OnExit"});
}

TTabbedNotebook::TTabbedNotebook(TComponent* AOwner)
    : TWinControl(AOwner),
      FAccess(std::make_unique<TTabPageAccess>(*this)),
      FTabFont(std::make_unique<TFont>()) {
  SetBounds(0, 0, 300, 250);
  SetTabStop(true);
  FTabFont->SetColor(clBtnText);
  FTabFont->OnChange = [this](TObject*) { Changed(); };
}

TTabbedNotebook::~TTabbedNotebook() {
  BeginDestroy();
  // The pages are destroyed as child controls once this part is gone.
  for (TTabPage* page : FPages) page->FNotebook = nullptr;
  FPages.clear();
}

TTabPage* TTabbedNotebook::TabPage(int index) const {
  if (index < 0 || index >= PageCount())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return FPages[static_cast<size_t>(index)];
}

void TTabbedNotebook::InsertPage(TTabPage* page) {
  FPages.push_back(page);
  page->FNotebook = this;
  if (!IsLoading()) {
    if (PageCount() == 1) FPageIndex = 0;
    page->SetVisible(PageCount() - 1 == FPageIndex);
  }
  Changed();
}

void TTabbedNotebook::RemovePage(TTabPage* page) {
  auto it = std::find(FPages.begin(), FPages.end(), page);
  if (it == FPages.end()) return;
  auto index = static_cast<Integer>(it - FPages.begin());
  FPages.erase(it);
  page->FNotebook = nullptr;
  if (ComponentState().Contains(csDestroying)) return;
  // The page that takes the removed one's place shows, as the notebook
  // keeps its index where it can.
  if (index < FPageIndex) --FPageIndex;
  FPageIndex = std::clamp<Integer>(FPageIndex, 0, std::max(0, PageCount() - 1));
  if (!IsLoading()) ShowActivePage();
  Changed();
}

void TTabbedNotebook::NewPage(int index, const String& caption) {
  // Owned by the notebook's owner, which writes it; the notebook's
  // children go with it in any case.
  auto* page = new TTabPage(Owner());
  // Below one row of tabs, inside the notebook's frame.
  page->SetBounds(4, 24, std::max(0, Width() - 8), std::max(0, Height() - 28));
  page->SetCaption(caption);
  page->SetParent(this);
  int last = PageCount() - 1;
  if (index >= last) return;
  FPages.pop_back();
  FPages.insert(FPages.begin() + index, page);
  if (index <= FPageIndex && last > 0) {
    ++FPageIndex;
    ShowActivePage();
  }
  // A form file lists the pages in their owner's order: the pages after
  // the new one go behind it there too.
  if (TComponent* owner = page->Owner())
    for (size_t i = static_cast<size_t>(index) + 1; i < FPages.size(); ++i)
      owner->InsertComponent(FPages[i]);
  Changed();
}

void TTabbedNotebook::ShowActivePage() {
  // The new page shows before the old one hides.
  if (FPageIndex >= 0 && FPageIndex < PageCount())
    FPages[static_cast<size_t>(FPageIndex)]->SetVisible(true);
  for (int i = 0; i < PageCount(); ++i)
    if (i != FPageIndex) FPages[static_cast<size_t>(i)]->SetVisible(false);
}

void TTabbedNotebook::SetPageIndex(Integer Value) {
  if (IsLoading()) {
    FPageIndex = Value;
    return;
  }
  if (Value == FPageIndex || Value < 0 || Value >= PageCount()) return;
  bool allow = true;
  if (OnChange) OnChange(this, Value, allow);
  if (!allow) return;
  if (TCustomForm* form = GetParentForm(this)) {
    TWinControl* focused = form->FocusedControl();
    if (focused && focused != this && ContainsControl(focused) && CanFocus()) SetFocus();
  }
  FPageIndex = Value;
  ShowActivePage();
  Changed();
}

String TTabbedNotebook::ActivePage() const {
  return FPageIndex >= 0 && FPageIndex < PageCount()
             ? FPages[static_cast<size_t>(FPageIndex)]->Caption()
             : String();
}

void TTabbedNotebook::SetActivePage(const String& Value) {
  int index = FAccess->IndexOf(Value);
  if (index >= 0) SetPageIndex(index);
}

void TTabbedNotebook::SetTabsPerRow(Integer Value) {
  if (Value > 0 && SetField(FTabsPerRow, Value)) Changed();
}

void TTabbedNotebook::SelectPage(int index) {
  if (index < 0 || index >= PageCount())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  if (CanFocus() && !Focused()) SetFocus();
  SetPageIndex(index);
  Click();
}

bool TTabbedNotebook::DialogChar(char CharCode) {
  if (CanFocus())
    for (int i = 0; i < PageCount(); ++i)
      if (IsAccel(CharCode, FPages[static_cast<size_t>(i)]->Caption())) {
        SelectPage(i);
        return true;
      }
  return TWinControl::DialogChar(CharCode);
}

bool TTabbedNotebook::WantsKey(WORD Key, TShiftState) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TTabbedNotebook::HandleKey(WORD Key, TShiftState) {
  if (Key == VK_LEFT && FPageIndex > 0) SetPageIndex(FPageIndex - 1);
  if (Key == VK_RIGHT && FPageIndex + 1 < PageCount()) SetPageIndex(FPageIndex + 1);
}

bool TTabbedNotebook::DialogKey(WORD Key, TShiftState Shift) {
  if (Key == VK_TAB && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt) && PageCount() > 0) {
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form ? form->FocusedControl() : nullptr;
    if (focused && ContainsControl(focused)) {
      int count = PageCount();
      SetPageIndex((FPageIndex + (Shift.Contains(ssShift) ? count - 1 : 1)) % count);
      return true;
    }
  }
  return TWinControl::DialogKey(Key, Shift);
}

void TTabbedNotebook::Loaded() {
  TWinControl::Loaded();
  FPageIndex = std::clamp<Integer>(FPageIndex, 0, std::max(0, PageCount() - 1));
  ShowActivePage();
}

}  // namespace Glossmith::inline Controls

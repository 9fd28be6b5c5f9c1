// The tabbed notebook: a row of tabs over a stack of pages, one page showing
// at a time. Its pages are windowed controls that hold the page's controls;
// in a form file they are unnamed children of the notebook
// (`object TTabPage`), each with its Caption and its controls inside.
#pragma once

#include "host/controls/Forms.h"

namespace Glossmith::inline Controls {

class TTabbedNotebook;

// Called before another page shows, with its index; a handler that sets
// AllowChange to false (it is true on entry) keeps the page showing.
using TPageChangeEvent = TEvent<void(TObject* Sender, Integer NewTab, bool& AllowChange)>;

// A page of a tabbed notebook. Its caption is its tab's text; its position
// and size follow the notebook, and only the notebook's active page is
// visible.
class TTabPage : public TWinControl {
  GLS_CLASS(TTabPage, TWinControl)
 public:
  explicit TTabPage(TComponent* AOwner);
  ~TTabPage() override;
  static void Publish(TPublisher<TTabPage>& P);

  TTabbedNotebook* Notebook() const { return FNotebook; }
  // A page put into a notebook becomes its last page.
  void SetParent(TWinControl* Value) override;
  void SetText(const String& Value) override;

 private:
  friend class TTabbedNotebook;
  TTabbedNotebook* FNotebook = nullptr;
};

// The pages are made by the notebook (Pages()->Add) or read from a form
// file; they are owned by the notebook's owner, so that they are written
// with the form, and have no names, so that a translator reaches their
// captions through Pages only. A new notebook has no pages.
class TTabbedNotebook : public TWinControl {
  GLS_CLASS(TTabbedNotebook, TWinControl)
 public:
  explicit TTabbedNotebook(TComponent* AOwner);
  ~TTabbedNotebook() override;
  static void Publish(TPublisher<TTabbedNotebook>& P);

  // The captions of the pages, in page order, with each page (a TTabPage)
  // as its object. Adding or inserting a line makes a page, deleting one
  // destroys its page with the page's controls, changing one renames the
  // tab; assigning a list makes new pages.
  TStrings* Pages() const { return FAccess.get(); }
  void SetPages(TStrings* Value) { FAccess->Assign(Value); }
  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabPage* TabPage(int index) const;

  // The page showing, counted from 0. Setting it to another page, in code
  // or by a person, first calls OnChange, which may refuse; then a focus
  // inside the notebook moves to the notebook's tabs and the page shows.
  // Out of range, or while the form is read, it is only noted; Loaded
  // puts it in range.
  Integer PageIndex() const { return FPageIndex; }
  void SetPageIndex(Integer Value);
  // The caption of the page showing; setting it shows the first page of
  // that caption (case ignored), as PageIndex does.
  String ActivePage() const;
  void SetActivePage(const String& Value);

  TFont* TabFont() const { return FTabFont.get(); }
  void SetTabFont(TFont* Value) { FTabFont->Assign(Value); }
  Integer TabsPerRow() const { return FTabsPerRow; }
  void SetTabsPerRow(Integer Value);

  // A person's click on the tab of a page: the focus comes to the tabs
  // (when they can take it), the page changes as PageIndex does, then
  // OnClick. Raises EListError for an index out of range.
  void SelectPage(int index);
  // Left and Right on the focused tabs choose the previous or next page.
  bool WantsKey(Windows::WORD Key, TShiftState Shift) const override;
  void Loaded() override;
  // The accelerator of a tab chooses its page as a click on the tab does;
  // others go to the controls of the page showing.
  bool DialogChar(char CharCode) override;

  TPageChangeEvent OnChange;

 protected:
  void HandleKey(Windows::WORD Key, TShiftState Shift) override;
  // Ctrl+Tab and Ctrl+Shift+Tab choose the next or previous page (wrapping)
  // while the focus is on the notebook or inside it.
  bool DialogKey(Windows::WORD Key, TShiftState Shift) override;

 private:
  friend class TTabPage;
  friend class TTabPageAccess;
  void InsertPage(TTabPage* page);
  void RemovePage(TTabPage* page);
  // Makes a page with that caption at that position.
  void NewPage(int index, const String& caption);
  // Only the active page is visible.
  void ShowActivePage();
  void PageChanged() { Changed(); }

  std::vector<TTabPage*> FPages;
  Integer FPageIndex = 0;
  std::unique_ptr<TStrings> FAccess;
  std::unique_ptr<TFont> FTabFont;
  Integer FTabsPerRow = 3;
};

}  // namespace Glossmith::inline Controls

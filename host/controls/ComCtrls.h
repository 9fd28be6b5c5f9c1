// Common controls: page controls with tab sheets, list views with columns and
// items, status bars with panels, tool bars with buttons.
#pragma once

#include "host/controls/ExtCtrls.h"

namespace Glossmith::inline Controls {

class TPageControl;

// A rectangle in a control's client coordinates (right and bottom outside).
struct TClientRect {
  Integer Left = 0;
  Integer Top = 0;
  Integer Right = 0;
  Integer Bottom = 0;
};

enum TTabPosition : uint8_t { tpTop, tpBottom, tpLeft, tpRight };
GLS_ENUM_TYPEINFO(TTabPosition, "tpTop", "tpBottom", "tpLeft", "tpRight")
enum TTabStyle : uint8_t { tsTabs, tsButtons, tsFlatButtons };
GLS_ENUM_TYPEINFO(TTabStyle, "tsTabs", "tsButtons", "tsFlatButtons")
using TTabChangingEvent = TEvent<void(TObject* Sender, bool& AllowChange)>;

// A page of a page control. Its parent is its page control; its position and
// size follow the page control and are not written to form files.
class TTabSheet : public TWinControl {
  GLS_CLASS(TTabSheet, TWinControl)
 public:
  explicit TTabSheet(TComponent* AOwner);
  ~TTabSheet() override;
  static void Publish(TPublisher<TTabSheet>& P);

  TPageControl* PageControl() const { return FPageControl; }
  void SetPageControl(TPageControl* Value);
  // The position among the page control's pages; -1 without one.
  Integer PageIndex() const;
  void SetPageIndex(Integer Value);
  // The position among the visible tabs; -1 when the tab is hidden.
  Integer TabIndex() const;
  bool TabVisible() const { return FTabVisible; }
  void SetTabVisible(bool Value);
  bool Highlighted() const { return FHighlighted; }
  void SetHighlighted(bool Value) { FHighlighted = Value; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value) { FBorderWidth = Value; }

  void SetParent(TWinControl* Value) override;
  // A page's bounds are its page control's display area (PageRect).
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;

  TNotifyEvent OnHide;
  TNotifyEvent OnShow;

 private:
  friend class TPageControl;
  TPageControl* FPageControl = nullptr;
  bool FTabVisible = true;
  bool FHighlighted = false;
  Integer FImageIndex = 0;
  Integer FBorderWidth = 0;
};

class TPageControl : public TWinControl {
  GLS_CLASS(TPageControl, TWinControl)
 public:
  explicit TPageControl(TComponent* AOwner);
  ~TPageControl() override;
  static void Publish(TPublisher<TPageControl>& P);

  int PageCount() const { return static_cast<int>(FPages.size()); }
  TTabSheet* Pages(int index) const;
  // A reference, cleared when the page goes.
  TTabSheet* ActivePage() const { return FActivePage; }
  void SetActivePage(TTabSheet* Value);
  Integer ActivePageIndex() const;
  void SetActivePageIndex(Integer Value);
  // As a user's click on a tab: OnChanging may refuse, then OnChange fires.
  void SelectTab(int index);
  // The next (or previous) visible page after the active one, wrapping.
  void SelectNextPage(bool goForward);
  // Left and Right on the focused tabs choose the previous or next page.
  bool WantsKey(Windows::WORD Key, TShiftState Shift) const override;
  // Where the pages show, in the page control's client coordinates: the
  // client area less the row of tabs and the frame, as the classic control
  // places its sheets (one row of tabs; a row is taller with images).
  TClientRect PageRect() const;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  // The accelerator of a visible tab chooses its page as a click on the
  // tab does; others go to the controls of the pages.
  bool DialogChar(char CharCode) override;

  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value) { FHotTrack = Value; }
  bool MultiLine() const { return FMultiLine; }
  void SetMultiLine(bool Value);
  bool RaggedRight() const { return FRaggedRight; }
  void SetRaggedRight(bool Value) { FRaggedRight = Value; }
  bool ScrollOpposite() const { return FScrollOpposite; }
  void SetScrollOpposite(bool Value) { FScrollOpposite = Value; }
  TTabStyle Style() const { return FStyle; }
  void SetStyle(TTabStyle Value);
  Integer TabHeight() const { return FTabHeight; }
  void SetTabHeight(Integer Value);
  TTabPosition TabPosition() const { return FTabPosition; }
  void SetTabPosition(TTabPosition Value);
  Integer TabWidth() const { return FTabWidth; }
  void SetTabWidth(Integer Value) { FTabWidth = Value; }

  TNotifyEvent OnChange;
  TTabChangingEvent OnChanging;

 protected:
  void HandleKey(Windows::WORD Key, TShiftState Shift) override;
  // Ctrl+Tab and Ctrl+Shift+Tab choose the next or previous page while the
  // focus is on the page control or inside it.
  bool DialogKey(Windows::WORD Key, TShiftState Shift) override;

 private:
  friend class TTabSheet;
  void InsertPage(TTabSheet* page);
  void RemovePage(TTabSheet* page);
  void MovePage(TTabSheet* page, int index);
  void PlacePages();

  std::vector<TTabSheet*> FPages;
  TTabSheet* FActivePage = nullptr;
  bool FHotTrack = false;
  bool FMultiLine = false;
  bool FRaggedRight = false;
  bool FScrollOpposite = false;
  TTabStyle FStyle = tsTabs;
  Integer FTabHeight = 0;
  TTabPosition FTabPosition = tpTop;
  Integer FTabWidth = 0;
};

// ---------------------------------------------------------------------------
// List views

class TListView;

enum TViewStyle : uint8_t { vsIcon, vsSmallIcon, vsList, vsReport };
GLS_ENUM_TYPEINFO(TViewStyle, "vsIcon", "vsSmallIcon", "vsList", "vsReport")
enum TSortType : uint8_t { stNone, stData, stText, stBoth };
GLS_ENUM_TYPEINFO(TSortType, "stNone", "stData", "stText", "stBoth")

// A column of a list view in report style.
class TListColumn : public TCollectionItem {
  GLS_CLASS(TListColumn, TCollectionItem)
 public:
  explicit TListColumn(TCollection* collection) : TCollectionItem(collection) {}
  static void Publish(TPublisher<TListColumn>& P);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool Value);
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  Integer MaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value);
  Integer MinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer Value);
  Integer Tag() const { return FTag; }
  void SetTag(Integer Value) { FTag = Value; }
  // Kept within MinWidth and MaxWidth when they are set.
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);

  String DisplayName() const override;
  void Assign(TPersistent* source) override;

 private:
  TAlignment FAlignment = taLeftJustify;
  bool FAutoSize = false;
  String FCaption;
  Integer FImageIndex = -1;
  Integer FMaxWidth = 0;
  Integer FMinWidth = 0;
  Integer FTag = 0;
  Integer FWidth = 50;
};

class TListColumns : public TControlCollection<TListColumn> {
  GLS_CLASS(TListColumns, TCollection)
 public:
  using TControlCollection::TControlCollection;
};

class TListItems;

// An item of a list view: its caption, the texts of the further columns and
// its state. Items live in the list view's Items.
class TListItem : public TPersistent {
  GLS_CLASS(TListItem, TPersistent)
 public:
  explicit TListItem(TListItems* owner);
  ~TListItem() override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TStrings* SubItems() const { return FSubItems.get(); }
  void SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Selected() const { return FSelected; }
  void SetSelected(bool Value);
  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  int Index() const;
  TListItems* Owner() const { return FOwner; }
  void Assign(TPersistent* source) override;
  TPersistent* GetOwner() const override;

 private:
  void Changed();

  TListItems* FOwner;
  String FCaption;
  std::unique_ptr<TControlStrings> FSubItems;
  Integer FImageIndex = -1;
  bool FChecked = false;
  bool FSelected = false;
  void* FData = nullptr;
};

class TListItems : public TPersistent {
  GLS_CLASS(TListItems, TPersistent)
 public:
  explicit TListItems(TListView* owner) : FOwner(owner) {}
  ~TListItems() override;

  int Count() const { return static_cast<int>(FItems.size()); }
  TListItem* Item(int index) const;
  TListItem* Add();
  TListItem* Insert(int index);
  void Delete(int index);
  void Clear();
  int IndexOf(const TListItem* item) const;
  void BeginUpdate() { ++FUpdateCount; }
  void EndUpdate();
  TListView* Owner() const { return FOwner; }
  TPersistent* GetOwner() const override;
  void Assign(TPersistent* source) override;

 private:
  friend class TListItem;
  void Changed();

  TListView* FOwner;
  std::vector<std::unique_ptr<TListItem>> FItems;
  int FUpdateCount = 0;
};

class TListView : public TWinControl {
  GLS_CLASS(TListView, TWinControl)
 public:
  explicit TListView(TComponent* AOwner);
  ~TListView() override;
  static void Publish(TPublisher<TListView>& P);

  TListColumns* Columns() const { return FColumns.get(); }
  void SetColumns(TListColumns* Value) { FColumns->Assign(Value); }
  TListColumn* Column(int index) const { return FColumns->Items(index); }
  TListItems* Items() const { return FItems.get(); }
  TListItem* Selected() const;
  Integer SelCount() const;

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value) { FBorderStyle = Value; }
  bool Checkboxes() const { return FCheckboxes; }
  void SetCheckboxes(bool Value);
  bool ColumnClick() const { return FColumnClick; }
  void SetColumnClick(bool Value) { FColumnClick = Value; }
  bool GridLines() const { return FGridLines; }
  void SetGridLines(bool Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value) { FHideSelection = Value; }
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value) { FHotTrack = Value; }
  bool MultiSelect() const { return FMultiSelect; }
  void SetMultiSelect(bool Value) { FMultiSelect = Value; }
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { FReadOnly = Value; }
  bool RowSelect() const { return FRowSelect; }
  void SetRowSelect(bool Value);
  bool ShowColumnHeaders() const { return FShowColumnHeaders; }
  void SetShowColumnHeaders(bool Value);
  TSortType SortType() const { return FSortType; }
  void SetSortType(TSortType Value) { FSortType = Value; }
  TViewStyle ViewStyle() const { return FViewStyle; }
  void SetViewStyle(TViewStyle Value);

  using TColumnClickEvent = TEvent<void(TObject* Sender, TListColumn* Column)>;
  using TSelectItemEvent = TEvent<void(TObject* Sender, TListItem* Item, bool Selected)>;
  TNotifyEvent OnChange;
  TColumnClickEvent OnColumnClick;
  TSelectItemEvent OnSelectItem;

 private:
  friend class TListItems;
  friend class TListItem;
  void ItemSelected(TListItem* item, bool selected);
  void ModelChanged() { Changed(); }

  std::unique_ptr<TListColumns> FColumns;
  std::unique_ptr<TListItems> FItems;
  TBorderStyle FBorderStyle = bsSingle;
  bool FCheckboxes = false;
  bool FColumnClick = true;
  bool FGridLines = false;
  bool FHideSelection = true;
  bool FHotTrack = false;
  bool FMultiSelect = false;
  bool FReadOnly = false;
  bool FRowSelect = false;
  bool FShowColumnHeaders = true;
  TSortType FSortType = stNone;
  TViewStyle FViewStyle = vsIcon;
};

// ---------------------------------------------------------------------------
// Status bars

class TStatusBar;

enum TStatusPanelBevel : uint8_t { pbNone, pbLowered, pbRaised };
GLS_ENUM_TYPEINFO(TStatusPanelBevel, "pbNone", "pbLowered", "pbRaised")
enum TStatusPanelStyle : uint8_t { psText, psOwnerDraw };
GLS_ENUM_TYPEINFO(TStatusPanelStyle, "psText", "psOwnerDraw")

class TStatusPanel : public TCollectionItem {
  GLS_CLASS(TStatusPanel, TCollectionItem)
 public:
  explicit TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}
  static void Publish(TPublisher<TStatusPanel>& P);

  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  TStatusPanelBevel Bevel() const { return FBevel; }
  void SetBevel(TStatusPanelBevel Value);
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool ParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool IsBiDiModeStored() const { return !FParentBiDiMode; }
  TStatusPanelStyle Style() const { return FStyle; }
  void SetStyle(TStatusPanelStyle Value);
  const String& Text() const { return FText; }
  void SetText(const String& Value);
  Integer Width() const { return FWidth; }
  void SetWidth(Integer Value);

  String DisplayName() const override;
  void Assign(TPersistent* source) override;

 private:
  TAlignment FAlignment = taLeftJustify;
  TStatusPanelBevel FBevel = pbLowered;
  TBiDiMode FBiDiMode = bdLeftToRight;
  bool FParentBiDiMode = true;
  TStatusPanelStyle FStyle = psText;
  String FText;
  Integer FWidth = 50;
};

class TStatusPanels : public TControlCollection<TStatusPanel> {
  GLS_CLASS(TStatusPanels, TCollection)
 public:
  using TControlCollection::TControlCollection;
};

class TStatusBar : public TWinControl {
  GLS_CLASS(TStatusBar, TWinControl)
 public:
  explicit TStatusBar(TComponent* AOwner);
  ~TStatusBar() override;
  static void Publish(TPublisher<TStatusBar>& P);

  TStatusPanels* Panels() const { return FPanels.get(); }
  void SetPanels(TStatusPanels* Value) { FPanels->Assign(Value); }
  bool AutoHint() const { return FAutoHint; }
  void SetAutoHint(bool Value) { FAutoHint = Value; }
  bool SimplePanel() const { return FSimplePanel; }
  void SetSimplePanel(bool Value);
  const String& SimpleText() const { return FSimpleText; }
  void SetSimpleText(const String& Value);
  bool SizeGrip() const { return FSizeGrip; }
  void SetSizeGrip(bool Value) { FSizeGrip = Value; }
  bool UseSystemFont() const { return FUseSystemFont; }
  void SetUseSystemFont(bool Value) { FUseSystemFont = Value; }

  TNotifyEvent OnHint;

 private:
  std::unique_ptr<TStatusPanels> FPanels;
  bool FAutoHint = false;
  bool FSimplePanel = false;
  String FSimpleText;
  bool FSizeGrip = true;
  bool FUseSystemFont = true;
};

// ---------------------------------------------------------------------------
// Tool bars

enum TToolButtonStyle : uint8_t { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider };
GLS_ENUM_TYPEINFO(TToolButtonStyle, "tbsButton", "tbsCheck", "tbsDropDown", "tbsSeparator",
                  "tbsDivider")

class TToolBar : public TWinControl {
  GLS_CLASS(TToolBar, TWinControl)
 public:
  explicit TToolBar(TComponent* AOwner);
  static void Publish(TPublisher<TToolBar>& P);

  Integer ButtonHeight() const { return FButtonHeight; }
  void SetButtonHeight(Integer Value) { FButtonHeight = Value; }
  Integer ButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer Value) { FButtonWidth = Value; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value) { FFlat = Value; }
  bool ShowCaptions() const { return FShowCaptions; }
  void SetShowCaptions(bool Value);
  bool Wrapable() const { return FWrapable; }
  void SetWrapable(bool Value) { FWrapable = Value; }
  int ButtonCount() const;

 private:
  Integer FButtonHeight = 22;
  Integer FButtonWidth = 23;
  bool FFlat = false;
  bool FShowCaptions = false;
  bool FWrapable = true;
};

class TToolButton : public TGraphicControl {
  GLS_CLASS(TToolButton, TGraphicControl)
 public:
  explicit TToolButton(TComponent* AOwner);
  static void Publish(TPublisher<TToolButton>& P);

  bool AllowAllUp() const { return FAllowAllUp; }
  void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
  bool Down() const { return FDown; }
  void SetDown(bool Value);
  // References, cleared when the menu or item is destroyed.
  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* Value);
  TMenuItem* MenuItem() const { return FMenuItem; }
  void SetMenuItem(TMenuItem* Value);
  bool Grouped() const { return FGrouped; }
  void SetGrouped(bool Value) { FGrouped = Value; }
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  bool Indeterminate() const { return FIndeterminate; }
  void SetIndeterminate(bool Value);
  bool Marked() const { return FMarked; }
  void SetMarked(bool Value);
  TToolButtonStyle Style() const { return FStyle; }
  void SetStyle(TToolButtonStyle Value);
  bool Wrap() const { return FWrap; }
  void SetWrap(bool Value) { FWrap = Value; }

  void Click() override;

  bool IsDownStored() const { return !ActionLink().Gives(&TActionValues::Checked, FDown); }
  bool IsImageIndexStored() const {
    return !ActionLink().Gives(&TActionValues::ImageIndex, FImageIndex);
  }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The action's Checked is the button's Down, its image the button's.
  void ActionChanged(const TActionValues& was, const TActionValues& now, bool all) override;

 private:
  bool FAllowAllUp = false;
  bool FDown = false;
  TPopupMenu* FDropdownMenu = nullptr;
  TMenuItem* FMenuItem = nullptr;
  bool FGrouped = false;
  Integer FImageIndex = -1;
  bool FIndeterminate = false;
  bool FMarked = false;
  TToolButtonStyle FStyle = tbsButton;
  bool FWrap = false;
};

}  // namespace Glossmith::inline Controls

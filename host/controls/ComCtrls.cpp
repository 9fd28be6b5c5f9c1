#include "host/controls/ComCtrls.h"

#include <algorithm>

namespace Glossmith::inline Controls {

// ---------------------------------------------------------------------------
// TTabSheet

GLS_IMPLEMENT_CLASS(TTabSheet)

void TTabSheet::Publish(TPublisher<TTabSheet>& P) {
  using S = TTabSheet;
  // The page control places its pages.
  P.Int("Left", &S::Left, &S::SetLeft).Stored(false);
  P.Int("Top", &S::Top, &S::SetTop).Stored(false);
  P.Int("Width", &S::Width, &S::SetWidth).Stored(false);
  P.Int("Height", &S::Height, &S::SetHeight).Stored(false);
  P.Int("BorderWidth", &S::BorderWidth, &S::SetBorderWidth).Default(0);
  P.Publish({"Caption", "DragMode", "Enabled", "Font"});
  P.Bool("Highlighted", &S::Highlighted, &S::SetHighlighted).Default(false);
  P.Int("ImageIndex", &S::ImageIndex, &S::SetImageIndex).Default(0);
  P.Publish("Constraints");
  P.Int("PageIndex", &S::PageIndex, &S::SetPageIndex).Stored(false);
  P.Publish({"ParentFont", "ParentShowHint", "PopupMenu", "ShowHint"});
  P.Bool("TabVisible", &S::TabVisible, &S::SetTabVisible).Default(true);
  P.Bool("Visible", &S::Visible, &S::SetVisible).Stored(false);
  P.Publish({"OnEnter", "OnExit"});
  P.Event("OnHide", &S::OnHide);
  P.Publish({"OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"});
  P.Event("OnShow", &S::OnShow);
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {}

TTabSheet::~TTabSheet() {
  BeginDestroy();
  if (FPageControl) FPageControl->RemovePage(this);
}

void TTabSheet::SetParent(TWinControl* Value) {
  TWinControl::SetParent(Value);
  auto* pageControl = dynamic_cast<TPageControl*>(Value);
  if (pageControl == FPageControl) return;
  if (FPageControl) FPageControl->RemovePage(this);
  if (pageControl) pageControl->InsertPage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value) { SetParent(Value); }

void TTabSheet::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  if (FPageControl) {
    const TClientRect r = FPageControl->PageRect();
    ALeft = r.Left;
    ATop = r.Top;
    AWidth = r.Right - r.Left;
    AHeight = r.Bottom - r.Top;
  }
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

Integer TTabSheet::PageIndex() const {
  if (!FPageControl) return -1;
  auto& pages = FPageControl->FPages;
  return static_cast<Integer>(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(Integer Value) {
  if (FPageControl) FPageControl->MovePage(this, Value);
}

Integer TTabSheet::TabIndex() const {
  if (!FPageControl || !FTabVisible) return -1;
  Integer index = 0;
  for (TTabSheet* page : FPageControl->FPages) {
    if (page == this) return index;
    if (page->FTabVisible) ++index;
  }
  return -1;
}

void TTabSheet::SetTabVisible(bool Value) {
  if (SetField(FTabVisible, Value)) Changed();
}
void TTabSheet::SetImageIndex(Integer Value) {
  if (SetField(FImageIndex, Value)) Changed();
}

// ---------------------------------------------------------------------------
// TPageControl

GLS_IMPLEMENT_CLASS(TPageControl)

void TPageControl::Publish(TPublisher<TPageControl>& P) {
  using C = TPageControl;
  P.template ObjOf<TTabSheet>("ActivePage", &C::ActivePage, &C::SetActivePage);
  P.Publish({"Align", "Anchors", "BiDiMode", "Constraints", "DragCursor", "DragKind", "DragMode",
             "Enabled", "Font"});
  P.Bool("HotTrack", &C::HotTrack, &C::SetHotTrack).Default(false);
  P.Bool("MultiLine", &C::MultiLine, &C::SetMultiLine).Default(false);
  P.Publish({"ParentBiDiMode", "ParentFont", "ParentShowHint", "PopupMenu"});
  P.Bool("RaggedRight", &C::RaggedRight, &C::SetRaggedRight).Default(false);
  P.Bool("ScrollOpposite", &C::ScrollOpposite, &C::SetScrollOpposite).Default(false);
  P.Publish("ShowHint");
  P.Enum("Style", &C::Style, &C::SetStyle).Default(tsTabs);
  P.Int("TabHeight", &C::TabHeight, &C::SetTabHeight).Default(0);
  P.Publish("TabOrder");
  P.Enum("TabPosition", &C::TabPosition, &C::SetTabPosition).Default(tpTop);
  P.Publish("TabStop").Default(true);
  P.Int("TabWidth", &C::TabWidth, &C::SetTabWidth).Default(0);
  P.Publish("Visible");
  P.Event("OnChange", &C::OnChange);
  P.Event("OnChanging", &C::OnChanging);
  P.Publish({"OnEnter", "OnExit", "OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"});
}

TPageControl::TPageControl(TComponent* AOwner) : TWinControl(AOwner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

TPageControl::~TPageControl() {
  BeginDestroy();
  // The pages are destroyed as child controls once this part is gone.
  for (TTabSheet* page : FPages) page->FPageControl = nullptr;
  FPages.clear();
  FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int index) const {
  if (index < 0 || index >= PageCount())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return FPages[static_cast<size_t>(index)];
}

void TPageControl::InsertPage(TTabSheet* page) {
  FPages.push_back(page);
  page->FPageControl = this;
  page->SetBounds(0, 0, 0, 0);
  Changed();
}

TClientRect TPageControl::PageRect() const {
  // A row of tabs is 20 high in the default font, 21 with images (the
  // image list is a reference the host may keep only by name).
  const bool images = GetPropInfo(this, "Images") != nullptr;
  const Integer row = FTabHeight > 0 ? FTabHeight : images ? 21 : 20;
  const Integer frame = FStyle == tsTabs ? 4 : 0;
  const Integer tabs = row + (FStyle == tsTabs ? 4 : 3);
  TClientRect r{frame, frame, ClientWidth() - frame, ClientHeight() - frame};
  switch (FTabPosition) {
    case tpTop:
      r.Top = tabs;
      break;
    case tpBottom:
      r.Bottom = ClientHeight() - tabs;
      break;
    case tpLeft:
      r.Left = tabs;
      break;
    case tpRight:
      r.Right = ClientWidth() - tabs;
      break;
  }
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

void TPageControl::PlacePages() {
  for (TTabSheet* page : FPages) page->SetBounds(0, 0, 0, 0);
}

void TPageControl::SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  PlacePages();
}

void TPageControl::SetTabHeight(Integer Value) {
  if (SetField(FTabHeight, Value)) PlacePages();
}

void TPageControl::RemovePage(TTabSheet* page) {
  if (FActivePage == page) {
    // The neighbouring page shows instead, as when a user closes a page.
    int index = page->PageIndex();
    FActivePage = nullptr;
    std::erase(FPages, page);
    page->FPageControl = nullptr;
    if (!ComponentState().Contains(csDestroying) && !FPages.empty())
      SetActivePage(FPages[static_cast<size_t>(std::min(index, PageCount() - 1))]);
  } else {
    std::erase(FPages, page);
    page->FPageControl = nullptr;
  }
  Changed();
}

void TPageControl::MovePage(TTabSheet* page, int index) {
  index = std::clamp(index, 0, PageCount() - 1);
  std::erase(FPages, page);
  FPages.insert(FPages.begin() + index, page);
  Changed();
}

void TPageControl::SetActivePage(TTabSheet* Value) {
  if (Value && Value->FPageControl != this) return;
  if (FActivePage == Value) return;
  TTabSheet* old = FActivePage;
  FActivePage = Value;
  if (old && old->OnHide) old->OnHide(old);
  if (Value && Value->OnShow) Value->OnShow(Value);
  Changed();
}

Integer TPageControl::ActivePageIndex() const {
  return FActivePage ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(Integer Value) {
  SetActivePage(Value >= 0 && Value < PageCount() ? FPages[static_cast<size_t>(Value)] : nullptr);
}

void TPageControl::SelectTab(int index) {
  if (index < 0 || index >= PageCount() || FPages[static_cast<size_t>(index)] == FActivePage)
    return;
  bool allow = true;
  if (OnChanging) OnChanging(this, allow);
  if (!allow) return;
  SetActivePageIndex(index);
  if (OnChange) OnChange(this);
}

bool TPageControl::DialogChar(char CharCode) {
  if (CanFocus())
    for (int i = 0; i < PageCount(); ++i) {
      TTabSheet* page = FPages[static_cast<size_t>(i)];
      if (page->TabVisible() && IsAccel(CharCode, page->Caption())) {
        SelectTab(i);
        return true;
      }
    }
  return TWinControl::DialogChar(CharCode);
}

void TPageControl::SelectNextPage(bool goForward) {
  int count = PageCount();
  if (count == 0) return;
  int start = ActivePageIndex();
  if (start < 0) start = goForward ? count - 1 : 0;
  for (int step = 1; step <= count; ++step) {
    int i = ((start + (goForward ? step : -step)) % count + count) % count;
    if (FPages[static_cast<size_t>(i)]->TabVisible()) {
      SelectTab(i);
      return;
    }
  }
}

bool TPageControl::WantsKey(WORD Key, TShiftState) const {
  return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

void TPageControl::HandleKey(WORD Key, TShiftState) {
  if (Key == VK_LEFT || Key == VK_RIGHT) SelectNextPage(Key == VK_RIGHT);
}

bool TPageControl::DialogKey(WORD Key, TShiftState Shift) {
  if (Key == VK_TAB && Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt)) {
    TCustomForm* form = GetParentForm(this);
    TWinControl* focused = form ? form->FocusedControl() : nullptr;
    if (focused && ContainsControl(focused)) {
      SelectNextPage(!Shift.Contains(ssShift));
      return true;
    }
  }
  return TWinControl::DialogKey(Key, Shift);
}

void TPageControl::SetMultiLine(bool Value) {
  if (SetField(FMultiLine, Value)) Changed();
}
void TPageControl::SetStyle(TTabStyle Value) {
  if (!SetField(FStyle, Value)) return;
  PlacePages();
  Changed();
}
void TPageControl::SetTabPosition(TTabPosition Value) {
  if (!SetField(FTabPosition, Value)) return;
  PlacePages();
  Changed();
}

// ---------------------------------------------------------------------------
// List view columns

GLS_IMPLEMENT_CLASS(TListColumn)

void TListColumn::Publish(TPublisher<TListColumn>& P) {
  using L = TListColumn;
  P.Enum("Alignment", &L::Alignment, &L::SetAlignment).Default(taLeftJustify);
  P.Bool("AutoSize", &L::AutoSize, &L::SetAutoSize).Default(false);
  P.Str("Caption", &L::Caption, &L::SetCaption);
  P.Int("ImageIndex", &L::ImageIndex, &L::SetImageIndex).Default(-1);
  P.Int("MaxWidth", &L::MaxWidth, &L::SetMaxWidth).Default(0);
  P.Int("MinWidth", &L::MinWidth, &L::SetMinWidth).Default(0);
  P.Int("Tag", &L::Tag, &L::SetTag).Default(0);
  P.Int("Width", &L::Width, &L::SetWidth).Default(50);
}

void TListColumn::SetAlignment(TAlignment Value) {
  if (SetField(FAlignment, Value)) TCollectionItem::Changed(false);
}
void TListColumn::SetAutoSize(bool Value) {
  if (SetField(FAutoSize, Value)) TCollectionItem::Changed(false);
}
void TListColumn::SetCaption(const String& Value) {
  if (SetField(FCaption, Value)) TCollectionItem::Changed(false);
}
void TListColumn::SetImageIndex(Integer Value) {
  if (SetField(FImageIndex, Value)) TCollectionItem::Changed(false);
}

void TListColumn::SetMaxWidth(Integer Value) {
  if (FMaxWidth == Value) return;
  FMaxWidth = Value;
  if (Value > 0 && FWidth > Value) FWidth = Value;
  TCollectionItem::Changed(false);
}

void TListColumn::SetMinWidth(Integer Value) {
  if (FMinWidth == Value) return;
  FMinWidth = Value;
  if (FWidth >= 0 && FWidth < Value) FWidth = Value;
  TCollectionItem::Changed(false);
}

void TListColumn::SetWidth(Integer Value) {
  // Negative widths are the window system's "fit to text" requests; keep them.
  if (Value >= 0) {
    if (FMaxWidth > 0 && Value > FMaxWidth) Value = FMaxWidth;
    if (Value < FMinWidth) Value = FMinWidth;
  }
  if (FWidth == Value) return;
  FWidth = Value;
  TCollectionItem::Changed(false);
}

String TListColumn::DisplayName() const {
  return FCaption.empty() ? TCollectionItem::DisplayName() : FCaption;
}

void TListColumn::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TListColumn*>(source)) {
    FAlignment = other->FAlignment;
    FAutoSize = other->FAutoSize;
    FCaption = other->FCaption;
    FImageIndex = other->FImageIndex;
    FMaxWidth = other->FMaxWidth;
    FMinWidth = other->FMinWidth;
    FTag = other->FTag;
    FWidth = other->FWidth;
    TCollectionItem::Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

GLS_IMPLEMENT_CLASS(TListColumns)

// ---------------------------------------------------------------------------
// List view items

GLS_IMPLEMENT_CLASS(TListItem)

TListItem::TListItem(TListItems* owner)
    : FOwner(owner), FSubItems(std::make_unique<TControlStrings>([this] { Changed(); })) {}

TListItem::~TListItem() = default;

void TListItem::Changed() {
  if (FOwner) FOwner->Changed();
}

void TListItem::SetCaption(const String& Value) {
  if (SetField(FCaption, Value)) Changed();
}
void TListItem::SetImageIndex(Integer Value) {
  if (SetField(FImageIndex, Value)) Changed();
}
void TListItem::SetChecked(bool Value) {
  if (SetField(FChecked, Value)) Changed();
}

void TListItem::SetSelected(bool Value) {
  if (FSelected == Value) return;
  FSelected = Value;
  if (FOwner && FOwner->FOwner) FOwner->FOwner->ItemSelected(this, Value);
  Changed();
}

int TListItem::Index() const { return FOwner ? FOwner->IndexOf(this) : -1; }

TPersistent* TListItem::GetOwner() const { return FOwner; }

void TListItem::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TListItem*>(source)) {
    FCaption = other->FCaption;
    FSubItems->Assign(other->FSubItems.get());
    FImageIndex = other->FImageIndex;
    FChecked = other->FChecked;
    FData = other->FData;
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

GLS_IMPLEMENT_CLASS(TListItems)

TListItems::~TListItems() {
  FUpdateCount = 1;
  FItems.clear();
}

TListItem* TListItems::Item(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return FItems[static_cast<size_t>(index)].get();
}

TListItem* TListItems::Add() { return Insert(Count()); }

TListItem* TListItems::Insert(int index) {
  index = std::clamp(index, 0, Count());
  auto it = FItems.insert(FItems.begin() + index, std::make_unique<TListItem>(this));
  Changed();
  return it->get();
}

void TListItems::Delete(int index) {
  Item(index);
  FItems.erase(FItems.begin() + index);
  Changed();
}

void TListItems::Clear() {
  if (FItems.empty()) return;
  FItems.clear();
  Changed();
}

int TListItems::IndexOf(const TListItem* item) const {
  for (int i = 0; i < Count(); ++i)
    if (FItems[static_cast<size_t>(i)].get() == item) return i;
  return -1;
}

void TListItems::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) Changed();
}

TPersistent* TListItems::GetOwner() const { return FOwner; }

void TListItems::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TListItems*>(source)) {
    if (other == this) return;
    BeginUpdate();
    FItems.clear();
    for (const auto& item : other->FItems) Add()->Assign(item.get());
    EndUpdate();
    return;
  }
  TPersistent::Assign(source);
}

void TListItems::Changed() {
  if (FUpdateCount == 0 && FOwner) FOwner->ModelChanged();
}

// ---------------------------------------------------------------------------
// TListView

GLS_IMPLEMENT_CLASS(TListView)

void TListView::Publish(TPublisher<TListView>& P) {
  using V = TListView;
  P.Publish({"Align", "Anchors", "BiDiMode"});
  P.Enum("BorderStyle", &V::BorderStyle, &V::SetBorderStyle).Default(bsSingle);
  P.Bool("Checkboxes", &V::Checkboxes, &V::SetCheckboxes).Default(false);
  P.Publish("Color");
  P.template ObjOf<TListColumns>("Columns", &V::Columns, &V::SetColumns);
  P.Bool("ColumnClick", &V::ColumnClick, &V::SetColumnClick).Default(true);
  P.Publish({"Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode", "Enabled", "Font"});
  P.Bool("GridLines", &V::GridLines, &V::SetGridLines).Default(false);
  P.Bool("HideSelection", &V::HideSelection, &V::SetHideSelection).Default(true);
  P.Bool("HotTrack", &V::HotTrack, &V::SetHotTrack).Default(false);
  P.Bool("MultiSelect", &V::MultiSelect, &V::SetMultiSelect).Default(false);
  P.Bool("ReadOnly", &V::ReadOnly, &V::SetReadOnly).Default(false);
  P.Bool("RowSelect", &V::RowSelect, &V::SetRowSelect).Default(false);
  P.Publish("ParentBiDiMode");
  P.Publish("ParentColor").Default(false);
  P.Publish({"ParentFont", "ParentShowHint", "PopupMenu"});
  P.Bool("ShowColumnHeaders", &V::ShowColumnHeaders, &V::SetShowColumnHeaders).Default(true);
  P.Publish("ShowHint");
  P.Enum("SortType", &V::SortType, &V::SetSortType).Default(stNone);
  P.Publish("TabOrder");
  P.Publish("TabStop").Default(true);
  P.Enum("ViewStyle", &V::ViewStyle, &V::SetViewStyle).Default(vsIcon);
  P.Publish("Visible");
  P.Event("OnChange", &V::OnChange);
  P.Publish("OnClick");
  P.Event("OnColumnClick", &V::OnColumnClick);
  P.Publish({"OnDblClick", "OnEnter", "OnExit", "OnKeyDown", "OnKeyPress", "OnKeyUp", "OnMouseDown",
             "OnMouseMove", "OnMouseUp"});
  P.Event("OnSelectItem", &V::OnSelectItem);
}

TListView::TListView(TComponent* AOwner)
    : TWinControl(AOwner),
      FColumns(std::make_unique<TListColumns>(this)),
      FItems(std::make_unique<TListItems>(this)) {
  SetBounds(0, 0, 250, 150);
  SetTabStop(true);
  SetColor(clWindow);
}

TListView::~TListView() {
  BeginDestroy();
  FItems.reset();
  FColumns.reset();
}

TListItem* TListView::Selected() const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->Item(i)->Selected()) return FItems->Item(i);
  return nullptr;
}

Integer TListView::SelCount() const {
  Integer n = 0;
  for (int i = 0; i < FItems->Count(); ++i)
    if (FItems->Item(i)->Selected()) ++n;
  return n;
}

void TListView::ItemSelected(TListItem* item, bool selected) {
  // One selected item at a time unless several may be.
  if (selected && !FMultiSelect)
    for (int i = 0; i < FItems->Count(); ++i)
      if (TListItem* other = FItems->Item(i); other != item && other->Selected())
        other->SetSelected(false);
  if (OnSelectItem) OnSelectItem(this, item, selected);
}

void TListView::SetCheckboxes(bool Value) {
  if (SetField(FCheckboxes, Value)) Changed();
}
void TListView::SetGridLines(bool Value) {
  if (SetField(FGridLines, Value)) Changed();
}
void TListView::SetRowSelect(bool Value) {
  if (SetField(FRowSelect, Value)) Changed();
}
void TListView::SetShowColumnHeaders(bool Value) {
  if (SetField(FShowColumnHeaders, Value)) Changed();
}
void TListView::SetViewStyle(TViewStyle Value) {
  if (SetField(FViewStyle, Value)) Changed();
}

// ---------------------------------------------------------------------------
// Status bars

GLS_IMPLEMENT_CLASS(TStatusPanel)

void TStatusPanel::Publish(TPublisher<TStatusPanel>& P) {
  using S = TStatusPanel;
  P.Enum("Alignment", &S::Alignment, &S::SetAlignment).Default(taLeftJustify);
  P.Enum("Bevel", &S::Bevel, &S::SetBevel).Default(pbLowered);
  P.Enum("BiDiMode", &S::BiDiMode, &S::SetBiDiMode).Stored(&S::IsBiDiModeStored);
  P.Bool("ParentBiDiMode", &S::ParentBiDiMode, &S::SetParentBiDiMode).Default(true);
  P.Enum("Style", &S::Style, &S::SetStyle).Default(psText);
  P.Str("Text", &S::Text, &S::SetText);
  P.Int("Width", &S::Width, &S::SetWidth);
}

void TStatusPanel::SetAlignment(TAlignment Value) {
  if (SetField(FAlignment, Value)) TCollectionItem::Changed(false);
}
void TStatusPanel::SetBevel(TStatusPanelBevel Value) {
  if (SetField(FBevel, Value)) TCollectionItem::Changed(false);
}
void TStatusPanel::SetStyle(TStatusPanelStyle Value) {
  if (SetField(FStyle, Value)) TCollectionItem::Changed(false);
}
void TStatusPanel::SetText(const String& Value) {
  if (SetField(FText, Value)) TCollectionItem::Changed(false);
}
void TStatusPanel::SetWidth(Integer Value) {
  if (SetField(FWidth, Value)) TCollectionItem::Changed(false);
}

void TStatusPanel::SetBiDiMode(TBiDiMode Value) {
  FParentBiDiMode = false;
  if (FBiDiMode == Value) return;
  FBiDiMode = Value;
  TCollectionItem::Changed(false);
}

void TStatusPanel::SetParentBiDiMode(bool Value) {
  if (FParentBiDiMode == Value) return;
  FParentBiDiMode = Value;
  TCollectionItem::Changed(false);
}

String TStatusPanel::DisplayName() const {
  return FText.empty() ? TCollectionItem::DisplayName() : FText;
}

void TStatusPanel::Assign(TPersistent* source) {
  if (auto* other = dynamic_cast<TStatusPanel*>(source)) {
    FAlignment = other->FAlignment;
    FBevel = other->FBevel;
    FBiDiMode = other->FBiDiMode;
    FParentBiDiMode = other->FParentBiDiMode;
    FStyle = other->FStyle;
    FText = other->FText;
    FWidth = other->FWidth;
    TCollectionItem::Changed(false);
    return;
  }
  TCollectionItem::Assign(source);
}

GLS_IMPLEMENT_CLASS(TStatusPanels)

GLS_IMPLEMENT_CLASS(TStatusBar)

void TStatusBar::Publish(TPublisher<TStatusBar>& P) {
  using B = TStatusBar;
  P.Publish("Align").Default(alBottom);
  P.Publish("Anchors");
  P.Bool("AutoHint", &B::AutoHint, &B::SetAutoHint).Default(false);
  P.Publish("BiDiMode");
  P.Publish("Color").Default(clBtnFace);
  P.Publish({"DragCursor", "DragKind", "DragMode", "Enabled", "Font", "Constraints"});
  P.template ObjOf<TStatusPanels>("Panels", &B::Panels, &B::SetPanels);
  P.Publish("ParentBiDiMode");
  P.Publish("ParentColor").Default(false);
  P.Publish("ParentFont").Default(false);
  P.Publish({"ParentShowHint", "PopupMenu", "ShowHint"});
  P.Bool("SimplePanel", &B::SimplePanel, &B::SetSimplePanel).Default(false);
  P.Str("SimpleText", &B::SimpleText, &B::SetSimpleText);
  P.Bool("SizeGrip", &B::SizeGrip, &B::SetSizeGrip).Default(true);
  P.Bool("UseSystemFont", &B::UseSystemFont, &B::SetUseSystemFont).Default(true);
  P.Publish({"Visible", "OnClick", "OnDblClick"});
  P.Event("OnHint", &B::OnHint);
  P.Publish({"OnMouseDown", "OnMouseMove", "OnMouseUp", "OnResize"});
}

TStatusBar::TStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)) {
  SetColor(clBtnFace);
  SetParentFont(false);
  SetAlign(alBottom);
  SetBounds(0, 0, 200, 19);
}

TStatusBar::~TStatusBar() {
  BeginDestroy();
  FPanels.reset();
}

void TStatusBar::SetSimplePanel(bool Value) {
  if (SetField(FSimplePanel, Value)) Changed();
}
void TStatusBar::SetSimpleText(const String& Value) {
  if (SetField(FSimpleText, Value)) Changed();
}

// ---------------------------------------------------------------------------
// Tool bars

GLS_IMPLEMENT_CLASS(TToolBar)

void TToolBar::Publish(TPublisher<TToolBar>& P) {
  using B = TToolBar;
  P.Publish("Align").Default(alTop);
  P.Publish({"Anchors", "AutoSize"});
  P.Int("ButtonHeight", &B::ButtonHeight, &B::SetButtonHeight).Default(22);
  P.Int("ButtonWidth", &B::ButtonWidth, &B::SetButtonWidth).Default(23);
  P.Publish({"Caption", "Color", "Constraints", "Ctl3D", "DragCursor", "DragKind", "DragMode",
             "Enabled"});
  P.Bool("Flat", &B::Flat, &B::SetFlat).Default(false);
  P.Publish({"Font", "ParentColor", "ParentFont", "ParentShowHint", "PopupMenu"});
  P.Bool("ShowCaptions", &B::ShowCaptions, &B::SetShowCaptions).Default(false);
  P.Publish({"ShowHint", "TabOrder", "TabStop", "Visible"});
  P.Bool("Wrapable", &B::Wrapable, &B::SetWrapable).Default(true);
  P.Publish({"OnClick", "OnDblClick", "OnEnter", "OnExit", "OnMouseDown", "OnMouseMove",
             "OnMouseUp", "OnResize"});
}

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
  SetAlign(alTop);
  SetBounds(0, 0, 150, 29);
}

void TToolBar::SetShowCaptions(bool Value) {
  if (SetField(FShowCaptions, Value)) Changed();
}

int TToolBar::ButtonCount() const {
  int n = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (dynamic_cast<TToolButton*>(Controls(i))) ++n;
  return n;
}

GLS_IMPLEMENT_CLASS(TToolButton)

void TToolButton::Publish(TPublisher<TToolButton>& P) {
  using B = TToolButton;
  P.Publish("Action");
  P.Bool("AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp).Default(false);
  P.Publish({"AutoSize", "Caption"});
  P.Bool("Down", &B::Down, &B::SetDown).Default(false).Stored(&B::IsDownStored);
  P.Publish({"DragCursor", "DragKind", "DragMode"});
  P.template ObjOf<TPopupMenu>("DropdownMenu", &B::DropdownMenu, &B::SetDropdownMenu);
  P.Publish("Enabled");
  P.Bool("Grouped", &B::Grouped, &B::SetGrouped).Default(false);
  P.Int("ImageIndex", &B::ImageIndex, &B::SetImageIndex)
      .Default(-1)
      .Stored(&B::IsImageIndexStored);
  P.Bool("Indeterminate", &B::Indeterminate, &B::SetIndeterminate).Default(false);
  P.Bool("Marked", &B::Marked, &B::SetMarked).Default(false);
  P.template ObjOf<TMenuItem>("MenuItem", &B::MenuItem, &B::SetMenuItem);
  P.Publish({"ParentShowHint", "PopupMenu"});
  P.Bool("Wrap", &B::Wrap, &B::SetWrap).Default(false);
  P.Publish("ShowHint");
  P.Enum("Style", &B::Style, &B::SetStyle).Default(tbsButton);
  P.Publish({"Visible", "OnClick", "OnMouseDown", "OnMouseMove", "OnMouseUp"});
}

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 23, 22); }

void TToolButton::SetImageIndex(Integer Value) {
  if (SetField(FImageIndex, Value)) Changed();
}
void TToolButton::SetIndeterminate(bool Value) {
  if (SetField(FIndeterminate, Value)) Changed();
}
void TToolButton::SetMarked(bool Value) {
  if (SetField(FMarked, Value)) Changed();
}
void TToolButton::SetStyle(TToolButtonStyle Value) {
  if (SetField(FStyle, Value)) Changed();
}

void TToolButton::SetDown(bool Value) {
  if (FDown == Value) return;
  FDown = Value;
  // A grouped button going down lets the others of its group up.
  if (Value && FGrouped && Parent()) {
    int index = -1;
    for (int i = 0; i < Parent()->ControlCount(); ++i)
      if (Parent()->Controls(i) == this) index = i;
    auto groupMember = [&](int i) {
      auto* b = dynamic_cast<TToolButton*>(Parent()->Controls(i));
      return b && b->FGrouped && b->FStyle == tbsCheck ? b : nullptr;
    };
    for (int i = index - 1; i >= 0 && groupMember(i); --i) groupMember(i)->SetDown(false);
    for (int i = index + 1; i < Parent()->ControlCount() && groupMember(i); ++i)
      groupMember(i)->SetDown(false);
  }
  Changed();
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value) {
  if (FDropdownMenu == Value) return;
  FDropdownMenu = Value;
  if (Value) Value->FreeNotification(this);
}

void TToolButton::SetMenuItem(TMenuItem* Value) {
  if (FMenuItem == Value) return;
  FMenuItem = Value;
  if (Value) {
    Value->FreeNotification(this);
    if (!IsLoading()) {
      SetCaption(Value->Caption());
      SetHint(Value->Hint());
      SetImageIndex(Value->ImageIndex());
    }
  }
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation) {
  TGraphicControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (static_cast<TComponent*>(FDropdownMenu) == AComponent) FDropdownMenu = nullptr;
  if (static_cast<TComponent*>(FMenuItem) == AComponent) FMenuItem = nullptr;
}

void TToolButton::ActionChanged(const TActionValues& was, const TActionValues& now, bool all) {
  TGraphicControl::ActionChanged(was, now, all);
  if (all || FDown == was.Checked) SetDown(now.Checked);
  if (all || FImageIndex == was.ImageIndex) SetImageIndex(now.ImageIndex);
}

void TToolButton::Click() {
  if (FStyle == tbsCheck) {
    if (!FDown)
      SetDown(true);
    else if (!FGrouped || FAllowAllUp)
      SetDown(false);
  }
  if (FMenuItem && !OnClick) {
    FMenuItem->Click();
    return;
  }
  TGraphicControl::Click();
}

}  // namespace Glossmith::inline Controls

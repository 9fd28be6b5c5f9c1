// Extra controls: panels, bevels, radio groups, images, splitters, timers.
#pragma once

#include "host/controls/StdCtrls.h"

namespace Glossmith::inline Controls {

enum TBevelCut : uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
GLS_ENUM_TYPEINFO(TBevelCut, "bvNone", "bvLowered", "bvRaised", "bvSpace")
enum TBevelShape : uint8_t {
  bsBox,
  bsFrame,
  bsTopLine,
  bsBottomLine,
  bsLeftLine,
  bsRightLine,
  bsSpacer
};
GLS_ENUM_TYPEINFO(TBevelShape, "bsBox", "bsFrame", "bsTopLine", "bsBottomLine", "bsLeftLine",
                  "bsRightLine", "bsSpacer")
enum TBevelStyle : uint8_t { bsLowered, bsRaised };
GLS_ENUM_TYPEINFO(TBevelStyle, "bsLowered", "bsRaised")
enum TResizeStyle : uint8_t { rsNone, rsLine, rsUpdate, rsPattern };
GLS_ENUM_TYPEINFO(TResizeStyle, "rsNone", "rsLine", "rsUpdate", "rsPattern")

class TCustomPanel : public TCustomControl {
  GLS_CLASS(TCustomPanel, TCustomControl)
 public:
  explicit TCustomPanel(TComponent* AOwner);

  TBevelCut BevelInner() const { return FBevelInner; }
  void SetBevelInner(TBevelCut Value);
  TBevelCut BevelOuter() const { return FBevelOuter; }
  void SetBevelOuter(TBevelCut Value);
  Integer BevelWidth() const { return FBevelWidth; }
  void SetBevelWidth(Integer Value);
  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  Integer BorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  bool FullRepaint() const { return FFullRepaint; }
  void SetFullRepaint(bool Value) { FFullRepaint = Value; }
  bool Locked() const { return FLocked; }
  void SetLocked(bool Value) { FLocked = Value; }

 private:
  TBevelCut FBevelInner = bvNone;
  TBevelCut FBevelOuter = bvRaised;
  Integer FBevelWidth = 1;
  TBorderStyle FBorderStyle = bsNone;
  Integer FBorderWidth = 0;
  bool FFullRepaint = true;
  bool FLocked = false;
};

class TPanel : public TCustomPanel {
  GLS_CLASS(TPanel, TCustomPanel)
 public:
  explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
  static void Publish(TPublisher<TPanel>& P);
};

class TBevel : public TGraphicControl {
  GLS_CLASS(TBevel, TGraphicControl)
 public:
  explicit TBevel(TComponent* AOwner);
  static void Publish(TPublisher<TBevel>& P);

  TBevelShape Shape() const { return FShape; }
  void SetShape(TBevelShape Value);
  TBevelStyle Style() const { return FStyle; }
  void SetStyle(TBevelStyle Value);

 private:
  TBevelShape FShape = bsBox;
  TBevelStyle FStyle = bsLowered;
};

// A group box of radio buttons, one per item; ItemIndex is the checked one.
// OnClick fires whenever ItemIndex changes, whether a person chose the item
// or code set it (the group hears its buttons' clicks); not while the form
// is read.
class TCustomRadioGroup : public TCustomGroupBox {
  GLS_CLASS(TCustomRadioGroup, TCustomGroupBox)
 public:
  explicit TCustomRadioGroup(TComponent* AOwner);
  ~TCustomRadioGroup() override;

  TStrings* Items() const { return FItems.get(); }
  void SetItems(TStrings* Value) { FItems->Assign(Value); }
  // -1 for none. While the form is read the value is kept as it comes,
  // because the items follow it in the form file; Loaded puts it in range.
  Integer ItemIndex() const { return FItemIndex; }
  void SetItemIndex(Integer Value);
  Integer Columns() const { return FColumns; }
  void SetColumns(Integer Value);
  void Loaded() override;
  // The group's accelerator focuses it; an item's accelerator chooses the
  // item as a click on its button does.
  bool DialogChar(char CharCode) override;

  // A person's click on an item's radio button: the focus comes to the
  // group, the item is checked (OnClick when that changes ItemIndex).
  // Raises EListError for an index out of range.
  void ClickItem(int index);
  // The arrows move the check, as between the radio buttons of a group.
  bool WantsKey(Windows::WORD Key, TShiftState Shift) const override;

 protected:
  void HandleKey(Windows::WORD Key, TShiftState Shift) override;
  // Tab stops at the checked button; with none checked, the group is
  // passed over.
  bool TakesTabFocus() const override { return FItemIndex >= 0; }

 private:
  void ItemsChanged();

  std::unique_ptr<TControlStrings> FItems;
  Integer FItemIndex = -1;
  Integer FColumns = 1;
};

class TRadioGroup : public TCustomRadioGroup {
  GLS_CLASS(TRadioGroup, TCustomRadioGroup)
 public:
  explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
  static void Publish(TPublisher<TRadioGroup>& P);
};

class TImage : public TGraphicControl {
  GLS_CLASS(TImage, TGraphicControl)
 public:
  explicit TImage(TComponent* AOwner);
  static void Publish(TPublisher<TImage>& P);

  bool Center() const { return FCenter; }
  void SetCenter(bool Value) { FCenter = Value; }
  bool Stretch() const { return FStretch; }
  void SetStretch(bool Value) { FStretch = Value; }
  bool Transparent() const { return FTransparent; }
  void SetTransparent(bool Value) { FTransparent = Value; }

 private:
  bool FCenter = false;
  bool FStretch = false;
  bool FTransparent = false;
};

class TSplitter : public TGraphicControl {
  GLS_CLASS(TSplitter, TGraphicControl)
 public:
  explicit TSplitter(TComponent* AOwner);
  static void Publish(TPublisher<TSplitter>& P);

  bool Beveled() const { return FBeveled; }
  void SetBeveled(bool Value) { FBeveled = Value; }
  Integer MinSize() const { return FMinSize; }
  void SetMinSize(Integer Value) { FMinSize = Value; }
  TResizeStyle ResizeStyle() const { return FResizeStyle; }
  void SetResizeStyle(TResizeStyle Value) { FResizeStyle = Value; }

  TNotifyEvent OnMoved;

 private:
  bool FBeveled = false;
  Integer FMinSize = 30;
  TResizeStyle FResizeStyle = rsPattern;
};

// A timer. Nothing runs it here: a front end or a test calls Timer() when the
// interval has passed.
class TTimer : public TComponent {
  GLS_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* AOwner) : TComponent(AOwner) {}
  static void Publish(TPublisher<TTimer>& P);

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  Integer Interval() const { return FInterval; }
  void SetInterval(Integer Value) { FInterval = Value; }
  // Fires OnTimer when enabled.
  void Timer();

  TNotifyEvent OnTimer;

 private:
  bool FEnabled = true;
  Integer FInterval = 1000;
};

}  // namespace Glossmith::inline Controls

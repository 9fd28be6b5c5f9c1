// Menus: menu items with owned sub-items, main menus and pop-up menus. A
// menu's window-system form (its handle) is a TMenu model built on demand.
#pragma once

#include "host/classes/Classes.h"
#include "host/classes/Observers.h"
#include "host/platform/Windows.h"

namespace Glossmith::inline Controls {

// A key with modifiers, as menus show it: the low byte is the virtual key code.
using TShortCut = Integer;
constexpr TShortCut scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000, scNone = 0;
PTypeInfo TShortCutTypeInfo();

enum TShiftStateItem : uint8_t { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
GLS_ENUM_TYPEINFO(TShiftStateItem, "ssShift", "ssAlt", "ssCtrl", "ssLeft", "ssRight", "ssMiddle",
                  "ssDouble")
using TShiftState = TSet<TShiftStateItem>;
GLS_SET_TYPEINFO(TShiftState, TShiftStateItem)

TShortCut ShortCut(Windows::WORD key, TShiftState shift);
// "Ctrl+S", "Shift+F5", "Alt+Del"; empty for no shortcut.
String ShortCutToText(TShortCut shortCut);
// The shortcut of a text as ShortCutToText writes it (case ignored); 0 when none.
TShortCut TextToShortCut(std::string_view text);

enum TMenuBreak : uint8_t { mbNone, mbBreak, mbBarBreak };
GLS_ENUM_TYPEINFO(TMenuBreak, "mbNone", "mbBreak", "mbBarBreak")

class TMenuComponent;
class TBasicAction;

// What an action hands the clients linked to it (menu items, buttons).
struct TActionValues {
  String Caption;
  String Hint;
  bool Checked = false;
  bool Enabled = true;
  bool Visible = true;
  Integer HelpContext = 0;
  Integer ImageIndex = -1;
  TShortCut ShortCut = 0;
  bool operator==(const TActionValues&) const = default;
};

// A client's link to its action, as the classic action link keeps it. When
// the action is set, the client takes its values (while a form is read only
// into properties that still have their defaults, so that a value the file
// gives the client wins); when the action changes, each property of the
// client that still shows the action's former value takes the new one, and
// one the client changed on its own stays. A linked property showing the
// action's value is not written to form files: the action gives it. The
// client frees the link's reference when the action goes (Gone).
class TActionLink {
 public:
  // Brings the client from the values `was` to `now`; with `all`, every
  // property takes its value from `now`.
  using TApply = std::function<void(const TActionValues& was, const TActionValues& now, bool all)>;
  TActionLink(TComponent* client, TApply apply) : FClient(client), FApply(std::move(apply)) {}
  ~TActionLink();
  TActionLink(const TActionLink&) = delete;
  TActionLink& operator=(const TActionLink&) = delete;

  TBasicAction* Action() const { return FAction; }
  void SetAction(TBasicAction* Value);
  // The action is being destroyed: the client keeps its values.
  void Gone();
  // The action's values as last handed on; nullptr without an action that has them.
  const TActionValues* Values() const { return FHasValues ? &FValues : nullptr; }
  // Whether a client's value equals the one the action gives it.
  template <class V>
  bool Gives(V TActionValues::*field, const V& value) const {
    return FHasValues && FValues.*field == value;
  }
  // Runs the action for a click on the client; false without one that did.
  bool Execute();

 private:
  void Follow();
  TComponent* FClient;
  TApply FApply;
  TBasicAction* FAction = nullptr;
  int FObserver = 0;
  bool FHasValues = false;
  TActionValues FValues;
};

// A menu item. Its sub-items belong to it: destroying an item destroys them,
// whatever component owns them (usually the form).
class TMenuItem : public TComponent {
  GLS_CLASS(TMenuItem, TComponent)
 public:
  explicit TMenuItem(TComponent* AOwner);
  ~TMenuItem() override;
  static void Publish(TPublisher<TMenuItem>& P);

  TMenuBreak Break() const { return FBreak; }
  void SetBreak(TMenuBreak Value);
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Integer GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  // The action the item shows and runs (a reference, cleared when the
  // action goes): caption, checks, state, hint, image and shortcut follow it.
  TBasicAction* Action() const { return FActionLink.Action(); }
  void SetAction(TBasicAction* Value);
  bool IsCaptionStored() const;
  bool IsCheckedStored() const;
  bool IsEnabledStored() const;
  bool IsHelpContextStored() const;
  bool IsHintStored() const;
  bool IsImageIndexStored() const;
  bool IsShortCutStored() const;
  bool IsVisibleStored() const;

  TNotifyEvent OnClick;
  // OnClick, or without one the action.
  virtual void Click();

  // Sub-items.
  int Count() const { return static_cast<int>(FItems.size()); }
  TMenuItem* Items(int index) const;
  int IndexOf(const TMenuItem* item) const;
  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  // Takes the item out without destroying it.
  void Remove(TMenuItem* item);
  // Destroys the sub-item at index / all sub-items.
  void Delete(int index);
  void Clear();
  TMenuItem* Parent() const { return FParent; }
  int MenuIndex() const { return FParent ? FParent->IndexOf(this) : -1; }
  void SetMenuIndex(int Value);
  bool IsLine() const { return FCaption == "-"; }
  // The menu component whose item tree holds this item, or nullptr.
  TMenuComponent* GetParentMenu() const;
  // An item nests under its parent item in a form file; the items of a
  // menu's unnamed root item nest under the menu component.
  TComponent* GetParentComponent() const override;
  bool SetParentComponent(TComponent* Value) override;
  void GetChildren(const TGetChildProc& Proc) const override;

  // The identifier the item's entry carries in its parent's menu.
  Windows::UINT Command() const { return FCommand; }
  // The menu of the sub-items, built on demand and kept up to date with them:
  // one entry per visible sub-item, its caption and, after a tab, its shortcut.
  Windows::HMENU Handle();

  int AddObserver(std::function<void(TMenuItem*)> fn) { return FObservers.Add(std::move(fn)); }
  void RemoveObserver(int id) { FObservers.Remove(id); }

 protected:
  void Changed();
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TMenuComponent;
  void RebuildHandle();
  void ActionChanged(const TActionValues& was, const TActionValues& now, bool all);

  TMenuBreak FBreak = mbNone;
  String FCaption;
  bool FChecked = false;
  bool FDefault = false;
  bool FEnabled = true;
  Integer FGroupIndex = 0;
  Integer FHelpContext = 0;
  String FHint;
  Integer FImageIndex = -1;
  bool FRadioItem = false;
  TShortCut FShortCut = 0;
  bool FVisible = true;

  TMenuItem* FParent = nullptr;
  TMenuComponent* FMenu = nullptr;  // set on the root item of a menu component
  std::vector<TMenuItem*> FItems;
  Windows::UINT FCommand;
  std::unique_ptr<Windows::TMenu> FHandle;
  TObserverList<TMenuItem> FObservers;
  TActionLink FActionLink;
};

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };
GLS_ENUM_TYPEINFO(TPopupAlignment, "paLeft", "paRight", "paCenter")

// The common ancestor of main and pop-up menus: a tree of items under an
// unnamed root item. (The name TMenu is the window system's menu model.)
class TMenuComponent : public TComponent {
  GLS_CLASS(TMenuComponent, TComponent)
 public:
  explicit TMenuComponent(TComponent* AOwner);
  ~TMenuComponent() override;

  TMenuItem* Items() const { return FItems.get(); }
  Windows::HMENU Handle() { return FItems->Handle(); }
  // The item with that command identifier anywhere in the tree, or nullptr.
  TMenuItem* FindItem(Windows::UINT command) const;
  void GetChildren(const TGetChildProc& Proc) const override;

 private:
  std::unique_ptr<TMenuItem> FItems;
};

class TMainMenu : public TMenuComponent {
  GLS_CLASS(TMainMenu, TMenuComponent)
 public:
  explicit TMainMenu(TComponent* AOwner) : TMenuComponent(AOwner) {}
  static void Publish(TPublisher<TMainMenu>& P);

  bool AutoMerge() const { return FAutoMerge; }
  void SetAutoMerge(bool Value) { FAutoMerge = Value; }
  TNotifyEvent OnChange;

 private:
  bool FAutoMerge = false;
};

class TPopupMenu : public TMenuComponent {
  GLS_CLASS(TPopupMenu, TMenuComponent)
 public:
  explicit TPopupMenu(TComponent* AOwner) : TMenuComponent(AOwner) {}
  static void Publish(TPublisher<TPopupMenu>& P);

  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  // The component the menu was last shown for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  // Shows the menu (the model fires OnPopup only).
  virtual void Popup(Integer X, Integer Y);

  TNotifyEvent OnPopup;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  Integer FHelpContext = 0;
  TComponent* FPopupComponent = nullptr;
};

}  // namespace Glossmith::inline Controls

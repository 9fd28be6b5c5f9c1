#include "host/controls/Menus.h"

#include <algorithm>
#include "host/controls/ActnList.h"

namespace Glossmith::inline Controls {

// ---------------------------------------------------------------------------
// Shortcuts

PTypeInfo TShortCutTypeInfo() {
  static const PTypeInfo info = MakeTypeInfo(tkInteger, "TShortCut");
  return info;
}

TShortCut ShortCut(WORD key, TShiftState shift) {
  if (key & 0xFF00) return 0;
  TShortCut result = key;
  if (shift.Contains(ssShift)) result |= scShift;
  if (shift.Contains(ssCtrl)) result |= scCtrl;
  if (shift.Contains(ssAlt)) result |= scAlt;
  return result;
}

namespace {

struct TKeyName {
  WORD Key;
  const char* Name;
};

constexpr TKeyName kKeyNames[] = {
    {0x08, "BkSp"}, {0x09, "Tab"},   {0x0D, "Enter"}, {0x1B, "Esc"},  {0x20, "Space"},
    {0x21, "PgUp"}, {0x22, "PgDn"},  {0x23, "End"},   {0x24, "Home"}, {0x25, "Left"},
    {0x26, "Up"},   {0x27, "Right"}, {0x28, "Down"},  {0x2D, "Ins"},  {0x2E, "Del"},
};

String KeyName(WORD key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
    return String(1, static_cast<char>(key));
  if (key >= 0x70 && key <= 0x87) return "F" + IntToStr(key - 0x6F);
  for (const auto& k : kKeyNames)
    if (k.Key == key) return k.Name;
  return String();
}

}  // namespace

String ShortCutToText(TShortCut shortCut) {
  String name = KeyName(static_cast<WORD>(shortCut & 0xFF));
  if (name.empty()) return String();
  String result;
  if (shortCut & scShift) result += "Shift+";
  if (shortCut & scCtrl) result += "Ctrl+";
  if (shortCut & scAlt) result += "Alt+";
  return result + name;
}

TShortCut TextToShortCut(std::string_view text) {
  TShortCut shift = 0;
  for (;;) {
    auto take = [&](std::string_view prefix, TShortCut bit) {
      if (text.size() > prefix.size() && SameText(text.substr(0, prefix.size()), prefix)) {
        shift |= bit;
        text.remove_prefix(prefix.size());
        return true;
      }
      return false;
    };
    if (!take("Shift+", scShift) && !take("Ctrl+", scCtrl) && !take("Alt+", scAlt)) break;
  }
  for (WORD key = 1; key < 0x100; ++key) {
    String name = KeyName(key);
    if (!name.empty() && SameText(name, text)) return key | shift;
  }
  return 0;
}

// ---------------------------------------------------------------------------
// TMenuItem

GLS_IMPLEMENT_CLASS(TMenuItem)

namespace {
UINT NextCommand() {
  // Identifiers below 0x100 are left to the program; the system menu's
  // identifiers (0xF000 and up) are never handed out.
  static UINT next = 0x100;
  if (next >= 0xF000) next = 0x100;
  return next++;
}
}  // namespace

void TMenuItem::Publish(TPublisher<TMenuItem>& P) {
  using M = TMenuItem;
  P.template ObjOf<TBasicAction>("Action", &M::Action, &M::SetAction);
  P.Enum("Break", &M::Break, &M::SetBreak).Default(mbNone);
  P.Str("Caption", &M::Caption, &M::SetCaption).Stored(&M::IsCaptionStored);
  P.Bool("Checked", &M::Checked, &M::SetChecked).Default(false).Stored(&M::IsCheckedStored);
  P.Bool("Default", &M::Default, &M::SetDefault).Default(false);
  P.Bool("Enabled", &M::Enabled, &M::SetEnabled).Default(true).Stored(&M::IsEnabledStored);
  P.Int("GroupIndex", &M::GroupIndex, &M::SetGroupIndex).Default(0);
  P.Int("HelpContext", &M::HelpContext, &M::SetHelpContext)
      .Default(0)
      .Stored(&M::IsHelpContextStored);
  P.Str("Hint", &M::Hint, &M::SetHint).Stored(&M::IsHintStored);
  P.Int("ImageIndex", &M::ImageIndex, &M::SetImageIndex)
      .Default(-1)
      .Stored(&M::IsImageIndexStored);
  P.Bool("RadioItem", &M::RadioItem, &M::SetRadioItem).Default(false);
  P.IntOf("ShortCut", TShortCutTypeInfo(), &M::ShortCut, &M::SetShortCut)
      .Default(0)
      .Stored(&M::IsShortCutStored);
  P.Bool("Visible", &M::Visible, &M::SetVisible).Default(true).Stored(&M::IsVisibleStored);
  P.Event("OnClick", &M::OnClick);
}

TMenuItem::TMenuItem(TComponent* AOwner)
    : TComponent(AOwner),
      FCommand(NextCommand()),
      FActionLink(this, [this](const TActionValues& was, const TActionValues& now, bool all) {
        ActionChanged(was, now, all);
      }) {}

TMenuItem::~TMenuItem() {
  BeginDestroy();
  Clear();
  if (FParent) FParent->Remove(this);
}

void TMenuItem::SetBreak(TMenuBreak Value) {
  if (SetField(FBreak, Value)) Changed();
}
void TMenuItem::SetCaption(const String& Value) {
  if (SetField(FCaption, Value)) Changed();
}
void TMenuItem::SetDefault(bool Value) {
  if (SetField(FDefault, Value)) Changed();
}
void TMenuItem::SetEnabled(bool Value) {
  if (SetField(FEnabled, Value)) Changed();
}
void TMenuItem::SetHint(const String& Value) {
  if (SetField(FHint, Value)) Changed();
}
void TMenuItem::SetImageIndex(Integer Value) {
  if (SetField(FImageIndex, Value)) Changed();
}
void TMenuItem::SetRadioItem(bool Value) {
  if (SetField(FRadioItem, Value)) Changed();
}
void TMenuItem::SetShortCut(TShortCut Value) {
  if (SetField(FShortCut, Value)) Changed();
}
void TMenuItem::SetVisible(bool Value) {
  if (SetField(FVisible, Value)) Changed();
}

void TMenuItem::SetChecked(bool Value) {
  if (FChecked == Value) return;
  FChecked = Value;
  // Checking a radio item unchecks the others of its group.
  if (Value && FRadioItem && FParent)
    for (TMenuItem* sibling : FParent->FItems)
      if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex)
        sibling->SetChecked(false);
  Changed();
}

void TMenuItem::SetGroupIndex(Integer Value) {
  if (FGroupIndex == Value) return;
  FGroupIndex = Value;
  Changed();
}

void TMenuItem::Click() {
  if (OnClick)
    OnClick(this);
  else
    FActionLink.Execute();
}

void TMenuItem::SetAction(TBasicAction* Value) {
  if (Value == Action()) return;
  FActionLink.SetAction(Value);
  if (Value) Value->FreeNotification(this);
}

void TMenuItem::ActionChanged(const TActionValues& was, const TActionValues& now, bool all) {
  if (all || FCaption == was.Caption) SetCaption(now.Caption);
  if (all || FChecked == was.Checked) SetChecked(now.Checked);
  if (all || FEnabled == was.Enabled) SetEnabled(now.Enabled);
  if (all || FHelpContext == was.HelpContext) SetHelpContext(now.HelpContext);
  if (all || FHint == was.Hint) SetHint(now.Hint);
  if (all || FImageIndex == was.ImageIndex) SetImageIndex(now.ImageIndex);
  if (all || FShortCut == was.ShortCut) SetShortCut(now.ShortCut);
  if (all || FVisible == was.Visible) SetVisible(now.Visible);
}

bool TMenuItem::IsCaptionStored() const { return !FActionLink.Gives(&TActionValues::Caption, FCaption); }
bool TMenuItem::IsCheckedStored() const { return !FActionLink.Gives(&TActionValues::Checked, FChecked); }
bool TMenuItem::IsEnabledStored() const { return !FActionLink.Gives(&TActionValues::Enabled, FEnabled); }
bool TMenuItem::IsHelpContextStored() const {
  return !FActionLink.Gives(&TActionValues::HelpContext, FHelpContext);
}
bool TMenuItem::IsHintStored() const { return !FActionLink.Gives(&TActionValues::Hint, FHint); }
bool TMenuItem::IsImageIndexStored() const {
  return !FActionLink.Gives(&TActionValues::ImageIndex, FImageIndex);
}
bool TMenuItem::IsShortCutStored() const {
  return !FActionLink.Gives(&TActionValues::ShortCut, FShortCut);
}
bool TMenuItem::IsVisibleStored() const { return !FActionLink.Gives(&TActionValues::Visible, FVisible); }

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == Action()) FActionLink.Gone();
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return FItems[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(FItems.begin(), FItems.end(), item);
  return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item) return;
  if (item->FParent) throw EInvalidOperation("Menu inserted twice");
  // An item cannot hold itself or one of its ancestors.
  for (TMenuItem* p = this; p; p = p->FParent)
    if (p == item) throw EInvalidOperation("Menu inserted twice");
  if (index < 0 || index > Count())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  FItems.insert(FItems.begin() + index, item);
  item->FParent = this;
  Changed();
}

void TMenuItem::Remove(TMenuItem* item) {
  int index = IndexOf(item);
  if (index < 0) throw EInvalidOperation("Sub-menu is not in menu");
  FItems.erase(FItems.begin() + index);
  item->FParent = nullptr;
  if (!ComponentState().Contains(csDestroying)) Changed();
}

void TMenuItem::Delete(int index) { delete Items(index); }

void TMenuItem::Clear() {
  while (!FItems.empty()) delete FItems.back();
}

void TMenuItem::SetMenuIndex(int Value) {
  if (!FParent) return;
  TMenuItem* parent = FParent;
  int count = parent->Count();
  Value = std::clamp(Value, 0, count - 1);
  if (Value == MenuIndex()) return;
  parent->Remove(this);
  parent->Insert(Value, this);
}

TMenuComponent* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->FParent) item = item->FParent;
  return item->FMenu;
}

HMENU TMenuItem::Handle() {
  if (!FHandle) FHandle = std::make_unique<TMenu>();
  RebuildHandle();
  return FHandle.get();
}

void TMenuItem::RebuildHandle() {
  FHandle->Clear();
  for (TMenuItem* item : FItems) {
    if (!item->FVisible) continue;
    if (item->IsLine()) {
      FHandle->AppendSeparator();
      continue;
    }
    String text = item->FCaption;
    String keys = ShortCutToText(item->FShortCut);
    if (!keys.empty()) text += "\t" + keys;
    FHandle->Append(item->FCommand, text);
  }
}

void TMenuItem::Changed() {
  if (ComponentState().Contains(csDestroying)) return;
  FObservers.Notify(this);
  // The parent's entry for this item shows its caption and shortcut.
  if (FParent && FParent->FHandle) FParent->RebuildHandle();
  if (FHandle) RebuildHandle();
}

// ---------------------------------------------------------------------------
// Menu components

GLS_IMPLEMENT_CLASS(TMenuComponent)

TMenuComponent::TMenuComponent(TComponent* AOwner)
    : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr)) {
  FItems->FMenu = this;
}

TMenuComponent::~TMenuComponent() = default;

namespace {
TMenuItem* FindCommandIn(TMenuItem* item, UINT command) {
  if (item->Command() == command) return item;
  for (int i = 0; i < item->Count(); ++i)
    if (TMenuItem* found = FindCommandIn(item->Items(i), command)) return found;
  return nullptr;
}
}  // namespace

TMenuItem* TMenuComponent::FindItem(UINT command) const {
  for (int i = 0; i < FItems->Count(); ++i)
    if (TMenuItem* found = FindCommandIn(FItems->Items(i), command)) return found;
  return nullptr;
}

GLS_IMPLEMENT_CLASS(TMainMenu)

void TMainMenu::Publish(TPublisher<TMainMenu>& P) {
  P.Bool("AutoMerge", &TMainMenu::AutoMerge, &TMainMenu::SetAutoMerge).Default(false);
  P.Event("OnChange", &TMainMenu::OnChange);
}

GLS_IMPLEMENT_CLASS(TPopupMenu)

void TPopupMenu::Publish(TPublisher<TPopupMenu>& P) {
  P.Enum("Alignment", &TPopupMenu::Alignment, &TPopupMenu::SetAlignment).Default(paLeft);
  P.Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
  P.Int("HelpContext", &TPopupMenu::HelpContext, &TPopupMenu::SetHelpContext).Default(0);
  P.Event("OnPopup", &TPopupMenu::OnPopup);
}

void TPopupMenu::SetPopupComponent(TComponent* Value) {
  if (FPopupComponent == Value) return;
  FPopupComponent = Value;
  if (Value) Value->FreeNotification(this);
}

void TPopupMenu::Popup(Integer, Integer) {
  if (OnPopup) OnPopup(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
  TMenuComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

// ---------------------------------------------------------------------------
// Nesting in form files

TComponent* TMenuItem::GetParentComponent() const {
  if (FParent && !FParent->Owner()) {
    // The unnamed root item stands for the menu component itself.
    if (TMenuComponent* menu = FParent->GetParentMenu(); menu && menu->Items() == FParent)
      return menu;
  }
  return FParent;
}

bool TMenuItem::SetParentComponent(TComponent* Value) {
  TMenuItem* target = nullptr;
  if (auto* menu = dynamic_cast<TMenuComponent*>(Value))
    target = menu->Items();
  else
    target = dynamic_cast<TMenuItem*>(Value);
  if (!target) return false;
  if (FParent) FParent->Remove(this);
  target->Add(this);
  return true;
}

void TMenuItem::GetChildren(const TGetChildProc& Proc) const {
  for (TMenuItem* item : FItems) Proc(item);
}

void TMenuComponent::GetChildren(const TGetChildProc& Proc) const { FItems->GetChildren(Proc); }

}  // namespace Glossmith::inline Controls

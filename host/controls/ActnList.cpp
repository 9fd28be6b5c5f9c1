#include "host/controls/ActnList.h"

#include <algorithm>

namespace Glossmith::inline Controls {

GLS_IMPLEMENT_CLASS(TBasicAction)
GLS_IMPLEMENT_CLASS(TContainedAction)
GLS_IMPLEMENT_CLASS(TCustomAction)
GLS_IMPLEMENT_CLASS(TAction)
GLS_IMPLEMENT_CLASS(TActionList)

bool TBasicAction::Execute() {
  if (!OnExecute) return false;
  OnExecute(this);
  return true;
}

TContainedAction::~TContainedAction() {
  BeginDestroy();
  SetActionList(nullptr);
}

void TContainedAction::SetActionList(TActionList* Value) {
  if (FActionList == Value) return;
  if (FActionList) std::erase(FActionList->FActions, this);
  FActionList = Value;
  if (Value) Value->FActions.push_back(this);
}

int TContainedAction::Index() const {
  if (!FActionList) return -1;
  auto& list = FActionList->FActions;
  return static_cast<int>(std::find(list.begin(), list.end(), this) - list.begin());
}

void TCustomAction::SetCaption(const String& Value) {
  if (SetField(FCaption, Value)) Changed();
}
void TCustomAction::SetChecked(bool Value) {
  if (SetField(FChecked, Value)) Changed();
}
void TCustomAction::SetEnabled(bool Value) {
  if (SetField(FEnabled, Value)) Changed();
}
void TCustomAction::SetHint(const String& Value) {
  if (SetField(FHint, Value)) Changed();
}
void TCustomAction::SetImageIndex(Integer Value) {
  if (SetField(FImageIndex, Value)) Changed();
}
void TCustomAction::SetShortCut(TShortCut Value) {
  if (SetField(FShortCut, Value)) Changed();
}
void TCustomAction::SetVisible(bool Value) {
  if (SetField(FVisible, Value)) Changed();
}

void TCustomAction::Changed() {
  if (!ComponentState().Contains(csDestroying)) FObservers.Notify(this);
}

void TAction::Publish(TPublisher<TAction>& P) {
  using A = TCustomAction;
  P.Str("Caption", &A::Caption, &A::SetCaption);
  P.Str("Category", &A::Category, &A::SetCategory);
  P.Bool("Checked", &A::Checked, &A::SetChecked).Default(false);
  P.Bool("Enabled", &A::Enabled, &A::SetEnabled).Default(true);
  P.Int("HelpContext", &A::HelpContext, &A::SetHelpContext).Default(0);
  P.Str("Hint", &A::Hint, &A::SetHint);
  P.Int("ImageIndex", &A::ImageIndex, &A::SetImageIndex).Default(-1);
  P.IntOf("ShortCut", TShortCutTypeInfo(), &A::ShortCut, &A::SetShortCut).Default(0);
  P.Bool("Visible", &A::Visible, &A::SetVisible).Default(true);
  P.Event("OnExecute", &A::OnExecute);
  P.Event("OnUpdate", &A::OnUpdate);
}

void TActionList::Publish(TPublisher<TActionList>& P) {
  P.template ObjOf<TCustomImageList>("Images", &TActionList::Images, &TActionList::SetImages);
  P.Event("OnChange", &TActionList::OnChange);
}

TActionList::~TActionList() {
  BeginDestroy();
  for (TContainedAction* action : FActions) action->FActionList = nullptr;
  FActions.clear();
}

TContainedAction* TActionList::Actions(int index) const {
  if (index < 0 || index >= ActionCount())
    throw EListError(Format("List index out of bounds (%d)", {index}));
  return FActions[static_cast<size_t>(index)];
}

void TActionList::SetImages(TCustomImageList* Value) {
  if (FImages == Value) return;
  FImages = Value;
  if (Value) Value->FreeNotification(this);
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && static_cast<TComponent*>(FImages) == AComponent) FImages = nullptr;
}

// ---------------------------------------------------------------------------
// Nesting in form files

TComponent* TContainedAction::GetParentComponent() const { return FActionList; }

bool TContainedAction::SetParentComponent(TComponent* Value) {
  auto* list = dynamic_cast<TActionList*>(Value);
  if (Value && !list) return false;
  SetActionList(list);
  return true;
}

void TActionList::GetChildren(const TGetChildProc& Proc) const {
  for (TContainedAction* action : FActions) Proc(action);
}

}  // namespace Glossmith::inline Controls

// ---------------------------------------------------------------------------
// Action links

namespace Glossmith::inline Controls {

namespace {
TActionValues ValuesOf(const TCustomAction* a) {
  TActionValues v;
  v.Caption = a->Caption();
  v.Hint = a->Hint();
  v.Checked = a->Checked();
  v.Enabled = a->Enabled();
  v.Visible = a->Visible();
  v.HelpContext = a->HelpContext();
  v.ImageIndex = a->ImageIndex();
  v.ShortCut = a->ShortCut();
  return v;
}

bool Loading(const TComponent* c) {
  return c && (c->ComponentState().Contains(csLoading) ||
               (c->Owner() && c->Owner()->ComponentState().Contains(csLoading)));
}
}  // namespace

TActionLink::~TActionLink() {
  if (auto* a = dynamic_cast<TCustomAction*>(FAction); a && FObserver) a->RemoveObserver(FObserver);
}

void TActionLink::SetAction(TBasicAction* Value) {
  if (Value == FAction) return;
  if (auto* old = dynamic_cast<TCustomAction*>(FAction); old && FObserver)
    old->RemoveObserver(FObserver);
  FObserver = 0;
  FAction = Value;
  FHasValues = false;
  auto* action = dynamic_cast<TCustomAction*>(Value);
  if (!action) return;
  FObserver = action->AddObserver([this](TCustomAction*) { Follow(); });
  // While a form is read, only what the file left at its default follows.
  const bool all = !Loading(action) && !Loading(FClient);
  const TActionValues now = ValuesOf(action);
  FValues = now;
  FHasValues = true;
  FApply(TActionValues{}, now, all);
}

void TActionLink::Follow() {
  auto* action = dynamic_cast<TCustomAction*>(FAction);
  if (!action) return;
  const TActionValues was = FValues;
  FValues = ValuesOf(action);
  if (!(was == FValues)) FApply(was, FValues, false);
}

void TActionLink::Gone() {
  FAction = nullptr;
  FObserver = 0;
  FHasValues = false;
}

bool TActionLink::Execute() { return FAction && FAction->Execute(); }

}  // namespace Glossmith::inline Controls

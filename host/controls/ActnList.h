// Action lists and actions. An action belongs to its action list (the list
// it is nested in within a form file) and is owned, like every component of
// a form, by the form.
#pragma once

#include "host/controls/ImgList.h"
#include "host/controls/Menus.h"

namespace Glossmith::inline Controls {

class TActionList;

class TBasicAction : public TComponent {
  GLS_CLASS(TBasicAction, TComponent)
 public:
  explicit TBasicAction(TComponent* AOwner) : TComponent(AOwner) {}
  // Runs OnExecute; false when there is none.
  virtual bool Execute();
  TNotifyEvent OnExecute;
  TNotifyEvent OnUpdate;
};

class TContainedAction : public TBasicAction {
  GLS_CLASS(TContainedAction, TBasicAction)
 public:
  explicit TContainedAction(TComponent* AOwner) : TBasicAction(AOwner) {}
  ~TContainedAction() override;

  TActionList* ActionList() const { return FActionList; }
  void SetActionList(TActionList* Value);
  // An action nests under its action list in a form file.
  TComponent* GetParentComponent() const override;
  bool SetParentComponent(TComponent* Value) override;
  const String& Category() const { return FCategory; }
  void SetCategory(const String& Value) { FCategory = Value; }
  int Index() const;

 private:
  friend class TActionList;
  TActionList* FActionList = nullptr;
  String FCategory;
};

class TCustomAction : public TContainedAction {
  GLS_CLASS(TCustomAction, TContainedAction)
 public:
  explicit TCustomAction(TComponent* AOwner) : TContainedAction(AOwner) {}

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  Integer HelpContext() const { return FHelpContext; }
  void SetHelpContext(Integer Value) { FHelpContext = Value; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value);
  Integer ImageIndex() const { return FImageIndex; }
  void SetImageIndex(Integer Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  int AddObserver(std::function<void(TCustomAction*)> fn) { return FObservers.Add(std::move(fn)); }
  void RemoveObserver(int id) { FObservers.Remove(id); }

 private:
  void Changed();

  String FCaption;
  bool FChecked = false;
  bool FEnabled = true;
  Integer FHelpContext = 0;
  String FHint;
  Integer FImageIndex = -1;
  TShortCut FShortCut = 0;
  bool FVisible = true;
  TObserverList<TCustomAction> FObservers;
};

class TAction : public TCustomAction {
  GLS_CLASS(TAction, TCustomAction)
 public:
  explicit TAction(TComponent* AOwner) : TCustomAction(AOwner) {}
  static void Publish(TPublisher<TAction>& P);
};

class TActionList : public TComponent {
  GLS_CLASS(TActionList, TComponent)
 public:
  explicit TActionList(TComponent* AOwner) : TComponent(AOwner) {}
  ~TActionList() override;
  static void Publish(TPublisher<TActionList>& P);

  int ActionCount() const { return static_cast<int>(FActions.size()); }
  TContainedAction* Actions(int index) const;
  void GetChildren(const TGetChildProc& Proc) const override;
  // A reference, cleared when the image list is destroyed.
  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);

  TNotifyEvent OnChange;

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override;

 private:
  friend class TContainedAction;
  std::vector<TContainedAction*> FActions;
  TCustomImageList* FImages = nullptr;
};

}  // namespace Glossmith::inline Controls

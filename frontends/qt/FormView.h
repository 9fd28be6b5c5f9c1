// The widgets of one form: every control of the form as a Qt widget that
// follows its model (through the control's observers) and passes a
// person's input back to the model as the calls the model defines (clicks,
// keys, focus, mouse moves, page changes). The widgets never act on their
// own: a click on a check box does not toggle the widget, it clicks the
// model, whose change then shows.
#pragma once

#include <QHash>
#include <QPalette>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "host/controls/Forms.h"

class QAction;
class QMenu;
class QMouseEvent;

namespace Glossmith::inline QtFrontEnd {

class TFormView;

// The widget of one control (or of a component the front end only
// places: a placeholder for a class it does not know) and how it follows
// the model. One subclass per kind of widget.
class TControlView {
 public:
  TControlView(TFormView& view, TComponent* component);
  virtual ~TControlView();
  TControlView(const TControlView&) = delete;
  TControlView& operator=(const TControlView&) = delete;

  TComponent* Component() const { return FComponent; }
  // The control, or nullptr for a placeholder of an unknown class.
  TControl* Control() const { return FControl; }
  QWidget* Widget() const { return FWidget; }
  // Where the widgets of the child controls go.
  virtual QWidget* ChildHost() const { return FWidget; }
  // Takes the widget of a child control (a notebook makes it a page).
  virtual void AddChild(TControlView& child);
  // Whether the parent places this widget itself (pages of notebooks).
  virtual bool PlacedByParent() const { return false; }
  // The widget that takes the keyboard focus when the control has it.
  virtual QWidget* FocusWidget() const { return FWidget; }

  // Brings the widget up to the model's state.
  void Sync();
  // Position and size only (a parent was resized).
  void SyncGeometry();

  // A person's input on `receiver` (the widget or a part of it): true when
  // it was delivered to the model (and so is not Qt's to handle).
  virtual bool MouseEvent(QWidget* receiver, QMouseEvent* event);

 protected:
  // Builds the widget; called once by the view right after construction.
  virtual QWidget* CreateWidget() = 0;
  // The state of the kind: text, items, checks...
  virtual void SyncOwn() {}
  // The palette roles the control's colour and font colour paint.
  virtual QPalette::ColorRole BackgroundRole() const { return QPalette::Window; }
  virtual QPalette::ColorRole TextRole() const { return QPalette::WindowText; }
  // Whether the widget paints the control's colour behind it.
  virtual bool FillsBackground() const { return false; }
  // A click at a point of the widget (in the widget's pixels): the
  // control's MouseClick there unless the control clicks a part of itself.
  virtual void ClickAt(QWidget* receiver, QPoint pos, TShiftState shift);
  // Where the control shows in its parent, in form units.
  virtual QRect ModelRect() const;
  // A point of the widget in the control's client coordinates.
  TPoint ModelPoint(QPoint pos) const;
  TFormView& View() const { return FView; }
  double Scale() const;

 private:
  friend class TFormView;
  void SyncLook();

  TFormView& FView;
  TComponent* FComponent;
  TControl* FControl;
  QPointer<QWidget> FWidget;
  int FObserver = 0;
  bool FPressed = false;
  // What was last applied, so that an unchanged value costs nothing.
  QRect FGeometry;
  QFont FFont;
  QColor FBackground, FText;
  QString FToolTip;
  bool FFontSet = false, FLookSet = false;
  bool FDirty = false;
  // A windowed control's children and client size as last laid out.
  std::vector<TControl*> FChildren;
  QSize FClientSize;
};

class TFormView {
 public:
  // Builds the widgets of the form and its controls; the client widget has
  // the form's client size (scaled) and no parent.
  explicit TFormView(TCustomForm* form);
  ~TFormView();
  TFormView(const TFormView&) = delete;
  TFormView& operator=(const TFormView&) = delete;

  TCustomForm* Form() const { return FForm; }
  // Whether the form comes from the other classic designer's files (.lfm):
  // its check boxes and radio buttons size themselves to their captions
  // unless the file says otherwise, and its aligned controls keep their
  // BorderSpacing. Told by what such files hold (LCLVersion, BorderSpacing,
  // AnchorSide..., ChildSizing...), which the host keeps as read.
  bool LclForm() const { return FLclForm; }
  // Whether a control sizes itself to its caption (AutoSize, with the
  // default its designer gives it).
  bool AutoSizes(const TControl* control) const;
  // The form's client area; owned by the view until a window takes it.
  QWidget* Client() const { return FClient; }
  // The widget showing a control or placeholder, or nullptr.
  QWidget* WidgetOf(const TComponent* component) const;
  TControlView* ViewOf(const TComponent* component) const;
  double Scale() const { return FScale; }
  // The client size of the form as shown (scaled).
  QSize ClientSize() const;

  // Mirrors the model's focus: the focused control's widget gets Qt's focus.
  void SyncFocus();
  // Lays the children of a container out again (aligned and anchored
  // controls follow their parent's size).
  void SyncChildrenGeometry(TControl* parent);
  // The rectangle of a control in its parent, in form units: its own
  // bounds, or where its alignment puts it.
  QRect LayoutRect(TControl* control);
  // The same for a placeholder (its values as read) or a control.
  QRect PlacedRect(const TComponent* component);

  // Delivers input to the model: runs `action`, hands an error to
  // Application->HandleException as the classic message loop does, then
  // mirrors the focus and lets the service know (a modal run may close).
  void Deliver(const std::function<void()>& action);
  // Whether input is being delivered now (widgets must not go at once).
  static bool Delivering() { return DeliveryDepth > 0; }
  // While input is delivered, the controls it changes are only noted, and
  // each changed control's widget is brought up to date once when the
  // input is done (a language switch changes thousands of values of a few
  // hundred controls). Flush brings them up to date now: before a modal
  // run or a dialog shows, so that the forms under it show what is so.
  static void Flush();
  // Runs `action`, a change of the models from outside any form (a viewer
  // showing other values), with the changed controls only noted while it
  // runs and each one's widget brought up to date once afterwards. Unlike
  // Deliver, it is no input: the focus stays where it is.
  static void Batch(const std::function<void()>& action);

  // Called when a control or component it shows is destroyed.
  void ComponentGone(TComponent* component);
  // Called when a control's children changed.
  void ChildrenChanged(TControlView& view);
  // The client of the form a widget belongs to, for the event routing.
  static TFormView* ViewOfWidget(const QWidget* widget, TControlView** control = nullptr);

  // The menu of a menu item's sub-items, following the items: clicks go to
  // TMenuItem::Click. Used for the main menu, pop-up menus and a viewer's
  // own menus.
  static void FillMenu(QMenu* menu, TMenuItem* item, TFormView* view);
  // An action that follows a menu item (caption, checks, state, shortcut)
  // and clicks it when triggered.
  static void LinkAction(QAction* action, TMenuItem* item, TFormView* view);

 private:
  friend class TControlView;
  class TLink;
  static inline int DeliveryDepth = 0;
  static inline std::vector<TControlView*> Dirty;
  // Brings a view's widget and children up to date with its control.
  void Update(TControlView& view);
  void Build(TWinControl* parent, TControlView& parentView);
  void BuildPlaceholders(TComponent* parent, TControlView& parentView);
  TControlView& Add(std::unique_ptr<TControlView> view, TControlView* parent);
  void Remove(TControlView* view);
  std::unique_ptr<TControlView> MakeView(TComponent* component);
  void LayoutAligned(TComponent* parent);
  void SyncPlacedGeometry(TComponent* parent);
  // What shows inside a control or placeholder: its child controls, and
  // the placeholders and parentless controls read inside it.
  std::vector<TComponent*> PlacedIn(const TComponent* parent) const;
  // The control or placeholder a component shows in, or nullptr.
  TComponent* PlacingParent(const TComponent* component) const;
  // The client size of a control or placeholder, in form units.
  QSize ClientSizeOf(const TComponent* component) const;

  TCustomForm* FForm;
  bool FLclForm = false;
  double FScale = 1.0;
  QPointer<QWidget> FClient;
  std::unique_ptr<TLink> FLink;
  std::vector<std::unique_ptr<TControlView>> FViews;
  QHash<const TComponent*, TControlView*> FByComponent;
  // Where alignment put the aligned children of each container.
  QHash<const TComponent*, QRect> FAligned;
  // The client size each container had when its view was built: anchored
  // controls keep their distances to the edges they are anchored to.
  QHash<const TComponent*, QSize> FDesignSize;
};

}  // namespace Glossmith::inline QtFrontEnd

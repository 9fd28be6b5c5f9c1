#include "frontends/qt/FormView.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <algorithm>

#include "frontends/qt/Conversions.h"
#include "frontends/qt/QtUserInterface.h"

namespace Glossmith::inline QtFrontEnd {

namespace {

// Every widget a view shows, with its view: the event routing finds the
// control of a widget (or of a part of it, such as a list's viewport) here.
QHash<const QWidget*, TControlView*>& Widgets() {
  static QHash<const QWidget*, TControlView*> widgets;
  return widgets;
}

// Whether `widget` is a scroll bar, or inside one, below `top`: scrolling is
// the widget's own business and reaches no model.
bool InScrollBar(const QWidget* widget, const QWidget* top) {
  for (const QWidget* w = widget; w && w != top; w = w->parentWidget())
    if (qobject_cast<const QScrollBar*>(w)) return true;
  return false;
}

// Routes a person's input on the widgets of every form to the models.
class TInputFilter : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::InputMethod:
      case QEvent::Shortcut:
      case QEvent::ContextMenu:
      case QEvent::ToolTip:
        break;
      default:
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget) return false;
    TControlView* control = nullptr;
    TFormView* view = TFormView::ViewOfWidget(widget, &control);
    if (!view || !control) return false;
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
      case QEvent::MouseMove:
        return control->MouseEvent(widget, static_cast<QMouseEvent*>(event));
      case QEvent::KeyPress:
        Key(*view, static_cast<QKeyEvent*>(event));
        return true;
      case QEvent::InputMethod: {
        const QString text = static_cast<QInputMethodEvent*>(event)->commitString();
        if (!text.isEmpty()) view->Deliver([&] { view->Form()->TypeText(FromQt(text)); });
        return true;
      }
      case QEvent::Shortcut: {
        // A mnemonic of a caption (Alt and a letter): the form hears the
        // key as the window system delivers it; nothing clicks behind the
        // model's back.
        const QKeySequence keys = static_cast<QShortcutEvent*>(event)->key();
        if (!keys.isEmpty()) {
          const QKeyCombination combination = keys[0];
          const Windows::WORD vk = VirtualKey(combination.key());
          if (vk)
            view->Deliver(
                [&] { view->Form()->PressKey(vk, ShiftOf(combination.keyboardModifiers())); });
        }
        return true;
      }
      default:
        // The release is part of the press (PressKey fires OnKeyUp); the
        // context menu comes with the right button's release; hints come
        // from the models (HintShown).
        return true;
    }
  }

 private:
  static void Key(TFormView& view, QKeyEvent* event) {
    const TShiftState shift = ShiftOf(event->modifiers());
    const QString text = event->text();
    // A character a person typed goes in as typed, whatever the keyboard's
    // layout; keys that type nothing (or control characters) go as keys.
    const bool typed = !text.isEmpty() && text[0].unicode() >= 0x20 && text[0].unicode() != 0x7F &&
                       !shift.Contains(ssCtrl) && !shift.Contains(ssAlt);
    const Windows::WORD vk = VirtualKey(event->key());
    view.Deliver([&] {
      if (typed)
        view.Form()->TypeText(FromQt(text));
      else if (vk)
        view.Form()->PressKey(vk, shift);
    });
  }
};

// An integer a form file gave an object that its class does not declare,
// by a dotted path (BorderSpacing.Left); 0 when there is none.
Integer KeptInteger(const TObject* obj, std::string_view path) {
  for (;;) {
    const size_t dot = path.find('.');
    PPropInfo p = GetPropInfo(obj, path.substr(0, dot));
    if (!p) return 0;
    if (dot == std::string_view::npos)
      return p->Kind() == tkInteger && p->GetOrd ? static_cast<Integer>(p->GetOrd(obj)) : 0;
    if (p->Kind() != tkClass || !p->GetObj) return 0;
    obj = p->GetObj(obj);
    path.remove_prefix(dot + 1);
  }
}

// The room an aligned control of an .lfm file keeps around it.
QMargins BorderSpacingOf(const TObject* c) {
  if (!c->FindDynamicProperty("BorderSpacing")) return {};
  const Integer around = KeptInteger(c, "BorderSpacing.Around");
  return QMargins(around + KeptInteger(c, "BorderSpacing.Left"),
                  around + KeptInteger(c, "BorderSpacing.Top"),
                  around + KeptInteger(c, "BorderSpacing.Right"),
                  around + KeptInteger(c, "BorderSpacing.Bottom"));
}

bool IsLclForm(const TComponent* form) {
  auto marked = [](const TObject* obj) {
    for (const auto& p : obj->DynamicProperties()) {
      const String& n = p->Name;
      if (n == "LCLVersion" || n == "BorderSpacing" || n.starts_with("AnchorSide") ||
          n == "ChildSizing")
        return true;
    }
    return false;
  };
  if (marked(form)) return true;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (marked(form->Components(i))) return true;
  return false;
}

void InstallInputFilter() {
  static TInputFilter* filter = nullptr;
  if (filter) return;
  filter = new TInputFilter;
  filter->setParent(qApp);
  qApp->installEventFilter(filter);
}

}  // namespace

// ---------------------------------------------------------------------------
// The link: hears when a component the view shows is destroyed.

class TFormView::TLink : public TComponent {
 public:
  explicit TLink(TFormView& view) : TComponent(nullptr), FView(view) {}
  void Watch(TComponent* c) { FreeNotification(c); }
  void Stop() { FStopped = true; }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && !FStopped) FView.ComponentGone(AComponent);
  }

 private:
  TFormView& FView;
  bool FStopped = false;
};

// ---------------------------------------------------------------------------
// TControlView

TControlView::TControlView(TFormView& view, TComponent* component)
    : FView(view), FComponent(component), FControl(dynamic_cast<TControl*>(component)) {}

TControlView::~TControlView() {
  if (FWidget) Widgets().remove(FWidget);
}

double TControlView::Scale() const { return FView.Scale(); }

void TControlView::AddChild(TControlView& child) {
  child.Widget()->setParent(ChildHost());
  // Later controls show above earlier ones, as Qt stacks widgets; controls
  // without a window of their own (labels, bevels, images) are painted on
  // their parent's surface, under every windowed control.
  if (child.Control() && !child.Control()->Is<TWinControl>()) child.Widget()->lower();
}

void TControlView::Sync() {
  if (!FWidget) return;
  SyncOwn();
  SyncLook();
  if (!PlacedByParent()) SyncGeometry();
  if (FControl) {
    if (!PlacedByParent() && FWidget->isVisibleTo(FWidget->parentWidget()) != FControl->Visible())
      FWidget->setVisible(FControl->Visible());
    // The widget's own state; a disabled parent disables it as well.
    if (FWidget->testAttribute(Qt::WA_Disabled) == FControl->Enabled())
      FWidget->setEnabled(FControl->Enabled());
  }
}

void TControlView::SyncGeometry() {
  if (!FWidget || PlacedByParent()) return;
  const QRect r = ModelRect();
  const double s = Scale();
  const QRect shown(Scaled(r.x(), s), Scaled(r.y(), s), Scaled(r.width(), s),
                    Scaled(r.height(), s));
  if (shown != FGeometry) {
    FGeometry = shown;
    FWidget->setGeometry(shown);
  }
}

void TControlView::SyncLook() {
  if (!FControl) return;
  const QFont font = ToQFont(FControl->Font(), Scale());
  if (!FFontSet || font != FFont) {
    FFont = font;
    FFontSet = true;
    FWidget->setFont(font);
  }
  const QColor background = ToQColor(FControl->Color());
  const QColor text = ToQColor(FControl->Font()->Color());
  if (!FLookSet || background != FBackground || text != FText) {
    FBackground = background;
    FText = text;
    FLookSet = true;
    QPalette palette = FWidget->palette();
    if (background.isValid()) palette.setColor(BackgroundRole(), background);
    // A disabled control's text is the grey the style gives it, as the
    // classic controls draw theirs, whatever the font's colour.
    if (text.isValid())
      for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive})
        palette.setColor(group, TextRole(), text);
    FWidget->setPalette(palette);
    FWidget->setAutoFillBackground(FillsBackground() && background.isValid());
  }
  // The hint a mouse over the control shows; the models decide when.
  QString tip;
  if (FControl->ShowHint() && (!Application || Application->ShowHint()))
    tip = ToQt(GetShortHint(FControl->Hint()));
  if (tip != FToolTip) {
    FToolTip = tip;
    FWidget->setToolTip(tip);
  }
  const Qt::LayoutDirection direction =
      FControl->BiDiMode() == bdRightToLeft || FControl->BiDiMode() == bdRightToLeftNoAlign
          ? Qt::RightToLeft
          : Qt::LeftToRight;
  if (FWidget->layoutDirection() != direction) FWidget->setLayoutDirection(direction);
}

QRect TControlView::ModelRect() const { return FView.LayoutRect(FControl); }

TPoint TControlView::ModelPoint(QPoint pos) const {
  const double s = Scale();
  return TPoint{static_cast<Integer>(pos.x() / s), static_cast<Integer>(pos.y() / s)};
}

void TControlView::ClickAt(QWidget*, QPoint pos, TShiftState shift) {
  const TPoint p = ModelPoint(pos);
  FControl->MouseClick(shift, p.X, p.Y);
}

bool TControlView::MouseEvent(QWidget* receiver, QMouseEvent* event) {
  if (!FControl) return true;
  if (InScrollBar(receiver, FWidget)) return false;
  const QPoint pos = receiver == FWidget ? event->position().toPoint()
                                         : receiver->mapTo(FWidget, event->position().toPoint());
  const TPoint p = ModelPoint(pos);
  const TShiftState shift = ShiftOf(event->modifiers(), event->buttons());
  TControl* control = FControl;
  switch (event->type()) {
    case QEvent::MouseMove:
      FView.Deliver([&] {
        // A disabled control hears nothing of the mouse; its hint still shows.
        if (control->CanInteract())
          control->MouseMove(shift, p.X, p.Y);
        else if (Application)
          Application->HintMouseMessage(control, p);
      });
      return true;
    case QEvent::MouseButtonPress:
      if (!control->CanInteract()) return true;
      if (event->button() == Qt::LeftButton) {
        FPressed = true;
      } else {
        const TMouseButton button = MouseButtonOf(event->button());
        FView.Deliver([&] { control->MouseDown(button, shift, p.X, p.Y); });
      }
      return true;
    case QEvent::MouseButtonRelease: {
      if (!control->CanInteract()) return true;
      if (event->button() == Qt::LeftButton) {
        const bool wasPressed = FPressed;
        FPressed = false;
        if (wasPressed && FWidget->rect().contains(pos))
          FView.Deliver([&] { ClickAt(receiver, pos, shift); });
        return true;
      }
      const TMouseButton button = MouseButtonOf(event->button());
      const QPoint global = event->globalPosition().toPoint();
      QPointer<QWidget> alive(FWidget);
      FView.Deliver([&] { control->MouseUp(button, shift, p.X, p.Y); });
      if (!alive || button != mbRight) return true;
      TPopupMenu* popup = control->PopupMenu();
      if (popup && popup->AutoPopup()) {
        FView.Deliver([&] {
          popup->SetPopupComponent(control);
          popup->Popup(global.x(), global.y());
        });
        QMenu menu(FWidget);
        TFormView::FillMenu(&menu, popup->Items(), &FView);
        menu.exec(global);
      }
      return true;
    }
    case QEvent::MouseButtonDblClick:
      if (!control->CanInteract() || event->button() != Qt::LeftButton) return true;
      // The second click of a double click clicks again, then OnDblClick.
      FView.Deliver([&] {
        ClickAt(receiver, pos, shift);
        control->DblClick();
      });
      return true;
    default:
      return false;
  }
}

// ---------------------------------------------------------------------------
// TFormView

TFormView::TFormView(TCustomForm* form) : FForm(form), FLink(std::make_unique<TLink>(*this)) {
  InstallInputFilter();
  FLclForm = IsLclForm(form);
  FScale = FormScale(form);
  TControlView& root = Add(MakeView(form), nullptr);
  FClient = root.Widget();
  FClient->resize(ClientSize());
  Build(form, root);
  // Once every widget exists, references among them (a label's focus
  // control) can be followed.
  for (auto& view : FViews) view->Sync();
  SyncChildrenGeometry(form);
}

TFormView::~TFormView() {
  FLink->Stop();
  std::erase_if(Dirty, [this](TControlView* v) { return &v->FView == this; });
  for (auto& view : FViews)
    if (view->FControl && view->FObserver) view->FControl->RemoveObserver(view->FObserver);
  QWidget* client = FClient;
  FViews.clear();
  delete client;
}

bool TFormView::AutoSizes(const TControl* control) const {
  if (PPropInfo p = GetPropInfo(control, "AutoSize"); p && p->GetOrd) return p->GetOrd(control) != 0;
  return FLclForm;
}

QSize TFormView::ClientSize() const {
  return QSize(Scaled(FForm->ClientWidth(), FScale), Scaled(FForm->ClientHeight(), FScale));
}

QWidget* TFormView::WidgetOf(const TComponent* component) const {
  TControlView* view = ViewOf(component);
  return view ? view->Widget() : nullptr;
}

TControlView* TFormView::ViewOf(const TComponent* component) const {
  return FByComponent.value(component, nullptr);
}

TControlView& TFormView::Add(std::unique_ptr<TControlView> view, TControlView* parent) {
  TControlView& v = *view;
  v.FWidget = v.CreateWidget();
  v.FWidget->setObjectName(ToQt(v.FComponent->Name()));
  v.FWidget->setMouseTracking(true);
  v.FWidget->setFocusPolicy(Qt::NoFocus);
  v.FWidget->setAcceptDrops(false);
  for (QWidget* part : v.FWidget->findChildren<QWidget*>()) {
    part->setMouseTracking(true);
    part->setFocusPolicy(Qt::NoFocus);
  }
  Widgets().insert(v.FWidget, &v);
  FByComponent.insert(v.FComponent, &v);
  FLink->Watch(v.FComponent);
  if (v.FControl) {
    TControlView* self = &v;
    v.FObserver = v.FControl->AddObserver([this, self](TControl*) {
      if (!Delivering()) {
        Update(*self);
      } else if (!self->FDirty) {
        self->FDirty = true;
        Dirty.push_back(self);
      }
    });
  }
  if (parent) parent->AddChild(v);
  FViews.push_back(std::move(view));
  return v;
}

void TFormView::Build(TWinControl* parent, TControlView& parentView) {
  FDesignSize.insert(parent, QSize(parent->ClientWidth(), parent->ClientHeight()));
  parentView.FClientSize = QSize(parent->ClientWidth(), parent->ClientHeight());
  parentView.FChildren.clear();
  for (int i = 0; i < parent->ControlCount(); ++i)
    parentView.FChildren.push_back(parent->Controls(i));
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* child = parent->Controls(i);
    if (FByComponent.contains(child)) continue;
    std::unique_ptr<TControlView> made = MakeView(child);
    if (!made) continue;
    TControlView& view = Add(std::move(made), &parentView);
    if (auto* w = dynamic_cast<TWinControl*>(child)) Build(w, view);
    view.Sync();
  }
  BuildPlaceholders(parent, parentView);
}

void TFormView::BuildPlaceholders(TComponent* parent, TControlView& parentView) {
  // Components of classes the host does not know sit in the control they
  // were read inside (their stream parent); so do controls read inside them.
  for (int i = 0; i < FForm->ComponentCount(); ++i) {
    TComponent* c = FForm->Components(i);
    if (c->StreamParent() != parent || FByComponent.contains(c)) continue;
    auto* control = dynamic_cast<TControl*>(c);
    if (control && control->Parent()) continue;
    std::unique_ptr<TControlView> made = MakeView(c);
    if (!made) continue;
    TControlView& view = Add(std::move(made), &parentView);
    if (auto* w = dynamic_cast<TWinControl*>(c))
      Build(w, view);
    else
      BuildPlaceholders(c, view);
    view.Sync();
  }
}

void TFormView::Update(TControlView& view) {
  if (!view.FWidget || !view.FControl) return;
  view.Sync();
  if (view.FControl->Is<TWinControl>()) ChildrenChanged(view);
}

void TFormView::Flush() {
  // Updating a view may note others (a control made at run time).
  while (!Dirty.empty()) {
    std::vector<TControlView*> views;
    views.swap(Dirty);
    for (TControlView* v : views) v->FDirty = false;
    for (TControlView* v : views) v->FView.Update(*v);
  }
}

void TFormView::Batch(const std::function<void()>& action) {
  {
    ++DeliveryDepth;
    struct TDepth {
      ~TDepth() { --DeliveryDepth; }
    } depth;
    action();
  }
  Flush();
}

void TFormView::ChildrenChanged(TControlView& view) {
  auto* win = dynamic_cast<TWinControl*>(view.FControl);
  if (!win) return;
  // Most changes are of the control's own state: its children and client
  // size stay, and nothing below it moves.
  std::vector<TControl*> children;
  children.reserve(static_cast<size_t>(win->ControlCount()));
  for (int i = 0; i < win->ControlCount(); ++i) children.push_back(win->Controls(i));
  const QSize client(win->ClientWidth(), win->ClientHeight());
  if (children == view.FChildren && client == view.FClientSize) return;
  const bool sameChildren = children == view.FChildren;
  view.FChildren = std::move(children);
  view.FClientSize = client;
  if (!sameChildren) {
    for (TControl* child : view.FChildren) {
      if (TControlView* known = ViewOf(child)) {
        // A child moved here from another parent: its widget follows.
        if (known->FWidget && !known->PlacedByParent() &&
            known->FWidget->parentWidget() != view.ChildHost()) {
          view.AddChild(*known);
          known->FWidget->show();
          known->Sync();
        }
        continue;
      }
      std::unique_ptr<TControlView> made = MakeView(child);
      if (!made) continue;
      TControlView& added = Add(std::move(made), &view);
      if (auto* w = dynamic_cast<TWinControl*>(child)) Build(w, added);
      added.Sync();
    }
  }
  SyncChildrenGeometry(win);
}

void TFormView::ComponentGone(TComponent* component) {
  if (component == FForm) {
    // The form goes: its widgets stay as they are until the view goes, but
    // nothing of them refers to the models any more. The form's own members
    // are gone by now; the controls still here (those it destroys later,
    // outside its own tree) are not.
    for (auto& view : FViews) {
      if (view->FControl && view->FControl != component && view->FObserver)
        view->FControl->RemoveObserver(view->FObserver);
      view->FObserver = 0;
      view->FControl = nullptr;
    }
    FByComponent.clear();
    FForm = nullptr;
    return;
  }
  TControlView* view = FByComponent.value(component, nullptr);
  if (!view) return;
  // The control's own members are gone by now: its observer is not removed.
  view->FObserver = 0;
  Remove(view);
}

void TFormView::Remove(TControlView* view) {
  FByComponent.remove(view->FComponent);
  QWidget* widget = view->FWidget;
  // Views of widgets inside this one go with it.
  std::vector<TControlView*> inside;
  for (auto& v : FViews)
    if (v.get() != view && v->FWidget && widget && widget->isAncestorOf(v->FWidget))
      inside.push_back(v.get());
  for (TControlView* v : inside) {
    FByComponent.remove(v->FComponent);
    if (v->FControl && v->FObserver) v->FControl->RemoveObserver(v->FObserver);
  }
  inside.push_back(view);
  std::erase_if(Dirty, [&](TControlView* v) {
    return std::find(inside.begin(), inside.end(), v) != inside.end();
  });
  std::erase_if(FViews, [&](const std::unique_ptr<TControlView>& v) {
    return std::find(inside.begin(), inside.end(), v.get()) != inside.end();
  });
  if (widget) {
    widget->hide();
    widget->deleteLater();
  }
}

TFormView* TFormView::ViewOfWidget(const QWidget* widget, TControlView** control) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    if (TControlView* v = Widgets().value(w, nullptr)) {
      if (control) *control = v;
      return v->FView.FForm ? &v->FView : nullptr;
    }
    // A pop-up of a widget (a combo box's list) is a window of its own.
    if (w->isWindow()) return nullptr;
  }
  return nullptr;
}

namespace {

// Where a component sits and how it aligns, for controls and for the
// placeholders of classes the host does not know (their values as read).
Integer OrdValue(const TComponent* c, const char* name, Integer def) {
  PPropInfo p = GetPropInfo(c, name);
  return p && p->GetOrd ? static_cast<Integer>(GetOrdProp(c, p)) : def;
}

TAlign AlignOf(const TComponent* c) {
  if (auto* control = dynamic_cast<const TControl*>(c)) return control->Align();
  PPropInfo p = GetPropInfo(c, "Align");
  if (!p || !p->GetOrd) return alNone;
  const int value =
      GetEnumValue(TypeInfoOf<TAlign>(), GetEnumName(p->PropType, static_cast<int>(GetOrdProp(c, p))));
  return value < 0 ? alNone : static_cast<TAlign>(value);
}

bool VisibleOf(const TComponent* c) {
  if (auto* control = dynamic_cast<const TControl*>(c)) return control->Visible();
  return OrdValue(c, "Visible", 1) != 0;
}

QRect BoundsOf(const TComponent* c) {
  if (auto* control = dynamic_cast<const TControl*>(c))
    return QRect(control->Left(), control->Top(), control->Width(), control->Height());
  return QRect(OrdValue(c, "Left", 0), OrdValue(c, "Top", 0), OrdValue(c, "Width", 0),
               OrdValue(c, "Height", 0));
}

}  // namespace

QSize TFormView::ClientSizeOf(const TComponent* c) const {
  if (auto* control = dynamic_cast<const TControl*>(c))
    return QSize(control->ClientWidth(), control->ClientHeight());
  // A placeholder without a size of its own (a page) fills its parent.
  if (!GetPropInfo(c, "Width")) {
    const TComponent* parent = PlacingParent(c);
    return parent ? ClientSizeOf(parent) : QSize();
  }
  return BoundsOf(c).size();
}

std::vector<TComponent*> TFormView::PlacedIn(const TComponent* parent) const {
  // A windowed control's children, then what was read inside it and shows
  // as a placeholder; a placeholder holds what was read inside it.
  std::vector<TComponent*> placed;
  if (auto* win = dynamic_cast<const TWinControl*>(parent))
    for (int i = 0; i < win->ControlCount(); ++i) placed.push_back(win->Controls(i));
  if (!FForm) return placed;
  for (int i = 0; i < FForm->ComponentCount(); ++i) {
    TComponent* c = FForm->Components(i);
    if (c->StreamParent() != parent) continue;
    auto* control = dynamic_cast<TControl*>(c);
    if (control ? control->Parent() != nullptr : !FByComponent.contains(c)) continue;
    placed.push_back(c);
  }
  return placed;
}

TComponent* TFormView::PlacingParent(const TComponent* component) const {
  if (auto* control = dynamic_cast<const TControl*>(component); control && control->Parent())
    return control->Parent();
  TComponent* parent = component->StreamParent();
  return parent && FByComponent.contains(parent) ? parent : nullptr;
}

QRect TFormView::LayoutRect(TControl* control) { return PlacedRect(control); }

QRect TFormView::PlacedRect(const TComponent* component) {
  QRect r = BoundsOf(component);
  TComponent* parent = PlacingParent(component);
  if (!parent) return r;
  const TAlign align = AlignOf(component);
  if (align != alNone && align != alCustom) {
    if (!FAligned.contains(component)) LayoutAligned(parent);
    return FAligned.value(component, r);
  }
  auto* control = dynamic_cast<const TControl*>(component);
  if (!control) return r;
  const QSize client = ClientSizeOf(parent);
  const QSize design = FDesignSize.value(parent, client);
  const int dx = client.width() - design.width();
  const int dy = client.height() - design.height();
  const TAnchors anchors = control->Anchors();
  if (dx) {
    if (anchors.Contains(akRight) && anchors.Contains(akLeft))
      r.setWidth(r.width() + dx);
    else if (anchors.Contains(akRight))
      r.moveLeft(r.left() + dx);
    else if (!anchors.Contains(akLeft))
      r.moveLeft(r.left() + dx / 2);
  }
  if (dy) {
    if (anchors.Contains(akBottom) && anchors.Contains(akTop))
      r.setHeight(r.height() + dy);
    else if (anchors.Contains(akBottom))
      r.moveTop(r.top() + dy);
    else if (!anchors.Contains(akTop))
      r.moveTop(r.top() + dy / 2);
  }
  return r;
}

void TFormView::LayoutAligned(TComponent* parent) {
  // As the classic library aligns: top, bottom, left and right in turn,
  // each kind in order of position, then the client control in what
  // remains. Placeholders take their place like any control.
  const QSize client = ClientSizeOf(parent);
  QRect rest(0, 0, client.width(), client.height());
  struct TItem {
    TComponent* C;
    QRect Bounds;
  };
  std::vector<TItem> kinds[alCustom];
  for (TComponent* c : PlacedIn(parent)) {
    const TAlign align = AlignOf(c);
    if (VisibleOf(c) && align != alNone && align != alCustom) kinds[align].push_back({c, BoundsOf(c)});
  }
  auto order = [](std::vector<TItem>& list, auto key) {
    std::stable_sort(list.begin(), list.end(),
                     [&](const TItem& a, const TItem& b) { return key(a.Bounds) < key(b.Bounds); });
  };
  order(kinds[alTop], [](const QRect& b) { return b.top(); });
  order(kinds[alBottom], [](const QRect& b) { return -(b.top() + b.height()); });
  order(kinds[alLeft], [](const QRect& b) { return b.left(); });
  order(kinds[alRight], [](const QRect& b) { return -(b.left() + b.width()); });
  // A control of an .lfm file keeps its BorderSpacing around it: the room
  // it takes is its rectangle and that spacing.
  auto place = [this](const TItem& c, const QRect& room) {
    FAligned.insert(c.C, room - BorderSpacingOf(c.C));
  };
  auto outer = [](const TItem& c, bool vertical) {
    const QMargins m = BorderSpacingOf(c.C);
    return vertical ? c.Bounds.height() + m.top() + m.bottom()
                    : c.Bounds.width() + m.left() + m.right();
  };
  for (const TItem& c : kinds[alTop]) {
    place(c, QRect(rest.left(), rest.top(), rest.width(), outer(c, true)));
    rest.setTop(rest.top() + outer(c, true));
  }
  for (const TItem& c : kinds[alBottom]) {
    place(c, QRect(rest.left(), rest.bottom() + 1 - outer(c, true), rest.width(), outer(c, true)));
    rest.setBottom(rest.bottom() - outer(c, true));
  }
  for (const TItem& c : kinds[alLeft]) {
    place(c, QRect(rest.left(), rest.top(), outer(c, false), rest.height()));
    rest.setLeft(rest.left() + outer(c, false));
  }
  for (const TItem& c : kinds[alRight]) {
    place(c, QRect(rest.right() + 1 - outer(c, false), rest.top(), outer(c, false), rest.height()));
    rest.setRight(rest.right() - outer(c, false));
  }
  for (const TItem& c : kinds[alClient]) place(c, rest);
}

void TFormView::SyncChildrenGeometry(TControl* parentControl) { SyncPlacedGeometry(parentControl); }

void TFormView::SyncPlacedGeometry(TComponent* parent) {
  const std::vector<TComponent*> placed = PlacedIn(parent);
  for (TComponent* c : placed) FAligned.remove(c);
  LayoutAligned(parent);
  for (TComponent* child : placed) {
    if (TControlView* v = ViewOf(child)) {
      v->SyncGeometry();
      if (child->Is<TWinControl>() || !v->Control()) SyncPlacedGeometry(child);
    }
  }
}

void TFormView::SyncFocus() {
  if (!FForm || !FClient) return;
  TWinControl* focused = FForm->FocusedControl();
  QWidget* target = nullptr;
  if (TControlView* v = focused ? ViewOf(focused) : nullptr) target = v->FocusWidget();
  if (!target) target = FClient;
  if (target->window()->isVisible() && QApplication::focusWidget() != target)
    target->setFocus(Qt::OtherFocusReason);
  // The focused control shows its focus, as the classic controls always
  // do: the style draws it only after a focus change by the keyboard, and
  // a focus change of another kind forgets that.
  if (!target->window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
    target->window()->setAttribute(Qt::WA_KeyboardFocusChange);
    target->update();
  }
}

void TFormView::Deliver(const std::function<void()>& action) {
  // The view may go while the action runs (a handler frees the form).
  QPointer<QWidget> client(FClient);
  {
    ++DeliveryDepth;
    struct TDepth {
      ~TDepth() { --DeliveryDepth; }
    } depth;
    try {
      action();
    } catch (const Exception& e) {
      if (Application) Application->HandleException(e);
    } catch (const std::exception& e) {
      if (Application) Application->HandleException(Exception(e.what()));
    }
  }
  Flush();
  if (client) SyncFocus();
  if (auto* qt = dynamic_cast<TQtUserInterface*>(&UserInterface())) qt->InputDelivered();
}

// ---------------------------------------------------------------------------
// Menus

namespace {

// One action per menu item, following the item through its observer.
class TMenuLink : public QObject {
 public:
  TMenuLink(QAction* action, TMenuItem* item, TFormView* view)
      : QObject(action), FAction(action), FItem(item), FView(view) {
    FObserver = item->AddObserver([this](TMenuItem*) { Sync(); });
    FGuard = std::make_unique<TGuard>(*this);
    Sync();
    QObject::connect(action, &QAction::triggered, action, [this] {
      if (!FItem) return;
      TMenuItem* item = FItem;
      auto click = [item] { item->Click(); };
      if (FView && FView->Form())
        FView->Deliver(click);
      else
        try {
          click();
        } catch (const Exception& e) {
          if (Application) Application->HandleException(e);
        }
    });
  }
  ~TMenuLink() override {
    if (FItem) FItem->RemoveObserver(FObserver);
  }

  void Sync() {
    if (!FItem) return;
    FAction->setText(CaptionText(FItem->Caption(), true));
    FAction->setVisible(FItem->Visible());
    FAction->setEnabled(FItem->Enabled());
    FAction->setCheckable(FItem->Checked() || FItem->RadioItem());
    FAction->setChecked(FItem->Checked());
    FAction->setStatusTip(ToQt(GetLongHint(FItem->Hint())));
    const String shortcut = ShortCutToText(FItem->ShortCut());
    FAction->setShortcut(QKeySequence(ToQt(shortcut), QKeySequence::PortableText));
  }

 private:
  // Hears when the item is destroyed before the menu.
  class TGuard : public TComponent {
   public:
    explicit TGuard(TMenuLink& link) : TComponent(nullptr), FLink(link) {
      FreeNotification(link.FItem);
    }

   protected:
    void Notification(TComponent* AComponent, TOperation Operation) override {
      TComponent::Notification(AComponent, Operation);
      if (Operation == opRemove && AComponent == FLink.FItem) FLink.FItem = nullptr;
    }

   private:
    TMenuLink& FLink;
  };

  QAction* FAction;
  TMenuItem* FItem;
  TFormView* FView;
  int FObserver = 0;
  std::unique_ptr<TGuard> FGuard;
};

}  // namespace

void TFormView::LinkAction(QAction* action, TMenuItem* item, TFormView* view) {
  new TMenuLink(action, item, view);
}

void TFormView::FillMenu(QMenu* menu, TMenuItem* item, TFormView* view) {
  for (int i = 0; i < item->Count(); ++i) {
    TMenuItem* sub = item->Items(i);
    if (sub->IsLine()) {
      QAction* separator = menu->addSeparator();
      separator->setVisible(sub->Visible());
      continue;
    }
    QAction* action;
    if (sub->Count() > 0) {
      QMenu* submenu = menu->addMenu(CaptionText(sub->Caption(), true));
      submenu->setObjectName(ToQt(sub->Name()));
      FillMenu(submenu, sub, view);
      action = submenu->menuAction();
    } else {
      action = menu->addAction(QString());
    }
    action->setObjectName(ToQt(sub->Name()));
    new TMenuLink(action, sub, view);
  }
}

}  // namespace Glossmith::inline QtFrontEnd

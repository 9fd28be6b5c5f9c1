// The widget of each kind of control, and what each does with a person's
// clicks: parts of a control (a list's item, a notebook's tab, a radio
// group's button) are clicked through the model's call for that part.
#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <functional>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QHBoxLayout>
#include <QPixmap>
#include <QPointer>
#include <QStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTableWidget>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "frontends/qt/Conversions.h"
#include "frontends/qt/FormView.h"
#include "frontends/qt/QtFrontEnd.h"
#include "host/classes/Generic.h"
#include "host/controls/Buttons.h"
#include "host/controls/ComCtrls.h"
#include "host/controls/Edits.h"
#include "host/controls/MoreCtrls.h"
#include "host/controls/TabNotBk.h"

namespace Glossmith::inline QtFrontEnd {

namespace {

// Sets a widget's text only when it differs, so that a model notification
// that changed something else does not make Qt lay the text out again.
template <class Widget>
void SetTextOf(Widget* widget, const QString& text) {
  if (widget->text() != text) widget->setText(text);
}

// The classic alignment of a text in Qt's terms. Under a right-to-left
// mode the widget's layout is mirrored and Qt's leading and trailing
// alignments follow it, as the classic controls flip theirs; a mode that
// keeps the alignment (NoAlign, ReadingOnly) makes it absolute.
Qt::Alignment HorizontalAlignment(TAlignment alignment, TBiDiMode mode) {
  Qt::Alignment a = alignment == taRightJustify ? Qt::AlignRight
                    : alignment == taCenter     ? Qt::AlignHCenter
                                                : Qt::AlignLeft;
  if (mode == bdRightToLeftNoAlign || mode == bdRightToLeftReadingOnly) a |= Qt::AlignAbsolute;
  return a;
}

Qt::LayoutDirection ReadingOrder(TBiDiMode mode) {
  return mode == bdLeftToRight ? Qt::LeftToRight : Qt::RightToLeft;
}

QStringList LinesOf(const TStrings* strings) {
  QStringList lines;
  lines.reserve(strings->Count());
  for (int i = 0; i < strings->Count(); ++i) lines << ToQt(strings->Strings(i));
  return lines;
}

// A memo's text shows with "\n" between lines; positions in it count a
// line break as one character.
QString MemoText(const String& text) {
  QString shown = ToQt(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return shown;
}
int MemoPosition(const String& text, Integer offset) {
  const auto end = std::min(text.size(), static_cast<size_t>(std::max<Integer>(offset, 0)));
  int crlf = 0;
  for (size_t i = 0; i + 1 < end; ++i)
    if (text[i] == '\r' && text[i + 1] == '\n') ++crlf;
  return static_cast<int>(QtPosition(text, static_cast<Integer>(end))) - crlf;
}

// A caption with its accelerators underlined, as rich text, or an empty
// text when it has none ("&&" is an ampersand). For a label without a focus
// control: Qt underlines a mnemonic only where it has a widget to go to.
QString UnderlinedCaption(const String& caption, bool wrap) {
  const QString text = ToQt(caption);
  QString html;
  bool any = false;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('&') && i + 1 < text.size()) {
      ++i;
      if (text[i] != QLatin1Char('&')) {
        html += QStringLiteral("<u>") + QString(text[i]).toHtmlEscaped() + QStringLiteral("</u>");
        any = true;
        continue;
      }
    }
    html += QString(text[i]).toHtmlEscaped();
  }
  if (!any) return QString();
  return (wrap ? QStringLiteral("<span style=\"white-space:pre-wrap\">")
               : QStringLiteral("<span style=\"white-space:pre\">")) +
         html + QStringLiteral("</span>");
}

// ---------------------------------------------------------------------------

class TFormClientView : public TControlView {
 public:
  using TControlView::TControlView;
  bool PlacedByParent() const override { return true; }

 protected:
  QWidget* CreateWidget() override { return new QWidget; }
  bool FillsBackground() const override { return true; }
};

class TButtonView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QPushButton; }
  void SyncOwn() override {
    auto* w = static_cast<QPushButton*>(Widget());
    auto* b = static_cast<TButton*>(Control());
    SetTextOf(w, CaptionText(b->Caption(), true));
    w->setDefault(b->Default());
  }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Button; }
  QPalette::ColorRole TextRole() const override { return QPalette::ButtonText; }
};

// A check box or radio button that sizes itself (those of .lfm files, unless
// the file says AutoSize = False) is as wide as its box and caption in the
// font shown, which need not be the designer's font.
QRect AutoSizedRect(QRect r, const TControlView& view, const TFormView& form, double scale) {
  const QWidget* w = view.Widget();
  if (!w || !form.AutoSizes(view.Control())) return r;
  const int needed = static_cast<int>(w->sizeHint().width() / scale + 0.5);
  if (needed > r.width()) r.setWidth(needed);
  return r;
}

class TCheckBoxView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QRect ModelRect() const override {
    return AutoSizedRect(TControlView::ModelRect(), *this, View(), Scale());
  }
  QWidget* CreateWidget() override { return new QCheckBox; }
  void SyncOwn() override {
    auto* w = static_cast<QCheckBox*>(Widget());
    auto* c = static_cast<TCheckBox*>(Control());
    SetTextOf(w, CaptionText(c->Caption(), true));
    w->setTristate(c->AllowGrayed() || c->State() == cbGrayed);
    const Qt::CheckState state = c->State() == cbChecked  ? Qt::Checked
                                 : c->State() == cbGrayed ? Qt::PartiallyChecked
                                                          : Qt::Unchecked;
    if (w->checkState() != state) w->setCheckState(state);
  }
};

class TRadioButtonView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QRect ModelRect() const override {
    return AutoSizedRect(TControlView::ModelRect(), *this, View(), Scale());
  }
  QWidget* CreateWidget() override {
    auto* w = new QRadioButton;
    // The model unchecks the other buttons of the parent.
    w->setAutoExclusive(false);
    return w;
  }
  void SyncOwn() override {
    auto* w = static_cast<QRadioButton*>(Widget());
    auto* r = static_cast<TRadioButton*>(Control());
    SetTextOf(w, CaptionText(r->Caption(), true));
    if (w->isChecked() != r->Checked()) w->setChecked(r->Checked());
  }
};

class TGroupBoxView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QGroupBox; }
  void SyncOwn() override {
    auto* w = static_cast<QGroupBox*>(Widget());
    const QString text = CaptionText(Control()->Caption(), true);
    if (w->title() != text) w->setTitle(text);
  }
};

// A radio group's buttons are the group's items: the model has no control
// for each, so the widget makes them and a click on one clicks the item.
class TRadioGroupView : public TGroupBoxView {
 public:
  using TGroupBoxView::TGroupBoxView;
  QWidget* FocusWidget() const override {
    auto* g = static_cast<TCustomRadioGroup*>(Control());
    const int i = g->ItemIndex();
    return i >= 0 && i < FButtons.size() ? FButtons[i] : Widget();
  }

 protected:
  void SyncOwn() override {
    TGroupBoxView::SyncOwn();
    auto* g = static_cast<TCustomRadioGroup*>(Control());
    const QStringList items = LinesOf(g->Items());
    if (items.size() == FItems.size() && g->Columns() == FColumns &&
        QSize(g->Width(), g->Height()) == FSize) {
      // New texts (a translation): the buttons stay.
      for (qsizetype i = 0; i < items.size(); ++i)
        if (items[i] != FItems[i]) FButtons[i]->setText(CaptionText(FromQt(items[i]), true));
      FItems = items;
    } else {
      FItems = items;
      FColumns = g->Columns();
      FSize = QSize(g->Width(), g->Height());
      Rebuild();
    }
    for (int i = 0; i < FButtons.size(); ++i) FButtons[i]->setChecked(i == g->ItemIndex());
  }
  void ClickAt(QWidget* receiver, QPoint pos, TShiftState shift) override {
    for (int i = 0; i < FButtons.size(); ++i)
      if (receiver == FButtons[i]) {
        static_cast<TCustomRadioGroup*>(Control())->ClickItem(i);
        return;
      }
    TGroupBoxView::ClickAt(receiver, pos, shift);
  }

 private:
  // The items fill the group below its caption in columns, as the classic
  // group arranges its buttons.
  void Rebuild() {
    qDeleteAll(FButtons);
    FButtons.clear();
    const int n = static_cast<int>(FItems.size());
    if (n == 0) return;
    const int columns = std::max(1, FColumns);
    const int rows = (n + columns - 1) / columns;
    const double s = Scale();
    const int top = Scaled(16, s);
    const int left = Scaled(8, s);
    const int width = Scaled(FSize.width(), s);
    const int height = Scaled(FSize.height(), s);
    const int columnWidth = (width - left) / columns;
    const int rowHeight = std::max(1, (height - top - Scaled(4, s)) / rows);
    for (int i = 0; i < n; ++i) {
      auto* b = new QRadioButton(CaptionText(FromQt(FItems[i]), true), Widget());
      b->setAutoExclusive(false);
      b->setFocusPolicy(Qt::NoFocus);
      b->setMouseTracking(true);
      const int column = i / rows, row = i % rows;
      const int buttonHeight = std::min(rowHeight, Scaled(20, s));
      b->setGeometry(left + column * columnWidth,
                     top + row * rowHeight + (rowHeight - buttonHeight) / 2, columnWidth - 2,
                     buttonHeight);
      b->show();
      FButtons << b;
    }
  }

  QStringList FItems;
  int FColumns = 0;
  QSize FSize;
  QList<QRadioButton*> FButtons;
};

class TLabelView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QLabel; }
  // A label that sizes itself is as wide as its text in the font shown,
  // which need not be the designer's font.
  QRect ModelRect() const override {
    QRect r = TControlView::ModelRect();
    auto* l = static_cast<TLabel*>(Control());
    if (!l->AutoSize() || l->WordWrap() || !Widget()) return r;
    const auto* w = static_cast<const QLabel*>(Widget());
    const int text = QFontMetrics(w->font()).horizontalAdvance(StripAccelerator(l->Caption()));
    const int needed = static_cast<int>(text / Scale() + 1.5);
    if (needed <= r.width()) return r;
    if (l->Alignment() == taRightJustify)
      r.setLeft(r.right() + 1 - needed);
    else
      r.setWidth(needed);
    return r;
  }
  bool FillsBackground() const override { return !static_cast<TLabel*>(Control())->Transparent(); }
  void SyncOwn() override {
    auto* w = static_cast<QLabel*>(Widget());
    auto* l = static_cast<TLabel*>(Control());
    // The accelerator of a label moves the focus to its focus control;
    // without one it is only underlined.
    QWidget* buddy = l->FocusControl() ? View().WidgetOf(l->FocusControl()) : nullptr;
    if (w->buddy() != buddy) w->setBuddy(buddy);
    QString text;
    Qt::TextFormat format = Qt::PlainText;
    if (l->ShowAccelChar() && buddy) {
      text = CaptionText(l->Caption(), true);
    } else if (l->ShowAccelChar()) {
      // Without a control to go to the accelerator is still underlined.
      text = UnderlinedCaption(l->Caption(), l->WordWrap());
      if (text.isEmpty())
        text = StripAccelerator(l->Caption());
      else
        format = Qt::RichText;
    } else {
      text = buddy ? CaptionText(l->Caption(), false) : ToQt(l->Caption());
    }
    // A caption's line breaks are the form file's CR LF.
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (w->textFormat() != format) w->setTextFormat(format);
    if (w->text() != text) {
      w->setText(text);
      SyncGeometry();
    }
    w->setWordWrap(l->WordWrap());
    const Qt::Alignment vertical = l->Layout() == tlCenter   ? Qt::AlignVCenter
                                   : l->Layout() == tlBottom ? Qt::AlignBottom
                                                             : Qt::AlignTop;
    w->setAlignment(HorizontalAlignment(l->Alignment(), l->BiDiMode()) | vertical);
  }
};

class TEditView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QLineEdit; }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
  QPalette::ColorRole TextRole() const override { return QPalette::Text; }
  void SyncOwn() override {
    auto* w = static_cast<QLineEdit*>(Widget());
    auto* e = static_cast<TCustomEdit*>(Control());
    SetTextOf(w, ToQt(e->Text()));
    w->setEchoMode(e->PasswordChar() ? QLineEdit::Password : QLineEdit::Normal);
    w->setFrame(e->BorderStyle() != bsNone);
    w->setAlignment(HorizontalAlignment(e->Alignment(), e->BiDiMode()) | Qt::AlignVCenter);
    // The caret and the selection are the model's (byte offsets).
    const int start = static_cast<int>(QtPosition(e->Text(), e->SelStart()));
    const int end = static_cast<int>(QtPosition(e->Text(), e->SelStart() + e->SelLength()));
    if (end > start)
      w->setSelection(start, end - start);
    else if (w->hasSelectedText() || w->cursorPosition() != start)
      w->setCursorPosition(start);
  }
  void ClickAt(QWidget* receiver, QPoint pos, TShiftState shift) override {
    TControlView::ClickAt(receiver, pos, shift);
    // The caret goes where the person clicked.
    auto* w = static_cast<QLineEdit*>(Widget());
    auto* e = static_cast<TCustomEdit*>(Control());
    if (e->Focused()) e->SetSelStart(ByteOffset(e->Text(), w->cursorPositionAt(pos)));
  }
};

class TMemoView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QTextEdit;
    w->setAcceptRichText(false);
    w->viewport()->setMouseTracking(true);
    return w;
  }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
  QPalette::ColorRole TextRole() const override { return QPalette::Text; }
  void SyncOwn() override {
    auto* w = static_cast<QTextEdit*>(Widget());
    auto* m = static_cast<TMemo*>(Control());
    const QString text = MemoText(m->Text());
    if (text != FText) {
      FText = text;
      w->setPlainText(text);
    }
    w->setLineWrapMode(m->WordWrap() ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    const TScrollStyle bars = m->ScrollBars();
    w->setVerticalScrollBarPolicy(bars == ssVertical || bars == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                       : Qt::ScrollBarAsNeeded);
    w->setHorizontalScrollBarPolicy(bars == ssHorizontal || bars == ssBoth ? Qt::ScrollBarAlwaysOn
                                                                           : Qt::ScrollBarAsNeeded);
    // The alignment and the reading order come from the model's
    // Alignment and BiDiMode; Qt's text layout does the bidirectional
    // rest (the order of mixed runs, the caret in them).
    QTextOption option = w->document()->defaultTextOption();
    const Qt::Alignment alignment = HorizontalAlignment(m->Alignment(), m->BiDiMode());
    const Qt::LayoutDirection order = ReadingOrder(m->BiDiMode());
    if (option.alignment() != alignment || option.textDirection() != order) {
      option.setAlignment(alignment);
      option.setTextDirection(order);
      w->document()->setDefaultTextOption(option);
      for (QTextBlock b = w->document()->begin(); b.isValid(); b = b.next()) {
        QTextCursor c(b);
        QTextBlockFormat f = b.blockFormat();
        f.setAlignment(alignment);
        f.setLayoutDirection(order);
        c.setBlockFormat(f);
      }
    }
    const int start = MemoPosition(m->Text(), m->SelStart());
    const int end = MemoPosition(m->Text(), m->SelStart() + m->SelLength());
    QTextCursor cursor = w->textCursor();
    if (cursor.anchor() != start || cursor.position() != end) {
      cursor.setPosition(start);
      cursor.setPosition(end, QTextCursor::KeepAnchor);
      w->setTextCursor(cursor);
    }
    SyncAdvice();
  }

 public:
  ~TMemoView() override { delete FAdvice; }

 private:
  // The advisor's message under the memo: an icon and the text, in the
  // memo's parent just below it.
  void SyncAdvice() {
    const TEditAdvisor& advisor = EditAdvisor();
    const String message = advisor ? advisor(Control()) : String();
    QWidget* parent = Widget()->parentWidget();
    if (message.empty() || !parent) {
      if (FAdvice) FAdvice->hide();
      return;
    }
    if (!FAdvice) {
      FAdvice = new QWidget(parent);
      FAdvice->setObjectName(QStringLiteral("TranslationAdvice"));
      auto* layout = new QHBoxLayout(FAdvice);
      layout->setContentsMargins(0, 0, 0, 0);
      layout->setSpacing(4);
      auto* icon = new QLabel(FAdvice);
      const int size = FAdvice->style()->pixelMetric(QStyle::PM_SmallIconSize);
      icon->setPixmap(
          FAdvice->style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(size, size));
      layout->addWidget(icon);
      FAdviceText = new QLabel(FAdvice);
      FAdviceText->setObjectName(QStringLiteral("TranslationAdviceText"));
      FAdviceText->setTextFormat(Qt::PlainText);
      layout->addWidget(FAdviceText, 1);
    }
    if (FAdvice->parentWidget() != parent) FAdvice->setParent(parent);
    FAdviceText->setText(ToQt(message));
    const QRect memo = Widget()->geometry();
    const int height = std::max(FAdvice->sizeHint().height(), 16);
    FAdvice->setGeometry(memo.left(), memo.bottom() + 2, memo.width(), height);
    FAdvice->raise();
    FAdvice->show();
  }

  QString FText;
  QPointer<QWidget> FAdvice;
  QLabel* FAdviceText = nullptr;
};

class TListBoxView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QListWidget;
    w->setSelectionMode(QAbstractItemView::ExtendedSelection);
    w->setUniformItemSizes(true);
    return w;
  }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
  QPalette::ColorRole TextRole() const override { return QPalette::Text; }
  void SyncOwn() override {
    auto* w = static_cast<QListWidget*>(Widget());
    auto* l = static_cast<TCustomListBox*>(Control());
    const QStringList items = LinesOf(l->Items());
    if (items != FItems) {
      FItems = items;
      w->clear();
      w->addItems(items);
    }
    for (int i = 0; i < w->count(); ++i) {
      const bool selected = l->Selected(i);
      if (w->item(i)->isSelected() != selected) w->item(i)->setSelected(selected);
    }
    const int current = l->ItemIndex();
    if (w->currentRow() != current)
      w->selectionModel()->setCurrentIndex(
          current >= 0 ? w->model()->index(current, 0) : QModelIndex(),
          QItemSelectionModel::NoUpdate);
    if (current >= 0) w->scrollToItem(w->item(current));
  }
  void ClickAt(QWidget* receiver, QPoint pos, TShiftState shift) override {
    auto* w = static_cast<QListWidget*>(Widget());
    const QModelIndex index = w->indexAt(w->viewport()->mapFrom(Widget(), pos));
    if (index.isValid())
      static_cast<TCustomListBox*>(Control())->ClickItem(index.row(), shift);
    else
      TControlView::ClickAt(receiver, pos, shift);
  }

 private:
  QStringList FItems;
};

class TComboBoxView : public TControlView {
 public:
  using TControlView::TControlView;

  // The list drops down as Qt shows it; the item chosen is the model's
  // choice (its ItemIndex, then OnClick).
  bool MouseEvent(QWidget* receiver, QMouseEvent* event) override {
    auto* c = static_cast<TComboBox*>(Control());
    if (c && event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton &&
        c->CanInteract() && !qobject_cast<QLineEdit*>(receiver)) {
      View().Deliver([c] {
        if (c->CanFocus() && !c->Focused()) c->SetFocus();
      });
      return false;
    }
    if (event->type() == QEvent::MouseButtonRelease && !qobject_cast<QLineEdit*>(receiver))
      return false;
    return TControlView::MouseEvent(receiver, event);
  }

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QComboBox;
    QObject::connect(w, &QComboBox::activated, w, [this](int index) {
      auto* c = static_cast<TComboBox*>(Control());
      if (!c) return;
      View().Deliver([c, index] {
        c->SetItemIndex(index);
        c->Click();
      });
    });
    return w;
  }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
  QPalette::ColorRole TextRole() const override { return QPalette::Text; }
  void SyncOwn() override {
    auto* w = static_cast<QComboBox*>(Widget());
    auto* c = static_cast<TComboBox*>(Control());
    const bool editable = c->Style() != csDropDownList && c->Style() != csOwnerDrawFixed &&
                          c->Style() != csOwnerDrawVariable;
    if (w->isEditable() != editable) {
      w->setEditable(editable);
      if (QLineEdit* edit = w->lineEdit()) {
        edit->setFocusPolicy(Qt::NoFocus);
        edit->setMouseTracking(true);
      }
    }
    const QStringList items = LinesOf(c->Items());
    if (items != FItems) {
      FItems = items;
      w->clear();
      w->addItems(items);
    }
    if (w->currentIndex() != c->ItemIndex()) w->setCurrentIndex(c->ItemIndex());
    if (editable && w->currentText() != ToQt(c->Text())) w->setEditText(ToQt(c->Text()));
  }

 private:
  QStringList FItems;
};

// Notebooks: the pages are the tab widget's pages, their captions its
// tabs; a click on a tab is the model's page change.
class TNotebookView : public TControlView {
 public:
  using TControlView::TControlView;
  void AddChild(TControlView& child) override {
    auto* w = static_cast<QTabWidget*>(Widget());
    if (!child.PlacedByParent()) {
      TControlView::AddChild(child);
      return;
    }
    w->insertTab(PageIndexOf(child.Control()), child.Widget(),
                 CaptionText(child.Control()->Caption(), true));
  }
  bool MouseEvent(QWidget* receiver, QMouseEvent* event) override {
    auto* w = static_cast<QTabWidget*>(Widget());
    QTabBar* bar = w->tabBar();
    if (receiver == bar && Control()) {
      const QPoint pos = event->position().toPoint();
      const int tab = bar->tabAt(pos);
      if (event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton &&
          tab >= 0 && Control()->CanInteract()) {
        const int page = PageOfTab(tab);
        View().Deliver([this, page] { SelectPage(page); });
        return true;
      }
      if (event->type() == QEvent::MouseButtonRelease) return true;
    } else if (bar->isAncestorOf(receiver)) {
      return false;  // the tab bar's scroll buttons
    }
    return TControlView::MouseEvent(receiver, event);
  }

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QTabWidget;
    w->tabBar()->setMouseTracking(true);
    return w;
  }
  virtual int PageIndexOf(TControl* page) const = 0;
  virtual int PageOfTab(int tab) const { return tab; }
  virtual void SelectPage(int page) = 0;
};

class TTabbedNotebookView : public TNotebookView {
 public:
  using TNotebookView::TNotebookView;

 protected:
  int PageIndexOf(TControl* page) const override {
    auto* n = static_cast<TTabbedNotebook*>(Control());
    for (int i = 0; i < n->PageCount(); ++i)
      if (n->TabPage(i) == page) return i;
    return n->PageCount();
  }
  void SelectPage(int page) override { static_cast<TTabbedNotebook*>(Control())->SelectPage(page); }
  void SyncOwn() override {
    auto* w = static_cast<QTabWidget*>(Widget());
    auto* n = static_cast<TTabbedNotebook*>(Control());
    w->tabBar()->setFont(ToQFont(n->TabFont(), Scale()));
    for (int i = 0; i < n->PageCount(); ++i) {
      const int tab = w->indexOf(View().WidgetOf(n->TabPage(i)));
      if (tab < 0) continue;
      const QString text = CaptionText(n->TabPage(i)->Caption(), true);
      if (w->tabText(tab) != text) w->setTabText(tab, text);
    }
    QWidget* active = n->PageIndex() >= 0 && n->PageIndex() < n->PageCount()
                          ? View().WidgetOf(n->TabPage(n->PageIndex()))
                          : nullptr;
    if (active && w->currentWidget() != active) w->setCurrentWidget(active);
  }
};

class TPageControlView : public TNotebookView {
 public:
  using TNotebookView::TNotebookView;

 protected:
  int PageIndexOf(TControl* page) const override {
    auto* sheet = static_cast<TTabSheet*>(page);
    return sheet->PageIndex() >= 0 ? sheet->PageIndex()
                                   : static_cast<QTabWidget*>(Widget())->count();
  }
  void SelectPage(int page) override {
    auto* p = static_cast<TPageControl*>(Control());
    if (p->CanFocus() && !p->Focused()) p->SetFocus();
    p->SelectTab(page);
  }
  void SyncOwn() override {
    auto* w = static_cast<QTabWidget*>(Widget());
    auto* p = static_cast<TPageControl*>(Control());
    const QTabWidget::TabPosition position = p->TabPosition() == tpBottom  ? QTabWidget::South
                                             : p->TabPosition() == tpLeft  ? QTabWidget::West
                                             : p->TabPosition() == tpRight ? QTabWidget::East
                                                                           : QTabWidget::North;
    if (w->tabPosition() != position) w->setTabPosition(position);
    for (int i = 0; i < p->PageCount(); ++i) {
      TTabSheet* sheet = p->Pages(i);
      const int tab = w->indexOf(View().WidgetOf(sheet));
      if (tab < 0) continue;
      const QString text = CaptionText(sheet->Caption(), true);
      if (w->tabText(tab) != text) w->setTabText(tab, text);
      if (w->isTabVisible(tab) != sheet->TabVisible()) w->setTabVisible(tab, sheet->TabVisible());
    }
    QWidget* active = p->ActivePage() ? View().WidgetOf(p->ActivePage()) : nullptr;
    if (active && w->currentWidget() != active) w->setCurrentWidget(active);
  }
};

// A page of a notebook: the notebook's tab widget places it; its caption
// is the tab's text.
class TPageView : public TControlView {
 public:
  using TControlView::TControlView;
  bool PlacedByParent() const override { return true; }

 protected:
  QWidget* CreateWidget() override { return new QWidget; }
  bool FillsBackground() const override { return true; }
  void SyncOwn() override {
    if (TControl* parent = Control()->Parent())
      if (TControlView* notebook = View().ViewOf(parent)) {
        auto* tabs = qobject_cast<QTabWidget*>(notebook->Widget());
        const int tab = tabs ? tabs->indexOf(Widget()) : -1;
        const QString text = CaptionText(Control()->Caption(), true);
        if (tab >= 0 && tabs->tabText(tab) != text) tabs->setTabText(tab, text);
      }
  }
};

class TListViewView : public TControlView {
 public:
  using TControlView::TControlView;
  bool MouseEvent(QWidget* receiver, QMouseEvent* event) override {
    auto* w = static_cast<QTreeWidget*>(Widget());
    auto* l = static_cast<TListView*>(Control());
    QHeaderView* header = w->header();
    if (l && (receiver == header || header->isAncestorOf(receiver))) {
      if (event->type() == QEvent::MouseButtonRelease && event->button() == Qt::LeftButton &&
          l->CanInteract()) {
        const QPoint pos = receiver->mapTo(header, event->position().toPoint());
        const int section = header->logicalIndexAt(pos);
        if (section >= 0 && section < l->Columns()->Count() && l->ColumnClick())
          View().Deliver([l, section] {
            if (l->OnColumnClick) l->OnColumnClick(l, l->Column(section));
          });
      }
      return true;
    }
    return TControlView::MouseEvent(receiver, event);
  }

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QTreeWidget;
    w->setRootIsDecorated(false);
    w->setSelectionMode(QAbstractItemView::ExtendedSelection);
    w->setUniformRowHeights(true);
    w->header()->setMouseTracking(true);
    w->header()->setStretchLastSection(false);
    return w;
  }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
  QPalette::ColorRole TextRole() const override { return QPalette::Text; }
  void SyncOwn() override {
    auto* w = static_cast<QTreeWidget*>(Widget());
    auto* l = static_cast<TListView*>(Control());
    const bool report = l->ViewStyle() == vsReport;
    QStringList headers;
    for (int i = 0; i < l->Columns()->Count(); ++i) headers << ToQt(l->Column(i)->Caption());
    const int columns = report ? std::max<int>(1, static_cast<int>(headers.size())) : 1;
    if (headers != FHeaders || columns != w->columnCount()) {
      FHeaders = headers;
      w->setColumnCount(columns);
      if (report) w->setHeaderLabels(headers);
    }
    for (int i = 0; report && i < l->Columns()->Count(); ++i) {
      const int width = Scaled(l->Column(i)->Width(), Scale());
      if (w->columnWidth(i) != width) w->setColumnWidth(i, width);
    }
    w->setHeaderHidden(!report || !l->ShowColumnHeaders());
    // The items, rebuilt when their texts changed.
    QList<QStringList> rows;
    for (int i = 0; i < l->Items()->Count(); ++i) {
      TListItem* item = l->Items()->Item(i);
      QStringList row{ToQt(item->Caption())};
      if (report) row << LinesOf(item->SubItems());
      rows << row;
    }
    if (rows != FRows) {
      FRows = rows;
      w->clear();
      QList<QTreeWidgetItem*> items;
      for (const QStringList& row : rows) items << new QTreeWidgetItem(row);
      w->addTopLevelItems(items);
    }
    for (int i = 0; i < w->topLevelItemCount(); ++i) {
      TListItem* item = l->Items()->Item(i);
      QTreeWidgetItem* shown = w->topLevelItem(i);
      if (shown->isSelected() != item->Selected()) shown->setSelected(item->Selected());
      if (l->Checkboxes())
        shown->setCheckState(0, item->Checked() ? Qt::Checked : Qt::Unchecked);
      else if (shown->data(0, Qt::CheckStateRole).isValid())
        shown->setData(0, Qt::CheckStateRole, QVariant());
    }
  }
  void ClickAt(QWidget* receiver, QPoint pos, TShiftState shift) override {
    auto* w = static_cast<QTreeWidget*>(Widget());
    auto* l = static_cast<TListView*>(Control());
    TControlView::ClickAt(receiver, pos, shift);
    const QModelIndex index = w->indexAt(w->viewport()->mapFrom(Widget(), pos));
    if (!index.isValid() || index.row() >= l->Items()->Count()) return;
    TListItem* item = l->Items()->Item(index.row());
    if (l->MultiSelect() && shift.Contains(ssCtrl)) {
      item->SetSelected(!item->Selected());
      return;
    }
    if (l->MultiSelect())
      for (int i = 0; i < l->Items()->Count(); ++i)
        if (l->Items()->Item(i) != item) l->Items()->Item(i)->SetSelected(false);
    item->SetSelected(true);
  }

 private:
  QStringList FHeaders;
  QList<QStringList> FRows;
};

// A widget that says when it was resized (its parts follow its width).
class TResizingWidget : public QWidget {
 public:
  std::function<void()> OnResize;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (OnResize) OnResize();
  }
};

class TStatusBarView : public TControlView {
 public:
  using TControlView::TControlView;
  ~TStatusBarView() override {
    if (auto* w = static_cast<TResizingWidget*>(Widget())) w->OnResize = nullptr;
  }

 protected:
  QWidget* CreateWidget() override {
    auto* w = new TResizingWidget;
    // Aligned to its form's bottom, the bar follows the form's width; its
    // last panel takes what the others leave.
    w->OnResize = [this] {
      if (Control()) SyncOwn();
    };
    return w;
  }
  bool FillsBackground() const override { return true; }
  void SyncOwn() override {
    auto* s = static_cast<TStatusBar*>(Control());
    struct TPanel {
      QString Text;
      int Width;
      Qt::Alignment Alignment;
      TStatusPanelBevel Bevel;
    };
    std::vector<TPanel> panels;
    if (s->SimplePanel()) {
      panels.push_back({ToQt(s->SimpleText()), -1, Qt::AlignLeft, pbNone});
    } else {
      for (int i = 0; i < s->Panels()->Count(); ++i) {
        TStatusPanel* p = s->Panels()->Items(i);
        panels.push_back({ToQt(p->Text()), p->Width(),
                          HorizontalAlignment(p->Alignment(), p->BiDiMode()), p->Bevel()});
      }
      if (!panels.empty()) panels.back().Width = -1;
    }
    while (FLabels.size() > static_cast<qsizetype>(panels.size())) delete FLabels.takeLast();
    while (FLabels.size() < static_cast<qsizetype>(panels.size())) {
      auto* label = new QLabel(Widget());
      label->setMouseTracking(true);
      label->setTextFormat(Qt::PlainText);
      label->show();
      FLabels << label;
    }
    const double scale = Scale();
    const int height = Widget()->height();
    const int total = Widget()->width();
    int x = 0;
    for (size_t i = 0; i < panels.size(); ++i) {
      QLabel* label = FLabels[static_cast<qsizetype>(i)];
      const TPanel& p = panels[i];
      const int width = p.Width < 0 ? std::max(0, total - x) : Scaled(p.Width, scale);
      label->setGeometry(x, Scaled(2, scale), std::max(0, width - Scaled(2, scale)),
                         std::max(0, height - Scaled(2, scale)));
      if (label->text() != p.Text) label->setText(p.Text);
      label->setAlignment(p.Alignment | Qt::AlignVCenter);
      label->setFrameStyle(p.Bevel == pbNone     ? int(QFrame::NoFrame)
                           : p.Bevel == pbRaised ? int(QFrame::Panel | QFrame::Raised)
                                                 : int(QFrame::Panel | QFrame::Sunken));
      x += width;
    }
  }

 private:
  QList<QLabel*> FLabels;
};

class TFrameView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QFrame; }
  bool FillsBackground() const override { return true; }
};

class TToolBarView : public TFrameView {
 public:
  using TFrameView::TFrameView;

 protected:
  void SyncOwn() override {
    auto* t = static_cast<TToolBar*>(Control());
    static_cast<QFrame*>(Widget())->setFrameStyle(
        t->Flat() ? int(QFrame::NoFrame) : int(QFrame::StyledPanel | QFrame::Raised));
  }
};

// Tool buttons and speed buttons: a Qt tool button that shows the caption,
// raised or flat, and down while the control is down.
class TQtToolButtonView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QToolButton; }
  void Show(const QString& text, bool flat, bool checkable, bool down) {
    auto* w = static_cast<QToolButton*>(Widget());
    SetTextOf(w, text);
    w->setAutoRaise(flat);
    w->setCheckable(checkable || down);
    w->setChecked(down);
  }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Button; }
  QPalette::ColorRole TextRole() const override { return QPalette::ButtonText; }
};

class TToolButtonView : public TQtToolButtonView {
 public:
  using TQtToolButtonView::TQtToolButtonView;

 protected:
  void SyncOwn() override {
    auto* b = static_cast<TToolButton*>(Control());
    const bool separator = b->Style() == tbsSeparator || b->Style() == tbsDivider;
    auto* bar = dynamic_cast<TToolBar*>(b->Parent());
    Show(separator ? QString() : CaptionText(b->Caption(), true),
         separator || (bar && bar->Flat()), b->Style() == tbsCheck, b->Down());
  }
};

class TSpeedButtonView : public TQtToolButtonView {
 public:
  using TQtToolButtonView::TQtToolButtonView;

 protected:
  void SyncOwn() override {
    auto* b = static_cast<TSpeedButton*>(Control());
    Show(CaptionText(b->Caption(), true), b->Flat(), b->GroupIndex() != 0, b->Down());
  }
};

// An up-down's two arrows; a click on either is a click of the control.
class TUpDownView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QWidget;
    FFirst = new QToolButton(w);
    FSecond = new QToolButton(w);
    return w;
  }
  void SyncOwn() override {
    auto* u = static_cast<TUpDown*>(Control());
    const bool vertical = u->Orientation() == udVertical;
    FFirst->setArrowType(vertical ? Qt::UpArrow : Qt::LeftArrow);
    FSecond->setArrowType(vertical ? Qt::DownArrow : Qt::RightArrow);
    const int w = Scaled(u->Width(), Scale()), h = Scaled(u->Height(), Scale());
    if (vertical) {
      FFirst->setGeometry(0, 0, w, h / 2);
      FSecond->setGeometry(0, h / 2, w, h - h / 2);
    } else {
      FFirst->setGeometry(0, 0, w / 2, h);
      FSecond->setGeometry(w / 2, 0, w - w / 2, h);
    }
  }

 private:
  QToolButton* FFirst = nullptr;
  QToolButton* FSecond = nullptr;
};

class TTrackBarView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QSlider; }
  void SyncOwn() override {
    auto* w = static_cast<QSlider*>(Widget());
    auto* t = static_cast<TTrackBar*>(Control());
    w->setOrientation(t->Orientation() == trHorizontal ? Qt::Horizontal : Qt::Vertical);
    w->setRange(t->Min(), std::max(t->Min(), t->Max()));
    w->setValue(t->Position());
    w->setPageStep(t->PageSize());
    w->setTickInterval(t->Frequency());
    w->setTickPosition(t->TickStyle() == tsNone            ? QSlider::NoTicks
                       : t->TickMarks() == tmBoth          ? QSlider::TicksBothSides
                       : t->TickMarks() == tmTopLeft       ? QSlider::TicksAbove
                                                           : QSlider::TicksBelow);
  }
};

class TScrollBarView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QScrollBar; }
  void SyncOwn() override {
    auto* w = static_cast<QScrollBar*>(Widget());
    auto* b = static_cast<TScrollBar*>(Control());
    w->setOrientation(b->Kind() == sbHorizontal ? Qt::Horizontal : Qt::Vertical);
    w->setRange(b->Min(), std::max(b->Min(), b->Max() - std::max<Integer>(b->PageSize() - 1, 0)));
    w->setPageStep(std::max<Integer>(b->PageSize(), b->LargeChange()));
    w->setValue(b->Position());
  }
};

class TShapeView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QFrame;
    w->setFrameStyle(QFrame::Box | QFrame::Plain);
    return w;
  }
};

class TStaticTextView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QLabel;
    w->setTextFormat(Qt::PlainText);
    return w;
  }
  bool FillsBackground() const override {
    return !static_cast<TStaticText*>(Control())->Transparent();
  }
  void SyncOwn() override {
    auto* w = static_cast<QLabel*>(Widget());
    auto* t = static_cast<TStaticText*>(Control());
    QWidget* buddy = t->FocusControl() ? View().WidgetOf(t->FocusControl()) : nullptr;
    if (w->buddy() != buddy) w->setBuddy(buddy);
    QString text = !t->ShowAccelChar() ? ToQt(t->Caption())
                         : buddy             ? CaptionText(t->Caption(), true)
                                             : StripAccelerator(t->Caption());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (w->text() != text) w->setText(text);
    w->setFrameStyle(t->BorderStyle() == sbsNone     ? int(QFrame::NoFrame)
                     : t->BorderStyle() == sbsSingle ? int(QFrame::Box | QFrame::Plain)
                                                     : int(QFrame::Panel | QFrame::Sunken));
    w->setAlignment(HorizontalAlignment(t->Alignment(), t->BiDiMode()) | Qt::AlignTop);
  }
};

// A colour box shows the colour chosen, by its name.
class TColorBoxView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QComboBox; }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
  QPalette::ColorRole TextRole() const override { return QPalette::Text; }
  void SyncOwn() override {
    auto* w = static_cast<QComboBox*>(Widget());
    String name = ColorToString(static_cast<TColorBox*>(Control())->Selected());
    if (name.starts_with("cl")) name = name.substr(2);
    const QString text = ToQt(name);
    if (w->count() != 1 || w->itemText(0) != text) {
      w->clear();
      w->addItem(text);
    }
  }
};

// A date picker shows the date (or time) its form file gives.
class TDateTimePickerView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QDateTimeEdit;
    w->setReadOnly(true);
    return w;
  }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
  QPalette::ColorRole TextRole() const override { return QPalette::Text; }
  void SyncOwn() override {
    auto* w = static_cast<QDateTimeEdit*>(Widget());
    auto* d = static_cast<TDateTimePicker*>(Control());
    // A date is days since 30 December 1899, its fraction the time of day.
    auto days = [&](const char* name) {
      PPropInfo p = GetPropInfo(Control(), name);
      if (!p || p->Kind() != tkFloat || !p->GetFloat) return 0.0;
      return p->GetFloat(Control());
    };
    const double date = days("Date"), time = days("Time");
    const QDateTime shown(QDate(1899, 12, 30).addDays(static_cast<qint64>(date)),
                          QTime(0, 0).addMSecs(static_cast<int>((time - static_cast<qint64>(time)) *
                                                                86400000.0)));
    if (w->dateTime() != shown) w->setDateTime(shown);
    const QString format = d->Kind() == dtkTime ? QStringLiteral("HH:mm:ss")
                           : d->DateFormat() == dfLong ? QStringLiteral("dddd, d MMMM yyyy")
                                                       : QStringLiteral("dd/MM/yyyy");
    if (w->displayFormat() != format) w->setDisplayFormat(format);
  }
};

class TTreeViewView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QTreeWidget;
    w->setHeaderHidden(true);
    return w;
  }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
  QPalette::ColorRole TextRole() const override { return QPalette::Text; }
  void SyncOwn() override {
    auto* w = static_cast<QTreeWidget*>(Widget());
    auto* t = static_cast<TTreeView*>(Control());
    w->setRootIsDecorated(t->ShowRoot() && t->ShowButtons());
  }
};

class TStringGridView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QTableWidget;
    w->horizontalHeader()->hide();
    w->verticalHeader()->hide();
    return w;
  }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
  QPalette::ColorRole TextRole() const override { return QPalette::Text; }
  void SyncOwn() override {
    auto* w = static_cast<QTableWidget*>(Widget());
    auto* g = static_cast<TStringGrid*>(Control());
    if (w->rowCount() != g->RowCount()) w->setRowCount(g->RowCount());
    if (w->columnCount() != g->ColCount()) w->setColumnCount(g->ColCount());
    w->horizontalHeader()->setDefaultSectionSize(Scaled(g->DefaultColWidth(), Scale()));
    w->verticalHeader()->setDefaultSectionSize(Scaled(g->DefaultRowHeight(), Scale()));
  }
};

// A data grid shows its frame and no rows: the data are the program's.
class TDBGridView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QTableWidget; }
  QPalette::ColorRole BackgroundRole() const override { return QPalette::Base; }
  QPalette::ColorRole TextRole() const override { return QPalette::Text; }
};

class TBevelView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override { return new QFrame; }
  void SyncOwn() override {
    auto* w = static_cast<QFrame*>(Widget());
    auto* b = static_cast<TBevel*>(Control());
    const int shadow = b->Style() == bsRaised ? QFrame::Raised : QFrame::Sunken;
    int shape = QFrame::NoFrame;
    switch (b->Shape()) {
      case bsBox:
        shape = QFrame::Panel;
        break;
      case bsFrame:
        shape = QFrame::Box;
        break;
      case bsTopLine:
      case bsBottomLine:
        shape = QFrame::HLine;
        break;
      case bsLeftLine:
      case bsRightLine:
        shape = QFrame::VLine;
        break;
      case bsSpacer:
        break;
    }
    w->setFrameStyle(shape | shadow);
  }
};

class TPanelView : public TFrameView {
 public:
  using TFrameView::TFrameView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QFrame;
    // The caption shows in the middle, behind the panel's controls.
    FCaption = new QLabel(w);
    FCaption->setAlignment(Qt::AlignCenter);
    FCaption->setTextFormat(Qt::PlainText);
    FCaption->lower();
    return w;
  }
  void SyncOwn() override {
    auto* w = static_cast<QFrame*>(Widget());
    auto* p = static_cast<TCustomPanel*>(Control());
    int style = QFrame::NoFrame;
    if (p->BorderStyle() == bsSingle)
      style = QFrame::Box | QFrame::Plain;
    else if (p->BevelOuter() == bvRaised)
      style = QFrame::Panel | QFrame::Raised;
    else if (p->BevelOuter() == bvLowered)
      style = QFrame::Panel | QFrame::Sunken;
    w->setFrameStyle(style);
    w->setLineWidth(std::max<Integer>(1, p->BevelWidth()));
    SetTextOf(FCaption, StripAccelerator(p->Caption()));
    FCaption->setGeometry(0, 0, Scaled(p->Width(), Scale()), Scaled(p->Height(), Scale()));
    FCaption->setAlignment(HorizontalAlignment(p->Alignment(), p->BiDiMode()) | Qt::AlignVCenter);
  }

 private:
  QLabel* FCaption = nullptr;
};

class TSplitterView : public TFrameView {
 public:
  using TFrameView::TFrameView;

 protected:
  void SyncOwn() override {
    auto* w = static_cast<QFrame*>(Widget());
    auto* s = static_cast<TSplitter*>(Control());
    w->setFrameStyle(s->Beveled() ? int(QFrame::Panel | QFrame::Raised) : int(QFrame::NoFrame));
    const bool vertical = s->Align() == alLeft || s->Align() == alRight;
    w->setCursor(vertical ? Qt::SplitHCursor : Qt::SplitVCursor);
  }
};

// A class the front end does not show as itself: a labelled frame at the
// component's place, holding what was read inside it.
class TPlaceholderView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QFrame;
    w->setFrameStyle(QFrame::Box | QFrame::Plain);
    w->setProperty("glsPlaceholder", ToQt(Component()->ClassName()));
    auto* label = new QLabel(
        ToQt(Component()->ClassName()) + QLatin1Char('\n') + ToQt(Component()->Name()), w);
    label->setAlignment(Qt::AlignCenter);
    label->setTextFormat(Qt::PlainText);
    label->setEnabled(false);
    label->lower();
    FLabel = label;
    QPalette palette = w->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Midlight));
    w->setPalette(palette);
    w->setAutoFillBackground(true);
    return w;
  }
  void SyncOwn() override {
    FLabel->setGeometry(QRect(QPoint(0, 0), ScaledSize()));
    if (Control()) return;
    // What the file says of a placeholder's visibility holds as for a control.
    PPropInfo visible = GetPropInfo(Component(), "Visible");
    const bool shown = !visible || !visible->GetOrd || GetOrdProp(Component(), visible) != 0;
    if (Widget()->isVisibleTo(Widget()->parentWidget()) != shown) Widget()->setVisible(shown);
  }
  // A placeholder takes its place among aligned neighbours as a control does.
  QRect ModelRect() const override { return View().PlacedRect(Component()); }

 private:
  QSize ScaledSize() const {
    const QRect r = ModelRect();
    return QSize(Scaled(r.width(), Scale()), Scaled(r.height(), Scale()));
  }
  QLabel* FLabel = nullptr;
};

// The picture of an image, from the form file's Picture.Data: the graphic
// class's name as a short string, then the graphic's own data (a bitmap
// keeps its file behind a 32-bit size).
QImage DecodePicture(TComponent* image) {
  PPropInfo picture = GetPropInfo(image, "Picture");
  if (!picture || picture->Kind() != tkClass) return QImage();
  TObject* object = GetObjectProp(image, picture);
  if (!object) return QImage();
  PPropInfo data = GetPropInfo(object, "Data");
  if (!data || !data->IsDynamic) return QImage();
  const String bytes = DynamicValueOf(object, data).Text;
  if (bytes.empty()) return QImage();
  const size_t nameLength = static_cast<unsigned char>(bytes[0]);
  if (1 + nameLength > bytes.size()) return QImage();
  const std::string_view rest = std::string_view(bytes).substr(1 + nameLength);
  auto load = [](std::string_view b) {
    QImage img;
    img.loadFromData(reinterpret_cast<const uchar*>(b.data()), static_cast<int>(b.size()));
    return img;
  };
  if (rest.size() > 4) {
    uint32_t size = 0;
    for (int i = 3; i >= 0; --i)
      size = size << 8 | static_cast<unsigned char>(rest[static_cast<size_t>(i)]);
    if (size == rest.size() - 4)
      if (QImage img = load(rest.substr(4)); !img.isNull()) return img;
  }
  return load(rest);
}

class TImageView : public TControlView {
 public:
  using TControlView::TControlView;

 protected:
  QWidget* CreateWidget() override {
    auto* w = new QLabel;
    FImage = DecodePicture(Component());
    if (FImage.isNull()) {
      w->setFrameStyle(QFrame::Box | QFrame::Plain);
      w->setText(QStringLiteral("TImage\n") + ToQt(Component()->Name()));
      w->setAlignment(Qt::AlignCenter);
      w->setEnabled(false);
      w->setProperty("glsPlaceholder", QStringLiteral("TImage"));
    } else {
      w->setPixmap(QPixmap::fromImage(FImage));
    }
    return w;
  }
  void SyncOwn() override {
    if (FImage.isNull()) return;
    auto* w = static_cast<QLabel*>(Widget());
    auto* i = static_cast<TImage*>(Control());
    w->setScaledContents(i->Stretch());
    w->setAlignment(i->Center() ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignTop);
  }

 private:
  QImage FImage;
};

// A component of an unknown class without a size of its own that holds
// controls: a page of a notebook the host does not know. It fills its
// parent, and only the first of such siblings shows, as a notebook shows
// one page.
bool IsSizelessContainer(const TComponent* c, const TCustomForm* form) {
  if (!c->Is<TGenericComponent>() || GetPropInfo(c, "Width")) return false;
  for (int i = 0; i < form->ComponentCount(); ++i)
    if (form->Components(i)->StreamParent() == c) return true;
  return false;
}

class TGenericPageView : public TControlView {
 public:
  using TControlView::TControlView;
  bool PlacedByParent() const override { return true; }

 protected:
  QWidget* CreateWidget() override { return new QWidget; }
  void SyncOwn() override {
    if (QWidget* parent = Widget()->parentWidget()) Widget()->setGeometry(parent->rect());
    const TCustomForm* form = View().Form();
    const TComponent* first = nullptr;
    for (int i = 0; i < form->ComponentCount() && !first; ++i) {
      const TComponent* c = form->Components(i);
      if (c->StreamParent() == Component()->StreamParent() && IsSizelessContainer(c, form))
        first = c;
    }
    Widget()->setVisible(first == Component());
  }
};

// Whether a component of a class the host does not know is an image list
// (or an image collection): its Width and Height are those of its images.
bool IsImageStore(const TComponent* component) {
  const String name = LowerCase(component->ClassName());
  if (name.find("imagelist") != String::npos || name.find("imagecollection") != String::npos)
    return true;
  for (const char* prop : {"ColorDepth", "DrawingStyle", "AllocBy", "ShareImages", "ImageType",
                           "ImageCollection", "Masked"})
    if (GetPropInfo(component, prop)) return true;
  return false;
}

bool ShowsAsPlaceholder(TComponent* component) {
  if (!component->Is<TGenericComponent>()) return false;
  // Non-visual components have a place on the designer's surface only; an
  // image list's size is its images'.
  return GetPropInfo(component, "Width") && GetPropInfo(component, "Height") &&
         !IsImageStore(component);
}

}  // namespace

std::unique_ptr<TControlView> TFormView::MakeView(TComponent* c) {
  auto make = [&]<class View>() -> std::unique_ptr<TControlView> {
    return std::make_unique<View>(*this, c);
  };
  if (c->Is<TCustomForm>()) return make.operator()<TFormClientView>();
  if (c->Is<TButton>()) return make.operator()<TButtonView>();
  if (c->Is<TCheckBox>()) return make.operator()<TCheckBoxView>();
  if (c->Is<TRadioButton>()) return make.operator()<TRadioButtonView>();
  if (c->Is<TCustomRadioGroup>()) return make.operator()<TRadioGroupView>();
  if (c->Is<TCustomGroupBox>()) return make.operator()<TGroupBoxView>();
  if (c->Is<TLabel>()) return make.operator()<TLabelView>();
  if (c->Is<TStaticText>()) return make.operator()<TStaticTextView>();
  if (c->Is<TMemo>()) return make.operator()<TMemoView>();
  if (c->Is<TCustomEdit>()) return make.operator()<TEditView>();
  if (c->Is<TCustomListBox>()) return make.operator()<TListBoxView>();
  if (c->Is<TComboBox>()) return make.operator()<TComboBoxView>();
  if (c->Is<TTabbedNotebook>()) return make.operator()<TTabbedNotebookView>();
  if (c->Is<TPageControl>()) return make.operator()<TPageControlView>();
  if (c->Is<TTabPage>() || c->Is<TTabSheet>()) return make.operator()<TPageView>();
  if (c->Is<TListView>()) return make.operator()<TListViewView>();
  if (c->Is<TStatusBar>()) return make.operator()<TStatusBarView>();
  if (c->Is<TToolBar>()) return make.operator()<TToolBarView>();
  if (c->Is<TToolButton>()) return make.operator()<TToolButtonView>();
  if (c->Is<TSpeedButton>()) return make.operator()<TSpeedButtonView>();
  if (c->Is<TUpDown>()) return make.operator()<TUpDownView>();
  if (c->Is<TTrackBar>()) return make.operator()<TTrackBarView>();
  if (c->Is<TScrollBar>()) return make.operator()<TScrollBarView>();
  if (c->Is<TShape>()) return make.operator()<TShapeView>();
  if (c->Is<TColorBox>()) return make.operator()<TColorBoxView>();
  if (c->Is<TDateTimePicker>()) return make.operator()<TDateTimePickerView>();
  if (c->Is<TTreeView>()) return make.operator()<TTreeViewView>();
  if (c->Is<TStringGrid>()) return make.operator()<TStringGridView>();
  if (c->Is<TDBGrid>()) return make.operator()<TDBGridView>();
  if (c->Is<TBevel>()) return make.operator()<TBevelView>();
  if (c->Is<TCustomPanel>()) return make.operator()<TPanelView>();
  if (c->Is<TSplitter>()) return make.operator()<TSplitterView>();
  if (c->Is<TImage>()) return make.operator()<TImageView>();
  if (c->Is<TScrollBox>()) return make.operator()<TFrameView>();
  if (c->Is<TControl>() || ShowsAsPlaceholder(c)) return make.operator()<TPlaceholderView>();
  if (IsSizelessContainer(c, FForm)) return make.operator()<TGenericPageView>();
  return nullptr;
}

}  // namespace Glossmith::inline QtFrontEnd

#include "frontends/workbench/WorkbenchWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "frontends/qt/Conversions.h"
#include "frontends/qt/QtFrontEnd.h"
#include "frontends/qt/QtUserInterface.h"

namespace Glossmith::inline QtFrontEnd {

namespace {

// The keys of the panel's actions, which win over the text fields' own.
const QList<QKeySequence>& AcceptKeys() {
  static const QList<QKeySequence> keys = {QKeySequence(Qt::CTRL | Qt::Key_Return),
                                           QKeySequence(Qt::CTRL | Qt::Key_Enter)};
  return keys;
}

bool IsPanelKey(const QKeyEvent* key) {
  if (!(key->modifiers() & Qt::ControlModifier)) return false;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_F:
    case Qt::Key_S:
      return true;
    default:
      return key->key() >= Qt::Key_1 && key->key() <= Qt::Key_9;
  }
}

// A text as the translation field shows it, and what the field holds as the
// translation: line breaks as the original has them (CR LF or LF).
QString FieldText(const String& text) {
  QString s = ToQt(text);
  s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return s;
}

String TranslationOf(const QString& field, const String& original) {
  QString s = field;
  if (original.find("\r\n") != String::npos) s.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return FromQt(s);
}

QString Percent(const TProgress& p) {
  const int percent = p.Total ? static_cast<int>(p.Translated * 100 / p.Total) : 100;
  return QStringLiteral("%1 of %2 translated (%3 %)").arg(p.Translated).arg(p.Total).arg(percent);
}

TQtUserInterface& ActiveQt() {
  auto* ui = dynamic_cast<TQtUserInterface*>(&UserInterface());
  if (!ui) throw EInvalidOperation("The Qt user interface is not active");
  return *ui;
}

}  // namespace

TWorkbenchWindow::TWorkbenchWindow(TWorkbench& bench, const TWorkbenchWindowOptions& options)
    : FBench(bench), FOptions(options) {
  std::optional<size_t> first;
  for (size_t i = 0; i < FBench.Texts().size() && !options.Select.empty() && !first; ++i) {
    const TWorkText& text = FBench.Text(i);
    const String& form = FBench.Forms()[text.Form].Root->Name();
    if ((text.Form == 0 && SameText(text.Path, options.Select)) ||
        SameText(form + "." + text.Path, options.Select))
      first = i;
  }
  if (!options.Select.empty() && !first)
    throw EInvalidOperation("No text " + options.Select + " to translate");
  setObjectName(QStringLiteral("workbench"));
  FBench.ShowTranslations(true);
  BuildPreview();
  auto* splitter = new QSplitter(Qt::Horizontal, this);
  splitter->addWidget(FFormTabs);
  splitter->addWidget(BuildPanel());
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 1);
  setCentralWidget(splitter);
  BuildMenus();
  statusBar();
  qApp->installEventFilter(this);
  UpdateTitle();
  Refilter();
  ShowProgress();
  // The text asked for, else the first text to do, else the first text.
  const std::vector<size_t>& listed = Listed();
  if (first)
    Select(*first);
  else if (auto todo = std::find_if(
               listed.begin(), listed.end(),
               [&](size_t i) { return FBench.Text(i).State != TTextState::Translated; });
           todo != listed.end())
    Select(*todo);
  else if (!listed.empty())
    Select(listed.front());
  resize(1280, 760);
  splitter->setSizes({700, 580});
}

TWorkbenchWindow::~TWorkbenchWindow() {
  qApp->removeEventFilter(this);
  // The forms show what they were read with again before their views go.
  try {
    FBench.ShowTranslations(false);
  } catch (const Exception&) {
  }
  for (TFormPane& pane : FForms) {
    // The client belongs to the view, which deletes it.
    if (QWidget* client = pane.View->Client()) client->setParent(nullptr);
    pane.View.reset();
  }
}

void TWorkbenchWindow::BuildPreview() {
  FFormTabs = new QTabWidget;
  FFormTabs->setObjectName(QStringLiteral("forms"));
  for (const TWorkForm& form : FBench.Forms()) {
    auto* custom = dynamic_cast<TCustomForm*>(form.Root);
    if (!custom)
      throw EInvalidOperation(form.FormFile + ": " + form.Root->ClassName() + " is not a form");
    TFormPane pane;
    pane.View = std::make_unique<TFormView>(custom);
    // The form as its window would frame it: the caption (a text to
    // translate too), the menu bar, the client area.
    pane.Frame = new QFrame;
    pane.Frame->setObjectName(ToQt(form.Root->Name()));
    pane.Frame->setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(pane.Frame);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    pane.Caption = new QLabel;
    pane.Caption->setObjectName(QStringLiteral("caption"));
    pane.Caption->setMargin(4);
    pane.Caption->setStyleSheet(QStringLiteral("QLabel#caption { background: rgb(59, 74, 107); }"));
    QPalette title = pane.Caption->palette();
    title.setColor(QPalette::WindowText, Qt::white);
    pane.Caption->setPalette(title);
    layout->addWidget(pane.Caption);
    if (TMainMenu* menu = custom->Menu()) {
      pane.MenuBar = new QMenuBar;
      pane.MenuBar->setNativeMenuBar(false);
      for (int i = 0; i < menu->Items()->Count(); ++i) {
        TMenuItem* item = menu->Items()->Items(i);
        if (item->IsLine()) continue;
        QMenu* sub = pane.MenuBar->addMenu(QString());
        sub->setObjectName(ToQt(item->Name()));
        TFormView::LinkAction(sub->menuAction(), item, pane.View.get());
        TFormView::FillMenu(sub, item, pane.View.get());
      }
      TComponent* root = form.Root;
      QObject::connect(pane.MenuBar, &QMenuBar::triggered, this, [this, root](QAction* action) {
        if (TComponent* item = root->FindComponent(FromQt(action->objectName()))) Picked(item);
      });
      layout->addWidget(pane.MenuBar);
    }
    QWidget* client = pane.View->Client();
    client->setFixedSize(pane.View->ClientSize());
    layout->addWidget(client, 0, Qt::AlignLeft | Qt::AlignTop);
    pane.Highlight = new QFrame(client);
    pane.Highlight->setObjectName(QStringLiteral("highlight"));
    pane.Highlight->setAttribute(Qt::WA_TransparentForMouseEvents);
    pane.Highlight->setStyleSheet(
        QStringLiteral("QFrame#highlight { border: 2px solid rgb(230, 40, 130); }"));
    pane.Highlight->hide();
    pane.Frame->setFixedSize(pane.Frame->sizeHint());

    auto* scroll = new QScrollArea;
    scroll->setWidget(pane.Frame);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setBackgroundRole(QPalette::Dark);
    FFormTabs->addTab(scroll, ToQt(ExtractFileName(form.FormFile)));
    FForms.push_back(std::move(pane));
  }
  ShowCaptions();
}

QWidget* TWorkbenchWindow::BuildPanel() {
  auto* panel = new QWidget;
  auto* layout = new QVBoxLayout(panel);

  auto* row = new QHBoxLayout;
  FSearch = new QLineEdit;
  FSearch->setObjectName(QStringLiteral("search"));
  FSearch->setPlaceholderText(QStringLiteral("Search originals and translations (Ctrl+F)"));
  FSearch->setClearButtonEnabled(true);
  FFilter = new QComboBox;
  FFilter->setObjectName(QStringLiteral("filter"));
  FFilter->addItems({QStringLiteral("All"), QStringLiteral("Untranslated"), QStringLiteral("Stale"),
                     QStringLiteral("With warnings")});
  row->addWidget(FSearch, 1);
  row->addWidget(FFilter);
  layout->addLayout(row);
  FProgress = new QLabel;
  FProgress->setObjectName(QStringLiteral("progress"));
  layout->addWidget(FProgress);

  FList = new TTextListModel(FBench, this);
  FTable = new QTableView;
  FTable->setObjectName(QStringLiteral("texts"));
  FTable->setModel(FList);
  FTable->setSelectionBehavior(QAbstractItemView::SelectRows);
  FTable->setSelectionMode(QAbstractItemView::SingleSelection);
  FTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
  FTable->verticalHeader()->hide();
  FTable->verticalHeader()->setDefaultSectionSize(FTable->fontMetrics().height() + 6);
  FTable->horizontalHeader()->setStretchLastSection(true);
  FTable->setWordWrap(false);
  FTable->setColumnWidth(TTextListModel::PathColumn, 170);
  FTable->setColumnWidth(TTextListModel::OriginalColumn, 150);
  FTable->setColumnWidth(TTextListModel::TranslationColumn, 150);
  layout->addWidget(FTable, 1);

  auto label = [&](const QString& text, QWidget* buddy) {
    auto* l = new QLabel(text);
    l->setBuddy(buddy);
    layout->addWidget(l);
  };
  FOriginal = new QPlainTextEdit;
  FOriginal->setObjectName(QStringLiteral("original"));
  FOriginal->setReadOnly(true);
  FOriginal->setMaximumHeight(64);
  label(QStringLiteral("Original:"), FOriginal);
  layout->addWidget(FOriginal);
  FTranslation = new QPlainTextEdit;
  FTranslation->setObjectName(QStringLiteral("translation"));
  FTranslation->setMaximumHeight(80);
  FTranslation->setTabChangesFocus(true);
  FTranslation->installEventFilter(this);
  label(QStringLiteral("&Translation (Ctrl+Enter: accept and go to the next to do):"),
        FTranslation);
  layout->addWidget(FTranslation);
  FFindings = new QLabel;
  FFindings->setObjectName(QStringLiteral("findings"));
  FFindings->setWordWrap(true);
  FFindings->setTextFormat(Qt::PlainText);
  QPalette warn = FFindings->palette();
  warn.setColor(QPalette::WindowText, QColor(0xb0, 0x30, 0x00));
  FFindings->setPalette(warn);
  layout->addWidget(FFindings);
  FSuggestions = new QListWidget;
  FSuggestions->setObjectName(QStringLiteral("suggestions"));
  FSuggestions->setMaximumHeight(120);
  label(QStringLiteral("S&uggestions (Ctrl+1 to Ctrl+9 take one):"), FSuggestions);
  layout->addWidget(FSuggestions);

  auto* buttons = new QHBoxLayout;
  auto* accept = new QPushButton(QStringLiteral("&Accept and next"));
  auto* save = new QPushButton(QStringLiteral("Sa&ve"));
  buttons->addStretch(1);
  buttons->addWidget(accept);
  buttons->addWidget(save);
  layout->addLayout(buttons);

  QObject::connect(FSearch, &QLineEdit::textChanged, this, [this] { Refilter(); });
  QObject::connect(FFilter, &QComboBox::currentIndexChanged, this, [this] { Refilter(); });
  QObject::connect(FTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
                   [this](const QModelIndex& now) {
                     if (now.isValid() && !FFilling) Select(FList->TextAt(now.row()));
                   });
  QObject::connect(FTranslation, &QPlainTextEdit::textChanged, this,
                   [this] { TranslationEdited(); });
  QObject::connect(FSuggestions, &QListWidget::itemActivated, this,
                   [this](QListWidgetItem* item) { TakeSuggestion(FSuggestions->row(item)); });
  QObject::connect(accept, &QPushButton::clicked, this, [this] { AcceptAndNext(); });
  QObject::connect(save, &QPushButton::clicked, this, [this] { Save(); });
  return panel;
}

void TWorkbenchWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  QAction* save = file->addAction(QStringLiteral("&Save"), this, [this] { Save(); });
  save->setShortcut(QKeySequence::Save);
  file->addSeparator();
  QAction* quit = file->addAction(QStringLiteral("&Quit"), this, [this] { close(); });
  quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* go = menuBar()->addMenu(QStringLiteral("&Translate"));
  QAction* accept =
      go->addAction(QStringLiteral("&Accept and Next"), this, [this] { AcceptAndNext(); });
  accept->setShortcuts(AcceptKeys());
  QAction* next = go->addAction(QStringLiteral("&Next Text"), this, [this] { MoveBy(1); });
  next->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Down));
  QAction* previous = go->addAction(QStringLiteral("&Previous Text"), this, [this] { MoveBy(-1); });
  previous->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Up));
  QAction* find = go->addAction(QStringLiteral("&Find"), this, [this] {
    FSearch->setFocus(Qt::ShortcutFocusReason);
    FSearch->selectAll();
  });
  find->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  QAction* translation = go->addAction(QStringLiteral("&Edit Translation"), this,
                                       [this] { FTranslation->setFocus(Qt::ShortcutFocusReason); });
  translation->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  go->addSeparator();
  QMenu* take = go->addMenu(QStringLiteral("Take &Suggestion"));
  for (int k = 0; k < 9; ++k) {
    QAction* a = take->addAction(QStringLiteral("Suggestion &%1").arg(k + 1), this,
                                 [this, k] { TakeSuggestion(k); });
    a->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + k)));
  }

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  QAction* originals = view->addAction(QStringLiteral("Show &Originals on the Forms"));
  originals->setCheckable(true);
  originals->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  QObject::connect(originals, &QAction::toggled, this, [this](bool on) {
    TFormView::Batch([&] { FBench.ShowTranslations(!on); });
    ShowCaptions();
    PlaceHighlight();
  });
}

void TWorkbenchWindow::UpdateTitle() {
  QString title = QStringLiteral("Glossmith workbench");
  if (!FBench.Forms().empty()) {
    QStringList files;
    for (const TWorkForm& f : FBench.Forms()) files << ToQt(ExtractFileName(f.FormFile));
    title = files.join(QStringLiteral(", ")) + QStringLiteral(" - ") + title;
  }
  setWindowModified(FBench.Modified());
  setWindowTitle(QStringLiteral("[*]") + title);
}

void TWorkbenchWindow::Refilter() {
  const TFilter filter = static_cast<TFilter>(std::max(0, FFilter->currentIndex()));
  const std::string search = FromQt(FSearch->text());
  FFilling = true;
  FList->SetTexts(FBench.Visible(filter, search));
  FFilling = false;
  if (FCurrent) {
    const int row = FList->RowOf(*FCurrent);
    if (row >= 0) {
      FFilling = true;
      FTable->setCurrentIndex(FList->index(row, 0));
      FFilling = false;
      FTable->scrollTo(FList->index(row, 0));
    }
  }
}

void TWorkbenchWindow::Select(size_t text) {
  if (text >= FBench.Texts().size()) return;
  if (FList->RowOf(text) < 0) {
    // Hidden by the filter or the search: show every text.
    const QSignalBlocker a(FSearch), b(FFilter);
    FSearch->clear();
    FFilter->setCurrentIndex(0);
    FCurrent = text;
    Refilter();
  }
  FCurrent = text;
  const int row = FList->RowOf(text);
  if (row >= 0 && FTable->currentIndex().row() != row) {
    FFilling = true;
    FTable->setCurrentIndex(FList->index(row, 0));
    FFilling = false;
    FTable->scrollTo(FList->index(row, 0));
  }
  ShowCurrent();
}

void TWorkbenchWindow::ShowCurrent() {
  if (!FCurrent) return;
  const TWorkText& text = FBench.Text(*FCurrent);
  FFilling = true;
  FOriginal->setPlainText(FieldText(text.Original));
  if (text.State == TTextState::Stale && text.Previous)
    FOriginal->setToolTip(QStringLiteral("Translated from: ") + ToQt(*text.Previous));
  else
    FOriginal->setToolTip(QString());
  FTranslation->setPlainText(FieldText(text.Translation));
  FTranslation->moveCursor(QTextCursor::End);
  FFilling = false;
  // Its page to the front, its form's tab, the frame round its control.
  TFormView::Batch([&] { FBench.ShowPlaceOf(*FCurrent); });
  FFormTabs->setCurrentIndex(static_cast<int>(text.Form));
  ShowFindings();
  ShowSuggestions();
  PlaceHighlight();
}

void TWorkbenchWindow::ShowFindings() {
  if (!FCurrent) return;
  const TWorkText& text = FBench.Text(*FCurrent);
  QStringList lines;
  if (text.State == TTextState::Stale && text.Previous)
    lines << QStringLiteral("stale: translated from \"%1\"").arg(OneLine(*text.Previous));
  for (const Check::TDiagnostic& d : text.Findings)
    lines << QStringLiteral("%1: %2 [%3]")
                 .arg(QString::fromLatin1(SeverityName(d.Severity)), ToQt(d.Message),
                      ToQt(d.Check));
  FFindings->setText(lines.join(QLatin1Char('\n')));
  FFindings->setVisible(!lines.isEmpty());
}

void TWorkbenchWindow::ShowSuggestions() {
  FSuggestions->clear();
  FSuggested.clear();
  if (!FCurrent) return;
  FSuggested = FBench.Suggestions(*FCurrent, FOptions.MinPercent, 9);
  for (size_t k = 0; k < FSuggested.size(); ++k) {
    const TSuggestion& s = FSuggested[k];
    auto* item = new QListWidgetItem(QStringLiteral("%1 %  %2   (Ctrl+%3)")
                                         .arg(s.Percent)
                                         .arg(OneLine(s.Translation))
                                         .arg(k + 1));
    item->setToolTip(QStringLiteral("%1\nfrom %2").arg(ToQt(s.Original), ToQt(s.Source)));
    FSuggestions->addItem(item);
  }
}

void TWorkbenchWindow::ShowProgress() {
  QString text = QStringLiteral("Progress: ") + Percent(FBench.Progress());
  if (FBench.Forms().size() > 1) {
    QStringList forms;
    for (size_t f = 0; f < FBench.Forms().size(); ++f) {
      const TProgress p = FBench.FormProgress(f);
      forms << QStringLiteral("%1 %2/%3")
                   .arg(ToQt(FBench.Forms()[f].Root->Name()))
                   .arg(p.Translated)
                   .arg(p.Total);
    }
    text += QStringLiteral("; ") + forms.join(QStringLiteral(", "));
  }
  FProgress->setText(text);
}

void TWorkbenchWindow::ShowCaptions() {
  for (TFormPane& pane : FForms)
    pane.Caption->setText(ToQt(static_cast<TCustomForm*>(pane.View->Form())->Caption()));
}

QWidget* TWorkbenchWindow::WidgetOf(const TComponent* component) const {
  for (const TFormPane& pane : FForms)
    if (QWidget* w = pane.View->WidgetOf(component)) return w;
  return nullptr;
}

QRect TWorkbenchWindow::Highlighted() const {
  for (const TFormPane& pane : FForms)
    if (pane.Highlight->isVisibleTo(pane.View->Client())) return pane.Highlight->geometry();
  return {};
}

void TWorkbenchWindow::PlaceHighlight() {
  for (TFormPane& pane : FForms) pane.Highlight->hide();
  if (!FCurrent) return;
  const TWorkText& text = FBench.Text(*FCurrent);
  TFormPane& pane = FForms.at(text.Form);
  QWidget* client = pane.View->Client();
  // The control itself, else the nearest control that holds it (a
  // component of a control, a menu item's menu).
  QWidget* widget = nullptr;
  for (TComponent* c = text.Component; c && !widget; c = c->GetParentComponent())
    widget = c == pane.View->Form() ? nullptr : pane.View->WidgetOf(c);
  if (!widget || !widget->isVisibleTo(client)) return;
  const QPoint at = widget->mapTo(client, QPoint(0, 0));
  pane.Highlight->setGeometry(QRect(at, widget->size()).adjusted(-2, -2, 2, 2));
  pane.Highlight->raise();
  pane.Highlight->show();
  if (auto* scroll = qobject_cast<QScrollArea*>(FFormTabs->widget(static_cast<int>(text.Form))))
    scroll->ensureWidgetVisible(widget);
}

void TWorkbenchWindow::TranslationEdited() {
  if (FFilling || !FCurrent) return;
  const size_t i = *FCurrent;
  const String translation = TranslationOf(FTranslation->toPlainText(), FBench.Text(i).Original);
  TFormView::Batch([&] { FBench.SetTranslation(i, translation); });
  FList->TextChanged(i);
  ShowFindings();
  ShowProgress();
  ShowCaptions();
  PlaceHighlight();
  UpdateTitle();
}

void TWorkbenchWindow::AcceptAndNext() {
  if (!FCurrent) return;
  const size_t i = *FCurrent;
  // A stale translation left as it is becomes one of the current original.
  if (FBench.Text(i).State == TTextState::Stale) {
    TFormView::Batch([&] { FBench.SetTranslation(i, FBench.Text(i).Translation); });
    FList->TextChanged(i);
    ShowProgress();
    UpdateTitle();
  }
  const std::optional<size_t> next = FBench.NextToDo(Listed(), i);
  // A filter of texts to do lets the one just done go.
  if (FFilter->currentIndex() != 0) Refilter();
  if (!next) {
    statusBar()->showMessage(QStringLiteral("Every text in the list is translated"), 5000);
    return;
  }
  Select(*next);
  FTranslation->setFocus(Qt::OtherFocusReason);
}

void TWorkbenchWindow::MoveBy(int step) {
  const std::vector<size_t>& listed = Listed();
  if (listed.empty()) return;
  std::optional<size_t> to;
  if (!FCurrent)
    to = listed.front();
  else
    to = step > 0 ? TWorkbench::Next(listed, *FCurrent) : TWorkbench::Previous(listed, *FCurrent);
  if (to) Select(*to);
}

void TWorkbenchWindow::TakeSuggestion(int index) {
  if (index < 0 || static_cast<size_t>(index) >= FSuggested.size()) return;
  FTranslation->setPlainText(FieldText(FSuggested[static_cast<size_t>(index)].Translation));
  FTranslation->moveCursor(QTextCursor::End);
  FTranslation->setFocus(Qt::OtherFocusReason);
}

bool TWorkbenchWindow::Save() {
  if (!FBench.Modified()) {
    statusBar()->showMessage(QStringLiteral("Nothing to save"), 5000);
    return true;
  }
  try {
    std::vector<String> written;
    TFormView::Batch([&] { written = FBench.Save(); });
    QStringList names;
    for (const String& file : written) names << ToQt(file);
    statusBar()->showMessage(QStringLiteral("Saved ") + names.join(QStringLiteral(", ")), 10000);
    UpdateTitle();
    return true;
  } catch (const Exception& e) {
    QMessageBox::warning(this, QStringLiteral("Save"), ToQt(e.Message()));
    return false;
  }
}

void TWorkbenchWindow::Picked(TComponent* component) {
  for (TComponent* c = component; c; c = c->GetParentComponent()) {
    const std::vector<size_t> texts = FBench.TextsOf(c);
    if (texts.empty()) continue;
    // Another text of the same control is kept when it is one of them.
    if (FCurrent && std::find(texts.begin(), texts.end(), *FCurrent) != texts.end()) return;
    Select(texts.front());
    return;
  }
}

void TWorkbenchWindow::closeEvent(QCloseEvent* event) {
  if (FBench.Modified()) {
    const auto answer = QMessageBox::question(
        this, QStringLiteral("Quit"), QStringLiteral("Save the translations before quitting?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Cancel || (answer == QMessageBox::Save && !Save())) {
      event->ignore();
      return;
    }
  }
  event->accept();
}

bool TWorkbenchWindow::eventFilter(QObject* watched, QEvent* event) {
  // The panel's keys go to its actions, not to the text field.
  if (watched == FTranslation && event->type() == QEvent::ShortcutOverride &&
      IsPanelKey(static_cast<QKeyEvent*>(event)))
    return true;
  // A click on a control of a form selects its texts; the click goes on to
  // the control (a page tab still turns its page).
  if (event->type() == QEvent::MouseButtonPress) {
    auto* widget = qobject_cast<QWidget*>(watched);
    TControlView* control = nullptr;
    if (widget && widget->window() == this)
      if (TFormView* view = TFormView::ViewOfWidget(widget, &control); view && control) {
        const bool ours = std::any_of(FForms.begin(), FForms.end(),
                                      [&](const TFormPane& p) { return p.View.get() == view; });
        if (ours) {
          TComponent* picked = control->Component();
          QTimer::singleShot(0, this, [this, picked] { Picked(picked); });
        }
      }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------------------

bool QtWorkbenchBuilt() { return true; }

void RunWorkbenchWindow(TWorkbench& bench, const TWorkbenchWindowOptions& options) {
  ActiveQt();
  TWorkbenchWindow window(bench, options);
  window.show();
  QEventLoop loop;
  QTimer watch;
  // The loop ends once the window has closed.
  QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
    if (!window.isVisible() || (Application && Application->Terminated())) loop.quit();
  });
  watch.start(50);
  loop.exec();
}

void SaveWorkbenchScreenshot(TWorkbench& bench, const String& fileName,
                             const TWorkbenchWindowOptions& options) {
  ActiveQt();
  TWorkbenchWindow window(bench, options);
  window.show();
  QApplication::processEvents();
  const QImage image = window.grab().toImage();
  if (!image.save(ToQt(fileName), "PNG"))
    throw EFCreateError("Cannot create file \"" + fileName + "\"");
}

}  // namespace Glossmith::inline QtFrontEnd

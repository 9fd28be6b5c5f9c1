#include "frontends/qt/QtUserInterface.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QDateTime>
#include <QEventLoop>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QToolTip>

#include "frontends/qt/Conversions.h"
#include "host/controls/Dialogs.h"

namespace Glossmith::inline QtFrontEnd {

// ---------------------------------------------------------------------------
// TFormWindow

TFormWindow::TFormWindow(TCustomForm* form) : FView(std::make_unique<TFormView>(form)) {
  setObjectName(ToQt(form->Name()));
  setCentralWidget(FView->Client());
  FObserver = form->AddObserver([this](TControl*) { Sync(); });
  Sync();
}

TFormWindow::~TFormWindow() {
  if (TCustomForm* form = Form(); form && FObserver) form->RemoveObserver(FObserver);
  // The client belongs to the view, which deletes it.
  if (QWidget* client = centralWidget()) client->setParent(nullptr);
  FView.reset();
}

void TFormWindow::SetExtraMenus(const std::vector<TMenuItem*>& menus) {
  FExtraMenus = menus;
  BuildMenuBar();
}

void TFormWindow::BuildMenuBar() {
  TCustomForm* form = Form();
  FMenu = form ? form->Menu() : nullptr;
  // The menus of the bar go with it (clearing a bar leaves them).
  qDeleteAll(FMenus);
  FMenus.clear();
  if (!FMenu && FExtraMenus.empty()) {
    if (QMenuBar* bar = qobject_cast<QMenuBar*>(menuWidget())) bar->clear();
    return;
  }
  QMenuBar* bar = menuBar();
  bar->clear();
  auto add = [&](TMenuItem* item) {
    QMenu* menu = bar->addMenu(QString());
    menu->setObjectName(ToQt(item->Name()));
    TFormView::LinkAction(menu->menuAction(), item, FView.get());
    TFormView::FillMenu(menu, item, FView.get());
    FMenus.push_back(menu);
  };
  if (FMenu)
    for (int i = 0; i < FMenu->Items()->Count(); ++i)
      if (!FMenu->Items()->Items(i)->IsLine()) add(FMenu->Items()->Items(i));
  for (TMenuItem* extra : FExtraMenus) add(extra);
}

void TFormWindow::Sync() {
  TCustomForm* form = Form();
  if (!form || FSyncing) return;
  FSyncing = true;
  const QString title = ToQt(form->Caption());
  if (windowTitle() != title) setWindowTitle(title);
  if (form->Menu() != FMenu) BuildMenuBar();
  Qt::WindowFlags flags = Qt::Window;
  switch (form->BorderStyle()) {
    case bsNone:
      flags |= Qt::FramelessWindowHint;
      break;
    case bsToolWindow:
    case bsSizeToolWin:
      flags = Qt::Tool;
      break;
    case bsDialog:
      flags = Qt::Dialog;
      break;
    default:
      break;
  }
  if (form->FormStyle() == fsStayOnTop) flags |= Qt::WindowStaysOnTopHint;
  if (windowFlags() != flags) setWindowFlags(flags);
  // The client area has the form's client size; a border that cannot be
  // sized keeps it.
  const QSize client = FView->ClientSize();
  const bool fixed = form->BorderStyle() != bsSizeable && form->BorderStyle() != bsSizeToolWin;
  if (fixed) {
    centralWidget()->setFixedSize(client);
  } else {
    centralWidget()->setMinimumSize(0, 0);
    centralWidget()->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  }
  // The window is the client area and the menu bar above it. The view
  // gives its client widget the client size before any window holds it, so
  // the window's own size is what tells whether it is sized.
  const QWidget* bar = menuWidget();
  const int barHeight = !bar || bar->isHidden() ? 0
                        : bar->hasHeightForWidth() ? bar->heightForWidth(client.width())
                                                   : bar->sizeHint().height();
  const QSize wanted(client.width(), client.height() + barHeight);
  if (size() != wanted || centralWidget()->size() != client) {
    resize(wanted);
    layout()->activate();
    // The menu bar takes what it needs above the client area.
    if (centralWidget()->height() != client.height())
      resize(client.width(), client.height() + (height() - centralWidget()->height()));
    layout()->activate();
  }
  if (form->Visible() && !isVisible()) {
    if (!FPlaced) {
      FPlaced = true;
      Place(*form);
    }
    show();
    raise();
    activateWindow();
    FView->SyncFocus();
  } else if (!form->Visible() && isVisible()) {
    hide();
  }
  FSyncing = false;
}

void TFormWindow::Place(TCustomForm& form) {
  const double s = FView->Scale();
  const TPosition position = form.Position();
  if (position == poDesigned || position == poDefaultSizeOnly) {
    move(Scaled(form.Left(), s), Scaled(form.Top(), s));
    return;
  }
  if (position == poDefault || position == poDefaultPosOnly) return;  // where Qt puts it
  // Centred by the window's own size: over the main form's (or the owner
  // form's) window when that shows, else on the screen.
  QRect area;
  const TCustomForm* over = nullptr;
  if (position == poMainFormCenter && Application) over = Application->MainForm();
  if (position == poOwnerFormCenter) over = dynamic_cast<const TCustomForm*>(form.Owner());
  if (over && over != &form)
    if (auto* ui = dynamic_cast<TQtUserInterface*>(&UserInterface()))
      if (const TFormWindow* w = ui->FindWindow(over); w && w->isVisible())
        area = w->frameGeometry();
  if (area.isNull())
    if (QScreen* screen = QGuiApplication::primaryScreen()) area = screen->availableGeometry();
  if (area.isNull()) return;
  QRect frame(QPoint(), size());
  frame.moveCenter(area.center());
  move(frame.topLeft());
}

void TFormWindow::closeEvent(QCloseEvent* event) {
  // The title bar's close goes through the form's close handshake; the
  // form hides itself (and so this window) when it agrees.
  event->ignore();
  if (TCustomForm* form = Form()) FView->Deliver([form] { form->Close(); });
}

void TFormWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  TCustomForm* form = Form();
  if (!form || FSyncing || !isVisible()) return;
  // A person sized the window: the form takes the new client size.
  const QSize client = centralWidget()->size();
  if (client == FView->ClientSize()) return;
  const double s = FView->Scale();
  FView->Deliver([&] {
    form->SetClientWidth(static_cast<Integer>(client.width() / s + 0.5));
    form->SetClientHeight(static_cast<Integer>(client.height() / s + 0.5));
  });
  FView->SyncChildrenGeometry(form);
}

// ---------------------------------------------------------------------------
// The service

// Hears when a form with a window is destroyed.
class TQtUserInterface::TFormLink : public TComponent {
 public:
  explicit TFormLink(TQtUserInterface& ui) : TComponent(nullptr), FUi(ui) {}
  void Watch(TComponent* c) { FreeNotification(c); }

 protected:
  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove) FUi.FormGone(AComponent);
  }

 private:
  TQtUserInterface& FUi;
};

TQtUserInterface::TQtUserInterface() : FLink(std::make_unique<TFormLink>(*this)) {
  FHintTimer.setSingleShot(true);
  QObject::connect(&FHintTimer, &QTimer::timeout, [this] {
    if (!FHintWidget || FHintText.isEmpty()) return;
    const int hide = Application ? Application->HintHidePause() : 2500;
    QToolTip::showText(QCursor::pos(), FHintText, FHintWidget, QRect(), hide);
  });
}

TQtUserInterface::~TQtUserInterface() {
  if (FOverrideCursor) QApplication::restoreOverrideCursor();
  // The windows go now, while Qt is still there; their forms stay.
  const auto windows = FWindows;
  FWindows.clear();
  FLink.reset();
  for (TFormWindow* w : windows) delete w;
}

TFormWindow* TQtUserInterface::FindWindow(const TCustomForm* form) const {
  return FWindows.value(form, nullptr);
}

TFormWindow* TQtUserInterface::WindowOf(TCustomForm* form) {
  if (TFormWindow* w = FindWindow(form)) return w;
  auto* w = new TFormWindow(form);
  FWindows.insert(form, w);
  FLink->Watch(form);
  return w;
}

void TQtUserInterface::FormGone(TComponent* form) {
  TFormWindow* w = FWindows.take(form);
  if (!w) return;
  // The form's observers went with it.
  w->View().ComponentGone(form);
  w->hide();
  // Not while one of its widgets is delivering an event.
  if (TFormView::Delivering())
    w->deleteLater();
  else
    delete w;
}

void TQtUserInterface::InputDelivered() {
  if (FModal.empty()) return;
  TModalRun* run = FModal.back();
  if (!run->Loop->isRunning()) return;
  try {
    if ((*run->Closed)()) run->Loop->quit();
  } catch (...) {
    // The error passes out of the modal run, as ShowModal lets it pass.
    run->Error = std::current_exception();
    run->Loop->quit();
  }
}

void TQtUserInterface::RunModal(TComponent* component, const std::function<bool()>& closed) {
  auto* form = dynamic_cast<TCustomForm*>(component);
  if (!form)
    throw EInvalidOperation("Cannot show " + (component ? component->Name() : String("nothing")) +
                            " modally: it is not a form");
  TFormView::Flush();
  TFormWindow* window = WindowOf(form);
  window->setWindowModality(Qt::ApplicationModal);
  window->Sync();
  if (!window->isVisible()) window->show();
  window->View().SyncFocus();
  if (closed()) return;
  QEventLoop loop;
  TModalRun run{&closed, &loop, nullptr};
  FModal.push_back(&run);
  loop.exec(QEventLoop::DialogExec);
  FModal.pop_back();
  if (TFormWindow* still = FindWindow(form)) still->setWindowModality(Qt::NonModal);
  if (run.Error) std::rethrow_exception(run.Error);
}

namespace {

QWidget* DialogParent() {
  // The forms under the dialog show what is so.
  TFormView::Flush();
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  return QApplication::activeWindow();
}

QMessageBox::StandardButton StandardButtonOf(TMsgDlgBtn button) {
  switch (button) {
    case mbYes:
      return QMessageBox::Yes;
    case mbNo:
      return QMessageBox::No;
    case mbOK:
      return QMessageBox::Ok;
    case mbCancel:
      return QMessageBox::Cancel;
    case mbAbort:
      return QMessageBox::Abort;
    case mbRetry:
      return QMessageBox::Retry;
    case mbIgnore:
      return QMessageBox::Ignore;
    case mbAll:
      return QMessageBox::YesAll;
    case mbNoToAll:
      return QMessageBox::NoToAll;
    case mbYesToAll:
      return QMessageBox::YesToAll;
    case mbHelp:
      return QMessageBox::Help;
  }
  return QMessageBox::NoButton;
}

}  // namespace

Integer TQtUserInterface::MessageBox(const TMessageRequest& request) {
  QMessageBox box(DialogParent());
  box.setWindowTitle(ToQt(request.Caption));
  box.setText(ToQt(request.Text));
  box.setTextFormat(Qt::PlainText);
  switch (request.Type) {
    case mtWarning:
      box.setIcon(QMessageBox::Warning);
      break;
    case mtError:
      box.setIcon(QMessageBox::Critical);
      break;
    case mtInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case mtConfirmation:
      box.setIcon(QMessageBox::Question);
      break;
    case mtCustom:
      break;
  }
  // The buttons in the order of their kinds; the first is the default, and
  // Escape chooses the cancel-like one (Cancel, else No, else OK), as the
  // headless answer does.
  QHash<QAbstractButton*, TMsgDlgBtn> kinds;
  QAbstractButton* first = nullptr;
  for (uint8_t b = mbYes; b <= mbHelp; ++b) {
    const auto kind = static_cast<TMsgDlgBtn>(b);
    if (!request.Buttons.Contains(kind)) continue;
    QAbstractButton* button = box.addButton(StandardButtonOf(kind));
    if (kind == mbAll) button->setText(QMessageBox::tr("&All"));
    kinds.insert(button, kind);
    if (!first) first = button;
  }
  if (kinds.isEmpty()) {
    first = box.addButton(QMessageBox::Ok);
    kinds.insert(first, mbOK);
  }
  if (auto* push = qobject_cast<QPushButton*>(first)) box.setDefaultButton(push);
  for (TMsgDlgBtn cancel : {mbCancel, mbNo, mbOK})
    if (request.Buttons.Contains(cancel)) {
      box.setEscapeButton(box.button(StandardButtonOf(cancel)));
      break;
    }
  for (;;) {
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    if (!clicked) {
      // Closed by the title bar: as Escape.
      if (QAbstractButton* escape = box.escapeButton()) clicked = escape;
    }
    const TMsgDlgBtn kind = clicked ? kinds.value(clicked, mbOK) : mbOK;
    // Help closes nothing.
    if (kind == mbHelp) continue;
    return clicked ? ButtonModalResult(kind) : mrCancel;
  }
}

bool TQtUserInterface::InputQuery(TInputRequest& request) {
  QInputDialog dialog(DialogParent());
  dialog.setWindowTitle(ToQt(request.Caption));
  dialog.setLabelText(ToQt(request.Prompt));
  dialog.setTextValue(ToQt(request.Value));
  dialog.setInputMode(QInputDialog::TextInput);
  if (dialog.exec() != QDialog::Accepted) return false;
  request.Value = FromQt(dialog.textValue());
  return true;
}

bool TQtUserInterface::FileDialog(TFileDialogRequest& request) {
  QFileDialog dialog(DialogParent(), ToQt(request.Title));
  // Qt's own dialog, so that it looks and works alike on every platform and
  // without a desktop (offscreen).
  dialog.setOption(QFileDialog::DontUseNativeDialog, true);
  dialog.setAcceptMode(request.Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.Save          ? QFileDialog::AnyFile
                     : request.MultiSelect ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
  const QStringList filters = NameFilters(request.Filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    const qsizetype index = std::clamp<qsizetype>(request.FilterIndex, 1, filters.size()) - 1;
    dialog.selectNameFilter(filters[index]);
  }
  if (!request.DefaultExt.empty()) dialog.setDefaultSuffix(ToQt(request.DefaultExt));
  if (!request.InitialDir.empty()) dialog.setDirectory(ToQt(request.InitialDir));
  if (!request.FileName.empty()) dialog.selectFile(ToQt(request.FileName));
  if (dialog.exec() != QDialog::Accepted) return false;
  const QStringList chosen = dialog.selectedFiles();
  if (chosen.isEmpty()) return false;
  request.Files.clear();
  for (const QString& file : chosen) request.Files.push_back(FromQt(file));
  request.FileName = request.Files.front();
  const qsizetype filter = filters.indexOf(dialog.selectedNameFilter());
  if (filter >= 0) request.FilterIndex = static_cast<Integer>(filter + 1);
  return true;
}

bool TQtUserInterface::FontDialog(TFontData& font) {
  QFont initial(FamilyFor(font.Name));
  if (font.Size > 0) initial.setPointSize(font.Size);
  initial.setBold(font.Bold);
  initial.setItalic(font.Italic);
  initial.setUnderline(font.Underline);
  initial.setStrikeOut(font.StrikeOut);
  QFontDialog dialog(initial, DialogParent());
  dialog.setOption(QFontDialog::DontUseNativeDialog, true);
  if (dialog.exec() != QDialog::Accepted) return false;
  const QFont chosen = dialog.selectedFont();
  // A family shown in place of a missing one keeps the name asked for.
  if (chosen.family() != initial.family() || font.Name.empty()) font.Name = FromQt(chosen.family());
  if (chosen.pointSize() > 0) font.Size = chosen.pointSize();
  font.Bold = chosen.bold();
  font.Italic = chosen.italic();
  font.Underline = chosen.underline();
  font.StrikeOut = chosen.strikeOut();
  // The colour and the character set stay: Qt's dialog has neither.
  return true;
}

void TQtUserInterface::CursorChanged(Integer cursor) {
  if (FOverrideCursor) {
    QApplication::restoreOverrideCursor();
    FOverrideCursor = false;
  }
  if (cursor != crDefault) {
    QApplication::setOverrideCursor(QCursor(CursorShapeOf(cursor)));
    FOverrideCursor = true;
  }
}

void TQtUserInterface::HintShown(TComponent* control, const String& text) {
  QWidget* widget = nullptr;
  for (TFormWindow* w : FWindows)
    if (QWidget* found = w->View().WidgetOf(control)) widget = found;
  FHintWidget = widget;
  FHintText = ToQt(text);
  // The application's timings: the pause before a hint shows, shorter
  // while hints were showing a moment ago.
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  const bool recent = now - FLastHintHidden < 500 || QToolTip::isVisible();
  int pause =
      Application ? (recent ? Application->HintShortPause() : Application->HintPause()) : 500;
  FHintTimer.start(std::max(0, pause));
}

void TQtUserInterface::HintCancelled() {
  FHintTimer.stop();
  if (!FHintText.isEmpty()) FLastHintHidden = QDateTime::currentMSecsSinceEpoch();
  FHintText.clear();
  QToolTip::hideText();
}

}  // namespace Glossmith::inline QtFrontEnd

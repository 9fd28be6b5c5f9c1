// The user-interface service with Qt: forms in windows of their own,
// modal runs in a Qt event loop, and the message, input, file and font
// dialogs as Qt's dialogs. Needs a QApplication.
#pragma once

#include <QEventLoop>
#include <QHash>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <exception>
#include <memory>

#include "frontends/qt/FormView.h"
#include "host/platform/UserInterface.h"

namespace Glossmith::inline QtFrontEnd {

// The window of a form: the form's main menu (and a viewer's own menus) in
// its menu bar, the form's client area below. It shows while the form is
// visible, its title is the form's caption, and closing it is the title
// bar's close of the form (TCustomForm::Close).
class TFormWindow : public QMainWindow {
 public:
  explicit TFormWindow(TCustomForm* form);
  ~TFormWindow() override;

  TCustomForm* Form() const { return FView ? FView->Form() : nullptr; }
  TFormView& View() const { return *FView; }
  // Menus of a viewer's own after the form's menu (not owned).
  void SetExtraMenus(const std::vector<TMenuItem*>& menus);
  // Follows the form: caption, size, border, visibility, menu.
  void Sync();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenuBar();
  // Where the window first shows, as the form's Position says.
  void Place(TCustomForm& form);

  std::unique_ptr<TFormView> FView;
  int FObserver = 0;
  TMainMenu* FMenu = nullptr;
  std::vector<TMenuItem*> FExtraMenus;
  std::vector<QMenu*> FMenus;
  bool FPlaced = false;
  bool FSyncing = false;
};

class TQtUserInterface : public TUserInterface {
 public:
  // Needs the QApplication to exist.
  TQtUserInterface();
  ~TQtUserInterface() override;

  // The window of a form, made on first use; it goes with the form.
  TFormWindow* WindowOf(TCustomForm* form);
  // The window of a form if it has one.
  TFormWindow* FindWindow(const TCustomForm* form) const;
  // The form views deliver every input here: a modal run whose form may
  // now close (its close handshake agrees) ends.
  void InputDelivered();
  // A form is gone (it is no form any more, only the component being
  // destroyed): its window goes too.
  void FormGone(TComponent* form);

  // The hint showing now (empty when none), for tests.
  QString ShownHint() const { return FHintText; }
  bool HintPending() const { return FHintTimer.isActive(); }

  // TUserInterface
  void RunModal(TComponent* form, const std::function<bool()>& closed) override;
  Integer MessageBox(const TMessageRequest& request) override;
  bool InputQuery(TInputRequest& request) override;
  bool FileDialog(TFileDialogRequest& request) override;
  bool FontDialog(TFontData& font) override;
  void CursorChanged(Integer cursor) override;
  void HintShown(TComponent* control, const String& text) override;
  void HintCancelled() override;
  // Qt's text layout implements the Unicode bidirectional algorithm in
  // every text widget, on every system and in every locale: right-to-left
  // text is entered, shown and edited by Qt itself.
  bool HandlesRightToLeftInput() const override { return true; }

 private:
  class TFormLink;
  struct TModalRun {
    const std::function<bool()>* Closed;
    QEventLoop* Loop;
    std::exception_ptr Error;
  };

  QHash<const TComponent*, TFormWindow*> FWindows;
  std::unique_ptr<TFormLink> FLink;
  std::vector<TModalRun*> FModal;
  bool FOverrideCursor = false;
  QTimer FHintTimer;
  QString FHintText;
  QPointer<QWidget> FHintWidget;
  qint64 FLastHintHidden = 0;
};

}  // namespace Glossmith::inline QtFrontEnd

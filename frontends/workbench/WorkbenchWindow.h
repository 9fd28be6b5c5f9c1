// The workbench's window: each form in the live preview (its caption, its
// menu bar and its client area, one tab per form) beside the panel of its
// texts: search, filter, progress, the list, the original, the translation
// with the check findings under it, and the suggestions. The panel only
// shows the workbench's model and passes what the translator does to it.
//
// Widgets by object name, for tests: "search", "filter", "progress",
// "texts", "original", "translation", "findings", "suggestions", "forms",
// and per form "caption" and "highlight" (the frame round the control of the
// selected text) inside the form's frame.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <memory>
#include <optional>
#include <vector>

#include "frontends/qt/FormView.h"
#include "frontends/workbench/QtWorkbench.h"
#include "frontends/workbench/TextListModel.h"

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenuBar;
class QPlainTextEdit;
class QTableView;
class QTabWidget;

namespace Glossmith::inline QtFrontEnd {

class TWorkbenchWindow : public QMainWindow {
 public:
  explicit TWorkbenchWindow(TWorkbench& bench, const TWorkbenchWindowOptions& options = {});
  ~TWorkbenchWindow() override;

  TWorkbench& Bench() const { return FBench; }
  // The text being translated, if any.
  std::optional<size_t> Current() const { return FCurrent; }
  // Selects a text: shows it in the fields, its suggestions and findings,
  // and its control in the preview (on its page, with the frame round it).
  // A text the filter or search hides is shown after both are cleared.
  void Select(size_t text);
  // The texts in the list now, in order.
  const std::vector<size_t>& Listed() const { return FList->Texts(); }
  // The preview of a form and the widget of a control in it.
  TFormView& View(size_t form) const { return *FForms.at(form).View; }
  QWidget* WidgetOf(const TComponent* component) const;
  // Where the frame round the selected control is, in the form's client
  // (empty when no control is framed).
  QRect Highlighted() const;

  // The actions, as the menus and keys reach them.
  void AcceptAndNext();
  void MoveBy(int step);
  void TakeSuggestion(int index);
  // Writes what changed; a failure is shown in a message box and the edits
  // stay. True when everything is saved.
  bool Save();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TFormPane {
    std::unique_ptr<TFormView> View;
    QFrame* Frame = nullptr;
    QLabel* Caption = nullptr;
    QMenuBar* MenuBar = nullptr;
    QFrame* Highlight = nullptr;
  };

  void BuildPreview();
  QWidget* BuildPanel();
  void BuildMenus();
  void Refilter();
  void ShowCurrent();
  void ShowFindings();
  void ShowSuggestions();
  void ShowProgress();
  void ShowCaptions();
  void PlaceHighlight();
  void TranslationEdited();
  // The texts of the control under a click (or of its parents, the nearest
  // that has some), selected in the list.
  void Picked(TComponent* component);
  void UpdateTitle();

  TWorkbench& FBench;
  TWorkbenchWindowOptions FOptions;
  std::vector<TFormPane> FForms;
  std::optional<size_t> FCurrent;
  std::vector<TSuggestion> FSuggested;
  bool FFilling = false;  // the fields are being filled, not typed in

  QTabWidget* FFormTabs = nullptr;
  QLineEdit* FSearch = nullptr;
  QComboBox* FFilter = nullptr;
  QLabel* FProgress = nullptr;
  QTableView* FTable = nullptr;
  TTextListModel* FList = nullptr;
  QPlainTextEdit* FOriginal = nullptr;
  QPlainTextEdit* FTranslation = nullptr;
  QLabel* FFindings = nullptr;
  QListWidget* FSuggestions = nullptr;
};

}  // namespace Glossmith::inline QtFrontEnd

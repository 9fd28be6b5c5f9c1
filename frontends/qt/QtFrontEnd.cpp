#include "frontends/qt/QtFrontEnd.h"

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QStyleFactory>
#include <QTimer>
#include <cstdlib>

#include "frontends/qt/Conversions.h"
#include "frontends/qt/QtUserInterface.h"

namespace Glossmith::inline QtFrontEnd {

bool QtFrontEndBuilt() { return true; }

bool DisplayAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
    if (const char* value = std::getenv(name); value && *value) return true;
  return false;
}

namespace {

// Qt and the service, made by UseQtUserInterfaceIfAvailable. They are not
// destroyed when the program ends (Qt cannot be taken down after main has
// returned, once its platform plugin is gone): CloseQtUserInterface ends them.
struct TQtRuntime {
  QApplication* App = nullptr;
  TQtUserInterface* Ui = nullptr;
};

TQtRuntime& Runtime() {
  static TQtRuntime runtime;
  return runtime;
}

}  // namespace

bool UseQtUserInterfaceIfAvailable(const TQtStartOptions& options) {
  TQtRuntime& runtime = Runtime();
  if (!runtime.Ui) {
    if (!QApplication::instance()) {
      if (options.Offscreen)
        qputenv("QT_QPA_PLATFORM", "offscreen");
      else if (!DisplayAvailable())
        return false;
      static int argc = 1;
      static char name[] = "gls";
      static char* argv[] = {name, nullptr};
      // The offscreen platform tells of every window feature it lacks, and
      // a session without a desktop of its runtime folder.
      static QtMessageHandler previous = qInstallMessageHandler(
          [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (message.startsWith(QLatin1String("This plugin does not support"))) return;
            // Without a desktop session Qt keeps its runtime files in /tmp.
            if (message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
              return;
            if (previous) previous(type, context, message);
          });
      runtime.App = new QApplication(argc, argv);
      // One look on every platform and without a desktop, so that
      // screenshots are alike wherever they are made.
      if (QStyle* style = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(style);
    }
    runtime.Ui = new TQtUserInterface;
  }
  SetUserInterface(runtime.Ui);
  return true;
}

void CloseQtUserInterface() {
  TQtRuntime& runtime = Runtime();
  if (runtime.Ui) {
    if (&UserInterface() == runtime.Ui) SetUserInterface(nullptr);
    delete runtime.Ui;
    runtime.Ui = nullptr;
  }
  if (runtime.App) {
    delete runtime.App;
    runtime.App = nullptr;
  }
}

// ---------------------------------------------------------------------------
// TFormWindows

struct TFormWindows::TImpl {
  TQtUserInterface* Ui = nullptr;
  std::vector<TCustomForm*> Forms;
};

namespace {

TQtUserInterface& ActiveQt() {
  auto* ui = dynamic_cast<TQtUserInterface*>(&UserInterface());
  if (!ui) throw EInvalidOperation("The Qt user interface is not active");
  return *ui;
}

}  // namespace

TFormWindows::TFormWindows() : FImpl(std::make_unique<TImpl>()) { FImpl->Ui = &ActiveQt(); }

TFormWindows::~TFormWindows() {
  // The viewer's menus go before the windows that show them.
  for (TCustomForm* form : FImpl->Forms)
    if (TFormWindow* w = FImpl->Ui->FindWindow(form)) w->SetExtraMenus({});
}

void TFormWindows::Show(TCustomForm* form, const std::vector<TMenuItem*>& menus) {
  TFormWindow* window = FImpl->Ui->WindowOf(form);
  window->SetExtraMenus(menus);
  if (std::find(FImpl->Forms.begin(), FImpl->Forms.end(), form) == FImpl->Forms.end())
    FImpl->Forms.push_back(form);
  form->Show();
  TFormView::Flush();
  window->Sync();
}

void TFormWindows::SaveScreenshot(TCustomForm* form, const String& fileName) {
  TFormWindow* window = FImpl->Ui->WindowOf(form);
  TFormView::Flush();
  window->Sync();
  QApplication::processEvents();
  QWidget* client = window->View().Client();
  const QImage image = client->grab().toImage();
  if (!image.save(ToQt(fileName), "PNG"))
    throw EFCreateError("Cannot create file \"" + fileName + "\"");
}

void TFormWindows::Exec() {
  auto anyVisible = [this] {
    for (TCustomForm* form : FImpl->Forms)
      if (TFormWindow* w = FImpl->Ui->FindWindow(form); w && w->isVisible()) return true;
    return false;
  };
  QEventLoop loop;
  QTimer watch;
  // The loop ends once the last window has closed.
  QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
    if (!anyVisible() || (Application && Application->Terminated())) loop.quit();
  });
  watch.start(50);
  if (anyVisible()) loop.exec();
}

}  // namespace Glossmith::inline QtFrontEnd

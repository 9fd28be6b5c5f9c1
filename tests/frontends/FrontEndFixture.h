// Forms shown through the Qt service, and the widgets that show them.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <memory>

#include "frontends/qt/Conversions.h"
#include "frontends/qt/QtUserInterface.h"
#include "host/formfiles/FormFiles.h"
#include "support/TestSupport.h"

namespace frontendtest {

using namespace Glossmith;

inline TQtUserInterface& Ui() { return dynamic_cast<TQtUserInterface&>(UserInterface()); }

// Reads a form of tests/data/qt as a plain form owned by the application.
inline std::unique_ptr<TForm> ReadTestForm(const String& name) {
  const String data = testsupport::ReadFile(testsupport::DataDir() + "/qt/" + name);
  return std::unique_ptr<TForm>(
      static_cast<TForm*>(ReadFormFromString(data, Application, &TForm::StaticClass())));
}

// Shows a form in its window and waits until the window is up.
inline TFormWindow* ShowForm(TCustomForm* form) {
  TFormWindow* window = Ui().WindowOf(form);
  form->Show();
  window->Sync();
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(window));
  return window;
}

template <class W = QWidget>
W* Widget(TFormWindow* window, const char* name) {
  W* w = window->findChild<W*>(QString::fromLatin1(name));
  EXPECT_NE(w, nullptr) << name;
  return w;
}

// Runs `action` as soon as the event loop of a modal run or dialog that is
// about to start is running.
inline void Soon(std::function<void()> action) { QTimer::singleShot(0, qApp, std::move(action)); }

// The dialog (message box, input box...) shown now.
template <class D>
D* ActiveDialog() {
  return qobject_cast<D*>(QApplication::activeModalWidget());
}

}  // namespace frontendtest

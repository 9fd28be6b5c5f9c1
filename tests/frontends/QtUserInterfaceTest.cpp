// The Qt service: modal runs in an event loop that ends with the form's
// close handshake, and the dialogs with the texts, buttons and answers the
// callers expect.
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextEdit>

#include "FrontEndFixture.h"
#include "host/controls/Dialogs.h"
#include "host/controls/StdCtrls.h"

namespace frontendtest {
namespace {

// A dialog form with OK and Cancel buttons, built in code.
struct TDialogForm {
  TDialogForm() : Form(std::make_unique<TForm>(Application)) {
    Form->SetName("Dialog1");
    Form->SetCaption("A dialog");
    Form->SetBorderStyle(bsDialog);
    Form->SetBounds(0, 0, 300, 150);
    Ok = new TButton(Form.get());
    Ok->SetName("BtnOK");
    Ok->SetParent(Form.get());
    Ok->SetBounds(120, 80, 75, 25);
    Ok->SetModalResult(mrOk);
    Cancel = new TButton(Form.get());
    Cancel->SetName("BtnCancel");
    Cancel->SetParent(Form.get());
    Cancel->SetBounds(200, 80, 75, 25);
    Cancel->SetCancel(true);
    Cancel->SetModalResult(mrCancel);
  }
  TFormWindow* Window() const { return Ui().FindWindow(Form.get()); }
  std::unique_ptr<TForm> Form;
  TButton* Ok;
  TButton* Cancel;
};

TEST(QtUserInterfaceTest, AModalRunEndsWhenTheFormMayClose) {
  TDialogForm d;
  bool refuse = true;
  int asked = 0;
  d.Form->OnCloseQuery = [&](TObject*, bool& canClose) {
    ++asked;
    canClose = !refuse;
  };
  Soon([&] {
    TFormWindow* w = d.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->windowModality(), Qt::ApplicationModal);
    EXPECT_EQ(w->windowTitle(), "A dialog");
    // Refused: the form stays open and its result is cleared.
    QTest::mouseClick(w->findChild<QWidget*>("BtnOK"), Qt::LeftButton);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(d.Form->ModalResult(), mrNone);
    refuse = false;
    QTest::mouseClick(w->findChild<QWidget*>("BtnOK"), Qt::LeftButton);
  });
  EXPECT_EQ(d.Form->ShowModal(), mrOk);
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(d.Form->Visible());
  EXPECT_FALSE(d.Window()->isVisible());

  // Escape presses the Cancel button; the title bar's close is Cancel too.
  Soon([&] { QTest::keyClick(d.Window()->findChild<QWidget*>("BtnOK"), Qt::Key_Escape); });
  EXPECT_EQ(d.Form->ShowModal(), mrCancel);
  Soon([&] { d.Window()->close(); });
  EXPECT_EQ(d.Form->ShowModal(), mrCancel);
}

TEST(QtUserInterfaceTest, AnErrorOfTheCloseHandshakePassesOutOfShowModal) {
  TDialogForm d;
  d.Form->OnCloseQuery = [](TObject*, bool&) { throw EInvalidOperation("not now"); };
  Soon([&] { QTest::mouseClick(d.Window()->findChild<QWidget*>("BtnOK"), Qt::LeftButton); });
  EXPECT_THROW(d.Form->ShowModal(), EInvalidOperation);
  EXPECT_FALSE(d.Form->Visible());
}

TEST(QtUserInterfaceTest, MessageBoxesShowTheirTextsAndAnswerWithTheButtonChosen) {
  struct TCase {
    TMsgDlgButtons Buttons;
    QMessageBox::StandardButton Click;  // NoButton: Escape
    Integer Result;
  };
  const TCase cases[] = {
      {{mbYes, mbNo}, QMessageBox::No, mrNo},
      {{mbYes, mbNo, mbCancel}, QMessageBox::Yes, mrYes},
      {{mbYes, mbNo, mbCancel}, QMessageBox::NoButton, mrCancel},
      {{mbYes, mbNo}, QMessageBox::NoButton, mrNo},
      {{mbOK}, QMessageBox::NoButton, mrOk},
      {{mbAbort, mbRetry, mbIgnore}, QMessageBox::Retry, mrRetry},
      {{mbYesToAll, mbNoToAll}, QMessageBox::NoToAll, mrNoToAll},
  };
  for (const TCase& c : cases) {
    QStringList shown;
    Soon([&] {
      auto* box = ActiveDialog<QMessageBox>();
      ASSERT_NE(box, nullptr);
      shown << box->windowTitle() << box->text();
      for (QAbstractButton* b : box->buttons()) shown << b->text();
      if (c.Click == QMessageBox::NoButton)
        QTest::keyClick(box, Qt::Key_Escape);
      else
        box->button(c.Click)->click();
    });
    EXPECT_EQ(MessageDlg("Discard the changes?", mtWarning, c.Buttons, 0), c.Result);
    ASSERT_GE(shown.size(), 2);
    EXPECT_EQ(shown[0], "Warning");
    EXPECT_EQ(shown[1], "Discard the changes?");
  }
}

TEST(QtUserInterfaceTest, TheInputBoxAnswersTheTextEnteredOrCancel) {
  String value = "Caption";
  Soon([] {
    auto* dialog = ActiveDialog<QInputDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Add a property");
    EXPECT_EQ(dialog->labelText(), "Please enter the property name");
    EXPECT_EQ(dialog->textValue(), "Caption");
    dialog->setTextValue("Hint");
    dialog->accept();
  });
  EXPECT_TRUE(InputQuery("Add a property", "Please enter the property name", value));
  EXPECT_EQ(value, "Hint");
  Soon([] { ActiveDialog<QInputDialog>()->reject(); });
  EXPECT_EQ(InputBox("Title", "Prompt", "kept"), "kept");
}

TEST(QtUserInterfaceTest, FileDialogsTakeTheirFiltersAndInitialNameAndAnswerTheChoice) {
  EXPECT_EQ(NameFilters("Text files (*.txt)|*.txt|Forms|*.dfm;*.lfm|All|*.*"),
            (QStringList{"Text files (*.txt)", "Forms (*.dfm *.lfm)", "All (*.*)"}));
  testsupport::TempDir dir;
  testsupport::WriteFile(dir.File("a.dfm"), "object A: TForm\nend\n");
  TOpenDialog open(nullptr);
  open.SetTitle("Open a form");
  open.SetFilter("Text files|*.txt|Forms|*.dfm;*.lfm");
  open.SetFilterIndex(2);
  open.SetInitialDir(dir.Path().string());
  open.SetFileName("a.dfm");
  Soon([&] {
    auto* dialog = ActiveDialog<QFileDialog>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Open a form");
    EXPECT_EQ(dialog->selectedNameFilter(), "Forms (*.dfm *.lfm)");
    EXPECT_EQ(dialog->directory().absolutePath(), ToQt(dir.Path().string()));
    QMetaObject::invokeMethod(dialog, "accept");
  });
  ASSERT_TRUE(open.Execute());
  EXPECT_EQ(open.FileName(), dir.File("a.dfm"));
  EXPECT_EQ(open.FilterIndex(), 2);

  TSaveDialog save(nullptr);
  save.SetDefaultExt("txt");
  save.SetFileName("kept.txt");
  Soon([] { QMetaObject::invokeMethod(ActiveDialog<QFileDialog>(), "reject"); });
  EXPECT_FALSE(save.Execute());
  EXPECT_EQ(save.FileName(), "kept.txt") << "a cancelled dialog keeps its last choice";
}

TEST(QtUserInterfaceTest, TheFontDialogAnswersNameSizeAndStylesAndKeepsTheColour) {
  TFontDialog dialog(nullptr);
  dialog.Font()->SetName("Arial");
  dialog.Font()->SetSize(10);
  dialog.Font()->SetColor(clRed);
  Soon([] {
    auto* d = ActiveDialog<QFontDialog>();
    ASSERT_NE(d, nullptr);
    EXPECT_EQ(d->currentFont().pointSize(), 10);
    QFont chosen(FamilyFor("Courier New"));
    chosen.setPointSize(12);
    chosen.setBold(true);
    d->setCurrentFont(chosen);
    d->accept();
  });
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Font()->Name(), FromQt(FamilyFor("Courier New")));
  EXPECT_EQ(dialog.Font()->Size(), 12);
  EXPECT_TRUE(dialog.Font()->Style().Contains(fsBold));
  EXPECT_EQ(dialog.Font()->Color(), clRed);
}

TEST(QtUserInterfaceTest, TheScreenCursorAndRightToLeftTextComeFromQt) {
  Screen->SetCursor(crHourGlass);
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  Screen->SetCursor(crDefault);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);

  EXPECT_TRUE(UserInterface().HandlesRightToLeftInput());
  // A memo's alignment and reading order follow its BiDiMode: under
  // right-to-left the classic alignments mirror, as Qt's leading and
  // trailing ones do; NoAlign keeps the alignment as it is.
  TDialogForm d;
  auto* memo = new TMemo(d.Form.get());
  memo->SetName("Memo1");
  memo->SetParent(d.Form.get());
  memo->SetText("שלום עולם");
  memo->SetBiDiMode(bdRightToLeft);
  d.Form->Show();
  auto* edit = Ui().WindowOf(d.Form.get())->findChild<QTextEdit*>("Memo1");
  ASSERT_NE(edit, nullptr);
  const QTextOption option = edit->document()->defaultTextOption();
  EXPECT_EQ(option.textDirection(), Qt::RightToLeft);
  EXPECT_EQ(edit->layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(QStyle::visualAlignment(edit->layoutDirection(), option.alignment()) & Qt::AlignRight,
            Qt::AlignRight)
      << "a left-justified memo reads from the right";
  memo->SetBiDiMode(bdRightToLeftNoAlign);
  EXPECT_TRUE(edit->document()->defaultTextOption().alignment() & Qt::AlignAbsolute);
  memo->SetAlignment(taRightJustify);
  memo->SetBiDiMode(bdLeftToRight);
  EXPECT_EQ(edit->document()->defaultTextOption().alignment(), Qt::AlignRight);
  EXPECT_EQ(edit->document()->defaultTextOption().textDirection(), Qt::LeftToRight);
  d.Form->Hide();
}

// A window is its form's client area with the menu bar above it, and a
// centred one is centred by that size.
TEST(QtUserInterfaceTest, AWindowHasItsFormsClientSizeAndIsCentredByIt) {
  auto read = [](const String& text) {
    return std::unique_ptr<TForm>(
        static_cast<TForm*>(ReadFormFromString(text, Application, &TForm::StaticClass())));
  };
  auto form = read(
      "object Operation: TForm\n  Left = 0\n  Top = 0\n  BorderStyle = bsDialog\n"
      "  ClientHeight = 81\n  ClientWidth = 742\n  Menu = MainMenu1\n"
      "  Position = poScreenCenter\n  object MainMenu1: TMainMenu\n"
      "    object File1: TMenuItem\n      Caption = '&File'\n    end\n  end\nend\n");
  TFormWindow* window = ShowForm(form.get());
  EXPECT_EQ(form->ClientHeight(), 81);
  EXPECT_EQ(window->centralWidget()->size(), QSize(742, 81));
  EXPECT_EQ(window->size(), QSize(742, 81 + window->menuBar()->height()));
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QPoint off = window->frameGeometry().center() - screen.center();
  EXPECT_TRUE(std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2)
      << "centred by its own size: " << off.x() << ", " << off.y();

  // A sizeable form whose file gives the outer size, then the client size:
  // the client size wins, and stays once the window shows.
  auto sizeable = read(
      "object Sizeable: TForm\n  Left = 10\n  Top = 20\n  Width = 900\n  Height = 700\n"
      "  ClientHeight = 200\n  ClientWidth = 300\n  Position = poDesigned\nend\n");
  TFormWindow* second = ShowForm(sizeable.get());
  QApplication::processEvents();
  EXPECT_EQ(second->centralWidget()->size(), QSize(300, 200));
  EXPECT_EQ(sizeable->ClientWidth(), 300);
  EXPECT_EQ(sizeable->ClientHeight(), 200);
  EXPECT_EQ(second->pos(), QPoint(10, 20));

  // Centred over the main form's window when it shows, else on the screen.
  auto dialog = read(
      "object Dialog: TForm\n  BorderStyle = bsDialog\n  ClientHeight = 50\n"
      "  ClientWidth = 100\n  Position = poMainFormCenter\nend\n");
  const TFormWindow* main =
      Application->MainForm() ? Ui().FindWindow(Application->MainForm()) : nullptr;
  const QPoint centre =
      main && main->isVisible() ? main->frameGeometry().center() : screen.center();
  TFormWindow* third = ShowForm(dialog.get());
  const QPoint offThird = third->frameGeometry().center() - centre;
  EXPECT_TRUE(std::abs(offThird.x()) <= 2 && std::abs(offThird.y()) <= 2)
      << offThird.x() << ", " << offThird.y();
}

}  // namespace
}  // namespace frontendtest

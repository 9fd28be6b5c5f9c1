// The widgets of a form: each control's widget with the control's place and
// texts, following the model as it changes, and a person's input reaching
// the models as their own calls.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>

#include "FrontEndFixture.h"
#include "host/controls/ComCtrls.h"
#include "host/controls/Dialogs.h"
#include "host/controls/TabNotBk.h"

namespace frontendtest {
namespace {

using Windows::VK_NEXT;
using Windows::WORD;

QStringList TabTexts(const QTabWidget* tabs) {
  QStringList texts;
  for (int i = 0; i < tabs->count(); ++i) texts << tabs->tabText(i);
  return texts;
}

QStringList LabelTexts(const QWidget* parent) {
  QStringList texts;
  for (const QLabel* l : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
    texts << l->text();
  return texts;
}

class FormViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Form = ReadTestForm("EveryControl.dfm");
    ASSERT_DOUBLE_EQ(FormScale(Form.get()), 1.0) << "the offscreen screen has 96 dots per inch";
    Window = ShowForm(Form.get());
  }
  template <class T>
  T* Model(const char* name) {
    return dynamic_cast<T*>(Form->FindComponent(name));
  }
  std::unique_ptr<TForm> Form;
  TFormWindow* Window = nullptr;
};

TEST_F(FormViewTest, EveryControlShowsAsItsWidgetWithItsPlaceAndTexts) {
  EXPECT_EQ(Window->windowTitle(), "Every control");
  // The form's client area (the model's, less its menu bar).
  const int height = Form->ClientHeight();
  EXPECT_EQ(Window->View().Client()->size(), QSize(640, height));

  struct TExpected {
    const char* Name;
    const char* ClassName;
    QRect Geometry;
  };
  // Placed where the form says, the aligned ones where alignment puts them
  // (the tool bar at the top, the status bar at the bottom, the splitter
  // at the left between them).
  const TExpected expected[] = {
      {"Label1", "QLabel", QRect(8, 40, 60, 13)},
      {"Edit1", "QLineEdit", QRect(72, 36, 121, 21)},
      {"Memo1", "QTextEdit", QRect(8, 64, 185, 57)},
      {"Button1", "QPushButton", QRect(200, 36, 75, 25)},
      {"CheckBox1", "QCheckBox", QRect(200, 68, 97, 17)},
      {"RadioButton1", "QRadioButton", QRect(200, 92, 113, 17)},
      {"RadioGroup1", "QGroupBox", QRect(320, 36, 150, 85)},
      {"GroupBox1", "QGroupBox", QRect(480, 36, 150, 85)},
      {"Bevel1", "QFrame", QRect(8, 20, 130, 50)},
      {"Panel1", "QFrame", QRect(8, 128, 185, 41)},
      {"ListBox1", "QListWidget", QRect(200, 128, 113, 57)},
      {"ComboBox1", "QComboBox", QRect(320, 128, 145, 21)},
      {"TabbedNotebook1", "QTabWidget", QRect(8, 192, 200, 100)},
      {"PageControl1", "QTabWidget", QRect(216, 192, 200, 100)},
      {"ListView1", "QTreeWidget", QRect(424, 192, 208, 100)},
      {"ToolBar1", "QFrame", QRect(0, 0, 640, 29)},
      {"ToolButton1", "QToolButton", QRect(0, 2, 23, 22)},
      {"Splitter1", "QFrame", QRect(0, 29, 3, height - 29 - 19)},
      {"Image1", "QLabel", QRect(232, 300, 32, 32)},
      {"Tree1", "QFrame", QRect(352, 300, 120, 80)},
      {"ButtonInTree", "QPushButton", QRect(8, 40, 60, 25)},
      {"StatusBar1", "QWidget", QRect(0, height - 19, 640, 19)},
  };
  for (const TExpected& e : expected) {
    QWidget* w = Widget(Window, e.Name);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), e.ClassName) << e.Name;
    EXPECT_EQ(w->geometry(), e.Geometry) << e.Name;
    EXPECT_TRUE(w->isVisibleTo(Window)) << e.Name;
  }

  // Captions keep their accelerators; a label with a focus control marks
  // its own, to move the focus there.
  auto* label = Widget<QLabel>(Window, "Label1");
  EXPECT_EQ(label->text(), "&Name:");
  EXPECT_EQ(label->buddy(), Widget(Window, "Edit1"));
  EXPECT_EQ(Widget<QLineEdit>(Window, "Edit1")->text(), "Ada");
  EXPECT_EQ(Widget<QLineEdit>(Window, "Edit1")->toolTip(), "The name") << "the short hint";
  EXPECT_EQ(Widget<QTextEdit>(Window, "Memo1")->toPlainText(), "one\ntwo");
  EXPECT_EQ(Widget<QPushButton>(Window, "Button1")->text(), "&OK");
  EXPECT_TRUE(Widget<QPushButton>(Window, "Button1")->isDefault());
  EXPECT_EQ(Widget<QCheckBox>(Window, "CheckBox1")->text(), "Check &me");
  EXPECT_EQ(Widget<QCheckBox>(Window, "CheckBox1")->checkState(), Qt::Checked);
  EXPECT_EQ(Widget<QRadioButton>(Window, "RadioButton1")->text(), "Radio");

  auto* group = Widget<QGroupBox>(Window, "RadioGroup1");
  EXPECT_EQ(group->title(), "Size");
  const auto buttons = group->findChildren<QRadioButton*>();
  ASSERT_EQ(buttons.size(), 2);
  EXPECT_EQ(buttons[0]->text(), "Small");
  EXPECT_FALSE(buttons[0]->isChecked());
  EXPECT_TRUE(buttons[1]->isChecked());
  EXPECT_EQ(Widget<QGroupBox>(Window, "GroupBox1")->title(), "Group");
  EXPECT_EQ(Widget(Window, "Bevel1")->parentWidget(), Widget(Window, "GroupBox1"));
  EXPECT_TRUE(LabelTexts(Widget(Window, "Panel1")).contains("A panel"));

  auto* list = Widget<QListWidget>(Window, "ListBox1");
  ASSERT_EQ(list->count(), 3);
  EXPECT_EQ(list->item(2)->text(), "gamma");
  auto* combo = Widget<QComboBox>(Window, "ComboBox1");
  EXPECT_EQ(combo->count(), 2);
  EXPECT_FALSE(combo->isEditable()) << "a drop-down list";

  auto* notebook = Widget<QTabWidget>(Window, "TabbedNotebook1");
  EXPECT_EQ(TabTexts(notebook), (QStringList{"First", "Second"}));
  EXPECT_EQ(notebook->currentIndex(), 0);
  EXPECT_NE(notebook->widget(0)->findChild<QLabel*>("LabelOnPage"), nullptr);
  auto* pages = Widget<QTabWidget>(Window, "PageControl1");
  EXPECT_EQ(TabTexts(pages), (QStringList{"One", "Two"}));
  EXPECT_EQ(pages->currentWidget(), Widget(Window, "TabSheet2"));

  auto* listView = Widget<QTreeWidget>(Window, "ListView1");
  EXPECT_EQ(listView->headerItem()->text(0), "Name");
  EXPECT_EQ(listView->headerItem()->text(1), "Phone");
  EXPECT_EQ(listView->columnWidth(0), 100);
  EXPECT_EQ(Widget<QToolButton>(Window, "ToolButton1")->text(), "Open");
  EXPECT_EQ(LabelTexts(Widget(Window, "StatusBar1")), (QStringList{"Ready", "Line 1"}));

  // Pictures that decode show; one without data, and a class the front end
  // does not know, show as labelled placeholders holding what is inside.
  EXPECT_EQ(Widget<QLabel>(Window, "Image1")->pixmap().size(), QSize(6, 4)) << "PNG";
  EXPECT_EQ(Widget<QLabel>(Window, "Image2")->pixmap().size(), QSize(3, 2)) << "bitmap";
  EXPECT_EQ(Widget(Window, "Image3")->property("glsPlaceholder").toString(), "TImage");
  EXPECT_EQ(Widget(Window, "Tree1")->property("glsPlaceholder").toString(), "TVirtualStringTree");
  EXPECT_EQ(Widget(Window, "ButtonInTree")->parentWidget(), Widget(Window, "Tree1"));
  EXPECT_EQ(Window->findChild<QWidget*>("Timer1"), nullptr) << "non-visual: not shown";

  // The main menu is the window's menu bar.
  const auto menus = Window->menuBar()->actions();
  ASSERT_EQ(menus.size(), 1);
  EXPECT_EQ(menus[0]->text(), "&File");
  const auto items = menus[0]->menu()->actions();
  ASSERT_EQ(items.size(), 1);
  EXPECT_EQ(items[0]->text(), "&Open...");
  EXPECT_EQ(items[0]->shortcut(), QKeySequence("Ctrl+O"));
}

TEST_F(FormViewTest, ModelChangesShowAtOnce) {
  auto* button = Model<TButton>("Button1");
  QWidget* widget = Widget(Window, "Button1");
  button->SetCaption("&Valider");
  button->SetBounds(210, 40, 90, 30);
  EXPECT_EQ(static_cast<QPushButton*>(widget)->text(), "&Valider");
  EXPECT_EQ(widget->geometry(), QRect(210, 40, 90, 30));
  button->SetEnabled(false);
  EXPECT_FALSE(widget->isEnabled());
  button->Hide();
  EXPECT_FALSE(widget->isVisibleTo(Window));

  // Fonts (a family the system lacks shows as a close one) and colours,
  // the system colours from the application's palette.
  auto* edit = Model<TEdit>("Edit1");
  QWidget* editWidget = Widget(Window, "Edit1");
  edit->Font()->SetName("Courier New");
  edit->Font()->SetHeight(-16);
  edit->Font()->SetStyle({fsBold});
  edit->Font()->SetColor(clRed);
  edit->SetColor(clInfoBk);
  EXPECT_EQ(editWidget->font().family(), FamilyFor("Courier New"));
  EXPECT_TRUE(QFontInfo(editWidget->font()).fixedPitch()) << "a fixed face for Courier New";
  EXPECT_EQ(editWidget->font().pixelSize(), 16);
  EXPECT_TRUE(editWidget->font().bold());
  EXPECT_EQ(editWidget->palette().color(QPalette::Text), QColor(255, 0, 0));
  EXPECT_EQ(editWidget->palette().color(QPalette::Base),
            QApplication::palette().color(QPalette::ToolTipBase));

  // Items, checks, pages and menu captions follow too.
  Model<TListBox>("ListBox1")->Items()->Add("delta");
  EXPECT_EQ(Widget<QListWidget>(Window, "ListBox1")->count(), 4);
  Model<TCheckBox>("CheckBox1")->SetChecked(false);
  EXPECT_EQ(Widget<QCheckBox>(Window, "CheckBox1")->checkState(), Qt::Unchecked);
  Model<TTabbedNotebook>("TabbedNotebook1")->SetPageIndex(1);
  EXPECT_EQ(Widget<QTabWidget>(Window, "TabbedNotebook1")->currentIndex(), 1);
  Model<TTabbedNotebook>("TabbedNotebook1")->Pages()->SetStrings(0, "Premier");
  EXPECT_EQ(Widget<QTabWidget>(Window, "TabbedNotebook1")->tabText(0), "Premier");
  auto* listView = Model<TListView>("ListView1");
  listView->Column(0)->SetCaption("Nom");
  TListItem* item = listView->Items()->Add();
  item->SetCaption("Ada");
  item->SubItems()->Add("555");
  auto* tree = Widget<QTreeWidget>(Window, "ListView1");
  EXPECT_EQ(tree->headerItem()->text(0), "Nom");
  ASSERT_EQ(tree->topLevelItemCount(), 1);
  EXPECT_EQ(tree->topLevelItem(0)->text(1), "555");
  Model<TMenuItem>("MenuOpen")->SetCaption("&Ouvrir...");
  EXPECT_EQ(Window->menuBar()->actions()[0]->menu()->actions()[0]->text(), "&Ouvrir...");
  Form->SetCaption("Tous les contrôles");
  EXPECT_EQ(Window->windowTitle(), "Tous les contrôles");

  // A control made at run time gets its widget; a destroyed one loses it.
  auto* later = new TButton(Form.get());
  later->SetName("Later");
  later->SetParent(Model<TPanel>("Panel1"));
  ASSERT_NE(Window->findChild<QPushButton*>("Later"), nullptr);
  EXPECT_EQ(Window->findChild<QPushButton*>("Later")->parentWidget(), Widget(Window, "Panel1"));
  delete later;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(Window->findChild<QPushButton*>("Later"), nullptr);
}

TEST_F(FormViewTest, InputReachesTheModelsAsTheirOwnCalls) {
  auto* button = Model<TButton>("Button1");
  auto* edit = Model<TEdit>("Edit1");
  auto* memo = Model<TMemo>("Memo1");
  std::vector<String> events;
  button->OnClick = [&](TObject*) { events.push_back("click"); };
  edit->OnEnter = [&](TObject*) { events.push_back("enter edit"); };
  edit->OnExit = [&](TObject*) { events.push_back("exit edit"); };

  // A click focuses the edit (its OnEnter), then the button (the edit's OnExit).
  QTest::mouseClick(Widget<QTextEdit>(Window, "Memo1")->viewport(), Qt::LeftButton);
  events.clear();
  QTest::mouseClick(Widget(Window, "Edit1"), Qt::LeftButton);
  EXPECT_TRUE(edit->Focused());
  EXPECT_TRUE(Widget(Window, "Edit1")->hasFocus()) << "Qt's focus follows the model's";
  QTest::mouseClick(Widget(Window, "Button1"), Qt::LeftButton);
  EXPECT_EQ(events, (std::vector<String>{"enter edit", "exit edit", "click"}));
  EXPECT_TRUE(Widget(Window, "Button1")->hasFocus());

  // Typing goes through the form to the focused control, key by key; a
  // key handler gets the key by reference.
  std::vector<WORD> keys;
  memo->OnKeyDown = [&](TObject*, WORD& key, TShiftState) {
    keys.push_back(key);
    if (key == 'X') key = 0;  // the character still comes, as the classic loop has it
  };
  QTest::mouseClick(Widget<QTextEdit>(Window, "Memo1")->viewport(), Qt::LeftButton);
  ASSERT_TRUE(memo->Focused());
  memo->SelectAll();
  QTest::keyClicks(Widget(Window, "Memo1"), "H");
  QTest::sendKeyEvent(QTest::Press, Widget(Window, "Memo1"), Qt::Key_unknown, QStringLiteral("é"),
                      Qt::NoModifier);
  QTest::keyClicks(Widget(Window, "Memo1"), " x");
  QTest::keyClick(Widget(Window, "Memo1"), Qt::Key_PageDown);
  EXPECT_EQ(memo->Text(), "Hé x");
  EXPECT_EQ(Widget<QTextEdit>(Window, "Memo1")->toPlainText(), "Hé x");
  EXPECT_EQ(Widget<QTextEdit>(Window, "Memo1")->textCursor().position(), 4) << "the model's caret";
  EXPECT_EQ(keys, (std::vector<WORD>{'H', Windows::VK_PACKET, Windows::VK_SPACE, 'X', VK_NEXT}));

  // Tab moves the model's focus along the tab order.
  QTest::mouseClick(Widget(Window, "Edit1"), Qt::LeftButton);
  QTest::keyClick(Widget(Window, "Edit1"), Qt::Key_Tab);
  EXPECT_TRUE(memo->Focused());

  // A check box's click toggles the model; the widget shows the model.
  QTest::mouseClick(Widget(Window, "CheckBox1"), Qt::LeftButton);
  EXPECT_FALSE(Model<TCheckBox>("CheckBox1")->Checked());
  EXPECT_EQ(Widget<QCheckBox>(Window, "CheckBox1")->checkState(), Qt::Unchecked);

  // Parts of controls: a list's item, a radio group's button, a tab.
  auto* listWidget = Widget<QListWidget>(Window, "ListBox1");
  QTest::mouseClick(listWidget->viewport(), Qt::LeftButton, {},
                    listWidget->visualItemRect(listWidget->item(1)).center());
  EXPECT_EQ(Model<TListBox>("ListBox1")->ItemIndex(), 1);
  EXPECT_TRUE(listWidget->item(1)->isSelected());
  auto radios = Widget(Window, "RadioGroup1")->findChildren<QRadioButton*>();
  QTest::mouseClick(radios[0], Qt::LeftButton);
  EXPECT_EQ(Model<TRadioGroup>("RadioGroup1")->ItemIndex(), 0);
  Integer asked = -1;
  Model<TTabbedNotebook>("TabbedNotebook1")->OnChange = [&](TObject*, Integer tab, bool&) {
    asked = tab;
  };
  QTabBar* bar = Widget<QTabWidget>(Window, "TabbedNotebook1")->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Model<TTabbedNotebook>("TabbedNotebook1")->PageIndex(), 1);
  QTabBar* sheets = Widget<QTabWidget>(Window, "PageControl1")->tabBar();
  QTest::mouseClick(sheets, Qt::LeftButton, {}, sheets->tabRect(0).center());
  EXPECT_EQ(Model<TPageControl>("PageControl1")->ActivePageIndex(), 0);

  // A disabled control takes no clicks.
  button->SetEnabled(false);
  events.clear();
  QTest::mouseClick(Widget(Window, "Button1"), Qt::LeftButton);
  EXPECT_TRUE(events.empty());
}

TEST_F(FormViewTest, AMouseOverAControlShowsItsHintWithTheApplicationsTimings) {
  Application->SetHintPause(0);
  QTest::mouseMove(Widget(Window, "Edit1"), QPoint(5, 5));
  EXPECT_TRUE(Ui().HintPending());
  EXPECT_EQ(Ui().ShownHint(), "The name");
  EXPECT_EQ(Application->Hint(), "The name of the person") << "the long hint";
  QTest::mouseMove(Widget(Window, "Memo1"), QPoint(5, 5));
  EXPECT_EQ(Ui().ShownHint(), "") << "no hint over the memo";
  Application->SetHintPause(500);
}

TEST_F(FormViewTest, AHandlersChangesShowWhenTheInputIsDoneAndUnderADialogItOpens) {
  auto* label = Model<TLabel>("Label1");
  auto* list = Model<TListBox>("ListBox1");
  QString underTheBox;
  Model<TButton>("Button1")->OnClick = [&](TObject*) {
    label->SetCaption("Step 1");
    label->SetCaption("&Done:");
    list->Items()->Clear();
    MessageDlg("Saved", mtInformation, {mbOK}, 0);
    list->Items()->Add("after");
  };
  Soon([&] {
    underTheBox = Widget<QLabel>(Window, "Label1")->text();
    ActiveDialog<QMessageBox>()->button(QMessageBox::Ok)->click();
  });
  QTest::mouseClick(Widget(Window, "Button1"), Qt::LeftButton);
  EXPECT_EQ(underTheBox, "&Done:");
  auto* listWidget = Widget<QListWidget>(Window, "ListBox1");
  ASSERT_EQ(listWidget->count(), 1);
  EXPECT_EQ(listWidget->item(0)->text(), "after");
}

TEST_F(FormViewTest, AnErrorInAHandlerIsReportedAndTheFormGoesOn) {
  Model<TButton>("Button1")->OnClick = [](TObject*) { throw EConvertError("'x' is no number"); };
  QString shown;
  Soon([&] {
    auto* box = ActiveDialog<QMessageBox>();
    ASSERT_NE(box, nullptr);
    shown = box->text();
    box->button(QMessageBox::Ok)->click();
  });
  QTest::mouseClick(Widget(Window, "Button1"), Qt::LeftButton);
  EXPECT_EQ(shown, "'x' is no number");
  EXPECT_TRUE(Window->isVisible());
}

TEST_F(FormViewTest, MenuItemsAndPopUpMenusClickTheModelsItems) {
  std::vector<String> clicked;
  Model<TMenuItem>("MenuOpen")->OnClick = [&](TObject*) { clicked.push_back("open"); };
  Model<TMenuItem>("PopupCopy")->OnClick = [&](TObject*) { clicked.push_back("copy"); };
  auto* popup = Model<TPopupMenu>("PopupMenu1");
  popup->OnPopup = [&](TObject*) { clicked.push_back("popup"); };
  Model<TEdit>("Edit1")->SetPopupMenu(popup);

  Window->menuBar()->actions()[0]->menu()->actions()[0]->trigger();
  Model<TMenuItem>("MenuOpen")->SetEnabled(false);
  EXPECT_FALSE(Window->menuBar()->actions()[0]->menu()->actions()[0]->isEnabled());

  // The right button's release shows the control's pop-up menu.
  Soon([] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "&Copy");
    menu->actions()[0]->trigger();
    menu->close();
  });
  QTest::mouseClick(Widget(Window, "Edit1"), Qt::RightButton);
  EXPECT_EQ(clicked, (std::vector<String>{"open", "popup", "copy"}));
  EXPECT_EQ(popup->PopupComponent(), Model<TEdit>("Edit1"));
}

TEST_F(FormViewTest, AResizedWindowResizesTheFormAndItsAlignedControls) {
  Form->SetBorderStyle(bsSizeable);
  const int width = Form->ClientWidth(), height = Form->ClientHeight();
  ASSERT_EQ(Window->View().Client()->size(), QSize(width, height));
  Window->resize(Window->width() + 100, Window->height() + 40);
  QApplication::processEvents();
  EXPECT_EQ(Form->ClientWidth(), width + 100);
  EXPECT_EQ(Form->ClientHeight(), height + 40);
  EXPECT_EQ(Widget(Window, "ToolBar1")->width(), width + 100);
  EXPECT_EQ(Widget(Window, "StatusBar1")->geometry(), QRect(0, height + 40 - 19, width + 100, 19));
  // Its last panel takes the width the others leave.
  const auto panels = Widget(Window, "StatusBar1")->findChildren<QLabel*>();
  ASSERT_EQ(panels.size(), 2);
  EXPECT_EQ(panels[1]->geometry().left(), 100);
  EXPECT_GE(panels[1]->geometry().right(), width + 100 - 4);
  EXPECT_EQ(Widget(Window, "Button1")->geometry(), QRect(200, 36, 75, 25)) << "anchored top left";
}

TEST_F(FormViewTest, AltAndAnAcceleratorActOnTheModelAndAcceleratorsShow) {
  int clicks = 0;
  Model<TButton>("Button1")->OnClick = [&](TObject*) { ++clicks; };
  Model<TMemo>("Memo1")->SetFocus();
  QTest::keyClick(Window, Qt::Key_O, Qt::AltModifier);
  EXPECT_EQ(clicks, 1) << "the button's &OK";
  QTest::keyClick(Window, Qt::Key_M, Qt::AltModifier);
  EXPECT_TRUE(Model<TCheckBox>("CheckBox1")->Focused());
  EXPECT_FALSE(Model<TCheckBox>("CheckBox1")->Checked()) << "toggled from checked";
  QTest::keyClick(Window, Qt::Key_N, Qt::AltModifier);
  EXPECT_TRUE(Model<TEdit>("Edit1")->Focused()) << "the label's focus control";
  EXPECT_TRUE(Widget(Window, "Edit1")->hasFocus());

  // A label without a focus control keeps its accelerator underlined.
  auto* lonely = new TLabel(Form.get());
  lonely->SetName("Lonely");
  lonely->SetParent(Form.get());
  lonely->SetCaption("&Lonely <b>&& more");
  auto* label = Widget<QLabel>(Window, "Lonely");
  EXPECT_EQ(label->textFormat(), Qt::RichText);
  EXPECT_EQ(label->text(),
            "<span style=\"white-space:pre\"><u>L</u>onely &lt;b&gt;&amp; more</span>");
  lonely->SetFocusControl(Model<TEdit>("Edit1"));
  lonely->SetCaption("&Lonely");
  EXPECT_EQ(label->textFormat(), Qt::PlainText);
  EXPECT_EQ(label->text(), "&Lonely");
}

TEST_F(FormViewTest, DisabledControlsLookDisabledAndTheFocusShows) {
  auto* box = Model<TCheckBox>("CheckBox1");
  QWidget* boxWidget = Widget(Window, "CheckBox1");
  Model<TEdit>("Edit1")->SetFocus();
  Window->View().SyncFocus();
  const QImage unfocused = boxWidget->grab().toImage();
  box->SetFocus();
  Window->View().SyncFocus();
  ASSERT_TRUE(boxWidget->hasFocus());
  EXPECT_NE(boxWidget->grab().toImage(), unfocused) << "the focused check box shows its focus";

  auto* button = Model<TButton>("Button1");
  auto* widget = Widget<QPushButton>(Window, "Button1");
  const QImage enabled = widget->grab().toImage();
  button->SetEnabled(false);
  const QPalette palette = widget->palette();
  EXPECT_NE(palette.color(QPalette::Disabled, QPalette::ButtonText),
            palette.color(QPalette::Active, QPalette::ButtonText));
  EXPECT_NE(widget->grab().toImage(), enabled) << "greyed";
  // A colour of its own stays while enabled.
  auto* check = Model<TCheckBox>("CheckBox1");
  check->Font()->SetColor(clRed);
  check->SetEnabled(false);
  const QPalette checkPalette = Widget(Window, "CheckBox1")->palette();
  EXPECT_EQ(checkPalette.color(QPalette::Active, QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_NE(checkPalette.color(QPalette::Disabled, QPalette::WindowText), QColor(255, 0, 0));
}

// The other designer's files (.lfm): check boxes and radio buttons size
// themselves to their captions unless the file says AutoSize = False, and
// aligned controls keep their BorderSpacing.
TEST(FormViewLclTest, LclCheckBoxesSizeToTheirCaptionsAndAlignedControlsKeepTheirSpacing) {
  auto read = [](const String& text) {
    return std::unique_ptr<TForm>(
        static_cast<TForm*>(ReadFormFromString(text, Application, &TForm::StaticClass())));
  };
  const String body =
      "  ClientHeight = 200\n  ClientWidth = 300\n"
      "  object Cut: TCheckBox\n    Left = 8\n    Height = 19\n    Top = 8\n"
      "    Width = 20\n    Caption = 'Enable DH'\n    TabOrder = 0\n  end\n"
      "  object Fixed: TCheckBox\n    Left = 8\n    Height = 19\n    Top = 30\n"
      "    Width = 20\n    AutoSize = False\n    Caption = 'Enable DH'\n  end\n"
      "  object Radio: TRadioButton\n    Left = 8\n    Height = 19\n    Top = 52\n"
      "    Width = 20\n    Caption = 'Enable DH'\n  end\n";
  const String panel =
      "  object Top1: TPanel\n    Left = 6\n    Height = 40\n    Top = 126\n    Width = 288\n"
      "    Align = alBottom\n    BorderSpacing.Around = 6\n    BorderSpacing.Bottom = 2\n"
      "  end\n";
  auto lcl = read("object Lcl: TForm\n  LCLVersion = '2.0.8.0'\n" + body + panel + "end\n");
  TFormWindow* window = ShowForm(lcl.get());
  auto* cut = Widget<QCheckBox>(window, "Cut");
  EXPECT_GE(cut->width(), cut->sizeHint().width()) << "the caption shows whole";
  EXPECT_EQ(Widget(window, "Fixed")->width(), 20);
  auto* radio = Widget<QRadioButton>(window, "Radio");
  EXPECT_GE(radio->width(), radio->sizeHint().width());
  EXPECT_EQ(Widget(window, "Top1")->geometry(), QRect(6, 200 - 8 - 40, 288, 40));

  auto classic = read("object Classic: TForm\n" + body + "end\n");
  TFormWindow* other = ShowForm(classic.get());
  EXPECT_EQ(Widget(other, "Cut")->width(), 20) << "a classic check box keeps its width";
  // Any layout property of those files tells the form (an old file without
  // LCLVersion).
  auto old = read("object Old: TForm\n" + body + panel + "end\n");
  EXPECT_GE(Widget(ShowForm(old.get()), "Cut")->width(), 40);
}

}  // namespace
}  // namespace frontendtest

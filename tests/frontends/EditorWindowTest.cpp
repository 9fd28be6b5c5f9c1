// The translations editor in a real window, used as a person uses it, with
// Qt's test helpers: it leaves the translator exactly as the scripted
// driver's run of the same steps does.
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextEdit>

#include "FrontEndFixture.h"
#include "glsedit/GlsEdit.h"
#include "host/controls/ScriptedUserInterface.h"

namespace frontendtest {
namespace {

std::vector<String> LinesOf(const TStrings* list) {
  std::vector<String> lines;
  for (int i = 0; i < list->Count(); ++i) lines.push_back(list->Strings(i));
  return lines;
}

// A form with a translator whose list has three untranslated entries.
struct TTranslatedForm {
  explicit TTranslatedForm(const char* name) : Form(std::make_unique<TForm>(Application)) {
    Form->SetName(name);
    Form->SetCaption("Main");
    for (const char* name : {"Button1", "Button2"}) {
      auto* b = new TButton(Form.get());
      b->SetName(name);
      b->SetParent(Form.get());
      b->SetCaption(name);
    }
    Translator = new TGlossmith(Form.get());
    Translator->SetName("TranslatorFrench");
    Translator->SetLocale(12);
    for (const char* line : {"Button1.Caption=''", "Button2.Caption=''", "Caption=''"})
      static_cast<TSortList*>(Translator->Translations())->SortInsert(line, nullptr);
  }
  std::unique_ptr<TForm> Form;
  TGlossmith* Translator;
};

class EditorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    if (old) FOldConfig = old;
    FHadConfig = old != nullptr;
    setenv("XDG_CONFIG_HOME", FSettings.Path().c_str(), 1);
  }
  void TearDown() override {
    if (FHadConfig)
      setenv("XDG_CONFIG_HOME", FOldConfig.c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }

 private:
  testsupport::TempDir FSettings;
  String FOldConfig;
  bool FHadConfig = false;
};

TEST_F(EditorWindowTest, APersonsTranslationLeavesTheSameLineAsTheScriptedDriver) {
  // The scripted driver: choose the second property, type, PageDown, OK.
  TTranslatedForm scripted("ScriptedForm");
  {
    TScriptedUserInterface script;
    TUserInterfaceScope scope(script);
    script.ClickItem("PropList", 1)
        .Focus("EdtTranslation")
        .Type("Annuler")
        .Key(Windows::VK_NEXT)
        .Click("BtnOK");
    ASSERT_TRUE(scripted.Translator->ShowEditor());
  }

  // A person at the Qt window: the same steps with the mouse and the keyboard.
  TTranslatedForm person("PersonsForm");
  QStringList shownItems;
  Soon([&] {
    auto* window = dynamic_cast<TFormWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Form Translations Editor");
    auto* list = Widget<QListWidget>(window, "PropList");
    for (int i = 0; i < list->count(); ++i) shownItems << list->item(i)->text();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    auto* memo = Widget<QTextEdit>(window, "EdtTranslation");
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    QTest::keyClicks(memo, "Annuler");
    QTest::keyClick(memo, Qt::Key_PageDown);
    EXPECT_EQ(list->currentRow(), 2) << "PageDown moved to the next untranslated property";
    QTest::mouseClick(Widget(window, "BtnOK"), Qt::LeftButton);
  });
  ASSERT_TRUE(person.Translator->ShowEditor());

  EXPECT_EQ(shownItems, (QStringList{"Button1.Caption", "Button2.Caption", "Caption"}));
  EXPECT_EQ(LinesOf(person.Translator->Translations()),
            (std::vector<String>{"Button1.Caption=''", "Button2.Caption='Annuler'", "Caption=''"}));
  EXPECT_EQ(LinesOf(person.Translator->Translations()),
            LinesOf(scripted.Translator->Translations()));
}

TEST_F(EditorWindowTest, TheEditorsPagesAndQuestionsWorkInTheWindow) {
  TTranslatedForm f("MainForm");
  bool asked = false;
  Soon([&] {
    auto* window = dynamic_cast<TFormWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    // The Options page, chosen by its tab, counts the entries.
    QTabBar* tabs = Widget<QTabWidget>(window, "FormNotebook")->tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    auto* editor = dynamic_cast<TFormEditor*>(window->Form());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->FormNotebook->PageIndex(), 1);
    EXPECT_EQ(editor->LblTot->Caption(), "3");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(0).center());
    // A change, then Cancel: the dialog asks before discarding it.
    auto* list = Widget<QListWidget>(window, "PropList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    auto* memo = Widget<QTextEdit>(window, "EdtTranslation");
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    QTest::keyClicks(memo, "x");
    Soon([&] {
      auto* box = ActiveDialog<QMessageBox>();
      ASSERT_NE(box, nullptr);
      asked = box->text() == "Do you want to discard the changes ?";
      box->button(QMessageBox::Yes)->click();
    });
    QTest::mouseClick(Widget(window, "BtnCancel"), Qt::LeftButton);
  });
  EXPECT_FALSE(f.Translator->ShowEditor());
  EXPECT_TRUE(asked);
  EXPECT_EQ(LinesOf(f.Translator->Translations()),
            (std::vector<String>{"Button1.Caption=''", "Button2.Caption=''", "Caption=''"}));
}

}  // namespace
}  // namespace frontendtest

// The workbench's window driven as a translator drives it: clicks on the
// preview, typing in the translation field, the panel's keys, saving and
// quitting, on the bundled example in a folder of the test's own.
#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableView>
#include <filesystem>

#include "FrontEndFixture.h"
#include "apps/gls/QtMeasure.h"
#include "frontends/workbench/WorkbenchWindow.h"
#include "host/controls/ComCtrls.h"

namespace frontendtest {
namespace {

using testsupport::ReadFile;
using testsupport::TempDir;
using testsupport::WriteFile;

// A form of a folder of its own read as the tool reads it, with one of its
// translators (or a new one) worked on.
class WorkbenchWindowTest : public ::testing::Test {
 protected:
  void Open(const String& formFile, Integer locale) {
    const String data = ReadFile(formFile);
    Application->SetExeName(ExtractFilePath(ExpandFileName(formFile)) + "application");
    Form.reset(static_cast<TForm*>(ReadFormFromString(data, Application, &TForm::StaticClass())));
    TGlossmith* translator = nullptr;
    for (int i = 0; i < Form->ComponentCount(); ++i)
      if (auto* t = dynamic_cast<TGlossmith*>(Form->Components(i)); t && t->Locale() == locale)
        translator = t;
    ASSERT_NE(translator, nullptr);
    Bench = std::make_unique<TWorkbench>(
        std::vector<TWorkForm>{{formFile, data, Form.get(), translator}}, &Measure);
    Window = std::make_unique<TWorkbenchWindow>(*Bench);
    Window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Window.get()));
  }
  void OpenExample(Integer locale) {
    for (const char* name : {"MainForm.dfm", "translations.txt", "dictionary.txt"})
      std::filesystem::copy_file(String(GLS_SOURCE_DIR) + "/examples/" + name, Dir.File(name));
    Open(Dir.File("MainForm.dfm"), locale);
  }
  void TearDown() override {
    Window.reset();
    Bench.reset();
    Form.reset();
  }

  size_t Text(const String& path) const {
    for (size_t i = 0; i < Bench->Texts().size(); ++i)
      if (Bench->Text(i).Path == path) return i;
    ADD_FAILURE() << "no text " << path;
    return 0;
  }
  String CurrentPath() const {
    return Window->Current() ? Bench->Text(*Window->Current()).Path : String("<none>");
  }
  template <class W>
  W* Find(const char* name) const {
    W* w = Window->findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QPlainTextEdit* Field() const { return Find<QPlainTextEdit>("translation"); }
  void Type(const QString& text) {
    Field()->setFocus();
    Field()->selectAll();
    QTest::keyClick(Field(), Qt::Key_Delete);
    // QTest types ASCII keys only; other characters come as an input
    // method would commit them.
    for (const QChar c : text)
      if (c.unicode() < 0x80)
        QTest::keyClick(Field(), c.toLatin1());
      else
        Field()->insertPlainText(QString(c));
  }
  QString WidgetText(const char* component) const {
    QWidget* w = Window->WidgetOf(Form->FindComponent(component));
    if (auto* button = qobject_cast<QAbstractButton*>(w)) return button->text();
    if (auto* label = qobject_cast<QLabel*>(w)) return label->text();
    ADD_FAILURE() << component << " shows in no button or label";
    return {};
  }

  TempDir Dir;
  Glossmith::Tool::TQtMeasure Measure;
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TWorkbench> Bench;
  std::unique_ptr<TWorkbenchWindow> Window;
};

TEST_F(WorkbenchWindowTest, AClickOnAControlSelectsItsTextsAndFramesIt) {
  OpenExample(12);
  // It opens at the first text to do.
  EXPECT_EQ(Bench->Text(*Window->Current()).State, TTextState::Untranslated);

  QWidget* button = Window->WidgetOf(Form->FindComponent("ButtonDelete"));
  QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
  QTRY_COMPARE(CurrentPath(), String("ButtonDelete.Caption"));
  EXPECT_EQ(Find<QPlainTextEdit>("original")->toPlainText(), "&Delete");
  EXPECT_EQ(Field()->toPlainText(), "&Supprimer");
  // The frame sits round the button, in the form's client.
  const QRect framed = Window->Highlighted();
  const QRect at(button->mapTo(Window->View(0).Client(), QPoint(0, 0)), button->size());
  EXPECT_TRUE(framed.contains(at)) << framed.x() << "," << framed.y();
  // Its row is the list's current one.
  auto* table = Find<QTableView>("texts");
  EXPECT_EQ(table->model()->index(table->currentIndex().row(), 0).data().toString(),
            "ButtonDelete.Caption");
}

TEST_F(WorkbenchWindowTest, TypingShowsTheTranslationOnTheFormWithItsFindings) {
  OpenExample(12);
  Window->Select(Text("ButtonAdd.Caption"));
  Type("&Ajouter un nouveau contact...");
  // The button shows it at once, in its real size: too long for it.
  EXPECT_EQ(WidgetText("ButtonAdd"), "&Ajouter un nouveau contact...");
  QLabel* findings = Find<QLabel>("findings");
  EXPECT_TRUE(findings->isVisibleTo(Window.get()));
  EXPECT_TRUE(findings->text().contains("[truncation]")) << FromQt(findings->text());
  // A lost accelerator shows as it is typed, and goes once it is back.
  Type("Ajouter...");
  EXPECT_TRUE(findings->text().contains("[accelerator]")) << FromQt(findings->text());
  Type("&Ajouter...");
  EXPECT_FALSE(findings->isVisibleTo(Window.get())) << FromQt(findings->text());
  EXPECT_TRUE(Window->isWindowModified());
}

TEST_F(WorkbenchWindowTest, TheKeysAcceptMoveSearchAndTakeSuggestions) {
  OpenExample(12);
  const size_t first = *Window->Current();
  const String next = Bench->Text(*Bench->NextToDo(Window->Listed(), first)).Path;
  const auto progress = [&] { return Find<QLabel>("progress")->text(); };
  EXPECT_TRUE(progress().contains("18 of 23")) << FromQt(progress());

  Type("&Restaurer");
  QTest::keyClick(Field(), Qt::Key_Return, Qt::ControlModifier);
  EXPECT_EQ(Bench->Text(first).State, TTextState::Translated);
  EXPECT_EQ(CurrentPath(), next);
  EXPECT_TRUE(progress().contains("19 of 23")) << FromQt(progress());
  EXPECT_TRUE(Field()->hasFocus());

  QTest::keyClick(Field(), Qt::Key_Up, Qt::ControlModifier);
  EXPECT_EQ(*Window->Current(), first);
  QTest::keyClick(Field(), Qt::Key_Down, Qt::ControlModifier);
  EXPECT_EQ(CurrentPath(), next);

  // Ctrl+F goes to the search, which filters as it is typed.
  QTest::keyClick(Field(), Qt::Key_F, Qt::ControlModifier);
  auto* search = Find<QLineEdit>("search");
  EXPECT_TRUE(search->hasFocus());
  QTest::keyClicks(search, "phone");
  ASSERT_EQ(Window->Listed().size(), 1u);
  EXPECT_EQ(Bench->Text(Window->Listed()[0]).Original, "Phone");
  // The filter of texts to do lists the untranslated ones only.
  search->clear();
  Find<QComboBox>("filter")->setCurrentIndex(1);
  for (size_t i : Window->Listed()) EXPECT_EQ(Bench->Text(i).State, TTextState::Untranslated);
  EXPECT_EQ(Window->Listed().size(), 4u);

  // A suggestion from a dictionary is taken with its key.
  Find<QComboBox>("filter")->setCurrentIndex(0);
  Bench->AddDictionaryText("dict.txt", "&Maximize\t&Agrandir\n");
  Window->Select(Text("SystemMenuMaximize"));
  auto* suggestions = Find<QListWidget>("suggestions");
  ASSERT_GE(suggestions->count(), 1);
  EXPECT_TRUE(suggestions->item(0)->text().startsWith("88 %"))
      << FromQt(suggestions->item(0)->text());
  QTest::keyClick(Field(), Qt::Key_1, Qt::ControlModifier);
  EXPECT_EQ(Field()->toPlainText(), "&Agrandir");
  EXPECT_EQ(Bench->Text(Text("SystemMenuMaximize")).Translation, "&Agrandir");
}

TEST_F(WorkbenchWindowTest, SavingWritesTheTranslationFileAndQuittingWithChangesAsks) {
  OpenExample(12);
  Window->Select(Text("SystemMenuMove"));
  Type("&D\u00e9placer");
  // Quitting asks; Cancel keeps the window and the edit.
  Soon([] { ActiveDialog<QMessageBox>()->button(QMessageBox::Cancel)->click(); });
  EXPECT_FALSE(Window->close());
  EXPECT_TRUE(Window->isVisible());

  Window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
  QTest::keyClick(Field(), Qt::Key_S, Qt::ControlModifier);
  const String saved = ReadFile(Dir.File("translations.txt"));
  EXPECT_NE(saved.find("MainForm.SystemMenuMove%-1='&Move'\r\n"), String::npos);
  EXPECT_NE(saved.find("MainForm.SystemMenuMove%12='&D\u00e9placer'\r\n"), String::npos) << saved;
  EXPECT_FALSE(Window->isWindowModified());

  // A file changed by another program meanwhile is not overwritten.
  Type("&D\u00e9placer la fen\u00eatre");
  WriteFile(Dir.File("translations.txt"), saved + "MainForm.Other%12='x'\r\n");
  Soon([] { ActiveDialog<QMessageBox>()->button(QMessageBox::Ok)->click(); });
  EXPECT_FALSE(Window->Save());
  EXPECT_EQ(ReadFile(Dir.File("translations.txt")), saved + "MainForm.Other%12='x'\r\n");
  // The edit is still unsaved: quitting asks again, and Discard quits.
  Soon([] { ActiveDialog<QMessageBox>()->button(QMessageBox::Discard)->click(); });
  EXPECT_TRUE(Window->close());
}

TEST_F(WorkbenchWindowTest, ATextOnAHiddenPageBringsItsPageToTheFront) {
  WriteFile(Dir.File("Pages.dfm"),
            "object Pages: TForm\r\n"
            "  Caption = 'Pages'\r\n"
            "  ClientWidth = 300\r\n"
            "  ClientHeight = 200\r\n"
            "  object PageControl1: TPageControl\r\n"
            "    Left = 8\r\n    Top = 8\r\n    Width = 280\r\n    Height = 180\r\n"
            "    ActivePage = TabSheet2\r\n"
            "    object TabSheet1: TTabSheet\r\n"
            "      Caption = 'One'\r\n"
            "      object LabelOnOne: TLabel\r\n"
            "        Left = 8\r\n        Top = 8\r\n        Width = 60\r\n        Height = 13\r\n"
            "        Caption = 'On page one'\r\n"
            "      end\r\n"
            "    end\r\n"
            "    object TabSheet2: TTabSheet\r\n"
            "      Caption = 'Two'\r\n"
            "    end\r\n"
            "  end\r\n"
            "  object TranslatorFrench: TGlossmith\r\n"
            "    Locale = 12\r\n"
            "    Translate = False\r\n"
            "  end\r\n"
            "end\r\n");
  Open(Dir.File("Pages.dfm"), 12);
  auto* pages = static_cast<TPageControl*>(Form->FindComponent("PageControl1"));
  EXPECT_EQ(pages->ActivePage()->Name(), "TabSheet2");
  Window->Select(Text("LabelOnOne.Caption"));
  EXPECT_EQ(pages->ActivePage()->Name(), "TabSheet1");
  EXPECT_TRUE(Window->WidgetOf(Form->FindComponent("LabelOnOne"))->isVisible());
  EXPECT_FALSE(Window->Highlighted().isEmpty());
  // Typing the form's caption shows it in the form's title.
  Window->Select(Text("Caption"));
  Type("Onglets");
  EXPECT_EQ(Find<QLabel>("caption")->text(), "Onglets");
}

}  // namespace
}  // namespace frontendtest

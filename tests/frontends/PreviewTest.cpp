// The preview: the bundled example in windows, its Language menu switching
// the translators of every open form, screenshots of the client area, and
// every real form of the shared corpus on screen.
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>

#include "FrontEndFixture.h"
#include "apps/gls/LanguageMenu.h"
#include "frontends/qt/QtFrontEnd.h"

namespace frontendtest {
namespace {

using Glossmith::Tool::LoadPreviewForm;
using Glossmith::Tool::TLanguageMenu;

String Example(const char* name) { return String(GLS_SOURCE_DIR) + "/examples/" + name; }

struct TOpenForm {
  explicit TOpenForm(const String& file)
      : Form(static_cast<TForm*>(LoadPreviewForm(file))),
        Menu(std::make_unique<TLanguageMenu>(Form.get())),
        Registration(Menu.get()) {}
  TGlossmith* Translator(Integer locale) const {
    for (int i = 0; i < Form->ComponentCount(); ++i)
      if (auto* t = dynamic_cast<TGlossmith*>(Form->Components(i)); t && t->Locale() == locale)
        return t;
    return nullptr;
  }
  std::unique_ptr<TForm> Form;
  std::unique_ptr<TLanguageMenu> Menu;
  TLanguageMenu::TRegistration Registration;
};

// The texts of the Language menu's items, "*" before the checked one.
QStringList LanguageItems(TFormWindow* window) {
  QStringList items;
  const auto menus = window->menuBar()->actions();
  for (QAction* menu : menus)
    if (menu->text() == "&Language")
      for (QAction* a : menu->menu()->actions()) items << (a->isChecked() ? "*" : "") + a->text();
  return items;
}

// Clicks the item of the Language menu whose text begins with `text`.
void ChooseLanguage(TFormWindow* window, const QString& text) {
  for (QAction* menu : window->menuBar()->actions())
    if (menu->text() == "&Language")
      for (QAction* a : menu->menu()->actions())
        if (a->text().startsWith(text)) a->trigger();
}

TEST(PreviewTest, TheLanguageMenuSwitchesTheFormsAndTheirPartnersAndBack) {
  TOpenForm main(Example("MainForm.dfm"));
  TOpenForm options(Example("OptionsDialog.dfm"));
  TFormWindows windows;
  windows.Show(main.Form.get(), {main.Menu->Root()});
  windows.Show(options.Form.get(), {options.Menu->Root()});
  TFormWindow* mainWindow = Ui().FindWindow(main.Form.get());
  TFormWindow* optionsWindow = Ui().FindWindow(options.Form.get());
  ASSERT_NE(mainWindow, nullptr);
  ASSERT_NE(optionsWindow, nullptr);

  EXPECT_EQ(LanguageItems(mainWindow),
            (QStringList{"*&Original", "TranslatorFrench (French, Locale 12)",
                         "TranslatorGerman (German, Locale 7)"}));
  auto* close = Widget<QPushButton>(mainWindow, "ButtonClose");
  auto* contacts = Widget<QTreeWidget>(mainWindow, "ListViewContacts");
  EXPECT_EQ(close->text(), "&Close");

  ChooseLanguage(mainWindow, "TranslatorFrench");
  EXPECT_EQ(close->text(), "&Fermer");
  EXPECT_EQ(mainWindow->windowTitle(), "Carnet d'adresses");
  EXPECT_EQ(contacts->headerItem()->text(1), "Téléphone");
  EXPECT_EQ(contacts->columnWidth(0), 180) << "a translated width";
  EXPECT_EQ(mainWindow->menuBar()->actions()[0]->text(), "&Fichier");
  EXPECT_EQ(LanguageItems(mainWindow)[1], "*TranslatorFrench (French, Locale 12)");
  // The partner of the same Locale on the other form switched too, and
  // its menu says so.
  EXPECT_TRUE(options.Translator(12)->Translate());
  EXPECT_EQ(LanguageItems(optionsWindow)[1], "*TranslatorFrench (French, Locale 12)");

  // One language at a time: German replaces French, and back to English.
  ChooseLanguage(optionsWindow, "TranslatorGerman");
  EXPECT_EQ(close->text(), "&Schließen");
  EXPECT_FALSE(main.Translator(12)->Translate());
  ChooseLanguage(mainWindow, "&Original");
  EXPECT_EQ(close->text(), "&Close");
  EXPECT_EQ(contacts->headerItem()->text(1), "Phone");
  EXPECT_EQ(contacts->columnWidth(0), 160);
  EXPECT_EQ(LanguageItems(optionsWindow)[0], "*&Original");
}

TEST(PreviewTest, TheEventLoopRunsUntilTheLastWindowIsClosed) {
  TOpenForm main(Example("MainForm.dfm"));
  TOpenForm options(Example("OptionsDialog.dfm"));
  TFormWindows windows;
  windows.Show(main.Form.get(), {main.Menu->Root()});
  windows.Show(options.Form.get(), {options.Menu->Root()});
  bool refused = false;
  main.Form->OnCloseQuery = [&](TObject*, bool& canClose) {
    canClose = refused;
    refused = true;
  };
  // The title bar's close of each: the main form refuses once.
  QTimer::singleShot(0, [&] {
    Ui().FindWindow(options.Form.get())->close();
    Ui().FindWindow(main.Form.get())->close();
    EXPECT_TRUE(main.Form->Visible()) << "refused";
    Ui().FindWindow(main.Form.get())->close();
  });
  windows.Exec();
  EXPECT_FALSE(main.Form->Visible());
  EXPECT_FALSE(options.Form->Visible());
}

// The number of distinct colours of an image (up to `enough`).
int Colours(const QImage& image, int enough) {
  QSet<QRgb> seen;
  for (int y = 0; y < image.height() && seen.size() < enough; y += 2)
    for (int x = 0; x < image.width() && seen.size() < enough; x += 2)
      seen.insert(image.pixel(x, y));
  return static_cast<int>(seen.size());
}

TEST(PreviewTest, AScreenshotIsTheClientAreaAsItShows) {
  TOpenForm main(Example("MainForm.dfm"));
  main.Menu->Choose(main.Translator(7));
  TFormWindows windows;
  windows.Show(main.Form.get(), {main.Menu->Root()});
  testsupport::TempDir dir;
  windows.SaveScreenshot(main.Form.get(), dir.File("main.png"));
  const QImage image(ToQt(dir.File("main.png")));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.size(), QSize(main.Form->ClientWidth(), main.Form->ClientHeight()));
  EXPECT_GE(Colours(image, 8), 8) << "not blank: frames, texts, the list";
  EXPECT_THROW(windows.SaveScreenshot(main.Form.get(), dir.File("no/such/folder.png")),
               EFCreateError);
}

TEST(PreviewTest, EveryCorpusFormOpensInThePreview) {
  GLS_REQUIRE_CORPUS(dir);
  int shown = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const String ext = LowerCase(entry.path().extension().string());
    if (!entry.is_regular_file() || (ext != ".dfm" && ext != ".lfm")) continue;
    SCOPED_TRACE(entry.path().filename().string());
    std::unique_ptr<TComponent> root(LoadPreviewForm(entry.path().string()));
    auto* form = dynamic_cast<TForm*>(root.get());
    ASSERT_NE(form, nullptr);
    TLanguageMenu menu(form);
    {
      TFormWindows windows;
      windows.Show(form, {menu.Root()});
      TFormWindow* window = Ui().FindWindow(form);
      ASSERT_NE(window, nullptr);
      EXPECT_TRUE(window->isVisible());
      // Every control of the form has its widget (or sits in a placeholder).
      for (int i = 0; i < form->ComponentCount(); ++i) {
        auto* control = dynamic_cast<TControl*>(form->Components(i));
        if (control && (control->Parent() || control->StreamParent())) {
          EXPECT_NE(window->View().WidgetOf(control), nullptr) << control->Name();
        }
      }
      EXPECT_FALSE(window->View().Client()->grab().isNull());
    }
    ++shown;
  }
  EXPECT_GT(shown, 50);
}

}  // namespace
}  // namespace frontendtest

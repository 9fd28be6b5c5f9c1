// The editor dialog's translation memo in a real window tells of what the
// checks find as a person types, under the memo; the dialog's result is the
// same as without the advice.
#include <QLabel>
#include <QListWidget>
#include <QTextEdit>

#include "FrontEndFixture.h"
#include "apps/gls/EditAdvice.h"
#include "frontends/qt/QtFrontEnd.h"
#include "glsedit/GlsEdit.h"

namespace frontendtest {
namespace {

TEST(EditAdvice, TranslationMemoWarnsOfALostAccelerator) {
  testsupport::TempDir settings;
  setenv("XDG_CONFIG_HOME", settings.Path().c_str(), 1);
  SetEditAdvisor(Tool::TranslationAdvice);
  struct TReset {
    ~TReset() {
      SetEditAdvisor(nullptr);
      unsetenv("XDG_CONFIG_HOME");
    }
  } reset;

  auto form = std::make_unique<TForm>(Application);
  form->SetName("AdviceForm");
  auto* button = new TButton(form.get());
  button->SetName("Button1");
  button->SetParent(form.get());
  button->SetCaption("&Close");
  auto* translator = new TGlossmith(form.get());
  translator->SetName("TranslatorFrench");
  translator->SetLocale(12);
  static_cast<TSortList*>(translator->Translations())->SortInsert("Button1.Caption=''", nullptr);

  QString warned, afterFix;
  bool hiddenAtFirst = false;
  Soon([&] {
    auto* window = dynamic_cast<TFormWindow*>(QApplication::activeModalWidget());
    ASSERT_NE(window, nullptr);
    auto* list = Widget<QListWidget>(window, "PropList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    auto* memo = Widget<QTextEdit>(window, "EdtTranslation");
    QTest::mouseClick(memo->viewport(), Qt::LeftButton);
    auto* advice = window->findChild<QWidget*>("TranslationAdvice");
    hiddenAtFirst = !advice || !advice->isVisible();
    QTest::keyClicks(memo, "Fermer");
    advice = window->findChild<QWidget*>("TranslationAdvice");
    if (advice && advice->isVisible())
      warned = advice->findChild<QLabel*>("TranslationAdviceText")->text();
    for (int i = 0; i < 6; ++i) QTest::keyClick(memo, Qt::Key_Backspace);
    QTest::keyClicks(memo, "&Fermer");
    afterFix = advice && advice->isVisible()
                   ? advice->findChild<QLabel*>("TranslationAdviceText")->text()
                   : QString();
    QTest::mouseClick(Widget(window, "BtnOK"), Qt::LeftButton);
  });
  ASSERT_TRUE(translator->ShowEditor());
  EXPECT_TRUE(hiddenAtFirst);
  EXPECT_EQ(warned, "the accelerator '&C' is lost [accelerator]");
  EXPECT_EQ(afterFix, QString());
  EXPECT_EQ(translator->Translations()->Get(0), "Button1.Caption='&Fermer'");
}

}  // namespace
}  // namespace frontendtest

// A form with a translator, the editor dialog opened on it through the
// scripted user interface, and settings kept in a folder of the test's own.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "glsedit/GlsEdit.h"
#include "host/controls/ScriptedUserInterface.h"
#include "host/platform/Registry.h"
#include "support/TestSupport.h"

namespace editortest {

using namespace Glossmith;

inline std::vector<String> LinesOf(const TStrings* list) {
  std::vector<String> lines;
  for (int i = 0; i < list->Count(); ++i) lines.push_back(list->Strings(i));
  return lines;
}

class EditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    FHadConfig = old != nullptr;
    if (old) FOldConfig = old;
    setenv("XDG_CONFIG_HOME", Settings.Path().c_str(), 1);
    SetUserInterface(&Ui);

    Form = std::make_unique<TForm>(Application);
    Form->SetName("MainForm");
    Form->SetCaption("Main");
    auto* ok = new TButton(Form.get());
    ok->SetName("Button1");
    ok->SetParent(Form.get());
    ok->SetCaption("OK");
    ok->SetWidth(75);
    auto* label = new TLabel(Form.get());
    label->SetName("Label1");
    label->SetParent(Form.get());
    label->SetCaption("");
    auto* list = new TListBox(Form.get());
    list->SetName("ListBox1");
    list->SetParent(Form.get());
    list->Items()->Add("one");
    list->Items()->Add("two");
    Translator = new TGlossmith(Form.get());
    Translator->SetName("TranslatorFrench");
    Translator->SetLocale(12);
  }

  void TearDown() override {
    SetUserInterface(nullptr);
    Form.reset();
    if (FHadConfig)
      setenv("XDG_CONFIG_HOME", FOldConfig.c_str(), 1);
    else
      unsetenv("XDG_CONFIG_HOME");
  }

  void SetTranslations(std::initializer_list<const char*> lines) {
    for (const char* line : lines)
      static_cast<TSortList*>(Translator->Translations())->SortInsert(line, nullptr);
  }

  // A step that looks into the open dialog.
  TScriptedUserInterface& Check(std::function<void(TFormEditor&)> check) {
    return Ui.Step([check](TCustomForm& form) { check(dynamic_cast<TFormEditor&>(form)); });
  }

  TRegIniFile Registry() const { return TRegIniFile(EditorSettingsKey); }

  testsupport::TempDir Settings;
  TScriptedUserInterface Ui;
  std::unique_ptr<TForm> Form;
  TGlossmith* Translator = nullptr;

 private:
  String FOldConfig;
  bool FHadConfig = false;
};

}  // namespace editortest

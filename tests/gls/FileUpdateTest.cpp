// Saving and exporting several translators in one pass ends as calling SaveTo
// or TranslateTo for each in turn, under one lock held for the whole pass.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <thread>

#include "gls/FileUpdate.h"
#include "support/TestSupport.h"
#include "support/gls/StorageForms.h"

using testsupport::ReadFile;
using testsupport::SetEntries;
using testsupport::TempDir;
using testsupport::TStorageForm;
using testsupport::WriteFile;

namespace {

using namespace std::chrono_literals;

bool Contains(const String& text, const String& part) { return text.find(part) != String::npos; }

// A few forms with translators built from a seed, the same each time: forms
// whose names are prefixes of each other, translators of one form with
// different locales or the same one, some showing their translations, now
// and then a translator without a form; and the order in which to save them.
class TRandomApp {
 public:
  explicit TRandomApp(unsigned seed) : FRandom(seed) {
    std::vector<String> names{"Form1", "Form10", "Form1a", "Form2"};
    std::shuffle(names.begin(), names.end(), FRandom);
    for (size_t f = 0; f < 3; ++f) {
      auto form = std::make_unique<TStorageForm>(names[f], Pick({7, 12, -1}));
      std::vector<TGlossmith*> own{form->Translator};
      for (size_t n = Pick(3); n > 0; --n) {
        auto* t = new TGlossmith(form->Form);
        t->SetLocale(Pick({7, 12, 25, form->Translator->Locale()}));
        own.push_back(t);
      }
      for (TGlossmith* t : own) {
        TStringList list;
        for (size_t n = Pick(6); n > 0; --n) list.Add(Path() + "=" + Value());
        t->SetTranslations(&list);
        if (Pick(5) == 0) t->SetTranslate(true);
        Translators.push_back(t);
      }
      FForms.push_back(std::move(form));
    }
    if (Pick(20) == 0) {
      FOrphan = std::make_unique<TGlossmith>(nullptr);
      Translators.push_back(FOrphan.get());
    }
    std::shuffle(Translators.begin(), Translators.end(), FRandom);
    if (Pick(5) == 0) Translators.push_back(Translators.front());
  }

  // A translation file holding lines of these forms and others.
  String File() {
    std::vector<String> lines;
    for (size_t n = Pick(30); n > 0; --n) {
      String form = Pick(
          {String("Form1"), String("Form10"), String("Form1a"), String("Form2"), String("Other")});
      lines.push_back(form + "." + Path() + "%" +
                      Pick({String("-1"), String("7"), String("12"), String("25")}) + "=" +
                      Value());
    }
    if (Pick(30) == 0) lines.push_back("Form10.Label1.Caption%x='malformed'");
    if (Pick(4) != 0) std::sort(lines.begin(), lines.end());
    String text;
    for (const String& line : lines) text += line + "\r\n";
    return text;
  }

  // A dictionary whose originals are some of the forms' texts.
  String Dictionary() {
    String text;
    for (size_t n = Pick(8); n > 0; --n)
      text += Pick({String("&Close"), String("Name:"), String("75"), String("Other")}) + "\t" +
              Pick({String("x"), String(), String("Fermer")}) + "\r\n";
    return text;
  }

  std::vector<TGlossmith*> Translators;

 private:
  template <class T>
  T Pick(std::initializer_list<T> items) {
    return items.begin()[Pick(items.size())];
  }
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(FRandom); }
  String Path() {
    return Pick({String("Button1.Caption"), String("Label1.Caption"), String("Label1.Width"),
                 String("Caption"), String("Nope.Caption")});
  }
  String Value() {
    if (Pick(40) == 0) return "#x";  // malformed literal text
    return Pick(
        {String("'&Fermer'"), String("'Nom'"), String("''"), String("80"), String("'a=b'")});
  }

  std::mt19937 FRandom;
  std::vector<std::unique_ptr<TStorageForm>> FForms;
  std::unique_ptr<TGlossmith> FOrphan;
};

// The file after `run`, and the message of the error that ended it.
template <class Run>
String Outcome(const String& file, Run run) {
  String error;
  try {
    run();
  } catch (const Exception& e) {
    error = "error: " + e.Message() + "\n";
  }
  return error + ReadFile(file);
}

TEST(FileUpdateTest, SavingAllInOnePassEndsAsSavingEachInTurn) {
  TempDir dir;
  const String file = dir.File("tr.txt");
  for (unsigned round = 0; round < 30; ++round) {
    String content = TRandomApp(round).File();
    WriteFile(file, content);
    String oneByOne = Outcome(file, [&] {
      TRandomApp app(round);
      for (TGlossmith* t : app.Translators) t->SaveTo(file);
    });
    WriteFile(file, content);
    String together = Outcome(file, [&] {
      TRandomApp app(round);
      TGlossmith::SaveAllTo(app.Translators, file);
    });
    ASSERT_EQ(oneByOne, together) << "round " << round << "\n" << content;
  }
}

TEST(FileUpdateTest, ExportingAllInOnePassEndsAsExportingEachInTurn) {
  TempDir dir;
  const String file = dir.File("dict.txt");
  for (unsigned round = 0; round < 30; ++round) {
    String content = TRandomApp(round).Dictionary();
    WriteFile(file, content);
    String oneByOne = Outcome(file, [&] {
      TRandomApp app(round);
      for (TGlossmith* t : app.Translators) t->TranslateTo(file);
    });
    WriteFile(file, content);
    String together = Outcome(file, [&] {
      TRandomApp app(round);
      TGlossmith::TranslateAllTo(app.Translators, file);
    });
    ASSERT_EQ(oneByOne, together) << "round " << round << "\n" << content;
  }
}

// Whether another thread gets the file's lock within a short wait.
bool OthersCanLock(const String& file) {
  bool granted = false;
  std::thread([&] {
    try {
      TFileLock lock(file, 10ms);
      granted = true;
    } catch (const EFileLockError&) {
    }
  }).join();
  return granted;
}

TEST(FileUpdateTest, AnUpdateHoldsTheLockFromItsFirstTranslatorUntilItIsWritten) {
  TempDir dir;
  const String file = dir.File("tr.txt");
  TStorageForm first("First", 7), second("Second", 7);
  SetEntries(first.Translator, {"Button1.Caption='Schliessen'"});
  SetEntries(second.Translator, {"Label1.Caption='Name'"});
  TTranslationFileUpdate update(file);
  EXPECT_TRUE(OthersCanLock(file));
  update.Save(*first.Translator);
  EXPECT_FALSE(OthersCanLock(file));
  update.Save(*second.Translator);
  EXPECT_FALSE(FileExists(file));
  EXPECT_EQ(update.Count(), 2);
  update.Commit();
  EXPECT_TRUE(OthersCanLock(file));
  EXPECT_EQ(ReadFile(file),
            "First.Button1.Caption%-1='&Close'\r\n"
            "First.Button1.Caption%7='Schliessen'\r\n"
            "Second.Label1.Caption%-1='Name:'\r\n"
            "Second.Label1.Caption%7='Name'\r\n");
  // An update given up without Commit leaves the file as it was.
  {
    TTranslationFileUpdate abandoned(file);
    SetEntries(first.Translator, {});
    abandoned.Save(*first.Translator);
  }
  EXPECT_TRUE(Contains(ReadFile(file), "First.Button1"));
}

}  // namespace

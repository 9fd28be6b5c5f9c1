// Saving and exporting several translators in one pass ends as calling SaveTo
// or TranslateTo for each in turn; every write of a shared file is locked.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "gls/FileUpdate.h"
#include "support/TestSupport.h"
#include "support/gls/StorageForms.h"

using testsupport::ReadFile;
using testsupport::SetEntries;
using testsupport::TempDir;
using testsupport::TStorageForm;
using testsupport::WriteFile;

namespace {

// Forms and translators built from a seed, the same each time: form names
// that are prefixes of each other, translators of one form with one locale
// or several, some showing their translations, some whose walk fails, now
// and then one without a form or one listed twice; and a file's content.
class TRandomApp {
 public:
  explicit TRandomApp(unsigned seed) : FRandom(seed) {
    std::vector<String> names{"Form1", "Form10", "Form1a", "Form2"};
    std::shuffle(names.begin(), names.end(), FRandom);
    for (size_t f = 0; f < 3; ++f) {
      FForms.push_back(std::make_unique<TStorageForm>(names[f], Of<Integer>({7, 12, -1})));
      FForms.back()->Label1->FLines.SetText("first\nsecond\n");
      std::vector<TGlossmith*> own{FForms.back()->Translator};
      for (size_t n = Pick(3); n > 0; --n) {
        own.push_back(new TGlossmith(FForms.back()->Form));
        own.back()->SetLocale(Of<Integer>({7, 12, 25, own.front()->Locale()}));
      }
      for (TGlossmith* t : own) {
        TStringList list;
        for (size_t n = Pick(6); n > 0; --n) list.Add(Path() + "=" + Value());
        t->SetTranslations(&list);
        if (Pick(5) == 0) t->SetTranslate(true);
        Translators.push_back(t);
      }
    }
    for (TGlossmith* t : Translators)
      if (Pick(25) == 0)
        t->OnTranslateForm = [](TObject*, TStrings*, bool&) { throw EComponentError("walk"); };
    if (Pick(20) == 0) Translators.push_back(FOrphan.get());
    std::shuffle(Translators.begin(), Translators.end(), FRandom);
    if (Pick(5) == 0) Translators.push_back(Translators.front());
  }

  // A translation file, sorted or not, now and then with a malformed line of
  // a form; or a dictionary, now and then with a line that is an original
  // and a tab twice (where a search may stop at either).
  String Content(bool dictionary) {
    std::vector<String> lines;
    for (size_t n = Pick(dictionary ? 8 : 30); n > 0; --n)
      lines.push_back(dictionary
                          ? Of<String>({"&Close", "Name:"}) + "\t" +
                                Of<String>({"x", "A", "", "Fermer", "Zed"})
                          : Of<String>({"Form1", "Form10", "Form1a", "Form2", "Other"}) + "." +
                                Path() + "%" + Of<String>({"-1", "7", "12"}) + "=" + Value());
    if (Pick(30) == 0) lines.push_back("Form10.Label1.Caption%x='malformed'");
    // Now and then a file large enough that the one-pass save gathers the
    // next translators' texts while it is read, more often with a line that
    // fails a merge.
    if (!dictionary && Pick(6) == 0) {
      for (int i = 0; i < 60000; ++i) lines.push_back("Other.Label" + IntToStr(i) + ".Caption%7='x'");
      if (Pick(2) == 0) lines.push_back(Of<String>({"Form1", "Form10", "Form2"}) + ".X%x='bad'");
    }
    if (dictionary && Pick(3) == 0) lines.insert(lines.end(), 2, "&Close\t");
    if (Pick(4) != 0) std::sort(lines.begin(), lines.end());
    String text;
    for (const String& line : lines) text += line + "\r\n";
    return text;
  }

  std::vector<TGlossmith*> Translators;

 private:
  template <class T>
  T Of(std::initializer_list<T> items) {
    return items.begin()[Pick(items.size())];
  }
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(FRandom); }
  String Path() {
    return Of<String>({"Button1.Caption", "Label1.Caption", "Label1.Width", "Label1.Lines[1]", "X.Y"});
  }
  String Value() {
    if (Pick(40) == 0) return "#x";  // malformed literal text
    return Of<String>({"'&Fermer'", "'Nom'", "''", "80", "'a=b'", "2\n3"});  // a line break
  }

  std::mt19937 FRandom;
  std::unique_ptr<TGlossmith> FOrphan = std::make_unique<TGlossmith>(nullptr);
  std::vector<std::unique_ptr<TStorageForm>> FForms;
};

TEST(FileUpdateTest, OnePassEndsAsTheCallsInTurn) {
  TempDir dir;
  const String file = dir.File("shared.txt");
  for (unsigned round = 0; round < 100; ++round) {
    const bool dictionary = round % 2 == 1;
    const String content = TRandomApp(round).Content(dictionary);
    auto outcome = [&](auto run) {
      WriteFile(file, content);
      String error;
      try {
        TRandomApp app(round);
        run(app.Translators);
      } catch (const Exception& e) {
        error = "error: " + e.Message() + "\n";
      }
      return error + ReadFile(file);
    };
    // A handler that sees the collected list makes SaveTo gather every
    // line of the form, not only those it keeps: the outcome is the same.
    String inTurn = outcome([&](const std::vector<TGlossmith*>& translators) {
      for (TGlossmith* t : translators) {
        if (!t->OnTranslated) t->OnTranslated = [](TObject*, TStrings*) {};
        dictionary ? t->TranslateTo(file) : t->SaveTo(file);
      }
    });
    String onePass = outcome([&](const std::vector<TGlossmith*>& translators) {
      dictionary ? TGlossmith::TranslateAllTo(translators, file)
                 : TGlossmith::SaveAllTo(translators, file);
    });
    ASSERT_EQ(inTurn, onePass) << "round " << round << "\n" << content;
  }
}

TEST(FileUpdateTest, EveryWriteOfASharedFileTakesItsLockAndAnUpdateHoldsItToTheEnd) {
  TempDir dir;
  const String file = dir.File("tr.txt");
  TStorageForm first("First", 7), second("Second", 7);
  SetEntries(first.Translator, {"Button1.Caption='Schliessen'"});
  SetEntries(second.Translator, {"Label1.Caption='Name'"});
  {
    // The thread that holds the lock is refused at once by anything that
    // takes it.
    TFileLock held(file);
    EXPECT_THROW(first.Translator->SaveTo(file), EFileLockError);
    EXPECT_THROW(first.Translator->TranslateTo(file), EFileLockError);
    EXPECT_THROW(TGlossmith::SaveAllTo({first.Translator}, file), EFileLockError);
  }
  TTranslationFileUpdate update(file);
  update.Save(*first.Translator);
  EXPECT_THROW(TFileLock lock(file), EFileLockError);
  update.Save(*second.Translator);
  EXPECT_FALSE(FileExists(file));
  update.Commit();
  EXPECT_NO_THROW(TFileLock lock(file));
  const String saved = ReadFile(file);
  EXPECT_EQ(saved,
            "First.Button1.Caption%-1='&Close'\r\nFirst.Button1.Caption%7='Schliessen'\r\n"
            "Second.Label1.Caption%-1='Name:'\r\nSecond.Label1.Caption%7='Name'\r\n");
  // An update given up without Commit leaves the file as it was.
  SetEntries(first.Translator, {});
  TTranslationFileUpdate(file).Save(*first.Translator);
  EXPECT_EQ(ReadFile(file), saved);
}

}  // namespace

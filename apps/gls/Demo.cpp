// gls demo: a short tour of what the translator does, on the bundled example.
#include <unistd.h>

#include <filesystem>
#include <ostream>
#include <vector>

#include "CommandLine.h"
#include "Commands.h"
#include "FormDocument.h"
#include "gls/Gls.h"
#include "host/classes/Streams.h"

namespace Glossmith::Tool {

namespace fs = std::filesystem;

namespace {

// The bundled example: installed beside the program, else in the source tree
// the program was built from, else in ./examples.
fs::path ExamplesDir() {
  std::error_code ec;
  fs::path program = fs::read_symlink("/proc/self/exe", ec);
  std::vector<fs::path> candidates;
  if (!ec) candidates.push_back(program.parent_path() / GLS_INSTALLED_EXAMPLES);
  candidates.insert(candidates.end(), {fs::path(GLS_EXAMPLES_DIR), fs::path("examples")});
  for (const fs::path& dir : candidates)
    if (fs::exists(dir / "MainForm.dfm")) return dir.lexically_normal();
  throw EToolError("the bundled example (examples/MainForm.dfm) is not there");
}

// A scratch copy of the example, so that the demo never changes it.
class TScratch {
 public:
  TScratch() {
    FDir = fs::temp_directory_path() / ("gls-demo-" + std::to_string(::getpid()));
    fs::remove_all(FDir);
    fs::create_directories(FDir);
    for (const auto& entry : fs::directory_iterator(ExamplesDir()))
      if (entry.is_regular_file()) fs::copy_file(entry.path(), FDir / entry.path().filename());
    FOld = fs::current_path();
    fs::current_path(FDir);
  }
  ~TScratch() {
    std::error_code ec;
    fs::current_path(FOld, ec);
    fs::remove_all(FDir, ec);
  }

 private:
  fs::path FDir, FOld;
};

void Heading(TCommandIO& io, const String& title) {
  io.Out << "\n" << title << "\n" << String(title.size(), '=') << "\n";
}

void Run(TCommandIO& io, std::vector<String> args) {
  io.Out << "\n$ gls";
  for (const String& a : args) io.Out << " " << a;
  io.Out << "\n";
  const TCommandInfo* command = FindCommand(args[0]);
  args.erase(args.begin());
  command->Run(args, io);
}

String CaptionOf(TComponent* root, const char* name) {
  TComponent* c = name ? root->FindComponent(name) : root;
  return GetStrProp(c, "Caption");
}

void SwitchingTour(TCommandIO& io) {
  TFormDocument doc("MainForm.dfm");
  TComponent* form = doc.Root();
  auto report = [&](const char* state) {
    io.Out << "  " << state << String(26 - String(state).size(), ' ') << CaptionOf(form, nullptr)
           << " | " << CaptionOf(form, "ButtonClose") << " | " << CaptionOf(form, "MenuFile")
           << "\n";
  };
  TTranslatorChoice french, german;
  french.Locale = 12;
  german.Locale = 7;
  report("as designed:");
  doc.Choose(german)->SetTranslate(true);
  report("German on:");
  doc.Choose(french)->SetTranslate(true);
  report("French on (German off):");
  doc.Choose(french)->SetTranslate(false);
  report("French off:");
}

void DictionaryTour(TCommandIO& io) {
  TFormDocument doc("OptionsDialog.dfm");
  TTranslatorChoice german;
  german.Locale = 7;
  TGlossmith* translator = doc.Choose(german);
  // Entries that still hold their English texts, waiting for a translation.
  TStringList pending;
  for (const char* entry : {"ButtonCancel.Caption='Cancel'", "CheckGrid.Caption='Show &grid lines'",
                            "RadioSort.Items[0]='Name'", "RadioSort.Items[1]='E-mail'"})
    pending.Add(entry);
  translator->SetTranslations(&pending);
  io.Out << "  German entries before:\n";
  for (const auto& item : dynamic_cast<TStringList*>(translator->Translations())->Items())
    io.Out << "    " << item.Str << "\n";
  translator->TranslateFrom("dictionary.txt");
  io.Out << "  after importing dictionary.txt:\n";
  for (const auto& item : dynamic_cast<TStringList*>(translator->Translations())->Items())
    io.Out << "    " << item.Str << "\n";
}

}  // namespace

int RunDemo(const std::vector<String>& args, TCommandIO& io) {
  TCommandLine cmd(args, {{"-v", false}, {"--help", false}});
  if (!cmd.Operands().empty()) throw EUsageError("demo takes no operands");
  // The demo writes only into a scratch folder that it removes at the end:
  // -v lists files that are gone once it is over.
  if (cmd.Has("-v")) io.Verbose = true;
  TScratch scratch;
  io.Out << "Glossmith demo\n"
            "The bundled example is a small address book: MainForm.dfm and OptionsDialog.dfm,\n"
            "each with a French translator (Locale 12) and a German one (Locale 7). Their\n"
            "translations live in one shared file, translations.txt, beside the forms.\n";

  Heading(io, "1. The texts of the main form, untranslated and in both languages");
  Run(io, {"show", "MainForm.dfm"});

  Heading(io, "2. Switching languages at run time");
  io.Out << "  Switching one translator on switches the others of its form off; switching\n"
            "  it off puts the original texts back.\n\n";
  SwitchingTour(io);

  Heading(io, "3. A French copy of the options dialog");
  Run(io, {"translate", "OptionsDialog.dfm", "--locale", "12", "-o", "OptionsDialog.fr.dfm"});
  Run(io, {"show", "OptionsDialog.fr.dfm"});

  Heading(io, "4. One translation file for the whole application");
  Run(io, {"save", "MainForm.dfm", "OptionsDialog.dfm", "--to", "app.txt"});
  TStringList saved;
  saved.LoadFromFile("app.txt");
  io.Out << "  app.txt has " << saved.Count() << " lines (form.path%locale=value; -1 marks the\n"
         << "  original text), for example:\n";
  for (int i = 0; i < saved.Count() && i < 6; ++i) io.Out << "    " << saved.At(i) << "\n";

  Heading(io, "5. Reusing translations through a dictionary");
  Run(io, {"dict", "export", "MainForm.dfm", "--locale", "7", "--to", "german.dict"});
  TStringList dict;
  dict.LoadFromFile("german.dict");
  io.Out << "  german.dict pairs " << dict.Count() << " original texts with German ones, e.g.:\n";
  for (int i = 0; i < dict.Count() && i < 4; ++i) {
    const String& line = dict.At(i);
    size_t tab = line.find('\t');
    io.Out << "    " << line.substr(0, tab) << "  ->  " << line.substr(tab + 1) << "\n";
  }
  io.Out << "\n";
  DictionaryTour(io);

  io.Out << "\nSee README.md for every command; gls COMMAND --help for its options.\n";
  return 0;
}

}  // namespace Glossmith::Tool

// A generated form of 5,000 texts for the workbench's benchmarks: 2,500
// buttons with a caption and a hint, half of the captions translated, the
// list kept in the form.
#pragma once

#include <algorithm>
#include <memory>

#include "host/controls/Forms.h"
#include "host/controls/StdCtrls.h"
#include "host/formfiles/FormFiles.h"
#include "workbench/Workbench.h"

namespace workbenchbench {

using namespace Glossmith;

constexpr int kButtons = 2500;

struct TGeneratedForm {
  TGeneratedForm() : Form(std::make_unique<TForm>(nullptr)) {
    Form->SetName("BenchForm");
    Form->SetBounds(0, 0, 1200, 900);
    std::vector<TChange> changes;
    for (int i = 0; i < kButtons; ++i) {
      auto* b = new TButton(Form.get());
      const String name = "Button" + IntToStr(i);
      b->SetName(name);
      b->SetParent(Form.get());
      b->SetBounds(8 + (i % 10) * 110, 8 + (i / 10) * 28, 100, 25);
      b->SetCaption("&Item number " + IntToStr(i));
      b->SetHint("Shows item " + IntToStr(i) + " of the order");
      if (i % 2 == 0)
        changes.push_back({name + ".Caption", "'&Eintrag " + IntToStr(i) + "'",
                           "'&Item number " + IntToStr(i) + "'"});
    }
    Translator = new TGlossmith(Form.get());
    Translator->SetName("Glossmith1");
    Translator->SetLocale(7);
    Translator->SetTranslate(false);
    std::sort(changes.begin(), changes.end(),
              [](const TChange& a, const TChange& b) { return a.Path < b.Path; });
    ApplyChanges(*Translator, changes);
    Data = WriteFormToString(Form.get());
  }
  std::unique_ptr<TWorkbench> Open(const TTextMeasure* measure = nullptr) {
    return std::make_unique<TWorkbench>(
        std::vector<TWorkForm>{{"BenchForm.dfm", Data, Form.get(), Translator}}, measure);
  }
  std::unique_ptr<TForm> Form;
  TGlossmith* Translator = nullptr;
  String Data;  // the form file's text
};

}  // namespace workbenchbench

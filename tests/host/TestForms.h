// Forms built in code for the tests of the control models, and a log of
// the events their controls fire.
#pragma once

#include <vector>

#include "host/controls/Forms.h"

namespace testforms {

using namespace Glossmith;

// A control owned by the form, named, on `parent` (the form by default).
template <class T>
T* Make(TCustomForm& form, const char* name, TWinControl* parent = nullptr) {
  auto* control = new T(&form);
  control->SetName(name);
  control->SetParent(parent ? parent : &form);
  return control;
}

// "enter Name", "exit Name", "click Name", "keydown Name 27", "keypress Name a".
class TEventLog {
 public:
  void Focus(TWinControl* c) {
    c->OnEnter = [this, c](TObject*) { Lines.push_back("enter " + c->Name()); };
    c->OnExit = [this, c](TObject*) { Lines.push_back("exit " + c->Name()); };
  }
  void Clicks(TControl* c) {
    c->OnClick = [this, c](TObject*) { Lines.push_back("click " + c->Name()); };
  }
  void Keys(TWinControl* c) {
    c->OnKeyDown = [this, c](TObject*, Windows::WORD& key, TShiftState) {
      Lines.push_back("keydown " + c->Name() + " " + IntToStr(key));
    };
    c->OnKeyPress = [this, c](TObject*, char& key) {
      Lines.push_back("keypress " + c->Name() + " " + String(1, key));
    };
  }
  // The lines since the last call.
  std::vector<String> Take() {
    std::vector<String> lines = std::move(Lines);
    Lines.clear();
    return lines;
  }
  std::vector<String> Lines;
};

}  // namespace testforms

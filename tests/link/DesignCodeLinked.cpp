// Links the run-time part of the package (Glossmith::runtime) or the design
// part (Glossmith::design, GLS_DESIGN_HOST) and checks by class name which
// code came with it: an application that only translates gets neither the
// editor dialog nor the design services nor the translator's editors; a
// design host gets them all.
#include <cstdio>

#include "host/rtl/System.h"

int main() {
#ifdef GLS_DESIGN_HOST
  const bool expected = true;
#else
  const bool expected = false;
#endif
  int wrong = 0;
  if (!Glossmith::GetClass("TGlossmith")) {
    std::printf("class TGlossmith is not registered\n");
    ++wrong;
  }
  for (const char* name : {"TFormEditor", "TPropertyEditor", "TStringProperty", "TComponentEditor",
                           "TFormTranslationsProperty", "TGlossmithEditor"}) {
    if ((Glossmith::GetClass(name) != nullptr) != expected) {
      std::printf("class %s is %s\n", name, expected ? "missing" : "linked");
      ++wrong;
    }
  }
  return wrong == 0 ? 0 : 1;
}

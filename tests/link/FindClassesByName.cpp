// A program that links the translator and refers to none of the classes by
// type: every class must still be found by its name, as a form file names
// it. Linked on its own, so that no test elsewhere pulls the classes in.
#include <cstdio>

#include "host/rtl/System.h"

int main() {
  int missing = 0;
  for (const char* name :
       {"TComponent", "TStringList", "TCollection", "TFont", "TForm", "TDataModule", "TButton",
        "TLabel", "TEdit", "TMemo", "TListBox", "TComboBox", "TCheckBox", "TRadioButton",
        "TRadioGroup", "TGroupBox", "TPanel", "TBevel", "TPageControl", "TTabSheet", "TListView",
        "TStatusBar", "TMainMenu", "TPopupMenu", "TMenuItem", "TImage", "TToolBar", "TToolButton",
        "TSplitter", "TScrollBox", "TTimer", "TActionList", "TAction", "TImageList", "TOpenDialog",
        "TSaveDialog", "TFontDialog", "TGlossmith"}) {
    if (!GetClass(name)) {
      std::printf("class %s is not registered\n", name);
      ++missing;
    }
  }
  return missing == 0 ? 0 : 1;
}

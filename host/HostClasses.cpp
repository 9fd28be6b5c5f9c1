// The host's own classes, registered before any lookup by class name so that
// form files find them whatever the program has used so far.
#include "host/Classes.h"
#include "host/Controls.h"
#include "host/Forms.h"
#include "host/Graphics.h"
#include "host/Menus.h"
#include "host/Streams.h"

void RegisterHostClasses() {
  static const bool done = [] {
    for (const TClassInfo* info : {
             &TObject::StaticClass(),          &TPersistent::StaticClass(),
             &TComponent::StaticClass(),       &TStrings::StaticClass(),
             &TStringList::StaticClass(),      &TCollection::StaticClass(),
             &TCollectionItem::StaticClass(),  &TFont::StaticClass(),
             &TSizeConstraints::StaticClass(), &TMenuItem::StaticClass(),
             &TMenuComponent::StaticClass(),   &TMainMenu::StaticClass(),
             &TPopupMenu::StaticClass(),       &TControl::StaticClass(),
             &TWinControl::StaticClass(),      &TCustomControl::StaticClass(),
             &TGraphicControl::StaticClass(),  &TScrollingWinControl::StaticClass(),
             &TCustomForm::StaticClass(),      &TForm::StaticClass(),
             &TDataModule::StaticClass(),      &TApplication::StaticClass(),
             &TScreen::StaticClass(),
         })
      RegisterClass(*info);
    return true;
  }();
  (void)done;
}

// The host's own classes, registered before any lookup by class name so that
// form files find them whatever the program has used so far.
#include "host/Classes.h"
#include "host/Graphics.h"
#include "host/Streams.h"

void RegisterHostClasses() {
  static const bool done = [] {
    for (const TClassInfo* info : {
             &TObject::StaticClass(),
             &TPersistent::StaticClass(),
             &TComponent::StaticClass(),
             &TStrings::StaticClass(),
             &TStringList::StaticClass(),
             &TCollection::StaticClass(),
             &TCollectionItem::StaticClass(),
             &TFont::StaticClass(),
         })
      RegisterClass(*info);
    return true;
  }();
  (void)done;
}

// The host's own classes, registered before any lookup by class name so that
// form files find them whatever the program has used so far.
#include "host/ActnList.h"
#include "host/Classes.h"
#include "host/ComCtrls.h"
#include "host/Controls.h"
#include "host/Dialogs.h"
#include "host/ExtCtrls.h"
#include "host/Forms.h"
#include "host/Graphics.h"
#include "host/ImgList.h"
#include "host/Menus.h"
#include "host/StdCtrls.h"
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
             &TSizeConstraints::StaticClass(),
             &TMenuItem::StaticClass(),
             &TMenuComponent::StaticClass(),
             &TMainMenu::StaticClass(),
             &TPopupMenu::StaticClass(),
             &TControl::StaticClass(),
             &TWinControl::StaticClass(),
             &TCustomControl::StaticClass(),
             &TGraphicControl::StaticClass(),
             &TScrollingWinControl::StaticClass(),
             &TCustomForm::StaticClass(),
             &TForm::StaticClass(),
             &TDataModule::StaticClass(),
             &TApplication::StaticClass(),
             &TScreen::StaticClass(),
             &TScrollBox::StaticClass(),
             &TLabel::StaticClass(),
             &TCustomEdit::StaticClass(),
             &TEdit::StaticClass(),
             &TMemo::StaticClass(),
             &TButtonControl::StaticClass(),
             &TButton::StaticClass(),
             &TCheckBox::StaticClass(),
             &TRadioButton::StaticClass(),
             &TCustomListBox::StaticClass(),
             &TListBox::StaticClass(),
             &TComboBox::StaticClass(),
             &TCustomGroupBox::StaticClass(),
             &TGroupBox::StaticClass(),
             &TCustomPanel::StaticClass(),
             &TPanel::StaticClass(),
             &TBevel::StaticClass(),
             &TCustomRadioGroup::StaticClass(),
             &TRadioGroup::StaticClass(),
             &TImage::StaticClass(),
             &TSplitter::StaticClass(),
             &TTimer::StaticClass(),
             &TTabSheet::StaticClass(),
             &TPageControl::StaticClass(),
             &TListColumn::StaticClass(),
             &TListColumns::StaticClass(),
             &TListItem::StaticClass(),
             &TListItems::StaticClass(),
             &TListView::StaticClass(),
             &TStatusPanel::StaticClass(),
             &TStatusPanels::StaticClass(),
             &TStatusBar::StaticClass(),
             &TToolBar::StaticClass(),
             &TToolButton::StaticClass(),
             &TCustomImageList::StaticClass(),
             &TImageList::StaticClass(),
             &TBasicAction::StaticClass(),
             &TContainedAction::StaticClass(),
             &TCustomAction::StaticClass(),
             &TAction::StaticClass(),
             &TActionList::StaticClass(),
             &TCommonDialog::StaticClass(),
             &TOpenDialog::StaticClass(),
             &TSaveDialog::StaticClass(),
             &TFontDialog::StaticClass(),
         })
      RegisterClass(*info);
    return true;
  }();
  (void)done;
}

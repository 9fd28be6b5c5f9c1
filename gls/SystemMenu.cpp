// The entries of the owner form's system menu, which no published property
// holds, treated as virtual properties of the form with fixed names.
#include "gls/Gls.h"
#include "host/controls/Forms.h"
#include "host/platform/Windows.h"

namespace Glossmith::inline Gls {

namespace {

struct TVirtualProp {
  UINT Id;
  const char* Name;
};

// In the order in which they are listed and applied.
constexpr TVirtualProp VirtualProps[] = {
    {SC_RESTORE, "SystemMenuRestore"},
    {SC_MOVE, "SystemMenuMove"},
    {SC_SIZE, "SystemMenuSize"},
    {SC_MINIMIZE, "SystemMenuMinimize"},
    {SC_MAXIMIZE, "SystemMenuMaximize"},
    {SC_CLOSE, "SystemMenuClose"},
    {SC_NEXTWINDOW, "SystemMenuNextWindow"},
};

// The platform reads at most this many characters, the terminating zero included.
constexpr int MenuReadBufferSize = 255;

}  // namespace

void TGlossmith::TranslateVirtual(bool Collect) {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (!form) return;
  HMENU menu = GetSystemMenu(form->Handle(), FALSE);
  const bool mdiChild = form->FormStyle() == fsMDIChild;
  String name;
  for (const TVirtualProp& prop : VirtualProps) {
    const bool nextWindow = prop.Id == SC_NEXTWINDOW;
    name = prop.Name;
    int index = -1;
    if (Collect) {
      if (nextWindow && !mdiChild) continue;
    } else {
      if (!WantTranslate(name, index)) continue;
      if (nextWindow && !mdiChild) continue;
    }
    CaptureMenuText(prop.Id, name, Collect, index, menu);
    if (Collect) continue;
    const String line = FActiveList->Get(index);
    String value = line.substr(line.find('=') + 1, MaxAppliedValueLength);
    try {
      ConvertFromLiterals(value);
    } catch (const EConvertError& e) {
      throw ETranslationEntryError(e.Message(), line, Name());
    }
    if (value.empty() && !ApplyEmpty()) continue;
    // The menu takes a zero-terminated text of limited length: an embedded
    // zero ends it, and a longer text is cut to the limit.
    if (value.size() > MaxValueLength) value.resize(MaxValueLength);
    ModifyMenuA(menu, prop.Id, MF_BYCOMMAND | MF_STRING, prop.Id, value.c_str());
  }
}

void TGlossmith::CaptureMenuText(unsigned Id, const String& Name, bool Collect, int Index,
                                 TMenu* Menu) {
  char buffer[MenuReadBufferSize] = {};
  GetMenuStringA(Menu, Id, buffer, MenuReadBufferSize, MF_BYCOMMAND);
  String text(buffer);
  ConvertToLiterals(text);
  if (Collect) {
    if (FActiveList && Collects(Name, nullptr)) FActiveList->Add(Name + "=" + text);
  } else if (!FIsTranslated) {
    RecordOriginal(Name + "=" + text, FActiveList->Objects(Index));
  }
}

}  // namespace Glossmith::inline Gls

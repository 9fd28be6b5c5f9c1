// The translator component: its published properties, the switch between
// translated and untranslated texts, the Locale partners on other forms, and
// the walk over the owner that the other files of the unit complete.
#include "gls/Gls.h"

#include <algorithm>
#include <numeric>

#include "host/controls/Forms.h"
#include "host/controls/Menus.h"
#include "host/platform/Windows.h"

namespace Glossmith::inline Gls {

GLS_IMPLEMENT_CLASS(TGlossmith)

namespace {

using TItem = TStringList::TStringItem;

// Inserts each item into List as SortInsert would, one after the other, but
// in n log n: sorting the new items and merging them gives the same lines in
// the same order whenever the list is in order and no two equal lines carry
// different objects (where the binary search's choice among equals would
// show). Otherwise the items are inserted one by one.
void SortInsertAll(TSortList& List, std::vector<TItem> Items) {
  if (Items.empty()) return;
  auto less = [](const String& a, const String& b) { return CompareBytes(a, b) < 0; };
  const std::vector<TItem>& existing = List.Items();
  std::vector<size_t> order(Items.size());
  std::iota(order.begin(), order.end(), size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](size_t a, size_t b) { return less(Items[a].Str, Items[b].Str); });
  bool exact = std::is_sorted(existing.begin(), existing.end(),
                              [&](const TItem& a, const TItem& b) { return less(a.Str, b.Str); });
  std::vector<TItem> merged;
  if (exact) {
    merged.reserve(existing.size() + Items.size());
    size_t e = 0;
    for (size_t k : order) {
      // A new line goes in front of equal lines already present.
      while (e < existing.size() && less(existing[e].Str, Items[k].Str))
        merged.push_back(existing[e++]);
      merged.push_back(Items[k]);
    }
    merged.insert(merged.end(), existing.begin() + static_cast<std::ptrdiff_t>(e), existing.end());
    for (size_t i = 1; i < merged.size() && exact; ++i)
      exact = !(merged[i].Str == merged[i - 1].Str && merged[i].Obj != merged[i - 1].Obj);
  }
  if (exact) {
    List.AssignItems(std::move(merged));
    return;
  }
  for (const TItem& item : Items) List.SortInsert(item.Str, item.Obj);
}

// Clears a flag when the scope ends, also when an error passes through.
class TFlagScope {
 public:
  explicit TFlagScope(bool& flag) : FFlag(flag) { FFlag = true; }
  ~TFlagScope() { FFlag = false; }
  TFlagScope(const TFlagScope&) = delete;
  TFlagScope& operator=(const TFlagScope&) = delete;

 private:
  bool& FFlag;
};

}  // namespace

void TGlossmith::Publish(TPublisher<TGlossmith>& P) {
  // Classic Boolean and integer properties without a default are always written.
  P.Str("About", &TGlossmith::FAbout).Stored(false);
  P.Str("FileName", &TGlossmith::FFileName);
  P.Int("Locale", &TGlossmith::FLocale);
  P.Bool("Translate", &TGlossmith::Translate, &TGlossmith::SetTranslate);
  P.Bool("TranslateEmpty", &TGlossmith::FTranslateEmpty);
  P.ObjOf<TStrings>("Translations", &TGlossmith::Translations, &TGlossmith::SetTranslations)
      .Stored(&TGlossmith::StoreTranslationsInForm);
  P.Event("OnTranslateForm", &TGlossmith::OnTranslateForm);
  P.Event("OnTranslateComponent", &TGlossmith::OnTranslateComponent);
  P.Event("OnTranslateProperty", &TGlossmith::OnTranslateProperty);
  P.Event("OnTranslated", &TGlossmith::OnTranslated);
}

TGlossmith::TGlossmith(TComponent* AOwner)
    : TComponent(AOwner),
      FOriginals(std::make_unique<TSortList>()),
      FTranslations(std::make_unique<TSortList>()) {}

TGlossmith::~TGlossmith() {
  // Nothing is restored: the owner is going too, or keeps what it shows.
  FPendingOriginals.clear();
  FOriginals.reset();
  FTranslations.reset();
}

TSortList* TGlossmith::Originals() const {
  FlushOriginals();
  return FOriginals.get();
}

void TGlossmith::SetTranslations(TStrings* Value) {
  // Read the lines first: Value may be the translation list itself, which is
  // then put in order instead of being emptied. Nil empties the list.
  std::vector<TItem> items;
  if (Value) {
    const int count = Value->Count();
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) items.push_back({Value->Get(i), Value->Objects(i)});
  }
  FTranslations->Clear();
  SortInsertAll(*FTranslations, std::move(items));
}

void TGlossmith::RecordOriginal(String Line, TObject* AObject) {
  if (FWalkDepth == 0) {
    FOriginals->SortInsert(Line, AObject);
    return;
  }
  FPendingOriginals.push_back({std::move(Line), AObject});
}

void TGlossmith::FlushOriginals() const {
  if (FPendingOriginals.empty()) return;
  std::vector<TItem> pending = std::move(FPendingOriginals);
  FPendingOriginals.clear();
  SortInsertAll(*FOriginals, std::move(pending));
}

template <class F>
bool TGlossmith::ForEachPartner(F&& Visit) {
  if (!Application) return false;
  for (int f = 0; f < Application->ComponentCount(); ++f) {
    auto* form = dynamic_cast<TCustomForm*>(Application->Components(f));
    if (!form) continue;
    for (int c = 0; c < form->ComponentCount(); ++c) {
      auto* other = dynamic_cast<TGlossmith*>(form->Components(c));
      if (other && other != this && other->FLocale == FLocale && Visit(other)) return true;
    }
  }
  return false;
}

void TGlossmith::Loaded() {
  FIsLoaded = true;
  TComponent::Loaded();
  if (FLocale != 0) {
    ForEachPartner([this](TGlossmith* partner) {
      SetTranslate(partner->FTranslate);
      return true;
    });
  }
  if (!ComponentState().Contains(csDesigning)) TranslateForm(FTranslations.get(), false);
}

void TGlossmith::SetTranslate(bool Value) {
  if (Value == FTranslate) return;
  InternalTranslate(Value);
  if (FIsLoaded && FLocale != 0) {
    ForEachPartner([Value](TGlossmith* partner) {
      partner->InternalTranslate(Value);
      return false;
    });
  }
}

void TGlossmith::InternalTranslate(bool Value) {
  if (Value == FTranslate) return;
  if (!Value) {
    RestoreForm();
    FTranslate = false;
    return;
  }
  FTranslate = true;
  if (TComponent* owner = Owner()) {
    for (int i = 0; i < owner->ComponentCount(); ++i) {
      auto* other = dynamic_cast<TGlossmith*>(owner->Components(i));
      if (other && other != this) other->SetTranslate(false);
    }
  }
  if (!TranslateForm(FTranslations.get(), false)) FTranslate = false;
}

void TGlossmith::RestoreForm() {
  if (!FIsTranslated) return;
  FlushOriginals();
  // Nothing was changed by the last applying walk, so there is nothing to put
  // back. Declining here would keep the translated state, and the next
  // applying walk would then record nothing and leave its values unrestorable.
  if (FOriginals->Count() == 0) {
    FIsTranslated = false;
    return;
  }
  TStringList copy;
  copy.AssignItems(FOriginals->Items());
  FIsTranslated = false;
  bool done = false;
  {
    // Originals that were empty are put back too, whatever TranslateEmpty says,
    // or a text that was empty would keep its translation.
    TFlagScope restoring(FRestoring);
    // The restore walk records the translated values it replaces. Outside any
    // other walk they are kept back here: thrown away with the originals when
    // the walk succeeds, merged only when an error cuts it short.
    const bool outermost = FWalkDepth == 0;
    ++FWalkDepth;
    try {
      done = TranslateForm(&copy, false);
    } catch (...) {
      if (--FWalkDepth == 0) FlushOriginals();
      throw;
    }
    if (--FWalkDepth == 0 && !(outermost && done)) FlushOriginals();
  }
  if (done) {
    FIsTranslated = false;
    FPendingOriginals.clear();
    FOriginals->Clear();
  } else {
    FIsTranslated = true;
  }
}

bool TGlossmith::TranslateForm(TStrings* List, bool Collect) {
  if (!Collect &&
      (!FTranslate || !List || List->Count() == 0 || ComponentState().Contains(csDesigning)))
    return false;
  if (FIsTranslated) RestoreForm();
  bool skip = false;
  if (OnTranslateForm) OnTranslateForm(this, List, skip);
  if (skip) return false;
  {
    // The translation list stays active after the walk. Any other list (the
    // copy of the originals a restore walks, a caller's list that a collecting
    // walk fills) is gone or no concern of this translator once the walk
    // ends, also when an error ends it: the active list goes back to what it
    // was, so that a later WantTranslate reads no freed list.
    struct TWalkScope {
      TGlossmith& Self;
      TStrings* Before;
      bool Temporary;
      TWalkScope(TGlossmith& self, TStrings* list)
          : Self(self), Before(self.FActiveList), Temporary(list != self.FTranslations.get()) {
        Self.FActiveList = list;
        ++Self.FWalkDepth;
      }
      ~TWalkScope() {
        if (--Self.FWalkDepth == 0) Self.FlushOriginals();
        if (Temporary) Self.FActiveList = Before;
      }
    } scope(*this, List);

    if (TComponent* owner = Owner()) {
      String path;
      WalkObject(owner, path, Collect, nullptr);
      TranslateVirtual(Collect);
      const int count = owner->ComponentCount();
      for (int i = 0; i < count; ++i) {
        TComponent* component = owner->Components(i);
        if (component == this || component->Name().empty()) continue;
        bool skipComponent = false;
        if (OnTranslateComponent) OnTranslateComponent(this, component, List, skipComponent);
        if (skipComponent) continue;
        path = component->Name();
        WalkObject(component, path, Collect, nullptr);
      }
      if (!Collect) RefreshMDI();
    }
  }
  if (!Collect) FIsTranslated = true;
  if (OnTranslated) OnTranslated(this, List);
  return true;
}

void TGlossmith::RefreshMDI() {
  auto* form = dynamic_cast<TCustomForm*>(Owner());
  if (!form) return;
  if (form->FormStyle() == fsMDIForm) {
    HWND client = form->ClientHandle();
    if (!client) return;
    // Frame menu 0: leave it as it is; only the window menu is set.
    if (TMenuItem* windowMenu = form->WindowMenu())
      SendMessageA(client, WM_MDISETMENU, 0, reinterpret_cast<LPARAM>(windowMenu->Handle()));
    SendMessageA(client, WM_MDIREFRESHMENU, 0, 0);
  } else if (form->FormStyle() == fsMDIChild && form->WindowState() == wsMaximized) {
    // A maximised child redraws its caption into the parent's only when it is
    // sized again.
    const auto size =
        static_cast<LPARAM>((static_cast<uint32_t>(form->ClientWidth()) & 0xFFFFu) |
                            ((static_cast<uint32_t>(form->ClientHeight()) & 0xFFFFu) << 16));
    HWND window = form->Handle();
    SendMessageA(window, WM_SIZE, SIZE_RESTORED, size);
    SendMessageA(window, WM_SIZE, SIZE_MAXIMIZED, size);
  }
}

}  // namespace Glossmith::inline Gls

// A small list of change observers, so that a front end can mirror a model's
// visible state without polling.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace Glossmith::inline Classes {

template <class T>
class TObserverList {
 public:
  using Observer = std::function<void(T*)>;

  int Add(Observer fn) {
    FItems.push_back({++FNextId, std::move(fn)});
    return FNextId;
  }
  void Remove(int id) {
    for (auto& item : FItems)
      if (item.Id == id) item.Fn = nullptr;
    FDirty = true;
    if (FNotifying == 0) Compact();
  }
  // Observers added while notifying are not told of this change; observers
  // removed while notifying are not told any more.
  void Notify(T* subject) {
    ++FNotifying;
    for (size_t i = 0, n = FItems.size(); i < n; ++i)
      if (FItems[i].Fn) {
        Observer fn = FItems[i].Fn;  // the observer may remove itself
        fn(subject);
      }
    if (--FNotifying == 0 && FDirty) Compact();
  }
  bool Empty() const { return FItems.empty(); }

 private:
  void Compact() {
    std::erase_if(FItems, [](const Item& item) { return !item.Fn; });
    FDirty = false;
  }
  struct Item {
    int Id;
    Observer Fn;
  };
  std::vector<Item> FItems;
  int FNextId = 0;
  int FNotifying = 0;
  bool FDirty = false;
};

}  // namespace Glossmith::inline Classes

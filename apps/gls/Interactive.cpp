#include "Interactive.h"

namespace Glossmith::Tool {

namespace {

TInteractiveFactory& Factory() {
  static TInteractiveFactory factory = nullptr;
  return factory;
}

}  // namespace

void SetInteractiveFactory(TInteractiveFactory factory) { Factory() = factory; }

std::unique_ptr<TUserInterface> CreateInteractiveUserInterface() {
  return Factory() ? Factory()() : nullptr;
}

}  // namespace Glossmith::Tool

#include "host/platform/Resources.h"

#include <map>

namespace Glossmith::inline Platform {

namespace {

std::map<String, std::string_view, std::less<>>& Resources() {
  static std::map<String, std::string_view, std::less<>> resources;
  return resources;
}

}  // namespace

void RegisterResource(std::string_view name, std::string_view data) {
  Resources()[UpperCase(name)] = data;
}

std::string_view FindResource(std::string_view name) {
  auto it = Resources().find(UpperCase(name));
  if (it == Resources().end()) throw EResNotFound(Format("Resource %s not found", {String(name)}));
  return it->second;
}

bool HasResource(std::string_view name) { return Resources().contains(UpperCase(name)); }

}  // namespace Glossmith::inline Platform

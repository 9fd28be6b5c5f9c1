// Resources compiled into the program and found by name, as the classic
// library finds a form's layout or a bitmap among the program's resources.
#pragma once

#include <string_view>

#include "host/rtl/SysUtils.h"

namespace Glossmith::inline Platform {

GLS_DECLARE_EXCEPTION(EResNotFound, Exception)

// Registers `data` under `name` (compared ignoring case). The bytes must live
// as long as the program: resources are registered from static data when the
// program starts. A second registration of a name replaces the first.
void RegisterResource(std::string_view name, std::string_view data);
// The resource of that name; raises EResNotFound naming it when there is none.
std::string_view FindResource(std::string_view name);
// Whether a resource of that name exists.
bool HasResource(std::string_view name);

}  // namespace Glossmith::inline Platform

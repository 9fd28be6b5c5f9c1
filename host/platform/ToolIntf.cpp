#include "host/platform/ToolIntf.h"

namespace Glossmith::inline Platform {

namespace {
TToolServices GToolServices;
}  // namespace

TToolServices* const ToolServices = &GToolServices;

}  // namespace Glossmith::inline Platform

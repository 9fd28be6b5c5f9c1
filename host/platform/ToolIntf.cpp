#include "host/platform/ToolIntf.h"

namespace {
TToolServices GToolServices;
}  // namespace

TToolServices* const ToolServices = &GToolServices;

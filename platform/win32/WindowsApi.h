// <windows.h> for the Win32 layer. Our surface header comes first: the system's RGB macro
// would otherwise rewrite the declaration of our RGB function (both make the same value).
#pragma once

#include "platform/core/Surface.h"

#ifndef NOMINMAX
#define NOMINMAX  // std::min and std::max, not the macros
#endif
#include <windows.h>

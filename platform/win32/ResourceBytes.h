// A resource of the executable, its bytes where they lie in the loaded image (empty when there
// is none). The program's media (EmbeddedMedia, media/MediaSource.h) are its resources on
// Windows: EmbeddedResources.cpp.
#pragma once

#include <cstdint>
#include <span>

std::span<const uint8_t> ResourceBytes(const char* name, const char* type);

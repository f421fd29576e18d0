// An xcb reply or error, freed when it goes out of scope: xcb hands them out with malloc.
#pragma once

#include <cstdlib>
#include <memory>

struct XcbFree {
  void operator()(void* p) const { std::free(p); }
};

template <typename T>
using XcbReply = std::unique_ptr<T, XcbFree>;

// A window id as the user or a frontend writes it: hex with 0x ("0x1c00007"), as the X tools
// print it, or decimal ("29360135").
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// Blanks around the id are allowed; nullopt for anything else, and for a value past 32 bits.
std::optional<uint32_t> ParseWindowId(std::string_view text);

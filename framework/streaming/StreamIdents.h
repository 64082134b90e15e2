#pragma once
#include <cstdint>
#include <string>

#include "framework/streaming/TPropInfo.h"

namespace fw {

/// Font character-set names (ANSI_CHARSET 0, DEFAULT_CHARSET 1, EASTEUROPE_CHARSET 238, ...).
const TIdentMap& CharsetIdents();

/// Name of `value` in the map, or nullptr.
const char* IdentOf(const TIdentMap& map, int64_t value);
/// Value named `name` (without regard to case); false when the map has no such name.
bool ValueOfIdent(const TIdentMap& map, const std::string& name, int64_t& value);

/// Case-insensitive comparison of ASCII names (property, class and value names).
bool SameName(const std::string& a, const std::string& b);

}  // namespace fw

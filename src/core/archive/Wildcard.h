#pragma once
// The member selection rule: file-name parts only, ASCII case folded, "?" and "*" allowed
// on either side.

#include <string_view>

namespace quorvex {

bool WildcardMatch(std::string_view name, std::string_view spec);

} // namespace quorvex

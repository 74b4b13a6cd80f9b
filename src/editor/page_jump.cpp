#include "editor/page_jump.h"

#include <cmath>

#include "platform/number_text.h"

namespace komasu {

std::optional<int> JumpTarget(const QString& entry, int page_count) {
  const auto value = ParseTypedNumber(entry);
  if (!value || !(*value > 0) || *value > page_count) return std::nullopt;
  const double whole = std::floor(*value);
  if (whole < 1) return std::nullopt;  // 0.5 passes the range test but names no page
  return static_cast<int>(whole);
}

}  // namespace komasu

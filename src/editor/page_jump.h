#pragma once
// The page number a jump entry asks for: a number greater than 0 and not greater than the
// page count; a fractional entry takes its whole part.

#include <QString>
#include <optional>

namespace komasu {

// Full-width digits are read like ASCII digits; anything that is not wholly a number, or a
// page outside 1..page_count, gives nullopt.
std::optional<int> JumpTarget(const QString& entry, int page_count);

}  // namespace komasu

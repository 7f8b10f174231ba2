#pragma once

#include <string>
#include <string_view>

namespace tremvix {

inline constexpr int kMaxFields = 100;

// Splits one line of a data file at its commas. There is no quoting and no
// trimming: quotes and spaces belong to their fields, two adjacent commas give an
// empty field. The line ends at the first NUL or LF (a CR right before that LF is
// part of the line end); the string_view form also ends at the end of the view.
//
// Returns the number of fields on the line (commas before the line end plus one),
// or 0 when the first byte is NUL (or the view is empty). Only the first `capacity`
// fields are stored in fields[0..capacity-1]; the count still includes the ones
// beyond, so that a caller can tell a line with too many fields. Callers must index
// at most min(count, capacity) entries. Entries past the stored ones are left as
// they were.
int SplitFields(const char* line, std::string* fields, int capacity = kMaxFields);
int SplitFields(std::string_view line, std::string* fields, int capacity = kMaxFields);

// The part of `line` before its line end: cut at the first NUL or LF, and drop a
// CR that stood right before that LF.
std::string_view LineContent(std::string_view line);

}  // namespace tremvix

// How the dialog-item operations turn field text into numbers and into byte buffers.
// The same on every backend.
#pragma once

#include <string>
#include <string_view>

#include "fw/Types.h"

namespace fw {

// A decimal integer in `text`. Blanks (spaces, tabs) may stand before and after it;
// a "+" may lead, and a "-" when isSigned. Anything else after the digits, no digit
// at all, or a value outside the signed (isSigned) or unsigned 32-bit range reads as
// no number: 0 and *ok = false. Only ASCII digits count.
UINT ParseDlgInt(std::string_view text, bool isSigned, bool* ok);

// Decimal text of `value`, read as signed when isSigned.
std::string FormatDlgInt(UINT value, bool isSigned);

// Copies the longest whole-character prefix of the UTF-8 `text` that fits in
// count - 1 bytes, and a terminating zero; returns the bytes copied (without the zero).
// A count below 1 copies nothing.
int CopyDlgText(std::string_view text, char* buffer, int count);

}  // namespace fw

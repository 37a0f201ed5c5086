// Text to number conversions and assignment into counted slots.
#ifndef DURIZ_VALUES_CONVERT_H
#define DURIZ_VALUES_CONVERT_H

#include <cstdint>

struct JsValue;
class JsNumber;

// The value of the longest decimal number at the start of text (optional
// sign, digits, one point, an exponent); 0 when there is none. Hexadecimal
// and the words inf and nan are not read.
double DecimalPrefixValue(const char *text);

// The number a literal of the compiled program stands for, by its text and
// token kind: decimal texts as written, octal and hexadecimal read with the
// automatic base and clamped to 2147483647.
double LiteralValue(const char *text, int tokenKind);

// The one routine behind every assignment into a slot: shares strings and
// objects, joins strings for +=, computes numbers (in place when the slot
// is the number's only holder). Answers 1 for success, 0 for failure.
int AssignToSlot(JsValue **slot, JsValue *value, int op);

#endif

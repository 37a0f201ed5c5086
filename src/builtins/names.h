// Built-in names: the 210 property names the engine answers natively, known
// by their name index (0-209), with the numbering of native functions
// (1000-1116) and constructors (2000 plus a class number).
#ifndef DURIZ_BUILTINS_NAMES_H
#define DURIZ_BUILTINS_NAMES_H

#include <cstddef>
#include <cstdint>

struct BuiltinName {
    const char *text;
    uint16_t hash;
};

constexpr int kBuiltinNameCount = 210;
constexpr size_t kLongestName = 17;
constexpr int kFirstNativeId = 1000;
constexpr int kNativeCount = 117;
constexpr int kFirstConstructorId = 2000;
constexpr int kConstructorCount = 34;

extern const BuiltinName kBuiltinNames[kBuiltinNameCount];
extern const uint16_t kNameLengthIndex[kLongestName];

uint16_t NameHash(const char *text, size_t length);
// The name index of length bytes of text, or -1.
int LookupName(const char *text, size_t length);
// The text of a valid name index, else null.
const char *NameText(int index);

#endif

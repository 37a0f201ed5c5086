// Built-in names: the 210 property names the engine answers natively, known
// by their name index (0-209), with the numbering of native functions
// (1000-1116) and constructors (2000 plus a class number).
#ifndef DURIZ_BUILTINS_NAMES_H
#define DURIZ_BUILTINS_NAMES_H

#include <array>
#include <climits>
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

extern const std::array<BuiltinName, kBuiltinNameCount> kBuiltinNames;
// Entry L-1: how many names have at most L bytes.
extern const std::array<uint16_t, kLongestName> kNameLengthIndex;

// The hash of length bytes of text: the XOR of its little-endian 32-bit
// words, XOR the bytes left over packed most significant first (each
// sign-extended), then the absolute value modulo 65534.
constexpr uint16_t NameHash(const char *text, size_t length) {
    if (length == 0) return 0;
    uint32_t w = 0;
    size_t i = 0;
    for (; i + 4 <= length; i += 4)
        w ^= static_cast<uint32_t>(static_cast<unsigned char>(text[i])) |
             static_cast<uint32_t>(static_cast<unsigned char>(text[i + 1])) << 8 |
             static_cast<uint32_t>(static_cast<unsigned char>(text[i + 2])) << 16 |
             static_cast<uint32_t>(static_cast<unsigned char>(text[i + 3])) << 24;
    uint32_t t = 0;
    for (; i < length; i++) {
        // Each byte enters as a sign-extended char: 0x80 and above set all
        // the higher bits.
        const int32_t extended = static_cast<signed char>(text[i]);
        t = (t << 8) | static_cast<uint32_t>(extended);
    }
    const int32_t x = static_cast<int32_t>(w ^ t);
    // The absolute value of the most negative integer stays negative; its
    // remainder is -2, which comes out as 0xFFFE.
    if (x == INT32_MIN) return 0xFFFE;
    return static_cast<uint16_t>((x < 0 ? -x : x) % 65534);
}
// The name index of length bytes of text, or -1.
int LookupName(const char *text, size_t length);
// The text of a valid name index, else null.
const char *NameText(int index);

#endif

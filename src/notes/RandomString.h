#pragma once

// Note IDs: the expansion of a mask with draws from a pseudo-random generator.
//
// The generator is PCG32 (O'Neill's permuted congruential generator, XSH-RR output on a 64-bit
// LCG with multiplier 6364136223846793005), started as pcg32_srandom(42, 54) would start it.
// Each draw takes the top 24 bits of one 32-bit output and scales them by 2^-24, giving a
// single-precision value in [0, 1) on which every float is exact. The process's generator is
// never seeded from anything that changes, so the note IDs of a run are those of every run.

#include <cstdint>
#include <string>

namespace Notes {

inline constexpr char16_t NoteIdMask[] = u"A###-#H###-####?";

// Where RandomString takes its draws from; tests put their own values in.
class RandomSource {
  public:
    virtual ~RandomSource() = default;
    // A value r with 0 <= r < 1 that a float holds exactly.
    virtual float Draw() = 0;
};

class Pcg32Random : public RandomSource {
  public:
    // The fixed starting point of every run.
    Pcg32Random() : Pcg32Random(42U, 54U) {}
    Pcg32Random(std::uint64_t initState, std::uint64_t initSequence);

    std::uint32_t NextUInt32();
    float Draw() override;

  private:
    std::uint64_t state_ = 0;
    std::uint64_t increment_ = 0;
};

// The one generator of the process, in its starting state until the first draw.
RandomSource& ProcessRandom();

// Expands mask: 'A' a letter, 'N' a letter or digit, '#' a digit, 'H' an upper-case hex digit,
// '?' the 8-bit character of code round-half-even(r * 127 + 1); every other character stays.
// One draw per pattern character, in mask order.
std::u16string RandomString(const std::u16string& mask, RandomSource& source);
std::u16string RandomString(const std::u16string& mask);

}  // namespace Notes

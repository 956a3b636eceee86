#include "notes/RandomString.h"

#include <cstddef>
#include <string_view>

#include "support/RoundHalfEven.h"
#include "support/TextCodec.h"

namespace Notes {

namespace {

constexpr std::u16string_view kLetters = u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr std::u16string_view kLettersAndDigits =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::u16string_view kDigits = u"0123456789";
constexpr std::u16string_view kHexDigits = u"0123456789ABCDEF";

constexpr std::uint64_t kMultiplier = 6364136223846793005ULL;

char16_t PickFrom(std::u16string_view set, float r) {
    // r < 1, so floor(r * n) < n; the guard only keeps a faulty source inside the set.
    auto index = static_cast<std::size_t>(static_cast<double>(r) * static_cast<double>(set.size()));
    if (index >= set.size()) {
        index = set.size() - 1;
    }
    return set[index];
}

char16_t CodeCharacter(float r) {
    std::int32_t code = Support::RoundToInt32(static_cast<double>(r) * 127.0 + 1.0);
    // Codes run from 1 to 128 for every r in [0, 1); the clamp only guards a faulty source.
    code = code < 1 ? 1 : (code > 128 ? 128 : code);
    return TextCodec::CharFromCode(static_cast<std::uint8_t>(code));
}

}  // namespace

Pcg32Random::Pcg32Random(std::uint64_t initState, std::uint64_t initSequence)
    : increment_((initSequence << 1U) | 1U) {
    NextUInt32();
    state_ += initState;
    NextUInt32();
}

std::uint32_t Pcg32Random::NextUInt32() {
    const std::uint64_t old = state_;
    state_ = old * kMultiplier + increment_;
    const auto xorShifted = static_cast<std::uint32_t>(((old >> 18U) ^ old) >> 27U);
    const auto rotation = static_cast<std::uint32_t>(old >> 59U);
    return (xorShifted >> rotation) | (xorShifted << ((32U - rotation) & 31U));
}

float Pcg32Random::Draw() {
    return static_cast<float>(NextUInt32() >> 8U) * 0x1.0p-24F;
}

RandomSource& ProcessRandom() {
    static Pcg32Random generator;
    return generator;
}

std::u16string RandomString(const std::u16string& mask, RandomSource& source) {
    std::u16string result = mask;
    for (std::size_t i = 0; i < mask.size(); ++i) {
        switch (mask[i]) {
            case u'A':
                result[i] = PickFrom(kLetters, source.Draw());
                break;
            case u'N':
                result[i] = PickFrom(kLettersAndDigits, source.Draw());
                break;
            case u'#':
                result[i] = PickFrom(kDigits, source.Draw());
                break;
            case u'H':
                result[i] = PickFrom(kHexDigits, source.Draw());
                break;
            case u'?':
                result[i] = CodeCharacter(source.Draw());
                break;
            default:
                break;
        }
    }
    return result;
}

std::u16string RandomString(const std::u16string& mask) {
    return RandomString(mask, ProcessRandom());
}

}  // namespace Notes

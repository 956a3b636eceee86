// A library for the tests of holding a program in memory: code, and a table of read-only data
// larger than a page. (Truncating a file takes even the private copies of its written pages,
// which a pulled drive does not, so the call writes nothing of the library's.)

#include <array>
#include <cstddef>

namespace {

constexpr std::size_t kTableSize = 3 * 4096;

constexpr std::array<unsigned char, kTableSize> MakeTable() {
    std::array<unsigned char, kTableSize> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = static_cast<unsigned char>(i * 7 + 3);
    }
    return table;
}

constexpr std::array<unsigned char, kTableSize> kTable = MakeTable();

}  // namespace

extern "C" __attribute__((visibility("default"))) unsigned ResidentProbeAnswer() {
    unsigned sum = 0;
    for (const unsigned char value : kTable) {
        sum += value;
    }
    return sum;
}

// What a drive can hand the notes: the bytes of a note file and the names in the Notes folder.
// The first byte picks which one the rest of the input is.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "notes/NoteFile.h"
#include "notes/NoteStartup.h"
#include "notes/RandomString.h"
#include "platform/posix/FileNameCodec.h"
#include "support/TextCodec.h"

namespace {

// Draws taken from the fuzzer's bytes, so that masks and draws both vary.
class BytesRandom : public Notes::RandomSource {
  public:
    explicit BytesRandom(std::string_view bytes) : bytes_(bytes) {}
    float Draw() override {
        std::uint32_t value = 0;
        for (int i = 0; i < 3 && !bytes_.empty(); ++i) {
            value = (value << 8U) | static_cast<std::uint8_t>(bytes_.front());
            bytes_.remove_prefix(1);
        }
        return static_cast<float>(value & 0xFFFFFFU) * 0x1.0p-24F;
    }

  private:
    std::string_view bytes_;
};

void NoteText(std::string_view bytes) {
    // A note read and saved again must read back as the same text.
    const std::u16string text = TextCodec::DecodeFileText(bytes);
    const std::string saved = TextCodec::EncodeFileText(text);
    if (TextCodec::DecodeFileText(saved) != text) {
        std::abort();
    }
}

void FileName(std::string_view bytes) {
    const std::u16string name = Platform::Posix::DecodeFileName(bytes);
    const auto noteId = Notes::NoteIdFromFileName(name);
    if (!noteId) {
        return;
    }
    if (noteId->empty() || *noteId == u".txt" || noteId->size() + 4 > name.size()) {
        std::abort();
    }
    (void)Notes::IsPortableFileName(*noteId);
}

void Mask(std::string_view bytes) {
    const std::size_t maskLength = bytes.size() / 2;
    const std::u16string mask = Platform::Posix::DecodeFileName(bytes.substr(0, maskLength));
    BytesRandom draws(bytes.substr(maskLength));
    if (Notes::RandomString(mask, draws).size() != mask.size()) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 3) {
        case 0:
            NoteText(bytes);
            break;
        case 1:
            FileName(bytes);
            break;
        default:
            Mask(bytes);
            break;
    }
    return 0;
}

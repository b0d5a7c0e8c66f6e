// Fuzzes the settings file reader with arbitrary bytes. Besides running clean under the
// sanitizers, every input must keep these promises:
// - a list that reads as Ok has a count of 0..32767 and an empty slot 0;
// - writing that list and reading it back gives the same list, and writing it again the same
//   bytes (so a loader that rotates and saves a list never damages it);
// - an input that does not read as Ok yields no list at all.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/settings_codec.h"

namespace {

void Require(bool condition, const char* promise) {
    if (condition) return;
    std::fprintf(stderr, "settings_fuzz: broken promise: %s\n", promise);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const SettingsReadResult read = DecodeSettings(bytes);

    if (read.status != SettingsReadStatus::Ok) {
        Require(read.pictures.empty(), "a file that is not usable yields no list");
        return 0;
    }

    const PictureSlots& pictures = read.pictures;
    Require(!pictures.empty(), "a usable file yields at least slot 0");
    const int count = PictureCount(pictures);
    Require(count >= 0 && count <= kMaxPictures, "the count of a usable list is 0..32767");
    Require(pictures[0] == PictureEntry{}, "slot 0 of a usable list is empty");

    const std::string written = EncodeSettings(pictures);
    const SettingsReadResult reread = DecodeSettings(written);
    Require(reread.status == SettingsReadStatus::Ok, "a written list reads back as usable");
    Require(reread.pictures == pictures, "a written list reads back unchanged");
    Require(EncodeSettings(reread.pictures) == written, "writing a list read back gives the same bytes");
    return 0;
}

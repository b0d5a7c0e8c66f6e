#include "common/picture_name.h"

#include <iterator>
#include <string>

namespace {

struct KnownEnding {
    std::u32string_view text;
    PictureNameKind kind;
};
constexpr KnownEnding kEndings[] = {
    {U"bmp", PictureNameKind::Bitmap},
    {U"gif", PictureNameKind::Gif},
    {U"jpg", PictureNameKind::Jpeg},
};

constexpr char32_t LowerAscii(char32_t c) { return c >= U'A' && c <= U'Z' ? c - U'A' + U'a' : c; }

}  // namespace

PictureNameKind PictureKindOfEnding(char32_t first, char32_t second, char32_t third) {
    const char32_t lower[] = {LowerAscii(first), LowerAscii(second), LowerAscii(third)};
    const std::u32string_view ending(lower, std::size(lower));
    for (const KnownEnding& known : kEndings) {
        if (ending == known.text) return known.kind;
    }
    return PictureNameKind::None;
}

PictureNameKind PictureKindOfName(std::string_view name) {
    if (name.size() < 3) return PictureNameKind::None;
    const auto last = [name](size_t back) {
        return static_cast<char32_t>(static_cast<unsigned char>(name[name.size() - back]));
    };
    return PictureKindOfEnding(last(3), last(2), last(1));
}

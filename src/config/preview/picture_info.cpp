#include "config/preview/picture_info.h"

#include "common/picture_bytes.h"

namespace {

std::string DepthLine(int16_t bits) { return std::to_string(bits) + " Bits (" + ColorCountText(bits) + ")"; }

std::string BytesLine(int64_t bytes, std::string_view separator) {
    return GroupThousands(bytes, separator) + " bytes";
}

}  // namespace

std::string ColorCountText(int16_t bits) {
    switch (bits) {
        case 1: return "2";
        case 4: return "16";
        case 8: return "256";
        case 15: return "32k";
        case 16: return "65k";
        case 24:
        case 32: return "16,7M";  // a fixed text: the comma is not the locale's
        default: return "";
    }
}

std::string PictureSizeText(int width, int height) { return std::to_string(width) + "x" + std::to_string(height); }

std::string GroupThousands(int64_t value, std::string_view separator) {
    // The magnitude as unsigned, so that the most negative value keeps all its digits.
    const uint64_t magnitude = value < 0 ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    const std::string digits = std::to_string(magnitude);
    std::string text = value < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) text += separator;
        text += digits[i];
    }
    return text;
}

std::optional<BitmapInfoFields> ReadBitmapInfoFields(const uint8_t* bytes, size_t size) {
    // The info header begins with its own size at offset 14. The older 12-byte header holds
    // width and height as unsigned 16-bit numbers at 18 and 20 and the bit count at 24; every
    // later header has 32-bit width and height at 18 and 22 and the bit count at 28.
    constexpr size_t kCoreHeaderSize = 12;
    constexpr size_t kCoreBytes = 14 + kCoreHeaderSize;
    if (bytes == nullptr || size < kCoreBytes) return std::nullopt;
    BitmapInfoFields fields;
    fields.fileSize = static_cast<int32_t>(Le32(bytes + 2));
    if (Le32(bytes + 14) == kCoreHeaderSize) {
        fields.width = static_cast<int32_t>(Le16(bytes + 18));
        fields.height = static_cast<int32_t>(Le16(bytes + 20));
        fields.bitCount = static_cast<int16_t>(Le16(bytes + 24));
        return fields;
    }
    if (size < kBitmapInfoBytes) return std::nullopt;
    fields.width = static_cast<int32_t>(Le32(bytes + 18));
    fields.height = static_cast<int32_t>(Le32(bytes + 22));
    fields.bitCount = static_cast<int16_t>(Le16(bytes + 28));
    return fields;
}

std::vector<std::string> BitmapInfoLines(const BitmapInfoFields& fields, std::string_view thousandsSeparator) {
    return {PictureSizeText(fields.width, fields.height), DepthLine(fields.bitCount),
            BytesLine(fields.fileSize, thousandsSeparator)};
}

std::vector<std::string> DecodedInfoLines(PictureNameKind kind, int width, int height, int64_t fileLength,
                                          std::string_view thousandsSeparator) {
    if (kind != PictureNameKind::Gif && kind != PictureNameKind::Jpeg) return {};
    return {PictureSizeText(width, height), DepthLine(kind == PictureNameKind::Gif ? 8 : 24),
            BytesLine(fileLength, thousandsSeparator)};
}

#include "common/settings_codec.h"

#include <charconv>
#include <optional>

namespace {

constexpr std::string_view kTrue = "#TRUE#";
constexpr std::string_view kFalse = "#FALSE#";

// Reads the fields of a settings file one after another. Every read returns nothing when the
// field is missing or not of its type; the caller then treats the whole file as unusable.
class FieldReader {
public:
    explicit FieldReader(std::string_view text) : text_(text) {}

    std::optional<std::string> ReadString() {
        SkipBlanks();
        if (AtEnd()) return std::nullopt;
        if (text_[pos_] == '"') {
            const size_t close = text_.find('"', pos_ + 1);
            if (close == std::string_view::npos) return std::nullopt;  // unterminated quote
            std::string value(text_.substr(pos_ + 1, close - pos_ - 1));
            pos_ = close + 1;
            if (!EndField()) return std::nullopt;
            return value;
        }
        std::string value(RawField());
        return value;
    }

    std::optional<int16_t> ReadInt16() {
        SkipBlanks();
        if (AtEnd()) return std::nullopt;
        std::string_view field = TrimTrailingBlanks(RawField());
        if (!field.empty() && field.front() == '+') field.remove_prefix(1);
        if (field.empty()) return std::nullopt;
        int value = 0;
        const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
        if (error != std::errc() || end != field.data() + field.size()) return std::nullopt;
        if (value < INT16_MIN || value > INT16_MAX) return std::nullopt;
        return static_cast<int16_t>(value);
    }

    std::optional<bool> ReadBoolean() {
        SkipBlanks();
        if (AtEnd()) return std::nullopt;
        const std::string_view field = TrimTrailingBlanks(RawField());
        if (field == kTrue) return true;
        if (field == kFalse) return false;
        return std::nullopt;
    }

private:
    static bool IsBlank(char c) { return c == ' ' || c == '\t'; }
    static bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

    static std::string_view TrimTrailingBlanks(std::string_view field) {
        while (!field.empty() && IsBlank(field.back())) field.remove_suffix(1);
        return field;
    }

    bool AtEnd() const { return pos_ >= text_.size(); }

    void SkipBlanks() {
        while (!AtEnd() && IsBlank(text_[pos_])) ++pos_;
    }

    // Consumes one separator: a comma, or a line end (CR LF as one, a lone CR or LF as one).
    void ConsumeSeparator() {
        if (AtEnd()) return;
        if (text_[pos_] == ',') {
            ++pos_;
        } else if (text_[pos_] == '\r') {
            ++pos_;
            if (!AtEnd() && text_[pos_] == '\n') ++pos_;
        } else if (text_[pos_] == '\n') {
            ++pos_;
        }
    }

    // After a closing quote only blanks may stand before the separator.
    bool EndField() {
        SkipBlanks();
        if (AtEnd()) return true;
        const char c = text_[pos_];
        if (c != ',' && !IsLineEnd(c)) return false;
        ConsumeSeparator();
        return true;
    }

    // An unquoted field: everything up to the next comma or line end.
    std::string_view RawField() {
        const size_t start = pos_;
        while (!AtEnd() && text_[pos_] != ',' && !IsLineEnd(text_[pos_])) ++pos_;
        const std::string_view field = text_.substr(start, pos_ - start);
        ConsumeSeparator();
        return field;
    }

    std::string_view text_;
    size_t pos_ = 0;
};

// True when `text` holds a byte 0 to 31. Such bytes are never the second byte of a double-byte
// character, so the test holds in every ANSI code page.
bool HasControlCharacter(std::string_view text) {
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 0x20) return true;
    }
    return false;
}

void AppendEntryLine(std::string& out, const PictureEntry& entry) {
    out += std::to_string(entry.FolderLength);
    out += ",\"";
    out += entry.Path;
    out += "\",";
    out += std::to_string(entry.Tile);
    out += ',';
    out += entry.Stretch ? kTrue : kFalse;
    out += "\r\n";
}

}  // namespace

std::string EncodeSettings(const PictureSlots& pictures) {
    const int count = PictureCount(pictures);
    std::string out;
    out.reserve(32 + static_cast<size_t>(count) * 64);
    out += '"';
    out += kSettingsHeader;
    out += "\"\r\n";
    out += std::to_string(count);
    out += "\r\n";
    for (int slot = 1; slot <= count; ++slot) AppendEntryLine(out, pictures[static_cast<size_t>(slot)]);
    return out;
}

SettingsReadResult DecodeSettings(std::string_view bytes) {
    SettingsReadResult result;
    FieldReader reader(bytes);

    const std::optional<std::string> header = reader.ReadString();
    if (!header) return result;  // empty or cut before the header ended: unusable, not foreign
    if (*header != kSettingsHeader) {
        result.status = SettingsReadStatus::WrongHeader;
        return result;
    }

    const std::optional<int16_t> count = reader.ReadInt16();
    if (!count || *count < 0) return result;

    PictureSlots pictures(static_cast<size_t>(*count) + 1);
    for (int slot = 1; slot <= *count; ++slot) {
        PictureEntry& entry = pictures[static_cast<size_t>(slot)];
        const auto folderLength = reader.ReadInt16();
        if (!folderLength) return result;
        auto path = reader.ReadString();
        // A path holds no double quote. An unquoted field may carry one, but the list would then
        // be written back as a file that no longer reads, so such a file is unusable now. No
        // Windows file name holds a control character either: a NUL would cut the path short where
        // the registry and the file system read it, so a path with one is damage, not a name.
        if (!path || path->find('"') != std::string::npos || HasControlCharacter(*path)) return result;
        const auto tile = reader.ReadInt16();
        if (!tile) return result;
        const auto stretch = reader.ReadBoolean();
        if (!stretch) return result;
        entry.FolderLength = *folderLength;
        entry.Path = std::move(*path);
        entry.Tile = *tile;
        entry.Stretch = *stretch;
    }

    result.status = SettingsReadStatus::Ok;
    result.pictures = std::move(pictures);
    return result;
}

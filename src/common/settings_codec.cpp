#include "common/settings_codec.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>

namespace {

constexpr std::string_view kTrue = "#TRUE#";
constexpr std::string_view kFalse = "#FALSE#";

// True when `text` holds a byte 0 to 31. Such bytes are never the second byte of a double-byte
// character, so the test holds in every ANSI code page.
bool HasControlCharacter(std::string_view text) {
    // No early exit: the loop then runs over whole vectors of bytes.
    unsigned char lowest = 0xFF;
    for (const char c : text) lowest = std::min(lowest, static_cast<unsigned char>(c));
    return lowest < 0x20;
}

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

    // Reads one entry line as the program writes it ("8,\"C:\\a.jpg\",0,#TRUE#" and CR LF) in one
    // pass. Anything else (blanks, unquoted fields, other line ends, a field that does not read)
    // leaves the position where it was and returns false, and the entry is then read field by
    // field, which gives the same result for every line this one accepts.
    bool ReadWrittenEntry(PictureEntry& entry) {
        const char* const begin = text_.data() + pos_;
        const char* const end = text_.data() + text_.size();
        const char* p = begin;
        int16_t folderLength = 0, tile = 0;
        if (!ReadWrittenNumber(p, end, folderLength) || end - p < 2 || p[0] != ',' || p[1] != '"') return false;
        const char* const path = p + 2;
        const char* const close = static_cast<const char*>(std::memchr(path, '"', static_cast<size_t>(end - path)));
        if (!close || HasControlCharacter(std::string_view(path, static_cast<size_t>(close - path)))) return false;
        p = close + 1;
        if (p == end || *p != ',') return false;
        ++p;
        if (!ReadWrittenNumber(p, end, tile) || p == end || *p != ',') return false;
        ++p;
        bool stretch;
        if (Follows(p, end, "#TRUE#\r\n")) {
            stretch = true;
            p += 8;
        } else if (Follows(p, end, "#FALSE#\r\n")) {
            stretch = false;
            p += 9;
        } else {
            return false;
        }
        entry.FolderLength = folderLength;
        entry.Path.assign(path, static_cast<size_t>(close - path));
        entry.Tile = tile;
        entry.Stretch = stretch;
        pos_ += static_cast<size_t>(p - begin);
        return true;
    }

private:
    static bool Follows(const char* p, const char* end, std::string_view literal) {
        return static_cast<size_t>(end - p) >= literal.size() && std::memcmp(p, literal.data(), literal.size()) == 0;
    }

    // An optional minus sign and one to five digits that fit 16 bits, as written.
    static bool ReadWrittenNumber(const char*& p, const char* end, int16_t& out) {
        const char* q = p;
        const bool negative = q != end && *q == '-';
        if (negative) ++q;
        const char* const digits = q;
        int value = 0;
        while (q != end && q - digits < 5 && *q >= '0' && *q <= '9') value = value * 10 + (*q++ - '0');
        if (q == digits || (q != end && *q >= '0' && *q <= '9')) return false;
        if (negative) value = -value;
        if (value < INT16_MIN || value > INT16_MAX) return false;
        out = static_cast<int16_t>(value);
        p = q;
        return true;
    }

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

// The decimal digits of a number, with its minus sign.
size_t NumberLength(int value) {
    const unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    size_t length = value < 0 ? 2 : 1;
    for (unsigned rest = magnitude / 10; rest != 0; rest /= 10) ++length;
    return length;
}

char* PutText(char* out, std::string_view text) {
    std::memcpy(out, text.data(), text.size());
    return out + text.size();
}

// Through a small buffer, so that no range reaches past the text, whose room was counted exactly.
char* PutNumber(char* out, int value) {
    char digits[16];
    const char* const end = std::to_chars(digits, digits + sizeof(digits), value).ptr;
    return PutText(out, std::string_view(digits, static_cast<size_t>(end - digits)));
}

size_t EntryLineLength(const PictureEntry& entry) {
    // Three commas, two quotes, CR LF.
    return NumberLength(entry.FolderLength) + entry.Path.size() + NumberLength(entry.Tile) +
           (entry.Stretch ? kTrue : kFalse).size() + 7;
}

char* PutEntryLine(char* out, const PictureEntry& entry) {
    out = PutNumber(out, entry.FolderLength);
    out = PutText(out, ",\"");
    out = PutText(out, entry.Path);
    out = PutText(out, "\",");
    out = PutNumber(out, entry.Tile);
    *out++ = ',';
    out = PutText(out, entry.Stretch ? kTrue : kFalse);
    return PutText(out, "\r\n");
}

}  // namespace

std::string EncodeSettings(const PictureSlots& pictures) {
    const int count = PictureCount(pictures);
    // The exact length first, so that the lines are put straight into the text.
    size_t length = kSettingsHeader.size() + 4 + NumberLength(count) + 2;
    for (int slot = 1; slot <= count; ++slot) length += EntryLineLength(pictures[static_cast<size_t>(slot)]);
    std::string out(length, '\0');
    char* p = out.data();
    *p++ = '"';
    p = PutText(p, kSettingsHeader);
    p = PutText(p, "\"\r\n");
    p = PutNumber(p, count);
    p = PutText(p, "\r\n");
    for (int slot = 1; slot <= count; ++slot) p = PutEntryLine(p, pictures[static_cast<size_t>(slot)]);
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
        if (reader.ReadWrittenEntry(entry)) continue;
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

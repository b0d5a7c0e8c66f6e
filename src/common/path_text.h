// Paths in the ANSI code page, read character by character. In the double-byte code pages
// (Japanese, Chinese, Korean) the second byte of a character may be 0x5C, the backslash: a path is
// split, joined and measured only where a whole character stands, never at a single byte.
#pragma once

#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The bytes that start a two-byte character in one ANSI code page. Made empty it describes a
// single-byte code page, where every byte is a character.
class LeadBytes {
public:
    LeadBytes() = default;
    // Marks the bytes `first` to `last` (both included) as lead bytes.
    void AddRange(uint8_t first, uint8_t last);
    bool IsLead(char c) const { return lead_[static_cast<unsigned char>(c)]; }
    bool IsDoubleByte() const { return lead_.any(); }

private:
    std::bitset<256> lead_;
};

// The number of bytes of the character that starts at byte `pos` of `text`: 2 for a lead byte
// followed by another byte, else 1 (a lead byte at the very end stands alone).
size_t CharBytes(std::string_view text, size_t pos, const LeadBytes& lead);

// The number of characters of `text`.
int CharCount(std::string_view text, const LeadBytes& lead);

// The number of bytes that the first `chars` characters of `text` take; the whole text when it
// has fewer characters, 0 for a count of 0 or less.
size_t BytesOfChars(std::string_view text, int chars, const LeadBytes& lead);

// The number of bytes of a path's folder part: up to and including its last backslash character,
// 0 when it has none.
size_t FolderPartBytes(std::string_view path, const LeadBytes& lead);

// True when the last character of `path` is a backslash.
bool EndsWithBackslash(std::string_view path, const LeadBytes& lead);

// Returns `folder` ending in a backslash: one is appended unless its last character already is
// one (a drive root such as "C:\").
std::string FolderWithBackslash(std::string_view folder, const LeadBytes& lead);

// Returns the part of a path after its last backslash character; the whole path when it has none.
std::string GetFileName(std::string_view path, const LeadBytes& lead);

// Damaged picture files, made from good ones: a 24-bit, an 8-bit palette and an RLE8 bitmap, a GIF
// and a JPEG, cut at many lengths, header fields set to extremes, palettes and RLE data broken,
// sizes claiming gigapixels, zero and negative sizes, bytes changed at random (the same ones on
// every run), and files named as another format.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "test_pictures.h"

namespace damaged_pictures {

// A side that is not refused before decoding (three quarters of the largest square picture the
// programs decode: 16384 on x64, 8192 on x86), claimed by files that hold almost nothing of it.
inline constexpr uint32_t kLargeSide = sizeof(void*) == 8 ? 12288 : 6144;

struct File {
    std::string name;  // ends in the extension the file is given
    std::string bytes;
};

namespace detail {
using test_pictures::Put16;
using test_pictures::Put32;

inline void Set16(std::string& b, size_t at, uint32_t v, bool bigEndian = false) {
    if (at + 2 > b.size()) return;
    b[at + (bigEndian ? 1 : 0)] = static_cast<char>(v & 0xFF);
    b[at + (bigEndian ? 0 : 1)] = static_cast<char>((v >> 8) & 0xFF);
}
inline void Set32(std::string& b, size_t at, uint32_t v) {
    Set16(b, at, v & 0xFFFF);
    Set16(b, at + 2, v >> 16);
}

// A bitmap with a palette of four colours: 8 bits per pixel, uncompressed or RLE8.
inline std::string PaletteBitmap(const std::string& pixels, uint32_t compression) {
    std::string b = "BM";
    Put32(b, static_cast<uint32_t>(14 + 40 + 16 + pixels.size()));
    Put32(b, 0);
    Put32(b, 14 + 40 + 16);
    for (uint32_t v : {40u, 16u, 8u}) Put32(b, v);  // header size, width, height
    Put16(b, 1);
    Put16(b, 8);
    for (uint32_t v : {compression, static_cast<uint32_t>(pixels.size()), 2835u, 2835u, 4u, 0u}) Put32(b, v);
    for (uint32_t v : {0x0000FFu, 0x00FF00u, 0xFF0000u, 0xFFFFFFu}) Put32(b, v);
    return b + pixels;
}

// Offset of the first GIF image descriptor, past the screen's colour table and any extensions.
inline size_t GifFrame(const std::string& g) {
    size_t pos = 13 + ((g[10] & 0x80) ? size_t{3} << ((g[10] & 7) + 1) : 0);
    while (pos < g.size() && g[pos] == 0x21) {
        pos += 2;
        while (pos < g.size() && g[pos] != 0) pos += 1 + static_cast<unsigned char>(g[pos]);
        ++pos;
    }
    return pos;
}

// Offset of a JPEG segment with this marker (0 if none).
inline size_t JpegSegment(const std::string& j, unsigned char marker) {
    for (size_t pos = 2; pos + 4 <= j.size() && static_cast<unsigned char>(j[pos]) == 0xFF;) {
        if (static_cast<unsigned char>(j[pos + 1]) == marker) return pos;
        pos += 2 + (static_cast<unsigned char>(j[pos + 2]) << 8 | static_cast<unsigned char>(j[pos + 3]));
    }
    return 0;
}
}  // namespace detail

// The good files (written with WIC where a bitmap is not written by hand); `folder` is scratch room.
inline std::vector<File> GoodFiles(const std::string& folder) {
    using namespace detail;
    namespace tp = test_pictures;
    std::string raw, rle;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 16; ++x) raw += static_cast<char>((x / 4 + y) % 4);
        rle += std::string("\x00\x04\x00\x01\x02\x03\x0C", 7) + static_cast<char>(y % 4) + std::string("\x00\x00", 2);
    }
    rle += std::string("\x00\x01", 2);
    std::vector<File> files = {{"bitmap24.bmp", tp::BitmapFile(33, 17, tp::Quadrants(33, 17))},
                               {"palette8.bmp", PaletteBitmap(raw, 0)},
                               {"rle8.bmp", PaletteBitmap(rle, 1)}};
    for (const auto& [name, format] : {std::pair{"photo.gif", GUID_ContainerFormatGif}, {"photo.jpg", GUID_ContainerFormatJpeg}}) {
        tp::EncodeWithWic(folder + name, format, 40, 24, tp::Quadrants(40, 24));
        files.push_back({name, tp::ReadBytes(folder + name)});
    }
    return files;
}

inline std::vector<File> Corpus(const std::vector<File>& good) {
    using namespace detail;
    std::vector<File> out;
    std::mt19937 random(20261207);  // the same corpus on every run
    for (const File& g : good) {
        const std::string stem = g.name.substr(0, g.name.find('.')), ext = g.name.substr(g.name.find('.'));
        auto add = [&](const std::string& what, std::string bytes) { out.push_back({stem + "-" + what + ext, std::move(bytes)}); };
        auto with = [&](auto change) {
            std::string b = g.bytes;
            change(b);
            return b;
        };
        for (size_t length = 0; length < g.bytes.size(); length += length < 64 ? 1 : g.bytes.size() / 24) {
            add("cut" + std::to_string(length), g.bytes.substr(0, length));
        }
        // Every byte of the headers at its extremes.
        const size_t header = ext == ".jpg" ? JpegSegment(g.bytes, 0xC0) + 19 : std::min<size_t>(g.bytes.size(), 80);
        for (size_t at = ext == ".jpg" ? header - 19 : 0; at < header; ++at) {
            for (char v : {'\x00', '\x7F', '\x80', '\xFF'}) add("byte" + std::to_string(at) + "-" + std::to_string(v & 0xFF), with([&](std::string& b) { b[at] = v; }));
        }
        for (int i = 0; i < 40; ++i) {
            add("random" + std::to_string(i), with([&](std::string& b) {
                for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) b[random() % b.size()] = static_cast<char>(random());
            }));
        }
        // Fields that name sizes, palettes and compressed data.
        if (ext == ".bmp") {
            for (uint32_t v : {0u, 0xFFFFFFFFu, 0x80000000u, 0x7FFFFFFFu, 100000u}) {
                add("width" + std::to_string(v), with([&](std::string& b) { Set32(b, 18, v); }));
                add("height" + std::to_string(v), with([&](std::string& b) { Set32(b, 22, v); }));
                add("colours" + std::to_string(v), with([&](std::string& b) { Set32(b, 46, v); }));
                add("offset" + std::to_string(v), with([&](std::string& b) { Set32(b, 10, v); }));
            }
            add("gigapixels", with([&](std::string& b) { Set32(b, 18, 100000), Set32(b, 22, 100000); }));
            add("large", with([&](std::string& b) { Set32(b, 18, kLargeSide), Set32(b, 22, kLargeSide); }));
            for (uint32_t bits : {0u, 1u, 4u, 7u, 16u, 32u, 64u}) add("bits" + std::to_string(bits), with([&](std::string& b) { Set16(b, 28, bits); }));
            for (uint32_t c : {1u, 2u, 3u, 4u, 5u, 6u}) add("compression" + std::to_string(c), with([&](std::string& b) { Set32(b, 30, c); }));
        }
        if (stem == "palette8") add("two-colours-for-four", with([&](std::string& b) { Set32(b, 46, 2); }));
        if (stem == "rle8") {
            const size_t data = 14 + 40 + 16;
            add("run-past-row", with([&](std::string& b) { b[data + 6] = '\xFF'; }));
            add("absolute-past-end", with([&](std::string& b) { b[data + 1] = '\xFF'; }));
            add("delta-outside", with([&](std::string& b) { b.insert(data, std::string("\x00\x02\xFF\xFF", 4)); }));
            add("rows-past-height", with([&](std::string& b) { b.insert(b.size() - 2, std::string(400, '\0')); }));
            add("no-end", g.bytes.substr(0, g.bytes.size() - 2));
            add("odd-absolute", with([&](std::string& b) { b[data + 1] = '\x03'; }));
        }
        if (ext == ".gif") {
            const size_t frame = GifFrame(g.bytes);
            for (uint32_t v : {0u, 1u, 65535u, kLargeSide}) {
                add("screen" + std::to_string(v), with([&](std::string& b) { Set16(b, 6, v), Set16(b, 8, v); }));
                add("frame" + std::to_string(v), with([&](std::string& b) { Set16(b, frame + 5, v), Set16(b, frame + 7, v); }));
                add("frame-at" + std::to_string(v), with([&](std::string& b) { Set16(b, frame + 1, v), Set16(b, frame + 3, v); }));
            }
            add("palette-shrunk", with([&](std::string& b) { b[10] = static_cast<char>(b[10] & ~7); b[frame + 9] = static_cast<char>(b[frame + 9] & ~7); }));
            add("no-palette", with([&](std::string& b) { b[10] = static_cast<char>(b[10] & 0x7F); b[frame + 9] = static_cast<char>(b[frame + 9] & 0x7F); }));
            const size_t lzw = frame + 10 + ((g.bytes[frame + 9] & 0x80) ? size_t{3} << ((g.bytes[frame + 9] & 7) + 1) : 0);
            for (char v : {'\x00', '\x01', '\x0C', '\xFF'}) add("lzw" + std::to_string(v & 0xFF), with([&](std::string& b) { b[lzw] = v; }));
        }
        if (ext == ".jpg") {
            const size_t sof = JpegSegment(g.bytes, 0xC0);
            for (uint32_t v : {0u, 1u, 65535u, kLargeSide}) {
                add("size" + std::to_string(v), with([&](std::string& b) { Set16(b, sof + 5, v, true), Set16(b, sof + 7, v, true); }));
            }
            add("components0", with([&](std::string& b) { b[sof + 9] = 0; }));
            add("sampling0", with([&](std::string& b) { b[sof + 11] = 0; }));
            add("table255", with([&](std::string& b) { b[sof + 12] = '\xFF'; }));
            const size_t dht = JpegSegment(g.bytes, 0xC4);
            add("no-huffman", with([&](std::string& b) { b[dht + 1] = '\xFE'; }));
            out.push_back({stem + "-named.gif", g.bytes});
        }
        if (ext == ".gif") out.push_back({stem + "-named.jpg", g.bytes});
    }
    return out;
}

}  // namespace damaged_pictures

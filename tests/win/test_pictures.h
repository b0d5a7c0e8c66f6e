// Picture files made by the tests themselves: a bitmap written byte by byte, JPEG and GIF files
// encoded with WIC, and a JPEG given an Exif orientation by inserting an APP1 segment.
#pragma once

#include <windows.h>
#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace test_pictures {

// One pixel as 0x00RRGGBB.
using PixelFunction = std::function<uint32_t(int x, int y)>;

inline constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

// Four quadrants: red top-left, green top-right, blue bottom-left, white bottom-right.
inline PixelFunction Quadrants(int width, int height) {
    return [=](int x, int y) {
        const bool right = x >= width / 2, bottom = y >= height / 2;
        return bottom ? (right ? kWhite : kBlue) : (right ? kGreen : kRed);
    };
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void Put16(std::string& out, uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
inline void Put32(std::string& out, uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// The header of a 24-bit bottom-up bitmap; `width` and `height` as the header claims them.
inline std::string BitmapHeader(int32_t width, int32_t height, uint32_t fileSize) {
    std::string b = "BM";
    Put32(b, fileSize);
    Put32(b, 0);
    Put32(b, 54);
    Put32(b, 40);
    Put32(b, static_cast<uint32_t>(width));
    Put32(b, static_cast<uint32_t>(height));
    Put16(b, 1);
    Put16(b, 24);
    Put32(b, 0);  // BI_RGB
    Put32(b, 0);
    Put32(b, 2835);
    Put32(b, 2835);
    Put32(b, 0);
    Put32(b, 0);
    return b;
}

// A complete 24-bit bottom-up bitmap file, written byte by byte.
inline std::string BitmapFile(int width, int height, const PixelFunction& pixel) {
    const int stride = (width * 3 + 3) & ~3;
    std::string b = BitmapHeader(width, height, static_cast<uint32_t>(54 + stride * height));
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixel(x, y);
            row += static_cast<char>(p & 0xFF);
            row += static_cast<char>((p >> 8) & 0xFF);
            row += static_cast<char>((p >> 16) & 0xFF);
        }
        row.resize(static_cast<size_t>(stride), '\0');
        b += row;
    }
    return b;
}

// A bottom-up BI_RGB bitmap file of `bits` per pixel (1, 4, 8, 16, 24 or 32), written byte by
// byte. Indexed depths get a palette of the full size with `index` choosing each pixel's entry;
// 16 bits are 5-5-5. `pixel` gives the colour of a palette entry (as x = entry, y = 0) or a pixel.
inline std::string BitmapFileOfDepth(int width, int height, int bits, const PixelFunction& pixel,
                                     const std::function<int(int x, int y)>& index = nullptr) {
    const int stride = ((width * bits + 31) / 32) * 4;
    const int colours = bits <= 8 ? 1 << bits : 0;
    const uint32_t offset = 54 + 4 * colours;
    std::string b = BitmapHeader(width, height, offset + static_cast<uint32_t>(stride * height));
    b[28] = static_cast<char>(bits);
    b[10] = static_cast<char>(offset & 0xFF);
    b[11] = static_cast<char>(offset >> 8);
    for (int i = 0; i < colours; ++i) Put32(b, pixel(i, 0));
    for (int y = height - 1; y >= 0; --y) {
        std::string row(static_cast<size_t>(stride), '\0');
        for (int x = 0; x < width; ++x) {
            if (bits <= 8) {
                const int bit = x * bits;
                row[static_cast<size_t>(bit / 8)] |= static_cast<char>(index(x, y) << (8 - bits - bit % 8));
                continue;
            }
            const uint32_t p = pixel(x, y);
            std::string px;
            if (bits == 16) {
                Put16(px, ((p >> 19) & 0x1F) << 10 | ((p >> 11) & 0x1F) << 5 | ((p >> 3) & 0x1F));
            } else {
                Put32(px, p);
                px.resize(static_cast<size_t>(bits / 8));
            }
            row.replace(static_cast<size_t>(x * bits / 8), px.size(), px);
        }
        b += row;
    }
    return b;
}

// Encodes a picture with the WIC encoder of `container` (GUID_ContainerFormatJpeg, ...Gif, ...Png).
// Returns false when the encoder fails.
inline bool EncodeWithWic(const std::string& path, REFGUID container, int width, int height,
                          const PixelFunction& pixel) {
    using Microsoft::WRL::ComPtr;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmap> bitmap;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    std::vector<BYTE> bits(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const uint32_t p = pixel(x, y);
            BYTE* to = &bits[(static_cast<size_t>(y) * width + x) * 3];
            to[0] = static_cast<BYTE>(p);
            to[1] = static_cast<BYTE>(p >> 8);
            to[2] = static_cast<BYTE>(p >> 16);
        }
    }
    if (SUCCEEDED(hr)) {
        hr = factory->CreateBitmapFromMemory(width, height, GUID_WICPixelFormat24bppBGR, width * 3,
                                             static_cast<UINT>(bits.size()), bits.data(), &bitmap);
    }
    std::wstring wide(path.size() + 1, L'\0');  // an ANSI path, as the programs use them
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(),
                                                        static_cast<int>(wide.size())) - 1));
    if (SUCCEEDED(hr)) hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr)) hr = stream->InitializeFromFilename(wide.c_str(), GENERIC_WRITE);
    if (SUCCEEDED(hr)) hr = factory->CreateEncoder(container, nullptr, &encoder);
    if (SUCCEEDED(hr)) hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(hr)) hr = encoder->CreateNewFrame(&frame, &options);
    if (SUCCEEDED(hr)) hr = frame->Initialize(options.Get());
    if (SUCCEEDED(hr)) hr = frame->SetSize(width, height);
    if (SUCCEEDED(hr)) hr = frame->WriteSource(bitmap.Get(), nullptr);
    if (SUCCEEDED(hr)) hr = frame->Commit();
    if (SUCCEEDED(hr)) hr = encoder->Commit();
    return SUCCEEDED(hr);
}

// The bytes of a JPEG file with an APP1 Exif segment holding `orientation` inserted after its SOI.
inline std::string WithExifOrientation(const std::string& jpeg, int orientation) {
    std::string tiff = "II*";
    tiff += '\0';
    Put32(tiff, 8);
    Put16(tiff, 1);       // one entry
    Put16(tiff, 0x0112);  // orientation
    Put16(tiff, 3);       // SHORT
    Put32(tiff, 1);
    Put16(tiff, static_cast<uint32_t>(orientation));
    Put16(tiff, 0);
    Put32(tiff, 0);
    std::string payload("Exif\0\0", 6);
    payload += tiff;
    std::string segment = "\xFF\xE1";
    const size_t length = payload.size() + 2;
    segment += static_cast<char>(length >> 8);
    segment += static_cast<char>(length & 0xFF);
    segment += payload;
    std::string out = jpeg.substr(0, 2);
    out += segment;
    out += jpeg.substr(2);
    return out;
}

// The bytes of a JPEG whose frame header claims `width` x `height` (the data stays as it was).
inline std::string WithClaimedJpegSize(std::string jpeg, int width, int height) {
    size_t pos = 2;
    while (pos + 9 < jpeg.size() && static_cast<unsigned char>(jpeg[pos]) == 0xFF) {
        const unsigned char marker = static_cast<unsigned char>(jpeg[pos + 1]);
        if (marker == 0xC0 || marker == 0xC1 || marker == 0xC2) {
            jpeg[pos + 5] = static_cast<char>(height >> 8);
            jpeg[pos + 6] = static_cast<char>(height & 0xFF);
            jpeg[pos + 7] = static_cast<char>(width >> 8);
            jpeg[pos + 8] = static_cast<char>(width & 0xFF);
            break;
        }
        pos += 2 + (static_cast<unsigned char>(jpeg[pos + 2]) << 8 | static_cast<unsigned char>(jpeg[pos + 3]));
    }
    return jpeg;
}

}  // namespace test_pictures

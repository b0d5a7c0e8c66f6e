#include "common/picture.h"

#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

#include "common/error_text.h"
#include "common/exif_orientation.h"
#include "common/file_system.h"
#include "common/picture_header.h"
#include "common/scoped_win.h"

using Microsoft::WRL::ComPtr;

namespace {

constexpr char kInvalidText[] = "The file is damaged or is not a picture that can be loaded (Windows bitmap, GIF, JPEG).";
constexpr char kTooLargeText[] = "The picture is too large to be loaded.";
constexpr char kNoPictureText[] = "There is no picture to save.";

// The head of the file that is read before decoding: it holds the frame header and the Exif block
// of a JPEG (which come before the image data), and the frames of most GIF files.
constexpr DWORD kHeadBytes = 1024 * 1024;
// Pixels are decoded and written in strips of about this size, never as a second whole copy.
constexpr size_t kStripBytes = 4u * 1024 * 1024;
// Neither side of a picture may exceed this: GDI and the bitmap format work with signed 32-bit sizes,
// and no real picture comes near it.
constexpr UINT kMaxSide = 65535;
// The file header and BITMAPINFOHEADER of a saved bitmap.
constexpr uint32_t kBitmapHeaderBytes = 54;

PictureError Failure(DWORD number, std::string description) { return PictureError{number, std::move(description)}; }

PictureError WindowsFailure(DWORD error) {
    if (error == 0) error = ERROR_GEN_FAILURE;
    return Failure(error, SystemErrorDescription(error));
}

// What a decoder's failure means to the user: the codecs report a picture they have no memory
// for in several ways; anything else is a file they cannot read.
PictureError DecodeFailure(HRESULT hr) {
    // E_OUTOFMEMORY is also HRESULT_FROM_WIN32(ERROR_OUTOFMEMORY).
    if (hr == E_OUTOFMEMORY || hr == WINCODEC_ERR_IMAGESIZEOUTOFRANGE ||
        hr == HRESULT_FROM_WIN32(ERROR_NOT_ENOUGH_MEMORY)) {
        return Failure(kPictureErrorTooLarge, kTooLargeText);
    }
    return Failure(kPictureErrorInvalid, kInvalidText);
}

// Keeps COM initialised on this thread for the length of one operation, when the caller has not.
class ComScope {
public:
    ComScope() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComScope() {
        if (SUCCEEDED(hr_)) CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

private:
    HRESULT hr_;
};

std::wstring WidePath(const std::string& path) {
    const int length = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), wide.data(), length);
    return wide;
}

HRESULT CreateFactory(ComPtr<IWICImagingFactory>& factory) {
    return CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
}

// A top-down 32-bit DIB section of the given size, or nothing when memory does not allow it.
std::unique_ptr<DecodedImage> CreateImage(int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap || !bits) {
        if (bitmap) DeleteObject(bitmap);
        return nullptr;
    }
    try {
        return std::make_unique<DecodedImage>(bitmap, bits, width, height);
    } catch (const std::bad_alloc&) {
        DeleteObject(bitmap);
        return nullptr;
    }
}


// Copies the decoded pixels of `source` (`width` x `height` as stored) upright into `image`.
// `source` delivers 32-bit BGRA pixels, or 24-bit BGR ones when `source24` is set (a JPEG frame
// read directly: widening its rows here is much faster than a WIC format converter).
HRESULT CopyUpright(IWICBitmapSource* source, bool source24, UINT width, UINT height, ExifOrientation orientation,
                    DecodedImage& image) {
    const UINT stride = width * 4;
    const UINT sourceStride = source24 ? (width * 3 + 3) & ~3u : stride;
    const UINT stripRows = static_cast<UINT>(std::max<size_t>(1, kStripBytes / stride));
    auto* target = const_cast<uint32_t*>(image.row(0));
    const bool direct = orientation == ExifOrientation::Normal && !source24;
    std::vector<uint32_t> strip;
    std::vector<BYTE> narrow;
    if (!direct) strip.resize(static_cast<size_t>(std::min(stripRows, height)) * width);
    if (source24) narrow.resize(static_cast<size_t>(std::min(stripRows, height)) * sourceStride);

    for (UINT top = 0; top < height; top += stripRows) {
        const UINT rows = std::min(stripRows, height - top);
        const WICRect rect{0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
        uint32_t* rowsOut = orientation == ExifOrientation::Normal ? target + static_cast<size_t>(top) * width
                                                                    : strip.data();
        HRESULT hr;
        if (source24) {
            hr = source->CopyPixels(&rect, sourceStride, sourceStride * rows, narrow.data());
            if (FAILED(hr)) return hr;
            for (UINT r = 0; r < rows; ++r) {
                const BYTE* from = narrow.data() + static_cast<size_t>(r) * sourceStride;
                uint32_t* to = rowsOut + static_cast<size_t>(r) * width;
                for (UINT x = 0; x < width; ++x, from += 3) {
                    to[x] = 0xFF000000u | uint32_t{from[2]} << 16 | uint32_t{from[1]} << 8 | from[0];
                }
            }
        } else {
            // Straight into the picture when no turning is needed: both are rows without padding.
            hr = source->CopyPixels(&rect, stride, stride * rows, reinterpret_cast<BYTE*>(rowsOut));
            if (FAILED(hr)) return hr;
        }
        if (orientation != ExifOrientation::Normal) {
            PlaceRowsUpright(orientation, width, height, top, rows, strip.data(), target);
        }
    }
    return S_OK;
}

}  // namespace

DecodedImage::~DecodedImage() {
    if (bitmap_) DeleteObject(bitmap_);
}

Picture NewPicture(int width, int height, uint32_t** pixels) {
    *pixels = nullptr;
    if (width < 1 || height < 1) return Picture();
    std::unique_ptr<DecodedImage> image = CreateImage(width, height);
    if (!image) return Picture();
    try {
        Picture picture(std::shared_ptr<const DecodedImage>(std::move(image)));
        *pixels = const_cast<uint32_t*>(picture.Image()->row(0));  // not shared with anyone yet
        return picture;
    } catch (const std::bad_alloc&) {  // called while painting: nothing may throw there
        return Picture();
    }
}

uint64_t MaxPicturePixels(PictureUse use) {
    // A 32-bit program has 2 GB of addresses on 32-bit Windows and 4 GB (it is large-address
    // aware) on 64-bit Windows; a 64-bit one far more than any picture needs.
    static const uint64_t addressSpace = [] {
        MEMORYSTATUSEX status{};
        status.dwLength = sizeof(status);
        if (GlobalMemoryStatusEx(&status)) return status.ullTotalVirtual;
        return sizeof(void*) >= 8 ? uint64_t{1} << 43 : uint64_t{2} << 30;
    }();
    return MaxPixelsForAddressSpace(use, addressSpace);
}

void Picture::PaintAt(HDC dc, int x, int y) const {
    if (!image_) return;
    ScopedMemoryDC memory(dc);
    if (!memory) return;
    ScopedSelectObject select(memory, image_->bitmap());
    BitBlt(dc, x, y, image_->width(), image_->height(), memory, 0, 0, SRCCOPY);
}

void Picture::PaintScaled(HDC dc, int x, int y, int width, int height) const {
    if (!image_ || width <= 0 || height <= 0) return;
    if (width == image_->width() && height == image_->height()) {
        PaintAt(dc, x, y);
        return;
    }
    ScopedMemoryDC memory(dc);
    if (!memory) return;
    ScopedSelectObject select(memory, image_->bitmap());
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    POINT oldOrigin{};
    SetBrushOrgEx(dc, 0, 0, &oldOrigin);  // required after choosing HALFTONE
    StretchBlt(dc, x, y, width, height, memory, 0, 0, image_->width(), image_->height(), SRCCOPY);
    SetBrushOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
    if (oldMode) SetStretchBltMode(dc, oldMode);
}

void PaintPlaced(HDC dc, const Picture& picture, const PicturePlacement& placement) {
    if (placement.stretch) {
        picture.PaintScaled(dc, placement.left, placement.top, placement.width, placement.height);
    } else {
        picture.PaintAt(dc, placement.left, placement.top);
    }
}

namespace {

// A picture file's first frame, opened for copying its pixels: 32-bit BGRA through a converter,
// or the frame's own 24-bit BGR rows. COM stays initialised while it lives.
struct OpenedFrame {
    ComScope com;  // first, so that it ends after the objects
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    IWICBitmapSource* source = nullptr;
    bool source24 = false;
    UINT width = 0;
    UINT height = 0;
    ExifOrientation orientation = ExifOrientation::Normal;
};

// Opens the first frame of a non-empty path's picture file, checked and ready to be copied. The
// error is that of a load; on success `opened` holds the frame's pixel source.
PictureError OpenFrame(const std::string& path, uint64_t maxPixels, OpenedFrame& opened) {
    PictureError result;

    std::vector<uint8_t> head;
    unsigned long long fileSize = 0;
    if (const DWORD error = ReadFileHead(path, kHeadBytes, head, fileSize)) {
        result = WindowsFailure(error);
        return result;
    }
    if (fileSize == 0) {
        result = Failure(kPictureErrorInvalid, kInvalidText);
        return result;
    }
    // Some decoders allocate the whole picture while opening the file, so a size that the header
    // claims is checked before the decoder sees it.
    const ClaimedSize claimed = ReadClaimedSize(head.data(), head.size());
    if (claimed.status == ClaimedSize::Status::Invalid) {
        result = Failure(kPictureErrorInvalid, kInvalidText);
        return result;
    }
    if (claimed.status == ClaimedSize::Status::Known &&
        !SizeWithinLimits(claimed.width, claimed.height, kMaxSide, maxPixels)) {
        result = Failure(kPictureErrorTooLarge, kTooLargeText);
        return result;
    }
    const ExifOrientation orientation = ReadExifOrientation(head.data(), head.size());

    ComPtr<IWICImagingFactory>& factory = opened.factory;
    ComPtr<IWICStream>& stream = opened.stream;
    ComPtr<IWICBitmapDecoder>& decoder = opened.decoder;
    ComPtr<IWICBitmapFrameDecode>& frame = opened.frame;
    HRESULT hr = CreateFactory(factory);
    if (SUCCEEDED(hr)) hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr)) {
        hr = stream->InitializeFromFilename(WidePath(path).c_str(), GENERIC_READ);
        if (FAILED(hr)) {
            result = HRESULT_FACILITY(hr) == FACILITY_WIN32 ? WindowsFailure(HRESULT_CODE(hr))
                                                                    : Failure(kPictureErrorInvalid, kInvalidText);
            return result;
        }
    }
    if (SUCCEEDED(hr)) hr = factory->CreateDecoderFromStream(stream.Get(), nullptr, WICDecodeMetadataCacheOnDemand, &decoder);
    if (SUCCEEDED(hr)) hr = decoder->GetFrame(0, &frame);
    UINT width = 0, height = 0;
    if (SUCCEEDED(hr)) hr = frame->GetSize(&width, &height);
    if (FAILED(hr) || width == 0 || height == 0) {
        result = FAILED(hr) ? DecodeFailure(hr) : Failure(kPictureErrorInvalid, kInvalidText);
        return result;
    }
    // The decoder's own size is checked again before our copy of that size is allocated.
    if (!SizeWithinLimits(width, height, kMaxSide, maxPixels)) {
        result = Failure(kPictureErrorTooLarge, kTooLargeText);
        return result;
    }

    // Indexed pictures (GIF) convert reliably to 32-bit BGRA only, so every format goes that way,
    // except 24-bit frames (JPEG photos), which are widened while they are copied.
    WICPixelFormatGUID frameFormat{};
    const bool source24 = SUCCEEDED(frame->GetPixelFormat(&frameFormat)) && frameFormat == GUID_WICPixelFormat24bppBGR;
    ComPtr<IWICFormatConverter>& converter = opened.converter;
    if (!source24) {
        hr = factory->CreateFormatConverter(&converter);
        if (SUCCEEDED(hr)) {
            hr = converter->Initialize(frame.Get(), GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr,
                                       0.0, WICBitmapPaletteTypeCustom);
        }
        if (FAILED(hr)) {
            result = DecodeFailure(hr);
            return result;
        }
    }

    opened.source = source24 ? static_cast<IWICBitmapSource*>(frame.Get()) : converter.Get();
    opened.source24 = source24;
    opened.width = width;
    opened.height = height;
    opened.orientation = orientation;
    return result;
}

}  // namespace

namespace {

PictureLoadResult LoadUncaught(const std::string& path) {
    PictureLoadResult result;
    if (path.empty()) return result;
    OpenedFrame opened;
    result.error = OpenFrame(path, MaxPicturePixels(PictureUse::Preview), opened);
    if (result.error) return result;
    const UINT width = opened.width, height = opened.height;
    const ExifOrientation orientation = opened.orientation;
    const bool swap = SwapsWidthAndHeight(orientation);
    std::unique_ptr<DecodedImage> image =
        CreateImage(static_cast<int>(swap ? height : width), static_cast<int>(swap ? width : height));
    if (!image) {
        result.error = Failure(kPictureErrorTooLarge, kTooLargeText);
        return result;
    }
    const HRESULT hr = CopyUpright(opened.source, opened.source24, width, height, orientation, *image);
    if (FAILED(hr)) {
        result.error = DecodeFailure(hr);
        return result;
    }
    result.picture = Picture(std::shared_ptr<const DecodedImage>(std::move(image)));
    return result;
}

}  // namespace

PictureLoadResult LoadPicture(const std::string& path) {
    // The buffers on the way (the file's head, strips, the paths) may find no memory in a 32-bit
    // program that holds large pictures already.
    try {
        return LoadUncaught(path);
    } catch (const std::bad_alloc&) {
        PictureLoadResult result;
        result.error = Failure(kPictureErrorTooLarge, kTooLargeText);
        return result;
    }
}

namespace {

void Put16(BYTE* at, uint32_t value) {
    at[0] = static_cast<BYTE>(value);
    at[1] = static_cast<BYTE>(value >> 8);
}

void Put32(BYTE* at, uint32_t value) {
    Put16(at, value & 0xFFFF);
    Put16(at + 2, value >> 16);
}

// The 54 bytes before the rows of a 24-bit bottom-up bitmap: the file header and a
// BITMAPINFOHEADER, with the image size filled in and no resolution.
void PutBitmapHeader(BYTE* header, UINT width, UINT height, uint32_t rowBytes) {
    const uint32_t imageBytes = rowBytes * height;
    std::fill(header, header + kBitmapHeaderBytes, BYTE{0});
    header[0] = 'B';
    header[1] = 'M';
    Put32(header + 2, kBitmapHeaderBytes + imageBytes);  // file size
    Put32(header + 10, kBitmapHeaderBytes);              // where the rows begin
    Put32(header + 14, 40);                              // BITMAPINFOHEADER
    Put32(header + 18, width);
    Put32(header + 22, height);  // positive: the bottom row comes first
    Put16(header + 26, 1);       // planes
    Put16(header + 28, 24);      // bits per pixel; BI_RGB, no palette
    Put32(header + 34, imageBytes);
}

DWORD WriteAll(HANDLE file, const BYTE* bytes, size_t size) {
    while (size > 0) {
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
        if (!WriteFile(file, bytes, want, &written, nullptr)) return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes += written;
        size -= written;
    }
    return 0;
}

}  // namespace

PictureError SavePictureAsBitmap(const Picture& picture, const std::string& path) {
    const DecodedImage* image = picture.Image();
    if (!image) return Failure(kPictureErrorInvalid, kNoPictureText);
    const UINT width = static_cast<UINT>(image->width());
    const UINT height = static_cast<UINT>(image->height());
    const uint32_t stride = (width * 3 + 3) & ~3u;
    // The largest picture the services decode is far below the format's 4 GB.
    if (uint64_t{stride} * height + kBitmapHeaderBytes > UINT32_MAX) return Failure(kPictureErrorTooLarge, kTooLargeText);

    // Written beside the target first, so that a failed save leaves an older file as it was. The
    // rows go out bottom row first, in strips of a few megabytes.
    const uint32_t stripRows = static_cast<uint32_t>(std::max<size_t>(1, kStripBytes / stride));
    std::vector<BYTE> strip;
    try {
        strip.resize(kBitmapHeaderBytes + static_cast<size_t>(std::min(stripRows, height)) * stride);
    } catch (const std::bad_alloc&) {
        return Failure(kPictureErrorTooLarge, kTooLargeText);
    }
    const std::string temporary = path + ".new";
    ScopedHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return WindowsFailure(GetLastError());

    PutBitmapHeader(strip.data(), width, height, stride);
    size_t headerBytes = kBitmapHeaderBytes;  // the header goes out with the first strip
    DWORD error = 0;
    for (UINT done = 0; error == 0 && done < height; done += stripRows) {
        const UINT rows = std::min(stripRows, height - done);
        BYTE* out = strip.data() + headerBytes;
        for (UINT r = 0; r < rows; ++r, out += stride) {
            const uint32_t* from = image->row(static_cast<int>(height - 1 - done - r));
            BYTE* to = out;
            for (UINT x = 0; x < width; ++x, to += 3) {
                const uint32_t pixel = from[x];
                to[0] = static_cast<BYTE>(pixel);
                to[1] = static_cast<BYTE>(pixel >> 8);
                to[2] = static_cast<BYTE>(pixel >> 16);
            }
            std::fill(to, out + stride, BYTE{0});  // the row's padding
        }
        error = WriteAll(file.get(), strip.data(), headerBytes + static_cast<size_t>(rows) * stride);
        headerBytes = 0;
    }
    if (!file.Close() && error == 0) error = GetLastError();
    if (error == 0) error = MoveIntoPlace(temporary, path);
    if (error != 0) {
        DeleteFileA(temporary.c_str());
        return WindowsFailure(error);
    }
    return PictureError{};
}

namespace {

DWORD WriteAt(HANDLE file, uint64_t offset, const BYTE* bytes, size_t size) {
    while (size > 0) {
        OVERLAPPED at{};
        at.Offset = static_cast<DWORD>(offset);
        at.OffsetHigh = static_cast<DWORD>(offset >> 32);
        DWORD written = 0;
        const DWORD want = static_cast<DWORD>(std::min<size_t>(size, 1u << 30));
        if (!WriteFile(file, bytes, want, &written, &at)) return GetLastError();
        if (written == 0) return ERROR_WRITE_FAULT;
        bytes += written;
        size -= written;
        offset += written;
    }
    return 0;
}

// Copies the frame strip by strip, top row first, into the bitmap file's rows, so the decoder is
// read in its own order. An upright picture's strips go to the file as they come, their rows put in
// bottom-up order, and no whole copy of the picture is made; a picture that must be turned is
// placed into the bitmap's rows in memory, one 24-bit copy, and written once it is whole.
BitmapConversion StreamToBitmap(const OpenedFrame& opened, const std::string& path) {
    BitmapConversion result;
    const ExifOrientation orientation = opened.orientation;
    const bool turned = orientation != ExifOrientation::Normal;
    const UINT width = opened.width, height = opened.height;  // as stored
    const UINT bitmapWidth = SwapsWidthAndHeight(orientation) ? height : width;
    const UINT bitmapHeight = SwapsWidthAndHeight(orientation) ? width : height;
    const uint32_t sourceStride = (width * 3 + 3) & ~3u;
    const uint32_t stride = (bitmapWidth * 3 + 3) & ~3u;
    if (uint64_t{stride} * bitmapHeight + kBitmapHeaderBytes > UINT32_MAX) {
        result.saveError = Failure(kPictureErrorTooLarge, kTooLargeText);
        return result;
    }
    const uint32_t stripRows = static_cast<uint32_t>(std::max<size_t>(1, kStripBytes / sourceStride));
    const UINT bufferRows = std::min(stripRows, height);
    std::vector<BYTE> strip, wide, row, whole;
    try {
        strip.resize(static_cast<size_t>(bufferRows) * sourceStride);
        row.resize(sourceStride);
        if (!opened.source24) wide.resize(static_cast<size_t>(bufferRows) * width * 4);
        if (turned) whole.resize(static_cast<size_t>(stride) * bitmapHeight);  // zeros: the rows' padding
    } catch (const std::bad_alloc&) {
        result.loadError = Failure(kPictureErrorTooLarge, kTooLargeText);
        return result;
    }

    const std::string temporary = path + ".new";
    ScopedHandle file(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file) {
        result.saveError = WindowsFailure(GetLastError());
        return result;
    }
    BYTE header[kBitmapHeaderBytes];
    PutBitmapHeader(header, bitmapWidth, bitmapHeight, stride);
    DWORD error = WriteAt(file.get(), 0, header, sizeof(header));
    for (UINT top = 0; error == 0 && top < height; top += stripRows) {
        const UINT rows = std::min(stripRows, height - top);
        const WICRect rect{0, static_cast<INT>(top), static_cast<INT>(width), static_cast<INT>(rows)};
        HRESULT hr;
        if (opened.source24) {
            hr = opened.source->CopyPixels(&rect, sourceStride, sourceStride * rows, strip.data());
        } else {
            hr = opened.source->CopyPixels(&rect, width * 4, width * 4 * rows, wide.data());
            for (UINT r = 0; SUCCEEDED(hr) && r < rows; ++r) {
                const BYTE* from = wide.data() + static_cast<size_t>(r) * width * 4;
                BYTE* to = strip.data() + static_cast<size_t>(r) * sourceStride;
                for (UINT x = 0; x < width; ++x, from += 4, to += 3) {
                    to[0] = from[0];
                    to[1] = from[1];
                    to[2] = from[2];
                }
            }
        }
        if (FAILED(hr)) {
            result.loadError = DecodeFailure(hr);
            break;
        }
        if (turned) {
            PlaceRowsUprightInBitmap(orientation, width, height, top, rows, strip.data(), sourceStride, whole.data(),
                                     stride);
            continue;
        }
        for (UINT r = 0; r < rows; ++r) {
            BYTE* line = strip.data() + static_cast<size_t>(r) * stride;
            std::fill(line + width * 3, line + stride, BYTE{0});  // the row's padding
        }
        for (UINT r = 0; r < rows / 2; ++r) {
            BYTE* upper = strip.data() + static_cast<size_t>(r) * stride;
            BYTE* lower = strip.data() + static_cast<size_t>(rows - 1 - r) * stride;
            std::memcpy(row.data(), upper, stride);
            std::memcpy(upper, lower, stride);
            std::memcpy(lower, row.data(), stride);
        }
        error = WriteAt(file.get(), kBitmapHeaderBytes + uint64_t{height - top - rows} * stride, strip.data(),
                        static_cast<size_t>(rows) * stride);
    }
    if (turned && error == 0 && !result.loadError) {
        error = WriteAt(file.get(), kBitmapHeaderBytes, whole.data(), whole.size());
    }
    // On the disk before it replaces the older bitmap: a rename within a volume is written before
    // the data of the file renamed, so a power cut just after would leave a bitmap of nothing.
    if (error == 0 && !result.loadError && !FlushFileBuffers(file.get())) error = GetLastError();
    if (!file.Close() && error == 0) error = GetLastError();
    if (error == 0 && !result.loadError) error = MoveIntoPlace(temporary, path);
    if (error != 0 || result.loadError) DeleteFileA(temporary.c_str());
    if (error != 0 && !result.loadError) result.saveError = WindowsFailure(error);
    return result;
}

}  // namespace

BitmapConversion ConvertToBitmap(const std::string& source, const std::string& path) {
    BitmapConversion result;
    if (!source.empty()) {
        try {
            auto opened = std::make_unique<OpenedFrame>();
            result.loadError = OpenFrame(source, MaxPicturePixels(PictureUse::Conversion), *opened);
            if (result.loadError) return result;
            return StreamToBitmap(*opened, path);
        } catch (const std::bad_alloc&) {  // an unfinished .new stays for the loader to delete
            result.loadError = Failure(kPictureErrorTooLarge, kTooLargeText);
            return result;
        }
    }
    result.saveError = SavePictureAsBitmap(Picture(), path);  // no picture: refused as a save of none
    return result;
}

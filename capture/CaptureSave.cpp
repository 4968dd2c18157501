// BMP and PNG files of captures.
#include "capture/CaptureSave.h"

#include <initguid.h>
#include <objbase.h>
#include <wincodec.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/BmpFile.h"
#include "framework/Wnd.h"

namespace {

// Room for the information header and 256 colour entries (and 4 spare bytes).
constexpr std::size_t kInfoBlockBytes = 1068;
constexpr int kMaxColours = 256;

bool WriteBytes(std::FILE* file, const void* data, std::size_t size) {
    return size == 0 || std::fwrite(data, 1, size, file) == size;
}

// The bitmap's pixels in the format of info's header (rows bottom-up unless the height is
// negative); false when the system hands over fewer rows than asked for.
bool FetchPixels(HDC dc, HBITMAP bitmap, BITMAPINFO* info, std::vector<std::uint8_t>& pixels) {
    const int rows = std::abs(info->bmiHeader.biHeight);
    if (rows == 0 || info->bmiHeader.biWidth == 0)
        return true;
    return ::GetDIBits(dc, bitmap, 0, static_cast<UINT>(rows), pixels.data(), info,
                       DIB_RGB_COLORS) == rows;
}

} // namespace

bool SaveBitmapToFile(HDC dc, HBITMAP bitmap, const char* fileName) {
    BITMAP bm = {};
    if (!dc || !bitmap || ::GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm)
        return false;
    CWaitCursor wait;

    BmpLayout layout;
    layout.width = bm.bmWidth;
    layout.height = bm.bmHeight;
    layout.planes = bm.bmPlanes;
    layout.bitCount = BmpBitCount(bm.bmPlanes, bm.bmBitsPixel);
    layout.imageSize =
        BmpRowBytes(layout.bitCount, layout.width) * static_cast<std::uint32_t>(layout.height);
    // A palette display gives its system palette; a 4-bit bitmap has 16 colours.
    if (::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE)
        layout.colours = ::GetDeviceCaps(dc, SIZEPALETTE);
    if (layout.bitCount == 4)
        layout.colours = 16;
    // A file of 8 bits or less without its colour table could not be read back.
    if (layout.bitCount <= 8 && layout.colours == 0)
        layout.colours = 1 << layout.bitCount;
    if (layout.colours > kMaxColours)
        layout.colours = kMaxColours;

    // A 24-bit bottom-up DIB section already holds the file's rows: written as they stand.
    DIBSECTION section = {};
    if (layout.bitCount == 24 && layout.colours == 0 &&
        ::GetObjectA(bitmap, sizeof section, &section) == sizeof section && section.dsBm.bmBits &&
        section.dsBmih.biBitCount == 24 && section.dsBmih.biHeight > 0 &&
        section.dsBmih.biCompression == BI_RGB) {
        ::GdiFlush(); // drawing still queued for the bitmap lands first
        const std::vector<std::uint8_t> headers = BmpHeaders(layout);
        const bool written = WriteBinaryFileReplacing(fileName, [&](std::FILE* file) {
            return WriteBytes(file, headers.data(), headers.size()) &&
                   WriteBytes(file, section.dsBm.bmBits, layout.imageSize);
        });
        return written;
    }

    std::vector<std::uint8_t> block(kInfoBlockBytes, 0);
    auto* info = reinterpret_cast<BITMAPINFO*>(block.data());
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = layout.width;
    info->bmiHeader.biHeight = layout.height;
    info->bmiHeader.biPlanes = 1; // what the system takes for a device-independent bitmap
    info->bmiHeader.biBitCount = static_cast<WORD>(layout.bitCount);
    info->bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint8_t> pixels(layout.imageSize, 0);
    if (!FetchPixels(dc, bitmap, info, pixels))
        return false;

    // The colour table: the system palette now, else the colours the bitmap was read with.
    std::vector<std::uint8_t> table;
    if (layout.colours > 0) {
        PALETTEENTRY entries[kMaxColours] = {};
        const bool system =
            (::GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE) &&
            static_cast<int>(::GetSystemPaletteEntries(dc, 0, static_cast<UINT>(layout.colours),
                                                       entries)) == layout.colours;
        for (int i = 0; i < layout.colours; ++i) {
            const RGBQUAD& q = info->bmiColors[i];
            table.push_back(system ? entries[i].peBlue : q.rgbBlue);
            table.push_back(system ? entries[i].peGreen : q.rgbGreen);
            table.push_back(system ? entries[i].peRed : q.rgbRed);
            table.push_back(0);
        }
    }

    const std::vector<std::uint8_t> headers = BmpHeaders(layout);
    const bool written = WriteBinaryFileReplacing(fileName, [&](std::FILE* file) {
        return WriteBytes(file, headers.data(), headers.size()) &&
               WriteBytes(file, table.data(), table.size()) &&
               WriteBytes(file, pixels.data(), pixels.size());
    });
    return written;
}

// PNG through the imaging codecs

namespace {

// The COM entry points, from ole32 loaded on first use and kept for the process's life.
struct ComEntryPoints {
    HRESULT(WINAPI* initialize)(LPVOID, DWORD) = nullptr;
    void(WINAPI* uninitialize)() = nullptr;
    HRESULT(WINAPI* createInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*) = nullptr;
    HRESULT(WINAPI* createStream)(HGLOBAL, BOOL, LPSTREAM*) = nullptr;
    HRESULT(WINAPI* streamMemory)(LPSTREAM, HGLOBAL*) = nullptr;

    bool Complete() const {
        return initialize && uninitialize && createInstance && createStream && streamMemory;
    }
};

template <class F> void Resolve(HMODULE module, const char* name, F& fn) {
    fn = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

const ComEntryPoints& Com() {
    static const ComEntryPoints entries = [] {
        ComEntryPoints e;
        if (HMODULE ole = ::LoadLibraryA("ole32.dll")) {
            Resolve(ole, "CoInitializeEx", e.initialize);
            Resolve(ole, "CoUninitialize", e.uninitialize);
            Resolve(ole, "CoCreateInstance", e.createInstance);
            Resolve(ole, "CreateStreamOnHGlobal", e.createStream);
            Resolve(ole, "GetHGlobalFromStream", e.streamMemory);
        }
        return e;
    }();
    return entries;
}

// COM started on this thread for as long as it lives (unless it runs in another mode).
class CComScope {
public:
    CComScope() : m_started(SUCCEEDED(Com().initialize(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~CComScope() {
        if (m_started)
            Com().uninitialize();
    }
    CComScope(const CComScope&) = delete;
    CComScope& operator=(const CComScope&) = delete;

private:
    bool m_started;
};

// Releases one interface reference.
template <class T> class CComRef {
public:
    CComRef() = default;
    ~CComRef() {
        if (m_p)
            m_p->Release();
    }
    CComRef(const CComRef&) = delete;
    CComRef& operator=(const CComRef&) = delete;
    T** operator&() { return &m_p; }
    T* operator->() const { return m_p; }
    T* Get() const { return m_p; }

private:
    T* m_p = nullptr;
};

// Encodes rows of 24-bit BGR pixels, top row first, as PNG into bytes.
bool EncodePng(int width, int height, UINT stride, std::vector<std::uint8_t>& rows,
               std::vector<std::uint8_t>& bytes) {
    CComRef<IWICImagingFactory> factory;
    CComRef<IStream> stream;
    CComRef<IWICBitmapEncoder> encoder;
    CComRef<IWICBitmapFrameEncode> frame;
    CComRef<IPropertyBag2> options;
    if (FAILED(Com().createInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                    IID_IWICImagingFactory, reinterpret_cast<void**>(&factory))) ||
        FAILED(Com().createStream(nullptr, TRUE, &stream)) ||
        FAILED(factory->CreateEncoder(GUID_ContainerFormatPng, nullptr, &encoder)) ||
        FAILED(encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache)) ||
        FAILED(encoder->CreateNewFrame(&frame, &options)) ||
        FAILED(frame->Initialize(options.Get())) ||
        FAILED(frame->SetSize(static_cast<UINT>(width), static_cast<UINT>(height))))
        return false;
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (FAILED(frame->SetPixelFormat(&format)) ||
        !::IsEqualGUID(format, GUID_WICPixelFormat24bppBGR) ||
        FAILED(frame->WritePixels(static_cast<UINT>(height), stride, static_cast<UINT>(rows.size()),
                                  rows.data())) ||
        FAILED(frame->Commit()) || FAILED(encoder->Commit()))
        return false;
    STATSTG stat = {};
    HGLOBAL memory = nullptr;
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) ||
        FAILED(Com().streamMemory(stream.Get(), &memory)))
        return false;
    const void* data = ::GlobalLock(memory);
    if (!data)
        return false;
    const auto* begin = static_cast<const std::uint8_t*>(data);
    bytes.assign(begin, begin + stat.cbSize.QuadPart);
    ::GlobalUnlock(memory);
    return true;
}

} // namespace

bool SaveBitmapAsPng(HDC dc, HBITMAP bitmap, const char* fileName) {
    BITMAP bm = {};
    if (!dc || !bitmap || ::GetObjectA(bitmap, sizeof bm, &bm) != sizeof bm || bm.bmWidth <= 0 ||
        bm.bmHeight <= 0 || !Com().Complete())
        return false;
    CWaitCursor wait;
    BITMAPINFO info = {};
    info.bmiHeader = {
        sizeof(BITMAPINFOHEADER), bm.bmWidth, -bm.bmHeight, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    const UINT stride = BmpRowBytes(24, bm.bmWidth);
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * bm.bmHeight, 0);
    if (!FetchPixels(dc, bitmap, &info, rows))
        return false;
    std::vector<std::uint8_t> bytes;
    {
        CComScope com;
        if (!EncodePng(bm.bmWidth, bm.bmHeight, stride, rows, bytes))
            return false;
    }
    return WriteBinaryFileReplacing(
        fileName, [&](std::FILE* file) { return WriteBytes(file, bytes.data(), bytes.size()); });
}

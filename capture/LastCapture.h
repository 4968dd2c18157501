// LastCapture: the last capture taken by the selection overlay, read by the result dialog.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>

#include "framework/Gdi.h"

// The captured pixels held for display: a memory DC with its own bitmap selected into it.
// Members go in reverse order: the selection is undone before the bitmap and the DC go.
class CCaptureImage {
public:
    // A bitmap compatible with `compatible` of w x h pixels (w, h >= 0). With `fileLayout` on a
    // true-colour display it is a 24-bit bottom-up DIB section instead, whose bits are the rows
    // of a BMP file as they stand, so saving needs no conversion.
    CCaptureImage(HDC compatible, int w, int h, bool fileLayout = false);
    CCaptureImage(const CCaptureImage&) = delete;
    CCaptureImage& operator=(const CCaptureImage&) = delete;

    HDC Dc() const { return m_dc; }
    HBITMAP Bitmap() const { return m_bitmap; }
    bool InFileLayout() const { return m_fileLayout; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Valid() const { return m_dc != nullptr && m_bitmap.GetSafeHandle() != nullptr; }

private:
    CMemDC m_dc;
    CBitmap m_bitmap;
    std::optional<CSelectObject> m_selection;
    int m_width;
    int m_height;
    bool m_fileLayout = false;
};

struct LastCapture {
    RECT selection = {}; // screen pixels, left <= right, top <= bottom
    // The copy the result dialog shows and saves; freed when its window is destroyed.
    std::unique_ptr<CCaptureImage> displayImage;
    // The copy handed to the clipboard, which owns it; nullptr when it could not be handed over
    // and once the clipboard has been emptied. Read only to make the DIB format on request,
    // while the clipboard still holds it.
    HBITMAP clipboardImage = nullptr;

    int Width() const { return selection.right - selection.left; }
    int Height() const { return selection.bottom - selection.top; }
};

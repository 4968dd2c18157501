// CSkinnedSheet: a property sheet that wears the current skin. It holds the
// skin every page and skinned dialog paints with, and the background picture
// its pages draw, generated at the sheet's size when it opens.
#pragma once

#include "core/SkinBitmap.h"
#include "core/SkinScheme.h"
#include "framework/PropertySheet.h"

class CSkinnedSheet : public CPropertySheet {
public:
    CSkinnedSheet(const char* caption, CWnd* pParent, const SkinScheme& skin)
        : CPropertySheet(caption, pParent, 0), m_skin(skin) {}

    bool IsOpen() const { return m_hWnd != nullptr; }

    // The current skin.
    SkinScheme m_skin;
    // The background picture of the open sheet, drawn by every page.
    CSkinBitmap m_background;
    // Hands transparent static texts to the pages (a stock object, never deleted).
    HBRUSH m_hollowBrush = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
};

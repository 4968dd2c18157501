// CSkinButton: the flat owner-drawn button whose face is a generated skin picture.
#pragma once

#include <windows.h>

#include "core/SkinBitmap.h"
#include "core/SkinScheme.h"
#include "skin/OwnerDrawButton.h"

// The push button of the skinned dialogs. Text, hover tracking, press handling and border are
// the owner-drawn button's; the face is a picture generated from a button look, and a copy of
// it mixed toward the highlight colour while the pointer is over the button.
class CSkinButton : public COwnerDrawButton {
public:
    CSkinButton() = default;
    ~CSkinButton() override = default;

    // Generates the face at the button's current window size from a look (mode, granularity,
    // coloring and colour as the painter takes them) and the hover face from it, mixed by
    // hoverBlend percent toward the 3-D highlight colour. Call once the button is attached and
    // has its final size; does nothing without a window.
    void SetSkin(int mode, int granularity, int hoverBlend, int coloring, COLORREF colour);
    // The same from a look of a scheme, whose numbers are taken as bytes as the files keep them.
    void SetSkin(const SkinLook& look);

    const CSkinBitmap& Face() const { return m_face; }
    const CSkinBitmap& HoverFace() const { return m_hoverFace; }

protected:
    // Draws the hover face (one pixel down and right while pressed) or the face; nothing
    // before SetSkin.
    int OnDrawBackground(HDC dc, const RECT& rc) override;

private:
    CSkinBitmap m_face;
    CSkinBitmap m_hoverFace;
};

// The skinned push button: face pictures from the painter, drawn as the button's background.
#include "skin/SkinButton.h"

#include "core/SkinPainter.h"

void CSkinButton::SetSkin(int mode, int granularity, int hoverBlend, int coloring,
                          COLORREF colour) {
    SetSkin(SkinLook{mode, granularity, hoverBlend, coloring, GetRValue(colour), GetGValue(colour),
                     GetBValue(colour)});
}

void CSkinButton::SetSkin(const SkinLook& look) {
    RECT rc;
    if (!m_hWnd || !::GetWindowRect(m_hWnd, &rc))
        return;
    GenerateSkin(m_face, rc.right - rc.left, rc.bottom - rc.top, look, CurrentSkinSystemColors());
    // Same pixels, noise included; only the palette is lighter.
    m_hoverFace.CopyFrom(m_face);
    m_hoverFace.BlendPalette(::GetSysColor(COLOR_3DHILIGHT), look.hoverBlend & 0xFF);
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

int CSkinButton::OnDrawBackground(HDC dc, const RECT&) {
    // The pictures have the button's size and cover it from its top-left corner; pressed, the
    // hover face sinks by one pixel under the sunken border.
    if (m_bHover) {
        const int offset = m_bPressed ? 1 : 0;
        m_hoverFace.Draw(dc, offset, offset);
    } else {
        m_face.Draw(dc, 0, 0);
    }
    return 0;
}

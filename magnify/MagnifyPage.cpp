// The Magnify page.
#include "magnify/MagnifyPage.h"

#include "app/Settings.h"
#include "hooklib/Quillet.h"
#include "res/resource.h"

namespace {
// Pixels between the cursor's hotspot and the zoom window.
constexpr int kZoomGap = 13;
} // namespace

BEGIN_MESSAGE_MAP(CMagnifyPage, CPropertyPage)
ON_WM_DESTROY()
END_MESSAGE_MAP()

CMagnifyPage::CMagnifyPage() : CPropertyPage(IDD_MAGNIFY_PAGE) {
    ReadSettings();
    HandToLibrary();
}

void CMagnifyPage::ReadSettings() {
    m_wKey = static_cast<WORD>(ReadSetting("wKey", 90));
    m_wMod = static_cast<WORD>(ReadSetting("wMod", 4));
    m_nWidth = ReadSetting("nWidth", 40);
    m_nFactor = ReadSetting("nFactor", 4);
    m_bNoPersist = ReadSetting("bNoPersist", 0);
}

void CMagnifyPage::HandToLibrary() const {
    QLSetZoomParams(m_nWidth, m_nWidth, m_wKey, m_wMod, kZoomGap, m_nFactor, m_bNoPersist == 0);
}

void CMagnifyPage::OnDestroy() {
    // Closing the options window hides the zoom window.
    QLShowZoomWindow(0);
    Default();
}

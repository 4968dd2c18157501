// The Capture page.
#include "capture/CapturePage.h"

#include "hooklib/Quillet.h"
#include "res/resource.h"
#include "settings/Profile.h"

BEGIN_MESSAGE_MAP(CScreenCapture, CSkinnedPage)
END_MESSAGE_MAP()

CScreenCapture::CScreenCapture() : CSkinnedPage(IDD_CAPTURE_PAGE) {
    // The library knows the capture hotkey from start-up on.
    m_wKey = static_cast<WORD>(ReadSetting(settings::kCaptureKey));
    m_wMod = static_cast<WORD>(ReadSetting(settings::kCaptureModifiers));
    QLSetCaptureParams(m_wKey, m_wMod);
}

// The Color page.
#include "color/AutoClickPage.h"

#include "hooklib/Quillet.h"
#include "res/resource.h"
#include "settings/Profile.h"

BEGIN_MESSAGE_MAP(CAutoClick, CSkinnedPage)
END_MESSAGE_MAP()

CAutoClick::CAutoClick() : CSkinnedPage(IDD_COLOR_PAGE) {
    // The library knows the freeze hotkey from start-up on.
    m_wKey = static_cast<WORD>(ReadSetting(settings::kPickerKey));
    m_wMod = static_cast<WORD>(ReadSetting(settings::kPickerModifiers));
    QLSetAutoClickParams(m_wKey, m_wMod);
}

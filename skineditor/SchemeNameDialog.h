// CSchemeNameDialog: asks for the name a scheme is saved or exported under.
#pragma once

#include <string>

#include "core/SkinScheme.h"
#include "framework/Dialog.h"

class CSchemeNameDialog : public CDialog {
public:
    // The longest name in bytes taken from what is typed; the rest is dropped, never in the
    // middle of a character.
    static constexpr int kMaxTyped = 18;

    explicit CSchemeNameDialog(CWnd* pParent = nullptr);

    // After OK: at most the first kMaxTyped bytes of the text, NUL-terminated.
    char m_name[kSkinNameSize] = {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    std::string m_text;
};

// The scheme name prompt.
#include "skineditor/SchemeNameDialog.h"

#include <algorithm>
#include <cstring>

#include "framework/DataExchange.h"
#include "res/resource.h"

CSchemeNameDialog::CSchemeNameDialog(CWnd* pParent) : CDialog(IDD_SCHEME_NAME, pParent) {}

void CSchemeNameDialog::DoDataExchange(CDataExchange* pDX) {
    DDX_Text(pDX, IDC_SCHEME_NAME, m_text);
}

void CSchemeNameDialog::OnOK() {
    if (!UpdateData(TRUE))
        return;
    const std::size_t length = Utf8CutLength(m_text.data(), m_text.size(), kMaxTyped);
    std::memcpy(m_name, m_text.data(), length);
    m_name[length] = '\0';
    EndDialog(IDOK);
}

// Data exchange and validation.
#include "framework/DataExchange.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "framework/App.h"
#include "framework/Wnd.h"

const char kPromptInteger[] = "Please enter an integer.";
const char kPromptIntegerRange[] = "Please enter an integer between %1 and %2.";

HWND CDataExchange::PrepareEditCtrl(int nIDC) {
    m_hLastControl = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    return m_hLastControl;
}

void CDataExchange::Fail(const std::string& message) {
    m_bFailed = true;
    AfxMessageBox(message.c_str(), MB_OK | MB_ICONEXCLAMATION, m_pDlgWnd->m_hWnd);
    if (m_hLastControl) {
        ::SetFocus(m_hLastControl);
        ::SendMessageA(m_hLastControl, EM_SETSEL, 0, -1);
    }
}

bool ParseStrictInt(const char* text, int& value) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (blank(*text))
        ++text;
    const char* p = text;
    if (*p == '+' || *p == '-')
        ++p;
    if (*p < '0' || *p > '9')
        return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text, &end, 10);
    if (errno == ERANGE || v < INT_MIN || v > INT_MAX)
        return false;
    while (blank(*end))
        ++end;
    if (*end != '\0')
        return false;
    value = static_cast<int>(v);
    return true;
}

std::string FormatRangePrompt(int lo, int hi) {
    std::string s = kPromptIntegerRange;
    s.replace(s.find("%1"), 2, std::to_string(lo));
    s.replace(s.find("%2"), 2, std::to_string(hi));
    return s;
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    if (!pDX->Active())
        return;
    HWND ctl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        char buf[64] = "";
        int n = ::GetWindowTextLengthA(ctl);
        if (n >= static_cast<int>(sizeof buf)) {
            pDX->Fail(kPromptInteger);
            return;
        }
        ::GetWindowTextA(ctl, buf, sizeof buf);
        int v = 0;
        if (!ParseStrictInt(buf, v)) {
            pDX->Fail(kPromptInteger);
            return;
        }
        value = v;
    } else {
        ::SetWindowTextA(ctl, std::to_string(value).c_str());
    }
}

void DDX_Text(CDataExchange* pDX, int nIDC, std::string& value) {
    if (!pDX->Active())
        return;
    HWND ctl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int n = ::GetWindowTextLengthA(ctl);
        std::string s(static_cast<size_t>(n) + 1, '\0');
        n = ::GetWindowTextA(ctl, &s[0], n + 1);
        s.resize(n > 0 ? static_cast<size_t>(n) : 0);
        value = s;
    } else {
        ::SetWindowTextA(ctl, value.c_str());
    }
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    if (!pDX->Active())
        return;
    HWND box = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ::SendMessageA(box, BM_GETCHECK, 0, 0) != BST_UNCHECKED ? 1 : 0;
    else
        ::SendMessageA(box, BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) {
    if (!pDX->Active() || !pDX->m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal)
        pDX->Fail(FormatRangePrompt(minVal, maxVal));
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& control) {
    if (control.m_hWnd)
        return;
    control.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

// CSkinDialog: the skin editor. The user picks a scheme of the library (scheme.dat), edits how
// dialog backgrounds and push buttons are generated while a live preview shows both, and then
// makes the look the default skin (OK), keeps it under a name (Save), exports it to a *.vsc
// file, imports one, or deletes a named scheme.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/SkinBitmap.h"
#include "core/SkinScheme.h"
#include "framework/Dialog.h"
#include "skin/SkinButton.h"

// Where a dialog's template put its controls, with the size of its font's dialog units.
struct PixelLayout {
    int perFourX = 0, perEightY = 0; // pixels of 4 horizontal and 8 vertical dialog units
    std::vector<std::pair<HWND, RECT>> controls;
    RECT client = {};
};

class CSkinDialog : public CDialog {
public:
    // The preview: a dialog background of this size at this client position, and the row its
    // sample colour is read from; pixels at 96 DPI, scaled to the dialog's.
    static constexpr int kPreviewX = 30, kPreviewY = 60;
    static constexpr int kPreviewWidth = 240, kPreviewHeight = 180;
    static constexpr int kSampleRow = 64, kSampleX = 40, kSaveSampleX = 50;

    // schemePath: the library file. current: the skin the program wears (the dialog's own
    // buttons wear its button look). reloadCurrent: refills the program's skin from scheme 1 of
    // the file, after OK without the random pick.
    CSkinDialog(std::string schemePath, const SkinScheme& current,
                std::function<void()> reloadCurrent);
    ~CSkinDialog() override;

protected:
    enum class Target { kDialog, kButton };

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnDpiChanged(UINT dpi) override;
    void OnOK() override;
    void OnPaint();
    void OnLButtonDown(UINT flags, POINT point);
    void OnFieldChanged();
    void OnColourReleased(NMHDR* nm, LRESULT* result);
    LRESULT OnHScroll(WPARAM wp, LPARAM lp);
    void OnListSelected();
    void OnTargetDialog();
    void OnTargetButton();
    void OnPreviewButton();
    void OnEditColour();
    void OnSave();
    void OnImport();
    void OnExport();
    void OnDelete();
    void OnCancelButton();
    DECLARE_MESSAGE_MAP()

private:
    SkinLook& TargetLook();
    // Reads the edits and the check box, telling the user about a value out of range; the
    // values that were read are kept either way. False when one was refused.
    bool ReadFields();
    // Fills the edits from the members.
    void ShowValues();
    // Shows a look's mode, granularity and coloring in the edits and its colour on the
    // trackbars.
    void ShowLook(const SkinLook& look);
    void StoreFieldsIn(SkinLook& look) const;
    void SwitchTarget(Target target);
    void CheckTarget(Target target);
    void CopyLooksOf(int scheme);
    void CopyLooks(const SkinScheme& s);
    void SetTrackbars();
    void ReadTrackbars();
    void FillSwatch(HDC dc) const;
    // The mean colour of `count` preview pixels of the sample row from client column x, as the
    // preview now stands, into the working scheme's sample colour.
    void Sample(int x, int count);
    // Writes the library; on failure tells the user and puts `before` back.
    bool WriteLibrary(const SkinSchemeTable& before);
    // Stores the working scheme under a name (Save and Import). False, with the user told and
    // nothing changed, when the library is full or cannot be written.
    bool StoreWorking(const char* name);
    void TellLibraryFull();
    // The common file dialog for *.vsc files; false when the user cancels.
    bool AskVscPath(bool save, std::string& path);

    std::string m_schemePath;
    // The library being edited: read from the file when the dialog opens, written back whole
    // after every change.
    SkinSchemeTable m_library;
    SkinScheme m_current; // the skin the program wears
    std::function<void()> m_reloadCurrent;

    // The look's three number fields: the range a typed value must lie in, and the shorter one
    // the arrows go through.
    struct Field {
        int edit, spin, min, max, spinMin, spinMax;
        int CSkinDialog::*value;
    };
    static const Field kFields[3];
    int m_mode = 0;
    int m_granularity = 0;
    int m_coloring = 0;
    bool m_random = false;
    int m_red = 0, m_green = 0, m_blue = 0; // the trackbars
    Target m_target = Target::kDialog;
    SkinScheme m_working;
    bool m_live = false;
    // Set while values go to or come from the controls: the edits' change notices that this
    // causes are not edits of the user.
    bool m_exchanging = false;
    RECT m_rcSwatch = {};
    UINT m_dpi = 96;        // the preview's pixels are scaled to it
    PixelLayout m_template; // where the template put the controls, to lay them out at any DPI
    int Px(int length) const { return Scaled(length, m_dpi); }

    CSkinBitmap m_preview;
    CSkinButton m_btnCancel, m_btnOk, m_btnSave, m_btnPreview, m_btnEditColour, m_btnImport,
        m_btnExport, m_btnDelete, m_btnHelp;
};

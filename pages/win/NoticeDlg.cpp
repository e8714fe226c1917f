#include "NoticeDlg.h"

#include "UpdateDescription.h"
#include "PagePicture.h"
#include "ResourceString.h"
#include "resource.h"

CNoticeDlg::CNoticeDlg(HWND parent) : CDialog(IDD_NOTICE, parent) {}

bool CNoticeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // The template's caption announces the master adjustment; without it the page is a plain update.
    if (m_masterAdjust == info::kPlainUpdate)
        SetWindowText(LoadResourceString(IDS_PAGE_CAPTION_UPDATE));
    SetDlgItemText(IDC_TEXT, m_text);
    return true;
}

void CNoticeDlg::OnPaint()
{
    PaintPagePicture(m_hWnd, m_picture);
}

#include "ConfirmDlg.h"

#include "PagePicture.h"
#include "resource.h"

CConfirmDlg::CConfirmDlg(HWND parent) : CDialog(IDD_CONFIRM, parent) {}

bool CConfirmDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_TEXT, m_folder);
    return true;
}

// "戻る" and Esc: the wizard goes back to the folder page.
void CConfirmDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CConfirmDlg::OnPaint()
{
    PaintPagePicture(m_hWnd, m_picture);
}

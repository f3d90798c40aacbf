// The ids of the dialog templates in forms.rc and of their controls. Each
// control id is named after the control's name on the forms of the other
// toolkits (IDC_ + name), so tests and code find a control by the same name.
#pragma once

// Dialog templates.
#define IDD_TTolmInfoDlg 100
#define IDD_TfrmTolmPList 101
#define IDD_InputBox 102

// Controls. IDOK and IDCANCEL stay the system's own (1 and 2).
#define IDC_Msg 1001
#define IDC_OKBtn 1002
#define IDC_PList 1010
#define IDC_Button1 1011
#define IDC_Button2 1012
#define IDC_Button3 1013
#define IDC_Prompt 1020
#define IDC_Value 1021

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

// The command file editor and its dialogs.
#define IDD_frmTolmWiz 110
#define IDD_frmTolmInput 111
#define IDD_frmReplace 112
#define IDD_frmAbout 113
#define IDR_MainMenu1 120
#define IDR_PopupMenu1 121

#define IDC_Label1 1030
#define IDC_Label2 1031
#define IDC_Label3 1032
#define IDC_Label4 1033
#define IDC_Label5 1034
#define IDC_Label6 1035
#define IDC_Image1 1036
#define IDC_String1 1040
#define IDC_String2 1041
#define IDC_btnOk 1042
#define IDC_btnCancel 1043
#define IDC_Prog 1050
#define IDC_Args 1051
#define IDC_btnBrowse 1052
#define IDC_GroupBox1 1053
#define IDC_GroupBox2 1054
#define IDC_NormalOpt 1055
#define IDC_MinOpt 1056
#define IDC_MaxOpt 1057
#define IDC_HideOpt 1058
#define IDC_MinNoActOpt 1059
#define IDC_WarnOpt 1060
#define IDC_IgnoreOpt 1061
#define IDC_WaitOpt 1062
#define IDC_List1 1070
#define IDC_btnUp 1071
#define IDC_btnDown 1072
#define IDC_StatusBar1 1073

// Menu items of the editor (menu bar and context menu).
#define IDM_New1 2001
#define IDM_Open1 2002
#define IDM_Save1 2003
#define IDM_SaveAs1 2004
#define IDM_Run1 2005
#define IDM_Exit1 2006
#define IDM_NewCommand1 2010
#define IDM_EditCommand1 2011
#define IDM_DeleteCommand1 2012
#define IDM_Replace1 2013
#define IDM_About1 2020
#define IDM_NewCommand2 2030
#define IDM_EditCommand2 2031
#define IDM_DeleteCommand2 2032

// Resource identifiers of the framework tests' own dialogs and menus (kept within 5000-5999).
#ifndef VARNEL_TESTS_WIN_TEST_FRAMEWORK_IDS_H
#define VARNEL_TESTS_WIN_TEST_FRAMEWORK_IDS_H

// Without WS_VISIBLE, so only the modal loop's idle step can show it.
#define IDD_FW_HIDDEN 5001
// With WS_VISIBLE, for modeless use and as an owner.
#define IDD_FW_SHOWN 5002
// Never defined in the .rc: creation from it must fail.
#define IDD_FW_MISSING 5999

#define IDC_FW_RANGE_FIRST 5101
#define IDC_FW_RANGE_MIDDLE 5102
#define IDC_FW_RANGE_LAST 5103
#define IDC_FW_EDIT 5110

#define IDR_FW_MENU 5201
#define IDR_FW_MISSING_MENU 5998
#define ID_FW_FIRST 5301
#define ID_FW_SECOND 5302
#define ID_FW_NESTED 5303

#endif

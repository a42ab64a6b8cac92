// Ids of the dialog template the Wine tests build their dialogs from.
#pragma once

#define IDD_TEST_DIALOG 900
#define IDC_TEST_BUTTON 901
#define IDC_TEST_EDIT   902
#define IDC_TEST_TABS   903

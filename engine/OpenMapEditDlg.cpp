#include "OpenMapEditDlg.h"

CMapEditDlg* g_pOpenMapEditDlg = nullptr;

#include "plugin/settings_dialog.h"

#include "resources/resource_ids.h"

CToDoSettingsDlg::CToDoSettingsDlg() : CDialog(IDD_SETTINGS, nullptr) {}

void CToDoSettingsDlg::DoDataExchange(CDataExchange*) {}

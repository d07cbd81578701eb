#pragma once
// The tool's settings dialog: it only says that there is nothing to set.

#include "framework/fw_dialog.h"

class CToDoSettingsDlg : public CDialog {
 public:
  CToDoSettingsDlg();
  void DoDataExchange(CDataExchange* pDX) override;
};

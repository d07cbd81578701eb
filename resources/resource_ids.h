/* Numeric resource identifiers shared by the C++ code and ToDoList.rc. */
#ifndef TODOLIST_RESOURCE_IDS_H
#define TODOLIST_RESOURCE_IDS_H

#define IDD_TODO 184
#define IDD_SETTINGS 146
#define IDI_TODO 148

#define IDB_TOOL_256 1001
#define IDB_TOOL_16 1002
#define IDB_LIST 243
#define IDB_MODE_LIST 6008
#define IDB_MODE_ITEM 6009

#define IDC_MODE_LIST 6000
#define IDC_MODE_ITEM 6001
#define IDC_TEXT 1064
#define IDC_DATE 1073
#define IDC_NO_DATE 1165
#define IDC_ADD_TOP 1065
#define IDC_ADD_BOTTOM 1066
#define IDC_UP 1076
#define IDC_DOWN 1077
#define IDC_DELETE 1078
#define IDC_CLEAR 1079
#define IDC_LIST_GROUP 1083
#define IDC_ITEM_GROUP 1084

#endif

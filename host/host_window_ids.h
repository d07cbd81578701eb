#pragma once
// Identifiers of the main window's controls and of the search window's.

constexpr int IDC_HOST_OPEN = 1001;
constexpr int IDC_HOST_SAVE = 1002;
constexpr int IDC_HOST_SETTINGS = 1003;
constexpr int IDC_HOST_INFO = 1004;
constexpr int IDC_HOST_CLOSE = 1005;
constexpr int IDC_HOST_SEARCH = 1006;
constexpr int IDC_HOST_IMAGE256 = 1010;
constexpr int IDC_HOST_IMAGE16 = 1011;
constexpr int IDC_HOST_LOG = 1020;

// The search window's controls.
constexpr int IDC_SEARCH_TEXT = 1101;
constexpr int IDC_SEARCH_MODE = 1102;
constexpr int IDC_SEARCH_START = 1103;
constexpr int IDC_SEARCH_STOP = 1104;
constexpr int IDC_SEARCH_STATUS = 1105;
constexpr int IDC_SEARCH_RESULTS = 1106;

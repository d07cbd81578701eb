#pragma once
// Identifiers of the main window's controls.

constexpr int IDC_HOST_OPEN = 1001;
constexpr int IDC_HOST_SAVE = 1002;
constexpr int IDC_HOST_SETTINGS = 1003;
constexpr int IDC_HOST_INFO = 1004;
constexpr int IDC_HOST_CLOSE = 1005;
constexpr int IDC_HOST_IMAGE256 = 1010;
constexpr int IDC_HOST_IMAGE16 = 1011;
constexpr int IDC_HOST_LOG = 1020;

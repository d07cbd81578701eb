# The Win32 front of QuarnCtrl.dll: the box's window, its painting, its in-place editors and
# what it shows screen readers.
set(QUARN_WIN32_SOURCES
  win32/accessible_text.cpp
  win32/box_accessible.cpp
  win32/date_editor.cpp
  win32/inplace_editor.cpp
  win32/list_layout.cpp
  win32/list_painter.cpp
  win32/list_window.cpp
  win32/list_window_access.cpp
  win32/list_window_input.cpp
  win32/quarn_factory.cpp)
# Active Accessibility: the boxes' accessible objects are handed out through COM.
set(QUARN_WIN32_LIBRARIES oleacc ole32 oleaut32 uuid)

# The Win32 front of QuarnCtrl.dll: the box's window, its painting and its in-place editors.
set(QUARN_WIN32_SOURCES
  win32/date_editor.cpp
  win32/inplace_editor.cpp
  win32/list_layout.cpp
  win32/list_painter.cpp
  win32/list_window.cpp
  win32/list_window_input.cpp
  win32/quarn_factory.cpp)

# Tests of the list boxes' real window under Wine: one program, since Wine starts slowly.
todo_add_test(quarnctrl_window_tests
  win32_box_fixture.cpp
  win32_edit_test.cpp
  win32_paint_test.cpp
  win32_window_test.cpp)
target_link_libraries(quarnctrl_window_tests PRIVATE QuarnCtrl user32 gdi32 comctl32 own_desktop)

# The boxes as screen readers read them: their accessible objects and win events.
todo_add_test(quarnctrl_access_tests
  win32_access_support.cpp
  win32_access_test.cpp
  win32_box_fixture.cpp)
target_link_libraries(quarnctrl_access_tests PRIVATE QuarnCtrl oleacc ole32 oleaut32 uuid user32
                                                     gdi32 comctl32 own_desktop)

# Window tests: QtTest programs that build the real windows, run headless on
# the offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test)
set(CMAKE_AUTOMOC ON)

function(naklon_window_test name)
  add_executable(${name} ui/${name}.cpp)
  target_link_libraries(${name} PRIVATE naklon_ui Qt6::Test ${ARGN})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8")
endfunction()

naklon_window_test(main_window_test)
naklon_window_test(pages_test)
naklon_window_test(shell_parts_test)
naklon_window_test(history_file_test)
naklon_window_test(history_panel_test)
naklon_window_test(accessibility_test)

# The reference window's tests.
foreach(name reference_picture_test reference_window_test)
  if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/ui/${name}.cpp)
    find_package(JPEG REQUIRED)
    naklon_window_test(${name} JPEG::JPEG)
  endif()
endforeach()

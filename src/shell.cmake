# The Qt shell: the windows, the error handler and the application object in
# a static library that the executable and the window tests both link.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTOUIC ON)
set(CMAKE_AUTORCC ON)
set(CMAKE_AUTOUIC_SEARCH_PATHS ${CMAKE_CURRENT_SOURCE_DIR}/../resources)

add_library(naklon_ui STATIC
  accessibility.cpp
  colours.cpp
  error_reporter.cpp
  form_design.cpp
  history_box.cpp
  history_dialogs.cpp
  history_file.cpp
  history_handlers.cpp
  history_panel.cpp
  history_repertoire.cpp
  locale_format.cpp
  naklon_application.cpp
  picker_delegate.cpp
  reference_image.cpp
  start_up.cpp
  tab_strip_style.cpp
  unit2.cpp
  windows1251_text.cpp
  zeverozozod.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/../resources/zeverozozod.ui
  ${CMAKE_CURRENT_SOURCE_DIR}/../resources/unit2.ui
  ${CMAKE_CURRENT_SOURCE_DIR}/../resources/naklon.qrc
)
target_include_directories(naklon_ui PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(naklon_ui PUBLIC naklon_core Qt6::Widgets)
# The program's own code is held to these; the tests, which are mostly
# tables of literal texts, are not.
set(naklon_shell_definitions QT_NO_CONTEXTLESS_CONNECT QT_NO_CAST_FROM_ASCII)
target_compile_definitions(naklon_ui PRIVATE ${naklon_shell_definitions})
include(reference.cmake)

add_executable(naklon main.cpp)
target_link_libraries(naklon PRIVATE naklon_ui)
target_compile_definitions(naklon PRIVATE ${naklon_shell_definitions})

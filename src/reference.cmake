# The reference window of the local bearing page and its picture, decoded
# with libjpeg. Included by shell.cmake after the naklon_ui target exists.
find_package(JPEG REQUIRED)

target_sources(naklon_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/reference_picture.cpp
)
target_link_libraries(naklon_ui PUBLIC JPEG::JPEG)

# The JPEG goes in as it is: zlib would gain nothing and cost a copy.
qt_add_resources(naklon_ui naklon_reference_picture
  PREFIX /naklon
  BASE ${CMAKE_CURRENT_LIST_DIR}/../resources
  FILES ${CMAKE_CURRENT_LIST_DIR}/../resources/reference.jpg
  OPTIONS --no-compress
)

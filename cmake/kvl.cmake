# The libraries, from the bottom up:
#   kvl_core   every subsystem's core/ folder and the platform layers' own files
#              (platform/<layer>/*): Qt Core and SQLite only, no widget.
#   kvl_module the Qt backends of the platform layers (platform/<layer>/qt/, one
#              library each), the widget toolkit (platform/widgets) and the forms'
#              floor (forms/: the child-form base, modal showing, the help window).
#   kvl_forms  the forms and windows: the files at the top of each subsystem folder.
# The program and the widget tests link kvl_all; a test of core code links kvl_core.
# The source root is on every include path: #include "platform/db/Db.h".

# kvl_module(<target> [DEPS <libs>...])
# A static library made of every .cpp/.h in the calling folder; it joins kvl_all.
function(kvl_module name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC kvl_core ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY KVL_MODULES ${name})
endfunction()

# kvl_test(<target> [DEPS <libs>...] [SOURCES <files>...])
# One GoogleTest program made of every .cpp in the calling folder (and SOURCES),
# run by CTest without a display.
function(kvl_test name)
  cmake_parse_arguments(ARG "" "" "DEPS;SOURCES" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${srcs} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KVL_SHARE_DIR=${KVL_SHARE_DIR}" TIMEOUT 300
    DISCOVERY_TIMEOUT 60)
endfunction()

# kvl_module(<target> [DEPS <libs>...])
# A static library made of every .cpp/.h in the calling folder. The source root is on
# its include path, so headers are included by folder: #include "platform/db/Db.h".
# Every module joins the interface target kvl_all, which the program and the tests link:
# the subsystems call each other's forms, so it links them as one group.
function(kvl_module name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(${name} STATIC ${srcs})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  set_property(GLOBAL APPEND PROPERTY KVL_MODULES ${name})
endfunction()

# kvl_test(<target> [DEPS <libs>...])
# One GoogleTest program made of every .cpp in the calling folder, run by CTest
# without a display.
function(kvl_test name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;KVL_SHARE_DIR=${KVL_SHARE_DIR}" TIMEOUT 300
    DISCOVERY_TIMEOUT 60)
endfunction()

# SPDX-License-Identifier: GPL-3.0-or-later
# One folder under src/ is one layer's library: tavik_<name> from its plain C++
# sources, and, where the folder has windows, tavik_<name>_widgets beside it,
# which links Qt Widgets. Sources are listed by hand in each folder; MOC marks
# the libraries with QObject classes.
function(tavik_library name)
  cmake_parse_arguments(ARG "MOC" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  if(NOT ARG_MOC)
    set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  endif()
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# Tests of one folder under tests/: plain tests (test_<name>) run without a
# display; UI tests (test_<name>_ui) run their own QApplication on the
# offscreen platform.
function(tavik_tests name)
  cmake_parse_arguments(ARG "" "" "TESTS;UI_TESTS;LIBS;UI_LIBS" ${ARGN})
  if(ARG_TESTS)
    add_executable(test_${name} ${ARG_TESTS})
    target_link_libraries(test_${name} PRIVATE ${ARG_LIBS} tavik_test_support GTest::gtest_main)
    gtest_discover_tests(test_${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60)
  endif()
  if(ARG_UI_TESTS)
    add_executable(test_${name}_ui ${ARG_UI_TESTS})
    target_link_libraries(test_${name}_ui PRIVATE ${ARG_LIBS} ${ARG_UI_LIBS} tavik_test_support
                          tavik_qt_test_main Qt6::Test)
    gtest_discover_tests(test_${name}_ui DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 60
                         PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()

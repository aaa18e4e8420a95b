# qv_test_suite(NAME LIBS lib... [GUI] [DESK] [SOURCES file...] [ALSO_IN_LOCALE locale])
# One GoogleTest program per folder; each test case becomes a CTest test.
# GUI suites carry the label "gui" and run under Xvfb (scripts/test.sh); DESK suites
# also carry "desk": they run at the shop's screen size under a window manager in the
# Chinese locale. ALSO_IN_LOCALE runs every test a second time with LANG set to the
# locale, the test's name ending in .<locale> (what fits under one locale's fonts may
# not under another's).
function(qv_test_suite name)
  cmake_parse_arguments(ARG "GUI;DESK" "ALSO_IN_LOCALE" "LIBS;SOURCES" ${ARGN})
  if(NOT ARG_SOURCES)
    file(GLOB ARG_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR}/src ${CMAKE_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE QV_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                             QV_BIN_DIR="${CMAKE_BINARY_DIR}/bin")
  set(labels ${name})
  if(ARG_GUI OR ARG_DESK)
    list(APPEND labels gui)
  endif()
  if(ARG_DESK)
    list(APPEND labels desk)
  endif()
  # A desk test walks a whole job through the screen: minutes under the sanitizers,
  # which make every test several times slower.
  set(timeout 120)
  if(ARG_DESK)
    set(timeout 400)
  endif()
  if(QV_SANITIZE)
    math(EXPR timeout "${timeout} * 3")
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST PROPERTIES TIMEOUT ${timeout})
  # The labels (and a locale's environment) are lists, which the discovery script
  # would split into property names; they are set from a script of our own once the
  # tests are known.
  set(label_file ${CMAKE_CURRENT_BINARY_DIR}/${name}_labels.cmake)
  file(WRITE ${label_file}
       "if(${name}_TESTS)\n  set_tests_properties(\${${name}_TESTS} PROPERTIES LABELS \"${labels}\")\nendif()\n")
  if(ARG_ALSO_IN_LOCALE)
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST TEST_SUFFIX .${ARG_ALSO_IN_LOCALE}
                         TEST_LIST ${name}_LOCALE_TESTS PROPERTIES TIMEOUT ${timeout})
    set(environment "LANG=${ARG_ALSO_IN_LOCALE};LC_ALL=${ARG_ALSO_IN_LOCALE};LANGUAGE=")
    file(APPEND ${label_file}
         "if(${name}_LOCALE_TESTS)\n  set_tests_properties(\${${name}_LOCALE_TESTS} PROPERTIES LABELS \"${labels}\" ENVIRONMENT \"${environment}\")\nendif()\n")
  endif()
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${label_file})
endfunction()

# Every folder's library is the set of .cpp files in it, so adding a source file needs no edit here.
function(tonel_library name folder)
  file(GLOB _sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  list(FILTER _sources EXCLUDE REGEX ".*/main\\.cpp$")
  if(_sources)
    add_library(${name} STATIC ${_sources})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARGN})
  else()  # a folder that holds only headers so far
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARGN})
  endif()
endfunction()


# One test binary per test folder, discovered by CTest.
#   tonel_test(name folder QT|PLAIN libs...)   QT: the main creates a QApplication (offscreen by default).
function(tonel_test name folder kind)
  file(GLOB _sources CONFIGURE_DEPENDS ${folder}/*.cpp)
  if(NOT _sources)
    return()
  endif()
  if(kind STREQUAL "QT")
    set(_main ${PROJECT_SOURCE_DIR}/tests/support/QtTestMain.cpp)
    set(_extra Qt6::Widgets Qt6::Test)
  else()
    set(_main ${PROJECT_SOURCE_DIR}/tests/support/TestMain.cpp)
    set(_extra)
  endif()
  add_executable(${name} ${_sources} ${_main})
  target_link_libraries(${name} PRIVATE tonel_test_support GTest::gtest ${_extra} ${ARGN})
  # Tests run in the build folder (snapshots land there). test.sh exports the sanitizer options:
  # gtest_discover_tests cannot pass a list of variables through ENVIRONMENT.
  gtest_discover_tests(${name}
    WORKING_DIRECTORY ${PROJECT_BINARY_DIR}
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    DISCOVERY_TIMEOUT 120)
endfunction()

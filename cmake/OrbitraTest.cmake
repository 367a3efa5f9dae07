# One test executable per area, registered with CTest.
#   orbitra_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib... [ENV VAR=VALUE...])
function(orbitra_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;ENV" ${ARGN})
  find_package(GTest REQUIRED)
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${T_NAME} PRIVATE
    ORBITRA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    ORBITRA_BUILD_DIR="${PROJECT_BINARY_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "LANG=C.UTF-8;LC_ALL=C.UTF-8;QT_QPA_PLATFORM=offscreen;${T_ENV}")
endfunction()

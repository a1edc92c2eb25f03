# orvalin_add_test(NAME name SOURCES a.cpp ... LIBS lib ...)
# One GoogleTest program per test folder, run headless under CTest.
function(orvalin_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE orvalin_test_main ${T_LIBS})
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=;QT_FONT_DPI=")
endfunction()

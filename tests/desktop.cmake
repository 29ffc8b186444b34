# The windows under a dark desktop colour scheme (offscreen).
add_quarnis_qtest(theme_test SOURCES theme_test.cpp LIBS quarnis_calculator)
# quarnis --help, --version and bad command lines, without a display.
add_test(NAME command_line_test
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop/command_line_test.sh
    $<TARGET_FILE:quarnis> ${PROJECT_VERSION})

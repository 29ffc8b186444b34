# The windows under a dark desktop colour scheme (offscreen).
add_quarnis_qtest(theme_test SOURCES theme_test.cpp LIBS quarnis_calculator)
# quarnis --help, --version and bad command lines, without a display.
add_test(NAME command_line_test
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop/command_line_test.sh
    $<TARGET_FILE:quarnis> ${PROJECT_VERSION})
# The windows as a screen reader sees them, over the accessibility bus in Xvfb.
add_test(NAME atspi_test
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/desktop/atspi_test.sh $<TARGET_FILE:quarnis>)
set_tests_properties(atspi_test PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120 RUN_SERIAL TRUE)
# Names for screen readers, the keys, the table's menus and files, the program's identity.
add_quarnis_qtest(desktop_test SOURCES desktop_test.cpp LIBS quarnis_calculator)
target_compile_definitions(desktop_test PRIVATE QUARNIS_SOURCE_DIR="${PROJECT_SOURCE_DIR}")

# The function record, the tabulation, the number reading and the point table (no Qt).
add_quarnis_test(graph_func_tests
  SOURCES graph_func_test.cpp graph_reading_test.cpp error_of.h
  LIBS quarnis_func)
# quarnis-calc --tabulate, the same tabulation from the command line.
add_test(NAME cli_tabulate
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:quarnis-calc>
          -P ${CMAKE_CURRENT_SOURCE_DIR}/graph_tabulate.cmake)
# The tabulation as tab-separated and comma-separated text.
add_quarnis_test(table_text_tests SOURCES table_text_test.cpp LIBS quarnis_func)

# The function record, the tabulation, the number reading and the point table (no Qt).
add_quarnis_test(graph_func_tests
  SOURCES graph_reading_test.cpp
  LIBS quarnis_func)

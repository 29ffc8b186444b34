# The graph window through its real controls (offscreen).
add_quarnis_qtest(graph_window_tests
  SOURCES graph_window_test.cpp
  LIBS quarnis_graph)

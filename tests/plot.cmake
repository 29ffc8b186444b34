# The drawing surface and the plot commands, pixel for pixel on the backing image.
add_quarnis_test(plot_tests
  SOURCES plot_surface_test.cpp plot_commands_test.cpp plot_test_support.h
  LIBS quarnis_graph)
# The three plot commands through the real graph window.
add_quarnis_test(plot_window_tests
  SOURCES plot_window_test.cpp plot_test_support.h
  LIBS quarnis_graph Qt6::Test)

# The drawing surface and the plot commands, pixel for pixel on the backing image.
add_quarnis_test(plot_tests
  SOURCES plot_surface_test.cpp
  LIBS quarnis_graph)

# The drawing surface and the plot commands.
target_sources(quarnis_graph PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/plot_commands.cpp ${CMAKE_CURRENT_LIST_DIR}/plot_commands.h
  ${CMAKE_CURRENT_LIST_DIR}/plot_controls.h
  ${CMAKE_CURRENT_LIST_DIR}/plot_surface.cpp ${CMAKE_CURRENT_LIST_DIR}/plot_surface.h)
target_link_libraries(quarnis_graph PUBLIC quarnis_raster)

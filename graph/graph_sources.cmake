# The graph window, its colour buttons and the function panel's handlers.
target_sources(quarnis_graph PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/button_color.cpp ${CMAKE_CURRENT_LIST_DIR}/button_color.h
  ${CMAKE_CURRENT_LIST_DIR}/graph_window.cpp ${CMAKE_CURRENT_LIST_DIR}/graph_window.h
  ${CMAKE_CURRENT_LIST_DIR}/lines_model.cpp ${CMAKE_CURRENT_LIST_DIR}/lines_model.h
  ${CMAKE_CURRENT_LIST_DIR}/graph_desktop.cpp)
target_link_libraries(quarnis_graph PUBLIC quarnis_func)

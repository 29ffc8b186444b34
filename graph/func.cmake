# The function record with its tabulation, the number reading of the graph window, the
# plot object's point table and the table for other programs. Free of Qt, so the
# command-line tool and the window share them; built even without the windows.
add_library(quarnis_func STATIC
  ${CMAKE_CURRENT_LIST_DIR}/func.cpp ${CMAKE_CURRENT_LIST_DIR}/func.h
  ${CMAKE_CURRENT_LIST_DIR}/graph1d.cpp ${CMAKE_CURRENT_LIST_DIR}/graph1d.h
  ${CMAKE_CURRENT_LIST_DIR}/number_reading.cpp ${CMAKE_CURRENT_LIST_DIR}/number_reading.h
  ${CMAKE_CURRENT_LIST_DIR}/table_text.cpp ${CMAKE_CURRENT_LIST_DIR}/table_text.h)
target_include_directories(quarnis_func PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(quarnis_func PUBLIC quarnis_engine)
target_compile_options(quarnis_func PRIVATE -Wshadow)
quarnis_target_flags(quarnis_func)

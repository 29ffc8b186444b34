# The pixel work of the drawing surface: lines and rectangles on rows of pixels. Free of Qt,
# so the fuzz target and the sanitizer build check it without the windows.
add_library(quarnis_raster STATIC
  ${CMAKE_CURRENT_LIST_DIR}/raster.cpp ${CMAKE_CURRENT_LIST_DIR}/raster.h)
target_include_directories(quarnis_raster PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_compile_options(quarnis_raster PRIVATE -Wshadow)
quarnis_target_flags(quarnis_raster)

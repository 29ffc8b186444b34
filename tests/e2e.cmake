# The end-to-end check of the built program in Xvfb (skipped where no X server can run).
find_package(X11)
if(X11_FOUND AND TARGET quarnis)
  add_executable(x_close_window e2e/x_close_window.cpp)
  target_link_libraries(x_close_window PRIVATE X11::X11)
  quarnis_target_flags(x_close_window)
  add_test(NAME e2e_xvfb
    COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/e2e/run_e2e.sh $<TARGET_FILE:quarnis> $<TARGET_FILE:x_close_window>)
  set_tests_properties(e2e_xvfb PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 120 RUN_SERIAL TRUE)
endif()

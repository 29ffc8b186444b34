add_quarnis_test(engine_tests
  SOURCES engine_numbers_test.cpp engine_evaluate_test.cpp engine_digits_test.cpp
  LIBS quarnis_engine)
add_test(NAME cli_golden
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:quarnis-calc> -DDIR=${CMAKE_CURRENT_SOURCE_DIR}/golden
          -P ${CMAKE_CURRENT_SOURCE_DIR}/golden/run_golden.cmake)

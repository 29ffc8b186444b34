# quarnis-calc's command-line conventions: options, messages and exit statuses.
add_test(NAME cli_conventions
  COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:quarnis-calc> -DWORK=${CMAKE_CURRENT_BINARY_DIR}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/cli/run_cli_table.cmake)

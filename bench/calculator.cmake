# EXEC and the memo with a 1 MB formula through the real calculator window, offscreen.
add_executable(calculator_bench calculator_bench.cpp)
target_link_libraries(calculator_bench PRIVATE quarnis_calculator benchmark::benchmark Qt6::Test)
quarnis_target_flags(calculator_bench)

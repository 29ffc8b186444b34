# HESAPLA through the graph window with the largest sample count.
add_executable(graph_bench graph_bench.cpp)
target_link_libraries(graph_bench PRIVATE quarnis_graph benchmark::benchmark)
quarnis_target_flags(graph_bench)

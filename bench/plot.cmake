# "Grafik Çiz" of a full point table and "Grafik Temizle" with a 10 x 10 grid.
add_executable(plot_bench plot_bench.cpp)
target_link_libraries(plot_bench PRIVATE quarnis_graph benchmark::benchmark)
quarnis_target_flags(plot_bench)

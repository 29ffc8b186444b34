target_sources(quarnis_graph PRIVATE graph_window.cpp graph_window.h)

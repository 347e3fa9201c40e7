# Click list and hotkeys on a large title.
morvane_add_bench(bench_clicklist ${CMAKE_CURRENT_SOURCE_DIR}/BenchClickList.cpp)

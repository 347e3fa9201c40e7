# Opening a large title in the real main window, and typing Enter in it.
morvane_add_bench(bench_opentitle ${CMAKE_CURRENT_SOURCE_DIR}/BenchOpenTitle.cpp UI)
target_link_libraries(bench_opentitle PRIVATE Qt6::Test)
# A title with one very long line: appending it, typing in it, charting it.
morvane_add_bench(bench_longline ${CMAKE_CURRENT_SOURCE_DIR}/BenchLongLine.cpp UI)
target_link_libraries(bench_longline PRIVATE Qt6::Test)

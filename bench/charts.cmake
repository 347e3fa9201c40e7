# Chart drawing speed for short and very long results.
morvane_add_bench(bench_chart BenchChart.cpp)

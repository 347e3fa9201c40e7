# Tally engine speed, and morvane-report against mawk on titles of several shapes.
morvane_add_bench(bench_tally BenchTally.cpp)
target_compile_definitions(bench_tally PRIVATE
    MORVANE_REPORT_BIN="$<TARGET_FILE:morvane-report>")
add_dependencies(bench_tally morvane-report)

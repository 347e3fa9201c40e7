# Tally engine speed, and morvane-report against mawk on titles of several shapes.
morvane_add_bench(bench_tally BenchTally.cpp)
target_compile_definitions(bench_tally PRIVATE
    MORVANE_REPORT_BIN="$<TARGET_FILE:morvane-report>")
add_dependencies(bench_tally morvane-report)
# The floor under the two-line figure (not a benchmark of its own: no bench_ name).
add_executable(qtcore_alone EXCLUDE_FROM_ALL QtCoreAlone.cpp)
target_link_libraries(qtcore_alone PRIVATE Qt6::Core)
target_compile_definitions(bench_tally PRIVATE
    MORVANE_QTCORE_ALONE_BIN="$<TARGET_FILE:qtcore_alone>")
add_dependencies(bench_tally qtcore_alone)

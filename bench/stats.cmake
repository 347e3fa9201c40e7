# Tally engine speed, and morvane-report against mawk on titles of several shapes.
morvane_add_bench(bench_tally BenchTally.cpp)
target_compile_definitions(bench_tally PRIVATE
    MORVANE_REPORT_BIN="$<TARGET_FILE:morvane-report>")
add_dependencies(bench_tally morvane-report)
add_executable(bench_qtcore_alone EXCLUDE_FROM_ALL QtCoreAlone.cpp)
target_link_libraries(bench_qtcore_alone PRIVATE Qt6::Core)
target_compile_definitions(bench_tally PRIVATE
    MORVANE_QTCORE_ALONE_BIN="$<TARGET_FILE:bench_qtcore_alone>")
add_dependencies(bench_tally bench_qtcore_alone)

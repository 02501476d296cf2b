# Fuzz build (clang only): the whole program over the host stand-in, driven by
# libFuzzer under AddressSanitizer and UBSan, and a bounded run over the
# checked-in corpus as the test "fuzz_bounded".
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "OSKAVEL_FUZZ needs clang++ (-DCMAKE_CXX_COMPILER=clang++)")
endif()

set(OSKAVEL_FUZZ_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=all
    -fno-omit-frame-pointer -g)

# The program's own sources again, instrumented for coverage and sanitizers;
# the plain host library beside it stays as it is.
add_library(oskavel_fuzz_core STATIC
  ${OSKAVEL_CORE_SOURCES}
  src/platform/host/standin.cpp
)
target_include_directories(oskavel_fuzz_core PUBLIC src tests)
target_compile_options(oskavel_fuzz_core PUBLIC ${OSKAVEL_FUZZ_FLAGS}
  -fsanitize=fuzzer-no-link)

add_executable(program_fuzzer tests/fuzz/program_fuzzer.cpp)
target_link_libraries(program_fuzzer PRIVATE oskavel_fuzz_core)
target_compile_options(program_fuzzer PRIVATE -fsanitize=fuzzer)
target_link_options(program_fuzzer PRIVATE -fsanitize=fuzzer,address,undefined)

# New inputs go to a scratch folder (libFuzzer writes only into the first
# folder it is given), so the checked-in corpus is read and never changed.
set(OSKAVEL_FUZZ_SCRATCH ${CMAKE_BINARY_DIR}/fuzz-scratch)
add_test(NAME fuzz_bounded
  COMMAND /bin/sh -c [[rm -rf "$1" && mkdir -p "$1" && shift && exec "$@"]] fuzz_bounded
          ${OSKAVEL_FUZZ_SCRATCH}
          $<TARGET_FILE:program_fuzzer> -max_total_time=30 -max_len=16384 -timeout=10
          -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix=${OSKAVEL_FUZZ_SCRATCH}/
          ${OSKAVEL_FUZZ_SCRATCH} ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus)
set_tests_properties(fuzz_bounded PROPERTIES LABELS fuzz TIMEOUT 120)

# Windows builds: the program, its manifest, and the probe the Wine tests use.
enable_language(RC)

# No exceptions, no RTTI, the runtime linked in: the exe needs nothing but
# system DLLs, and stays small. No timestamp, so two builds give one file.
set(OSKAVEL_WINDOWS_COMPILE -fno-exceptions -fno-rtti -municode)
set(OSKAVEL_WINDOWS_LINK -municode -static -static-libgcc -static-libstdc++ -s
    -Wl,--no-insert-timestamp)

add_executable(oskavel
  ${OSKAVEL_CORE_SOURCES}
  src/app/main_windows.cpp
  src/platform/windows_stdout.cpp
  src/app/oskavel.rc
)
target_include_directories(oskavel PRIVATE src src/app)
target_compile_options(oskavel PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${OSKAVEL_WINDOWS_COMPILE}>)
target_link_options(oskavel PRIVATE ${OSKAVEL_WINDOWS_LINK})
set_target_properties(oskavel PROPERTIES OUTPUT_NAME oskavel SUFFIX .exe
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Asks each query directly and prints the raw answers as a scenario, so the
# tests learn what this Wine says instead of trusting values seen once.
add_executable(version_probe tests/wine/version_probe.cpp)
target_compile_options(version_probe PRIVATE ${OSKAVEL_WINDOWS_COMPILE})
target_link_options(version_probe PRIVATE ${OSKAVEL_WINDOWS_LINK})
set_target_properties(version_probe PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

include(${CMAKE_SOURCE_DIR}/tests/wine/tests.cmake)

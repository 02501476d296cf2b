# Windows builds: the program, its manifest, and the probe the Wine tests use.
enable_language(RC)

# The version resource's numbers, from project() alone: a missing part is 0,
# and each must fit the resource's 16-bit fields.
foreach(part MAJOR MINOR PATCH TWEAK)
  set(OSKAVEL_VERSION_${part} "${PROJECT_VERSION_${part}}")
  if(OSKAVEL_VERSION_${part} STREQUAL "")
    set(OSKAVEL_VERSION_${part} 0)
  elseif(OSKAVEL_VERSION_${part} GREATER 65535)
    message(FATAL_ERROR "version part ${part} = ${OSKAVEL_VERSION_${part}} does not fit a version resource")
  endif()
endforeach()
configure_file(src/app/oskavel_version.h.in generated/oskavel_version.h @ONLY)

# No exceptions, no RTTI, the runtime linked in: the exe needs nothing but
# system DLLs, and stays small. No timestamp, so two builds give one file.
# Optimised for size: the run is over in the time Windows takes to start a
# process, so speed gained in our code cannot show, while -O3 adds 9 KiB.
set(OSKAVEL_WINDOWS_COMPILE -fno-exceptions -fno-rtti -municode -Os)
set(OSKAVEL_WINDOWS_LINK -municode -static -static-libgcc -static-libstdc++ -s
    -Wl,--no-insert-timestamp)

add_executable(oskavel
  ${OSKAVEL_CORE_SOURCES}
  src/app/main_windows.cpp
  src/platform/windows_stdout.cpp
  src/app/oskavel.rc
)
target_include_directories(oskavel PRIVATE src src/app ${CMAKE_BINARY_DIR}/generated)
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

# Reads an exe's version resource back the way Windows tools do. Only this
# test program links version.dll; the product must not import it.
add_executable(version_info_reader tests/wine/version_info_reader.cpp)
target_compile_options(version_info_reader PRIVATE ${OSKAVEL_WINDOWS_COMPILE})
target_link_options(version_info_reader PRIVATE ${OSKAVEL_WINDOWS_LINK})
target_link_libraries(version_info_reader PRIVATE version)
set_target_properties(version_info_reader PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The benchmark's floor: a program that does nothing, built exactly as the
# utility is. Only bench/run.sh asks for it.
add_executable(empty_console EXCLUDE_FROM_ALL bench/empty_main.cpp src/app/oskavel.rc)
target_include_directories(empty_console PRIVATE src/app ${CMAKE_BINARY_DIR}/generated)
target_compile_options(empty_console PRIVATE $<$<COMPILE_LANGUAGE:CXX>:${OSKAVEL_WINDOWS_COMPILE}>)
target_link_options(empty_console PRIVATE ${OSKAVEL_WINDOWS_LINK})
set_target_properties(empty_console PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# The download: for the shipped 32-bit build only, a zip of the exe, the
# README and their checksums in sha256sum's own format, so that after
# unzipping `sha256sum -c SHA256SUMS` checks what arrived.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  install(TARGETS oskavel RUNTIME DESTINATION .)
  install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION .)
  # Summed from the installed copies: the file vouches for what is packed.
  install(CODE [[
    set(dir "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
    set(sums "")
    foreach(name oskavel.exe README.md)
      file(SHA256 "${dir}/${name}" sum)
      string(APPEND sums "${sum}  ${name}\n")
    endforeach()
    file(WRITE "${dir}/SHA256SUMS" "${sums}")
  ]])

  set(OSKAVEL_VERSION ${PROJECT_VERSION})
  if(NOT OSKAVEL_VERSION)
    set(OSKAVEL_VERSION 1.0.0)  # until project() names one
  endif()
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_NAME oskavel)
  set(CPACK_PACKAGE_VERSION ${OSKAVEL_VERSION})
  set(OSKAVEL_PACKAGE oskavel-${OSKAVEL_VERSION}-win32)
  set(CPACK_PACKAGE_FILE_NAME ${OSKAVEL_PACKAGE})
  # The three files at the top of the zip, where sha256sum -c expects them.
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
  include(CPack)
endif()

include(${CMAKE_SOURCE_DIR}/tests/wine/tests.cmake)

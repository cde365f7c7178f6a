# Warnings, sanitizers and the small helpers every folder uses.

add_library(bushou_warnings INTERFACE)
target_compile_options(bushou_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast
  -Wcast-align -Wunused -Woverloaded-virtual -Wconversion -Wsign-conversion
  -Wnull-dereference -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough
  -Werror)

if(BUSHOU_SANITIZE)
  set(_san -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${_san})
  add_link_options(${_san})
endif()

if(BUSHOU_FUZZ)
  # Coverage instrumentation for every library the fuzz targets call, not only
  # for the targets themselves; the targets link libFuzzer (fuzz/CMakeLists.txt).
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

# A subsystem library: sources in the folder, headers included as "folder/unit.h".
function(bushou_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS;PRIVATE_DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS} PRIVATE bushou_warnings ${ARG_PRIVATE_DEPS})
endfunction()

# Adds every subfolder of the current folder that has a CMakeLists.txt, in name
# order, so a subsystem brings its tests, fuzz targets or benchmarks without
# editing the parent.
macro(bushou_add_subfolders)
  file(GLOB _bushou_children LIST_DIRECTORIES true ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT _bushou_children)
  foreach(_bushou_dir IN LISTS _bushou_children)
    if(IS_DIRECTORY ${_bushou_dir} AND EXISTS ${_bushou_dir}/CMakeLists.txt)
      add_subdirectory(${_bushou_dir})
    endif()
  endforeach()
endmacro()

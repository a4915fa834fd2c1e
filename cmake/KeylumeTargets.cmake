# Adds ROOT/FOLDER for every listed folder that has a CMakeLists.txt; the GUI
# folders are skipped when the GUI is off.
function(keylume_add_folders root)
  foreach(folder IN LISTS ARGN)
    if(NOT KEYLUME_GUI AND folder IN_LIST KEYLUME_GUI_FOLDERS)
      continue()
    endif()
    if(EXISTS ${PROJECT_SOURCE_DIR}/${root}/${folder}/CMakeLists.txt)
      add_subdirectory(${PROJECT_SOURCE_DIR}/${root}/${folder} ${PROJECT_BINARY_DIR}/${root}/${folder})
    endif()
  endforeach()
endfunction()

# keylume_library(NAME SOURCES ... [DEPS ...]): a static library whose headers
# are included as "folder/Header.h" from src/.
function(keylume_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# keylume_test(NAME SOURCES ... [DEPS ...] [LABELS ...] [GUI] [TIMEOUT S]): one GoogleTest
# program registered with CTest. GUI tests run on Qt's offscreen platform.
function(keylume_test name)
  cmake_parse_arguments(ARG "GUI" "TIMEOUT" "SOURCES;DEPS;LABELS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  set(env "")
  if(ARG_GUI)
    set(env "QT_QPA_PLATFORM=offscreen")
  endif()
  # A label of its own replaces gui/core: the test discovery passes on one label only, a second
  # would be read as a property name.
  if(NOT ARG_LABELS)
    if(ARG_GUI)
      set(ARG_LABELS gui)
    else()
      set(ARG_LABELS core)
    endif()
  endif()
  list(LENGTH ARG_LABELS label_count)
  if(label_count GREATER 1)
    message(FATAL_ERROR "${name}: one label only")
  endif()
  # An empty ENVIRONMENT value would swallow the next property's name.
  set(properties LABELS ${ARG_LABELS} TIMEOUT ${ARG_TIMEOUT})
  if(env)
    list(APPEND properties ENVIRONMENT "${env}")
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ${properties})
endfunction()

# keylume_bench(NAME SOURCES ... [DEPS ...]): one Google Benchmark program.
function(keylume_bench name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} benchmark::benchmark benchmark::benchmark_main)
endfunction()

# keylume_fuzz(NAME SOURCES ... [DEPS ...]): one libFuzzer target.
function(keylume_fuzz name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${name} PRIVATE ${ARG_DEPS})
endfunction()

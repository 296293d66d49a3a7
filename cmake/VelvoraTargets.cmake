# Helpers that give every Velvora target the same warnings, sanitizers and test registration.

function(velvora_apply_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(VELVORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

if(VELVORA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
elseif(VELVORA_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined
                      -fsanitize-ignorelist=${PROJECT_SOURCE_DIR}/tests/fuzz/stb-ignorelist.txt)
  add_link_options(-fsanitize=address,undefined)
endif()

# velvora_core_library(NAME sources...): a Qt-free static library that joins velvora_core.
function(velvora_core_library name)
  add_library(${name} STATIC ${ARGN})
  velvora_apply_warnings(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(velvora_core INTERFACE ${name})
endfunction()

# velvora_ui_library(NAME sources...): a Qt Widgets static library that joins velvora_ui.
function(velvora_ui_library name)
  add_library(${name} STATIC ${ARGN})
  velvora_apply_warnings(${name})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC Qt6::Widgets)
  target_link_libraries(velvora_ui INTERFACE ${name})
endfunction()

# velvora_core_test(NAME sources... LIBS libs...): a GoogleTest program labelled "core".
function(velvora_core_test name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  velvora_apply_warnings(${name})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} velvora_test_core_support GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS core)
endfunction()

# velvora_ui_test(NAME sources... LIBS libs...): a GoogleTest program with a QApplication, labelled "ui".
function(velvora_ui_test name)
  cmake_parse_arguments(arg "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${arg_SOURCES})
  velvora_apply_warnings(${name})
  target_link_libraries(${name} PRIVATE ${arg_LIBS} velvora_test_ui_support velvora_resources Qt6::Test GTest::gmock GTest::gtest)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES LABELS ui ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()

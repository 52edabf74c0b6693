# ign_core_area(<area> [DEPS <other core libs...>] [LIBS <system libs...>])
# Builds src/core/<area>/*.cpp into the static library ign_core_<area>;
# src/core/CMakeLists.txt calls it for every area with the areas below it.
# Core libraries never link Qt; ign_check_core_without_qt() enforces it.
set_property(GLOBAL PROPERTY IGN_CORE_LIBS "")

function(ign_core_area area)
  cmake_parse_arguments(A "" "" "DEPS;LIBS" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${area}/*.cpp)
  set(target ign_core_${area})
  if(srcs)
    add_library(${target} STATIC ${srcs})
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} PUBLIC ${A_DEPS} ${A_LIBS} Threads::Threads PRIVATE ign_warnings)
  else()
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${A_DEPS} ${A_LIBS})
  endif()
  set_property(GLOBAL APPEND PROPERTY IGN_CORE_LIBS ${target})
endfunction()

# ign_add_test(<name> LABEL <unit|e2e|ui> SOURCES <...> LIBS <...> [TIMEOUT s])
# One GoogleTest executable; every test case becomes its own ctest entry.
function(ign_add_test name)
  cmake_parse_arguments(A "" "LABEL;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT A_TIMEOUT)
    set(A_TIMEOUT 120)
  endif()
  add_executable(${name} ${A_SOURCES})
  target_link_libraries(${name} PRIVATE ${A_LIBS} GTest::gtest GTest::gtest_main GTest::gmock ign_warnings)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR})
  target_compile_definitions(${name} PRIVATE IGN_BINARY_DIR="${PROJECT_BINARY_DIR}"
                                             IGN_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  # Discovered tests lose list-valued properties, so the environment holds one
  # entry; the binary folder reaches the tests as a compile definition.
  # End-to-end tests run one at a time: they time answers on pseudo-terminals
  # against the program clock, and two of them side by side on two cores
  # measure the machine's load more than the code.
  set(lock "")
  if(A_LABEL STREQUAL "e2e")
    set(lock RESOURCE_LOCK serial_line)
  endif()
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS ${A_LABEL} TIMEOUT ${A_TIMEOUT} ENVIRONMENT "QT_QPA_PLATFORM=offscreen" ${lock})
endfunction()

function(ign_check_core_without_qt)
  get_property(libs GLOBAL PROPERTY IGN_CORE_LIBS)
  foreach(lib IN LISTS libs)
    get_target_property(type ${lib} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(deps ${lib} INTERFACE_LINK_LIBRARIES)
    else()
      get_target_property(deps ${lib} LINK_LIBRARIES)
    endif()
    if(deps AND "${deps}" MATCHES "Qt")
      message(FATAL_ERROR "${lib} links Qt (${deps}); the core must stay free of Qt")
    endif()
  endforeach()
endfunction()

# The user guide and its pictures beside a program that opens it (Help >
# Contents looks beside its own executable first).
function(ign_place_user_guide folder)
  configure_file(${PROJECT_SOURCE_DIR}/docs/user-guide.html ${folder}/user-guide.html COPYONLY)
  file(GLOB pictures ${PROJECT_SOURCE_DIR}/docs/screenshots/*.png)
  foreach(picture ${pictures})
    get_filename_component(name ${picture} NAME)
    configure_file(${picture} ${folder}/screenshots/${name} COPYONLY)
  endforeach()
endfunction()

# ign_check_area_order(<core dir> <areas bottom-up> <out var>)
# Sets <out var> to one line per include of src/core/<area>/ that names an area
# above its own, or an area that is not in the list; empty when the order holds.
#
# As a script it checks a tree and fails on the first offence, which the test
# of the check itself uses:
#   cmake -DCORE_DIR=<dir> -DAREAS="base;text;..." -P cmake/IgnAreaOrder.cmake
function(ign_check_area_order core_dir areas out)
  set(found "")
  list(LENGTH areas count)
  foreach(area IN LISTS areas)
    list(FIND areas ${area} own)
    file(GLOB_RECURSE sources ${core_dir}/${area}/*.h ${core_dir}/${area}/*.cpp)
    foreach(source IN LISTS sources)
      file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"core/[^/\"]+/")
      foreach(line IN LISTS lines)
        string(REGEX REPLACE ".*\"core/([^/\"]+)/.*" "\\1" other "${line}")
        list(FIND areas ${other} index)
        if(index EQUAL -1 OR index GREATER own)
          file(RELATIVE_PATH rel ${core_dir} ${source})
          string(APPEND found "  ${rel}: ${line}\n")
        endif()
      endforeach()
    endforeach()
  endforeach()
  set(${out} "${found}" PARENT_SCOPE)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND CORE_DIR)
  ign_check_area_order(${CORE_DIR} "${AREAS}" errors)
  if(errors)
    message(FATAL_ERROR "Core areas include areas above them:\n${errors}")
  endif()
endif()

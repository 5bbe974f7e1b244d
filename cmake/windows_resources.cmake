# zembrix_windows_resources(NAME SCRIPT [DEPENDS FILES...]): the resource
# script SCRIPT compiled into the object library NAME, for the programs that
# link it to carry (a static library's resources would be left out). It finds
# the generated version header and src/platform/windows/, with the version
# block and the console programs' manifest; DEPENDS lists the files it names
# that are not #included (icons, manifests), so that a change rebuilds it.
function(zembrix_windows_resources name script)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  # An object library of its own: windres takes none of the C++ flags.
  add_library(${name} OBJECT ${script})
  target_include_directories(${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}
    ${PROJECT_SOURCE_DIR}/src/platform/windows ${PROJECT_BINARY_DIR}/generated)
  set(depends ${PROJECT_SOURCE_DIR}/src/platform/windows/version_info.rc2
              ${PROJECT_BINARY_DIR}/generated/zembrix_version.h)
  foreach(file IN LISTS ARG_DEPENDS)
    cmake_path(ABSOLUTE_PATH file BASE_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
    list(APPEND depends ${file})
  endforeach()
  set_source_files_properties(${script} PROPERTIES OBJECT_DEPENDS "${depends}")
endfunction()

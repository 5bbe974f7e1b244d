# Installs the build into a fresh prefix and checks that every installed file is there.
# Run with -DBUILD_DIR=... -DPREFIX=...
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${status}")
endif()
foreach(file bin/zembrix bin/zembrix-cli libexec/zembrix/zembrix-access-query
             share/icons/hicolor/48x48/apps/zembrix.png
             share/applications/zembrix.desktop)
  if(NOT EXISTS "${PREFIX}/${file}")
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(STRINGS "${PREFIX}/share/applications/zembrix.desktop" entry)
foreach(line "Exec=zembrix" "Icon=zembrix" "Type=Application")
  if(NOT line IN_LIST entry)
    message(FATAL_ERROR "the desktop entry lacks ${line}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")

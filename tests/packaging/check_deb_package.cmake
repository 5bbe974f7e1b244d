# Makes the .deb with cpack into a scratch folder, checks its files and control
# fields, then unpacks it and converts two samples with the unpacked program.
# Run with -DBUILD_DIR=... -DSOURCE_DIR=... -DVERSION=... -DSCRATCH=...
cmake_minimum_required(VERSION 3.25)

function(run_or_fail what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status
                  OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${what} failed (${status}):\n${out}\n${err}")
  endif()
  set(output "${out}" PARENT_SCOPE)
endfunction()

function(expect_field field pattern)
  run_or_fail("dpkg-deb --field ${field}" dpkg-deb --field "${deb}" ${field})
  string(STRIP "${output}" value)
  if(NOT value MATCHES "${pattern}")
    message(FATAL_ERROR "${field} is \"${value}\", which does not match ${pattern}")
  endif()
endfunction()

foreach(tool dpkg-deb dpkg-shlibdeps)
  find_program(found_${tool} ${tool})
  if(NOT found_${tool})
    message(FATAL_ERROR "${tool} is missing (Debian package dpkg-dev); scripts/install-deps installs it")
  endif()
endforeach()

file(REMOVE_RECURSE "${SCRATCH}")
run_or_fail("cpack" "${CMAKE_CPACK_COMMAND}" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${SCRATCH}")
run_or_fail("dpkg --print-architecture" dpkg --print-architecture)
string(STRIP "${output}" architecture)
set(deb "${SCRATCH}/zembrix_${VERSION}_${architecture}.deb")
if(NOT EXISTS "${deb}")
  file(GLOB made "${SCRATCH}/*.deb")
  message(FATAL_ERROR "cpack did not write ${deb}; it wrote: ${made}")
endif()

# Files: the three programs executable, the icon and the desktop entry, and
# nothing outside /usr.
run_or_fail("dpkg-deb --contents" dpkg-deb --contents "${deb}")
string(REPLACE "\n" ";" entries "${output}")
foreach(program usr/bin/zembrix usr/bin/zembrix-cli usr/libexec/zembrix/zembrix-access-query)
  if(NOT output MATCHES "(^|\n)-rwxr-xr-x [^\n]* \\./${program}\n")
    message(FATAL_ERROR "the package lacks the program /${program}:\n${output}")
  endif()
endforeach()
foreach(file usr/share/icons/hicolor/48x48/apps/zembrix.png usr/share/applications/zembrix.desktop)
  if(NOT output MATCHES "(^|\n)-rw-r--r-- [^\n]* \\./${file}\n")
    message(FATAL_ERROR "the package lacks /${file}:\n${output}")
  endif()
endforeach()
foreach(entry IN LISTS entries)
  if(entry AND NOT entry MATCHES " \\./(usr/.*)?$")
    message(FATAL_ERROR "the package installs outside /usr: ${entry}")
  endif()
endforeach()

# Control fields. Depends comes from dpkg-shlibdeps: every library the
# programs link must be there, with the font the dialog needs and the expat
# that parses a long token once.
expect_field(Package "^zembrix$")
expect_field(Version "^${VERSION}$")
expect_field(Architecture "^${architecture}$")
expect_field(Section "^utils$")
expect_field(Maintainer "^Zembrix developers$")
expect_field(Description "^[^\n]+\n .+")
run_or_fail("dpkg-deb --field Depends" dpkg-deb --field "${deb}" Depends)
string(STRIP "${output}" depends)
foreach(dependency
    "libc6 \\(>= [^)]+\\)"
    "libqt6widgets6 \\(>= [^)]+\\)"
    "libicu[0-9]+ \\(>= [^)]+\\)"
    "libsqlite3-0 \\(>= [^)]+\\)"
    "libexpat1 \\(>= [^)]+\\)"
    "libexpat1 \\(>= 2\\.5\\.0-1\\+deb12u2\\)"
    "libmdbsql3 \\(>= [^)]+\\)"
    "fonts-wqy-microhei \\| fonts-noto-cjk")
  if(NOT depends MATCHES "(^|, )${dependency}(,|$)")
    message(FATAL_ERROR "Depends lacks ${dependency}: ${depends}")
  endif()
endforeach()
expect_field(Homepage "^$")

# The unpacked tree works as installed: zembrix-cli finds the Access helper in
# ../libexec/zembrix beside its own folder.
set(root "${SCRATCH}/root")
run_or_fail("dpkg-deb -x" dpkg-deb -x "${deb}" "${root}")
set(cli "${root}/usr/bin/zembrix-cli")
run_or_fail("zembrix-cli --version" "${cli}" --version)
if(NOT output MATCHES "${VERSION}")
  message(FATAL_ERROR "zembrix-cli --version says \"${output}\", not ${VERSION}")
endif()
foreach(sample "lvhua/绿化大师.txt" "wangwei7/Data.mdb")
  string(REGEX REPLACE "/.*" "" type "${sample}")
  set(written "${SCRATCH}/${type}.ONC")
  run_or_fail("zembrix-cli convert --type ${type}"
              "${cli}" convert --type ${type} --output "${written}" "${SOURCE_DIR}/examples/${sample}")
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files
                          "${written}" "${SOURCE_DIR}/tests/data/examples/${type}.ONC"
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "the unpacked zembrix-cli converted ${sample} differently from tests/data/examples/${type}.ONC")
  endif()
endforeach()

file(REMOVE_RECURSE "${SCRATCH}")

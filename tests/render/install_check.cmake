# cmake --install puts Tarnwell.so into ~/.vst for a prefix in the home folder,
# into <prefix>/lib/vst otherwise, and tarnwell-render into <prefix>/bin, where
# it finds the installed plug-in on its own.
# Run as: cmake -DBUILD=<build dir> -DWORK=<scratch dir> -P install_check.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home")
set(ENV{HOME} "${WORK}/home")

function(install_to prefix)
  execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${prefix}"
    RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install to ${prefix} failed: ${err}")
  endif()
endfunction()

function(expect_file path)
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endfunction()

function(expect_lists renderer)
  execute_process(COMMAND "${renderer}" --list RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "^Tarnwell: 10 programs, 18 parameters")
    message(FATAL_ERROR "${renderer} --list: ${rc} ${out} ${err}")
  endif()
endfunction()

# A user install.
install_to("${WORK}/home/.local")
expect_file("${WORK}/home/.vst/Tarnwell.so")
expect_file("${WORK}/home/.local/bin/tarnwell-render")
expect_lists("${WORK}/home/.local/bin/tarnwell-render")
file(REMOVE_RECURSE "${WORK}/home/.vst")

# A system install.
install_to("${WORK}/usr")
expect_file("${WORK}/usr/lib/vst/Tarnwell.so")
expect_file("${WORK}/usr/bin/tarnwell-render")
if(EXISTS "${WORK}/home/.vst")
  message(FATAL_ERROR "a system install wrote into the home folder")
endif()
expect_lists("${WORK}/usr/bin/tarnwell-render")
file(REMOVE_RECURSE "${WORK}")

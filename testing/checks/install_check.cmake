# Installs the build into a scratch prefix and builds a user's program against it, with
# find_package (shared and static) and with pkg-config; each program must run and print
# the expected line. Run as
#   cmake -DBUILD=<build dir> -DUSER=<testing/install> -DWORK=<scratch dir>
#         -DCXX=<compiler> [-DFLAGS=<compile and link flags>] -P install_check.cmake

set(expected "Overwrite corpus.txt?")
set(prefix ${WORK}/prefix)
file(REMOVE_RECURSE ${WORK})

function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${ARGN}\n${out}${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
endfunction()

function(expect_runs program)
  run("running ${program}" ${program})
  if(NOT out STREQUAL "${expected}\n")
    message(FATAL_ERROR "${program} printed '${out}', not '${expected}'")
  endif()
endfunction()

run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD} --prefix ${prefix})
foreach(file bin/corvane include/corvane/messages/Generalruntime1const_ids.hpp
             lib/libcorvane_runtime.a lib/cmake/corvane_runtime/corvane_runtime-config.cmake)
  if(NOT EXISTS ${prefix}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
if(EXISTS ${prefix}/include/corvane/search/Bare_assemb3_internal.hpp)
  message(FATAL_ERROR "an internal header was installed")
endif()

# find_package
find_program(CCACHE ccache)
set(launcher "")
if(CCACHE)
  set(launcher -DCMAKE_CXX_COMPILER_LAUNCHER=${CCACHE})
endif()
run("configuring the user's program" ${CMAKE_COMMAND} -S ${USER} -B ${WORK}/cmake -G Ninja
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_CXX_COMPILER=${CXX}
    "-DCMAKE_CXX_FLAGS=${FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${FLAGS}" ${launcher})
run("building the user's program" ${CMAKE_COMMAND} --build ${WORK}/cmake)
expect_runs(${WORK}/cmake/user_shared)
expect_runs(${WORK}/cmake/user_static)

# pkg-config
find_program(PKG_CONFIG pkg-config REQUIRED)
set(ENV{PKG_CONFIG_PATH} ${prefix}/lib/pkgconfig)
run("pkg-config" ${PKG_CONFIG} --cflags --libs corvane_runtime)
string(STRIP "${out}" pc_flags)
separate_arguments(pc_flags UNIX_COMMAND "${pc_flags}")
separate_arguments(flags UNIX_COMMAND "${FLAGS}")
run("compiling with pkg-config's flags" ${CCACHE} ${CXX} -std=c++20 ${flags} ${USER}/user.cpp
    ${pc_flags} -Wl,-rpath,${prefix}/lib -o ${WORK}/user_pkg_config)
expect_runs(${WORK}/user_pkg_config)
run("pkg-config --modversion" ${PKG_CONFIG} --modversion corvane_runtime)
message(STATUS "installed as version ${out}")
file(REMOVE_RECURSE ${WORK})

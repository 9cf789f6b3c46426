# Builds the example host the way another company would: from the engine's
# installed package, in a project of its own.
#   cmake -DSOURCE=examples/host -DBINARY=<folder> -DPREFIX=<install prefix>
#         -DTOOLCHAIN=<toolchain file> -P host_package.cmake
file(REMOVE_RECURSE ${BINARY})
set(args -S ${SOURCE} -B ${BINARY} -DCMAKE_BUILD_TYPE=Release -DCMAKE_PREFIX_PATH=${PREFIX})
if(TOOLCHAIN)
  list(APPEND args -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN} -DCMAKE_FIND_ROOT_PATH=${PREFIX})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} ${args} RESULT_VARIABLE configured)
if(NOT configured EQUAL 0)
  message(FATAL_ERROR "The example host does not configure against the installed package")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY} RESULT_VARIABLE built)
if(NOT built EQUAL 0)
  message(FATAL_ERROR "The example host does not build against the installed package")
endif()

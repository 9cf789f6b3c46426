# The engine inside another program: the example host's window, driven by
# real input in this project's build.
tarnwick_add_test(host_test SOURCES host/host_test.cpp LIBS example_host_window skin_test_fixtures)

# The same host as another company builds it: the engine installed into a
# folder of the build, the example configured and built against that
# package alone, then run once on its own.
set(host_package ${CMAKE_BINARY_DIR}/host-package)
add_test(NAME host_package_install
         COMMAND ${CMAKE_COMMAND} --install ${CMAKE_BINARY_DIR} --prefix ${host_package}/install)
add_test(NAME host_package_build
         COMMAND ${CMAKE_COMMAND} -DSOURCE=${PROJECT_SOURCE_DIR}/examples/host -DBINARY=${host_package}/build
                 -DPREFIX=${host_package}/install -DTOOLCHAIN=${CMAKE_TOOLCHAIN_FILE}
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/scripts/host_package.cmake)
add_test(NAME host_package_run COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} ${host_package}/build/ExampleHost.exe /selftest)
set_tests_properties(host_package_install PROPERTIES FIXTURES_SETUP host_package_installed)
set_tests_properties(host_package_build PROPERTIES FIXTURES_REQUIRED host_package_installed
                     FIXTURES_SETUP host_package_built TIMEOUT 300)
set_tests_properties(host_package_run PROPERTIES FIXTURES_REQUIRED host_package_built TIMEOUT 120)

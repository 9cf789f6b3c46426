# The engine's folders are layers: a file may include headers of its own
# layer and of the layers below it, never above. Outside the engine, its
# internal headers are for its own tests and the benchmark only; the
# calculator, the gallery and the examples use <skin/skin.h>.
#   cmake -DROOT=<source folder> -P layering_check.cmake
set(layers gdi state render interact engine)
set(internal_pattern "#[ \t]*include[ \t]*\"(gdi|state|render|interact|engine)/[^\"]+\"")
set(failures "")

foreach(layer IN LISTS layers)
  list(FIND layers ${layer} rank)
  file(GLOB_RECURSE sources ${ROOT}/skin/${layer}/*.h ${ROOT}/skin/${layer}/*.cpp)
  foreach(source IN LISTS sources)
    file(STRINGS ${source} includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line IN LISTS includes)
      if(line MATCHES "\"(gdi|state|render|interact|engine)/")
        list(FIND layers ${CMAKE_MATCH_1} target_rank)
        if(target_rank GREATER rank)
          file(RELATIVE_PATH rel ${ROOT} ${source})
          string(APPEND failures "  ${rel} (${layer}) includes upwards: ${line}\n")
        endif()
      elseif(line MATCHES "<skin/skin\\.h>" AND NOT layer STREQUAL "engine")
        file(RELATIVE_PATH rel ${ROOT} ${source})
        string(APPEND failures "  ${rel} (${layer}) includes the public header, which only the engine implements\n")
      endif()
    endforeach()
  endforeach()
endforeach()

# The shared resource owners sit below the engine and know nothing of it.
file(GLOB_RECURSE outside ${ROOT}/app/*.h ${ROOT}/app/*.cpp ${ROOT}/examples/*.h ${ROOT}/examples/*.cpp
     ${ROOT}/common/*.h)
foreach(source IN LISTS outside)
  file(STRINGS ${source} includes REGEX "${internal_pattern}")
  foreach(line IN LISTS includes)
    file(RELATIVE_PATH rel ${ROOT} ${source})
    string(APPEND failures "  ${rel} includes an engine-internal header: ${line}\n")
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "Layering broken:\n${failures}")
endif()
list(LENGTH layers count)
message(STATUS "Layering holds: ${count} engine layers, each including only downwards")

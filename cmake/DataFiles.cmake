# The program's files live beside the executables. Everything in data/ is
# refreshed on each build, except data.cfg: once a user has edited the towns
# in build/bin, a rebuild must never put the defaults back over them.
file(GLOB_RECURSE DUSKWHEEL_DATA_FILES CONFIGURE_DEPENDS
     RELATIVE ${CMAKE_SOURCE_DIR}/data ${CMAKE_SOURCE_DIR}/data/*)
set(DUSKWHEEL_DATA_OUTPUTS)
foreach(rel IN LISTS DUSKWHEEL_DATA_FILES)
  if(rel STREQUAL "data.cfg")
    continue()
  endif()
  set(out ${CMAKE_BINARY_DIR}/bin/${rel})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${CMAKE_SOURCE_DIR}/data/${rel} ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/data/${rel}
    COMMENT "Copying ${rel}")
  list(APPEND DUSKWHEEL_DATA_OUTPUTS ${out})
endforeach()
add_custom_target(duskwheel_data ALL
  DEPENDS ${DUSKWHEEL_DATA_OUTPUTS}
  COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR}/data/data.cfg
          -DDST=${CMAKE_BINARY_DIR}/bin/data.cfg -P ${CMAKE_SOURCE_DIR}/cmake/CopyIfMissing.cmake)

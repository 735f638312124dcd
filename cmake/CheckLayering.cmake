# cmake -DSOURCE_DIR=<src> -P CheckLayering.cmake
# Fails when a source file includes a header of a layer it may not use. The
# core is ordered platform < foundation < db < catalogue < air < engine, with
# charts, docs and i18n above the engine and beside each other; the Qt Gui back
# end (render) sits above them, the program (app) and the command line (cli)
# on top. A layer may include its own headers and those of the layers below.

cmake_minimum_required(VERSION 3.25)

set(allowed_platform   platform)
set(allowed_foundation ${allowed_platform} foundation)
set(allowed_db         ${allowed_foundation} db)
set(allowed_catalogue  ${allowed_db} catalogue)
set(allowed_air        ${allowed_catalogue} air)
set(allowed_engine     ${allowed_air} engine)
set(allowed_charts     ${allowed_engine} charts)
set(allowed_docs       ${allowed_engine} docs)
set(allowed_i18n       ${allowed_engine} i18n)
set(allowed_render     ${allowed_engine} charts docs i18n render)
set(allowed_cli        ${allowed_render} cli)
set(allowed_app        ${allowed_render} app)
set(layers platform foundation db catalogue air engine charts docs i18n render cli app)

set(failures "")
foreach(layer IN LISTS layers)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${layer}/*.h" "${SOURCE_DIR}/${layer}/*.cpp")
  foreach(file IN LISTS files)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[A-Za-z0-9_]+/")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([A-Za-z0-9_]+)/.*" "\\1" used "${line}")
      if(NOT used IN_LIST layers)
        continue() # a header of another project, such as a generated one
      endif()
      if(NOT used IN_LIST allowed_${layer})
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${file}")
        string(APPEND failures "  ${shown}: ${layer} may not include ${used} (${line})\n")
      endif()
    endforeach()
  endforeach()
endforeach()

if(failures)
  message(FATAL_ERROR "Includes that reach up the layers:\n${failures}")
endif()
message(STATUS "Every include keeps to the layers.")

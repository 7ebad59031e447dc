# Locates R's C headers and shared library through the R found on PATH.
find_program(R_COMMAND R REQUIRED)
execute_process(COMMAND ${R_COMMAND} RHOME OUTPUT_VARIABLE R_HOME OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${R_COMMAND} CMD config --cppflags
                OUTPUT_VARIABLE R_CPPFLAGS OUTPUT_STRIP_TRAILING_WHITESPACE)
string(REGEX REPLACE "^-I" "" R_INCLUDE_DIR "${R_CPPFLAGS}")
if(NOT EXISTS "${R_INCLUDE_DIR}/Rinternals.h")
  message(FATAL_ERROR "R's headers were not found (looked in '${R_INCLUDE_DIR}'): "
                      "install R's development package (r-base-dev).")
endif()
find_library(R_LIBRARY R PATHS ${R_HOME}/lib NO_DEFAULT_PATH)

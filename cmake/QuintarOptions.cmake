# One place for the language level, the warnings and the Qt strictness macros.
# Every target of the project links quintar_options.
add_library(quintar_options INTERFACE)
target_compile_features(quintar_options INTERFACE cxx_std_20)
set_target_properties(quintar_options PROPERTIES INTERFACE_CXX_EXTENSIONS OFF)
target_compile_options(quintar_options INTERFACE -Wall -Wextra)
target_compile_definitions(quintar_options INTERFACE
  QT_NO_CAST_TO_ASCII
  QT_NO_URL_CAST_FROM_STRING
  QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
  QT_USE_QSTRINGBUILDER
  QT_NO_FOREACH)

if(NOT CMAKE_BUILD_TYPE AND NOT CMAKE_CONFIGURATION_TYPES)
  set(CMAKE_BUILD_TYPE RelWithDebInfo CACHE STRING "Build type" FORCE)
endif()

# What `cmake --install` puts under the prefix:
#   bin/rxtheme, bin/rxtheme-picker          the command and its picker window
#   include/rxtheme/                         the public headers: <rxtheme/rxtheme.h>
#                                            and <rxtheme/<layer>/*.h>
#   lib/librxtheme.so*                       the library, stripped
#   lib/cmake/rxTheme/                       find_package(rxTheme CONFIG): rxTheme::rxtheme
#   lib/pkgconfig/rxtheme.pc                 pkg-config --cflags --libs rxtheme
#   share/rxtheme/themes/<name>/             the bundled themes (themes/CMakeLists.txt)
#
# The library is shared: every class registers itself (creatable classes, the
# class factory) through a static object in its own file, and a shared
# library keeps all of them, whatever the host program calls.
include(CMakePackageConfigHelpers)

add_library(rxtheme_shared SHARED $<TARGET_OBJECTS:rxtheme>)
add_library(rxTheme::rxtheme ALIAS rxtheme_shared)
set_target_properties(rxtheme_shared PROPERTIES
  OUTPUT_NAME rxtheme EXPORT_NAME rxtheme
  VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
target_include_directories(rxtheme_shared PUBLIC
  $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/include>
  $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
target_compile_features(rxtheme_shared PUBLIC cxx_std_20)

set(RXTHEME_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/rxTheme)
set(RXTHEME_THEMES_DIR ${CMAKE_INSTALL_DATADIR}/rxtheme/themes)

install(TARGETS rxtheme_shared EXPORT rxThemeTargets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The installed library carries no debug information (the build tree's keeps
# it): hosts need only its exported symbols.
if(CMAKE_STRIP)
  install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/$<TARGET_FILE_NAME:rxtheme_shared>\"
    RESULT_VARIABLE stripped)
    if(NOT stripped EQUAL 0)
      message(FATAL_ERROR \"could not strip the installed library\")
    endif()")
endif()
# Only the public headers: include/ holds nothing but rxtheme/.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/rxtheme DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT rxThemeTargets NAMESPACE rxTheme:: DESTINATION ${RXTHEME_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/rxThemeConfig.cmake.in
  ${PROJECT_BINARY_DIR}/rxThemeConfig.cmake
  INSTALL_DESTINATION ${RXTHEME_CMAKE_DIR} PATH_VARS RXTHEME_THEMES_DIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/rxThemeConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/rxThemeConfig.cmake
              ${PROJECT_BINARY_DIR}/rxThemeConfigVersion.cmake
        DESTINATION ${RXTHEME_CMAKE_DIR})

# pkg-config finds the prefix from where the .pc file lies, so the files work
# wherever `cmake --install --prefix` puts them.
file(RELATIVE_PATH RXTHEME_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" RXTHEME_PC_TO_PREFIX "${RXTHEME_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/rxtheme.pc.in ${PROJECT_BINARY_DIR}/rxtheme.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/rxtheme.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# The installed package, used as a host would use it. Not in the sanitizer
# build: a host links no sanitizer runtime.
if(RXTHEME_TESTS AND RXTHEME_APPS AND NOT RXTHEME_SANITIZE)
  add_test(NAME install COMMAND bash ${PROJECT_SOURCE_DIR}/tests/install/install_test.sh
                                ${PROJECT_BINARY_DIR} ${PROJECT_SOURCE_DIR} ${CMAKE_INSTALL_LIBDIR})
endif()

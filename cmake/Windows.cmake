# The Windows build, cross-compiled with cmake/i686-w64-mingw32.cmake:
# Ostrel.dll as a 32-bit PE over the platform's own headers and libraries,
# and the small programs its tests under Wine run. scripts/windows.sh
# configures it into build-windows/ with TinyXML's sources.
enable_language(RC)

set(TINYXML_SOURCE_DIR "" CACHE PATH "TinyXML 2.6 sources, Debian's patches applied")
if(NOT EXISTS "${TINYXML_SOURCE_DIR}/tinyxml.h")
  message(FATAL_ERROR "TINYXML_SOURCE_DIR must name TinyXML's sources (scripts/windows.sh fetches them)")
endif()

set(LORVANE_BIN ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${LORVANE_BIN})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${LORVANE_BIN})

add_compile_options(-Wall -Wextra)
# The C and C++ run-times go into every module: nothing needs to sit beside
# them but what the platform itself provides.
add_link_options(-static -static-libgcc -static-libstdc++ $<$<CONFIG:Release>:-s>)

# TinyXML as Debian builds it: the STL interface, without tinystr.
add_library(tinyxml STATIC
  ${TINYXML_SOURCE_DIR}/tinyxml.cpp ${TINYXML_SOURCE_DIR}/tinyxmlparser.cpp ${TINYXML_SOURCE_DIR}/tinyxmlerror.cpp)
target_compile_definitions(tinyxml PUBLIC TIXML_USE_STL)
target_include_directories(tinyxml SYSTEM PUBLIC ${TINYXML_SOURCE_DIR})
target_compile_options(tinyxml PRIVATE -w)

# The framework pieces the provider uses, over the platform's own WinINet.
add_library(afx STATIC ${CMAKE_SOURCE_DIR}/platform/afx/AfxString.cpp ${CMAKE_SOURCE_DIR}/platform/afx/AfxInet.cpp)
target_include_directories(afx PUBLIC ${CMAKE_SOURCE_DIR} ${CMAKE_SOURCE_DIR}/platform)
target_link_libraries(afx PUBLIC wininet)

file(GLOB OSTREL_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/provider/*.cpp)
add_library(Ostrel SHARED ${OSTREL_SOURCES}
  ${CMAKE_SOURCE_DIR}/provider/Ostrel.def ${CMAKE_SOURCE_DIR}/provider/Ostrel.rc)
target_link_libraries(Ostrel PRIVATE afx tinyxml shell32)
set_target_properties(Ostrel PROPERTIES PREFIX "" OUTPUT_NAME "Ostrel")
# A library of a windowed program, as the platform's own tools mark one.
target_link_options(Ostrel PRIVATE -Wl,--subsystem,windows)

# What the tests under Wine run (tests/wine drives them from the Linux side).
set(WINE_PE ${CMAKE_SOURCE_DIR}/tests/wine/pe)
add_executable(ostrel_host ${WINE_PE}/OstrelHost.cpp)
add_executable(ostrel_host_utf8 ${WINE_PE}/OstrelHost.cpp ${WINE_PE}/Utf8CodePage.rc)
add_executable(afx_parse_probe ${WINE_PE}/AfxParseProbe.cpp)
target_link_libraries(afx_parse_probe PRIVATE afx)
add_executable(Varnhold ${WINE_PE}/TestVarnhold.cpp)
add_library(TestComponent SHARED ${WINE_PE}/TestComponent.cpp ${WINE_PE}/TestComponent.def)
set_target_properties(TestComponent PROPERTIES PREFIX "")

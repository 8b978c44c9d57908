# The Windows program, its data folder and the platform contract tests.
enable_language(RC)
set(CMAKE_EXE_LINKER_FLAGS "${CMAKE_EXE_LINKER_FLAGS} -static -static-libgcc -static-libstdc++")

add_library(vantrel_win32 STATIC
  platform/win32/Win32Registry.cpp
  platform/win32/Win32FileSystem.cpp
  platform/win32/Win32ProfileFiles.cpp
  platform/win32/Win32Shell.cpp
  platform/win32/Win32System.cpp
  platform/win32/Win32TextCodec.cpp
  platform/win32/Win32Drives.cpp
  platform/win32/Win32Power.cpp
  platform/win32/Win32Toolkit.cpp
  platform/win32/Win32Http.cpp
  platform/win32/Win32Main.cpp
)
target_compile_definitions(vantrel_win32 PUBLIC UNICODE _UNICODE)
target_link_libraries(vantrel_win32 PUBLIC vantrel_platform ole32 oleaut32 uuid shell32 version comctl32 user32 advapi32 gdi32 msimg32 windowscodecs winmm wininet)

# The entry point stands above the app, which it starts; only this build has it.
add_executable(Vantrel WIN32
  main/Main.cpp
  resources/Vantrel.rc
)
target_compile_definitions(Vantrel PRIVATE
  VANTREL_VERSION_MAJOR=${VANTREL_VERSION_MAJOR} VANTREL_VERSION_MINOR=${VANTREL_VERSION_MINOR})
target_link_options(Vantrel PRIVATE -municode)
target_link_libraries(Vantrel PRIVATE vantrel_win32 vantrel_logic)
set_target_properties(Vantrel PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DIST_DIR})

# Data files beside the program, as a release lays them out.
add_custom_command(TARGET Vantrel POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${CMAKE_SOURCE_DIR}/dist ${DIST_DIR})

# The translations are kept in UTF-8 and shipped in the code page each one's
# CHARSET names; a text its code page cannot hold fails the build. They are
# written after the copy of dist/ so that nothing there can overwrite them.
find_program(PYTHON3 python3 REQUIRED)
file(GLOB TRANSLATION_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/translations/*.ini)
set(LANGUAGE_FILES)
foreach(source ${TRANSLATION_SOURCES})
  get_filename_component(name ${source} NAME)
  list(APPEND LANGUAGE_FILES ${DIST_DIR}/Languages/${name})
endforeach()
add_custom_command(OUTPUT ${LANGUAGE_FILES}
  COMMAND ${PYTHON3} ${CMAKE_SOURCE_DIR}/tools/encode-languages.py ${CMAKE_SOURCE_DIR}/translations
          ${DIST_DIR}/Languages
  DEPENDS ${TRANSLATION_SOURCES} ${CMAKE_SOURCE_DIR}/tools/encode-languages.py
  COMMENT "Encoding the translations into their code pages")
add_custom_target(languages ALL DEPENDS ${LANGUAGE_FILES})
add_dependencies(languages Vantrel)

add_executable(contract_tests
  tests/contract/RegistryContractTest.cpp
  tests/contract/FilesContractTest.cpp
  tests/contract/ShellContractTest.cpp
  tests/contract/ToolkitContractTest.cpp
  tests/contract/HttpContractTest.cpp
  tests/contract/DateContractTest.cpp
  tests/contract/ContractMain.cpp
)
target_link_libraries(contract_tests PRIVATE vantrel_win32 vantrel_fake gtest psapi)
include(tests/e2e/driver/Driver.cmake)

# The end-to-end test driver: a console program that finds Vantrel's windows
# and drives them with real input, one command per run.
add_executable(vdriver
  tests/e2e/driver/Driver.cpp
  tests/e2e/driver/Accessible.cpp
  tests/e2e/driver/AnswerWatch.cpp
  tests/e2e/driver/Common.cpp
  tests/e2e/driver/ControlNames.cpp
  tests/e2e/driver/Find.cpp
  tests/e2e/driver/Input.cpp
  tests/e2e/driver/ListView.cpp
  tests/e2e/driver/MessageBoxes.cpp
  tests/e2e/driver/Plug.cpp
  tests/e2e/driver/Power.cpp
  tests/e2e/driver/RecycleBin.cpp
  tests/e2e/driver/Screenshot.cpp
  tests/e2e/driver/Session.cpp
  tests/e2e/driver/ShellLink.cpp
)
target_include_directories(vdriver PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_definitions(vdriver PRIVATE UNICODE _UNICODE)
target_link_options(vdriver PRIVATE -municode)
target_link_libraries(vdriver PRIVATE user32 gdi32 comctl32 shell32 ole32 oleaut32 oleacc uuid)

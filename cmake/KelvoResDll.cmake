# The sample message library for Windows: KelvoRes.dll, a DLL holding only
# the string table of messages/KelvoRes.rc, with no code and no entry point.
# It is built into messages/ of the build folder, away from morlune.exe, so
# that a plain build still speaks with its built-in texts.
enable_language(RC)

add_library(morlune_messages_dll MODULE ${PROJECT_SOURCE_DIR}/messages/KelvoRes.rc)
set_target_properties(morlune_messages_dll PROPERTIES
  PREFIX ""
  OUTPUT_NAME KelvoRes
  SUFFIX ".dll"
  LINKER_LANGUAGE CXX
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/messages
  # The compiler warnings of the project mean nothing to windres.
  COMPILE_OPTIONS "")
target_link_options(morlune_messages_dll PRIVATE -nostdlib -Wl,-e,0)

# Install rules and packages: the executables, their manual pages and the sample
# message library, and a Debian package (cpack -G DEB), a zip on Windows,
# a tarball on macOS.
include(GNUInstallDirs)

install(TARGETS morlune RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/morlune.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# morlune-draw beside morlune, with its own page.
install(TARGETS morlune-draw RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/morlune-draw.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# morlune-compile, the compiler of source text, and its manual page.
install(TARGETS morlune-compile RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/morlune-compile.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# morlune-check, the linter of fonts and source text, its manual page and
# the schema of its JSON output.
install(TARGETS morlune-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/morlune-check.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/docs/morlune-check.schema.json
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# morlune-convert, to and from the single-stroke interchange formats.
install(TARGETS morlune-convert RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/docs/morlune-convert.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# The sample goes into a folder of morlune's own, where neither the dynamic
# loader nor the Windows library search looks: installed on the search path
# it would turn every user's messages into French.
set(MORLUNE_SAMPLE_LIBRARY_DIR lib/morlune)
foreach(sample morlune_messages_fr morlune_messages_dll)
  if(TARGET ${sample})
    install(TARGETS ${sample} LIBRARY DESTINATION ${MORLUNE_SAMPLE_LIBRARY_DIR})
  endif()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/docs/message-library.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME morlune)
set(CPACK_PACKAGE_VENDOR "The morlune developers")
set(CPACK_PACKAGE_CONTACT "The morlune developers <morlune@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "turn compiled shape fonts back into shape source text")
set(CPACK_PACKAGE_DESCRIPTION
    "morlune reads a compiled shape font (shapes 1.0 and 1.1, bigfont 1.0, unifont 1.0) and writes its shape source text, wrapped at 65 columns. morlune-draw draws its shapes as SVG, or lists their geometry. morlune-compile compiles shape source text back into a font of any of the four variants. morlune-convert moves fonts to and from SVG fonts, Hershey JHF files and single-line LFF fonts. morlune-check finds the faults of fonts and source text, and what they lack of a character set.")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
elseif(APPLE)
  set(CPACK_GENERATOR TGZ)
else()
  set(CPACK_GENERATOR DEB)
endif()

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The C and C++ runtimes that the executable was linked against.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Python module (-DMORLUNE_PYTHON=ON) lies in /usr/lib/python3/dist-packages
# and loads into the python3 it was built for; the tools need no Python.
if(MORLUNE_PYTHON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "python3 (>= ${MORLUNE_PYTHON_VERSION}), python3 (<< ${MORLUNE_PYTHON_NEXT_VERSION})")
endif()

include(CPack)

# Where the installed files go, below the install prefix "/".
set(KALDO_PROGRAM_FOLDER "opt/Kaldo/Tendwell")
set(KALDO_SHARE_FOLDER "usr/share")

# The Debian package: `cpack -G DEB` (scripts/package) over the install rules of the programs,
# the content and packaging/. Everything installs below "/" so that the program folder is the
# same /opt/Kaldo/Tendwell in the package, in a staged `cmake --install` and on the machine.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kaldo-tendwell)
set(CPACK_PACKAGE_VENDOR "Kaldo")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kaldo Tendwell developers <tendwell@kaldo.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "printer help and status centre")
set(CPACK_PACKAGE_DESCRIPTION [[
Kaldo Tendwell shows, in one window, everything a user needs about the
printers installed on the computer: user guides and video tutorials,
troubleshooting solutions, an index and a keyword search over that content,
links to the maker's pages for the model, the driver's default settings and
the printer's live status.

The package holds the program, its installer and uninstaller, the content
tool and the content for the Presslane printers.]])
set(CPACK_PACKAGING_INSTALL_PREFIX "/")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://tendwell.kaldo.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libktwnutil lies beside the programs and is found through $ORIGIN.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS "${KALDO_PROGRAM_FOLDER}")
# Documents, videos and web pages open through xdg-open and xdg-mime. The printers come from
# the CUPS scheduler through libcups; no cups-client program is run.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "cups-daemon")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/packaging/debian/conffiles")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

# The package is made after a build; installing must not build the test suite first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

include(CPack)

# `cmake --install` without --prefix lays out the machine itself, as the package does.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
  set(CMAKE_INSTALL_PREFIX "/" CACHE PATH "Install prefix" FORCE)
endif()

# kaldo_install_program(TARGET): a shipped program in the program folder, linked from /usr/bin.
function(kaldo_install_program target)
  install(TARGETS ${target} RUNTIME DESTINATION ${KALDO_PROGRAM_FOLDER})
  # Relocations resolved at start, then made read-only, as Debian hardens its programs.
  target_link_options(${target} PRIVATE -Wl,-z,relro,-z,now)
  add_dependencies(kaldo_shipped ${target})
  set(link "${CMAKE_CURRENT_BINARY_DIR}/usr-bin/${target}")
  file(MAKE_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}/usr-bin")
  file(CREATE_LINK "/${KALDO_PROGRAM_FOLDER}/${target}" "${link}" SYMBOLIC)
  install(FILES "${link}" DESTINATION usr/bin)
endfunction()

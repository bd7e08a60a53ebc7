# What `cmake --install` puts under the prefix, and the Debian package `make package` builds
# from it with CPack. Every installed file besides the two programs lives in packaging/.
include(GNUInstallDirs)

set(quiverel_packaging ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS quiverel2000 quiverel2000-list RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Manual pages: written in scdoc, rendered and compressed at build time.
find_program(QUIVEREL_SCDOC scdoc REQUIRED)
set(quiverel_man_pages)
foreach(page quiverel2000.1 quiverel2000-list.1)
    set(source ${quiverel_packaging}/man/${page}.scd)
    set(output ${CMAKE_BINARY_DIR}/man/${page}.gz)
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND ${QUIVEREL_SCDOC} < ${source} | gzip -9n > ${output}
        DEPENDS ${source}
        COMMENT "Rendering the manual page ${page}"
        VERBATIM)
    list(APPEND quiverel_man_pages ${output})
endforeach()
add_custom_target(quiverel_man_pages ALL DEPENDS ${quiverel_man_pages})
install(FILES ${quiverel_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

install(FILES ${quiverel_packaging}/quiverel2000-list.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME quiverel2000-list)
install(FILES ${quiverel_packaging}/quiverel2000-list.zsh-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions
        RENAME _quiverel2000-list)
install(FILES ${quiverel_packaging}/quiverel2000-list.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)

# Files and folders dropped on the launcher arrive on the command line (Exec=quiverel2000 %F).
install(FILES ${quiverel_packaging}/quiverel2000.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${quiverel_packaging}/io.github.quiverel2000.quiverel2000.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The launcher's icon; packaging/icons/render-icons makes the PNG sizes from the SVG.
set(quiverel_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${quiverel_packaging}/icons/quiverel2000.svg
        DESTINATION ${quiverel_icons}/scalable/apps)
install(FILES ${quiverel_packaging}/quiverel2000.png DESTINATION ${quiverel_icons}/48x48/apps)
foreach(size 16 32 256)
    install(FILES ${quiverel_packaging}/icons/quiverel2000-${size}.png
            DESTINATION ${quiverel_icons}/${size}x${size}/apps
            RENAME quiverel2000.png)
endforeach()

# A new version needs its entry in the changelog and a release in the metainfo.
file(STRINGS ${quiverel_packaging}/changelog quiverel_changelog_top LIMIT_COUNT 1)
file(READ ${quiverel_packaging}/io.github.quiverel2000.quiverel2000.metainfo.xml quiverel_metainfo)
if(NOT quiverel_changelog_top MATCHES "^quiverel2000 \\(${PROJECT_VERSION}\\) "
   OR NOT quiverel_metainfo MATCHES "<release version=\"${PROJECT_VERSION}\"")
    message(FATAL_ERROR "packaging/changelog and packaging/*.metainfo.xml need an entry "
                        "for version ${PROJECT_VERSION} at the top")
endif()

# Debian wants the changelog compressed, like the manual pages.
set(quiverel_changelog ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(
    OUTPUT ${quiverel_changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND gzip -9n < ${quiverel_packaging}/changelog > ${quiverel_changelog}
    DEPENDS ${quiverel_packaging}/changelog
    VERBATIM)
add_custom_target(quiverel_changelog ALL DEPENDS ${quiverel_changelog})
install(FILES ${quiverel_packaging}/copyright ${quiverel_changelog}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/quiverel2000)

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quiverel2000)
set(CPACK_PACKAGE_VENDOR "The Quiverel2000 developers")
# Whoever publishes the package sets the address people reach them at.
set(QUIVEREL_PACKAGE_MAINTAINER "Quiverel2000 developers <maintainers@quiverel2000.invalid>"
    CACHE STRING "The Debian package's Maintainer field")
set(CPACK_PACKAGE_CONTACT ${QUIVEREL_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "file list of dropped files and folders, with versions")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Quiverel2000 turns files and folders dropped onto its grid into a file\n"
    "list: one row per file with running number, file name, folder, size, the\n"
    "version of EXE, DLL and OCX files, time stamp, full path and extension.\n"
    "Folders are searched with their sub-folders for the files matching a\n"
    "pattern. Any block of the list can be copied as tab-separated text.\n"
    "\n"
    "The command-line lister quiverel2000-list writes the same list as TSV or CSV.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Every caption is Japanese with half-width katakana: without a font that has them, a fresh
# desktop draws boxes. IPA P Gothic (12 MB) is the first font the window asks for in place of
# its gothic face; Noto Sans CJK JP (91 MB), the second, serves where it is already installed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk")
include(CPack)

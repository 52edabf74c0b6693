# Install rules and the Debian package (CPack).
#
# FHS places under the prefix: the programs in bin, the user guide and its
# pictures in share/ignset (the data folder the programs look in when nothing
# lies beside their executable), desktop entry, icons, AppStream metadata and
# file types in the places the desktop looks, manual pages, and the package's
# README, copyright and changelog in share/doc/ignset. The programs carry
# their three languages inside; there are no translation files to install.
include(GNUInstallDirs)

set(IGN_DIST ${PROJECT_SOURCE_DIR}/dist)
set(IGN_APP_ID invalid.ignset.ignset)

install(TARGETS ignctl ignsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET ignset)
  install(TARGETS ignset RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(IGN_DATA_DEST ${CMAKE_INSTALL_DATADIR}/ignset)
install(FILES ${PROJECT_SOURCE_DIR}/docs/user-guide.html DESTINATION ${IGN_DATA_DEST})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/screenshots/ DESTINATION ${IGN_DATA_DEST}/screenshots
        FILES_MATCHING PATTERN "*.png")

install(FILES ${IGN_DIST}/ignset.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${IGN_DIST}/${IGN_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${IGN_DIST}/ignset-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ignset.xml)
install(FILES ${IGN_DIST}/icons/ignset.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 32 48 64 128 256)
  install(FILES ${IGN_DIST}/icons/ignset-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ignset.png)
endforeach()

# Manual pages and the changelog go in compressed, without a time stamp in
# the gzip header, so two builds give the same package.
find_program(IGN_GZIP gzip REQUIRED)
set(IGN_GZ_DIR ${PROJECT_BINARY_DIR}/dist)
set(gz_outputs "")
foreach(src man/ignctl.1 man/ignsim.1 man/ignset.1 changelog)
  get_filename_component(name ${src} NAME)
  set(out ${IGN_GZ_DIR}/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${IGN_GZ_DIR}
    COMMAND ${IGN_GZIP} -9nc ${IGN_DIST}/${src} > ${out}
    DEPENDS ${IGN_DIST}/${src} VERBATIM)
  list(APPEND gz_outputs ${out})
endforeach()
add_custom_target(ign_dist_files ALL DEPENDS ${gz_outputs})
install(FILES ${IGN_GZ_DIR}/ignctl.1.gz ${IGN_GZ_DIR}/ignsim.1.gz ${IGN_GZ_DIR}/ignset.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${IGN_GZ_DIR}/changelog.gz ${IGN_DIST}/copyright ${IGN_DIST}/README
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# ---- Debian package ----------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ignset)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "ignset maintainers")
set(CPACK_PACKAGE_CONTACT "ignset maintainers <maintainers@ignset.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "set up and watch a programmable digital ignition unit")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_STRIP_FILES ON)
# The desktop, icon and MIME caches are refreshed by dpkg triggers of the
# packages that own them: no maintainer scripts.
# CPack puts the summary first and indents these lines itself; an empty line
# becomes the paragraph mark.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "ignset finds a programmable digital ignition unit for motorcycle engines on
a serial port, reads, verifies and programs its settings, and edits them on
tabbed pages and in map editors. It keeps settings files (.ign), shows and
logs the running engine, records rides (.ignlog) and plays them back, in
English, German and Czech.

The package also holds ignctl, the same engine on the command line, and
ignsim, a simulated unit on a pseudo-terminal for use without hardware.")
include(CPack)

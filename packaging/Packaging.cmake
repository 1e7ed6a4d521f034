# SPDX-License-Identifier: GPL-3.0-or-later
# Installing and packaging: stripped programs, man pages, systemd units, the
# service's user and station folder (sysusers.d, tmpfiles.d), the example
# settings, the AppStream file and the Debian copyright and changelog; CPack makes the .deb
# (cpack -G DEB in a Release tree: tavik_<version>_amd64.deb).

set(TAVIK_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(TAVIK_PACKAGING_OUT ${PROJECT_BINARY_DIR}/packaging)

# An optimised build is hardened as Debian builds its packages, and installs
# stripped programs (cmake --install, cpack).
if(CMAKE_BUILD_TYPE MATCHES "^(Release|MinSizeRel)$")
  add_compile_options(-D_FORTIFY_SOURCE=2 -fstack-protector-strong)
  add_link_options(-Wl,-z,relro,-z,now)
  install(CODE "if(NOT DEFINED CMAKE_INSTALL_DO_STRIP)\n  set(CMAKE_INSTALL_DO_STRIP TRUE)\nendif()")
endif()

# Files compressed the way Debian wants them: gzip -9 without name and time.
function(tavik_gzip input output)
  add_custom_command(OUTPUT ${output}
                     COMMAND sh -c "gzip -9n -c '${input}' > '${output}'"
                     DEPENDS ${input} VERBATIM)
endfunction()

# Everything that needs the targets of the whole tree runs at the end of the
# top-level CMakeLists.txt, so that a program is packaged only when it exists.
function(tavik_packaging)
  set(compressed)
  foreach(program tavik tavik-station tavik-sim tavik-dump tavik-log)
    if(NOT TARGET ${program})
      continue()
    endif()
    if(program STREQUAL "tavik-station" OR program STREQUAL "tavik-log")
      install(TARGETS ${program})
    endif()
    set(page ${TAVIK_PACKAGING_OUT}/man/${program}.1)
    configure_file(${PROJECT_SOURCE_DIR}/docs/man/${program}.1 ${page} @ONLY)
    tavik_gzip(${page} ${page}.gz)
    list(APPEND compressed ${page}.gz)
    install(FILES ${page}.gz DESTINATION share/man/man1)
  endforeach()

  set(changelog ${TAVIK_PACKAGING_OUT}/changelog)
  configure_file(${TAVIK_PACKAGING_DIR}/deb/changelog.in ${changelog} @ONLY)
  tavik_gzip(${changelog} ${changelog}.gz)
  add_custom_target(tavik_compressed_docs ALL DEPENDS ${compressed} ${changelog}.gz)
  install(FILES ${changelog}.gz ${TAVIK_PACKAGING_DIR}/deb/copyright DESTINATION share/doc/tavik)

  set(metainfo ${TAVIK_PACKAGING_OUT}/org.example.tavik.metainfo.xml)
  configure_file(${PROJECT_SOURCE_DIR}/resources/org.example.tavik.metainfo.xml ${metainfo} @ONLY)
  install(FILES ${metainfo} DESTINATION share/metainfo)

  if(TARGET tavik-station)
    tavik_install_units()
  endif()
endfunction()

# The units name the program by its installed path, which is known only when
# installing (cpack installs under /usr, cmake --install where it is told).
function(tavik_install_units)
  set(units ${TAVIK_PACKAGING_OUT}/units)
  install(CODE "
    foreach(kind system user)
      set(source ${TAVIK_PACKAGING_DIR}/systemd/tavik-station.service.in)
      if(kind STREQUAL \"user\")
        set(source ${TAVIK_PACKAGING_DIR}/systemd/tavik-station-user.service.in)
      endif()
      file(READ \${source} text)
      string(REPLACE \"@BINDIR@\" \"\${CMAKE_INSTALL_PREFIX}/bin\" text \"\${text}\")
      file(WRITE ${units}/\${kind}/tavik-station.service \"\${text}\")
      file(INSTALL ${units}/\${kind}/tavik-station.service
           DESTINATION \"\${CMAKE_INSTALL_PREFIX}/lib/systemd/\${kind}\")
    endforeach()")
  install(FILES ${TAVIK_PACKAGING_DIR}/systemd/tavik.sysusers
          DESTINATION lib/sysusers.d RENAME tavik.conf)
  install(FILES ${TAVIK_PACKAGING_DIR}/systemd/tavik.tmpfiles
          DESTINATION lib/tmpfiles.d RENAME tavik.conf)
  install(FILES ${TAVIK_PACKAGING_DIR}/deb/tavout.ini DESTINATION share/doc/tavik/examples)
endfunction()

cmake_language(DEFER CALL tavik_packaging)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Tavik developers <tavik@example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# postinst makes the service's user and folder with these two.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "systemd | systemd-sysusers, systemd | systemd-tmpfiles")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, cups-client, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "home weather station console reader and weather reports
Tavik reads the console of a home weather station on a serial line, shows
temperature, humidity, air pressure, rain and wind on a German-language window
and publishes the weather as files for other programs: report pages for a
packet-radio terminal, a weather log, an APRS weather file and an amateur SYNOP
bulletin.
.
The package also holds tavik-station, which does the same without a window as
a systemd service, the console simulator tavik-sim, the group dump tavik-dump
and the weather log summary tavik-log.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${TAVIK_PACKAGING_DIR}/deb/postinst
    ${TAVIK_PACKAGING_DIR}/deb/prerm ${TAVIK_PACKAGING_DIR}/deb/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
include(CPack)

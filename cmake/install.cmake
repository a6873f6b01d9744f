# Installation and the Debian package. Included at the end of the top CMakeLists.txt so that
# every target is known; each part is guarded by its target, so a tree without the windows
# (VELMORA_BUILD_UI=OFF) still installs and packages the command-line tool.

# AppStream component id; the desktop entry is installed under the same name.
set(VELMORA_APP_ID org.velmora.velmora)
set(velmora_data ${PROJECT_SOURCE_DIR}/data)

# Debian keeps man pages and the changelog compressed. The text's @PROJECT_VERSION@ is the
# project's version.
find_program(VELMORA_GZIP gzip)
function(velmora_install_gzipped template destination)
    get_filename_component(name ${template} NAME)
    string(MAKE_C_IDENTIFIER ${destination}/${name} id)
    set(source ${PROJECT_BINARY_DIR}/configured/${id}/${name})
    configure_file(${template} ${source} @ONLY)
    if(NOT VELMORA_GZIP)
        install(FILES ${source} DESTINATION ${destination})
        return()
    endif()
    set(packed ${PROJECT_BINARY_DIR}/gzipped/${id}/${name})
    add_custom_command(OUTPUT ${packed}.gz
                       COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/gzipped/${id}
                       COMMAND ${CMAKE_COMMAND} -E copy ${source} ${packed}
                       COMMAND ${VELMORA_GZIP} -9nf ${packed}
                       DEPENDS ${source})
    add_custom_target(velmora_gzip_${id} ALL DEPENDS ${packed}.gz)
    install(FILES ${packed}.gz DESTINATION ${destination})
endfunction()
function(velmora_install_man template)
    velmora_install_gzipped(${template} ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()

# The programs and Help.html are installed by their own folders' rules; the package test
# checks that they are all in the package.
if(TARGET velmora)
    # The launcher finds Help.html relative to itself, so the tree stays relocatable.
    file(RELATIVE_PATH VELMORA_BIN_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR}
         ${CMAKE_INSTALL_FULL_DATADIR}/velmora)
    configure_file(${velmora_data}/velmora-launch.in ${PROJECT_BINARY_DIR}/velmora-launch @ONLY)
    install(PROGRAMS ${PROJECT_BINARY_DIR}/velmora-launch DESTINATION ${CMAKE_INSTALL_BINDIR})

    install(FILES ${velmora_data}/velmora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
            RENAME ${VELMORA_APP_ID}.desktop)
    install(FILES ${velmora_data}/velmora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
            RENAME ${VELMORA_APP_ID}.metainfo.xml)

    # The rendered sizes are kept beside the drawing (scripts/make-images), so every build
    # installs the same icons.
    install(FILES ${velmora_data}/icons/velmora.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size IN ITEMS 16 24 32 48 64 128 256)
        install(FILES ${velmora_data}/icons/${size}x${size}/velmora.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    velmora_install_man(${PROJECT_SOURCE_DIR}/docs/velmora.1)
    velmora_install_man(${PROJECT_SOURCE_DIR}/docs/velmora-launch.1)
endif()

if(TARGET velmora-ini)
    velmora_install_man(${PROJECT_SOURCE_DIR}/docs/velmora-ini.1)
endif()

# Debian's machine-readable copyright file and the changelog, where every package has them.
install(FILES ${velmora_data}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)
velmora_install_gzipped(${velmora_data}/changelog ${CMAKE_INSTALL_DATADIR}/doc/velmora)

install(FILES ${velmora_data}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME velmora)

# A stripped program also loses the compiler's .comment, as Debian's own strip does it.
if(CMAKE_OBJCOPY)
    install(CODE "
        if(CMAKE_INSTALL_DO_STRIP)
            foreach(program velmora velmora-ini)
                set(file \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/\${program}\")
                if(EXISTS \"\${file}\")
                    execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment
                                            --remove-section=.note \"\${file}\")
                endif()
            endforeach()
        endif()")
endif()

set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tune the graphics settings of Unreal Tournament")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora tunes the graphics, display and memory settings of Unreal Tournament
by editing its UnrealTournament.ini key by key: quick presets, driver,
resolution and texture-cache choices, an advanced editor, and named setting
sets. The game is found through its registry entry in a Wine or Proton prefix.
The velmora-ini command reads and writes single keys of such INI files.")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <dev@velmora.invalid>")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Help opens in the desktop's browser through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# What the Windows programs carry and how they are delivered: the program's icon and a version
# resource in each .exe, and the target windows_packages (make package-windows) that builds the
# portable zip and the installer with packaging/windows/make-packages.
set(quiverel_windows_packaging ${CMAKE_SOURCE_DIR}/packaging/windows)

# The icon, made from the launcher's SVG at the sizes Windows shows (the 256-pixel one kept as
# PNG inside the .ico, as Windows expects of that size).
find_program(QUIVEREL_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(QUIVEREL_ICOTOOL icotool REQUIRED)
set(quiverel_icon_svg ${CMAKE_SOURCE_DIR}/packaging/icons/quiverel2000.svg)
set(quiverel_icon_dir ${CMAKE_BINARY_DIR}/icon)
set(quiverel_icon ${quiverel_icon_dir}/quiverel2000.ico)
set(quiverel_icon_commands)
set(quiverel_icon_pngs)
foreach(size 16 32 48 256)
    set(png ${quiverel_icon_dir}/quiverel2000-${size}.png)
    list(APPEND quiverel_icon_commands
        COMMAND ${QUIVEREL_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${quiverel_icon_svg})
    list(APPEND quiverel_icon_pngs ${png})
endforeach()
list(POP_BACK quiverel_icon_pngs quiverel_icon_256)
add_custom_command(
    OUTPUT ${quiverel_icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${quiverel_icon_dir}
    ${quiverel_icon_commands}
    COMMAND ${QUIVEREL_ICOTOOL} -c -o ${quiverel_icon} ${quiverel_icon_pngs}
        --raw=${quiverel_icon_256}
    DEPENDS ${quiverel_icon_svg}
    COMMENT "Making the program's icon"
    VERBATIM)
add_custom_target(quiverel_icon DEPENDS ${quiverel_icon})

# The program's icon and version resource, with this description, compiled into target.
function(quiverel_program_resource target description)
    set(QUIVEREL_RC_NAME ${target})
    set(QUIVEREL_RC_FILE_NAME ${target}.exe)
    set(QUIVEREL_RC_DESCRIPTION ${description})
    set(QUIVEREL_RC_ICON ${quiverel_icon})
    set(rc ${CMAKE_BINARY_DIR}/resources/${target}.rc)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/ProgramResource.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} TARGET_DIRECTORY ${target}
        PROPERTIES OBJECT_DEPENDS ${quiverel_icon})
    add_dependencies(${target} quiverel_icon)
endfunction()

quiverel_program_resource(quiverel2000 "${PROJECT_NAME} file list")
quiverel_program_resource(quiverel2000-list "${PROJECT_NAME} command-line lister")

# The zip and the installer beside the programs in the build folder. The DLLs come from the Qt
# and the compiler's runtime; what the programs import beyond those must be Windows' own, which
# wine's copies stand for here.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-libgcc-file-name
    OUTPUT_VARIABLE quiverel_libgcc OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
cmake_path(GET quiverel_libgcc PARENT_PATH quiverel_compiler_runtime)
set(QUIVEREL_WINE_SYSTEM /usr/lib/x86_64-linux-gnu/wine/x86_64-windows
    CACHE PATH "Wine's Windows DLLs, standing for the system's own")
add_custom_target(windows_packages
    COMMAND ${quiverel_windows_packaging}/make-packages
        --out ${CMAKE_BINARY_DIR} --name ${PROJECT_NAME} --version ${PROJECT_VERSION}
        --publisher ${QUIVEREL_PUBLISHER} --copyright ${QUIVEREL_COPYRIGHT}
        --icon ${quiverel_icon} --qt ${QUIVEREL_QT_WINDOWS}
        --runtime ${quiverel_compiler_runtime} --runtime /usr/x86_64-w64-mingw32/lib
        --system ${QUIVEREL_WINE_SYSTEM}
        $<TARGET_FILE:quiverel2000> $<TARGET_FILE:quiverel2000-list>
    DEPENDS quiverel2000 quiverel2000-list quiverel_icon
    COMMENT "Building the Windows packages"
    VERBATIM)

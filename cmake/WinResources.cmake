# Links a compiled resource image (.res, as llvm-rc writes it) into Windows programs.
#
#   tarvix_win_resources(<name> RES <file.res> [DEPENDS <targets or files>...])
#
# Makes the interface library <name>: every executable that links it carries the
# resources in its .rsrc section, where Windows reads them natively. The image is
# turned into a COFF object by windres, since GNU ld takes no .res files.
function(tarvix_win_resources name)
    cmake_parse_arguments(PARSE_ARGV 1 arg "" "RES" "DEPENDS")
    find_program(TARVIX_WINDRES NAMES ${CMAKE_RC_COMPILER} x86_64-w64-mingw32-windres
                 REQUIRED)
    set(obj ${CMAKE_CURRENT_BINARY_DIR}/${name}.res.obj)
    add_custom_command(
        OUTPUT ${obj}
        COMMAND ${TARVIX_WINDRES} --input-format=res --output-format=coff
                --target=pe-x86-64 -i ${arg_RES} -o ${obj}
        DEPENDS ${arg_RES} ${arg_DEPENDS}
        COMMENT "Converting ${name} resources to an object file"
        VERBATIM)
    add_custom_target(${name}_object DEPENDS ${obj})
    add_library(${name} INTERFACE)
    target_sources(${name} INTERFACE ${obj})
    set_source_files_properties(${obj} PROPERTIES GENERATED TRUE EXTERNAL_OBJECT TRUE)
    add_dependencies(${name} ${name}_object)
endfunction()

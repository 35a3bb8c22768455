# Compiler settings shared by the native and the Windows build.

# Sources are UTF-8; every narrow literal becomes code page 936 bytes, the code page of the
# program's texts and files, in both builds alike. The compiler is told GB18030, which encodes
# every character of code page 936 with the same bytes, because the C++20 standard headers hold
# a literal that code page 936 lacks; tools/check-texts.sh keeps our own sources within 936.
add_compile_options(-Wall -Wextra)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-finput-charset=UTF-8 -fexec-charset=GB18030)
endif()  # clang, for fuzzing only, keeps UTF-8 literals

if(WIN32)
    enable_language(RC)
    add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
    # Only Windows system DLLs at run time.
    add_link_options(-static -static-libgcc -static-libstdc++)
    set(TARNWICK_PLATFORM_LIBS ws2_32 comctl32 gdi32 user32 kernel32)
else()
    set(TARNWICK_PLATFORM_LIBS pthread)
    if(TARNWICK_SANITIZE STREQUAL "address")
        add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                            -fno-sanitize-recover=undefined)
        add_link_options(-fsanitize=address,undefined)
    elseif(TARNWICK_SANITIZE STREQUAL "thread")
        add_compile_options(-fsanitize=thread)
        add_link_options(-fsanitize=thread)
    endif()
endif()

if(CMAKE_CROSSCOMPILING)
    # Cross-built test programs run under Wine in the build folder's private prefix.
    set(TARNWICK_WINEPREFIX "${CMAKE_BINARY_DIR}/wine/prefix")
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(TARNWICK_WINEARCH win64)
    else()
        set(TARNWICK_WINEARCH win32)
    endif()
    set(TARNWICK_TOOLS "${CMAKE_SOURCE_DIR}/tools")
    configure_file(${CMAKE_SOURCE_DIR}/tools/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                    WORLD_READ WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
    set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")
endif()

# The main program: on 64-bit Windows (and under Wine) a 32-bit program marked large-address-aware
# gets 4 GiB of address space instead of 2, room for about twice as many connection threads.
# A 64-bit program has the room anyway, and its linker refuses the flag.
function(tarnwick_large_address_aware target)
    if(WIN32 AND CMAKE_SIZEOF_VOID_P EQUAL 4)
        target_link_options(${target} PRIVATE -Wl,--large-address-aware)
    endif()
endfunction()

# Fails when a source file includes a header of a layer above its own. Arrows run downward:
#   shell, main.cpp -> settings -> dialogs -> platform (the tray: shell alone)
#   shell, settings -> presentation -> catalogue -> platform/system
# and platform knows nothing of the product (texts.h, application.h, programicon.h). A library's
# private headers are for its own sources alone. The tests in tests/<room>/ and the benchmark
# (which sits where the shell does) are held to the same arrows; a test may also include the
# private headers of the room it tests, and the tests' own helpers. Our own
# headers are included with quotes and by their path from the source root, so that no include
# can slip past: one in angle brackets, or with "." or ".." in its path, fails too.
# Usage: cmake -DSOURCE_DIR=<tree> [-DSTAMP=<file>] -P CheckLayers.cmake
cmake_policy(VERSION 3.21)
set(product_headers "texts.h" "application.h" "programicon.h")

# What each layer may include, by folder prefix of the included path.
set(allowed_platform/system "platform/system/")
set(allowed_platform/desktop "platform/system/" "platform/desktop/")
set(allowed_platform/tray "platform/system/" "platform/tray/")
set(allowed_platform "platform/system/" "platform/desktop/")
set(allowed_catalogue "platform/system/" "catalogue/")
set(below_the_shell "platform/platform.h" "platform/system/" "platform/desktop/")
set(allowed_dialogs ${below_the_shell} "dialogs/" ${product_headers})
set(allowed_presentation ${below_the_shell} "catalogue/" "presentation/" ${product_headers})
set(allowed_settings ${below_the_shell} "catalogue/" "presentation/" "dialogs/" "settings/"
    ${product_headers})
set(allowed_shell "platform/" "catalogue/" "presentation/" "dialogs/" "settings/" "shell/"
    ${product_headers})

# Private headers, by path prefix, and the one folder whose sources may include them.
set(private_headers "platform/tray/statusnotifier/" "platform/desktop/hotkeymechanisms_unix.h")
set(owner_platform/tray/statusnotifier/ "platform/tray/")
set(owner_platform/desktop/hotkeymechanisms_unix.h "platform/desktop/")

# A test is held to what the room it tests may include, and sees that room's private headers.
set(test_helpers "support/" "uicatalogue.h" "fakeplatform.h")
foreach(room catalogue presentation dialogs settings shell)
    set(allowed_tests/${room} ${allowed_${room}} ${test_helpers})
endforeach()
set(allowed_tests/platform "platform/" ${test_helpers})
set(allowed_bench ${allowed_shell} "threadtime.h")

function(layer_of file result)
    foreach(room platform/system platform/desktop platform/tray catalogue presentation dialogs
            settings shell tests/catalogue tests/presentation tests/dialogs tests/platform
            tests/settings tests/shell bench)
        if(file MATCHES "^${room}/")
            set(${result} ${room} PARENT_SCOPE)
            return()
        endif()
    endforeach()
    if(file MATCHES "^platform/")
        set(${result} platform PARENT_SCOPE)
    elseif(file STREQUAL "main.cpp")
        set(${result} shell PARENT_SCOPE)
    else()
        set(${result} "" PARENT_SCOPE)
    endif()
endfunction()

file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR}
    ${SOURCE_DIR}/catalogue/*.cpp ${SOURCE_DIR}/catalogue/*.h
    ${SOURCE_DIR}/presentation/*.cpp ${SOURCE_DIR}/presentation/*.h
    ${SOURCE_DIR}/dialogs/*.cpp ${SOURCE_DIR}/dialogs/*.h
    ${SOURCE_DIR}/platform/*.cpp ${SOURCE_DIR}/platform/*.h
    ${SOURCE_DIR}/settings/*.cpp ${SOURCE_DIR}/settings/*.h
    ${SOURCE_DIR}/shell/*.cpp ${SOURCE_DIR}/shell/*.h
    ${SOURCE_DIR}/tests/*.cpp ${SOURCE_DIR}/tests/*.h
    ${SOURCE_DIR}/bench/*.cpp ${SOURCE_DIR}/bench/*.h
    ${SOURCE_DIR}/main.cpp)
# The trees that show what the check refuses, and the tests' own helpers at the top.
list(FILTER sources EXCLUDE REGEX "^tests/(layering/|[^/]+$|support/|fuzz/|data/)")

set(violations "")
foreach(file IN LISTS sources)
    layer_of(${file} layer)
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line IN LISTS includes)
        string(REGEX REPLACE "^[^<\"]*[<\"]([^>\"]+)[>\"].*$" "\\1" header "${line}")
        if(line MATCHES "include[ \t]*<")
            if(header MATCHES "^(catalogue|presentation|dialogs|platform|settings|shell)/" OR
               header IN_LIST product_headers)
                string(APPEND violations "  ${file} (${layer}) includes <${header}> in angle brackets\n")
            endif()
            continue()
        endif()
        if(header MATCHES "\\.moc$")
            continue()
        endif()
        if(header MATCHES "(^|/)\\.\\.?(/|$)")
            string(APPEND violations "  ${file} (${layer}) includes ${header} through . or ..\n")
            continue()
        endif()
        set(ok FALSE)
        foreach(prefix IN LISTS allowed_${layer})
            string(FIND "${header}" "${prefix}" at)
            if(at EQUAL 0)
                set(ok TRUE)
                break()
            endif()
        endforeach()
        if(NOT ok)
            string(APPEND violations "  ${file} (${layer}) includes ${header}\n")
            continue()
        endif()
        foreach(prefix IN LISTS private_headers)
            string(FIND "${header}" "${prefix}" at)
            set(owner ${owner_${prefix}})
            string(FIND "${file}" "${owner}" inside)
            # tests/platform/ tests all of platform.
            string(REGEX MATCH "^[^/]+/" room "${owner}")
            string(FIND "${file}" "tests/${room}" tested)
            if(at EQUAL 0 AND NOT inside EQUAL 0 AND NOT tested EQUAL 0)
                string(APPEND violations
                    "  ${file} (${layer}) includes ${header}, private to ${owner}\n")
            endif()
        endforeach()
    endforeach()
endforeach()

if(violations)
    message(FATAL_ERROR "Includes against the layering (arrows run downward only):\n${violations}")
endif()
if(STAMP)
    file(TOUCH ${STAMP})
endif()

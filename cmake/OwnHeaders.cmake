# Each library shows the libraries that link it its own headers and nothing else: its include
# folder in the build tree holds links to its own source folders (or files) only, so that an
# include of a layer it does not link is refused by the compiler, not just by the layer check.
# Where links cannot be made (Windows without the right to make them), the source root is shown
# instead and the layer check alone guards the arrows.
function(quorvel_own_headers target)
    get_target_property(type ${target} TYPE)
    if(type STREQUAL "INTERFACE_LIBRARY")
        set(scope INTERFACE)
    else()
        set(scope PUBLIC)
    endif()
    set(folder ${CMAKE_BINARY_DIR}/include/${target})
    foreach(path IN LISTS ARGN)
        get_filename_component(parent ${folder}/${path} DIRECTORY)
        file(MAKE_DIRECTORY ${parent})
        if(NOT EXISTS ${folder}/${path})
            file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${path} ${folder}/${path} RESULT failed SYMBOLIC)
            if(failed)
                target_include_directories(${target} ${scope} ${CMAKE_SOURCE_DIR})
                return()
            endif()
        endif()
    endforeach()
    target_include_directories(${target} ${scope} ${folder})
endfunction()

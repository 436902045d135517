# Fails the build when a file of the window-free core includes, directly or
# through another header, anything of Qt's widgets or printer support.
# Reads the dependency files the compiler wrote for the core's objects.
file(GLOB_RECURSE depfiles "${OBJECT_DIR}/*.o.d")
if(NOT depfiles)
    message(FATAL_ERROR "No dependency files under ${OBJECT_DIR}: the core's includes cannot be checked.")
endif()
foreach(depfile IN LISTS depfiles)
    file(STRINGS "${depfile}" lines REGEX "/Qt(Widgets|PrintSupport)/")
    if(lines)
        list(GET lines 0 first)
        string(STRIP "${first}" first)
        message(FATAL_ERROR "The core may not see windows, but ${depfile} includes ${first}")
    endif()
endforeach()

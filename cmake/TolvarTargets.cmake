# Each source folder is one static library made of the files it holds, so that adding a
# class never means editing a build file.
function(tolvar_folder_library name)
    cmake_parse_arguments(ARG "RECURSE" "" "LINKS" ${ARGN})
    if(ARG_RECURSE)
        file(GLOB_RECURSE sources CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    else()
        file(GLOB sources CONFIGURE_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
    endif()
    add_library(${name} STATIC ${sources} ${CMAKE_SOURCE_DIR}/cmake/empty.cpp)
    target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# One test program per source folder; every class registered with TOLVAR_TEST becomes one
# CTest case so that a failure names the class and cases run in parallel.
function(tolvar_folder_tests folder)
    cmake_parse_arguments(ARG "" "" "LINKS" ${ARGN})
    file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp
         ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
    if(NOT sources)
        return()
    endif()
    set(exe test_${folder})
    add_executable(${exe} ${sources})
    target_link_libraries(${exe} PRIVATE tolvar_testsupport ${ARG_LINKS})
    foreach(src ${sources})
        file(STRINGS ${src} lines REGEX "^TOLVAR_(ENGINE_)?TEST\\(")
        foreach(line ${lines})
            string(REGEX REPLACE "^TOLVAR_(ENGINE_)?TEST\\(([A-Za-z0-9_]+)\\).*" "\\2" cls "${line}")
            add_test(NAME ${folder}.${cls} COMMAND ${exe} --class ${cls})
            set_tests_properties(${folder}.${cls} PROPERTIES TIMEOUT 600
                ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
            if(line MATCHES "^TOLVAR_ENGINE_TEST")
                add_test(NAME ${folder}.${cls}.postgresql
                         COMMAND ${exe} --class ${cls} --engine postgresql)
                set_tests_properties(${folder}.${cls}.postgresql PROPERTIES TIMEOUT 600
                    ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
            endif()
        endforeach()
    endforeach()
endfunction()

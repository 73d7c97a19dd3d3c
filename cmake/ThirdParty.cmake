# Third-party code from Debian's packages: GoogleTest from its source package
# (built for whichever target this is), nlohmann-json as its headers alone.
set(QUENLO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${QUENLO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(WIN32)
  # GoogleTest's own warnings are not ours to fix.
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
endif()

# The cross build must not see the build machine's /usr/include, so the JSON
# headers are copied into the build tree.
set(QUENLO_THIRD_PARTY_INCLUDE ${CMAKE_BINARY_DIR}/third_party/include)
if(NOT EXISTS ${QUENLO_THIRD_PARTY_INCLUDE}/nlohmann/json.hpp)
  if(NOT EXISTS /usr/include/nlohmann/json.hpp)
    message(FATAL_ERROR "nlohmann/json.hpp not found: install nlohmann-json3-dev")
  endif()
  file(COPY /usr/include/nlohmann DESTINATION ${QUENLO_THIRD_PARTY_INCLUDE})
endif()

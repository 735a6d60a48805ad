# What a Windows build (cross-built with cmake/toolchain-mingw64.cmake) finds
# in place of the Debian packages of the Linux build:
# - the cipher and the hash from libgcrypt (Debian has no Nettle for MinGW);
# - nlohmann-json, headers only, from the build machine's package, without
#   the machine's other headers in the include path;
# - GoogleTest built from its sources for the target.

# libgcrypt and libgpg-error as static archives where they exist, so that
# the executables need no DLL; libgpg-error asks for Winsock.
find_library(TALMOREK_GCRYPT_LIBRARY NAMES libgcrypt.a gcrypt REQUIRED)
find_library(TALMOREK_GPG_ERROR_LIBRARY NAMES libgpg-error.a gpg-error REQUIRED)
find_path(TALMOREK_GCRYPT_INCLUDE_DIR gcrypt.h REQUIRED)
add_library(talmorek_crypto INTERFACE)
target_include_directories(talmorek_crypto INTERFACE ${TALMOREK_GCRYPT_INCLUDE_DIR})
target_link_libraries(talmorek_crypto INTERFACE ${TALMOREK_GCRYPT_LIBRARY} ${TALMOREK_GPG_ERROR_LIBRARY} ws2_32)
set(TALMOREK_CRYPTO_BACKEND gcrypt)

# nlohmann/json.hpp needs nothing but itself; its directory alone is put in
# the include path, never the build machine's /usr/include.
set(TALMOREK_HOST_JSON_INCLUDE /usr/include CACHE PATH "Where the build machine keeps nlohmann/json.hpp")
set(_talmorek_json_dir ${CMAKE_BINARY_DIR}/third_party/nlohmann_json)
file(MAKE_DIRECTORY ${_talmorek_json_dir}/include)
file(CREATE_LINK ${TALMOREK_HOST_JSON_INCLUDE}/nlohmann ${_talmorek_json_dir}/include/nlohmann SYMBOLIC)
file(WRITE ${_talmorek_json_dir}/nlohmann_jsonConfig.cmake
  "if(NOT TARGET nlohmann_json::nlohmann_json)\n"
  "  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)\n"
  "  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES\n"
  "    INTERFACE_INCLUDE_DIRECTORIES \"${_talmorek_json_dir}/include\")\n"
  "endif()\n")
file(WRITE ${_talmorek_json_dir}/nlohmann_jsonConfigVersion.cmake
  "set(PACKAGE_VERSION 3)\nset(PACKAGE_VERSION_COMPATIBLE TRUE)\n")
set(nlohmann_json_DIR ${_talmorek_json_dir} CACHE PATH "" FORCE)

if(TALMOREK_TESTS)
  set(TALMOREK_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources, built for the target")
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${TALMOREK_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
  endif()
endif()

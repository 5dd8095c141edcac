# Header-only libraries of the build machine, made visible to the cross build one folder at a
# time (the whole of /usr/include would bring the build machine's C library headers along).
set(ZEMBRATI_HOST_HEADERS ${CMAKE_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${ZEMBRATI_HOST_HEADERS})
file(CREATE_LINK /usr/include/nlohmann ${ZEMBRATI_HOST_HEADERS}/nlohmann SYMBOLIC)
add_library(nlohmann_json INTERFACE)
target_include_directories(nlohmann_json SYSTEM INTERFACE ${ZEMBRATI_HOST_HEADERS})
add_library(nlohmann_json::nlohmann_json ALIAS nlohmann_json)

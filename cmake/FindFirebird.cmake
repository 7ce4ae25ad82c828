# Firebird's client library and headers; firebird-dev ships neither a CMake nor a pkg-config file.
find_path(Firebird_INCLUDE_DIR ibase.h)
find_path(Firebird_INTERFACE_DIR firebird/Interface.h)
find_library(Firebird_LIBRARY fbclient
    PATHS /usr/lib/x86_64-linux-gnu/firebird/3.0/lib)
find_path(Firebird_ROOT_DIR plugins/libEngine12.so
    PATHS /usr/lib/x86_64-linux-gnu/firebird/3.0 /usr/lib/firebird/3.0 /opt/firebird)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(Firebird
    REQUIRED_VARS Firebird_LIBRARY Firebird_INCLUDE_DIR Firebird_INTERFACE_DIR Firebird_ROOT_DIR)

if(Firebird_FOUND AND NOT TARGET Firebird::fbclient)
    add_library(Firebird::fbclient UNKNOWN IMPORTED)
    set_target_properties(Firebird::fbclient PROPERTIES
        IMPORTED_LOCATION "${Firebird_LIBRARY}"
        INTERFACE_INCLUDE_DIRECTORIES "${Firebird_INCLUDE_DIR}")
endif()

# One interface target carries the language level and the warnings; every target links it.
add_library(quorvid_warnings INTERFACE)
target_compile_features(quorvid_warnings INTERFACE cxx_std_20)
target_compile_options(quorvid_warnings INTERFACE
    $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wshadow>)
if(QUORVID_SANITIZE)
    target_compile_options(quorvid_warnings INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                           -fno-sanitize-recover=undefined)
    target_link_options(quorvid_warnings INTERFACE -fsanitize=address,undefined)
endif()

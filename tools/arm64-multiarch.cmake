# SPDX-License-Identifier: MIT
# Cross-building the whole program for 64-bit ARM on a Debian machine of
# another architecture, against the arm64 development packages installed
# beside its own (multiarch: tools/install-deps.sh arm64): Debian's cross
# compiler, the arm64 libraries under /usr/lib/aarch64-linux-gnu, this
# machine's Qt tools (moc, uic, rcc), and the programs the build runs (the
# gazetteer, the manual page) under qemu-user.
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64)
# GCC's notes that passing some structures changed in GCC 10: everything here
# is built by one compiler.
set(CMAKE_CXX_FLAGS_INIT -Wno-psabi)
set(PKG_CONFIG_EXECUTABLE aarch64-linux-gnu-pkg-config CACHE FILEPATH "pkg-config of the arm64 packages")
execute_process(COMMAND dpkg-architecture -qDEB_BUILD_MULTIARCH OUTPUT_VARIABLE build_multiarch
                OUTPUT_STRIP_TRAILING_WHITESPACE)
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/${build_multiarch}/cmake)

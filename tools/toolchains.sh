# Sourced: the CMake toolchain file of each Windows build, by build folder name.
#   source tools/toolchains.sh; cmake ... -DCMAKE_TOOLCHAIN_FILE="$(toolchain_file win32)"
declare -A toolchain=([win32]=mingw-i686 [win64]=mingw-x86_64)
toolchain_file() {  # build folder name
    echo "$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/cmake/${toolchain[$1]}.cmake"
}

# Sourced: finds out which Windows builds this machine can run under Wine, by running the 32-bit
# loader rather than guessing from names or versions (some kernels of this kind have 32-bit
# emulation disabled, and every i386 program then fails with "Exec format error").
# Sets wine_arches (win32 and win64, or win64 alone) and wine_why (one line saying why).
# TARNWICK_WIN64_ONLY=1 takes the 64-bit path even where 32-bit programs run.
wine_arches=(win32 win64)
if [ -n "${TARNWICK_WIN64_ONLY:-}" ]; then
    wine_arches=(win64)
    wine_why="TARNWICK_WIN64_ONLY is set"
elif wine_probe="$(/usr/lib/wine/wine --version 2>&1)"; then
    wine_why="this machine runs 32-bit programs: '/usr/lib/wine/wine --version' answered $wine_probe"
else
    wine_arches=(win64)
    wine_why="this machine runs no 32-bit program: '/usr/lib/wine/wine --version' failed: ${wine_probe:-no output}"
fi

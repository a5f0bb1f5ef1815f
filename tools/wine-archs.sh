# Sourced by the scripts that start Windows programs: decides once which of
# the two Windows builds this host can run under Wine.
#   WINE_ARCHS     the architectures to run, i686 (the shipped build) first
#   WINE_NOT_RUN   "arch: why" for each one left out, "; "-separated
# LUMATYPE_WINE_ARCHS (for example "x86_64") forces the choice, so the path of
# a host that refuses 32-bit code can be taken on any host.

decide_wine_archs() {
    WINE_ARCHS=
    WINE_NOT_RUN=
    local arch probe forced=${LUMATYPE_WINE_ARCHS:-}
    if [ -n "$forced" ]; then
        for arch in ${forced//,/ }; do
            case $arch in
                i686|x86_64) ;;
                *) echo "LUMATYPE_WINE_ARCHS: unknown architecture '$arch' (i686, x86_64)" >&2; return 1 ;;
            esac
        done
        for arch in i686 x86_64; do
            if [[ " ${forced//,/ } " == *" $arch "* ]]; then
                WINE_ARCHS+="${WINE_ARCHS:+ }$arch"
            else
                WINE_NOT_RUN+="${WINE_NOT_RUN:+; }$arch: left out by LUMATYPE_WINE_ARCHS=$forced"
            fi
        done
        return 0
    fi
    # Some hosts run 64-bit user code only: every 32-bit executable, the
    # 32-bit Wine loader among them, fails with ENOEXEC there.
    if [ ! -x /usr/lib/wine/wine ]; then
        WINE_NOT_RUN="i686: the 32-bit Wine loader (wine32) is not installed"
    elif ! probe=$(/usr/lib/wine/wine --version 2>&1); then
        WINE_NOT_RUN="i686: this host does not run 32-bit programs (${probe##*: })"
    else
        WINE_ARCHS=i686
    fi
    WINE_ARCHS+="${WINE_ARCHS:+ }x86_64"
}

# The build tree of an architecture.
wine_arch_tree() {
    case $1 in
        i686) echo build/win32 ;;
        x86_64) echo build/win64 ;;
    esac
}

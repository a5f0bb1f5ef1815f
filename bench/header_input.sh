# shellcheck shell=bash
# make_joined_input OUT BYTES NAME FOLDER...: the files called NAME (a find
# pattern) under the folders, in a fixed order, made valid UTF-8 (iconv -c
# drops the bytes that are not), joined and cut to at most BYTES at a line
# end. Fails when the folders hold less.
make_joined_input() {
    local out=$1 bytes=$2 name=$3
    shift 3
    # head closes the pipe early, which pipefail would report as a failure of
    # cat; the size check below is what tells whether there was enough.
    (
        set +o pipefail
        find "$@" -type f -name "$name" -print0 | LC_ALL=C sort -z | xargs -0 cat 2>/dev/null |
            iconv -c -f utf-8 -t utf-8 2>/dev/null | head -c "$bytes" >"$out"
    )
    if [ "$(stat -c %s "$out")" -lt "$bytes" ]; then
        echo "bench: $* hold fewer than $bytes bytes of $name" >&2
        return 1
    fi
    # A last line cut short is dropped, so the text ends at a line end.
    if [ -n "$(tail -c 1 "$out" | tr -d '\n')" ]; then
        truncate -s "-$(tail -n 1 "$out" | wc -c)" "$out"
    fi
}

# The C headers under /usr/include.
make_header_input() { make_joined_input "$1" "$2" '*.h' /usr/include; }

# Python's own library modules: real code with docstrings in it.
make_python_input() { make_joined_input "$1" "$2" '*.py' /usr/lib/python3*; }

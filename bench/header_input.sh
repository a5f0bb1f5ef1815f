# shellcheck shell=bash
# make_header_input OUT BYTES: the C headers under /usr/include, in a fixed
# order, made valid UTF-8 (iconv -c drops the bytes that are not), joined and
# cut to at most BYTES at a line end. Fails when /usr/include holds less.
make_header_input() {
    local out=$1 bytes=$2
    # head closes the pipe early, which pipefail would report as a failure of
    # cat; the size check below is what tells whether there was enough.
    (
        set +o pipefail
        find /usr/include -type f -name '*.h' -print0 | LC_ALL=C sort -z | xargs -0 cat 2>/dev/null |
            iconv -c -f utf-8 -t utf-8 2>/dev/null | head -c "$bytes" >"$out"
    )
    if [ "$(stat -c %s "$out")" -lt "$bytes" ]; then
        echo "bench: /usr/include holds fewer than $bytes bytes of headers" >&2
        return 1
    fi
    # A last line cut short is dropped, so the text ends at a line end.
    if [ -n "$(tail -c 1 "$out" | tr -d '\n')" ]; then
        truncate -s "-$(tail -n 1 "$out" | wc -c)" "$out"
    fi
}

# make_python_input OUT BYTES: Python's own library modules, in a fixed
# order, joined and cut like the headers: real code with docstrings in it.
make_python_input() {
    local out=$1 bytes=$2
    (
        set +o pipefail
        find /usr/lib/python3* -type f -name '*.py' -print0 | LC_ALL=C sort -z | xargs -0 cat 2>/dev/null |
            iconv -c -f utf-8 -t utf-8 2>/dev/null | head -c "$bytes" >"$out"
    )
    if [ "$(stat -c %s "$out")" -lt "$bytes" ]; then
        echo "bench: /usr/lib/python3* holds fewer than $bytes bytes of modules" >&2
        return 1
    fi
    if [ -n "$(tail -c 1 "$out" | tr -d '\n')" ]; then
        truncate -s "-$(tail -n 1 "$out" | wc -c)" "$out"
    fi
}

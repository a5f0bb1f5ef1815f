#  include <bits/types/FILE.h>
# ifndef LIMIT
#define LIMIT(a, b) \
    ((a) < (b) ? (a) : (b)) // smaller
# endif
const char* raw = R"sql(SELECT ")"
FROM t)sql";

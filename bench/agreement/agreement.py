#!/usr/bin/env python3
"""How far lumatype-cli's colouring agrees with Pygments' lexers.

Every non-blank character of a corpus file gets one class from each side:
comment, string, keyword, number or other. Lumatype's class is read from the
colour of the span around the character in the HTML, converted with a theme in
which every role has its own colour; Pygments' from the token type. The
corpus is read in place from what Debian packages install on this host, plus
the samples beside this script for languages Debian ships no source of. The
same files then go through lumatype-corpus, the round trip of real files.

usage: agreement.py [--cli PATH] [--corpus-tool PATH] [--only NAME...]
                    [--max-files N] [--max-bytes N] [--list]
"""
import argparse
import collections
import html
import os
import re
import subprocess
import sys
import tempfile
import zipfile

try:
    import pygments
    from pygments.lexers import get_lexer_by_name
    from pygments.token import Comment, Keyword, Name, Number, String
except ImportError:
    sys.exit("agreement: Python's Pygments is missing; install python3-pygments (make setup does)")

HERE = os.path.dirname(os.path.abspath(__file__))
TREE = os.path.dirname(os.path.dirname(HERE))
SAMPLES = os.path.join(HERE, "samples")

CLASSES = ("comment", "string", "keyword", "number", "other")


def by_ext(*extensions):
    return lambda path: path.endswith(tuple(extensions))


def any_file(path):
    return True


def no_extension(path):
    return "." not in os.path.basename(path)


def named(*names):
    return lambda path: os.path.basename(path) in names


def starts_with_shell(path):
    """A script for a Bourne-style shell: by its #! line, or .sh."""
    if path.endswith(".sh"):
        return True
    try:
        with open(path, "rb") as f:
            first = f.readline(200)
    except OSError:
        return False
    if not first.startswith(b"#!"):
        return False
    words = first[2:].split()
    if words and os.path.basename(words[0]) == b"env":
        words = words[1:]
    return bool(words) and os.path.basename(words[0]) in (b"sh", b"bash", b"dash")


# Row name, lumatype-cli --lang, Pygments lexer, corpus sources: (folder,
# recursive, which files). A sample folder of the same name under samples/
# always joins the corpus. Two rows share the C/C++ definition: C's and C++'s
# lexers differ, and so do their files.
LANGUAGES = [
    ("C", "C/C++", "c", [("/usr/include", False, by_ext(".h")), ("/usr/include/linux", True, by_ext(".h")),
                         ("/usr/include/x86_64-linux-gnu", True, by_ext(".h")),
                         ("/usr/share/doc", True, by_ext(".c"))]),
    ("C++", "C/C++", "cpp", [("/usr/include/c++", True, any_file), ("/usr/src/googletest", True, by_ext(".cc", ".h")),
                             ("/usr/include/gtest", True, by_ext(".h"))]),
    ("C#", "C#", "csharp", []),
    ("Java", "Java", "java", [("/usr/lib/jvm/openjdk-17/lib/src.zip", True, by_ext(".java"))]),
    ("JavaScript", "JavaScript", "javascript", [("/usr/lib/node_modules/npm/lib", True, by_ext(".js"))]),
    ("Python", "Python", "python", [("/usr/lib/python3.11", True, by_ext(".py"))]),
    ("SQL", "SQL", "sql", [("/usr/share/postgresql", True, by_ext(".sql"))]),
    ("HTML", "HTML", "html", [("/usr/share/doc", True, by_ext(".html", ".htm"))]),
    ("XML", "XML", "xml", [("/usr/share/mime", True, by_ext(".xml")), ("/usr/share/xml", True, by_ext(".xml"))]),
    ("CSS", "CSS", "css", [("/usr/share/source-highlight", True, by_ext(".css")),
                           ("/usr/share/doc", True, by_ext(".css"))]),
    ("JSON", "JSON", "json", [("/usr/share/iso-codes/json", True, by_ext(".json")),
                              ("/usr/share/cmake-3.25/Templates", True, by_ext(".json")),
                              ("/usr/lib/node_modules/npm", True, named("package.json"))]),
    ("YAML", "YAML", "yaml", [("/usr/lib/google-cloud-sdk/lib/googlecloudsdk/command_lib", True, by_ext(".yaml"))]),
    ("INI", "INI", "ini", [("/usr/share/applications", True, by_ext(".desktop")), ("/etc", True, by_ext(".ini")),
                           ("/usr/lib/systemd/system", False, by_ext(".service"))]),
    ("Makefile", "Makefile", "make", [("/usr/share/dpkg", True, by_ext(".mk")),
                                      ("/usr/share/doc", True, named("Makefile"))]),
    ("CMake", "CMake", "cmake", [("/usr/share/cmake-3.25/Modules", True, by_ext(".cmake"))]),
    ("Dockerfile", "Dockerfile", "docker", []),
    ("Visual Basic", "Visual Basic", "vbnet", []),
    ("Delphi/Pascal", "Delphi/Pascal", "delphi", [("/usr/share/fpcsrc/3.2.2/rtl/inc", True, by_ext(".pp", ".pas"))]),
    ("Fortran", "Fortran", "fortran", [("/usr/share/cmake-3.25/Modules", True, by_ext(".f90", ".f")),
                                   ("/usr/lib/gcc", True, by_ext(".f90"))]),
    ("Haskell", "Haskell", "haskell", []),
    ("OCaml", "OCaml", "ocaml", []),
    ("Scala", "Scala", "scala", []),
    ("R", "R", "r", [("/usr/lib/R/library", True, by_ext(".R"))]),
    ("MATLAB", "MATLAB", "matlab", []),
    ("Assembly (x86)", "Assembly (x86)", "nasm", []),
    ("Verilog", "Verilog", "verilog", [("/usr/share/yosys", True, by_ext(".v"))]),
    ("VHDL", "VHDL", "vhdl", [("/usr/lib/ghdl/src", True, by_ext(".vhdl"))]),
    ("Markdown", "Markdown", "markdown", [("/usr/share/doc/nodejs/api", True, by_ext(".md"))]),
    ("diff", "diff", "diff", [("/usr/lib/google-cloud-sdk", True, by_ext(".patch", ".diff"))]),
    ("Go", "Go", "go", [("/usr/share/doc/git/contrib/persistent-https", False, by_ext(".go"))]),
    ("Rust", "Rust", "rust", [("/usr/share/cargo/registry", True, by_ext(".rs"))]),
    ("TypeScript", "TypeScript", "typescript", [("/usr/share/nodejs/typescript/lib", False, by_ext(".d.ts"))]),
    ("Kotlin", "Kotlin", "kotlin", []),
    ("Swift", "Swift", "swift", []),
    ("PHP", "PHP", "php", [("/usr/lib/google-cloud-sdk/platform/google_appengine/php", True, by_ext(".php"))]),
    ("Ruby", "Ruby", "ruby", [("/usr/lib/ruby/3.1.0", True, by_ext(".rb"))]),
    ("Shell", "Shell", "bash", [("/usr/bin", False, starts_with_shell), ("/usr/share", True, by_ext(".sh"))]),
    ("PowerShell", "PowerShell", "powershell", [("/usr/lib/node_modules", True, by_ext(".ps1"))]),
    ("Batch", "Batch", "batch", [("/usr/share", True, by_ext(".bat", ".cmd"))]),
    ("Lua", "Lua", "lua", [("/usr/share/lua", True, by_ext(".lua"))]),
    ("Perl", "Perl", "perl", [("/usr/share/perl/5.36", True, by_ext(".pm", ".pl"))]),
    ("Objective-C", "Objective-C", "objective-c", [("/usr/include/GNUstep/Foundation", False, by_ext(".h"))]),
    ("Dart", "Dart", "dart", []),
    ("Zig", "Zig", "zig", []),
]
TARGETS = {row: 95.0 for row in ("C", "C++", "Java", "JavaScript", "Python", "SQL", "Go", "PHP")}
TARGETS.update({row: 90.0 for row in ("C#", "Rust", "Shell", "Perl", "Ruby", "JSON", "YAML", "XML", "HTML", "Lua",
                                      "TypeScript", "Kotlin", "Swift")})


SAMPLE_FOLDERS = {"C#": "csharp", "C++": "cpp", "Assembly (x86)": "asm", "Delphi/Pascal": "pascal",
                  "Visual Basic": "vb", "Objective-C": "objc"}


def sample_folder(row):
    return os.path.join(SAMPLES, SAMPLE_FOLDERS.get(row, row.lower()))


def unpack(archive, wanted, share, directory):
    """An even spread of share members of a zip archive (a JDK's src.zip),
    written under directory, as paths to read like any other file."""
    with zipfile.ZipFile(archive) as z:
        names = sorted(n for n in z.namelist() if not n.endswith("/") and wanted(n))
        if len(names) > share:
            step = len(names) / share
            names = [names[int(i * step)] for i in range(share)]
        target = os.path.join(directory, "unpacked", os.path.basename(archive))
        return [z.extract(name, target) for name in names]


def collect(row, sources, max_files, max_bytes, directory):
    """The corpus of one row: its samples, then an even spread over each
    source's Debian files (an equal share of max_files each, so one large
    folder does not crowd out the others), each file at most a tenth of the
    byte budget. A source that is a zip archive is unpacked under directory."""
    samples = []
    folder = sample_folder(row)
    if os.path.isdir(folder):
        samples = sorted(os.path.join(folder, name) for name in os.listdir(folder))
    share = -(-max_files // max(1, len(sources)))
    found, seen = [], set()
    for root, recursive, wanted in sources:
        if root.endswith(".zip") and os.path.isfile(root):
            found += unpack(root, wanted, share, directory)
            continue
        if not os.path.isdir(root):
            continue
        walk = os.walk(root) if recursive else [(root, [], os.listdir(root))]
        paths = sorted(os.path.join(folder_path, name) for folder_path, _, names in walk for name in names)
        paths = [p for p in paths if p not in seen and os.path.isfile(p) and not os.path.islink(p) and wanted(p)]
        if len(paths) > share:
            step = len(paths) / share
            paths = [paths[int(i * step)] for i in range(share)]
        found += paths
        seen.update(paths)
    chosen, total = [], 0
    for path in samples + found:
        size = os.path.getsize(path)
        if size > max_bytes // 10 or total + size > max_bytes:
            continue
        chosen.append(path)
        total += size
    return chosen


def read_text(path):
    """The file as text, when it is UTF-8 without NUL characters (the
    command line would read anything else another way)."""
    with open(path, "rb") as f:
        data = f.read()
    if b"\0" in data:
        return None
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError:
        return None
    return text[1:] if text.startswith("\ufeff") else text


TAG = re.compile(r"<[^>]*>|&[a-z]+;|[^<&]+")
CODE_CELL = re.compile(r'<td[^>]*style="color:[^"]*">')
SPAN_COLOUR = re.compile(r'<span style="color:(#[0-9A-Fa-f]{6})')


def lumatype_classes(html_text, role_classes):
    """(characters, classes) of the non-blank characters of the code cell."""
    start = CODE_CELL.search(html_text).end()
    cell = html_text[start:html_text.index("</td>", start)]
    chars, classes = [], []
    current = "other"
    for piece in TAG.findall(cell):
        if piece.startswith("<"):
            if piece.startswith("<span"):
                current = role_classes.get(SPAN_COLOUR.match(piece).group(1).upper(), "other")
            elif piece == "</span>":
                current = "other"
            continue
        text = html.unescape(piece) if piece.startswith("&") else piece
        for c in text:
            if not c.isspace():
                chars.append(c)
                classes.append(current)
    return "".join(chars), classes


# highlight (the Debian package) beside us: its syntax per row, and its HTML
# classes mapped to the same five classes; the rest is "other".
HIGHLIGHT = "/usr/bin/highlight"
HIGHLIGHT_SYNTAX = {
    "C": "c", "C++": "c", "C#": "csharp", "Java": "java", "JavaScript": "js", "Python": "python", "SQL": "sql",
    "HTML": "html", "XML": "xml", "CSS": "css", "JSON": "json", "YAML": "yaml", "INI": "ini", "Makefile": "makefile",
    "CMake": "cmake", "Dockerfile": "dockerfile", "Visual Basic": "vb", "Delphi/Pascal": "pas",
    "Fortran": "fortran90", "Haskell": "haskell", "OCaml": "ocaml", "Scala": "scala", "R": "r", "MATLAB": "matlab",
    "Verilog": "verilog", "VHDL": "vhd", "Markdown": "markdown", "diff": "diff", "Go": "go", "Rust": "rs",
    "TypeScript": "ts", "Kotlin": "kotlin", "Swift": "swift", "PHP": "php", "Ruby": "ruby", "Shell": "sh",
    "PowerShell": "ps1", "Batch": "bat", "Lua": "lua", "Perl": "perl", "Objective-C": "objc", "Dart": "dart",
}
HIGHLIGHT_CLASSES = {"com": "comment", "slc": "comment", "str": "string", "esc": "string", "kwa": "keyword",
                     "kwb": "keyword", "kwc": "keyword", "ppc": "keyword", "num": "number"}
HIGHLIGHT_SPAN = re.compile(r'<span class="hl ([a-z]+)">')


def highlight_classes(path, syntax):
    """(characters, classes) of the non-blank characters as highlight colours
    them, or None when it fails."""
    run = subprocess.run([HIGHLIGHT, "-O", "html", "--fragment", "--syntax=" + syntax, "-i", path],
                         capture_output=True)
    if run.returncode != 0:
        return None
    chars, classes, stack = [], [], []
    for piece in TAG.findall(run.stdout.decode("utf-8", errors="replace")):
        if piece.startswith("<"):
            span = HIGHLIGHT_SPAN.match(piece)
            if span:
                stack.append(HIGHLIGHT_CLASSES.get(span.group(1), "other"))
            elif piece == "</span>" and stack:
                stack.pop()
            continue
        text = html.unescape(piece) if piece.startswith("&") else piece
        for c in text:
            if not c.isspace():
                chars.append(c)
                classes.append(stack[-1] if stack else "other")
    return "".join(chars), classes


C_FAMILY = ("C", "C++", "C#", "Objective-C")
TAG_KEYWORDS = ("HTML", "XML", "JSON", "YAML")
ATTRIBUTE_KEYWORDS = ("HTML", "XML")


def pygments_class(token, row):
    """The reference mapping. A preprocessor line (Comment.Preproc and
    PreprocFile) is a keyword in the C family and a comment elsewhere (Perl's
    POD is Comment.Preproc to Pygments); Name.Tag is a keyword in markup, JSON
    and YAML, Name.Attribute in markup only (elsewhere Pygments gives it to
    member names). A docstring (String.Doc) agrees with a comment or a
    string colour: see Tally.add."""
    if token in Comment.Preproc or token in Comment.PreprocFile:
        return "keyword" if row in C_FAMILY else "comment"
    if token in Comment:
        return "comment"
    if token in String:
        return "string"
    if token in Keyword or token in Name.Builtin:
        return "keyword"
    if token in Name.Tag and row in TAG_KEYWORDS:
        return "keyword"
    if token in Name.Attribute and row in ATTRIBUTE_KEYWORDS:
        return "keyword"
    if token in Number:
        return "number"
    return "other"


def pygments_classes(lexer, text, row):
    """(characters, classes, preprocessor flags, token of each) of the
    non-blank characters, and the tokens."""
    chars, classes, preproc, token_of = [], [], [], []
    tokens = list(lexer.get_tokens(text))
    for index, (token, value) in enumerate(tokens):
        kind = pygments_class(token, row)
        is_preproc = token in Comment.Preproc or token in Comment.PreprocFile
        for c in value:
            if not c.isspace():
                chars.append(c)
                classes.append(kind)
                preproc.append(is_preproc)
                token_of.append(index)
    return "".join(chars), classes, preproc, token_of, tokens


def role_classes_of(theme_path):
    """Colour -> class from the checker's theme: every role its own colour."""
    role_class = {"Comment": "comment", "Number": "number"}
    role_class.update({"Keyword%d" % k: "keyword" for k in range(4)})
    role_class.update({"String%d" % k: "string" for k in range(4)})
    colours, role = {}, None
    with open(theme_path) as f:
        for line in f:
            line = line.strip()
            if line.startswith("["):
                role = line[1:-1]
            elif line.startswith("Html=") and role:
                colours[line[5:].upper()] = role_class.get(role, "other")
    return colours


def make_config(directory, languages):
    """Lumatype.ini of the tree with the checker's theme as its only one,
    the tree's language files beside it."""
    with open(os.path.join(TREE, "data", "Lumatype.ini"), encoding="latin-1") as f:
        ini = f.read()
    ini = re.sub(r"\[ColorThemes\].*?(?=\n\[|\Z)", "[ColorThemes]\nCount=1\nName1=Classes\nFile1=class_theme.ini\n",
                 ini, flags=re.S)
    ini = re.sub(r"(?m)^ColorTheme=.*$", "ColorTheme=1", ini)
    with open(os.path.join(directory, "Lumatype.ini"), "w", encoding="latin-1") as f:
        f.write(ini)
    os.symlink(languages, os.path.join(directory, "languages"))
    theme = os.path.join(directory, "class_theme.ini")
    with open(os.path.join(HERE, "class_theme.ini")) as source, open(theme, "w") as f:
        f.write(source.read())
    return os.path.join(directory, "Lumatype.ini"), role_classes_of(theme)


class Tally:
    def __init__(self, rival=True):
        self.files = self.chars = self.agree = 0
        self.skipped = []
        self.confusion = collections.Counter()
        self.preproc_chars = self.preproc_agree = 0
        self.tokens = collections.Counter()  # characters lost per (ours, theirs, Pygments token, its text)
        self.types = collections.Counter()  # characters lost per Pygments token type
        self.multiline = 0  # characters lost inside strings that run over a line end
        self.highlight = Rival() if rival else None  # highlight's colouring of the same files
        self.beside = Rival() if rival else None  # ours on the files highlight colours too

    def add(self, ours, theirs, preproc, token_of, tokens):
        self.files += 1
        self.chars += len(ours)
        for a, b, p, index in zip(ours, theirs, preproc, token_of):
            if a != b and a in ("comment", "string") and tokens[index][0] in String.Doc:
                b = a
            if a == b:
                self.agree += 1
            else:
                self.confusion[(a, b)] += 1
                token, value = tokens[index]
                name = str(token).replace("Token.", "")
                self.tokens[(a, b, name, value.strip()[:40])] += 1
                self.types[name] += 1
                self.multiline += b == "string" and "\n" in value.strip()
            if p:
                self.preproc_chars += 1
                self.preproc_agree += a == b

    def percent(self, count):
        return 100.0 * count / self.chars if self.chars else 0.0


def Rival():
    return Tally(rival=False)


def check_row(row, lang, lexer_name, files, cli, config, role_classes):
    tally = Tally()
    lexer = get_lexer_by_name(lexer_name, stripnl=False, ensurenl=True)
    for path in files:
        text = read_text(path)
        if text is None:
            tally.skipped.append((path, "not UTF-8 text"))
            continue
        run = subprocess.run([cli, "--config", config, "--lang", lang, "-n", path], capture_output=True)
        if run.returncode != 0:
            if run.returncode == 1 and not text.strip():
                continue
            tally.skipped.append((path, "lumatype-cli: " + run.stderr.decode(errors="replace").strip()))
            continue
        our_chars, ours = lumatype_classes(run.stdout.decode("utf-8"), role_classes)
        their_chars, theirs, preproc, token_of, tokens = pygments_classes(lexer, text, row)
        if our_chars != their_chars:
            tally.skipped.append((path, "the two sides see different characters"))
            continue
        tally.add(ours, theirs, preproc, token_of, tokens)
        syntax = HIGHLIGHT_SYNTAX.get(row)
        if syntax and os.access(HIGHLIGHT, os.X_OK):
            other = highlight_classes(path, syntax)
            if other and other[0] == their_chars:
                tally.highlight.add(other[1], theirs, preproc, token_of, tokens)
                tally.beside.add(ours, theirs, preproc, token_of, tokens)
    return tally


def round_trip(tool, lang, files):
    """lumatype-corpus' last line for the files, converted as `lang`."""
    run = subprocess.run([tool, "--lang", lang] + files, capture_output=True, text=True)
    lines = run.stdout.strip().splitlines() or [run.stderr.strip()]
    failing = [line.strip() for line in lines if line.startswith("  ")]
    return run.returncode == 0, lines[-1], failing


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--cli", default=os.path.join(TREE, "build", "native", "bin", "lumatype-cli"))
    parser.add_argument("--corpus-tool", default=os.path.join(TREE, "build", "native", "bin", "lumatype-corpus"))
    parser.add_argument("--languages", default=os.path.join(TREE, "data", "languages"),
                        help="folder of the language files (default: the tree's)")
    parser.add_argument("--only", nargs="*", help="rows to check (default: all)")
    parser.add_argument("--max-files", type=int, default=150, help="Debian files per row (default 150)")
    parser.add_argument("--max-bytes", type=int, default=1500000, help="bytes per row (default 1.5 MB)")
    parser.add_argument("--list", action="store_true", help="print each row's files and the skipped ones")
    parser.add_argument("--tokens", type=int, default=0, metavar="N",
                        help="print the N Pygments tokens that lose the most characters per row")
    args = parser.parse_args()
    if not os.access(args.cli, os.X_OK):
        sys.exit("agreement: no lumatype-cli at %s (make native builds it)" % args.cli)

    print("Pygments %s; classes compared per non-blank character" % pygments.__version__)
    print("%-15s %6s %9s %7s  %-20s %s" % ("language", "files", "chars", "agree", "highlight/ours (files)",
                                          "largest disagreements (ours / theirs)"))
    below, trips_failed = [], []
    with tempfile.TemporaryDirectory() as directory:
        config, role_classes = make_config(directory, os.path.abspath(args.languages))
        total = Tally()
        for row, lang, lexer_name, sources in LANGUAGES:
            if args.only and row not in args.only:
                continue
            files = collect(row, sources, args.max_files, args.max_bytes, directory)
            tally = check_row(row, lang, lexer_name, files, args.cli, config, role_classes)
            agreement = tally.percent(tally.agree)
            total.chars += tally.chars
            total.agree += tally.agree
            rival = tally.highlight
            if rival and rival.chars:
                total.highlight.chars += rival.chars
                total.highlight.agree += rival.agree
                total.beside.chars += tally.beside.chars
                total.beside.agree += tally.beside.agree
                # Over the files both colour, with ours on the same files after the slash.
                theirs = "%5.1f%%/%5.1f%% (%d)" % (rival.percent(rival.agree),
                                                  tally.beside.percent(tally.beside.agree), rival.files)
            else:
                theirs = "%5s" % "-"
            worst = ", ".join("%s/%s %.1f%%" % (a, b, tally.percent(n)) for (a, b), n in tally.confusion.most_common(4))
            mark = "*" if row in TARGETS else " "
            print("%-15s %6d %9d %6.1f%%%s %s  %s" % (row, tally.files, tally.chars, agreement, mark, theirs, worst))
            if tally.types:
                print("%-15s lost on Pygments' %s; in strings over several lines %.1f%%" % (
                    "", ", ".join("%s %.1f%%" % (name, tally.percent(n)) for name, n in tally.types.most_common(3)),
                    tally.percent(tally.multiline)))
            if tally.preproc_chars:
                print("%-15s preprocessor lines (Pygments Comment.Preproc): %.1f%% of the characters, %.1f%% of "
                      "them agree; without them %.1f%%" % (
                          "", tally.percent(tally.preproc_chars), 100.0 * tally.preproc_agree / tally.preproc_chars,
                          100.0 * (tally.agree - tally.preproc_agree) / max(1, tally.chars - tally.preproc_chars)))
            if tally.skipped:
                print("%-15s %d files left out: %s" % ("", len(tally.skipped), tally.skipped[0][1]))
            for (a, b, token, value), n in tally.tokens.most_common(args.tokens):
                print("    %5d %s/%s %s %r" % (n, a, b, token, value))
            if args.list:
                for path in files:
                    print("    " + path)
                for path, why in tally.skipped:
                    print("    left out: %s: %s" % (path, why))
            if row in TARGETS and agreement < TARGETS[row]:
                below.append(row)
            if os.access(args.corpus_tool, os.X_OK) and files:
                passed, summary, failing = round_trip(args.corpus_tool, lang, files)
                print("%-15s round trip: %s" % ("", summary))
                if not passed:
                    trips_failed.append(row)
                    for line in failing[:5]:
                        print("%-15s   %s" % ("", line))
    print("%-15s %6s %9d %6.1f%%" % ("overall", "", total.chars, total.percent(total.agree)))
    if total.highlight.chars:
        print("%-15s on the files highlight colours too (%d characters): ours %.1f%%, highlight %.1f%%" % (
            "", total.highlight.chars, total.beside.percent(total.beside.agree),
            total.highlight.percent(total.highlight.agree)))
    print("* a target (95%% for C, C++, Java, JavaScript, Python, SQL, Go, PHP; 90%% for the other starred rows); "
          "below it: %s" % (", ".join(below) or "none"))
    if not os.access(args.corpus_tool, os.X_OK):
        print("round trip not checked: no lumatype-corpus at %s" % args.corpus_tool)
    elif trips_failed:
        print("round trip failing for: " + ", ".join(trips_failed))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())

#!/usr/bin/env python3
"""The agreement checker's own reading of both sides: a fault here would
shift every figure it prints without a sign. Run by make agreement before
the measure; LUMATYPE_CLI names the lumatype-cli of the end-to-end case."""
import os
import tempfile
import unittest
import zipfile

import agreement
from pygments.token import Comment, Keyword, Name, Number, Operator, String, Text

THEME = os.path.join(agreement.HERE, "class_theme.ini")
CLI = os.environ.get("LUMATYPE_CLI", os.path.join(agreement.TREE, "build", "native", "bin", "lumatype-cli"))


def cell(content):
    """The HTML around a code cell as the command line writes it."""
    return ('<div><table><tbody>\r\n<tr><td colspan="5" bgcolor="#C00040" height="2px"></td></tr><tr>\r\n'
            '<td bgcolor="#FFFFFF" width="4px"></td>\r\n<td bgcolor="#FFFFFF" style="color:#000000">\r\n'
            + content + '\r\n</td>\r\n<td bgcolor="#C00040" width="2px"></td>\r\n</tr></tbody></table></div>')


class ReadingTheHtml(unittest.TestCase):
    def setUp(self):
        self.roles = agreement.role_classes_of(THEME)

    def test_every_role_has_its_own_colour(self):
        with open(THEME) as f:
            colours = [line.strip()[5:].upper() for line in f if line.startswith("Html=")]
        self.assertEqual(len(colours), 16)
        self.assertEqual(len(set(colours)), 16)

    def test_span_colours_entities_and_blanks(self):
        html = cell('<span style="color:#C00013">#include </span>&lt;a.h&gt;<br/>\r\n'
                    '&nbsp;&nbsp;<span style="color:#C00011">int </span>x<span style="color:#C00030">=</span>'
                    '<span style="color:#C00002">0x1F</span><span style="color:#C00021">&quot;a&amp;b&quot;</span>'
                    '<span style="color:#C00001">/* c */</span>')
        chars, classes = agreement.lumatype_classes(html, self.roles)
        self.assertEqual(chars, '#include<a.h>intx=0x1F"a&b"/*c*/')
        expected = (["keyword"] * 8 + ["other"] * 5 + ["keyword"] * 3 + ["other"] * 2 + ["number"] * 4
                    + ["string"] * 5 + ["comment"] * 5)
        self.assertEqual(classes, expected)


class ReadingPygments(unittest.TestCase):
    def test_token_types_map_to_the_five_classes(self):
        cases = {
            Comment.Single: "comment", Comment.Preproc: "comment", Comment.PreprocFile: "comment", Name.Tag: "other",
            String.Doc: "string", String.Escape: "string", String.Interpol: "string",
            Keyword: "keyword", Keyword.Type: "keyword", Keyword.Constant: "keyword",
            Name.Builtin: "keyword", Name.Builtin.Pseudo: "keyword",
            Number.Hex: "number", Number.Float: "number",
            Operator.Word: "other", Name.Exception: "other", Name.Function: "other", Text: "other",
        }
        for token, expected in cases.items():
            self.assertEqual(agreement.pygments_class(token, "Perl"), expected, str(token))

    def test_directives_tags_and_attributes_count_as_keywords_where_the_mapping_says(self):
        self.assertEqual(agreement.pygments_class(Comment.PreprocFile, "C"), "keyword")
        self.assertEqual(agreement.pygments_class(Name.Tag, "JSON"), "keyword")
        self.assertEqual(agreement.pygments_class(Name.Attribute, "HTML"), "keyword")
        self.assertEqual(agreement.pygments_class(Name.Attribute, "Python"), "other")


class ChoosingTheFiles(unittest.TestCase):
    def test_a_zip_source_gives_an_even_spread_of_its_wanted_members_as_files(self):
        with tempfile.TemporaryDirectory() as directory:
            archive = os.path.join(directory, "src.zip")
            with zipfile.ZipFile(archive, "w") as z:
                for n in range(6):
                    z.writestr("java.base/p/C%d.java" % n, "class C%d {}\n" % n)
                z.writestr("java.base/p/notes.txt", "not code")
            files = agreement.collect("Nothing", [(archive, True, agreement.by_ext(".java"))], 3, 10000, directory)
            self.assertEqual([os.path.basename(f) for f in files], ["C0.java", "C2.java", "C4.java"])
            with open(files[1]) as f:
                self.assertEqual(f.read(), "class C2 {}\n")


@unittest.skipUnless(os.access(CLI, os.X_OK), "no lumatype-cli at " + CLI)
class BothSidesOfOneFile(unittest.TestCase):
    def test_a_c_file_agrees_where_both_lexers_agree(self):
        code = '#include <stdio.h>\n/* two\n   lines */\nint main(void) {\n\treturn report("%d\\n", 0x1F); // end\n}\n'
        with tempfile.TemporaryDirectory() as directory:
            config, roles = agreement.make_config(directory, os.path.join(agreement.TREE, "data", "languages"))
            path = os.path.join(directory, "sample.c")
            with open(path, "w") as f:
                f.write(code)
            tally = agreement.check_row("C", "C/C++", "c", [path], CLI, config, roles)
        self.assertEqual(tally.skipped, [])
        self.assertEqual(tally.files, 1)
        self.assertEqual(tally.chars, len("".join(code.split())))
        # The directive line is a keyword to both.
        self.assertEqual(tally.preproc_chars, len("#include<stdio.h>"))
        self.assertEqual(tally.agree, tally.chars)


if __name__ == "__main__":
    unittest.main()

'use strict';
// Readers copy posted code back out of the rendered fragment. Selecting the
// code cell (both markups, lines kept whole or wrapping, tabs of fixed
// width or to the next stop) and copying it to the clipboard must give the
// code: no line numbers, no U+00A0, each tab as the configured blanks. The
// selection's own text (getSelection().toString()) is reported beside it.
//   copy_test.js <lumatype-cli> <directory of the shipped settings> <work directory>
const fs = require('fs');
const path = require('path');
const h = require('./harness');
const { DevToolsPage } = require('./devtools');

const [cli, binDir, workDir] = process.argv.slice(2).map(arg => path.resolve(arg));

const settings = new h.SettingsVariants(binDir, workDir);
const shipped = settings.write('shipped', {});
const tabWidth = Number(h.iniValue(settings.shipped, 'Common', 'TabToSpaces'));
// Blanks inside lines, strings and comments, indentation as Python, YAML
// and Makefiles need it.
const code = h.sampleCode() + [
    'def total(values):',
    '    return sum(v  for v in values)  # two  blanks',
    'key:   "three   blanks"',
    '\t$(CC) -o $@ $^',
    '  \t  mixed',
].join('\n') + '\n';
const codeFile = path.join(workDir, 'copy.cpp');
fs.writeFileSync(codeFile, code);

// The code with each tab as `tabWidth` blanks, or up to the next multiple of
// it when tabs stop at columns.
function expectedText(stops) {
    return code.replace(/\n$/, '').split('\n').map(line => {
        let out = '';
        for (const c of line) out += c === '\t' ? ' '.repeat(stops ? tabWidth - [...out].length % tabWidth : tabWidth) : c;
        return out;
    }).join('\n');
}

const variants = [
    { name: 'styles, lines kept whole', args: [] },
    { name: 'styles, lines wrap', args: ['--wrap'] },
    { name: 'styles, tab stops', args: ['--tab-stops'], stops: true },
    { name: 'font tags', args: ['--markup', 'font'] },
    { name: 'font tags, tab stops', args: ['--markup', 'font', '--tab-stops'], stops: true },
];
const fragments = variants.map((variant, v) => ({
    id: `v${v}`, html: h.convert(cli, shipped, ['-l', 'cpp', ...variant.args], codeFile), width: 600 }));

// Selects the code cell of a fragment; the selection's text and what a copy
// put on the clipboard.
const kCopyScript = id => `(async () => {
    const table = document.getElementById('${id}').querySelector('table');
    const cells = table.rows[1].cells;
    const range = document.createRange();
    range.selectNodeContents(cells[cells.length === 9 ? 6 : 2]);
    const selection = getSelection();
    selection.removeAllRanges();
    selection.addRange(range);
    await navigator.clipboard.writeText('');
    const copied = document.execCommand('copy');
    return { selected: selection.toString(), copied, clipboard: await navigator.clipboard.readText() };
})()`;

// The first difference of two texts, for the message.
function firstDifference(actual, expected) {
    let i = 0;
    while (i < actual.length && actual[i] === expected[i]) ++i;
    const line = expected.slice(0, i).split('\n').length;
    return `line ${line}: ${JSON.stringify(actual.slice(i, i + 30))} for ${JSON.stringify(expected.slice(i, i + 30))}`;
}

(async () => {
    const page = await DevToolsPage.open(h.findChromium(), workDir);
    try {
        for (const standards of [false, true]) {
            const mode = standards ? 'standards' : 'quirks';
            const file = path.join(workDir, `copy-${mode}.html`);
            fs.writeFileSync(file, h.pageHtml(fragments, standards, false));
            await page.load(file);
            for (const [v, variant] of variants.entries()) {
                const where = `${mode} ${variant.name}`;
                const expected = expectedText(variant.stops);
                const { selected, copied, clipboard } = await page.evaluate(kCopyScript(`v${v}`));
                const nbsp = [...selected].filter(c => c === '\u00a0').length;
                const selectedAsBlanks = selected.replace(/\u00a0/g, ' ') === expected;
                console.log(`${where}: the selection's text has ${nbsp} U+00A0` +
                            `${selectedAsBlanks ? ', else it is the code' : `; ${firstDifference(selected, expected)}`}; ` +
                            `the clipboard has ${[...clipboard].filter(c => c === '\u00a0').length} U+00A0 and ` +
                            `${clipboard === expected ? 'is the code' : 'is not the code'}`);
                if (!copied) h.fail(`${where}: the copy command did not run`);
                else if (clipboard !== expected) h.fail(`${where}: the clipboard differs, ${firstDifference(clipboard, expected)}`);
            }
        }
    } finally {
        await page.close();
    }
    if (!process.exitCode) console.log('PASS');
})().catch(error => {
    h.fail(error.stack || String(error));
});

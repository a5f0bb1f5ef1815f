'use strict';
// Renders lumatype-cli's HTML in headless Chromium and checks it through the
// DOM and computed styles: numbers level with their lines, indentation,
// theme colours, borders. Also saves screenshots of a light and a dark theme.
//   render_test.js <lumatype-cli> <directory of the shipped settings> <work directory>
const fs = require('fs');
const path = require('path');
const h = require('./harness');

const [cli, binDir, workDir] = process.argv.slice(2).map(arg => path.resolve(arg));
const kMaxDrift = 0.5;  // px between a number and its line
const kLight = 1, kDark = 2;  // theme numbers
const kFontSizes = ['13px', '16px'];

const browser = new h.Browser(workDir);
const settings = new h.SettingsVariants(binDir, workDir);
const code = h.sampleCode();
const codeFile = path.join(workDir, 'sample.cpp');
fs.writeFileSync(codeFile, code);
const tabWidth = Number(h.iniValue(settings.shipped, 'Common', 'TabToSpaces'));
const expectedColumns = h.leadingColumns(code, tabWidth);
const shippedLineHeight = h.iniValue(settings.shipped, 'Common', 'line_height');
const borderWidth = parseFloat(h.iniValue(settings.shipped, 'Common', 'border_size'));

// The keyword class of each word of the C/C++ definition (a leading digit).
const keywordClass = new Map();
for (const line of fs.readFileSync(path.join(binDir, 'languages', 'cpp.lang'), 'latin1').split(/\r?\n/)) {
    if (/^[;[]/.test(line) || line.includes('=')) continue;
    for (const word of line.split(/\s+/).filter(Boolean)) {
        const digit = /^[0-3]/.test(word) ? Number(word[0]) : 0;
        keywordClass.set(digit ? word.slice(1) : word, digit);
    }
}

const fragments = [];
const variants = [];
for (const theme of [kLight, kDark]) {
    for (const size of kFontSizes) {
        for (const lineHeight of [shippedLineHeight, '']) {
            const id = `theme${theme}-${size}-${lineHeight ? 'lh' + lineHeight : 'nolh'}`;
            const config = settings.write(id, { font_size: size, line_height: lineHeight });
            fragments.push({ id, html: h.convert(cli, config, ['-l', 'cpp', '--theme', String(theme)], codeFile) });
            variants.push({ id, theme, size, lineHeight });
        }
    }
}

function check(condition, message) {
    if (!condition) h.fail(message);
    return condition;
}

function checkColours(where, m, colours) {
    const rgb = role => h.cssRgb(colours[role]);
    check(m.numberColor === rgb('LineNo'), `${where}: numbers in ${m.numberColor}, not LineNo ${rgb('LineNo')}`);
    check(m.numberBackground === rgb('LineNoBkgnd'), `${where}: number background ${m.numberBackground}`);
    check(m.codeColor === rgb('Text'), `${where}: code text in ${m.codeColor}, not Text ${rgb('Text')}`);
    check(m.codeBackground === rgb('Bkgnd'), `${where}: code background ${m.codeBackground}`);
    const seen = { Comment: 0, String0: 0, Keyword0: 0 };
    for (const span of m.spans) {
        let role = null;
        if (/^(\/\/|\/\*)/.test(span.text)) role = 'Comment';
        else if (/^"/.test(span.text)) role = 'String0';
        else if (keywordClass.get(span.text) === 0) role = 'Keyword0';
        if (!role) continue;
        ++seen[role];
        check(span.color === rgb(role), `${where}: "${span.text}" in ${span.color}, not ${role} ${rgb(role)}`);
    }
    for (const [role, count] of Object.entries(seen)) check(count >= 10, `${where}: only ${count} ${role} spans`);
    for (const [i, cell] of m.borders.entries()) {
        check(cell.background === rgb('Border'), `${where}: border ${i} in ${cell.background}`);
        const thickness = i === 0 || i === 4 ? cell.height : cell.width;
        check(Math.abs(thickness - borderWidth) < 0.01, `${where}: border ${i} is ${thickness} px thick`);
    }
}

function checkIndentation(where, m) {
    check(m.indents.length === expectedColumns.length,
          `${where}: ${m.indents.length} code lines for ${expectedColumns.length}`);
    expectedColumns.forEach((columns, i) => {
        const line = m.indents[i];
        if (!line) return;
        check(line.blanks === columns, `${where}: line ${i + 1} has ${line.blanks} leading blanks, not ${columns}`);
        const expected = columns * m.blankWidth;
        check(Math.abs(line.offset - expected) <= 0.5,
              `${where}: line ${i + 1} starts ${line.offset.toFixed(2)} px in, not ${expected.toFixed(2)}`);
    });
}

// The largest distance between a number and its code line, with the line.
function drift(m) {
    let worst = { px: 0, line: 0 };
    m.codeTops.forEach((top, i) => {
        const px = Math.abs(top - m.numberTops[i]);
        if (px > worst.px) worst = { px, line: i + 1 };
    });
    return worst;
}

console.log(`${code.split('\n').length - 1} lines, shipped line_height=${shippedLineHeight}`);
check(shippedLineHeight, 'the shipped settings set no line_height: the numbers are not held level');
for (const standards of [false, true]) {
    const mode = standards ? 'standards' : 'quirks';
    const measured = browser.measure(`render-${mode}`, fragments, standards);
    for (const variant of variants) {
        const m = measured[variant.id];
        const where = `${mode} ${variant.id}`;
        check(m.mode === (standards ? 'CSS1Compat' : 'BackCompat'), `${where}: the page is in ${m.mode}`);
        check(m.numberTops.length === expectedColumns.length && m.codeTops.length === expectedColumns.length,
              `${where}: ${m.numberTops.length} numbers, ${m.codeTops.length} code lines measured`);
        check(m.numbers.every((n, i) => n.text === String(i + 1)), `${where}: the numbers do not count 1, 2, 3...`);
        const worst = drift(m);
        console.log(`${mode.padEnd(9)} theme ${variant.theme} ${variant.size} line_height=${variant.lineHeight || '(empty)'}` +
                    `: drift ${worst.px.toFixed(2)} px` + (worst.line ? ` (line ${worst.line})` : '') +
                    `; code set in ${m.fontSize} ${m.fontFamily}`);
        if (variant.lineHeight)
            check(worst.px <= kMaxDrift, `${where}: a number sits ${worst.px.toFixed(2)} px off line ${worst.line}`);
        checkColours(where, m, settings.themeColours(variant.theme));
        checkIndentation(where, m);
    }
}

for (const [name, theme] of [['light', kLight], ['dark', kDark]]) {
    const id = `theme${theme}-${kFontSizes[0]}-lh${shippedLineHeight}`;
    const file = path.join(workDir, `screenshot-${name}.png`);
    browser.screenshot(file, fragments.filter(f => f.id === id), true);
    console.log(`screenshot of the ${name} theme: ${file}`);
}
if (!process.exitCode) console.log('PASS');

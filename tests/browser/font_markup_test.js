'use strict';
// The font-tag markup (--markup font) through a sanitizer that refuses every
// style but keeps font tags and table attributes: every character keeps the
// colour the inline styles give it, the code is set in the configured
// monospace family, and numbers stay level on lines without fallback glyphs.
// The drift on lines with CJK or emoji, which only a line height holds
// level, and what the inline styles lose there are reported.
//   font_markup_test.js <lumatype-cli> <directory of the shipped settings> <work directory> <npm directory>
const fs = require('fs');
const path = require('path');
const h = require('./harness');
const { loadSanitizer, kFontOnly } = require('./forums');

const [cli, binDir, workDir, npmDir] = process.argv.slice(2).map(arg => path.resolve(arg));
const kMaxDrift = 0.5;  // px between a number and its line
const kNeedsFallback = /[^\u0000-\u024f]/u;  // beyond ASCII and Latin

const sanitize = loadSanitizer(npmDir);
const browser = new h.Browser(workDir);
const settings = new h.SettingsVariants(binDir, workDir);
const shipped = settings.write('shipped', {});
const family = h.iniValue(settings.shipped, 'Common', 'font_family');

const samples = { latin: h.latinCode(), cjk: h.sampleCode() };
const fragments = [];
for (const [name, code] of Object.entries(samples)) {
    const codeFile = path.join(workDir, `${name}.cpp`);
    fs.writeFileSync(codeFile, code);
    for (const theme of [1, 2]) {
        const convert = args => h.convert(cli, shipped, ['-l', 'cpp', '--theme', String(theme), ...args], codeFile);
        const styles = convert([]), tags = convert(['--markup', 'font']);
        fragments.push({ id: `${name}${theme}-styles`, html: styles },
                       { id: `${name}${theme}-styles-sanitized`, html: sanitize(styles, kFontOnly) },
                       { id: `${name}${theme}-font`, html: tags },
                       { id: `${name}${theme}-font-sanitized`, html: sanitize(tags, kFontOnly) });
    }
}

function check(condition, message) {
    if (!condition) h.fail(message);
    return condition;
}

// Characters of `other` whose colour differs from the same character of
// `original`, and how many were compared.
function colourChanges(original, other) {
    let compared = 0;
    const changed = [];
    original.characters.forEach((line, i) => line.forEach(([c, colour], k) => {
        ++compared;
        const after = (other.characters[i] || [])[k];
        if (!after || after[0] !== c || after[1] !== colour)
            changed.push(`line ${i + 1} "${c}" ${colour} became ${after ? `"${after[0]}" ${after[1]}` : 'nothing'}`);
    }));
    return { compared, changed };
}

const sameFamily = (a, b) => a.replace(/["']/g, '').replace(/\s*,\s*/g, ',') === b.replace(/["']/g, '').replace(/\s*,\s*/g, ',');
const worst = drifts => drifts.reduce((most, d, i) => (d > most.px ? { px: d, line: i + 1 } : most), { px: 0, line: 0 });

for (const page of fragments.filter(f => /-font/.test(f.id)))
    check(!/style=/i.test(page.html), `${page.id}: font tags with a style attribute`);
for (const standards of [false, true]) {
    const mode = standards ? 'standards' : 'quirks';
    const measured = browser.measure(`font-markup-${mode}`, fragments, standards);
    for (const [name, code] of Object.entries(samples)) {
        const lines = code.replace(/\n$/, '').split('\n');
        for (const theme of [1, 2]) {
            const id = `${name}${theme}`, where = `${mode} ${name} theme ${theme}`;
            const styles = measured[`${id}-styles`], tags = measured[`${id}-font-sanitized`];
            const asTags = colourChanges(styles, measured[`${id}-font`]);
            check(!asTags.changed.length, `${where}: font tags colour otherwise:\n  ${asTags.changed.slice(0, 5).join('\n  ')}`);
            const sanitized = colourChanges(measured[`${id}-font`], tags);
            check(!sanitized.changed.length,
                  `${where}: the sanitizer changed colours:\n  ${sanitized.changed.slice(0, 5).join('\n  ')}`);
            check(tags.numbers.every((n, i) => n.color === styles.numbers[i].color) &&
                  tags.numberBackground === styles.numberBackground && tags.codeBackground === styles.codeBackground,
                  `${where}: number or background colours changed`);
            check(sameFamily(tags.fontFamily, family), `${where}: code set in ${tags.fontFamily}, not ${family}`);
            check(Math.abs(tags.letterWidths.i - tags.letterWidths.W) < 0.01,
                  `${where}: "i" is ${tags.letterWidths.i} px wide, "W" ${tags.letterWidths.W} px: not monospace`);
            const drifts = h.lineDrifts(tags);
            check(drifts.length === lines.length && drifts.every(d => d !== null), `${where}: ${drifts.length} lines measured`);
            const plain = worst(drifts.map((d, i) => (kNeedsFallback.test(lines[i]) ? 0 : d)));
            const fallback = worst(drifts.map((d, i) => (kNeedsFallback.test(lines[i]) ? d : 0)));
            // What one taller line adds to the drift of every line below it.
            const step = Math.max(0, ...drifts.slice(1).map((d, i) =>
                (kNeedsFallback.test(lines[i]) ? d - drifts[i] : 0)));
            if (name === 'latin')
                check(plain.px <= kMaxDrift, `${where}: number ${plain.line} sits ${plain.px.toFixed(2)} px off its line`);
            const lost = colourChanges(styles, measured[`${id}-styles-sanitized`]);
            console.log(`${where}: ${sanitized.compared} characters keep their colour through the sanitizer; ` +
                        `code in ${tags.fontSize} ${tags.fontFamily}; drift up to ${plain.px.toFixed(2)} px on ` +
                        `ASCII/Latin lines` + (name === 'cjk' ? ` (line ${plain.line}), ` +
                        `${fallback.px.toFixed(2)} px on CJK/emoji lines (line ${fallback.line}), each of which adds up to ` +
                        `${step.toFixed(2)} px to the lines below` : '') +
                        `; inline styles through the same sanitizer: ${lost.changed.length} characters lose their colour, ` +
                        `code in ${measured[`${id}-styles-sanitized`].fontFamily}`);
        }
    }
}
if (!process.exitCode) console.log('PASS');

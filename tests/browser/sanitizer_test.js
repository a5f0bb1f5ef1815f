'use strict';
// Passes lumatype-cli's HTML through sanitize-html with the allow-list of a
// forum that permits inline styles, and checks in headless Chromium that it
// renders as the original: the same colours and positions of every line and
// number. A strict allow-list without styles shows what such a forum loses.
//   sanitizer_test.js <lumatype-cli> <directory of the shipped settings> <work directory> <npm directory>
const fs = require('fs');
const path = require('path');
const h = require('./harness');
const { loadSanitizer, kForum, kStrict } = require('./forums');

const [cli, binDir, workDir, npmDir] = process.argv.slice(2).map(arg => path.resolve(arg));

const sanitize = loadSanitizer(npmDir);
const browser = new h.Browser(workDir);
const settings = new h.SettingsVariants(binDir, workDir);
const codeFile = path.join(workDir, 'sample.cpp');
fs.writeFileSync(codeFile, h.sampleCode());

const fragments = [];
for (const theme of [1, 2]) {
    const html = h.convert(cli, settings.write('shipped', {}), ['-l', 'c', '--theme', String(theme)], codeFile);
    fragments.push({ id: `original${theme}`, html },
                   { id: `forum${theme}`, html: sanitize(html, kForum) },
                   { id: `strict${theme}`, html: sanitize(html, kStrict) });
}

const kTolerance = 0.01;  // px
const near = (a, b) => a === b || (a !== null && b !== null && Math.abs(a - b) <= kTolerance);

// Every difference between two measurements of one fragment, each as its
// kind and what changed.
function differences(original, other) {
    const found = [];
    const compare = (kind, item, a, b, same = (x, y) => x === y) => {
        if (!same(a, b)) found.push({ kind, text: `${item}${kind}: ${JSON.stringify(a)} became ${JSON.stringify(b)}` });
    };
    for (const key of ['fontFamily', 'fontSize', 'numberColor', 'numberBackground', 'codeColor', 'codeBackground'])
        compare(key, '', original[key], other[key]);
    compare('line count', '', original.codeTops.length, other.codeTops.length);
    original.codeTops.forEach((top, i) => compare('line top', `${i + 1} `, top, other.codeTops[i], near));
    original.numbers.forEach((number, i) => {
        const after = other.numbers[i] || {};
        compare('number text', `${i + 1} `, number.text, after.text);
        compare('number left', `${i + 1} `, number.left, after.left, near);
        compare('number top', `${i + 1} `, number.top, after.top, near);
    });
    compare('span count', '', original.spans.length, other.spans.length);
    original.spans.forEach((span, i) => {
        const after = other.spans[i] || {};
        const item = `${JSON.stringify(span.text)} `;
        compare('span colour', item, span.color, after.color);
        compare('span left', item, span.left, after.left, near);
        compare('span top', item, span.top, after.top, near);
    });
    original.borders.forEach((cell, i) => compare('border colour', `${i} `, cell.background, (other.borders[i] || {}).background));
    return found;
}

// What the strict allow-list loses, counted by kind.
function summary(found) {
    const kinds = new Map();
    for (const { kind } of found) kinds.set(kind, (kinds.get(kind) || 0) + 1);
    return [...kinds].map(([kind, count]) => `${count} x ${kind}`).join('; ');
}

for (const standards of [false, true]) {
    const mode = standards ? 'standards' : 'quirks';
    const measured = browser.measure(`sanitizer-${mode}`, fragments, standards);
    for (const theme of [1, 2]) {
        const original = measured[`original${theme}`];
        const forum = differences(original, measured[`forum${theme}`]);
        if (forum.length)
            h.fail(`${mode} theme ${theme}: the forum's HTML renders otherwise:\n  ${forum.map(d => d.text).join('\n  ')}`);
        else console.log(`${mode} theme ${theme}: sanitized for the forum, it renders the same`);
        const strict = differences(original, measured[`strict${theme}`]);
        const drift = Math.max(...measured[`strict${theme}`].codeTops.map((top, i) =>
            Math.abs(top - measured[`strict${theme}`].numberTops[i])));
        console.log(`${mode} theme ${theme}: without styles: ${summary(strict)}; numbers drift up to ` +
                    `${drift.toFixed(2)} px; for instance:\n  ${strict.slice(0, 4).map(d => d.text).join('\n  ')}`);
    }
}
if (!process.exitCode) console.log('PASS');

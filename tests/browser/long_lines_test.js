'use strict';
// Lines of 300 characters in forum columns 320, 600 and 900 px wide, quirks
// and standards mode. With the shipped settings (no_wrap) every number must
// stay level with its line, the fragment no wider than its column, and its
// scroll width must reach the end of the longest line. Lines that wrap
// (--wrap), a forum that strips white-space and overflow, and font tags are
// measured and reported.
//   long_lines_test.js <lumatype-cli> <directory of the shipped settings> <work directory> <npm directory>
const fs = require('fs');
const path = require('path');
const h = require('./harness');
const { loadSanitizer, kForum } = require('./forums');

const [cli, binDir, workDir, npmDir] = process.argv.slice(2).map(arg => path.resolve(arg));
const kMaxDrift = 0.5;  // px between a number and its line
const kWidths = [320, 600, 900];  // px, the forum's column

const sanitize = loadSanitizer(npmDir);
const browser = new h.Browser(workDir);
const settings = new h.SettingsVariants(binDir, workDir);
const code = h.longLineCode();
const codeFile = path.join(workDir, 'long-lines.cpp');
fs.writeFileSync(codeFile, code);
const lineCount = code.split('\n').length - 1;
const shipped = settings.write('shipped', {});
const convert = args => h.convert(cli, shipped, ['-l', 'cpp', ...args], codeFile);

const noWrap = convert([]);
const variants = [
    { name: 'no_wrap', html: noWrap, checked: true },
    { name: 'no_wrap, forum strips white-space and overflow', html: sanitize(noWrap, kForum) },
    { name: 'lines wrap (--wrap)', html: convert(['--wrap']) },
    { name: 'font tags (--markup font)', html: convert(['--markup', 'font']) },
];
const fragments = [];
variants.forEach((variant, v) => {
    for (const width of kWidths) fragments.push({ id: `v${v}-${width}`, html: variant.html, width });
});

function check(condition, message) {
    if (!condition) h.fail(message);
    return condition;
}

console.log(`${lineCount} lines, the longest 300 characters`);
if (!check(!/white-space|overflow/.test(sanitize(noWrap, kForum)), 'the forum keeps white-space or overflow'))
    process.exit();
for (const standards of [false, true]) {
    const mode = standards ? 'standards' : 'quirks';
    const measured = browser.measure(`long-lines-${mode}`, fragments, standards);
    variants.forEach((variant, v) => {
        for (const width of kWidths) {
            const m = measured[`v${v}-${width}`];
            const where = `${mode} ${width} px, ${variant.name}`;
            const drifts = h.lineDrifts(m);
            const worst = Math.max(...drifts.filter(d => d !== null));
            const w = m.widths;
            console.log(`${where}: drift up to ${worst.toFixed(2)} px (line ${drifts.indexOf(worst) + 1}), last number ` +
                        `${drifts[drifts.length - 1].toFixed(2)} px; fragment ${w.fragment.toFixed(1)} px wide, ` +
                        `scrolls ${w.fragmentScroll} px, longest line ends at ${w.longestLine.toFixed(1)} px, ` +
                        `column content ${w.containerScroll} px`);
            if (!variant.checked) continue;
            check(m.mode === (standards ? 'CSS1Compat' : 'BackCompat'), `${where}: the page is in ${m.mode}`);
            check(drifts.length === lineCount && drifts.every(d => d !== null), `${where}: ${drifts.length} lines measured`);
            drifts.forEach((d, i) => check(d <= kMaxDrift, `${where}: number ${i + 1} sits ${d.toFixed(2)} px off its line`));
            check(w.fragment <= width + 0.01 && w.containerScroll <= width,
                  `${where}: the fragment is ${w.fragment} px wide, its column's content ${w.containerScroll} px`);
            check(w.fragmentScroll + 1 >= w.longestLine,
                  `${where}: it scrolls ${w.fragmentScroll} px, the longest line ends at ${w.longestLine} px`);
        }
    });
}
if (!process.exitCode) console.log('PASS');

'use strict';
// What the browser tests share: the sample code, settings variants beside the
// shipped data, lumatype-cli runs, pages measured in headless Chromium.
const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');

const kSkip = 77;  // ctest's SKIP_RETURN_CODE for these tests

function skip(reason) {
    console.log(`SKIP: ${reason}`);
    process.exit(kSkip);
}

function fail(message) {
    console.error(`FAIL: ${message}`);
    process.exitCode = 1;
}

function findProgram(names) {
    for (const name of names) {
        const found = spawnSync('sh', ['-c', `command -v ${name}`], { encoding: 'utf8' });
        if (found.status === 0) return found.stdout.trim();
    }
    return null;
}

function findChromium() {
    const chromium = findProgram(['chromium', 'chromium-browser']);
    if (!chromium) skip('chromium is not installed (make setup installs it)');
    return chromium;
}

// 66 lines: comments and strings with CJK text and emoji, ASCII lines between
// them, indentation by blanks, tabs and both. Each line ends in ASCII, so the
// last one can be measured in the code font.
function sampleCode() {
    const lines = [];
    for (let i = 0; lines.length < 66; ++i) {
        lines.push(`// 第${i}组：中文注释，说明下面的循环 🎉 ok`,
                   `int value${i} = ${i};`,
                   `\tif (value${i} > 0) {`,
                   `\t\treturn printf("结果 %d 😀\\n", value${i});`,
                   `  \t}  /* 块注释 ✨ */`,
                   `    const char *name = "ascii";`);
    }
    return lines.join('\n') + '\n';
}

// The sample with lines of 300 characters (code, comment, string, CJK
// comment) after its 12th and its 40th line; each ends in ASCII.
function longLineCode() {
    const fill = (head, unit, tail) =>
        head + unit.repeat(Math.ceil(300 / unit.length)).slice(0, 300 - head.length - tail.length) + tail;
    const long = [
        fill('int total = ', 'value1 + ', '0;'),
        fill('// ', 'a comment that runs on ', 'ok'),
        fill('const char *text = "', 'a string that runs on ', '";'),
        fill('// ', '很长的中文注释，', ' ok'),
    ];
    const lines = sampleCode().replace(/\n$/, '').split('\n');
    lines.splice(40, 0, ...long);
    lines.splice(12, 0, ...long);
    return lines.join('\n') + '\n';
}

// Per line, how far its number sits from its first pixel row: the tops of
// the number's first digit and of the line's first character that is not
// blank, both set in the cells' own font.
function lineDrifts(m) {
    return m.indents.map((line, i) => (line.top === null || !m.numbers[i] ? null : Math.abs(line.top - m.numbers[i].top)));
}

// The sample's shape with Latin text instead of CJK and emoji: no line
// needs a fallback font.
function latinCode() {
    const lines = [];
    for (let i = 0; lines.length < 48; ++i) {
        lines.push(`// Grupo ${i}: año, señal, Größe, café, naïve, Łódź ok`,
                   `int value${i} = ${i};`,
                   `\tif (value${i} > 0) {`,
                   `\t\treturn printf("résumé %d façade\\n", value${i});`,
                   `  \t}  /* bloc à ç ø */`,
                   `    const char *name = "ascii";`);
    }
    return lines.join('\n') + '\n';
}

// Columns of the leading blanks and tabs of each line, a tab counting
// tabWidth columns wherever it stands (the shipped TabStops is off).
function leadingColumns(code, tabWidth) {
    return code.replace(/\n$/, '').split('\n').map(line => {
        let columns = 0;
        for (const c of line) {
            if (c === ' ') columns += 1;
            else if (c === '\t') columns += tabWidth;
            else break;
        }
        return columns;
    });
}

function iniValue(text, section, key) {
    const lines = text.split(/\r?\n/);
    let inSection = false;
    for (const line of lines) {
        const header = /^\[(.*)\]\s*$/.exec(line);
        if (header) inSection = header[1] === section;
        else if (inSection && line.startsWith(`${key}=`)) return line.slice(key.length + 1).trim();
    }
    return undefined;
}

// The settings of `binDir` with some [Common] keys changed, written into
// `workDir`, whose languages and themes lead to the shipped ones.
class SettingsVariants {
    constructor(binDir, workDir) {
        this.binDir = binDir;
        this.workDir = workDir;
        this.shipped = fs.readFileSync(path.join(binDir, 'Lumatype.ini'), 'latin1');
        fs.mkdirSync(workDir, { recursive: true });
        for (const folder of ['languages', 'themes']) {
            const link = path.join(workDir, folder);
            fs.rmSync(link, { force: true, recursive: true });
            fs.symlinkSync(path.join(binDir, folder), link);
        }
    }

    write(name, common) {
        let text = this.shipped;
        for (const [key, value] of Object.entries(common)) {
            const line = new RegExp(`^${key}=.*$`, 'm');
            if (!line.test(text)) throw new Error(`the shipped settings have no ${key}`);
            text = text.replace(line, `${key}=${value}`);
        }
        const file = path.join(this.workDir, `${name}.ini`);
        fs.writeFileSync(file, text, 'latin1');
        return file;
    }

    // Html colour of each role of the theme numbered `number`.
    themeColours(number) {
        const file = iniValue(this.shipped, 'ColorThemes', `File${number}`).replace(/\\/g, '/');
        const text = fs.readFileSync(path.join(this.binDir, file), 'latin1');
        const roles = {};
        for (const role of ['Text', 'Bkgnd', 'Comment', 'LineNo', 'LineNoBkgnd', 'Keyword0', 'String0', 'Border'])
            roles[role] = iniValue(text, role, 'Html') || (role === 'Border' ? '#A0A0A0' : '');
        return roles;
    }
}

function convert(cli, config, args, codeFile) {
    const run = spawnSync(cli, ['--config', config, ...args, codeFile], { encoding: 'utf8' });
    if (run.status !== 0) throw new Error(`lumatype-cli ${args.join(' ')} failed: ${run.stderr}`);
    return run.stdout;
}

const kMeasureScript = fs.readFileSync(path.join(__dirname, 'measure_page.js'), 'utf8');

// A page of fragments, each in a div named by its id, as wide as a
// fragment's `width` (a forum's column) or the page; `standards` adds the
// doctype that keeps the page out of quirks mode.
function pageHtml(fragments, standards, measure) {
    const cases = fragments.map(({ id, html, width }) =>
        `<div class="lumatype-case" id="${id}"${width ? ` style="width:${width}px"` : ''}>\n${html}</div>\n`);
    const script = measure ? `<script>\n${kMeasureScript}\n</script>\n` : '';
    return `${standards ? '<!DOCTYPE html>\n' : ''}<html><head><meta charset="utf-8"><title>Lumatype</title></head>` +
           `<body style="margin:8px">\n${cases.join('<br>\n')}${script}</body></html>\n`;
}

// Headless Chromium without network: every request goes to a closed proxy.
class Browser {
    constructor(workDir) {
        this.chromium = findChromium();
        this.workDir = workDir;
    }

    run(args) {
        const profile = fs.mkdtempSync(path.join(this.workDir, 'profile-'));
        try {
            const run = spawnSync(this.chromium,
                ['--headless', '--no-sandbox', '--disable-gpu', '--proxy-server=127.0.0.1:9',
                 '--proxy-bypass-list=<-loopback>', '--no-first-run', '--disable-extensions',
                 '--disable-background-networking', '--hide-scrollbars', `--user-data-dir=${profile}`, ...args],
                { encoding: 'utf8', maxBuffer: 256 << 20, timeout: 120000 });
            if (run.status !== 0) throw new Error(`chromium failed (${run.status}): ${run.stderr.slice(-2000)}`);
            return run.stdout;
        } finally {
            fs.rmSync(profile, { recursive: true, force: true });
        }
    }

    // The page's measurements of each fragment, by id.
    measure(name, fragments, standards) {
        const file = path.join(this.workDir, `${name}.html`);
        fs.writeFileSync(file, pageHtml(fragments, standards, true));
        const dom = this.run(['--window-size=2400,1600', '--virtual-time-budget=10000', '--dump-dom',
                              `file://${file}`]);
        const found = /<pre id="lumatype-result">([^<]*)<\/pre>/.exec(dom);
        if (!found) throw new Error(`${file}: the page wrote no measurements`);
        const result = JSON.parse(decodeURIComponent(found[1]));
        if (result.error) throw new Error(`${file}: ${result.error}`);
        return result;
    }

    screenshot(file, fragments, standards) {
        const page = file.replace(/\.png$/, '.html');
        fs.writeFileSync(page, pageHtml(fragments, standards, false));
        this.run(['--window-size=900,1300', `--screenshot=${file}`, `file://${page}`]);
    }
}

// CSS colour of an html colour text as getComputedStyle gives it.
function cssRgb(html) {
    let hex = html.replace(/^#/, '');
    if (hex.length === 3) hex = [...hex].map(c => c + c).join('');
    const [r, g, b] = [0, 2, 4].map(i => parseInt(hex.slice(i, i + 2), 16));
    return `rgb(${r}, ${g}, ${b})`;
}

module.exports = { skip, fail, findProgram, findChromium, sampleCode, longLineCode, latinCode, lineDrifts, leadingColumns, iniValue, SettingsVariants, convert, pageHtml,
                   Browser, cssRgb };

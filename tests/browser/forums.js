'use strict';
// The allow-lists of the forums the browser tests post to, and the locked
// sanitize-html that applies them.
const fs = require('fs');
const path = require('path');
const { spawnSync } = require('child_process');
const h = require('./harness');

// The locked sanitize-html, installed into the build tree when the lock
// file is newer than the installed modules.
function loadSanitizer(npmDir) {
    const installed = path.join(npmDir, 'node_modules', '.package-lock.json');
    const lock = path.join(npmDir, 'package-lock.json');
    if (!fs.existsSync(installed) || fs.statSync(installed).mtimeMs < fs.statSync(lock).mtimeMs) {
        if (!h.findProgram(['npm'])) h.skip('npm is not installed (make setup installs it)');
        const run = spawnSync('npm', ['ci', '--no-audit', '--no-fund', '--prefix', npmDir], { encoding: 'utf8' });
        if (run.status !== 0) throw new Error(`npm ci in ${npmDir} failed: ${run.stderr}`);
    }
    return require(path.join(npmDir, 'node_modules', 'sanitize-html'));
}

// A forum that permits inline styles, but only colours, fonts, alignment
// and line height: white-space and overflow are stripped.
const kStyleValue = /^[^;"<>]*$/;
const kForum = {
    allowedTags: ['table', 'tbody', 'tr', 'td', 'span', 'div', 'br'],
    allowedAttributes: {
        table: ['border', 'cellpadding', 'cellspacing'],
        td: ['bgcolor', 'width', 'height', 'colspan', 'style'],
        span: ['style'],
        div: ['style'],
    },
    allowedStyles: {
        '*': {
            color: [/^#[0-9a-f]{3,6}$/i, /^[a-z]+$/i],
            'font-family': [kStyleValue],
            'font-size': [/^\d+(\.\d+)?(px|pt|em|rem|%)$/],
            'text-align': [/^(left|right|center|justify)$/],
            'line-height': [/^\d+(\.\d+)?(px|em|rem|%)?$/],
        },
    },
};
// The same forum with no style attribute at all.
const kStrict = { ...kForum, allowedAttributes: { table: kForum.allowedAttributes.table,
                                                   td: ['bgcolor', 'width', 'height', 'colspan'] } };
// A sanitizer that refuses style but keeps font tags and table attributes.
const kFontOnly = {
    allowedTags: ['div', 'table', 'tbody', 'tr', 'td', 'font', 'b', 'br'],
    allowedAttributes: {
        table: ['border', 'cellpadding', 'cellspacing', 'bgcolor', 'width'],
        td: ['bgcolor', 'valign', 'align', 'width', 'height', 'colspan', 'nowrap'],
        font: ['color', 'face'],
    },
    allowedStyles: {},
};

module.exports = { loadSanitizer, kForum, kStrict, kFontOnly };

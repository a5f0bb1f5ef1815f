'use strict';
// Headless Chromium driven through the DevTools protocol over a pipe (file
// descriptors 3 and 4, messages ended by NUL), for what a dumped page cannot
// show: a real copy to the clipboard. No package needed beyond node.
const fs = require('fs');
const path = require('path');
const { spawn } = require('child_process');

class DevToolsPage {
    // A new page in a fresh profile under workDir, clipboard permitted.
    static async open(chromium, workDir) {
        const page = new DevToolsPage(chromium, workDir);
        const { targetId } = await page.send('Target.createTarget', { url: 'about:blank' });
        page.sessionId = (await page.send('Target.attachToTarget', { targetId, flatten: true })).sessionId;
        await page.send('Browser.grantPermissions', { permissions: ['clipboardReadWrite', 'clipboardSanitizedWrite'] });
        // The clipboard is read only by a focused page; a headless one has
        // no window to focus.
        await page.send('Emulation.setFocusEmulationEnabled', { enabled: true }, true);
        await page.send('Page.enable', {}, true);
        return page;
    }

    constructor(chromium, workDir) {
        this.profile = fs.mkdtempSync(path.join(workDir, 'profile-'));
        this.child = spawn(chromium, ['--headless', '--no-sandbox', '--disable-gpu', '--remote-debugging-pipe',
                                      '--proxy-server=127.0.0.1:9', '--proxy-bypass-list=<-loopback>', '--no-first-run',
                                      '--disable-extensions', '--hide-scrollbars', `--user-data-dir=${this.profile}`],
                           { stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'] });
        this.exited = new Promise(resolve => this.child.on('exit', resolve));
        this.nextId = 0;
        this.waiting = new Map();
        this.events = [];
        this.errors = '';
        this.child.stderr.on('data', data => { this.errors = (this.errors + data).slice(-2000); });
        let pending = '';
        this.child.stdio[4].on('data', data => {
            pending += data.toString('utf8');
            for (let end; (end = pending.indexOf('\0')) >= 0; pending = pending.slice(end + 1)) {
                const message = JSON.parse(pending.slice(0, end));
                const caller = this.waiting.get(message.id);
                if (!caller) continue;
                this.waiting.delete(message.id);
                if (message.error) caller.reject(new Error(`${caller.method}: ${message.error.message}`));
                else caller.resolve(message.result);
            }
        });
        this.exited.then(code => {
            for (const caller of this.waiting.values())
                caller.reject(new Error(`chromium ended (${code}) during ${caller.method}: ${this.errors}`));
        });
    }

    send(method, params = {}, toPage = false) {
        const message = { id: ++this.nextId, method, params };
        if (toPage) message.sessionId = this.sessionId;
        return new Promise((resolve, reject) => {
            this.waiting.set(message.id, { method, resolve, reject });
            this.child.stdio[3].write(JSON.stringify(message) + '\0');
        });
    }

    async load(file) {
        await this.send('Page.navigate', { url: `file://${file}` }, true);
        await this.evaluate('new Promise(done => document.readyState === "complete" ? done() : onload = done)');
    }

    // The value of a script run as if the user had acted (a copy needs that).
    async evaluate(expression) {
        const { result, exceptionDetails } = await this.send(
            'Runtime.evaluate', { expression, awaitPromise: true, userGesture: true, returnByValue: true }, true);
        if (exceptionDetails) throw new Error(`${expression.slice(0, 80)}: ${exceptionDetails.exception.description}`);
        return result.value;
    }

    async close() {
        this.send('Browser.close').catch(() => {});
        const timer = setTimeout(() => this.child.kill(), 10000);
        await this.exited;
        clearTimeout(timer);
        fs.rmSync(this.profile, { recursive: true, force: true });
    }
}

module.exports = { DevToolsPage };

// Headless Chromium driven over the DevTools protocol, and a static file server for the site,
// both on 127.0.0.1 only.
import { spawn } from 'node:child_process';
import { createReadStream, mkdirSync, rmSync, statSync } from 'node:fs';
import { createServer } from 'node:http';
import { extname, join, normalize } from 'node:path';
import CDP from 'chrome-remote-interface';

const TYPES = {
    '.html': 'text/html', '.js': 'text/javascript', '.mjs': 'text/javascript',
    '.wasm': 'application/wasm', '.data': 'application/octet-stream',
    '.png': 'image/png', '.jpg': 'image/jpeg', '.css': 'text/css', '.json': 'application/json',
};

// Serves `root` on an unused port; resolves to { url, close }.
export function serve(root) {
    const server = createServer((request, response) => {
        const path = normalize(decodeURIComponent(new URL(request.url, 'http://h').pathname));
        const file = join(root, path.endsWith('/') ? path + 'index.html' : path);
        let size = -1;
        try { size = statSync(file).isFile() ? statSync(file).size : -1; } catch { size = -1; }
        if (!file.startsWith(root) || size < 0) {
            response.writeHead(404).end('not found');
            return;
        }
        response.writeHead(200, {
            'Content-Type': TYPES[extname(file)] || 'application/octet-stream',
            'Content-Length': size, 'Cache-Control': 'no-store',
        });
        createReadStream(file).pipe(response);
    });
    return new Promise((resolve) => server.listen(0, '127.0.0.1', () => resolve({
        url: `http://127.0.0.1:${server.address().port}`,
        close: () => new Promise((done) => server.close(done)),
    })));
}

const FLAGS = [
    '--headless=new', '--no-sandbox', '--use-gl=angle', '--use-angle=swiftshader',
    '--enable-unsafe-swiftshader', '--window-size=1280,720', '--hide-scrollbars', '--mute-audio',
    '--no-first-run', '--no-default-browser-check', '--disable-background-networking',
    '--disable-component-update', '--disable-default-apps', '--disable-extensions',
    '--disable-sync', '--disable-features=Translate,MediaRouter', '--metrics-recording-only',
    '--disable-background-timer-throttling', '--disable-renderer-backgrounding',
    '--disable-backgrounding-occluded-windows', '--remote-debugging-port=0',
];

// Starts Chromium with a fresh profile in `profile` and connects to its page; resolves to a
// Browser.
export async function launch(profile, executable = process.env.CHROMIUM || '/usr/bin/chromium') {
    rmSync(profile, { recursive: true, force: true });
    mkdirSync(profile, { recursive: true });
    const child = spawn(executable, [...FLAGS, `--user-data-dir=${profile}`, 'about:blank'],
        { stdio: ['ignore', 'ignore', 'pipe'] });
    const port = await new Promise((resolve, reject) => {
        let text = '';
        const timer = setTimeout(() => reject(new Error('Chromium did not start:\n' + text)), 30000);
        child.on('exit', (code) => reject(new Error(`Chromium ended (${code}):\n${text}`)));
        child.stderr.on('data', (chunk) => {
            text += chunk;
            const match = /DevTools listening on ws:\/\/127\.0\.0\.1:(\d+)\//.exec(text);
            if (match) { clearTimeout(timer); resolve(Number(match[1])); }
        });
    });
    child.stderr.resume();
    const target = (await CDP.List({ port })).find((t) => t.type === 'page');
    const client = await CDP({ port, target });
    return new Browser(child, client);
}

export class Browser {
    constructor(child, client) {
        this.child = child;
        this.client = client;
        this.log = [];
        client.Runtime.consoleAPICalled(({ type, args }) =>
            this.log.push(`console.${type}: ` + args.map((a) => a.value ?? a.description).join(' ')));
        client.Runtime.exceptionThrown(({ exceptionDetails: e }) =>
            this.log.push('exception: ' + (e.exception?.description || e.text)));
    }

    async open(url) {
        const { Page, Runtime, Emulation } = this.client;
        await Promise.all([Page.enable(), Runtime.enable()]);
        await Emulation.setDeviceMetricsOverride(
            { width: 1280, height: 720, deviceScaleFactor: 1, mobile: false });
        // A hash-only change would not reload the page.
        await Page.navigate({ url: 'about:blank' });
        this.log = [];
        await Page.navigate({ url });
    }

    // The value of a page expression (awaited when it is a promise).
    async eval(expression) {
        const { result, exceptionDetails } = await this.client.Runtime.evaluate(
            { expression, awaitPromise: true, returnByValue: true });
        if (exceptionDetails) {
            throw new Error(`${expression.slice(0, 60)}: ${exceptionDetails.exception?.description}`);
        }
        return result.value;
    }

    // Polls document.body.dataset.state until "done" or "failed"; resolves to the state and
    // the milliseconds it took ("timeout" after `limitMs`).
    async waitForState(limitMs) {
        const start = Date.now();
        while (Date.now() - start < limitMs) {
            const state = await this.eval('document.body ? document.body.dataset.state || "" : ""');
            if (state === 'done' || state === 'failed') return { state, ms: Date.now() - start };
            await new Promise((resolve) => setTimeout(resolve, 50));
        }
        return { state: 'timeout', ms: Date.now() - start };
    }

    // Waits for `count` animation frames of the page.
    frames(count) {
        return this.eval(`new Promise((done) => { let n = ${count};
            const step = () => (--n > 0 ? requestAnimationFrame(step) : done(true));
            requestAnimationFrame(step); })`);
    }

    // The canvas as { width, height, data: RGBA rows top down }: read from the WebGL2
    // drawing buffer as drawn (kept by the test mode), else through a 2D copy.
    async readCanvas(selector = '#canvas') {
        const { width, height, base64 } = await this.eval(`(${readCanvasInPage})(${JSON.stringify(selector)})`);
        return { width, height, data: Buffer.from(base64, 'base64') };
    }

    // A left click at canvas pixel (x, y) through real mouse events.
    async click(x, y) {
        const rect = await this.eval(`(() => { const c = document.querySelector('#canvas');
            const r = c.getBoundingClientRect();
            return [r.left, r.top, r.width / c.width, r.height / c.height]; })()`);
        const at = { x: rect[0] + (x + 0.5) * rect[2], y: rect[1] + (y + 0.5) * rect[3] };
        const { Input } = this.client;
        await Input.dispatchMouseEvent({ type: 'mouseMoved', ...at });
        await this.frames(2);
        await Input.dispatchMouseEvent({ type: 'mousePressed', button: 'left', clickCount: 1, ...at });
        await this.frames(2);
        await Input.dispatchMouseEvent({ type: 'mouseReleased', button: 'left', clickCount: 1, ...at });
        await this.frames(2);
    }

    // Asks Chromium to end, then makes sure it has.
    async close() {
        const ended = new Promise((resolve) => (this.child.exitCode !== null ? resolve() : this.child.on('exit', resolve)));
        await this.client.Browser.close().catch(() => {});
        await this.client.close().catch(() => {});
        const timer = setTimeout(() => this.child.kill(), 10000);
        await ended;
        clearTimeout(timer);
    }
}

// Runs in the page: serialised by readCanvas.
function readCanvasInPage(selector) {
    const canvas = document.querySelector(selector);
    const width = canvas.width;
    const height = canvas.height;
    const gl = canvas.getContext('webgl2');
    let rows;
    if (gl) {
        const saved = [gl.getParameter(gl.READ_FRAMEBUFFER_BINDING),
            gl.getParameter(gl.PIXEL_PACK_BUFFER_BINDING), gl.getParameter(gl.PACK_ALIGNMENT)];
        gl.bindFramebuffer(gl.READ_FRAMEBUFFER, null);
        gl.bindBuffer(gl.PIXEL_PACK_BUFFER, null);
        gl.pixelStorei(gl.PACK_ALIGNMENT, 4);
        const bottomUp = new Uint8Array(width * height * 4);
        gl.readPixels(0, 0, width, height, gl.RGBA, gl.UNSIGNED_BYTE, bottomUp);
        gl.bindFramebuffer(gl.READ_FRAMEBUFFER, saved[0]);
        gl.bindBuffer(gl.PIXEL_PACK_BUFFER, saved[1]);
        gl.pixelStorei(gl.PACK_ALIGNMENT, saved[2]);
        rows = new Uint8Array(bottomUp.length);
        for (let y = 0; y < height; ++y) {
            rows.set(bottomUp.subarray((height - 1 - y) * width * 4, (height - y) * width * 4), y * width * 4);
        }
    } else {
        const copy = Object.assign(document.createElement('canvas'), { width, height });
        const context = copy.getContext('2d');
        context.drawImage(canvas, 0, 0);
        rows = new Uint8Array(context.getImageData(0, 0, width, height).data.buffer);
    }
    let text = '';
    for (let i = 0; i < rows.length; i += 0x8000) {
        text += String.fromCharCode.apply(null, rows.subarray(i, i + 0x8000));
    }
    return { width, height, base64: btoa(text) };
}

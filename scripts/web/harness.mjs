// The web build's browser test and bench (run through scripts/web.sh test|bench):
//   node harness.mjs test|bench --root DIR --tour EXE --work DIR [--frames N]
// DIR (build-web) holds site/ (the pages) and tests-web/ (d3d9gl's GL tests as a page).
// test: every lesson page and the start screen on the fixed clock against the desktop tour's
// picture of the same screen, two lessons' controls driven with mouse events, deliberately
// wrong pictures that must fail, d3d9gl's GL tests in the page. bench: per-lesson frame times beside the desktop tour's.
import { execFileSync } from 'node:child_process';
import { mkdirSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { join, resolve } from 'node:path';
import { launch, serve } from './browser.mjs';
import { compare, readPng, writePng } from './compare.mjs';

// Chromium draws through SwiftShader, the desktop through llvmpipe: a few edge pixels and
// filtered texels land apart (beyond a one-pixel shift, at most 0.03 % of a screen by more
// than 16), a wrong picture differs far more widely (a 48 x 48 block is 0.25 %).
const TOLERANCE = { channel: 16, fraction: 0.0005 };
// Screens that show the GPU's own limits: SwiftShader's largest texture and target sizes are
// 8192, llvmpipe's 16384.
const DEVICE_LIMITS = { DeviceCapability: [[520, 90, 240, 142]] };
// The controls drives: a combo of the lesson opened, then one of its items (client pixels).
const DRIVES = [
    { lesson: 'RS_FillShadeCull', clicks: [[1150, 21], [1150, 67]] }, // fill mode: WireFrame
    { lesson: 'TextureSampling', clicks: [[1130, 21], [1130, 111]] }, // address mode: Border
];
// The frame rate text depends on how many frames ran; the controls drive does not fix it.
const FPS_LABEL = [1208, 700, 72, 20];
const PAGE_LIMIT_MS = 120000;
const GL_TESTS_PAGE = 'tests-web/d3d9gl_gl_tests.html';

function options(argv) {
    const named = { frames: '30' };
    for (let i = 1; i < argv.length; i += 2) named[argv[i].replace(/^--/, '')] = argv[i + 1];
    for (const key of ['root', 'tour', 'work']) {
        if (!named[key]) throw new Error(`--${key} is missing`);
        named[key] = resolve(named[key]);
    }
    return { command: argv[0], ...named, frames: Number(named.frames) };
}

// Runs the desktop tour; its diagnostics are shown only when it fails.
function tour(opts, args) {
    try {
        return execFileSync(opts.tour, args, { encoding: 'utf8', stdio: ['ignore', 'pipe', 'pipe'],
            env: { SDL_VIDEODRIVER: 'offscreen', ...process.env }, maxBuffer: 64 << 20 });
    } catch (error) {
        throw new Error(`${opts.tour} ${args.join(' ')} failed:\n${error.stderr}`);
    }
}

// The desktop tour's pictures in `dir`: { name: picture }, the start screen first.
function desktopPictures(opts, dir, extra = []) {
    rmSync(dir, { recursive: true, force: true });
    mkdirSync(dir, { recursive: true });
    tour(opts, ['--fixed-frames', String(opts.frames), '--out', dir, ...extra]);
    const names = readdirSync(dir).filter((f) => f.endsWith('.png')).map((f) => f.slice(0, -4));
    names.sort((a, b) => (a === 'start' ? -1 : b === 'start' ? 1 : 0));
    return Object.fromEntries(names.map((n) => [n, readPng(join(dir, `${n}.png`))]));
}

function percent(result) {
    return `${(result.fraction * 100).toFixed(3).padStart(7)} %`;
}

// Loads one screen's test page and compares its canvas with the reference.
async function checkScreen(browser, site, opts, name, reference) {
    await browser.open(`${site.url}/site/lumivia.html?frames=${opts.frames}${name === 'start' ? '' : '#' + name}`);
    const { state, ms } = await browser.waitForState(PAGE_LIMIT_MS);
    if (state !== 'done') {
        const failure = await browser.eval('document.querySelector("#failure")?.textContent || ""');
        return { name, ok: false, line: `page ${state} after ${ms} ms ${failure}\n  ${browser.log.join('\n  ')}` };
    }
    const picture = await browser.readCanvas();
    const firstFrame = await browser.eval('window.lumiviaFirstFrameMs');
    const result = compare(picture, reference, TOLERANCE, DEVICE_LIMITS[name]);
    return { name, ok: result.matches, picture, result,
        line: `largest ${String(result.largest).padStart(3)}, ${percent(result)} differ; first frame` +
            ` ${firstFrame} ms, done ${ms} ms after load` +
            `${DEVICE_LIMITS[name] ? ' (the device limits ignored)' : ''} ${result.reason}` };
}

// The lesson's controls through mouse events on the canvas: the picture must change to the
// desktop's picture after the same clicks.
async function checkInput(browser, site, { lesson, clicks }, before, after) {
    const name = `${lesson} clicked`;
    await browser.open(`${site.url}/site/lumivia.html?frames=100000#${lesson}`);
    // Reading the canvas before the program has made its context would make one.
    const started = await browser.eval(`new Promise((done) => { const end = Date.now() + ${PAGE_LIMIT_MS};
        const poll = () => (window.lumiviaFirstFrameMs !== undefined ? done(true)
            : Date.now() > end ? done(false) : setTimeout(poll, 50)); poll(); })`);
    if (!started) return { name, ok: false, line: 'no first frame' };
    let shown = null;
    let ready = false;
    for (let i = 0; i < 100 && !ready; ++i) {
        await browser.frames(5);
        shown = await browser.readCanvas();
        ready = compare(shown, before, TOLERANCE, [FPS_LABEL]).matches;
    }
    for (const [x, y] of clicks) await browser.click(x, y);
    await browser.frames(10);
    const picture = await browser.readCanvas();
    const result = compare(picture, after, TOLERANCE, [FPS_LABEL]);
    const changed = !compare(picture, shown, TOLERANCE, [FPS_LABEL]).matches;
    return { name, ok: result.matches && changed, picture, result,
        line: `largest ${String(result.largest).padStart(3)}, ${percent(result)} differ` +
            `${changed ? '' : ', the clicks changed nothing'}` +
            `${ready ? '' : ', the lesson never showed the desktop picture before the clicks'} ${result.reason}` };
}

// d3d9gl's GL tests, built for the browser, on the page's WebGL2 canvas: the page sets
// dataset.state from the test program's exit code and shows GoogleTest's output in #log.
async function checkGLTests(browser, site) {
    const name = 'd3d9gl GL tests';
    await browser.open(`${site.url}/${GL_TESTS_PAGE}`);
    const { state, ms } = await browser.waitForState(PAGE_LIMIT_MS);
    const log = await browser.eval('document.querySelector("#log")?.textContent || ""');
    const lines = log.split('\n');
    const ran = lines.find((l) => /^\[==========\] \d+ tests? from .* ran/.test(l)) || 'no result';
    const failed = lines.filter((l) => /^\[  FAILED  \] \w+\.\w+$/.test(l));
    const ok = state === 'done' && /^\[  PASSED  \]/m.test(log) && failed.length === 0;
    // On failure: the failed tests and the assertion messages (diagnostic lines start with "[").
    const detail = lines.filter((l) => l && (!l.startsWith('[') || failed.includes(l)));
    return { name, ok, line: `${state} after ${ms} ms: ${ran.slice(13)}, ${failed.length} failed` +
        (ok ? '' : `\n  ${(detail.length ? detail : browser.log).join('\n  ')}`) };
}

// Wrong pictures that the comparison must refuse: another screen's reference, and the
// lesson's own picture with a 48 x 48 block painted over.
function selfCheck(checked, references) {
    const [first, second] = checked.filter((c) => c.picture);
    if (!second) return [{ name: 'self-check', ok: false, line: 'needs two pictures' }];
    const painted = { ...first.picture, data: Buffer.from(first.picture.data) };
    for (let y = 300; y < 348; ++y) painted.data.fill(0x80, (y * painted.width + 600) * 4, (y * painted.width + 648) * 4);
    return [[`${second.name} as ${first.name}`, second.picture, references[first.name]],
        [`${first.name} with a block`, painted, references[first.name]]].map(([name, picture, reference]) => {
        const result = compare(picture, reference, TOLERANCE);
        return { name: `self-check ${name}`, ok: !result.matches,
            line: `${result.matches ? 'MATCHES but must not' : 'refused as it must be'} (${percent(result)} differ)` };
    });
}

async function test(opts) {
    const references = desktopPictures(opts, join(opts.work, 'desktop'));
    const clicked = DRIVES.map(({ lesson, clicks }) => desktopPictures(opts, join(opts.work, `desktop-${lesson}`),
        [...clicks.flatMap(([x, y]) => ['--click', `${x},${y}`]), lesson])[lesson]);
    const failures = join(opts.work, 'failed');
    rmSync(failures, { recursive: true, force: true });
    const site = await serve(opts.root);
    const browser = await launch(join(opts.work, 'chromium-profile'));
    const checks = [];
    try {
        for (const [name, reference] of Object.entries(references)) {
            checks.push(await checkScreen(browser, site, opts, name, reference));
            report(checks.at(-1), failures);
        }
        for (const [i, drive] of DRIVES.entries()) {
            checks.push(await checkInput(browser, site, drive, references[drive.lesson], clicked[i]));
            report(checks.at(-1), failures);
        }
        for (const check of selfCheck(checks, references)) report(checks[checks.push(check) - 1], failures);
        checks.push(await checkGLTests(browser, site));
        report(checks.at(-1), failures);
    } finally {
        await browser.close();
        await site.close();
    }
    const failed = checks.filter((c) => !c.ok);
    console.log(`web test: ${checks.length} checks, ${failed.length} failed` +
        `${failed.length ? ': ' + failed.map((c) => c.name).join(', ') : ''}; a pixel differs when a` +
        ` channel is more than ${TOLERANCE.channel} apart from the desktop's pixel and its neighbours,` +
        ` at most ${TOLERANCE.fraction * 100} % may`);
    return failed.length ? 1 : 0;
}

// The desktop tour's frame times and the page's (?bench=N: `window.lumiviaBench`, an array
// of { lesson, median_ms, p95_ms }) from one run, one row per screen.
async function bench(opts) {
    mkdirSync(opts.work, { recursive: true });
    const csv = join(opts.work, 'desktop.csv');
    tour(opts, ['--bench', '--frames', String(opts.frames), '--csv', csv, '--out', join(opts.work, 'desktop')]);
    const [header, ...rows] = readFileSync(csv, 'utf8').trim().split('\n').map((l) => l.split(','));
    const column = (name) => header.indexOf(name);
    const desktop = new Map(rows.map((r) => [r[column('lesson')],
        [Number(r[column('frame_median_ms')]), Number(r[column('frame_p95_ms')])]]));
    const site = await serve(opts.root);
    const browser = await launch(join(opts.work, 'chromium-profile'));
    let web;
    try {
        await browser.open(`${site.url}/site/lumivia.html?bench=${opts.frames}`);
        const { state, ms } = await browser.waitForState(20 * 60000);
        if (state !== 'done') throw new Error(`bench page ${state} after ${ms} ms\n${browser.log.join('\n')}`);
        web = new Map((await browser.eval('window.lumiviaBench')).map((r) => [r.lesson, [r.median_ms, r.p95_ms]]));
    } finally {
        await browser.close();
        await site.close();
    }
    const cell = (v) => (v === undefined ? '-' : v.toFixed(2)).padStart(9);
    console.log(`frame times in ms over ${opts.frames} frames per screen (CPU: update, render, GL finish)`);
    console.log(`${'screen'.padEnd(20)}${'desktop'.padStart(18)}${'browser'.padStart(18)}`);
    console.log(`${''.padEnd(20)}${'median'.padStart(9)}${'p95'.padStart(9)}${'median'.padStart(9)}${'p95'.padStart(9)}`);
    for (const name of new Set([...desktop.keys(), ...web.keys()])) {
        const [dm, dp] = desktop.get(name) || [];
        const [wm, wp] = web.get(name) || [];
        console.log(`${name.padEnd(20)}${cell(dm)}${cell(dp)}${cell(wm)}${cell(wp)}`);
    }
    return 0;
}

function report(check, failures) {
    console.log(`${check.ok ? 'ok  ' : 'FAIL'} ${check.name.padEnd(34)} ${check.line}`);
    if (check.ok || !check.picture) return;
    mkdirSync(failures, { recursive: true });
    const file = check.name.replace(/\W+/g, '-');
    writePng(join(failures, `${file}-web.png`), check.picture);
    if (check.result?.diff) writePng(join(failures, `${file}-diff.png`), check.result.diff);
    console.log(`     pictures: ${join(failures, file)}-web.png, -diff.png`);
}

const opts = options(process.argv.slice(2));
const commands = { test, bench };
if (!commands[opts.command]) throw new Error(`unknown command ${opts.command}`);
process.exitCode = await commands[opts.command](opts);

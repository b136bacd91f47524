// The page around the program: it checks for WebGL 2 before loading anything, sends the
// program's diagnostics to the console and to #log (opened for errors), shows the loading status and any failure
// in #failure. Hash, test mode and bench are the program's own (app/src/web/webpage.cpp).
'use strict';
(() => {
    const log = document.getElementById('log');
    const status = document.getElementById('status');
    const canvas = document.getElementById('canvas');

    // Every line is kept in #log; the panel opens by itself for errors only (warnings such as
    // a state d3d9gl does not carry out are the desktop's standard error lines too).
    const show = (text) => {
        log.textContent += text + '\n';
        if (/error|can not|cannot|failed/i.test(text)) log.hidden = false;
    };
    const fail = (text) => {
        const failure = document.getElementById('failure');
        failure.textContent = text;
        failure.hidden = false;
        status.hidden = true;
        console.error(text);
        document.body.dataset.state = 'failed';
    };

    if (!document.createElement('canvas').getContext('webgl2')) {
        fail('Lumivia can not start: this browser gives the page no WebGL 2 (OpenGL ES 3.0), ' +
            'which the lessons need. A current Firefox, Chrome, Edge or Safari has it; check ' +
            'that hardware acceleration or WebGL is not turned off.');
        return;
    }
    log.addEventListener('click', () => { log.hidden = true; });
    canvas.addEventListener('contextmenu', (event) => event.preventDefault());

    window.Module = {
        canvas,
        print: (text) => { console.log(text); show(text); },
        printErr: (text) => { console.warn(text); show(text); },
        setStatus: (text) => {
            status.textContent = text;
            status.hidden = !text;
        },
        lumiviaFirstFrame: () => { status.hidden = true; },
        onAbort: (what) => fail(`Lumivia stopped: ${what}`),
    };
    const script = document.createElement('script');
    script.src = 'lumivia.js';
    script.onerror = () => fail('Lumivia could not load lumivia.js; serve the site over HTTP ' +
        '(scripts/web.sh serve), a file:// address can not load it.');
    document.body.appendChild(script);
})();

// Pictures as { width, height, data: RGBA rows top down }, compared on their colour channels.
import { readFileSync, writeFileSync } from 'node:fs';
import { PNG } from 'pngjs';

export function readPng(path) {
    const png = PNG.sync.read(readFileSync(path));
    return { width: png.width, height: png.height, data: png.data };
}

export function writePng(path, picture) {
    const png = new PNG({ width: picture.width, height: picture.height });
    picture.data.copy(png.data);
    writeFileSync(path, PNG.sync.write(png));
}

// The largest red, green or blue difference between a pixel and the reference pixel at
// (x, y).
function delta(actual, reference, i, x, y) {
    const j = (y * reference.width + x) * 4;
    return Math.max(Math.abs(actual.data[i] - reference.data[j]),
        Math.abs(actual.data[i + 1] - reference.data[j + 1]),
        Math.abs(actual.data[i + 2] - reference.data[j + 2]));
}

// A pixel differs when one of its red, green or blue values differs by more than `channel`
// from the reference pixel at its place and from each of that pixel's eight neighbours: two
// rasterisers may put an edge that falls exactly on a pixel centre one pixel apart. The
// pictures match when at most `fraction` of the pixels outside `ignore` ([x, y, width,
// height] rectangles) differ. Returns { matches, largest, differing, fraction, diff,
// reason }: `largest` is the largest channel difference at the same place, `diff` a picture
// of the reference, dimmed, with each differing pixel in red.
export function compare(actual, reference, tolerance, ignore = []) {
    if (actual.width !== reference.width || actual.height !== reference.height) {
        return { matches: false, largest: 255, differing: 1, fraction: 1, diff: null,
            reason: `size ${actual.width} x ${actual.height}, the reference is ` +
                `${reference.width} x ${reference.height}` };
    }
    const { width, height } = reference;
    const diff = { width, height, data: Buffer.alloc(width * height * 4) };
    const ignored = (x, y) => ignore.some(([left, top, w, h]) =>
        x >= left && x < left + w && y >= top && y < top + h);
    let largest = 0;
    let differing = 0;
    let counted = 0;
    for (let y = 0; y < height; ++y) {
        for (let x = 0; x < width; ++x) {
            const i = (y * width + x) * 4;
            const skip = ignored(x, y);
            const here = skip ? 0 : delta(actual, reference, i, x, y);
            let bad = here > tolerance.channel;
            for (let n = 0; bad && n < 9; ++n) {
                const nx = x + (n % 3) - 1;
                const ny = y + Math.floor(n / 3) - 1;
                bad = nx < 0 || ny < 0 || nx >= width || ny >= height ||
                    delta(actual, reference, i, nx, ny) > tolerance.channel;
            }
            counted += skip ? 0 : 1;
            differing += bad ? 1 : 0;
            largest = Math.max(largest, here);
            for (let c = 0; c < 3; ++c) {
                diff.data[i + c] = bad ? (c === 0 ? 255 : 0) : reference.data[i + c] >> 2;
            }
            diff.data[i + 3] = 255;
        }
    }
    const fraction = differing / Math.max(counted, 1);
    const matches = fraction <= tolerance.fraction;
    return { matches, largest, differing, fraction, diff,
        reason: matches ? '' : `${differing} pixels (${(fraction * 100).toFixed(3)} %) differ by ` +
            `more than ${tolerance.channel} from their place and its neighbours, at most ` +
            `${(tolerance.fraction * 100).toFixed(3)} % may` };
}

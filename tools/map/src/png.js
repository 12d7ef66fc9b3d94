import { writeFileSync } from 'node:fs';
import pngjs from 'pngjs';

const { PNG } = pngjs;

// No time stamps or other chunks that change between runs: the same pixels
// always give the same bytes.
function write(path, width, height, data, colorType) {
    const bytes = PNG.sync.write({ width, height, data }, {
        colorType,
        inputColorType: colorType,
        inputHasAlpha: false,
        bitDepth: 8,
    });
    writeFileSync(path, bytes);
}

export function writeRgb(path, width, height, rgb) {
    write(path, width, height, rgb, 2);
}

export function writeGray(path, width, height, gray) {
    write(path, width, height, gray, 0);
}

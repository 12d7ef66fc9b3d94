// Light cyan by the Atlantic, deepening towards the Caucasus at the right edge.
export const SEA_LEFT = [128, 255, 255];
export const SEA_RIGHT = [64, 160, 230];
export const LINE = [56, 56, 72];

// The shading grows with the square of the distance from the left edge: the
// Atlantic stays light and no band marks where the deepening starts.
function seaColour(fraction) {
    const t = fraction * fraction;
    return SEA_LEFT.map((left, i) => Math.round(left + (SEA_RIGHT[i] - left) * t));
}

// Where the dark lines go. At the base size they are one pixel wide: on the sea
// side of a coast, so that a tiny island keeps its colour, and on the upper-left
// land of a border. At twice the size they are two pixels, one either side.
export function lineMask(ids, width, height, factor) {
    const mask = new Uint8Array(width * height);
    const id = (x, y) => (x < 0 || y < 0 || x >= width || y >= height) ? -1 : ids[y * width + x];
    for (let y = 0; y < height; y++) {
        for (let x = 0; x < width; x++) {
            const own = ids[y * width + x];
            const around = [id(x + 1, y), id(x, y + 1), id(x - 1, y), id(x, y - 1)].filter(n => n >= 0);
            let line;
            if (factor > 1)
                line = around.some(n => n !== own);
            else if (own === 0)
                line = around.some(n => n !== 0);
            else
                line = around.slice(0, 2).some(n => n !== 0 && n !== own);
            mask[y * width + x] = line ? 1 : 0;
        }
    }
    return mask;
}

// The picture as packed RGB: sea, flat land colours, dark lines.
export function paint(ids, width, height, factor, colourOfId) {
    const rgb = Buffer.alloc(width * height * 3);
    const lines = lineMask(ids, width, height, factor);
    const seaByColumn = [];
    for (let x = 0; x < width; x++)
        seaByColumn.push(seaColour((x + 0.5) / width));
    for (let y = 0; y < height; y++) {
        for (let x = 0; x < width; x++) {
            const k = y * width + x;
            const colour = lines[k] ? LINE : ids[k] === 0 ? seaByColumn[x] : colourOfId(ids[k]);
            rgb.set(colour, k * 3);
        }
    }
    return rgb;
}

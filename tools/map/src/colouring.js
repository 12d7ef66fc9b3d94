// Flat pastel fills; none of them close to the sea's cyan and blue.
export const PALETTE = [
    [250, 214, 165],  // apricot
    [200, 232, 170],  // pale green
    [252, 240, 160],  // pale yellow
    [222, 204, 240],  // lavender
    [248, 196, 204],  // rose
    [232, 226, 200],  // sand
];

// Lands this close, in pixels of the base size, count as neighbours, so that a
// narrow strait never leaves two lands looking like one.
export const NEIGHBOUR_REACH = 3;

// For each land id in `ids` (0 is sea), the set of lands within `reach` pixels.
export function neighbours(ids, width, height, reach) {
    const pairs = new Map();
    const link = (a, b) => {
        if (!pairs.has(a))
            pairs.set(a, new Set());
        pairs.get(a).add(b);
    };
    for (let y = 0; y < height; y++) {
        for (let x = 0; x < width; x++) {
            const a = ids[y * width + x];
            if (a === 0)
                continue;
            for (let dy = 0; dy <= reach; dy++) {
                for (let dx = -reach; dx <= reach; dx++) {
                    if (dy === 0 && dx <= 0)
                        continue;
                    const nx = x + dx;
                    const ny = y + dy;
                    if (nx < 0 || nx >= width || ny >= height)
                        continue;
                    const b = ids[ny * width + nx];
                    if (b !== 0 && b !== a) {
                        link(a, b);
                        link(b, a);
                    }
                }
            }
        }
    }
    return pairs;
}

// A palette colour for every land in `lands` (ids), neighbours never alike.
// The most constrained land picks first and takes the least used colour it is
// allowed, which spreads the colours evenly; ties go by id, so the result is stable.
export function colourLands(lands, pairs, names) {
    const colourOf = new Map();
    const used = PALETTE.map(() => 0);
    const blocked = id => new Set([...(pairs.get(id) ?? [])].filter(n => colourOf.has(n)).map(n => colourOf.get(n)));
    const degree = id => (pairs.get(id) ?? new Set()).size;
    const waiting = new Set(lands);
    while (waiting.size > 0) {
        // Most constrained first, then most connected, then lowest id.
        const rank = (a, b) => blocked(a).size - blocked(b).size || degree(a) - degree(b) || b - a;
        let pick = null;
        for (const id of waiting) {
            if (pick === null || rank(id, pick) > 0)
                pick = id;
        }
        const taken = blocked(pick);
        let colour = -1;
        for (let c = 0; c < PALETTE.length; c++) {
            if (!taken.has(c) && (colour < 0 || used[c] < used[colour]))
                colour = c;
        }
        if (colour < 0)
            throw new Error(`no free colour for ${names.get(pick)}`);
        colourOf.set(pick, colour);
        used[colour]++;
        waiting.delete(pick);
    }
    return colourOf;
}

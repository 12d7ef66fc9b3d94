import { QUIZ_NUMBERS, FIRST_OTHER_VALUE } from './regions.js';

// Index values by land id: the quiz's number for its countries, the next free
// value from FIRST_OTHER_VALUE on for every other land, in name order. Every
// quiz country must be on the map, or a label would have nothing under it.
export function indexValues(presentIds, lands) {
    const valueOf = new Map();
    let nextOther = FIRST_OTHER_VALUE;
    for (const id of presentIds)
        valueOf.set(id, QUIZ_NUMBERS.get(lands[id - 1].name) ?? nextOther++);
    if (nextOther > 256)
        throw new Error('too many lands for an 8-bit index');
    const shown = new Set(presentIds.map(id => lands[id - 1].name));
    for (const name of QUIZ_NUMBERS.keys()) {
        if (!shown.has(name))
            throw new Error(`${name} is missing from the map`);
    }
    return valueOf;
}

// One byte a pixel: 0 for sea, the land's index value elsewhere.
export function indexPixels(ids, valueOf) {
    const pixels = Buffer.alloc(ids.length);
    ids.forEach((id, k) => { pixels[k] = id === 0 ? 0 : valueOf.get(id); });
    return pixels;
}

export function legendText(valueOf, lands) {
    const lines = ['value\tland', '0\tsea'];
    for (const [id, value] of [...valueOf].sort((a, b) => a[1] - b[1]))
        lines.push(`${value}\t${lands[id - 1].name}`);
    return lines.join('\n') + '\n';
}

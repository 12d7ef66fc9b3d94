import { geoPath } from 'd3-geo';

// The closed rings, in pixel coordinates, that the projection makes of the polygons.
export function projectRings(polygons, projection) {
    const rings = [];
    let ring = null;
    const context = {
        moveTo(x, y) { ring = [[x, y]]; rings.push(ring); },
        lineTo(x, y) { ring.push([x, y]); },
        closePath() { ring = null; },
        arc() {},
    };
    geoPath(projection, context)({ type: 'MultiPolygon', coordinates: polygons });
    return rings;
}

// Sets `value` into every pixel of the width x height `target` whose centre lies
// inside the rings (even-odd rule). Each edge is taken from its upper end whichever
// way a ring runs along it, so two lands sharing a border compute the same crossing
// and every pixel centre falls to exactly one of them.
export function fillRings(target, width, height, rings, value) {
    const edges = [];
    for (const ring of rings) {
        for (let i = 0; i < ring.length; i++) {
            const a = ring[i];
            const b = ring[(i + 1) % ring.length];
            if (a[1] === b[1])
                continue;
            edges.push(a[1] < b[1] ? [a[0], a[1], b[0], b[1]] : [b[0], b[1], a[0], a[1]]);
        }
    }
    const rows = new Map();
    for (const [x0, y0, x1, y1] of edges) {
        const first = Math.max(0, Math.ceil(y0 - 0.5));
        const last = Math.min(height - 1, Math.ceil(y1 - 0.5) - 1);
        for (let row = first; row <= last; row++) {
            const y = row + 0.5;
            const x = x0 + (y - y0) * (x1 - x0) / (y1 - y0);
            if (!rows.has(row))
                rows.set(row, []);
            rows.get(row).push(x);
        }
    }
    for (const [row, crossings] of rows) {
        crossings.sort((p, q) => p - q);
        for (let k = 0; k + 1 < crossings.length; k += 2) {
            const from = Math.max(0, Math.ceil(crossings[k] - 0.5));
            const to = Math.min(width, Math.ceil(crossings[k + 1] - 0.5));
            target.fill(value, row * width + from, row * width + Math.max(from, to));
        }
    }
}

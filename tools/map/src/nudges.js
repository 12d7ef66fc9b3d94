import { geoContains } from 'd3-geo';

// Islands too small to land under their labels by the projection alone are moved
// by a pixel or two; nothing else of the map is bent. `at` is a point of the island
// (longitude, latitude), `shift` the move in pixels of the base size.
export const NUDGES = [
    { land: 'Malta', at: [14.44, 35.88], shift: [0, 2] },
    { land: 'Malta', at: [14.25, 36.05], shift: [0, 2] },   // Gozo goes along
    { land: 'France', at: [9.1, 42.1], shift: [-2, 0] },   // Corsica
];

// The shift of one polygon of `land` at the given size factor, or null.
export function nudgeFor(land, polygon, factor) {
    for (const nudge of NUDGES) {
        if (nudge.land === land && geoContains({ type: 'Polygon', coordinates: polygon }, nudge.at))
            return nudge.shift.map(d => d * factor);
    }
    return null;
}

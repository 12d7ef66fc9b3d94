import { createRequire } from 'node:module';
import { feature } from 'topojson-client';
import { geoBounds } from 'd3-geo';

const require = createRequire(import.meta.url);

// The quiz's country numbers, keyed by the Natural Earth name of the country.
// The index image stores these numbers, so a pixel names the country the game means.
export const QUIZ_NUMBERS = new Map([
    ['Romania', 1], ['Bulgaria', 2], ['Greece', 3], ['Poland', 4], ['Hungary', 5],
    ['Austria', 6], ['Czechia', 7], ['France', 8], ['Germany', 9], ['Portugal', 10],
    ['Sweden', 11], ['Norway', 12], ['Italy', 13], ['Lithuania', 14], ['Finland', 15],
    ['Estonia', 16], ['United Kingdom', 17], ['Spain', 18], ['Netherlands', 19],
    ['Ireland', 20], ['Slovakia', 21], ['Denmark', 22], ['Belgium', 23],
    ['Luxembourg', 24], ['Malta', 25], ['Cyprus', 26], ['Switzerland', 27],
    ['Latvia', 28], ['Slovenia', 29],
]);

// Index values from here on name the other lands of the map.
export const FIRST_OTHER_VALUE = 30;

// Areas the source draws apart from the state that holds them today.
const PART_OF = new Map([
    ['N. Cyprus', 'Cyprus'],
    ['Åland', 'Finland'],
]);

// The source gives Crimea to Russia as a polygon of its own; it belongs to Ukraine.
const CRIMEA = { from: 'Russia', to: 'Ukraine', west: 32, east: 37, south: 44, north: 46.5 };

function isCrimea(polygon) {
    const [[west, south], [east, north]] = geoBounds({ type: 'Polygon', coordinates: polygon });
    return west >= CRIMEA.west && east <= CRIMEA.east && south >= CRIMEA.south && north <= CRIMEA.north;
}

function polygonsOf(geometry) {
    if (geometry.type === 'Polygon')
        return [geometry.coordinates];
    if (geometry.type === 'MultiPolygon')
        return geometry.coordinates;
    return [];
}

// Every land of the source as { name, polygons }, with today's borders, sorted by name.
export function loadLands() {
    const topology = require('world-atlas/countries-50m.json');
    const byName = new Map();
    const add = (name, polygon) => {
        if (!byName.has(name))
            byName.set(name, []);
        byName.get(name).push(polygon);
    };
    for (const country of feature(topology, topology.objects.countries).features) {
        const name = country.properties.name;
        for (const polygon of polygonsOf(country.geometry)) {
            if (name === CRIMEA.from && isCrimea(polygon))
                add(CRIMEA.to, polygon);
            else
                add(PART_OF.get(name) ?? name, polygon);
        }
    }
    return [...byName.keys()].sort().map(name => ({ name, polygons: byName.get(name) }));
}

import { mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { MAP_WIDTH, MAP_HEIGHT, makeProjection } from './src/projection.js';
import { loadLands } from './src/regions.js';
import { projectRings, fillRings } from './src/raster.js';
import { nudgeFor } from './src/nudges.js';
import { neighbours, colourLands, PALETTE, NEIGHBOUR_REACH } from './src/colouring.js';
import { paint } from './src/render.js';
import { indexValues, indexPixels, legendText } from './src/index-image.js';
import { writeRgb, writeGray } from './src/png.js';

const outDir = process.argv[2];
if (!outDir) {
    console.error('usage: node generate.js OUTPUT_DIR');
    process.exit(2);
}

const lands = loadLands();

// Which land each pixel shows at `factor` times the base size, as land ids:
// 1 + the land's place in `lands`, 0 for sea.
function rasterise(factor) {
    const width = MAP_WIDTH * factor;
    const height = MAP_HEIGHT * factor;
    const projection = makeProjection(factor);
    const ids = new Uint16Array(width * height);
    lands.forEach((land, k) => {
        const rings = [];
        for (const polygon of land.polygons) {
            const shift = nudgeFor(land.name, polygon, factor);
            for (const ring of projectRings([polygon], projection))
                rings.push(shift ? ring.map(([x, y]) => [x + shift[0], y + shift[1]]) : ring);
        }
        fillRings(ids, width, height, rings, k + 1);
    });
    return { ids, width, height, factor };
}

const presentIds = raster => [...new Set(raster.ids)].filter(id => id !== 0).sort((a, b) => a - b);

const base = rasterise(1);
const double = rasterise(2);

// Colours come from the double size, which also shows the lands too small for the base size.
const names = new Map(lands.map((land, k) => [k + 1, land.name]));
const drawnIds = [...new Set([...presentIds(base), ...presentIds(double)])].sort((a, b) => a - b);
const colourOf = colourLands(drawnIds, neighbours(double.ids, double.width, double.height, NEIGHBOUR_REACH * 2), names);
const colourOfId = id => PALETTE[colourOf.get(id)];
const picture = raster => paint(raster.ids, raster.width, raster.height, raster.factor, colourOfId);

const valueOf = indexValues(presentIds(base), lands);

mkdirSync(outDir, { recursive: true });
writeRgb(join(outDir, 'map.png'), base.width, base.height, picture(base));
writeRgb(join(outDir, 'map@2x.png'), double.width, double.height, picture(double));
writeGray(join(outDir, 'country-index.png'), base.width, base.height, indexPixels(base.ids, valueOf));
writeFileSync(join(outDir, 'country-index.tsv'), legendText(valueOf, lands));

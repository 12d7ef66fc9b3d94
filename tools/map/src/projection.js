import { geoAzimuthalEqualArea } from 'd3-geo';

// The labels were laid over a map whose projection is lost; these parameters were
// fitted so that every country lies under its labels. Pixel x spans [x, x + 1).
export const MAP_WIDTH = 619;
export const MAP_HEIGHT = 539;

export const PROJECTION = {
    centre: [10.2807, 44.1452],     // longitude E, latitude N
    pixelsPerEarthRadius: 848.187,
    clockwiseTurnDegrees: 5.8893,
    centrePixel: [230.993, 400.822],
};

// `factor` 2 draws the same map at twice the size for high-density screens.
export function makeProjection(factor = 1) {
    const p = PROJECTION;
    return geoAzimuthalEqualArea()
        .rotate([-p.centre[0], -p.centre[1]])
        .angle(-p.clockwiseTurnDegrees)
        .scale(p.pixelsPerEarthRadius * factor)
        .translate([p.centrePixel[0] * factor, p.centrePixel[1] * factor])
        // Straight segments between projected vertices: a border shared by two
        // countries then yields the very same edges for both, so the fills tile
        // the land without gaps or double claims.
        .precision(0);
}

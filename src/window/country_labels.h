#pragma once

#include <QPoint>
#include <algorithm>
#include <array>
#include <string_view>

#include "window/twips.h"

namespace window {

enum class Shown { Yes, Hidden, OutsideMap };

// An invisible clickable rectangle over one country of the map: a row of the
// table, not a control. The map answers for it (see labelAt).
struct CountryLabel {
    std::string_view name;
    int groupIndex;        // member index within a label group, -1 for a single label
    TwipRect rect;
    Shown shown;
    bool hasHandler;       // false: the label swallows a click and does nothing
};

// In stacking order: the first lies on top and takes the click.
inline constexpr std::array<CountryLabel, 83> kCountryLabels{{
    {"Label90", -1, {3960, 5520, 375, 255}, Shown::Yes, true},  // Slovenia
    {"Label89", -1, {4080, 5520, 375, 135}, Shown::Yes, true},  // Slovenia (north-east part)
    {"Label88", -1, {5280, 3000, 495, 375}, Shown::Yes, true},  // Latvia
    {"Label87", -1, {5040, 3000, 495, 375}, Shown::Yes, true},  // Latvia
    {"Label80", -1, {3000, 5280, 495, 255}, Shown::Hidden, true},  // Switzerland
    {"Label83", -1, {7200, 7680, 375, 375}, Shown::Yes, true},  // Cyprus
    {"Label82", -1, {3840, 7800, 375, 255}, Shown::Yes, true},  // Malta
    {"Label81", -1, {4680, 4920, 375, 255}, Shown::Yes, true},  // Slovakia
    {"Label79", -1, {5280, 8880, 375, 735}, Shown::OutsideMap, false},  // nothing (below the map)
    {"Label78", -1, {3480, 8760, 495, 495}, Shown::Hidden, false},  // nothing (below the map)
    {"Label77", -1, {2520, 8640, 735, 375}, Shown::OutsideMap, false},  // nothing (below the map)
    {"Label76", -1, {3360, 3000, 495, 735}, Shown::Yes, true},  // Denmark (Jutland)
    {"Label75", -1, {2760, 4920, 255, 255}, Shown::Yes, true},  // France (north-east)
    {"Label73", -1, {3000, 6240, 255, 255}, Shown::Yes, true},  // Corsica (France)
    {"Label72", -1, {3840, 3840, 375, 615}, Shown::Yes, true},  // Germany (north-east; sliver of Poland)
    {"Label71", -1, {2640, 4320, 375, 255}, Shown::Yes, true},  // Belgium
    {"Label70", -1, {1680, 5640, 615, 375}, Shown::Yes, true},  // France (south-west)
    {"Label69", -1, {1920, 6000, 375, 135}, Shown::Yes, false},  // Pyrenees: southern edge of France and northern edge of Spain
    {"Label68", -1, {2400, 5040, 495, 975}, Shown::Yes, true},  // France (east)
    {"Label67", -1, {2400, 4800, 615, 495}, Shown::Yes, false},  // France (north/centre)
    {"Label66", -1, {2160, 4440, 495, 735}, Shown::Yes, true},  // France (north)
    {"Label65", -1, {1200, 2880, 375, 255}, Shown::Yes, true},  // Ireland (northern tip of the island) and the sea north of it
    {"Label64", -1, {1560, 3840, 855, 495}, Shown::Yes, true},  // United Kingdom (southern England, Wales)
    {"Label63", -1, {3960, 2640, 255, 735}, Shown::Yes, true},  // Sweden (south-west)
    {"Label62", -1, {4080, 2760, 615, 615}, Shown::Yes, true},  // Sweden (south)
    {"Label61", -1, {4320, 1320, 495, 1575}, Shown::Yes, true},  // Sweden (centre)
    {"Label60", -1, {5280, 480, 255, 15}, Shown::Yes, true},  // Finland (a one-pixel line across its northern tip)
    {"Label59", -1, {5280, 840, 375, 1335}, Shown::Yes, true},  // Finland
    {"Label58", -1, {5280, 0, 375, 255}, Shown::Hidden, false},  // Norway (far north)
    {"Label57", -1, {4680, 0, 495, 495}, Shown::Hidden, false},  // Norway (far north)
    {"Label56", -1, {3600, 1200, 495, 855}, Shown::Hidden, false},  // Norway
    {"Label55", -1, {2640, 4320, 375, 255}, Shown::Yes, true},  // Belgium
    {"Label54", -1, {2880, 4560, 255, 255}, Shown::Yes, true},  // Luxembourg
    {"Label41", -1, {720, 3360, 855, 615}, Shown::Yes, true},  // Ireland
    {"Label40", -1, {2880, 3840, 255, 375}, Shown::Yes, true},  // Netherlands
    {"Label39", -1, {480, 6360, 735, 855}, Shown::Yes, true},  // Spain (west)
    {"Label38", -1, {360, 6600, 615, 495}, Shown::Yes, true},  // Spain (south-west)
    {"Label37", -1, {1800, 3120, 735, 855}, Shown::Yes, true},  // United Kingdom (England)
    {"Label36", -1, {1680, 2160, 975, 1455}, Shown::Yes, true},  // United Kingdom (Scotland, northern England)
    {"Label34", -1, {5280, 2760, 495, 135}, Shown::Yes, true},  // Estonia
    {"Label33", -1, {5280, 2640, 495, 255}, Shown::Yes, true},  // Estonia
    {"Label32", -1, {5040, 1800, 615, 735}, Shown::Yes, true},  // Finland (south)
    {"Label31", -1, {5520, 1680, 375, 495}, Shown::Yes, true},  // Finland (east)
    {"Label30", -1, {5160, 600, 255, 375}, Shown::Yes, true},  // Finland (north)
    {"Label29", -1, {5040, 3360, 615, 255}, Shown::Yes, true},  // Lithuania
    {"Label27", -1, {2880, 6600, 495, 615}, Shown::Yes, true},  // Sardinia (Italy)
    {"Label26", -1, {4200, 6840, 495, 615}, Shown::Yes, true},  // Italy (south: Calabria, Apulia)
    {"Label25", -1, {3240, 1560, 735, 1335}, Shown::Hidden, true},  // Norway (south)
    {"Label24", -1, {3960, 480, 495, 735}, Shown::Hidden, true},  // Norway (north)
    {"Label23", -1, {4560, 720, 495, 855}, Shown::Yes, true},  // Sweden (north)
    {"Label22", -1, {4080, 2160, 495, 1215}, Shown::Yes, true},  // Sweden (south-west; edge of Norway)
    {"Label21", -1, {0, 5880, 495, 495}, Shown::Yes, true},  // Portugal (north)
    {"Label20", -1, {0, 6480, 375, 375}, Shown::Yes, true},  // Portugal (south)
    {"Label19", -1, {3240, 3960, 615, 1215}, Shown::Yes, true},  // Germany
    {"Label18", -1, {3240, 3720, 855, 615}, Shown::Yes, true},  // Germany (north)
    {"Label17", -1, {2040, 5760, 855, 375}, Shown::Yes, true},  // France (south)
    {"Label16", -1, {1080, 4440, 1575, 615}, Shown::Yes, true},  // France (north-west)
    {"Label15", -1, {1560, 5040, 1335, 615}, Shown::Yes, true},  // France (west/centre)
    {"Label14", -1, {4320, 4680, 255, 255}, Shown::Yes, true},  // Czech Republic (east; edge of Poland)
    {"Label13", -1, {3960, 4680, 615, 255}, Shown::Yes, true},  // Czech Republic
    {"Label12", -1, {3480, 5280, 735, 135}, Shown::Yes, true},  // Austria (west; thin strip)
    {"Label11", -1, {3960, 5040, 495, 135}, Shown::Yes, true},  // Austria (north; thin strip)
    {"Label10", -1, {4920, 5160, 375, 255}, Shown::Yes, true},  // Hungary (east)
    {"Label9", -1, {4560, 5280, 495, 375}, Shown::Yes, true},  // Hungary
    {"Label8", -1, {4320, 3840, 1095, 855}, Shown::Yes, true},  // Poland
    {"Label7", -1, {4320, 4080, 975, 495}, Shown::Yes, true},  // Poland
    {"Label5", -1, {5520, 7560, 735, 495}, Shown::Yes, true},  // Greece (Peloponnese, Crete)
    {"Label4", -1, {5760, 6120, 495, 375}, Shown::Yes, true},  // Bulgaria (east)
    {"Label3", -1, {5400, 6120, 735, 495}, Shown::Yes, true},  // Bulgaria
    {"Label2", -1, {5760, 5640, 495, 375}, Shown::Yes, true},  // Romania (east)
    {"Label1", -1, {5280, 5280, 855, 735}, Shown::Yes, true},  // Romania
    {"Label28", -1, {5400, 3600, 135, 255}, Shown::Yes, true},  // Lithuania (south)
    {"Label6", -1, {5280, 6960, 615, 855}, Shown::Yes, true},  // Greece
    {"Label46", -1, {720, 5760, 855, 615}, Shown::Yes, true},  // Spain (north)
    {"Label47", -1, {600, 6120, 1455, 855}, Shown::Yes, true},  // Spain
    {"Label48", -1, {5280, 6720, 735, 975}, Shown::Yes, true},  // Greece
    {"Label49", -1, {5160, 6960, 615, 615}, Shown::Yes, true},  // Greece (west)
    {"Label50", 0, {3480, 5520, 495, 255}, Shown::Yes, true},  // Italy (north)
    {"Label50", 1, {3720, 6360, 615, 615}, Shown::Yes, true},  // Italy (centre-south)
    {"Label50", 2, {3720, 7200, 495, 495}, Shown::Yes, true},  // Sicily (Italy)
    {"Label51", -1, {3120, 5640, 615, 375}, Shown::Yes, true},  // Italy (north-west)
    {"Label52", -1, {3480, 6000, 495, 855}, Shown::Yes, true},  // Italy (centre)
    {"Label53", -1, {3960, 5160, 495, 375}, Shown::Yes, true},  // Austria (east)
}};

// Each label covers whole pixels of the map, so the map can ask in its own.
static_assert(std::all_of(kCountryLabels.begin(), kCountryLabels.end(),
                          [](const CountryLabel& label) { return label.rect.onPixelGrid(); }));

// The label that receives a click on a pixel of the map: the earliest shown
// label over it, or nullptr when the click belongs to the map itself. The map
// routes every click and every pointer move over it by this rule.
constexpr const CountryLabel* labelAt(QPoint mapPixel)
{
    for (const CountryLabel& label : kCountryLabels) {
        if (label.shown == Shown::Yes && label.rect.containsPixel(mapPixel))
            return &label;
    }
    return nullptr;
}

} // namespace window

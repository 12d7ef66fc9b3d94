#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "window/pointer_pictures.h"
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
    std::string_view caption;  // never seen: hidden labels only
    std::optional<PointerPicture> pointer; // none: the label shows the pointer of the map beneath
};

inline constexpr int kMapWidth = 619;
inline constexpr int kMapHeight = 539;

// In stacking order: the first lies on top and takes the click.
inline constexpr std::array<CountryLabel, 83> kCountryLabels{{
    {"Label90", -1, {3960, 5520, 375, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Slovenia
    {"Label89", -1, {4080, 5520, 375, 135}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Slovenia (north-east part)
    {"Label88", -1, {5280, 3000, 495, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Latvia
    {"Label87", -1, {5040, 3000, 495, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Latvia
    {"Label80", -1, {3000, 5280, 495, 255}, Shown::Hidden, true, "", std::nullopt},  // Switzerland
    {"Label83", -1, {7200, 7680, 375, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Cyprus
    {"Label82", -1, {3840, 7800, 375, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Malta
    {"Label81", -1, {4680, 4920, 375, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Slovakia
    {"Label79", -1, {5280, 8880, 375, 735}, Shown::OutsideMap, false, "trentino", PointerPicture::CountryLabel},  // nothing (below the map)
    {"Label78", -1, {3480, 8760, 495, 495}, Shown::Hidden, false, "trentino", PointerPicture::ItalianFlag},  // nothing (below the map)
    {"Label77", -1, {2520, 8640, 735, 375}, Shown::OutsideMap, false, "trentino", PointerPicture::ItalianFlag},  // nothing (below the map)
    {"Label76", -1, {3360, 3000, 495, 735}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Denmark (Jutland)
    {"Label75", -1, {2760, 4920, 255, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // France (north-east)
    {"Label73", -1, {3000, 6240, 255, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Corsica (France)
    {"Label72", -1, {3840, 3840, 375, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Germany (north-east; sliver of Poland)
    {"Label71", -1, {2640, 4320, 375, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Belgium
    {"Label70", -1, {1680, 5640, 615, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // France (south-west)
    {"Label69", -1, {1920, 6000, 375, 135}, Shown::Yes, false, "", PointerPicture::CountryLabel},  // Pyrenees: southern edge of France and northern edge of Spain
    {"Label68", -1, {2400, 5040, 495, 975}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // France (east)
    {"Label67", -1, {2400, 4800, 615, 495}, Shown::Yes, false, "", PointerPicture::CountryLabel},  // France (north/centre)
    {"Label66", -1, {2160, 4440, 495, 735}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // France (north)
    {"Label65", -1, {1200, 2880, 375, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Ireland (northern tip of the island) and the sea north of it
    {"Label64", -1, {1560, 3840, 855, 495}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // United Kingdom (southern England, Wales)
    {"Label63", -1, {3960, 2640, 255, 735}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Sweden (south-west)
    {"Label62", -1, {4080, 2760, 615, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Sweden (south)
    {"Label61", -1, {4320, 1320, 495, 1575}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Sweden (centre)
    {"Label60", -1, {5280, 480, 255, 15}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Finland (a one-pixel line across its northern tip)
    {"Label59", -1, {5280, 840, 375, 1335}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Finland
    {"Label58", -1, {5280, 0, 375, 255}, Shown::Hidden, false, "abru", PointerPicture::ItalianFlag},  // Norway (far north)
    {"Label57", -1, {4680, 0, 495, 495}, Shown::Hidden, false, "abru", PointerPicture::ItalianFlag},  // Norway (far north)
    {"Label56", -1, {3600, 1200, 495, 855}, Shown::Hidden, false, "abru", PointerPicture::ItalianFlag},  // Norway
    {"Label55", -1, {2640, 4320, 375, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Belgium
    {"Label54", -1, {2880, 4560, 255, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Luxembourg
    {"Label41", -1, {720, 3360, 855, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Ireland
    {"Label40", -1, {2880, 3840, 255, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Netherlands
    {"Label39", -1, {480, 6360, 735, 855}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Spain (west)
    {"Label38", -1, {360, 6600, 615, 495}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Spain (south-west)
    {"Label37", -1, {1800, 3120, 735, 855}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // United Kingdom (England)
    {"Label36", -1, {1680, 2160, 975, 1455}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // United Kingdom (Scotland, northern England)
    {"Label34", -1, {5280, 2760, 495, 135}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Estonia
    {"Label33", -1, {5280, 2640, 495, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Estonia
    {"Label32", -1, {5040, 1800, 615, 735}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Finland (south)
    {"Label31", -1, {5520, 1680, 375, 495}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Finland (east)
    {"Label30", -1, {5160, 600, 255, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Finland (north)
    {"Label29", -1, {5040, 3360, 615, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Lithuania
    {"Label27", -1, {2880, 6600, 495, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Sardinia (Italy)
    {"Label26", -1, {4200, 6840, 495, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Italy (south: Calabria, Apulia)
    {"Label25", -1, {3240, 1560, 735, 1335}, Shown::Hidden, true, "abru", PointerPicture::ItalianFlag},  // Norway (south)
    {"Label24", -1, {3960, 480, 495, 735}, Shown::Hidden, true, "abru", PointerPicture::ItalianFlag},  // Norway (north)
    {"Label23", -1, {4560, 720, 495, 855}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Sweden (north)
    {"Label22", -1, {4080, 2160, 495, 1215}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Sweden (south-west; edge of Norway)
    {"Label21", -1, {0, 5880, 495, 495}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Portugal (north)
    {"Label20", -1, {0, 6480, 375, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Portugal (south)
    {"Label19", -1, {3240, 3960, 615, 1215}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Germany
    {"Label18", -1, {3240, 3720, 855, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Germany (north)
    {"Label17", -1, {2040, 5760, 855, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // France (south)
    {"Label16", -1, {1080, 4440, 1575, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // France (north-west)
    {"Label15", -1, {1560, 5040, 1335, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // France (west/centre)
    {"Label14", -1, {4320, 4680, 255, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Czech Republic (east; edge of Poland)
    {"Label13", -1, {3960, 4680, 615, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Czech Republic
    {"Label12", -1, {3480, 5280, 735, 135}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Austria (west; thin strip)
    {"Label11", -1, {3960, 5040, 495, 135}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Austria (north; thin strip)
    {"Label10", -1, {4920, 5160, 375, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Hungary (east)
    {"Label9", -1, {4560, 5280, 495, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Hungary
    {"Label8", -1, {4320, 3840, 1095, 855}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Poland
    {"Label7", -1, {4320, 4080, 975, 495}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Poland
    {"Label5", -1, {5520, 7560, 735, 495}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Greece (Peloponnese, Crete)
    {"Label4", -1, {5760, 6120, 495, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Bulgaria (east)
    {"Label3", -1, {5400, 6120, 735, 495}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Bulgaria
    {"Label2", -1, {5760, 5640, 495, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Romania (east)
    {"Label1", -1, {5280, 5280, 855, 735}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Romania
    {"Label28", -1, {5400, 3600, 135, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Lithuania (south)
    {"Label6", -1, {5280, 6960, 615, 855}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Greece
    {"Label46", -1, {720, 5760, 855, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Spain (north)
    {"Label47", -1, {600, 6120, 1455, 855}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Spain
    {"Label48", -1, {5280, 6720, 735, 975}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Greece
    {"Label49", -1, {5160, 6960, 615, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Greece (west)
    {"Label50", 0, {3480, 5520, 495, 255}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Italy (north)
    {"Label50", 1, {3720, 6360, 615, 615}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Italy (centre-south)
    {"Label50", 2, {3720, 7200, 495, 495}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Sicily (Italy)
    {"Label51", -1, {3120, 5640, 615, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Italy (north-west)
    {"Label52", -1, {3480, 6000, 495, 855}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Italy (centre)
    {"Label53", -1, {3960, 5160, 495, 375}, Shown::Yes, true, "", PointerPicture::CountryLabel},  // Austria (east)
}};

// The label that receives a click at (x, y) twips on the map: the earliest shown
// label containing the point, or nullptr when the click belongs to the map itself.
// The map routes every click and every pointer move over it by this rule.
constexpr const CountryLabel* labelAt(int x, int y)
{
    for (const CountryLabel& label : kCountryLabels) {
        if (label.shown == Shown::Yes && label.rect.contains(x, y))
            return &label;
    }
    return nullptr;
}

} // namespace window

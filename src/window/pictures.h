#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <array>
#include <optional>

namespace window {

enum class Picture {
    Map,       // the political map inside Picture2
    FlagTile,  // three flags side by side, the background of the right-hand column
    Car,       // on the start button
    ExitFlag,  // the waving flag on the exit button
};

enum class PointerImage {
    Window,       // the plain flag over the window's own surface
    CountryLabel, // the flag in the top 31 by 20 pixels, over a country label
    Globe,        // over the map outside the country labels
    Hand,         // the raised hand over the exit button
    ItalianFlag,  // carried by labels nobody ever sees
};
inline constexpr std::size_t kPointerImageCount = 5;

// Every picture is built into the program; none is read from disk.
// A device pixel ratio above one picks the double-size copy where there is one.
QPixmap picture(Picture which, qreal devicePixelRatio = 1.0);
QCursor pointer(PointerImage which);
QIcon programIcon();

// Each pointer made once, on first use, and shared by every control that shows
// it: seventy-odd labels carry the same flag.
class PointerSet {
public:
    const QCursor& operator[](PointerImage which);

private:
    std::array<std::optional<QCursor>, kPointerImageCount> made_;
};

} // namespace window

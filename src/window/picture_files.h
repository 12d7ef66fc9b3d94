#pragma once

#include <array>
#include <string>
#include <string_view>

// Where the window's pictures come from. Every picture is a PNG in assets/,
// named by its stem, and the build derives all else from the stem:
//   assets/FOLDER/STEM.png      built into the program decoded, as DECODED/STEM.pixels
//   assets/FOLDER/STEM@2x.png   the same drawing at twice the size, for screens that
//                               scale, built in decoded too, as DECODED/STEM@2x.pixels
// The window's icon is a set of sizes, each its own file window-icon-SIDE.png,
// all built in decoded: the window system is handed every side at start.
// The build's baker (tools/bake-pictures) reads these tables to know what to build in.
namespace window {

struct PictureFile {
    std::string_view folder; // under assets/
    std::string_view stem;
};

enum class Picture {
    Map,       // the political map inside Picture2
    FlagTile,  // three flags side by side, the background of the right-hand column
    Car,       // on the start button
    ExitFlag,  // the waving flag on the exit button
};

// Indexed by the enumeration.
inline constexpr std::array kPictureFiles{
    PictureFile{"map", "map"},
    PictureFile{"pictures", "background-flags"},
    PictureFile{"pictures", "start-button-car"},
    PictureFile{"pictures", "exit-button-flag"},
};

constexpr const PictureFile& pictureFile(Picture which)
{
    return kPictureFiles[static_cast<std::size_t>(which)];
}

// The pointers' and the icon's files all lie in assets/pictures.
inline constexpr std::string_view kPointerAndIconFolder = "pictures";

// The icon's sides: those a plain screen's title bar and task list show, and
// the larger ones that screens at twice the density and task switchers ask for.
inline constexpr std::array kIconSides{16, 32, 48, 64, 96};

inline std::string iconStem(int side)
{
    return "window-icon-" + std::to_string(side);
}

// The resource folder the build puts the pictures in, and their names there.
inline constexpr std::string_view kDecodedResources = ":/pixels/";

inline std::string decodedName(std::string_view stem)
{
    return std::string(stem) + ".pixels";
}

inline std::string pngName(std::string_view stem)
{
    return std::string(stem) + ".png";
}

// The stem of the same drawing at twice the size.
inline std::string doubleSizeStem(std::string_view stem)
{
    return std::string(stem) + "@2x";
}

inline std::string doubleSizeName(std::string_view stem)
{
    return pngName(doubleSizeStem(stem));
}

// A picture's whole path among the program's resources, at its own size or,
// by the stem of its copy, at twice the size.
inline std::string decodedResource(std::string_view stem)
{
    return std::string(kDecodedResources) + decodedName(stem);
}

} // namespace window

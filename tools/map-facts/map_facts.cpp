// Prints, as JSON, the tables the real-window driver aims by, the size of the
// window's client area and of the map's frame, where the counters stand, the
// captions on the window with their colours, and
// the sound files it must stand in for. Compiled against the program's own
// headers so a changed table moves the driver's aim with it instead of leaving
// it behind.

#include <cstdio>
#include <string>
#include <string_view>

#include "game/answer_table.h"
#include "game/country_table.h"
#include "window/country_labels.h"
#include "window/form1_layout.h"
#include "window/map_box.h"

namespace {

std::string quoted(std::string_view text)
{
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\')
            out += '\\';
        out += c;
    }
    return out + '"';
}

const char* shownName(window::Shown shown)
{
    switch (shown) {
    case window::Shown::Yes:
        return "yes";
    case window::Shown::Hidden:
        return "hidden";
    case window::Shown::OutsideMap:
        return "outside";
    }
    return "?";
}

// Prints `key` and the items of `table`, one a line, each by `printItem`.
template <class Table, class PrintItem>
void printTable(const char* key, const char* open, const char* close, const Table& table,
                PrintItem printItem)
{
    std::printf("\"%s\": %s\n", key, open);
    const char* separator = "";
    for (const auto& item : table) {
        std::printf("%s  ", separator);
        printItem(item);
        separator = ",\n";
    }
    std::printf("\n%s,\n", close);
}

void printLabel(const window::CountryLabel& label)
{
    std::printf("{\"name\": %s, \"index\": %d, \"left\": %d, \"top\": %d, \"width\": %d, "
                "\"height\": %d, \"shown\": \"%s\", \"handler\": %s}",
                quoted(label.name).c_str(), label.groupIndex, label.rect.left, label.rect.top,
                label.rect.width, label.rect.height, shownName(label.shown),
                label.hasHandler ? "true" : "false");
}

void printAnswer(const game::AnswerRow& row)
{
    std::printf("%s: %d", quoted(row.label).c_str(), row.number);
}

void printCountry(const game::Country& country)
{
    std::printf("{\"number\": %d, \"name\": %s, \"sound\": %s, \"drawn\": %s}",
                country.number, quoted(country.name).c_str(), quoted(country.soundFile).c_str(),
                country.drawn ? "true" : "false");
}

// A label's top-left corner in the client area, in pixels: the labels on the
// window lie in it, the prompt line in the map's inner area.
void printCorner(const char* key, QPoint corner)
{
    std::printf("\"%s\": [%d, %d]", key, corner.x(), corner.y());
}

void printCounters()
{
    using namespace window::layout;
    const auto onWindow = [](std::string_view name) {
        for (const LabelPlacement& label : kWindowLabels) {
            if (label.name == name)
                return window::toPixels(label.rect).topLeft();
        }
        return QPoint(-1, -1);
    };
    const int frame = window::MapBox::kFrameWidth;
    const QPoint inMap = window::toPixels(kPicture2).topLeft() + QPoint(frame, frame);
    std::printf("\"counters\": {");
    printCorner("points", onWindow("lblpunti"));
    std::printf(", ");
    printCorner("errors", onWindow("lblerrori"));
    std::printf(", ");
    printCorner("prompt", inMap + window::toPixels(kLblreg.rect).topLeft());
    std::printf("},\n");
}

// The captions lying on the window: where each is, in pixels of the client
// area, and the colour its text is drawn in.
void printCaption(const window::layout::LabelPlacement& label)
{
    const QRect rect = window::toPixels(label.rect);
    std::printf("{\"name\": %s, \"left\": %d, \"top\": %d, \"width\": %d, \"height\": %d, "
                "\"colour\": [%d, %d, %d]}",
                quoted(label.name).c_str(), rect.left(), rect.top(), rect.width(), rect.height(),
                qRed(label.colour), qGreen(label.colour), qBlue(label.colour));
}

} // namespace

int main()
{
    const QRect client = window::toPixels(window::layout::kClientArea);
    std::printf("{\n\"twips_per_pixel\": %d, \"client_width\": %d, \"client_height\": %d,\n",
                window::kTwipsPerPixel, client.width(), client.height());
    std::printf("\"map_frame\": %d, \"map_width\": %d, \"map_height\": %d,\n",
                window::MapBox::kFrameWidth, window::layout::kMapWidth, window::layout::kMapHeight);
    printTable("labels", "[", "]", window::kCountryLabels, printLabel);
    printTable("answers", "{", "}", game::kAnswers, printAnswer);
    printTable("countries", "[", "]", game::kCountries, printCountry);
    printCounters();
    printTable("captions", "[", "]", window::layout::kWindowLabels, printCaption);
    std::printf("\"anthem\": %s, \"success\": %s\n}\n", quoted(game::kAnthemSound).c_str(),
                quoted(game::kSuccessSound).c_str());
    return 0;
}

#include "game/answer_table.h"
#include "game/country_table.h"
#include "map_assets.h"
#include "window/country_labels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <string_view>
#include <vector>

// The labels' places are fixed by the program's tables and the map is drawn to
// fit them: it passes only if the country a label names is what the player
// sees under it. The country-index
// image says which land each map pixel shows: 0 for sea, the quiz's country
// number for its countries, other values for other lands.

namespace {

using window::CountryLabel;

constexpr int kSea = 0;
constexpr double kAlmostWhollyOwn = 0.9;
constexpr int kLabelsAlmostWhollyOwnAtLeast = 66;
constexpr int kFewPixels = 4;

// Inclusive pixel bounds of a twip rectangle: twips 15x to 15x + 14 are pixel x.
struct PixelBox {
    int left;
    int top;
    int right;
    int bottom;

    PixelBox grownBy(int pixels) const
    {
        return {left - pixels, top - pixels, right + pixels, bottom + pixels};
    }
};

PixelBox pixelsUnder(const window::TwipRect& rect)
{
    constexpr int px = window::kTwipsPerPixel;
    return {rect.left / px, rect.top / px, (rect.left + rect.width) / px - 1, (rect.top + rect.height) / px - 1};
}

int countryNumber(std::string_view name)
{
    for (const game::Country& country : game::kCountries) {
        if (country.name == name)
            return country.number;
    }
    ADD_FAILURE() << "no country named " << name;
    return -1;
}

std::string labelId(const CountryLabel& label)
{
    std::string id(label.name);
    if (label.groupIndex >= 0)
        id += "[" + std::to_string(label.groupIndex) + "]";
    return id;
}

// The countries a label lies over. A label with a handler names its country in
// the answer table; the two without one lie on France, and on its border with Spain.
std::vector<int> countriesUnder(const CountryLabel& label)
{
    if (const game::AnswerRow* row = game::findAnswer(label.name))
        return {row->number};
    if (label.name == "Label67")
        return {countryNumber("France")};
    if (label.name == "Label69")
        return {countryNumber("France"), countryNumber("Spain")};
    ADD_FAILURE() << labelId(label) << " names no country";
    return {};
}

class CountryIndex {
public:
    explicit CountryIndex(const QImage& image) : image_(image.convertToFormat(QImage::Format_Grayscale8)) {}

    bool isNull() const { return image_.isNull(); }
    int width() const { return image_.width(); }
    int height() const { return image_.height(); }

    int at(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= width() || y >= height())
            return kSea;
        return image_.constScanLine(y)[x];
    }

    // The pixels of `value` that form its largest 4-connected piece: the mainland
    // of a country, whatever islands lie off it.
    std::vector<bool> mainlandOf(int value) const
    {
        std::vector<int> piece(static_cast<std::size_t>(width() * height()), -1);
        std::vector<int> pieceSizes;
        for (int start = 0; start < width() * height(); ++start) {
            if (piece[start] >= 0 || at(start % width(), start / width()) != value)
                continue;
            const int id = static_cast<int>(pieceSizes.size());
            pieceSizes.push_back(0);
            std::vector<int> pending{start};
            piece[start] = id;
            while (!pending.empty()) {
                const int p = pending.back();
                pending.pop_back();
                ++pieceSizes[id];
                const int x = p % width();
                const int y = p / width();
                const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
                for (const auto& [nx, ny] : next) {
                    const int q = ny * width() + nx;  // read only once at() has found it inside
                    if (at(nx, ny) == value && piece[q] < 0) {
                        piece[q] = id;
                        pending.push_back(q);
                    }
                }
            }
        }
        std::vector<bool> mainland(piece.size(), false);
        if (pieceSizes.empty())
            return mainland;
        const int largest = static_cast<int>(std::max_element(pieceSizes.begin(), pieceSizes.end()) - pieceSizes.begin());
        for (std::size_t p = 0; p < piece.size(); ++p)
            mainland[p] = piece[p] == largest;
        return mainland;
    }

private:
    QImage image_;
};

// What one shown label covers on the map.
struct LabelSurvey {
    const CountryLabel* label = nullptr;
    std::vector<int> own;
    std::map<int, int> landPixels;  // by index value, sea left out
    int centre = kSea;

    bool isOwn(int value) const { return std::find(own.begin(), own.end(), value) != own.end(); }

    int land() const
    {
        int total = 0;
        for (const auto& [value, pixels] : landPixels)
            total += pixels;
        return total;
    }

    double ownShare() const
    {
        int ownPixels = 0;
        for (const auto& [value, pixels] : landPixels)
            ownPixels += isOwn(value) ? pixels : 0;
        return land() == 0 ? 0.0 : static_cast<double>(ownPixels) / land();
    }

    int largest() const
    {
        const auto most = std::max_element(landPixels.begin(), landPixels.end(),
                                           [](const auto& a, const auto& b) { return a.second < b.second; });
        return most == landPixels.end() ? kSea : most->first;
    }
};

LabelSurvey survey(const CountryIndex& index, const CountryLabel& label)
{
    LabelSurvey result;
    result.label = &label;
    result.own = countriesUnder(label);
    const PixelBox box = pixelsUnder(label.rect);
    for (int y = box.top; y <= box.bottom; ++y) {
        for (int x = box.left; x <= box.right; ++x) {
            if (const int value = index.at(x, y); value != kSea)
                ++result.landPixels[value];
        }
    }
    // Every rectangle is an odd number of pixels wide and high: one centre pixel.
    result.centre = index.at((box.left + box.right) / 2, (box.top + box.bottom) / 2);
    return result;
}

std::map<int, std::string> readLegend()
{
    std::map<int, std::string> names;
    std::ifstream legend(MAP_ASSETS_DIR "/country-index.tsv");
    std::string line;
    std::getline(legend, line);  // column heads
    while (std::getline(legend, line)) {
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos)
            names[std::stoi(line.substr(0, tab))] = line.substr(tab + 1);
    }
    return names;
}

class MapLabels : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        index_ = new CountryIndex(loadMapAsset("country-index.png"));
        surveys_ = new std::vector<LabelSurvey>;
        if (index_->isNull())
            return;
        for (const CountryLabel& label : window::kCountryLabels) {
            if (label.shown == window::Shown::Yes)
                surveys_->push_back(survey(*index_, label));
        }
        printTable();
    }

    static void TearDownTestSuite()
    {
        delete surveys_;
        delete index_;
        surveys_ = nullptr;
        index_ = nullptr;
    }

    void SetUp() override
    {
        ASSERT_FALSE(index_->isNull()) << "cannot read " << mapAssetPath("country-index.png").toStdString();
    }

    // Worst first, so that whoever moves the map sees at once what it costs.
    static void printTable()
    {
        const std::map<int, std::string> names = readLegend();
        const auto name = [&names](int value) {
            const auto it = names.find(value);
            return it == names.end() ? std::to_string(value) : it->second;
        };
        const auto ownNames = [&name](const LabelSurvey& s) {
            std::string joined;
            for (int value : s.own)
                joined += (joined.empty() ? "" : "/") + name(value);
            return joined;
        };
        std::vector<const LabelSurvey*> rows;
        for (const LabelSurvey& s : *surveys_)
            rows.push_back(&s);
        std::stable_sort(rows.begin(), rows.end(),
                         [](const LabelSurvey* a, const LabelSurvey* b) { return a->ownShare() < b->ownShare(); });
        std::printf("%-11s %-15s %6s %7s  %-15s %s\n", "label", "country", "land", "own %", "largest", "centre pixel");
        int centresOnOwn = 0;
        int almostWhollyOwn = 0;
        for (const LabelSurvey* s : rows) {
            std::printf("%-11s %-15s %6d %7.1f  %-15s %s\n", labelId(*s->label).c_str(), ownNames(*s).c_str(),
                        s->land(), 100.0 * s->ownShare(), name(s->largest()).c_str(), name(s->centre).c_str());
            centresOnOwn += s->isOwn(s->centre) ? 1 : 0;
            almostWhollyOwn += s->ownShare() >= kAlmostWhollyOwn ? 1 : 0;
        }
        std::printf("centre pixel on its own country: %d of %zu; own country >= 90 %% of the land: %d of %zu\n",
                    centresOnOwn, rows.size(), almostWhollyOwn, rows.size());
    }

    static inline CountryIndex* index_ = nullptr;
    static inline std::vector<LabelSurvey>* surveys_ = nullptr;
};

// Luxembourg is smaller than its label, so its own land cannot outweigh the three
// neighbours around it; there the centre pixel must be Luxembourg instead.
TEST_F(MapLabels, OwnCountryIsTheLargestLandUnderEveryShownLabel)
{
    EXPECT_EQ(surveys_->size(), 74u);
    for (const LabelSurvey& s : *surveys_) {
        SCOPED_TRACE(labelId(*s.label));
        if (s.label->name == "Label54")
            EXPECT_EQ(s.centre, countryNumber("Luxembourg"));
        else
            EXPECT_TRUE(s.isOwn(s.largest())) << "largest land is value " << s.largest();
    }
}

TEST_F(MapLabels, MostLabelsLieAlmostWhollyOnTheirCountry)
{
    const auto count = std::count_if(surveys_->begin(), surveys_->end(),
                                     [](const LabelSurvey& s) { return s.ownShare() >= kAlmostWhollyOwn; });
    EXPECT_GE(count, kLabelsAlmostWhollyOwnAtLeast);
}

struct SmallPlace {
    const char* place;
    std::string_view label;
    int groupIndex;
    const char* country;
    bool offshore;  // an island of a larger country: its mainland does not count
};

// Small places must show at least a few pixels of their own inside or touching
// their label, or the player has nothing to click.
TEST_F(MapLabels, SmallPlacesShowUnderTheirLabels)
{
    const SmallPlace places[] = {
        {"Malta", "Label82", -1, "Malta", false},
        {"Luxembourg", "Label54", -1, "Luxembourg", false},
        {"Cyprus", "Label83", -1, "Cyprus", false},
        {"Corsica", "Label73", -1, "France", true},
        {"Sardinia", "Label27", -1, "Italy", true},
        {"Sicily", "Label50", 2, "Italy", true},
        {"Crete", "Label5", -1, "Greece", true},
    };
    for (const SmallPlace& place : places) {
        SCOPED_TRACE(place.place);
        const auto label = std::find_if(window::kCountryLabels.begin(), window::kCountryLabels.end(),
                                        [&place](const CountryLabel& l) {
                                            return l.name == place.label && l.groupIndex == place.groupIndex;
                                        });
        ASSERT_NE(label, window::kCountryLabels.end());
        const int country = countryNumber(place.country);
        const std::vector<bool> mainland = place.offshore ? index_->mainlandOf(country) : std::vector<bool>{};
        const PixelBox box = pixelsUnder(label->rect).grownBy(1);
        int pixels = 0;
        for (int y = std::max(0, box.top); y <= std::min(index_->height() - 1, box.bottom); ++y) {
            for (int x = std::max(0, box.left); x <= std::min(index_->width() - 1, box.right); ++x) {
                const bool onMainland = place.offshore && mainland[y * index_->width() + x];
                pixels += index_->at(x, y) == country && !onMainland ? 1 : 0;
            }
        }
        std::printf("%-10s %4d pixels inside or touching %s\n", place.place, pixels, labelId(*label).c_str());
        EXPECT_GE(pixels, kFewPixels);
    }
}

} // namespace

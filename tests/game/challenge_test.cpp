#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "game/country_table.h"
#include "recording_runtime.h"

using game::BoxStyle;

using testsupport::randomFor;

TEST(Challenge, AnnouncesInOrderAndCountsThePointLast)
{
    testsupport::RecordedGame g;
    g.runtime.scripted = {randomFor(7)};
    std::int16_t puntiWhenHidden = -1;
    g.form.onCommand2 = [&] { puntiWhenHidden = g.quiz.state().punti; };
    g.runtime.onBox = [&] { EXPECT_EQ(g.form.lblreg, "") << "the name shows only after the box"; };

    g.quiz.Command2_Click();

    const std::vector<std::string> expected = {
        "lblreg:", "cls", "lblpunti:0", "lblerrori:0", "randomize", "rnd",
        "sound:/quiz/Europa/Repubblica Ceca.wav", "box:Click on Czech Republic",
        "lblreg:Czech Republic", "hide Command2",
    };
    EXPECT_EQ(g.log.entries, expected);
    EXPECT_EQ(g.quiz.state().caso, 7);
    EXPECT_EQ(g.runtime.boxes.back().style, BoxStyle::Plain);
    EXPECT_FALSE(g.runtime.boxes.back().title.has_value());

    // The second start: the label shows the old count while the box is open,
    // and the point arrives only after the button is hidden.
    g.log.entries.clear();
    g.runtime.scripted = {randomFor(1)};
    g.runtime.onBox = [&] { EXPECT_EQ(g.form.lblpunti, "0"); };
    g.quiz.Command2_Click();
    EXPECT_EQ(puntiWhenHidden, 0);
    EXPECT_EQ(g.quiz.state().punti, 1);
}

TEST(Challenge, PointsAreStartsAfterTheFirst)
{
    for (int k : {1, 2, 3, 10, 250}) {
        testsupport::RecordedGame g;
        for (int i = 0; i < k; ++i)
            g.quiz.Command2_Click();
        EXPECT_EQ(g.quiz.state().punti, k - 1) << k << " starts";
        EXPECT_EQ(g.quiz.state().viaggi.value(), k);
    }
}

TEST(Challenge, RedrawsNorwayAndSwitzerlandWithoutReseeding)
{
    testsupport::RecordedGame g;
    g.runtime.scripted = {randomFor(12), randomFor(27), randomFor(12), randomFor(5)};
    g.quiz.Command2_Click();
    EXPECT_EQ(g.quiz.state().caso, 5);
    EXPECT_EQ(g.runtime.seeds, 1);
    EXPECT_EQ(std::count(g.log.entries.begin(), g.log.entries.end(), "rnd"), 4);
}

TEST(Challenge, DrawIsUniformOverTheDrawableSet)
{
    testsupport::RecordedGame g;
    std::array<int, 30> seen{};
    constexpr int kDraws = 27 * 400;
    int repeats = 0;
    std::int16_t previous = 0;
    for (int i = 0; i < kDraws; ++i) {
        g.quiz.casof();
        const std::int16_t caso = g.quiz.state().caso;
        ASSERT_TRUE(game::isDrawable(caso)) << caso;
        ++seen[caso];
        repeats += caso == previous;
        previous = caso;
    }
    EXPECT_EQ(g.runtime.seeds, kDraws);
    double chiSquare = 0;
    const double expected = kDraws / 27.0;
    for (std::int16_t n = 1; n <= 29; ++n) {
        if (game::isDrawable(n))
            chiSquare += std::pow(seen[n] - expected, 2) / expected;
    }
    // 26 degrees of freedom: 54.05 is the 0.1 % point, which a skewed draw
    // (a redraw folded onto a neighbour, an off-by-one slot) far exceeds.
    EXPECT_LT(chiSquare, 54.05);
    EXPECT_GT(repeats, 0) << "the same country may come twice in a row";
}

TEST(Challenge, ExtremeRandomValuesStayInsideTheTable)
{
    EXPECT_EQ(game::countryFromRandom(0.0f), 1);
    EXPECT_EQ(game::countryFromRandom(std::nextafter(1.0f, 0.0f)), 29);
}

TEST(Challenge, SoundPathInsertsOneSeparatorAlways)
{
    EXPECT_EQ(game::soundPath("/opt/europa", "Europa\\Paesi bassi.wav"),
              "/opt/europa/Europa/Paesi bassi.wav");
    EXPECT_EQ(game::soundPath("/", "Europa\\inno.wav"), "//Europa/inno.wav");
    EXPECT_EQ(game::soundPath("/home/zoë/my games/", "Europa\\Esatto.wav"),
              "/home/zoë/my games//Europa/Esatto.wav");
}

TEST(Quiz, StartUpPlaysTheAnthemOnly)
{
    testsupport::RecordedGame g;
    g.quiz.Form_Initialize();
    EXPECT_EQ(g.log.entries, std::vector<std::string>{"sound:/quiz/Europa/inno.wav"});
    EXPECT_EQ(g.quiz.state().caso, 0);
    EXPECT_TRUE(g.quiz.state().viaggi.isEmpty());
}

TEST(Quiz, InstructionsChangeNothing)
{
    testsupport::RecordedGame g;
    g.quiz.Command2_Click();
    const game::GameState before = g.quiz.state();
    g.log.entries.clear();
    g.quiz.istruzioni_Click();
    ASSERT_EQ(g.runtime.boxes.size(), 2u);
    const testsupport::Box& box = g.runtime.boxes.back();
    EXPECT_EQ(box.prompt, "The game ends if it exceeds the 20 errors...");
    EXPECT_EQ(box.style, BoxStyle::Exclamation);
    EXPECT_EQ(box.title, "Attention");
    EXPECT_EQ(g.log.entries.size(), 1u);
    EXPECT_EQ(g.quiz.state().punti, before.punti);
    EXPECT_EQ(g.quiz.state().caso, before.caso);
    EXPECT_FALSE(g.form.command2Visible);
}

TEST(Quiz, ExitSaysGoodbyeThenEnds)
{
    testsupport::RecordedGame g;
    g.runtime.onBox = [&] { EXPECT_EQ(g.runtime.ends, 0) << "ends only once the box is closed"; };
    g.quiz.Command3_Click();
    ASSERT_EQ(g.runtime.boxes.size(), 1u);
    EXPECT_EQ(g.runtime.boxes[0].prompt, "To the next challenge!");
    EXPECT_EQ(g.runtime.boxes[0].style, BoxStyle::Plain);
    EXPECT_FALSE(g.runtime.boxes[0].title.has_value());
    EXPECT_EQ(g.runtime.ends, 1);
}

TEST(Quiz, FineClearsThenEnds)
{
    testsupport::RecordedGame g;
    g.quiz.fine();
    EXPECT_EQ(g.log.entries, (std::vector<std::string>{"cls", "end"}));
}

TEST(Quiz, PointsOverflowIsARunTimeError)
{
    game::GameState start;
    start.punti = 32767;
    start.viaggi = game::TripCounter(std::int16_t{5});
    testsupport::RecordedGame g(start);
    EXPECT_THROW(g.quiz.Command2_Click(), game::RuntimeError);
    EXPECT_EQ(g.quiz.state().punti, 32767);
}

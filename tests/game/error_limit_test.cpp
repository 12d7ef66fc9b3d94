#include <gtest/gtest.h>

#include "recording_runtime.h"

namespace {
game::GameState withErrors(std::int16_t errori, std::int16_t punti = 0)
{
    return testsupport::startingWith(0, punti, errori);
}
} // namespace

TEST(ErrorLimit, EveryTickShowsBothCounters)
{
    testsupport::RecordedGame g(withErrors(7, 12));
    g.quiz.Timer1_Timer();
    g.quiz.Timer1_Timer();
    const std::vector<std::string> expected = {
        "lblpunti:12", "lblerrori:7", "lblpunti:12", "lblerrori:7",
    };
    EXPECT_EQ(g.log.entries, expected);
    EXPECT_EQ(g.runtime.ends, 0);
}

TEST(ErrorLimit, OnlyExactlyTwentyEndsTheGame)
{
    struct Case {
        std::int16_t errori;
        bool ends;
    };
    for (const Case c : {Case{0, false}, Case{19, false}, Case{20, true}, Case{21, false},
                         Case{-5, false}}) {
        testsupport::RecordedGame g(withErrors(c.errori));
        g.quiz.Timer1_Timer();
        EXPECT_EQ(g.runtime.ends, c.ends ? 1 : 0) << c.errori;
        EXPECT_EQ(g.form.lblerrori, std::to_string(c.errori));
    }
}

TEST(ErrorLimit, EndMessageIsItalianWithItsTitleAndIcon)
{
    testsupport::RecordedGame g(withErrors(20));
    g.runtime.onBox = [&] { EXPECT_EQ(g.runtime.ends, 0); };
    g.quiz.Timer1_Timer();
    ASSERT_EQ(g.runtime.boxes.size(), 1u);
    EXPECT_EQ(g.runtime.boxes[0].prompt,
              "Mi dispiace hai superato la soglia dei 20 errori... La tua gara \xc3\xa8 finita");
    EXPECT_EQ(g.runtime.boxes[0].title, "Fine del gioco");
    EXPECT_EQ(g.runtime.boxes[0].style, game::BoxStyle::Exclamation);
    EXPECT_EQ(g.runtime.ends, 1);
}

TEST(ErrorLimit, TwentiethMissInTheMiddleOfAChallengeEndsAtTheNextTick)
{
    testsupport::RecordedGame g;
    g.runtime.scripted = {0.5f};
    g.quiz.Command2_Click();
    const std::int16_t asked = g.quiz.state().caso;
    const game::AnswerRow* wrong = nullptr;
    for (const game::AnswerRow& row : game::kAnswers) {
        if (row.number != asked)
            wrong = &row;
    }
    for (int i = 0; i < 19; ++i) {
        g.quiz.labelClick(*wrong);
        g.quiz.Timer1_Timer();
    }
    EXPECT_EQ(g.runtime.ends, 0);
    g.quiz.labelClick(*wrong);
    g.quiz.Timer1_Timer();
    EXPECT_EQ(g.runtime.ends, 1);
    EXPECT_EQ(g.form.lblerrori, "20");
}
